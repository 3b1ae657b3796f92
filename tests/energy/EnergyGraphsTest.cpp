#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "draw/Alerts.h"
#include "draw/RecordingCanvas.h"
#include "energy/BothFramesRun.h"
#include "energy/EnergyGraphs.h"
#include "energy/PointAnimations.h"
#include "energy/WorkChart.h"

namespace velarium {
namespace {

using Kind = Primitive::Kind;

int count(const RecordingCanvas& c, Kind kind, Rgb colour, int width = -1, int style = -1) {
    int n = 0;
    for (const auto& p : c.recordsOf(kind))
        n += p.colour == colour && (width < 0 || p.width == width) &&
             (style < 0 || p.style == style);
    return n;
}

bool has(const RecordingCanvas& c, const std::string& text) {
    const auto t = c.texts();
    return std::find(t.begin(), t.end(), text) != t.end();
}

class EnergyGraphsTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = installAlerts({[] {}, [](const std::string&) {}});
    }
    void TearDown() override { installAlerts(previous_); }

    BothFramesRun run(BothFramesSettings s) { return runBothFrames(*disk, s); }

    std::unique_ptr<DiskShared> disk = std::make_unique<DiskShared>();
    RecordingCanvas canvas{960, 540};

private:
    Alerts previous_;
};

TEST_F(EnergyGraphsTest, OrbitGraphDrawsBothOrbitsTheStartCircleAndTheLegend) {
    const BothFramesRun r = run({});
    drawOrbitGraph(canvas, *disk);
    // One unit is as many pixels across as up.
    EXPECT_NEAR(canvas.scaleWidth() / 960, -canvas.scaleHeight() / 540, 1e-12);
    // All points but the last 20.
    EXPECT_EQ(count(canvas, Kind::Line, kRed), r.plan.pointCount - 20 + 1);  // and a sample line
    EXPECT_EQ(count(canvas, Kind::Line, kBlue), r.plan.pointCount - 20 + 1);
    EXPECT_EQ(count(canvas, Kind::Line, kMagenta, 1, kDot), 200);
    for (const auto& l : canvas.recordsOf(Kind::Line))
        if (l.colour == kMagenta) {
            EXPECT_NEAR(std::hypot(l.x1, l.y1), 1.0, 1e-12);
        }
    EXPECT_EQ(canvas.texts(), (std::vector<std::string>{"INERTIAL SYSTEM", "ROTATING SYSTEM"}));
    EXPECT_EQ(canvas.drawStyle(), kSolid);
}

TEST_F(EnergyGraphsTest, BaseAngleOfABaseThatKeepsItsRateIsAStraightLine) {
    const BothFramesRun r = run({8, 5, 10, 20, false});
    drawBaseAngleGraph(canvas, *disk, r.plan.totalTime);
    const auto points = canvas.recordsOf(Kind::Point);
    ASSERT_EQ(static_cast<int>(points.size()), r.plan.pointCount - 5);
    for (const auto& p : points)
        if (p.x1 > 2 * r.plan.dt) {
            EXPECT_NEAR(p.y1, 2 * (p.x1 - r.plan.dt), 1e-9);
        }
    EXPECT_TRUE(has(canvas, "0.00"));
}

TEST_F(EnergyGraphsTest, AngularVelocityGraphComparesTorqueAndMomentum) {
    const BothFramesRun r = run({});
    drawAngularVelocityGraph(canvas, *disk, 4);
    const int n = r.plan.pointCount;
    // A flat red line at ω0 with a blue point every 50 steps, and 2.00 at the end.
    for (const auto& l : canvas.recordsOf(Kind::Line))
        if (l.colour == kRed && l.x1 > 0 && l.y1 < 2.05) {
            EXPECT_DOUBLE_EQ(l.y1, 2.0);
        }
    EXPECT_EQ(count(canvas, Kind::Point, kBlue, 3), (n - 1) / 50);
    EXPECT_EQ(count(canvas, Kind::Point, kBlue, 4), 7);
    EXPECT_TRUE(has(canvas, "Angular velocity calculated by the motion equations"));
    EXPECT_TRUE(has(canvas, "Angular velocity calculated by Angular Momentum conservation"));
    EXPECT_EQ(canvas.texts().back(), "ω final = 2.00");
    // A run shorter than 50 steps has no momentum points; ω final is the last value drawn.
    disk->params.pointCount = 50;
    RecordingCanvas shortRun{960, 540};
    drawAngularVelocityGraph(shortRun, *disk, 4);
    EXPECT_EQ(count(shortRun, Kind::Point, kBlue, 3), 0);
    EXPECT_EQ(shortRun.texts().back(), "ω final = 2.00");
}

