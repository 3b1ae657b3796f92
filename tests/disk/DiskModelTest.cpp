#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "disk/DiskModel.h"
#include "draw/Alerts.h"

namespace velarium {
namespace {

// Counts the beeps of the core while a test runs.
class DiskModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = installAlerts({[this] { ++beeps; }, [](const std::string&) {}});
    }
    void TearDown() override { installAlerts(previous_); }

    // The screen's load values: ω0 = 2, I = 10, m = 1, L = I·ω0 + m·R·vx0.
    void load(double vx0) {
        disk.params = DiskParameters{};
        disk.params.totalAngularMomentum =
            disk.params.diskInertia * disk.params.diskOmega0 + disk.params.bodyMass * vx0;
    }

    DiskShared disk;
    int beeps = 0;

private:
    Alerts previous_;
};

TEST_F(DiskModelTest, DerivativeStoresTheDiskOmegaBeforeItReads) {
    DiskState s{0.5, 0.0, 0.0, 1.0, 0.0, 7.0, 0.0};
    disk.params.diskOmega = 2.0;
    disk.params.frictionOn = true;
    // Relative velocity (0.5 − 2·1, 0 + 0) = (−1.5, 0): friction μ = 1 pushes along +x.
    EXPECT_DOUBLE_EQ(diskDerivative(disk.params, 0, s, kVx), 1.0);
    EXPECT_EQ(s[kOmega], 2.0);
    EXPECT_DOUBLE_EQ(diskDerivative(disk.params, 0, s, kX), 0.5);
}

TEST_F(DiskModelTest, BodyAtRestOnTheDiskFeelsTheCentripetalAcceleration) {
    // The default start: (0, 1) moving with the disk point, (ω·R, 0) = (2, 0).
    DiskState s{2, 0, 0, 1, 0, 0, 0};
    disk.params.frictionOn = true;
    EXPECT_DOUBLE_EQ(diskDerivative(disk.params, 0, s, kVx), 0.0);
    EXPECT_DOUBLE_EQ(diskDerivative(disk.params, 0, s, kVy), -4.0);
    EXPECT_EQ(diskDerivative(disk.params, 0, s, kEnergy), 0.0);
    EXPECT_EQ(diskDerivative(disk.params, 0, s, kOmega), 0.0);
    EXPECT_EQ(beeps, 0);
}

TEST_F(DiskModelTest, DerivativeStaysFiniteOnTheAxisAndWithoutRotation) {
    disk.params.frictionOn = true;
    disk.params.springK = 40;
    disk.params.omegaVariable = 1;
    struct Case {
        double omega;
        DiskState s;
    };
    const Case cases[] = {
        {2.0, {0, 0, 0, 0, 0, 0, 0}},  // on the axis, at rest on the disk
        {2.0, {1, 0, 0, 0, 0, 0, 0}},  // passing through the axis
        {0.0, {0, 0, 0, 1, 0, 0, 0}},  // a disk at rest, body at rest
        {0.0, {1, 0, 0, 0, 0, 0, 0}},  // a disk at rest, body on the axis
        {0.0, {0, 0, 0, 0, 0, 0, 0}},  // everything zero
    };
    for (const Case& c : cases) {
        DiskState s = c.s;
        disk.params.diskOmega = c.omega;
        for (int i = 0; i < 6; ++i)
            EXPECT_TRUE(std::isfinite(diskDerivative(disk.params, 0, s, i)))
                << "omega " << c.omega << " component " << i;
    }
    // Through the axis the small-Qs rule applies with its beep, and the radial term is zero.
    DiskState through{1, 0, 0, 0, 0, 0, 0};
    disk.params.diskOmega = 2.0;
    beeps = 0;
    EXPECT_EQ(diskDerivative(disk.params, 0, through, kVx), 0.0);
    EXPECT_EQ(beeps, 1);
}

TEST_F(DiskModelTest, SmallQsRuleAppliesToABodyAtRestInTheInertialFrame) {
    // (0, 1) at rest: Qs = 0. x: −ω²·x/r = 0 with a beep; y: −μ·y/r = −1 without.
    DiskState s{0, 0, 0, 1, 0, 0, 0};
    disk.params.frictionOn = true;
    EXPECT_EQ(diskDerivative(disk.params, 0, s, kVx), 0.0);
    EXPECT_EQ(beeps, 1);
    EXPECT_DOUBLE_EQ(diskDerivative(disk.params, 0, s, kVy), -1.0);
    EXPECT_EQ(beeps, 1);
}

