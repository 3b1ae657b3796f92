#pragma once

#include <span>
#include <type_traits>
#include <utility>

namespace velarium {

// A right-hand side of an ordinary differential equation, evaluated one component at a time:
// f(t, stage, i) returns the derivative of component i on the stage vector. The stage vector is
// writable because a model may store a value into it before it reads it (the disk model writes
// the current angular velocity into its component 5). A non-owning reference to any callable.
class Derivative {
public:
    // The callable must outlive the call it is passed to.
    template <class F, class = std::enable_if_t<!std::is_same_v<std::decay_t<F>, Derivative>>>
    Derivative(F&& f)  // NOLINT: implicit by design, like a function reference
        : object_(const_cast<void*>(static_cast<const void*>(&f))),
          call_([](void* o, double t, std::span<double> y, int i) {
              return (*static_cast<std::remove_reference_t<F>*>(o))(t, y, i);
          }) {}

    double operator()(double t, std::span<double> y, int i) const {
        return call_(object_, t, y, i);
    }

private:
    void* object_;
    double (*call_)(void*, double, std::span<double>, int);
};

// The largest state that rkfStep advances.
inline constexpr int kMaxRkfComponents = 8;

// One fixed step h of the fourth-order solution of the Runge–Kutta–Fehlberg 4(5) pair, with no
// error estimate. Advances components 0..n−1 of y from t to t + h into yOut; components n and
// above of yOut are left as they were. The first stage is evaluated on y itself; the later ones
// on stage vectors that carry y's components n and above unchanged.
void rkfStep(double t, std::span<double> y, double h, std::span<double> yOut, int n,
             Derivative f);

}  // namespace velarium
