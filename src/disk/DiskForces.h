#pragma once

#include <string>

#include "disk/DiskModel.h"
#include "draw/PlotCanvas.h"
#include "draw/Vec2.h"

namespace velarium {

// The body at the current display step: inertial position and velocity, the disk's angular
// velocity and angle.
struct BodyNow {
    double x = 0, y = 0, vx = 0, vy = 0;
    double omega = 0;
    double theta = 0;
};

// Every vector the rotating-disk screen can show, in the components of the chosen view. The
// rotating view turns the inertial vectors by the disk angle θ, as it turns the positions.
struct DiskVectors {
    Vec2 position;          // the body in the view
    Vec2 velocity;          // its velocity as the view's observer sees it
    Vec2 baseVelocity;      // velocity of the disk point under the body, (ω·y, −ω·x)
    Vec2 relative;          // (P, Q)
    Vec2 friction;          // −μ·(P, Q)/|v_rel|; zero at rest on the disk
    Vec2 inertialVelocity;  // (vx, vy), for the vector diagram
    Vec2 rotatingVelocity;  // the velocity relative to the disk, for the vector diagram
    Vec2 coriolis;          // 2·m·ω·(−v'y, v'x)
    Vec2 centrifugal;       // m·ω²·(x', y')
    Vec2 baseAcceleration;  // m·α·(−y', x'), α = dω/dt from the friction torque
    Vec2 restoring;         // −K·m·r', the pendulum's pull towards the axis
    Vec2 total;             // every force the rotating observer sees acting on the body
};

// The vectors at the body's state. Friction counts only when `friction` is on and the body is on
// the disk, r ≤ kRimRadius; α is the disk
// model's own angular acceleration at this state, and without friction nothing turns the disk.
// The total is centrifugal + Coriolis + m·friction + base-acceleration force + restoring force.
DiskVectors diskVectors(const DiskParameters& params, const BodyNow& body, bool rotatingView,
                        bool friction);

// Which model the model-choice panel has chosen.
enum class DiskChoice { constantOmega, freeDisk, none };

// How the body's kinetic energy in the frame shown changed over the latest display step: from
// ½·m·|v|² in the inertial frame, from ½·m·|v′|² = ½·m·(P² + Q²) in the rotating one.
enum class SpeedTrend { unknown, rose, fell, kept };
SpeedTrend speedTrend(const DiskRun& run, bool rotatingView);

// Where the body first went beyond the disk's rim: the display step during which it crossed
// r = rim, that step's time span, and the crossing point in the view's coordinates, taken on
// the chord between the step's two rows.
struct RimCrossing {
    bool crossed = false;
    int step = 0;
    double from = 0, to = 0;
    Vec2 at;
};
RimCrossing rimCrossing(const DiskRun& run, bool rotatingView, double rim);

// What decides the guiding message of the rotating-disk screen.
struct DiskMessageInput {
    bool pendulum = false;  // a pendulum entry is checked
    bool textbook = false;  // the pendulum is "FOUCAULT TEXTBOOK", released at rest
    bool explanationMode = false;
    bool rotatingView = false;
    bool friction = false;
    DiskChoice choice = DiskChoice::constantOmega;
    bool check1 = false, check2 = false, check4 = false, check5 = false, check6 = false,
         check7 = false;
    int stepIndex = 0;  // 0: the run has not started
    SpeedTrend speed = SpeedTrend::unknown;
    RimCrossing rim;
};

struct DiskMessage {
    std::string text;
    Rgb colour;
    friend bool operator==(const DiskMessage&, const DiskMessage&) = default;
};

// The message that follows `current` for the situation: the rules apply in turn and the last
// one that applies wins; where none applies the current message stays. Before the first step
// the message first says what to do; once the body has left the disk it says so at the end.
// Texts that follow one another are parted by one space.
DiskMessage updateDiskMessage(const DiskMessageInput& in, DiskMessage current);

}  // namespace velarium
