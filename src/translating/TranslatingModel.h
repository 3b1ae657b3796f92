#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace velarium {

// The relative-motion screen's scroll values, as whole numbers. The model turns them into
// physical values itself: the velocities, positions and frame values are taken as they are, the
// friction coefficient is trivistoepipedo / 100, and the raw mass value scales the force arrows.
struct RelativeSettings {
    int arxikivx = 2;                          // initial body velocity x
    int arxikvy = 1;                           // initial body velocity y
    int arxikx = 5;                            // initial body position x
    int arxikiy = -5;                          // initial body position y
    int taxythtax = 0;                         // frame velocity V0x
    int taxythtay = 0;                         // frame velocity V0y
    int epitaxynshx = 0;                       // frame acceleration Ax
    int epitaxynshy = 0;                       // frame acceleration Ay
    int trivistoepipedo = 0;                   // friction coefficient × 100
    int mazatoysomatos = 1;                    // mass × 50
    int overallscale = 1;                      // zoom S of both views
    int xscaleeikona1 = 0, yscaleeikona1 = 0;  // pan of the laboratory view
    int xscaleeikona2 = 0, yscaleeikona2 = 0;  // pan of the moving-frame view
    double movingViewWidth = 40;  // width of the moving-frame view in the screen's units

    double mu() const { return trivistoepipedo / 100.0; }
};

inline constexpr double kGravity = 10;
// Below this relative speed the equations treat the body as carried by the plane.
inline constexpr double kCarriedSpeed = 0.001;
// A displayed relative-velocity component snaps to 0 below this fraction of the frame's.
inline constexpr double kSnapFactor = 0.01;
// The timer interval that TIME EVOLUTION sets, in milliseconds.
inline constexpr int kTimeEvolutionInterval = 1;
// Display steps of a timer-driven run end after this row.
inline constexpr int kTimerLastRow = 1400;

// The integrated state in the laboratory frame; component order of the equations.
struct TranslatingState {
    double vx = 0, vy = 0, x = 0, y = 0;
};

// The display step Δt = interval / 15. Before TIME EVOLUTION has set the interval it is 0; a
// step then takes the interval TIME EVOLUTION sets, so that Δt is never 0.
double relativeDisplayStep(int timerInterval);

// The acceleration of a body carried by the plane: the frame's acceleration A, as far as the
// friction μ·g can supply it (on a smooth plane nothing carries the body).
void carriedAcceleration(double ax, double ay, double mu, double& outX, double& outY);

// Whether static friction can hold the body at rest in the frame: |A| ≤ μ·g.
bool frictionHolds(double ax, double ay, double mu);

// Time derivative of component i (0 vx, 1 vy, 2 x, 3 y) at absolute time t. The frame moves
// with V(t) = V0 + A·t; A is read from the controls at every call. Kinetic friction −μ·g·r/|r|
// opposes the velocity r = v − V(t) relative to the frame; a body at rest in the frame (carried,
// or |r| below 0.001) moves with the frame.
double translatingDerivative(double t, std::span<const double> state, int i, double v0x, double v0y,
                             double mu, const RelativeSettings& controls, int carriedFlag);

struct TranslatingStepEnd {
    double x = 0, y = 0, vx = 0, vy = 0;
};

// Fehlberg sub-steps in one display step.
inline constexpr int kSubSteps = 12;

// Integrates from t0 over Δt in twelve Fehlberg sub-steps h = Δt / 12, so that the state returned
// is the state at t0 + Δt. μ and V0 are read once at the start. A non-positive or non-finite Δt
// leaves the state as it is.
TranslatingStepEnd integrateTranslatingStep(TranslatingState start, double t0, double dt,
                                            const RelativeSettings& controls, int carriedFlag);

// A displayed relative-velocity component u snaps to 0 when |u| < 0.01·|W| (strict, so a frame
// component of 0 never snaps).
double snapRelativeComponent(double u, double w);

// The run of the relative-motion screen: row n holds the state after display step n, which
// ends at simulated time (n + 1)·Δt.
struct RelativeRun {
    static constexpr int kPositionRows = 1501;
    static constexpr int kVelocityRows = 9001;

    RelativeRun();

    std::int16_t relativeStepIndex = 0;
    std::vector<double> labX, labY;    // rows 0..1500
    std::vector<double> labVx, labVy;  // rows 0..9000
    std::vector<double> relX, relY;    // rows 0..1500
    int carriedFlag = 0;
    // Rows 0..rowsHeld − 1 hold the last run written; a replay ends the run but keeps its rows
    // until the next step starts a new one. A step from an earlier row drops the later ones.
    int rowsHeld = 0;
    // The carried flag after each row, and the displayed relative velocity of each row.
    std::vector<std::int8_t> carriedAt;
    std::vector<double> relUx, relUy;  // rows 0..1500

    // A further step has a row to go into.
    bool hasRoom() const { return relativeStepIndex < kPositionRows; }
    // Stands after k kept rows, 0 ≤ k ≤ rowsHeld, as the run stood after writing row k − 1:
    // the next step writes row k again.
    void showRows(int k);
};

// What the model part of a display step leaves for the pictures.
struct RelativeStep {
    int row = 0;                  // n, the row written
    double ux = 0, uy = 0;        // displayed relative velocity
    double speed = 0;             // |u|
    double unitX = 0, unitY = 0;  // u / |u|, (0, 0) when |u| = 0
    bool cameToRest = false;      // the body has just come to rest in the frame
};

// The model part of a display step: integrates row n = relativeStepIndex, takes the relative
// velocity against the frame velocity at the row's own instant (n + 1)·Δt, snaps it, counts a
// relative speed below friction's change in one sub-step, μ·g·Δt/12 (at least 0.001), as rest
// in the frame, sets or releases the carried flag and moves the moving-frame position on by
// the lab displacement less the frame's. Does not advance relativeStepIndex. The caller checks
// hasRoom() first.
RelativeStep advanceRelativeModel(RelativeRun& run, const RelativeSettings& s, double dt);

}  // namespace velarium
