#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <functional>
#include <map>
#include <memory>

#include "draw/RecordingCanvas.h"
#include "energy/BothFramesRun.h"
#include "energy/EnergyGraphs.h"
#include "energy/GraphAxes.h"
#include "energy/PointAnimations.h"
#include "energy/WorkChart.h"
#include "support/RecordedInk.h"

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
    BothFramesRun run(BothFramesSettings s) { return runBothFrames(*disk, s); }

    std::unique_ptr<DiskShared> disk = std::make_unique<DiskShared>();
    RecordingCanvas canvas{960, 540};
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
    EXPECT_EQ(canvas.texts(),
              (std::vector<std::string>{"x", "y", "INERTIAL SYSTEM", "ROTATING SYSTEM"}));
    // A second run on the same canvas replaces the first: a long run, then the default one.
    run({40, 10, 10, 20, true});
    drawOrbitGraph(canvas, *disk);
    const BothFramesRun again = run({});
    drawOrbitGraph(canvas, *disk);
    EXPECT_EQ(count(canvas, Kind::Line, kRed), again.plan.pointCount - 20 + 1);
    EXPECT_EQ(canvas.drawStyle(), kSolid);
}

TEST_F(EnergyGraphsTest, BaseAngleOfABaseThatKeepsItsRateIsAStraightLine) {
    const BothFramesRun r = run({8, 5, 10, 20, false});
    drawBaseAngleGraph(canvas, *disk, r.plan.totalTime);
    const auto points = canvas.recordsOf(Kind::Point);
    ASSERT_EQ(static_cast<int>(points.size()), r.plan.pointCount - 5);
    // θ = ω0·t through the origin, each point at its row's own time.
    for (const auto& p : points) EXPECT_NEAR(p.y1, 2 * p.x1, 1e-9);
    EXPECT_TRUE(has(canvas, "0.00"));
}

TEST_F(EnergyGraphsTest, AngularVelocityGraphComparesTorqueAndMomentum) {
    const BothFramesRun r = run({});
    drawAngularVelocityGraph(canvas, *disk);
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
    disk->tables.pointCount = 50;
    RecordingCanvas shortRun{960, 540};
    drawAngularVelocityGraph(shortRun, *disk);
    EXPECT_EQ(count(shortRun, Kind::Point, kBlue, 3), 0);
    EXPECT_EQ(shortRun.texts().back(), "ω final = 2.00");
}

TEST_F(EnergyGraphsTest, FreeBaseSlowsOnTheAngularVelocityGraph) {
    const BothFramesRun r = run({8, 5, 10, 20, true});
    drawAngularVelocityGraph(canvas, *disk);
    const int last = ((r.plan.pointCount - 1) / 50) * 50;
    char expected[32];
    std::snprintf(expected, sizeof expected, "ω final = %.2f", disk->tables.tabOmega[last]);
    EXPECT_EQ(canvas.texts().back(), expected);
    EXPECT_LT(disk->tables.tabOmega[last], 1.0);
}

TEST_F(EnergyGraphsTest, VelocityGraphsDrawEveryComponentAndTheLegend) {
    const BothFramesRun r = run({});
    drawVelocityGraphs(canvas, *disk);
    // Segments between the stored points, rows 1 to N − 1, and the legend's sample.
    const int segments = r.plan.pointCount - 2 + 1;
    EXPECT_EQ(count(canvas, Kind::Line, kRed, 3), segments);
    EXPECT_EQ(count(canvas, Kind::Line, kGreen, 1), segments);
    EXPECT_EQ(count(canvas, Kind::Line, kBlue, 4), segments);
    EXPECT_EQ(count(canvas, Kind::Point, kGreen, 2), (r.plan.pointCount - 1) / 50 + 3);
    for (const char* t : {"VX Inertial frame", "VY Intertial frame", "VX ROTATING FRAME",
                          "VY rotating frame", "Vrelative X INERTIAL", "Vrelatvie Y INERTIAL"})
        EXPECT_TRUE(has(canvas, t)) << t;
}

