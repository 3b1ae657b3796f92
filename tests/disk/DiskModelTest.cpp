#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "disk/DiskModel.h"

namespace velarium {
namespace {

// The screen's values: ω0 = 2, I = 10, m = 1, μ·g = 1.
DiskParameters withFriction() {
    DiskParameters p;
    p.frictionOn = true;
    return p;
}

// A state at time 0 and angle 0 whose energy component is ½·m·v² + ½·K·r².
DiskState stateAt(const DiskParameters& p, double vx, double vy, double x, double y, double omega) {
    DiskState s;
    s.y = {
        vx,    vy, x, y, 0.5 * p.bodyMass * (vx * vx + vy * vy) + 0.5 * p.springK * (x * x + y * y),
        omega, 0};
    s.omega = omega;
    return s;
}

// A run with the body at (0, R) and the given velocity, ready for its first display step.
DiskRun runFrom(double vx, double vy, double stepDuration) {
    DiskRun run;
    run.pathY[0] = 1;
    run.stepDuration = stepDuration;
    run.bodyVx = vx;
    run.bodyVy = vy;
    return run;
}

TEST(DiskDerivative, UsesTheOmegaItIsGivenAndWritesNothing) {
    const DiskComponents s{0.5, 0.0, 0.0, 1.0, 0.0, 7.0, 0.0};
    const DiskComponents before = s;
    // Relative velocity (0.5 − 2·1, 0 + 0) = (−1.5, 0): friction μ = 1 pushes along +x. The
    // component 5 of the state does not enter.
    EXPECT_DOUBLE_EQ(diskDerivative(withFriction(), 2.0, s, kVx), 1.0);
    EXPECT_DOUBLE_EQ(diskDerivative(withFriction(), 2.0, s, kX), 0.5);
    EXPECT_EQ(s, before);
}

TEST(DiskDerivative, BodyAtRestOnTheDiskFeelsTheCentripetalAcceleration) {
    // The default start: (0, 1) moving with the disk point, (ω·R, 0) = (2, 0).
    const DiskComponents s{2, 0, 0, 1, 0, 0, 0};
    double d[6];
    EXPECT_FALSE(diskDerivatives(withFriction(), 2.0, s, d));
    EXPECT_DOUBLE_EQ(d[kVx], 0.0);
    EXPECT_DOUBLE_EQ(d[kVy], -4.0);
    EXPECT_EQ(d[kEnergy], 0.0);
    EXPECT_EQ(d[kOmega], 0.0);
}

TEST(DiskDerivative, StaysFiniteOnTheAxisAndWithoutRotation) {
    DiskParameters p = withFriction();
    p.springK = 40;
    p.omegaVariable = 1;
    struct Case {
        double omega;
        DiskComponents s;
    };
    const Case cases[] = {
        {2.0, {0, 0, 0, 0, 0, 0, 0}},  // on the axis, at rest on the disk
        {2.0, {1, 0, 0, 0, 0, 0, 0}},  // passing through the axis
        {0.0, {0, 0, 0, 1, 0, 0, 0}},  // a disk at rest, body at rest
        {0.0, {1, 0, 0, 0, 0, 0, 0}},  // a disk at rest, body on the axis
        {0.0, {0, 0, 0, 0, 0, 0, 0}},  // everything zero
    };
    for (const Case& c : cases)
        for (int i = 0; i < 6; ++i)
            EXPECT_TRUE(std::isfinite(diskDerivative(p, c.omega, c.s, i)))
                << "omega " << c.omega << " component " << i;
    // Through the axis the small-Qs rule applies, and the radial term is zero.
    const DiskComponents through{1, 0, 0, 0, 0, 0, 0};
    double d[6];
    EXPECT_TRUE(diskDerivatives(p, 2.0, through, d));
    EXPECT_EQ(d[kVx], 0.0);
}

TEST(DiskDerivative, SmallQsRuleAppliesToABodyAtRestInTheInertialFrame) {
    // (0, 1) at rest: Qs = 0. x: −ω²·x/r = 0; y: −μ·y/r = −1.
    const DiskComponents s{0, 0, 0, 1, 0, 0, 0};
    double d[6];
    EXPECT_TRUE(diskDerivatives(withFriction(), 2.0, s, d));
    EXPECT_EQ(d[kVx], 0.0);
    EXPECT_DOUBLE_EQ(d[kVy], -1.0);
}

TEST(DiskDerivative, FrictionPointsAgainstTheRelativeVelocityAtEverySpeed) {
    // A disk at rest and a body off the axis sliding along (0.6, 0.8), from a speed whose square
    // is subnormal to one whose square is near the top of the double range: the friction is
    // −μ·(0.6, 0.8).
    DiskParameters p = withFriction();
    p.frictionDecel = 1.5;
    for (double speed : {1e-155, 1e-150, 1e-3, 1.0, 7e3, 1e150}) {
        const DiskComponents s{0.6 * speed, 0.8 * speed, 1, 0, 0, 0, 0};
        double d[6];
        EXPECT_FALSE(diskDerivatives(p, 0, s, d));
        EXPECT_NEAR(d[kVx], -0.9, 1e-14) << speed;
        EXPECT_NEAR(d[kVy], -1.2, 1e-14) << speed;
    }
}

TEST(DiskDerivative, SmallQsRuleSwitchesExactlyAtItsLimit) {
    // The rule applies when r·r·|v| < 0.0001·|ω|, r and |v| the rounded square roots: checked a
    // few units in the last place of ω either side of the limit, well away from it, and where the
    // squares underflow or overflow. Near the axis, close to rest, and at the ends of the range.
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
            const DiskComponents s{c.vx, c.vy, c.x, c.y, 0, 0, 0};
            ASSERT_NE(c.vx - omega * c.y, 0.0);  // sliding: the rule is the one that decides
            double d[6];
            EXPECT_EQ(diskDerivatives(withFriction(), omega, s, d), qs < 0.0001 * std::abs(omega))
                << "x " << c.x << " vx " << c.vx << " omega " << omega;
        }
    }
}

