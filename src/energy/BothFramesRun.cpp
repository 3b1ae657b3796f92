#include "energy/BothFramesRun.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace velarium {

namespace {
// Nearest whole number, a half going to the even neighbour.
double roundEven(double x) { return std::nearbyint(x); }
}  // namespace

double bothFramesTotalTime(int xronosolikos) { return xronosolikos * std::numbers::pi / 4; }

BothFramesPlan planBothFramesRun(const BothFramesSettings& s) {
    BothFramesPlan plan;
    plan.totalTime = bothFramesTotalTime(std::max(s.xronosolikos, 1));
    plan.dt = std::max(s.timeinterval, 1) / kTimeIntervalUnits;
    // Formed in double precision: T/dt + 1 can exceed any 16-bit count.
    const double n = roundEven(plan.totalTime / plan.dt + 1);
    if (n > kMaxBothFramesPoints) {
        plan.dt = plan.totalTime / kMaxBothFramesPoints;
        plan.timeinterval = static_cast<int>(roundEven(plan.dt * kTimeIntervalUnits));
        plan.pointCount = kMaxBothFramesPoints;
    } else {
        plan.pointCount = static_cast<int>(n);
    }
    return plan;
}

BothFramesRun runBothFrames(DiskShared& disk, const BothFramesSettings& settings) {
    DiskParameters& p = disk.params;
    OrbitTables& tab = disk.tables;

    p = DiskParameters{};
    const double r0 = p.unitRadius;
    const double w0 = p.diskOmega0;
    p.bodyMass = bodyMassFor(settings.massvalue);
    p.omegaVariable = settings.dialogi ? 1 : 0;
    p.frictionDecel = settings.syntelfri / 10.0;
    // Kinetic friction acts throughout the run; a coefficient of 0 switches it off.
    p.frictionOn = true;
    // The restoring force of a chosen pendulum, which stays as it is throughout the run.
    p.springK = disk.pendulumChosen ? kPendulumK : 0.0;

    BothFramesRun run;
    run.plan = planBothFramesRun(settings);
    const double dt = run.plan.dt;
    const int n = run.plan.pointCount;
    tab.stepH = dt;
    tab.pointCount = n;

    // The body at rest on the base at (0, R), moving with the base point under it: L = I·ω0 +
    // m·R²·ω0, the base and the body turning together.
    DiskState start;
    start.y = {r0 * w0, 0, 0, r0, 0, w0, 0};
    start.omega = w0;
    p.totalAngularMomentum = angularMomentum(p, w0, 0, r0, r0 * w0, 0);

    // Rows are stored until the time reaches T, at most N of them.
    int count = 0;
    for (double t = 0; count < n;) {
        ++count;
        t += dt;
        if (!(t < run.plan.totalTime)) break;
    }
    const DiskStretch stretch = integrateDisk(p, start, dt, count);
    const int rest = stretch.events.restRow;
    if (rest >= 0) run.restTime = rest * dt;

    for (auto* table :
         {&tab.tabWorkFrictionInertial, &tab.tabWorkFrictionRotating, &tab.tabWorkCentrifugal,
          &tab.tabWorkBaseForce, &tab.tabWorkTotalRotating, &tab.tabWorkDrag})
        (*table)[0] = 0;
    const double m = p.bodyMass;
    const double f = p.omegaVariable;
    for (int k = 0; k < count; ++k) {
        const DiskState& row = stretch.rows[static_cast<std::size_t>(k)];
        const double vx = row.y[kVx], vy = row.y[kVy], x = row.y[kX], y = row.y[kY];
        const double omega = row.omega;
        tab.tabTime[k] = row.t;
        tab.tabVx[k] = vx;
        tab.tabVy[k] = vy;
        tab.tabX[k] = x;
        tab.tabY[k] = y;
        tab.tabOmegaTorque[k] = row.y[kOmega];
        tab.tabOmega[k] = omega;
        tab.tabTheta[k] = row.theta;
        tab.tabEnergy[k] = row.y[kEnergy];
        const double c = std::cos(row.theta);
        const double s = std::sin(row.theta);
        tab.tabXRot[k] = x * c - y * s;
        tab.tabYRot[k] = x * s + y * c;
        const auto [pr, qr] = relativeVelocity(vx, vy, x, y, omega);
        const double slip = std::sqrt(pr * pr + qr * qr);
        // Angular acceleration of the base from the friction torque, dω/dt = μ·m·(y·P −
        // x·Q)·F/(|v_rel|·I); none while the body moves with the base.
        const double alpha =
            slip > 0 ? p.frictionDecel * m * (y * pr - x * qr) * f / (slip * p.diskInertia) : 0.0;
        if (rest >= 0 && k >= rest) {
            // The free base carries the body along at rest.
            tab.tabVxRot[k] = 0;
            tab.tabVyRot[k] = 0;
        } else {
            tab.tabVxRot[k] = pr * c - qr * s;
            tab.tabVyRot[k] = pr * s + qr * c;
        }
        tab.tabKeRot[k] =
            0.5 * m * (tab.tabVxRot[k] * tab.tabVxRot[k] + tab.tabVyRot[k] * tab.tabVyRot[k]);
        updateWorkTables(disk, k, alpha);
    }
    run.rows = count;
    tab.rowCount = count;
    return run;
}

