#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "disk/DiskPicture.h"
#include "disk/DisplayStep.h"
#include "draw/Arrow.h"
#include "draw/ColourProfile.h"
#include "draw/RecordingCanvas.h"

namespace velarium {
namespace {

using Kind = Primitive::Kind;
using namespace diskcolours;

bool hasText(const RecordingCanvas& c, const std::string& text) {
    const auto t = c.texts();
    return std::find(t.begin(), t.end(), text) != t.end();
}

// Lines drawn in a colour and width (an arrow is three of them).
int linesIn(const RecordingCanvas& c, Rgb colour, int width) {
    int n = 0;
    for (const auto& p : c.recordsOf(Kind::Line)) n += p.colour == colour && p.width == width;
    return n;
}

// A run of `steps` straight display steps from the default start.
DiskRun straightRun(int steps, double vx = 2, double vy = 0) {
    DiskShared disk;
    DiskRun run;
    run.pathY[0] = 1;
    run.pathYRot[0] = 1;
    run.stepDuration = 0.1;
    run.bodyVx = vx;
    run.bodyVy = vy;
    for (int k = 1; k <= steps; ++k) {
        run.stepIndex = static_cast<std::int16_t>(k);
        advanceStep(disk.params, run, {});
    }
    return run;
}

TEST(DiskPicture, ViewScaleFollowsTheZoomAndTheShift) {
    RecordingCanvas c;
    setDiskScale(c, 4.0, 0, 0);
    EXPECT_EQ(c.scaleLeft(), -8);
    EXPECT_EQ(c.scaleTop(), 8);
    EXPECT_EQ(c.scaleWidth(), 16);
    EXPECT_EQ(c.scaleHeight(), -16);
    setDiskScale(c, 0.5, 1.0, -0.5);
    EXPECT_EQ(c.scaleLeft(), 0);
    EXPECT_EQ(c.scaleTop(), 0.5);
    EXPECT_EQ(c.scaleWidth(), 2);
}

TEST(DiskPicture, StartPictureShowsRimBodyVelocityRadiiAndSense) {
    RecordingCanvas c;
    setDiskScale(c, 1.2, 0, 0);
    DiskRun run;
    run.bodyVx = 2;
    drawStartPicture(c, run, 1);
    const auto circles = c.recordsOf(Kind::Circle);
    ASSERT_EQ(circles.size(), 2u);
    EXPECT_EQ(circles[0].radius, 2.0);
    EXPECT_EQ(circles[0].colour, kBlack);
    EXPECT_EQ(circles[1].x1, 0);
    EXPECT_EQ(circles[1].y1, 1);
    EXPECT_EQ(circles[1].radius, 0.1);
    const auto lines = c.recordsOf(Kind::Line);
    // The velocity arrow's shaft, 0.3·(2, 0) from the body.
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0].x1, 0);
    EXPECT_EQ(lines[0].y1, 1);
    EXPECT_NEAR(lines[0].x2, 0.6, 1e-15);
    EXPECT_EQ(lines[0].y2, 1);
    EXPECT_EQ(linesIn(c, kDiskRadius, 1), 2 + 3);  // two radii and the arrowhead of the arc
    const auto arcs = c.recordsOf(Kind::Arc);
    ASSERT_EQ(arcs.size(), 1u);
    EXPECT_EQ(arcs[0].radius, 1.0);
}

