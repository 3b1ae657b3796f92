#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "draw/RecordingCanvas.h"
#include "energy/GraphAxes.h"

namespace velarium {
namespace {

using Kind = Primitive::Kind;
const double kPi = std::numbers::pi;

bool has(const std::vector<std::string>& texts, const std::string& t) {
    return std::find(texts.begin(), texts.end(), t) != texts.end();
}

TEST(GraphAxes, HorizontalStepIsTheWholeTenthsOfTheMagnitude) {
    EXPECT_DOUBLE_EQ(axisTickSteps(31.4, 0, 2, 0).x, 3.1);
    EXPECT_DOUBLE_EQ(axisTickSteps(0, -31.4, 2, 0).x, 3.1);
    EXPECT_DOUBLE_EQ(axisTickSteps(31.4, 0, 2, 0).y, 0.2);
    EXPECT_DOUBLE_EQ(axisTickSteps(1, 0, -5, 3).y, 0.5);
    // Below 1 the magnitude is brought up by powers of ten and the step brought back: still
    // about a tenth of the axis, so the ticks spread over it.
    EXPECT_DOUBLE_EQ(axisTickSteps(0.314, 0, 1, 0).x, 0.03);
    EXPECT_DOUBLE_EQ(axisTickSteps(0.0042, 0, 1, 0).x, 0.0004);
    // No magnitude, no step.
    EXPECT_EQ(axisTickSteps(0, 0, 0, 0).x, 0.0);
}

TEST(GraphAxes, TicksGridAndNumbersAtEverySecondStep) {
    RecordingCanvas c(800, 400);
    c.setScale(-3, 3, 40, -1);
    drawAxisTicks(c, 31.4, 0, 2, 0);
    const auto texts = c.texts();
    // Time numbers every 6.2 up to 31.4, values every 0.4 up to 2.
    for (const char* t : {"0.00", "6.20", "12.40", "18.60", "24.80", "31.00"})
        EXPECT_TRUE(has(texts, t)) << t;
    EXPECT_FALSE(has(texts, "3.10"));
    for (const char* t : {"0.0E+00", "4.0E-01", "8.0E-01", "1.2E+00", "1.6E+00", "2.0E+00"})
        EXPECT_TRUE(has(texts, t)) << t;
    EXPECT_EQ(texts.size(), 12u);
    // Both axes through 0, the vertical one over 1.5 times the values.
    const auto lines = c.recordsOf(Kind::Line);
    EXPECT_EQ(lines[0].y1, 0.0);
    EXPECT_EQ(lines[0].x2, 31.4);
    EXPECT_DOUBLE_EQ(lines[1].y2, 3.0);
    // Every tick has its dotted grid line across the other range, and no farther, so that the
    // grid runs through nothing printed beside the graph.
    int grid = 0;
    for (const auto& l : lines)
        if (l.style == kDot) {
            ++grid;
            EXPECT_TRUE(l.x1 == l.x2 ? l.y1 == 0 && l.y2 == 2.0 : l.x1 == 0 && l.x2 == 31.4);
        }
    EXPECT_EQ(grid, 12);
    EXPECT_EQ(c.drawStyle(), kSolid);
    // Every number lies whole inside the canvas.
    for (const PrintedText& t : c.printedTexts())
        EXPECT_TRUE(t.left >= -1e-9 && t.right <= 1 + 1e-9 && t.top >= -1e-9 &&
                    t.bottom <= 1 + 1e-9)
            << t.text;
}

TEST(GraphAxes, NegativeSidePrintsNoSecondZero) {
    RecordingCanvas c(800, 400);
    c.setScale(-12, 2, 12, -2);
    drawAxisTicks(c, 10, -10, 1, -1);
    const auto texts = c.texts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "0.00"), 1);
    EXPECT_TRUE(has(texts, "-2.00"));
    EXPECT_TRUE(has(texts, "-1.0E+00"));
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "0.0E+00"), 1);
}

TEST(GraphAxes, AxesMoveToTheEdgesWhenTheRangesDoNotCrossZeroAndAnEmptyRangeHasNoTicks) {
    RecordingCanvas c;
    c.setScale(0, 10, 10, 0);
    drawAxisTicks(c, 9, 1, 8, 2);
    const auto lines = c.recordsOf(Kind::Line);
    // Horizontal along yMin, vertical at xMin from yMin to yMax.
    EXPECT_EQ(lines[0].y1, 2.0);
    EXPECT_EQ(lines[0].y2, 2.0);
    EXPECT_EQ(lines[1].x1, 1.0);
    EXPECT_EQ(lines[1].y1, 2.0);
    EXPECT_EQ(lines[1].y2, 8.0);
    RecordingCanvas empty;
    empty.setScale(-1, 1, 1, -1);
    drawAxisTicks(empty, 0, 0, 0, 0);
    EXPECT_EQ(empty.recordsOf(Kind::Line).size(), 2u);
    EXPECT_EQ(empty.refusedCount(), 0);
}

TEST(GraphAxes, NumbersInTheScientificPattern) {
    EXPECT_EQ(formatScientific(0), "0.0E+00");
    EXPECT_EQ(formatScientific(-0.0), "0.0E+00");
    EXPECT_EQ(formatScientific(1234), "1.2E+03");
    EXPECT_EQ(formatScientific(-0.04), "-4.0E-02");
}

TEST(GraphAxes, AngleOfEachQuadrantAndAxis) {
    const std::array<double, 3> cases[] = {
        {1, 1, kPi / 4}, {-1, 1, 3 * kPi / 4}, {-1, -1, -3 * kPi / 4}, {1, -1, -kPi / 4},
        {0, 2, kPi / 2}, {0, -2, -kPi / 2},    {-3, 0, kPi},           {0, 0, 0}};
    for (auto [x, y, angle] : cases) EXPECT_DOUBLE_EQ(angleOf(x, y), angle) << x << ", " << y;
}

}  // namespace
}  // namespace velarium
