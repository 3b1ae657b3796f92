#pragma once

#include <cstdint>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "draw/ColourProfile.h"
#include "draw/DrawRecord.h"
#include "draw/DrawTypes.h"
#include "draw/ViewTransform.h"

namespace velarium {

// A drawing surface with a user coordinate system. The scale gives the user coordinates of
// the top-left and bottom-right corners; a top larger than the bottom makes y grow upwards.
// The x and y scales are independent.
//
// The public operations keep the drawing state (scale, colours, width, style, current position)
// and refuse any primitive whose numbers are not finite; the refused ones are counted so that
// tests and the random-event run can see that nothing unsound reached the screen.
// Everything drawn since the last clear goes into the canvas's record, the one source of its
// picture; subclasses only render the primitives they are handed.
class PlotCanvas {
public:
    virtual ~PlotCanvas() = default;

    void setScale(double left, double top, double right, double bottom);
    double scaleLeft() const { return left_; }
    double scaleTop() const { return top_; }
    double scaleWidth() const { return width_; }
    double scaleHeight() const { return height_; }

    // Erases to the background colour and puts the current position at (0, 0).
    void clear();

    void line(double x1, double y1, double x2, double y2);
    void line(double x1, double y1, double x2, double y2, Rgb colour);
    void circle(double cx, double cy, double radius);
    void circle(double cx, double cy, double radius, Rgb colour);
    // Arc of a circle from angle start to angle end (radians, counter-clockwise from +x in a
    // y-up scale).
    void arc(double cx, double cy, double radius, double start, double end, Rgb colour);
    void point(double x, double y);
    void point(double x, double y, Rgb colour);

    // Prints with the text's top-left corner at the current position, then moves the current
    // position to the start of the next text line. A text printed again at the same place, in
    // the same colour and weight, adds nothing: the canvas keeps it once.
    void print(std::string_view text);
    // The texts printed since the last clear, in print order (what a screen reader reads).
    const std::vector<PrintedText>& printedTexts() const { return record_.printed(); }
    TextExtent textExtent(std::string_view text) const;

    void setCurrentPosition(double x, double y);
    double currentX() const { return curX_; }
    double currentY() const { return curY_; }

    void setForeColor(Rgb c) { fore_ = c; }
    Rgb foreColor() const { return fore_; }
    void setBackColor(Rgb c) { back_ = c; }
    Rgb backColor() const { return back_; }
    void setFillColor(Rgb c) { fillColour_ = c; }
    Rgb fillColor() const { return fillColour_; }
    void setDrawWidth(int pixels);
    int drawWidth() const { return width_px_; }
    void setDrawStyle(int style);
    int drawStyle() const { return style_; }
    void setFillStyle(int style);
    int fillStyle() const { return fill_; }
    void setBold(bool bold) { bold_ = bold; }
    bool bold() const { return bold_; }
    void setPersistent(bool on) { persistent_ = on; }
    bool persistent() const { return persistent_; }
    // Width, style, fill and weight together, as the record keeps them.
    Pen currentPen() const { return {width_px_, style_, fill_, fillColour_, bold_}; }

    // Layers: keep the picture as it stands in a slot, and put it back later. A screen draws
    // what a step leaves unchanged once, keeps it, and composes each step on top of it.
    void saveLayer(int slot);
    void restoreLayer(int slot);

    // The canvas's size in pixels, for measuring distances the way the eye sees them.
    virtual double pixelWidth() const = 0;
    virtual double pixelHeight() const = 0;
    // The map between the user scale and the canvas's pixels.
    ViewTransform view() const {
        return {left_, top_, width_, height_, pixelWidth(), pixelHeight()};
    }
    // What the canvas has drawn since its last clear.
    const DrawRecord& record() const { return record_; }

    // How much ink (lines, circles, arcs, points) drawn since the last clear meets a box given
    // in fractions of the canvas, 0 at the left and top edges: 0 when the box is free.
    int inkIn(double left, double top, double right, double bottom) const {
        return record_.ink().inkIn(left, top, right, bottom);
    }

    // Number of primitives (and scales) refused because a number was not finite.
    long refusedCount() const { return refused_; }

    // How the picture shows: in the program's colours, or in projector colours. The screens
    // draw in the program's colours either way; the canvas shows them through its profile, and
    // a change of profile shows the picture drawn since the last clear again.
    void setProfile(ColourProfile profile);
    const ColourProfile& profile() const { return profile_; }
    // Every colour the canvas has been asked to draw in since it was made (lines, circles, arcs,
    // points, texts and solid fills), each once: the colours its profile must show well.
    std::vector<Rgb> inks() const;

protected:
    // The canvas's own size in user units per pixel is the subclass's business; text metrics
    // come from it too.
    virtual void renderClear(Rgb) {}
    virtual void renderLine(double, double, double, double, Rgb) {}
    virtual void renderCircle(double, double, double, Rgb) {}
    virtual void renderArc(double, double, double, double, double, Rgb) {}
    virtual void renderPoint(double, double, Rgb) {}
    virtual void renderText(double, double, std::string_view, Rgb) {}
    virtual TextExtent measureText(std::string_view text) const = 0;
    // A layer is kept in the record; a subclass may keep its rendering of it beside.
    virtual void keepLayer(int) {}
    // Whether the subclass can show the kept slot: it may hold the slot's rendering, and it can
    // always draw a slot whose record is complete.
    virtual bool layerAvailable(int) const { return true; }
    // The record now holds the slot's picture again: show it.
    virtual void putBackLayer(int) {}
    virtual void scaleChanged() {}
    // The kept texts changed other than by a new print (a clear or a layer put back).
    virtual void printedTextsReset() {}
    virtual void profileChanged() {}
    void forgetCommands() { record_.forgetCommands(); }

private:
    bool refuse();
    void noteInk(Rgb colour);
    // The ink map, laid over the canvas's pixels on first use after a clear.
    InkGrid& ink();
    Scale scale() const { return {left_, top_, width_, height_}; }

    double left_ = 0, top_ = 0, width_ = 1, height_ = 1;
    double curX_ = 0, curY_ = 0;
    Rgb fore_ = kBlack;
    Rgb back_ = kWhite;
    Rgb fillColour_ = kBlack;
    int width_px_ = 1;
    int style_ = kSolid;
    int fill_ = kFillTransparent;
    bool bold_ = false;
    bool persistent_ = false;
    long refused_ = 0;
    ColourProfile profile_;
    // The inks as 0xRRGGBB, and before them the inks noted lately, each in a place of its own
    // by a hash: nearly every primitive repeats an ink seen a moment before, and the set's own
    // look-up costs a division per probe.
    static constexpr int kRecentInkBits = 10;
    std::unordered_set<std::uint32_t> inks_;
    std::vector<std::uint32_t> recentInks_ =
        std::vector<std::uint32_t>(std::size_t{1} << kRecentInkBits, 0xffffffffu);
    DrawRecord record_;
};

}  // namespace velarium