TEST(DiskPicture, LayeredTrailIsTheFullRedraw) {
    for (bool rotating : {false, true}) {
        RecordingCanvas stepped, full;
        setDiskScale(stepped, 1.2, 0, 0);
        setDiskScale(full, 1.2, 0, 0);
        TrailLayer layer, fresh;
        for (int k = 0; k <= 6; ++k) drawDiskTrail(stepped, straightRun(k), rotating, layer);
        drawDiskTrail(full, straightRun(6), rotating, fresh);
        ASSERT_EQ(stepped.records().size(), full.records().size());
        for (std::size_t i = 0; i < full.records().size(); ++i) {
            EXPECT_EQ(stepped.records()[i].x1, full.records()[i].x1);
            EXPECT_EQ(stepped.records()[i].y1, full.records()[i].y1);
            EXPECT_EQ(stepped.records()[i].colour, full.records()[i].colour);
        }
        // The rim and rows 0..6 of the view's positions, in the view's trail colour.
        const auto circles = full.recordsOf(Kind::Circle);
        ASSERT_EQ(circles.size(), 8u);
        const DiskRun run = straightRun(6);
        EXPECT_EQ(circles[7].x1, rotating ? run.pathXRot[6] : run.pathX[6]);
        EXPECT_EQ(circles[7].colour, rotating ? kTrailRotating : kTrailInertial);
        // The step added one dot to the kept picture instead of clearing it.
        EXPECT_EQ(stepped.clearCount(), 1);
    }
}

TEST(DiskPicture, TrailIsRedrawnWhenTheScaleOrTheViewChanges) {
    RecordingCanvas c;
    setDiskScale(c, 1.2, 0, 0);
    TrailLayer layer;
    drawDiskTrail(c, straightRun(3), false, layer);
    setDiskScale(c, 2.0, 0, 0);
    drawDiskTrail(c, straightRun(3), false, layer);
    EXPECT_EQ(c.clearCount(), 2);
    drawDiskTrail(c, straightRun(3), true, layer);
    EXPECT_EQ(c.clearCount(), 3);
    // A shorter run than the kept one (after a reset) starts afresh.
    drawDiskTrail(c, straightRun(1), true, layer);
    EXPECT_EQ(c.clearCount(), 4);
    EXPECT_EQ(c.recordsOf(Kind::Circle).size(), 3u);
}

TEST(DiskPicture, InertialOverlayWithFrictionReadsTheAngularMomentum) {
    RecordingCanvas c;
    setDiskScale(c, 1.2, 0, 0);
    DiskParameters p;
    DiskRun run;
    run.pathY[0] = 1;
    run.bodyVx = 2;
    DiskPictureSettings st;
    st.friction = true;
    st.check1 = true;
    drawDiskOverlay(c, p, run, st);
    // L = I·ω + m·(y·vx − x·vy) = 20 + 2; at rest on the disk, so no friction arrow.
    EXPECT_TRUE(hasText(c, "L=22.00"));
    EXPECT_TRUE(hasText(c, "vREL=0.00"));
    EXPECT_FALSE(hasText(c, "FRICTION"));
    EXPECT_TRUE(hasText(c, "Velocity of the point of BASE"));
    EXPECT_TRUE(hasText(c, "Velocity in Inertial Frame"));
    // The dotted line of motion along 20 times the velocity, up to the edge of the view.
    auto lineOfMotionEnd = [](const RecordingCanvas& rc) {
        for (const auto& l : rc.recordsOf(Kind::Line))
            if (l.style == kDot && l.colour == (Rgb{0, 150, 150}) && l.y2 == 1) return l.x2;
        return -1.0;
    };
    EXPECT_NEAR(lineOfMotionEnd(c), 2.4, 1e-12);
    RecordingCanvas slow;
    setDiskScale(slow, 1.2, 0, 0);
    run.bodyVx = 0.05;
    drawDiskOverlay(slow, p, run, st);
    EXPECT_NEAR(lineOfMotionEnd(slow), 1.0, 1e-12);
    // Forces belong to the rotating view only.
    EXPECT_FALSE(hasText(c, "Coriolis Force"));
    // The pen is back to black, width 1, solid.
    EXPECT_EQ(c.foreColor(), kBlack);
    EXPECT_EQ(c.drawWidth(), 1);
    EXPECT_EQ(c.drawStyle(), kSolid);
}

TEST(DiskPicture, RelativeVelocityAndFrictionArrows) {
    RecordingCanvas c;
    setDiskScale(c, 1.2, 0, 0);
    DiskParameters p;
    DiskRun run = straightRun(2, 1, 0);
    DiskPictureSettings st;
    st.friction = true;
    st.check2 = true;
    drawDiskOverlay(c, p, run, st);
    EXPECT_TRUE(hasText(c, "Relative Velocity"));
    EXPECT_TRUE(hasText(c, "FRICTION"));
    // At the body and in the diagram: relative velocity width 4, friction width 2.
    EXPECT_EQ(linesIn(c, Rgb{255, 0, 255}, 4), 6);
    EXPECT_EQ(linesIn(c, kFriction, 2), 6);
}

