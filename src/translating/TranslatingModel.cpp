#include "translating/TranslatingModel.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "numeric/RkfStep.h"

namespace velarium {

double relativeDisplayStep(int timerInterval) {
    const int interval = timerInterval > 0 ? timerInterval : kTimeEvolutionInterval;
    return interval / 15.0;
}

bool frictionHolds(double ax, double ay, double mu) {
    return std::sqrt(ax * ax + ay * ay) <= mu * kGravity;
}

void carriedAcceleration(double ax, double ay, double mu, double& outX, double& outY) {
    const double a = std::sqrt(ax * ax + ay * ay);
    const double limit = mu * kGravity;
    // Static friction supplies m·A up to its limit μ·m·g; beyond it the body slips behind the
    // frame, pulled along by the largest friction the plane has.
    const double factor = a <= limit ? 1.0 : limit / a;
    outX = ax * factor;
    outY = ay * factor;
}

double translatingDerivative(double t, std::span<const double> state, int i, double v0x, double v0y,
                             double mu, const RelativeSettings& controls, int carriedFlag) {
    if (i == 2) return state[0];
    if (i == 3) return state[1];
    const double ax = controls.epitaxynshx;
    const double ay = controls.epitaxynshy;
    // Relative velocity r = v − (V0 + A·t).
    const double rx = state[0] - (v0x + ax * t);
    const double ry = state[1] - (v0y + ay * t);
    const double s = std::sqrt(rx * rx + ry * ry);
    if (carriedFlag == 1 ||
        (s < kCarriedSpeed && std::abs(rx) < kCarriedSpeed && std::abs(ry) < kCarriedSpeed)) {
        double cx = 0, cy = 0;
        carriedAcceleration(ax, ay, mu, cx, cy);
        return i == 0 ? cx : cy;
    }
    // Kinetic friction per unit mass, −μ·g·r/|r|; here |r| ≥ 0.001.
    return -mu * kGravity * (i == 0 ? rx : ry) / s;
}

TranslatingStepEnd integrateTranslatingStep(TranslatingState start, double t0, double dt,
                                            const RelativeSettings& controls, int carriedFlag) {
    const double mu = controls.mu();
    const double v0x = controls.taxythtax;
    const double v0y = controls.taxythtay;
    std::array<double, 4> y{start.vx, start.vy, start.x, start.y};
    if (std::isfinite(dt) && dt > 0 && std::isfinite(t0)) {
        const double h = dt / kSubSteps;
        auto f = [&](double t, std::span<const double> stage, int i) {
            return translatingDerivative(t, stage, i, v0x, v0y, mu, controls, carriedFlag);
        };
        std::array<double, 4> next{};
        // Twelve sub-steps, each from its own instant t0 + k·h, so that the step ends at t0 + Δt
        // exactly and the rows keep to the times they are labelled with.
        for (int k = 0; k < kSubSteps; ++k) {
            rkfStep(t0 + k * h, y, h, next, 4, f);
            y = next;
        }
    }
    return {y[2], y[3], y[0], y[1]};
}

double snapRelativeComponent(double u, double w) {
    return std::abs(u) < kSnapFactor * std::abs(w) ? 0.0 : u;
}

RelativeRun::RelativeRun()
    : labX(kPositionRows),
      labY(kPositionRows),
      labVx(kVelocityRows),
      labVy(kVelocityRows),
      relX(kPositionRows),
      relY(kPositionRows),
      carriedAt(kPositionRows),
      relUx(kPositionRows),
      relUy(kPositionRows) {}

void RelativeRun::showRows(int k) {
    if (k < 0 || k > rowsHeld) return;
    relativeStepIndex = static_cast<std::int16_t>(k);
    carriedFlag = k > 0 ? carriedAt[static_cast<std::size_t>(k - 1)] : 0;
}

RelativeStep advanceRelativeModel(RelativeRun& run, const RelativeSettings& s, double dt) {
    RelativeStep out;
    const int n = run.relativeStepIndex;
    out.row = n;
    const double ax = s.epitaxynshx;
    const double ay = s.epitaxynshy;
    const bool carriedBefore = run.carriedFlag == 1;

    TranslatingState start;
    if (n == 0) {
        start = {double(s.arxikivx), double(s.arxikvy), double(s.arxikx), double(s.arxikiy)};
    } else {
        start = {run.labVx[n - 1], run.labVy[n - 1], run.labX[n - 1], run.labY[n - 1]};
    }
    const TranslatingStepEnd end = integrateTranslatingStep(start, n * dt, dt, s, run.carriedFlag);
    run.labX[n] = end.x;
    run.labY[n] = end.y;
    run.labVx[n] = end.vx;
    run.labVy[n] = end.vy;

    // The frame velocity W at the row's instant (n + 1)·Δt, from the current control values.
    const double tRow = (n + 1) * dt;
    const double wx = s.taxythtax + ax * tRow;
    const double wy = s.taxythtay + ay * tRow;
    double ux = snapRelativeComponent(end.vx - wx, wx);
    double uy = snapRelativeComponent(end.vy - wy, wy);
    // A body at rest in the frame keeps a residue of u: within one sub-step h = Δt/12 kinetic
    // friction changes the relative velocity by up to μ·g·h, so the fixed step leaves it
    // chattering about zero at that size. Below it (and below the equations' own threshold)
    // the body rides with the frame: u is zero and the body has the frame's velocity.
    const double rest = std::max(kCarriedSpeed, s.mu() * kGravity * dt / 12);
    if (std::hypot(ux, uy) < rest) {
        ux = uy = 0;
        run.labVx[n] = wx;
        run.labVy[n] = wy;
    }

    // The body comes to rest in the frame when both components snap, as long as friction can
    // hold it there; once the frame's acceleration outgrows μ·g it slides again.
    const bool holds = frictionHolds(ax, ay, s.mu());
    if (ux == 0 && uy == 0 && holds && run.carriedFlag == 0) {
        run.carriedFlag = 1;
        out.cameToRest = true;
    } else if (!holds) {
        run.carriedFlag = 0;
    }
    if (run.carriedFlag == 1) ux = uy = 0;

    // Moving-frame position: the lab displacement less the frame's, starting at the first
    // stored lab point. The frame moves by ∫W dt = Δt·(W(nΔt) + W((n + 1)Δt))/2 over the step,
    // W being linear in t; a body carried throughout the step stays where it came to rest.
    if (n == 0) {
        run.relX[0] = end.x;
        run.relY[0] = end.y;
    } else if (carriedBefore && run.carriedFlag == 1) {
        run.relX[n] = run.relX[n - 1];
        run.relY[n] = run.relY[n - 1];
    } else {
        const double framePathX = dt * (wx - ax * dt / 2);
        const double framePathY = dt * (wy - ay * dt / 2);
        run.relX[n] = run.relX[n - 1] + (end.x - run.labX[n - 1]) - framePathX;
        run.relY[n] = run.relY[n - 1] + (end.y - run.labY[n - 1]) - framePathY;
    }
    run.rowsHeld = n + 1;
    run.carriedAt[static_cast<std::size_t>(n)] = static_cast<std::int8_t>(run.carriedFlag);
    run.relUx[static_cast<std::size_t>(n)] = ux;
    run.relUy[static_cast<std::size_t>(n)] = uy;

    out.ux = ux;
    out.uy = uy;
    out.speed = std::sqrt(ux * ux + uy * uy);
    if (out.speed > 0) {
        out.unitX = ux / out.speed;
        out.unitY = uy / out.speed;
    }
    return out;
}

}  // namespace velarium
