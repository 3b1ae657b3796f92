#pragma once

#include <string>

#include "draw/Rgb.h"

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

// The user scale of a canvas: the top-left corner and the signed width and height of the view.
struct Scale {
    double left = 0, top = 0, width = 1, height = 1;
    friend bool operator==(const Scale&, const Scale&) = default;
};

// The state a primitive is drawn in: line width in pixels, line style, fill style and colour of
// circles, and the weight of texts.
struct Pen {
    int width = 1;
    int style = kSolid;
    int fill = kFillTransparent;
    Rgb fillColour = kBlack;
    bool bold = false;
    friend bool operator==(const Pen&, const Pen&) = default;
};

}  // namespace velarium