// HSV hue in degrees, and whether the colour has one at all.
double hueOf(Rgb c) {
    const double r = c.red / 255.0, g = c.green / 255.0, b = c.blue / 255.0;
    const double hi = std::max({r, g, b}), lo = std::min({r, g, b}), d = hi - lo;
    if (d == 0) return -1;
    const double h = hi == r   ? std::fmod((g - b) / d + 6, 6.0)
                     : hi == g ? (b - r) / d + 2
                               : (r - g) / d + 4;
    return 60 * h;
}

TEST(DiskPicture, EveryNamedVectorHasItsOwnHueInBothProfiles) {
    // The named vectors of each picture, read from the captions it prints in their arrows'
    // colours; the body's velocity arrow is the black one.
    for (bool rotating : {false, true})
        for (bool pendulum : {false, true}) {
            DiskParameters p;
            p.omegaVariable = 1;
            p.springK = pendulum ? 40 : 0;
            DiskRun run = straightRun(3, 1, 1);
            DiskPictureSettings st;
            st.rotatingView = rotating;
            st.friction = st.freeDisk = true;
            st.pendulum = pendulum;
            st.check1 = st.check2 = st.check4 = st.check5 = st.check6 = st.check7 = true;
            RecordingCanvas c(750, 750);
            setDiskScale(c, 1.2, 0, 0);
            drawDiskOverlay(c, p, run, st);
            std::vector<std::pair<std::string, Rgb>> named;
            for (const PrintedText& t : c.printedTexts())
                if ((t.text.find("Force") != std::string::npos &&
                     t.text.rfind("Forces drawn", 0) != 0) ||
                    t.text.find("Velocity") != std::string::npos || t.text.find("FRICTION") == 0)
                    named.push_back({t.text.substr(0, t.text.find(',')), t.colour});
            EXPECT_GE(named.size(), rotating ? 8u : 5u);
            for (ColourProfile profile : {ColourProfile{false}, ColourProfile{true}})
                for (std::size_t i = 0; i < named.size(); ++i) {
                    const Rgb a = profile.ink(named[i].second, kWhite);
                    EXPECT_GT(hueOf(a), -1) << named[i].first;
                    for (std::size_t j = i + 1; j < named.size(); ++j) {
                        const Rgb b = profile.ink(named[j].second, kWhite);
                        const double d = std::abs(hueOf(a) - hueOf(b));
                        EXPECT_GE(std::min(d, 360 - d), 20)
                            << named[i].first << " / " << named[j].first << " projector "
                            << profile.projector;
                    }
                }
        }
}

TEST(DiskPicture, RotatingForcesFollowTheirBoxes) {
    DiskParameters p;
    p.omegaVariable = 1;
    DiskRun run = straightRun(3, 1, 1);
    DiskPictureSettings st;
    st.rotatingView = true;
    st.friction = true;
    st.check4 = st.check6 = st.check7 = true;
    RecordingCanvas c;
    setDiskScale(c, 1.2, 0, 0);
    drawDiskOverlay(c, p, run, st);
    EXPECT_TRUE(hasText(c, "Coriolis Force"));
    EXPECT_TRUE(hasText(c, "Total Force"));
    // The base's acceleration needs the free disk as well as its box.
    EXPECT_FALSE(hasText(c, "Force due to base acc."));
    st.freeDisk = true;
    RecordingCanvas free;
    setDiskScale(free, 1.2, 0, 0);
    drawDiskOverlay(free, p, run, st);
    // Shorter than two heads, it is drawn two heads long and its caption gives its size.
    const auto texts0 = free.texts();
    EXPECT_TRUE(std::any_of(texts0.begin(), texts0.end(), [](const std::string& t) {
        return t.rfind("Force due to base acc., |F| = ", 0) == 0 && t.ends_with(" (drawn longer)");
    }));
    EXPECT_EQ(linesIn(free, kBaseAcceleration, 2), 3);
    EXPECT_EQ(linesIn(free, kTotalForce, 3), 3);
    // No read-outs of L in the rotating view.
    const std::vector<std::string> texts = free.texts();  // a copy: one vector for both ends
    EXPECT_FALSE(std::any_of(texts.begin(), texts.end(),
                             [](const std::string& t) { return t.rfind("L=", 0) == 0; }));
    EXPECT_EQ(free.refusedCount(), 0);
}

