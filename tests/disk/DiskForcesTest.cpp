#include <gtest/gtest.h>

#include <cmath>

#include "disk/DiskForces.h"

namespace velarium {
namespace {

TEST(DiskVectors, DefaultStartHasNoCoriolisAndAnOutwardCentrifugal) {
    // At rest on the disk at (0, 1): v' = 0, centrifugal m·ω²·r' = 4·m along +y.
    DiskParameters p;
    p.bodyMass = 1.5;
    const DiskVectors v = diskVectors(p, {0, 1, 2, 0, 2, 0}, true, true);
    EXPECT_EQ(v.coriolis.x, 0);
    EXPECT_EQ(v.coriolis.y, 0);
    EXPECT_NEAR(v.centrifugal.x, 0, 1e-15);
    EXPECT_DOUBLE_EQ(v.centrifugal.y, 6.0);
    // No relative motion, so no friction and no torque on the disk.
    EXPECT_EQ(v.friction.x, 0);
    EXPECT_EQ(v.friction.y, 0);
    EXPECT_EQ(v.baseAcceleration.x, 0);
    EXPECT_DOUBLE_EQ(v.total.y, 6.0);
}

TEST(DiskVectors, RotatingViewTurnsEveryVectorByTheDiskAngle) {
    DiskParameters p;
    p.bodyMass = 2;
    p.omegaVariable = 1;
    const double theta = 0.7;
    const BodyNow b{0.3, -0.8, 1.2, 0.4, 1.8, theta};
    const DiskVectors in = diskVectors(p, b, false, true);
    const DiskVectors rot = diskVectors(p, b, true, true);
    const double c = std::cos(theta), s = std::sin(theta);
    auto turnedOf = [&](Vec2 a) { return Vec2{c * a.x - s * a.y, s * a.x + c * a.y}; };
    for (auto [a, b2] : {std::pair{in.position, rot.position},
                         {in.baseVelocity, rot.baseVelocity},
                         {in.relative, rot.relative},
                         {in.friction, rot.friction},
                         // The vector diagram stands in each picture's own axes.
                         {in.rotatingVelocity, rot.rotatingVelocity},
                         {in.inertialVelocity, rot.inertialVelocity}}) {
        const Vec2 t = turnedOf(a);
        EXPECT_NEAR(t.x, b2.x, 1e-14);
        EXPECT_NEAR(t.y, b2.y, 1e-14);
    }
    // P = vx − ω·y, Q = vy + ω·x; the rotating observer sees v' = R(θ)·(P, Q) as the velocity.
    EXPECT_DOUBLE_EQ(in.relative.x, 1.2 - 1.8 * -0.8);
    EXPECT_DOUBLE_EQ(in.relative.y, 0.4 + 1.8 * 0.3);
    EXPECT_EQ(rot.velocity.x, rot.rotatingVelocity.x);
    // Friction of magnitude μ = 1 against the relative velocity.
    EXPECT_NEAR(std::hypot(in.friction.x, in.friction.y), 1.0, 1e-15);
    EXPECT_LT(in.friction.x * in.relative.x + in.friction.y * in.relative.y, 0);
    // Coriolis ⟂ v', of size 2·m·ω·|v'|.
    const Vec2 vp = rot.rotatingVelocity;
    EXPECT_NEAR(rot.coriolis.x * vp.x + rot.coriolis.y * vp.y, 0, 1e-12);
    EXPECT_NEAR(std::hypot(rot.coriolis.x, rot.coriolis.y), 2 * 2 * 1.8 * std::hypot(vp.x, vp.y),
                1e-12);
}

TEST(DiskVectors, BaseAccelerationFollowsTheFrictionTorqueOnAFreeDiskOnly) {
    DiskParameters p;
    p.bodyMass = 2;
    const BodyNow b{0.0, 1.0, 0.5, 0.0, 2.0, 0.0};
    EXPECT_EQ(diskVectors(p, b, true, true).baseAcceleration.x, 0);
    p.omegaVariable = 1;
    // P = 0.5 − 2 = −1.5, Q = 0: α = m·(y·P − x·Q)/(|v_rel|·I) = 2·(−1.5)/(1.5·10) = −0.2;
    // force m·α·(−y', x') = 2·(−0.2)·(−1, 0).
    const DiskVectors v = diskVectors(p, b, true, true);
    EXPECT_NEAR(v.baseAcceleration.x, 0.4, 1e-15);
    EXPECT_NEAR(v.baseAcceleration.y, 0, 1e-15);
    // Friction off: nothing turns the disk, and the friction and its share of the total vanish.
    const DiskVectors off = diskVectors(p, b, true, false);
    EXPECT_EQ(off.baseAcceleration.x, 0);
    EXPECT_EQ(off.friction.x, 0);
    EXPECT_DOUBLE_EQ(off.total.x, off.centrifugal.x + off.coriolis.x);
}

TEST(DiskVectors, TotalForceIsEveryForceTheRotatingObserverSees) {
    DiskParameters p;
    p.bodyMass = 2;
    p.omegaVariable = 1;
    const BodyNow b{0.3, -0.8, 1.2, 0.4, 1.8, 0.7};
    const DiskVectors v = diskVectors(p, b, true, true);
    ASSERT_NE(v.baseAcceleration.x, 0);
    EXPECT_NEAR(v.total.x, v.centrifugal.x + v.coriolis.x + 2 * v.friction.x + v.baseAcceleration.x,
                1e-12);
    EXPECT_NEAR(v.total.y, v.centrifugal.y + v.coriolis.y + 2 * v.friction.y + v.baseAcceleration.y,
                1e-12);

    // A pendulum: the restoring force −K·m·r' joins the total and, with K = 40 against ω² = 4,
    // pulls the body in although the centrifugal force points out.
    DiskParameters pendulum;
    pendulum.bodyMass = 1;
    pendulum.springK = 40;
    const BodyNow swing{0.0, 1.0, 2.0, 0.0, 2.0, 0.3};
    const DiskVectors s = diskVectors(pendulum, swing, true, false);
    EXPECT_NEAR(s.restoring.x, -40 * s.position.x, 1e-12);
    EXPECT_NEAR(s.restoring.y, -40 * s.position.y, 1e-12);
    EXPECT_NEAR(s.total.x, s.centrifugal.x + s.coriolis.x + s.restoring.x, 1e-12);
    EXPECT_LT(s.total.x * s.position.x + s.total.y * s.position.y, 0);
}

TEST(DiskVectors, NoFrictionBeyondTheRim) {
    // At r = 2 the body still rubs on the disk; just beyond, nothing is under it.
    DiskParameters p;
    p.omegaVariable = 1;
    for (auto [x, rubs] : {std::pair{2.0, true}, {2.001, false}}) {
        const DiskVectors v = diskVectors(p, BodyNow{x, 0, 5, 0, 2, 0}, true, true);
        EXPECT_EQ(length(v.friction) > 0, rubs) << x;
        EXPECT_EQ(length(v.baseAcceleration) > 0, rubs) << x;
    }
}

TEST(DiskVectors, StayFiniteOnTheAxisAndWithoutRotation) {
    DiskParameters p;
    p.omegaVariable = 1;
    for (const BodyNow& b :
         {BodyNow{0, 0, 0, 0, 2, 0}, BodyNow{0, 0, 0, 0, 0, 0}, BodyNow{0, 0, 1, 0, 0, 0}}) {
        const DiskVectors v = diskVectors(p, b, true, true);
        for (Vec2 a : {v.friction, v.coriolis, v.baseAcceleration, v.total})
            EXPECT_TRUE(std::isfinite(a.x) && std::isfinite(a.y));
    }
}

// The guiding message: each rule that applies replaces the one before.
class DiskMessageRules : public ::testing::Test {
protected:
    // The message after a display step, unless the test gives the step.
    DiskMessage after(DiskMessageInput in, int step = 1) {
        in.stepIndex = step;
        return updateDiskMessage(in, {"before", {1, 2, 3}});
    }
    static bool starts(const DiskMessage& m, const char* head) {
        return m.text.rfind(head, 0) == 0;
    }
};

TEST_F(DiskMessageRules, InertialViewWithoutFriction) {
    DiskMessageInput in;
    DiskMessage m = after(in);
    EXPECT_EQ(m.text,
              "NO FRICTION, IN INERTIAL FRAME THE BODY MOVES IN A LINE ACCORDING TO 1ST LAW, IN "
              "THE ROTATING FRAME ITS ORBIT IS A SPIRAL. WHAT IS THE CAUSE?? CHOOSE 'ROTATING' TO "
              "STUDY THIS CASE.");
    EXPECT_EQ(m.colour, (Rgb{255, 0, 0}));
    in.check2 = true;
    m = after(in);
    EXPECT_TRUE(m.text.ends_with(
        "STUDY THIS CASE. RELATIVE VELOCITY=ABSOLUTE VELOCITY - VELOCITY OF THE POINT OF BASE"));
    // Before the first step the message first says what to do.
    EXPECT_TRUE(starts(after(in, 0),
                       "CHOOSE THE OBSERVER, THE INITIAL VELOCITY, THE MASS AND "
                       "FRICTION, THEN PRESS STEP"));
    EXPECT_EQ(m.colour, (Rgb{9, 150, 0}));
}

TEST_F(DiskMessageRules, InertialViewWithFriction) {
    DiskMessageInput in;
    in.friction = true;
    // With ω constant the message says what the latest step did to the speed.
    for (auto [speed, clause] :
         {std::pair{SpeedTrend::rose, "IN THIS STEP FRICTION INCREASED THE SPEED"},
          {SpeedTrend::fell, "IN THIS STEP FRICTION DECREASED THE SPEED"},
          {SpeedTrend::kept, "IN THIS STEP THE SPEED DID NOT CHANGE"},
          {SpeedTrend::unknown, "PRESS STEP TO SEE WHETHER FRICTION RAISES OR LOWERS THE SPEED"}}) {
        in.speed = speed;
        in.check1 = in.check2 = false;
        const std::string m1 = std::string("CASE WITH FRICTION. ω = CONSTANT, ") + clause;
        EXPECT_EQ(after(in), (DiskMessage{m1, {200, 0, 0}}));
        in.check1 = true;
        EXPECT_EQ(after(in),
                  (DiskMessage{m1 + " TO FIND THE RELATIVE VELOCITY PRESS 'SHOW RELATIVE "
                                    "VELOCITY'",
                               {9, 150, 155}}));
        in.check2 = true;
        EXPECT_EQ(after(in), (DiskMessage{m1, {9, 150, 0}}));
    }

    in = {};
    in.friction = true;
    in.choice = DiskChoice::freeDisk;
    const std::string m45 =
        "CASE WITH FRICTION. ω  NOT A  CONSTANT, the friction will eventually "
        "oppose the relative VELOCITY OBSERVE THAT L=ANGULAR MOMENTUM IS A "
        "CONSTANT";
    EXPECT_EQ(after(in), (DiskMessage{m45, {9, 50, 150}}));
    in.check2 = true;
    EXPECT_EQ(after(in),
              (DiskMessage{m45 + " OBSERVE THAT FRICTION IS OPPOSITE TO RELATIVE VELOCITY",
                           {9, 150, 0}}));

    // No model chosen: the message stays as it was.
    in.choice = DiskChoice::none;
    EXPECT_EQ(after(in), (DiskMessage{"before", {1, 2, 3}}));
}

TEST_F(DiskMessageRules, RotatingViewWithoutFrictionLastRuleWins) {
    DiskMessageInput in;
    in.rotatingView = true;
    DiskMessage m = after(in);
    EXPECT_TRUE(m.text.ends_with("WHAT IS THE CAUSE?? PRESS CENTRIFUGAL"));
    EXPECT_EQ(m.colour, (Rgb{255, 0, 0}));
    in.check5 = true;
    EXPECT_TRUE(after(in).text.ends_with("PRESS CORIOLIS"));
    in.check4 = true;
    m = after(in);
    EXPECT_TRUE(
        starts(m, "YOU CAN SEE THAT THE CORIOLIS FORCE IS _|_ TO THE RELATIVE VELOCITY, TO"));
    EXPECT_EQ(m.colour, (Rgb{255, 0, 255}));
    in.check6 = true;
    in.check7 = true;
    m = after(in);
    EXPECT_TRUE(starts(m, "YOU CAN SEE THAT THE TOTAL FORCE MAKES AN ACUTE ANGLE"));
    EXPECT_EQ(m.colour, (Rgb{155, 35, 95}));
    in.check2 = true;
    m = after(in);
    EXPECT_TRUE(m.text.ends_with("VELOCITY OF THE POINT OF BASE"));
    EXPECT_TRUE(starts(m, "NO FRICTION"));
    EXPECT_EQ(m.colour, (Rgb{9, 250, 0}));
}

TEST_F(DiskMessageRules, RotatingViewWithFriction) {
    DiskMessageInput in;
    in.rotatingView = true;
    in.friction = true;
    in.speed = SpeedTrend::fell;
    DiskMessage m = after(in);
    EXPECT_EQ(m.text,
              "CASE WITH FRICTION. ω = CONSTANT, IN THIS STEP THE SPEED RELATIVE TO THE DISK "
              "DECREASED: FRICTION, OPPOSITE TO THE RELATIVE VELOCITY, TOOK AWAY MORE THAN THE "
              "CENTRIFUGAL FORCE GAVE OBSERVE THAT FRICTION IS OPPOSITE TO RELATIVE VELOCITY");
    in.speed = SpeedTrend::rose;
    EXPECT_NE(after(in).text.find("RELATIVE TO THE DISK INCREASED: THE CENTRIFUGAL FORCE DID MORE "
                                  "WORK THAN FRICTION TOOK AWAY"),
              std::string::npos);
    EXPECT_EQ(m.colour, (Rgb{200, 0, 0}));
    // The force boxes say nothing while ω is constant.
    in.check4 = in.check5 = in.check7 = true;
    EXPECT_EQ(after(in).colour, (Rgb{200, 0, 0}));

    in = {};
    in.rotatingView = true;
    in.friction = true;
    in.choice = DiskChoice::freeDisk;
    EXPECT_EQ(after(in).colour, (Rgb{9, 50, 150}));
    in.check5 = true;
    EXPECT_EQ(after(in).colour, (Rgb{255, 0, 0}));
    in.check4 = true;
    m = after(in);
    EXPECT_TRUE(m.text.ends_with("PRESS BASE ACC"));
    EXPECT_EQ(m.colour, (Rgb{255, 0, 255}));
    in.check7 = true;
    EXPECT_TRUE(starts(after(in), "YOU CAN SEE THAT THE TOTAL FORCE DOES NOT MAKE ALWAYS"));
    in.check6 = true;
    m = after(in);
    EXPECT_TRUE(starts(m, "IS THE FORCE DUE TO THE BASE ACCELERATION IMPORTANT?"));
    EXPECT_EQ(m.colour, (Rgb{55, 35, 95}));
}

TEST_F(DiskMessageRules, ExplanationModeEmptiesTheTextAndPendulumsNameTheirForce) {
    DiskMessageInput in;
    in.explanationMode = true;
    in.pendulum = true;
    in.check2 = in.check4 = in.friction = true;
    EXPECT_EQ(after(in).text, "");
    // A pendulum does not move by the first law: each mode names the restoring force and what
    // its swing does, whatever the check boxes say.
    struct Case {
        bool rotating, friction, textbook;
        const char* says;
    };
    for (const Case& c : {Case{false, false, true, "ON ONE LINE THROUGH THE AXIS"},
                          Case{false, false, false, "ON AN ELLIPSE CENTRED ON THE AXIS"},
                          Case{true, false, true, "TURNS ROUND AGAINST THE DISK'S ROTATION"},
                          Case{true, false, false, "TURNS ROUND AGAINST THE DISK'S ROTATION"},
                          Case{false, true, true, "FRICTION ACTS OPPOSITE"},
                          Case{true, true, false, "FRICTION ACTS OPPOSITE"}}) {
        DiskMessageInput swing;
        swing.pendulum = true;
        swing.rotatingView = c.rotating;
        swing.friction = c.friction;
        swing.textbook = c.textbook;
        swing.check2 = swing.check5 = swing.check7 = true;
        const DiskMessage m = after(swing);
        EXPECT_NE(m.text.find(c.says), std::string::npos) << m.text;
        EXPECT_NE(m.text.find("RESTORING FORCE −K·m·r"), std::string::npos) << m.text;
        EXPECT_EQ(m.text.find("1ST LAW"), std::string::npos) << m.text;
    }
}

}  // namespace
}  // namespace velarium
