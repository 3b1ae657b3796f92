#pragma once

#include "curve/CurvePictures.h"
#include "curve/LabAnimation.h"
#include "draw/CanvasWidget.h"

namespace velarium {

class FirstStepScreen;

// The curve lab's modes on the start-up screen: the handlers of its options, sliders, START, timer
// and canvas. It reads the controls, calls the lab's pictures and shows their texts.
class CurveLab {
public:
    explicit CurveLab(FirstStepScreen& screen);

    int labTick() const { return anim_.labTick; }
    const LabAnimation& animation() const { return anim_; }
    LabAnimation& animation() { return anim_; }
    const ForcePress& forcePress() const { return press_; }
    CurveSliders sliders() const;
    // The path and its stations are on the canvas (a curve-lab mode has drawn them).
    bool pathShown() const { return pathShown_; }

    void firststep_Command1_Click();
    void firststep_PAUSE_Click();
    void firststep_Timer1_Timer();
    // The time line: pauses the run and shows event k of it again, from which RESUME goes on.
    void showEvent(int k);
    // START, PAUSE and the time line, which the Time mode shows.
    void showRunControls(bool shown);
    void firststep_campyles_Click();
    void firststep_GUESSFORCE_Click();
    void firststep_DYNAMEISDIAFORES_Click();
    void firststep_Option2_Click();
    void firststep_Option3_Click();
    void firststep_platosvalue_Change();
    void firststep_syxnotikamp_Change();
    void firststep_arxikives_Change();
    void firststep_epitaxyno_Change();
    void firststep_eikona_MouseDown(const CanvasMouse& mouse);
    void firststep_eikona_MouseUp(const CanvasMouse& mouse);

private:
    void enterAccelerationDisplay(bool fromMenu);
    void setLabScale();
    void redrawLab();
    void setText(const std::string& text);
    void uncheckModes();
    // Another picture was drawn over the run's canvas.
    void drawnOver();
    // PAUSE's caption and the time line as the run stands.
    void showProgress();

    FirstStepScreen& s_;
    LabAnimation anim_;
    ForcePress press_;
    bool pathShown_ = false;
    // The canvas as START found it is kept, and nothing else has drawn on it since.
    bool startKept_ = false;
    // Nothing has been drawn since entering the Time mode cleared the canvas: START finds it
    // clear, and an event shown again is drawn on a cleared canvas.
    bool canvasClear_ = false;
    // The Time mode's START, PAUSE and time line are shown.
    bool runControlsShown_ = false;
};

}  // namespace velarium
