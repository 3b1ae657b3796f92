#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace velarium {

// A view of 32-bit opaque pixels 0xAARRGGBB, row after row.
struct PixelBuffer {
    std::uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;  // pixels per row
    // The rows drawn into: [firstRow, endRow) of the buffer's rows.
    int firstRow = 0;
    int endRow = 1 << 30;

    int topRow() const { return firstRow > 0 ? firstRow : 0; }
    int bottomRow() const { return (endRow < height ? endRow : height) - 1; }
};

// Draws an antialiased solid segment of the given width (device pixels) from (x1, y1) to
// (x2, y2), pixel centres at half-integers, blending the colour 0xRRGGBB by its coverage. The
// ends are squared off half a width beyond the end points, so that the segments of an arrow
// meet without a notch. Anything outside the buffer, or its rows, is clipped.
void rasterLine(const PixelBuffer& buffer, double x1, double y1, double x2, double y2, double width,
                std::uint32_t rgb);

// Draws an antialiased circle of the given line width about (cx, cy), and with fill set, first
// fills its inside with fillRgb. Anything outside the buffer is clipped.
void rasterCircle(const PixelBuffer& buffer, double cx, double cy, double radius, double width,
                  std::uint32_t rgb, bool fill, std::uint32_t fillRgb);

// A small circle rasterised once and stamped wherever it is drawn again: a trail of a thousand
// equal circles costs a blend per pixel instead of a square root. The centre goes to the nearest
// pixel centre, a quarter of a logical pixel at most on a screen of pixel ratio 2.
class CircleStamp {
public:
    static constexpr double kLargestRadius = 48;  // device pixels; larger circles draw directly

    CircleStamp() = default;
    CircleStamp(double radius, double width);
    bool matches(double radius, double width) const {
        return radius == radius_ && width == width_ && size_ > 0;
    }
    void draw(const PixelBuffer& buffer, double cx, double cy, std::uint32_t rgb, bool fill,
              std::uint32_t fillRgb) const;

private:
    double radius_ = -1, width_ = -1;
    int half_ = 0, size_ = 0;
    int span_ = 0;  // values per row of the tables below
    std::vector<std::int16_t> weights_;  // the line's coverage 0..256 per pixel
    std::vector<std::uint32_t> inside_;  // all ones where the pixel centre lies within the radius
    // Per row, the pixels [first, end) that get any ink, and the gap [gapFirst, gapEnd) inside
    // the ring that the line leaves bare.
    struct Row {
        int first, end, gapFirst, gapEnd;
    };
    std::vector<Row> rows_;
};

// The dashes and gaps of a line style, in line widths (a width under one counts as one), dash
// first: the paint engine's patterns for cosmetic pens. No dashes for a solid line.
struct DashPattern {
    std::array<double, 6> lengths{};
    int count = 0;
};
DashPattern dashPatternOf(int style);

// A line drawn in dashes with flat ends, the first dash at (x1, y1), as rasterLine draws a solid
// one.
void rasterDashedLine(const PixelBuffer& buffer, double x1, double y1, double x2, double y2,
                      double width, std::uint32_t rgb, const DashPattern& pattern);

// Fills the square of side size centred on (x, y) with the colour, whole pixels.
void rasterDot(const PixelBuffer& buffer, double x, double y, double size, std::uint32_t rgb);

}  // namespace velarium
