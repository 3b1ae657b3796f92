#include <QAction>

#include "Snap.h"
#include "disk/RotatingDiskScreen.h"
#include "shell/FirstStepScreen.h"
#include "shell/Navigation.h"

namespace velarium::snap {

namespace {
// The rotating-disk screen opened from the start-up screen, stepped a few times.
RotatingDiskScreen& steppedDisk(Program& p, int steps) {
    openRotatingDisk(p);
    auto& disk = p.screens().as<RotatingDiskScreen>(ScreenId::exigisi2);
    for (int i = 0; i < steps; ++i) disk.Command1->click();
    return disk;
}
}  // namespace

std::vector<Scene> scenes() {
    return {
        {QStringLiteral("firststep.png"),
         [](Program& p) -> QWidget& { return p.screens().get(ScreenId::firststep); }},
        // The inertial observer: the body leaves the disk point on a straight line; the disk
        // point's and the relative velocity beside it.
        {QStringLiteral("exigisi2-inertial.png"),
         [](Program& p) -> QWidget& {
             auto& disk = p.screens().as<RotatingDiskScreen>(ScreenId::exigisi2);
             disk.Check1->click();
             disk.Check2->click();
             return steppedDisk(p, 6);
         }},
        // The rotating observer: the spiral, with the centrifugal, Coriolis and total force.
        {QStringLiteral("exigisi2-rotating.png"),
         [](Program& p) -> QWidget& {
             auto& disk = p.screens().as<RotatingDiskScreen>(ScreenId::exigisi2);
             disk.Option1->click();
             disk.Check4->click();
             disk.Check5->click();
             disk.Check7->click();
             return steppedDisk(p, 9);
         }},
    };
}

}  // namespace velarium::snap
