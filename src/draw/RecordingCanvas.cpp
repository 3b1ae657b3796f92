#include "draw/RecordingCanvas.h"

#include <cmath>

namespace velarium {

namespace {
// The record replayed as a list of primitives, each stamped with the pen in force.
class PrimitiveList : public RecordReplay {
public:
    explicit PrimitiveList(std::vector<Primitive>& out) : out_(out) {}
    void clear(Rgb) override {}
    void scale(const Scale&) override {}
    void pen(const Pen& pen) override { pen_ = pen; }
    void line(double x1, double y1, double x2, double y2, Rgb colour) override {
        Primitive& p = add(Primitive::Kind::Line, colour);
        p.x1 = x1;
        p.y1 = y1;
        p.x2 = x2;
        p.y2 = y2;
    }
    void circle(double cx, double cy, double radius, Rgb colour) override {
        Primitive& p = add(Primitive::Kind::Circle, colour);
        p.x1 = cx;
        p.y1 = cy;
        p.radius = radius;
    }
    void arc(double cx, double cy, double radius, double start, double end, Rgb colour) override {
        Primitive& p = add(Primitive::Kind::Arc, colour);
        p.x1 = cx;
        p.y1 = cy;
        p.radius = radius;
        p.start = start;
        p.end = end;
    }
    void point(double x, double y, Rgb colour) override {
        Primitive& p = add(Primitive::Kind::Point, colour);
        p.x1 = x;
        p.y1 = y;
    }
    void text(const PrintedText& t) override {
        Primitive& p = add(Primitive::Kind::Text, t.colour);
        p.x1 = t.x;
        p.y1 = t.y;
        p.text = t.text;
    }

private:
    Primitive& add(Primitive::Kind kind, Rgb colour) {
        Primitive& p = out_.emplace_back();
        p.kind = kind;
        p.colour = colour;
        p.width = pen_.width;
        p.style = pen_.style;
        p.fill = pen_.fill;
        p.bold = pen_.bold;
        return p;
    }

    std::vector<Primitive>& out_;
    Pen pen_;
};
}  // namespace

const std::vector<Primitive>& RecordingCanvas::records() const {
    if (readAt_ != record().changes()) {
        primitives_.clear();
        PrimitiveList list(primitives_);
        record().replay(list);
        readAt_ = record().changes();
    }
    return primitives_;
}

std::vector<Primitive> RecordingCanvas::recordsOf(Primitive::Kind kind) const {
    std::vector<Primitive> out;
    for (const auto& p : records())
        if (p.kind == kind) out.push_back(p);
    return out;
}

std::vector<std::string> RecordingCanvas::texts() const {
    std::vector<std::string> out;
    for (const auto& p : records())
        if (p.kind == Primitive::Kind::Text) out.push_back(p.text);
    return out;
}

TextExtent RecordingCanvas::measureText(std::string_view text) const {
    // Count code points, not bytes, so Greek letters measure one glyph each.
    int glyphs = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80) ++glyphs;
    return {std::abs(scaleWidth()) * glyphs * kGlyphWidth / pixelWidth_,
            std::abs(scaleHeight()) * kGlyphHeight / pixelHeight_};
}

}  // namespace velarium
