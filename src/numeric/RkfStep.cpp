#include "numeric/RkfStep.h"

namespace velarium {

void rkfStep(double t, std::span<const double> y, double h, std::span<double> yOut, int n,
             Derivative f) {
    rkfStepAll(t, y, h, yOut, n, [&](double ts, std::span<const double> v, double* dydt) {
        for (int i = 0; i < n; ++i) dydt[i] = f(ts, v, i);
    });
}

}  // namespace velarium
