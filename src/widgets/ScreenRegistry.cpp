#include "widgets/ScreenRegistry.h"

#include "widgets/FullScreen.h"
#include "widgets/KeyboardAccess.h"
#include "widgets/Program.h"
#include "widgets/ScreenCatalogue.h"

namespace velarium {

const std::array<ScreenInfo, kScreenCount>& allScreens() {
    static const std::array<ScreenInfo, kScreenCount> screens{{
        {ScreenId::firststep, "firststep", "FIRST EXPLANATION"},
        {ScreenId::EISAGOGIKI, "EISAGOGIKI", "INTRODUCTION"},
        {ScreenId::exigisirelative, "exigisirelative", "EXPLANATIONS FOR RELATIVE MOTION"},
        {ScreenId::exigisi2, "exigisi2", "FOLLOW THE MOVEMENT STEP BY STEP"},
        {ScreenId::DIALEGO, "DIALEGO", "ANGULAR VELOCITY OF THE DISK"},
        {ScreenId::rotating, "rotating", "Simulation of both frames - Variables"},
        {ScreenId::base_centrafugal, "base_centrafugal",
         "Work and Energy in rotating and inertial frames"},
        {ScreenId::goniakigraph, "goniakigraph", "Angular Velocity vs Time"},
        {ScreenId::velocitytimes, "velocitytimes", "Velocities"},
        {ScreenId::x_ygraph, "x_ygraph", "Graphs of the orbits"},
        {ScreenId::xronikh, "xronikh", "Angle of Vectors"},
        {ScreenId::xronoorbit, "xronoorbit", "Time development of the orbit"},
        {ScreenId::goniaxronos, "goniaxronos", "Angle of Base vs Time"},
    }};
    return screens;
}

const ScreenInfo& screenInfo(ScreenId id) { return allScreens()[static_cast<std::size_t>(id)]; }

void bringUp(QWidget& w) {
    w.show();
    w.raise();
    w.activateWindow();
}

ScreenRegistry::ScreenRegistry(Program& program) : program_(program) {}

ScreenRegistry::~ScreenRegistry() {
    // Screens may refer to one another while they go: close them all first, then let them go in
    // the reverse order of their ids.
    closeAll();
    for (auto it = screens_.rbegin(); it != screens_.rend(); ++it) it->reset();
}

QWidget& ScreenRegistry::get(ScreenId id) {
    auto& slot = screens_[index(id)];
    if (!slot) {
        slot = program_.catalogue().create(id, program_);
        const ScreenInfo& info = screenInfo(id);
        slot->setObjectName(info.name);
        slot->setWindowTitle(QString::fromUtf8(info.caption));
        slot->setAccessibleName(QString::fromUtf8(info.caption));
        installFullScreenKeys(*slot);
        adoptKeyboardAccess(*slot);
        program_.projector().adopt(*slot);
        program_.zoom().adopt(*slot);
        program_.lessons().adopt(*slot);
        ++creations_[index(id)];
    }
    return *slot;
}

void ScreenRegistry::closeAll() {
    for (auto& s : screens_)
        if (s) s->hide();
}

}  // namespace velarium
