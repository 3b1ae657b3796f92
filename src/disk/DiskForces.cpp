#include "disk/DiskForces.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "draw/NumberFormat.h"
#include "draw/Palette.h"

namespace velarium {

namespace {
Vec2 turned(Vec2 v, double c, double s) { return {c * v.x - s * v.y, s * v.x + c * v.y}; }
Vec2 operator+(Vec2 a, Vec2 b) { return {a.x + b.x, a.y + b.y}; }
Vec2 operator*(double k, Vec2 v) { return {k * v.x, k * v.y}; }

// With ω held constant friction speeds the body up or slows it down, as the disk under it runs
// faster or slower than the body. In the inertial frame friction is the only force, so the
// change of speed is its work; in the rotating frame the centrifugal force works as well and
// the Coriolis force does none.
const char* const M1 = "CASE WITH FRICTION. ω = CONSTANT,";
const char* const kFrictionBeforeStep =
    "PRESS STEP TO SEE WHETHER FRICTION RAISES OR LOWERS THE SPEED";
const char* const kFrictionRaised = "IN THIS STEP FRICTION INCREASED THE SPEED";
const char* const kFrictionLowered = "IN THIS STEP FRICTION DECREASED THE SPEED";
const char* const kSpeedKept = "IN THIS STEP THE SPEED DID NOT CHANGE";
const char* const kRelativeRaised =
    "IN THIS STEP THE SPEED RELATIVE TO THE DISK INCREASED: THE CENTRIFUGAL FORCE DID MORE WORK "
    "THAN FRICTION TOOK AWAY";
const char* const kRelativeLowered =
    "IN THIS STEP THE SPEED RELATIVE TO THE DISK DECREASED: FRICTION, OPPOSITE TO THE RELATIVE "
    "VELOCITY, TOOK AWAY MORE THAN THE CENTRIFUGAL FORCE GAVE";
const char* const kRelativeKept = "IN THIS STEP THE SPEED RELATIVE TO THE DISK DID NOT CHANGE";
const char* const kOpening =
    "CHOOSE THE OBSERVER, THE INITIAL VELOCITY, THE MASS AND FRICTION, THEN PRESS STEP TO MOVE "
    "THE BODY ONE STEP (OR CONTINUOUS CHANGE TO LET IT RUN).";
const char* const M2 = "TO FIND THE RELATIVE VELOCITY PRESS 'SHOW RELATIVE VELOCITY'";
const char* const M3 = " OBSERVE THAT FRICTION IS OPPOSITE TO RELATIVE VELOCITY";
const char* const M4 =
    "CASE WITH FRICTION. ω  NOT A  CONSTANT, the friction will eventually oppose the "
    "relative VELOCITY";
const char* const M5 = " OBSERVE THAT L=ANGULAR MOMENTUM IS A CONSTANT";
const char* const M6 =
    "NO FRICTION, IN INERTIAL FRAME THE BODY MOVES IN A LINE ACCORDING TO 1ST LAW, IN THE "
    "ROTATING FRAME ITS ORBIT IS A SPIRAL. WHAT IS THE CAUSE?? CHOOSE 'ROTATING' TO STUDY THIS "
    "CASE.";
const char* const M7 = "RELATIVE VELOCITY=ABSOLUTE VELOCITY - VELOCITY OF THE POINT OF BASE";
const char* const M8 =
    "NO FRICTION, IN INERTIAL FRAME THE BODY MOVES IN A LINE ACCORDING TO 1ST LAW, IN THE "
    "ROTATING FRAME ITS ORBIT IS A SPIRAL. WHAT IS THE CAUSE??";
const char* const M9 = "DOES THE CENTRIFUGAL EXPLAIN THE SHAPE OF THE CURVE? PRESS CORIOLIS";
const char* const M10 =
    "YOU CAN SEE THAT THE CORIOLIS FORCE IS _|_ TO THE RELATIVE VELOCITY. SINCE THE BASE "
    "DECELLERATES THERE IS ANOTHER FICTITIOUS FORCE. PRESS BASE ACC";
const char* const M11 = "PRESS CENTRIFUGAL";
const char* const M12 =
    "YOU CAN SEE THAT THE CORIOLIS FORCE IS _|_ TO THE RELATIVE VELOCITY, TO SEE THE TOTAL FORCE "
    "PRESS TOTAL FORCE";
const char* const M13 =
    "YOU CAN SEE THAT THE TOTAL FORCE DOES NOT MAKE ALWAYS AN ACUTE ANGLE TO THE RELATIVE "
    "VELOCITY, AND IS DIRECTED TOWARDS THE CONVEX PART OF THE CURVE, TO SEE THE EFFECTS OF "
    "FRICTION PRESS FRICTION";
const char* const M14 =
    "IS THE FORCE DUE TO THE BASE ACCELERATION IMPORTANT? OBSERVE THE FICTITIOUS FORCE AS THE "
    "CONVEX PART OF THE CURVE TURNS THE OTHER WAY";
const char* const M15 =
    "YOU CAN SEE THAT THE TOTAL FORCE MAKES AN ACUTE ANGLE TO THE RELATIVE VELOCITY, AND IS "
    "DIRECTED TOWARDS THE CONVEX PART OF THE CURVE, TO SEE THE EFFECTS OF FRICTION PRESS FRICTION";

// A pendulum is pulled towards the axis by −K·m·r, so the messages of a body left to itself or
// to friction do not hold; these say what the swing does instead.
const char* const kPendulumAtRest =
    "FOUCAULT PENDULUM RELEASED AT REST: THE RESTORING FORCE −K·m·r PULLS THE BOB TOWARDS THE "
    "AXIS, SO IN THE INERTIAL FRAME IT SWINGS TO AND FRO ON ONE LINE THROUGH THE AXIS WHILE THE "
    "DISK TURNS UNDER IT. CHOOSE 'ROTAGING FRAME' TO SEE THE SWING FROM THE DISK.";
const char* const kPendulumWithSpeed =
    "FOUCAULT PENDULUM WITH INITIAL SPEED: THE RESTORING FORCE −K·m·r PULLS THE BOB TOWARDS THE "
    "AXIS, SO IN THE INERTIAL FRAME IT RUNS ON AN ELLIPSE CENTRED ON THE AXIS (A LINE WHEN IT "
    "STARTS ALONG THE RADIUS). CHOOSE 'ROTAGING FRAME' TO SEE THE SWING FROM THE DISK.";
const char* const kPendulumRotating =
    "FOUCAULT PENDULUM SEEN FROM THE DISK: THE SWING, FIXED IN THE INERTIAL FRAME, TURNS ROUND "
    "AGAINST THE DISK'S ROTATION. THE RESTORING FORCE −K·m·r PULLS THE BOB TOWARDS THE AXIS; "
    "CHECK THE FORCE BOXES TO SEE THAT IT, THE CENTRIFUGAL AND THE CORIOLIS FORCE ADD UP TO THE "
    "TOTAL FORCE.";
const char* const kPendulumFriction =
    "FOUCAULT PENDULUM WITH FRICTION: BESIDES THE RESTORING FORCE −K·m·r TOWARDS THE AXIS, "
    "FRICTION ACTS OPPOSITE TO THE BOB'S VELOCITY RELATIVE TO THE DISK, SO THE SWING DOES NOT "
    "KEEP ONE LINE IN THE INERTIAL FRAME. OBSERVE THE FRICTION ARROW AT THE BOB.";
constexpr Rgb kPendulumColour = rgb(Colour::messagePendulum);

// The texts one after the other, each without its leading spaces, parted by one space.
std::string join(std::initializer_list<std::string_view> parts) {
    std::string s;
    for (std::string_view p : parts) {
        p.remove_prefix(std::min(p.find_first_not_of(' '), p.size()));
        if (p.empty()) continue;
        if (!s.empty()) s += ' ';
        s += p;
    }
    return s;
}

// M1 with the clause that is true of the latest step in the frame shown.
std::string frictionMessage(const DiskMessageInput& in) {
    const bool r = in.rotatingView;
    switch (in.speed) {
        case SpeedTrend::rose: return join({M1, r ? kRelativeRaised : kFrictionRaised});
        case SpeedTrend::fell: return join({M1, r ? kRelativeLowered : kFrictionLowered});
        case SpeedTrend::kept: return join({M1, r ? kRelativeKept : kSpeedKept});
        case SpeedTrend::unknown: break;
    }
    return join({M1, kFrictionBeforeStep});
}

std::string rimMessage(const RimCrossing& c, double rim) {
    return "THE BODY LEFT THE DISK DURING STEP " + formatFixed(c.step, 0) +
           " (t = " + formatFixed(c.from, 2) + " TO " + formatFixed(c.to, 2) + "), AT (" +
           formatFixed(c.at.x, 2) + ", " + formatFixed(c.at.y, 2) +
           ") IN THIS VIEW, WHERE r = " + formatFixed(rim, 0) +
           ". BEYOND THE RIM THERE IS NO DISK UNDER IT: NO FRICTION ACTS ON IT THERE.";
}
}  // namespace

DiskVectors diskVectors(const DiskParameters& params, const BodyNow& b, bool rotatingView,
                        bool friction) {
    const double m = params.bodyMass;
    const double w = b.omega;
    const double c = std::cos(b.theta);
    const double s = std::sin(b.theta);
    const auto [p, q] = relativeVelocity(b.vx, b.vy, b.x, b.y, w);
    const double vRel = std::sqrt(p * p + q * q);

    // Inertial components first.
    const Vec2 position{b.x, b.y};
    const Vec2 velocity{b.vx, b.vy};
    const Vec2 base{w * b.y, -w * b.x};
    const Vec2 relative{p, q};
    // Beyond the rim there is no disk under the body to rub on it.
    const bool onDisk = std::hypot(b.x, b.y) <= kRimRadius;
    const double mu = friction && onDisk ? params.frictionDecel : 0.0;
    const Vec2 drag = vRel > 0 ? Vec2{-mu * p / vRel, -mu * q / vRel} : Vec2{};

    // The rotating frame's components: x' = R(θ)·x, v' = R(θ)·(P, Q).
    const Vec2 r = turned(position, c, s);
    const Vec2 v = turned(relative, c, s);
    DiskParameters at = params;
    at.frictionOn = true;
    const DiskComponents state{b.vx, b.vy, b.x, b.y, 0, w, b.theta};
    const double alpha = friction && onDisk ? diskDerivative(at, w, state, kOmega) : 0.0;

    DiskVectors out;
    out.coriolis = 2 * m * w * Vec2{-v.y, v.x};
    out.centrifugal = m * w * w * r;
    out.baseAcceleration = m * alpha * Vec2{-r.y, r.x};
    out.restoring = -params.springK * m * r;
    out.total = out.centrifugal + out.coriolis + m * turned(drag, c, s) + out.baseAcceleration +
                out.restoring;
    // The vector diagram stands in the picture's own axes: the velocity relative to the disk is
    // v' in the rotating view and (P, Q) in the inertial one, the same vector as drawn at the body.
    out.rotatingVelocity = rotatingView ? v : relative;
    if (rotatingView) {
        out.position = r;
        out.velocity = v;
        out.baseVelocity = turned(base, c, s);
        out.relative = v;
        out.friction = turned(drag, c, s);
        out.inertialVelocity = turned(velocity, c, s);
    } else {
        out.position = position;
        out.velocity = velocity;
        out.baseVelocity = base;
        out.relative = relative;
        out.friction = drag;
        out.inertialVelocity = velocity;
    }
    return out;
}

SpeedTrend speedTrend(const DiskRun& run, bool rotatingView) {
    if (run.stepIndex < 1) return SpeedTrend::unknown;
    auto energy = [&](std::size_t k) {
        double vx = run.pathVx[k], vy = run.pathVy[k];
        if (rotatingView) {
            const auto [p, q] =
                relativeVelocity(vx, vy, run.pathX[k], run.pathY[k], run.pathOmega[k]);
            vx = p;
            vy = q;
        }
        return vx * vx + vy * vy;  // ½·m left out: only the comparison counts
    };
    const auto k = static_cast<std::size_t>(run.stepIndex);
    const double before = energy(k - 1), after = energy(k);
    const double tolerance = 1e-9 * std::max({before, after, 1e-12});
    if (after > before + tolerance) return SpeedTrend::rose;
    if (after < before - tolerance) return SpeedTrend::fell;
    return SpeedTrend::kept;
}

RimCrossing rimCrossing(const DiskRun& run, bool rotatingView, double rim) {
    const auto& xs = rotatingView ? run.pathXRot : run.pathX;
    const auto& ys = rotatingView ? run.pathYRot : run.pathY;
    for (std::size_t k = 1; k <= static_cast<std::size_t>(run.stepIndex); ++k) {
        const Vec2 b{xs[k], ys[k]};
        if (std::hypot(b.x, b.y) <= rim) continue;
        // |a + s·(b − a)| = rim on the chord from inside to outside: the larger root in [0, 1].
        const Vec2 a{xs[k - 1], ys[k - 1]};
        const Vec2 d{b.x - a.x, b.y - a.y};
        const double qa = d.x * d.x + d.y * d.y;
        const double qb = 2 * (a.x * d.x + a.y * d.y);
        const double qc = a.x * a.x + a.y * a.y - rim * rim;
        const double root =
            qa > 0 ? (-qb + std::sqrt(std::max(qb * qb - 4 * qa * qc, 0.0))) / (2 * qa) : 0.0;
        const double s = std::clamp(root, 0.0, 1.0);
        const double dt = run.stepDuration;
        return {true,
                static_cast<int>(k),
                dt * static_cast<double>(k - 1),
                dt * static_cast<double>(k),
                {a.x + s * d.x, a.y + s * d.y}};
    }
    return {};
}

namespace {
DiskMessage chosenDiskMessage(const DiskMessageInput& in, DiskMessage current) {
    DiskMessage m = std::move(current);
    auto set = [&m](std::string text, Rgb colour) {
        m.text = std::move(text);
        m.colour = colour;
    };
    if (in.explanationMode) {
        m.text.clear();
        return m;
    }
    if (in.pendulum) {
        set(in.friction       ? kPendulumFriction
            : in.rotatingView ? kPendulumRotating
            : in.textbook     ? kPendulumAtRest
                              : kPendulumWithSpeed,
            kPendulumColour);
        return m;
    }
    const bool constant = in.choice == DiskChoice::constantOmega;
    const bool free = in.choice == DiskChoice::freeDisk;
    if (!in.rotatingView) {
        if (in.friction && constant) {
            const std::string m1 = frictionMessage(in);
            set(m1, rgb(Colour::messageFriction));
            if (in.check1 && !in.check2) set(join({m1, M2}), rgb(Colour::messageRelativeVelocity));
            if (in.check2) set(m1, rgb(Colour::messageRelativeShown));
        } else if (in.friction && free) {
            set(join({M4, M5}), rgb(Colour::messageFreeDisk));
            if (in.check2) set(join({M4, M5, M3}), rgb(Colour::messageRelativeShown));
        } else if (!in.friction) {
            set(M6, rgb(Colour::messageNoFriction));
            if (in.check2) set(join({M6, M7}), rgb(Colour::messageRelativeShown));
        }
        return m;
    }
    if (in.friction && constant) {
        const std::string m1 = frictionMessage(in);
        set(join({m1, M3}), rgb(Colour::messageFriction));
        if (in.check1 && !in.check2) set(join({m1, M2}), rgb(Colour::messageRelativeVelocity));
        if (in.check2) set(m1, rgb(Colour::messageRelativeShown));
    } else if (in.friction && free) {
        if (in.check2)
            set(join({M4, M5, M3}), rgb(Colour::messageRelativeShown));
        else
            set(join({M4, M5}), rgb(Colour::messageFreeDisk));
        if (in.check5) set(join({M8, M9}), rgb(Colour::messageNoFriction));
        if (in.check4) set(M10, rgb(Colour::messageCoriolis));
        if (in.check7) set(M13, rgb(Colour::messageTotalForce));
        if (in.check6) set(M14, rgb(Colour::messageBaseAcceleration));
    } else if (!in.friction) {
        set(join({M8, M11}), rgb(Colour::messageNoFriction));
        if (in.check5) set(join({M8, M9}), rgb(Colour::messageNoFriction));
        if (in.check4) set(M12, rgb(Colour::messageCoriolis));
        if (in.check7) set(M15, rgb(Colour::messageTotalForce));
        if (in.check2) set(join({M6, M7}), rgb(Colour::messageRelativeNoFriction));
    }
    return m;
}

}  // namespace

DiskMessage updateDiskMessage(const DiskMessageInput& in, DiskMessage current) {
    DiskMessage m = chosenDiskMessage(in, std::move(current));
    if (in.explanationMode) return m;
    // A message the rules left as it was may carry these already.
    if (in.stepIndex == 0 && !m.text.starts_with(kOpening)) m.text = join({kOpening, m.text});
    if (in.rim.crossed) {
        const std::string rim = rimMessage(in.rim, kRimRadius);
        if (!m.text.ends_with(rim)) m.text = join({m.text, rim});
    }
    return m;
}

}  // namespace velarium
