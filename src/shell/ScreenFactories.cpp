#include "shell/ScreenFactories.h"

#include "disk/ModelChoicePanel.h"
#include "disk/RotatingDiskScreen.h"
#include "intro/IntroductionScreen.h"
#include "shell/FirstStepScreen.h"
#include "shell/PlaceholderScreen.h"
#include "translating/RelativeMotionScreen.h"

namespace velarium {

std::unique_ptr<QWidget> createScreen(ScreenId id, Program& program) {
    switch (id) {
        case ScreenId::firststep: return std::make_unique<FirstStepScreen>(program);
        case ScreenId::exigisirelative: return std::make_unique<RelativeMotionScreen>(program);
        case ScreenId::exigisi2: return std::make_unique<RotatingDiskScreen>(program);
        case ScreenId::EISAGOGIKI: return std::make_unique<IntroductionScreen>(program);
        case ScreenId::DIALEGO: return std::make_unique<ModelChoicePanel>(program);
        default: return std::make_unique<PlaceholderScreen>();
    }
}

}  // namespace velarium
