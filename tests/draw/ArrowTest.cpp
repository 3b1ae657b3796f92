#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "draw/Arrow.h"
#include "draw/RecordingCanvas.h"

namespace velarium {
namespace {

using Kind = Primitive::Kind;

// The curve lab's canvas: 20 by 20 units, y up.
RecordingCanvas labCanvas() {
    RecordingCanvas c;
    c.setScale(0, 10, 20, -10);
    return c;
}

const double kLabBarb = std::sqrt(800.0) / 75.0;

void expectSegment(const Primitive& p, double x1, double y1, double x2, double y2) {
    EXPECT_EQ(p.kind, Kind::Line);
    EXPECT_NEAR(p.x1, x1, 1e-12);
    EXPECT_NEAR(p.y1, y1, 1e-12);
    EXPECT_NEAR(p.x2, x2, 1e-12);
    EXPECT_NEAR(p.y2, y2, 1e-12);
}

TEST(DrawArrow, ZeroVectorDrawsNothing) {
    RecordingCanvas c = labCanvas();
    drawArrow(c, 3, 4, 0, 0, 255, 0, 0);
    EXPECT_TRUE(c.records().empty());
    EXPECT_EQ(c.refusedCount(), 0);
}

TEST(DrawArrow, VerticalArrowsHaveBarbsBehindTheTip) {
    const double s = kLabBarb * std::sin((std::numbers::pi / 2) / 3);  // L·sin 30°
    const double h = kLabBarb * std::cos((std::numbers::pi / 2) / 3);  // L·cos 30°
    {
        RecordingCanvas c = labCanvas();
        drawArrow(c, 1, 1, 0, 2, 10, 20, 30);
        ASSERT_EQ(c.records().size(), 3u);
        expectSegment(c.records()[0], 1, 1, 1, 3);
        for (int i = 1; i <= 2; ++i) {
            EXPECT_NEAR(c.records()[i].y2, 3 - h, 1e-12);
            EXPECT_EQ(c.records()[i].colour, (Rgb{10, 20, 30}));
        }
        EXPECT_NEAR(std::abs(c.records()[1].x2 - 1), s, 1e-12);
        EXPECT_NEAR(c.records()[1].x2 + c.records()[2].x2, 2, 1e-12);
    }
    {
        RecordingCanvas c = labCanvas();
        drawArrow(c, 1, 1, 0, -2, 0, 0, 0);
        ASSERT_EQ(c.records().size(), 3u);
        expectSegment(c.records()[0], 1, 1, 1, -1);
        EXPECT_NEAR(c.records()[1].y2, -1 + h, 1e-12);
        EXPECT_NEAR(c.records()[2].y2, -1 + h, 1e-12);
    }
}

TEST(DrawArrow, LeftArrowHasBarbsToTheRightOfTheTip) {
    RecordingCanvas c = labCanvas();
    drawArrow(c, 5, 0, -3, 0, 0, 0, 0);
    ASSERT_EQ(c.records().size(), 3u);
    expectSegment(c.records()[0], 5, 0, 2, 0);
    // Shaft, then tip to barb A (θ − 30°), then tip to barb B (θ + 30°), θ = 0.
    const double cos30 = std::sqrt(3.0) / 2;
    expectSegment(c.records()[1], 2, 0, 2 + kLabBarb * cos30, -kLabBarb / 2);
    expectSegment(c.records()[2], 2, 0, 2 + kLabBarb * cos30, kLabBarb / 2);
}

TEST(DrawArrow, ShortArrowMovesBarbsAheadOfTheTip) {
    RecordingCanvas c = labCanvas();
    drawArrow(c, 0, 0, 0.2, 0, 0, 0, 0);
    ASSERT_EQ(c.records().size(), 3u);
    // Laid back, each barb would be farther from the start than the 0.2 tip: both go ahead.
    for (int i = 1; i <= 2; ++i) EXPECT_GT(c.records()[i].x2, 0.2);
    EXPECT_NEAR(c.records()[1].x2, 0.2 + kLabBarb * std::sqrt(3.0) / 2, 1e-12);
}

TEST(DrawArrow, TinyShaftBelowThresholdDrawsNothing) {
    RecordingCanvas c = labCanvas();
    drawArrow(c, 0, 0, 0.009 * kLabBarb, 0, 0, 0, 0);
    EXPECT_TRUE(c.records().empty());
    drawArrow(c, 0, 0, 0.011 * kLabBarb, 0, 0, 0, 0);
    EXPECT_EQ(c.records().size(), 3u);
}

TEST(DrawArrow, HeadSizeFollowsTheScaleAlone) {
    auto barbLength = [](RecordingCanvas& c, double dx) {
        c.forget();
        drawArrow(c, 0, 0, dx, 0, 0, 0, 0);
        const Primitive& b = c.records()[1];
        return pointDistance(b.x1, b.y1, b.x2, b.y2);
    };
    RecordingCanvas c = labCanvas();
    EXPECT_NEAR(barbLength(c, 2), kLabBarb, 1e-12);
    EXPECT_NEAR(barbLength(c, 8), kLabBarb, 1e-12);
    c.setScale(0, 5, 10, -5);
    EXPECT_NEAR(barbLength(c, 2), kLabBarb / 2, 1e-12);
}

TEST(DrawArrow, KeepsTheCurrentPositionAndPassesNonFiniteToTheCanvas) {
    RecordingCanvas c = labCanvas();
    c.setCurrentPosition(7, 8);
    drawArrow(c, 0, 0, 1, 1, 0, 0, 0);
    EXPECT_EQ(c.currentX(), 7);
    EXPECT_EQ(c.currentY(), 8);
    drawArrow(c, 0, 0, std::nan(""), 1, 0, 0, 0);
    EXPECT_GT(c.refusedCount(), 0);
}

TEST(PointDistance, IsEuclidean) {
    EXPECT_DOUBLE_EQ(pointDistance(1, 2, 4, 6), 5.0);
    EXPECT_DOUBLE_EQ(std::numbers::pi, std::numbers::pi);
}

}  // namespace
}  // namespace velarium
