#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "draw/ColourProfile.h"
#include "draw/Palette.h"

namespace velarium {
namespace {

// The hue of a colour in degrees, 0..360, as HSV and HSL define it.
double hueOf(Rgb c) {
    const double r = c.red, g = c.green, b = c.blue;
    const double hi = std::max({r, g, b}), lo = std::min({r, g, b});
    if (hi == lo) return 0;
    double h = 0;
    if (hi == r)
        h = 60 * (g - b) / (hi - lo);
    else if (hi == g)
        h = 60 * (2 + (b - r) / (hi - lo));
    else
        h = 60 * (4 + (r - g) / (hi - lo));
    return h < 0 ? h + 360 : h;
}

double hueApart(Rgb a, Rgb b) {
    const double d = std::abs(hueOf(a) - hueOf(b));
    return std::min(d, 360 - d);
}

double saturationOf(Rgb c) {
    const int hi = std::max({c.red, c.green, c.blue}), lo = std::min({c.red, c.green, c.blue});
    return hi > 0 ? static_cast<double>(hi - lo) / hi : 0;
}

TEST(ColourProfile, ContrastMatchesKnownWcagValues) {
    struct Case {
        Rgb a, b;
        double ratio;
    };
    // Published ratios against white: #767676 is the lightest grey that passes AA, #777777 the
    // darkest that fails; pure red, green and blue.
    const Case cases[] = {
        {kBlack, kWhite, 21.0},          {kWhite, kBlack, 21.0},
        {kWhite, kWhite, 1.0},           {{118, 118, 118}, kWhite, 4.54},
        {{119, 119, 119}, kWhite, 4.48}, {{255, 0, 0}, kWhite, 4.00},
        {{0, 255, 0}, kWhite, 1.37},     {{0, 0, 255}, kWhite, 8.59},
        {{0, 0, 255}, kBlack, 2.44},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(contrastRatio(c.a, c.b), c.ratio, 0.005)
            << c.a.red << "," << c.a.green << "," << c.a.blue;
    EXPECT_DOUBLE_EQ(relativeLuminance(kWhite), 1.0);
    EXPECT_DOUBLE_EQ(relativeLuminance(kBlack), 0.0);
    // Components at or below 0.04045 of full scale are linear: 10/255 gives 10/255/12.92.
    EXPECT_NEAR(relativeLuminance({10, 0, 0}), 0.2126 * 10 / 255.0 / 12.92, 1e-12);
}

// Every colour of a 18 x 18 x 18 grid over the RGB cube, and every named one, shows on white at
// the contrast bar; a colour that has a hue keeps it, a grey stays grey (darkening in linear
// light may strengthen a faint tint a little, never into a colour).
TEST(ColourProfile, EveryColourMeetsTheBarAndKeepsItsHue) {
    std::vector<Rgb> colours;
    for (int r = 0; r <= 255; r += 15)
        for (int g = 0; g <= 255; g += 15)
            for (int b = 0; b <= 255; b += 15) colours.push_back({r, g, b});
    for (const PaletteEntry& e : kPalette) colours.push_back(e.rgb);
    for (const Rgb c : colours) {
        const Rgb p = projectorColour(c);
        SCOPED_TRACE(::testing::Message() << c.red << "," << c.green << "," << c.blue << " -> "
                                          << p.red << "," << p.green << "," << p.blue);
        EXPECT_GE(contrastRatio(p, kWhite), kProjectorContrast);
        if (saturationOf(c) >= 0.2) {
            EXPECT_LE(hueApart(c, p), 20.0);
        } else {
            EXPECT_LT(saturationOf(p), 0.25);
        }
    }
}

TEST(ColourProfile, TunedColoursAreDarkerAndTheOrbitsFurtherApart) {
    for (const PaletteEntry& e : kPalette) {
        if (e.projector != e.rgb) {
            EXPECT_LT(relativeLuminance(e.projector), relativeLuminance(e.rgb)) << e.name;
        }
    }
    // Pure green becomes a dark green.
    const Rgb green = projectorColour({0, 255, 0});
    EXPECT_GT(green.green, 2 * std::max(green.red, green.blue));
    EXPECT_LT(green.green, 140);
    // The orbits of the rotating observer's explanation: pink, light violet, violet and purple
    // lie within 31 degrees of hue; two share one. In projector colours each pair stands at
    // least 15 degrees apart.
    const Rgb orbits[] = {{255, 0, 255}, {250, 50, 255}, {150, 50, 255}, {125, 0, 125}};
    for (std::size_t i = 0; i < std::size(orbits); ++i)
        for (std::size_t j = i + 1; j < std::size(orbits); ++j)
            EXPECT_GE(hueApart(projectorColour(orbits[i]), projectorColour(orbits[j])), 15.0)
                << i << " " << j;
}

// Every named colour has a name of its own and shows as its own row's projector colour, whichever
// other names share its colour; the program's own profile shows it unchanged.
TEST(ColourProfile, EveryNamedColourShowsAsItsProjectorEntry) {
    const Rgb paper{1, 2, 3};
    std::vector<std::string_view> names;
    for (const PaletteEntry& e : kPalette) {
        SCOPED_TRACE(std::string(e.name));
        EXPECT_FALSE(e.name.empty());
        EXPECT_EQ(std::count(names.begin(), names.end(), e.name), 0);
        names.push_back(e.name);
        EXPECT_EQ(rgb(e.colour), e.rgb);
        EXPECT_EQ(ColourProfile{true}.ink(e.rgb, paper), e.projector);
        EXPECT_EQ(ColourProfile{false}.ink(e.rgb, paper), e.rgb);
        EXPECT_GE(contrastRatio(e.projector, kWhite), kProjectorContrast);
    }
}

TEST(ColourProfile, StandardShowsTheProgramsColoursAndProjectorErasesInWhite) {
    const Rgb grey{150, 150, 150};
    const ColourProfile standard;
    const ColourProfile projector{true};
    EXPECT_EQ(standard.ink({0, 255, 0}, grey), (Rgb{0, 255, 0}));
    EXPECT_EQ(standard.background(grey), grey);
    EXPECT_EQ(standard.lineWidth(2), 2.0);
    EXPECT_EQ(projector.background(grey), kWhite);
    EXPECT_EQ(projector.ink({0, 255, 0}, grey), projectorColour({0, 255, 0}));
    // Drawing in the canvas's background, or in white, erases what was drawn before.
    EXPECT_EQ(projector.ink(grey, grey), kWhite);
    EXPECT_EQ(projector.ink(kWhite, grey), kWhite);
    EXPECT_EQ(projector.lineWidth(2), 3.0);
    EXPECT_GT(projector.dotWidth(1), projector.lineWidth(1));
    EXPECT_GT(projector.textScale(), 1.0);
}

}  // namespace
}  // namespace velarium
