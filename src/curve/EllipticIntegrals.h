#pragma once

#include <optional>

namespace velarium {

// The smaller and the larger of two numbers (a tie gives b and a respectively).
double smaller(double a, double b);
double larger(double a, double b);

// Carlson's symmetric integrals by the duplication method:
//   R_F(x, y, z) = ½ ∫₀^∞ dt / sqrt((t+x)(t+y)(t+z))
//   R_D(x, y, z) = (3/2) ∫₀^∞ dt / ((t+z)·sqrt((t+x)(t+y)(t+z)))
// Arguments outside their domain give no value.
std::optional<double> rfCarlson(double x, double y, double z);
std::optional<double> rdCarlson(double x, double y, double z);

// Legendre's incomplete integral of the second kind, E(φ, k) = ∫₀^φ sqrt(1 − k²·sin²θ) dθ, for
// |φ| ≤ π/2 (odd in φ); 0 where k·sin φ beyond 1 leaves it undefined.
double ellipticE(double phi, double k);

// E(φ, k) for any φ ≥ 0, reduced to [0, π/2] by E(π − ψ) = 2·Ec − E(ψ) and
// E(φ + π) = E(φ) + 2·Ec with Ec = E(π/2, k).
double ellipticEAny(double phi, double k);

// The angle φ with E(φ, k) = e, found by a walk with step halving; ec is E(π/2, k).
double inverseEllipticE(double e, double k, double ec);

}  // namespace velarium
