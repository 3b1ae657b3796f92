#include "curve/CurvePath.h"

#include <cmath>
#include <cstdio>
#include <numbers>

#include "curve/EllipticIntegrals.h"

namespace velarium {

CurveSettings curveSettings(const CurveSliders& sliders) {
    CurveSettings c;
    c.amplitude = sliders.platosvalue / 10.0;
    c.omega = sliders.syxnotikamp * std::numbers::pi / 180.0;
    c.v0 = sliders.arxikives;
    c.at = sliders.epitaxyno / 10.0;
    return c;
}

double pathLength(const CurveSettings& c, double x) {
    const double aw = c.amplitude * c.omega;
    const double root = std::sqrt(1.0 + aw * aw);
    return root / c.omega * ellipticEAny(c.omega * x, aw / root);
}

double speedAfter(const CurveSettings& c, double s) {
    const double v2 = c.v0 * c.v0 + 2.0 * c.at * s;
    return v2 > 0 ? std::sqrt(v2) : 0.0;
}

PointQuantities pointQuantities(const CurveSettings& c, double x) {
    PointQuantities p;
    const double A = c.amplitude, w = c.omega;
    p.x = x;
    p.y = A * std::sin(w * x);
    p.s = pathLength(c, x);
    p.v = speedAfter(c, p.s);
    p.slope = A * w * std::cos(w * x);
    p.second = -A * w * w * std::sin(w * x);
    p.theta = std::atan(p.slope);
    if (p.second != 0) {
        p.radius = std::pow(1.0 + p.slope * p.slope, 1.5) / p.second;
        if (std::abs(p.radius) <= 1e15) p.kappa = 1.0 / p.radius;
    }
    p.ac = p.kappa * p.v * p.v;
    const double cs = std::cos(p.theta), sn = std::sin(p.theta);
    p.velocity = {p.v * cs, p.v * sn};
    p.centripetal = {A / 4 * p.ac * -sn, A / 4 * p.ac * cs};
    p.tangential = {A / 4 * c.at * cs, A / 4 * c.at * sn};
    return p;
}


std::string amplitudeReadout(const CurveSettings& c, bool entering) {
    return (entering ? "AMPLITUDE=" : "AMPLITUDE =") + formatFixed(c.amplitude, 1);
}

// The frequency read-out shows the slider value / 10, not ω.
std::string frequencyReadout(const CurveSliders& sliders) {
    return "Frequency=" + formatFixed(sliders.syxnotikamp / 10.0, 1);
}

std::string speedReadout(const CurveSettings& c, bool entering) {
    return (entering ? "Initial speed = " : "Initial speed= ") + formatFixed(c.v0, 0);
}

std::string tangentialReadout(const CurveSettings& c, bool entering) {
    return entering ? "Tangential acceleration= " + formatFixed(c.at, 2)
                    : "Tangential Acceleration= " + formatFixed(c.at, 1);
}

}  // namespace velarium
