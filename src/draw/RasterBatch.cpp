#include "draw/RasterBatch.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include <emmintrin.h>

#include "numeric/VectorRegisters.h"

namespace velarium {

namespace {
// A band's rows take about this many bytes: a few bands fit in a core's cache together with the
// work that goes over them.
constexpr long kBandBytes = 512 * 1024;

// Rows or columns as ints, far coordinates held well inside int range.
int indexBelow(double y) { return static_cast<int>(std::floor(std::clamp(y, -1.0e8, 1.0e8))) - 1; }
int indexAbove(double y) { return static_cast<int>(std::ceil(std::clamp(y, -1.0e8, 1.0e8))) + 1; }
constexpr int kAllRows = 1 << 30;

// A row copied into a layer, which is not read again before the next event: stored past the
// cache, so that the copy neither reads the layer's old pixels from memory first nor pushes the
// band being drawn out of the cache.
void streamRow(std::uint32_t* to, const std::uint32_t* from, int count) {
    int i = 0;
    while (i < count && (reinterpret_cast<std::uintptr_t>(to + i) & 15) != 0) {
        to[i] = from[i];
        ++i;
    }
    for (; i + 4 <= count; i += 4)
        _mm_stream_si128(reinterpret_cast<__m128i*>(to + i),
                         _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i)));
    std::copy(from + i, from + count, to + i);
}

// count pixels from to set to one value. A string store writes whole cache lines without first
// reading them from memory, as a loop of vector stores does.
void fillPixels(std::uint32_t* to, std::size_t count, std::uint32_t value) {
    asm volatile("rep stosl" : "+D"(to), "+c"(count) : "a"(value) : "memory");
}

// The band's rows set to one value, in one store where they lie back to back.
void fillRows(const PixelBuffer& band, std::uint32_t value) {
    const int top = band.topRow(), rows = band.bottomRow() - top + 1;
    if (rows <= 0) return;
    std::uint32_t* first = band.pixels + static_cast<long>(top) * band.stride;
    const auto width = static_cast<std::size_t>(band.width);
    if (band.stride == band.width) {
        fillPixels(first, width * static_cast<std::size_t>(rows), value);
        return;
    }
    for (int y = 0; y < rows; ++y) fillPixels(first + static_cast<long>(y) * band.stride, width, value);
}
}  // namespace

RasterBatch::Reach RasterBatch::reachOf(Kind kind, const double* v) {
    switch (kind) {
        case Kind::Line:
        case Kind::DashedLine:
            // A squared end reaches at most √2 half-widths past its end point.
            return {(std::max(v[4], 1.0) / 2 + 0.5) * 1.5, std::min(v[0], v[2]),
                    std::min(v[1], v[3]), std::max(v[0], v[2]), std::max(v[1], v[3])};
        case Kind::Circle:
        case Kind::Stamp:
            return {v[2] + std::max(v[3], 1.0) / 2 + 1, v[0], v[1], v[0], v[1]};
        case Kind::Dot:
            return {std::max(v[2], 1.0), v[0], v[1], v[0], v[1]};
        default:
            return {1.0e9, 0, 0, 0, 0};
    }
}

void RasterBatch::add(Op op) {
    const Reach r = reachOf(op.kind, op.v);
    op.top = indexBelow(r.y1 - r.reach);
    op.bottom = indexAbove(r.y2 + r.reach);
    ops_.push_back(op);
}

void RasterBatch::wholeImage(Op op) {
    if (!keptInBatch_) ops_.clear();
    op.top = -kAllRows;
    op.bottom = kAllRows;
    ops_.push_back(op);
}

void RasterBatch::fill(std::uint32_t rgb) { wholeImage({Kind::Fill, false, 0, 0, rgb, 0, 0, {}}); }

void RasterBatch::line(double x1, double y1, double x2, double y2, double width,
                       std::uint32_t rgb) {
    add({Kind::Line, false, 0, 0, rgb, 0, 0, {x1, y1, x2, y2, width}});
}

void RasterBatch::dashedLine(double x1, double y1, double x2, double y2, double width,
                             std::uint32_t rgb, int style) {
    add({Kind::DashedLine, false, 0, 0, rgb, 0, style, {x1, y1, x2, y2, width}});
}

void RasterBatch::circle(double cx, double cy, double radius, double width, std::uint32_t rgb,
                         bool fill, std::uint32_t fillRgb) {
    Op op{Kind::Circle, fill, 0, 0, rgb, fillRgb, 0, {cx, cy, radius, width, 0}};
    if (radius <= CircleStamp::kLargestRadius) {
        op.kind = Kind::Stamp;
        const auto same = std::find_if(stamps_.begin(), stamps_.end(), [&](const CircleStamp& s) {
            return s.matches(radius, width);
        });
        op.index = static_cast<int>(same - stamps_.begin());
        if (same == stamps_.end()) stamps_.emplace_back(radius, width);
    }
    add(op);
}

