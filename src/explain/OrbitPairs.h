#pragma once

#include <array>
#include <vector>

#include "disk/DiskModel.h"
#include "disk/DisplayStep.h"

namespace velarium {

// What the explanations draw from besides the screen's path tables: for every step of the orbit
// run the disk angle, the body's inertial velocity and the disk's angular velocity, and for the
// rotating observer the rotating-frame positions. A row never written reads as 0.
struct ExplanationTables {
    static constexpr int kAngleRows = 1501;    // explAngle: rows 0..1500
    static constexpr int kVelocityRows = 101;  // explVx, explVy, explOmega: rows 0..100
    static constexpr int kRotatingRows = 151;  // explXRot, explYRot: rows 0..150
    static constexpr int kRunSteps = 66;       // the run fills rows 1..66
    ExplanationTables();

    std::vector<double> explAngle, explVx, explVy, explOmega, explXRot, explYRot;
    std::array<double, 2> explLastRot{};  // the rotating-frame position of the latest step
    double stepDuration = 0.1;            // Δt between two rows of the latest run
};

// One step of the orbit run: the screen's display step (same bookkeeping, same advance of the
// body, same path tables in both frames), then the explanation's rows of that step. The
// rotating observer's run also keeps the step's time and rotating-frame position. Returns false,
// changing nothing, when the step would fall outside the tables.
bool orbitRunInertial(const DiskParameters& constants, DiskRun& run, ExplanationTables& tables,
                      const DisplayStepInput& in);
bool orbitRunRotating(const DiskParameters& constants, DiskRun& run, ExplanationTables& tables,
                      const DisplayStepInput& in);

// The 66 steps of the run from the start point (row 0), for the chosen observer. The disk
// angle goes on from where it stands.
void runOrbitPairs(const DiskParameters& constants, DiskRun& run, ExplanationTables& tables,
                   const DisplayStepInput& in, bool rotatingObserver);

// What the screen's controls give the explanation pictures.
struct ExplanationSettings {
    int step = 0;          // explanationStep
    int protosimiox = 45;  // the orbit row the explanation is made at, 1..64
    double shiftX = 0;     // XSCALEFIGURE / 10
    double shiftY = 0;     // YSCALEFIGURE / 10
    DisplayStepInput input;
};

// The rotating picture starts the screen's motion afresh: step 0, disk angle 0, the initial
// velocity from the controls, ω = 2/R, and rows 1..50 of the step times cleared. A STEP after
// the explanation therefore begins a new motion.
void resetRunForPicture(const DiskParameters& constants, DiskRun& run,
                        const ExplanationSettings& settings);

}  // namespace velarium
