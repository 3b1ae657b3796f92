#pragma once

#include <algorithm>
#include <array>
#include <cassert>
#include <span>
#include <type_traits>
#include <utility>

namespace velarium {

// A right-hand side of an ordinary differential equation, evaluated one component at a time:
// f(t, stage, i) returns the derivative of component i on the stage vector, which it only reads.
// A non-owning reference to any callable.
class Derivative {
public:
    // The callable must outlive the call it is passed to.
    template <class F, class = std::enable_if_t<!std::is_same_v<std::decay_t<F>, Derivative>>>
    Derivative(F&& f)  // NOLINT: implicit by design, like a function reference
        : object_(const_cast<void*>(static_cast<const void*>(&f))),
          call_([](void* o, double t, std::span<const double> y, int i) {
              return (*static_cast<std::remove_reference_t<F>*>(o))(t, y, i);
          }) {}

    double operator()(double t, std::span<const double> y, int i) const {
        return call_(object_, t, y, i);
    }

private:
    void* object_;
    double (*call_)(void*, double, std::span<const double>, int);
};

// The largest state that rkfStep advances.
inline constexpr int kMaxRkfComponents = 8;

// A number of components fixed at compile time, for rkfStepAll.
template <int N>
using RkfCount = std::integral_constant<int, N>;

// One fixed step h of the fourth-order solution of the Runge–Kutta–Fehlberg 4(5) pair, with no
// error estimate, for a right-hand side that gives every component at once: f(t, stage, dydt)
// writes the derivatives of components 0..n−1 of the stage vector, which it only reads, into dydt.
// Advances components
// 0..n−1 of y from t to t + h into yOut; components n and above of yOut are left as they were.
// The first stage is evaluated on y itself; the later ones on stage vectors that carry y's
// components n and above unchanged.
//
// n is an int, or a RkfCount<n> where the count is fixed: the loops over the components then
// have a bound the compiler knows, and the stages of a small state stay in registers instead of
// passing through memory between the right-hand side and the next stage (for the six components
// of the disk model a step takes about three quarters of the time). The arithmetic is the same.
template <class Count, class F>
void rkfStepAll(double t, std::span<const double> y, double h, std::span<double> yOut, Count n,
                F&& f) {
    assert(n >= 0 && n <= kMaxRkfComponents && static_cast<int>(y.size()) >= n &&
           static_cast<int>(yOut.size()) >= n);
    const std::size_t size = std::min<std::size_t>(y.size(), kMaxRkfComponents);
    using Vec = std::array<double, kMaxRkfComponents>;
    Vec k1{}, k2{}, k3{}, k4{}, k5{}, stage{}, dydt{};

    auto evaluate = [&](double ts, std::span<const double> v, Vec& k) {
        f(ts, v, dydt.data());
        for (int i = 0; i < n; ++i) k[i] = h * dydt[i];
    };
    // Stage vector: y's components n and above, then y + Σ c·k on components 0..n−1.
    auto build = [&](auto&& combine) {
        std::copy(y.begin(), y.begin() + static_cast<std::ptrdiff_t>(size), stage.begin());
        for (int i = 0; i < n; ++i) stage[i] = y[i] + combine(i);
        return std::span<const double>(stage.data(), size);
    };

    evaluate(t, y, k1);
    evaluate(t + h / 4, build([&](int i) { return k1[i] / 4; }), k2);
    evaluate(t + 3 * h / 8, build([&](int i) { return 3.0 / 32 * k1[i] + 9.0 / 32 * k2[i]; }), k3);
    evaluate(t + 12 * h / 13, build([&](int i) {
                 return 1932.0 / 2197 * k1[i] - 7200.0 / 2197 * k2[i] + 7296.0 / 2197 * k3[i];
             }),
             k4);
    evaluate(t + h, build([&](int i) {
                 return 439.0 / 216 * k1[i] - 8 * k2[i] + 3680.0 / 513 * k3[i] -
                        845.0 / 4104 * k4[i];
             }),
             k5);

    for (int i = 0; i < n; ++i)
        yOut[i] =
            y[i] + 25.0 / 216 * k1[i] + 1408.0 / 2565 * k3[i] + 2197.0 / 4104 * k4[i] - k5[i] / 5;
}

// The same step for a right-hand side evaluated one component at a time, in the order 0..n−1
// on each stage.
void rkfStep(double t, std::span<const double> y, double h, std::span<double> yOut, int n,
             Derivative f);

}  // namespace velarium
