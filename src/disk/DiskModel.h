#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <span>
#include <vector>

namespace velarium {

// The constants and settings of a body on a turning disk, shared by every disk model and read by
// the force display and the energy screens. The disk point at (x, y) moves with (ω·y, −ω·x): the
// disk turns clockwise.
struct DiskParameters {
    int unitRadius = 1;             // R: the body starts at distance R; the velocity unit is ω·R
    double diskOmega0 = 2.0;        // ω0, the disk's initial angular velocity
    double diskOmega = 2.0;         // ω the derivative uses, updated once per integration step
    double diskInertia = 10.0;      // I of the disk
    double bodyMass = 1.0;          // m of the body
    double frictionDecel = 1.0;     // μ·g
    double frictionDecelNow = 1.0;  // the copy of frictionDecel the derivative reads
    double totalAngularMomentum = 0;  // L = I·ω0 + m·R·vx0, conserved on a free disk
    std::int16_t omegaVariable = 0;   // 1: the disk turns freely; 0: ω is held constant
    double springK = 0;               // K of the restoring force towards the axis
    double stepH = 0;                 // h of the latest stretch
    std::int16_t pointCount = 0;      // rows N of the latest stretch
    double startTime = 0;             // simulated time at which a stretch starts
    bool stuckFlag = false;           // the body has come to rest on a free disk
    double stuckOmega = 0;            // ω at that moment
    bool frictionOn = false;          // kinetic friction acts ("NON ZERO FRICTION")
    bool pendulumChosen = false;      // a pendulum entry of the rotating-disk screen is checked
    // Friction acts only where the disk is under the body, r ≤ rimRadius; a model without a rim
    // keeps the infinite default.
    double rimRadius = std::numeric_limits<double>::infinity();
};

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
using DiskState = std::array<double, 7>;

// Per-row tables of the latest integration stretch. Row i holds the state at startTime + (i+1)·h.
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
    int rowCount = 0;  // rows written by the latest stretch
};

// The disk state of the whole program: one owner, handed by reference to every screen.
struct DiskShared {
    DiskParameters params;
    OrbitTables tables;
};

// What one integration stretch ends with.
struct OrbitEnd {
    double x = 0, y = 0, vx = 0, vy = 0;
    double omega = 0;  // tabOmegaTorque of the last row
    double theta = 0;  // the θ0 passed in
};

// Velocity of the body relative to the disk surface under it: P = vx − ω·y, Q = vy + ω·x.
struct RelativeVelocity {
    double p = 0, q = 0;
};
inline RelativeVelocity relativeVelocity(double vx, double vy, double x, double y, double omega) {
    return {vx - omega * y, vy + omega * x};
}

// Time derivative of component i (0..5) of a disk state. Writes diskOmega into y[5] first, so
// every stage of a step sees the current diskOmega. The time does not enter.
double diskDerivative(DiskParameters& p, double t, std::span<double> y, int i);

// The time derivatives of components 0..5 at once, into dydt, as diskDerivative gives them one
// by one: the terms the components share are formed once.
void diskDerivatives(DiskParameters& p, std::span<double> y, double* dydt);

// Integrates one stretch of the given duration in the given number of steps (≤ 9000) from
// startTime, filling the tables; sets diskOmega to omega at entry and may set stuckFlag.
OrbitEnd integrateDiskOrbit(DiskShared& disk, double vx0, double vy0, double x0, double y0,
                            double omega, double theta0, double duration, int steps);

// The rotating-disk screen's run: the body's state after each display step and its path in
// both frames. Row 0 of the paths is the starting point.
struct DiskRun {
    static constexpr int kPathRows = 1501;
    static constexpr int kMaxStep = kPathRows - 1;
    static constexpr int kSubSteps = 250;
    DiskRun();

    std::int16_t stepIndex = 0;
    double stepDuration = 0;
    double diskAngle = 0;
    double omegaInitial = 2.0;
    double omegaNow = 2.0;
    double bodyVx = 0, bodyVy = 0;
    std::vector<double> pathX, pathY, pathXRot, pathYRot, pathTime;
    // The body's velocity and the disk's ω and angle at each row, for the run's table.
    std::vector<double> pathVx, pathVy, pathOmega, pathTheta;
    bool explanationMode = false;

    // Keeps the body's velocity and the disk's ω and angle as they now stand in row k.
    void keepMotion(std::size_t k) {
        pathVx[k] = bodyVx;
        pathVy[k] = bodyVy;
        pathOmega[k] = omegaNow;
        pathTheta[k] = diskAngle;
    }
    int explanationStep = 0;
};

// How a display step moves the body.
struct StepMode {
    bool friction = false;  // integrate with kinetic friction
    bool pendulum = false;  // integrate with the restoring force
    double rimRadius = std::numeric_limits<double>::infinity();  // where the disk ends
};

// Advances the body by one display step k = stepIndex (1..kMaxStep) of stepDuration: integrated
// when friction or a pendulum acts, on a straight line otherwise; then turns the disk and keeps
// the rotating-frame position. Returns false, changing nothing, when k is outside the tables.
bool advanceStep(DiskShared& disk, DiskRun& run, StepMode mode);

}  // namespace velarium
