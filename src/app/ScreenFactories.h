#pragma once

#include <QWidget>
#include <memory>

#include "widgets/ScreenRegistry.h"

namespace velarium {

class Program;

// Builds the screen with the given id. The one place that knows every screen's class.
std::unique_ptr<QWidget> createScreen(ScreenId id, Program& program);

}  // namespace velarium
