#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "draw/Raster.h"

namespace velarium {

// The raster work of one batch of drawing, kept until its image is wanted and then done band by
// band: every fill, primitive and layer copy of the batch goes over a band of rows small enough
// to stay in the processor's cache before the next band is begun. A canvas at a device pixel
// ratio of 2 is a 13 MB image; primitives drawn one after another over all of it wait on main
// memory at row after row. The pixels come out exactly as if each piece of work were done over
// the whole image in turn.
//
// Kept layers are copied on write, band by band: keeping a layer copies nothing, and the columns
// of a band are copied into the layer only when the image is about to change there; putting a
// layer back copies only the columns the image has changed since. A screen that keeps its
// picture, draws a few arrows over it and puts it back copies the arrows' part of their bands,
// not 13 MB twice.
class RasterBatch {
public:
    // The whole image in one colour.
    void fill(std::uint32_t rgb);
    void line(double x1, double y1, double x2, double y2, double width, std::uint32_t rgb);
    // A line in the dashes of a line style (see dashPatternOf).
    void dashedLine(double x1, double y1, double x2, double y2, double width, std::uint32_t rgb,
                    int style);
    // A circle, through a stamp when it is small.
    void circle(double cx, double cy, double radius, double width, std::uint32_t rgb, bool fill,
                std::uint32_t fillRgb);
    void dot(double x, double y, double size, std::uint32_t rgb);
    // The image as it stands at this point of the batch, kept in slot's layer, whose pixels are
    // target (of the image's size).
    void keep(int slot, const PixelBuffer& target);
    // The image replaced by slot's layer at this point of the batch.
    void putBack(int slot);
    // Layers no longer kept: their pixels are gone or of another size.
    void forgetLayers();

    bool empty() const { return ops_.empty(); }
    // Whether a layer was kept since the batch was last run: work that covers the whole image
    // can then no longer drop what came before it.
    bool keptSinceRun() const { return keptInBatch_; }
    // Does the work into image and empties the batch.
    void run(const PixelBuffer& image);
    // Forgets the work not yet done.
    void drop();
    // The image is about to be written outside the batch in columns [left, right] of rows
    // [top, bottom]: the kept layers take their copies of those first. The batch must be empty.
    void beforeWriting(const PixelBuffer& image, int left, int top, int right, int bottom);

private:
    enum class Kind : std::uint8_t { Fill, Line, DashedLine, Circle, Stamp, Dot, Keep, PutBack };
    struct Op {
        Kind kind;
        bool fill;
        int top, bottom;  // the rows the work may touch, both included
        std::uint32_t rgb, fillRgb;
        int index;  // of the stamp, the layer's slot or the dashed line's style
        double v[5];
    };
    // Columns [from, to) of a band.
    struct Columns {
        int from = 0, to = 0;
        bool empty() const { return from >= to; }
    };
    // A kept layer, and per band the columns of which the layer holds its own copy: elsewhere
    // the band is as the image has it.
    struct Layer {
        PixelBuffer pixels;
        std::vector<Columns> own;
    };
    static constexpr Columns kEveryColumn{-(1 << 30), 1 << 30};
    // Work that covers the whole image: what came before it no longer shows, unless a layer
    // was kept in between.
    void wholeImage(Op op);
    void add(Op op);
    void runOne(std::size_t j, const PixelBuffer& band, int k);
    // The box of a primitive's points, and how far past it its pixels reach; the whole image
    // for other work.
    struct Reach {
        double reach, x1, y1, x2, y2;
    };
    static Reach reachOf(Kind kind, const double* v);
    // The columns the work may touch, found as its rows are.
    static Columns columnsOf(const Op& op);
    // The rows of a band of image; each layer's list of bands sized to them, the bands new to it
    // its own.
    int sizeBands(const PixelBuffer& image);
    // Columns [left, right] of band k of the image are about to change: layers sharing them
    // take their copy, but for those in the mask rekept (by their place in layers_), which are
    // kept again before they are read.
    void copyBeforeWriting(const PixelBuffer& band, int k, std::uint32_t rekept, int left,
                           int right);
    // The place of slot's layer in layers_, or its size where the slot has none.
    std::size_t placeOf(int slot) const;

    std::vector<Op> ops_;
    std::vector<CircleStamp> stamps_;
    std::vector<std::pair<int, Layer>> layers_;
    bool keptInBatch_ = false;
    // Per run: the work per band, and per piece of work the layers kept again after it.
    std::vector<int> bandStart_, bandOps_;
    std::vector<std::uint32_t> rekept_;
};

}  // namespace velarium
