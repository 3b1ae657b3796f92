#include "draw/InkGrid.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace velarium {

namespace {
constexpr double kCellPixels = 3;
constexpr int kMaxCells = 512;
constexpr double kTwoPi = 6.283185307179586;
constexpr double kSmallCircleCells = 8;

bool finite(double a) { return std::isfinite(a); }
}  // namespace

void InkGrid::reset(double pixelWidth, double pixelHeight) {
    const double w = std::max(1.0, finite(pixelWidth) ? pixelWidth : 1.0);
    const double h = std::max(1.0, finite(pixelHeight) ? pixelHeight : 1.0);
    cols_ = std::clamp(static_cast<int>(std::ceil(w / kCellPixels)), 1, kMaxCells);
    rows_ = std::clamp(static_cast<int>(std::ceil(h / kCellPixels)), 1, kMaxCells);
    cellWidth_ = w / cols_;
    cellHeight_ = h / rows_;
    forgetMarks();
}

void InkGrid::forget() {
    cols_ = rows_ = 0;
    forgetMarks();
}

// Emptied, not freed: the vectors keep their room for the next picture, and a copy of the map
// (a kept layer) copies none of what is forgotten.
void InkGrid::forgetMarks() {
    cells_.clear();
    waiting_.clear();
    sums_.clear();
    sumsStale_ = true;
}

void InkGrid::add(const Shape& shape) {
    if (empty()) return;
    waiting_.push_back(shape);
    sumsStale_ = true;
    if (waiting_.size() >= kMostWaiting) settle();
}

void InkGrid::segment(double x1, double y1, double x2, double y2, double halfWidth) {
    add({Kind::Segment, false, {x1, y1, x2, y2, halfWidth, 0}});
}

void InkGrid::circle(double cx, double cy, double radius, bool filled, double halfWidth) {
    add({Kind::Circle, filled, {cx, cy, radius, halfWidth, 0, 0}});
}

void InkGrid::arc(double cx, double cy, double radius, double start, double end, bool yUp,
                  double halfWidth) {
    add({Kind::Arc, yUp, {cx, cy, radius, start, end, halfWidth}});
}

void InkGrid::dot(double x, double y, double radius) {
    add({Kind::Dot, false, {x, y, radius, 0, 0, 0}});
}

void InkGrid::settle() const {
    if (empty()) return;
    // The cells are laid out on the first marking after a reset.
    if (cells_.empty())
        cells_.assign(static_cast<std::size_t>(cols_) * static_cast<std::size_t>(rows_), 0);
    for (const Shape& s : waiting_) {
        const double* v = s.v;
        switch (s.kind) {
        case Kind::Segment: markSegment(v[0], v[1], v[2], v[3], v[4]); break;
        case Kind::Circle: markCircle(v[0], v[1], v[2], s.flag, v[3]); break;
        case Kind::Arc: markArc(v[0], v[1], v[2], v[3], v[4], s.flag, v[5]); break;
        case Kind::Dot:
            if (finite(v[0]) && finite(v[1]) && finite(v[2]))
                markDisc(v[0], v[1], std::max(v[2], 0.5));
            break;
        }
    }
    waiting_.clear();
}

void InkGrid::mark(int col, int row, int spread) const {
    for (int r = std::max(0, row - spread); r <= std::min(rows_ - 1, row + spread); ++r)
        for (int c = std::max(0, col - spread); c <= std::min(cols_ - 1, col + spread); ++c)
            cells_[static_cast<std::size_t>(r) * static_cast<std::size_t>(cols_) +
                   static_cast<std::size_t>(c)] = 1;
}