TEST(DiskPicture, FarVectorsAreDrawnOnlyWhereTheyShow) {
    // A body far to the left whose velocity arrow ends inside the view: the shaft starts near
    // the view, and the barbs are those of the whole arrow.
    DiskParameters p;
    DiskRun run;
    run.pathX[0] = -1000;
    run.pathY[0] = 0.5;
    run.bodyVx = 1000 / kVelocityScale;
    RecordingCanvas c, whole;
    setDiskScale(c, 1.2, 0, 0);
    setDiskScale(whole, 1.2, 0, 0);
    drawDiskOverlay(c, p, run, {});
    drawArrow(whole, -1000, 0.5, 1000, 0, kBlack);
    std::vector<Primitive> arrow;
    for (const auto& l : c.recordsOf(Kind::Line))
        if (l.colour == kBlack && l.style == kSolid) arrow.push_back(l);
    const auto expected = whole.recordsOf(Kind::Line);
    ASSERT_EQ(arrow.size(), 3u);
    EXPECT_GT(arrow[0].x1, -3.0);
    EXPECT_NEAR(arrow[0].x2, 0, 1e-9);
    for (int i : {1, 2}) {
        EXPECT_NEAR(arrow[i].x2, expected[i].x2, 1e-9);
        EXPECT_NEAR(arrow[i].y2, expected[i].y2, 1e-9);
    }
    // Its dotted line of motion and the far trail dot are left out of sight; every line drawn
    // lies near the view.
    for (const auto& l : c.recordsOf(Kind::Line))
        EXPECT_TRUE(std::abs(l.x1) < 4 && std::abs(l.x2) < 4 && std::abs(l.y1) < 4);
    TrailLayer layer;
    drawDiskTrail(c, run, false, layer);
    EXPECT_EQ(c.recordsOf(Kind::Circle).size(), 1u);  // the rim only

    // An arrow whose tip is far outside keeps only its visible shaft.
    RecordingCanvas start;
    setDiskScale(start, 1.2, 0, 0);
    run.bodyVx = 1e7;
    drawStartPicture(start, run, 1);
    const auto lines = start.recordsOf(Kind::Line);
    EXPECT_EQ(lines[0].x1, 0);
    EXPECT_LT(lines[0].x2, 4);
    EXPECT_EQ(linesIn(start, kBlack, 1), 1);
}

TEST(DiskPicture, ArcHeadShowsTheClockwiseSenseAtEveryZoom) {
    DiskRun run;
    run.bodyVx = 2;
    for (int zoom = 50; zoom <= 400; zoom += 10) {
        RecordingCanvas c;
        setDiskScale(c, zoom / 100.0, 0, 0);
        drawStartPicture(c, run, 1);
        std::vector<Primitive> head;
        for (const auto& l : c.recordsOf(Kind::Line))
            if (l.colour == kDiskRadius) head.push_back(l);
        ASSERT_EQ(head.size(), 5u) << zoom;
        // The head ends at the arc's end (0, −1), where the clockwise disk moves towards −x:
        // its shaft comes from +x along the arc and both barbs lie behind the tip.
        const Primitive& shaft = head[2];
        EXPECT_NEAR(shaft.x2, 0, 1e-12) << zoom;
        EXPECT_NEAR(shaft.y2, -1, 1e-12) << zoom;
        EXPECT_GT(shaft.x1, 0) << zoom;
        EXPECT_NEAR(std::hypot(shaft.x1, shaft.y1), 1, 1e-12) << zoom;
        for (int i : {3, 4}) {
            EXPECT_EQ(head[i].x1, shaft.x2);
            EXPECT_GT(head[i].x2, shaft.x2) << zoom;
        }
    }
}

