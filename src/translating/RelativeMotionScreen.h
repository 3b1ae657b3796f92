#pragma once

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QWidget>

#include "draw/CanvasWidget.h"
#include "output/CanvasActions.h"
#include "translating/RelativePictures.h"
#include "translating/TranslatingModel.h"
#include "widgets/ScreenTimer.h"
#include "widgets/TimeLine.h"

namespace velarium {

class Program;

// "EXPLANATIONS FOR RELATIVE MOTION": one body sliding with friction, seen from the laboratory
// and from a translating frame, with the fictitious force and the friction in the moving frame.
// Controls are placed in the screen's own units, 0..100 across and 100 (top) to 0 (bottom), and
// keep their proportions whenever the window is resized, as far as their captions allow.
class RelativeMotionScreen : public QWidget {
    Q_OBJECT
public:
    explicit RelativeMotionScreen(Program& program);

    // What opening the screen does once it is shown over the display: lays out the controls,
    // writes the captions as on opening, gives both views their scale and drops the carried flag.
    void openScreen();

    // One display step of the run, drawn in both views.
    void advanceRelativeStep();
    // Shows the run after its kept rows 0..k − 1, drawn afresh in both views; a step from there
    // drops the later rows.
    void showKeptRows(int k);

    // The controls' values as the model reads them.
    RelativeSettings settings() const;
    const RelativeRun& run() const { return run_; }
    RelativeRun& run() { return run_; }

    CanvasWidget* eikona1;
    CanvasWidget* eikona2;
    QScrollBar* taxythtax;
    QScrollBar* taxythtay;
    QScrollBar* epitaxynshx;
    QScrollBar* epitaxynshy;
    QScrollBar* arxikivx;
    QScrollBar* arxikvy;
    QScrollBar* arxikx;
    QScrollBar* arxikiy;
    QScrollBar* trivistoepipedo;
    QScrollBar* mazatoysomatos;
    QScrollBar* overallscale;
    QScrollBar* xscaleeikona1;
    QScrollBar* yscaleeikona1;
    QScrollBar* xscaleeikona2;
    QScrollBar* yscaleeikona2;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label6;
    QLabel* Label7;
    QLabel* Label8;
    QLabel* Label9;
    QLabel* Label10;
    QLabel* Label11;
    QLabel* labFrameHeading;
    QLabel* movingFrameHeading;
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;
    QPushButton* Command4;
    QPushButton* Command5;
    QPushButton* Command6;
    QPushButton* TELOSPRO;
    // "STEP BACK" shows the run one step earlier.
    QPushButton* StepBack;
    // The time line over the run's rows, and its read-out of the shown step.
    TimeLine* timeLine;
    ScreenTimer* Timer1;
    // "Copy Picture", "Save Picture…" and "Export Data…" (the run's rows in both frames).
    CanvasActions* canvasActions;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildControls();
    void connectHandlers();
    void layoutControls();
    void writeCaption(QScrollBar* bar, bool opening);
    void writeOpeningCaptions();

    void exigisirelative_overallscale_Change();
    void exigisirelative_labPan_Change();
    void exigisirelative_movingPan_Change();
    void exigisirelative_Command2_Click();
    void exigisirelative_Timer1_Timer();
    void exigisirelative_Command3_Click();
    void exigisirelative_Command4_Click();
    void exigisirelative_Command6_Click();

    void showTimeLine();

    Program& program_;
    RelativeRun run_;
    RelativeDrawn drawn_;
    // Where both views followed the body to, at each row.
    std::vector<std::pair<ViewFollow, ViewFollow>> follows_ =
        std::vector<std::pair<ViewFollow, ViewFollow>>(RelativeRun::kPositionRows);
};

}  // namespace velarium
