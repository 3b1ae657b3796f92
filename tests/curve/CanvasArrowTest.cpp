#include <gtest/gtest.h>

#include <cmath>

#include "curve/CanvasArrow.h"
#include "draw/Arrow.h"
#include "draw/RecordingCanvas.h"

namespace velarium {
namespace {

RecordingCanvas labCanvas() {
    RecordingCanvas c;
    c.setScale(0, 10, 20, -10);
    return c;
}

TEST(CanvasArrow, OrdinaryArrowsAreDrawnAsTheyAre) {
    for (double dx : {-30.0, 0.0, 0.2, 5.0, 40.0}) {
        RecordingCanvas a = labCanvas(), b = labCanvas();
        drawCanvasArrow(a, 3, 2, dx, 1.5, Rgb{5, 150, 255});
        drawArrow(b, 3, 2, dx, 1.5, 5, 150, 255);
        ASSERT_EQ(a.records().size(), b.records().size());
        for (size_t i = 0; i < a.records().size(); ++i) {
            EXPECT_EQ(a.records()[i].x2, b.records()[i].x2);
            EXPECT_EQ(a.records()[i].y2, b.records()[i].y2);
        }
    }
}

TEST(CanvasArrow, HugeArrowsKeepOnlyTheirPartNearTheCanvas) {
    RecordingCanvas c = labCanvas();
    // From (5, 1) straight down for 3000 units: the shaft from y = 1 to the margin at y = −12.
    drawCanvasArrow(c, 5, 1, 0, -3000, Rgb{0, 0, 0});
    ASSERT_EQ(c.records().size(), 1u);
    const Primitive& p = c.records()[0];
    EXPECT_DOUBLE_EQ(p.x1, 5);
    EXPECT_DOUBLE_EQ(p.y1, 1);
    EXPECT_DOUBLE_EQ(p.x2, 5);
    EXPECT_DOUBLE_EQ(p.y2, -12);
    // Oblique: the cut shaft keeps the arrow's direction.
    RecordingCanvas d = labCanvas();
    drawCanvasArrow(d, 2, 3, 1000, 500, Rgb{255, 0, 0});
    ASSERT_EQ(d.records().size(), 1u);
    const Primitive& q = d.records()[0];
    EXPECT_NEAR((q.y2 - q.y1) / (q.x2 - q.x1), 0.5, 1e-12);
    EXPECT_DOUBLE_EQ(q.x2, 20);  // where it leaves through the top margin, y = 12
    EXPECT_DOUBLE_EQ(q.y2, 12);
    // Wholly beside the canvas: nothing.
    RecordingCanvas e = labCanvas();
    drawCanvasArrow(e, 300, 0, 0, 5000, Rgb{255, 0, 0});
    EXPECT_TRUE(e.records().empty());
}

}  // namespace
}  // namespace velarium
