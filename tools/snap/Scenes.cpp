#include <QAction>

#include "Snap.h"
#include "shell/FirstStepScreen.h"

namespace velarium::snap {

std::vector<Scene> scenes() {
    return {
        {QStringLiteral("firststep.png"),
         [](Program& p) -> QWidget& { return p.screens().get(ScreenId::firststep); }},
    };
}

}  // namespace velarium::snap