TEST_F(EnergyGraphsTest, WorkChartOfABaseThatKeepsItsRateHasNoBaseForce) {
    const BothFramesRun r = run({8, 5, 10, 4, false});
    WorkChartState state;
    EXPECT_EQ(drawWorkChartFirst(canvas, *disk, r.plan.totalTime, state), "HALF MAXIMUM");
    EXPECT_EQ(count(canvas, Kind::Line, kRed), 0);
    EXPECT_FALSE(has(canvas, "WORK OF FORCE DUE TO ACCELERATION OF BASE"));
    EXPECT_GT(state.chartMax, 0);
    // Green centrifugal work between every stored point but the last ten, and its sample.
    EXPECT_EQ(count(canvas, Kind::Line, kGreen, 3), r.plan.pointCount - 10 + 1);
    // The blue total is friction plus centrifugal work.
    const auto& t = disk->tables;
    for (const auto& p : canvas.recordsOf(Kind::Point))
        if (p.colour == kBlue && p.width == 1) {
            const int i = static_cast<int>(std::lround(p.x1 / r.plan.dt)) - 1;
            EXPECT_DOUBLE_EQ(p.y1, t.tabWorkFrictionRotating[i] + t.tabWorkCentrifugal[i]);
        }
}

// Row k of a run holds the state after k + 1 steps, so every time graph draws row k's value at
// t = (k + 1)·dt: the row a drawn value belongs to is the one whose time it is drawn at.
TEST_F(EnergyGraphsTest, EveryGraphDrawsEachRowAtItsOwnTime) {
    const BothFramesRun r = run({4, 5, 10, 1, true});
    const OrbitTables& t = disk->tables;
    struct Graph {
        const char* name;
        std::function<void()> draw;
        Kind kind;
        Rgb colour;
        int width;
        const std::vector<double>& values;
    };
    WorkChartState chart;
    const Graph graphs[] = {
        {"base angle", [&] { drawBaseAngleGraph(canvas, *disk, r.plan.totalTime); }, Kind::Point,
         kBlack, 1, t.tabTheta},
        {"angular velocity", [&] { drawAngularVelocityGraph(canvas, *disk); }, Kind::Point, kBlue,
         3, t.tabOmega},
        {"velocities", [&] { drawVelocityGraphs(canvas, *disk); }, Kind::Line, kRed, 3, t.tabVx},
        {"work chart", [&] { drawWorkChartFirst(canvas, *disk, r.plan.totalTime, chart); },
         Kind::Point, kBlue, 1, t.tabWorkTotalRotating},
    };
    for (const Graph& g : graphs) {
        SCOPED_TRACE(g.name);
        g.draw();
        int drawn = 0;
        for (const auto& p : canvas.recordsOf(g.kind)) {
            if (p.colour != g.colour || p.width != g.width || p.x1 > r.plan.totalTime) continue;
            const int k = static_cast<int>(std::lround(p.x1 / r.plan.dt)) - 1;
            ASSERT_GE(k, 0);
            EXPECT_NEAR(p.x1, (k + 1) * r.plan.dt, 1e-9);
            EXPECT_DOUBLE_EQ(p.y1, g.values[static_cast<std::size_t>(k)]);
            ++drawn;
        }
        EXPECT_GT(drawn, 5);
    }
}

