#include "disk/DiskPicture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>
#include <vector>

#include "draw/Arrow.h"
#include "draw/LabelPlacement.h"

namespace velarium {

namespace {
constexpr Rgb kBaseVelocity{0, 255, 0};
constexpr Rgb kRelative{255, 0, 255};
constexpr Rgb kFriction{0, 255, 0};
constexpr Rgb kLineOfMotion{0, 150, 150};
constexpr Rgb kDiagramInertial{255, 0, 0};
constexpr Rgb kDiagramRotating{0, 0, 255};
constexpr Rgb kCoriolis{100, 155, 150};
constexpr Rgb kCentrifugalStep{0, 0, 255};
constexpr Rgb kBaseAcceleration{100, 0, 150};

Vec2 operator+(Vec2 a, Vec2 b) { return {a.x + b.x, a.y + b.y}; }
Vec2 operator*(double k, Vec2 v) { return {k * v.x, k * v.y}; }

void penBack(PlotCanvas& canvas) {
    canvas.setForeColor(kBlack);
    canvas.setDrawWidth(1);
    canvas.setDrawStyle(kSolid);
}

// The canvas's visible area in user units, widened on every side by a margin.
struct ViewBox {
    double x0, x1, y0, y1;
    bool contains(Vec2 p) const { return p.x >= x0 && p.x <= x1 && p.y >= y0 && p.y <= y1; }
};

ViewBox viewBox(const PlotCanvas& canvas, double margin) {
    const double l = canvas.scaleLeft(), r = l + canvas.scaleWidth();
    const double t = canvas.scaleTop(), b = t + canvas.scaleHeight();
    return {std::min(l, r) - margin, std::max(l, r) + margin, std::min(t, b) - margin,
            std::max(t, b) + margin};
}

// The length of an arrow's barbs on this canvas: a seventy-fifth of the diagonal.
double barbLength(const PlotCanvas& canvas) {
    return std::hypot(canvas.scaleWidth(), canvas.scaleHeight()) / 75;
}

// The part of the segment a + t·d, 0 ≤ t ≤ 1, inside a box (Liang–Barsky), as [t0, t1]; empty
// when t0 > t1. Lines far longer than the view are drawn only where they can be seen, which
// keeps the raster engine from walking a line a million pixels long.
std::pair<double, double> visiblePart(const ViewBox& box, Vec2 a, Vec2 d) {
    double t0 = 0, t1 = 1;
    auto edge = [&](double p, double q) {
        if (p == 0) {
            if (q < 0) t0 = 2;  // parallel to the edge and outside it
            return;
        }
        const double r = q / p;
        if (p < 0)
            t0 = std::max(t0, r);
        else
            t1 = std::min(t1, r);
    };
    edge(-d.x, a.x - box.x0);
    edge(d.x, box.x1 - a.x);
    edge(-d.y, a.y - box.y0);
    edge(d.y, box.y1 - a.y);
    return {t0, t1};
}

// drawArrow from a along d, as it shows in the view. The box leaves two barb lengths around the
// view: a tip outside it has its barbs out of sight, so only the visible shaft is drawn; a start
// outside it is moved up the shaft, keeping at least two barb lengths of shaft so that the barbs
// are laid as on the whole arrow.
void clippedArrow(PlotCanvas& canvas, Vec2 a, Vec2 d, Rgb colour) {
    const double barb = barbLength(canvas);
    const ViewBox box = viewBox(canvas, 2 * barb);
    const auto [t0, t1] = visiblePart(box, a, d);
    if (t0 > t1) return;
    if (t1 < 1) {
        canvas.line(a.x + t0 * d.x, a.y + t0 * d.y, a.x + t1 * d.x, a.y + t1 * d.y, colour);
        return;
    }
    const double length = std::hypot(d.x, d.y);
    const double t = length > 2 * barb ? std::min(t0, 1 - 2 * barb / length) : 0.0;
    drawArrow(canvas, a.x + t * d.x, a.y + t * d.y, (1 - t) * d.x, (1 - t) * d.y, colour);
}

// A vector arrow, kVelocityScale times v, from (x, y) in the given colour, width and style, with
// its caption beside the tip in the same colour, ahead of the arrow where there is room, whole
// inside the canvas and clear of the texts already printed. A zero vector draws nothing.
void vectorArrow(PlotCanvas& canvas, Vec2 at, Vec2 v, Rgb colour, int width, int style,
                 const char* caption) {
    if (v.x == 0 && v.y == 0) return;
    const Vec2 d{kVelocityScale * v.x, kVelocityScale * v.y};
    canvas.setDrawWidth(width);
    canvas.setDrawStyle(style);
    clippedArrow(canvas, at, d, colour);
    // The caption goes by the tip, or where the arrow leaves the view when its tip is out of
    // sight; an arrow wholly out of sight has none.
    const auto [t0, t1] = visiblePart(viewBox(canvas, 0), at, d);
    if (caption && t0 <= t1) {
        canvas.setForeColor(colour);
        placeLabel(canvas, {at.x + t1 * d.x, at.y + t1 * d.y}, caption, d);
    }
    penBack(canvas);
}

// Where the vector diagram starts: half the canvas width to the left or the right of the body,
// on the side where the diagram (its arrows' ends about its origin) needs the smaller shift to
// lie inside the view, then shifted inside it as far as it fits.
Vec2 diagramOrigin(const PlotCanvas& canvas, Vec2 body, const std::vector<Vec2>& ends) {
    const ViewBox view = viewBox(canvas, -barbLength(canvas));
    double x0 = 0, x1 = 0, y0 = 0, y1 = 0;
    for (Vec2 e : ends) {
        x0 = std::min(x0, e.x);
        x1 = std::max(x1, e.x);
        y0 = std::min(y0, e.y);
        y1 = std::max(y1, e.y);
    }
    // The origin's range that keeps [o + lo, o + hi] inside [a, b]; a diagram larger than the
    // view keeps its low end in sight.
    auto inside = [](double o, double lo, double hi, double a, double b) {
        return std::max(std::min(o, b - hi), a - lo);
    };
    auto fitted = [&](Vec2 o) {
        return Vec2{inside(o.x, x0, x1, view.x0, view.x1), inside(o.y, y0, y1, view.y0, view.y1)};
    };
    const double half = std::abs(canvas.scaleWidth()) / 2;
    const Vec2 right{body.x + half, body.y}, left{body.x - half, body.y};
    const Vec2 r = fitted(right), l = fitted(left);
    const double moveRight = std::hypot(r.x - right.x, r.y - right.y);
    const double moveLeft = std::hypot(l.x - left.x, l.y - left.y);
    return moveRight <= moveLeft ? r : l;
}

void drawRim(PlotCanvas& canvas) { canvas.circle(0, 0, kViewHalfSize, kBlack); }

}  // namespace


void setDiskScale(PlotCanvas& canvas, double zoom, double shiftX, double shiftY) {
    canvas.setScale(-2 * zoom + shiftX, 2 * zoom + shiftY, 2 * zoom + shiftX, -2 * zoom + shiftY);
}

void drawStartPicture(PlotCanvas& canvas, const DiskRun& run, int unitRadius) {
    const double r = unitRadius;
    canvas.clear();
    penBack(canvas);
    drawRim(canvas);
    canvas.circle(0, r, kBodyDotRadius, kTrailInertial);
    clippedArrow(canvas, {0, r}, {kVelocityScale * run.bodyVx, kVelocityScale * run.bodyVy},
                 kBlack);
    canvas.line(0, 0, 0, kViewHalfSize, kDiskRadius);
    canvas.line(0, 0, kViewHalfSize, 0, kDiskRadius);
    // The disk turns clockwise: an arc of radius 1 from +x down to −y, headed at its end. The
    // head's shaft is the chord of the arc's last barb length, long enough at every zoom for
    // the barbs to lie behind the tip, so that the head points the clockwise way.
    const double quarter = piValue / 2;
    canvas.arc(0, 0, 1, -quarter, 0, kDiskRadius);
    const double chord = 2 * std::asin(std::min(barbLength(canvas) / 2, 1.0));
    const Vec2 from{std::cos(chord - quarter), std::sin(chord - quarter)};
    drawArrow(canvas, from.x, from.y, -from.x, -1 - from.y, kDiskRadius);
}

void drawDiskTrail(PlotCanvas& canvas, const DiskRun& run, bool rotatingView, TrailLayer& layer) {
    const int count = run.stepIndex + 1;
    const bool sameScale = layer.left == canvas.scaleLeft() && layer.top == canvas.scaleTop() &&
                           layer.width == canvas.scaleWidth() &&
                           layer.height == canvas.scaleHeight();
    int from = 0;
    if (layer.valid && layer.rotatingView == rotatingView && sameScale && layer.dots <= count) {
        canvas.restoreLayer(TrailLayer::kSlot);
        from = layer.dots;
    } else {
        canvas.clear();
        penBack(canvas);
        drawRim(canvas);
    }
    const auto& xs = rotatingView ? run.pathXRot : run.pathX;
    const auto& ys = rotatingView ? run.pathYRot : run.pathY;
    const Rgb colour = rotatingView ? kTrailRotating : kTrailInertial;
    // Dots out of sight are left out, on the kept picture as on a full one.
    const ViewBox box = viewBox(canvas, 2 * kBodyDotRadius);
    for (int k = from; k < count; ++k) {
        const Vec2 dot{xs[static_cast<std::size_t>(k)], ys[static_cast<std::size_t>(k)]};
        if (box.contains(dot)) canvas.circle(dot.x, dot.y, kBodyDotRadius, colour);
    }
    canvas.saveLayer(TrailLayer::kSlot);
    layer = {true,
             rotatingView,
             count,
             canvas.scaleLeft(),
             canvas.scaleTop(),
             canvas.scaleWidth(),
             canvas.scaleHeight()};
}

void drawDiskOverlay(PlotCanvas& canvas, const DiskParameters& params, const DiskRun& run,
                     const DiskPictureSettings& st) {
    const auto k = static_cast<std::size_t>(run.stepIndex);
    const BodyNow body{run.pathX[k], run.pathY[k], run.bodyVx, run.bodyVy, run.omegaNow,
                       run.diskAngle};
    const DiskVectors v = diskVectors(params, body, st.rotatingView, st.friction);
    penBack(canvas);

    // The radius of the disk that started along +y: at (2·sin θ, 2·cos θ) for the inertial
    // observer, still for the rotating one.
    if (st.rotatingView)
        canvas.line(0, 0, 0, kViewHalfSize, kDiskRadius);
    else
        canvas.line(0, 0, kViewHalfSize * std::sin(run.diskAngle),
                    kViewHalfSize * std::cos(run.diskAngle), kDiskRadius);

    vectorArrow(canvas, v.position, v.velocity, kBlack, 1, kSolid, nullptr);

    if (!st.rotatingView && st.friction) {
        // Total angular momentum I·ω + m·(y·vx − x·vy) and the speed relative to the disk.
        const double l = params.diskInertia * run.omegaNow +
                         params.bodyMass * (body.y * body.vx - body.x * body.vy);
        const auto [p, q] = relativeVelocity(body.vx, body.vy, body.x, body.y, body.omega);
        canvas.setForeColor(kBlack);
        canvas.setCurrentPosition(canvas.scaleLeft() + 0.02 * canvas.scaleWidth(),
                                  canvas.scaleTop() + 0.02 * canvas.scaleHeight());
        canvas.print("L=" + formatFixed(l, 2));
        canvas.print("vRELx=" + formatFixed(std::sqrt(p * p + q * q), 2));
    }

    if (!st.rotatingView) {
        // The straight line the body would follow if nothing acted on it.
        const Vec2 d{20 * body.vx, 20 * body.vy};
        const auto [t0, t1] = visiblePart(viewBox(canvas, 0), v.position, d);
        canvas.setDrawStyle(kDot);
        if (t0 <= t1)
            canvas.line(v.position.x + t0 * d.x, v.position.y + t0 * d.y, v.position.x + t1 * d.x,
                        v.position.y + t1 * d.y, kLineOfMotion);
        penBack(canvas);
    }

    if (st.check1)
        vectorArrow(canvas, v.position, v.baseVelocity, kBaseVelocity, 1, kSolid,
                    "Velocity of the point of BASE");
    if (st.check2)
        vectorArrow(canvas, v.position, v.relative, kRelative, 4, kSolid, "Relative Velocity");
    const bool friction = st.friction && params.frictionDecel != 0;
    if (friction) vectorArrow(canvas, v.position, v.friction, kFriction, 2, kSolid, "FRICTION");

    // The vector diagram, half the canvas width beside the body: absolute and rotating-frame
    // velocity, and the relative velocity laid from the tip of the disk point's velocity so that
    // absolute = base + relative shows.
    const bool triangle = st.check2 || friction;
    const Vec2 baseEnd = kVelocityScale * v.baseVelocity;
    std::vector<Vec2> ends{kVelocityScale * v.inertialVelocity,
                           kVelocityScale * v.rotatingVelocity};
    if (triangle) {
        ends.push_back(baseEnd);
        ends.push_back(baseEnd + kVelocityScale * v.relative);
        if (friction) ends.push_back(kVelocityScale * v.friction);
    }
    const Vec2 o = diagramOrigin(canvas, v.position, ends);
    vectorArrow(canvas, o, v.inertialVelocity, kDiagramInertial, 1, kSolid,
                "Velocity in Inertial Frame");
    vectorArrow(canvas, o, v.rotatingVelocity, kDiagramRotating, st.rotatingView ? 2 : 1, kSolid,
                "Velocity in Rotating Frame");
    if (triangle) {
        const Vec2 baseTip = o + baseEnd;
        vectorArrow(canvas, o, v.baseVelocity, kBaseVelocity, 1, kSolid, nullptr);
        vectorArrow(canvas, baseTip, v.relative, kRelative, 4, kSolid, nullptr);
        if (friction) vectorArrow(canvas, o, v.friction, kFriction, 2, kSolid, nullptr);
    }

    if (!st.rotatingView) return;
    if (st.check4) vectorArrow(canvas, v.position, v.coriolis, kCoriolis, 2, kSolid, "Coriolis Force");
    if (st.check5) {
        if (st.duringStep)
            vectorArrow(canvas, v.position, v.centrifugal, kCentrifugalStep, 2, kDot,
                        "Centrifugal Force");
        else
            vectorArrow(canvas, v.position, v.centrifugal, kBlack, 2, kSolid, nullptr);
    }
    if (st.check6 && st.freeDisk)
        vectorArrow(canvas, v.position, v.baseAcceleration, kBaseAcceleration, 2, kSolid,
                    "Force due to base acc.");
    if (st.check7) vectorArrow(canvas, v.position, v.total, kBlack, 3, kSolid, "Total Force");
}

}  // namespace velarium