// A friction run on a free disk with every box checked, as a class would step it.
class DiskCaptions : public ::testing::Test {
protected:
    static DiskRun frictionRun(DiskShared& disk, double vx, double vy, int steps) {
        DiskParameters& p = disk.params;
        p.omegaVariable = 1;
        p.frictionOn = true;
        p.bodyMass = 1;
        DiskRun run;
        run.pathY[0] = 1;
        run.pathYRot[0] = 1;
        run.stepDuration = 0.1;
        run.bodyVx = vx;
        run.bodyVy = vy;
        for (int k = 1; k <= steps; ++k) {
            run.stepIndex = static_cast<std::int16_t>(k);
            advanceStep(disk.params, run, {true, false});
        }
        return run;
    }
    static DiskPictureSettings everything(bool rotating) {
        DiskPictureSettings st;
        st.rotatingView = rotating;
        st.friction = st.freeDisk = true;
        st.check1 = st.check2 = st.check4 = st.check5 = st.check6 = st.check7 = true;
        return st;
    }
    // Canvas fractions of a user point.
    static Vec2 fraction(const PlotCanvas& c, double x, double y) {
        return {(x - c.scaleLeft()) / c.scaleWidth(), (y - c.scaleTop()) / c.scaleHeight()};
    }
};

TEST_F(DiskCaptions, StayWholeInsideAndApartFromEachOther) {
    int checked = 0;
    for (auto [vx, vy] : {std::pair{2.0, 0.0}, {6.0, 0.0}, {-4.0, 2.0}, {2.0, -6.0}})
        for (int steps : {1, 4, 9, 15})
            for (bool rotating : {false, true}) {
                DiskShared disk;
                const DiskRun run = frictionRun(disk, vx, vy, steps);
                RecordingCanvas c(750, 750);
                setDiskScale(c, 1.2, 0, 0);
                TrailLayer layer;
                drawDiskTrail(c, run, rotating, layer);
                drawDiskOverlay(c, disk.params, run, everything(rotating));
                const auto& texts = c.printedTexts();
                for (std::size_t i = 0; i < texts.size(); ++i) {
                    const PrintedText& a = texts[i];
                    EXPECT_TRUE(a.left >= 0 && a.right <= 1 && a.top >= 0 && a.bottom <= 1)
                        << a.text << " cut at vx " << vx << " vy " << vy << " step " << steps;
                    for (std::size_t j = i + 1; j < texts.size(); ++j) {
                        const PrintedText& b = texts[j];
                        // Boxes that touch are apart; their edges may differ by rounding.
                        const double e = 1e-9;
                        const bool apart = a.right <= b.left + e || b.right <= a.left + e ||
                                           a.bottom <= b.top + e || b.bottom <= a.top + e;
                        EXPECT_TRUE(apart) << a.text << " over " << b.text;
                    }
                    ++checked;
                }
                // A caption stands beside its own arrow: clear of its head, a head's length from
                // the tip, and within a few lines of it. The arrows drawn in a colour of their
                // own are looked at; the shaft is the first line of that colour.
                const double barb = std::hypot(1.0, 1.0) / 75;  // in canvas fractions
                const double line = c.textExtent("Vg").height / std::abs(c.scaleHeight());
                for (const PrintedText& t : texts) {
                    Rgb colour = t.colour;
                    if (colour == kBlack || colour == kDiagramRotating || colour == kRelative ||
                        colour == kBaseVelocity || colour == kFriction)
                        continue;
                    const auto& lines = c.recordsOf(Kind::Line);
                    const auto shaft = std::find_if(lines.begin(), lines.end(), [&](const auto& l) {
                        return l.colour == colour;
                    });
                    if (shaft == lines.end()) continue;
                    const Vec2 tip = fraction(c, shaft->x2, shaft->y2);
                    if (tip.x < 0 || tip.x > 1 || tip.y < 0 || tip.y > 1) continue;
                    const double dx = std::max({t.left - tip.x, 0.0, tip.x - t.right});
                    const double dy = std::max({t.top - tip.y, 0.0, tip.y - t.bottom});
                    const double gap = std::hypot(dx, dy);
                    EXPECT_GE(gap, 0.99 * barb) << t.text << " touches its head";
                    EXPECT_LE(gap, barb + 5 * line) << t.text << " stands far from its arrow";
                }
                // The relative velocity's head leaves its caption readable.
                std::vector<Primitive> relative;
                for (const auto& l : c.recordsOf(Kind::Line))
                    if (l.colour == (Rgb{255, 0, 255}) && l.width == 4) relative.push_back(l);
                for (const PrintedText& t : texts) {
                    if (t.text != "Relative Velocity" || relative.size() < 3) continue;
                    for (std::size_t k = 1; k < 3; ++k)
                        for (Vec2 end : {Vec2{relative[k].x1, relative[k].y1},
                                         Vec2{relative[k].x2, relative[k].y2}}) {
                            const Vec2 f = fraction(c, end.x, end.y);
                            EXPECT_FALSE(f.x > t.left && f.x < t.right && f.y > t.top &&
                                         f.y < t.bottom);
                        }
                }
            }
    EXPECT_GT(checked, 100);
}

