#pragma once

#include <cstdint>

namespace velarium {

// A view of 32-bit opaque pixels 0xAARRGGBB, row after row.
struct PixelBuffer {
    std::uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;  // pixels per row
};

// Draws an antialiased solid segment of the given width (device pixels) from (x1, y1) to
// (x2, y2), pixel centres at half-integers, blending the colour 0xRRGGBB by its coverage. The
// ends are squared off half a width beyond the end points, so that the segments of an arrow
// meet without a notch. Anything outside the buffer is clipped.
void rasterLine(const PixelBuffer& buffer, double x1, double y1, double x2, double y2,
                double width, std::uint32_t rgb);

// Fills the square of side size centred on (x, y) with the colour, whole pixels.
void rasterDot(const PixelBuffer& buffer, double x, double y, double size, std::uint32_t rgb);

}  // namespace velarium
