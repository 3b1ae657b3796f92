#include "translating/RelativePictures.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <sstream>

#include "draw/Arrow.h"

namespace velarium {

namespace {

// Clips the segment from (x0, y0) to (x1, y1) to the box [left, right] × [bottom, top]
// (Liang–Barsky); returns false when nothing of it lies inside.
bool clipSegment(double& x0, double& y0, double& x1, double& y1, double left, double right,
                 double bottom, double top) {
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    double t0 = 0, t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 - left, right - x0, y0 - bottom, top - y0};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0) {
            if (q[k] < 0) return false;
            continue;
        }
        const double r = q[k] / p[k];
        if (p[k] < 0)
            t0 = std::max(t0, r);
        else
            t1 = std::min(t1, r);
        if (t0 > t1) return false;
    }
    x1 = x0 + t1 * dx;
    y1 = y0 + t1 * dy;
    x0 = x0 + t0 * dx;
    y0 = y0 + t0 * dy;
    return true;
}

void arrow(PlotCanvas& c, std::vector<DrawnArrow>& kept, double x, double y, double dx, double dy,
           Rgb colour) {
    drawArrow(c, x, y, dx, dy, colour);
    kept.push_back({x, y, dx, dy});
}

// Paints the last step's arrows and ring over in white, width 4, and hands them back as damage
// (a ring as the point at its centre).
std::vector<DrawnArrow> paintOver(PlotCanvas& c, ViewDrawn& drawn) {
    std::vector<DrawnArrow> old = std::move(drawn.arrows);
    drawn.arrows.clear();
    c.setDrawWidth(4);
    for (const DrawnArrow& a : old) drawArrow(c, a.x, a.y, a.dx, a.dy, kWhite);
    for (const DrawnRing& r : drawn.rings) {
        c.circle(r.x, r.y, r.radius, kWhite);
        old.push_back({r.x, r.y, 0, 0});
    }
    drawn.rings.clear();
    return old;
}

// The ring round the body, a hundredth of the view's diagonal across, drawn width 2.
void markBody(PlotCanvas& c, ViewDrawn& drawn, double x, double y) {
    const double radius = std::hypot(c.scaleWidth(), c.scaleHeight()) / 200;
    c.setDrawWidth(2);
    c.circle(x, y, radius, kBlack);
    c.setDrawWidth(1);
    drawn.rings.push_back({x, y, radius});
}

// Centres the view on the body when the body has left its middle three fifths: the new offset
// of the view's centre, or none while the body is well inside.
std::optional<ViewFollow> followTo(const PlotCanvas& c, ViewFollow follow, double x, double y) {
    const double cx = c.scaleLeft() + c.scaleWidth() / 2;
    const double cy = c.scaleTop() + c.scaleHeight() / 2;
    if (std::abs(x - cx) <= 0.3 * std::abs(c.scaleWidth()) &&
        std::abs(y - cy) <= 0.3 * std::abs(c.scaleHeight()))
        return std::nullopt;
    return ViewFollow{follow.x + x - cx, follow.y + y - cy};
}

// Whether (x, y) lies within margin of the shaft of arrow a.
bool nearArrow(const DrawnArrow& a, double x, double y, double margin) {
    const double len2 = a.dx * a.dx + a.dy * a.dy;
    double t = 0;
    if (len2 > 0) t = std::clamp(((x - a.x) * a.dx + (y - a.y) * a.dy) / len2, 0.0, 1.0);
    const double ex = x - (a.x + t * a.dx);
    const double ey = y - (a.y + t * a.dy);
    return ex * ex + ey * ey <= margin * margin;
}

