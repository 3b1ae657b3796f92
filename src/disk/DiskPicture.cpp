#include "disk/DiskPicture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

#include "draw/Arrow.h"
#include "draw/LabelPlacement.h"

namespace velarium {

using namespace diskcolours;

namespace {
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

// An arrow of the overlay, already scaled: drawn from `from` along `d`, and captioned once all
// the arrows are down, so that no caption is placed before the ink it must keep clear of.
struct OverlayArrow {
    Vec2 from, d;
    Rgb colour;
    int width = 1;
    int style = kSolid;
    std::string caption;
    // The size of the vector drawn, and its symbol ("F" or "v"), for a caption that must say it.
    double size = 0;
    const char* symbol = "v";
};

// An arrow shorter than two heads would be a head alone: a captioned one is drawn two heads long
// in its own direction, and its caption gives its size instead.
void lengthenShortArrow(const PlotCanvas& canvas, OverlayArrow& a) {
    const double n = length(a.d);
    const double least = 2 * barbLength(canvas);
    if (a.caption.empty() || !(n > 0) || n >= least) return;
    a.d = (least / n) * a.d;
    a.caption +=
        ", |" + std::string(a.symbol) + "| = " + formatFixed(a.size, 3) + " (drawn longer)";
}

void drawOverlayArrow(PlotCanvas& canvas, const OverlayArrow& a) {
    if (a.d.x == 0 && a.d.y == 0) return;
    canvas.setDrawWidth(a.width);
    canvas.setDrawStyle(a.style);
    clippedArrow(canvas, a.from, a.d, a.colour);
    penBack(canvas);
}

// The caption goes by the tip, clear of the head and within a few lines of it, or where the
// arrow leaves the view when its tip is out of sight; an arrow wholly out of sight, or of no
// length, has none.
void captionOverlayArrow(PlotCanvas& canvas, const OverlayArrow& a) {
    if (a.caption.empty() || (a.d.x == 0 && a.d.y == 0)) return;
    const auto [t0, t1] = visiblePart(viewBox(canvas, 0), a.from, a.d);
    if (t0 > t1) return;
    canvas.setForeColor(a.colour);
    placeLabel(canvas, {a.from.x + t1 * a.d.x, a.from.y + t1 * a.d.y}, a.caption, a.d,
               {barbLength(canvas), 4});
    penBack(canvas);
}

// The largest factor k ≤ kVelocityScale for which every arrow k·F from the body ends inside the
// view, a barb length in from its edges so that the heads show whole. One factor for all the
// forces keeps their lengths comparable. A body outside that frame keeps the velocities' factor.
double forceScale(const PlotCanvas& canvas, Vec2 body, const std::vector<Vec2>& forces) {
    const ViewBox view = viewBox(canvas, -barbLength(canvas));
    if (!view.contains(body)) return kVelocityScale;
    double k = kVelocityScale;
    auto limit = [&k](double from, double d, double lo, double hi) {
        if (d > 0) k = std::min(k, (hi - from) / d);
        if (d < 0) k = std::min(k, (lo - from) / d);
    };
    for (Vec2 f : forces) {
        limit(body.x, f.x, view.x0, view.x1);
        limit(body.y, f.y, view.y0, view.y1);
    }
    return k;
}

// Ink already on the picture or about to be drawn, as sample points, for choosing the place of
// the vector diagram.
struct Ink {
    std::vector<Vec2> points;
    void segment(Vec2 a, Vec2 d, double spacing) {
        const int n = std::clamp(static_cast<int>(length(d) / spacing), 1, 400);
        for (int i = 0; i <= n; ++i) points.push_back({a.x + d.x * i / n, a.y + d.y * i / n});
    }
};

// Where the vector diagram starts: beside the body, a few barb lengths from its dot, on the side
// (of eight) where the diagram, pushed inside the view as far as it fits, covers the fewest
// samples of ink; every barb length it has to be pushed costs as much as one sample.
Vec2 diagramOrigin(const PlotCanvas& canvas, Vec2 body, const std::vector<Vec2>& ends,
                   const Ink& ink) {
    const double barb = barbLength(canvas);
    const ViewBox view = viewBox(canvas, -barb);
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
    const double gap = kBodyDotRadius + 2 * barb;
    Vec2 best = body;
    double bestCost = std::numeric_limits<double>::infinity();
    for (int sx : {1, -1, 0})
        for (int sy : {0, 1, -1}) {
            if (sx == 0 && sy == 0) continue;
            // The diagram's box beyond the gap on that side, centred on the body across it.
            const double ox = sx > 0   ? body.x + gap - x0
                              : sx < 0 ? body.x - gap - x1
                                       : body.x - (x0 + x1) / 2;
            const double oy = sy > 0   ? body.y + gap - y0
                              : sy < 0 ? body.y - gap - y1
                                       : body.y - (y0 + y1) / 2;
            const Vec2 o{inside(ox, x0, x1, view.x0, view.x1),
                         inside(oy, y0, y1, view.y0, view.y1)};
            const ViewBox box{o.x + x0 - barb / 2, o.x + x1 + barb / 2, o.y + y0 - barb / 2,
                              o.y + y1 + barb / 2};
            double cost = std::hypot(o.x - ox, o.y - oy) / barb;
            for (Vec2 p : ink.points) cost += box.contains(p);
            if (cost < bestCost) {
                bestCost = cost;
                best = o;
            }
        }
    return best;
}

void drawRim(PlotCanvas& canvas) { canvas.circle(0, 0, kViewHalfSize, kBlack); }

}  // namespace

void setDiskScale(PlotCanvas& canvas, double zoom, double shiftX, double shiftY) {
    canvas.setScale(-2 * zoom + shiftX, 2 * zoom + shiftY, 2 * zoom + shiftX, -2 * zoom + shiftY);
}

double diskZoomInSight(const DiskParameters& params, const DiskRun& run,
                       const DiskPictureSettings& st, double zoom) {
    const auto k = static_cast<std::size_t>(run.stepIndex);
    const BodyNow body{run.pathX[k], run.pathY[k], run.bodyVx,
                       run.bodyVy,   run.omegaNow, run.diskAngle};
    const DiskVectors v = diskVectors(params, body, st.rotatingView, st.friction);
    double reach = std::max(std::abs(v.position.x), std::abs(v.position.y));
    auto tip = [&](Vec2 d) {
        const Vec2 e = v.position + kVelocityScale * d;
        reach = std::max({reach, std::abs(e.x), std::abs(e.y)});
    };
    tip(v.velocity);
    if (st.check1) tip(v.baseVelocity);
    if (st.check2) tip(v.relative);
    if (st.friction) tip(v.friction);
    // The view's half side is 2·s and a head is a seventy-fifth of its diagonal, 2·√2·2·s/75:
    // a point at `reach` with its dot and two heads of margin needs 2·s·(1 − 2·√2/37.5) ≥
    // reach + dot.
    const double needed = (reach + kBodyDotRadius) / (2 * (1 - 2 * std::sqrt(2.0) / 37.5));
    if (needed <= zoom) return zoom;
    return std::ceil(4 * needed) / 4;
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
    const double quarter = std::numbers::pi / 2;
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
    const BodyNow body{run.pathX[k], run.pathY[k], run.bodyVx,
                       run.bodyVy,   run.omegaNow, run.diskAngle};
    const DiskVectors v = diskVectors(params, body, st.rotatingView, st.friction);
    const double barb = barbLength(canvas);
    penBack(canvas);

    // The radius of the disk that started along +y: at (2·sin θ, 2·cos θ) for the inertial
    // observer, still for the rotating one.
    const Vec2 radiusEnd = st.rotatingView ? Vec2{0, kViewHalfSize}
                                           : Vec2{kViewHalfSize * std::sin(run.diskAngle),
                                                  kViewHalfSize * std::cos(run.diskAngle)};
    canvas.line(0, 0, radiusEnd.x, radiusEnd.y, kDiskRadius);

    if (!st.rotatingView && st.friction) {
        // Total angular momentum I·ω + m·(y·vx − x·vy) and the speed relative to the disk.
        const double l = angularMomentum(params, run.omegaNow, body.x, body.y, body.vx, body.vy);
        const auto [p, q] = relativeVelocity(body.vx, body.vy, body.x, body.y, body.omega);
        // |v_rel| = √(P² + Q²) is a speed, not a component.
        canvas.setForeColor(kBlack);
        const double left = canvas.scaleLeft() + 0.02 * canvas.scaleWidth();
        canvas.setCurrentPosition(left, canvas.scaleTop() + 0.02 * canvas.scaleHeight());
        canvas.print("L=" + formatFixed(l, 2));
        canvas.setCurrentPosition(left, canvas.currentY());
        canvas.print("vREL=" + formatFixed(std::sqrt(p * p + q * q), 2));
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

    // The arrows at the body: its velocity, the velocities of the check boxes, and friction.
    const Vec2 at = v.position;
    std::vector<OverlayArrow> arrows{{at, kVelocityScale * v.velocity, kBlack, 1, kSolid, ""}};
    if (st.check1)
        arrows.push_back({at, kVelocityScale * v.baseVelocity, kBaseVelocity, 1, kSolid,
                          "Velocity of the point of BASE", length(v.baseVelocity)});
    if (st.check2)
        arrows.push_back({at, kVelocityScale * v.relative, kRelative, 4, kSolid,
                          "Relative Velocity", length(v.relative)});
    const bool friction = st.friction && params.frictionDecel != 0;
    // The inertial view shows friction beside the velocities as the deceleration it causes; the
    // rotating view shows it among the forces, as m times that deceleration.
    if (friction && !st.rotatingView)
        arrows.push_back({at, kVelocityScale * v.friction, kFriction, 2, kSolid, "FRICTION",
                          length(v.friction), "a"});

    // The forces of the rotating view, all at one scale that keeps every one of them in sight,
    // so that the arrows the class sees add up to the total.
    std::string legend;
    if (st.rotatingView) {
        struct Force {
            Vec2 f;
            Rgb colour;
            int width, style;
            std::string caption;
        };
        std::vector<Force> forces;
        if (st.check4) forces.push_back({v.coriolis, kCoriolis, 2, kSolid, "Coriolis Force"});
        if (st.check5)
            forces.push_back({v.centrifugal, kCentrifugal, 2, kSolid, "Centrifugal Force"});
        if (friction)
            forces.push_back({params.bodyMass * v.friction, kFriction, 2, kSolid, "FRICTION"});
        if (st.check6 && st.freeDisk)
            forces.push_back(
                {v.baseAcceleration, kBaseAcceleration, 2, kSolid, "Force due to base acc."});
        double largestOther = 0;
        for (const Force& f : forces) largestOther = std::max(largestOther, length(f.f));
        if (st.pendulum) {
            // The pull of the pendulum, −K·m·r', is K/ω² times the centrifugal force: where it
            // dwarfs the rest, its caption says by how much.
            std::string caption = "Restoring Force";
            const double ratio = length(v.restoring) / largestOther;
            if (largestOther > 0 && ratio >= 5)
                caption += ", " + formatFixed(ratio, 0) + " × the largest other force";
            forces.push_back({v.restoring, kRestoring, 2, kSolid, caption});
        }
        if (st.check7) forces.push_back({v.total, kTotalForce, 3, kSolid, "Total Force"});
        std::vector<Vec2> fs;
        for (const Force& f : forces) fs.push_back(f.f);
        const double scale = forceScale(canvas, at, fs);
        for (const Force& f : forces)
            arrows.push_back(
                {at, scale * f.f, f.colour, f.width, f.style, f.caption, length(f.f), "F"});
        if (!forces.empty()) legend = "Forces drawn at " + formatFixed(scale, 3) + " × F";
    }

    // The vector diagram beside the body: absolute and rotating-frame velocity, and the relative
    // velocity laid from the tip of the disk point's velocity so that absolute = base + relative
    // shows.
    const bool triangle = st.check2 || friction;
    const Vec2 baseEnd = kVelocityScale * v.baseVelocity;
    std::vector<Vec2> ends{kVelocityScale * v.inertialVelocity,
                           kVelocityScale * v.rotatingVelocity};
    if (triangle) {
        ends.push_back(baseEnd);
        ends.push_back(baseEnd + kVelocityScale * v.relative);
        if (friction) ends.push_back(kVelocityScale * v.friction);
    }
    Ink ink;
    const auto& xs = st.rotatingView ? run.pathXRot : run.pathX;
    const auto& ys = st.rotatingView ? run.pathYRot : run.pathY;
    // The trail as the line its circles draw: an arrow laid along it would be lost in them.
    ink.points.push_back({xs[0], ys[0]});
    for (std::size_t i = 1; i <= k; ++i)
        ink.segment({xs[i - 1], ys[i - 1]}, {xs[i] - xs[i - 1], ys[i] - ys[i - 1]}, barb / 2);
    for (const OverlayArrow& a : arrows) ink.segment(a.from, a.d, barb / 2);
    ink.segment({0, 0}, radiusEnd, barb);
    for (int i = 0; i < 96; ++i) {
        const double angle = 2 * std::numbers::pi * i / 96;
        ink.points.push_back({kViewHalfSize * std::cos(angle), kViewHalfSize * std::sin(angle)});
    }
    // The body's dot weighs as a dozen samples: the diagram must not hide it.
    for (int i = 0; i < 12; ++i) ink.points.push_back(at);
    const Vec2 o = diagramOrigin(canvas, at, ends, ink);
    arrows.push_back({o, kVelocityScale * v.inertialVelocity, kDiagramInertial, 1, kSolid,
                      "Velocity in Inertial Frame", length(v.inertialVelocity)});
    arrows.push_back({o, kVelocityScale * v.rotatingVelocity, kDiagramRotating,
                      st.rotatingView ? 2 : 1, kSolid, "Velocity in Rotating Frame",
                      length(v.rotatingVelocity)});
    if (triangle) {
        arrows.push_back({o, baseEnd, kBaseVelocity, 1, kSolid, ""});
        arrows.push_back({o + baseEnd, kVelocityScale * v.relative, kRelative, 4, kSolid, ""});
        if (friction) arrows.push_back({o, kVelocityScale * v.friction, kFriction, 2, kSolid, ""});
    }

    for (OverlayArrow& a : arrows) lengthenShortArrow(canvas, a);
    for (const OverlayArrow& a : arrows) drawOverlayArrow(canvas, a);
    for (const OverlayArrow& a : arrows) captionOverlayArrow(canvas, a);
    if (!legend.empty()) {
        canvas.setForeColor(kBlack);
        // In the bottom-left corner, which the round disk leaves free.
        placeLabel(canvas, {canvas.scaleLeft(), canvas.scaleTop() + canvas.scaleHeight()}, legend);
    }
}

}  // namespace velarium
