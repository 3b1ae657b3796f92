#pragma once

#include "draw/PlotCanvas.h"

namespace velarium {

// drawArrow for vectors of any size. An arrow much longer than the canvas (the accelerations
// reach thousands of units at the largest settings) is drawn as the part of its three segments
// that falls on and around the canvas: the same picture, without rasterising lines far off it.
void drawCanvasArrow(PlotCanvas& canvas, double x, double y, double dx, double dy, Rgb colour);

}  // namespace velarium
