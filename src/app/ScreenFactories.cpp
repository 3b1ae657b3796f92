#include "app/ScreenFactories.h"

#include "app/FirstExplanation.h"
#include "app/FirstStepScreen.h"
#include "app/Navigation.h"
#include "app/PlaceholderScreen.h"
#include "disk/ModelChoicePanel.h"
#include "disk/RotatingDiskScreen.h"
#include "energy/BothFramesScreen.h"
#include "energy/GraphScreen.h"
#include "explain/ExplanationMode.h"
#include "intro/IntroductionScreen.h"
#include "translating/RelativeMotionScreen.h"

namespace velarium {

std::unique_ptr<QWidget> ScreenFactories::create(ScreenId id, Program& program) {
    switch (id) {
        case ScreenId::firststep: return std::make_unique<FirstStepScreen>(program);
        case ScreenId::exigisirelative: return std::make_unique<RelativeMotionScreen>(program);
        case ScreenId::exigisi2:
            return std::make_unique<RotatingDiskScreen>(
                program, disk_,
                [](DiskExplanationHost& host) { return std::make_unique<ExplanationMode>(host); });
        case ScreenId::EISAGOGIKI:
            return std::make_unique<IntroductionScreen>(
                program, IntroductionWays{[&program] { showFirstExplanation(program); },
                                          [&program] { openSimulation(program); },
                                          [&program] { openRotatingDisk(program); }});
        case ScreenId::DIALEGO: return std::make_unique<ModelChoicePanel>(program, disk_);
        case ScreenId::rotating: return std::make_unique<BothFramesScreen>(program, disk_);
        case ScreenId::base_centrafugal: return std::make_unique<WorkChartScreen>(program, disk_);
        case ScreenId::goniakigraph:
        case ScreenId::velocitytimes:
        case ScreenId::x_ygraph:
        case ScreenId::xronikh:
        case ScreenId::xronoorbit:
        case ScreenId::goniaxronos: return std::make_unique<GraphScreen>(program, id);
        default: return std::make_unique<PlaceholderScreen>();
    }
}

}  // namespace velarium
