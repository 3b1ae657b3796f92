#include "energy/EnergyGraphs.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "draw/LabelPlacement.h"
#include "draw/NumberFormat.h"
#include "energy/GraphAxes.h"

namespace velarium {

namespace {

// Chords of the dotted start circle.
constexpr int kCircleChords = 200;
// Every this many points, a graph marks the values it compares with its curve.
constexpr int kMarkEvery = 50;
// The orbit graph's room around the farthest point, and the share of its height kept at the top
// for the legend.
constexpr double kOrbitMargin = 1.1;
constexpr double kLegendBand = 0.25;

// A range that a scale can take: positive and finite, else the fallback.
double rangeOr(double value, double fallback) {
    return std::isfinite(value) && value > 0 ? value : fallback;
}

double radiusOf(const DiskParameters& p) { return p.unitRadius > 0 ? p.unitRadius : 1; }

}  // namespace

int drawableRows(const DiskShared& disk) {
    return std::clamp(std::min<int>(disk.tables.pointCount, disk.tables.rowCount), 0,
                      OrbitTables::kRows);
}

void setOrbitScale(PlotCanvas& canvas, const DiskShared& disk) {
    const OrbitTables& t = disk.tables;
    double reachX = radiusOf(disk.params);
    double reachY = reachX;
    for (int i = 1; i < drawableRows(disk); ++i) {
        reachX = std::max({reachX, std::abs(t.tabX[i]), std::abs(t.tabXRot[i])});
        reachY = std::max({reachY, std::abs(t.tabY[i]), std::abs(t.tabYRot[i])});
    }
    // A tenth more on every side, and the top quarter kept for the legend.
    const double halfWidth = rangeOr(kOrbitMargin * reachX, 1.0);
    const double halfHeight = rangeOr(kOrbitMargin * reachY / (1 - kLegendBand), 1.0);
    // The same units per pixel both ways: the direction with room to spare widens.
    const double perPixel =
        std::max(2 * halfWidth / canvas.pixelWidth(), 2 * halfHeight / canvas.pixelHeight());
    const double x = perPixel * canvas.pixelWidth() / 2;
    const double y = perPixel * canvas.pixelHeight() / 2;
    canvas.setScale(-x, y, x, -y);
}

void drawOrbitAxes(PlotCanvas& canvas) {
    const double right = canvas.scaleLeft() + canvas.scaleWidth();
    const double bottom = canvas.scaleTop() + canvas.scaleHeight();
    canvas.line(canvas.scaleLeft(), 0, right, 0);
    canvas.line(0, bottom, 0, canvas.scaleTop());
    nameAxes(canvas, right, 0, kOrbitXAxis, 0, canvas.scaleTop(), kOrbitYAxis);
}

void drawOrbitLegend(PlotCanvas& canvas) {
    const double left = canvas.scaleLeft();
    const double top = canvas.scaleTop();
    const double width = canvas.scaleWidth();
    const double h = -canvas.scaleHeight() / 10;
    const double down = canvas.scaleHeight() < 0 ? -1.0 : 1.0;
    // Sample lines in the top left corner, each text just after its line: far from the
    // vertical axis in the middle. Where an orbit keeps a text from its place, the text goes
    // to the nearest free one and its sample line with it, so that the two still read as one.
    const double key = width / 10, gap = width / 80;
    auto row = [&](double y, Rgb colour, const char* text) {
        canvas.setForeColor(colour);
        const Vec2 at = placeLabel(canvas, {left + width / 8, y}, text, {1, 0},
                                   {.leftRoom = key + gap});
        const double middle = at.y + down * canvas.textExtent(text).height / 2;
        canvas.line(at.x - gap - key, middle, at.x - gap, middle);
    };
    row(top - h, kRed, "INERTIAL SYSTEM");
    row(top - 2 * h, kBlue, "ROTATING SYSTEM");
    canvas.setForeColor(kBlack);
}

void drawOrbitGraph(PlotCanvas& canvas, const DiskShared& disk) {
    const OrbitTables& t = disk.tables;
    const double r = radiusOf(disk.params);
    setOrbitScale(canvas, disk);
    canvas.clear();
    drawOrbitAxes(canvas);
    // The last 20 points are left out.
    const int last = std::min(disk.tables.pointCount - 20, drawableRows(disk) - 2);
    for (int i = 1; i <= last; ++i) {
        canvas.line(t.tabX[i], t.tabY[i], t.tabX[i + 1], t.tabY[i + 1], kRed);
        canvas.line(t.tabXRot[i], t.tabYRot[i], t.tabXRot[i + 1], t.tabYRot[i + 1], kBlue);
    }
    // The circle of radius R on which the body starts.
    canvas.setDrawStyle(kDot);
    for (int j = 1; j <= kCircleChords; ++j) {
        const double a = 2 * std::numbers::pi * j / kCircleChords;
        const double b = 2 * std::numbers::pi * (j + 1) / kCircleChords;
        canvas.line(r * std::cos(a), r * std::sin(a), r * std::cos(b), r * std::sin(b), kMagenta);
    }
    canvas.setDrawStyle(kSolid);
    drawOrbitLegend(canvas);
}

void drawBaseAngleGraph(PlotCanvas& canvas, const DiskShared& disk, double totalTime) {
    const OrbitTables& t = disk.tables;
    const int n = disk.tables.pointCount;
    const int rows = drawableRows(disk);
    double thetaMax = 0;
    const int last = std::min(n - 5, rows - 1);
    // The range holds every point drawn.
    for (int i = 1; i <= last; ++i) thetaMax = std::max(thetaMax, std::abs(t.tabTheta[i]));
    thetaMax = rangeOr(thetaMax, 1.0);
    const double span = rangeOr(totalTime, 1.0);
    canvas.setScale(-span / 20, thetaMax, span, -thetaMax / 20);
    const double bottom = bottomWithRoomForNumbers(canvas, thetaMax, thetaMax / 20);
    canvas.setScale(-span / 20, thetaMax, span, bottom);
    canvas.setScale(leftWithRoomForNumbers(canvas, span, 0, thetaMax, span / 20), thetaMax, span,
                    bottom);
    canvas.clear();
    canvas.line(-span, 0, span, 0);
    canvas.line(0, -thetaMax, 0, thetaMax);
    drawAxisTicks(canvas, span, 0, thetaMax, 0);
    for (int i = 1; i <= last; ++i) canvas.point(t.tabTime[i], t.tabTheta[i]);
    nameAxes(canvas, span, 0, kTimeAxis, 0, thetaMax, kAngleAxis);
}

void drawAngularVelocityGraph(PlotCanvas& canvas, const DiskShared& disk) {
    const OrbitTables& t = disk.tables;
    const int n = disk.tables.pointCount;
    const double dt = disk.tables.stepH;
    const double w0 = rangeOr(disk.params.diskOmega0, 2.0);
    const double span = rangeOr(n * dt, 1.0);
    canvas.clear();
    canvas.setScale(-span / 10, 1.5 * w0, 1.1 * span, -0.2 * w0);
    canvas.line(-span / 20, 0, span, 0);
    canvas.line(0, -w0, 0, w0);
    drawAxisTicks(canvas, span, -span / 10, w0, 0);

    const int last = std::min(n - 1, drawableRows(disk) - 2);
    double omegaFinal = last >= 1 ? t.tabOmega[last] : w0;
    for (int i = 1; i <= last; ++i) {
        canvas.line(t.tabTime[i], t.tabOmegaTorque[i], t.tabTime[i + 1], t.tabOmegaTorque[i + 1],
                    kRed);
        if (i % kMarkEvery == 0) {
            canvas.setDrawWidth(3);
            canvas.point(t.tabTime[i], t.tabOmega[i], kBlue);
            canvas.setDrawWidth(1);
            omegaFinal = t.tabOmega[i];
        }
    }

    nameAxes(canvas, span, 0, kTimeAxis, 0, w0, kOmegaAxis);

    // The legend's samples span N·dt/4 to N·dt/2; their texts stand right of them.
    const double from = span / 4;
    const double to = span / 2;
    const double textX = to + span / 50;
    canvas.setForeColor(kRed);
    canvas.setCurrentPosition(textX, 1.1 * w0);
    canvas.print("Angular velocity calculated by the motion equations");
    canvas.line(from, 1.05 * w0, to, 1.05 * w0);
    canvas.setForeColor(kBlue);
    canvas.setDrawWidth(4);
    for (int j = 0; j < 7; ++j) canvas.point(from + j * (to - from) / 6, 1.28 * w0);
    canvas.setDrawWidth(1);
    canvas.setCurrentPosition(textX, 1.3 * w0);
    canvas.print("Angular velocity calculated by Angular Momentum conservation");
    canvas.setForeColor(kBlack);
    canvas.setCurrentPosition(from, 0.3 * w0);
    canvas.print("ω final = " + formatFixed(omegaFinal, 2));
}

void drawVelocityGraphs(PlotCanvas& canvas, const DiskShared& disk) {
    const OrbitTables& t = disk.tables;
    const int n = disk.tables.pointCount;
    const int rows = drawableRows(disk);
    const double dt = disk.tables.stepH;
    const double span = rangeOr(n * dt, 1.0);
    double vmax = 0;
    // The larger of the two speeds bounds every component drawn, the relative velocity's
    // included (its length is the rotating-frame speed).
    for (int i = 1; i <= std::min(n, rows - 1); ++i)
        vmax = std::max(
            {vmax, std::hypot(t.tabVxRot[i], t.tabVyRot[i]), std::hypot(t.tabVx[i], t.tabVy[i])});
    vmax = rangeOr(vmax, 1.0);

    canvas.clear();
    // The right half is left for the legend, and the left margin for the values' numbers, so that
    // no curve starting on the axis runs through them.
    canvas.setScale(-span / 20, 1.1 * vmax, 2 * span, -1.1 * vmax);
    canvas.setScale(leftWithRoomForNumbers(canvas, 2 * span, -vmax, vmax, span / 20), 1.1 * vmax,
                    2 * span, -1.1 * vmax);
    drawAxisTicks(canvas, span, 0, vmax, -vmax);
    auto curve = [&](const std::vector<double>& values, int i, Rgb colour) {
        canvas.line(t.tabTime[i], values[i], t.tabTime[i + 1], values[i + 1], colour);
    };
    for (int i = 1; i <= std::min(n - 1, rows - 2); ++i) {
        canvas.setDrawWidth(3);
        curve(t.tabVx, i, kRed);
        canvas.setDrawWidth(1);
        curve(t.tabVy, i, kBlack);
        curve(t.tabVxRot, i, kGreen);
        canvas.setDrawWidth(4);
        curve(t.tabVyRot, i, kBlue);
        canvas.setDrawWidth(1);
        if (i % kMarkEvery == 0) {
            // The relative velocity in inertial components: (vx − ω·y, vy + ω·x).
            const auto [p, q] =
                relativeVelocity(t.tabVx[i], t.tabVy[i], t.tabX[i], t.tabY[i], t.tabOmega[i]);
            canvas.setDrawWidth(2);
            canvas.point(t.tabTime[i], p, kGreen);
            canvas.setDrawWidth(3);
            canvas.point(t.tabTime[i], q, kBlack);
            canvas.setDrawWidth(1);
        }
    }

    nameAxes(canvas, span, 0, kTimeAxis, 0, vmax, kSpeedAxis);

    struct Entry {
        const char* text;
        Rgb colour;
        int width;
        bool points;
    };
    const Entry entries[] = {
        {"VX Inertial frame", kRed, 3, false},     {"VY Intertial frame", kBlack, 1, false},
        {"VX ROTATING FRAME", kGreen, 1, false},   {"VY rotating frame", kBlue, 4, false},
        {"Vrelative X INERTIAL", kGreen, 2, true}, {"Vrelatvie Y INERTIAL", kBlack, 3, true},
    };
    const double sampleFrom = 1.1 * span;
    const double sampleTo = 1.25 * span;
    double y = 0.9 * vmax;
    for (const Entry& e : entries) {
        canvas.setDrawWidth(e.width);
        if (e.points) {
            for (int j = 0; j < 3; ++j)
                canvas.point(sampleFrom + (j + 0.5) * (sampleTo - sampleFrom) / 3, y, e.colour);
        } else {
            canvas.line(sampleFrom, y, sampleTo, y, e.colour);
        }
        canvas.setDrawWidth(1);
        canvas.setForeColor(e.colour);
        canvas.setCurrentPosition(1.3 * span, y + canvas.textExtent(e.text).height / 2);
        canvas.print(e.text);
        y -= 0.3 * vmax;
    }
    canvas.setForeColor(kBlack);
}

}  // namespace velarium
