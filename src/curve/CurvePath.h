#pragma once

#include "draw/NumberFormat.h"
#include "draw/Vec2.h"

#include <string>

namespace velarium {

// The lab's four settings, taken from the slider positions.
struct CurveSettings {
    double amplitude = 2.0;  // A: the path is y = A·sin(ω·x)
    double omega = 0;        // ω in radians per unit of x
    double v0 = 3;           // initial speed at x = 0
    double at = 2.0;         // constant tangential acceleration
};

// Slider positions of amplitude, frequency, initial speed and tangential acceleration.
struct CurveSliders {
    int platosvalue = 20;
    int syxnotikamp = 15;
    int arxikives = 3;
    int epitaxyno = 20;
};

// A = value/10, ω = value·π/180, v₀ = value, at = value/10.
CurveSettings curveSettings(const CurveSliders& sliders);

// Arc length of the path from x = 0: s(x) = (sqrt(1 + A²ω²)/ω)·E(ω·x, A·ω/sqrt(1 + A²ω²)).
double pathLength(const CurveSettings& c, double x);

// A plane vector.

// The motion at one point of the path, with the vectors as the pictures draw them.
struct PointQuantities {
    double x = 0, y = 0;
    double s = 0;       // arc length from x = 0
    double v = 0;       // speed, v² = v₀² + 2·at·s
    double slope = 0;   // y′
    double second = 0;  // y″
    double theta = 0;   // tangent angle atan(y′)
    double radius = 0;  // signed radius of curvature (1 + y′²)^1.5 / y″, 0 where y″ = 0
    double kappa = 0;   // signed curvature 1/R, 0 where y″ = 0 or |R| > 1e15
    double ac = 0;      // centripetal acceleration κ·v²
    Vec2 velocity;      // V = v·(cos θ, sin θ)
    Vec2 centripetal;   // C = (A/4)·ac·(−sin θ, cos θ)
    Vec2 tangential;    // T = (A/4)·at·(cos θ, sin θ)
};
PointQuantities pointQuantities(const CurveSettings& c, double x);

// Speed after a distance s; a negative v² (a distance before the start) counts as rest.
double speedAfter(const CurveSettings& c, double s);


}  // namespace velarium

namespace velarium {

// The sliders' read-outs. The texts set on entering the acceleration display and those set on a
// slider change differ in spacing, capitals and format.
std::string amplitudeReadout(const CurveSettings& c, bool entering);
std::string frequencyReadout(const CurveSliders& sliders);
std::string speedReadout(const CurveSettings& c, bool entering);
std::string tangentialReadout(const CurveSettings& c, bool entering);

}  // namespace velarium
