#include "draw/ColourProfile.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "draw/Palette.h"

namespace velarium {

namespace {

// sRGB to linear light, both 0..1.
double linear(double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); }
double linear(int component) { return linear(std::clamp(component, 0, 255) / 255.0); }

int encoded(double linearValue) {
    const double v = std::clamp(linearValue, 0.0, 1.0);
    const double c = v <= 0.0031308 ? 12.92 * v : 1.055 * std::pow(v, 1 / 2.4) - 0.055;
    return static_cast<int>(std::lround(255.0 * c));
}

// A computed colour aims at 5:1 against white, a margin above the bar for rounding: a relative
// luminance of 1.05 / 5 - 0.05.
constexpr double kComputedLuminance = 0.16;

// Below this HSV saturation a colour reads as grey and stays grey.
constexpr double kGreyish = 0.2;
// The least saturation of a computed colour that has a hue.
constexpr double kSaturated = 0.9;

Rgb computedProjectorColour(Rgb c) {
    const int hi = std::max({c.red, c.green, c.blue});
    const int lo = std::min({c.red, c.green, c.blue});
    // Same hue at full value: each component keeps its place between the largest and the
    // smallest, c' = 1 - s' (max - c) / (max - min), with the saturation s' raised.
    const double s = hi > 0 ? static_cast<double>(hi - lo) / hi : 0.0;
    const double sat = s < kGreyish ? s : std::max(s, kSaturated);
    const auto full = [&](int v) { return hi > lo ? 1.0 - sat * (hi - v) / (hi - lo) : 1.0; };
    const std::array<double, 3> srgb{full(c.red), full(c.green), full(c.blue)};
    std::array<double, 3> lin{};
    for (std::size_t i = 0; i < 3; ++i) lin[i] = linear(srgb[i]);
    // Luminance is linear in linear light: scaling all three by one factor keeps the hue.
    const double l = 0.2126 * lin[0] + 0.7152 * lin[1] + 0.0722 * lin[2];
    const double k = l > kComputedLuminance ? kComputedLuminance / l : 1.0;
    return {encoded(k * lin[0]), encoded(k * lin[1]), encoded(k * lin[2])};
}

}  // namespace

double relativeLuminance(Rgb c) {
    return 0.2126 * linear(c.red) + 0.7152 * linear(c.green) + 0.0722 * linear(c.blue);
}

double contrastRatio(Rgb a, Rgb b) {
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Rgb projectorColour(Rgb colour) {
    const auto named = std::find_if(kPalette.begin(), kPalette.end(),
                                    [&](const PaletteEntry& e) { return e.rgb == colour; });
    if (named != kPalette.end()) return named->projector;
    if (contrastRatio(colour, kWhite) >= kProjectorContrast) return colour;
    return computedProjectorColour(colour);
}

Rgb ColourProfile::ink(Rgb colour, Rgb canvasBackground) const {
    if (!projector) return colour;
    if (colour == canvasBackground || colour == kWhite) return kWhite;
    return projectorColour(colour);
}

}  // namespace velarium
