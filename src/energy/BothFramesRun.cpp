#include "energy/BothFramesRun.h"

#include <algorithm>
#include <cmath>

#include "disk/DiskDerivatives.h"
#include "draw/Alerts.h"
#include "numeric/RkfStep.h"
#include "numeric/VectorState.h"

namespace velarium {

namespace {
// K of the restoring force while a pendulum is chosen.
constexpr double kPendulumK = 40.0;
// Stored points before the rest test starts.
constexpr int kRestTestFrom = 20;
// The body rests on the base when P² + Q² falls below this.
constexpr double kRestSpeedSquared = 0.0001;

// Nearest whole number, a half going to the even neighbour.
double roundEven(double x) { return std::nearbyint(x); }
}  // namespace

double bothFramesTotalTime(int xronosolikos) { return xronosolikos * 4 * std::atan(1.0) / 4; }

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

double freeDiskDerivative(DiskParameters& p, double t, std::span<double> y, int i) {
    p.springK = p.pendulumChosen ? kPendulumK : 0.0;
    if (i >= 0 && i <= kOmega) return diskDerivative(p, t, y, i);
    if (i == kTheta0) {
        y[kOmega] = p.diskOmega;
        const double f = p.omegaVariable;
        const double m = p.bodyMass;
        const double bodyMomentum = m * (y[kY] * y[kVx] - y[kX] * y[kVy]);
        return (p.totalAngularMomentum - f * bodyMomentum -
                (1 - f) * p.diskOmega0 * m * p.unitRadius) /
               p.diskInertia;
    }
    return 0.0;
}

BothFramesRun runBothFrames(DiskShared& disk, const BothFramesSettings& settings) {
    clearUpperVectorHalves();
    DiskParameters& p = disk.params;
    OrbitTables& tab = disk.tables;

    p.unitRadius = 1;
    const double r0 = p.unitRadius;
    p.bodyMass = settings.massvalue / 2.0;
    p.diskOmega = 2.0;
    p.diskOmega0 = p.diskOmega;
    p.diskInertia = 10.0;
    // L = I·ω0 + m·R²·ω0: the base and the body turning together.
    p.totalAngularMomentum = p.diskInertia * p.diskOmega + p.bodyMass * r0 * r0 * p.diskOmega;
    p.omegaVariable = settings.dialogi ? 1 : 0;
    p.frictionDecel = settings.syntelfri / 10.0;
    p.frictionDecelNow = p.frictionDecel;
    // Kinetic friction acts throughout the run; a coefficient of 0 switches it off.
    p.frictionOn = true;

    BothFramesRun run;
    run.plan = planBothFramesRun(settings);
    const double dt = run.plan.dt;
    const int n = run.plan.pointCount;
    p.stepH = dt;
    p.pointCount = static_cast<std::int16_t>(n);

    const double m = p.bodyMass;
    const double w0 = p.diskOmega0;
    const bool free = p.omegaVariable == 1;
    const double f = p.omegaVariable;
    for (auto* table :
         {&tab.tabWorkFrictionInertial, &tab.tabWorkFrictionRotating, &tab.tabWorkCentrifugal,
          &tab.tabWorkBaseForce, &tab.tabWorkTotalRotating, &tab.tabWorkDrag})
        (*table)[0] = 0;

    // The body at rest on the base at (0, R), moving with the base point under it.
    DiskState state{r0 * w0, 0, 0, r0, 0, w0, 0};
    DiskState out = state;
    // The disk model's right-hand side for components 0..5, as freeDiskDerivative gives them: the
    // restoring force of a chosen pendulum, which stays as it is throughout the run.
    p.springK = p.pendulumChosen ? kPendulumK : 0.0;
    double t = 0;
    int k = 0;
    // Once the free base carries the body, the body rides with it at the radius it came to rest
    // at, and base and body turn together at ω = L/(I + m·r²).
    bool riding = false;
    double ridingOmega = 0;
    do {
        p.frictionDecelNow = p.frictionDecel;
        if (riding) {
            // A turn of ω·dt clockwise, the body moving with the base point under it.
            const double a = ridingOmega * dt;
            const double x = state[kX], y = state[kY];
            state[kX] = x * std::cos(a) + y * std::sin(a);
            state[kY] = -x * std::sin(a) + y * std::cos(a);
            state[kVx] = ridingOmega * state[kY];
            state[kVy] = -ridingOmega * state[kX];
        } else {
            // The parameters stay as they are during a step: their copy serves all its stages.
            const DiskDerivativeTerms terms(p);
            rkfStepAll(t, state, dt, out, RkfCount<kOmega + 1>{},
                       [&terms](double, std::span<double> s, double* dydt) {
                           diskDerivativesWith(terms, s, dydt, true);
                       });
            state = out;
        }
        if (k > n - 1) break;
        if (free && !riding && k > kRestTestFrom) {
            const double x = state[kX], y = state[kY];
            const double r2 = x * x + y * y;
            const double w =
                (p.totalAngularMomentum - m * (y * state[kVx] - x * state[kVy])) / p.diskInertia;
            const auto [pr, qr] = relativeVelocity(state[kVx], state[kVy], x, y, w);
            const double hold = p.totalAngularMomentum / (p.diskInertia + m * r2);
            // At rest on the base, and friction can hold the body there: it supplies the net
            // centripetal force m·|ω² − K|·r, at most μ·m·g with g = 1.
            if (pr * pr + qr * qr < kRestSpeedSquared &&
                std::abs(hold * hold - p.springK) * std::sqrt(r2) <= p.frictionDecel) {
                riding = true;
                ridingOmega = hold;
                // Static friction takes up the last of the slip; its work on the body is the
                // change of kinetic energy.
                const double before = state[kVx] * state[kVx] + state[kVy] * state[kVy];
                state[kVx] = ridingOmega * y;
                state[kVy] = -ridingOmega * x;
                const double after = state[kVx] * state[kVx] + state[kVy] * state[kVy];
                state[kEnergy] += 0.5 * m * (after - before);
            }
        }
        const double vx = state[kVx], vy = state[kVy], x = state[kX], y = state[kY];
        tab.tabVx[k] = vx;
        tab.tabVy[k] = vy;
        tab.tabX[k] = x;
        tab.tabY[k] = y;
        tab.tabTheta[k] = state[kTheta0];
        tab.tabOmegaTorque[k] = state[kOmega];
        // The base carries the angular momentum the body does not: ω = (L − F·m·(y·vx − x·vy)
        // − (1 − F)·m·R·ω0)/I, which is ω0 again for a base that keeps its angular velocity.
        const double omega =
            (p.totalAngularMomentum - f * m * (y * vx - x * vy) - (1 - f) * m * r0 * w0) /
            p.diskInertia;
        tab.tabOmega[k] = omega;
        p.diskOmega = omega;
        // The base angle, θ_k = θ_{k−1} + dt·ω_k.
        tab.tabTheta[k] = k > 1 ? tab.tabTheta[k - 1] + dt * omega : 0.0;
        tab.tabEnergy[k] = state[kEnergy];
        const double c = std::cos(tab.tabTheta[k]);
        const double s = std::sin(tab.tabTheta[k]);
        tab.tabXRot[k] = x * c - y * s;
        tab.tabYRot[k] = x * s + y * c;
        const auto [pr, qr] = relativeVelocity(vx, vy, x, y, omega);
        const double slip = std::sqrt(pr * pr + qr * qr);
        // Angular acceleration of the base from the friction torque, dω/dt = μ·m·(y·P −
        // x·Q)·F/(|v_rel|·I); none while the body moves with the base.
        const double alpha =
            slip > 0 ? p.frictionDecelNow * m * (y * pr - x * qr) * f / (slip * p.diskInertia)
                     : 0.0;
        if (free && k > kRestTestFrom && pr * pr + qr * qr < kRestSpeedSquared) {
            // The free base carries the body along at rest.
            tab.tabVxRot[k] = 0;
            tab.tabVyRot[k] = 0;
            if (run.restTime == 0) run.restTime = t;
            beep();
        } else if (free && run.restTime > 0) {
            tab.tabVxRot[k] = 0;
            tab.tabVyRot[k] = 0;
        } else {
            tab.tabVxRot[k] = pr * c - qr * s;
            tab.tabVyRot[k] = pr * s + qr * c;
        }
        tab.tabKeRot[k] =
            0.5 * m * (tab.tabVxRot[k] * tab.tabVxRot[k] + tab.tabVyRot[k] * tab.tabVyRot[k]);
        updateWorkTables(disk, k, alpha);
        t += dt;
        ++k;
    } while (t < run.plan.totalTime);
    run.rows = k;
    tab.rowCount = k;
    return run;
}

void updateWorkTables(DiskShared& disk, int k, double alpha) {
    const DiskParameters& p = disk.params;
    OrbitTables& tab = disk.tables;
    if (k < 1 || k >= OrbitTables::kRows) return;
    const auto i = static_cast<std::size_t>(k);
    const double m = p.bodyMass;
    const double mu = p.frictionDecelNow;
    const double dt = p.stepH;
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
