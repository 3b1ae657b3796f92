#include "numeric/RkfStep.h"

#include <algorithm>
#include <array>
#include <cassert>

namespace velarium {

void rkfStep(double t, std::span<double> y, double h, std::span<double> yOut, int n,
             Derivative f) {
    assert(n >= 0 && n <= kMaxRkfComponents && static_cast<int>(y.size()) >= n &&
           static_cast<int>(yOut.size()) >= n);
    const std::size_t size = std::min<std::size_t>(y.size(), kMaxRkfComponents);
    using Vec = std::array<double, kMaxRkfComponents>;
    Vec k1{}, k2{}, k3{}, k4{}, k5{}, stage{};

    auto evaluate = [&](double ts, std::span<double> v, Vec& k) {
        for (int i = 0; i < n; ++i) k[i] = h * f(ts, v, i);
    };
    // Stage vector: y's components n and above, then y + Σ c·k on components 0..n−1.
    auto build = [&](auto&& combine) {
        std::copy(y.begin(), y.begin() + static_cast<std::ptrdiff_t>(size), stage.begin());
        for (int i = 0; i < n; ++i) stage[i] = y[i] + combine(i);
        return std::span<double>(stage.data(), size);
    };

    evaluate(t, y, k1);
    evaluate(t + h / 4, build([&](int i) { return k1[i] / 4; }), k2);
    evaluate(t + 3 * h / 8,
             build([&](int i) { return 3.0 / 32 * k1[i] + 9.0 / 32 * k2[i]; }), k3);
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
        yOut[i] = y[i] + 25.0 / 216 * k1[i] + 1408.0 / 2565 * k3[i] + 2197.0 / 4104 * k4[i] -
                  k5[i] / 5;
}

}  // namespace velarium