TEST(DiskDerivative, AllComponentsAtOnceAreTheOneByOneDerivatives) {
    // Sliding, at rest on the disk, on the axis (small Qs) and on a turning free disk with a
    // spring: the same six numbers to the last bit.
    DiskParameters p = withFriction();
    p.omegaVariable = 1;
    const DiskComponents states[] = {{0.5, -0.3, 0.2, 0.9, 0, 7, 0},
                                     {2, 0, 0, 1, 0, 0, 0},
                                     {1, 0, 0, 0, 0, 0, 0},
                                     {0, 0, 0, 1, 0, 0, 0},
                                     {-1.2, 0.4, -0.6, 0.3, 0, 0, 0}};
    for (double k : {0.0, 40.0}) {
        p.springK = k;
        for (const DiskComponents& s : states) {
            double got[6];
            diskDerivatives(p, 2.0, s, got);
            for (int i = 0; i < 6; ++i)
                EXPECT_EQ(got[i], diskDerivative(p, 2.0, s, i)) << "k " << k << " i " << i;
        }
    }
}

TEST(DiskIntegrator, WithoutFrictionTheBodyMovesOnAStraightLine) {
    const DiskParameters p;
    const double h = 0.1 / 250;
    const DiskStretch st = integrateDisk(p, stateAt(p, 3.0, -1.0, 0.0, 1.0, 2.0), h, 250);
    ASSERT_EQ(st.rows.size(), 250u);
    for (std::size_t i = 0; i < st.rows.size(); ++i) {
        const DiskState& r = st.rows[i];
        const double time = static_cast<double>(i + 1) * h;
        ASSERT_NEAR(r.t, time, 1e-15);
        ASSERT_NEAR(r.y[kX], 3.0 * time, 1e-12) << i;
        ASSERT_NEAR(r.y[kY], 1.0 - time, 1e-12) << i;
        ASSERT_EQ(r.y[kVx], 3.0);
        ASSERT_EQ(r.y[kVy], -1.0);
        ASSERT_NEAR(r.y[kEnergy], 0.5 * 10, 1e-12);
        ASSERT_EQ(r.omega, 2.0);
        // θ counts every step from the angle the stretch starts at.
        ASSERT_NEAR(r.theta, 2.0 * time, 1e-12);
    }
    EXPECT_EQ(st.events.restRow, -1);
    EXPECT_FALSE(st.events.onAxis);
    EXPECT_EQ(st.events.leftRimRow, -1);
}

