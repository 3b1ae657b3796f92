#include "energy/PointAnimations.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "draw/Arrow.h"
#include "draw/LabelPlacement.h"
#include "draw/NumberFormat.h"
#include "energy/EnergyGraphs.h"
#include "energy/GraphAxes.h"

namespace velarium {

namespace {

// The vector graph's scale: the unit circle with a margin for the labels.
constexpr double kVectorHalfSide = 1.35;
// Points between two dots of the growing orbits.
constexpr int kDotEvery = 10;
// Arrows along each orbit over a run.
constexpr int kArrowsPerRun = 12;
// Length of those arrows, in radii.
constexpr double kOrbitArrowLength = 0.5;

// The largest inertial speed of the points the vector graph draws.
double largestSpeed(const DiskShared& disk, int last) {
    double vmax = 0;
    for (int i = 1; i <= last; ++i)
        vmax = std::max(vmax, std::hypot(disk.tables.tabVx[i], disk.tables.tabVy[i]));
    return std::isfinite(vmax) && vmax > 0 ? vmax : 1.0;
}

int lastVectorPoint(const DiskShared& disk) {
    return std::min(disk.tables.pointCount - 3, drawableRows(disk) - 1);
}

// Unit vector along (x, y), by its direction angle.
Vec2 along(double x, double y) {
    const double a = angleOf(x, y);
    return {std::cos(a), std::sin(a)};
}

}  // namespace

Vec2 frictionPerMass(const DiskShared& disk, int i) {
    const OrbitTables& t = disk.tables;
    const double mu = disk.params.frictionDecel;
    const double x = t.tabX[i], y = t.tabY[i];
    const double omega = i == 1 ? disk.params.diskOmega0 : t.tabOmega[i];
    if (i > 20 && t.tabVxRot[i] == 0 && t.tabVyRot[i] == 0) {
        // At rest on the base: friction supplies the centripetal force.
        const double r = std::hypot(x, y);
        return r > 0 ? Vec2{-mu * x / r, -mu * y / r} : Vec2{};
    }
    const auto [p, q] = relativeVelocity(t.tabVx[i], t.tabVy[i], x, y, omega);
    if (p == 0 && q == 0) return {0, -mu};
    if (p == 0) return {0, q > 0 ? -mu : mu};
    if (q == 0) return {p > 0 ? -mu : mu, 0};
    const Vec2 u = along(p, q);
    return {-mu * u.x, -mu * u.y};
}

PointAnimation startVectorGraph(PlotCanvas& canvas, const DiskShared& disk) {
    canvas.setScale(-kVectorHalfSide, kVectorHalfSide, kVectorHalfSide, -kVectorHalfSide);
    canvas.clear();
    const int last = lastVectorPoint(disk);
    return {1, last, largestSpeed(disk, last)};
}

void drawVectorGraphPoint(PlotCanvas& canvas, const DiskShared& disk, const PointAnimation& a,
                          int i) {
    const OrbitTables& t = disk.tables;
    if (i < 1 || i >= drawableRows(disk)) return;
    const double mu = disk.params.frictionDecel;
    const Vec2 v{t.tabVx[i] / a.speedScale, t.tabVy[i] / a.speedScale};
    const Vec2 f = frictionPerMass(disk, i);
    const Vec2 force = mu > 0 ? Vec2{f.x / mu, f.y / mu} : Vec2{};

    canvas.clear();
    canvas.circle(0, 0, 1, kGreen);
    drawFormArrow(0, 0, v.x, v.y, canvas, kRed);
    drawFormArrow(0, 0, force.x, force.y, canvas, kBlue);
    canvas.setForeColor(kRed);
    if (length(v) > 0) placeLabel(canvas, v, "VELOCITY", v);
    canvas.setForeColor(kBlue);
    if (length(force) > 0) placeLabel(canvas, force, "FORCE", force);
    canvas.setForeColor(kBlack);
    const double margin = 0.95 * kVectorHalfSide;
    canvas.setCurrentPosition(-margin, margin);
    canvas.print("t = " + formatFixed(t.tabTime[i], 2));
    if (length(v) > 0 && length(force) > 0) {
        const double cosine = dot(v, force) / (length(v) * length(force));
        const double degrees = std::acos(std::clamp(cosine, -1.0, 1.0)) * 180 / std::numbers::pi;
        canvas.setCurrentPosition(-margin, canvas.currentY());
        canvas.print("Angle = " + formatFixed(degrees, 0) + "°");
    }
}

PointAnimation startOrbitAnimation(PlotCanvas& canvas, const DiskShared& disk) {
    setOrbitScale(canvas, disk);
    canvas.clear();
    drawOrbitAxes(canvas);
    drawOrbitLegend(canvas);
    return {1, std::min<int>(disk.tables.pointCount - 1, drawableRows(disk) - 1), 1,
            PointAnimation::Kind::orbit};
}

void drawOrbitAnimationPoint(PlotCanvas& canvas, const DiskShared& disk, int i) {
    const OrbitTables& t = disk.tables;
    if (i < 1 || i >= drawableRows(disk)) return;
    if (i > 1) {
        canvas.line(t.tabX[i - 1], t.tabY[i - 1], t.tabX[i], t.tabY[i], kRed);
        canvas.line(t.tabXRot[i - 1], t.tabYRot[i - 1], t.tabXRot[i], t.tabYRot[i], kBlue);
    }
    if (i % kDotEvery == 0) {
        canvas.setDrawWidth(3);
        canvas.point(t.tabX[i], t.tabY[i], kRed);
        canvas.point(t.tabXRot[i], t.tabYRot[i], kBlue);
        canvas.setDrawWidth(1);
    }
    const int arrowEvery = std::max(1, disk.tables.pointCount / kArrowsPerRun);
    if (i % arrowEvery == 0) {
        const double r = disk.params.unitRadius > 0 ? disk.params.unitRadius : 1;
        const double l = kOrbitArrowLength * r;
        const Vec2 u = along(t.tabVx[i], t.tabVy[i]);
        drawFormArrow(t.tabX[i], t.tabY[i], l * u.x, l * u.y, canvas, kRed);
        // No arrow while the body rests on the base.
        if (t.tabVxRot[i] != 0 || t.tabVyRot[i] != 0) {
            const Vec2 w = along(t.tabVxRot[i], t.tabVyRot[i]);
            drawFormArrow(t.tabXRot[i], t.tabYRot[i], l * w.x, l * w.y, canvas, kBlue);
        }
    }
}

void drawAnimationPoint(PlotCanvas& canvas, const DiskShared& disk, const PointAnimation& a,
                        int i) {
    if (a.kind == PointAnimation::Kind::orbit)
        drawOrbitAnimationPoint(canvas, disk, i);
    else
        drawVectorGraphPoint(canvas, disk, a, i);
}

void drawAnimationMoment(PlotCanvas& canvas, const DiskShared& disk, const PointAnimation& a,
                         int k) {
    k = std::clamp(k, 0, std::max(a.last, 0));
    if (a.kind == PointAnimation::Kind::orbit) {
        startOrbitAnimation(canvas, disk);
        for (int i = 1; i <= k; ++i) drawOrbitAnimationPoint(canvas, disk, i);
        return;
    }
    startVectorGraph(canvas, disk);
    if (k > 0) drawVectorGraphPoint(canvas, disk, a, k);
}

}  // namespace velarium
