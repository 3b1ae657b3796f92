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
// duration (0.1, or 0.01 as a pendulum) and start time, the initial velocity and angular
// momentum at k = 1, the spring and the friction, then `advanceStep`. Returns false, changing
// nothing, when the path tables are full.
bool displayStep(DiskShared& disk, DiskRun& run, const DisplayStepInput& in);

}  // namespace velarium
