#include "disk/DiskModel.h"

#include <algorithm>
#include <cmath>

#include "draw/Alerts.h"
#include "draw/Arrow.h"
#include "numeric/RkfStep.h"

namespace velarium {

namespace {
std::vector<double> rows(int n) { return std::vector<double>(static_cast<std::size_t>(n), 0.0); }

// x/r with the radial unit vector taken as zero on the axis, where it has no direction.
double radial(double x, double r) { return r > 0 ? x / r : 0.0; }
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
      pathTheta(rows(kPathRows)) {}

RelativeVelocity relativeVelocity(double vx, double vy, double x, double y, double omega) {
    return {vx - omega * y, vy + omega * x};
}

namespace {
// The derivatives of components 0..5 into d. Only the component x's derivative signals a body on
// the axis or at rest in the inertial frame, so beepOnAxis says whether it is wanted.
void derivatives(DiskParameters& p, std::span<double> s, double* d, bool beepOnAxis) {
    s[kOmega] = p.diskOmega;
    const double vx = s[kVx], vy = s[kVy], x = s[kX], y = s[kY];
    const double omega = s[kOmega];
    const double mu = p.frictionOn ? p.frictionDecelNow : 0.0;
    const double k = p.springK;
    const auto [pr, qr] = relativeVelocity(vx, vy, x, y, omega);
    const double vRel = std::sqrt(pr * pr + qr * qr);
    const double r = std::sqrt(x * x + y * y);
    const double speed = std::sqrt(vx * vx + vy * vy);
    const double w2 = omega * omega;
    if (vRel == 0) {
        // At rest on the disk: the disk point's centripetal acceleration ω²·(x, y)/r.
        d[kVx] = -w2 * radial(x, r) - k * x;
        d[kVy] = -w2 * radial(y, r) - k * y;
    } else if (r * r * speed < 0.0001 * std::abs(omega)) {
        // Qs = r²·|v|/ω small (on the axis, or at rest in the inertial frame); compared as
        // r²·|v| < 0.0001·|ω| so that ω = 0 needs no division.
        if (beepOnAxis) beep();
        d[kVx] = -w2 * radial(x, r) - k * x;
        d[kVy] = -mu * radial(y, r) - k * y;
    } else {
        // Kinetic friction against the relative velocity, and the restoring force −K·r.
        d[kVx] = -mu * pr / vRel - k * x;
        d[kVy] = -mu * qr / vRel - k * y;
    }
    d[kX] = vx;
    d[kY] = vy;
    // Power of the friction on the body: −m·μ·(v·v_rel)/|v_rel|.
    d[kEnergy] = vRel == 0 ? 0.0 : -p.bodyMass * mu * (vx * pr + vy * qr) / vRel;
    // The reaction of the friction turns a free disk: dω/dt = μ·F·m·(y·P − x·Q)/(|v_rel|·I).
    d[kOmega] = vRel == 0 ? 0.0
                          : p.frictionDecel * p.omegaVariable * p.bodyMass * (y * pr - x * qr) /
                                (vRel * p.diskInertia);
}
}  // namespace

double diskDerivative(DiskParameters& p, double, std::span<double> s, int i) {
    std::array<double, kOmega + 1> d{};
    derivatives(p, s, d.data(), i == kVx);
    return i >= kVx && i <= kOmega ? d[static_cast<std::size_t>(i)] : 0.0;
}

void diskDerivatives(DiskParameters& p, std::span<double> s, double* dydt) {
    derivatives(p, s, dydt, true);
}

OrbitEnd integrateDiskOrbit(DiskShared& disk, double vx0, double vy0, double x0, double y0,
                            double omega, double theta0, double duration, int steps) {
    DiskParameters& p = disk.params;
    OrbitTables& tab = disk.tables;
    p.frictionDecel = 1.0;
    p.diskOmega = omega;
    // The tables hold at most 9000 steps.
    steps = std::clamp(steps, 1, OrbitTables::kRows - 1);
    double t = p.startTime;
    const double h = duration / steps;
    p.stepH = h;
    p.pointCount = static_cast<std::int16_t>(steps + 1);
    const int lastRow = std::min(static_cast<int>(p.pointCount), OrbitTables::kRows) - 1;
    // The stretch ends after `steps` steps; half a step of slack keeps rounding from adding one.
    const double tEnd = t + duration - h / 2;

    const double m = p.bodyMass;
    const double k = p.springK;
    DiskState y{
        vx0,   vy0,   x0, y0, 0.5 * m * (vx0 * vx0 + vy0 * vy0) + 0.5 * k * (x0 * x0 + y0 * y0),
        omega, theta0};
    DiskState out = y;
    auto rhs = [&p](double, std::span<double> s, double* dydt) { diskDerivatives(p, s, dydt); };
    const bool free = p.omegaVariable == 1;
    double restingTime = 0;
    int i = 0;
    do {
        p.frictionDecelNow = p.frictionDecel;
        rkfStepAll(t, y, h, out, 6, rhs);
        y = out;
        if (i > lastRow) break;
        const double vx = y[kVx], vy = y[kVy], x = y[kX], yy = y[kY];
        tab.tabVx[i] = vx;
        tab.tabVy[i] = vy;
        tab.tabX[i] = x;
        tab.tabY[i] = yy;
        tab.tabOmegaTorque[i] = y[kOmega];
        tab.tabEnergy[i] = y[kEnergy];
        // A free disk takes the angular momentum the body does not carry: ω = (L − m·(y·vx −
        // x·vy))/I.
        tab.tabOmega[i] =
            free ? (p.totalAngularMomentum - m * (yy * vx - x * vy)) / p.diskInertia : p.diskOmega0;
        p.diskOmega = tab.tabOmega[i];
        tab.tabTheta[i] = i > 1 ? tab.tabTheta[i - 1] + h * p.diskOmega : 0.0;
        const double c = std::cos(tab.tabTheta[i]);
        const double s = std::sin(tab.tabTheta[i]);
        tab.tabXRot[i] = c * x - s * yy;
        tab.tabYRot[i] = s * x + c * yy;
        const auto [pr, qr] = relativeVelocity(vx, vy, x, yy, tab.tabOmegaTorque[i]);
        if (free && pr * pr + qr * qr < 0.00001 && p.startTime > piValue / (4 * p.diskOmega0)) {
            restingTime = t;
            p.stuckFlag = true;
            p.stuckOmega = tab.tabOmega[i];
            beep();
        }
        if (free && restingTime > 0) {
            tab.tabVxRot[i] = 0;
            tab.tabVyRot[i] = 0;
        } else {
            tab.tabVxRot[i] = c * pr - s * qr;
            tab.tabVyRot[i] = s * pr + c * qr;
        }
        tab.tabKeRot[i] =
            0.5 * m * (tab.tabVxRot[i] * tab.tabVxRot[i] + tab.tabVyRot[i] * tab.tabVyRot[i]);
        t += h;
        ++i;
    } while (t < tEnd);
    tab.rowCount = i;

    const int last = i - 1;
    return {tab.tabX[last],  tab.tabY[last],           tab.tabVx[last],
            tab.tabVy[last], tab.tabOmegaTorque[last], y[kTheta0]};
}

bool advanceStep(DiskShared& disk, DiskRun& run, StepMode mode) {
    const int k = run.stepIndex;
    if (k < 1 || k > DiskRun::kMaxStep) return false;
    const double dt = run.stepDuration;
    const auto kk = static_cast<std::size_t>(k);
    if (mode.friction || mode.pendulum) {
        const OrbitEnd end =
            integrateDiskOrbit(disk, run.bodyVx, run.bodyVy, run.pathX[kk - 1], run.pathY[kk - 1],
                               run.omegaNow, run.diskAngle, dt, DiskRun::kSubSteps);
        run.pathX[kk] = end.x;
        run.pathY[kk] = end.y;
        run.bodyVx = end.vx;
        run.bodyVy = end.vy;
        if (mode.friction)
            run.omegaNow = disk.params.stuckFlag ? disk.params.stuckOmega : end.omega;
    } else {
        // Nothing acts on the body: Newton's first law.
        run.pathX[kk] = run.pathX[kk - 1] + dt * run.bodyVx;
        run.pathY[kk] = run.pathY[kk - 1] + dt * run.bodyVy;
    }
    run.diskAngle += dt * run.omegaNow;
    const double c = std::cos(run.diskAngle);
    const double s = std::sin(run.diskAngle);
    run.pathXRot[kk] = c * run.pathX[kk] - s * run.pathY[kk];
    run.pathYRot[kk] = s * run.pathX[kk] + c * run.pathY[kk];
    run.keepMotion(kk);
    return true;
}

}  // namespace velarium
