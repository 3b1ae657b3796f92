#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <utility>

#include "draw/InkGrid.h"

namespace velarium {
namespace {

// A small circle's cells are marked by the rows its band meets. Every cell that some point of
// the band (radius ± half the line width) falls in is marked, so that a box found free is free
// on the screen; and no marked cell lies wholly inside the ring or outside it.
TEST(InkGrid, ASmallCircleMarksTheCellsItsBandMeets) {
    constexpr double kSize = 300;  // pixels, a hundred cells a side
    std::mt19937 g(5);
    std::uniform_real_distribution<double> at(0.1, 0.9), radius(0.5, 20), half(0.5, 3);
    for (int n = 0; n < 200; ++n) {
        InkGrid grid;
        grid.reset(kSize, kSize);
        const double cx = at(g), cy = at(g), r = radius(g), w = half(g);
        grid.circle(cx, cy, r, false, w);
        const double px = cx * kSize, py = cy * kSize;
        // Points of the band, densely: each one's cell holds ink.
        for (double a = 0; a < 2 * M_PI; a += 0.01)
            for (double d = r - w; d <= r + w; d += 0.1) {
                const double x = (px + d * std::cos(a)) / kSize, y = (py + d * std::sin(a)) / kSize;
                ASSERT_GT(grid.inkIn(x, y, x, y), 0) << "circle " << n << " at angle " << a;
            }
        // Each marked cell meets the band.
        for (int row = 0; row < 100; ++row)
            for (int col = 0; col < 100; ++col) {
                if (grid.inkInCells(col, row, col + 1, row + 1) == 0) continue;
                const double left = col * 3 - px, top = row * 3 - py;
                const double nx = std::clamp(0.0, left, left + 3), ny = std::clamp(0.0, top, top + 3);
                const double fx = std::max(std::abs(left), std::abs(left + 3));
                const double fy = std::max(std::abs(top), std::abs(top + 3));
                EXPECT_LE(std::hypot(nx, ny), r + w + 1e-9) << "circle " << n;
                EXPECT_GE(std::hypot(fx, fy), r - w - 1e-9) << "circle " << n;
            }
    }
}

// A thin segment marks the cells it passes through and no other, whether its ends lie inside
// cells or exactly on their corners, where the walk's two next edges are met at once.
TEST(InkGrid, AThinSegmentMarksTheCellsItCrossesAndNoOther) {
    constexpr int kCells = 100;  // a 300-pixel canvas, cells of three pixels
    std::mt19937 g(11);
    std::uniform_real_distribution<double> at(0.02, 0.98);
    std::uniform_int_distribution<int> corner(2, kCells - 2);
    for (int n = 0; n < 600; ++n) {
        InkGrid grid;
        grid.reset(3 * kCells, 3 * kCells);
        // Every other segment ends on a cell corner.
        const double x1 = at(g), y1 = at(g);
        const double x2 = n % 2 ? static_cast<double>(corner(g)) / kCells : at(g);
        const double y2 = n % 2 ? static_cast<double>(corner(g)) / kCells : at(g);
        grid.segment(x1, y1, x2, y2, 0.5);
        // Whether the segment meets a cell's box (in cells, a hair larger).
        auto meets = [&](int col, int row) {
            double t0 = 0, t1 = 1;
            const double px = x1 * kCells, py = y1 * kCells;
            const double dx = (x2 - x1) * kCells, dy = (y2 - y1) * kCells;
            for (const auto& [p, q] : {std::pair{-dx, px - col + 1e-9}, {dx, col + 1 + 1e-9 - px},
                                       {-dy, py - row + 1e-9}, {dy, row + 1 + 1e-9 - py}}) {
                if (p == 0) {
                    if (q < 0) return false;
                } else if (p < 0) {
                    t0 = std::max(t0, q / p);
                } else {
                    t1 = std::min(t1, q / p);
                }
            }
            return t0 <= t1;
        };
        for (int row = 0; row < kCells; ++row)
            for (int col = 0; col < kCells; ++col)
                if (grid.inkInCells(col, row, col + 1, row + 1) > 0) {
                    ASSERT_TRUE(meets(col, row)) << "segment " << n << ", cell " << col << "," << row;
                }
        for (double t = 0; t <= 1; t += 0.001) {
            const double x = x1 + t * (x2 - x1), y = y1 + t * (y2 - y1);
            ASSERT_GT(grid.inkIn(x, y, x, y), 0) << "segment " << n << " at " << t;
        }
    }
}

// Shapes are marked when the map is first asked: a map asked between its shapes, one given more
// shapes than it keeps waiting, and one asked only at the end all hold the same cells; a reset
// or a forget drops the shapes still waiting.
TEST(InkGrid, AskingBetweenShapesChangesNoCell) {
    constexpr int kCells = 200;
    std::mt19937 g(3);
    std::uniform_real_distribution<double> at(0.0, 1.0), small(0.0, 0.004);
    InkGrid askedOften, askedAtEnd;
    askedOften.reset(3 * kCells, 3 * kCells);
    askedAtEnd.reset(3 * kCells, 3 * kCells);
    for (int n = 0; n < 50000; ++n) {
        const double x = at(g), y = at(g), dx = small(g), dy = small(g);
        for (InkGrid* grid : {&askedOften, &askedAtEnd}) {
            if (n % 4 == 3) grid->dot(x, y, 1);
            else if (n % 4 == 2) grid->arc(x, y, 4, 0, 1, true, 1);
            else grid->segment(x, y, x + dx, y + dy, 0.5);
        }
        if (n % 997 == 0) askedOften.inkIn(x, y, x, y);
    }
    int marked = 0;
    for (int row = 0; row < kCells; ++row)
        for (int col = 0; col < kCells; ++col) {
            const int ink = askedAtEnd.inkInCells(col, row, col + 1, row + 1);
            ASSERT_EQ(askedOften.inkInCells(col, row, col + 1, row + 1), ink) << col << "," << row;
            marked += ink;
        }
    EXPECT_GT(marked, kCells * kCells / 4);

    askedAtEnd.segment(0, 0, 1, 1, 3);
    askedAtEnd.reset(3 * kCells, 3 * kCells);
    EXPECT_EQ(askedAtEnd.inkIn(0, 0, 1, 1), 0);
    askedOften.segment(0, 0, 1, 1, 3);
    askedOften.forget();
    askedOften.reset(3 * kCells, 3 * kCells);
    EXPECT_EQ(askedOften.inkIn(0, 0, 1, 1), 0);
}

}  // namespace
}  // namespace velarium
