#include "curve/CanvasArrow.h"

#include <algorithm>
#include <cmath>

#include "draw/Arrow.h"
#include "draw/RecordingCanvas.h"

namespace velarium {

namespace {

struct Rect {
    double x0, y0, x1, y1;
};

// Liang–Barsky: cuts the segment to the rectangle; false when nothing of it lies inside.
bool clipSegment(const Rect& r, double& x1, double& y1, double& x2, double& y2) {
    const double dx = x2 - x1, dy = y2 - y1;
    double t0 = 0, t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - r.x0, r.x1 - x1, y1 - r.y0, r.y1 - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    const double ax = x1 + t0 * dx, ay = y1 + t0 * dy;
    x2 = x1 + t1 * dx;
    y2 = y1 + t1 * dy;
    x1 = ax;
    y1 = ay;
    return true;
}

}  // namespace

void drawCanvasArrow(PlotCanvas& canvas, double x, double y, double dx, double dy, Rgb colour) {
    const double w = canvas.scaleWidth(), h = canvas.scaleHeight();
    const double diagonal = std::hypot(w, h);
    if (!(std::hypot(dx, dy) > 2 * diagonal)) {
        drawArrow(canvas, x, y, dx, dy, colour);
        return;
    }
    // The arrow as drawArrow lays it out, then each segment cut to the canvas and a margin.
    RecordingCanvas layout;
    layout.setScale(canvas.scaleLeft(), canvas.scaleTop(), canvas.scaleLeft() + w,
                    canvas.scaleTop() + h);
    drawArrow(layout, x, y, dx, dy, colour);
    const double mx = 0.1 * std::abs(w), my = 0.1 * std::abs(h);
    const Rect visible{std::min(canvas.scaleLeft(), canvas.scaleLeft() + w) - mx,
                       std::min(canvas.scaleTop(), canvas.scaleTop() + h) - my,
                       std::max(canvas.scaleLeft(), canvas.scaleLeft() + w) + mx,
                       std::max(canvas.scaleTop(), canvas.scaleTop() + h) + my};
    for (Primitive s : layout.records())
        if (clipSegment(visible, s.x1, s.y1, s.x2, s.y2))
            canvas.line(s.x1, s.y1, s.x2, s.y2, colour);
}

}  // namespace velarium
