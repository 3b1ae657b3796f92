#pragma once

#include "draw/PlotCanvas.h"

namespace velarium {

// Euclidean distance between (x1, y1) and (x2, y2).
double pointDistance(double x1, double y1, double x2, double y2);

// A vector arrow from (x, y) along (dx, dy) in RGB(red, green, blue): the shaft and two barbs at
// ±30 degrees, each one seventy-fifth of the canvas diagonal long, in the canvas's current width
// and style. Whole colour values of any numeric type are accepted.
void drawArrow(PlotCanvas& canvas, double x, double y, double dx, double dy, int red, int green,
               int blue);

template <class R, class G, class B>
void drawArrow(PlotCanvas& canvas, double x, double y, double dx, double dy, R red, G green,
               B blue) {
    drawArrow(canvas, x, y, dx, dy, static_cast<int>(red), static_cast<int>(green),
              static_cast<int>(blue));
}

inline void drawArrow(PlotCanvas& canvas, double x, double y, double dx, double dy, Rgb c) {
    drawArrow(canvas, x, y, dx, dy, c.red, c.green, c.blue);
}

}  // namespace velarium
