#pragma once

namespace velarium {

class FirstStepScreen;

// The four sliders of the factors that affect the acceleration, each with its read-out beside
// it, in rows one under another from (left, top), in twips. Zoomed above 100%, the read-outs'
// texts outgrow the boxes designed for them beside the sliders, so each read-out here is
// `readOutWidth` wide and as high as its text, with room for two more digits. The rows' height
// comes from factorRowsHeight before they are placed, so that a layout can make room for them.
double factorRowsHeight(const FirstStepScreen& screen, double readOutWidth);
void placeFactorRows(FirstStepScreen& screen, double left, double top, double readOutWidth);

}  // namespace velarium
