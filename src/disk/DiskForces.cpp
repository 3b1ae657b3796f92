#include "disk/DiskForces.h"

#include <cmath>

namespace velarium {

namespace {
Vec2 turned(Vec2 v, double c, double s) { return {c * v.x - s * v.y, s * v.x + c * v.y}; }
Vec2 operator+(Vec2 a, Vec2 b) { return {a.x + b.x, a.y + b.y}; }
Vec2 operator*(double k, Vec2 v) { return {k * v.x, k * v.y}; }

const char* const M1 =
    "CASE WITH FRICTION. ω = CONSTANT, FRICTION ALWAYS CAUSES AN INCREASE OF SPEED";
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
constexpr Rgb kPendulumColour{160, 80, 0};

std::string join(std::initializer_list<const char*> parts) {
    std::string s;
    for (const char* p : parts) s += p;
    return s;
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
    const double mu = friction ? params.frictionDecel : 0.0;
    const Vec2 drag = vRel > 0 ? Vec2{-mu * p / vRel, -mu * q / vRel} : Vec2{};

    // The rotating frame's components: x' = R(θ)·x, v' = R(θ)·(P, Q).
    const Vec2 r = turned(position, c, s);
    const Vec2 v = turned(relative, c, s);
    DiskParameters at = params;
    at.diskOmega = w;
    at.frictionDecelNow = at.frictionDecel;
    std::array<double, 7> state{b.vx, b.vy, b.x, b.y, 0, w, b.theta};
    const double alpha = friction ? diskDerivative(at, 0, state, kOmega) : 0.0;

    DiskVectors out;
    out.coriolis = 2 * m * w * Vec2{-v.y, v.x};
    out.centrifugal = m * w * w * r;
    out.baseAcceleration = m * alpha * Vec2{-r.y, r.x};
    out.restoring = -params.springK * m * r;
    out.total = out.centrifugal + out.coriolis + m * turned(drag, c, s) + out.baseAcceleration +
                out.restoring;
    out.rotatingVelocity = v;
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

DiskMessage updateDiskMessage(const DiskMessageInput& in, DiskMessage current) {
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
            set(M1, {200, 0, 0});
            if (in.check1 && !in.check2) set(join({M1, M2}), {9, 150, 155});
            if (in.check2) set(M1, {9, 150, 0});
        } else if (in.friction && free) {
            set(join({M4, M5}), {9, 50, 150});
            if (in.check2) set(join({M4, M5, M3}), {9, 150, 0});
        } else if (!in.friction) {
            set(M6, {255, 0, 0});
            if (in.check2) set(join({M6, M7}), {9, 150, 0});
        }
        return m;
    }
    if (in.friction && constant) {
        set(join({M1, M3}), {200, 0, 0});
        if (in.check1 && !in.check2) set(join({M1, M2}), {9, 150, 155});
        if (in.check2) set(M1, {9, 150, 0});
    } else if (in.friction && free) {
        if (in.check2)
            set(join({M4, M5, M3}), {9, 150, 0});
        else
            set(join({M4, M5}), {9, 50, 150});
        if (in.check5) set(join({M8, M9}), {255, 0, 0});
        if (in.check4) set(M10, {255, 0, 255});
        if (in.check7) set(M13, {155, 35, 95});
        if (in.check6) set(M14, {55, 35, 95});
    } else if (!in.friction) {
        set(join({M8, M11}), {255, 0, 0});
        if (in.check5) set(join({M8, M9}), {255, 0, 0});
        if (in.check4) set(M12, {255, 0, 255});
        if (in.check7) set(M15, {155, 35, 95});
        if (in.check2) set(join({M6, M7}), {9, 250, 0});
    }
    return m;
}

}  // namespace velarium
