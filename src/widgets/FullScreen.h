#pragma once

#include <QWidget>

namespace velarium {

// Gives a screen its full-screen keys: F11 shows it full screen and F11 again, or Escape, leaves
// full screen for the state it had before (normal or maximised). Escape is taken only while the
// screen is full screen.
void installFullScreenKeys(QWidget& screen);

}  // namespace velarium
