#pragma once

#include <string>
#include <string_view>

#include "draw/PlotCanvas.h"

namespace velarium {

// Tick steps of a graph's axes: a tenth of the vertical magnitude b, and along x the whole
// tenths of the horizontal magnitude a brought to at least 1 by powers of ten and brought back
// (31.4 gives 3.1, 0.314 gives 0.03). A magnitude of 0 gives no step.
struct AxisSteps {
    double x = 0;
    double y = 0;
};
AxisSteps axisTickSteps(double xMax, double xMin, double yMax, double yMin);

// The axes of a graph whose scale is set, with a tick, a dotted grid line over the graph's ranges
// and a number at every second multiple of each step: the time numbers as "0.00" below the
// horizontal axis, the values as "0.0E+00" left of the vertical one where the canvas has room,
// else right of it.
void drawAxisTicks(PlotCanvas& canvas, double xMax, double xMin, double yMax, double yMin);

// The left end of a graph's scale (y up, vertical axis at 0, right end `right`) that leaves the
// room drawAxisTicks needs left of the axis for the widest of its numbers from yMin to yMax, and
// at least `least`. The scale's vertical range must be set already: text widths are measured in it.
double leftWithRoomForNumbers(const PlotCanvas& canvas, double right, double yMin, double yMax,
                              double least);

// The bottom of a graph's scale (y up, values from 0 to `top`, the horizontal axis at 0) that
// leaves the room drawAxisTicks needs below the axis for its ticks and time numbers, and at least
// `least` below 0. Text heights are measured in the scale already set.
double bottomWithRoomForNumbers(const PlotCanvas& canvas, double top, double least);

// Names the axes of a graph (y up): the horizontal one just beyond its end at (xEnd, axisY), or
// above the axis where the canvas ends there; the vertical one at the free place nearest the left
// of its top (axisX, yEnd). Called once the graph is drawn, so that the names keep clear of it.
void nameAxes(PlotCanvas& canvas, double xEnd, double axisY, std::string_view xName, double axisX,
              double yEnd, std::string_view yName);

// A number in the pattern "0.0E+00".
std::string formatScientific(double value);

// Direction of (x, y) in radians, −π to π: atan(y/x) turned into the right half-plane.
double angleOf(double x, double y);

// An arrow from (x, y) to (x + vx, y + vy) in the given colour, its head sized from the diagonal
// of the canvas's scale.
void drawFormArrow(double x, double y, double vx, double vy, PlotCanvas& canvas, Rgb colour);

}  // namespace velarium
