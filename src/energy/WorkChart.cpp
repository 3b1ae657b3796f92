#include "energy/WorkChart.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <vector>

#include "draw/Palette.h"
#include "energy/BothFramesRun.h"
#include "energy/EnergyGraphs.h"
#include "energy/GraphAxes.h"

namespace velarium {

namespace {

constexpr Rgb kInertialEnergy = rgb(Colour::inertialEnergy);
constexpr Rgb kCentrifugalText = rgb(Colour::centrifugalWorkText);
// The boxes of a redraw: the inertial friction work less its work on the base point's motion.
constexpr const char* kRelativeFrictionText = "WORK OF FRICTION ON RELATIVE MOTION";

// Kinetic energy ½·m·(vx² + vy²).
double kineticEnergy(double m, double vx, double vy) { return 0.5 * m * (vx * vx + vy * vy); }

// Every value the chart draws at stored point i.
std::array<double, 8> chartValues(const DiskShared& disk, int i) {
    const OrbitTables& t = disk.tables;
    const double m = disk.params.bodyMass;
    const bool freeBase = disk.params.omegaVariable == 1;
    return {freeBase ? t.tabWorkBaseForce[i] : 0.0,
            t.tabWorkCentrifugal[i],
            t.tabWorkFrictionRotating[i],
            t.tabWorkTotalRotating[i],
            t.tabWorkFrictionInertial[i],
            t.tabWorkFrictionInertial[i] - t.tabWorkDrag[i],
            kineticEnergy(m, t.tabVx[i], t.tabVy[i]),
            kineticEnergy(m, t.tabVxRot[i], t.tabVyRot[i])};
}

// The chart between bottom and top, full or half: the curves, the end-of-run line and the legend.
// A redraw (by the button) marks the rotating friction work and words the legend differently.
void paintWorkChart(PlotCanvas& canvas, const DiskShared& disk, double totalTime, double top,
                    double bottom, bool redraw) {
    const DiskParameters& p = disk.params;
    const OrbitTables& t = disk.tables;
    // A chart with nothing to show, before any run, gets the range of a unit of work.
    if (!(std::isfinite(top) && std::isfinite(bottom) && top > bottom)) {
        top = 1;
        bottom = -1.0 / 3;
    }
    // Before any run, the length of the run the screen starts with.
    const double total = std::isfinite(totalTime) && totalTime > 0
                             ? totalTime
                             : bothFramesTotalTime(BothFramesSettings{}.xronosolikos);
    const int n = disk.tables.pointCount;
    const double m = p.bodyMass;
    const bool freeBase = p.omegaVariable == 1;

    canvas.clear();
    canvas.setScale(-total / 6, 1.5 * top, 2.1 * total, 1.5 * bottom);
    const double scaleBottom = canvas.scaleTop() + canvas.scaleHeight();
    const double tenth = (canvas.scaleTop() - scaleBottom) / 10;
    const double w = canvas.scaleWidth() / 10;
    drawAxisTicks(canvas, total, 0, 1.3 * top, 1.3 * bottom);

    // The symbols of the curves and of the legend.
    auto box = [&](double cx, double cy) {
        const double a = w / 30, b = tenth / 8;
        canvas.line(cx - a, cy - b, cx + a, cy - b);
        canvas.line(cx + a, cy - b, cx + a, cy + b);
        canvas.line(cx + a, cy + b, cx - a, cy + b);
        canvas.line(cx - a, cy + b, cx - a, cy - b);
    };
    auto triangle = [&](double x, double e) {
        canvas.line(x - w / 30, e, x + w / 30, e);
        canvas.line(x + w / 30, e, x - w / 60, e + tenth / 5);
        canvas.line(x - w / 60, e + tenth / 5, x - w / 30, e);
    };
    auto fatPoint = [&](double x, double y, Rgb colour) {
        canvas.setDrawWidth(3);
        canvas.point(x, y, colour);
        canvas.setDrawWidth(1);
    };

    const int dotStep = static_cast<int>(std::nearbyint(n / 18.0));
    const int markStep = static_cast<int>(std::nearbyint(n / 14.0));
    const int last = std::min(n - 10, drawableRows(disk) - 2);
    for (int i = 1; i <= last; ++i) {
        const double x = t.tabTime[i];
        const double next = t.tabTime[i + 1];
        if (freeBase) {
            canvas.setDrawWidth(2);
            canvas.line(x, t.tabWorkBaseForce[i], next, t.tabWorkBaseForce[i + 1], kRed);
            canvas.setDrawWidth(1);
        }
        if (dotStep > 0 && i % dotStep == 0) {
            // Kinetic energy in the inertial frame, ½·m·v².
            fatPoint(x, kineticEnergy(m, t.tabVx[i], t.tabVy[i]), kInertialEnergy);
            if (redraw) box(x, t.tabWorkFrictionInertial[i] - t.tabWorkDrag[i]);
        }
        canvas.setDrawWidth(3);
        canvas.line(x, t.tabWorkCentrifugal[i], next, t.tabWorkCentrifugal[i + 1], kGreen);
        canvas.setDrawWidth(1);
        canvas.point(x, t.tabWorkFrictionRotating[i]);
        canvas.point(x, t.tabWorkTotalRotating[i], kBlue);
        if (markStep > 0 && i % markStep == 0) {
            // Kinetic energy in the rotating frame, ½·m·v'².
            triangle(x, kineticEnergy(m, t.tabVxRot[i], t.tabVyRot[i]));
            canvas.circle(x, t.tabWorkFrictionInertial[i], w / 40);
        }
    }
    // The end of the run.
    canvas.line(total, scaleBottom, total, canvas.scaleTop() - scaleBottom);

    // Legend rows at n tenths above the bottom, text at 1.3·T and the sample left of it, just
    // below the text's first line. Where the widest text would pass the canvas's right edge, as
    // at a high zoom on a small display, texts and samples move left together, as far as a
    // tenth of T, which keeps the samples clear of the end of the run.
    struct LegendRow {
        double n10;
        const char* first;
        const char* again;
        Rgb colour;
        std::function<void(double y)> sample;
    };
    double sampleAt = 1.11 * total;
    auto sampleLine = [&](Rgb colour, int width) {
        return [&, colour, width](double y) {
            canvas.setDrawWidth(width);
            canvas.line(sampleAt, y, sampleAt + 0.19 * total, y, colour);
            canvas.setDrawWidth(1);
        };
    };
    auto fiveOf = [&](auto symbol) {
        return [&, symbol](double y) {
            for (int j = 0; j < 5; ++j) symbol(sampleAt + j * 0.04 * total, y);
        };
    };
    std::vector<LegendRow> rows;
    if (freeBase)
        rows.push_back({1, "WORK OF FORCE DUE TO ACCELERATION OF BASE",
                        "WORK DUE TO BASE ACCELERATION", kRed, sampleLine(kRed, 2)});
    rows.push_back(
        {9, "WORK OF CENTRIFUGAL", "WORK OF CENTRIFUBAL", kCentrifugalText, sampleLine(kGreen, 3)});
    rows.push_back({3, "KINETIC EN. IN INERTIAL", "KINETIC ENERGY IN INERTIAL", kBlack,
                    fiveOf([&](double x, double y) { fatPoint(x, y, kInertialEnergy); })});
    rows.push_back({4, "WORK OF FRICTION IN INERTIAL", "WORK OF FRICTION IN INERTIAL", kBlack,
                    fiveOf([&](double x, double y) { canvas.circle(x, y, w / 40); })});
    if (redraw)
        rows.push_back({4.75, kRelativeFrictionText, kRelativeFrictionText, kBlack,
                        fiveOf([&](double x, double y) { box(x, y); })});
    rows.push_back({6, "KINETIC EN. IN ROTATIONAL", "KINETIC ENERGY IN ROTATING", kBlack,
                    fiveOf([&](double x, double y) { triangle(x, y); })});
    rows.push_back(
        {7, "TOTAL WORK IN ROTATIONAL", "TOTAL WORK IN ROTATING", kBlue, sampleLine(kBlue, 1)});
    rows.push_back({2, "WORK OF FRICTION IN ROTATING", "WORK OF FRICTION IN ROTATING", kBlack,
                    sampleLine(kBlack, 1)});
    double widest = 0;
    for (const LegendRow& r : rows)
        widest = std::max(widest, canvas.textExtent(redraw ? r.again : r.first).width);
    const double right = std::max(canvas.scaleLeft(), canvas.scaleLeft() + canvas.scaleWidth()) -
                         0.01 * std::abs(canvas.scaleWidth());
    const double textAt = 1.3 * total - std::clamp(1.3 * total + widest - right, 0.0, 0.1 * total);
    sampleAt = textAt - 0.19 * total;
    for (const LegendRow& r : rows) {
        canvas.setForeColor(r.colour);
        canvas.setCurrentPosition(textAt, scaleBottom + r.n10 * tenth);
        canvas.print(redraw ? r.again : r.first);
        r.sample(canvas.currentY() + 0.27 * tenth);
    }
    canvas.setForeColor(kBlack);
    nameAxes(canvas, total, 0, kTimeAxis, 0, 1.3 * top, kWorkAxis);
}

}  // namespace

std::string drawWorkChartFirst(PlotCanvas& canvas, const DiskShared& disk, double totalTime,
                               WorkChartState& state) {
    // Every point a curve or a mark may reach, up to the end of the last curve segment.
    const int last = std::min(disk.tables.pointCount - 9, drawableRows(disk) - 1);
    double yMax = 0;
    double yMin = 0;
    for (int i = 1; i <= last; ++i) {
        for (double value : chartValues(disk, i)) {
            yMax = std::max(yMax, std::abs(value));
            yMin = std::min(yMin, value);
        }
    }
    // All plotted works 0 (or no run yet): a unit of work.
    if (!(std::isfinite(yMax) && yMax > 0)) {
        yMax = 1;
        yMin = 0;
    }
    if (yMin == 0) yMin = -yMax / 3;
    state.chartMax = yMax;
    state.chartMin = yMin;
    state.halfRangeOffered = true;
    paintWorkChart(canvas, disk, totalTime, yMax, yMin, false);
    return kHalfMaximumCaption;
}

std::string drawWorkChartToggled(PlotCanvas& canvas, const DiskShared& disk, double totalTime,
                                 WorkChartState& state) {
    const bool half = state.halfRangeOffered;
    const double scale = half ? 0.5 : 1.0;
    state.halfRangeOffered = !half;
    paintWorkChart(canvas, disk, totalTime, scale * state.chartMax, scale * state.chartMin, true);
    return half ? kInitialRangeCaption : kHalfRangeCaption;
}

}  // namespace velarium
