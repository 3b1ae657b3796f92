#pragma once

#include <QWidget>

namespace velarium {

// A screen that is sized, placed and shown by the navigation, with its caption and nothing in it
// yet.
class PlaceholderScreen : public QWidget {
public:
    PlaceholderScreen() { resize(640, 480); }
};

}  // namespace velarium
