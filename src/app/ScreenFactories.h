#pragma once

#include <QWidget>
#include <memory>
#include <optional>

#include "disk/DiskModel.h"
#include "widgets/ScreenCatalogue.h"

namespace velarium {

class Program;

// Every screen of the program: the one place that knows every screen's class, and the values
// that screens of different rooms share.
class ScreenFactories : public ScreenCatalogue {
public:
    std::unique_ptr<QWidget> create(ScreenId id, Program& program) override;
    std::optional<LessonHook> lessonHook(ScreenId id, Program& program) override;

    // The disk parameters and orbit tables that the disk screens write and the energy screens
    // read.
    DiskShared& disk() { return disk_; }

private:
    DiskShared disk_;
};

}  // namespace velarium
