#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <vector>

namespace velarium {

// The constants and settings of a run of a body on a turning disk. The disk point at (x, y) moves
// with (ω·y, −ω·x): the disk turns clockwise. They stay as they are during a run; what changes
// is a DiskState.
struct DiskParameters {
    int unitRadius = 1;          // R: the body starts at distance R; the velocity unit is ω·R
    double diskOmega0 = 2.0;     // ω0, the disk's initial angular velocity
    double diskInertia = 10.0;   // I of the disk
    double bodyMass = 1.0;       // m of the body
    double frictionDecel = 1.0;  // μ·g
    double totalAngularMomentum =
        0;  // L = I·ω0 + m·(y·vx − x·vy) at the start, kept on a free disk
    std::int16_t omegaVariable = 0;  // 1: the disk turns freely; 0: ω is held constant
    double springK = 0;              // K of the restoring force towards the axis
    bool frictionOn = false;         // kinetic friction acts ("NON ZERO FRICTION")
    // Friction acts only where the disk is under the body, r ≤ rimRadius; a model without a rim
    // keeps the infinite default.
    double rimRadius = std::numeric_limits<double>::infinity();
};

// K of the restoring force while a pendulum is chosen.
inline constexpr double kPendulumK = 40.0;

// The body's mass for a mass scroll value: m = value/2.
inline double bodyMassFor(int scrollValue) { return scrollValue / 2.0; }

// The disk's angular momentum about the axis, I·ω, clockwise positive as ω is.
inline double diskAngularMomentum(const DiskParameters& p, double omega) {
    return p.diskInertia * omega;
}

// The body's angular momentum about the axis, clockwise positive: m·(y·vx − x·vy).
inline double bodyAngularMomentum(const DiskParameters& p, double x, double y, double vx,
                                  double vy) {
    return p.bodyMass * (y * vx - x * vy);
}

// L = I·ω + m·(y·vx − x·vy) of disk and body together.
inline double angularMomentum(const DiskParameters& p, double omega, double x, double y, double vx,
                              double vy) {
    return diskAngularMomentum(p, omega) + bodyAngularMomentum(p, x, y, vx, vy);
}

// ω of a free disk that carries the angular momentum L the body does not:
// ω = (L − m·(y·vx − x·vy))/I.
inline double freeDiskOmega(const DiskParameters& p, double x, double y, double vx, double vy) {
    return (p.totalAngularMomentum - bodyAngularMomentum(p, x, y, vx, vy)) / p.diskInertia;
}

// The disk's rim, at twice the unit radius R = 1 at which the body starts. Beyond it there is no
// disk under the body.
inline constexpr double kRimRadius = 2.0;

// Indices of the integrated state of a body on a disk.
enum DiskIndex : int {
    kVx = 0,
    kVy = 1,
    kX = 2,
    kY = 3,
    kEnergy = 4,  // kinetic plus restoring-force energy of the body
    kOmega = 5,   // ω as driven by the friction torque
    kTheta0 = 6,  // the disk angle the caller gave, carried along
};
using DiskComponents = std::array<double, 7>;

// Where a run stands: the seven integrated components, the time, the disk's angular velocity ω
// the derivative uses and the disk's angle θ since the start of the run.
struct DiskState {
    DiskComponents y{};
    double t = 0;
    double omega = 0;
    double theta = 0;
};

// What happened during a stretch of steps: the row at which the body came to rest on a free disk
// and static friction took over, whether it passed the axis (the small-Qs rule applied), and the
// row at which it first went beyond the rim. −1: it did not happen.
struct DiskEvents {
    int restRow = -1;
    bool onAxis = false;
    int leftRimRow = -1;
};

// A stretch of steps: row i is the state after i + 1 steps.
struct DiskStretch {
    std::vector<DiskState> rows;
    DiskEvents events;
};

// The one integrator of the disk model: `count` fixed Fehlberg steps of h from `start` under the
// constants, ω held during each step. After a step ω is, on a free disk that friction couples to
// the body, the one the conservation of angular momentum gives; otherwise nothing exchanges
// angular momentum with the disk and ω stays. θ grows by h·ω. On a free disk a body whose velocity
// relative to the disk falls below 0.01 comes to rest there when friction can hold it, that is
// when it can supply the net centripetal force m·|ω² − K|·r, at most μ·m·g with g = 1: from then
// on body and disk turn together at ω = L/(I + m·r²).
DiskStretch integrateDisk(const DiskParameters& constants, const DiskState& start, double h,
                          int count);

// Per-row tables of the latest both-frames run. Row i holds the state after i + 1 steps.
struct OrbitTables {
    static constexpr int kRows = 9001;
    OrbitTables();

