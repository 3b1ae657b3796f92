#pragma once

#include <algorithm>
#include <cmath>

#include "draw/PlotCanvas.h"
#include "draw/RecordingCanvas.h"

namespace velarium::testing {

// Whether a recorded line, dot or circle passes through a kept text's box, judged exactly from
// the records in canvas pixels (not through the canvas's own ink map). The canvas's scale must
// be the one the primitives were drawn at.
inline bool inkMeets(const RecordingCanvas& c, const Primitive& p, const PrintedText& t) {
    const double W = c.pixelWidth(), H = c.pixelHeight();
    const auto px = [&](double x) { return (x - c.scaleLeft()) / c.scaleWidth() * W; };
    const auto py = [&](double y) { return (y - c.scaleTop()) / c.scaleHeight() * H; };
    const double l = t.left * W, r = t.right * W, top = t.top * H, b = t.bottom * H;
    switch (p.kind) {
        case Primitive::Kind::Line: {
            // Liang-Barsky: the part of the segment inside the box is not empty.
            const double x0 = px(p.x1), y0 = py(p.y1), dx = px(p.x2) - x0, dy = py(p.y2) - y0;
            double t0 = 0, t1 = 1;
            for (auto [q, d] :
                 {std::pair{x0 - l, -dx}, {r - x0, dx}, {y0 - top, -dy}, {b - y0, dy}}) {
                if (d == 0) {
                    if (q < 0) return false;
                    continue;
                }
                const double s = q / d;
                if (d < 0)
                    t0 = std::max(t0, s);
                else
                    t1 = std::min(t1, s);
            }
            return t0 <= t1;
        }
        case Primitive::Kind::Point:
        case Primitive::Kind::Circle: {
            const double cx = px(p.x1), cy = py(p.y1);
            const double radius = p.kind == Primitive::Kind::Point
                                      ? p.width / 2.0
                                      : std::abs(p.radius / c.scaleWidth()) * W;
            const double nx = std::clamp(cx, l, r) - cx, ny = std::clamp(cy, top, b) - cy;
            if (std::hypot(nx, ny) > radius) return false;
            if (p.kind == Primitive::Kind::Point || p.fill == kFillSolid) return true;
            const double fx = std::max(std::abs(l - cx), std::abs(r - cx));
            const double fy = std::max(std::abs(top - cy), std::abs(b - cy));
            return std::hypot(fx, fy) >= radius;  // the outline passes through the box
        }
        default: return false;
    }
}

inline bool anyInkMeets(const RecordingCanvas& c, const PrintedText& t) {
    const auto& records = c.records();
    return std::any_of(records.begin(), records.end(),
                       [&](const Primitive& p) { return inkMeets(c, p, t); });
}

}  // namespace velarium::testing