TEST_F(EnergyGraphsTest, FreeBaseSlowsOnTheAngularVelocityGraph) {
    const BothFramesRun r = run({8, 5, 10, 20, true});
    drawAngularVelocityGraph(canvas, *disk, 8);
    const int last = ((r.plan.pointCount - 1) / 50) * 50;
    char expected[32];
    std::snprintf(expected, sizeof expected, "ω final = %.2f", disk->tables.tabOmega[last]);
    EXPECT_EQ(canvas.texts().back(), expected);
    EXPECT_LT(disk->tables.tabOmega[last], 1.0);
}

TEST_F(EnergyGraphsTest, VelocityGraphsSpreadTheRunOverTwoVPi) {
    const BothFramesRun r = run({});
    drawVelocityGraphs(canvas, *disk, 4);
    // Segments between the stored points, rows 1 to N − 1, and the legend's sample.
    const int segments = r.plan.pointCount - 2 + 1;
    EXPECT_EQ(count(canvas, Kind::Line, kRed, 3), segments);
    EXPECT_EQ(count(canvas, Kind::Line, kGreen, 1), segments);
    EXPECT_EQ(count(canvas, Kind::Line, kBlue, 4), segments);
    EXPECT_EQ(count(canvas, Kind::Point, kGreen, 2), (r.plan.pointCount - 1) / 50 + 3);
    // The N points span 2·V·π.
    const double spread = 8 * 4 * std::atan(1.0);
    double right = 0;
    for (const auto& l : canvas.recordsOf(Kind::Line))
        if (l.colour == kRed && l.width == 3 && l.x1 < spread) right = std::max(right, l.x2);
    EXPECT_NEAR(right, spread * (r.plan.pointCount - 1) / r.plan.pointCount, 1e-9);
    for (const char* t : {"VX Inertial frame", "VY Intertial frame", "VX ROTATING FRAME",
                          "VY rotating frame", "Vrelative X INERTIAL", "Vrelatvie Y INERTIAL"})
        EXPECT_TRUE(has(canvas, t)) << t;
}

TEST_F(EnergyGraphsTest, WorkChartOfABaseThatKeepsItsRateHasNoBaseForce) {
    const BothFramesRun r = run({8, 5, 10, 4, false});
    WorkChartState state;
    EXPECT_EQ(drawWorkChartFirst(canvas, *disk, 8, state), "HALF MAXIMUM");
    EXPECT_EQ(count(canvas, Kind::Line, kRed), 0);
    EXPECT_FALSE(has(canvas, "WORK OF FORCE DUE TO ACCELERATION OF BASE"));
    EXPECT_GT(state.chartMax, 0);
    // Green centrifugal work between every stored point but the last ten, and its sample.
    EXPECT_EQ(count(canvas, Kind::Line, kGreen, 3), r.plan.pointCount - 10 + 1);
    // The blue total is friction plus centrifugal work.
    const auto& t = disk->tables;
    for (const auto& p : canvas.recordsOf(Kind::Point))
        if (p.colour == kBlue && p.width == 1) {
            const int i = static_cast<int>(std::lround(p.x1 / r.plan.dt));
            EXPECT_DOUBLE_EQ(p.y1, t.tabWorkFrictionRotating[i] + t.tabWorkCentrifugal[i]);
        }
}

