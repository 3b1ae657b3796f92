#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "disk/DiskPicture.h"
#include "draw/Arrow.h"
#include "draw/RecordingCanvas.h"
#include "explain/InertialExplanation.h"
#include "explain/RotatingExplanation.h"

namespace velarium {
namespace {

using Kind = Primitive::Kind;

// The default orbit run of either observer, on a recording canvas scaled as the screen's view.
struct Explained {
    explicit Explained(bool rotating, const DisplayStepInput& in = {}) : canvas(900, 900) {
        run.pathY[0] = run.pathYRot[0] = 1;
        runOrbitPairs(disk, run, tables, in, rotating);
        setDiskScale(canvas, 1.2, 0, 0);
    }
    void draw(bool rotating, int step, int protosimiox = 45) {
        ExplanationSettings st;
        st.step = step;
        st.protosimiox = protosimiox;
        if (rotating)
            drawRotatingExplanation(canvas, disk, run, tables, st);
        else
            drawInertialExplanation(canvas, run, tables, st);
    }
    bool shows(const std::string& text) const {
        const auto& p = canvas.printedTexts();
        return std::any_of(p.begin(), p.end(), [&](const auto& t) { return t.text == text; });
    }
    int linesIn(DrawStyle style) const {
        int n = 0;
        for (const Primitive& p : canvas.recordsOf(Kind::Line)) n += p.style == style;
        return n;
    }
    // The arrows drawn in a colour: each is a shaft and two barbs.
    std::vector<Primitive> shafts(Rgb colour) const {
        std::vector<Primitive> lines;
        for (const Primitive& p : canvas.recordsOf(Kind::Line))
            if (p.colour == colour) lines.push_back(p);
        std::vector<Primitive> out;
        for (std::size_t i = 0; i + 2 < lines.size(); i += 3) out.push_back(lines[i]);
        return out;
    }

    // The arrows in a colour, which must be exactly those given; returns their shafts.
    std::vector<Primitive> expectShafts(Rgb colour, const std::vector<Vec2>& want) const {
        const auto got = shafts(colour);
        EXPECT_EQ(got.size(), want.size());
        for (std::size_t i = 0; i < std::min(got.size(), want.size()); ++i) {
            EXPECT_NEAR(got[i].x2 - got[i].x1, want[i].x, 1e-9) << i;
            EXPECT_NEAR(got[i].y2 - got[i].y1, want[i].y, 1e-9) << i;
        }
        return got;
    }

