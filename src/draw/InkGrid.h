#pragma once

#include <cstdint>
#include <vector>

namespace velarium {

// A coarse map of where a canvas carries ink: its area cut into cells of about three pixels,
// each marked once a line, circle, arc or dot touches it. Places are given in fractions of the
// canvas, 0 at the left and top edges and 1 at the right and bottom ones, so the map holds when
// the scale changes; widths and radii in pixels, as they are drawn. A cell is marked whenever
// any part of a primitive's centre line (or of a dot or filled disc) falls in it: a box that the
// map finds free is free of ink on the screen too.
//
// The shapes are kept as they come and marked on the first question asked of the map, so a
// picture that places no label pays only for keeping them.
class InkGrid {
public:
    // Forgets all ink; the cells are laid over a canvas of the given size in pixels.
    void reset(double pixelWidth, double pixelHeight);
    // Forgets all ink and the canvas size, keeping the room that the next picture will need.
    void forget();
    bool empty() const { return cols_ == 0; }

    void segment(double x1, double y1, double x2, double y2, double halfWidth);
    // A circle of the given radius in pixels; a filled one marks its whole disc.
    void circle(double cx, double cy, double radius, bool filled, double halfWidth);
    // The arc of that circle from angle start to angle end (radians, counter-clockwise from +x
    // on a canvas whose y grows upwards when yUp is set).
    void arc(double cx, double cy, double radius, double start, double end, bool yUp,
             double halfWidth);
    void dot(double x, double y, double radius);

    // Marks the shapes waiting now, so that a copy kept for later holds them marked.
    void settle() const;

    // The number of marked cells that meet the box.
    int inkIn(double left, double top, double right, double bottom) const;

    // The same count for many boxes: the cells [c0, c1) × [r0, r1) meet a box from the cell
    // holding its left (top) edge up to the one holding its right (bottom) edge, so a box's
    // cells can be found once per edge and counted in four look-ups.
    int columnOf(double fraction, bool upper) const { return cellOf(fraction * cols_, cols_, upper); }
    int rowOf(double fraction, bool upper) const { return cellOf(fraction * rows_, rows_, upper); }
    int inkInCells(int c0, int r0, int c1, int r1) const;

private:
    enum class Kind : std::uint8_t { Segment, Circle, Arc, Dot };
    struct Shape {
        Kind kind;
        bool flag;  // a circle filled, an arc's y upwards
        double v[6];
    };
    // Shapes waiting to be marked; so many are marked at once, to keep the queue's memory small.
    static constexpr std::size_t kMostWaiting = 1 << 15;
    void add(const Shape& shape);
    void forgetMarks();

    static int cellOf(double g, int n, bool upper);
    void markSegment(double x1, double y1, double x2, double y2, double halfWidth) const;
    void markCircle(double cx, double cy, double radius, bool filled, double halfWidth) const;
    void markArc(double cx, double cy, double radius, double start, double end, bool yUp,
                 double halfWidth) const;
    void mark(int col, int row, int spread) const;
    void markDisc(double cx, double cy, double radius) const;
    void markRing(double cx, double cy, double radius, double halfWidth) const;

    int cols_ = 0, rows_ = 0;
    double cellWidth_ = 1, cellHeight_ = 1;  // in pixels
    // The marks are a cache of the shapes: asking the map fills them in.
    mutable std::vector<std::uint8_t> cells_;
    mutable std::vector<Shape> waiting_;
    // Summed-area table of the cells, rebuilt on the first query after a change.
    mutable std::vector<int> sums_;
    mutable bool sumsStale_ = true;
};

}  // namespace velarium
