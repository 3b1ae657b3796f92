#include "draw/LabelPlacement.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <sstream>

namespace velarium {

namespace {
// A box in canvas pixels, y down.
struct Box {
    double left, top, right, bottom;
};

bool overlaps(const Box& a, const Box& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}
}  // namespace

Vec2 placeLabel(PlotCanvas& canvas, Vec2 anchor, std::string_view text, Vec2 ahead) {
    return placeLines(canvas, anchor, {text}, ahead);
}

Vec2 placeLabel(PlotCanvas& canvas, Vec2 anchor, std::string_view text, Vec2 ahead,
                LabelReach reach) {
    return placeLines(canvas, anchor, {text}, ahead, reach);
}

Vec2 placeLines(PlotCanvas& canvas, Vec2 anchor, std::span<const std::string_view> lines,
                Vec2 ahead, LabelReach near) {
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
    const double gap = std::max(0.3 * lineHeight, view.pixelsAlongX(near.clearance));
    const double step = std::max(1.0, 0.25 * lineHeight);
    const double nearReach = near.lines > 0 ? gap + near.lines * lineHeight
                                            : std::max(0.2 * std::max(W, H), 4 * lineHeight);
    const double room = view.pixelsAlongX(near.leftRoom);
    const double x0 = ax - w / 2;
    const double y0 = ay - h / 2;
    double bestScore = std::numeric_limits<double>::infinity();
    int bestInk = std::numeric_limits<int>::max();
    Box best{};
    // A label with no place clear of the texts within reach looks over the whole canvas before
    // it would lie over another text: two texts one over the other read as neither.
    for (const double reach : {nearReach, std::max(W, H) + std::max(w, h)}) {
        const int rings = static_cast<int>(std::ceil((reach + std::max(w, h) / 2) / step)) + 1;
        // Per candidate column and row, once: the ink map's cells under it, whether it lies whole
        // in the canvas, and its gap to the anchor across that direction.
        struct GridLine {
            int firstCell, endCell;
            bool inside;
            double gap;
        };
        const InkGrid& grid = canvas.record().ink();
        const int side = 2 * rings + 1;
        std::vector<GridLine> columns(static_cast<std::size_t>(side)), rows(columns.size());
        for (int k = -rings; k <= rings; ++k) {
            const auto at = static_cast<std::size_t>(k + rings);
            const double left = x0 + k * step, top = y0 + k * step;
            columns[at] = {grid.columnOf(left / W, false), grid.columnOf((left + w) / W, true),
                           left >= room && left + w <= W,
                           std::max({left - ax, 0.0, ax - left - w})};
            rows[at] = {grid.rowOf(top / H, false), grid.rowOf((top + h) / H, true),
                        top >= 0 && top + h <= H, std::max({top - ay, 0.0, ay - top - h})};
        }
        auto consider = [&](int i, int j) {
            const GridLine& c = columns[static_cast<std::size_t>(i + rings)];
            const GridLine& r = rows[static_cast<std::size_t>(j + rings)];
            if (!c.inside || !r.inside) return;
            const double d2 = c.gap * c.gap + r.gap * r.gap;
            if (d2 < gap * gap || d2 > reach * reach) return;
            const int ink = grid.inkInCells(c.firstCell, r.firstCell, c.endCell, r.endCell);
            if (ink > bestInk) return;
            const Box b{x0 + i * step, y0 + j * step, x0 + i * step + w, y0 + j * step + h};
            // A place beside the anchor costs a text line more than one ahead of it, and one
            // behind it two lines more.
            const double cx = (b.left + b.right) / 2 - ax;
            const double cy = (b.top + b.bottom) / 2 - ay;
            const double cl = std::sqrt(cx * cx + cy * cy);
            const double cosAhead = cl > 0 ? (cx * hx + cy * hy) / cl : 0;
            const double score =
                std::sqrt(d2) + (hx != 0 || hy != 0 ? lineHeight * (1 - cosAhead) : 0);
            if (ink == bestInk && score >= bestScore) return;
            if (std::any_of(taken.begin(), taken.end(),
                            [&](const Box& t) { return overlaps(b, t); }))
                return;
            bestInk = ink;
            bestScore = score;
            best = b;
        };
        // Far from the anchor the grid thins out, every stride-th ring and place on it, so that a
        // search that finds nothing free near the anchor stays cheap.
        // A side of a ring whose row (column) leaves the canvas or lies beyond reach holds no
        // place.
        const auto open = [&](const std::vector<GridLine>& lines, int k) {
            const GridLine& line = lines[static_cast<std::size_t>(k + rings)];
            return line.inside && line.gap <= reach;
        };
        for (int k = 0; k <= rings; ++k) {
            if (bestInk == 0 && k * step - std::max(w, h) / 2 > bestScore) break;
            const int stride = 1 + k / 32;
            if (k % stride != 0) continue;
            const bool top = open(rows, -k), bottom = open(rows, k);
            const bool left = open(columns, -k), right = open(columns, k);
            if (!(top || bottom || left || right)) continue;
            for (int t = -k; t <= k; t += stride) {
                if (top) consider(t, -k);
                if (bottom) consider(t, k);
                if (left) consider(-k, t);
                if (right) consider(k, t);
            }
        }
        if (std::isfinite(bestScore)) break;
    }
    if (!std::isfinite(bestScore)) {
        // Nowhere fits: beside the anchor, pushed inside the canvas.
        best.left = std::clamp(ax + gap, std::min(room, W - w), std::max(0.0, W - w));
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

std::vector<std::string> linesWithin(PlotCanvas& canvas, std::string_view text, double room) {
    std::vector<std::string> lines(1);
    std::istringstream words{std::string(text)};
    for (std::string word; words >> word;) {
        const std::string longer = lines.back().empty() ? word : lines.back() + " " + word;
        if (!lines.back().empty() && canvas.textExtent(longer).width > room)
            lines.push_back(word);
        else
            lines.back() = longer;
    }
    return lines;
}

}  // namespace velarium
