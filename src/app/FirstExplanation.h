#pragma once

#include <QRect>

namespace velarium {

class Program;
class FirstStepScreen;

// The introduction's way on: the start-up screen over the whole display with the first
// explanation, the sliding body that lags behind the faster disk points it reaches, on its
// canvas and in its text box. The introduction hides.
void showFirstExplanation(Program& program);

// The start-up screen's controls laid out over a display of the given size: the canvas square and
// half the display wide (less where the display is too low for that), the text box beside it,
// and under it the options, START and the sliders with their read-outs. No control overlaps
// another.
void arrangeFirstExplanation(FirstStepScreen& screen, QRect display);
// The controls placed again in that layout, for the present zoom and read-outs.
void placeFirstExplanationControls(FirstStepScreen& screen);

}  // namespace velarium
