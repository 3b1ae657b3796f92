#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "draw/DrawTypes.h"
#include "draw/Raster.h"

namespace velarium {
namespace {

constexpr std::uint32_t kWhitePixel = 0xffffffffu;

struct Image {
    explicit Image(int w, int h) : pixels(static_cast<std::size_t>(w * h), kWhitePixel), w(w), h(h) {}
    PixelBuffer buffer() { return {pixels.data(), w, h, w}; }
    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y * w + x)]; }
    int changed() const {
        int n = 0;
        for (auto p : pixels) n += p != kWhitePixel;
        return n;
    }
    std::vector<std::uint32_t> pixels;
    int w, h;
};

TEST(Raster, HorizontalLineCoversItsWidthAndNoMore) {
    Image img(40, 20);
    rasterLine(img.buffer(), 5, 10, 35, 10, 2, 0xff0000);
    // Pixel rows 9 and 10 have centres 0.5 from the line: fully covered.
    EXPECT_EQ(img.at(20, 9), 0xffff0000u);
    EXPECT_EQ(img.at(20, 10), 0xffff0000u);
    EXPECT_EQ(img.at(20, 7), kWhitePixel);
    EXPECT_EQ(img.at(20, 12), kWhitePixel);
    EXPECT_EQ(img.at(2, 10), kWhitePixel);  // beyond the squared end
}

TEST(Raster, DiagonalLinesInEveryDirectionDrawTheSamePixels) {
    Image a(30, 30), b(30, 30);
    rasterLine(a.buffer(), 3.2, 4.1, 25.7, 22.3, 1, 0x0000ff);
    rasterLine(b.buffer(), 25.7, 22.3, 3.2, 4.1, 1, 0x0000ff);
    EXPECT_EQ(a.pixels, b.pixels);
    EXPECT_GT(a.changed(), 20);
    EXPECT_LT(a.changed(), 120);
}

TEST(Raster, ThinLinesBlendByCoverage) {
    Image img(20, 20);
    rasterLine(img.buffer(), 2, 10, 18, 10, 1, 0x000000);
    // The line runs along the boundary between rows 9 and 10: each gets half.
    const std::uint32_t half = img.at(10, 9);
    EXPECT_EQ(half, img.at(10, 10));
    EXPECT_GT(half & 0xff, 0x60u);
    EXPECT_LT(half & 0xff, 0xa0u);
}

TEST(Raster, ClipsAtTheBufferAndDrawsAZeroLengthLineAsADot) {
    Image img(10, 10);
    rasterLine(img.buffer(), -1e6, -5, 1e6, 5, 3, 0x00ff00);
    rasterLine(img.buffer(), 500, 500, 900, -900, 3, 0x00ff00);
    EXPECT_GT(img.changed(), 0);
    Image dot(10, 10);
    rasterLine(dot.buffer(), 5, 5, 5, 5, 2, 0x123456);
    EXPECT_EQ(dot.changed(), 4);
    EXPECT_EQ(dot.at(4, 4), 0xff123456u);
}

// A thick line's squared ends reach their corners, half a width along and half a width across
// from the end point: for a steep line near 45° that is about √2 half-widths above it.
TEST(Raster, SquaredEndsReachTheirCorners) {
    Image img(60, 60);
    rasterLine(img.buffer(), 20, 20, 39, 40, 8, 0x000000);
    // The end at (20, 20) has its top corner at about (20.2, 13.6).
    EXPECT_NE(img.at(20, 14), kWhitePixel);
    EXPECT_EQ(img.at(20, 12), kWhitePixel);
}

// A line a rounding error away from the horizontal, or from the vertical, draws as the level one
// does, in its own rows only.
TEST(Raster, NearlyLevelLinesDrawAsLevelOnes) {
    Image level(400, 400);
    rasterLine(level.buffer(), 180, 214, 297.12, 214, 1, 0x123456);
    for (const auto& [x1, y1, x2, y2] :
         {std::array{180.0, 213.99999999999997, 297.12, 214.0},
          std::array{180.0, 214.0, 297.12, 214.00000000000003}}) {
        Image tilted(400, 400);
        rasterLine(tilted.buffer(), x1, y1, x2, y2, 1, 0x123456);
        EXPECT_EQ(tilted.pixels, level.pixels);
    }
    Image plumb(400, 400), leaning(400, 400);
    rasterLine(plumb.buffer(), 214, 180, 214, 297.12, 3, 0x123456);
    rasterLine(leaning.buffer(), 214.00000000000003, 180, 214, 297.12, 3, 0x123456);
    EXPECT_EQ(leaning.pixels, plumb.pixels);
}