TEST_F(DiskModelTest, FrictionPointsAgainstTheRelativeVelocityAtEverySpeed) {
    // A disk at rest and a body off the axis sliding along (0.6, 0.8), from a speed whose square
    // is subnormal to one whose square is near the top of the double range: the friction is
    // −μ·(0.6, 0.8).
    disk.params.frictionOn = true;
    disk.params.frictionDecelNow = 1.5;
    disk.params.diskOmega = 0;
    for (double speed : {1e-155, 1e-150, 1e-3, 1.0, 7e3, 1e150}) {
        DiskState s{0.6 * speed, 0.8 * speed, 1, 0, 0, 0, 0};
        EXPECT_NEAR(diskDerivative(disk.params, 0, s, kVx), -0.9, 1e-14) << speed;
        EXPECT_NEAR(diskDerivative(disk.params, 0, s, kVy), -1.2, 1e-14) << speed;
    }
    EXPECT_EQ(beeps, 0);
}

TEST_F(DiskModelTest, SmallQsRuleSwitchesExactlyAtItsLimit) {
    // The rule applies when r·r·|v| < 0.0001·|ω|, r and |v| the rounded square roots: checked a
    // few units in the last place of ω either side of the limit, well away from it, and where the
    // squares underflow or overflow. Near the axis, close to rest, and at the ends of the range.
    disk.params.frictionOn = true;
    struct Case {
        double x, y, vx, vy;
    };
    const Case cases[] = {{0.01, 0.02, 0.3, -0.4},    {1e-3, 0, 2, 1},
                          {0.7, -0.2, 1e-4, 3e-5},    {-0.05, 0.03, -1.5, 0.25},
                          {1e-100, 1e-100, 1e-50, 0}, {1e80, 0, 1e80, 0}};
    for (const Case& c : cases) {
        const double r = std::sqrt(c.x * c.x + c.y * c.y);
        const double qs = r * r * std::sqrt(c.vx * c.vx + c.vy * c.vy);
        std::vector<double> omegas;
        double w = qs / 0.0001;
        for (int k = 0; k < 5; ++k) w = std::nextafter(w, 0.0);
        for (int k = 0; k < 10; ++k, w = std::nextafter(w, HUGE_VAL)) omegas.push_back(w);
        for (double f : {0.5, 0.999999, 1.000001, 2.0}) omegas.push_back(f * qs / 0.0001);
        for (double omega : omegas) {
            DiskState s{c.vx, c.vy, c.x, c.y, 0, 0, 0};
            disk.params.diskOmega = omega;
            ASSERT_NE(c.vx - omega * c.y, 0.0);  // sliding: the rule is the one that decides
            beeps = 0;
            diskDerivative(disk.params, 0, s, kVx);
            EXPECT_EQ(beeps, qs < 0.0001 * std::abs(omega) ? 1 : 0)
                << "x " << c.x << " vx " << c.vx << " omega " << omega;
        }
    }
}

TEST_F(DiskModelTest, AllComponentsAtOnceAreTheOneByOneDerivatives) {
    // Sliding, at rest on the disk, on the axis (small Qs) and on a turning free disk with a
    // spring: the same six numbers to the last bit, the stored ω and a single beep per call.
    disk.params.frictionOn = true;
    disk.params.omegaVariable = 1;
    const DiskState states[] = {{0.5, -0.3, 0.2, 0.9, 0, 7, 0},
                                {2, 0, 0, 1, 0, 0, 0},
                                {1, 0, 0, 0, 0, 0, 0},
                                {0, 0, 0, 1, 0, 0, 0},
                                {-1.2, 0.4, -0.6, 0.3, 0, 0, 0}};
    for (double k : {0.0, 40.0}) {
        disk.params.springK = k;
        for (const DiskState& start : states) {
            DiskState one = start, all = start;
            beeps = 0;
            double expected[6];
            for (int i = 0; i < 6; ++i) expected[i] = diskDerivative(disk.params, 0, one, i);
            const int beepsOneByOne = beeps;
            beeps = 0;
            double got[6];
            diskDerivatives(disk.params, all, got);
            for (int i = 0; i < 6; ++i) EXPECT_EQ(got[i], expected[i]) << "k " << k << " i " << i;
            EXPECT_EQ(all, one);
            EXPECT_EQ(beeps, beepsOneByOne);
        }
    }
}

TEST_F(DiskModelTest, WithoutFrictionTheBodyMovesOnAStraightLine) {
    load(3);
    disk.params.startTime = 0.1;
    integrateDiskOrbit(disk, 3.0, -1.0, 0.0, 1.0, 2.0, 0.0, 0.1, 250);
    const OrbitTables& t = disk.tables;
    ASSERT_EQ(t.rowCount, 250);
    const double h = 0.1 / 250;
    for (int i = 0; i < t.rowCount; ++i) {
        const double time = (i + 1) * h;
        ASSERT_NEAR(t.tabX[i], 3.0 * time, 1e-12) << i;
        ASSERT_NEAR(t.tabY[i], 1.0 - time, 1e-12) << i;
        ASSERT_EQ(t.tabVx[i], 3.0);
        ASSERT_EQ(t.tabVy[i], -1.0);
        ASSERT_NEAR(t.tabEnergy[i], 0.5 * 10, 1e-12);
    }
    EXPECT_EQ(disk.params.pointCount, 251);
    EXPECT_DOUBLE_EQ(disk.params.stepH, h);
}