// On a canvas two thirds as wide as a classroom's, as at 200% on a small display, the legends stay
// readable: every work-chart legend text lies whole inside the canvas, first drawn and redrawn,
// and each orbit legend text has its sample line just left of it, across its middle, wherever
// the orbits pushed the text.
TEST_F(EnergyGraphsTest, LegendsStayWholeAndBesideTheirSamplesOnANarrowCanvas) {
    const BothFramesRun r = run({8, 5, 10, 20, true});
    for (const int width : {960, 640}) {
        RecordingCanvas narrow(width, 540);
        WorkChartState state;
        drawWorkChartFirst(narrow, *disk, r.plan.totalTime, state);
        for (const PrintedText& t : narrow.printedTexts())
            EXPECT_LE(t.right, 1 + 1e-12) << t.text << " at " << width;
        drawWorkChartToggled(narrow, *disk, r.plan.totalTime, state);
        for (const PrintedText& t : narrow.printedTexts())
            EXPECT_LE(t.right, 1 + 1e-12) << t.text << " redrawn at " << width;

        RecordingCanvas orbits(width, 540);
        drawOrbitGraph(orbits, *disk);
        const auto lines = orbits.recordsOf(Kind::Line);
        for (const PrintedText& t : orbits.printedTexts()) {
            if (t.text.find("SYSTEM") == std::string::npos) continue;
            // The text's middle and left edge in user units.
            const double middle = orbits.scaleTop() + (t.top + t.bottom) / 2 * orbits.scaleHeight();
            const double left = orbits.scaleLeft() + t.left * orbits.scaleWidth();
            const bool sampled = std::any_of(lines.begin(), lines.end(), [&](const Primitive& l) {
                return std::abs(l.y1 - middle) < 1e-9 && std::abs(l.y2 - middle) < 1e-9 &&
                       l.x2 < left && left - l.x2 < orbits.scaleWidth() / 20;
            });
            EXPECT_TRUE(sampled) << t.text << " at " << width;
        }
    }
}