TEST(DiskIntegrator, ReportsTheAxisAndTheRim) {
    // Through the axis between (0, 0.002) and (0, −0.001), then on beyond the rim at r = 2.
    DiskParameters p;
    p.rimRadius = kRimRadius;
    const DiskStretch st = integrateDisk(p, stateAt(p, 0, -3, 0, 0.05, 2), 0.001, 1000);
    EXPECT_TRUE(st.events.onAxis);
    ASSERT_GE(st.events.leftRimRow, 0);
    const auto& rim = st.rows[static_cast<std::size_t>(st.events.leftRimRow)];
    EXPECT_GT(std::hypot(rim.y[kX], rim.y[kY]), kRimRadius);
    const auto& before = st.rows[static_cast<std::size_t>(st.events.leftRimRow - 1)];
    EXPECT_LE(std::hypot(before.y[kX], before.y[kY]), kRimRadius);
}

TEST(DiskIntegrator, PendulumWithoutFrictionSwingsAtTheRootOfForty) {
    // Released at (0, R) with the disk point's velocity taken away: y(t) = cos(√40·t), x = 0.
    DiskRun run = runFrom(0, 0, 0.01);
    const double w = std::sqrt(40.0);
    for (int k = 1; k <= 300; ++k) {
        run.stepIndex = static_cast<std::int16_t>(k);
        ASSERT_TRUE(advanceStep(DiskParameters{}, run, {false, true}));
        ASSERT_NEAR(run.pathY[k], std::cos(w * 0.01 * k), 1e-9) << k;
        ASSERT_EQ(run.pathX[k], 0.0);
        ASSERT_NEAR(run.bodyVy, -w * std::sin(w * 0.01 * k), 1e-8) << k;
    }
    // The disk keeps turning under it.
    EXPECT_NEAR(run.diskAngle, 300 * 0.01 * 2.0, 1e-10);
}

// Angular momentum and energy of disk and body: L = I·ω + m·(y·vx − x·vy) is kept, and the
// disk's and the body's energy, ½·I·ω² + ½·m·v² + ½·K·r², falls by the heat of the friction,
// ∫ μ·m·g·|v_rel| dt. The integrator's ω, taken from the kept angular momentum, meets both; the
// torque's own integral (component 5, restarted from ω at every step) agrees with it.
TEST(DiskIntegrator, FreeDiskKeepsAngularMomentumAndEnergyBalances) {
    for (double k : {0.0, 40.0})
        for (double h : {0.0004, 0.004}) {
            DiskParameters p = withFriction();
            p.bodyMass = 2.5;
            p.omegaVariable = 1;
            p.springK = k;
            const DiskState start = stateAt(p, -1.0, 1.5, 0, 1, 2.0);
            p.totalAngularMomentum = angularMomentum(p, 2.0, 0, 1, -1.0, 1.5);
            const int count = static_cast<int>(std::lround(2.0 / h));
            const DiskStretch st = integrateDisk(p, start, h, count);
            auto energy = [&](const DiskState& s) {
                return 0.5 * p.diskInertia * s.omega * s.omega + s.y[kEnergy];
            };
            auto slip = [](const DiskState& s) {
                const auto [a, b] = relativeVelocity(s.y[kVx], s.y[kVy], s.y[kX], s.y[kY], s.omega);
                return std::hypot(a, b);
            };
            double heat = 0, torqueMiss = 0;
            const DiskState* before = &start;
            for (const DiskState& r : st.rows) {
                ASSERT_NEAR(angularMomentum(p, r.omega, r.y[kX], r.y[kY], r.y[kVx], r.y[kVy]),
                            p.totalAngularMomentum, 1e-12);
                torqueMiss = std::max(
                    torqueMiss,
                    std::abs(angularMomentum(p, r.y[kOmega], r.y[kX], r.y[kY], r.y[kVx], r.y[kVy]) -
                             p.totalAngularMomentum));
                heat += 0.5 * h * p.bodyMass * p.frictionDecel * (slip(*before) + slip(r));
                ASSERT_NEAR(energy(r) + heat, energy(start), 2e-3 * energy(start))
                    << "K " << k << " h " << h << " t " << r.t;
                before = &r;
            }
            EXPECT_LT(torqueMiss, 1e-9) << "K " << k << " h " << h;
            // The friction has done real work.
            EXPECT_GT(heat, 0.1);
        }
}