// Walks the cells the segment crosses, one after the other (a grid traversal: at each cell
// the segment leaves through the nearer of the next vertical and horizontal cell edges).
void InkGrid::markSegment(double x1, double y1, double x2, double y2, double halfWidth) const {
    if (!(finite(x1) && finite(y1) && finite(x2) && finite(y2))) return;
    double gx1 = x1 * cols_, gy1 = y1 * rows_, gx2 = x2 * cols_, gy2 = y2 * rows_;
    // Clip to the grid (Liang-Barsky), so a segment reaching past the canvas costs nothing there.
    double t0 = 0, t1 = 1;
    const double dx = gx2 - gx1, dy = gy2 - gy1;
    auto clip = [&](double p, double q) {
        if (p == 0) return q >= 0;
        const double t = q / p;
        if (p < 0) {
            if (t > t1) return false;
            t0 = std::max(t0, t);
        } else {
            if (t < t0) return false;
            t1 = std::min(t1, t);
        }
        return true;
    };
    const auto inside = [&](double gx, double gy) {
        return gx >= 0 && gx <= cols_ && gy >= 0 && gy <= rows_;
    };
    if (!inside(gx1, gy1) || !inside(gx2, gy2)) {
        if (!clip(-dx, gx1) || !clip(dx, cols_ - gx1) || !clip(-dy, gy1) ||
            !clip(dy, rows_ - gy1))
            return;
        gx2 = gx1 + t1 * dx;
        gy2 = gy1 + t1 * dy;
        gx1 += t0 * dx;
        gy1 += t0 * dy;
    }

    const int spread = static_cast<int>(halfWidth / std::min(cellWidth_, cellHeight_) + 0.5);
    auto cellAt = [](double g, int n) { return std::clamp(static_cast<int>(g), 0, n - 1); };
    int col = cellAt(gx1, cols_), row = cellAt(gy1, rows_);
    const int endCol = cellAt(gx2, cols_), endRow = cellAt(gy2, rows_);
    const double inf = std::numeric_limits<double>::infinity();
    const double ex = gx2 - gx1, ey = gy2 - gy1;
    const int stepCol = ex > 0 ? 1 : -1, stepRow = ey > 0 ? 1 : -1;
    const double perEx = ex != 0 ? 1 / ex : inf, perEy = ey != 0 ? 1 / ey : inf;
    double tCol = ex != 0 ? ((col + (ex > 0 ? 1 : 0)) - gx1) * perEx : inf;
    double tRow = ey != 0 ? ((row + (ey > 0 ? 1 : 0)) - gy1) * perEy : inf;
    const double dCol = std::abs(perEx), dRow = std::abs(perEy);
    // One step per cell edge crossed, each to the nearer edge; once the column (row) is the end
    // cell's, only rows (columns) remain. The choice is made without a branch: a line's steps
    // mix the two at no pattern a predictor could follow.
    const int steps = std::abs(endCol - col) + std::abs(endRow - row);
    auto walk = [&](auto&& markCell) {
        for (int i = 0;; ++i) {
            markCell(col, row);
            if (i == steps) break;
            const bool across = row == endRow || (col != endCol && tCol < tRow);
            tCol += across ? dCol : 0;
            tRow += across ? 0 : dRow;
            col += across ? stepCol : 0;
            row += across ? 0 : stepRow;
        }
    };
    if (spread > 0) {
        walk([&](int c, int r) { mark(c, r, spread); });
        return;
    }
    walk([&](int c, int r) {
        cells_[static_cast<std::size_t>(r) * static_cast<std::size_t>(cols_) +
               static_cast<std::size_t>(c)] = 1;
    });
}

void InkGrid::markDisc(double cx, double cy, double radius) const {
    const double px = cx * cols_ * cellWidth_, py = cy * rows_ * cellHeight_;
    const int c0 = std::max(0, static_cast<int>(std::floor((px - radius) / cellWidth_)));
    const int c1 = std::min(cols_ - 1, static_cast<int>(std::floor((px + radius) / cellWidth_)));
    const int r0 = std::max(0, static_cast<int>(std::floor((py - radius) / cellHeight_)));
    const int r1 = std::min(rows_ - 1, static_cast<int>(std::floor((py + radius) / cellHeight_)));
    for (int r = r0; r <= r1; ++r) {
        const double ny = std::clamp(py, r * cellHeight_, (r + 1) * cellHeight_) - py;
        std::uint8_t* row = cells_.data() + static_cast<std::size_t>(r) * static_cast<std::size_t>(cols_);
        for (int c = c0; c <= c1; ++c) {
            // The cell's nearest point to the centre.
            const double nx = std::clamp(px, c * cellWidth_, (c + 1) * cellWidth_) - px;
            if (nx * nx + ny * ny <= radius * radius) row[c] = 1;
        }
    }
}

// The cells that the band of the ring, radius ± halfWidth, meets, row by row: on a row of cells
// those within the outer circle's reach, less those whose every point lies inside the inner one.
void InkGrid::markRing(double cx, double cy, double radius, double halfWidth) const {
    const double px = cx * cols_ * cellWidth_, py = cy * rows_ * cellHeight_;
    const double outer = radius + halfWidth, inner = std::max(0.0, radius - halfWidth);
    const int r0 = std::max(0, static_cast<int>(std::floor((py - outer) / cellHeight_)));
    const int r1 = std::min(rows_ - 1, static_cast<int>(std::floor((py + outer) / cellHeight_)));
    const auto column = [&](double x) {
        return std::clamp(static_cast<int>(std::floor(x / cellWidth_)), 0, cols_ - 1);
    };
    for (int r = r0; r <= r1; ++r) {
        const double top = r * cellHeight_ - py, bottom = top + cellHeight_;
        // The nearest and the farthest vertical distance of the row from the centre.
        const double nearY = top > 0 ? top : (bottom < 0 ? -bottom : 0.0);
        const double farY = std::max(std::abs(top), std::abs(bottom));
        if (nearY > outer) continue;
        const double reach = std::sqrt(outer * outer - nearY * nearY);
        // Cells lying wholly within |x − px| < hollow at every height of the row are bare.
        const double hollow = farY < inner ? std::sqrt(inner * inner - farY * farY) : 0.0;
        std::uint8_t* row = cells_.data() + static_cast<std::size_t>(r) * static_cast<std::size_t>(cols_);
        const int first = column(px - reach), last = column(px + reach);
        // The bare cells: those from the first whose left edge lies past −hollow to the last
        // whose right edge stops short of +hollow.
        int bare = last + 1, bareEnd = last + 1;
        if (hollow > 0) {
            bare = std::max(first, static_cast<int>(std::floor((px - hollow) / cellWidth_)) + 1);
            bareEnd = std::min(last + 1, static_cast<int>(std::ceil((px + hollow) / cellWidth_)) - 1);
            if (bareEnd <= bare) bare = bareEnd = last + 1;
        }
        std::fill(row + first, row + bare, std::uint8_t{1});
        std::fill(row + bareEnd, row + last + 1, std::uint8_t{1});
    }
}

