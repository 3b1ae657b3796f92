#include "curve/EllipticIntegrals.h"

#include <cmath>
#include <numbers>


namespace velarium {

namespace {
bool allFinite(double x, double y, double z) {
    return std::isfinite(x) && std::isfinite(y) && std::isfinite(z);
}

double largestDeviation(double dx, double dy, double dz) {
    return larger(larger(std::abs(dx), std::abs(dy)), std::abs(dz));
}
}  // namespace

double smaller(double a, double b) { return a < b ? a : b; }

double larger(double a, double b) { return a < b ? b : a; }

namespace {

// The duplication theorem shared by R_F and R_D: each step moves the three arguments towards
// their mean by a factor 4, and collects the terms R_D sheds on the way.
struct Duplication {
    double xt, yt, zt;
    double sum = 0;
    double fac = 1;

    void step() {
        const double sx = std::sqrt(xt), sy = std::sqrt(yt), sz = std::sqrt(zt);
        const double lambda = sx * (sy + sz) + sy * sz;
        sum += fac / (sz * (zt + lambda));
        fac *= 0.25;
        xt = 0.25 * (xt + lambda);
        yt = 0.25 * (yt + lambda);
        zt = 0.25 * (zt + lambda);
    }

    // R_F once the arguments lie within 0.08 of their mean, else nothing yet. A NaN ends the
    // iteration with a NaN result instead of looping for ever.
    bool rfDone(double& result) const {
        constexpr double C1 = 1.0 / 24.0, C2 = 0.1, C3 = 3.0 / 44.0, C4 = 1.0 / 14.0;
        const double ave = (xt + yt + zt) / 3.0;
        const double inv = 1.0 / ave;
        const double dx = (ave - xt) * inv, dy = (ave - yt) * inv, dz = (ave - zt) * inv;
        if (largestDeviation(dx, dy, dz) >= 0.08) return false;
        // Fifth-order series in the elementary symmetric functions of the deviations.
        const double e2 = dx * dy - dz * dz;
        const double e3 = dx * dy * dz;
        result = (1.0 + (C1 * e2 - C2 - C3 * e3) * e2 + C4 * e3) / std::sqrt(ave);
        return true;
    }