TEST_F(EnergyGraphsTest, WorkChartButtonHalvesTheRangeAndRestoresIt) {
    const BothFramesRun r = run({8, 5, 10, 20, true});
    WorkChartState state;
    drawWorkChartFirst(canvas, *disk, r.plan.totalTime, state);
    EXPECT_GT(count(canvas, Kind::Line, kRed, 2), 100);
    EXPECT_TRUE(has(canvas, "WORK OF FORCE DUE TO ACCELERATION OF BASE"));
    for (const char* t :
         {"WORK OF CENTRIFUGAL", "KINETIC EN. IN ROTATIONAL", "KINETIC EN. IN INERTIAL"})
        EXPECT_TRUE(has(canvas, t)) << t;
    const int firstLines = count(canvas, Kind::Line, kBlack);
    const double top = state.chartMax;
    const double bottom = state.chartMin;
    EXPECT_LT(bottom, 0);

    EXPECT_EQ(drawWorkChartToggled(canvas, *disk, r.plan.totalTime, state), "ΑΡΧΙΚΟ");
    EXPECT_DOUBLE_EQ(canvas.scaleTop(), 1.5 * top / 2);
    EXPECT_DOUBLE_EQ(canvas.scaleTop() + canvas.scaleHeight(), 1.5 * bottom / 2);
    EXPECT_FALSE(state.halfRangeOffered);
    for (const char* t :
         {"WORK DUE TO BASE ACCELERATION", "WORK OF CENTRIFUBAL", "KINETIC ENERGY IN INERTIAL",
          "KINETIC ENERGY IN ROTATING", "TOTAL WORK IN ROTATING", "WORK OF FRICTION IN ROTATING"})
        EXPECT_TRUE(has(canvas, t)) << t;
    // The redraw adds a box (four lines) at every dot of the inertial kinetic energy.
    EXPECT_GT(count(canvas, Kind::Line, kBlack), firstLines + 4 * 17);

    EXPECT_EQ(drawWorkChartToggled(canvas, *disk, r.plan.totalTime, state), "ΜΙΣΟ ΜΕΓΙΣΤΟΥ");
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
    EXPECT_EQ(a.last, disk->tables.pointCount - 3);
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

// Runs of several settings, each shown by every graph: a short run on a free base (where the
// friction work is the largest value by far), the default, a heavy body on a free base until it
// rides along, no friction (the body flies out), and the longest run on a held base.
const BothFramesSettings kRunsInARow[] = {
    {1, 5, 10, 1, true}, {}, {12, 5, 10, 20, true}, {4, 5, 0, 1, true}, {40, 10, 10, 1, false},
};

// No grid line, curve, mark or sample runs through a name, a number or a legend text, on the
// chart (its full range: in half of it the curves run off by design) and the graphs at the sizes
// their screens have on a 1920 × 1080 display.
TEST_F(EnergyGraphsTest, NoLineStrikesThroughAText) {
    using Draw = std::function<void(PlotCanvas&, double)>;
    WorkChartState state;
    const std::pair<const char*, Draw> graphs[] = {
        {"work chart", [&](PlotCanvas& c, double t) { drawWorkChartFirst(c, *disk, t, state); }},
        {"angular velocity", [&](PlotCanvas& c, double) { drawAngularVelocityGraph(c, *disk); }},
        {"base angle", [&](PlotCanvas& c, double t) { drawBaseAngleGraph(c, *disk, t); }},
        {"velocities", [&](PlotCanvas& c, double) { drawVelocityGraphs(c, *disk); }},
    };
    for (const BothFramesSettings& s :
         {BothFramesSettings{}, BothFramesSettings{12, 5, 10, 20, true}}) {
        const BothFramesRun r = run(s);
        for (const auto& [name, draw] : graphs) {
            RecordingCanvas c(1632, 540);
            draw(c, r.plan.totalTime);
            for (const PrintedText& t : c.printedTexts())
                EXPECT_FALSE(testing::anyInkMeets(c, t))
                    << name << ": " << t.text << ", mass " << s.massvalue;
        }
    }
}

TEST_F(EnergyGraphsTest, EveryGraphHoldsAllItsDataAndNamesItsAxes) {
    struct Graph {
        const char* name;
        std::function<void(PlotCanvas&, const DiskShared&, double)> draw;
        const char* xName;
        const char* yName;
    };
    WorkChartState state;
    // The program's units have no names: the time and ω axes name the quantity alone.
    const Graph graphs[] = {
        {"orbits", [](PlotCanvas& c, const DiskShared& d, double) { drawOrbitGraph(c, d); },
         kOrbitXAxis, kOrbitYAxis},
        {"work chart",
         [&](PlotCanvas& c, const DiskShared& d, double t) { drawWorkChartFirst(c, d, t, state); },
         "t", kWorkAxis},
        {"velocities", [](PlotCanvas& c, const DiskShared& d, double) { drawVelocityGraphs(c, d); },
         "t", kSpeedAxis},
        {"angular velocity",
         [](PlotCanvas& c, const DiskShared& d, double) { drawAngularVelocityGraph(c, d); }, "t",
         "ω"},
        {"base angle", drawBaseAngleGraph, "t", kAngleAxis},
    };
    // One canvas per graph, kept from run to run as a screen keeps its picture.
    std::map<std::string, RecordingCanvas> canvases;
    for (const BothFramesSettings& s : kRunsInARow) {
        const BothFramesRun r = run(s);
        for (const Graph& g : graphs) {
            RecordingCanvas& c = canvases.try_emplace(g.name, 960, 540).first->second;
            g.draw(c, *disk, r.plan.totalTime);
            const auto where = ::testing::Message()
                               << g.name << ", total time " << s.xronosolikos << ", free "
                               << s.dialogi << ", mass " << s.massvalue;
            const double left = c.scaleLeft(), right = left + c.scaleWidth();
            const double top = c.scaleTop(), bottom = top + c.scaleHeight();
            const double slack = 1e-9 * (top - bottom);
            auto inside = [&](double x, double y) {
                return x >= left - slack && x <= right + slack && y >= bottom - slack &&
                       y <= top + slack;
            };
            // Every curve, point and mark lies in sight; straight black lines are axes, grids,
            // ticks and the end of the run.
            int data = 0;
            for (const Primitive& p : c.records()) {
                if (p.kind == Kind::Text ||
                    (p.kind == Kind::Line && p.colour == kBlack && (p.x1 == p.x2 || p.y1 == p.y2)))
                    continue;
                ++data;
                ASSERT_TRUE(inside(p.x1, p.y1)) << where << ": (" << p.x1 << ", " << p.y1 << ")";
                if (p.kind == Kind::Line) {
                    ASSERT_TRUE(inside(p.x2, p.y2))
                        << where << ": (" << p.x2 << ", " << p.y2 << ")";
                }
            }
            EXPECT_GT(data, 100) << where;
            EXPECT_TRUE(has(c, g.xName)) << where;
            EXPECT_TRUE(has(c, g.yName)) << where;
            // No text starts on, or runs across, the vertical axis.
            const double axis = (0 - left) / c.scaleWidth();
            for (const PrintedText& t : c.printedTexts())
                EXPECT_FALSE(t.left <= axis && axis < t.right) << where << ": " << t.text;
        }
        // The velocities and the angular velocity are drawn against the same run time: both
        // end at the run's last drawn point, about T.
        auto lastTime = [&](const char* name) {
            double x = 0;
            for (const auto& l : canvases.at(name).recordsOf(Kind::Line))
                if (l.colour == kRed && l.x2 < 1.05 * r.plan.totalTime) x = std::max(x, l.x2);
            return x;
        };
        EXPECT_DOUBLE_EQ(lastTime("velocities"), lastTime("angular velocity"));
        EXPECT_NEAR(lastTime("velocities"), r.plan.totalTime, 2 * r.plan.dt);
    }
}

TEST_F(EnergyGraphsTest, RotatingOrbitIsTheInertialOneTurnedBackAgainstTheBase) {
    // The base turns clockwise at ω0 = 2, so seen from the base the body's position is its
    // inertial one turned counter-clockwise by ω0·t, t = (k + 1)·dt at row k: x' + i·y' =
    // (x + i·y)·e^{i·ω0·t}. The run counts its frame angle from the second row on, which turns
    // the whole blue orbit by the constant 2·ω0·dt; a frame turning the wrong way would be off
    // by 2·ω0·t.
    for (const BothFramesSettings& s : {BothFramesSettings{}, BothFramesSettings{8, 5, 0, 1, false},
                                        BothFramesSettings{8, 10, 3, 20, false}}) {
        const BothFramesRun r = run(s);
        drawOrbitGraph(canvas, *disk);
        std::vector<std::complex<double>> red, blue;
        for (const auto& l : canvas.recordsOf(Kind::Line)) {
            if (l.colour == kRed && l.width == 1) red.emplace_back(l.x1, l.y1);
            if (l.colour == kBlue && l.width == 1) blue.emplace_back(l.x1, l.y1);
        }
        // One segment per point from row 1, then the legend's sample line.
        ASSERT_EQ(red.size(), static_cast<std::size_t>(r.plan.pointCount - 20 + 1));
        ASSERT_EQ(blue.size(), red.size());
        const double offset = 2 * 2.0 * r.plan.dt;
        for (std::size_t j = 0; j + 1 < red.size(); ++j) {
            const double t = (j + 2) * r.plan.dt;
            const std::complex<double> turned = red[j] * std::polar(1.0, 2.0 * t);
            ASSERT_LE(std::abs(blue[j] - turned), offset * std::abs(red[j]) * 1.001 + 1e-12)
                << "friction " << s.syntelfri << ", row " << j + 1;
        }
    }
}

// Kinetic energy of the inertial motion at row k.
double kineticAt(const DiskShared& d, int k) {
    const auto& t = d.tables;
    return 0.5 * d.params.bodyMass * (t.tabVx[k] * t.tabVx[k] + t.tabVy[k] * t.tabVy[k]);
}

TEST_F(EnergyGraphsTest, InertialFrictionWorkDrawnIsTheDrawnChangeOfKineticEnergy) {
    // The chart draws the friction work as circles and ½·m·v² as dots; where both fall on the
    // same time, the circle lies at the dot less the kinetic energy of row 0. The work is a
    // right-endpoint rectangle sum of the friction power over rows 1..k, whose error against
    // the change of kinetic energy from row 0 to row k is at most dt times the power's total
    // variation and one step more: with D_j = KE_j − KE_{j−1}, Σ|D_j − D_{j−1}| + |D_k|.
    int compared = 0;
    std::vector<BothFramesSettings> runs;
    for (int total : {1, 2, 3, 5, 8, 12})
        for (bool free : {false, true})
            for (int mass : {1, 20}) runs.push_back({total, 5, 10, mass, free});
    for (const BothFramesSettings& s : runs) {
        const BothFramesRun r = run(s);
        WorkChartState state;
        drawWorkChartFirst(canvas, *disk, r.plan.totalTime, state);
        const double dt = r.plan.dt;
        std::map<int, double> work, kinetic;
        for (const auto& p : canvas.recordsOf(Kind::Circle))
            if (p.x1 < r.plan.totalTime) work[static_cast<int>(std::lround(p.x1 / dt)) - 1] = p.y1;
        for (const auto& p : canvas.recordsOf(Kind::Point))
            if (p.colour == Rgb{0, 5, 5} && p.x1 < r.plan.totalTime)
                kinetic[static_cast<int>(std::lround(p.x1 / dt)) - 1] = p.y1;
        ASSERT_GT(work.size(), 10u);
        ASSERT_GT(kinetic.size(), 10u);
        std::vector<double> d(r.rows, 0.0);
        for (int j = 1; j < r.rows; ++j) d[j] = kineticAt(*disk, j) - kineticAt(*disk, j - 1);
        for (const auto& [k, w] : work) {
            const auto dot = kinetic.find(k);
            if (dot == kinetic.end()) continue;
            double bound = std::abs(d[k]);
            for (int j = 2; j <= k; ++j) bound += std::abs(d[j] - d[j - 1]);
            EXPECT_LE(std::abs(w - (dot->second - kineticAt(*disk, 0))), bound)
                << "total time " << s.xronosolikos << ", free " << s.dialogi << ", row " << k;
            ++compared;
        }
    }
    EXPECT_GE(compared, 12);
}

TEST_F(EnergyGraphsTest, EveryLegendRowOfTheWorkChartIsNamed) {
    // Each group of five legend symbols stands beside a text of its own row.
    const BothFramesRun r = run({8, 5, 10, 20, true});
    WorkChartState state;
    const double total = r.plan.totalTime;
    for (bool redraw : {false, true}) {
        if (redraw)
            drawWorkChartToggled(canvas, *disk, total, state);
        else
            drawWorkChartFirst(canvas, *disk, total, state);
        const double tenth = -canvas.scaleHeight() / 10;
        std::vector<double> rows;
        for (const PrintedText& t : canvas.printedTexts())
            if (t.x >= 1.29 * total) rows.push_back(t.y);
        std::vector<double> samples;
        for (const Primitive& p : canvas.records())
            if (p.kind != Kind::Text && p.x1 > 1.1 * total - 1e-9 && p.x1 < 1.28 * total)
                samples.push_back(p.y1);
        ASSERT_FALSE(samples.empty());
        for (double y : samples)
            EXPECT_TRUE(std::any_of(rows.begin(), rows.end(),
                                    [&](double row) { return std::abs(y - row) < 0.5 * tenth; }))
                << "redraw " << redraw << ", sample at " << y;
        EXPECT_EQ(has(canvas, "WORK OF FRICTION ON RELATIVE MOTION"), redraw);
    }
}

}  // namespace
}  // namespace velarium
