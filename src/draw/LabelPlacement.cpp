#include "draw/LabelPlacement.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace velarium {

namespace {
// A box in canvas pixels, y down.
struct Box {
    double left, top, right, bottom;
};

bool overlaps(const Box& a, const Box& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

double distanceTo(const Box& b, double x, double y) {
    const double dx = std::max({b.left - x, 0.0, x - b.right});
    const double dy = std::max({b.top - y, 0.0, y - b.bottom});
    return std::sqrt(dx * dx + dy * dy);
}
}  // namespace

Vec2 placeLabel(PlotCanvas& canvas, Vec2 anchor, std::string_view text, Vec2 ahead) {
    return placeLines(canvas, anchor, {text}, ahead);
}

Vec2 placeLines(PlotCanvas& canvas, Vec2 anchor, std::initializer_list<std::string_view> lines,
                Vec2 ahead) {
    const double W = std::max(1.0, canvas.pixelWidth());
    const double H = std::max(1.0, canvas.pixelHeight());
    const ViewTransform view(canvas.scaleLeft(), canvas.scaleTop(), canvas.scaleWidth(),
                             canvas.scaleHeight(), W, H);
    double widest = 0, line = 0;
    for (std::string_view text : lines) {
        const TextExtent extent = canvas.textExtent(text);
        widest = std::max(widest, extent.width);
        line = std::max(line, extent.height);
    }
    const double w = view.pixelsAlongX(widest);
    const double lineHeight = view.pixelsAlongY(line);
    const double h = lineHeight * static_cast<double>(lines.size());
    // The anchor in pixels, and the way "ahead" points on the screen.
    const double ax = view.toPixelX(anchor.x);
    const double ay = view.toPixelY(anchor.y);
    const Vec2 aheadOnScreen = view.pixelDirection(ahead);
    double hx = aheadOnScreen.x;
    double hy = aheadOnScreen.y;
    const double hl = std::hypot(hx, hy);
    if (std::isfinite(hl) && hl > 0) {
        hx /= hl;
        hy /= hl;
    } else {
        hx = hy = 0;
    }

    std::vector<Box> taken;
    taken.reserve(canvas.printedTexts().size());
    for (const PrintedText& p : canvas.printedTexts())
        taken.push_back({p.left * W, p.top * H, p.right * W, p.bottom * H});

    // Candidate corners on a grid of a quarter of a text line around the box centred on the anchor,
    // searched ring by ring outwards; a ring cannot hold a place nearer than its inner edge.
    // A place must lie whole inside the canvas, clear of the anchor and of every kept text, and
    // within reach of the anchor (a fifth of the canvas, or four lines): a caption farther away no
    // longer reads as the anchor's. Of those, one free of ink wins, the nearest; where none is
    // free, the one with the least ink.
    const double gap = 0.3 * lineHeight;
    const double step = std::max(1.0, 0.25 * lineHeight);
    const double reach = std::max(0.2 * std::max(W, H), 4 * lineHeight);
    const double x0 = ax - w / 2;
    const double y0 = ay - h / 2;
    const int rings = static_cast<int>(std::ceil((reach + std::max(w, h) / 2) / step)) + 1;
    double bestScore = std::numeric_limits<double>::infinity();
    int bestInk = std::numeric_limits<int>::max();
    Box best{};
    auto consider = [&](int i, int j) {
        const Box b{x0 + i * step, y0 + j * step, x0 + i * step + w, y0 + j * step + h};
        if (b.left < 0 || b.top < 0 || b.right > W || b.bottom > H) return;
        const double d = distanceTo(b, ax, ay);
        if (d < gap || d > reach) return;
        // A place beside the anchor costs a text line more than one ahead of it, and one
        // behind it two lines more.
        const double cx = (b.left + b.right) / 2 - ax;
        const double cy = (b.top + b.bottom) / 2 - ay;
        const double cl = std::sqrt(cx * cx + cy * cy);
        const double cosAhead = cl > 0 ? (cx * hx + cy * hy) / cl : 0;
        const double score = d + (hx != 0 || hy != 0 ? lineHeight * (1 - cosAhead) : 0);
        if (bestInk == 0 && score >= bestScore) return;
        const int ink = canvas.inkIn(b.left / W, b.top / H, b.right / W, b.bottom / H);
        if (ink > bestInk || (ink == bestInk && score >= bestScore)) return;
        if (std::any_of(taken.begin(), taken.end(), [&](const Box& t) { return overlaps(b, t); }))
            return;
        bestInk = ink;
        bestScore = score;
        best = b;
    };
    // Far from the anchor the grid thins out, every stride-th ring and place on it, so that a
    // search that finds nothing free near the anchor stays cheap.
    for (int k = 0; k <= rings; ++k) {
        if (bestInk == 0 && k * step - std::max(w, h) / 2 > bestScore) break;
        const int stride = 1 + k / 32;
        if (k % stride != 0) continue;
        for (int t = -k; t <= k; t += stride) {
            consider(t, -k);
            consider(t, k);
            consider(-k, t);
            consider(k, t);
        }
    }
    if (!std::isfinite(bestScore)) {
        // Nowhere fits: beside the anchor, pushed inside the canvas.
        best.left = std::clamp(ax + gap, 0.0, std::max(0.0, W - w));
        best.top = std::clamp(y0, 0.0, std::max(0.0, H - h));
    }
    const Vec2 corner = view.toUser({best.left, best.top});
    canvas.setCurrentPosition(corner.x, corner.y);
    for (std::string_view text : lines) {
        canvas.setCurrentPosition(corner.x, canvas.currentY());
        canvas.print(text);
    }
    return corner;
}

}  // namespace velarium
