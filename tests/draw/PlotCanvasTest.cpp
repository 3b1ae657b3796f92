#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "draw/RecordingCanvas.h"

namespace velarium {
namespace {

using Kind = Primitive::Kind;
const double kInf = std::numeric_limits<double>::infinity();

TEST(PlotCanvas, ScaleKeepsSignedWidthAndHeight) {
    RecordingCanvas c;
    c.setScale(0, 10, 20, -10);
    EXPECT_EQ(c.scaleLeft(), 0);
    EXPECT_EQ(c.scaleTop(), 10);
    EXPECT_EQ(c.scaleWidth(), 20);
    EXPECT_EQ(c.scaleHeight(), -20);
}

TEST(PlotCanvas, RefusesDegenerateOrNonFiniteScalesAndKeepsThePrevious) {
    RecordingCanvas c;
    c.setScale(0, 10, 20, -10);
    c.setScale(0, 10, 0, -10);
    c.setScale(0, 1, 5, 1);
    c.setScale(std::nan(""), 0, 1, 1);
    c.setScale(0, 0, kInf, 1);
    EXPECT_EQ(c.refusedCount(), 4);
    EXPECT_EQ(c.scaleWidth(), 20);
    EXPECT_EQ(c.scaleHeight(), -20);
}

TEST(PlotCanvas, RefusesEveryNonFinitePrimitive) {
    RecordingCanvas c;
    c.setScale(0, 10, 20, -10);
    const double nan = std::nan("");
    c.line(0, 0, nan, 1);
    c.circle(kInf, 0, 1);
    c.circle(0, 0, nan);
    c.arc(0, 0, 1, 0, nan, kBlack);
    c.point(0, -kInf);
    c.setCurrentPosition(nan, 0);
    EXPECT_EQ(c.refusedCount(), 6);
    EXPECT_TRUE(c.records().empty());
    c.line(0, 0, 1, 1);
    EXPECT_EQ(c.records().size(), 1u);
}

TEST(PlotCanvas, PrimitivesCarryTheDrawingState) {
    RecordingCanvas c;
    c.setScale(0, 10, 20, -10);
    c.setForeColor({1, 2, 3});
    c.setDrawWidth(3);
    c.setDrawStyle(kDot);
    c.setFillStyle(kFillSolid);
    c.point(1, 1);
    c.circle(2, 2, -1.5, {9, 9, 9});
    ASSERT_EQ(c.records().size(), 2u);
    EXPECT_EQ(c.records()[0].colour, (Rgb{1, 2, 3}));
    EXPECT_EQ(c.records()[0].width, 3);
    EXPECT_EQ(c.records()[0].style, kDot);
    EXPECT_EQ(c.records()[1].colour, (Rgb{9, 9, 9}));
    EXPECT_EQ(c.records()[1].radius, 1.5);
    EXPECT_EQ(c.records()[1].fill, kFillSolid);
}

TEST(PlotCanvas, PrintMovesToTheStartOfTheNextLine) {
    RecordingCanvas c(200, 200);
    c.setScale(-5, 10, 15, -10);
    c.setCurrentPosition(2, 8);
    c.setBold(true);
    c.print("β = 0.26");
    const auto texts = c.recordsOf(Kind::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].x1, 2);
    EXPECT_EQ(texts[0].y1, 8);
    EXPECT_TRUE(texts[0].bold);
    const TextExtent e = c.textExtent("β = 0.26");
    EXPECT_NEAR(e.width, 8 * 6 * 20.0 / 200, 1e-12);  // Greek letters count as one glyph
    EXPECT_EQ(c.currentX(), -5);
    EXPECT_NEAR(c.currentY(), 8 - e.height, 1e-12);  // y up: the next line is lower
}

TEST(PlotCanvas, ClearErasesAndResetsThePosition) {
    RecordingCanvas c;
    c.line(0, 0, 1, 1);
    EXPECT_EQ(c.currentX(), 1);
    c.clear();
    EXPECT_TRUE(c.records().empty());
    EXPECT_EQ(c.currentX(), 0);
    EXPECT_EQ(c.currentY(), 0);
    EXPECT_EQ(c.clearCount(), 1);
}

TEST(PlotCanvas, LayersPutBackTheKeptPicture) {
    RecordingCanvas c;
    c.line(0, 0, 1, 1);
    c.saveLayer(0);
    c.point(5, 5);
    c.point(6, 6);
    c.restoreLayer(0);
    ASSERT_EQ(c.records().size(), 1u);
    EXPECT_EQ(c.records()[0].kind, Kind::Line);
    c.restoreLayer(7);  // nothing kept there: the picture stays
    EXPECT_EQ(c.records().size(), 1u);
}

}  // namespace
}  // namespace velarium
