#include "translating/RelativePictures.h"

#include <algorithm>
#include <cmath>

#include "draw/Arrow.h"

namespace velarium {

namespace {

void arrow(PlotCanvas& c, std::vector<DrawnArrow>& kept, double x, double y, double dx,
           double dy, Rgb colour) {
    drawArrow(c, x, y, dx, dy, colour);
    kept.push_back({x, y, dx, dy});
}

void paintOver(PlotCanvas& c, std::vector<DrawnArrow>& kept) {
    c.setDrawWidth(4);
    for (const DrawnArrow& a : kept) drawArrow(c, a.x, a.y, a.dx, a.dy, kWhite);
    kept.clear();
}

}  // namespace

void setRelativeViewScale(PlotCanvas& canvas, int zoom, int panX, int panY) {
    const double s = zoom;
    canvas.setScale(s * (-30 - panX), s * (30 - panY), s * (30 - panX), s * (-30 - panY));
}

void setRelativeViewScales(PlotCanvas& lab, PlotCanvas& moving, const RelativeSettings& s) {
    setRelativeViewScale(lab, s.overallscale, s.xscaleeikona1, s.yscaleeikona1);
    setRelativeViewScale(moving, s.overallscale, s.xscaleeikona2, s.yscaleeikona2);
}

void drawRelativeStep(PlotCanvas& lab, PlotCanvas& moving, const RelativeRun& run,
                      const RelativeStep& step, const RelativeSettings& s,
                      RelativeArrows& arrows) {
    const int n = step.row;
    const double m = s.mazatoysomatos;
    const double ax = s.epitaxynshx;
    const double ay = s.epitaxynshy;
    if (n >= 1) {
        // Laboratory: the velocity, one length unit per velocity unit.
        paintOver(lab, arrows.lab);
        lab.setDrawWidth(2);
        arrow(lab, arrows.lab, run.labX[n], run.labY[n], run.labVx[n], run.labVy[n],
              kVelocityRed);
        lab.setDrawWidth(1);

        // Moving frame: the relative velocity and the forces, each M times the force per unit
        // mass: the fictitious force −m·A by components, and friction, static m·A while the
        // body is carried, kinetic −μ·m·g·û otherwise.
        paintOver(moving, arrows.moving);
        moving.setDrawWidth(2);
        const double x = run.relX[n];
        const double y = run.relY[n];
        arrow(moving, arrows.moving, x, y, step.ux, step.uy, kVelocityRed);
        if (ax != 0) arrow(moving, arrows.moving, x, y, -m * ax, 0, kFictitiousBlue);
        if (ay != 0) arrow(moving, arrows.moving, x, y, 0, -m * ay, kFictitiousBlue);
        if (run.carriedFlag == 1) {
            arrow(moving, arrows.moving, x, y, m * ax, m * ay, kStaticGreen);
        } else {
            const double f = m * kGravity * s.mu();
            arrow(moving, arrows.moving, x, y, -f * step.unitX, -f * step.unitY, kKineticGreen);
        }
    }
    moving.setDrawWidth(1);

    // Both trails, the laboratory one in the view's own foreground colour.
    const int last = std::min(n, RelativeRun::kPositionRows - 1);
    for (int i = 1; i <= last; ++i) lab.point(run.labX[i], run.labY[i]);
    for (int i = 1; i <= last; ++i) moving.point(run.relX[i], run.relY[i], kKineticGreen);

    drawRelativeLegend(moving, s);
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
}

bool advanceRelativeStep(PlotCanvas& lab, PlotCanvas& moving, RelativeRun& run,
                         const RelativeSettings& s, double dt, RelativeArrows& arrows) {
    if (!run.hasRoom()) return false;
    setRelativeViewScales(lab, moving, s);
    const RelativeStep step = advanceRelativeModel(run, s, dt);
    if (step.cameToRest) {
        moving.clear();
        arrows.moving.clear();
    }
    drawRelativeStep(lab, moving, run, step, s, arrows);
    run.relativeStepIndex = static_cast<std::int16_t>(step.row + 1);
    return true;
}

void replayRelativeRun(PlotCanvas& lab, PlotCanvas& moving, RelativeRun& run) {
    run.carriedFlag = 0;
    const int last = std::min<int>(run.relativeStepIndex, kReplayRows);
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
