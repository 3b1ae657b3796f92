#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>

#include "draw/RecordingCanvas.h"
#include "translating/RelativePictures.h"

namespace velarium {
namespace {

using Kind = Primitive::Kind;
constexpr double kDt = 1.0 / 15;

struct Views {
    RecordingCanvas lab;
    RecordingCanvas moving;
    RelativeRun run;
    RelativeDrawn drawn;

    bool step(const RelativeSettings& s) {
        return advanceRelativeStep(lab, moving, run, s, kDt, drawn);
    }
    void forget() {
        lab.forget();
        moving.forget();
    }
};

// The shaft of an arrow: the first segment, from its start along its vector.
bool hasShaft(const RecordingCanvas& c, double x, double y, double dx, double dy, Rgb colour,
              int width) {
    const auto lines = c.recordsOf(Kind::Line);
    return std::any_of(lines.begin(), lines.end(), [&](const Primitive& p) {
        return std::abs(p.x1 - x) < 1e-9 && std::abs(p.y1 - y) < 1e-9 &&
               std::abs(p.x2 - p.x1 - dx) < 1e-9 && std::abs(p.y2 - p.y1 - dy) < 1e-9 &&
               p.colour == colour && p.width == width;
    });
}

int countColour(const RecordingCanvas& c, Kind kind, Rgb colour) {
    const auto r = c.recordsOf(kind);
    return static_cast<int>(
        std::count_if(r.begin(), r.end(), [&](const Primitive& p) { return p.colour == colour; }));
}

TEST(RelativeViewScale, ZoomAndPanPlaceTheCorners) {
    RecordingCanvas c;
    setRelativeViewScale(c, 2, 10, -5);
    EXPECT_EQ(c.scaleLeft(), -80.0);
    EXPECT_EQ(c.scaleTop(), 70.0);
    EXPECT_EQ(c.scaleWidth(), 120.0);
    EXPECT_EQ(c.scaleHeight(), -120.0);
}

// The first step already shows the body, ringed, with its velocity; the trails start after it.
TEST(RelativeStepPictures, FirstStepMarksTheBodyWithItsVelocity) {
    Views v;
    RelativeSettings s;
    ASSERT_TRUE(v.step(s));
    const RelativeRun& r = v.run;
    for (const RecordingCanvas* c : {&v.lab, &v.moving}) {
        const auto rings = c->recordsOf(Kind::Circle);
        ASSERT_EQ(rings.size(), 1u);
        EXPECT_EQ(rings[0].x1, r.labX[0]);
        EXPECT_EQ(rings[0].y1, r.labY[0]);
        EXPECT_TRUE(c->recordsOf(Kind::Point).empty());
    }
    EXPECT_TRUE(hasShaft(v.lab, r.labX[0], r.labY[0], 2, 1, kVelocityRed, 2));
    EXPECT_TRUE(v.moving.texts().empty());  // no A and no friction: no legend
    EXPECT_EQ(v.run.relativeStepIndex, 1);
}

// Every force arrow at one scale that keeps the largest within a fifth of the view, the scale
// printed: mass 0.40, Ax = 2 and μ = 0.3 give forces up to 1.2, drawn 10 times as long.
TEST(RelativeStepPictures, ForceArrowsShareAScaleThatKeepsThemInView) {
    struct Case {
        int mass, ax, mu100, zoom;
        double scale;
    };
    for (const Case c : {Case{20, 2, 30, 1, 10}, Case{1, 5, 0, 1, 50}, Case{300, 5, 100, 1, 0.2},
                         Case{20, 2, 30, 3, 20}}) {
        RelativeSettings s;
        s.mazatoysomatos = c.mass;
        s.epitaxynshx = c.ax;
        s.trivistoepipedo = c.mu100;
        s.overallscale = c.zoom;
        EXPECT_DOUBLE_EQ(relativeForceScale(s), c.scale) << c.mass;
        Views v;
        v.step(s);
        EXPECT_TRUE(hasShaft(v.moving, v.run.relX[0], v.run.relY[0],
                             -c.mass / 50.0 * c.ax * c.scale, 0, kFictitiousBlue, 2));
    }
    EXPECT_EQ(relativeForceScaleText(0.2), "FORCE ARROWS: LENGTH = 0.2 X FORCE");
}

// The body leaves the view within seconds; the view goes after it, and the body and its arrows'
// starts stay inside.
TEST(RelativeStepPictures, ViewsFollowTheBody) {
    Views v;
    RelativeSettings s;
    s.epitaxynshx = 2;
    s.taxythtay = 1;
    s.trivistoepipedo = 10;
    for (int k = 0; k < 226; ++k) {
        v.step(s);
        const int n = v.run.relativeStepIndex - 1;
        for (auto [c, x, y] : {std::tuple{&v.lab, v.run.labX[n], v.run.labY[n]},
                               std::tuple{&v.moving, v.run.relX[n], v.run.relY[n]}}) {
            const double cx = c->scaleLeft() + c->scaleWidth() / 2;
            const double cy = c->scaleTop() + c->scaleHeight() / 2;
            ASSERT_LE(std::abs(x - cx), 0.3 * c->scaleWidth()) << "row " << n;
            ASSERT_LE(std::abs(y - cy), 0.3 * std::abs(c->scaleHeight())) << "row " << n;
        }
    }
    EXPECT_GT(v.run.labX[225], 100.0);
    EXPECT_GT(v.lab.clearCount(), 0);
}

TEST(RelativeStepPictures, ArrowsTrailsAndTheirPaintingOver) {
    Views v;
    RelativeSettings s;
    s.taxythtax = 1;
    s.epitaxynshx = 2;
    s.epitaxynshy = -1;
    s.trivistoepipedo = 10;
    s.mazatoysomatos = 3;
    s.xscaleeikona1 = 4;
    v.step(s);
    EXPECT_EQ(v.moving.texts(), (std::vector<std::string>{"FICTIONAL FORCE", "FRICTION",
                                                          "FORCE ARROWS: LENGTH = 50 X FORCE"}));
    v.forget();
    v.step(s);
    const RelativeRun& r = v.run;
    EXPECT_EQ(v.lab.scaleLeft(), -34.0);
    EXPECT_TRUE(hasShaft(v.lab, r.labX[1], r.labY[1], r.labVx[1], r.labVy[1], kVelocityRed, 2));
    EXPECT_TRUE(hasShaft(v.moving, r.relX[1], r.relY[1], -6, 0, kFictitiousBlue, 2));
    EXPECT_TRUE(hasShaft(v.moving, r.relX[1], r.relY[1], 0, 3, kFictitiousBlue, 2));
    // Kinetic friction M·μ·g = 3 opposite to the relative velocity.
    const double ux = r.labVx[1] - (1 + 2 * 2 * kDt);
    const double uy = r.labVy[1] - (-1 * 2 * kDt);
    const double u = std::hypot(ux, uy);
    EXPECT_TRUE(hasShaft(v.moving, r.relX[1], r.relY[1], ux, uy, kVelocityRed, 2));
    EXPECT_TRUE(
        hasShaft(v.moving, r.relX[1], r.relY[1], -3 * ux / u, -3 * uy / u, kKineticGreen, 2));
    EXPECT_EQ(countColour(v.lab, Kind::Point, kBlack), 1);
    EXPECT_EQ(countColour(v.moving, Kind::Point, kKineticGreen), 1);
    // The legend stands as it was: nothing has been drawn over it.
    EXPECT_TRUE(v.moving.texts().empty());
    EXPECT_EQ(v.lab.drawWidth(), 1);
    EXPECT_EQ(v.moving.drawWidth(), 1);

    // The next step paints the last arrows over in white, width 4, as they were drawn, even
    // though the mass has changed since.
    s.mazatoysomatos = 4;
    v.forget();
    v.step(s);
    EXPECT_TRUE(hasShaft(v.lab, r.labX[1], r.labY[1], r.labVx[1], r.labVy[1], kWhite, 4));
    EXPECT_TRUE(hasShaft(v.moving, r.relX[1], r.relY[1], -6, 0, kWhite, 4));
    EXPECT_TRUE(hasShaft(v.moving, r.relX[1], r.relY[1], 0, 3, kWhite, 4));
    EXPECT_TRUE(hasShaft(v.moving, r.relX[1], r.relY[1], -3 * ux / u, -3 * uy / u, kWhite, 4));
    EXPECT_TRUE(hasShaft(v.moving, r.relX[2], r.relY[2], -8, 0, kFictitiousBlue, 2));
    EXPECT_EQ(countColour(v.moving, Kind::Line, kFictitiousBlue), 3 + 3);
    EXPECT_EQ(countColour(v.lab, Kind::Point, kBlack), 2);
}

TEST(RelativeStepPictures, TrailIsRedrawnWhereArrowsTouchItAndWholeAfterAClear) {
    Views v;
    RelativeSettings s;
    s.taxythtax = 1;
    s.epitaxynshx = -1;
    s.trivistoepipedo = 5;
    for (int k = 0; k < 200; ++k) v.step(s);
    const RelativeDrawn before = v.drawn;
    v.forget();
    v.step(s);
    const int n = v.run.relativeStepIndex - 1;
    const auto points = v.moving.recordsOf(Kind::Point);
    EXPECT_LT(static_cast<int>(points.size()), n / 2);
    // Every row under an arrow painted over or newly drawn is on top again.
    auto drawnAgain = [&](double x, double y) {
        return std::any_of(points.begin(), points.end(),
                           [&](const Primitive& p) { return p.x1 == x && p.y1 == y; });
    };
    std::vector<DrawnArrow> touched = before.moving.arrows;
    touched.insert(touched.end(), v.drawn.moving.arrows.begin(), v.drawn.moving.arrows.end());
    for (int i = 1; i <= n; ++i) {
        for (const DrawnArrow& a : touched) {
            const double t =
                std::clamp(((v.run.relX[i] - a.x) * a.dx + (v.run.relY[i] - a.y) * a.dy) /
                               std::max(1e-12, a.dx * a.dx + a.dy * a.dy),
                           0.0, 1.0);
            if (std::hypot(v.run.relX[i] - a.x - t * a.dx, v.run.relY[i] - a.y - t * a.dy) < 0.3) {
                EXPECT_TRUE(drawnAgain(v.run.relX[i], v.run.relY[i])) << "row " << i;
            }
        }
    }
    EXPECT_TRUE(drawnAgain(v.run.relX[n], v.run.relY[n]));

    // After a clear the whole trail comes back.
    v.moving.clear();
    v.drawn.moving.forget();
    v.step(s);
    EXPECT_EQ(static_cast<int>(v.moving.recordsOf(Kind::Point).size()), n + 1);
}

TEST(RelativeStepPictures, LegendFollowsTheControlsAndTheScale) {
    Views v;
    RelativeSettings s;
    s.overallscale = 2;
    s.xscaleeikona2 = 10;
    s.trivistoepipedo = 5;
    v.step(s);
    // Only friction: its legend arrow of length S·w/8 = 10 from (L, T + SH/10).
    EXPECT_EQ(v.moving.texts(),
              (std::vector<std::string>{"FRICTION", "FORCE ARROWS: LENGTH = 50 X FORCE"}));
    EXPECT_TRUE(hasShaft(v.moving, -80, 60 - 12, 10, 0, kKineticGreen, 2));
    const auto text = v.moving.recordsOf(Kind::Text);
    EXPECT_DOUBLE_EQ(text[0].x1, -80 + 15);
    EXPECT_DOUBLE_EQ(text[0].y1, 60 - 120.0 / 13);

    // No friction, no legend for it, but the green kinetic arrow of length 0 draws nothing.
    s.trivistoepipedo = 0;
    s.epitaxynshy = 1;
    v.forget();
    v.step(s);
    EXPECT_EQ(v.moving.texts()[0], "FICTIONAL FORCE");
    EXPECT_TRUE(hasShaft(v.moving, -80, 60 - 8, 10, 0, kFictitiousBlue, 2));
    EXPECT_EQ(countColour(v.moving, Kind::Line, kKineticGreen), 0);
    EXPECT_EQ(v.moving.refusedCount(), 0);
}

TEST(RelativeStepPictures, LegendIsDrawnAgainWhenAnArrowCrossesIt) {
    Views v;
    RelativeSettings s;
    s.arxikx = -15;
    s.arxikiy = 15;
    s.epitaxynshy = -1;
    s.mazatoysomatos = 60;  // the fictitious force (0, 12) runs up through the legend
    v.step(s);
    v.step(s);
    v.forget();
    v.step(s);
    // The legend's arrow is drawn again; its text, kept by the canvas, is not printed twice.
    EXPECT_GT(countColour(v.moving, Kind::Line, kFictitiousBlue), 3);
    EXPECT_TRUE(v.moving.texts().empty());
    s.mazatoysomatos = 1;
    v.step(s);  // paints the long arrow over: the legend again
    v.forget();
    v.step(s);
    EXPECT_TRUE(v.moving.texts().empty());
}

TEST(RelativeStepPictures, ComingToRestClearsTheMovingViewOnceAndShowsStaticFriction) {
    Views v;
    RelativeSettings s;
    s.arxikivx = 3;
    s.arxikvy = 0;
    s.taxythtax = 2;
    s.trivistoepipedo = 50;
    int clears = 0;
    for (int k = 0; k < 40; ++k) {
        v.step(s);
        if (v.run.carriedFlag == 1 && clears == 0) clears = v.moving.clearCount();
    }
    EXPECT_EQ(clears, 1);
    EXPECT_EQ(v.moving.clearCount(), 1);
    // A later acceleration of the frame: blue −M·A and the static friction M·A.
    s.epitaxynshx = 1;
    s.mazatoysomatos = 20;
    v.forget();
    v.step(s);
    const int n = v.run.relativeStepIndex - 1;
    EXPECT_EQ(v.run.carriedFlag, 1);
    // Mass 0.4 and μ·g = 5 at the scale 5: the forces 0.4 drawn 2 long.
    EXPECT_TRUE(hasShaft(v.moving, v.run.relX[n], v.run.relY[n], 2, 0, kStaticGreen, 2));
    EXPECT_TRUE(hasShaft(v.moving, v.run.relX[n], v.run.relY[n], -2, 0, kFictitiousBlue, 2));
}

// A body that stops sliding on the frame shows the static friction M·A, whatever direction the
// rounding noise of its relative velocity points.
TEST(RelativeStepPictures, BodyAtRestInTheFrameShowsStaticFrictionOnly) {
    RelativeSettings accelerating;
    accelerating.epitaxynshx = 2;
    accelerating.trivistoepipedo = 30;
    RelativeSettings moving;
    moving.taxythtax = 3;
    moving.arxikivx = 3;
    moving.trivistoepipedo = 50;
    for (const RelativeSettings& s : {accelerating, moving}) {
        Views v;
        for (int k = 0; k < 300; ++k) v.step(s);
        v.forget();
        v.step(s);
        const int n = v.run.relativeStepIndex - 1;
        EXPECT_EQ(v.run.carriedFlag, 1) << s.taxythtax;
        EXPECT_EQ(countColour(v.moving, Kind::Line, kKineticGreen), 0) << s.taxythtax;
        if (s.epitaxynshx != 0)
            EXPECT_TRUE(hasShaft(v.moving, v.run.relX[n], v.run.relY[n], 2, 0, kStaticGreen, 2));
        else
            EXPECT_EQ(countColour(v.moving, Kind::Line, kStaticGreen), 0);
    }
}

TEST(RelativeStepPictures, StepsBeyondTheLastRowAreRefused) {
    Views v;
    RelativeSettings s;
    s.trivistoepipedo = 20;
    for (int k = 0; k < RelativeRun::kPositionRows; ++k) ASSERT_TRUE(v.step(s));
    EXPECT_EQ(v.run.relativeStepIndex, 1501);
    const RelativeRun before = v.run;
    v.forget();
    s.overallscale = 3;
    EXPECT_FALSE(v.step(s));
    EXPECT_TRUE(v.lab.records().empty());
    EXPECT_TRUE(v.moving.records().empty());
    EXPECT_EQ(v.lab.scaleWidth(), 60.0);
    EXPECT_EQ(v.run.relativeStepIndex, before.relativeStepIndex);
    EXPECT_EQ(v.run.labX, before.labX);
    EXPECT_EQ(v.run.relX, before.relX);
}

TEST(RelativeReplay, ReplaysAtMostThirteenHundredRowsAndEndsTheRun) {
    Views v;
    RelativeSettings s;
    s.taxythtax = 1;
    for (int k = 0; k < 1400; ++k) v.step(s);
    v.run.carriedFlag = 1;
    v.forget();
    const int clears = v.lab.clearCount();
    replayRelativeRun(v.lab, v.moving, v.run);
    EXPECT_EQ(countColour(v.moving, Kind::Point, kFictitiousBlue), 1300);
    const auto rings = v.lab.recordsOf(Kind::Circle);
    ASSERT_EQ(rings.size(), 130u);
    EXPECT_EQ(rings.back().x1, v.run.labX[1300]);
    EXPECT_EQ(rings.back().radius, 0.5);
    EXPECT_EQ(v.moving.recordsOf(Kind::Circle).front().radius, 0.3);
    EXPECT_EQ(v.lab.clearCount(), clears);
    EXPECT_EQ(v.run.relativeStepIndex, 0);
    EXPECT_EQ(v.run.carriedFlag, 0);
    // The next step starts a new run from the initial values.
    v.step(s);
    EXPECT_EQ(v.run.relativeStepIndex, 1);
    EXPECT_NEAR(v.run.labX[0], 5 + 2 * kDt, 0.02);
}

TEST(RelativeReplay, ReplaysOnlyTheRowsTheRunWrote) {
    Views v;
    RelativeSettings s;
    s.taxythtax = 1;
    for (int k = 0; k < 25; ++k) v.step(s);
    v.forget();
    replayRelativeRun(v.lab, v.moving, v.run);
    // Rows 0..24 hold the run; the replay draws rows 1..24 and nothing at row 25's zeros.
    const auto dots = v.moving.recordsOf(Kind::Point);
    ASSERT_EQ(dots.size(), 24u);
    for (std::size_t i = 0; i < dots.size(); ++i) {
        EXPECT_EQ(dots[i].x1, v.run.relX[i + 1]);
        EXPECT_EQ(dots[i].y1, v.run.relY[i + 1]);
    }
    EXPECT_EQ(v.lab.recordsOf(Kind::Circle).size(), 2u);
}

}  // namespace
}  // namespace velarium