    DiskShared disk;
    DiskRun run;
    ExplanationTables tables;
    RecordingCanvas canvas;
};

void expectNear(Vec2 a, Vec2 b, double tolerance) {
    EXPECT_NEAR(a.x, b.x, tolerance);
    EXPECT_NEAR(a.y, b.y, tolerance);
}

// The wrap at either end is read through the screen; a step left from the longer explanation
// lands inside the shorter one.
TEST(ExplanationSteps, StepFromTheLongerExplanationWrapsIntoTheShorter) {
    EXPECT_EQ(nextExplanationStep(9, kRotatingLastStep, false), 0);
    EXPECT_EQ(nextExplanationStep(9, kRotatingLastStep, true), 8);
    EXPECT_EQ(nextExplanationStep(4, kInertialLastStep, true), 3);
}

// Each step's lines, in order and in their colour and weight, then the step number; and the
// labels of the vectors the step draws.
TEST(ExplanationSteps, EveryStepPrintsItsLinesItsNumberAndItsLabels) {
    const std::vector<std::vector<std::string>> inertialLabels = {
        {"x21", "x12", "Δt = 0.10"},
        {"Vre1", "Vre2", "Vre21"},
        {"Vb1", "Vb2", "Vb21"},
        {"Vre11", "Vre22", "Vb11", "Vb22"},
        {"Vre21", "Vb21"},
        {"ΔVre(21-11)", "(Vre21-Vre11)/Δt"},
        {"ΔVb(22-21)", "(Vb22-Vb21)/Δt"},
        {"ΔVb(21-11)", "(Vb21-Vb11)/Δt"},
        {"(Vre22-Vre21)/Δt", "   Absolute acceleration = 0"},
        {"(Vb21-Vb11)/Δt", "    Absolute acceleration = 0"}};
    const std::vector<std::vector<std::string>> rotatingLabels = {
        {"Vre11", "Vre22"},
        {"Vα11", "Vα22"},
        {"-Vb11", "-Vb22"},
        {"Vα11", "Vre11", "-Vb22"},
        {"(Vre22-Vre11)/Δt"},
        {"-(Vb22-Vb11)/Δt"},
        {"(Vα22-Vα11)/Δt"},
        {"dVa/dt//r", "dVa/dt_|_", "(Vα22 - Vα11)/Δt"},
        {"2VreXω", "-dVb/Δt", "a_relative", "ω²×R"}};
    for (bool rotating : {false, true}) {
        Explained e(rotating);
        const int last = rotating ? kRotatingLastStep : kInertialLastStep;
        for (int step = 0; step <= last; ++step) {
            e.draw(rotating, step);
            const auto lines = rotating ? rotatingStepLines(step) : inertialStepLines(step);
            ASSERT_FALSE(lines.empty());
            const auto& printed = e.canvas.printedTexts();
            const auto first = std::find_if(printed.begin(), printed.end(),
                                            [&](const auto& p) { return p.text == lines[0].text; });
            ASSERT_NE(first, printed.end()) << step;
            ASSERT_GE(printed.end() - first, static_cast<long>(lines.size()) + 1);
            for (std::size_t i = 0; i < lines.size(); ++i) {
                EXPECT_EQ(first[static_cast<long>(i)].text, lines[i].text);
                EXPECT_EQ(first[static_cast<long>(i)].colour, lines[i].colour);
                EXPECT_EQ(first[static_cast<long>(i)].bold, lines[i].bold);
            }
            EXPECT_EQ(first[static_cast<long>(lines.size())].text, std::to_string(step));
            for (const std::string& label : (rotating ? rotatingLabels : inertialLabels)[step])
                EXPECT_TRUE(e.shows(label)) << rotating << " " << step << " " << label;
            EXPECT_EQ(e.canvas.refusedCount(), 0);
        }
    }
}

// Steps 3 and 4 share their first two lines; step 4 adds the four-term decomposition. A text
// "followed by" another is one line.
TEST(ExplanationSteps, StepsThreeAndFourShareTheirFirstLines) {
    const auto s3 = inertialStepLines(3), s4 = inertialStepLines(4);
    ASSERT_EQ(s3.size(), 2u);
    ASSERT_EQ(s4.size(), 6u);
    EXPECT_EQ(s4[0].text, s3[0].text);
    EXPECT_EQ(s4[1].text, s3[1].text);
    EXPECT_EQ(s4[4].text, "Vα2-Vα1=(Vre21-Vre11)+(Vb22-Vb21)+(Vb21-Vb11)+(Vre22-Vre21) ");
    EXPECT_EQ(inertialStepLines(5)[0].text, "Relative Acceleration= (Vre21-Vre11)/Δt");
    EXPECT_EQ(rotatingStepLines(6)[0].text, "Absolute acceleration= (Vα22-Vα11)/Δt");
}

// Transported copies: dashed for the inertial observer, dotted for the rotating one; the
// negatives of the base velocity dashed.
TEST(ExplanationPictures, TransportedCopiesAndNegativesHaveTheirLineStyles) {
    Explained e(false);
    e.draw(false, 1);
    EXPECT_EQ(e.linesIn(kDash), 3);  // Vre21 alone
    Explained r(true);
    r.draw(true, 4);
    EXPECT_EQ(r.linesIn(kDot), 3);  // Vre22 carried to t1
    r.draw(true, 2);
    EXPECT_EQ(r.linesIn(kDash), 6);  // −Vb11 and −Vb22
}

// The difference vectors stand for the velocity differences over Δt at the drawing scales of
// the picture.
TEST(ExplanationPictures, DifferenceVectorsAreTheVelocityDifferencesOverDeltaT) {
    Explained e(false);
    e.draw(false, 5, 20);
    const InertialPair q = inertialPair(e.run, e.tables, 20);
    const PictureScales s = inertialScales(e.canvas, q, inertialOrbits(e.run, e.tables, q));
    const double a = s.acceleration / q.dt;
    e.expectShafts({200, 0, 200},
                   {s.velocity * q.vre11, s.velocity * q.vre21, s.velocity * q.vre21});
    e.expectShafts({230, 120, 0}, {s.velocity * (q.vre21 - q.vre11)});
    e.expectShafts({125, 0, 125}, {a * (q.vre21 - q.vre11)});
    // Step 9 lays the two complementary accelerations end to end at one scale.
    e.draw(false, 9, 20);
    const auto both =
        e.expectShafts({125, 0, 125}, {a * (q.vre22 - q.vre21), a * (q.vb21 - q.vb11)});
    ASSERT_EQ(both.size(), 2u);
    EXPECT_NEAR(both[0].x1, both[1].x2, 1e-9);

    Explained r(true);
    r.draw(true, 4, 60);
    const RotatingPair p = rotatingPair(r.run, r.tables, 60);
    EXPECT_NEAR(p.dt, 0.1, 1e-12);  // rows 61 and 62
    const PictureScales rs = rotatingScales(r.canvas, p, 4);
    // Vre22, Vre11, and Vre22 carried to t1.
    const auto blue = r.expectShafts(
        {0, 0, 255}, {rs.velocity * p.vre2, rs.velocity * p.vre1, rs.velocity * p.vre2});
    ASSERT_EQ(blue.size(), 3u);
    EXPECT_NEAR(blue[2].x1, blue[1].x1, 1e-12);
    r.expectShafts({255, 0, 0}, {rs.acceleration / p.dt * (p.vre2 - p.vre1)});
}

// Whether a dot of the given colour (a point or a small circle) is drawn at a place.
bool dotAt(const RecordingCanvas& c, Rgb colour, double x, double y) {
    for (const Primitive& p : c.records())
        if ((p.kind == Kind::Point || p.kind == Kind::Circle) && p.colour == colour &&
            std::abs(p.x1 - x) < 1e-9 && std::abs(p.y1 - y) < 1e-9)
            return true;
    return false;
}

// Each velocity stands at an orbit point of its moment: the inertial observer's on the red
// orbit (t1 and t2) and on the orbit of t1 (Vre21, carried there); the rotating observer's on
// the orbit in the disk's frame, with friction dragging the body.
TEST(ExplanationPictures, VelocitiesStandOnTheirOrbits) {
    Explained e(false);
    e.draw(false, 1, 30);
    const auto relative = e.shafts({200, 0, 200});
    ASSERT_EQ(relative.size(), 5u);  // Vre1, Vre2, Vre11, Vre21, Vre22
    EXPECT_TRUE(dotAt(e.canvas, {255, 0, 0}, relative[2].x1, relative[2].y1));
    EXPECT_TRUE(dotAt(e.canvas, {0, 70, 255}, relative[3].x1, relative[3].y1));
    EXPECT_TRUE(dotAt(e.canvas, {255, 0, 0}, relative[4].x1, relative[4].y1));
    EXPECT_TRUE(dotAt(e.canvas, {0, 170, 255}, relative[4].x1, relative[4].y1));

    DisplayStepInput friction;
    friction.friction = true;
    friction.vxtax = 3;
    friction.vytax = 2;
    Explained r(true, friction);
    r.draw(true, 0);
    const auto blue = r.shafts({0, 0, 255});
    ASSERT_EQ(blue.size(), 2u);  // Vre22, Vre11
    for (const Primitive& p : blue) EXPECT_TRUE(dotAt(r.canvas, {150, 50, 255}, p.x1, p.y1));
    EXPECT_EQ(r.canvas.refusedCount(), 0);
}

// The orbit row behind the moments stays inside the run's rows whatever the scroll bar says.
TEST(ExplanationPictures, MomentsStayInsideTheRun) {
    Explained e(true);
    for (int p : {-100, 0, 1, 45, 64, 65, 1000}) {
        const InertialPair i = inertialPair(e.run, e.tables, p);
        EXPECT_GE(i.row1, 1);
        EXPECT_LE(i.row2, 66);
        const RotatingPair r = rotatingPair(e.run, e.tables, p);
        EXPECT_GE(r.row1, 2);
        EXPECT_EQ(r.row2, r.row1 + 1);
        EXPECT_LE(r.row2, 66);
        e.draw(true, 8, p);
        e.draw(false, 9, p);
        EXPECT_EQ(e.canvas.refusedCount(), 0);
    }
    // The moment t2 is row 47: free motion, the absolute velocity (2, 0) turned by θ47.
    const Vec2 va2 = rotatingPair(e.run, e.tables, 45).va2;
    EXPECT_NEAR(length(va2), 2.0, 1e-12);
    EXPECT_NEAR(std::atan2(va2.y, va2.x), std::remainder(e.tables.explAngle[47], 2 * piValue),
                1e-9);
    // Before any run every row reads 0: the pictures still draw nothing unsound.
    Explained blank(false);
    blank.tables = ExplanationTables{};
    blank.run = DiskRun{};
    for (int step = 0; step <= 9; ++step) blank.draw(step <= 8, step);
    EXPECT_EQ(blank.canvas.refusedCount(), 0);
}

// A body sliding freely from (2, 1) with velocity (2, 0) on a disk turning clockwise at ω = 2.
OrbitMoment freeBody(double t) { return {{2 + 2 * t, 1}, {2, 0}, 2 * (1 + t), 2}; }

// In the limit the two complementary accelerations point the same way and together have the
// size 2|ω||Vre| of the Coriolis acceleration. With Δt of 0.1, 0.01 and 0.001 the relative error
// of their sum stays below 2·ω·Δt.
TEST(ExplanationPhysics, ComplementaryAccelerationsAddUpToTwiceOmegaVre) {
    for (double dt : {0.1, 0.01, 0.001}) {
        const InertialPair q = inertialPairOf(freeBody(0), freeBody(dt), dt);
        const double coriolis = 2 * 2 * length(q.vre11);
        const Vec2 sum = q.firstComplementary() + q.secondComplementary();
        EXPECT_LT(std::abs(length(sum) - coriolis) / coriolis, 2 * 2 * dt) << dt;
        const double cosine = dot(q.firstComplementary(), q.secondComplementary()) /
                              (length(q.firstComplementary()) * length(q.secondComplementary()));
        EXPECT_GT(cosine, std::cos(2 * 2 * dt)) << dt;
        // Free motion: the four terms add up to no absolute acceleration at all.
        const Vec2 total = q.relativeAcceleration() + q.centripetalAcceleration() + sum;
        expectNear(total, q.absoluteAcceleration(), 1e-9);
        expectNear(q.absoluteAcceleration(), {0, 0}, 1e-12);
    }
}

// For the rotating observer the finite differences approach ω²×R + 2Vre×ω, and the
// construction of step 8 closes exactly at every Δt.
TEST(ExplanationPhysics, RelativeAccelerationApproachesCentrifugalPlusCoriolis) {
    for (double dt : {0.1, 0.01, 0.001}) {
        const RotatingPair q = rotatingPairOf(freeBody(0), freeBody(dt), dt);
        const Vec2 limit = q.centrifugal() + q.coriolis();
        const Vec2 a = q.relativeAcceleration();
        EXPECT_LT(length(a - limit) / length(limit), 4 * 2 * dt) << dt;
        expectNear(q.absoluteAlongRadius() + q.absoluteAcrossVre() + q.baseTerm(), a, 1e-9);
        // The part of the absolute acceleration along the radius is the centrifugal one.
        EXPECT_LT(length(q.absoluteAlongRadius() - q.centrifugal()) / length(q.centrifugal()),
                  4 * 2 * dt);
    }
}

}  // namespace
}  // namespace velarium
