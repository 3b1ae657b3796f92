#include "disk/DisplayStep.h"

namespace velarium {

bool displayStep(DiskShared& disk, DiskRun& run, const DisplayStepInput& in) {
    if (run.stepIndex >= DiskRun::kMaxStep) return false;
    DiskParameters& p = disk.params;
    ++run.stepIndex;
    run.stepDuration = in.pendulum ? 0.01 : 0.1;
    p.startTime = run.stepDuration * run.stepIndex;
    if (run.stepIndex == 1) {
        run.bodyVx = in.textbook ? 0.0 : in.vxtax * p.unitRadius * p.diskOmega0;
        run.bodyVy = in.vytax * p.unitRadius * p.diskOmega0;
        run.omegaNow = p.diskOmega0;
        // Row 0 is the state the run starts from, whatever the controls held before.
        run.keepMotion(0);
        // The angular momentum of disk and body as the run actually starts, the body at (0, R).
        p.totalAngularMomentum =
            p.diskInertia * p.diskOmega0 + p.bodyMass * p.unitRadius * run.bodyVx;
    }
    p.springK = in.pendulum ? 40.0 : 0.0;
    p.frictionOn = in.friction;
    return advanceStep(disk, run, {in.friction, in.pendulum, kRimRadius});
}

}  // namespace velarium
