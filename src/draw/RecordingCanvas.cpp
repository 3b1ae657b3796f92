#include "draw/RecordingCanvas.h"

#include <cmath>

namespace velarium {

std::vector<Primitive> RecordingCanvas::recordsOf(Primitive::Kind kind) const {
    std::vector<Primitive> out;
    for (const auto& p : records_)
        if (p.kind == kind) out.push_back(p);
    return out;
}

std::vector<std::string> RecordingCanvas::texts() const {
    std::vector<std::string> out;
    for (const auto& p : records_)
        if (p.kind == Primitive::Kind::Text) out.push_back(p.text);
    return out;
}

Primitive RecordingCanvas::stamp(Primitive::Kind kind, Rgb colour) const {
    Primitive p;
    p.kind = kind;
    p.colour = colour;
    p.width = drawWidth();
    p.style = drawStyle();
    p.fill = fillStyle();
    p.bold = bold();
    return p;
}

void RecordingCanvas::renderClear(Rgb) {
    records_.clear();
    ++clears_;
}

void RecordingCanvas::renderLine(double x1, double y1, double x2, double y2, Rgb colour) {
    Primitive p = stamp(Primitive::Kind::Line, colour);
    p.x1 = x1;
    p.y1 = y1;
    p.x2 = x2;
    p.y2 = y2;
    records_.push_back(std::move(p));
}

void RecordingCanvas::renderCircle(double cx, double cy, double radius, Rgb colour) {
    Primitive p = stamp(Primitive::Kind::Circle, colour);
    p.x1 = cx;
    p.y1 = cy;
    p.radius = radius;
    records_.push_back(std::move(p));
}

void RecordingCanvas::renderArc(double cx, double cy, double radius, double start, double end,
                                Rgb colour) {
    Primitive p = stamp(Primitive::Kind::Arc, colour);
    p.x1 = cx;
    p.y1 = cy;
    p.radius = radius;
    p.start = start;
    p.end = end;
    records_.push_back(std::move(p));
}

void RecordingCanvas::renderPoint(double x, double y, Rgb colour) {
    Primitive p = stamp(Primitive::Kind::Point, colour);
    p.x1 = x;
    p.y1 = y;
    records_.push_back(std::move(p));
}

void RecordingCanvas::renderText(double x, double y, std::string_view text, Rgb colour) {
    Primitive p = stamp(Primitive::Kind::Text, colour);
    p.x1 = x;
    p.y1 = y;
    p.text = std::string(text);
    records_.push_back(std::move(p));
}

TextExtent RecordingCanvas::measureText(std::string_view text) const {
    // Count code points, not bytes, so Greek letters measure one glyph each.
    int glyphs = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80) ++glyphs;
    return {std::abs(scaleWidth()) * glyphs * kGlyphWidth / pixelWidth_,
            std::abs(scaleHeight()) * kGlyphHeight / pixelHeight_};
}

bool RecordingCanvas::putBackLayer(int slot) {
    auto it = layers_.find(slot);
    if (it == layers_.end()) return false;
    records_ = it->second;
    return true;
}

}  // namespace velarium
