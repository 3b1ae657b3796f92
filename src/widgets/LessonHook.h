#pragma once

#include <QString>
#include <functional>
#include <vector>

namespace velarium {

// What a screen keeps beyond its controls, for a lesson: a few whole numbers (the run's step,
// the explanation's step), each within its range. Opening a lesson brings the screen back to its
// start, sets its controls, and then does again what made these values (STEP that many times),
// so the pictures are computed afresh rather than read from the file.
struct LessonHook {
    struct Value {
        QString name;
        int least = 0;
        int most = 0;
    };
    std::vector<Value> values;
    // The values as they stand now, in the order of `values`.
    std::function<std::vector<int>()> read;
    // Back to the screen's start, before the controls are set.
    std::function<void()> reset;
    // Rebuilds the values once the controls are set; each is within its range.
    std::function<void(const std::vector<int>&)> replay;
};

}  // namespace velarium
