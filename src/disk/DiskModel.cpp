#include "disk/DiskModel.h"

#include <algorithm>
#include <cmath>

#include "disk/DiskDerivatives.h"
#include "numeric/RkfStep.h"
#include "numeric/VectorRegisters.h"

namespace velarium {

namespace {
std::vector<double> rows(int n) { return std::vector<double>(static_cast<std::size_t>(n), 0.0); }
}  // namespace

OrbitTables::OrbitTables()
    : tabVx(rows(kRows)),
      tabVy(rows(kRows)),
      tabX(rows(kRows)),
      tabY(rows(kRows)),
      tabOmegaTorque(rows(kRows)),
      tabOmega(rows(kRows)),
      tabTheta(rows(kRows)),
      tabEnergy(rows(kRows)),
      tabXRot(rows(kRows)),
      tabYRot(rows(kRows)),
      tabVxRot(rows(kRows)),
      tabVyRot(rows(kRows)),
      tabKeRot(rows(kRows)),
      tabWorkFrictionInertial(rows(kRows)),
      tabWorkFrictionRotating(rows(kRows)),
      tabWorkCentrifugal(rows(kRows)),
      tabWorkBaseForce(rows(kRows)),
      tabWorkTotalRotating(rows(kRows)),
      tabWorkDrag(rows(kRows)) {}

DiskRun::DiskRun()
    : pathX(rows(kPathRows)),
      pathY(rows(kPathRows)),
      pathXRot(rows(kPathRows)),
      pathYRot(rows(kPathRows)),
      pathTime(rows(kPathRows)),
      pathVx(rows(kPathRows)),
      pathVy(rows(kPathRows)),
      pathOmega(rows(kPathRows)),
      pathTheta(rows(kPathRows)),
      timeAt(rows(kPathRows)) {}

void DiskRun::showStep(int k) {
    if (k < 0 || k > stepsRun) return;
    const auto kk = static_cast<std::size_t>(k);
    stepIndex = static_cast<std::int16_t>(k);
    bodyVx = pathVx[kk];
    bodyVy = pathVy[kk];
    omegaNow = pathOmega[kk];
    diskAngle = pathTheta[kk];
}

double diskDerivative(const DiskParameters& p, double omega, std::span<const double> s, int i) {
    std::array<double, kOmega + 1> d{};
    diskDerivativesWith(DiskDerivativeTerms(p, omega), s, d.data());
    return i >= kVx && i <= kOmega ? d[static_cast<std::size_t>(i)] : 0.0;
}

bool diskDerivatives(const DiskParameters& p, double omega, std::span<const double> s,
                     double* dydt) {
    return diskDerivativesWith(DiskDerivativeTerms(p, omega), s, dydt);
}

namespace {
// The body is at rest on the disk while its velocity relative to the disk stays below 0.01:
// above the slip that kinetic friction leaves within one step, μ·g·h, at the steps the screens
// take (0.0004 and 0.004 at μ·g = 1), so that a body that friction has stopped is seen to stop.
constexpr double kRestSlipSquared = 0.0001;

// The slip (P, Q) of the body against the disk point under it, squared.
double slipSquared(const DiskState& s) {
    const auto [p, q] = relativeVelocity(s.y[kVx], s.y[kVy], s.y[kX], s.y[kY], s.omega);
    return p * p + q * q;
}

// ω of disk and body turning together, L/(I + m·r²), when friction can hold the body there: it
// supplies the net centripetal force m·|ω² − K|·r, at most μ·m·g with g = 1. Nothing otherwise.
std::optional<double> heldOmega(const DiskParameters& c, const DiskState& s) {
    const double x = s.y[kX], y = s.y[kY];
    const double r2 = x * x + y * y;
    if (!c.frictionOn || r2 > c.rimRadius * c.rimRadius) return std::nullopt;
    const double w = c.totalAngularMomentum / (c.diskInertia + c.bodyMass * r2);
    if (std::abs(w * w - c.springK) * std::sqrt(r2) > c.frictionDecel) return std::nullopt;
    return w;
}

// Body and disk turning together at ω: the body moves with the disk point under it.
void carry(DiskState& s, double omega) {
    s.omega = omega;
    s.y[kVx] = omega * s.y[kY];
    s.y[kVy] = -omega * s.y[kX];
    s.y[kOmega] = omega;
}
}  // namespace

DiskStretch integrateDisk(const DiskParameters& c, const DiskState& start, double h, int count) {
    clearUpperVectorHalves();
    DiskStretch out;
    out.rows.reserve(static_cast<std::size_t>(std::max(count, 0)));
    const bool free = c.omegaVariable == 1;
    // Only friction exchanges angular momentum between body and disk.
    const bool coupled = free && c.frictionOn;
    const double rimSq = c.rimRadius * c.rimRadius;
    auto beyondRim = [rimSq](const DiskState& s) {
        return s.y[kX] * s.y[kX] + s.y[kY] * s.y[kY] > rimSq;
    };
    DiskState s = start;
    // A body already carried by the disk stays carried.
    bool riding = coupled && slipSquared(s) == 0 && heldOmega(c, s).has_value();
    bool outside = beyondRim(s);
    for (int i = 0; i < count; ++i) {
        if (riding) {
            // A turn of ω·h clockwise.
            const double a = s.omega * h;
            const double x = s.y[kX], y = s.y[kY];
            s.y[kX] = x * std::cos(a) + y * std::sin(a);
            s.y[kY] = -x * std::sin(a) + y * std::cos(a);
            carry(s, s.omega);
        } else {
            // Component 5 starts every step at the ω the step holds: it ends at ω + ∫α·dt from
            // the friction's torque.
            s.y[kOmega] = s.omega;
            const DiskDerivativeTerms terms(c, s.omega);
            DiskComponents next = s.y;
            bool onAxis = false;
            rkfStepAll(s.t, s.y, h, next, RkfCount<kOmega + 1>{},
                       [&terms, &onAxis](double, std::span<const double> v, double* dydt) {
                           onAxis = diskDerivativesWith(terms, v, dydt) || onAxis;
                       });
            s.y = next;
            out.events.onAxis = out.events.onAxis || onAxis;
            if (coupled) {
                s.omega = freeDiskOmega(c, s.y[kX], s.y[kY], s.y[kVx], s.y[kVy]);
                if (slipSquared(s) < kRestSlipSquared) {
                    if (const std::optional<double> w = heldOmega(c, s)) {
                        // Static friction takes up the last of the slip; its work on the body is
                        // the change of kinetic energy.
                        const double before = s.y[kVx] * s.y[kVx] + s.y[kVy] * s.y[kVy];
                        carry(s, *w);
                        const double after = s.y[kVx] * s.y[kVx] + s.y[kVy] * s.y[kVy];
                        s.y[kEnergy] += 0.5 * c.bodyMass * (after - before);
                        riding = true;
                        out.events.restRow = i;
                    }
                }
            }
        }
        s.t += h;
        s.theta += h * s.omega;
        if (!outside && beyondRim(s)) {
            outside = true;
            out.events.leftRimRow = i;
        }
        out.rows.push_back(s);
    }
    return out;
}

std::optional<DiskEvents> advanceStep(const DiskParameters& constants, DiskRun& run,
                                      StepMode mode) {
    const int k = run.stepIndex;
    if (k < 1 || k > DiskRun::kMaxStep) return std::nullopt;
    const double dt = run.stepDuration;
    const auto kk = static_cast<std::size_t>(k);
    DiskEvents events;
    if (mode.friction || mode.pendulum) {
        DiskParameters c = constants;
        c.frictionOn = mode.friction;
        c.springK = mode.pendulum ? kPendulumK : 0.0;
        c.rimRadius = mode.rimRadius;
        const double x = run.pathX[kk - 1], y = run.pathY[kk - 1];
        const double vx = run.bodyVx, vy = run.bodyVy;
        // The angular momentum the stretch starts with and keeps.
        c.totalAngularMomentum = angularMomentum(c, run.omegaNow, x, y, vx, vy);
        DiskState start;
        start.y = {vx,
                   vy,
                   x,
                   y,
                   0.5 * c.bodyMass * (vx * vx + vy * vy) + 0.5 * c.springK * (x * x + y * y),
                   run.omegaNow,
                   run.diskAngle};
        start.t = dt * (k - 1);
        start.omega = run.omegaNow;
        start.theta = run.diskAngle;
        const DiskStretch stretch =
            integrateDisk(c, start, dt / DiskRun::kSubSteps, DiskRun::kSubSteps);
        const DiskState& end = stretch.rows.back();
        run.pathX[kk] = end.y[kX];
        run.pathY[kk] = end.y[kY];
        run.bodyVx = end.y[kVx];
        run.bodyVy = end.y[kVy];
        run.omegaNow = end.omega;
        run.diskAngle = end.theta;
        events = stretch.events;
    } else {
        // Nothing acts on the body: Newton's first law.
        run.pathX[kk] = run.pathX[kk - 1] + dt * run.bodyVx;
        run.pathY[kk] = run.pathY[kk - 1] + dt * run.bodyVy;
        run.diskAngle += dt * run.omegaNow;
    }
    const double c = std::cos(run.diskAngle);
    const double s = std::sin(run.diskAngle);
    run.pathXRot[kk] = c * run.pathX[kk] - s * run.pathY[kk];
    run.pathYRot[kk] = s * run.pathX[kk] + c * run.pathY[kk];
    run.keepMotion(kk);
    return events;
}

}  // namespace velarium
