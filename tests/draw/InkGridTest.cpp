#include <gtest/gtest.h>

#include <cmath>
#include <random>

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

}  // namespace
}  // namespace velarium