TEST_F(DiskModelTest, StretchEndsOnItsLastRowAndKeepsTheCallersAngle) {
    load(2);
    disk.params.frictionOn = true;
    disk.params.startTime = 0.3;
    const OrbitEnd end = integrateDiskOrbit(disk, 1.0, 0.5, 0.2, 0.9, 2.0, 1.25, 0.1, 250);
    const OrbitTables& t = disk.tables;
    const int last = t.rowCount - 1;
    EXPECT_EQ(t.rowCount, 250);
    EXPECT_EQ(end.x, t.tabX[last]);
    EXPECT_EQ(end.y, t.tabY[last]);
    EXPECT_EQ(end.vx, t.tabVx[last]);
    EXPECT_EQ(end.vy, t.tabVy[last]);
    EXPECT_EQ(end.omega, t.tabOmegaTorque[last]);
    EXPECT_EQ(end.theta, 1.25);
    // The rotating-frame rows turn the inertial ones by the stretch's own disk angle.
    for (int i : {0, 1, 2, 100, last}) {
        const double c = std::cos(t.tabTheta[i]), s = std::sin(t.tabTheta[i]);
        EXPECT_NEAR(t.tabXRot[i], c * t.tabX[i] - s * t.tabY[i], 1e-15);
        EXPECT_NEAR(t.tabYRot[i], s * t.tabX[i] + c * t.tabY[i], 1e-15);
    }
    EXPECT_EQ(t.tabTheta[0], 0.0);
    EXPECT_EQ(t.tabTheta[1], 0.0);
    EXPECT_NEAR(t.tabTheta[last], (last - 1) * 2.0 * 0.1 / 250, 1e-12);
}

TEST_F(DiskModelTest, PendulumWithoutFrictionSwingsAtTheRootOfForty) {
    // Released at (0, R) with the disk point's velocity taken away: y(t) = cos(√40·t), x = 0.
    load(0);
    disk.params.springK = 40;
    DiskRun run;
    run.pathY[0] = 1;
    run.stepDuration = 0.01;
    const double w = std::sqrt(40.0);
    for (int k = 1; k <= 300; ++k) {
        run.stepIndex = static_cast<std::int16_t>(k);
        disk.params.startTime = run.stepDuration * k;
        ASSERT_TRUE(advanceStep(disk, run, {false, true}));
        ASSERT_NEAR(run.pathY[k], std::cos(w * 0.01 * k), 1e-9) << k;
        ASSERT_EQ(run.pathX[k], 0.0);
        ASSERT_NEAR(run.bodyVy, -w * std::sin(w * 0.01 * k), 1e-8) << k;
    }
    // The disk keeps turning under it.
    EXPECT_NEAR(run.diskAngle, 300 * 0.01 * 2.0, 1e-12);
}

TEST_F(DiskModelTest, FreeDiskConservesAngularMomentumOnEveryRow) {
    // The torque of the friction, integrated, turns the disk exactly as the conservation of
    // I·ω + m·(y·vx − x·vy) says.
    const double vx0 = -1.0, vy0 = 1.5;
    disk.params = DiskParameters{};
    disk.params.bodyMass = 2.5;
    disk.params.frictionOn = true;
    disk.params.omegaVariable = 1;
    disk.params.totalAngularMomentum = 10.0 * 2.0 + 2.5 * vx0;
    DiskRun run;
    run.pathY[0] = 1;
    run.stepDuration = 0.1;
    run.bodyVx = vx0;
    run.bodyVy = vy0;
    const double l = disk.params.totalAngularMomentum;
    for (int k = 1; k <= 20; ++k) {
        run.stepIndex = static_cast<std::int16_t>(k);
        disk.params.startTime = 0.1 * k;
        ASSERT_TRUE(advanceStep(disk, run, {true, false}));
        const OrbitTables& t = disk.tables;
        for (int i = 0; i < t.rowCount; ++i) {
            const double body = 2.5 * (t.tabY[i] * t.tabVx[i] - t.tabX[i] * t.tabVy[i]);
            ASSERT_NEAR(10.0 * t.tabOmegaTorque[i] + body, l, 1e-7) << k << " row " << i;
            ASSERT_NEAR(10.0 * t.tabOmega[i] + body, l, 1e-12);
        }
    }
    // The body has slowed the disk down.
    EXPECT_LT(run.omegaNow, 2.0);
    EXPECT_GT(run.omegaNow, 0.0);
}