TEST_F(DiskCaptions, ArrowLeavingTheViewHasItsCaptionWhereItLeaves) {
    // The disk point's velocity ω·(y, −x) = 10·(−1, 2) leaves the view's left edge at y = −0.2
    // and ends far beyond its top-left corner.
    DiskShared disk;
    DiskRun run;
    run.pathX[0] = -2;
    run.pathY[0] = -1;
    run.omegaNow = 10;
    DiskPictureSettings st;
    st.check1 = true;
    RecordingCanvas c(750, 750);
    setDiskScale(c, 1.2, 0, 0);
    drawDiskOverlay(c, disk.params, run, st);
    const auto& texts = c.printedTexts();
    const auto caption = std::find_if(texts.begin(), texts.end(), [](const PrintedText& t) {
        return t.text == "Velocity of the point of BASE";
    });
    ASSERT_NE(caption, texts.end());
    EXPECT_LT(caption->left, 0.1);
    EXPECT_NEAR((caption->top + caption->bottom) / 2, (2.4 + 0.2) / 4.8, 0.05);
}

TEST_F(DiskCaptions, VectorDiagramFitsBesideABodyOnEitherHalf) {
    for (double x : {-2.0, -0.5, 0.3, 1.2, 2.0}) {
        DiskShared disk;
        DiskRun run;
        run.pathX[0] = x;
        run.pathY[0] = -1.6;
        run.bodyVx = -5;
        run.bodyVy = -3;
        RecordingCanvas c(750, 750);
        setDiskScale(c, 1.2, 0, 0);
        drawDiskOverlay(c, disk.params, run, everything(false));
        // The diagram's red arrow, the inertial velocity, lies whole inside the view.
        int red = 0;
        for (const auto& l : c.recordsOf(Kind::Line)) {
            if (l.colour != (Rgb{255, 0, 0})) continue;
            ++red;
            for (Vec2 end : {Vec2{l.x1, l.y1}, Vec2{l.x2, l.y2}})
                EXPECT_TRUE(std::abs(end.x) <= 2.4 && std::abs(end.y) <= 2.4)
                    << "body at x " << x << ": " << end.x << ", " << end.y;
        }
        EXPECT_EQ(red, 3) << x;
    }
}

