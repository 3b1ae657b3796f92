#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>

#include "energy/BothFramesRun.h"

namespace velarium {
namespace {

const double kPi = std::numbers::pi;

class BothFramesRunTest : public ::testing::Test {
protected:
    BothFramesRun run(BothFramesSettings s) { return runBothFrames(*disk, s); }
    const OrbitTables& tables() const { return disk->tables; }
    const DiskParameters& params() const { return disk->params; }

    // ½·m·v² at stored point k.
    double kineticInertial(int k) const {
        const auto& t = tables();
        return 0.5 * params().bodyMass * (t.tabVx[k] * t.tabVx[k] + t.tabVy[k] * t.tabVy[k]);
    }

    std::unique_ptr<DiskShared> disk = std::make_unique<DiskShared>();
};

TEST_F(BothFramesRunTest, PointCountsOfTheRunAndTheStepLimit) {
    // Default controls: T = π, dt = 5/1250 = 0.004, N = round(π/0.004 + 1) = round(786.4).
    // Longest run, coarsest step: T = 10π, dt = 0.008, N = round(3927.99); the loop ends once
    // t reaches T, after 3927 rows. T = 5π with dt = 0.0008 would need 19636 points: dt becomes
    // T/5000 = π/1000, whose scroll value is round(3.93) = 4.
    struct Case {
        BothFramesSettings settings;
        double totalTime, dt;
        int points, rows, timeinterval;
    };
    for (const Case& c : {Case{{}, kPi, 0.004, 786, 786, 0},
                          Case{{40, 10, 10, 1, false}, 10 * kPi, 0.008, 3928, 3927, 0},
                          Case{{20, 1, 10, 1, false}, 5 * kPi, kPi / 1000, 5000, 5000, 4}}) {
        const BothFramesRun r = run(c.settings);
        EXPECT_DOUBLE_EQ(r.plan.totalTime, c.totalTime);
        EXPECT_DOUBLE_EQ(r.plan.dt, c.dt);
        EXPECT_EQ(r.plan.pointCount, c.points);
        EXPECT_EQ(r.plan.timeinterval.value_or(0), c.timeinterval);
        EXPECT_EQ(r.rows, c.rows);
        EXPECT_EQ(tables().pointCount, c.points);
    }
    // L = I·ω0 + m·R²·ω0 = 20 + 1 with m = 0.5 (the last run).
    EXPECT_DOUBLE_EQ(params().totalAngularMomentum, 21.0);
    // Every control setting meets the limit, even 40 and 1, where T/dt + 1 = 39271 is more than
    // a 16-bit count holds.
    for (int total = 1; total <= 40; ++total)
        for (int interval = 1; interval <= 10; ++interval) {
            const BothFramesPlan plan = planBothFramesRun({total, interval, 10, 1, false});
            EXPECT_LE(plan.pointCount, kMaxBothFramesPoints);
            EXPECT_GT(plan.pointCount, 1);
            if (plan.timeinterval) {
                EXPECT_EQ(plan.pointCount, kMaxBothFramesPoints);
                EXPECT_DOUBLE_EQ(plan.dt, plan.totalTime / kMaxBothFramesPoints);
            }
        }
    EXPECT_EQ(*planBothFramesRun({40, 1, 10, 1, false}).timeinterval, 8);
}

TEST_F(BothFramesRunTest, WithoutFrictionTheInertialPathIsStraight) {
    // Only the first stage of the first step sees the body at rest on the base; after that no
    // force acts and the body keeps its velocity.
    const BothFramesRun r = run({4, 5, 0, 1, true});
    const auto& t = tables();
    const double dt = r.plan.dt;
    for (int k = 2; k < r.rows; ++k) {
        EXPECT_DOUBLE_EQ(t.tabVx[k], t.tabVx[1]);
        EXPECT_DOUBLE_EQ(t.tabVy[k], t.tabVy[1]);
        EXPECT_NEAR(t.tabX[k], t.tabX[1] + (k - 1) * dt * t.tabVx[1], 1e-12);
        EXPECT_NEAR(t.tabY[k], t.tabY[1] + (k - 1) * dt * t.tabVy[1], 1e-12);
    }
    // It leaves (0, R) almost along the tangent, at the speed of the base point, ω0·R = 2.
    EXPECT_NEAR(t.tabVx[1], 2.0, 1e-12);
    EXPECT_NEAR(t.tabVy[1], 0.0, 0.01);
}

TEST_F(BothFramesRunTest, BaseKeepsItsAngularVelocityWhenHeldOrWithoutFriction) {
    // Held at ω0, or free but without friction (no torque), the base turns at ω = 2 throughout.
    for (bool free : {false, true}) {
        const BothFramesRun r = run({8, 5, free ? 0 : 10, 20, free});
        const auto& t = tables();
        for (int k = 0; k < r.rows; ++k) {
            ASSERT_NEAR(t.tabOmega[k], 2.0, 1e-5) << "free " << free << " row " << k;
            ASSERT_NEAR(t.tabOmegaTorque[k], 2.0, 1e-5) << "free " << free << " row " << k;
            // θ = ω0·t at the row's own time, (k + 1)·dt: the rotating frame turns the body's
            // place by the angle the base has at that moment.
            if (!free) {
                ASSERT_NEAR(t.tabTheta[k], 2.0 * (k + 1) * r.plan.dt, 1e-9);
            }
        }
        if (!free) {
            EXPECT_EQ(t.tabWorkBaseForce[r.rows - 1], 0.0);
        }
    }
}

TEST_F(BothFramesRunTest, FreeBaseSlowsKeepingTheAngularMomentumUntilItCarriesTheBody) {
    // I·ω + m·(y·vx − x·vy) = L on every row, while ω itself departs from 2.
    const BothFramesRun r = run({8, 5, 10, 20, true});
    const auto& t = tables();
    const double m = params().bodyMass;
    for (int k = 0; k < r.rows; ++k) {
        const double body = m * (t.tabY[k] * t.tabVx[k] - t.tabX[k] * t.tabVy[k]);
        ASSERT_NEAR(params().diskInertia * t.tabOmega[k] + body, params().totalAngularMomentum,
                    1e-9);
    }
    const int last = r.rows - 1;
    EXPECT_LT(t.tabOmega[last], 1.0);
    // The torque equation integrates to the same ω.
    EXPECT_NEAR(t.tabOmegaTorque[last], t.tabOmega[last], 1e-3);
    // The base angle is no longer a straight line: its steps shrink as the base slows.
    EXPECT_LT(t.tabTheta[last] - t.tabTheta[last - 1], 0.6 * (t.tabTheta[3] - t.tabTheta[2]));
    // The base slows until ω²·r ≤ μ·g and the body rides along: its rotating-frame velocity is
    // zero from then on, and the base's work stops changing.
    ASSERT_GT(r.restTime, 0.0);
    const int rest = static_cast<int>(std::lround(r.restTime / r.plan.dt));
    for (int k = rest; k < r.rows; ++k) {
        EXPECT_EQ(t.tabVxRot[k], 0.0);
        EXPECT_EQ(t.tabVyRot[k], 0.0);
        EXPECT_EQ(t.tabKeRot[k], 0.0);
        EXPECT_EQ(t.tabWorkBaseForce[k], t.tabWorkBaseForce[rest]);
        EXPECT_EQ(t.tabWorkFrictionRotating[k], t.tabWorkFrictionRotating[rest]);
        EXPECT_EQ(t.tabWorkDrag[k], t.tabWorkDrag[rest]);
    }
    // Riding along at the end: ω²·r no larger than the friction can supply.
    const double radius = std::hypot(t.tabX[last], t.tabY[last]);
    EXPECT_LE(t.tabOmega[last] * t.tabOmega[last] * radius, 1.0 + 1e-2);
}

// Carried by the free base, the body rides with it: it keeps its radius, it does not move
// relative to the base, and base and body turn together at ω = L/(I + m·r²).
TEST_F(BothFramesRunTest, BodyCarriedByAFreeBaseRidesWithItRigidly) {
    const BothFramesRun r = run({12, 5, 10, 20, true});
    ASSERT_GT(r.restTime, 0.0);
    const auto& t = tables();
    const double m = params().bodyMass;
    const double L = params().totalAngularMomentum;
    const int rest = static_cast<int>(std::lround(r.restTime / r.plan.dt));
    const double radius = std::hypot(t.tabX[rest], t.tabY[rest]);
    ASSERT_LT(rest, r.rows - 100);
    for (int k = rest; k < r.rows; ++k) {
        const double w = t.tabOmega[k];
        ASSERT_NEAR(std::hypot(t.tabX[k], t.tabY[k]), radius, 1e-9) << k;
        ASSERT_NEAR(w, L / (params().diskInertia + m * radius * radius), 1e-9) << k;
        // The velocity relative to the base point under the body, (vx − ω·y, vy + ω·x).
        ASSERT_NEAR(std::hypot(t.tabVx[k] - w * t.tabY[k], t.tabVy[k] + w * t.tabX[k]), 0, 1e-9)
            << k;
    }
}

TEST_F(BothFramesRunTest, InertialKineticEnergyChangesByTheFrictionWork) {
    // ½·m·v² − ½·m·v0² equals component 4, friction's power integrated with the same
    // fourth-order steps, to the integrator's accuracy (far below 1e-5 of m·v0²).
    for (bool free : {false, true})
        for (int mass : {1, 20}) {
            const BothFramesRun r = run({8, 5, 10, mass, free});
            const double m = params().bodyMass;
            const double start = 0.5 * m * 2.0 * 2.0;
            for (int k = 0; k < r.rows; ++k)
                ASSERT_NEAR(kineticInertial(k) - start, tables().tabEnergy[k], 1e-5 * m * 4)
                    << "free " << free << " mass " << m << " row " << k;
            // The base drags the body along: friction does real work on it.
            EXPECT_GT(std::abs(tables().tabEnergy[r.rows - 1]), 0.1 * m);
        }
}

// The work tables are right-endpoint rectangle sums of the step powers, from the second stored
// point on. Such a sum of a power p over steps 2..k differs from its integral, the change of
// kinetic energy from row 1 to row k, by at most dt·(total variation of p) plus one step's
// dt·|p|. Both are read from the kinetic energy's own differences: with D_j = KE_j − KE_{j−1},
// the bound is Σ|D_j − D_{j−1}| + |D_k|.
double rectangleBound(const std::vector<double>& ke, int k) {
    double bound = std::abs(ke[k] - ke[k - 1]);
    for (int j = 3; j <= k; ++j) bound += std::abs((ke[j] - ke[j - 1]) - (ke[j - 1] - ke[j - 2]));
    return bound;
}

TEST_F(BothFramesRunTest, RotatingFrameEnergyBalance) {
    // Friction, centrifugal and base-acceleration work add up to the change of the
    // rotating-frame kinetic energy. With a base of constant ω (F = 0) the last is zero; with a
    // free base (F = 1) the base slows, and without the work of −m·α×r the balance misses by far
    // more than the rectangle rule's error.
    for (bool free : {false, true})
        for (int mass : {1, 20}) {
            const BothFramesRun r = run({8, 5, 10, mass, free});
            const auto& t = tables();
            double largestMiss = 0;
            for (int k = 2; k < r.rows; k += 7) {
                const double change = t.tabKeRot[k] - t.tabKeRot[1];
                const double bound = rectangleBound(t.tabKeRot, k);
                ASSERT_LE(std::abs(t.tabWorkTotalRotating[k] - change), bound)
                    << "free " << free << " row " << k;
                const double withoutBase = t.tabWorkFrictionRotating[k] + t.tabWorkCentrifugal[k];
                largestMiss = std::max(largestMiss, std::abs(withoutBase - change) / bound);
            }
            if (free) {
                EXPECT_GT(largestMiss, 20.0);
            } else {
                EXPECT_LE(largestMiss, 1.0);
                // The run goes far: the balance is checked against a change of many units.
                EXPECT_GT(t.tabKeRot[r.rows - 1], 50 * params().bodyMass);
            }
        }
}

TEST_F(BothFramesRunTest, DragWorkIsTheInertialFrictionWorkLessTheRotatingOne) {
    // v = v_rel + v_base: friction's work on the inertial velocity splits into its work on the
    // relative velocity and on the base point's velocity, step by step.
    const BothFramesRun r = run({4, 5, 10, 4, false});
    const auto& t = tables();
    const double firstStep = t.tabWorkFrictionInertial[1];
    for (int k = 2; k < r.rows; ++k)
        EXPECT_NEAR(t.tabWorkFrictionInertial[k] - firstStep,
                    t.tabWorkFrictionRotating[k] + t.tabWorkDrag[k], 1e-9);
}

TEST_F(BothFramesRunTest, RunLeavesTheSecondEntryOfMostAccumulatorsAlone) {
    auto& t = disk->tables;
    t.tabWorkCentrifugal[1] = 7;
    t.tabWorkCentrifugal[0] = 5;
    const BothFramesRun r = run({});
    EXPECT_EQ(t.tabWorkCentrifugal[0], 0.0);
    EXPECT_EQ(t.tabWorkCentrifugal[1], 7.0);
    EXPECT_NE(t.tabWorkFrictionInertial[1], 0.0);
    EXPECT_EQ(t.tabWorkTotalRotating[1], t.tabWorkFrictionRotating[1] + 7 + t.tabWorkBaseForce[1]);
    EXPECT_GT(r.rows, 2);
}

TEST_F(BothFramesRunTest, RunReadsThePendulumChoiceAndStartsWithTheBodyOnTheBase) {
    // Without friction only −K·r acts once the body leaves (0, R) along the tangent.
    disk->pendulumChosen = true;
    run({4, 5, 0, 2, true});
    EXPECT_EQ(params().springK, 40.0);
    EXPECT_NEAR(tables().tabVy[0], -40 * tables().stepH, 0.01);
    disk->pendulumChosen = false;
    run({4, 5, 0, 2, true});
    EXPECT_EQ(params().springK, 0.0);
    // L = I·ω0 + m·R·(ω0·R) with m = 1.
    EXPECT_DOUBLE_EQ(params().totalAngularMomentum, 22.0);
}

}  // namespace
}  // namespace velarium
