#pragma once

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <memory>

#include "draw/CanvasWidget.h"
#include "output/CanvasActions.h"
#include "widgets/ScreenTimer.h"
#include "widgets/TimeLine.h"
#include "widgets/Twips.h"

namespace velarium {

class Program;
class CurveLab;

// The start-up screen "FIRST EXPLANATION": the curve lab's canvas, text, sliders and options, and
// the menu bar that leads to the other screens.
class FirstStepScreen : public QMainWindow {
    Q_OBJECT
public:
    explicit FirstStepScreen(Program& program);
    ~FirstStepScreen() override;

    // Menu entries.
    QAction* XANAPISO;
    QAction* CAMPYLONO;
    QAction* DYNAMEISDIAFORES;
    QAction* campyles;
    QAction* GUESSFORCE;
    QAction* SXETIKH_KINHSH;
    QAction* TERMATISMOS;
    QAction* PARAKATOEVENT;

    // Controls.
    CanvasWidget* eikona;
    QPlainTextEdit* Text1;
    QPushButton* Command1;
    // Beside START in the Time mode: PAUSE (RESUME while paused) and the run's time line.
    QPushButton* PAUSE;
    TimeLine* timeLine;
    QRadioButton* Option1;
    QRadioButton* Option2;
    QRadioButton* Option3;
    QScrollBar* platosvalue;
    QScrollBar* syxnotikamp;
    QScrollBar* arxikives;
    QScrollBar* epitaxyno;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    ScreenTimer* Timer1;
    // "Copy Picture", "Save Picture…" and "Export Data…" (the curve lab's stations).
    CanvasActions* canvasActions;
    // Grows the controls, their fonts and the canvas with the window.
    TwipScaler* scaler;

    // The area the controls are designed to fill, in twips.
    static constexpr double kDesignedWidth = 9000;
    static constexpr double kDesignedHeight = 7500;

    CurveLab& lab() { return *lab_; }
    // The factor the screen opens with on a display: as large as three quarters of its height
    // allows, never below the designed size.
    double openingGrowth(QRect display) const;
    // Places the sliders of the factors, their read-outs and the text box for the present zoom
    // and read-outs' texts, in the arrangement the screen stands in.
    void arrangeFactorSliders();
    // Set once the first explanation has laid the screen out over the display.
    bool explainedOverDisplay = false;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildMenu();
    void buildControls();
    void growMenuBar();
    void widenTo(int windowWidth);
    void firststep_XANAPISO_Click();
    void firststep_PARAKATOEVENT_Click();
    void firststep_SXETIKH_KINHSH_Click();

    Program& program_;
    std::unique_ptr<CurveLab> lab_;
    int designedBarHeight_ = 0;
};

}  // namespace velarium
