#include "disk/DisplayStep.h"

namespace velarium {

std::optional<DiskEvents> displayStep(const DiskParameters& constants, DiskRun& run,
                                      const DisplayStepInput& in) {
    if (run.stepIndex >= DiskRun::kMaxStep) return std::nullopt;
    ++run.stepIndex;
    run.stepDuration = in.pendulum ? 0.01 : 0.1;
    if (run.stepIndex == 1) {
        const double unit = constants.unitRadius * constants.diskOmega0;
        run.bodyVx = in.textbook ? 0.0 : in.vxtax * unit;
        run.bodyVy = in.vytax * unit;
        run.omegaNow = constants.diskOmega0;
        // Row 0 is the state the run starts from, whatever the controls held before.
        run.keepMotion(0);
    }
    const auto k = static_cast<std::size_t>(run.stepIndex);
    run.timeAt[k] = run.timeAt[k - 1] + run.stepDuration;
    // A step from an earlier one discards the steps after it.
    run.stepsRun = run.stepIndex;
    return advanceStep(constants, run, {in.friction, in.pendulum, kRimRadius});
}

}  // namespace velarium
