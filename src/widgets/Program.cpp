#include "widgets/Program.h"

#include <QGuiApplication>
#include <QScreen>

#include "widgets/KeyboardAccess.h"
#include "widgets/WindowAccessible.h"

namespace velarium {

Program::Program(ScreenCatalogue& catalogue)
    : catalogue_(catalogue), screens_(*this), saveNameChooser_(askSaveName) {
    installWindowAccessibility();
    installKeyboardAccess();
    canvasMenuEntries_.append(projector_.action());
    canvasMenuEntries_.append(
        {lessons_.saveAction(), lessons_.openAction(), lessons_.recentMenu()->menuAction()});
}

Program::~Program() = default;

void Program::end() {
    if (ended_) return;
    ended_ = true;
    screens_.closeAll();
    if (endAction_) endAction_();
}

QRect Program::display() {
    if (QScreen* s = QGuiApplication::primaryScreen()) return s->availableGeometry();
    return {0, 0, 1024, 768};
}

}  // namespace velarium