TEST_F(EnergyGraphsTest, WorkChartButtonHalvesTheRangeAndRestoresIt) {
    run({8, 5, 10, 20, true});
    WorkChartState state;
    drawWorkChartFirst(canvas, *disk, 8, state);
    EXPECT_GT(count(canvas, Kind::Line, kRed, 2), 100);
    EXPECT_TRUE(has(canvas, "WORK OF FORCE DUE TO ACCELERATION OF BASE"));
    for (const char* t :
         {"WORK OF CENTRIFUGAL", "KINETIC EN. IN ROTATIONAL", "KINETIC EN. IN INERTIAL"})
        EXPECT_TRUE(has(canvas, t)) << t;
    const int firstLines = count(canvas, Kind::Line, kBlack);
    const double top = state.chartMax;
    const double bottom = state.chartMin;
    EXPECT_LT(bottom, 0);

    EXPECT_EQ(drawWorkChartToggled(canvas, *disk, 8, state), "ΑΡΧΙΚΟ");
    EXPECT_DOUBLE_EQ(canvas.scaleTop(), 1.5 * top / 2);
    EXPECT_DOUBLE_EQ(canvas.scaleTop() + canvas.scaleHeight(), 1.5 * bottom / 2);
    EXPECT_FALSE(state.halfRangeOffered);
    for (const char* t :
         {"WORK DUE TO BASE ACCELERATION", "WORK OF CENTRIFUBAL", "KINETIC ENERGY IN INERTIAL",
          "KINETIC ENERGY IN ROTATING", "TOTAL WORK IN ROTATING", "WORK OF FRICTION IN ROTATING"})
        EXPECT_TRUE(has(canvas, t)) << t;
    // The redraw adds a box (four lines) at every dot of the inertial kinetic energy.
    EXPECT_GT(count(canvas, Kind::Line, kBlack), firstLines + 4 * 17);

    EXPECT_EQ(drawWorkChartToggled(canvas, *disk, 8, state), "ΜΙΣΟ ΜΕΓΙΣΤΟΥ");
    EXPECT_DOUBLE_EQ(canvas.scaleTop(), 1.5 * top);
    EXPECT_TRUE(state.halfRangeOffered);
}

TEST_F(EnergyGraphsTest, FrictionOpposesTheRelativeVelocityOrHoldsTheBodyOnTheBase) {
    const BothFramesRun r = run({8, 5, 10, 20, true});
    const auto& t = disk->tables;
    const int sliding = 100;
    const Vec2 f = frictionPerMass(*disk, sliding);
    const double omega = t.tabOmega[sliding];
    const double p = t.tabVx[sliding] - omega * t.tabY[sliding];
    const double q = t.tabVy[sliding] + omega * t.tabX[sliding];
    EXPECT_NEAR(length(f), 1.0, 1e-12);
    EXPECT_NEAR(f.x * q - f.y * p, 0.0, 1e-9);
    EXPECT_LT(f.x * p + f.y * q, 0.0);
    // At rest on the base, friction points to the centre.
    const int resting = r.rows - 1;
    const Vec2 held = frictionPerMass(*disk, resting);
    const double radius = std::hypot(t.tabX[resting], t.tabY[resting]);
    EXPECT_NEAR(held.x, -t.tabX[resting] / radius, 1e-12);
    EXPECT_NEAR(held.y, -t.tabY[resting] / radius, 1e-12);
}

TEST_F(EnergyGraphsTest, VectorGraphShowsVelocityAndForceFromTheCentre) {
    run({});
    const PointAnimation a = startVectorGraph(canvas, *disk);
    EXPECT_EQ(a.last, disk->params.pointCount - 3);
    drawVectorGraphPoint(canvas, *disk, a, 100);
    const auto lines = canvas.recordsOf(Kind::Line);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0].colour, kRed);
    EXPECT_EQ(lines[0].x1, 0.0);
    EXPECT_EQ(lines[3].colour, kBlue);
    EXPECT_NEAR(std::hypot(lines[3].x2, lines[3].y2), 1.0, 1e-12);
    EXPECT_EQ(count(canvas, Kind::Circle, kGreen), 1);
    EXPECT_TRUE(has(canvas, "VELOCITY"));
    EXPECT_TRUE(has(canvas, "FORCE"));
}

TEST_F(EnergyGraphsTest, OrbitAnimationAddsOneSegmentOfEachOrbitPerPoint) {
    run({});
    const PointAnimation a = startOrbitAnimation(canvas, *disk);
    const int before = count(canvas, Kind::Line, kRed);
    for (int i = a.next; i <= a.last; ++i) drawOrbitAnimationPoint(canvas, *disk, i);
    // Segments from the second point on, plus the arrows along the velocity.
    EXPECT_GE(count(canvas, Kind::Line, kRed) - before, a.last - 1);
    EXPECT_EQ(count(canvas, Kind::Point, kRed, 3), a.last / 10);
    EXPECT_EQ(canvas.refusedCount(), 0);
}

}  // namespace
}  // namespace velarium