    std::vector<double> tabVx, tabVy, tabX, tabY;
    std::vector<double> tabOmegaTorque;  // state component 5 after the step
    std::vector<double> tabOmega;        // ω from the conservation of angular momentum
    std::vector<double> tabTheta;        // disk angle from the start of the stretch
    std::vector<double> tabEnergy;
    std::vector<double> tabXRot, tabYRot;    // position in the rotating frame
    std::vector<double> tabVxRot, tabVyRot;  // velocity relative to the disk, rotating components
    std::vector<double> tabKeRot;            // ½·m·v'²
    // Work done on the body since the start of a both-frames run, written by that run only.
    std::vector<double> tabWorkFrictionInertial, tabWorkFrictionRotating, tabWorkCentrifugal;
    std::vector<double> tabWorkBaseForce, tabWorkTotalRotating, tabWorkDrag;
    int rowCount = 0;    // rows written by the latest run
    int pointCount = 0;  // rows N it planned
    double stepH = 0;    // its step h
};

// The disk state the screens share: one owner, handed by reference to every screen. The model
// choice and the pendulum choice are the rotating-disk screen's, which the both-frames run also
// reads; the parameters and tables are those of the latest both-frames run, which its graphs read.
struct DiskShared {
    std::int16_t omegaVariable = 0;  // the model-choice panel: 1, the disk turns freely
    bool pendulumChosen = false;     // a pendulum entry of the rotating-disk screen is checked
    DiskParameters params;
    OrbitTables tables;
};

// Velocity of the body relative to the disk surface under it: P = vx − ω·y, Q = vy + ω·x.
struct RelativeVelocity {
    double p = 0, q = 0;
};
inline RelativeVelocity relativeVelocity(double vx, double vy, double x, double y, double omega) {
    return {vx - omega * y, vy + omega * x};
}

// Time derivative of component i (0..5) of a disk state, for a disk turning at ω. The time does
// not enter.
double diskDerivative(const DiskParameters& p, double omega, std::span<const double> y, int i);

// The time derivatives of components 0..5 at once, into dydt, as diskDerivative gives them one
// by one: the terms the components share are formed once. Returns true where the small-Qs rule
// applied: the body on the axis or at rest in the inertial frame.
bool diskDerivatives(const DiskParameters& p, double omega, std::span<const double> y,
                     double* dydt);

// The rotating-disk screen's run: the body's state after each display step and its path in
// both frames. Row 0 of the paths is the starting point.
struct DiskRun {
    static constexpr int kPathRows = 1501;
    static constexpr int kMaxStep = kPathRows - 1;
    static constexpr int kSubSteps = 250;
    DiskRun();

    std::int16_t stepIndex = 0;  // the step shown
    std::int16_t stepsRun = 0;   // the last step run: rows 0..stepsRun are kept
    double stepDuration = 0;
    double diskAngle = 0;
    double omegaInitial = 2.0;
    double omegaNow = 2.0;
    double bodyVx = 0, bodyVy = 0;
    std::vector<double> pathX, pathY, pathXRot, pathYRot, pathTime;
    // The body's velocity and the disk's ω and angle at each row, for the run's table.
    std::vector<double> pathVx, pathVy, pathOmega, pathTheta;
    // The run's time at each row: the sum of the durations of the steps up to it.
    std::vector<double> timeAt;
    double angularMomentum = 0;  // L of disk and body as the run started

    // Stands at the kept step k, 0 ≤ k ≤ stepsRun, as the run stood after it: a STEP from there
    // runs step k + 1 again and discards the later ones.
    void showStep(int k);

    // Keeps the body's velocity and the disk's ω and angle as they now stand in row k.
    void keepMotion(std::size_t k) {
        pathVx[k] = bodyVx;
        pathVy[k] = bodyVy;
        pathOmega[k] = omegaNow;
        pathTheta[k] = diskAngle;
    }
};

// How a display step moves the body.
struct StepMode {
    bool friction = false;  // integrate with kinetic friction
    bool pendulum = false;  // integrate with the restoring force
    double rimRadius = std::numeric_limits<double>::infinity();  // where the disk ends
};

// Advances the body by one display step k = stepIndex (1..kMaxStep) of stepDuration, in
// kSubSteps steps of the integrator when friction or a pendulum acts (with the run's L, the
// mode's friction, and K only as a pendulum), on a straight line otherwise; turns the disk and
// keeps the rotating-frame position. Returns the stretch's events, or nothing, changing
// nothing, when k is outside the tables.
std::optional<DiskEvents> advanceStep(const DiskParameters& constants, DiskRun& run, StepMode mode);

}  // namespace velarium