// Every pixel of a line carries its coverage at the pixel's centre: the lesser of the distance
// inside the sides and inside the squared ends (half a width plus half a pixel of softening each),
// at most one pixel, thin lines at their width's share. Lines of every slope, width and length,
// reaching past the image or not; no pixel outside the line is touched.
TEST(Raster, LinesCarryTheirCoverageAtEveryPixel) {
    std::srand(7);
    auto random = [](double lo, double hi) { return lo + (hi - lo) * std::rand() / RAND_MAX; };
    struct Segment {
        double x1, y1, x2, y2, width;
    };
    std::vector<Segment> segments{{3, 20.5, 60, 20.5, 2},      {30.5, 2, 30.5, 45, 3},
                                  {4, 10, 59, 10.003, 2},      {12, 3, 12.004, 44, 1},
                                  {-20, -5, 80, 60, 6},        {10.2, 30.7, 10.9, 31.1, 6},
                                  {20, 20, 20.3, 40, 0.5},     {60, 5, 66, 40, 2},
                                  {-1000, -1e6, 1000, 1e6, 2}, {1e6, 30, -1e6, 31, 3}};
    for (int i = 0; i < 60; ++i)
        segments.push_back({random(-8, 72), random(-8, 56), random(-8, 72), random(-8, 56),
                            random(0.6, 7)});
    for (const Segment& s : segments) {
        Image img(64, 48);
        rasterLine(img.buffer(), s.x1, s.y1, s.x2, s.y2, s.width, 0x000000);
        const double len = std::hypot(s.x2 - s.x1, s.y2 - s.y1);
        const double ux = (s.x2 - s.x1) / len, uy = (s.y2 - s.y1) / len;
        const double edge = std::max(s.width, 1.0) / 2 + 0.5;
        for (int y = 0; y < img.h; ++y)
            for (int x = 0; x < img.w; ++x) {
                const double cx = x + 0.5 - s.x1, cy = y + 0.5 - s.y1;
                const double across = cx * uy - cy * ux, along = cx * ux + cy * uy;
                const double inside =
                    std::min(edge - std::abs(across), std::min(along, len - along) + edge);
                const double coverage = std::clamp(inside, 0.0, 1.0) * std::min(s.width, 1.0);
                const int blue = static_cast<int>(img.at(x, y) & 0xff);
                if (inside < -0.01)
                    ASSERT_EQ(blue, 255) << x << "," << y << " of line " << s.x1 << "," << s.y1
                                         << " to " << s.x2 << "," << s.y2 << " width " << s.width;
                else
                    ASSERT_NEAR(blue, 255 * (1 - coverage), 2.5)
                        << x << "," << y << " of line " << s.x1 << "," << s.y1 << " to " << s.x2
                        << "," << s.y2 << " width " << s.width;
            }
    }
}

// Dashed lines take the paint engine's patterns in line widths, the first dash at the start:
// along a level line the dashes and gaps come out that long, to a pixel.
TEST(Raster, DashesAndGapsHaveTheirPatternsLengths) {
    for (const auto& [style, dash, gap] :
         {std::array<int, 3>{kDash, 8, 4}, {kDot, 2, 4}, {kDashDot, 8, 4}}) {
        Image img(400, 20);
        rasterDashedLine(img.buffer(), 10, 10, 390, 10, 2, 0x000000, dashPatternOf(style));
        // The runs of ink and of bare pixels along row 9, from the line's start.
        std::vector<int> runs{0};
        bool inked = true;
        for (int x = 10; x < 390; ++x) {
            const bool ink = img.at(x, 9) != kWhitePixel;
            if (ink != inked) {
                runs.push_back(0);
                inked = ink;
            }
            ++runs.back();
        }
        ASSERT_GT(runs.size(), 4u) << style;
        EXPECT_NEAR(runs[0], dash, 1) << style;
        EXPECT_NEAR(runs[1], gap, 1) << style;
        // Down a plumb line the pattern falls on the rows as it falls on the columns across.
        Image plumb(20, 400);
        rasterDashedLine(plumb.buffer(), 10, 10, 10, 390, 2, 0x000000, dashPatternOf(style));
        for (int x = 0; x < 400; ++x)
            for (int y = 0; y < 20; ++y) ASSERT_EQ(plumb.at(y, x), img.at(x, y)) << style;
        EXPECT_EQ(dashPatternOf(kSolid).count, 0);
    }
}

TEST(Raster, AStampedCircleIsTheDrawnOneMovedToThePixelCentre) {
    Image direct(60, 40), stamped(60, 40);
    rasterCircle(direct.buffer(), 20.5, 20.5, 7.3, 2, 0x3366cc, true, 0x00ff00);
    const CircleStamp stamp(7.3, 2);
    EXPECT_TRUE(stamp.matches(7.3, 2));
    EXPECT_FALSE(stamp.matches(7.4, 2));
    stamp.draw(stamped.buffer(), 20.9, 20.2, 0x3366cc, true, 0x00ff00);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x) {
            const auto a = direct.at(x, y), b = stamped.at(x, y);
            for (int shift : {0, 8, 16})  // one step of rounding in the coverage at most
                EXPECT_LE(std::abs(int((a >> shift) & 0xff) - int((b >> shift) & 0xff)), 2);
        }
    // Cut at the buffer's edges like any other primitive.
    Image edge(10, 10);
    stamp.draw(edge.buffer(), 1, 1, 0xff0000, false, 0);
    stamp.draw(edge.buffer(), 400, -30, 0xff0000, false, 0);
    EXPECT_GT(edge.changed(), 0);
}

TEST(Raster, DotsFillWholePixelsInsideTheBuffer) {
    Image img(10, 10);
    rasterDot(img.buffer(), 0.2, 0.2, 4, 0xabcdef);
    EXPECT_EQ(img.changed(), 4);  // the square is cut at the edge
    rasterDot(img.buffer(), 5.5, 5.5, 1, 0xabcdef);  // the centre of pixel (5, 5)
    EXPECT_EQ(img.changed(), 5);
    EXPECT_EQ(img.at(5, 5), 0xffabcdefu);
}

}  // namespace
}  // namespace velarium
