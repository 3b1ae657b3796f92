#pragma once

#include "disk/DiskModel.h"

namespace velarium {

// What one display step of the rotating-disk screen reads from its controls.
struct DisplayStepInput {
    int vxtax = 1;  // initial velocity in multiples of ω·R
    int vytax = 0;
    bool friction = false;  // "NON ZERO FRICTION"
    bool pendulum = false;  // a pendulum entry is checked
    bool textbook = false;  // "FOUCAULT TEXTBOOK": the pendulum is released at rest
};

// One display step k = stepIndex + 1, the bookkeeping every step routine shares: the step's
// duration (0.1, or 0.01 as a pendulum), the initial velocity and ω0 at k = 1, then
// `advanceStep` with the input's friction and pendulum. Returns the step's events, or nothing,
// changing nothing, when the path tables are full.
std::optional<DiskEvents> displayStep(const DiskParameters& constants, DiskRun& run,
                                      const DisplayStepInput& in);

}  // namespace velarium
