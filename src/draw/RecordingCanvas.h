#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "draw/PlotCanvas.h"

namespace velarium {

// One drawn primitive, in user units, with the drawing state it was drawn in.
struct Primitive {
    enum class Kind { Line, Circle, Arc, Point, Text };
    Kind kind = Kind::Line;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // line ends; centre or point or text corner in x1, y1
    double radius = 0;
    double start = 0, end = 0;  // arc angles
    std::string text;
    Rgb colour;
    int width = 1;
    int style = kSolid;
    int fill = kFillTransparent;
    bool bold = false;
};

// A canvas that renders nothing: core tests read its record as a list of primitives, each with
// the pen it was drawn with. Text is measured with a fixed glyph box on a canvas of the given
// pixel size.
class RecordingCanvas : public PlotCanvas {
public:
    explicit RecordingCanvas(int pixelWidth = 400, int pixelHeight = 400)
        : pixelWidth_(pixelWidth), pixelHeight_(pixelHeight) {}

    // The primitives drawn since the last clear (or forget), in drawing order.
    const std::vector<Primitive>& records() const;
    std::vector<Primitive> recordsOf(Primitive::Kind kind) const;
    std::vector<std::string> texts() const;
    int clearCount() const { return clears_; }
    // Forgets the primitives drawn so far, so that the next ones can be read alone.
    void forget() { forgetCommands(); }

    double pixelWidth() const override { return pixelWidth_; }
    double pixelHeight() const override { return pixelHeight_; }

    static constexpr int kGlyphWidth = 6;
    static constexpr int kGlyphHeight = 13;

protected:
    void renderClear(Rgb) override { ++clears_; }
    TextExtent measureText(std::string_view text) const override;

private:
    int pixelWidth_;
    int pixelHeight_;
    int clears_ = 0;
    // The primitives as last read from the record, and the record's state then.
    mutable std::vector<Primitive> primitives_;
    mutable std::uint64_t readAt_ = ~std::uint64_t{0};
};

}  // namespace velarium
