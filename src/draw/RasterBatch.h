#pragma once

#include <cstdint>
#include <vector>

#include "draw/Raster.h"

namespace velarium {

// The raster work of one batch of drawing, kept until its image is wanted and then done band by
// band: every fill, primitive and layer copy of the batch goes over a band of rows small enough
// to stay in the processor's cache before the next band is begun. A canvas at a device pixel
// ratio of 2 is a 13 MB image; primitives drawn one after another over all of it wait on main
// memory at row after row. The pixels come out exactly as if each piece of work were done over
// the whole image in turn.
class RasterBatch {
public:
    // The whole image in one colour.
    void fill(std::uint32_t rgb);
    void line(double x1, double y1, double x2, double y2, double width, std::uint32_t rgb);
    // A circle, through a stamp when it is small.
    void circle(double cx, double cy, double radius, double width, std::uint32_t rgb, bool fill,
                std::uint32_t fillRgb);
    void dot(double x, double y, double size, std::uint32_t rgb);
    // The image as it stands at this point of the batch, copied into target (of the image's size).
    void copyTo(const PixelBuffer& target);
    // The image replaced by source (of the image's size) at this point of the batch.
    void copyFrom(const PixelBuffer& source);

    bool empty() const { return ops_.empty(); }
    // Does the work into image and empties the batch.
    void run(const PixelBuffer& image);
    // Forgets the work not yet done.
    void drop();

private:
    enum class Kind : std::uint8_t { Fill, Line, Circle, Stamp, Dot, CopyTo, CopyFrom };
    struct Op {
        Kind kind;
        bool fill;
        int top, bottom;  // the rows the work may touch, both included
        std::uint32_t rgb, fillRgb;
        int index;  // of the stamp or the buffer
        double v[5];
    };
    // Work that covers the whole image: what came before it no longer shows, unless a copy took
    // it somewhere else.
    void wholeImage(Op op);
    void add(Op op);
    void runOne(const Op& op, const PixelBuffer& band) const;

    std::vector<Op> ops_;
    std::vector<PixelBuffer> buffers_;
    std::vector<CircleStamp> stamps_;
    bool copiesOut_ = false;
    // Work per band, rebuilt for each run.
    std::vector<int> bandStart_, bandOps_;
};

}  // namespace velarium