void InkGrid::markCircle(double cx, double cy, double radius, bool filled,
                         double halfWidth) const {
    // A small circle's band is marked cell by cell; a large one's centre line chord by chord.
    if (finite(cx) && finite(cy) && finite(radius) && finite(halfWidth) &&
        radius + halfWidth <= kSmallCircleCells * std::min(cellWidth_, cellHeight_))
        markRing(cx, cy, radius, halfWidth);
    else
        markArc(cx, cy, radius, 0, kTwoPi, false, halfWidth);
    if (filled && finite(cx) && finite(cy) && finite(radius))
        markDisc(cx, cy, std::min(radius, 4.0 * kMaxCells * kCellPixels));
}

void InkGrid::markArc(double cx, double cy, double radius, double start, double end, bool yUp,
                      double halfWidth) const {
    if (!(finite(cx) && finite(cy) && finite(radius) && finite(start) && finite(end)))
        return;
    double span = end - start;
    if (span <= 0) span += kTwoPi * std::ceil(-span / kTwoPi + 1e-12);
    span = std::min(span, kTwoPi);
    // Chords no longer than a cell: a polygon that marks the cells the curve crosses.
    const double pixels = std::min(radius, 4.0 * kMaxCells * kCellPixels) * span;
    const int n = std::clamp(static_cast<int>(std::ceil(pixels / kCellPixels)), 1, 4 * kMaxCells);
    const double w = cols_ * cellWidth_, h = rows_ * cellHeight_;
    const double turn = yUp ? -1 : 1;  // screen y grows downwards
    auto at = [&](double a, double& x, double& y) {
        x = cx + radius * std::cos(a) / w;
        y = cy + turn * radius * std::sin(a) / h;
    };
    double x0, y0;
    at(start, x0, y0);
    for (int i = 1; i <= n; ++i) {
        double x, y;
        at(start + span * i / n, x, y);
        markSegment(x0, y0, x, y, halfWidth);
        x0 = x;
        y0 = y;
    }
}

int InkGrid::cellOf(double g, int n, bool upper) {
    const double c = std::clamp(std::isfinite(g) ? g : 0.0, 0.0, static_cast<double>(n));
    const int i = static_cast<int>(c);
    return upper && i < c ? i + 1 : i;
}

int InkGrid::inkIn(double left, double top, double right, double bottom) const {
    if (empty() || !(finite(left) && finite(top) && finite(right) && finite(bottom))) return 0;
    return inkInCells(columnOf(left, false), rowOf(top, false), columnOf(right, true),
                      rowOf(bottom, true));
}

int InkGrid::inkInCells(int c0, int r0, int c1, int r1) const {
    if (empty() || c1 <= c0 || r1 <= r0) return 0;
    const std::size_t stride = static_cast<std::size_t>(cols_) + 1;
    if (sumsStale_) {
        settle();
        sums_.assign(stride * (static_cast<std::size_t>(rows_) + 1), 0);
        for (int r = 0; r < rows_; ++r)
            for (int c = 0; c < cols_; ++c) {
                const std::size_t i =
                    (static_cast<std::size_t>(r) + 1) * stride + static_cast<std::size_t>(c) + 1;
                sums_[i] = cells_[static_cast<std::size_t>(r) * static_cast<std::size_t>(cols_) +
                                  static_cast<std::size_t>(c)] +
                           sums_[i - 1] + sums_[i - stride] - sums_[i - stride - 1];
            }
        sumsStale_ = false;
    }
    const auto s = [&](int r, int c) {
        return sums_[static_cast<std::size_t>(r) * stride + static_cast<std::size_t>(c)];
    };
    return s(r1, c1) - s(r0, c1) - s(r1, c0) + s(r0, c0);
}

}  // namespace velarium
