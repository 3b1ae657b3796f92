#pragma once

#include <map>
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

// A canvas that keeps every primitive instead of rendering it. Core tests read the records;
// text is measured with a fixed glyph box on a canvas of the given pixel size.
class RecordingCanvas : public PlotCanvas {
public:
    explicit RecordingCanvas(int pixelWidth = 400, int pixelHeight = 400)
        : pixelWidth_(pixelWidth), pixelHeight_(pixelHeight) {}

    const std::vector<Primitive>& records() const { return records_; }
    std::vector<Primitive> recordsOf(Primitive::Kind kind) const;
    std::vector<std::string> texts() const;
    int clearCount() const { return clears_; }
    void forget() { records_.clear(); }

    double pixelWidth() const override { return pixelWidth_; }
    double pixelHeight() const override { return pixelHeight_; }

    static constexpr int kGlyphWidth = 6;
    static constexpr int kGlyphHeight = 13;

protected:
    void renderClear(Rgb background) override;
    void renderLine(double x1, double y1, double x2, double y2, Rgb colour) override;
    void renderCircle(double cx, double cy, double radius, Rgb colour) override;
    void renderArc(double cx, double cy, double radius, double start, double end,
                   Rgb colour) override;
    void renderPoint(double x, double y, Rgb colour) override;
    void renderText(double x, double y, std::string_view text, Rgb colour) override;
    TextExtent measureText(std::string_view text) const override;
    void keepLayer(int slot) override { layers_[slot] = records_; }
    bool putBackLayer(int slot) override;

private:
    Primitive stamp(Primitive::Kind kind, Rgb colour) const;

    int pixelWidth_;
    int pixelHeight_;
    std::vector<Primitive> records_;
    std::map<int, std::vector<Primitive>> layers_;
    int clears_ = 0;
};

}  // namespace velarium
