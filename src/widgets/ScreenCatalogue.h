#pragma once

#include <QWidget>
#include <memory>
#include <optional>

#include "widgets/LessonHook.h"
#include "widgets/ScreenRegistry.h"

namespace velarium {

class Program;

// What the application knows of its screens and the program's helpers do not: how each screen is
// made, and what each keeps beyond its controls for a lesson. The program asks it for both.
class ScreenCatalogue {
public:
    // Builds the screen with the given id.
    virtual std::unique_ptr<QWidget> create(ScreenId id, Program& program) = 0;
    // The hook of a screen that keeps values beyond its controls; none for a screen that keeps
    // only its controls.
    virtual std::optional<LessonHook> lessonHook(ScreenId id, Program& program) = 0;

protected:
    ~ScreenCatalogue() = default;
};

}  // namespace velarium
