#pragma once

#include "draw/Rgb.h"

namespace velarium {

// WCAG 2 relative luminance of an sRGB colour: 0 for black, 1 for white. Each component is
// linearised, c/12.92 up to 0.04045 and ((c + 0.055)/1.055)^2.4 above, and weighted
// 0.2126 R + 0.7152 G + 0.0722 B.
double relativeLuminance(Rgb c);

// WCAG 2 contrast ratio of two colours, (L_lighter + 0.05) / (L_darker + 0.05): 1 to 21.
double contrastRatio(Rgb a, Rgb b);

// The least contrast a projector colour keeps against the canvas: WCAG AA for text.
inline constexpr double kProjectorContrast = 4.5;

// The projector colour of a colour drawn on white: a colour of the palette (draw/Palette.h) shows
// as its row's projector colour. Any other colour that is too pale becomes a saturated colour of
// its hue, darkened in linear light until it stands out against white.
Rgb projectorColour(Rgb colour);

// How a canvas shows what it is asked to draw: in the program's own colours, or for a projector
// in a lit room, dark and saturated on white with heavier lines, larger dots and larger text.
// The program's zoom (1 to 2.5) grows every line, dot and text on top of that.
struct ColourProfile {
    bool projector = false;
    double zoom = 1.0;

    // What the canvas's background colour shows as.
    Rgb background(Rgb colour) const { return projector ? kWhite : colour; }
    // What a colour drawn on a canvas of the given background shows as. Drawing in the
    // background colour (or white) erases, and keeps erasing.
    Rgb ink(Rgb colour, Rgb canvasBackground) const;
    double lineWidth(int pixels) const { return (projector ? 1.5 : 1.0) * zoom * pixels; }
    double dotWidth(int pixels) const { return (projector ? 2.0 : 1.0) * zoom * pixels; }
    double textScale() const { return (projector ? 1.25 : 1.0) * zoom; }

    friend bool operator==(const ColourProfile&, const ColourProfile&) = default;
};

}  // namespace velarium
