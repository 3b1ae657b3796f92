#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "curve/CurvePath.h"
#include "curve/EllipticIntegrals.h"

namespace velarium {
namespace {

const double kPi = std::numbers::pi;

TEST(Carlson, MatchesKnownValues) {
    EXPECT_NEAR(*rfCarlson(0, 1, 2), 1.31102877714605990523, 1e-7);
    EXPECT_NEAR(*rfCarlson(2, 3, 4), 0.58408284167715170570, 1e-7);
    EXPECT_NEAR(*rdCarlson(0, 2, 1), 1.79721035210338831120, 1e-7);
    EXPECT_NEAR(*rdCarlson(2, 3, 4), 0.16510527294261053350, 1e-7);
    // R_F(x, x, x) = 1/sqrt(x) and R_D(x, x, x) = x^(−3/2).
    EXPECT_NEAR(*rfCarlson(4, 4, 4), 0.5, 1e-12);
    EXPECT_NEAR(*rdCarlson(4, 4, 4), 0.125, 1e-12);
}

TEST(Carlson, ArgumentsOutsideTheDomainGiveNoValue) {
    EXPECT_FALSE(rfCarlson(-1, 1, 1));
    EXPECT_FALSE(rdCarlson(1, -1, 1));
    // Two vanishing arguments make R_F diverge, a vanishing z or x + y makes R_D diverge.
    EXPECT_FALSE(rfCarlson(0, 0, 0));
    EXPECT_FALSE(rfCarlson(0, 0, 1));
    EXPECT_FALSE(rdCarlson(0, 0, 1));
    EXPECT_FALSE(rdCarlson(1, 1, 0));
    EXPECT_FALSE(rfCarlson(NAN, 1, 1));
    // One vanishing argument is inside the domain.
    EXPECT_NEAR(rfCarlson(0, 1, 1).value_or(0), kPi / 2, 1e-7);
    // Beyond k·sin φ = 1 E has no value either: 0 stands for it.
    EXPECT_EQ(ellipticE(kPi / 2, 1.5), 0.0);
}

TEST(Carlson, SmallerAndLarger) {
    EXPECT_EQ(smaller(1, 2), 1);
    EXPECT_EQ(smaller(2, 1), 1);
    EXPECT_EQ(larger(1, 2), 2);
    EXPECT_EQ(larger(2, 1), 2);
}

TEST(EllipticE, AgreesWithTheStandardLibraryOverSeveralPeriods) {
    double worst = 0;
    for (double k = 0; k <= 0.99 + 1e-9; k += 0.03) {
        EXPECT_NEAR(ellipticE(kPi / 2, k), std::comp_ellint_2(k), 1e-7) << "k=" << k;
        for (double phi = 0; phi <= 6 * kPi; phi += 0.0371) {
            const double want = std::ellint_2(k, phi);
            const double got = ellipticEAny(phi, k);
            worst = std::max(worst, std::abs(got - want) / std::max(1.0, want));
            ASSERT_NEAR(got, want, 1e-7 * std::max(1.0, want)) << "k=" << k << " phi=" << phi;
        }
    }
    EXPECT_LT(worst, 1e-7);
}

TEST(EllipticE, IsTheCarlsonFormulaExactly) {
    for (double k : {0.0, 0.4, 0.99})
        for (double phi : {0.1, 0.7, 1.2, kPi / 2}) {
            const double s = std::sin(phi), c = std::cos(phi), sk = s * k;
            const double q = (1 - sk) * (1 + sk);
            EXPECT_EQ(ellipticE(phi, k),
                      s * (*rfCarlson(c * c, q, 1) - sk * sk * *rdCarlson(c * c, q, 1) / 3));
        }
}

TEST(EllipticE, SymmetryAndPeriodBranches) {
    const double k = 0.7;
    const double ec = ellipticE(kPi / 2, k);
    EXPECT_EQ(ellipticEAny(0, k), 0);
    EXPECT_EQ(ellipticEAny(0, 0.99), 0);
    EXPECT_NEAR(ellipticEAny(kPi / 2, 0), kPi / 2, 1e-10);  // the series truncation
    EXPECT_NEAR(ellipticEAny(kPi, k), 2 * ec, 1e-12);
    EXPECT_NEAR(ellipticEAny(3 * kPi / 4, k), 2 * ec - ellipticE(kPi / 4, k), 1e-12);
    EXPECT_NEAR(ellipticEAny(5 * kPi / 4, k), 2 * ec + ellipticE(kPi / 4, k), 1e-12);
    EXPECT_NEAR(ellipticEAny(7 * kPi / 4, k), 4 * ec - ellipticE(kPi / 4, k), 1e-12);
    // Negative angles reflect: E(−φ) = −E(φ).
    EXPECT_NEAR(ellipticE(-0.4, k), -ellipticE(0.4, k), 1e-15);
    // Continuous across the quarter-period joins.
    for (int q = 1; q <= 8; ++q) {
        const double joint = q * kPi / 2;
        EXPECT_NEAR(ellipticEAny(joint - 1e-9, k), ellipticEAny(joint + 1e-9, k), 1e-8);
    }
}

// Simpson's rule for the arc length ∫₀^x sqrt(1 + A²ω²cos²(ωt)) dt.
double arcByQuadrature(double A, double w, double x) {
    const int n = 20000;
    const double h = x / n;
    auto f = [&](double t) {
        return std::sqrt(1 + A * A * w * w * std::cos(w * t) * std::cos(w * t));
    };
    double sum = f(0) + f(x);
    for (int i = 1; i < n; ++i) sum += (i % 2 ? 4 : 2) * f(i * h);
    return sum * h / 3;
}

TEST(PathLength, IsTheArcLengthOfThePath) {
    for (int platos : {1, 20, 35})
        for (int freq : {1, 15, 60}) {
            const CurveSettings c = curveSettings({platos, freq, 3, 20});
            for (double x : {0.7, 6.0, 13.3, 20.0})
                EXPECT_NEAR(pathLength(c, x), arcByQuadrature(c.amplitude, c.omega, x),
                            2e-7 * arcByQuadrature(c.amplitude, c.omega, x))
                    << platos << " " << freq << " " << x;
        }
}

TEST(PathLength, InitialSettingsOverTheWholeCanvas) {
    // A = 2, ω = π/12: A·ω = π/6 and the path covers 300 degrees of the sine.
    const CurveSettings c = curveSettings({});
    const double aw = kPi / 6;
    const double root = std::sqrt(1 + aw * aw);
    EXPECT_NEAR(pathLength(c, 20), root * 12 / kPi * ellipticEAny(5 * kPi / 3, aw / root), 1e-12);
    EXPECT_NEAR(pathLength(c, 20), root * 12 / kPi * std::ellint_2(aw / root, 5 * kPi / 3), 1e-6);
}

TEST(InverseEllipticE, RoundTripsOverTargetsAndModuli) {
    for (double k : {0.0, 0.3, 0.7, 0.95, 0.99}) {
        const double ec = ellipticE(kPi / 2, k);
        for (double e = 0; e < 40; e += 0.37) {
            const double phi = inverseEllipticE(e, k, ec);
            EXPECT_NEAR(ellipticEAny(phi, k), e, 1e-9) << "k=" << k << " e=" << e;
        }
    }
}

TEST(InverseEllipticE, ZeroTargetAndExactStarts) {
    const double k = 0.5;
    const double ec = ellipticE(kPi / 2, k);
    EXPECT_NEAR(inverseEllipticE(0, k, ec), 0, 1e-10);
    // A target met at the starting angle is returned at once.
    const double start = kPi / 4;
    EXPECT_EQ(inverseEllipticE(ellipticEAny(start, k), k, ec), start);
    // Unusable inputs give 0 instead of walking for ever.
    EXPECT_EQ(inverseEllipticE(NAN, k, ec), 0);
    EXPECT_EQ(inverseEllipticE(1, k, 0), 0);
}

}  // namespace
}  // namespace velarium