void updateWorkTables(DiskShared& disk, int k, double alpha) {
    const DiskParameters& p = disk.params;
    OrbitTables& tab = disk.tables;
    if (k < 1 || k >= OrbitTables::kRows) return;
    const auto i = static_cast<std::size_t>(k);
    const double m = p.bodyMass;
    const double mu = p.frictionDecel;
    const double dt = tab.stepH;
    const double omega = tab.tabOmega[i];
    const double x = tab.tabX[i], y = tab.tabY[i], vx = tab.tabVx[i], vy = tab.tabVy[i];
    const double xr = tab.tabXRot[i], yr = tab.tabYRot[i];
    const double vxr = tab.tabVxRot[i], vyr = tab.tabVyRot[i];
    // The rotating-frame velocity is set to zero while the body rests on a free base.
    const bool moving = !(vxr == 0 && vyr == 0);
    // Friction −μ·m·(P, Q)/|v_rel| acts against the velocity relative to the base as the step's
    // motion saw it: the step from point k − 1 to point k was integrated with the base turning
    // at ω_{k−1}, and ω jumps to ω_k only after it. Along the step the power therefore runs from
    // its value at point k − 1 to its value at point k, both with ω_{k−1}; the step's work is
    // their mean times dt. (Read with ω_k, the direction of (P, Q) is off by r·Δω/|v_rel|, and on
    // a free base the friction work drifts from the change of kinetic energy.)
    const double stepOmega = tab.tabOmega[i - 1];
    // Friction's power on the velocity (a, b) at a point; none while the body moves with the
    // base.
    auto power = [&](std::size_t row, auto velocityOf) {
        const auto [pr, qr] = relativeVelocity(tab.tabVx[row], tab.tabVy[row], tab.tabX[row],
                                               tab.tabY[row], stepOmega);
        const double slip = std::sqrt(pr * pr + qr * qr);
        if (!(slip > 0)) return 0.0;
        const auto [a, b] = velocityOf(row, pr, qr);
        return -mu * m * (pr * a + qr * b) / slip;
    };
    auto frictionWork = [&](auto velocityOf) {
        return 0.5 * dt * (power(i - 1, velocityOf) + power(i, velocityOf));
    };
    auto inertial = [&](std::size_t row, double, double) {
        return std::pair{tab.tabVx[row], tab.tabVy[row]};
    };
    auto relative = [](std::size_t, double pr, double qr) { return std::pair{pr, qr}; };
    auto basePoint = [&](std::size_t row, double, double) {
        return std::pair{stepOmega * tab.tabY[row], -stepOmega * tab.tabX[row]};
    };

    if (k > 1) {
        // Friction's work on the motion of the base point under the body: −μ·m·ω·(P·y −
        // Q·x)/|v_rel| per unit time, the inertial friction power less the rotating one.
        tab.tabWorkDrag[i] = tab.tabWorkDrag[i - 1] + (moving ? frictionWork(basePoint) : 0.0);
        // The force −m·α×r of the base's angular acceleration: power m·α·(ω·r² + x·vy − y·vx).
        const double r2 = x * x + y * y;
        tab.tabWorkBaseForce[i] = tab.tabWorkBaseForce[i - 1] +
                                  (moving ? m * (omega * r2 + x * vy - y * vx) * alpha * dt : 0.0);
        tab.tabWorkFrictionRotating[i] =
            tab.tabWorkFrictionRotating[i - 1] + (moving ? frictionWork(relative) : 0.0);
        // The centrifugal force m·ω²·r' does the work m·ω²·(r'·v')·dt.
        tab.tabWorkCentrifugal[i] =
            tab.tabWorkCentrifugal[i - 1] + m * omega * omega * (vyr * yr + vxr * xr) * dt;
    }
    // Friction's work on the inertial velocity: −μ·m·(P·vx + Q·vy)/|v_rel| per unit time.
    tab.tabWorkFrictionInertial[i] = tab.tabWorkFrictionInertial[i - 1] + frictionWork(inertial);
    tab.tabWorkTotalRotating[i] =
        tab.tabWorkFrictionRotating[i] + tab.tabWorkCentrifugal[i] + tab.tabWorkBaseForce[i];
}

}  // namespace velarium
