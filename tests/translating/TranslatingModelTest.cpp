#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "translating/TranslatingModel.h"

namespace velarium {
namespace {

constexpr double kDt = 1.0 / 15;
constexpr double kH = kDt / 12;

RelativeSettings still() {
    RelativeSettings s;
    s.arxikivx = 2;
    s.arxikvy = 1;
    s.arxikx = 5;
    s.arxikiy = -5;
    return s;
}

// Runs rows 0..rows−1 as the screen does, one display step after the other.
void runSteps(RelativeRun& run, const RelativeSettings& s, int rows) {
    for (int k = 0; k < rows; ++k) {
        advanceRelativeModel(run, s, kDt);
        ++run.relativeStepIndex;
    }
}

// A body whose velocity relative to the frame lies along x: r = vx − (V0x + Ax·t) with r(0) > 0
// and Ax > 0. Friction and −A brake r at Ax + μg until it is 0; then the body rides with the frame
// when μg holds Ax, and otherwise falls behind at Ax − μg. Returns the lab x at time t.
double closedFormLabX(const RelativeSettings& s, double t) {
    const double a = s.epitaxynshx;
    const double mug = s.mu() * kGravity;
    const double r0 = s.arxikivx - s.taxythtax;
    const double t1 = r0 / (a + mug);
    auto relativePath = [&](double u) { return r0 * u - (a + mug) * u * u / 2; };
    double path = relativePath(std::min(t, t1));
    if (t > t1 && a > mug) path -= (a - mug) * (t - t1) * (t - t1) / 2;
    return s.arxikx + s.taxythtax * t + a * t * t / 2 + path;
}

TEST(TranslatingDerivative, KineticFrictionOpposesTheRelativeVelocity) {
    RelativeSettings c;
    c.epitaxynshx = 1;
    c.epitaxynshy = -2;
    // At t = 0.5 the frame moves with V = (1 + 0.5, 2 − 1) = (1.5, 1); the body with (4.5, 5).
    const std::array<double, 4> y{4.5, 5, 7, 8};
    const double mu = 0.2;
    EXPECT_DOUBLE_EQ(translatingDerivative(0.5, y, 0, 1, 2, mu, c, 0), -2 * 3.0 / 5);
    EXPECT_DOUBLE_EQ(translatingDerivative(0.5, y, 1, 1, 2, mu, c, 0), -2 * 4.0 / 5);
    EXPECT_EQ(translatingDerivative(0.5, y, 2, 1, 2, mu, c, 0), 4.5);
    EXPECT_EQ(translatingDerivative(0.5, y, 3, 1, 2, mu, c, 0), 5.0);

    // A is read at every call: the same state under a changed acceleration.
    c.epitaxynshx = 3;  // V = (2.5, 1), r = (2, 4)
    EXPECT_DOUBLE_EQ(translatingDerivative(0.5, y, 0, 1, 2, mu, c, 0), -2 * 2 / std::sqrt(20.0));
}

TEST(TranslatingDerivative, CarriedBodyMovesWithTheFrameAsFarAsFrictionHolds) {
    RelativeSettings c;
    c.epitaxynshx = 3;
    c.epitaxynshy = 4;
    const std::array<double, 4> y{9, -9, 0, 0};
    // The flag carries the body whatever its relative speed; μ·g = 6 > |A| = 5.
    EXPECT_EQ(translatingDerivative(1, y, 0, 0, 0, 0.6, c, 1), 3.0);
    EXPECT_EQ(translatingDerivative(1, y, 1, 0, 0, 0.6, c, 1), 4.0);
    // μ·g = 2.5 < |A|: the largest friction pulls the body along A, it slips.
    EXPECT_DOUBLE_EQ(translatingDerivative(1, y, 0, 0, 0, 0.25, c, 1), 1.5);
    EXPECT_DOUBLE_EQ(translatingDerivative(1, y, 1, 0, 0, 0.25, c, 1), 2.0);
    // A smooth plane carries nothing.
    EXPECT_EQ(translatingDerivative(1, y, 0, 0, 0, 0, c, 1), 0.0);
    // Relative speed below 0.001 without the flag: carried too, and at rest on a still frame.
    const std::array<double, 4> resting{3.0005, 4.0005, 0, 0};
    EXPECT_EQ(translatingDerivative(1, resting, 0, 0, 0, 0.6, c, 0), 3.0);
    c.epitaxynshx = c.epitaxynshy = 0;
    const std::array<double, 4> slow{0.0005, 0.0005, 0, 0};
    EXPECT_EQ(translatingDerivative(1, slow, 0, 0, 0, 0.6, c, 0), 0.0);
    EXPECT_EQ(translatingDerivative(1, slow, 1, 0, 0, 0.6, c, 0), 0.0);
}

// The run against the closed form, in both frames: every step covers exactly Δt, so row n holds
// the state at (n + 1)·Δt; the moving frame's origin is the first stored lab point, so
// x′ = x − V0x·(t − Δt) − Ax·(t² − Δt²)/2.
TEST(RelativeRun, FollowsTheClosedFormInBothFrames) {
    struct Case {
        int mu100, ax, v0x, v0y;
    };
    for (const Case c :
         {Case{10, 2, 0, 1}, Case{30, 2, 0, 1}, Case{0, 3, -1, 0}, Case{20, 1, 1, 1}}) {
        RelativeSettings s = still();
        s.trivistoepipedo = c.mu100;
        s.epitaxynshx = c.ax;
        s.taxythtax = c.v0x;
        s.taxythtay = c.v0y;
        s.arxikvy = c.v0y;  // no relative motion across x
        RelativeRun run;
        runSteps(run, s, 226);
        for (int n : {0, 9, 10, 11, 60, 225}) {
            const double t = (n + 1) * kDt;
            const double x = closedFormLabX(s, t);
            const double x0 = closedFormLabX(s, kDt);
            const double xRel =
                x - x0 + run.labX[0] - c.v0x * (t - kDt) - c.ax * (t * t - kDt * kDt) / 2;
            EXPECT_NEAR(run.labX[n], x, 2e-3) << "μ·100 " << c.mu100 << " row " << n;
            EXPECT_NEAR(run.labY[n], -5 + c.v0y * t, 1e-9) << "row " << n;
            EXPECT_NEAR(run.relX[n], xRel, 2e-3) << "μ·100 " << c.mu100 << " row " << n;
        }
    }
}

TEST(IntegrateTranslatingStep, RefusesAStepThatIsNotPositive) {
    RelativeSettings c;
    c.trivistoepipedo = 50;
    const TranslatingState start{3, -1, 2, 4};
    for (double dt : {0.0, -kDt, std::nan("")}) {
        const TranslatingStepEnd e = integrateTranslatingStep(start, 0, dt, c, 0);
        EXPECT_EQ(e.x, 2.0);
        EXPECT_EQ(e.y, 4.0);
        EXPECT_EQ(e.vx, 3.0);
        EXPECT_EQ(e.vy, -1.0);
    }
}

TEST(RelativeDisplayStep, StepBeforeTimeEvolutionUsesItsInterval) {
    EXPECT_EQ(relativeDisplayStep(0), kDt);
    EXPECT_EQ(relativeDisplayStep(1), kDt);
}

TEST(SnapRelativeComponent, SnapsStrictlyBelowOnePercentOfTheFrame) {
    EXPECT_EQ(snapRelativeComponent(0.0199, 2), 0.0);
    EXPECT_EQ(snapRelativeComponent(-0.0199, -2), 0.0);
    EXPECT_EQ(snapRelativeComponent(0.02, 2), 0.02);
    EXPECT_EQ(snapRelativeComponent(1e-12, 0), 1e-12);  // a still frame component never snaps
    EXPECT_EQ(snapRelativeComponent(0, 0), 0.0);
}

TEST(RelativeRun, SmoothPlaneKeepsTheLabVelocityForAnyFrame) {
    RelativeSettings s = still();
    s.taxythtax = -3;
    s.taxythtay = 4;
    s.epitaxynshx = 5;
    s.epitaxynshy = -2;
    RelativeRun run;
    runSteps(run, s, 300);
    for (int n = 0; n < 300; ++n) {
        EXPECT_EQ(run.labVx[n], 2.0);
        EXPECT_EQ(run.labVy[n], 1.0);
        // A straight line through the start along (2, 1).
        EXPECT_NEAR((run.labX[n] - 5) * 1 - (run.labY[n] + 5) * 2, 0, 1e-9);
    }
    EXPECT_EQ(run.carriedFlag, 0);
    // The moving-frame path bends with −A: u = v − V0 − A·t, so its velocity differences are −A·Δt.
    for (int n = 2; n < 300; ++n) {
        const double ddx = (run.relX[n] - 2 * run.relX[n - 1] + run.relX[n - 2]) / kDt;
        const double ddy = (run.relY[n] - 2 * run.relY[n - 1] + run.relY[n - 2]) / kDt;
        EXPECT_NEAR(ddx, -5 * kDt, 1e-9);
        EXPECT_NEAR(ddy, 2 * kDt, 1e-9);
    }
}

TEST(RelativeRun, StillFrameSmoothPlaneOvertakenBodyIsNotCarried) {
    // The frame overtakes a body on a smooth plane: the relative velocity passes through 0, but
    // nothing can carry the body, so it goes straight on.
    RelativeSettings s = still();
    s.arxikvy = 0;
    s.epitaxynshx = 1;
    RelativeRun run;
    runSteps(run, s, 100);
    EXPECT_EQ(run.carriedFlag, 0);
    EXPECT_EQ(run.labVx[99], 2.0);
}

TEST(RelativeRun, StillFrameBrakedBodyStopsOnAStraightLineAndBothPathsCoincide) {
    RelativeSettings s = still();
    s.trivistoepipedo = 30;  // deceleration μ·g = 3 along −(2, 1)/√5
    RelativeRun run;
    runSteps(run, s, 400);
    const double v0 = std::sqrt(5.0);
    const double stop = v0 * v0 / (2 * 3);  // stopping distance v0² / (2·μ·g)
    for (int n = 0; n < 400; ++n) {
        EXPECT_NEAR((run.labX[n] - 5) * 1 - (run.labY[n] + 5) * 2, 0, 1e-9);
        EXPECT_NEAR((run.relX[n] - 5) * 1 - (run.relY[n] + 5) * 2, 0, 1e-9);
    }
    // A still frame: the moving-frame path is the lab path.
    for (int n = 0; n < 400; ++n) {
        EXPECT_NEAR(run.relX[n], run.labX[n], 1e-9);
        EXPECT_NEAR(run.relY[n], run.labY[n], 1e-9);
    }
    const double travelled = std::hypot(run.labX[399] - 5, run.labY[399] + 5);
    EXPECT_NEAR(travelled, stop, 3 * kH * 3);
    // At rest: friction's chatter about zero counts as rest, so the body stays where it stopped.
    EXPECT_EQ(run.carriedFlag, 1);
    EXPECT_EQ(std::hypot(run.labVx[399], run.labVy[399]), 0.0);
    EXPECT_EQ(run.labX[399], run.labX[300]);
}

TEST(RelativeRun, BodyComesToRestInAMovingFrameOnce) {
    RelativeSettings s = still();
    s.arxikivx = 3;
    s.arxikvy = 0;
    s.taxythtax = 2;
    s.trivistoepipedo = 50;  // the relative velocity 1 dies away in 0.2
    RelativeRun run;
    int rests = 0;
    int restRow = -1;
    for (int k = 0; k < 60; ++k) {
        const RelativeStep st = advanceRelativeModel(run, s, kDt);
        if (st.cameToRest) {
            ++rests;
            restRow = st.row;
        }
        if (run.carriedFlag == 1) {
            EXPECT_EQ(st.ux, 0.0);
            EXPECT_EQ(st.uy, 0.0);
            EXPECT_EQ(st.unitX, 0.0);
            EXPECT_EQ(st.unitY, 0.0);
        }
        ++run.relativeStepIndex;
    }
    EXPECT_EQ(rests, 1);
    ASSERT_GT(restRow, 0);
    EXPECT_LT(restRow, 10);
    // Carried: it keeps the frame's velocity, the moving-frame position stays.
    EXPECT_NEAR(run.labVx[59], 2, 0.02);
    EXPECT_EQ(run.labVy[59], 0.0);
    EXPECT_EQ(run.relX[59], run.relX[restRow]);
    EXPECT_EQ(run.relY[59], run.relY[restRow]);
}

TEST(RelativeRun, CarriedBodyAcceleratesWithTheFrameUntilFrictionCannotHoldIt) {
    RelativeSettings s = still();
    s.arxikivx = 0;
    s.arxikvy = 0;
    s.taxythtax = 1;
    s.taxythtay = 1;
    s.epitaxynshx = 2;
    s.trivistoepipedo = 40;  // μ·g = 4 holds |A| = 2
    RelativeRun run;
    runSteps(run, s, 100);
    ASSERT_EQ(run.carriedFlag, 1);
    // Each carried row gains A·Δt of velocity.
    for (int n = 60; n < 100; ++n) {
        EXPECT_NEAR(run.labVx[n] - run.labVx[n - 1], 2 * kDt, 1e-12);
        EXPECT_NEAR(run.labVy[n] - run.labVy[n - 1], 0, 1e-12);
    }
    // The frame's acceleration outgrows μ·g: the body slides again.
    s.epitaxynshx = 5;
    const RelativeStep st = advanceRelativeModel(run, s, kDt);
    EXPECT_EQ(run.carriedFlag, 0);
    EXPECT_NE(st.ux, 0.0);
}

TEST(RelativeRun, ChangesOfTheFrameActAtOnceAtTheAbsoluteTime) {
    RelativeSettings s = still();
    s.trivistoepipedo = 20;
    RelativeRun run;
    runSteps(run, s, 10);
    // From row 10 on, the body still sliding, the frame moves with V0 = (4, −2) and A = (1, 0),
    // at absolute time t.
    s.taxythtax = 4;
    s.taxythtay = -2;
    s.epitaxynshx = 1;
    const RelativeStep st = advanceRelativeModel(run, s, kDt);
    const double w = 4 + 1 * 11 * kDt;
    EXPECT_DOUBLE_EQ(st.ux, run.labVx[10] - w);
    EXPECT_DOUBLE_EQ(st.uy, run.labVy[10] + 2);
    // Friction now drives the body towards the new frame velocity: vx grows, vy falls.
    EXPECT_GT(run.labVx[10], run.labVx[9]);
    EXPECT_LT(run.labVy[10], run.labVy[9]);
    // The moving frame moves on by the lab displacement less the frame's over the step.
    const double framePath = kDt * (4 + 1 * 10.5 * kDt);
    EXPECT_DOUBLE_EQ(run.relX[10], run.relX[9] + run.labX[10] - run.labX[9] - framePath);
}

TEST(RelativeRun, FirstRowIsAfterOneStepAndBothFramesStartThere) {
    RelativeSettings s = still();
    s.taxythtax = 3;
    RelativeRun run;
    const RelativeStep st = advanceRelativeModel(run, s, kDt);
    EXPECT_EQ(st.row, 0);
    EXPECT_NEAR(run.labX[0], 5 + 2 * kDt, 1e-12);
    EXPECT_EQ(run.relX[0], run.labX[0]);
    EXPECT_EQ(run.relY[0], run.labY[0]);
}

}  // namespace
}  // namespace velarium
