#include "app/FirstExplanation.h"

#include <QMenuBar>
#include <algorithm>

#include "app/CurveLab.h"
#include "app/FactorRows.h"
#include "app/FirstStepScreen.h"
#include "intro/IntroPictures.h"
#include "widgets/Program.h"
#include "widgets/ProgramZoom.h"
#include "widgets/Twips.h"

namespace velarium {

namespace {
const char* const kFirstExplanationText =
    "A FIRST EXPLANATION: The body, as is seen in the diagram, it moves to greater distances from "
    "the cetner. As it moves out it is found over points of the disk that have a greater speed "
    "than this body, so it lags behind them. For the ROTATING OBSERVER it will be seen to the left "
    "of the initial RADIUS. Press NEXT  to observe step by step the movement.        Press CURVE "
    "-ACCELARATION      to study the factors on which depends the direction of ACCELERATION.      "
    "Press RELATIVE MOTION to study FICTITIOUS FORCES";

// Every twip of the display: 15 to a pixel.
constexpr double kTwipsPerPixel = 15;
}  // namespace

void arrangeFirstExplanation(FirstStepScreen& s, QRect display) {
    // The layout is designed on the whole display at the scale the screen opens with, so its
    // texts and controls keep the size the class has already seen while the layout fills the
    // display.
    const int bar = s.menuBar()->sizeHint().height();
    const double grow = s.openingGrowth(display);
    const double width = display.width() * kTwipsPerPixel / grow;
    const double height = (display.height() - bar) * kTwipsPerPixel / grow;
    s.explainedOverDisplay = true;
    // Fitting the body to the new design places the controls in it (arrangeFactorSliders).
    s.scaler->setDesignedSize(width, height);
}

void placeFirstExplanationControls(FirstStepScreen& s) {
    const double width = s.scaler->designedWidth();
    const double height = s.scaler->designedHeight();
    constexpr double edge = 240, gap = 120;
    // Under the canvas, left to right: the three options stacked, START, and the sliders with
    // their read-outs in three rows.
    constexpr double optionWidth = 2655, optionHeight = 495, optionStep = 555;
    const double start = edge + optionWidth + gap;
    const double x = start + 1095 + gap;
    // The sliders' three rows, taller than the options' stack; zoomed, four rows whose
    // read-outs are as wide as the zoom makes the widest designed one, within the display.
    const double zoom = zoomOf(s);
    const double readOutWidth = std::min(2415 * zoom, std::max(width - x - 1065 - edge, 2415.0));
    const double band = zoom > 1 ? std::max(1725.0, factorRowsHeight(s, readOutWidth)) : 1725;

    // The canvas: half the display wide (form width · 1.5 / 3), and square. A display wider than
    // 4:3 has no room under such a canvas for the controls; there the height decides.
    const double side = std::max(std::min(width * 1.5 / 3, height - 2 * edge - gap - band), 1500.0);
    placeTwips(*s.eikona, edge, edge, side, side);
    // The text box beside it, as high as the canvas.
    const double right = edge + side + gap;
    placeTwips(*s.Text1, right, edge, std::max(width - right - edge, 1500.0), side);

    const double below = edge + side + gap;
    placeTwips(*s.Option1, edge, below, optionWidth, optionHeight);
    placeTwips(*s.Option2, edge, below + optionStep, optionWidth, optionHeight);
    placeTwips(*s.Option3, edge, below + 2 * optionStep, optionWidth, optionHeight);
    placeTwips(*s.Command1, start, below, 1095, 375);

    const double y = below;
    if (zoom > 1) {
        placeFactorRows(s, x, y, readOutWidth);
        return;
    }
    placeTwips(*s.syxnotikamp, x, y, 975, 375);
    placeTwips(*s.Label2, x + 1095, y + 60, 1935, 315);
    placeTwips(*s.epitaxyno, x, y + 495, 975, 375);
    placeTwips(*s.Label3, x + 1095, y + 495, 2415, 375);
    placeTwips(*s.platosvalue, x, y + 990, 255, 735);
    placeTwips(*s.Label1, x + 375, y + 990, 1455, 735);
    placeTwips(*s.arxikives, x + 1950, y + 990, 255, 735);
    placeTwips(*s.Label4, x + 2325, y + 990, 1935, 495);
}

void showFirstExplanation(Program& program) {
    auto& s = program.screens().as<FirstStepScreen>(ScreenId::firststep);
    const QRect display = Program::display();
    s.setGeometry(display);
    s.show();
    s.raise();
    s.activateWindow();
    arrangeFirstExplanation(s, display);
    setTwipFont(*s.Text1, 12);

    program.screens().get(ScreenId::EISAGOGIKI).hide();

    // The explanation takes the canvas: a run of the lab still going would draw over it.
    s.Timer1->setEnabled(false);
    s.eikona->clear();
    s.eikona->setPersistent(true);
    setTurntableScale(*s.eikona);
    drawFirstExplanationPicture(*s.eikona);
    s.lab().animation().canvasChanged();

    s.Text1->setPlainText(QString::fromUtf8(kFirstExplanationText));
    for (QWidget* o : {s.Option1, s.Option2, s.Option3}) o->hide();
}

}  // namespace velarium