TEST(DiskIntegrator, HeldDiskKeepsOmega0WhateverTheFriction) {
    DiskParameters p = withFriction();
    DiskRun run = runFrom(-3, 2, 0.1);
    for (int k = 1; k <= 10; ++k) {
        run.stepIndex = static_cast<std::int16_t>(k);
        const std::optional<DiskEvents> events = advanceStep(p, run, {true, false});
        ASSERT_TRUE(events);
        EXPECT_EQ(events->restRow, -1);
    }
    EXPECT_EQ(run.omegaNow, 2.0);
    EXPECT_NEAR(run.diskAngle, 2.0, 1e-12);
    // Friction has done work on the body: its speed is no longer the initial one.
    EXPECT_GT(std::abs(std::hypot(run.bodyVx, run.bodyVy) - std::hypot(3.0, 2.0)), 0.01);
}

// Friction on a free disk brings the body to rest relative to the disk, at both the screens'
// steps: from then on body and disk turn together at ω = L/(I + m·r²), the body at its radius,
// and the next stretch starts carried.
TEST(DiskIntegrator, BodyComingToRestOnAFreeDiskRidesWithIt) {
    for (double h : {0.0004, 0.004}) {
        DiskParameters p = withFriction();
        p.bodyMass = 0.5;
        p.omegaVariable = 1;
        // A disk turning at ω = 1 can hold the body out to r = μ·g/ω² = 1.
        const DiskState start = stateAt(p, 0.9, 0, 0, 0.2, 1.0);
        p.totalAngularMomentum = angularMomentum(p, 1.0, 0, 0.2, 0.9, 0);
        const DiskStretch st = integrateDisk(p, start, h, static_cast<int>(std::lround(4 / h)));
        ASSERT_GE(st.events.restRow, 0) << h;
        const auto rest = static_cast<std::size_t>(st.events.restRow);
        const double r = std::hypot(st.rows[rest].y[kX], st.rows[rest].y[kY]);
        const double w = p.totalAngularMomentum / (p.diskInertia + p.bodyMass * r * r);
        for (std::size_t i = rest; i < st.rows.size(); ++i) {
            const DiskState& s = st.rows[i];
            ASSERT_NEAR(std::hypot(s.y[kX], s.y[kY]), r, 1e-9);
            ASSERT_EQ(s.omega, w);
            const auto [a, b] = relativeVelocity(s.y[kVx], s.y[kVy], s.y[kX], s.y[kY], s.omega);
            ASSERT_EQ(std::hypot(a, b), 0.0);
        }
        const DiskStretch on = integrateDisk(p, st.rows.back(), h, 10);
        EXPECT_EQ(on.events.restRow, -1);
        EXPECT_EQ(on.rows.back().omega, w);
        EXPECT_NEAR(std::hypot(on.rows.back().y[kX], on.rows.back().y[kY]), r, 1e-9);
    }
}

TEST(DiskIntegrator, FiveStepsOfTheInertialViewFollowTheTangent) {
    DiskRun run = runFrom(2, 0, 0.1);
    for (int k = 1; k <= 5; ++k) {
        run.stepIndex = static_cast<std::int16_t>(k);
        ASSERT_TRUE(advanceStep(DiskParameters{}, run, {}));
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
}

TEST(DiskIntegrator, StepOutsideThePathTablesIsRefused) {
    DiskRun run = runFrom(1, 0, 0.1);
    run.stepIndex = DiskRun::kMaxStep + 1;
    EXPECT_FALSE(advanceStep(withFriction(), run, {true, false}));
    run.stepIndex = 0;
    EXPECT_FALSE(advanceStep(DiskParameters{}, run, {}));
    EXPECT_EQ(run.diskAngle, 0.0);
    run.stepIndex = DiskRun::kMaxStep;
    EXPECT_TRUE(advanceStep(DiskParameters{}, run, {}));
}

}  // namespace
}  // namespace velarium
