#include "draw/Raster.h"

#include <algorithm>
#include <cmath>

namespace velarium {

namespace {

// floor and ceil without a library call (the baseline instruction set has no rounding
// instruction); the arguments are clamped device coordinates, well within int range.
inline int floorInt(double v) {
    const int i = static_cast<int>(v);
    return v < i ? i - 1 : i;
}
inline int ceilInt(double v) {
    const int i = static_cast<int>(v);
    return v > i ? i + 1 : i;
}

inline void blend(std::uint32_t& dst, std::uint32_t rgb, float coverage) {
    const std::uint32_t a = static_cast<std::uint32_t>(coverage * 256.0f + 0.5f);
    if (a >= 256) {
        dst = 0xff000000u | rgb;
        return;
    }
    const std::uint32_t d = dst;
    const std::uint32_t rb = ((rgb & 0xff00ffu) * a + (d & 0xff00ffu) * (256 - a)) >> 8;
    const std::uint32_t g = ((rgb & 0x00ff00u) * a + (d & 0x00ff00u) * (256 - a)) >> 8;
    dst = 0xff000000u | (rb & 0xff00ffu) | (g & 0x00ff00u);
}

}  // namespace

void rasterLine(const PixelBuffer& b, double x1, double y1, double x2, double y2, double width,
                std::uint32_t rgb) {
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    const double len = std::sqrt(dx * dx + dy * dy);
    const double r = std::max(width, 1.0) / 2;
    // Thin lines keep their full darkness, spread over one pixel.
    const float strength = static_cast<float>(std::min(width, 1.0));
    if (len == 0) {
        rasterDot(b, x1, y1, std::max(width, 1.0), rgb);
        return;
    }
    const double ux = dx / len, uy = dy / len;  // along the segment
    const bool steep = std::abs(dy) > std::abs(dx);

    // Walk the major axis; on each row (or column) cover the pixels within r of the centre line.
    const double majorStart = steep ? y1 : x1;
    const double majorEnd = steep ? y2 : x2;
    const double ext = r + 1;
    const int majorLimit = steep ? b.height : b.width;
    const int minorLimit = steep ? b.width : b.height;
    int m0 = floorInt(std::min(majorStart, majorEnd) - ext);
    int m1 = ceilInt(std::max(majorStart, majorEnd) + ext);
    m0 = std::max(m0, 0);
    m1 = std::min(m1, majorLimit - 1);
    const double slope = steep ? dx / dy : dy / dx;  // minor per major
    const double minorAtStart = steep ? x1 : y1;
    // Perpendicular distance grows by cosFactor per minor pixel.
    const double cosFactor = 1.0 / std::sqrt(1 + slope * slope);
    const double halfSpan = (r + 0.5) / cosFactor;
    // The signed distance across the line and the distance along it, at the centre of pixel
    // (major m, minor n), are linear in m and n: value = base + m·perMajor + n·perMinor.
    const double ox = 0.5 - x1, oy = 0.5 - y1;
    const double acrossBase = ox * uy - oy * ux;
    const double alongBase = ox * ux + oy * uy;
    const double acrossPerMajor = steep ? -ux : uy, acrossPerMinor = steep ? uy : -ux;
    const double alongPerMajor = steep ? uy : ux, alongPerMinor = steep ? ux : uy;
    const float acrossStep = static_cast<float>(acrossPerMinor);
    const float alongStep = static_cast<float>(alongPerMinor);
    const float edge = static_cast<float>(r + 0.5);
    const float flen = static_cast<float>(len);
    // Where the distance along lies in [lo, hi] the ends do not cut the coverage.
    const double interiorLo = 1 - (r + 0.5), interiorHi = len + (r + 0.5) - 1;
    const long majorStride = steep ? b.stride : 1;
    const long minorStride = steep ? 1 : b.stride;
    constexpr int kAhead = 8;

    for (int m = m0; m <= m1; ++m) {
        const double centre = minorAtStart + slope * (m + 0.5 - majorStart);
        // Only pixel centres strictly within halfSpan of the centre line get any coverage.
        int n0 = floorInt(centre - halfSpan - 0.5) + 1;
        int n1 = ceilInt(centre + halfSpan - 0.5) - 1;
        n0 = std::max(n0, 0);
        n1 = std::min(n1, minorLimit - 1);
        if (n0 > n1) continue;
        float across = static_cast<float>(acrossBase + m * acrossPerMajor + n0 * acrossPerMinor);
        const double along0 = alongBase + m * alongPerMajor + n0 * alongPerMinor;
        const double along1 = along0 + (n1 - n0) * alongPerMinor;
        std::uint32_t* dst = b.pixels + m * majorStride + n0 * minorStride;
        // The pixels a few steps ahead along the line are likely out of the cache: ask early.
        __builtin_prefetch(dst + kAhead * majorStride +
                           static_cast<long>(kAhead * slope) * minorStride);
        if (std::min(along0, along1) >= interiorLo && std::max(along0, along1) <= interiorHi) {
            for (int n = n0; n <= n1; ++n, across += acrossStep, dst += minorStride) {
                const float cov = std::min(edge - std::abs(across), 1.0f);
                if (cov > 0) blend(*dst, rgb, cov * strength);
            }
            continue;
        }
        float along = static_cast<float>(along0);
        for (int n = n0; n <= n1;
             ++n, across += acrossStep, along += alongStep, dst += minorStride) {
            const float side = edge - std::abs(across);
            const float ends = std::min(along, flen - along) + edge;
            const float cov = std::min(std::min(side, ends), 1.0f);
            if (cov > 0) blend(*dst, rgb, cov * strength);
        }
    }
}

void rasterCircle(const PixelBuffer& b, double cx, double cy, double radius, double width,
                  std::uint32_t rgb, bool fill, std::uint32_t fillRgb) {
    const double hw = std::max(width, 1.0) / 2;
    const float strength = static_cast<float>(std::min(width, 1.0));
    const double outer = radius + hw + 0.5;
    const double inner = std::max(0.0, radius - hw - 0.5);
    const int y0 = std::max(0, floorInt(cy - outer));
    const int y1 = std::min(b.height - 1, ceilInt(cy + outer));
    auto span = [&](double from, double to, int& x0, int& x1) {
        // Pixel centres x + 0.5 within [from, to], clipped to the buffer.
        x0 = std::max(0, ceilInt(from - 0.5));
        x1 = std::min(b.width - 1, floorInt(to - 0.5));
    };
    for (int row = y0; row <= y1; ++row) {
        const double dy = row + 0.5 - cy;
        if (std::abs(dy) >= outer) continue;
        std::uint32_t* line = b.pixels + static_cast<long>(row) * b.stride;
        if (fill && std::abs(dy) < radius) {
            const double xf = std::sqrt(radius * radius - dy * dy);
            int x0, x1;
            span(cx - xf, cx + xf, x0, x1);
            if (x0 <= x1) std::fill(line + x0, line + x1 + 1, 0xff000000u | fillRgb);
        }
        // The ring: the pixels between the inner and the outer edge, left and right of the centre.
        const double xo = std::sqrt(outer * outer - dy * dy);
        const double xi = std::abs(dy) < inner ? std::sqrt(inner * inner - dy * dy) : 0.0;
        int leftEnd = -1;
        for (int side = 0; side < 2; ++side) {
            int x0, x1;
            if (side == 0) {
                span(cx - xo, cx - xi, x0, x1);
                leftEnd = x1;
            } else {
                span(cx + xi, cx + xo, x0, x1);
                x0 = std::max(x0, leftEnd + 1);  // the two halves meet where xi is 0
            }
            for (int x = x0; x <= x1; ++x) {
                const double dx = x + 0.5 - cx;
                const double d = std::sqrt(dx * dx + dy * dy);
                const float cov =
                    std::min(static_cast<float>(hw + 0.5 - std::abs(d - radius)), 1.0f);
                if (cov > 0) blend(line[x], rgb, cov * strength);
            }
        }
    }
}

CircleStamp::CircleStamp(double radius, double width) : radius_(radius), width_(width) {
    half_ = ceilInt(radius + std::max(width, 1.0) / 2 + 1);
    size_ = 2 * half_ + 1;
    // Draw the ring white on black about the middle pixel's centre: its blue channel is then the
    // coverage.
    std::vector<std::uint32_t> canvas(static_cast<std::size_t>(size_ * size_), 0xff000000u);
    const PixelBuffer b{canvas.data(), size_, size_, size_};
    rasterCircle(b, half_ + 0.5, half_ + 0.5, radius, width, 0xffffff, false, 0);
    ring_.resize(canvas.size());
    inside_.resize(canvas.size());
    for (int y = 0; y < size_; ++y)
        for (int x = 0; x < size_; ++x) {
            const auto i = static_cast<std::size_t>(y * size_ + x);
            ring_[i] = static_cast<std::uint8_t>(canvas[i] & 0xff);
            const double dx = x - half_, dy = y - half_;
            inside_[i] = dx * dx + dy * dy <= radius * radius ? 1 : 0;
        }
}

void CircleStamp::draw(const PixelBuffer& b, double cx, double cy, std::uint32_t rgb, bool fill,
                       std::uint32_t fillRgb) const {
    const int px = floorInt(cx) - half_;
    const int py = floorInt(cy) - half_;
    const int x0 = std::max(0, -px), y0 = std::max(0, -py);
    const int x1 = std::min(size_, b.width - px), y1 = std::min(size_, b.height - py);
    for (int y = y0; y < y1; ++y) {
        std::uint32_t* line = b.pixels + static_cast<long>(py + y) * b.stride + px;
        const std::uint8_t* ring = ring_.data() + y * size_;
        const std::uint8_t* inside = inside_.data() + y * size_;
        for (int x = x0; x < x1; ++x) {
            if (fill && inside[x]) line[x] = 0xff000000u | fillRgb;
            if (ring[x]) blend(line[x], rgb, ring[x] * (1.0f / 255.0f));
        }
    }
}

void rasterDot(const PixelBuffer& b, double x, double y, double size, std::uint32_t rgb) {
    const double s = std::max(size, 1.0);
    const int x0 = std::max(0, static_cast<int>(std::lround(x - s / 2)));
    const int y0 = std::max(0, static_cast<int>(std::lround(y - s / 2)));
    const int x1 = std::min(b.width, static_cast<int>(std::lround(x - s / 2 + s)));
    const int y1 = std::min(b.height, static_cast<int>(std::lround(y - s / 2 + s)));
    for (int row = y0; row < y1; ++row) {
        std::uint32_t* p = b.pixels + static_cast<long>(row) * b.stride;
        std::fill(p + x0, p + std::max(x0, x1), 0xff000000u | rgb);
    }
}

}  // namespace velarium