// The forces a rotating observer needs, worked out here from the body's state: Coriolis
// 2·m·ω·(−v'y, v'x), centrifugal m·ω²·r', friction −m·μ·v'/|v'|, the base's acceleration
// m·α·(−y', x') with α = μ·m·(y·P − x·Q)/(|v_rel|·I) on a free disk, and the pendulum's −K·m·r'.
struct ExpectedForce {
    Rgb colour;
    int width;
    Vec2 f;
};
std::vector<ExpectedForce> expectedForces(const DiskParameters& p, const DiskRun& run,
                                          bool friction, bool pendulum) {
    const auto k = static_cast<std::size_t>(run.stepIndex);
    const double x = run.pathX[k], y = run.pathY[k], w = run.omegaNow, m = p.bodyMass;
    const double c = std::cos(run.diskAngle), s = std::sin(run.diskAngle);
    const double P = run.bodyVx - w * y, Q = run.bodyVy + w * x;
    const double vr = std::hypot(P, Q);
    const Vec2 r{c * x - s * y, s * x + c * y}, v{c * P - s * Q, s * P + c * Q};
    const double alpha =
        friction && vr > 0 ? p.omegaVariable * m * (y * P - x * Q) / (vr * p.diskInertia) : 0;
    std::vector<ExpectedForce> out{{kCoriolis, 2, {-2 * m * w * v.y, 2 * m * w * v.x}},
                                   {kCentrifugal, 2, {m * w * w * r.x, m * w * w * r.y}}};
    if (friction && vr > 0) out.push_back({kFriction, 2, {-m * v.x / vr, -m * v.y / vr}});
    if (p.omegaVariable && friction)
        out.push_back({kBaseAcceleration, 2, {-m * alpha * r.y, m * alpha * r.x}});
    if (pendulum) out.push_back({kRestoring, 2, {-40 * m * r.x, -40 * m * r.y}});
    return out;
}