void RasterBatch::dot(double x, double y, double size, std::uint32_t rgb) {
    add({Kind::Dot, false, 0, 0, rgb, 0, 0, {x, y, size, 0, 0}});
}

RasterBatch::Columns RasterBatch::columnsOf(const Op& op) {
    if (op.kind == Kind::Fill) return kEveryColumn;
    const Reach r = reachOf(op.kind, op.v);
    return {indexBelow(r.x1 - r.reach), indexAbove(r.x2 + r.reach) + 1};
}

int RasterBatch::sizeBands(const PixelBuffer& image) {
    const int bandRows =
        static_cast<int>(std::max(8L, kBandBytes / (static_cast<long>(image.stride) * 4)));
    const int bands = (image.height + bandRows - 1) / bandRows;
    for (auto& [slot, l] : layers_) l.own.resize(static_cast<std::size_t>(bands), kEveryColumn);
    return bandRows;
}

std::size_t RasterBatch::placeOf(int slot) const {
    std::size_t i = 0;
    while (i < layers_.size() && layers_[i].first != slot) ++i;
    return i;
}

void RasterBatch::keep(int slot, const PixelBuffer& target) {
    // Until the keeping is done, the layer's pixels are its own, whatever they hold.
    const std::size_t at = placeOf(slot);
    if (at == layers_.size())
        layers_.push_back({slot, {target, {}}});
    else
        layers_[at].second.pixels = target;
    keptInBatch_ = true;
    add({Kind::Keep, false, 0, 0, 0, 0, slot, {}});
}

void RasterBatch::putBack(int slot) {
    if (placeOf(slot) < layers_.size()) wholeImage({Kind::PutBack, false, 0, 0, 0, 0, slot, {}});
}

void RasterBatch::forgetLayers() { layers_.clear(); }

void RasterBatch::drop() {
    ops_.clear();
    keptInBatch_ = false;
    // Stamps of a few sizes are kept for the next batches.
    if (stamps_.size() > 8) stamps_.clear();
}

void RasterBatch::copyBeforeWriting(const PixelBuffer& band, int k, std::uint32_t rekept,
                                    int left, int right) {
    const int from = std::max(left, 0), to = std::min(right + 1, band.width);
    if (from >= to) return;
    // The layer's copy of columns [a, b) of the band.
    auto copy = [&](const Layer& l, int a, int b) {
        for (int y = band.topRow(); y <= band.bottomRow() && a < b; ++y)
            streamRow(l.pixels.pixels + static_cast<long>(y) * l.pixels.stride + a,
                      band.pixels + static_cast<long>(y) * band.stride + a, b - a);
    };
    for (std::size_t i = 0; i < layers_.size(); ++i) {
        Layer& l = layers_[i].second;
        Columns& own = l.own[static_cast<std::size_t>(k)];
        if ((own.from <= from && own.to >= to) || (i < 32 && (rekept >> i & 1))) continue;
        // The layer's own columns grow to take in the new ones, and the image's columns between
        // the two, unchanged since the keeping, with them.
        if (own.empty()) {
            copy(l, from, to);
            own = {from, to};
        } else {
            copy(l, from, own.from);
            copy(l, own.to, to);
            own = {std::min(own.from, from), std::max(own.to, to)};
        }
        _mm_sfence();
    }
}

void RasterBatch::beforeWriting(const PixelBuffer& image, int left, int top, int right,
                                int bottom) {
    if (bottom < 0 || top >= image.height || image.width <= 0) return;
    const int bandRows = sizeBands(image);
    const int first = std::max(top, 0) / bandRows;
    const int last = std::min(bottom, image.height - 1) / bandRows;
    for (int k = first; k <= last; ++k) {
        PixelBuffer band = image;
        band.firstRow = k * bandRows;
        band.endRow = (k + 1) * bandRows;
        copyBeforeWriting(band, k, 0, left, right);
    }
}

