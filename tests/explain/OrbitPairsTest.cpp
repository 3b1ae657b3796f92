#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "explain/OrbitPairs.h"

namespace velarium {
namespace {

// The screen's state at load: the body at (0, R) on a disk turning at ω = 2.
struct Start {
    Start() { run.pathY[0] = run.pathYRot[0] = 1; }
    DiskParameters disk;
    DiskRun run;
    ExplanationTables tables;
};

TEST(OrbitPairs, InertialRunFollowsTheTangentAndKeepsTheStepTimes) {
    Start s;
    s.run.pathTime[10] = 7;  // left from an earlier rotating run
    s.run.pathX[70] = 5;
    runOrbitPairs(s.disk, s.run, s.tables, {}, false);
    EXPECT_EQ(s.run.stepIndex, 66);
    for (int k = 1; k <= 66; ++k) {
        const auto i = static_cast<std::size_t>(k);
        // Nothing acts on the body: y = 1, 0.2 further along x per step of 0.1 at speed 2.
        EXPECT_EQ(s.run.pathY[i], 1.0);
        EXPECT_NEAR(s.run.pathX[i], 0.2 * k, 1e-12);
        EXPECT_NEAR(s.tables.explAngle[i], 0.2 * k, 1e-12);
        EXPECT_EQ(s.tables.explVx[i], 2.0);
    }
    EXPECT_EQ(s.run.pathTime[10], 7.0);
    EXPECT_EQ(s.tables.explVx[67], 0.0);
    EXPECT_EQ(s.run.pathX[70], 5.0);
}

TEST(OrbitPairs, RotatingRunSpiralsOutwardsFromTheDiskAngle) {
    Start s;
    s.run.diskAngle = 1.0;
    s.run.stepIndex = 12;
    runOrbitPairs(s.disk, s.run, s.tables, {}, true);
    EXPECT_NEAR(s.tables.explAngle[1], 1.2, 1e-12);
    double lastRadius = 1, lastAngle = std::atan2(1.0, 0.0);
    for (int k = 1; k <= 66; ++k) {
        const auto i = static_cast<std::size_t>(k);
        EXPECT_NEAR(s.run.pathTime[i], 0.1 * k, 1e-12);
        // Farther from the axis at every step, and always turning the same way round it.
        const double r = std::hypot(s.run.pathXRot[i], s.run.pathYRot[i]);
        EXPECT_GT(r, lastRadius);
        const double a = std::atan2(s.run.pathYRot[i], s.run.pathXRot[i]);
        EXPECT_GT(std::remainder(a - lastAngle, 2 * std::numbers::pi), 0) << k;
        lastRadius = r;
        lastAngle = a;
    }
    EXPECT_EQ(s.tables.explYRot[66], s.run.pathYRot[66]);
    EXPECT_EQ(s.tables.explLastRot[0], s.run.pathXRot[66]);
    // A second run from the same start writes the same rows again.
    const double x66 = s.run.pathXRot[66];
    s.run.diskAngle = 1.0;
    runOrbitPairs(s.disk, s.run, s.tables, {}, true);
    EXPECT_EQ(s.run.pathXRot[66], x66);
}

TEST(OrbitPairs, DisplayStepStartsFromTheScrollBarsAndStepsStopAtTheTablesEnd) {
    Start s;
    DisplayStepInput in;
    in.vxtax = 0;
    in.vytax = 3;
    ASSERT_TRUE(displayStep(s.disk, s.run, in));
    EXPECT_EQ(s.run.bodyVy, 6.0);
    EXPECT_NEAR(s.run.pathY[1], 1.6, 1e-12);
    // A textbook pendulum is let go at rest, in steps of 0.01.
    Start p;
    in = {};
    in.pendulum = in.textbook = true;
    ASSERT_TRUE(displayStep(p.disk, p.run, in));
    EXPECT_EQ(p.run.stepDuration, 0.01);
    EXPECT_EQ(p.run.bodyVx, 0.0);

    s.run.stepIndex = DiskRun::kMaxStep;
    EXPECT_FALSE(displayStep(s.disk, s.run, {}));
    EXPECT_EQ(s.run.stepIndex, DiskRun::kMaxStep);
    s.run.stepIndex = ExplanationTables::kVelocityRows - 1;
    EXPECT_FALSE(orbitRunInertial(s.disk, s.run, s.tables, {}));
    EXPECT_FALSE(orbitRunRotating(s.disk, s.run, s.tables, {}));
    EXPECT_EQ(s.run.stepIndex, ExplanationTables::kVelocityRows - 1);
}

TEST(OrbitPairs, PictureResetStartsTheMotionAfresh) {
    Start s;
    runOrbitPairs(s.disk, s.run, s.tables, {}, true);
    ExplanationSettings st;
    st.input.vxtax = -1;
    resetRunForPicture(s.disk, s.run, st);
    EXPECT_EQ(s.run.stepIndex, 0);
    EXPECT_EQ(s.run.diskAngle, 0.0);
    EXPECT_EQ(s.run.bodyVx, -2.0);
    EXPECT_EQ(s.run.pathTime[50], 0.0);
    EXPECT_NEAR(s.run.pathTime[51], 5.1, 1e-12);
    // The orbit the pictures draw stays.
    EXPECT_NEAR(s.run.pathX[66], 13.2, 1e-12);
}

}  // namespace
}  // namespace velarium
