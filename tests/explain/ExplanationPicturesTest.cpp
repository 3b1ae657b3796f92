#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <numbers>
#include <string>
#include <utility>
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
        runOrbitPairs(disk.params, run, tables, in, rotating);
        setDiskScale(canvas, 1.2, 0, 0);
    }
    void draw(bool rotating, int step, int protosimiox = 45) {
        ExplanationSettings st;
        st.step = step;
        st.protosimiox = protosimiox;
        if (rotating)
            drawRotatingExplanation(canvas, disk.params, run, tables, st);
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

// The steps' lines exactly as a class reads them, copied here letter for letter.
constexpr Rgb kB{0, 0, 0}, kBlue{0, 0, 255}, kPink{255, 0, 255}, kRed{255, 0, 0}, kGreen{0, 125, 0},
    kPurple{125, 0, 125};
const std::vector<std::vector<StepLine>> kInertialLines = {
    {{"To explain the Centrifugal and the Coriolis Force"},
     {"The absolute velocity Vα is analyzed to Vre (relative) "},
     {"and Vb (base) that is: Vα=Vre+Vb where Vb=ω×R"},
     {"In the diagram we see 3 curves:  "},
     {"3 blues who represent"},
     {"a)On the LEFT the orbit that observes the ROTATING OBSERVER"},
     {"b)On the RIGHT is the ORBIT OF RELATIVE OBSERVER as "},
     {"is perceived by the INERTIAL OBSERVER at the time t1 "},
     {"c)Over it, turned as the disk turns in Δt, the ORBIT OF RELATIVE OBSERVER for the INERTIAL "
      "at t2"},
     {"The red curve is the orbit that perceives the INERTIAL observer"}},
    {{"In the diagram are shown the relative velocities:"},
     {"Vre1, Vre2: for the rotating observer and the:"},
     {"α)Vre11 for the INERTIAL  at moment t1"},
     {"β)Vre22 for the INERTIAL  at moment t2 "},
     {"γ)Vre21 which is Vre22 (t=t2) TRANSPORTED  by a ROTATION"},
     {"to the ORBIT that passes through t1 "}},
    {{"In the diagram are shown the BASE velocities:"},
     {"Vb1, Vb2: for the ROTATING(t=t1 & t=t2)"},
     {"α)Vb11 for the INERTIAL at the moment t1"},
     {"β)Vb22 for the INERTIAL at the moment t2 "},
     {"γ)Vb21 for the INERTIAL at the moment t2 (value=Vb22) is the Vb22 "},
     {"TRANSPORTED to the orbit that passes through t1 "}},
    {{"The ABSOLUTE acceleration is calculated by:"}, {"Vα2-Vα1=Vre22+Vb22-(Vre11+Vb11). "}},
    {{"The ABSOLUTE acceleration is calculated by:"},
     {"Vα2-Vα1=Vre22+Vb22-(Vre11+Vb11). "},
     {"The Velocities Vre21  & Vb21 are ADDED AND SUBTRACTED"},
     {"With this:"},
     {"Vα2-Vα1=(Vre21-Vre11)+(Vb22-Vb21)+(Vb21-Vb11)+(Vre22-Vre21) "},
     {"The 1st parenthesis is RELATIVE,the 2nd CENTRIPETAL, the 3η &4 opposite toCoriolis "}},
    {{"Relative Acceleration= (Vre21-Vre11)/Δt"}},
    {{"Centripetal acceleration (due to the rotation of the base)= (Vb22-Vb21)/Δt"},
     {"For the rotating observer there is a FICTITIOUS force"},
     {"opposite to the CENTRIPETAL acceleration, the  CENTRIFUGAL force"}},
    {{"First COMPLEMENTARY acceleration= (Vb21-Vb11)/Δt"},
     {"Vb21 is transported with the dashed vector to the position x11"}},
    {{"Second COMPLEMENTARY acceleration= (Vre22-Vre21)/Δt"},
     {"The accelerations calculated by "},
     {"(Vb21-Vb11)/Δt "},
     {"  (Vre22-Vre21)/Δt"},
     {" have in the limit Δt =0"},
     {"the same directions, and add up to the absolute value 2|ω|*|Vre|. For the rotating "},
     {"the force(-Mass×acceleration) is called Coriolis with value 2m.|ω|*|Vre|"}},
    {{"The two COMPLEMENTARY accelerations: "},
     {"               (Vb21-Vb11)/Δt "},
     {"               (Vre22-Vre21)/Δt"},
     {"add to the -CORIOLIS acceleration for the ROTATING OBSERVER"},
     {"It can be observed that in the limit Δt=0 they are equal"}}};
const std::vector<std::vector<StepLine>> kRotatingLines = {
    {{"Explanation for the ROTATING observer of: CENTRIFUGAL and Coriolis ", kB, true},
     {"The RELATIVE velocity Vre is analyzed to:Vα "},
     {"and  -Vb (base) that is: Vre=Vα-Vb where Vb=ω×R"},
     {"In the diagramm there are 4 curves:"},
     {"1 VIOLET which is the orbit that sees the ROTATING observer", {150, 50, 255}},
     {"2 PINK which are the ABSOLUTE orbits as the ROTATING is seeing them", kPink},
     {"and one RED which is the absolute orbit for the INERTIAL observer", kRed},
     {"In the diagram are shown the relative velocities at 2 moments"}},
    {{"In the diagram are the ABSOLUTE velocities:"},
     {"Vα11, Vα22: as the ROTATING observer sees them at t1 &  t2"},
     {"and the corresponding ABSOLUTE orbits"},
     {"as the ROTATING observer sees"}},
    {{"In the diagram are the base velocities:"},
     {"Vb11, Vb22: for the ROTATING (t=t1 & t=t2)"},
     {"and their negatives -Vb11, -Vb22"}},
    {{"The Relative Velocity is decomposed to:"},
     {"Vre=Vα-Vb = Vα + (-Vb)", kB, true},
     {"The analysis is shown for 2 moments"}},
    {{"The RELATIVE ACCELERATION is calculated", kRed, true},
     {"a_relative =(Vre22-Vre11)/Δt ", kRed, true},
     {"With a dashed vector is shown the Vre22"}},
    {{"Acceleration due to the base rotation= -(Vb22-Vb11)/Δt", kGreen, true},
     {"This acceleration is _|_ to the relative velocity because"},
     {"Vb=ω×R  -->α =-(Vb2-Vb1)/Δt=-ω×(R2-R1)/Δt=-ω×Vrelative"},
     {"It has the direction of the Coriolis acceleration, WHICH"},
     {"is -2ω×Vrelative, The factor 2 is explained in next CLICK"}},
    {{"Absolute acceleration= (Vα22-Vα11)/Δt", kBlue, true},
     {"With dashed vector is shown the Vα22"},
     {"Press CLICK to see a decomposition of the acceleration"}},
    {{"Analysis of the ABSOLUTE ACCELERATION= (Vα22 - Vα11)/Δt", kPurple, true},
     {"To 2 components: α) // to the radius και β)  _|_ to Vrelative"}},
    {{"                         Decomposition of the RELATIVE ACCELERATION", kPurple, true},
     {"TO a component // r and a vertical to the VELOCITY. The first one is equal to"},
     {"the component of relative acceleration//r, while the second is due"},
     {" to -dVb/dt and to the component of Vα _|_ to Vre "},
     {"The sum of 2 components gives the Coriolis FORCE with value 2m.|ω|*|Vre|"}}};

// Where a heading's quotient "(V…)/Δt" stands in a text, and its length; npos when none.
std::pair<std::size_t, std::size_t> quotientIn(const std::string& text) {
    const std::string over = ")/Δt";
    for (std::size_t at = text.find("(V"); at != std::string::npos; at = text.find("(V", at + 1)) {
        const std::size_t close = text.find(')', at);
        if (close != std::string::npos && text.compare(close, over.size(), over) == 0)
            return {at, close + over.size() - at};
    }
    return {std::string::npos, 0};
}

// The velocities a text names: V, then re, b or α, then two digits (Vre21, Vb11, Vα22).
std::vector<std::string> velocitiesNamedIn(const std::string& text) {
    std::vector<std::string> named;
    for (std::size_t at = text.find('V'); at != std::string::npos; at = text.find('V', at + 1)) {
        for (const std::string kind : {"re", "b", "α"}) {
            const std::size_t digits = at + 1 + kind.size();
            if (text.compare(at + 1, kind.size(), kind) == 0 && digits + 2 <= text.size() &&
                std::isdigit(static_cast<unsigned char>(text[digits])) &&
                std::isdigit(static_cast<unsigned char>(text[digits + 1])))
                named.push_back(text.substr(at, digits + 2 - at));
        }
    }
    return named;
}

// Each step's lines, in order and in their colour and weight, then the step number; the labels
// of the vectors the step draws; and the last step says that a click starts again.
TEST(ExplanationSteps, EveryStepPrintsItsLinesItsNumberAndItsLabels) {
    const std::vector<std::vector<std::string>> inertialLabels = {
        {"x11", "x21", "x12", "x22", "a)", "b)", "c)", "Δt = 0.10"},
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
        {"Vre11", "Vre22", "Δt = 0.10"},
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
        const auto& table = rotating ? kRotatingLines : kInertialLines;
        const int last = rotating ? kRotatingLastStep : kInertialLastStep;
        ASSERT_EQ(static_cast<int>(table.size()), last + 1);
        for (int step = 0; step <= last; ++step) {
            e.draw(rotating, step);
            const auto& lines = table[static_cast<std::size_t>(step)];
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
            // What the texts name is drawn: every velocity named with its two digits, and the
            // quotient of the step's heading, is a label of the picture.
            auto labelled = [&](const std::string& part) {
                return std::any_of(printed.begin(), printed.end(), [&](const auto& p) {
                    const bool line = std::any_of(lines.begin(), lines.end(),
                                                  [&](const auto& l) { return l.text == p.text; });
                    return !line && p.text.find(part) != std::string::npos;
                });
            };
            const auto [qAt, qLength] = quotientIn(lines[0].text);
            if (qAt != std::string::npos) {
                const std::string q = lines[0].text.substr(qAt, qLength);
                EXPECT_TRUE(labelled(q)) << rotating << " " << step << " " << q;
            }
            for (const auto& l : lines) {
                std::string plain = l.text;
                const auto [at, length] = quotientIn(plain);
                if (at != std::string::npos) plain.erase(at, length);
                for (const std::string& v : velocitiesNamedIn(plain))
                    EXPECT_TRUE(e.shows(v)) << rotating << " " << step << " " << v;
            }
            EXPECT_EQ(e.shows("Last step: click to start again"), step == last);
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

// Transported copies are dashed where the text says "dashed"; the negatives of the base
// velocity are dashed, and −Vb22 carried among them dotted.
TEST(ExplanationPictures, TransportedCopiesAndNegativesHaveTheirLineStyles) {
    Explained e(false);
    e.draw(false, 1);
    EXPECT_EQ(e.linesIn(kDash), 3);  // Vre21 alone
    Explained r(true);
    for (int step : {4, 6}) {
        const auto lines = rotatingStepLines(step);
        ASSERT_TRUE(std::any_of(lines.begin(), lines.end(), [](const StepLine& l) {
            return l.text.find("dashed vector") != std::string::npos;
        }));
        r.draw(true, step);
        EXPECT_EQ(r.linesIn(kDash), 3) << step;  // Vre22, Vα22 carried to t1
        EXPECT_EQ(r.linesIn(kDot), 0) << step;
    }
    r.draw(true, 2);
    EXPECT_EQ(r.linesIn(kDash), 6);  // −Vb11 and −Vb22
    r.draw(true, 5);
    EXPECT_EQ(r.linesIn(kDot), 3);  // −Vb22 carried to t1
}

// The difference vectors stand for the velocity differences over Δt at the drawing scales of
// the picture.
TEST(ExplanationPictures, DifferenceVectorsAreTheVelocityDifferencesOverDeltaT) {
    Explained e(false);
    e.draw(false, 5, 20);
    const InertialPair q = inertialPair(e.run, e.tables, 20);
    const PictureScales s = inertialScales(e.canvas, q, inertialOrbits(e.run, e.tables, q));
    const double a = s.acceleration() / q.dt;
    e.expectShafts({200, 0, 200},
                   {s.velocity() * q.vre11, s.velocity() * q.vre21, s.velocity() * q.vre21});
    e.expectShafts({230, 120, 0}, {s.velocity() * (q.vre21 - q.vre11)});
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
        {0, 0, 255}, {rs.velocity() * p.vre2, rs.velocity() * p.vre1, rs.velocity() * p.vre2});
    ASSERT_EQ(blue.size(), 3u);
    EXPECT_NEAR(blue[2].x1, blue[1].x1, 1e-12);
    r.expectShafts({255, 0, 0}, {rs.acceleration() / p.dt * (p.vre2 - p.vre1)});
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
    EXPECT_NEAR(std::atan2(va2.y, va2.x),
                std::remainder(e.tables.explAngle[47], 2 * std::numbers::pi), 1e-9);
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

// The drawn arrows: every arrow of the explanations is drawn twice as wide as the orbits, as a
// shaft and two barbs; returns the shafts.
std::vector<Primitive> arrowShafts(const RecordingCanvas& c) {
    std::vector<Primitive> lines;
    for (const Primitive& p : c.recordsOf(Kind::Line))
        if (p.width == 2) lines.push_back(p);
    std::vector<Primitive> out;
    for (std::size_t i = 0; i + 2 < lines.size(); i += 3) out.push_back(lines[i]);
    return out;
}

// The number a footer line gives after its caption.
double footerNumber(const RecordingCanvas& c, const std::string& caption) {
    for (const PrintedText& t : c.printedTexts())
        if (t.text.rfind(caption, 0) == 0) return std::stod(t.text.substr(caption.size()));
    ADD_FAILURE() << "no " << caption;
    return 0;
}

// The default motion in closed form: the body at rest on the disk at (0, 1) slides off freely,
// x(t) = (2t, 1), while the disk turns clockwise at ω = 2, so the rotating observer sees
// x'(t) = R(ωt)·x(t), with R(θ) the turn by θ counter-clockwise and J the quarter turn.
struct FreeSlide {
    static constexpr double w = 2;
    static Vec2 turn(Vec2 v, double a) {
        return {std::cos(a) * v.x - std::sin(a) * v.y, std::sin(a) * v.x + std::cos(a) * v.y};
    }
    static Vec2 quarter(Vec2 v) { return {-v.y, v.x}; }
    static Vec2 position(double t) { return turn({2 * t, 1}, w * t); }
    // Vre = x'' = ω·J·x' + R·v
    static Vec2 relativeVelocity(double t) {
        return w * quarter(position(t)) + turn({2, 0}, w * t);
    }
    // a_rel = −ω²·x' + 2ω·J·R·v: the same as ω²·x' + 2·Vre×ω, the centrifugal and Coriolis
    // accelerations.
    static Vec2 relativeAcceleration(double t) {
        return -w * w * position(t) + 2 * w * quarter(turn({2, 0}, w * t));
    }
};

double degreesBetween(Vec2 a, Vec2 b) {
    const double c = dot(a, b) / (length(a) * length(b));
    return std::acos(std::clamp(c, -1.0, 1.0)) * 180 / std::numbers::pi;
}

// At every orbit point the rotating observer's differences stand within 10° and 15% of their
// limits at the middle of the interval: the relative acceleration of steps 4 and 8 and the base
// term −ω×Vre of step 5. Sizes are read through the picture's own scales: the drawn distance
// from the axis to t1 against the true one, and the footer's acceleration scale.
TEST(ExplanationPictures, RotatingDifferencesStandAlongTheirLimitsAtEveryOrbitPoint) {
    Explained r(true);
    for (int p = 1; p <= 64; ++p) {
        const double t1 = (p + 1) * 0.1, mid = (p + 1.5) * 0.1;
        const Vec2 vre = FreeSlide::relativeVelocity(mid);
        const struct {
            int step;
            Rgb colour;
            Vec2 limit;
        } cases[] = {{4, {255, 0, 0}, FreeSlide::relativeAcceleration(mid)},
                     {5, {0, 125, 0}, FreeSlide::w * FreeSlide::quarter(vre)},
                     {8, {255, 0, 0}, FreeSlide::relativeAcceleration(mid)}};
        for (const auto& c : cases) {
            r.draw(true, c.step, p);
            const auto shafts = r.shafts(c.colour);
            ASSERT_EQ(shafts.size(), 1u) << p << " " << c.step;
            const Primitive& a = shafts[0];
            const Vec2 drawn{a.x2 - a.x1, a.y2 - a.y1};
            EXPECT_LT(degreesBetween(drawn, c.limit), 10) << p << " " << c.step;
            Vec2 axis{1e9, 1e9};
            for (const Primitive& d : r.canvas.recordsOf(Kind::Circle))
                if (d.fill == kFillSolid && d.colour == Rgb{0, 0, 0}) axis = {d.x1, d.y1};
            const double frame =
                std::hypot(a.x1 - axis.x, a.y1 - axis.y) / length(FreeSlide::position(t1));
            const double size =
                length(drawn) / frame / footerNumber(r.canvas, "Acceleration scale = ");
            EXPECT_NEAR(size, length(c.limit), 0.15 * length(c.limit)) << p << " " << c.step;
        }
    }
}

// At the default orbit point every arrow of every step is at least three arrowheads long, the
// axis stays in view, and the disk's-frame orbit is drawn in its one violet.
TEST(ExplanationPictures, RotatingPictureKeepsTheAxisInViewAndEveryArrowReadable) {
    Explained r(true);
    for (int step = 0; step <= kRotatingLastStep; ++step) {
        r.draw(true, step);
        const RecordingCanvas& c = r.canvas;
        const double barb = std::hypot(c.scaleWidth(), c.scaleHeight()) / 75;
        for (const Primitive& a : arrowShafts(c))
            EXPECT_GE(std::hypot(a.x2 - a.x1, a.y2 - a.y1), 3 * barb * 0.99) << step;
        bool axisInView = false, violet = false;
        for (const Primitive& d : c.recordsOf(Kind::Circle)) {
            EXPECT_NE(d.colour, (Rgb{250, 50, 5})) << step;
            violet |= d.colour == Rgb{150, 50, 255};
            if (d.fill == kFillSolid && d.colour == Rgb{0, 0, 0})
                axisInView = (d.x1 - c.scaleLeft()) / c.scaleWidth() > 0 &&
                             (d.x1 - c.scaleLeft()) / c.scaleWidth() < 1 &&
                             (d.y1 - c.scaleTop()) / c.scaleHeight() > 0 &&
                             (d.y1 - c.scaleTop()) / c.scaleHeight() < 1;
        }
        EXPECT_TRUE(axisInView) << step;
        EXPECT_TRUE(violet) << step;
    }
}

// Step 8's parallelogram, 2Vre×ω and then ω²×R, is flat where the relative velocity runs along the
// disk's circles: the picture says so exactly where its two drawn sides lie within 15°.
TEST(ExplanationPictures, AFlatParallelogramIsSaidToBeFlat) {
    Explained r(true);
    int flat = 0;
    for (int p : {1, 10, 45, 64}) {
        r.draw(true, kRotatingLastStep, p);
        std::vector<Primitive> sides;
        for (Rgb colour : {Rgb{125, 0, 125}, Rgb{0, 0, 0}})
            for (const Primitive& s : r.shafts(colour))
                if (s.style == kDash) sides.push_back(s);
        ASSERT_EQ(sides.size(), 2u) << p;
        const double ux = sides[0].x2 - sides[0].x1, uy = sides[0].y2 - sides[0].y1;
        const double vx = sides[1].x2 - sides[1].x1, vy = sides[1].y2 - sides[1].y1;
        const double degrees =
            std::acos(std::abs(ux * vx + uy * vy) / std::hypot(ux, uy) / std::hypot(vx, vy)) * 180 /
            std::numbers::pi;
        EXPECT_EQ(r.shows(kFlatParallelogram), degrees < 15) << p << ": " << degrees << "°";
        flat += degrees < 15;
    }
    EXPECT_GT(flat, 0);
    EXPECT_LT(flat, 4);
}

// Every velocity difference of the inertial observer runs from the tip of one drawn velocity to
// the tip of another drawn at the same point, so its triangle closes; and the disk is drawn
// about its axis to its rim, radius 2 at the picture's scale, as on the disk screen.
TEST(ExplanationPictures, InertialDifferencesCloseTheirTriangles) {
    Explained e(false);
    for (int p : {5, 45, 64}) {
        for (int step : {5, 6, 7}) {
            e.draw(false, step, p);
            const auto shafts = arrowShafts(e.canvas);
            const auto tipAt = [&](double x, double y, const Primitive& not_) {
                return std::count_if(shafts.begin(), shafts.end(), [&](const Primitive& s) {
                    return &s != &not_ && std::hypot(s.x2 - x, s.y2 - y) < 1e-9;
                });
            };
            int differences = 0;
            for (const Primitive& d : shafts) {
                if (d.colour != Rgb{230, 120, 0}) continue;
                ++differences;
                EXPECT_GE(tipAt(d.x1, d.y1, d), 1) << p << " " << step;
                EXPECT_GE(tipAt(d.x2, d.y2, d), 1) << p << " " << step;
            }
            EXPECT_EQ(differences, 1) << p << " " << step;
        }
        e.draw(false, 3, p);
        const Primitive vre11 = e.shafts({200, 0, 200}).at(0);
        const auto circles = e.canvas.recordsOf(Kind::Circle);
        const auto disk = std::find_if(circles.begin(), circles.end(), [](const Primitive& c) {
            return c.colour == Rgb{0, 0, 0} && c.fill == kFillTransparent;
        });
        ASSERT_NE(disk, circles.end());
        const double x = 2 * p * 0.1;  // the body at row p, (2t, 1)
        EXPECT_NEAR(std::hypot(vre11.x1 - disk->x1, vre11.y1 - disk->y1),
                    disk->radius / 2 * std::hypot(x, 1.0), 1e-9 * (1 + x));
    }
}

}  // namespace
}  // namespace velarium
