// The software rasteriser behind every canvas picture.
//
// Record → batch → bands → paths. A canvas keeps its record of primitives (DrawRecord); a
// replay turns each primitive into device-pixel work queued in a RasterBatch; when the image is
// wanted the batch runs band by band, each band a run of rows small enough to stay in cache, and
// every queued piece of work draws only its part of the band (PixelBuffer's [firstRow, endRow)).
// Within a band a primitive takes one of a few paths: a short segment covers its bounding box;
// a long one finds each row's bounds, in 16-bit fixed point eight pixels at a time where the
// vector unit has room (SegmentRows), else with the float coverage four at a time; circles are
// stamped from a table when small (CircleStamp), drawn row by row when large. The scalar loops
// after each vector loop finish the pixels a group of four or eight does not reach. The vector
// loops use SSE2, which every x86-64 processor has; the program is built for x86-64 only.
//
// Coverage is not the exact area of the pen's shape over a pixel. For a segment it is
// min(edge − |across|, min(along, length − along) + edge, 1), clamped at 0 and scaled by the
// strength of a thin line: the distance of the pixel's centre from the edge of the strip and
// from the squared ends, with edge = half the width plus half a pixel. Every path computes this
// one quantity, so a pixel comes out the same in whichever band and on whichever path it lands.
//
// Invariants are checked by VELARIUM_RASTER_CHECK, active in the sanitizer build: every run of
// pixels a segment's row writes lies inside the buffer and the rows of its band.

#include "draw/Raster.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <vector>

#include "draw/DrawTypes.h"

#include <emmintrin.h>