// Trail rows 1..n of (xs, ys). The rows already drawn are drawn again where they lie near a
// damaged arrow: within three barb lengths (a seventy-fifth of the diagonal each) of its shaft,
// which holds the barbs and the stroke.
template <class DrawPoint>
void drawTrail(const PlotCanvas& c, const std::vector<double>& xs, const std::vector<double>& ys,
               int n, ViewDrawn& drawn, const std::vector<DrawnArrow>& damage, DrawPoint point) {
    if (drawn.trailRows > n) drawn.trailRows = 0;
    const double margin = std::hypot(c.scaleWidth(), c.scaleHeight()) / 25;
    if (!damage.empty()) {
        for (int i = 1; i <= drawn.trailRows; ++i) {
            const double x = xs[i];
            const double y = ys[i];
            if (std::any_of(damage.begin(), damage.end(),
                            [&](const DrawnArrow& a) { return nearArrow(a, x, y, margin); }))
                point(x, y);
        }
    }
    for (int i = drawn.trailRows + 1; i <= n; ++i) point(xs[i], ys[i]);
    drawn.trailRows = n;
}

}  // namespace

void setRelativeViewScale(PlotCanvas& canvas, int zoom, int panX, int panY, ViewFollow follow) {
    const double s = zoom;
    canvas.setScale(s * (-30 - panX) + follow.x, s * (30 - panY) + follow.y,
                    s * (30 - panX) + follow.x, s * (-30 - panY) + follow.y);
}

void setRelativeViewScales(PlotCanvas& lab, PlotCanvas& moving, const RelativeSettings& s,
                           const RelativeDrawn& drawn) {
    setRelativeViewScale(lab, s.overallscale, s.xscaleeikona1, s.yscaleeikona1, drawn.labFollow);
    setRelativeViewScale(moving, s.overallscale, s.xscaleeikona2, s.yscaleeikona2,
                         drawn.movingFollow);
}

double relativeForceScale(const RelativeSettings& s) {
    const double mass = s.mazatoysomatos / 50.0;
    const double largest = mass * std::max({std::abs(double(s.epitaxynshx)),
                                            std::abs(double(s.epitaxynshy)), s.mu() * kGravity});
    const double room = 60.0 * s.overallscale / 5;
    // 50, 20, 10, 5, 2, 1, 0.5, …: the mantissas 5, 2, 1 at falling powers of ten.
    constexpr double kMantissa[3] = {5, 2, 1};
    double scale = 50;
    for (int k = 1; largest * scale > room * (1 + 1e-12) && k < 60; ++k)
        scale = kMantissa[k % 3] * std::pow(10.0, 1 - k / 3);
    return scale;
}

std::string relativeForceScaleText(double scale) {
    std::ostringstream out;
    out << "FORCE ARROWS: LENGTH = " << scale << " X FORCE";
    return out.str();
}