void RasterBatch::runOne(std::size_t j, const PixelBuffer& band, int k) {
    const Op& op = ops_[j];
    const double* v = op.v;
    const auto bandIndex = static_cast<std::size_t>(k);
    Layer* layer = nullptr;
    if (op.kind == Kind::Keep || op.kind == Kind::PutBack) {
        const std::size_t at = placeOf(op.index);
        if (at == layers_.size()) return;
        layer = &layers_[at].second;
    }
    if (op.kind == Kind::Keep) {
        layer->own[bandIndex] = {};
        return;
    }
    // A layer put back changes only the columns it does not share with the image.
    if (op.kind == Kind::PutBack) {
        const Columns own = layer->own[bandIndex];
        if (own.empty()) return;
        copyBeforeWriting(band, k, rekept_[j], own.from, own.to - 1);
    } else if (!layers_.empty()) {
        const Columns reach = columnsOf(op);
        copyBeforeWriting(band, k, rekept_[j], reach.from, reach.to - 1);
    }
    switch (op.kind) {
        case Kind::Fill:
            fillRows(band, 0xff000000u | op.rgb);
            break;
        case Kind::Line:
            rasterLine(band, v[0], v[1], v[2], v[3], v[4], op.rgb);
            break;
        case Kind::DashedLine:
            rasterDashedLine(band, v[0], v[1], v[2], v[3], v[4], op.rgb, dashPatternOf(op.index));
            break;
        case Kind::Circle:
            rasterCircle(band, v[0], v[1], v[2], v[3], op.rgb, op.fill, op.fillRgb);
            break;
        case Kind::Stamp:
            stamps_[static_cast<std::size_t>(op.index)].draw(band, v[0], v[1], op.rgb, op.fill,
                                                             op.fillRgb);
            break;
        case Kind::Dot:
            rasterDot(band, v[0], v[1], v[2], op.rgb);
            break;
        case Kind::PutBack: {
            const Columns own = layer->own[bandIndex];
            const int from = std::max(own.from, 0), to = std::min(own.to, band.width);
            for (int y = band.topRow(); y <= band.bottomRow() && from < to; ++y)
                std::memcpy(band.pixels + static_cast<long>(y) * band.stride + from,
                            layer->pixels.pixels + static_cast<long>(y) * layer->pixels.stride +
                                from,
                            static_cast<std::size_t>(to - from) * 4);
            // The band is now as the layer has it: shared again.
            layer->own[bandIndex] = {};
            break;
        }
        case Kind::Keep:
            break;
    }
}

void RasterBatch::run(const PixelBuffer& image) {
    if (ops_.empty() || image.width <= 0 || image.height <= 0) {
        drop();
        return;
    }
    clearUpperVectorHalves();
    const int bandRows = sizeBands(image);
    const int bands = (image.height + bandRows - 1) / bandRows;
    // A layer kept again later in the batch, and not put back before, needs no copy of what
    // the image had: its next keeping replaces it.
    rekept_.resize(ops_.size());
    std::uint32_t rekept = 0;
    for (std::size_t j = ops_.size(); j-- > 0;) {
        rekept_[j] = rekept;
        const Op& op = ops_[j];
        if (op.kind != Kind::Keep && op.kind != Kind::PutBack) continue;
        const std::size_t bit = placeOf(op.index);
        if (bit >= 32) continue;
        if (op.kind == Kind::Keep)
            rekept |= 1u << bit;
        else
            rekept &= ~(1u << bit);
    }
    // Each piece of work listed under every band it may touch, in order: a counting sort.
    auto bandsOf = [&](const Op& op, int& first, int& last) {
        first = std::clamp(op.top, 0, image.height - 1) / bandRows;
        last = std::clamp(op.bottom, 0, image.height - 1) / bandRows;
        return op.bottom >= 0 && op.top < image.height;
    };
    bandStart_.assign(static_cast<std::size_t>(bands) + 1, 0);
    for (const Op& op : ops_) {
        int first, last;
        if (!bandsOf(op, first, last)) continue;
        for (int k = first; k <= last; ++k) ++bandStart_[static_cast<std::size_t>(k) + 1];
    }
    for (int k = 0; k < bands; ++k)
        bandStart_[static_cast<std::size_t>(k) + 1] += bandStart_[static_cast<std::size_t>(k)];
    bandOps_.resize(static_cast<std::size_t>(bandStart_.back()));
    std::vector<int> next(bandStart_.begin(), bandStart_.end() - 1);
    for (int i = 0; i < static_cast<int>(ops_.size()); ++i) {
        int first, last;
        if (!bandsOf(ops_[static_cast<std::size_t>(i)], first, last)) continue;
        for (int k = first; k <= last; ++k) bandOps_[static_cast<std::size_t>(next[k]++)] = i;
    }
    for (int k = 0; k < bands; ++k) {
        PixelBuffer band = image;
        band.firstRow = std::max(image.topRow(), k * bandRows);
        band.endRow = std::min(image.bottomRow() + 1, (k + 1) * bandRows);
        for (int j = bandStart_[static_cast<std::size_t>(k)];
             j < bandStart_[static_cast<std::size_t>(k) + 1]; ++j)
            runOne(static_cast<std::size_t>(bandOps_[static_cast<std::size_t>(j)]), band, k);
    }
    drop();
}

}  // namespace velarium
