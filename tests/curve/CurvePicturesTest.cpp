#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "curve/CurvePictures.h"
#include "draw/RecordingCanvas.h"
#include "support/RecordedInk.h"

namespace velarium {
namespace {

using Kind = Primitive::Kind;
const double kPi = std::numbers::pi;
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kCentripetal{5, 150, 255};
constexpr Rgb kTangential{5, 150, 250};
constexpr Rgb kMagenta{250, 0, 150};
constexpr Rgb kOlive{155, 155, 0};

RecordingCanvas labCanvas() {
    RecordingCanvas c(305, 257);
    c.setScale(0, 10, 20, -10);
    return c;
}

// The shafts of the arrows of one colour: the first of each arrow's three segments.
std::vector<Primitive> shafts(const RecordingCanvas& c, Rgb colour, int width = 0) {
    std::vector<Primitive> lines;
    for (const auto& p : c.recordsOf(Kind::Line))
        if (p.colour == colour && (width == 0 || p.width == width)) lines.push_back(p);
    std::vector<Primitive> out;
    for (size_t i = 0; i < lines.size(); i += 3) out.push_back(lines[i]);
    return out;
}

const Primitive* textAt(const RecordingCanvas& c, const std::string& text) {
    for (const auto& p : c.records())
        if (p.kind == Kind::Text && p.text == text) return &p;
    return nullptr;
}

// A legend's text stands at its place when that is free, and near it otherwise.
void expectLegend(const RecordingCanvas& c, const std::string& text, double x, double y) {
    const Primitive* p = textAt(c, text);
    ASSERT_NE(p, nullptr) << text;
    EXPECT_LT(std::abs(p->x1 - x), 2) << text;
    EXPECT_LT(std::abs(p->y1 - y), 2) << text;
}

// A legend row's key: a unit arrow of the row's colour, ending a fifth of a unit left of its text,
// halfway down the text's line.
void expectKey(const RecordingCanvas& c, const std::string& text, Rgb colour, int width = 0) {
    const Primitive* t = textAt(c, text);
    ASSERT_NE(t, nullptr) << text;
    const double middle = t->y1 - c.textExtent(text).height / 2;
    const auto keys = shafts(c, colour, width);
    EXPECT_TRUE(std::any_of(keys.begin(), keys.end(), [&](const Primitive& k) {
        return std::abs(k.x2 - k.x1 - 1) < 1e-12 && std::abs(k.x2 - (t->x1 - 0.2)) < 1e-9 &&
               std::abs(k.y1 - middle) < 1e-9 && k.y2 == k.y1;
    })) << text;
}

// The dots of the circles of curvature, and whether each lies on the circle about (cx, cy) of
// radius r in user units.
std::vector<Primitive> circleDots(const RecordingCanvas& c) {
    std::vector<Primitive> dots;
    for (const auto& p : c.recordsOf(Kind::Point))
        if (p.colour == kMagenta) dots.push_back(p);
    return dots;
}
int dotsOn(const std::vector<Primitive>& dots, double cx, double cy, double r) {
    int n = 0;
    for (const auto& d : dots) n += std::abs(std::hypot(d.x1 - cx, d.y1 - cy) - r) < 1e-9 * r;
    return n;
}

void expectShaft(const Primitive& p, double x, double y, Vec2 d, double tol = 1e-9) {
    EXPECT_NEAR(p.x1, x, tol);
    EXPECT_NEAR(p.y1, y, tol);
    EXPECT_NEAR(p.x2 - p.x1, d.x, tol);
    EXPECT_NEAR(p.y2 - p.y1, d.y, tol);
}

TEST(DrawCurveLab, InitialSettingsPicture) {
    RecordingCanvas c = labCanvas();
    const CurveSettings s = curveSettings({});
    const std::string text = drawCurveLab(c, s);
    EXPECT_EQ(c.clearCount(), 0);

    const auto points = c.recordsOf(Kind::Point);
    ASSERT_EQ(points.size(), 401u);
    EXPECT_EQ(points.front().colour, kBlack);
    EXPECT_NEAR(points[120].x1, 6, 1e-12);
    EXPECT_NEAR(points[120].y1, 2, 1e-12);  // the crest at x = 6
    EXPECT_NEAR(points[400].x1, 20, 1e-12);

    // Fifteen velocity arrows and the legend's; no centripetal arrow at x = 0.
    const auto red = shafts(c, kRed);
    ASSERT_EQ(red.size(), 16u);
    const auto blue = shafts(c, kCentripetal);
    ASSERT_EQ(blue.size(), 15u);
    EXPECT_NEAR(blue[0].x1, 1.4, 1e-12);
    ASSERT_EQ(shafts(c, kBlack).size(), 16u);

    // The station at x = 2.8 in full.
    const PointQuantities p = pointQuantities(s, 2.8);
    expectShaft(red[2], 2.8, p.y, p.velocity);
    expectShaft(blue[1], 2.8, p.y, p.centripetal, 1e-7);
    const auto total = shafts(c, kBlack)[2];
    expectShaft(total, 2.8, p.y,
                {p.centripetal.x + p.tangential.x, p.centripetal.y + p.tangential.y}, 1e-7);
    EXPECT_NEAR(length(p.velocity), std::sqrt(9 + 4 * pathLength(s, 2.8)), 1e-12);

    expectKey(c, "VELOCITY", kRed);
    expectLegend(c, "VELOCITY", 10, -9.1);
    expectLegend(c, "CENTRIPETAL ACCELERATION", 10, -8.1);
    expectLegend(c, "TOTAL ACCELERATION", 10, -7.1);
    EXPECT_EQ(text.rfind("The centripetal acceleration has a direction towards the concave of the "
                         "curve.  You can study the effect of CURVATURE  on respect",
                         0),
              0u);
    EXPECT_NE(text.find("acceleration=υ²/R where R radius"), std::string::npos);
    EXPECT_EQ(c.refusedCount(), 0);
}

TEST(DrawCurveLab, WithoutTangentialAccelerationTheTotalIsCentripetal) {
    RecordingCanvas c = labCanvas();
    drawCurveLab(c, curveSettings({20, 15, 3, 0}));
    const auto red = shafts(c, kRed);
    for (size_t i = 0; i + 1 < red.size(); ++i)
        EXPECT_NEAR(std::hypot(red[i].x2 - red[i].x1, red[i].y2 - red[i].y1), 3, 1e-12);
    const auto blue = shafts(c, kCentripetal);
    const auto black = shafts(c, kBlack);
    ASSERT_EQ(blue.size(), black.size());
    for (size_t i = 0; i + 1 < blue.size(); ++i) {
        EXPECT_NEAR(blue[i].x2, black[i].x2, 1e-12);
        EXPECT_NEAR(blue[i].y2, black[i].y2, 1e-12);
    }
}

TEST(DrawCurveLab, AtRestOnlyThePathAndTheLegend) {
    RecordingCanvas c = labCanvas();
    drawCurveLab(c, curveSettings({20, 15, 0, 0}));
    EXPECT_EQ(c.recordsOf(Kind::Point).size(), 401u);
    EXPECT_EQ(c.recordsOf(Kind::Line).size(), 9u);
    EXPECT_EQ(c.texts().size(), 3u);
}

TEST(DrawCurveLab, EveryExtremeSettingDrawsFiniteNumbers) {
    for (int platos : {1, 35})
        for (int freq : {1, 60})
            for (int v0 : {0, 5})
                for (int at : {0, 35}) {
                    RecordingCanvas c = labCanvas();
                    drawCurveLab(c, curveSettings({platos, freq, v0, at}));
                    EXPECT_EQ(c.refusedCount(), 0);
                }
}

// On a canvas two fifths as wide as designed, as at a high zoom, a legend row wider than the canvas
// leaves beside its key goes on in a second line: every legend text lies whole inside, none
// over another, and each key arrow stands at the left of its row's first line.
TEST(DrawCurveLab, LegendRowsWiderThanTheCanvasGoOnInASecondLine) {
    RecordingCanvas c(120, 257);
    c.setScale(0, 10, 20, -10);
    drawCurveLab(c, curveSettings({}));
    const auto& texts = c.printedTexts();
    std::vector<const PrintedText*> legend;
    for (const PrintedText& t : texts)
        if (t.text == "CENTRIPETAL" || t.text == "ACCELERATION" || t.text == "VELOCITY" ||
            t.text.find("TOTAL") == 0)
            legend.push_back(&t);
    ASSERT_GE(legend.size(), 4u);
    for (const PrintedText* t : legend) {
        EXPECT_TRUE(t->left >= 0 && t->right <= 1 + 1e-12) << t->text;
        for (const PrintedText* u : legend)
            EXPECT_TRUE(t == u || t->bottom <= u->top + 1e-9 || u->bottom <= t->top + 1e-9)
                << t->text << " over " << u->text;
    }
    // The key of the centripetal row points at its first line, not at its second.
    const auto centripetal = std::find_if(
        texts.begin(), texts.end(), [](const PrintedText& t) { return t.text == "CENTRIPETAL"; });
    ASSERT_NE(centripetal, texts.end());
    const auto lines = c.recordsOf(Kind::Line);
    const auto key = std::find_if(lines.begin(), lines.end(), [](const Primitive& l) {
        return l.colour == kCentripetal && std::abs(l.y2 - l.y1) < 1e-12 &&
               std::abs(l.x2 - l.x1 - 1) < 1e-12;
    });
    ASSERT_NE(key, lines.end());
    const double keyTop = (10 - key->y1) / 20;  // as a fraction of the canvas, down from the top
    EXPECT_GT(keyTop, centripetal->top);
    EXPECT_LT(keyTop, centripetal->bottom);
}

TEST(DrawRadiusScene, CirclesAtTheFirstCrestAndTrough) {
    RecordingCanvas c = labCanvas();
    const CurveSettings s = curveSettings({});
    const std::string text = drawRadiusScene(c, s);
    // R = 1/(A·ω²) at both, the centre below the crest and above the trough; every dot lies on
    // one of the two circles.
    const double R = 1 / (2 * (kPi / 12) * (kPi / 12));
    const auto dots = circleDots(c);
    const int crest = dotsOn(dots, 6, 2 - R, R), trough = dotsOn(dots, 18, -2 + R, R);
    EXPECT_GT(crest, 100);
    EXPECT_GT(trough, 100);
    EXPECT_EQ(crest + trough, static_cast<int>(dots.size()));
    EXPECT_TRUE(c.recordsOf(Kind::Circle).empty());
    for (const auto& line : c.recordsOf(Kind::Line)) EXPECT_EQ(line.style, kSolid);
    const auto tangential = shafts(c, kTangential);
    ASSERT_EQ(tangential.size(), 2u);
    expectShaft(tangential[0], 6, 2, {0.5 * 2, 0}, 1e-9);  // (A/4)·at along the tangent
    // The circle of the trough runs through the legend's own place: it stands aside, keys and all.
    expectKey(c, "VELOCITY", kRed);
    expectKey(c, "CENTRIPETAL ACCELERATION", kCentripetal);
    EXPECT_EQ(text,
              "The centripetal acceleration is directed towards the concave of the curve. The "
              "TANGENTIAL acceleration is directed according to the tangent, the circles are "
              "drawn with a radius =RADIUS OF CURVATURE.");
}

TEST(ShowPointVectors, OnThePathInTheForceExercise) {
    RecordingCanvas c = labCanvas();
    const CurveSettings s = curveSettings({});
    ForcePress press;
    const double X = 3;
    const PointQuantities p = pointQuantities(s, X);
    const auto text = showPointVectors(c, s, X, p.y + 0.05, true, false, press);
    EXPECT_EQ(c.clearCount(), 1);
    EXPECT_TRUE(press.pressOnCurve);
    EXPECT_DOUBLE_EQ(press.pressCurvature, p.kappa);
    EXPECT_DOUBLE_EQ(press.pressVelocity.x, p.velocity.x);
    EXPECT_DOUBLE_EQ(press.pressTangential.y, p.tangential.y);

    const auto dots = circleDots(c);
    EXPECT_GT(dots.size(), 100u);
    EXPECT_EQ(dotsOn(dots, X - std::sin(p.theta) * p.radius, p.y + std::cos(p.theta) * p.radius,
                     std::abs(p.radius)),
              static_cast<int>(dots.size()));

    const auto friction = shafts(c, kOlive, 3);
    ASSERT_EQ(friction.size(), 2u);
    const double v = length(p.velocity);
    expectShaft(friction[0], X, p.y, {-3.5 * p.velocity.x / v, -3.5 * p.velocity.y / v});
    expectKey(c, "FRICTION", kOlive, 3);
    expectLegend(c, "FRICTION", 2, 9.8);
    expectLegend(c, "VELOCITY", 15, -9.1);
    expectLegend(c, "ACCELERATION", 15, -8.1);
    expectKey(c, "VELOCITY", kRed);
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(text->rfind("Click on the diagram so that the vectors FRCTION, VELOCITY", 0), 0u);
    EXPECT_NE(text->find("Α) IS CORRECT AS FAR AS DIRECTION IS CONCERNED & Β)WHICH"),
              std::string::npos);
}

TEST(ShowPointVectors, RadiusModeHasNoFriction) {
    RecordingCanvas c = labCanvas();
    const CurveSettings s = curveSettings({});
    ForcePress press;
    const auto text = showPointVectors(c, s, 4, pointQuantities(s, 4).y, false, true, press);
    EXPECT_TRUE(shafts(c, kOlive).empty());
    EXPECT_EQ(textAt(c, "FRICTION"), nullptr);
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(*text,
              "The centripetal acceleration is directed towards the concave part of the curve. The "
              "TANGENTIAL is tangent to the curve, the circles are drawn with radius = RADIUS OF "
              "CURVATURE.");
}

TEST(ShowPointVectors, OffThePathShowsTheRadiusScene) {
    RecordingCanvas c = labCanvas();
    const CurveSettings s = curveSettings({});
    ForcePress press;
    press.pressOnCurve = true;
    const auto text = showPointVectors(c, s, 3, pointQuantities(s, 3).y + 0.2, true, false, press);
    EXPECT_FALSE(press.pressOnCurve);
    EXPECT_GT(circleDots(c).size(), 200u);
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(text->rfind("The centripetal acceleration is directed towards the concave of", 0),
              0u);
}

TEST(ShowPointVectors, AtRestNoFrictionIsDrawn) {
    RecordingCanvas c = labCanvas();
    ForcePress press;
    showPointVectors(c, curveSettings({20, 15, 0, 20}), 0, 0, true, false, press);
    EXPECT_TRUE(press.pressOnCurve);
    EXPECT_TRUE(shafts(c, kOlive).empty());
    EXPECT_EQ(c.refusedCount(), 0);
}

// Presses at x and judges a force F from the press point.
struct Judged {
    RecordingCanvas canvas = labCanvas();
    ForcePress press;
    std::vector<std::string> texts;
    Judged(const CurveSettings& s, double x, Vec2 F) {
        const double y = s.amplitude * std::sin(s.omega * x);
        press.pressX = x;
        press.pressY = y;
        showPointVectors(canvas, s, x, y, true, false, press);
        canvas.forget();
        judgeForce(canvas, s, press, x + F.x, y + F.y);
        texts = canvas.texts();
    }
    // A verdict too wide for the canvas is printed in lines, one after the other.
    bool says(const std::string& t) const {
        std::string all;
        for (const auto& line : texts) all += line + " ";
        return all.find(t + " ") != std::string::npos;
    }
};

const std::string kTangentialWrong = "FORCE: INCORRECT FOR THE TANGENTIAL ACCELERATION";
const std::string kShapeRight = "FORCE: HAS THE CORRECT DIRECTION FOR THE SHAPE OF THE CURVE";
const std::string kShapeWrong = "FORCE: HAS WRONG DIRECTION FOR THE SHAPE OF THE CURVE";

TEST(JudgeForce, ForceTowardsTheCentreAtTheCrest) {
    const CurveSettings s = curveSettings({});
    const Judged j(s, 6, {0, -2});
    EXPECT_TRUE(j.says(kShapeRight));
    EXPECT_FALSE(j.says(kShapeWrong));
    // F has no tangential part, so friction is left unbalanced against the acceleration.
    EXPECT_TRUE(j.says(kTangentialWrong));
    const auto student = shafts(j.canvas, Rgb{0, 0, 255}, 1);
    ASSERT_EQ(student.size(), 1u);
    expectShaft(student[0], 6, 2, {0, -2});

    // Es = (|C| − n·F)·n with n pointing down at the crest, every arrow at the scale of C.
    const PointQuantities p = pointQuantities(s, 6);
    const double es = length(p.centripetal) - 2;
    const auto shape = shafts(j.canvas, Rgb{0, 250, 10}, 2);
    ASSERT_EQ(shape.size(), 2u);
    EXPECT_NEAR(shape[0].x2 - shape[0].x1, 0, 1e-9);
    EXPECT_NEAR(shape[0].y2 - shape[0].y1, -es, 1e-9);
    expectKey(j.canvas, "EXTRA NEEDED FORCE FOR SHAPE", Rgb{0, 250, 10}, 2);

    // Et = T − f − ((T·F)/|T|²)·T; F is perpendicular to T here.
    const auto tangential = shafts(j.canvas, Rgb{230, 120, 0}, 2);
    ASSERT_EQ(tangential.size(), 2u);
    const double v = length(p.velocity);
    expectShaft(tangential[0], 6, 2,
                {p.tangential.x + 3.5 * p.velocity.x / v, p.tangential.y + 3.5 * p.velocity.y / v},
                1e-9);
    // The student's own force has its legend row, and the scale of all of them is stated.
    // The circle of curvature at the crest runs through the legend's own place: the legend
    // stands aside as a whole, each key beside its text.
    expectKey(j.canvas, "YOUR FORCE", Rgb{0, 0, 255}, 2);
    EXPECT_TRUE(j.says("ALL FORCES DRAWN AT A/4 = 0.50 PER UNIT"));
    EXPECT_TRUE(j.says("EXTRA NEEDED FORCE FOR TANGENTIAL ACC."));
    EXPECT_EQ(j.canvas.drawWidth(), 1);
}

TEST(JudgeForce, WrongShapeDrawsTheCentripetalDirection) {
    const CurveSettings s = curveSettings({});
    const Judged j(s, 6, {0, 2});
    EXPECT_TRUE(j.says(kShapeWrong));
    EXPECT_TRUE(j.says("DIRECTION OF EXTRA FORCE FOR CENTRIPETAL"));
    const auto c = shafts(j.canvas, Rgb{0, 150, 250}, 3);
    ASSERT_EQ(c.size(), 1u);
    expectShaft(c[0], 6, 2, pointQuantities(s, 6).centripetal, 1e-9);
    const auto key = shafts(j.canvas, Rgb{25, 50, 250}, 3);
    ASSERT_EQ(key.size(), 1u);
    // The key arrow stays beside its text, wherever the verdicts above left room for it.
    expectKey(j.canvas, "DIRECTION OF EXTRA FORCE FOR CENTRIPETAL", Rgb{25, 50, 250}, 3);
}

TEST(JudgeForce, TangentialVerdicts) {
    // Along the velocity without tangential acceleration: nothing to object.
    const CurveSettings still = curveSettings({20, 15, 3, 0});
    const Vec2 V = pointQuantities(still, 6).velocity;
    EXPECT_FALSE(Judged(still, 6, {V.x, V.y}).says(kTangentialWrong));
    // Against the velocity is always wrong.
    for (int at : {0, 20, 35}) {
        const CurveSettings s = curveSettings({20, 15, 3, at});
        const Vec2 v = pointQuantities(s, 4).velocity;
        EXPECT_TRUE(Judged(s, 4, {-v.x, -v.y}).says(kTangentialWrong)) << at;
    }
}

// At the crest of the default path (A = 2, ω = π/12, v₀ = 3, at = 2) the path needs the net
// force (A/4)·|κ|·v² downwards at the exercise's scale, with |κ| = Aω² and v² = v₀² + 2·at·s(6),
// s(6) the arc length (√(1 + A²ω²)/ω)·E(π/2, Aω/√(1 + A²ω²)):
// a push of 3 downwards is more than that, so the extra force for the shape points up.
TEST(JudgeForce, ExtraForceForTheShapeKeepsToTheScaleOfTheArrows) {
    const double A = 2, w = kPi / 12, root = std::sqrt(1 + A * A * w * w);
    const double s6 = root / w * std::ellint_2(A * w / root, kPi / 2);  // the arc to the crest
    const double needed = A / 4 * A * w * w * (9 + 2 * 2 * s6);
    const Judged j(curveSettings({}), 6, {0, -3});
    EXPECT_TRUE(j.says(kShapeRight));
    const auto shape = shafts(j.canvas, Rgb{0, 250, 10}, 2);
    ASSERT_EQ(shape.size(), 2u);
    EXPECT_NEAR(shape[0].x2 - shape[0].x1, 0, 1e-9);
    EXPECT_NEAR(shape[0].y2 - shape[0].y1, 3 - needed, 1e-6);
    EXPECT_GT(shape[0].y2, shape[0].y1);
}

// At an inflection point the path does not bend: a force along the tangent is right for the
// shape, one across it is wrong, and the extra force takes away what it pushes across.
TEST(JudgeForce, AtTheInflectionOnlyAForceAlongThePathKeepsItsShape) {
    const CurveSettings s = curveSettings({});
    const double slope = 2 * kPi / 12;  // y′(0) = Aω
    const Vec2 t{1 / std::hypot(1, slope), slope / std::hypot(1, slope)};
    const Vec2 n{-t.y, t.x};
    for (double k : {2.0, -1.5}) {
        const Judged j(s, 0, {k * t.x, k * t.y});
        EXPECT_TRUE(j.says(kShapeRight)) << k;
        EXPECT_FALSE(j.says(kShapeWrong)) << k;
    }
    for (Vec2 F : {Vec2{1, 1}, Vec2{0, -3}, Vec2{-2, 0.5}}) {
        const Judged j(s, 0, F);
        EXPECT_TRUE(j.says(kShapeWrong));
        EXPECT_EQ(textAt(j.canvas, "DIRECTION OF EXTRA FORCE FOR CENTRIPETAL"), nullptr);
        const auto shape = shafts(j.canvas, Rgb{0, 250, 10}, 2);
        ASSERT_EQ(shape.size(), 2u);
        const double across = dot(F, n);
        expectShaft(shape[0], 0, 0, {-across * n.x, -across * n.y}, 1e-9);
        EXPECT_EQ(j.canvas.refusedCount(), 0);
    }
}

TEST(JudgeForce, AtRestThereIsNoVerdict) {
    const Judged j(curveSettings({20, 15, 0, 20}), 0, {1, 1});
    EXPECT_TRUE(j.texts.empty());
    EXPECT_EQ(shafts(j.canvas, Rgb{0, 0, 255}).size(), 1u);
    EXPECT_EQ(j.canvas.refusedCount(), 0);
}

// The verdict is the point of the exercise: every text of the judged picture is whole inside the
// canvas and clear of every other.
TEST(JudgeForce, EveryTextIsWholeAndReadable) {
    const CurveSettings s = curveSettings({});
    const Vec2 v4 = pointQuantities(s, 4).velocity;
    for (auto [x, F] : {std::pair{6.0, Vec2{0, -2}},
                        {6.0, Vec2{0, 2}},
                        {4.0, Vec2{-v4.x, -v4.y}},
                        {0.0, Vec2{1, 1}},
                        {15.0, Vec2{2, 3}}}) {
        RecordingCanvas c = labCanvas();
        ForcePress press;
        const double y = s.amplitude * std::sin(s.omega * x);
        press.pressX = x;
        press.pressY = y;
        showPointVectors(c, s, x, y, true, false, press);
        judgeForce(c, s, press, x + F.x, y + F.y);
        const auto& texts = c.printedTexts();
        ASSERT_GT(texts.size(), 5u);
        for (std::size_t i = 0; i < texts.size(); ++i) {
            const PrintedText& a = texts[i];
            EXPECT_TRUE(a.left >= 0 && a.right <= 1 && a.top >= 0 && a.bottom <= 1)
                << a.text << " cut at x " << x;
            // Rows of one legend touch; rounding may carry one edge past the other's.
            constexpr double kTouch = 1e-9;
            for (std::size_t k = i + 1; k < texts.size(); ++k) {
                const PrintedText& b = texts[k];
                EXPECT_TRUE(a.right <= b.left + kTouch || b.right <= a.left + kTouch ||
                            a.bottom <= b.top + kTouch || b.bottom <= a.top + kTouch)
                    << a.text << " over " << b.text << " at x " << x;
            }
        }
    }
}

// The circle of curvature as it is seen: at the canvas's pixels, whose x and y scales differ, it
// passes through the point of the path and follows the path on either side of it.
TEST(CirclesOfCurvature, TouchThePathAndBendWithIt) {
    const CurveSettings s = curveSettings({});
    const double sx = 305 / 20.0, sy = 257 / 20.0;
    auto pixel = [&](double x, double y) { return Vec2{x * sx, (10 - y) * sy}; };
    // What a drawn record puts on the screen: a dot, or a circle round in pixels with its radius
    // along x.
    auto marks = [&](const RecordingCanvas& c) {
        std::vector<Vec2> out;
        for (const auto& p : c.records()) {
            if (p.colour != kMagenta) continue;
            if (p.kind == Kind::Point) out.push_back(pixel(p.x1, p.y1));
            if (p.kind == Kind::Circle)
                for (int k = 0; k < 2000; ++k) {
                    const Vec2 m = pixel(p.x1, p.y1);
                    const double a = 2 * kPi * k / 2000;
                    out.push_back(
                        {m.x + p.radius * sx * std::cos(a), m.y + p.radius * sx * std::sin(a)});
                }
        }
        return out;
    };
    auto check = [&](const RecordingCanvas& c, double x) {
        const double y = s.amplitude * std::sin(s.omega * x);
        const Vec2 touch = pixel(x, y);
        double nearest = 1e9;
        int along = 0;
        for (Vec2 m : marks(c)) {
            nearest = std::min(nearest, std::hypot(m.x - touch.x, m.y - touch.y));
            // Within 15 pixels on either side, the circle stays within 2 pixels of the path.
            if (std::abs(m.x - touch.x) < 15 && std::abs(m.y - touch.y) < 30) {
                const double px = m.x / sx;
                EXPECT_NEAR(m.y, pixel(px, s.amplitude * std::sin(s.omega * px)).y, 2) << x;
                ++along;
            }
        }
        EXPECT_LT(nearest, 1.5) << x;
        EXPECT_GT(along, 5) << x;
    };
    RecordingCanvas scene = labCanvas();
    drawRadiusScene(scene, s);
    check(scene, 6);
    check(scene, 18);
    for (double x : {3.0, 4.5, 8.0}) {
        RecordingCanvas c = labCanvas();
        ForcePress press;
        showPointVectors(c, s, x, s.amplitude * std::sin(s.omega * x), false, true, press);
        check(c, x);
    }
}

TEST(Readouts, EntryAndChangeTextsDiffer) {
    const CurveSliders sl{25, 15, 3, 20};
    const CurveSettings c = curveSettings(sl);
    EXPECT_EQ(amplitudeReadout(c, true), "AMPLITUDE=2.5");
    EXPECT_EQ(amplitudeReadout(c, false), "AMPLITUDE =2.5");
    EXPECT_EQ(frequencyReadout(sl), "Frequency=1.5");
    EXPECT_EQ(speedReadout(c, true), "Initial speed = 3");
    EXPECT_EQ(speedReadout(c, false), "Initial speed= 3");
    EXPECT_EQ(tangentialReadout(c, true), "Tangential acceleration= 2.00");
    EXPECT_EQ(tangentialReadout(c, false), "Tangential Acceleration= 2.0");
    EXPECT_EQ(formatFixed(-0.001, 2), "0.00");
    EXPECT_EQ(formatFixed(-1.234, 2), "-1.23");
}

// On the lab's canvas as the screen has it, 479 × 404 pixels, one unit is as long across as up
// and every arrow of the stations is in view; the circles of curvature are round in pixels and
// the centripetal arrow stands at right angles to the velocity on the screen.
TEST(CurveLabScale, EqualUnitsKeepCirclesRoundAndRightAnglesRight) {
    for (const CurveSliders sliders : {CurveSliders{}, CurveSliders{35, 60, 5, 35}}) {
        RecordingCanvas c(479, 404);
        const CurveSettings s = curveSettings(sliders);
        setCurveLabScale(c, &s);
        const ViewTransform v = c.view();
        EXPECT_NEAR(v.pixelsAlongX(1), v.pixelsAlongY(1), 1e-9);
        drawCurveLab(c, s);
        for (const auto& l : c.recordsOf(Kind::Line))
            for (double f :
                 {v.fractionX(l.x1), v.fractionX(l.x2), v.fractionY(l.y1), v.fractionY(l.y2)})
                EXPECT_TRUE(f >= 0 && f <= 1) << l.x2 << ", " << l.y2;
        auto pixel = [&](double x, double y) { return Vec2{v.toPixelX(x), v.toPixelY(y)}; };

        // Every dot at the radius, in pixels, of the crest's or the trough's circle.
        c.clear();
        drawRadiusScene(c, s);
        auto offRound = [&](Vec2 q, double phase) {
            const PointQuantities p = pointQuantities(s, phase / s.omega);
            const Vec2 centre = pixel(p.x, p.y + p.radius);
            return std::abs(std::hypot(q.x - centre.x, q.y - centre.y) -
                            v.pixelsAlongY(std::abs(p.radius)));
        };
        int dots = 0;
        for (const auto& p : c.recordsOf(Kind::Point)) {
            if (p.colour != kMagenta) continue;
            const Vec2 q = pixel(p.x1, p.y1);
            EXPECT_LT(std::min(offRound(q, kPi / 2), offRound(q, 3 * kPi / 2)), 0.5);
            ++dots;
        }
        EXPECT_GT(dots, 4);

        c.clear();
        ForcePress press;
        showPointVectors(c, s, 10, s.amplitude * std::sin(s.omega * 10), false, true, press);
        auto onScreen = [&](const Primitive& p) {
            const Vec2 from = pixel(p.x1, p.y1), to = pixel(p.x2, p.y2);
            return Vec2{to.x - from.x, to.y - from.y};
        };
        const Vec2 a = onScreen(shafts(c, kRed).at(0)), b = onScreen(shafts(c, kCentripetal).at(0));
        EXPECT_NEAR(std::acos(dot(a, b) / (length(a) * length(b))) * 180 / kPi, 90, 0.01);
    }
}

// No dot of a path or circle, and no arrow, drawn before a legend runs through it, over the
// slider settings' range, at the lab canvas's size on a small and a large display. A legend's own
// arrow ends at its text, so a box a pixel inside the text's is what must stay clear.
TEST(Legends, StandClearOfTheInkDrawnBeforeThem) {
    const std::vector<std::string> legends = {"VELOCITY", "CENTRIPETAL ACCELERATION",
                                              "TOTAL ACCELERATION", "ACCELERATION", "FRICTION"};
    for (auto [w, h] : {std::pair{305, 257}, {479, 404}})
        for (CurveSliders sliders : {CurveSliders{}, CurveSliders{35, 5, 5, 40},
                                     CurveSliders{5, 60, 1, 0}, CurveSliders{10, 30, 0, 20}})
            for (int scene = 0; scene < 4; ++scene) {
                const CurveSettings s = curveSettings(sliders);
                RecordingCanvas c(w, h);
                setCurveLabScale(c, &s);
                ForcePress press;
                const double x = 2.0 + 5 * scene;
                if (scene == 0)
                    drawCurveLab(c, s);
                else
                    showPointVectors(c, s, x, scene == 3 ? 50 : s.amplitude * std::sin(s.omega * x),
                                     scene == 2, scene == 1, press);
                for (PrintedText t : c.printedTexts()) {
                    if (std::find(legends.begin(), legends.end(), t.text) == legends.end())
                        continue;
                    t.left += 1.0 / w;
                    t.right -= 1.0 / w;
                    t.top += 1.0 / h;
                    t.bottom -= 1.0 / h;
                    EXPECT_FALSE(testing::anyInkMeets(c, t))
                        << t.text << " in scene " << scene << " at " << w << " px, amplitude "
                        << sliders.platosvalue << ", frequency " << sliders.syxnotikamp;
                }
            }
}

}  // namespace
}  // namespace velarium
