#include "disk/DiskModel.h"

#include <algorithm>
#include <cmath>

#include "disk/DiskDerivatives.h"
#include "draw/Alerts.h"
#include "draw/Arrow.h"
#include "numeric/RkfStep.h"
#include "numeric/VectorState.h"

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
      pathTheta(rows(kPathRows)) {}

double diskDerivative(DiskParameters& p, double, std::span<double> s, int i) {
    std::array<double, kOmega + 1> d{};
    diskDerivativesWith(DiskDerivativeTerms(p), s, d.data(), i == kVx);
    return i >= kVx && i <= kOmega ? d[static_cast<std::size_t>(i)] : 0.0;
}

void diskDerivatives(DiskParameters& p, std::span<double> s, double* dydt) {
    diskDerivativesWith(DiskDerivativeTerms(p), s, dydt, true);
}

OrbitEnd integrateDiskOrbit(DiskShared& disk, double vx0, double vy0, double x0, double y0,
                            double omega, double theta0, double duration, int steps) {
    clearUpperVectorHalves();
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
    const bool free = p.omegaVariable == 1;
    const double angularMomentum = p.totalAngularMomentum;
    const double inertia = p.diskInertia;
    const double omega0 = p.diskOmega0;
    double restingTime = 0;
    double theta = 0;  // the latest row's disk angle
    int i = 0;
    do {
        p.frictionDecelNow = p.frictionDecel;
        // The parameters stay as they are during a step: their copy serves all its stages.
        const DiskDerivativeTerms terms(p);
        rkfStepAll(t, y, h, out, RkfCount<kOmega + 1>{},
                   [&terms](double, std::span<double> s, double* dydt) {
                       diskDerivativesWith(terms, s, dydt, true);
                   });
        y = out;
        if (i > lastRow) break;
        const auto row = static_cast<std::size_t>(i);
        const double vx = y[kVx], vy = y[kVy], x = y[kX], yy = y[kY];
        const double omegaTorque = y[kOmega];
        tab.tabVx[row] = vx;
        tab.tabVy[row] = vy;
        tab.tabX[row] = x;
        tab.tabY[row] = yy;
        tab.tabOmegaTorque[row] = omegaTorque;
        tab.tabEnergy[row] = y[kEnergy];
        // A free disk takes the angular momentum the body does not carry: ω = (L − m·(y·vx −
        // x·vy))/I.
        const double omegaNow =
            free ? (angularMomentum - m * (yy * vx - x * vy)) / inertia : omega0;
        tab.tabOmega[row] = omegaNow;
        p.diskOmega = omegaNow;
        theta = i > 1 ? theta + h * omegaNow : 0.0;
        tab.tabTheta[row] = theta;
        const double c = std::cos(theta);
        const double s = std::sin(theta);
        tab.tabXRot[row] = c * x - s * yy;
        tab.tabYRot[row] = s * x + c * yy;
        const auto [pr, qr] = relativeVelocity(vx, vy, x, yy, omegaTorque);
        if (free && pr * pr + qr * qr < 0.00001 && p.startTime > piValue / (4 * omega0)) {
            restingTime = t;
            p.stuckFlag = true;
            p.stuckOmega = omegaNow;
            beep();
        }
        double vxRot = 0, vyRot = 0;
        if (!(free && restingTime > 0)) {
            vxRot = c * pr - s * qr;
            vyRot = s * pr + c * qr;
        }
        tab.tabVxRot[row] = vxRot;
        tab.tabVyRot[row] = vyRot;
        tab.tabKeRot[row] = 0.5 * m * (vxRot * vxRot + vyRot * vyRot);
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
        disk.params.rimRadius = mode.rimRadius;
        const OrbitEnd end =
            integrateDiskOrbit(disk, run.bodyVx, run.bodyVy, run.pathX[kk - 1], run.pathY[kk - 1],
                               run.omegaNow, run.diskAngle, dt, DiskRun::kSubSteps);
        disk.params.rimRadius = std::numeric_limits<double>::infinity();
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
