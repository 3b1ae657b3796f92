#include "shell/ScreenFactories.h"

#include "shell/FirstStepScreen.h"
#include "shell/PlaceholderScreen.h"
#include "translating/RelativeMotionScreen.h"

namespace velarium {

std::unique_ptr<QWidget> createScreen(ScreenId id, Program& program) {
    switch (id) {
        case ScreenId::firststep: return std::make_unique<FirstStepScreen>(program);
        case ScreenId::exigisirelative: return std::make_unique<RelativeMotionScreen>(program);
        default: return std::make_unique<PlaceholderScreen>();
    }
}

}  // namespace velarium
