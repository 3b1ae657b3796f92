#pragma once

#include "draw/CanvasWidget.h"

namespace velarium {

class FirstStepScreen;

// The curve lab's modes on the start-up screen: the handlers of its options, sliders, START, timer
// and canvas.
class CurveLab {
public:
    explicit CurveLab(FirstStepScreen& screen);

    int labTick() const { return labTick_; }

    void firststep_Command1_Click();
    void firststep_Timer1_Timer();
    void firststep_campyles_Click();
    void firststep_GUESSFORCE_Click();
    void firststep_DYNAMEISDIAFORES_Click();
    void firststep_Option2_Click();
    void firststep_Option3_Click();
    void firststep_eikona_MouseDown(const CanvasMouse& mouse);
    void firststep_eikona_MouseUp(const CanvasMouse& mouse);

private:
    FirstStepScreen& s_;
    int labTick_ = 0;
};

}  // namespace velarium
