#include <QAction>

#include "Snap.h"
#include "shell/FirstStepScreen.h"
#include "translating/RelativeMotionScreen.h"

namespace velarium::snap {

namespace {

// A body thrown across a plane whose frame moves to the left and accelerates up and to the
// right: friction brakes it against the frame until it rides along.
QWidget& relativeMotionRun(Program& p) {
    p.screens().as<FirstStepScreen>(ScreenId::firststep).SXETIKH_KINHSH->trigger();
    auto& s = p.screens().as<RelativeMotionScreen>(ScreenId::exigisirelative);
    s.resize(1600, 1000);
    s.arxikivx->setValue(6);
    s.arxikvy->setValue(4);
    s.arxikx->setValue(-20);
    s.arxikiy->setValue(-15);
    s.taxythtax->setValue(-2);
    s.epitaxynshx->setValue(1);
    s.epitaxynshy->setValue(1);
    s.trivistoepipedo->setValue(20);
    s.mazatoysomatos->setValue(4);
    for (int k = 0; k < 90; ++k) s.Command1->click();
    return s;
}

}  // namespace

std::vector<Scene> scenes() {
    return {
        {QStringLiteral("firststep.png"),
         [](Program& p) -> QWidget& { return p.screens().get(ScreenId::firststep); }},
        {QStringLiteral("exigisirelative.png"), relativeMotionRun},
    };
}

}  // namespace velarium::snap
