#pragma once

// The disk model's right-hand side, inline so that an integration keeps the stages of a step in
// registers. DiskModel.h declares the forms the rest of the program calls.

#include <cmath>
#include <span>

#include "disk/DiskModel.h"

namespace velarium {

namespace diskdetail {
// x/r with the radial unit vector taken as zero on the axis, where it has no direction.
inline double radial(double x, double r) { return r > 0 ? x / r : 0.0; }

// Squared quantities this far from the ends of the double range are normal numbers with room to
// spare, so every product below rounds by half a unit in the last place at most.
constexpr double kTinySquare = 1e-290;
constexpr double kHugeSquare = 1e290;
// A relative margin far wider than the few roundings by which the two forms of the Qs test differ.
constexpr double kQsMargin = 1 + 1e-12;

// The small-Qs test r²·|v| < limit, answered exactly as r·r·|v| < limit with r = √rSq and |v| =
// √vSq would answer it. When rSq²·vSq exceeds limit² by more than kQsMargin, both sides being
// normal numbers, r·r·|v| lies above limit whatever the roundings: the square roots are skipped.
// That is the case on every step of a body away from the axis and not at rest.
inline bool smallQs(double rSq, double vSq, double limit) {
    const double rSqSq = rSq * rSq;
    const double q = rSqSq * vSq;
    if (rSqSq >= kTinySquare && q >= kTinySquare && q <= kHugeSquare &&
        q > limit * limit * kQsMargin)
        return false;
    const double r = std::sqrt(rSq);
    return r * r * std::sqrt(vSq) < limit;
}
}  // namespace diskdetail

// The fields of DiskParameters the derivatives read, copied out once with the step's ω: the
// derivatives are written through a pointer that could, as far as the compiler knows, point into
// the parameters, which would otherwise be read again after every store. An integration builds
// it once per step.
struct DiskDerivativeTerms {
    double omega;         // ω of the disk during the step
    double mu;            // μ·g while kinetic friction acts, else 0
    double k;             // K of the restoring force
    double powerFactor;   // −m·μ of the friction's power
    double torqueFactor;  // μ·F·m of the friction's torque on a free disk
    double inertia;       // I of the disk
    double rimSq;         // the rim's radius squared: beyond it nothing rubs on the body

    DiskDerivativeTerms(const DiskParameters& p, double diskOmega)
        : omega(diskOmega),
          mu(p.frictionOn ? p.frictionDecel : 0.0),
          k(p.springK),
          powerFactor(-p.bodyMass * mu),
          // Without friction nothing acts between body and disk.
          torqueFactor(mu * p.omegaVariable * p.bodyMass),
          inertia(p.diskInertia),
          rimSq(p.rimRadius * p.rimRadius) {}
};

// The derivatives of components 0..5 into d, as diskDerivatives gives them; true where the
// small-Qs rule applied.
inline bool diskDerivativesWith(const DiskDerivativeTerms& c, std::span<const double> s,
                                double* d) {
    const double vx = s[kVx], vy = s[kVy], x = s[kX], y = s[kY];
    const double omega = c.omega;
    const double mu = c.mu;
    const double k = c.k;
    const auto [pr, qr] = relativeVelocity(vx, vy, x, y, omega);
    const double vRelSq = pr * pr + qr * qr;
    const double vRel = std::sqrt(vRelSq);
    // r and |v| enter only as r²·|v| and on the rare branches that need the radial direction.
    const double rSq = x * x + y * y;
    const double w2 = omega * omega;
    if (rSq > c.rimSq) {
        // Beyond the rim there is no disk under the body: no friction, no torque on the disk;
        // only the restoring force acts, and it keeps the energy.
        d[kVx] = -k * x;
        d[kVy] = -k * y;
        d[kX] = vx;
        d[kY] = vy;
        d[kEnergy] = 0;
        d[kOmega] = 0;
        return false;
    }
    bool onAxis = false;
    if (vRel == 0) {
        // At rest on the disk: the disk point's centripetal acceleration ω²·(x, y)/r.
        const double r = std::sqrt(rSq);
        d[kVx] = -w2 * diskdetail::radial(x, r) - k * x;
        d[kVy] = -w2 * diskdetail::radial(y, r) - k * y;
    } else if (diskdetail::smallQs(rSq, vx * vx + vy * vy, 0.0001 * std::abs(omega))) {
        // Qs = r²·|v|/ω small (on the axis, or at rest in the inertial frame); compared as
        // r²·|v| < 0.0001·|ω| so that ω = 0 needs no division.
        onAxis = true;
        const double r = std::sqrt(rSq);
        d[kVx] = -w2 * diskdetail::radial(x, r) - k * x;
        d[kVy] = -mu * diskdetail::radial(y, r) - k * y;
    } else if (vRelSq >= diskdetail::kTinySquare && vRelSq <= diskdetail::kHugeSquare) {
        // Kinetic friction against the relative velocity, and the restoring force −K·r. The
        // friction's −μ/|v_rel| is formed as −μ/|v_rel|²·|v_rel| so that the division need not
        // wait for the square root: the two lie on the path from one stage of a step to the next.
        const double drag = -mu / vRelSq * vRel;
        d[kVx] = drag * pr - k * x;
        d[kVy] = drag * qr - k * y;
    } else {
        // So slow or so fast that μ/|v_rel|² could leave the double range.
        d[kVx] = -mu * pr / vRel - k * x;
        d[kVy] = -mu * qr / vRel - k * y;
    }
    d[kX] = vx;
    d[kY] = vy;
    // Power of the friction on the body: −m·μ·(v·v_rel)/|v_rel|.
    d[kEnergy] = vRel == 0 ? 0.0 : c.powerFactor * (vx * pr + vy * qr) / vRel;
    // The reaction of the friction turns a free disk: dω/dt = μ·F·m·(y·P − x·Q)/(|v_rel|·I).
    d[kOmega] = vRel == 0 ? 0.0 : c.torqueFactor * (y * pr - x * qr) / (vRel * c.inertia);
    return onAxis;
}

}  // namespace velarium
