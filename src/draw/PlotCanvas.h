#pragma once

#include <cmath>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "draw/ColourProfile.h"
#include "draw/InkGrid.h"

namespace velarium {

// Size of a text in user units (always positive).
struct TextExtent {
    double width = 0;
    double height = 0;
};

// A text printed since the canvas's last clear. Its box is in fractions of the canvas, 0 at the
// left and top edges and 1 at the right and bottom ones, so it stays put when the scale changes.
struct PrintedText {
    std::string text;
    double x = 0, y = 0;  // top-left corner in the user units of its printing
    double left = 0, top = 0, right = 0, bottom = 0;
    Rgb colour;
    bool bold = false;
};

// Line styles of a canvas.
enum DrawStyle : int { kSolid = 0, kDash = 1, kDot = 2, kDashDot = 3, kDashDotDot = 4 };

// Fill styles of circles: 0 solid, 1 transparent (the default), 2..7 hatches.
enum FillStyle : int {
    kFillSolid = 0,
    kFillTransparent = 1,
    kFillHorizontal = 2,
    kFillVertical = 3,
    kFillUpwardDiagonal = 4,
    kFillDownwardDiagonal = 5,
    kFillCross = 6,
    kFillDiagonalCross = 7
};

// A drawing surface with a user coordinate system. The scale gives the user coordinates of
// the top-left and bottom-right corners; a top larger than the bottom makes y grow upwards.
// The x and y scales are independent.
//
// The public operations keep the drawing state (scale, colours, width, style, current position)
// and refuse any primitive whose numbers are not finite; the refused ones are counted so that
// tests and the random-event run can see that nothing unsound reached the screen.
// Subclasses only render the primitives they are handed.
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
    const std::vector<PrintedText>& printedTexts() const { return printed_; }
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

    // Layers: keep the picture as it stands in a slot, and put it back later. A screen draws
    // what a step leaves unchanged once, keeps it, and composes each step on top of it.
    void saveLayer(int slot);
    void restoreLayer(int slot);

    // The canvas's size in pixels, for measuring distances the way the eye sees them.
    virtual double pixelWidth() const = 0;
    virtual double pixelHeight() const = 0;

    // How much ink (lines, circles, arcs, points) drawn since the last clear meets a box given
    // in fractions of the canvas, 0 at the left and top edges: 0 when the box is free.
    int inkIn(double left, double top, double right, double bottom) const {
        return ink_.inkIn(left, top, right, bottom);
    }

    // Number of primitives (and scales) refused because a number was not finite.
    long refusedCount() const { return refused_; }

    // How the picture shows: in the program's colours, or in projector colours. The screens
    // draw in the program's colours either way; the canvas shows them through its profile, and
    // a change of profile shows the picture drawn since the last clear again.
    void setProfile(ColourProfile profile);
    const ColourProfile& profile() const { return profile_; }
    // Every colour the canvas has been asked to draw in since it was made (lines, circles, arcs,
    // points, texts and solid fills), each once, in order of first use: the colours its profile
    // must show well.
    const std::vector<Rgb>& inks() const { return inks_; }

protected:
    // The canvas's own size in user units per pixel is the subclass's business; text metrics
    // come from it too.
    virtual void renderClear(Rgb background) = 0;
    virtual void renderLine(double x1, double y1, double x2, double y2, Rgb colour) = 0;
    virtual void renderCircle(double cx, double cy, double radius, Rgb colour) = 0;
    virtual void renderArc(double cx, double cy, double radius, double start, double end,
                           Rgb colour) = 0;
    virtual void renderPoint(double x, double y, Rgb colour) = 0;
    virtual void renderText(double x, double y, std::string_view text, Rgb colour) = 0;
    virtual TextExtent measureText(std::string_view text) const = 0;
    virtual void keepLayer(int slot) = 0;
    // Returns whether the slot held a picture of the current size and was put back.
    virtual bool putBackLayer(int slot) = 0;
    virtual void scaleChanged() {}
    // The kept texts changed other than by a new print (a clear or a layer put back).
    virtual void printedTextsReset() {}
    virtual void profileChanged() {}

private:
    bool refuse();
    void noteInk(Rgb colour);
    // The ink map, laid over the canvas's pixels on first use after a clear.
    InkGrid& ink();
    double fractionX(double x) const { return (x - left_) / width_; }
    double fractionY(double y) const { return (y - top_) / height_; }
    // A length along x in user units, in pixels: radii are measured along x.
    double pixelsAlongX(double length) const { return std::abs(length / width_) * pixelWidth(); }

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
    std::vector<Rgb> inks_;
    std::vector<PrintedText> printed_;
    std::map<int, std::vector<PrintedText>> printedLayers_;
    InkGrid ink_;
    std::map<int, InkGrid> inkLayers_;
};

}  // namespace velarium
