#pragma once

#include <optional>

#include "disk/DiskModel.h"

namespace velarium {

// The controls of the "Simulation of both frames" screen as a run reads them: scroll values and
// the check box, before any conversion.
struct BothFramesSettings {
    int xronosolikos = 4;  // total time T = value·π/4
    int timeinterval = 5;  // time step dt = value/1250
    int syntelfri = 10;    // friction coefficient μ = value/10 (the deceleration, with g = 1)
    int massvalue = 1;     // mass m = value/2
    bool dialogi = false;  // the base is influenced: it turns freely, angular momentum is kept
};

// The most points a run stores.
inline constexpr int kMaxBothFramesPoints = 5000;
// The step dt is the time-interval scroll value over this.
inline constexpr double kTimeIntervalUnits = 1250.0;

// Total time of a run for a total-time scroll value: a quarter of the undisturbed base's
// half-turn per unit, T = value·π/4.
double bothFramesTotalTime(int xronosolikos);

// Duration, step and number of stored points of a run.
struct BothFramesPlan {
    double totalTime = 0;  // T
    double dt = 0;         // integration step
    int pointCount = 0;    // N = round(T/dt + 1), at most 5000
    // Set when the limit of 5000 points enlarged the step to T/5000: the time-interval scroll
    // value that step rounds to.
    std::optional<int> timeinterval;
};
BothFramesPlan planBothFramesRun(const BothFramesSettings& settings);

// What a run leaves besides the shared parameters and tables.
struct BothFramesRun {
    BothFramesPlan plan;
    int rows = 0;         // points stored, rows 0 .. rows − 1
    double restTime = 0;  // when the body came to rest on a free base (0: it did not)
};

// The variable-ω run: sets the disk parameters from the settings (K = 40 while a pendulum is
// chosen on the rotating-disk screen), integrates from the body at rest on the base at (0, R)
// for the planned time, and fills the orbit tables and the work tables. Entry k of every table
// holds the state after k + 1 steps.
BothFramesRun runBothFrames(DiskShared& disk, const BothFramesSettings& settings);

// Adds the work of each force in the step of stored point k to the work tables (entries 0 and 1
// are left to the run). Reads the point's state, its ω, the ω of the point before (which drove the
// step, and sets friction's direction) and its rotating-frame position and velocity from the
// tables, m and μ from the parameters, dt from the tables; alpha is the base's angular acceleration
// in the step (0 for a base that keeps its angular velocity).
void updateWorkTables(DiskShared& disk, int k, double alpha);

}  // namespace velarium
