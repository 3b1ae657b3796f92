#pragma once

#include <QPushButton>
#include <QWidget>

#include "draw/CanvasWidget.h"
#include "energy/PointAnimations.h"
#include "energy/WorkChart.h"
#include "output/CanvasActions.h"
#include "widgets/ScreenRegistry.h"
#include "widgets/ScreenTimer.h"
#include "widgets/TimeLine.h"

namespace velarium {

class Program;

// Places a window with its frame's top-left corner at (left, top) and the given inside size, as
// the screens of the both-frames run are placed on the display.
void placeWindow(QWidget& window, int left, int top, int width, int height);

// A chart or graph screen of the both-frames run: a window that is all canvas. The `rotating`
// screen draws on it. An animated graph draws one stored point per timer event; hiding the
// screen stops the animation. Below an animated graph's canvas stand PAUSE, which pauses and
// resumes it where it stands, and its time line over the points of the run: moving it pauses
// the animation and shows that moment, from which RESUME goes on.
class GraphScreen : public QWidget {
    Q_OBJECT
public:
    GraphScreen(Program& program, ScreenId id);

    CanvasWidget* picture;
    ScreenTimer* Timer1;
    // "Copy Picture", "Save Picture…" and "Export Data…" (the both-frames run and its work tables).
    CanvasActions* canvasActions;

    // The side of the square vector graph: 0.6 of the display's height.
    static int vectorGraphSide();

    // Brings the screen to the front with its canvas filling it, so that a drawing made now
    // fills its present size.
    void present();
    // Covers the whole canvas with one colour.
    void fillWith(Rgb colour);

    // The animated graphs' PAUSE and time line; none on the other screens.
    QPushButton* PAUSE = nullptr;
    TimeLine* timeLine = nullptr;

    // Draws the points of the animation one per timer event, from its first to its last.
    void animate(PointAnimation animation, const DiskShared& disk);
    void stopAnimation();
    // Ends the animation and forgets its moments: its time line is empty until the next one.
    void endAnimation();
    bool animating() const { return Timer1->isEnabled(); }
    const PointAnimation& animation() const { return animation_; }
    // Shows moment k of the animation, as the time line does, and pauses it there.
    void showMoment(int k);
    // The height of the row below the canvas: 0 on a screen that is all canvas.
    int controlRowHeight() const;

    // Real period of an animation's events: one display frame.
    static constexpr int kAnimationIntervalMs = ScreenTimer::kMinimumPeriodMs;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    virtual void layoutControls();

private:
    void animationTick();
    void PAUSE_Click();
    // PAUSE's caption and the time line as the animation stands.
    void showProgress();

    PointAnimation animation_;
    const DiskShared* disk_ = nullptr;
};

// "Work and Energy in rotating and inertial frames": the work chart, with a button at its top
// right corner that switches between the full range and half of it.
class WorkChartScreen : public GraphScreen {
    Q_OBJECT
public:
    // The chart shows the works of the run in disk.
    WorkChartScreen(Program& program, const DiskShared& disk);

    QPushButton* Command1 = nullptr;

    // The first drawing of the chart, over the full range of the last run's works.
    void drawFirst();
    const WorkChartState& state() const { return state_; }

protected:
    void layoutControls() override;

private:
    void base_centrafugal_Command1_Click();
    void showCaption(const std::string& caption);
    // The total time of the run the chart shows, not the bar's present value.
    double runTotalTime() const;

    Program& program_;
    const DiskShared& disk_;
    WorkChartState state_;
};

}  // namespace velarium
