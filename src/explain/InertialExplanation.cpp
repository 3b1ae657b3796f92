#include "explain/InertialExplanation.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "disk/DiskPicture.h"
#include "draw/LabelPlacement.h"
#include "draw/NumberFormat.h"
#include "draw/Palette.h"

namespace velarium {

// The picture of the inertial observer's explanation.
//
// Rows: t1 is orbit row p = protosimiox (kept within 1..65) and t2 the next row, so Δt is one
// display step (0.1) and the four differences already point as their limits do.
// Orbits, rows 1..66, as points joined into curves: red the inertial orbit; in the middle
// (darker blue) the orbit the relative motion traces on the disk as it stands at t1, the
// rotating-frame orbit turned by −θ1; beside it (lighter blue) the same at t2, turned by −θ2.
// These two pass through the body's own positions x11 and x22. On the left (deep blue) the
// rotating observer's orbit, drawn in the disk's orientation at t1 on a disk of its own, moved to
// the left of the picture around the moments, with that observer's velocities Vre1, Vre2, Vb1,
// Vb2 at the points of t1 and t2. The disk is drawn to its rim (radius 2, as on the disk screen)
// with its axis marked, so that a class sees where the body leaves it.
// Vectors: velocities and accelerations at the scales of ExplanationPicture.h. A difference ΔV
// runs from the tip of the earlier velocity to the tip of the later one carried (dashed) to the
// same point, so the triangle closes; an acceleration ΔV/Δt stands at an orbit point.
// Transported copies are dashed. Orbit points are left out where the texts stand.
// Text: the step's lines from the top-left corner; the footer at the bottom-left; labels by
// placeLabel beside each arrow's tip, clear of the texts, the ink and each other.

namespace {

constexpr Rgb kInertialOrbit = rgb(Colour::inertialOrbit);
constexpr Rgb kRotatingOrbit = rgb(Colour::rotatingOrbitSeenInertial);
constexpr Rgb kOrbitAtT1 = rgb(Colour::orbitAtT1);
constexpr Rgb kOrbitAtT2 = rgb(Colour::orbitAtT2);
constexpr Rgb kRelative = rgb(Colour::explainedRelative);
constexpr Rgb kBase = rgb(Colour::explainedBase);
constexpr Rgb kDifference = rgb(Colour::explainedDifference);
constexpr Rgb kAcceleration = rgb(Colour::explainedAcceleration);
constexpr Rgb kAbsolute = rgb(Colour::explainedAbsolute);
constexpr int kVectorWidth = 2;
constexpr int kMaxTextLines = 11;  // the longest step and its number
constexpr int kFooterLines = 7;

const std::vector<std::vector<std::string>>& stepTexts() {
    static const std::vector<std::vector<std::string>> texts = {
        {{"To explain the Centrifugal and the Coriolis Force"},
         {"The absolute velocity Vα is analyzed to Vre (relative) "},
         {"and Vb (base) that is: Vα=Vre+Vb where Vb=ω×R"},
         {"In the diagram we see 3 curves:  "},
         {"3 blues who represent"},
         {"a)On the LEFT the orbit that observes the ROTATING OBSERVER"},
         {"b)On the RIGHT is the ORBIT OF RELATIVE OBSERVER as "},
         {"is perceived by the INERTIAL OBSERVER at the time t1 "},
         {"c)Over it, turned as the disk turns in Δt, the ORBIT OF RELATIVE OBSERVER for the "
          "INERTIAL at t2"},
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
        {{"The Velocities Vre21  & Vb21 are ADDED AND SUBTRACTED"},
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
         {"It can be observed that in the limit Δt=0 they are equal"}},
    };
    return texts;
}

// An orbit as a curve through its points, each point marked.
void orbitCurve(PlotCanvas& canvas, const PictureFrame& f, const std::vector<Vec2>& points,
                Rgb colour) {
    bool lastIn = false;
    Vec2 last;
    for (Vec2 p : points) {
        const Vec2 at = f.at(p);
        const bool in = f.inBand(canvas, at);
        if (in && lastIn) canvas.line(last.x, last.y, at.x, at.y, colour);
        last = at;
        lastIn = in;
    }
    canvas.setDrawWidth(3);
    for (Vec2 p : points) {
        const Vec2 at = f.at(p);
        if (f.inBand(canvas, at)) canvas.point(at.x, at.y, colour);
    }
    canvas.setDrawWidth(1);
}

// The disk, its rim about the axis, with the axis as a black dot.
void drawDisk(PlotCanvas& canvas, const PictureFrame& f, Vec2 axis) {
    const Vec2 at = f.at(axis);
    canvas.circle(at.x, at.y, f.scale * kRimRadius, kBlack);
    canvas.setDrawWidth(5);
    canvas.point(at.x, at.y, kBlack);
    canvas.setDrawWidth(1);
}

void drawOrbits(PlotCanvas& canvas, const InertialOrbits& o, const PictureScales& s,
                std::vector<ArrowLabel>& labels) {
    drawDisk(canvas, s.frame, {0, 0});
    drawDisk(canvas, s.frame, s.aside);
    std::vector<Vec2> rotating;
    for (Vec2 p : o.atT1) rotating.push_back(p + s.aside);
    orbitCurve(canvas, s.frame, rotating, kRotatingOrbit);
    orbitCurve(canvas, s.frame, o.atT1, kOrbitAtT1);
    orbitCurve(canvas, s.frame, o.atT2, kOrbitAtT2);
    orbitCurve(canvas, s.frame, o.inertial, kInertialOrbit);
    // Each of the three blue curves carries the letter the step's text gives it, at its end,
    // placed with the arrows' labels once the step's texts stand.
    if (o.atT1.empty()) return;
    const std::size_t last = o.atT1.size() - 1;
    for (auto [p, name, colour] : {std::tuple{rotating[last], "a)", kRotatingOrbit},
                                   {o.atT1[last], "b)", kOrbitAtT1},
                                   {o.atT2[last], "c)", kOrbitAtT2}}) {
        const Vec2 at = s.frame.at(p);
        if (s.frame.inBand(canvas, at)) labels.push_back({at, {}, name, colour});
    }
}

void markMoments(PlotCanvas& canvas, const InertialPair& q, const PictureScales& s) {
    canvas.setDrawWidth(5);
    for (Vec2 p : {q.x11, q.x22, q.x21, q.x12}) {
        const Vec2 at = s.frame.at(p);
        canvas.point(at.x, at.y, kBlack);
    }
    canvas.setDrawWidth(2);
}

}  // namespace

InertialPair inertialPairOf(const OrbitMoment& t1, const OrbitMoment& t2, double dt) {
    InertialPair q;
    q.dt = dt;
    q.x11 = t1.position;
    q.x22 = t2.position;
    q.va1 = t1.velocity;
    q.va2 = t2.velocity;
    q.vb11 = {t1.omega * t1.position.y, -t1.omega * t1.position.x};
    q.vb22 = {t2.omega * t2.position.y, -t2.omega * t2.position.x};
    q.vre11 = q.va1 - q.vb11;
    q.vre22 = q.va2 - q.vb22;
    // The disk turned clockwise by Δθ: turning counter-clockwise by Δθ carries t2 back.
    const double turn = t2.angle - t1.angle;
    q.x21 = rotate(q.x22, turn);
    q.x12 = rotate(q.x11, -turn);
    q.vre21 = rotate(q.vre22, turn);
    q.vb21 = rotate(q.vb22, turn);
    return q;
}

InertialPair inertialPair(const DiskRun& run, const ExplanationTables& tables, int protosimiox) {
    const int r1 = std::clamp(protosimiox, 1, ExplanationTables::kRunSteps - 1);
    const int r2 = r1 + 1;
    auto moment = [&](int row) {
        const auto k = static_cast<std::size_t>(row);
        return OrbitMoment{{run.pathX[k], run.pathY[k]},
                           {tables.explVx[k], tables.explVy[k]},
                           tables.explAngle[k],
                           tables.explOmega[k]};
    };
    InertialPair q = inertialPairOf(moment(r1), moment(r2), (r2 - r1) * tables.stepDuration);
    q.row1 = r1;
    q.row2 = r2;
    return q;
}

InertialOrbits inertialOrbits(const DiskRun& run, const ExplanationTables& tables,
                              const InertialPair& q) {
    const double theta1 = tables.explAngle[static_cast<std::size_t>(q.row1)];
    const double theta2 = tables.explAngle[static_cast<std::size_t>(q.row2)];
    InertialOrbits o;
    for (std::size_t k = 1; k <= ExplanationTables::kRunSteps; ++k) {
        const Vec2 onDisk{run.pathXRot[k], run.pathYRot[k]};
        o.inertial.push_back({run.pathX[k], run.pathY[k]});
        o.atT1.push_back(rotate(onDisk, -theta1));
        o.atT2.push_back(rotate(onDisk, -theta2));
    }
    return o;
}

PictureScales inertialScales(const PlotCanvas& canvas, const InertialPair& q,
                             const InertialOrbits& orbits) {
    const double tau =
        accelerationTime({q.vre11, q.vb11, q.vre22, q.vb22, q.vre21, q.vb21},
                         {q.relativeAcceleration(), q.centripetalAcceleration(),
                          q.firstComplementary(), q.secondComplementary(), q.absoluteAcceleration(),
                          q.firstComplementary() + q.secondComplementary()});
    // The shortest velocity difference the steps draw: their triangles must be seen.
    double shortest = 0;
    for (Vec2 d : {q.vre21 - q.vre11, q.vb22 - q.vb21, q.vb21 - q.vb11}) {
        const double n = length(d);
        if (n > 0) shortest = shortest > 0 ? std::min(shortest, n) : n;
    }
    PictureScales s;
    double v = kVelocityScale;
    // Each pass fits the picture; a difference shorter than three arrowheads lengthens every
    // velocity and acceleration alike, and the picture is fitted again.
    for (int pass = 0; pass < 8; ++pass) {
        const double a = v * tau;
        // The picture around the moments, the disk and the orbits, without the rotating
        // observer's copy.
        const Vec2 rim{kRimRadius, kRimRadius};
        std::vector<Vec2> main = {q.x11, q.x22, q.x21, q.x12, Vec2{-kRimRadius, -kRimRadius}, rim};
        for (const auto* orbit : {&orbits.inertial, &orbits.atT1, &orbits.atT2})
            main.insert(main.end(), orbit->begin(), orbit->end());
        for (auto [at, vel] : {std::pair{q.x11, q.vre11},
                               {q.x11, q.vb11},
                               {q.x11, q.vb21},
                               {q.x11, q.vre21},
                               {q.x22, q.vre22},
                               {q.x22, q.vb22},
                               {q.x21, q.vre21},
                               {q.x21, q.vb21},
                               {q.x21, q.vb22}})
            main.push_back(at + v * vel);
        for (Vec2 acc : {q.relativeAcceleration(), q.firstComplementary(), q.absoluteAcceleration(),
                         q.firstComplementary() + q.secondComplementary()})
            main.push_back(q.x11 + a * acc);
        main.push_back(q.x21 + a * q.centripetalAcceleration());
        main.push_back(q.x21 + a * q.secondComplementary());
        double x0 = main[0].x, x1 = x0;
        for (Vec2 p : main) {
            x0 = std::min(x0, p.x);
            x1 = std::max(x1, p.x);
        }
        // The rotating observer's copy stands clear to the left of the whole main picture.
        s.aside = {-1.15 * (x1 - x0), 0};
        std::vector<Vec2> all = main;
        for (Vec2 p : {q.x11, q.x21, q.x11 + v * q.vre11, q.x11 + v * q.vb11, q.x21 + v * q.vre21,
                       q.x21 + v * q.vb21, Vec2{-kRimRadius, -kRimRadius}, rim})
            all.push_back(p + s.aside);
        for (Vec2 p : orbits.atT1) all.push_back(p + s.aside);
        s.frame = fitPicture(canvas, all, kMaxTextLines, kFooterLines);
        s.worldVelocity = v;
        s.worldAcceleration = a;
        const double least = 3 * barbLength(canvas) / s.frame.scale;
        if (!(shortest > 0) || shortest * v >= 0.999 * least) break;
        v = 1.02 * least / shortest;
    }
    return s;
}

std::vector<StepLine> inertialStepLines(int step) {
    const auto& texts = stepTexts();
    if (step < 0 || step > kInertialLastStep) return {};
    std::vector<StepLine> lines;
    // Step 4 goes on from step 3's two lines.
    if (step == 4)
        for (const std::string& t : texts[3]) lines.push_back({t});
    for (const std::string& t : texts[static_cast<std::size_t>(step)]) lines.push_back({t});
    return lines;
}

void printInertialExplanation(PlotCanvas& canvas, int step) {
    printStepText(canvas, inertialStepLines(step), step);
}

PictureScales drawInertialExplanation(PlotCanvas& canvas, const DiskRun& run,
                                      const ExplanationTables& tables,
                                      const ExplanationSettings& st) {
    canvas.clear();
    clearUnderTheBars(canvas);
    const InertialPair q = inertialPair(run, tables, st.protosimiox);
    const InertialOrbits orbits = inertialOrbits(run, tables, q);
    const PictureScales s = inertialScales(canvas, q, orbits);
    const PictureFrame& f = s.frame;
    std::vector<ArrowLabel> labels;
    drawOrbits(canvas, orbits, s, labels);
    if (st.step <= 1) markMoments(canvas, q, s);

    auto velocity = [&](Vec2 at, Vec2 v, Rgb colour, int style, const char* label) {
        labelledArrow(canvas, labels, f.at(at), s.velocity() * v, colour, kVectorWidth, style,
                      label);
    };
    auto difference = [&](Vec2 at, Vec2 from, Vec2 dv, const char* label) {
        labelledArrow(canvas, labels, f.at(at) + s.velocity() * from, s.velocity() * dv,
                      kDifference, kVectorWidth, kSolid, label);
    };
    auto acceleration = [&](Vec2 from, Vec2 a, Rgb colour, const char* label) {
        labelledArrow(canvas, labels, from, s.acceleration() * a, colour, kVectorWidth, kSolid,
                      label);
    };
    const Vec2 left = s.aside;
    switch (st.step) {
        case 0:
            for (auto [p, name] :
                 {std::pair{q.x11, "x11"}, {q.x21, "x21"}, {q.x12, "x12"}, {q.x22, "x22"}})
                labels.push_back({f.at(p), {}, name, kBlack});
            break;
        case 1:
            velocity(q.x11 + left, q.vre11, kRelative, kSolid, "Vre1");
            velocity(q.x21 + left, q.vre21, kRelative, kSolid, "Vre2");
            velocity(q.x11, q.vre11, kRelative, kSolid, "Vre11");
            velocity(q.x21, q.vre21, kRelative, kDash, "Vre21");
            velocity(q.x22, q.vre22, kRelative, kSolid, "Vre22");
            break;
        case 2:
            velocity(q.x11 + left, q.vb11, kBase, kSolid, "Vb1");
            velocity(q.x21 + left, q.vb21, kBase, kSolid, "Vb2");
            velocity(q.x11, q.vb11, kBase, kSolid, "Vb11");
            velocity(q.x21, q.vb21, kBase, kDash, "Vb21");
            velocity(q.x22, q.vb22, kBase, kSolid, "Vb22");
            break;
        case 3:
        case 4:
            velocity(q.x11, q.vre11, kRelative, kSolid, "Vre11");
            velocity(q.x22, q.vre22, kRelative, kSolid, "Vre22");
            velocity(q.x11, q.vb11, kBase, kSolid, "Vb11");
            velocity(q.x22, q.vb22, kBase, kSolid, "Vb22");
            if (st.step == 4) {
                velocity(q.x21, q.vre21, kRelative, kDash, "Vre21");
                velocity(q.x21, q.vb21, kBase, kDash, "Vb21");
            }
            break;
        case 5:
            velocity(q.x11, q.vre11, kRelative, kSolid, "Vre11");
            velocity(q.x21, q.vre21, kRelative, kDash, "Vre21");
            velocity(q.x11, q.vre21, kRelative, kDash, "");
            difference(q.x11, q.vre11, q.vre21 - q.vre11, "ΔVre(21-11)");
            acceleration(f.at(q.x11), q.relativeAcceleration(), kAcceleration, "(Vre21-Vre11)/Δt");
            break;
        case 6:
            velocity(q.x21, q.vb21, kBase, kDash, "Vb21");
            velocity(q.x22, q.vb22, kBase, kSolid, "Vb22");
            velocity(q.x21, q.vb22, kBase, kDash, "");
            difference(q.x21, q.vb21, q.vb22 - q.vb21, "ΔVb(22-21)");
            acceleration(f.at(q.x21), q.centripetalAcceleration(), kAcceleration, "(Vb22-Vb21)/Δt");
            break;
        case 7:
            velocity(q.x21, q.vb21, kBase, kDash, "Vb21");
            velocity(q.x11, q.vb11, kBase, kSolid, "Vb11");
            velocity(q.x11, q.vb21, kBase, kDash, "");
            difference(q.x11, q.vb11, q.vb21 - q.vb11, "ΔVb(21-11)");
            acceleration(f.at(q.x11), q.firstComplementary(), kAcceleration, "(Vb21-Vb11)/Δt");
            break;
        case 8:
            velocity(q.x21, q.vre21, kRelative, kDash, "Vre21");
            velocity(q.x22, q.vre22, kRelative, kSolid, "Vre22");
            acceleration(f.at(q.x21), q.secondComplementary(), kAcceleration, "(Vre22-Vre21)/Δt");
            acceleration(f.at(q.x11), q.absoluteAcceleration(), kAbsolute,
                         "   Absolute acceleration");
            break;
        case 9: {
            velocity(q.x21, q.vre21, kRelative, kDash, "Vre21");
            velocity(q.x22, q.vre22, kRelative, kSolid, "Vre22");
            // The two complementary accelerations laid end to end from t1: their sum.
            const Vec2 first = f.at(q.x11) + s.acceleration() * q.firstComplementary();
            acceleration(first, q.secondComplementary(), kAcceleration, "(Vre22-Vre21)/Δt");
            acceleration(f.at(q.x11), q.firstComplementary(), kAcceleration, "(Vb21-Vb11)/Δt");
            acceleration(f.at(q.x11), q.absoluteAcceleration(), kAbsolute,
                         "    Absolute acceleration");
            break;
        }
        default: break;
    }
    canvas.setDrawWidth(1);

    printInertialExplanation(canvas, st.step);
    std::vector<std::string> footer = {
        "Δt = " + formatFixed(q.dt, 2), "xLEFT = " + formatFixed(st.shiftX, 1),
        "yBOTTOM= " + formatFixed(st.shiftY, 1), "Click for next", "Shift - Click for PREVIUS"};
    if (std::abs(s.worldVelocity - kVelocityScale) > 5e-4)
        footer.insert(footer.begin() + 1, "Velocity scale = " + formatScale(s.worldVelocity));
    if (st.step == kInertialLastStep) footer.push_back(kLastStepLine);
    printFooter(canvas, footer);
    placeLabels(canvas, labels);
    return s;
}

}  // namespace velarium