void drawRelativeStep(PlotCanvas& lab, PlotCanvas& moving, const RelativeRun& run,
                      const RelativeStep& step, const RelativeSettings& s, RelativeDrawn& drawn) {
    const int n = step.row;
    // Every force arrow at one scale: the force, mass × force per unit mass, times k.
    const double m = s.mazatoysomatos / 50.0 * relativeForceScale(s);
    const double ax = s.epitaxynshx;
    const double ay = s.epitaxynshy;
    // Laboratory: the velocity, one length unit per velocity unit, and the body.
    std::vector<DrawnArrow> labDamage = paintOver(lab, drawn.lab);
    lab.setDrawWidth(2);
    arrow(lab, drawn.lab.arrows, run.labX[n], run.labY[n], run.labVx[n], run.labVy[n],
          kVelocityRed);
    lab.setDrawWidth(1);
    markBody(lab, drawn.lab, run.labX[n], run.labY[n]);

    // Moving frame: the relative velocity and the forces: the fictitious force −m·A by
    // components, and friction, static m·A while the body is carried, kinetic −μ·m·g·û otherwise.
    std::vector<DrawnArrow> movingDamage = paintOver(moving, drawn.moving);
    moving.setDrawWidth(2);
    const double x = run.relX[n];
    const double y = run.relY[n];
    arrow(moving, drawn.moving.arrows, x, y, step.ux, step.uy, kVelocityRed);
    if (ax != 0) arrow(moving, drawn.moving.arrows, x, y, -m * ax, 0, kFictitiousBlue);
    if (ay != 0) arrow(moving, drawn.moving.arrows, x, y, 0, -m * ay, kFictitiousBlue);
    if (run.carriedFlag == 1) {
        arrow(moving, drawn.moving.arrows, x, y, m * ax, m * ay, kStaticGreen);
    } else {
        const double f = m * kGravity * s.mu();
        arrow(moving, drawn.moving.arrows, x, y, -f * step.unitX, -f * step.unitY, kKineticGreen);
    }
    markBody(moving, drawn.moving, x, y);
    moving.setDrawWidth(1);

    // Both trails, the laboratory one in the view's own foreground colour.
    const int last = std::min(n, RelativeRun::kPositionRows - 1);
    labDamage.insert(labDamage.end(), drawn.lab.arrows.begin(), drawn.lab.arrows.end());
    movingDamage.insert(movingDamage.end(), drawn.moving.arrows.begin(), drawn.moving.arrows.end());
    for (const DrawnRing& r : drawn.lab.rings) labDamage.push_back({r.x, r.y, 0, 0});
    for (const DrawnRing& r : drawn.moving.rings) movingDamage.push_back({r.x, r.y, 0, 0});
    drawTrail(lab, run.labX, run.labY, last, drawn.lab, labDamage,
              [&](double x, double y) { lab.point(x, y); });
    drawTrail(moving, run.relX, run.relY, last, drawn.moving, movingDamage,
              [&](double x, double y) { moving.point(x, y, kKineticGreen); });

    // The legend's corner of the view: its arrows and texts, with the same margin.
    const int legend =
        (s.epitaxynshx != 0 || s.epitaxynshy != 0 ? 1 : 0) | (s.trivistoepipedo != 0 ? 2 : 0);
    const double l = moving.scaleLeft();
    const double t = moving.scaleTop();
    const double sw = moving.scaleWidth();
    const double sh = moving.scaleHeight();
    const double margin = std::hypot(sw, sh) / 25;
    const double x0 = std::min(l, l + sw / 8) - margin;
    const std::string scaleText = relativeForceScaleText(relativeForceScale(s));
    const TextExtent scaleExtent = moving.textExtent(scaleText);
    const double x1 = std::max({l + s.overallscale * s.movingViewWidth / 8,
                                l + sw / 8 + moving.textExtent("FICTIONAL FORCE").width,
                                l + sw / 8 + scaleExtent.width}) +
                      margin;
    const double y0 = std::min(t, t + sh / 10) - scaleExtent.height - margin;
    const double y1 = std::max(t, t + sh / 10) + margin;
    bool covered = legend != drawn.moving.legend;
    for (const DrawnArrow& a : movingDamage) {
        double ax0 = a.x, ay0 = a.y, ax1 = a.x + a.dx, ay1 = a.y + a.dy;
        covered = covered || clipSegment(ax0, ay0, ax1, ay1, x0, x1, y0, y1);
    }
    if (last >= 1) {
        const double px = run.relX[last];
        const double py = run.relY[last];
        covered = covered || (px >= x0 && px <= x1 && py >= y0 && py <= y1);
    }
    if (covered) drawRelativeLegend(moving, s);
    drawn.moving.legend = legend;
}

void drawRelativeLegend(PlotCanvas& moving, const RelativeSettings& s) {
    const double l = moving.scaleLeft();
    const double t = moving.scaleTop();
    const double sw = moving.scaleWidth();
    const double sh = moving.scaleHeight();
    const double length = s.overallscale * s.movingViewWidth / 8;
    if (s.epitaxynshx != 0 || s.epitaxynshy != 0) {
        moving.setDrawWidth(2);
        drawArrow(moving, l, t + sh / 15, length, 0, kFictitiousBlue);
        moving.setDrawWidth(1);
        moving.setCurrentPosition(l + sw / 8, t - std::abs(sh / 22));
        moving.print("FICTIONAL FORCE");
    }
    if (s.trivistoepipedo != 0) {
        moving.setDrawWidth(2);
        drawArrow(moving, l, t + sh / 10, length, 0, kKineticGreen);
        moving.setDrawWidth(1);
        moving.setCurrentPosition(l + sw / 8, t - std::abs(sh / 13));
        moving.print("FRICTION");
    }
    // The scale of the force arrows, a row below.
    if (s.epitaxynshx != 0 || s.epitaxynshy != 0 || s.trivistoepipedo != 0) {
        moving.setCurrentPosition(l + sw / 8, t - std::abs(sh / 8));
        moving.print(relativeForceScaleText(relativeForceScale(s)));
    }
}