TEST_F(DiskModelTest, HeldDiskKeepsOmega0WhateverTheFriction) {
    load(-3);
    disk.params.frictionOn = true;
    DiskRun run;
    run.pathY[0] = 1;
    run.stepDuration = 0.1;
    run.bodyVx = -3;
    run.bodyVy = 2;
    for (int k = 1; k <= 10; ++k) {
        run.stepIndex = static_cast<std::int16_t>(k);
        disk.params.startTime = 0.1 * k;
        advanceStep(disk, run, {true, false});
        for (int i = 0; i < disk.tables.rowCount; ++i) {
            ASSERT_EQ(disk.tables.tabOmega[i], 2.0);
            ASSERT_EQ(disk.tables.tabOmegaTorque[i], 2.0);
        }
    }
    EXPECT_EQ(run.omegaNow, 2.0);
    EXPECT_DOUBLE_EQ(run.diskAngle, 2.0);
    // Friction has done work on the body: its speed is no longer the initial one.
    EXPECT_GT(std::abs(std::hypot(run.bodyVx, run.bodyVy) - std::hypot(3.0, 2.0)), 0.01);
}

TEST_F(DiskModelTest, BodyComingToRestOnAFreeDiskIsNoted) {
    // Friction on a free disk brings the body to rest relative to the disk: from then on the
    // rotating-frame velocity is zero, ω is the stuck value and each such row beeps.
    load(2);
    disk.params.bodyMass = 0.5;
    disk.params.totalAngularMomentum = 10.0 * 2.0 + 0.5 * 2.5;
    disk.params.frictionOn = true;
    disk.params.omegaVariable = 1;
    DiskRun run;
    run.pathY[0] = 0.2;
    run.stepDuration = 0.1;
    run.bodyVx = 0.9;
    run.bodyVy = 0;
    int k = 1;
    for (; k <= 200 && !disk.params.stuckFlag; ++k) {
        run.stepIndex = static_cast<std::int16_t>(k);
        disk.params.startTime = 0.1 * k;
        advanceStep(disk, run, {true, false});
    }
    ASSERT_TRUE(disk.params.stuckFlag);
    EXPECT_GT(beeps, 0);
    EXPECT_EQ(run.omegaNow, disk.params.stuckOmega);
    const OrbitTables& t = disk.tables;
    EXPECT_EQ(t.tabVxRot[t.rowCount - 1], 0.0);
    EXPECT_EQ(t.tabVyRot[t.rowCount - 1], 0.0);
    EXPECT_EQ(t.tabKeRot[t.rowCount - 1], 0.0);
}

TEST_F(DiskModelTest, FiveStepsOfTheInertialViewFollowTheTangent) {
    load(2);
    DiskRun run;
    run.pathY[0] = 1;
    run.stepDuration = 0.1;
    run.bodyVx = 2;
    for (int k = 1; k <= 5; ++k) {
        run.stepIndex = static_cast<std::int16_t>(k);
        ASSERT_TRUE(advanceStep(disk, run, {}));
        EXPECT_NEAR(run.pathX[k], 0.2 * k, 1e-12);
        EXPECT_EQ(run.pathY[k], 1.0);
        EXPECT_NEAR(run.diskAngle, 0.2 * k, 1e-12);
        const double c = std::cos(run.diskAngle), s = std::sin(run.diskAngle);
        EXPECT_NEAR(run.pathXRot[k], c * run.pathX[k] - s, 1e-12);
        EXPECT_NEAR(run.pathYRot[k], s * run.pathX[k] + c, 1e-12);
    }
    // In the rotating frame the body drifts away from the axis.
    EXPECT_GT(std::hypot(run.pathXRot[5], run.pathYRot[5]),
              std::hypot(run.pathXRot[1], run.pathYRot[1]));
    EXPECT_EQ(beeps, 0);
}

TEST_F(DiskModelTest, StepOutsideThePathTablesIsRefused) {
    DiskRun run;
    run.stepDuration = 0.1;
    run.bodyVx = 1;
    run.stepIndex = DiskRun::kMaxStep + 1;
    EXPECT_FALSE(advanceStep(disk, run, {true, false}));
    run.stepIndex = 0;
    EXPECT_FALSE(advanceStep(disk, run, {}));
    EXPECT_EQ(run.diskAngle, 0.0);
    run.stepIndex = DiskRun::kMaxStep;
    EXPECT_TRUE(advanceStep(disk, run, {}));
}

}  // namespace
}  // namespace velarium
