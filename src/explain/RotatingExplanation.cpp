#include "explain/RotatingExplanation.h"

#include <algorithm>
#include <cmath>

#include "disk/DiskPicture.h"

namespace velarium {

// The picture of the rotating observer's explanation.
//
// Rows: t1 is orbit row p + 1 (p = protosimiox, kept within 1..64) and t2 is row 66, the end of
// the run; the position, the angle and the velocity of t2 all come from row 66.
// Orbits, rows 1..66, as small circles: red the inertial orbit; pink the inertial orbit turned
// into the disk's frame by θ2 (and, after the step's vectors, by θ1): the absolute orbits as the
// rotating observer sees them; blue-violet the orbit in the disk's frame.
// Vectors: velocities at 0.3 times their value from the moment's position, t2 first; Vre blue,
// Vα pink, Vb and −Vb green ((5, 255, 0) at t2, (0, 255, 0) at t1). Accelerations stand at the
// orbit point of t1: the relative one red, −dVb/Δt dark green, the absolute one blue,
// its parts and the Coriolis construction purple, ω²×R black. Negatives are dashed, vectors of
// t2 carried to t1 dotted. All of it at the scales of ExplanationPicture.h; orbit points are
// left out where the texts stand.
// Text: the step's lines from the top-left corner, the footer at the bottom-left, labels by
// placeLabel beside each arrow's tip.

namespace {

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kPink{255, 0, 255};
constexpr Rgb kPinkSolid{250, 50, 255};
constexpr Rgb kRotatingOrbitA{250, 50, 5};
constexpr Rgb kRotatingOrbitB{150, 50, 255};
constexpr Rgb kBaseAtT1{0, 255, 0};
constexpr Rgb kBaseAtT2{5, 255, 0};
constexpr Rgb kBaseText{0, 125, 0};
constexpr Rgb kPurple{125, 0, 125};
constexpr int kVectorWidth = 2;
constexpr int kMaxTextLines = 9;  // the longest step and its number
constexpr int kFooterLines = 2;

const std::vector<std::vector<StepLine>>& stepTexts() {
    static const std::vector<std::vector<StepLine>> texts = {
        {{"Explanation for the ROTATING observer of: CENTRIPETAL and Coriolis ", kBlack, true},
         {"The RELATIVE velocity Vre is analyzed to:Vα "},
         {"and  -Vb (base) that is: Vre=Vα-Vb where Vb=ω×R"},
         {"In the diagramm there are 4 curves:"},
         {"1 blue which is the orbit that sees the ROTATING observer", kBlue},
         {"2 PINK which are the ABSOLUTE orbits as the ROTATING is seeing them", kPink},
         {"and one RED which is the absolute orbit for the INERTIAL observer", kRed},
         {"In the diagram are shown the relative velocities at 2 moments"}},
        {{"In the diagram are the ABSOLUTE velocities:"},
         {"Vαχ11, Vαχ22: as the ROTATING observer sees them at t1 &  t2"},
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
        {{"Acceleration due to the base rotation= -(Vb22-Vb21)/Δt", kBaseText, true},
         {"This acceleration is _|_ to the relative velocity because"},
         {"Vb=ω×R  -->α =-(Vb2-Vb1)/Δt=-ω×(R2-R1)/Δt=-ω×Vrelative"},
         {"It has the direction of the Coriolis acceleration, WHICH"},
         {"is -2ω×Vrelative, The factor 2 is explained in next CLICK"}},
        {{"Absolute acceleration= (Vα22-Vα11)/Δt", kBlue, true},
         {"With dashed vector is shown the Vα22"},
         {"Press CLICK to see a decomposition of the acceleration"}},
        {{"Analysis of the ABSOLUTE ACCELERATION= (Vb21-Vb11)/Δt", kPurple, true},
         {"To 2 components: α) // to the radius και β)  _|_ to Vrelative"}},
        {{"                         Decomposition of the RELATIVE ACCELERATION", kPurple, true},
         {"TO a component // r and a vertical to the VELOCITY. The first one is equal to"},
         {"the component of relative acceleration//r, while the second is due"},
         {" to -dVb/dt and to the component of Vα _|_ to Vre "},
         {"The sum of 2 components gives the Coriolis FORCE with value 2m.|ω|*|Vre|"}},
    };
    return texts;
}

// The orbits of rows 1..66, the absolute one turned into the disk's frame by `turn`.
void drawOrbits(PlotCanvas& canvas, const DiskRun& run, const ExplanationTables& tables,
                const PictureFrame& f, double turn) {
    const double r = kBodyDotRadius / 8;
    auto dot = [&](Vec2 p, Rgb colour) {
        const Vec2 at = f.at(p);
        if (f.inBand(canvas, at)) canvas.circle(at.x, at.y, r, colour);
    };
    for (std::size_t k = 1; k <= static_cast<std::size_t>(ExplanationTables::kRunSteps); ++k) {
        const Vec2 inertial{run.pathX[k], run.pathY[k]};
        dot(inertial, kRed);
        const Vec2 absolute = rotate(inertial, turn);
        dot(absolute, kPinkSolid);
        canvas.setDrawStyle(kDot);
        dot(absolute, kPink);
        canvas.setDrawStyle(kSolid);
        dot({tables.explXRot[k], tables.explYRot[k]}, kRotatingOrbitA);
        dot({run.pathXRot[k], run.pathYRot[k]}, kRotatingOrbitB);
    }
}

}  // namespace

Vec2 RotatingPair::absoluteAlongRadius() const {
    const Vec2 a = absoluteAcceleration();
    const double r = length(x1);
    if (r == 0) return {};
    const Vec2 radial = (1 / r) * x1;
    // a = α·r̂ + β·n̂ with n̂ across Vre; where r̂ and n̂ (nearly) coincide, the plain projection.
    const double s = length(vre1);
    if (s > 0) {
        const Vec2 across{-vre1.y / s, vre1.x / s};
        const double det = radial.x * across.y - radial.y * across.x;
        if (std::abs(det) > 1e-3) return ((a.x * across.y - a.y * across.x) / det) * radial;
    }
    return dot(a, radial) * radial;
}

RotatingPair rotatingPairOf(const OrbitMoment& t1, const OrbitMoment& t2, double dt) {
    RotatingPair q;
    q.dt = dt;
    q.omega1 = t1.omega;
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
    const int last = ExplanationTables::kRunSteps;
    const int r1 = std::clamp(protosimiox, 1, last - 2) + 1;
    auto moment = [&](int row) {
        const auto k = static_cast<std::size_t>(row);
        return OrbitMoment{{run.pathX[k], run.pathY[k]},
                           {tables.explVx[k], tables.explVy[k]},
                           tables.explAngle[k],
                           tables.explOmega[k]};
    };
    RotatingPair q = rotatingPairOf(moment(r1), moment(last), (last - r1) * tables.stepDuration);
    q.row1 = r1;
    q.row2 = last;
    return q;
}

PictureScales rotatingScales(const PlotCanvas& canvas, const RotatingPair& q) {
    const double v = kVelocityScale;
    const std::vector<Vec2> accelerations = {q.relativeAcceleration(),
                                             q.baseTerm(),
                                             q.absoluteAcceleration(),
                                             q.absoluteAlongRadius(),
                                             q.absoluteAcrossVre(),
                                             q.absoluteAlongRadius() + q.absoluteAcrossVre(),
                                             q.centrifugal(),
                                             q.coriolis(),
                                             q.centrifugal() + q.coriolis()};
    const double a =
        v * accelerationTime({q.vre1, q.va1, q.vb1, q.vre2, q.va2, q.vb2}, accelerations);
    std::vector<Vec2> points = {q.x1, q.x2};
    for (Vec2 d : {q.vre1, q.va1, q.vb1, -q.vb1, q.vre2, q.va2, q.vb2, -q.vb2})
        points.push_back(q.x1 + v * d);
    for (Vec2 d : {q.vre2, q.va2, q.vb2, -q.vb2}) points.push_back(q.x2 + v * d);
    for (Vec2 d : accelerations) points.push_back(q.x1 + a * d);
    PictureScales s;
    s.frame = fitPicture(canvas, points, kMaxTextLines, kFooterLines);
    s.velocity = s.frame.scale * v;
    s.acceleration = s.frame.scale * a;
    return s;
}

std::vector<StepLine> rotatingStepLines(int step) {
    if (step < 0 || step > kRotatingLastStep) return {};
    return stepTexts()[static_cast<std::size_t>(step)];
}

void printRotatingExplanation(PlotCanvas& canvas, int step) {
    printStepText(canvas, rotatingStepLines(step), step);
}

void drawRotatingExplanation(PlotCanvas& canvas, DiskShared& disk, DiskRun& run,
                             const ExplanationTables& tables, const ExplanationSettings& st) {
    resetRunForPicture(disk, run, st);
    canvas.clear();
    const RotatingPair q = rotatingPair(run, tables, st.protosimiox);
    const PictureScales s = rotatingScales(canvas, q);
    const PictureFrame& f = s.frame;
    const double theta1 = tables.explAngle[static_cast<std::size_t>(q.row1)];
    const double theta2 = tables.explAngle[static_cast<std::size_t>(q.row2)];

    const Vec2 axis = f.at({0, 0});
    canvas.setFillStyle(kFillSolid);
    canvas.setFillColor(kBlack);
    canvas.circle(axis.x, axis.y, kBodyDotRadius, kBlack);
    canvas.setFillStyle(kFillTransparent);
    drawOrbits(canvas, run, tables, f, theta2);

    std::vector<ArrowLabel> labels;
    const Vec2 p1 = f.at(q.x1), p2 = f.at(q.x2);
    auto velocity = [&](Vec2 at, Vec2 v, Rgb colour, int style, const char* label) {
        labelledArrow(canvas, labels, at, s.velocity * v, colour, kVectorWidth, style, label);
    };
    auto acceleration = [&](Vec2 from, Vec2 a, Rgb colour, const char* label) {
        labelledArrow(canvas, labels, from, s.acceleration * a, colour, kVectorWidth, kSolid,
                      label);
    };
    switch (st.step) {
        case 0:
            velocity(p2, q.vre2, kBlue, kSolid, "Vre22");
            velocity(p1, q.vre1, kBlue, kSolid, "Vre11");
            break;
        case 1:
            velocity(p2, q.va2, kPink, kSolid, "Vα22");
            velocity(p1, q.va1, kPink, kSolid, "Vα11");
            break;
        case 2:
            velocity(p2, q.vb2, kBaseAtT2, kSolid, "Vb22");
            velocity(p1, q.vb1, kBaseAtT1, kSolid, "Vb11");
            velocity(p2, -q.vb2, kBaseAtT2, kDash, "-Vb22");
            velocity(p1, -q.vb1, kBaseAtT1, kDash, "-Vb11");
            break;
        case 3:
            velocity(p2, -q.vb2, kBaseAtT2, kDash, "-Vb22");
            velocity(p1, -q.vb1, kBaseAtT1, kDash, "-Vb11");
            velocity(p2, q.va2, kPink, kSolid, "Vα22");
            velocity(p1, q.va1, kPink, kSolid, "Vα11");
            velocity(p2, q.vre2, kBlue, kSolid, "Vre22");
            velocity(p1, q.vre1, kBlue, kSolid, "Vre11");
            break;
        case 4:
            velocity(p2, q.vre2, kBlue, kSolid, "Vre22");
            velocity(p1, q.vre1, kBlue, kSolid, "Vre11");
            velocity(p1, q.vre2, kBlue, kDot, "");
            acceleration(p1, q.relativeAcceleration(), kRed, "(Vre22-Vre11)/Δt");
            break;
        case 5:
            velocity(p2, -q.vb2, kBaseAtT2, kDash, "-Vb22");
            velocity(p1, -q.vb1, kBaseAtT1, kDash, "-Vb11");
            velocity(p1, -q.vb2, kBaseAtT2, kDot, "");
            acceleration(p1, q.baseTerm(), kBaseText, "-(Vb22-Vb11)/Δt");
            break;
        case 6:
            velocity(p2, q.va2, kPink, kSolid, "Vα22");
            velocity(p1, q.va1, kPink, kSolid, "Vα11");
            velocity(p1, q.va2, kPink, kDot, "");
            acceleration(p1, q.absoluteAcceleration(), kBlue, "(Vα22-Vα11)/Δt");
            break;
        case 7: {
            velocity(p1, q.vre1, kBlue, kSolid, "Vre11");
            acceleration(p1, q.absoluteAcceleration(), kBlue, "(Vα22 - Vα11)/Δt");
            acceleration(p1, q.absoluteAlongRadius(), kPurple, "dVa/dt//r");
            acceleration(p1, q.absoluteAcrossVre(), kPurple, "dVa/dt_|_");
            break;
        }
        case 8: {
            // a_relative = dVa/dt//r + dVa/dt_|_ + (−dVb/Δt), laid end to end from t1; beside
            // them the limit ω²×R + 2Vre×ω.
            acceleration(p1, q.relativeAcceleration(), kRed, "a_relative");
            const Vec2 radialTip = p1 + s.acceleration * q.absoluteAlongRadius();
            const Vec2 acrossTip = radialTip + s.acceleration * q.absoluteAcrossVre();
            acceleration(p1, q.absoluteAlongRadius(), kPurple, "dVa/dt//r");
            acceleration(radialTip, q.absoluteAcrossVre(), kPurple, "dVa/dt_|_");
            acceleration(acrossTip, q.baseTerm(), kBaseText, "-dVb/Δt");
            acceleration(p1, q.centrifugal(), kBlack, "ω²×R");
            acceleration(p1 + s.acceleration * q.centrifugal(), q.coriolis(), kPurple, "2VreXω");
            break;
        }
        default: break;
    }
    canvas.setDrawWidth(1);

    printRotatingExplanation(canvas, st.step);
    printFooter(canvas, {"Click for NEXT", "Shift - Click FOR PREVIUS"});
    placeLabels(canvas, labels);
    drawOrbits(canvas, run, tables, f, theta1);
}

}  // namespace velarium