TEST(DiskPicture, DrawnForcesAddUpToTheDrawnTotalAndStayInSight) {
    struct Mode {
        bool friction, freeDisk, pendulum, textbook;
    };
    const Mode modes[] = {{false, false, false, false}, {true, false, false, false},
                          {true, true, false, false},   {false, false, true, true},
                          {false, false, true, false},  {true, true, true, true},
                          {true, false, true, false}};
    int checked = 0;
    for (const Mode& mode : modes)
        for (double mass : {0.5, 1.0, 4.0})
            for (int steps : {1, 3, 6})
                for (double zoom : {1.2, 2.0, 4.0}) {
                    DiskShared disk;
                    disk.params.omegaVariable = mode.freeDisk ? 1 : 0;
                    disk.params.bodyMass = mass;
                    disk.params.springK = mode.pendulum ? kPendulumK : 0.0;
                    disk.params.frictionOn = mode.friction;
                    DiskRun run;
                    run.pathY[0] = run.pathYRot[0] = 1;
                    for (int i = 0; i < steps; ++i)
                        displayStep(disk.params, run,
                                    {1, 0, mode.friction, mode.pendulum, mode.textbook});
                    DiskPictureSettings st;
                    st.rotatingView = true;
                    st.friction = mode.friction;
                    st.freeDisk = mode.freeDisk;
                    st.pendulum = mode.pendulum;
                    st.check4 = st.check5 = st.check6 = st.check7 = true;
                    RecordingCanvas c(750, 750);
                    setDiskScale(c, zoom, 0, 0);
                    drawDiskOverlay(c, disk.params, run, st);

                    const auto k = static_cast<std::size_t>(run.stepIndex);
                    const Vec2 body{run.pathXRot[k], run.pathYRot[k]};
                    // The shaft of each arrow drawn from the body, by its colour and width.
                    auto shaft = [&](Rgb colour, int width) {
                        for (const auto& l : c.recordsOf(Kind::Line))
                            if (l.colour == colour && l.width == width &&
                                std::abs(l.x1 - body.x) < 1e-12 && std::abs(l.y1 - body.y) < 1e-12)
                                return Vec2{l.x2 - l.x1, l.y2 - l.y1};
                        return Vec2{};
                    };
                    const std::string where =
                        "friction " + std::to_string(mode.friction) + " free " +
                        std::to_string(mode.freeDisk) + " pendulum " +
                        std::to_string(mode.pendulum) + " mass " + std::to_string(mass) +
                        " steps " + std::to_string(steps) + " zoom " + std::to_string(zoom);
                    Vec2 expectedTotal;
                    for (const ExpectedForce& e :
                         expectedForces(disk.params, run, mode.friction, mode.pendulum))
                        expectedTotal = {expectedTotal.x + e.f.x, expectedTotal.y + e.f.y};
                    // The scale from the longest force, drawn at its true length.
                    std::vector<ExpectedForce> all =
                        expectedForces(disk.params, run, mode.friction, mode.pendulum);
                    all.push_back({kTotalForce, 3, expectedTotal});
                    const ExpectedForce longest = *std::max_element(
                        all.begin(), all.end(),
                        [](const auto& a, const auto& b) { return length(a.f) < length(b.f); });
                    const double scale =
                        length(shaft(longest.colour, longest.width)) / length(longest.f);
                    // An arrow shorter than two heads is drawn two heads long, its caption
                    // giving its size; an arrow too short to see is left out.
                    const double heads = 2 * std::hypot(4 * zoom, 4 * zoom) / 75;
                    auto drawnAs = [&](Vec2 f) {
                        const Vec2 d{scale * f.x, scale * f.y};
                        const double n = length(d);
                        return n > 0 && n < heads ? Vec2{d.x * heads / n, d.y * heads / n} : d;
                    };
                    const double unseen = 1e-3 * zoom;
                    // One scale for every force: each drawn arrow is that scale times its force,
                    // and every force arrow, head and all, lies inside the view.
                    const double half = 2 * zoom;
                    for (const ExpectedForce& e : all) {
                        const Vec2 d = shaft(e.colour, e.width);
                        const Vec2 want = drawnAs(e.f);
                        if (length(want) < 1e-2 * heads) continue;
                        EXPECT_NEAR(d.x, want.x, unseen) << where;
                        EXPECT_NEAR(d.y, want.y, unseen) << where;
                        for (const auto& l : c.recordsOf(Kind::Line)) {
                            if (l.colour != e.colour || l.width != e.width) continue;
                            for (Vec2 end : {Vec2{l.x1, l.y1}, Vec2{l.x2, l.y2}})
                                EXPECT_TRUE(std::abs(end.x) <= half && std::abs(end.y) <= half)
                                    << where << ": " << end.x << ", " << end.y;
                        }
                    }
                    EXPECT_TRUE(hasText(c, "Forces drawn at " + formatFixed(scale, 3) + " × F"))
                        << where;
                    ++checked;
                }
    EXPECT_EQ(checked, 7 * 3 * 3 * 3);
}

TEST(DiskPicture, RestoringForceThatDwarfsTheRestSaysSo) {
    // Released at rest in the inertial frame at (0, 1): −K·m·r' = 40 against a centrifugal 4.
    DiskShared disk;
    disk.params.springK = kPendulumK;
    DiskRun run;
    run.pathY[0] = run.pathYRot[0] = 1;
    displayStep(disk.params, run, {1, 0, false, true, true});
    DiskPictureSettings st;
    st.rotatingView = st.pendulum = true;
    for (bool others : {false, true}) {
        st.check5 = others;
        RecordingCanvas c(750, 750);
        setDiskScale(c, 1.2, 0, 0);
        drawDiskOverlay(c, disk.params, run, st);
        const auto texts = c.texts();
        const auto restoring = std::find_if(texts.begin(), texts.end(), [](const std::string& t) {
            return t.rfind("Restoring Force", 0) == 0;
        });
        ASSERT_NE(restoring, texts.end());
        EXPECT_EQ(*restoring,
                  others ? "Restoring Force, 10 × the largest other force" : "Restoring Force");
    }
}

TEST(DiskPicture, FixedFormatsShowNoNegativeZero) {
    EXPECT_EQ(formatFixed(1.2, 2), "1.20");
    EXPECT_EQ(formatFixed(-0.001, 2), "0.00");
    EXPECT_EQ(formatFixed(-3, 0), "-3");
    EXPECT_EQ(formatFixed(0.5, 1), "0.5");
}

}  // namespace
}  // namespace velarium
