#include <gtest/gtest.h>

#include <array>
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
