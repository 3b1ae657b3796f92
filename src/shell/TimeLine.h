#pragma once

#include <QLabel>
#include <QObject>
#include <QSlider>
#include <functional>

namespace velarium {

// The property of a control whose value its screen's lesson hook keeps: a lesson does not set
// it as a control.
inline constexpr char kKeptByHook[] = "velariumKeptByHook";

// The time line of an animated screen: a slider over the steps its run has kept so far, and a
// read-out of the shown step's time and number, "t = 0.20   step 2". The screen places both and
// tells the time line what it shows; a person's move of the slider (a drag, the arrows, Page Up,
// Page Down, Home, End) asks the screen to show that step. A screen reader hears the read-out
// whenever the step changes.
class TimeLine : public QObject {
public:
    TimeLine(QWidget* parent, std::function<void(int)> chosen);

    // The run keeps steps 0..last and shows `step`, reached at time t. The slider spans them,
    // and is hidden while the run has no step to choose; nothing is asked of the screen.
    void show(int step, int last, double time);

    // The read-out of a step and its time.
    static QString readOutText(int step, double time);

    QSlider* slider;
    QLabel* readOut;

private:
    std::function<void(int)> chosen_;
    bool showing_ = false;
};

}  // namespace velarium
