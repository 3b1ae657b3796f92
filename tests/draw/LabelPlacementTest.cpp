#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "draw/Arrow.h"
#include "draw/LabelPlacement.h"
#include "draw/RecordingCanvas.h"
#include "support/RecordedInk.h"

namespace velarium {
namespace {

bool inside(const PrintedText& t) {
    return t.left >= 0 && t.top >= 0 && t.right <= 1 + 1e-12 && t.bottom <= 1 + 1e-12;
}

bool overlap(const PrintedText& a, const PrintedText& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// A 400 by 400 pixel canvas, y up, 20 units across: a glyph is 0.3 units wide, a line 0.65 high.
RecordingCanvas canvas() {
    RecordingCanvas c;
    c.setScale(-10, 10, 10, -10);
    return c;
}

TEST(LabelPlacement, StaysWholeInsideTheCanvasNearItsAnchor) {
    RecordingCanvas c = canvas();
    // An anchor at the right edge: the caption goes to its left instead of running off.
    const Vec2 corner = placeLabel(c, {9.9, 0}, "Velocity of the point of BASE");
    ASSERT_EQ(c.printedTexts().size(), 1u);
    const PrintedText& t = c.printedTexts()[0];
    EXPECT_TRUE(inside(t));
    EXPECT_DOUBLE_EQ(corner.x, t.x);
    EXPECT_LT(t.right, 9.9 / 20 + 0.5);
    // Beside the anchor's height, not far above or below it.
    EXPECT_NEAR((t.top + t.bottom) / 2, 0.5, 0.05);

    // An anchor below the bottom edge still gives a whole label at the bottom.
    placeLabel(c, {0, -12}, "CORIOLIS");
    EXPECT_TRUE(inside(c.printedTexts()[1]));
    EXPECT_GT(c.printedTexts()[1].bottom, 0.9);
}

TEST(LabelPlacement, LabelsAtOneAnchorNeverCoverEachOtherOrTheAnchor) {
    RecordingCanvas c = canvas();
    c.setCurrentPosition(-1, 1.5);
    c.print("A READ-OUT ALREADY THERE");
    const char* names[] = {"FRICTION",    "Force due to base acc.", "Centrifugal", "Coriolis",
                           "Total Force", "Relative velocity"};
    for (const char* n : names) placeLabel(c, {0, 0}, n);
    const auto& texts = c.printedTexts();
    ASSERT_EQ(texts.size(), 7u);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        EXPECT_TRUE(inside(texts[i])) << texts[i].text;
        EXPECT_FALSE(texts[i].left < 0.5 && 0.5 < texts[i].right && texts[i].top < 0.5 &&
                     0.5 < texts[i].bottom)
            << texts[i].text << " covers its anchor";
        for (std::size_t j = 0; j < i; ++j)
            EXPECT_FALSE(overlap(texts[i], texts[j])) << texts[i].text << " on " << texts[j].text;
    }
    // The first caption is the nearest: within a line or two of the anchor.
    EXPECT_LT(std::abs(texts[1].top - 0.5), 0.1);
}

TEST(LabelPlacement, AnArrowsCaptionGoesAheadOfItsTip) {
    RecordingCanvas c = canvas();
    placeLabel(c, {0, 0}, "W", {-1, 0});
    EXPECT_LE(c.printedTexts()[0].right, 0.5);
    placeLabel(c, {0, -5}, "W", {0, -1});
    EXPECT_GE(c.printedTexts()[1].top, 0.75);
}

TEST(LabelPlacement, ATextWiderThanTheCanvasStartsAtItsLeftEdge) {
    RecordingCanvas c(60, 400);
    c.setScale(-10, 10, 10, -10);
    const Vec2 corner = placeLabel(c, {5, 0}, "FAR TOO LONG FOR THIS CANVAS");
    EXPECT_DOUBLE_EQ(corner.x, -10);
    EXPECT_EQ(c.refusedCount(), 0);
}

// Pictures that leave free places near the anchor: the label must take one, wherever the ink is.
TEST(LabelPlacement, KeepsClearOfDrawnInkWhereAFreePlaceExists) {
    struct Scene {
        const char* name;
        void (*draw)(RecordingCanvas&);
    };
    const Scene scenes[] = {
        {"a star of arrows from the anchor",
         [](RecordingCanvas& c) {
             for (int k = 0; k < 12; ++k) {
                 const double a = k * 3.14159265358979 / 6;
                 drawArrow(c, 0, 0, 4 * std::cos(a), 4 * std::sin(a), 0, 0, 255);
             }
         }},
        {"grid lines a line and a half apart",
         [](RecordingCanvas& c) {
             for (double y = -10; y <= 10; y += 1.0) c.line(-10, y, 10, y, kBlack);
             c.line(0, -10, 0, 10, kBlack);
         }},
        {"orbit dots and circles through the anchor",
         [](RecordingCanvas& c) {
             for (int k = -40; k <= 40; ++k) {
                 c.setDrawWidth(3);
                 c.point(0.1 * k, 0.002 * k * k, {255, 0, 0});
                 c.setDrawWidth(1);
                 c.circle(0.1 * k, -0.5 + 0.001 * k * k, 0.05, {150, 50, 255});
             }
             c.circle(0, 0, 3, kBlack);
         }},
        {"a filled disc around the anchor",
         [](RecordingCanvas& c) {
             c.setFillStyle(kFillSolid);
             c.circle(0, 0, 2, kBlack);
             c.setFillStyle(kFillTransparent);
         }},
    };
    for (const Scene& scene : scenes) {
        RecordingCanvas c = canvas();
        scene.draw(c);
        placeLabel(c, {0, 0}, "Velocity in Inertial Frame", {1, 0});
        placeLabel(c, {0.5, 0.5}, "acc.");
        for (const PrintedText& t : c.printedTexts()) {
            EXPECT_FALSE(testing::anyInkMeets(c, t)) << scene.name << ": " << t.text;
            EXPECT_TRUE(inside(t)) << scene.name << ": " << t.text;
            // Near its anchor: within a fifth of the canvas.
            EXPECT_LT(std::abs((t.top + t.bottom) / 2 - 0.5), 0.2) << scene.name << ": " << t.text;
        }
    }
}

// Vertical hatching everywhere, sparser in one band: the label goes where the ink is least.
TEST(LabelPlacement, GoesToTheLeastInkWhereNoPlaceIsFree) {
    RecordingCanvas c = canvas();
    for (double x = -10; x <= 10; x += 0.1) c.line(x, -10, x, std::abs(x - 5) < 2 ? -6 : 10);
    for (double x = 3; x <= 7; x += 1.0) c.line(x, -6, x, 10);
    placeLabel(c, {0, 0}, "SPEED");
    const PrintedText& t = c.printedTexts()[0];
    EXPECT_GT(t.left, 3.0 / 20 + 0.5 - 0.02);
    EXPECT_LT(t.right, 7.0 / 20 + 0.5 + 0.02);
}

// A text broken for a room of so many glyphs (0.3 units each): every line fits unless it is one
// word wider than the room, and the words come back in their order with single spaces.
TEST(LinesWithin, BreaksAtSpacesAndKeepsALongWordWhole) {
    struct Case {
        const char* text;
        int glyphs;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"WORK OF FRICTION ON RELATIVE MOTION", 40, {"WORK OF FRICTION ON RELATIVE MOTION"}},
        {"WORK OF FRICTION ON RELATIVE MOTION", 20, {"WORK OF FRICTION ON", "RELATIVE MOTION"}},
        {"CENTRIPETAL  ACCELERATION", 8, {"CENTRIPETAL", "ACCELERATION"}},
        {"VELOCITY", 3, {"VELOCITY"}},
        {"", 10, {""}},
    };
    for (const Case& k : cases) {
        RecordingCanvas c = canvas();
        EXPECT_EQ(linesWithin(c, k.text, 0.3 * k.glyphs + 1e-9), k.lines) << k.text;
    }
}

}  // namespace
}  // namespace velarium