    // R_D once the arguments lie within 0.05 of their weighted mean (x + y + 3z)/5.
    bool rdDone(double& result) const {
        constexpr double C1 = 3.0 / 14.0, C2 = 1.0 / 6.0, C3 = 9.0 / 22.0, C4 = 3.0 / 26.0;
        constexpr double C5 = 0.25 * C3, C6 = 1.5 * C4;
        const double ave = 0.2 * (xt + yt + 3.0 * zt);
        const double inv = 1.0 / ave;
        const double dx = (ave - xt) * inv, dy = (ave - yt) * inv, dz = (ave - zt) * inv;
        if (largestDeviation(dx, dy, dz) >= 0.05) return false;
        const double ea = dx * dy;
        const double eb = dz * dz;
        const double ec = ea - eb;
        const double ed = ea - 6.0 * eb;
        const double ee = ed + 2.0 * ec;
        result = 3.0 * sum + fac *
                                 (1.0 + ed * (-C1 + C5 * ed - C6 * dz * ee) +
                                  dz * (C2 * ee + dz * (-C3 * ec + dz * C4 * ea))) /
                                 (ave * std::sqrt(ave));
        return true;
    }
};

// R_F diverges when two arguments vanish together, so the all-zero case is refused with the
// other tiny pair sums.
bool rfArgumentsValid(double x, double y, double z) {
    return allFinite(x, y, z) && !(smaller(smaller(x, y), z) < 0) &&
           !(smaller(smaller(x + y, x + z), y + z) < 1.5e-38);
}

// R_D diverges when x and y vanish together or when z vanishes: those are refused as well.
bool rdArgumentsValid(double x, double y, double z) {
    return allFinite(x, y, z) && !(smaller(x, y) < 0) &&
           !(smaller(x + y, z) < 1.5e-25 && larger(larger(x, y), z) > 4.5e21) &&
           smaller(x + y, z) > 0;
}

}  // namespace

std::optional<double> rfCarlson(double x, double y, double z) {
    if (!rfArgumentsValid(x, y, z)) return std::nullopt;
    Duplication d{x, y, z};
    double result = 0;
    do d.step();
    while (!d.rfDone(result));
    return result;
}

std::optional<double> rdCarlson(double x, double y, double z) {
    if (!rdArgumentsValid(x, y, z)) return std::nullopt;
    Duplication d{x, y, z};
    double result = 0;
    do d.step();
    while (!d.rdDone(result));
    return result;
}

double ellipticE(double phi, double k) {
    // E(φ, k) = sin φ·R_F(cos²φ, 1 − k²sin²φ, 1) − (k·sin φ)²·sin φ·R_D(cos²φ, 1 − k²sin²φ, 1)/3
    const double s = std::sin(phi);
    const double c = std::cos(phi);
    const double cc = c * c;
    const double sk = s * k;
    const double q = (1.0 - sk) * (1.0 + sk);
    // Outside the integrals' domain (k·sin φ beyond 1) E is not defined: 0 stands for it.
    if (!rfArgumentsValid(cc, q, 1.0) || !rdArgumentsValid(cc, q, 1.0)) return 0;
    double rf = 0, rd = 0;
    // Both integrals run through the same duplication sequence: step it once for both.
    Duplication d{cc, q, 1.0};
    bool haveRf = false, haveRd = false;
    do {
        d.step();
        if (!haveRf) haveRf = d.rfDone(rf);
        if (!haveRd) haveRd = d.rdDone(rd);
    } while (!(haveRf && haveRd));
    return s * (rf - sk * sk * rd / 3.0);
}

namespace {
// E(φ, k) for any φ ≥ 0 as ellipticEAny gives it, with completeE() giving Ec = E(π/2, k) where
// φ lies beyond the first quarter period.
template <class Complete>
double ellipticEReduced(double phi, double k, Complete completeE) {
    if (phi == 0) return 0;
    if (phi <= std::numbers::pi / 2) return ellipticE(phi, k);
    const double ec = completeE();
    const double i = std::floor(phi / std::numbers::pi);        // whole half periods
    const double j = std::floor(2.0 * phi / std::numbers::pi);  // whole quarter periods
    if (std::fmod(j, 2.0) != 0) return (j + 1.0) * ec - ellipticE(std::numbers::pi * (i + 1.0) - phi, k);
    return j * ec + ellipticE(phi - std::numbers::pi * i, k);
}
}  // namespace

double ellipticEAny(double phi, double k) {
    return ellipticEReduced(phi, k, [k] { return ellipticE(std::numbers::pi / 2, k); });
}

double inverseEllipticE(double e, double k, double ec) {
    if (!std::isfinite(e) || !std::isfinite(k) || !std::isfinite(ec) || ec <= 0) return 0;
    // The walk evaluates E(φ, k) some twenty times, mostly past the first quarter period: the
    // complete integral that reduces φ is formed once, as ellipticEAny forms it.
    double complete = 0;
    bool haveComplete = false;
    auto eAt = [&](double angle) {
        return ellipticEReduced(angle, k, [&] {
            if (!haveComplete) complete = ellipticE(std::numbers::pi / 2, k);
            haveComplete = true;
            return complete;
        });
    };
    // Start in the middle of the quarter period that holds e: E(m·π/2) = m·Ec.
    const double m = std::floor(e / ec);
    double phi = m * std::numbers::pi / 2 + std::numbers::pi / 4;
    double h = std::numbers::pi / 20;
    double E = eAt(phi);
    int dir = e > E ? 1 : -1;
    int exactHits = 0;
    for (;;) {
        if (std::abs(e - E) <= 0.0001) return phi;
        // Walk towards e; every time the walk passes e, turn and halve the step.
        for (;;) {
            const double next = e > E ? phi + h : phi - h;
            if (next == phi) return phi;  // the step is below the resolution of φ
            phi = next;
            E = eAt(phi);
            if (E == e) {
                if (++exactHits >= 10) return phi;
                break;
            }
            if (dir > 0 && e < E) {
                dir = -1;
                h /= 2;
                if (std::abs(h) < 1e-11) return phi;
            } else if (dir < 0 && e > E) {
                dir = 1;
                h /= 2;
                if (std::abs(h) < 1e-11) return phi;
            }
        }
    }
}

}  // namespace velarium
