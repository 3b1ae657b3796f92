#include "draw/Arrow.h"

#include <cmath>
#include <numbers>

namespace velarium {


double pointDistance(double x1, double y1, double x2, double y2) {
    return std::sqrt((x1 - x2) * (x1 - x2) + (y1 - y2) * (y1 - y2));
}

void drawArrow(PlotCanvas& canvas, double x, double y, double dx, double dy, int red, int green,
               int blue) {
    const double x2 = x + dx;
    const double y2 = y + dy;

    // Barb length: one fifteenth of a fifth of the canvas diagonal.
    const double sw = canvas.scaleWidth();
    const double sh = canvas.scaleHeight();
    const double d = std::sqrt(sw * sw + sh * sh) / 5.0;
    const double l = d / 15.0;

    double theta = 0;
    if (x2 - x != 0)
        theta = std::atan((y2 - y) / (x2 - x));
    else if (y2 - y > 0)
        theta = std::numbers::pi / 2;
    else if (y2 - y < 0)
        theta = -std::numbers::pi / 2;

    const double plus = theta + std::numbers::pi / 6;
    const double minus = theta - std::numbers::pi / 6;
    const double shaft = pointDistance(x2, y2, x, y);

    // A barb is laid back from the tip; where that would put it farther from the start than the
    // tip is, it is laid forward instead.
    auto barb = [&](double angle, double sign) {
        double bx = x2 - sign * l * std::cos(angle);
        double by = y2 - sign * l * std::sin(angle);
        if (pointDistance(bx, by, x, y) > shaft) {
            bx = x2 + sign * l * std::cos(angle);
            by = y2 + sign * l * std::sin(angle);
        }
        return std::pair{bx, by};
    };

    // θ is the shaft's direction when dx ≥ 0 and its opposite when dx < 0.
    const auto [ax, ay] = dx >= 0 ? barb(plus, 1.0) : barb(minus, -1.0);
    const auto [bx, by] = dx >= 0 ? barb(minus, 1.0) : barb(plus, -1.0);

    // Too short to see: nothing at all. A non-finite shaft goes on to the canvas, which refuses
    // and counts it.
    if (shaft < 0.01 * l) return;

    const Rgb c{red, green, blue};
    const double keepX = canvas.currentX();
    const double keepY = canvas.currentY();
    canvas.line(x, y, x2, y2, c);
    canvas.line(x2, y2, ax, ay, c);
    canvas.line(x2, y2, bx, by, c);
    canvas.setCurrentPosition(keepX, keepY);
}

}  // namespace velarium
