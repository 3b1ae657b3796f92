#include "explain/OrbitPairs.h"

#include <algorithm>
#include <cmath>

namespace velarium {

ExplanationTables::ExplanationTables()
    : explAngle(kAngleRows),
      explVx(kVelocityRows),
      explVy(kVelocityRows),
      explOmega(kVelocityRows),
      explXRot(kRotatingRows),
      explYRot(kRotatingRows) {}

namespace {

// The display step and the rows every observer's run keeps. Returns the row written, or 0.
int runStep(const DiskParameters& constants, DiskRun& run, ExplanationTables& t,
            const DisplayStepInput& in) {
    // Rows past the velocity tables are never written: the run stops there.
    if (run.stepIndex + 1 >= ExplanationTables::kVelocityRows) return 0;
    if (!displayStep(constants, run, in)) return 0;
    const auto k = static_cast<std::size_t>(run.stepIndex);
    t.explAngle[k] = run.diskAngle;
    t.explVx[k] = run.bodyVx;
    t.explVy[k] = run.bodyVy;
    t.explOmega[k] = run.omegaNow;
    t.stepDuration = run.stepDuration;
    return run.stepIndex;
}

}  // namespace

bool orbitRunInertial(const DiskParameters& constants, DiskRun& run, ExplanationTables& t,
                      const DisplayStepInput& in) {
    return runStep(constants, run, t, in) > 0;
}

bool orbitRunRotating(const DiskParameters& constants, DiskRun& run, ExplanationTables& t,
                      const DisplayStepInput& in) {
    const int row = runStep(constants, run, t, in);
    if (row == 0) return false;
    const auto k = static_cast<std::size_t>(row);
    run.pathTime[k] = run.stepDuration * row;
    t.explXRot[k] = run.pathXRot[k];
    t.explYRot[k] = run.pathYRot[k];
    t.explLastRot = {run.pathXRot[k], run.pathYRot[k]};
    return true;
}

void runOrbitPairs(const DiskParameters& constants, DiskRun& run, ExplanationTables& t,
                   const DisplayStepInput& in, bool rotatingObserver) {
    run.stepIndex = 0;
    for (int i = 0; i < ExplanationTables::kRunSteps; ++i) {
        if (rotatingObserver)
            orbitRunRotating(constants, run, t, in);
        else
            orbitRunInertial(constants, run, t, in);
    }
}

void resetRunForPicture(const DiskParameters& p, DiskRun& run, const ExplanationSettings& st) {
    run.stepIndex = 0;
    run.diskAngle = 0;
    run.omegaInitial = 2.0 / p.unitRadius;
    run.omegaNow = run.omegaInitial;
    run.bodyVx = st.input.vxtax * run.omegaInitial * p.unitRadius;
    run.bodyVy = st.input.vytax * run.omegaInitial * p.unitRadius;
    std::fill(run.pathTime.begin() + 1, run.pathTime.begin() + 51, 0.0);
}

}  // namespace velarium
