#pragma once

#include <cmath>

namespace velarium {

// A plane vector in user units.
struct Vec2 {
    double x = 0;
    double y = 0;
};

inline double dot(Vec2 a, Vec2 b) { return a.x * b.x + a.y * b.y; }
inline double length(Vec2 a) { return std::sqrt(a.x * a.x + a.y * a.y); }

}  // namespace velarium
