#include "disk/DiskPicture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "draw/Arrow.h"

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

void penBack(PlotCanvas& canvas) {
    canvas.setForeColor(kBlack);
    canvas.setDrawWidth(1);
    canvas.setDrawStyle(kSolid);
}

// A vector arrow, kVelocityScale times v, from (x, y) in the given colour, width and style, with
// its caption at the tip in the same colour. A zero vector draws nothing.
void vectorArrow(PlotCanvas& canvas, Vec2 at, Vec2 v, Rgb colour, int width, int style,
                 const char* caption) {
    if (v.x == 0 && v.y == 0) return;
    const double dx = kVelocityScale * v.x;
    const double dy = kVelocityScale * v.y;
    canvas.setDrawWidth(width);
    canvas.setDrawStyle(style);
    drawArrow(canvas, at.x, at.y, dx, dy, colour);
    if (caption) {
        canvas.setForeColor(colour);
        canvas.setCurrentPosition(at.x + dx, at.y + dy);
        canvas.print(caption);
    }
    penBack(canvas);
}

void drawRim(PlotCanvas& canvas) { canvas.circle(0, 0, kViewHalfSize, kBlack); }

// The part of the segment from a along d (0 ≤ t ≤ 1) that starts at a and ends where it leaves
// the canvas's visible area: the picture is the same, without dashing far outside it. A start
// outside the area keeps the whole segment.
double visibleEnd(const PlotCanvas& canvas, Vec2 a, Vec2 d) {
    const double x0 = std::min(canvas.scaleLeft(), canvas.scaleLeft() + canvas.scaleWidth());
    const double x1 = std::max(canvas.scaleLeft(), canvas.scaleLeft() + canvas.scaleWidth());
    const double y0 = std::min(canvas.scaleTop(), canvas.scaleTop() + canvas.scaleHeight());
    const double y1 = std::max(canvas.scaleTop(), canvas.scaleTop() + canvas.scaleHeight());
    if (a.x < x0 || a.x > x1 || a.y < y0 || a.y > y1) return 1.0;
    double t = 1.0;
    if (d.x > 0) t = std::min(t, (x1 - a.x) / d.x);
    if (d.x < 0) t = std::min(t, (x0 - a.x) / d.x);
    if (d.y > 0) t = std::min(t, (y1 - a.y) / d.y);
    if (d.y < 0) t = std::min(t, (y0 - a.y) / d.y);
    return t;
}
}  // namespace

std::string formatFixed(double value, int decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    std::string s = buffer;
    // A value that rounds to zero shows no sign.
    if (s.front() == '-' && s.find_first_not_of("-0.") == std::string::npos) s.erase(0, 1);
    return s;
}

void setDiskScale(PlotCanvas& canvas, double zoom, double shiftX, double shiftY) {
    canvas.setScale(-2 * zoom + shiftX, 2 * zoom + shiftY, 2 * zoom + shiftX, -2 * zoom + shiftY);
}

void drawStartPicture(PlotCanvas& canvas, const DiskRun& run, int unitRadius) {
    const double r = unitRadius;
    canvas.clear();
    penBack(canvas);
    drawRim(canvas);
    canvas.circle(0, r, kBodyDotRadius, kTrailInertial);
    drawArrow(canvas, 0, r, kVelocityScale * run.bodyVx, kVelocityScale * run.bodyVy, kBlack);
    canvas.line(0, 0, 0, kViewHalfSize, kDiskRadius);
    canvas.line(0, 0, kViewHalfSize, 0, kDiskRadius);
    // The disk turns clockwise: an arc of radius 1 from +x down to −y, headed at its end.
    const double quarter = piValue / 2;
    canvas.arc(0, 0, 1, -quarter, 0, kDiskRadius);
    drawArrow(canvas, 0.02, -1, -0.02, 0, kDiskRadius);
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
    for (int k = from; k < count; ++k)
        canvas.circle(xs[static_cast<std::size_t>(k)], ys[static_cast<std::size_t>(k)],
                      kBodyDotRadius, colour);
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
        const double t = visibleEnd(canvas, v.position, d);
        canvas.setDrawStyle(kDot);
        canvas.line(v.position.x, v.position.y, v.position.x + t * d.x, v.position.y + t * d.y,
                    kLineOfMotion);
        penBack(canvas);
    }

    if (st.check1)
        vectorArrow(canvas, v.position, v.baseVelocity, kBaseVelocity, 1, kSolid,
                    "Velocity of the point of BASE");
    if (st.check2)
        vectorArrow(canvas, v.position, v.relative, kRelative, 4, kSolid, "Relative Velocity");
    const bool friction = st.friction && params.frictionDecel != 0;
    if (friction) vectorArrow(canvas, v.position, v.friction, kFriction, 2, kSolid, "FRICTION");

    // The vector diagram, half the canvas width beside the body (on the side with room for it):
    // absolute and rotating-frame velocity, and the relative velocity laid from the tip of the
    // disk point's velocity so that absolute = base + relative shows.
    const double half = canvas.scaleWidth() / 2;
    const double centre = canvas.scaleLeft() + half;
    const Vec2 o{v.position.x + (v.position.x <= centre ? half : -half), v.position.y};
    vectorArrow(canvas, o, v.inertialVelocity, kDiagramInertial, 1, kSolid,
                "Velocity in Inertial Frame");
    vectorArrow(canvas, o, v.rotatingVelocity, kDiagramRotating, st.rotatingView ? 2 : 1, kSolid,
                "Velocity in Rotating Frame");
    if (st.check2 || friction) {
        const Vec2 baseTip{o.x + kVelocityScale * v.baseVelocity.x,
                           o.y + kVelocityScale * v.baseVelocity.y};
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