#if defined(VELARIUM_CHECKS)
#include <cstdio>
#include <cstdlib>
#define VELARIUM_RASTER_CHECK(condition)                                                    \
    do {                                                                                     \
        if (!(condition)) {                                                                  \
            std::fprintf(stderr, "%s:%d: raster invariant broken: %s\n", __FILE__, __LINE__, \
                         #condition);                                                        \
            std::abort();                                                                    \
        }                                                                                    \
    } while (false)
#else
#define VELARIUM_RASTER_CHECK(condition) ((void)0)
#endif

namespace velarium {

namespace {

// A run of count pixels from column first of row y lies inside the buffer and its band.
inline void checkSpan(const PixelBuffer& b, int y, int first, int count) {
    VELARIUM_RASTER_CHECK(y >= b.topRow() && y <= b.bottomRow());
    VELARIUM_RASTER_CHECK(first >= 0 && count >= 0 && first + count <= b.width);
    (void)b, (void)y, (void)first, (void)count;
}

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

inline void blend(std::uint32_t& dst, std::uint32_t rgb, std::uint32_t a) {
    const std::uint32_t d = dst;
    const std::uint32_t rb = ((rgb & 0xff00ffu) * a + (d & 0xff00ffu) * (256 - a)) >> 8;
    const std::uint32_t g = ((rgb & 0x00ff00u) * a + (d & 0x00ff00u) * (256 - a)) >> 8;
    dst = 0xff000000u | (rb & 0xff00ffu) | (g & 0x00ff00u);
}

// The weight 0..256 of a coverage 0..1.
inline std::uint32_t weight(float coverage) {
    return static_cast<std::uint32_t>(coverage * 256.0f + 0.5f);
}

inline void blend(std::uint32_t& dst, std::uint32_t rgb, float coverage) {
    blend(dst, rgb, std::min(weight(coverage), 256u));
}

// A colour as 16-bit lanes, blue, green, red, alpha for two pixels.
inline __m128i colourLanes(std::uint32_t rgb) {
    return _mm_unpacklo_epi8(_mm_set1_epi32(static_cast<int>(0xff000000u | rgb)),
                             _mm_setzero_si128());
}

// Four pixels blended towards the colour by the weights 0..256 in the low four 16-bit lanes of
// w: (colour·w + pixel·(256 − w)) / 256 per channel, exactly as blend does one, written as
// (pixel·256 + (colour − pixel)·w) / 256, whose sum fits 16 bits whatever the sign of the product.
inline __m128i blend4(__m128i pixels, __m128i w, __m128i colour) {
    const __m128i pairs = _mm_unpacklo_epi16(w, w);
    const __m128i w01 = _mm_unpacklo_epi32(pairs, pairs);
    const __m128i w23 = _mm_unpackhi_epi32(pairs, pairs);
    const __m128i d01 = _mm_unpacklo_epi8(pixels, _mm_setzero_si128());
    const __m128i d23 = _mm_unpackhi_epi8(pixels, _mm_setzero_si128());
    const __m128i r01 = _mm_srli_epi16(
        _mm_add_epi16(_mm_slli_epi16(d01, 8), _mm_mullo_epi16(_mm_sub_epi16(colour, d01), w01)), 8);
    const __m128i r23 = _mm_srli_epi16(
        _mm_add_epi16(_mm_slli_epi16(d23, 8), _mm_mullo_epi16(_mm_sub_epi16(colour, d23), w23)), 8);
    return _mm_packus_epi16(r01, r23);
}

inline void blend4(std::uint32_t* dst, __m128i w, __m128i colour) {
    __m128i* at = reinterpret_cast<__m128i*>(dst);
    _mm_storeu_si128(at, blend4(_mm_loadu_si128(at), w, colour));
}

// A segment's coverage of the pixels of one row: the distance across the centre line and the
// distance along it from the start are linear along the row, so each pixel costs a few
// multiplications, and four neighbouring pixels go through the vector unit at once.
struct SegmentCoverage {
    float edge;      // half the width plus half a pixel: where the coverage falls to zero
    float length;    // of the segment
    float strength;  // thin lines spread their darkness over one pixel
    std::uint32_t rgb;

    float at(float across, float along) const {
        const float side = edge - std::abs(across);
        const float ends = std::min(along, length - along) + edge;
        return std::max(std::min(std::min(side, ends), 1.0f), 0.0f) * strength;
    }

    // Blends the count pixels from dst, where the distances are across and along at the first
    // and grow by the steps per pixel. Whole groups of four go through the vector unit as long as
    // room pixels lie ahead in the row; a pixel beyond the count is covered by nothing and keeps
    // its value.
    void row(std::uint32_t* dst, int count, int room, float across, float acrossStep, float along,
             float alongStep) const {
        int i = 0;
        const __m128 steps = _mm_set_ps(3, 2, 1, 0);
        __m128 ac = _mm_add_ps(_mm_set1_ps(across), _mm_mul_ps(steps, _mm_set1_ps(acrossStep)));
        __m128 al = _mm_add_ps(_mm_set1_ps(along), _mm_mul_ps(steps, _mm_set1_ps(alongStep)));
        const __m128 across4 = _mm_set1_ps(4 * acrossStep), along4 = _mm_set1_ps(4 * alongStep);
        const __m128 vEdge = _mm_set1_ps(edge), vLength = _mm_set1_ps(length);
        const __m128 sign = _mm_set1_ps(-0.0f);
        const __m128i colour = colourLanes(rgb);
        for (; i < count && i + 4 <= room; i += 4) {
            const __m128 side = _mm_sub_ps(vEdge, _mm_andnot_ps(sign, ac));
            const __m128 ends = _mm_add_ps(_mm_min_ps(al, _mm_sub_ps(vLength, al)), vEdge);
            const __m128 cov = _mm_mul_ps(_mm_max_ps(_mm_min_ps(_mm_min_ps(side, ends),
                                                                _mm_set1_ps(1.0f)),
                                                     _mm_setzero_ps()),
                                          _mm_set1_ps(strength));
            ac = _mm_add_ps(ac, across4);
            al = _mm_add_ps(al, along4);
            const __m128i w32 = _mm_cvttps_epi32(
                _mm_add_ps(_mm_mul_ps(cov, _mm_set1_ps(256.0f)), _mm_set1_ps(0.5f)));
            blend4(dst + i, _mm_packs_epi32(w32, w32), colour);
        }
        across += static_cast<float>(i) * acrossStep;
        along += static_cast<float>(i) * alongStep;
        for (; i < count; ++i, across += acrossStep, along += alongStep) {
            const float cov = at(across, along);
            if (cov > 0) blend(dst[i], rgb, cov);
        }
    }

};

// A segment's rows eight pixels at a time in 16-bit fixed point, distances in 1/512 pixel. A
// row's bounds and its first pixel's distances are found in integers with 32 fractional bits,
// from the row's index (not summed from row to row, so that every band finds the same pixels).
// Each lane's offset from its group's first pixel is rounded once, not summed, so no lane is more
// than a 512th of a pixel from the exact distance.
class SegmentRows {
public:
    // Lines wide enough to overflow the 16-bit distances take the general path.
    static bool fits(double edge) { return edge < 40; }

    // On row y the strip |across| < edge lies between stripLo0 + y·stripStep and that plus
    // stripSpan; across is acrossAt0 + x·uy − y·ux and along alongAt0 + x·ux + y·uy at the
    // centre of pixel (x, y).
    SegmentRows(double edge, double len, double acrossAt0, double alongAt0, double ux, double uy,
                double perUx, double stripLo0, double stripSpan, double stripStep,
                std::uint32_t rgb)
        : edge_(_mm_set1_epi16(static_cast<short>(floorInt(edge * kUnit + 0.5)))),
          acrossLanes_(lanes(uy)),
          alongLanes_(lanes(ux)),
          colour_(colourLanes(rgb)),
          lo0_(fixed(stripLo0)),
          span_(fixed(stripSpan)),
          // A strip under four pixels wide, as a steep thin line has, holds at most four pixels
          // of a row.
          narrow_(stripSpan < 4),
          step_(fixed(stripStep)),
          across0_(fixed(acrossAt0)),
          along0_(fixed(alongAt0)),
          len_(fixed(len)),
          ux_(fixed(ux)),
          uy_(fixed(uy)),
          // Near an end, the pixels within edge of the ends along: from x = (−edge − alongAt0 −
          // y·uy)/ux over (len + 2·edge)/|ux|; a line all but plumb has the rows alone for that.
          plumb_(std::abs(ux) < 1.0 / 1024),
          ends0_(plumb_ ? 0 : fixed(((ux > 0 ? -edge : len + edge) - alongAt0) * perUx)),
          endsSpan_(plumb_ ? 0 : fixed((len + 2 * edge) * std::abs(perUx))),
          endsStep_(plumb_ ? 0 : fixed(-uy * perUx)) {}

    // Blends the pixels of rows from to to, the ends cutting the coverage where kEnds is set.
    // Returns the first row not drawn: to + 1, or a row whose last group of eight would pass the
    // image's right edge. The constants are held in locals from row to row: a vector store may
    // alias the members, which would be read again after every one.
    template <bool kEnds>
    int rows(const PixelBuffer& b, int from, int to) const {
        const __m128i edge = edge_, acrossLanes = acrossLanes_, alongLanes = alongLanes_,
                      colour = colour_;
        const std::int64_t lo0 = lo0_, span = span_, step = step_, across0 = across0_,
                           along0 = along0_, len = len_, ux = ux_, uy = uy_;
        const std::int64_t ends0 = ends0_, endsSpan = endsSpan_, endsStep = endsStep_;
        const bool cutByEnds = kEnds && !plumb_, narrow = narrow_;
        std::uint32_t* const pixels = b.pixels;
        const long stride = b.stride;
        const int width = b.width;
        for (int y = from; y <= to; ++y) {
            std::int64_t lo = lo0 + y * step, hi = lo + span;
            if (cutByEnds) {
                const std::int64_t ends = ends0 + y * endsStep;
                lo = std::max(lo, ends);
                hi = std::min(hi, ends + endsSpan);
            }
            // Pixels strictly inside the bounds; one lying on a bound has no coverage.
            if (lo >= hi) continue;
            const int first = std::max(static_cast<int>(lo >> kShift) + 1, 0);
            const int last = std::min(static_cast<int>((hi - 1) >> kShift), width - 1);
            const int count = last - first + 1;
            if (count <= 0) continue;
            if (first + ((count + 7) & ~7) > width) return y;
            checkSpan(b, y, first, narrow ? 4 * ((count + 3) / 4) : (count + 7) & ~7);
            std::uint32_t* dst = pixels + static_cast<long>(y) * stride + first;
            std::int64_t across = across0 + first * uy - y * ux;
            std::int64_t along = along0 + first * ux + y * uy;
            for (int i = 0; i < count; i += 8, across += 8 * uy, along += 8 * ux) {
                // Pixels past the count lie outside the line: weight 0 leaves them as they are.
                __m128i cover =
                    sideCover(edge, _mm_add_epi16(_mm_set1_epi16(units(across)), acrossLanes));
                if constexpr (kEnds) {
                    const __m128i fromStart =
                        _mm_add_epi16(_mm_set1_epi16(heldUnits(along)), alongLanes);
                    const __m128i toEnd =
                        _mm_sub_epi16(_mm_set1_epi16(heldUnits(len - along)), alongLanes);
                    cover = _mm_min_epi16(cover,
                                          _mm_adds_epi16(_mm_min_epi16(fromStart, toEnd), edge));
                }
                const __m128i w = weightsOf(cover);
                blend4(dst + i, w, colour);
                if (!narrow) blend4(dst + i + 4, _mm_unpackhi_epi64(w, w), colour);
            }
        }
        return to + 1;
    }

    // The rows from to to, away from the ends, of a narrow strip: two rows of four pixels at a
    // time, weighed together in the eight lanes, and a row alone where the pair is not a plain
    // one. Returns the first row not drawn, as rows does.
    int narrowRows(const PixelBuffer& b, int from, int to) const {
        const __m128i edge = edge_, acrossLanes = _mm_unpacklo_epi64(acrossLanes_, acrossLanes_),
                      colour = colour_;
        const std::int64_t lo0 = lo0_, span = span_, step = step_, across0 = across0_, ux = ux_,
                           uy = uy_;
        std::uint32_t* const pixels = b.pixels;
        const long stride = b.stride;
        const int width = b.width;
        int y = from;
        while (y <= to) {
            const std::int64_t loA = lo0 + y * step, loB = loA + step;
            const int firstA = static_cast<int>(loA >> kShift) + 1;
            const int firstB = static_cast<int>(loB >> kShift) + 1;
            const int lastA = static_cast<int>((loA + span - 1) >> kShift);
            const int lastB = static_cast<int>((loB + span - 1) >> kShift);
            if (y == to || firstA < 0 || firstB < 0 || firstA > lastA || firstB > lastB ||
                std::max(firstA, firstB) + 4 > width) {
                if (rows<false>(b, y, y) == y) return y;
                ++y;
                continue;
            }
            const auto start = [&](int first, int row) {
                return _mm_set1_epi16(units(across0 + first * uy - row * ux));
            };
            const __m128i w = weightsOf(sideCover(
                edge, _mm_add_epi16(_mm_unpacklo_epi64(start(firstA, y), start(firstB, y + 1)),
                                    acrossLanes)));
            checkSpan(b, y, firstA, 4);
            checkSpan(b, y + 1, firstB, 4);
            blend4(pixels + static_cast<long>(y) * stride + firstA, w, colour);
            blend4(pixels + static_cast<long>(y + 1) * stride + firstB, _mm_unpackhi_epi64(w, w),
                   colour);
            y += 2;
        }
        return to + 1;
    }

    // The rows from to to, which lie either all away from the ends or all near them, as above.
    int rows(const PixelBuffer& b, int from, int to, bool interior) const {
        if (!interior) return rows<true>(b, from, to);
        return narrow_ ? narrowRows(b, from, to) : rows<false>(b, from, to);
    }

private:
    static constexpr double kUnit = 512;
    static constexpr int kShift = 32;
    static constexpr int kToUnits = kShift - 9;  // from 2^-32 to 1/512 pixel
    static constexpr std::int64_t kHalfUnit = std::int64_t{1} << (kToUnits - 1);
    // Far from the ends the distance along decides nothing: it is held within this many units,
    // where 16 bits still hold it with the lanes' offsets and the edge added.
    static constexpr std::int64_t kFar = 20000;

    // Held within half a billion pixels, which 64 bits hold twice over with a row's step times
    // the image's height added: a bound held there lies outside the image on every row of it,
    // as the exact one does, since no step (at most the image's width a row) moves a bound by a
    // tenth of that over the image's rows.
    static std::int64_t fixed(double v) {
        return static_cast<std::int64_t>(std::clamp(v, -5.0e8, 5.0e8) * 4294967296.0);
    }
    // The lanes' offsets k·step for k = 0..7, rounded to units.
    static __m128i lanes(double step) {
        const __m128 unitStep = _mm_set1_ps(static_cast<float>(step * kUnit));
        const __m128i low = _mm_cvtps_epi32(_mm_mul_ps(_mm_setr_ps(0, 1, 2, 3), unitStep));
        const __m128i high = _mm_cvtps_epi32(_mm_mul_ps(_mm_setr_ps(4, 5, 6, 7), unitStep));
        return _mm_packs_epi32(low, high);
    }
    // A fixed-point distance in units, rounded; held within kFar of nothing where it may be far.
    static short units(std::int64_t v) { return static_cast<short>((v + kHalfUnit) >> kToUnits); }
    static short heldUnits(std::int64_t v) {
        return static_cast<short>(std::clamp((v + kHalfUnit) >> kToUnits, -kFar, kFar));
    }
    // edge − |across| per lane, the distances across in units.
    static __m128i sideCover(__m128i edge, __m128i across) {
        return _mm_sub_epi16(edge,
                             _mm_max_epi16(across, _mm_sub_epi16(_mm_setzero_si128(), across)));
    }

    // Covers in units, at most a pixel and none below nothing, as weights 0..256, rounded.
    static __m128i weightsOf(__m128i cover) {
        return _mm_max_epi16(
            _mm_min_epi16(_mm_srai_epi16(_mm_adds_epi16(cover, _mm_set1_epi16(1)), 1),
                          _mm_set1_epi16(256)),
            _mm_setzero_si128());
    }

    __m128i edge_, acrossLanes_, alongLanes_, colour_;
    std::int64_t lo0_, span_;
    bool narrow_;
    std::int64_t step_, across0_, along0_, len_, ux_, uy_;
    bool plumb_;
    std::int64_t ends0_, endsSpan_, endsStep_;
};

// The x where low < c + x·s < high, as a narrowing of [lo, hi] (empty when lo > hi); inverse is
// 1/s, or 0 where s is 0.
inline void narrow(double c, double inverse, double low, double high, double& lo, double& hi) {
    if (inverse == 0) {
        if (c <= low || c >= high) hi = lo - 1;
        return;
    }
    const double a = (low - c) * inverse, b = (high - c) * inverse;
    lo = std::max(lo, std::min(a, b));
    hi = std::min(hi, std::max(a, b));
}

constexpr double kShortSegment = 16;  // pixels

}  // namespace

void rasterLine(const PixelBuffer& b, double x1, double y1, double x2, double y2, double width,
                std::uint32_t rgb) {
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    const double len = std::sqrt(dx * dx + dy * dy);
    const double r = std::max(width, 1.0) / 2;
    if (len == 0) {
        rasterDot(b, x1, y1, std::max(width, 1.0), rgb);
        return;
    }
    const double perLen = 1 / len;
    const double ux = dx * perLen, uy = dy * perLen;  // along the segment
    const double edge = r + 0.5;
    const SegmentCoverage coverage{static_cast<float>(edge), static_cast<float>(len),
                                   static_cast<float>(std::min(width, 1.0)), rgb};
    // Pixel (x, y) has its centre at (x + 0.5, y + 0.5). There the distance across the centre
    // line is (cx − x1)·uy − (cy − y1)·ux, and along it (cx − x1)·ux + (cy − y1)·uy: on each row,
    // a start value plus x times uy (across) or ux (along). Only pixels whose centres lie within
    // edge of the centre line and of the squared ends are covered.
    // A squared end reaches edge·(|ux| + |uy|) above or below its end point at its corners.
    const double reach = edge * (std::abs(ux) + std::abs(uy));
    const int row0 = std::max(b.topRow(), floorInt(std::min(y1, y2) - reach));
    const int row1 = std::min(b.bottomRow(), ceilInt(std::max(y1, y2) + reach));
    if (row0 > row1) return;
    const double lastColumn = b.width - 1;
    // The distances at the centre of the first pixel of row 0.
    const double acrossAt0 = (0.5 - x1) * uy - (0.5 - y1) * ux;
    const double alongAt0 = (0.5 - x1) * ux + (0.5 - y1) * uy;
    if (len < kShortSegment) {
        // A short segment, as the chords of a curve are: every pixel of its bounding box, the
        // coverage deciding, costs less than finding each row's bounds.
        const int first = std::max(0, floorInt(std::min(x1, x2) - reach));
        const int last = std::min(b.width - 1, ceilInt(std::max(x1, x2) + reach));
        for (int y = row0; y <= row1 && first <= last; ++y) {
            checkSpan(b, y, first, last - first + 1);
            coverage.row(b.pixels + static_cast<long>(y) * b.stride + first, last - first + 1,
                         b.width - first,
                         static_cast<float>(acrossAt0 - y * ux + first * uy),
                         static_cast<float>(uy),
                         static_cast<float>(alongAt0 + y * uy + first * ux),
                         static_cast<float>(ux));
        }
        return;
    }
    const double perUx = ux == 0 ? 0 : 1 / ux, perUy = uy == 0 ? 0 : 1 / uy;
    // Each row's pixels within the strip |across| < edge, at x from (∓edge − acrossAt0 +
    // y·ux)/uy; on the rows away from the ends the distance along is inside [1 − edge,
    // len + edge − 1] all over the strip, so that the ends cut no coverage.
    std::optional<SegmentRows> rows;
    int interior0 = 0, interior1 = -1;
    // A strip wider than the image, as a line near the horizontal makes, gains nothing here.
    if (std::abs(uy) * (b.width + 2) > 2 * edge && width >= 1 && SegmentRows::fits(edge)) {
        const double stripStep = ux * perUy;
        const double stripLo0 = (-std::copysign(edge, uy) - acrossAt0) * perUy;
        const double stripHi0 = (std::copysign(edge, uy) - acrossAt0) * perUy;
        rows.emplace(edge, len, acrossAt0, alongAt0, ux, uy, perUx, stripLo0,
                     stripHi0 - stripLo0, stripStep, rgb);
        // The distance along at either end of the strip is linear in y: a + y·(ux²/uy + uy),
        // and the slope is 1/uy.
        double yLo = row0, yHi = row1;
        for (const double a : {alongAt0 + stripLo0 * ux, alongAt0 + stripHi0 * ux}) {
            const double ya = (1 - edge - a) * uy, yb = (len + edge - 1 - a) * uy;
            yLo = std::max(yLo, std::min(ya, yb));
            yHi = std::min(yHi, std::max(ya, yb));
        }
        if (yLo <= yHi) {
            interior0 = ceilInt(yLo);
            interior1 = floorInt(yHi);
        }
    }
    for (int y = row0; y <= row1; ++y) {
        if (rows) {
            // The run of rows of one kind from y: those before the interior, the interior, and
            // those after it.
            const bool interior = y >= interior0 && y <= interior1;
            const int runEnd = interior ? interior1 : y < interior0 ? std::min(row1, interior0 - 1)
                                                                    : row1;
            y = rows->rows(b, y, runEnd, interior);
            if (y > runEnd) {
                y = runEnd;
                continue;
            }
            // Row y's last group would pass the right edge: the general path draws it.
        }
        const double across0 = acrossAt0 - y * ux, along0 = alongAt0 + y * uy;
        // Pixels strictly inside the bounds; one lying on a bound has no coverage.
        double lo = -1, hi = lastColumn + 1;
        narrow(across0, perUy, -edge, edge, lo, hi);
        narrow(along0, perUx, -edge, len + edge, lo, hi);
        if (!(lo <= hi)) continue;
        const int first = floorInt(lo) + 1, last = ceilInt(hi) - 1;
        if (first > last) continue;
        std::uint32_t* dst = b.pixels + static_cast<long>(y) * b.stride + first;
        const int count = last - first + 1;
        checkSpan(b, y, first, count);
        coverage.row(dst, count, b.width - first, static_cast<float>(across0 + first * uy),
                     static_cast<float>(uy),
                     static_cast<float>(along0 + first * ux), static_cast<float>(ux));
    }
}

void rasterCircle(const PixelBuffer& b, double cx, double cy, double radius, double width,
                  std::uint32_t rgb, bool fill, std::uint32_t fillRgb) {
    const double hw = std::max(width, 1.0) / 2;
    const float strength = static_cast<float>(std::min(width, 1.0));
    const double outer = radius + hw + 0.5;
    const double inner = std::max(0.0, radius - hw - 0.5);
    const int y0 = std::max(b.topRow(), floorInt(cy - outer));
    const int y1 = std::min(b.bottomRow(), ceilInt(cy + outer));
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
    span_ = size_ + 4;  // room for a last group of four at the end of a row
    // Draw the ring white on black about the middle pixel's centre: its blue channel is then the
    // coverage.
    std::vector<std::uint32_t> canvas(static_cast<std::size_t>(size_ * size_), 0xff000000u);
    const PixelBuffer b{canvas.data(), size_, size_, size_};
    rasterCircle(b, half_ + 0.5, half_ + 0.5, radius, width, 0xffffff, false, 0);
    weights_.assign(static_cast<std::size_t>(size_ * span_), 0);
    inside_.assign(weights_.size(), 0);
    rows_.assign(static_cast<std::size_t>(size_), {});
    for (int y = 0; y < size_; ++y) {
        Row& row = rows_[static_cast<std::size_t>(y)];
        row = {size_, 0, half_, half_};
        const auto at = [&](int x) { return static_cast<std::size_t>(y * span_ + x); };
        for (int x = 0; x < size_; ++x) {
            const float coverage =
                static_cast<float>(canvas[static_cast<std::size_t>(y * size_ + x)] & 0xff) / 255.0f;
            weights_[at(x)] = static_cast<std::int16_t>(std::min(weight(coverage), 256u));
            const double dx = x - half_, dy = y - half_;
            inside_[at(x)] = dx * dx + dy * dy <= radius * radius ? 0xffffffffu : 0;
            if (weights_[at(x)] != 0 || inside_[at(x)] != 0) {
                row.first = std::min(row.first, x);
                row.end = std::max(row.end, x + 1);
            }
        }
        // The gap inside the ring, about the middle column, where the line puts no ink.
        if (weights_[at(half_)] == 0) {
            while (row.gapFirst > 0 && weights_[at(row.gapFirst - 1)] == 0) --row.gapFirst;
            while (row.gapEnd < size_ && weights_[at(row.gapEnd)] == 0) ++row.gapEnd;
        }
    }
}

void CircleStamp::draw(const PixelBuffer& b, double cx, double cy, std::uint32_t rgb, bool fill,
                       std::uint32_t fillRgb) const {
    const int px = floorInt(cx) - half_;
    const int py = floorInt(cy) - half_;
    const int x0 = std::max(0, -px), y0 = std::max(0, b.topRow() - py);
    const int x1 = std::min(size_, b.width - px), y1 = std::min(size_, b.bottomRow() + 1 - py);
    const std::uint32_t solid = 0xff000000u | fillRgb;
    const __m128i colour = colourLanes(rgb);
    const __m128i fill4 = _mm_set1_epi32(static_cast<int>(solid));
    for (int y = y0; y < y1; ++y) {
        const Row& row = rows_[static_cast<std::size_t>(y)];
        std::uint32_t* line = b.pixels + static_cast<long>(py + y) * b.stride + px;
        const std::int16_t* w = weights_.data() + y * span_;
        const std::uint32_t* inside = inside_.data() + y * span_;
        // A circle drawn without its inside skips the gap the ring leaves in the row.
        const auto pass = [&](int from, int to) {
            int x = std::max(x0, from);
            const int stop = std::min(x1, to);
            // Groups of four, the last reaching past the ink as far as the image allows: there
            // the weights are 0 and nothing is inside, or the pixels are the ring's own.
            for (; x < stop && x + 4 <= x1; x += 4) {
                __m128i* at = reinterpret_cast<__m128i*>(line + x);
                __m128i pixels = _mm_loadu_si128(at);
                if (fill) {
                    const __m128i in =
                        _mm_loadu_si128(reinterpret_cast<const __m128i*>(inside + x));
                    pixels = _mm_or_si128(_mm_and_si128(in, fill4), _mm_andnot_si128(in, pixels));
                }
                const __m128i w4 = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(w + x));
                _mm_storeu_si128(at, blend4(pixels, w4, colour));
            }
            for (; x < stop; ++x) {
                if (fill && inside[x]) line[x] = solid;
                if (w[x]) blend(line[x], rgb, static_cast<std::uint32_t>(w[x]));
            }
        };
        if (fill || row.gapEnd <= row.gapFirst) {
            pass(row.first, row.end);
        } else {
            pass(row.first, row.gapFirst);
            pass(row.gapEnd, row.end);
        }
    }
}

void rasterDot(const PixelBuffer& b, double x, double y, double size, std::uint32_t rgb) {
    const double s = std::max(size, 1.0);
    const int x0 = std::max(0, static_cast<int>(std::lround(x - s / 2)));
    const int y0 = std::max(b.topRow(), static_cast<int>(std::lround(y - s / 2)));
    const int x1 = std::min(b.width, static_cast<int>(std::lround(x - s / 2 + s)));
    const int y1 = std::min(b.bottomRow() + 1, static_cast<int>(std::lround(y - s / 2 + s)));
    for (int row = y0; row < y1; ++row) {
        std::uint32_t* p = b.pixels + static_cast<long>(row) * b.stride;
        std::fill(p + x0, p + std::max(x0, x1), 0xff000000u | rgb);
    }
}

DashPattern dashPatternOf(int style) {
    switch (style) {
        case kDash: return {{4, 2}, 2};
        case kDot: return {{1, 2}, 2};
        case kDashDot: return {{4, 2, 1, 2}, 4};
        case kDashDotDot: return {{4, 2, 1, 2, 1, 2}, 6};
        default: return {};
    }
}

void rasterDashedLine(const PixelBuffer& b, double x1, double y1, double x2, double y2,
                      double width, std::uint32_t rgb, const DashPattern& pattern) {
    const double dx = x2 - x1, dy = y2 - y1;
    const double len = std::sqrt(dx * dx + dy * dy);
    if (len == 0 || pattern.count == 0) return;
    const double unit = std::max(width, 1.0);
    // The dashes of one period, from the start of the line along it, in pixels.
    std::array<std::pair<double, double>, 3> dashes{};
    int dashCount = 0;
    double period = 0;
    for (int i = 0; i < pattern.count; ++i) {
        const double length = pattern.lengths[static_cast<std::size_t>(i)] * unit;
        if (i % 2 == 0) dashes[static_cast<std::size_t>(dashCount++)] = {period, period + length};
        period += length;
    }
    const double ux = dx / len, uy = dy / len;
    const double edge = unit / 2 + 0.5;
    const float strength = static_cast<float>(std::min(width, 1.0));
    // A pixel's share of the dashes about its distance along: each dash's flat ends soften over
    // a pixel, as the line's own ends do.
    const auto dashed = [&](double along) {
        if (along < -0.5 || along > len + 0.5) return 0.0;
        const double phase = along - std::floor(along / period) * period;
        double best = 0;
        for (int i = 0; i < dashCount; ++i)
            for (const double shift : {-period, 0.0, period}) {
                const auto [from, to] = dashes[static_cast<std::size_t>(i)];
                const double inside = std::min(phase - (from + shift), (to + shift) - phase) + 0.5;
                best = std::max(best, std::min(inside, 1.0));
            }
        return std::min(best, std::min(along, len - along) + 0.5);
    };
    const double reach = edge * (std::abs(ux) + std::abs(uy));
    const int row0 = std::max(b.topRow(), floorInt(std::min(y1, y2) - reach));
    const int row1 = std::min(b.bottomRow(), ceilInt(std::max(y1, y2) + reach));
    const double perUx = ux == 0 ? 0 : 1 / ux, perUy = uy == 0 ? 0 : 1 / uy;
    const double acrossAt0 = (0.5 - x1) * uy - (0.5 - y1) * ux;
    const double alongAt0 = (0.5 - x1) * ux + (0.5 - y1) * uy;
    // Grid lines are level or plumb, and on them a pixel's coverage is the lesser of a share
    // that depends on its column alone and one that depends on its row alone: along a level
    // line the dashes fall on the same columns in every row and the side on the row, down a
    // plumb one each row lies in one place of the pattern and the side falls on the same columns.
    if (ux == 0 || uy == 0) {
        const bool level = uy == 0;
        // A share of the line's coverage as a weight 0..256, thin lines' strength taken in.
        auto toWeight = [&](double share) {
            return static_cast<std::int16_t>(
                std::min(weight(std::max(static_cast<float>(share), 0.0f) * strength), 256u));
        };
        // The side's share at a distance across the centre line.
        auto sideWeight = [&](double across) {
            return toWeight(std::min(edge - std::abs(across), 1.0));
        };
        // Every row has the same columns: those the dashes span along a level line, the sides
        // across a plumb one.
        double lo = -1, hi = b.width;
        if (level)
            narrow(alongAt0, perUx, -0.5, len + 0.5, lo, hi);
        else
            narrow(acrossAt0, perUy, -edge, edge, lo, hi);
        if (!(lo <= hi)) return;
        const int first = floorInt(lo) + 1, last = ceilInt(hi) - 1;
        if (first > last) return;
        const int count = last - first + 1;
        // The dashes' weights at the pixels from k0 to k1 along the line, the distance along
        // being alongAt0 + k·step with a step of ±1. When the period is a whole number of
        // pixels, a pixel has the weight of the one a period before it, but within a pixel of
        // the line's ends.
        const int repeat = period == std::floor(period) ? static_cast<int>(period) : 0;
        auto dashWeights = [&](int k0, int k1, double step, std::vector<std::int16_t>& out) {
            for (int k = k0; k <= k1; ++k) {
                const double along = alongAt0 + k * step;
                const double before = along - repeat * step;
                const auto i = static_cast<std::size_t>(k - k0);
                out[i] = repeat > 0 && k - k0 >= repeat && std::min(along, before) > 1 &&
                                 std::max(along, before) < len - 1
                             ? out[i - static_cast<std::size_t>(repeat)]
                             : toWeight(dashed(along));
            }
        };
        // Room for a last group of eight, weighing nothing.
        std::vector<std::int16_t> columns(static_cast<std::size_t>((count + 7) & ~7), 0);
        if (level)
            dashWeights(first, last, ux, columns);
        else
            for (int x = first; x <= last; ++x)
                columns[static_cast<std::size_t>(x - first)] = sideWeight(acrossAt0 + x * uy);
        std::vector<std::int16_t> rows;
        if (!level && row0 <= row1) {
            rows.resize(static_cast<std::size_t>(row1 - row0 + 1));
            dashWeights(row0, row1, uy, rows);
        }
        const __m128i colour = colourLanes(rgb);
        for (int y = row0; y <= row1; ++y) {
            const std::int16_t rowWeight = level ? sideWeight(acrossAt0 - y * ux)
                                                 : rows[static_cast<std::size_t>(y - row0)];
            if (rowWeight == 0) continue;
            std::uint32_t* row = b.pixels + static_cast<long>(y) * b.stride;
            int x = first;
            const __m128i cap = _mm_set1_epi16(rowWeight);
            for (; x + 8 <= b.width && x <= last; x += 8) {
                const auto* at = &columns[static_cast<std::size_t>(x - first)];
                const __m128i w =
                    _mm_min_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(at)), cap);
                blend4(row + x, w, colour);
                blend4(row + x + 4, _mm_unpackhi_epi64(w, w), colour);
            }
            for (; x <= last; ++x) {
                const auto w = std::min(columns[static_cast<std::size_t>(x - first)], rowWeight);
                if (w > 0) blend(row[x], rgb, static_cast<std::uint32_t>(w));
            }
        }
        return;
    }
    for (int y = row0; y <= row1; ++y) {
        const double across0 = acrossAt0 - y * ux, along0 = alongAt0 + y * uy;
        double lo = -1, hi = b.width;
        narrow(across0, perUy, -edge, edge, lo, hi);
        narrow(along0, perUx, -0.5, len + 0.5, lo, hi);
        if (!(lo <= hi)) continue;
        const int first = floorInt(lo) + 1, last = ceilInt(hi) - 1;
        if (first > last) continue;
        std::uint32_t* row = b.pixels + static_cast<long>(y) * b.stride;
        for (int x = first; x <= last; ++x) {
            const double side = std::min(edge - std::abs(across0 + x * uy), 1.0);
            if (side <= 0) continue;
            const double cov = std::min(side, dashed(along0 + x * ux));
            if (cov > 0) blend(row[x], rgb, static_cast<float>(cov) * strength);
        }
    }
}

}  // namespace velarium
