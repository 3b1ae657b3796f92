#include "explain/RotatingExplanation.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "disk/DiskPicture.h"
#include "draw/NumberFormat.h"
#include "draw/Palette.h"

namespace velarium {

// The picture of the rotating observer's explanation.
//
// Rows: t1 is orbit row p + 1 (p = protosimiox, kept within 1..64) and t2 the next row, one
// display step later.
// Orbits, rows 1..66, as small circles: red the inertial orbit; pink the inertial orbit turned
// into the disk's frame by θ2 (and, after the step's vectors, by θ1): the absolute orbits as the
// rotating observer sees them; violet the orbit in the disk's frame.
// Vectors: velocities from the moment's position, t2 first; Vre blue, Vα pink, Vb and −Vb green
// (a yellower green at t2). The two moments are marked and labelled "t1" and "t2". Accelerations
// stand at the orbit point of t1: the relative one red, −dVb/Δt dark green, the absolute one blue,
// its parts and the Coriolis construction purple, ω²×R black; the limits of step 8 dashed.
// Negatives are dashed, and so are the vectors of t2 carried to t1 that the text calls dashed
// (Vre22, Vα22); −Vb22 carried beside the dashed negatives is dotted. Sums are laid end to end: Vα
// then −Vb reach the tip of Vre, the parts of an acceleration reach its tip. Orbit points are left
// out where the texts stand. Text: the step's lines from the top-left corner, the footer at the
// bottom-left, labels by placeLabel beside each arrow's tip, clear of the texts and of the ink.

namespace {

constexpr Rgb kRed = rgb(Colour::rotatingExplanationRed);
constexpr Rgb kBlue = rgb(Colour::rotatingExplanationBlue);
constexpr Rgb kPink = rgb(Colour::absoluteOrbit);
constexpr Rgb kPinkSolid = rgb(Colour::absoluteOrbitDot);
constexpr Rgb kRotatingOrbit = rgb(Colour::rotatingOrbit);
// Two greens dark enough to read on white, told apart by their shade.
constexpr Rgb kBaseAtT1 = rgb(Colour::baseAtT1);
constexpr Rgb kBaseAtT2 = rgb(Colour::baseAtT2);
constexpr Rgb kBaseText = rgb(Colour::baseText);
constexpr Rgb kPurple = rgb(Colour::absoluteAcceleration);
constexpr int kVectorWidth = 2;
constexpr int kMaxTextLines = 9;  // the longest step, its number and a note under it
constexpr int kFooterLines = 5;

const std::vector<std::vector<StepLine>>& stepTexts() {
    static const std::vector<std::vector<StepLine>> texts = {
        {{"Explanation for the ROTATING observer of: CENTRIFUGAL and Coriolis ", kBlack, true},
         {"The RELATIVE velocity Vre is analyzed to:Vα "},
         {"and  -Vb (base) that is: Vre=Vα-Vb where Vb=ω×R"},
         {"In the diagramm there are 4 curves:"},
         {"1 VIOLET which is the orbit that sees the ROTATING observer", kRotatingOrbit},
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
         {"Vre=Vα-Vb = Vα + (-Vb)", kBlack, true},
         {"The analysis is shown for 2 moments"}},
        {{"The RELATIVE ACCELERATION is calculated", kRed, true},
         {"a_relative =(Vre22-Vre11)/Δt ", kRed, true},
         {"With a dashed vector is shown the Vre22"}},
        {{"Acceleration due to the base rotation= -(Vb22-Vb11)/Δt", kBaseText, true},
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
         {"The sum of 2 components gives the Coriolis FORCE with value 2m.|ω|*|Vre|"}},
    };
    return texts;
}

// The orbits of rows 1..66, the absolute one turned into the disk's frame by `turn`; with
// `absoluteOnly` just that one, drawn once more at another turn.
void drawOrbits(PlotCanvas& canvas, const DiskRun& run, const PictureFrame& f, double turn,
                bool absoluteOnly) {
    const double r = kBodyDotRadius / 8;
    auto dot = [&](Vec2 p, Rgb colour) {
        const Vec2 at = f.at(p);
        if (f.inBand(canvas, at)) canvas.circle(at.x, at.y, r, colour);
    };
    for (std::size_t k = 1; k <= static_cast<std::size_t>(ExplanationTables::kRunSteps); ++k) {
        const Vec2 inertial{run.pathX[k], run.pathY[k]};
        const Vec2 absolute = rotate(inertial, turn);
        dot(absolute, kPinkSolid);
        canvas.setDrawStyle(kDot);
        dot(absolute, kPink);
        canvas.setDrawStyle(kSolid);
        if (absoluteOnly) continue;
        dot(inertial, kRed);
        // The disk's-frame orbit once, in its own violet: drawn twice in two colours its
        // antialiased dots would show neither.
        dot({run.pathXRot[k], run.pathYRot[k]}, kRotatingOrbit);
    }
}

// The explanation's velocities and accelerations, for the one acceleration scale of all steps.
std::vector<Vec2> allVelocities(const RotatingPair& q) {
    return {q.vre1, q.va1, q.vb1, q.vre2, q.va2, q.vb2};
}
std::vector<Vec2> allAccelerations(const RotatingPair& q) {
    return {q.relativeAcceleration(),
            q.baseTerm(),
            q.absoluteAcceleration(),
            q.absoluteAlongRadius(),
            q.absoluteAcrossVre(),
            q.centrifugal(),
            q.coriolis()};
}

// Where the relative velocity runs nearly along the disk's circles, the Coriolis acceleration
// (across it) and the centrifugal one (along the radius) point nearly the same way: the
// parallelogram of step 8 is flat there, within 15°, and the picture says so.
bool sidesNearlyParallel(const RotatingPair& q) {
    const Vec2 c = q.coriolis(), f = q.centrifugal();
    const double lengths = length(c) * length(f);
    return lengths > 0 && std::abs(dot(c, f)) / lengths > std::cos(15 * std::numbers::pi / 180);
}

}  // namespace

Vec2 RotatingPair::absoluteAlongRadius() const {
    const Vec2 a = absoluteAcceleration();
    const Vec2 x = xMid();
    const double r = length(x);
    if (r == 0) return {};
    const Vec2 radial = (1 / r) * x;
    // a = α·r̂ + β·n̂ with n̂ across Vre; where r̂ and n̂ (nearly) coincide, the plain projection.
    const Vec2 vre = vreMid();
    const double s = length(vre);
    if (s > 0) {
        const Vec2 across{-vre.y / s, vre.x / s};
        const double det = radial.x * across.y - radial.y * across.x;
        if (std::abs(det) > 1e-3) return ((a.x * across.y - a.y * across.x) / det) * radial;
    }
    return dot(a, radial) * radial;
}

RotatingPair rotatingPairOf(const OrbitMoment& t1, const OrbitMoment& t2, double dt) {
    RotatingPair q;
    q.dt = dt;
    q.omega1 = t1.omega;
    q.omega2 = t2.omega;
    auto seen = [](const OrbitMoment& m, Vec2& x, Vec2& va, Vec2& vb, Vec2& vre) {
        x = rotate(m.position, m.angle);
        va = rotate(m.velocity, m.angle);
        vb = {m.omega * x.y, -m.omega * x.x};
        vre = va - vb;
    };
    seen(t1, q.x1, q.va1, q.vb1, q.vre1);
    seen(t2, q.x2, q.va2, q.vb2, q.vre2);
    return q;
}

RotatingPair rotatingPair(const DiskRun& run, const ExplanationTables& tables, int protosimiox) {
    const int r1 = std::clamp(protosimiox, 1, ExplanationTables::kRunSteps - 2) + 1;
    const int r2 = r1 + 1;
    auto moment = [&](int row) {
        const auto k = static_cast<std::size_t>(row);
        return OrbitMoment{{run.pathX[k], run.pathY[k]},
                           {tables.explVx[k], tables.explVy[k]},
                           tables.explAngle[k],
                           tables.explOmega[k]};
    };
    RotatingPair q = rotatingPairOf(moment(r1), moment(r2), (r2 - r1) * tables.stepDuration);
    q.row1 = r1;
    q.row2 = r2;
    return q;
}

std::vector<StepArrow> rotatingStepArrows(const RotatingPair& q, int step) {
    constexpr auto V = Measure::Velocity;
    constexpr auto A = Measure::Acceleration;
    const Vec2 x1 = q.x1, x2 = q.x2;
    switch (step) {
        case 0:
            return {{x2, V, q.vre2, kBlue, kSolid, "Vre22"},
                    {x1, V, q.vre1, kBlue, kSolid, "Vre11"}};
        case 1:
            return {{x2, V, q.va2, kPink, kSolid, "Vα22"}, {x1, V, q.va1, kPink, kSolid, "Vα11"}};
        case 2:
            return {{x2, V, q.vb2, kBaseAtT2, kSolid, "Vb22"},
                    {x1, V, q.vb1, kBaseAtT1, kSolid, "Vb11"},
                    {x2, V, -q.vb2, kBaseAtT2, kDash, "-Vb22"},
                    {x1, V, -q.vb1, kBaseAtT1, kDash, "-Vb11"}};
        case 3:
            // Vre = Vα + (−Vb): −Vb laid from the tip of Vα ends on the tip of Vre.
            return {{x2, V, q.va2, kPink, kSolid, "Vα22"},
                    {x1, V, q.va1, kPink, kSolid, "Vα11"},
                    {x2, V, -q.vb2, kBaseAtT2, kDash, "-Vb22", q.va2},
                    {x1, V, -q.vb1, kBaseAtT1, kDash, "-Vb11", q.va1},
                    {x2, V, q.vre2, kBlue, kSolid, "Vre22"},
                    {x1, V, q.vre1, kBlue, kSolid, "Vre11"}};
        case 4:
            return {{x2, V, q.vre2, kBlue, kSolid, "Vre22"},
                    {x1, V, q.vre1, kBlue, kSolid, "Vre11"},
                    {x1, V, q.vre2, kBlue, kDash, ""},
                    {x1, A, q.relativeAcceleration(), kRed, kSolid, "(Vre22-Vre11)/Δt"}};
        case 5:
            return {{x2, V, -q.vb2, kBaseAtT2, kDash, "-Vb22"},
                    {x1, V, -q.vb1, kBaseAtT1, kDash, "-Vb11"},
                    {x1, V, -q.vb2, kBaseAtT2, kDot, ""},
                    {x1, A, q.baseTerm(), kBaseText, kSolid, "-(Vb22-Vb11)/Δt"}};
        case 6:
            return {{x2, V, q.va2, kPink, kSolid, "Vα22"},
                    {x1, V, q.va1, kPink, kSolid, "Vα11"},
                    {x1, V, q.va2, kPink, kDash, ""},
                    {x1, A, q.absoluteAcceleration(), kBlue, kSolid, "(Vα22-Vα11)/Δt"}};
        case 7:
            // The part along the radius, then the part across Vre from its tip: together the
            // absolute acceleration.
            return {{x1, V, q.vre1, kBlue, kSolid, "Vre11"},
                    {x1, A, q.absoluteAcceleration(), kBlue, kSolid, "(Vα22 - Vα11)/Δt"},
                    {x1, A, q.absoluteAlongRadius(), kPurple, kSolid, "dVa/dt//r"},
                    {x1,
                     A,
                     q.absoluteAcrossVre(),
                     kPurple,
                     kSolid,
                     "dVa/dt_|_",
                     {},
                     q.absoluteAlongRadius()}};
        case 8: {
            // a_relative = dVa/dt//r + dVa/dt_|_ + (−dVb/Δt), laid end to end from t1; and
            // its limit the other way round the parallelogram: the Coriolis acceleration
            // 2Vre×ω, then the centrifugal ω²×R from its tip. Both paths end on a_relative's tip.
            const Vec2 along = q.absoluteAlongRadius();
            return {
                {x1, A, q.relativeAcceleration(), kRed, kSolid, "a_relative"},
                {x1, A, along, kPurple, kSolid, "dVa/dt//r"},
                {x1, A, q.absoluteAcrossVre(), kPurple, kSolid, "dVa/dt_|_", {}, along},
                {x1, A, q.baseTerm(), kBaseText, kSolid, "-dVb/Δt", {}, q.absoluteAcceleration()},
                {x1, A, q.coriolis(), kPurple, kDash, "2VreXω"},
                {x1, A, q.centrifugal(), kBlack, kDash, "ω²×R", {}, q.coriolis()}};
        }
        default: return {};
    }
}

PictureScales rotatingScales(const PlotCanvas& canvas, const RotatingPair& q, int step) {
    const double tau = accelerationTime(allVelocities(q), allAccelerations(q));
    return fitArrows(canvas, {{0, 0}, q.x1, q.x2}, rotatingStepArrows(q, step), kVelocityScale,
                     kVelocityScale * tau, kMaxTextLines, kFooterLines);
}

std::vector<StepLine> rotatingStepLines(int step) {
    if (step < 0 || step > kRotatingLastStep) return {};
    return stepTexts()[static_cast<std::size_t>(step)];
}

void printRotatingExplanation(PlotCanvas& canvas, int step) {
    printStepText(canvas, rotatingStepLines(step), step);
}

PictureScales drawRotatingExplanation(PlotCanvas& canvas, const DiskParameters& constants,
                                      DiskRun& run, const ExplanationTables& tables,
                                      const ExplanationSettings& st) {
    resetRunForPicture(constants, run, st);
    canvas.clear();
    clearUnderTheBars(canvas);
    const RotatingPair q = rotatingPair(run, tables, st.protosimiox);
    const PictureScales s = rotatingScales(canvas, q, st.step);
    const PictureFrame& f = s.frame;
    const double theta1 = tables.explAngle[static_cast<std::size_t>(q.row1)];
    const double theta2 = tables.explAngle[static_cast<std::size_t>(q.row2)];

    const Vec2 axis = f.at({0, 0});
    canvas.setFillStyle(kFillSolid);
    canvas.setFillColor(kBlack);
    canvas.circle(axis.x, axis.y, kBodyDotRadius, kBlack);
    canvas.setFillStyle(kFillTransparent);
    drawOrbits(canvas, run, f, theta2, false);

    std::vector<ArrowLabel> labels;
    // The two moments the step compares, as thick points with their names.
    for (auto [x, name] : {std::pair{q.x1, "t1"}, {q.x2, "t2"}}) {
        const Vec2 at = f.at(x);
        canvas.setDrawWidth(5);
        canvas.point(at.x, at.y, kBlack);
        canvas.setDrawWidth(1);
        labels.push_back({at, {}, name, kBlack});
    }
    const std::vector<StepArrow> arrows = rotatingStepArrows(q, st.step);
    drawStepArrows(canvas, labels, s, arrows, kVectorWidth);
    drawOrbits(canvas, run, f, theta1, true);

    printRotatingExplanation(canvas, st.step);
    if (st.step == 8 && sidesNearlyParallel(q)) {
        canvas.setCurrentPosition(canvas.scaleLeft() + 0.01 * canvas.scaleWidth(),
                                  canvas.currentY());
        canvas.print(kFlatParallelogram);
    }
    std::vector<std::string> footer = {"Δt = " + formatFixed(q.dt, 2)};
    const auto draws = [&](Measure m) {
        return std::any_of(arrows.begin(), arrows.end(),
                           [m](const StepArrow& a) { return a.measure == m; });
    };
    if (draws(Measure::Velocity) && std::abs(s.worldVelocity - kVelocityScale) > 5e-4)
        footer.push_back("Velocity scale = " + formatScale(s.worldVelocity));
    if (draws(Measure::Acceleration))
        footer.push_back("Acceleration scale = " + formatScale(s.worldAcceleration));
    footer.push_back("Click for NEXT");
    footer.push_back("Shift - Click FOR PREVIUS");
    if (st.step == kRotatingLastStep) footer.push_back(kLastStepLine);
    printFooter(canvas, footer);
    placeLabels(canvas, labels);
    return s;
}

}  // namespace velarium
