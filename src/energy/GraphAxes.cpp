#include "energy/GraphAxes.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "draw/Arrow.h"
#include "draw/LabelPlacement.h"
#include "draw/NumberFormat.h"

namespace velarium {

namespace {
// No graph needs more ticks than this on one side of an axis.
constexpr int kMostTicks = 1000;
// Gap between a tick and its number, in pixels.
constexpr double kNumberGapPixels = 3;

bool usable(double step) { return std::isfinite(step) && step > 0; }

// How many ticks apart the numbered ones stand: every second, or the least even count whose
// distance (ticks `apart` pixels apart) holds a number `needs` pixels long.
int numberedEvery(double apart, double needs) {
    if (!(apart > 0) || !std::isfinite(needs / apart)) return 2;
    return 2 * std::max(1, static_cast<int>(std::ceil(needs / (2 * apart))));
}

// Prints with the text's top-left corner at (x, y), moved as little as needed to keep the whole
// text inside the canvas; a number (`unlessOver`) is left out where it would lie over a text
// already printed, as the top value's number where it must stand below its line.
void printInside(PlotCanvas& canvas, double x, double y, const std::string& text,
                 bool unlessOver = false) {
    const TextExtent e = canvas.textExtent(text);
    const double left = canvas.scaleLeft();
    const double right = left + canvas.scaleWidth();
    const double top = canvas.scaleTop();
    const double bottom = top + canvas.scaleHeight();
    const double xs = right > left ? 1.0 : -1.0;  // towards the right in user units
    const double ys = bottom < top ? -1.0 : 1.0;  // towards the bottom in user units
    // Left edge between the canvas's left and its right less the text's width.
    if ((x - left) * xs < 0) x = left;
    if ((right - (x + xs * e.width)) * xs < 0) x = right - xs * e.width;
    if ((y - top) * ys < 0) y = top;
    if ((bottom - (y + ys * e.height)) * ys < 0) y = bottom - ys * e.height;
    if (unlessOver) {
        const ViewTransform v = canvas.view();
        const double l = v.fractionX(x), r = v.fractionX(x + xs * e.width);
        const double t = v.fractionY(y), b = v.fractionY(y + ys * e.height);
        const auto& printed = canvas.printedTexts();
        if (std::any_of(printed.begin(), printed.end(), [&](const PrintedText& p) {
                return l < p.right && p.left < r && t < p.bottom && p.top < b;
            }))
            return;
    }
    canvas.setCurrentPosition(x, y);
    canvas.print(text);
}
}  // namespace

AxisSteps axisTickSteps(double xMax, double xMin, double yMax, double yMin) {
    AxisSteps steps;
    const double a = std::max(std::abs(xMax), std::abs(xMin));
    const double b = std::max(std::abs(yMax), std::abs(yMin));
    if (std::isfinite(a) && a > 0) {
        double scaled = a;
        double power = 1;
        while (scaled < 1) {
            scaled *= 10;
            power *= 10;
        }
        steps.x = std::floor(scaled) / 10 / power;
    }
    if (std::isfinite(b)) steps.y = b / 10;
    return steps;
}

std::string formatScientific(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.1E", value);
    std::string s = buffer;
    if (s.rfind("-0.0E", 0) == 0) s.erase(0, 1);
    return s;
}

void drawAxisTicks(PlotCanvas& canvas, double xMax, double xMin, double yMax, double yMin) {
    // The horizontal axis at 0 when the values change sign, else along the bottom; the vertical
    // axis at the left end when the times do not reach 0, else at 0.
    const bool xAxisAtZero = yMin * yMax <= 0;
    const double axisY = xAxisAtZero ? 0.0 : yMin;
    canvas.line(xMin, axisY, xMax, axisY);
    const bool yAxisAtLeft = xMin * xMax > 0;
    const double axisX = yAxisAtLeft ? xMin : 0.0;
    if (yAxisAtLeft)
        canvas.line(xMin, yMin, xMin, yMax);
    else
        canvas.line(0, 1.5 * yMin, 0, 1.5 * yMax);

    const AxisSteps step = axisTickSteps(xMax, xMin, yMax, yMin);
    const ViewTransform view = canvas.view();
    const double gapX = view.userAlongX(kNumberGapPixels);
    const double gapY = view.userAlongY(kNumberGapPixels);
    // Towards the top of the canvas in user units.
    const double up = canvas.scaleHeight() < 0 ? 1.0 : -1.0;
    const int keepStyle = canvas.drawStyle();
    // The dotted grid spans the graph's own ranges, so that it runs through no legend or name
    // beside them.
    const double gridLeft = std::min(xMin, 0.0), gridRight = std::max(xMax, 0.0);
    const double gridBottom = std::min(yMin, 0.0), gridTop = std::max(yMax, 0.0);

    if (usable(step.x)) {
        const double numbersY = xAxisAtZero && std::min(yMin, yMax) < 0
                                    ? std::min(yMin, yMax) - up * gapY
                                    : axisY - up * (std::abs(step.y) / 2 + gapY);
        auto tick = [&](int j) {
            const double x = j * step.x;
            canvas.line(x, axisY - step.y / 2, x, axisY + step.y / 2);
            canvas.setDrawStyle(kDot);
            canvas.line(x, gridBottom, x, gridTop);
            canvas.setDrawStyle(keepStyle);
            // Right of the tick, below the axis, or below the whole range where the values go
            // below zero, so that no curve runs through the number.
            printInside(canvas, x + gapX, numbersY, formatFixed(x, 2), true);
        };
        const double slack = 1e-9 * step.x;
        // Every second tick carries its number, or every fourth, sixth... where the numbers
        // would run into each other (a large text on a small graph).
        const double widest = std::max(canvas.textExtent(formatFixed(xMax, 2)).width,
                                       canvas.textExtent(formatFixed(xMin, 2)).width);
        const int every = numberedEvery(view.pixelsAlongX(step.x),
                                        view.pixelsAlongX(widest) + 2 * kNumberGapPixels);
        for (int j = 0; j <= kMostTicks && j * step.x <= xMax + slack; j += every) tick(j);
        for (int j = -every; j >= -kMostTicks && j * step.x >= xMin - slack; j -= every) tick(j);
    }
    if (usable(step.y)) {
        auto tick = [&](int j) {
            const double y = j * step.y;
            canvas.line(axisX - step.x / 2, y, axisX + step.x / 2, y);
            canvas.setDrawStyle(kDot);
            canvas.line(gridLeft, y, gridRight, y);
            canvas.setDrawStyle(keepStyle);
            // Just above the tick line: left of the axis where the canvas has room, clear of the
            // curves that start on the axis; else right of it.
            // Below the line where the canvas ends above it.
            const std::string text = formatScientific(y);
            const TextExtent e = canvas.textExtent(text);
            const double leftOf = axisX - gapX - e.width;
            const double above = y + up * (e.height + gapY);
            const bool roomAbove = (canvas.scaleTop() - above) * up >= 0;
            printInside(canvas, leftOf >= canvas.scaleLeft() ? leftOf : axisX + step.x / 2 + gapX,
                        roomAbove ? above : y - up * gapY, text, true);
        };
        // Whole multiples of the step between the two ends, the negative side without 0.
        const double slack = 1e-9 * step.y;
        const double lo = std::min(yMin, yMax) - slack;
        const double hi = std::max(yMin, yMax) + slack;
        const int every =
            numberedEvery(view.pixelsAlongY(step.y),
                          view.pixelsAlongY(canvas.textExtent("0").height) + kNumberGapPixels);
        for (int j = 0; j <= kMostTicks && j * step.y <= hi; j += every)
            if (j * step.y >= lo) tick(j);
        for (int j = -every; j >= -kMostTicks && j * step.y >= lo; j -= every)
            if (j * step.y <= hi) tick(j);
    }
}

double bottomWithRoomForNumbers(const PlotCanvas& canvas, double top, double least) {
    // The numbers stand below the ticks, which reach a twentieth of the range below the axis:
    // b = top/20 + g·(top + b)/P for g pixels of number and gap out of the canvas's P.
    const double g =
        canvas.view().pixelsAlongY(canvas.textExtent("0").height) + 2 * kNumberGapPixels;
    const double pixels = canvas.pixelHeight();
    if (!(pixels > 2 * g) || !(top > 0)) return -least;
    return -std::max(least, (top / 20 + g * top / pixels) / (1 - g / pixels));
}

double leftWithRoomForNumbers(const PlotCanvas& canvas, double right, double yMin, double yMax,
                              double least) {
    const ViewTransform view = canvas.view();
    double widest = 0;
    for (double y : {yMin, yMax, -std::max(std::abs(yMin), std::abs(yMax))})
        widest = std::max(widest, view.pixelsAlongX(canvas.textExtent(formatScientific(y)).width));
    // The margin m in pixels out of the canvas's P is the same share of the range:
    // left = −right · m / (P − m).
    const double margin = widest + 2 * kNumberGapPixels;
    const double pixels = canvas.pixelWidth();
    if (!(pixels > 2 * margin)) return -least;
    return std::min(-least, -right * margin / (pixels - margin));
}

void nameAxes(PlotCanvas& canvas, double xEnd, double axisY, std::string_view xName, double axisX,
              double yEnd, std::string_view yName) {
    const double left = canvas.scaleLeft();
    const double right = left + canvas.scaleWidth();
    const ViewTransform view = canvas.view();
    const double gapX = view.userAlongX(kNumberGapPixels);
    const double gapY = view.userAlongY(kNumberGapPixels);
    // The graphs' scales have y up.
    const TextExtent xe = canvas.textExtent(xName);
    if (xEnd + gapX + xe.width <= right)
        printInside(canvas, xEnd + gapX, axisY + xe.height / 2, std::string(xName));
    else  // above the axis, ending where it ends
        printInside(canvas, xEnd - xe.width, axisY + gapY + xe.height, std::string(xName));
    // At the free place nearest the vertical axis's top, its left side first, clear of the
    // numbers, the grid and whatever was drawn before.
    placeLabel(canvas, {axisX - gapX, yEnd}, yName, {-1, 0});
}

double angleOf(double x, double y) {
    const double pi = std::numbers::pi;
    if (x == 0) return y > 0 ? pi / 2 : (y < 0 ? -pi / 2 : 0.0);
    const double a = std::atan(y / x);
    if (x > 0) return a;
    return y >= 0 ? a + pi : a - pi;
}

void drawFormArrow(double x, double y, double vx, double vy, PlotCanvas& canvas, Rgb colour) {
    drawArrow(canvas, x, y, vx, vy, colour);
}

}  // namespace velarium
