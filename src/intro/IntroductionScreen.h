#pragma once

#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>
#include <array>
#include <functional>

#include "draw/CanvasWidget.h"
#include "output/CanvasActions.h"

namespace velarium {

class Program;

// Where the introduction's three buttons lead; the application, which knows the screens there,
// gives them.
struct IntroductionWays {
    std::function<void()> firstExplanation;
    std::function<void()> simulation;
    std::function<void()> rotatingDisk;
};

// The screen "INTRODUCTION": the question teachers meet with a body on a turntable, three short
// texts and the turntable with the three competing arrows, and the ways on to the first
// explanation, the rotating disk and the simulation of both frames. Its texts are made once, when
// the screen is loaded; the picture is drawn again at each new size of the window.
class IntroductionScreen : public QWidget {
    Q_OBJECT
public:
    IntroductionScreen(Program& program, IntroductionWays ways);

    // Controls.
    std::array<QPlainTextEdit*, 3> Text1;
    CanvasWidget* Picture1;
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;
    // "Copy Picture" and "Save Picture…"; the screen computes no run, so nothing to export.
    CanvasActions* canvasActions;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildControls();
    void layoutControls();
    void load();
    void drawPicture();

    void EISAGOGIKI_Command1_Click();
    void EISAGOGIKI_Command2_Click();
    void EISAGOGIKI_Command3_Click();

    IntroductionWays ways_;
};

}  // namespace velarium
