#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>

#include "numeric/RkfStep.h"

namespace velarium {
namespace {

TEST(RkfStep, IntegratesAHarmonicOscillatorToFourthOrder) {
    // x'' = −x as (v, x): after one period from (0, 1) the state returns, with an error that
    // falls sixteen-fold when the step halves.
    auto oscillator = [](double, std::span<const double> y, int i) {
        return i == 0 ? -y[1] : y[0];
    };
    auto errorWith = [&](int steps) {
        std::array<double, 2> y{0, 1}, out{};
        const double h = 2 * std::numbers::pi / steps;
        for (int k = 0; k < steps; ++k) {
            rkfStep(k * h, y, h, out, 2, oscillator);
            y = out;
        }
        return std::hypot(y[0], y[1] - 1);
    };
    const double coarse = errorWith(50);
    const double fine = errorWith(100);
    EXPECT_LT(fine, 1e-5);
    EXPECT_NEAR(coarse / fine, 16, 3);
}

TEST(RkfStep, IsExactForPolynomialsOfDegreeFour) {
    auto quartic = [](double t, std::span<const double>, int) { return 4 * t * t * t; };
    std::array<double, 1> y{0}, out{};
    rkfStep(0, y, 1.5, out, 1, quartic);
    EXPECT_NEAR(out[0], std::pow(1.5, 4), 1e-12);
}

TEST(RkfStep, StagesCarryTheHigherComponentsAndTheStateStays) {
    // A right-hand side that reads component 2, which the step does not advance: every stage
    // carries it unchanged, and the state the step starts from is left as it was.
    auto reading = [](double, std::span<const double> y, int i) { return i == 0 ? y[2] : 0.0; };
    std::array<double, 3> y{0, 0, 3}, out{9, 9, 9};
    rkfStep(0, y, 0.5, out, 2, reading);
    EXPECT_EQ(y, (std::array<double, 3>{0, 0, 3}));
    EXPECT_NEAR(out[0], 1.5, 1e-12);
    EXPECT_EQ(out[2], 9.0);  // components n and above of the output are left alone
}

}  // namespace
}  // namespace velarium