bool advanceRelativeStep(PlotCanvas& lab, PlotCanvas& moving, RelativeRun& run,
                         const RelativeSettings& s, double dt, RelativeDrawn& drawn) {
    if (!run.hasRoom()) return false;
    // A new run starts in the views as zoom and pan set them.
    if (run.relativeStepIndex == 0) drawn.labFollow = drawn.movingFollow = {};
    setRelativeViewScales(lab, moving, s, drawn);
    const RelativeStep step = advanceRelativeModel(run, s, dt);
    if (step.cameToRest) {
        moving.clear();
        drawn.moving.forget();
    }
    // A new scale of the force arrows shows the moving frame afresh, legend and all.
    const double forceScale = relativeForceScale(s);
    if (forceScale != drawn.forceScale) {
        if (drawn.forceScale != 0) moving.clear();
        drawn.moving.forget();
        drawn.forceScale = forceScale;
    }
    const int n = step.row;
    auto follow = [&](PlotCanvas& view, ViewFollow& at, ViewDrawn& kept, double x, double y,
                      int panX, int panY) {
        if (const auto to = followTo(view, at, x, y)) {
            at = *to;
            setRelativeViewScale(view, s.overallscale, panX, panY, at);
            view.clear();
            kept.forget();
        }
    };
    follow(lab, drawn.labFollow, drawn.lab, run.labX[n], run.labY[n], s.xscaleeikona1,
           s.yscaleeikona1);
    follow(moving, drawn.movingFollow, drawn.moving, run.relX[n], run.relY[n], s.xscaleeikona2,
           s.yscaleeikona2);
    drawRelativeStep(lab, moving, run, step, s, drawn);
    run.relativeStepIndex = static_cast<std::int16_t>(step.row + 1);
    return true;
}

void drawRelativeRows(PlotCanvas& lab, PlotCanvas& moving, const RelativeRun& run, int n,
                      const RelativeSettings& s, RelativeDrawn& drawn) {
    setRelativeViewScales(lab, moving, s, drawn);
    lab.clear();
    moving.clear();
    drawn.lab.forget();
    drawn.moving.forget();
    drawn.forceScale = relativeForceScale(s);
    if (n < 1 || n > std::min(run.rowsHeld, RelativeRun::kPositionRows)) return;
    const auto row = static_cast<std::size_t>(n - 1);
    RelativeStep step;
    step.row = n - 1;
    step.ux = run.relUx[row];
    step.uy = run.relUy[row];
    step.speed = std::sqrt(step.ux * step.ux + step.uy * step.uy);
    if (step.speed > 0) {
        step.unitX = step.ux / step.speed;
        step.unitY = step.uy / step.speed;
    }
    drawRelativeStep(lab, moving, run, step, s, drawn);
}

void replayRelativeRun(PlotCanvas& lab, PlotCanvas& moving, RelativeRun& run) {
    run.carriedFlag = 0;
    // Rows 0..relativeStepIndex − 1 hold the run; the row at relativeStepIndex was not written.
    const int last = std::min<int>(run.relativeStepIndex - 1, kReplayRows);
    for (int i = 1; i <= last; ++i) {
        moving.point(run.relX[i], run.relY[i], kFictitiousBlue);
        if (i % 10 == 0) {
            lab.circle(run.labX[i], run.labY[i], 0.5, kVelocityRed);
            moving.circle(run.relX[i], run.relY[i], 0.3, kFictitiousBlue);
        }
    }
    run.relativeStepIndex = 0;
}

}  // namespace velarium
