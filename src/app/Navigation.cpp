#include "app/Navigation.h"

#include <algorithm>

#include "energy/BothFramesScreen.h"
#include "translating/RelativeMotionScreen.h"
#include "widgets/Program.h"

namespace velarium {

void openRotatingDisk(Program& program) {
    const QRect d = Program::display();
    QWidget& disk = program.screens().get(ScreenId::exigisi2);
    QWidget& choice = program.screens().get(ScreenId::DIALEGO);
    const int width = static_cast<int>(0.8 * d.width());
    disk.setGeometry(d.left(), d.top(), width, disk.height() > 0 ? disk.height() : d.height());
    // The model-choice panel stands beside it, or, where its captions need more than the last
    // fifth, at the display's right edge: whole on the display either way.
    choice.move(std::min(d.left() + width, d.left() + d.width() - choice.width()), d.top());
    bringUp(disk);
}

void openRelativeMotion(Program& program) {
    const QRect d = Program::display();
    auto& relative = program.screens().as<RelativeMotionScreen>(ScreenId::exigisirelative);
    bringUp(relative);
    relative.setGeometry(d);
    relative.openScreen();
}

void openSimulation(Program& program) {
    program.screens().as<BothFramesScreen>(ScreenId::rotating).simulateBothFrames();
}

void openIntroduction(Program& program) {
    program.screens().get(ScreenId::firststep).hide();
    bringUp(program.screens().get(ScreenId::EISAGOGIKI));
}

}  // namespace velarium
