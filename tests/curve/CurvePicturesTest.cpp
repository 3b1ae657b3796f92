#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "curve/CurvePictures.h"
#include "draw/RecordingCanvas.h"

namespace velarium {
namespace {

using Kind = Primitive::Kind;
const double kPi = std::acos(-1.0);
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

void expectText(const RecordingCanvas& c, const std::string& text, double x, double y) {
    const Primitive* p = textAt(c, text);
    ASSERT_NE(p, nullptr) << text;
    EXPECT_NEAR(p->x1, x, 1e-12) << text;
    EXPECT_NEAR(p->y1, y, 1e-12) << text;
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

    expectShaft(red.back(), 9, -9.1, {1, 0});
    expectText(c, "VELOCITY", 10, -9.1);
    expectText(c, "CENTRIPETAL ACCELERATION", 10, -8.1);
    expectText(c, "TOTAL ACCELERATION", 10, -7.1);
    EXPECT_EQ(text.rfind("The centripetal acceleration has a direction towards the convex of the "
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

TEST(DrawRadiusScene, CirclesAtTheFirstCrestAndTrough) {
    RecordingCanvas c = labCanvas();
    const CurveSettings s = curveSettings({});
    const std::string text = drawRadiusScene(c, s);
    const auto circles = c.recordsOf(Kind::Circle);
    ASSERT_EQ(circles.size(), 2u);
    // R = 1/(A·ω²) at both, the centre below the crest and above the trough.
    const double R = 1 / (2 * (kPi / 12) * (kPi / 12));
    EXPECT_NEAR(circles[0].x1, 6, 1e-9);
    EXPECT_NEAR(circles[0].y1, 2 - R, 1e-9);
    EXPECT_NEAR(circles[0].radius, R, 1e-9);
    EXPECT_NEAR(circles[1].x1, 18, 1e-9);
    EXPECT_NEAR(circles[1].y1, -2 + R, 1e-9);
    for (const auto& circle : circles) {
        EXPECT_EQ(circle.style, kDot);
        EXPECT_EQ(circle.colour, kMagenta);
    }
    // Lines after the circles are solid again.
    for (const auto& line : c.recordsOf(Kind::Line)) EXPECT_EQ(line.style, kSolid);
    EXPECT_EQ(c.recordsOf(Kind::Point).size(), 403u);
    const auto tangential = shafts(c, kTangential);
    ASSERT_EQ(tangential.size(), 2u);
    expectShaft(tangential[0], 6, 2, {0.5 * 2, 0}, 1e-9);  // (A/4)·at along the tangent
    expectText(c, "VELOCITY", 10, -9.1);
    expectText(c, "CENTRIPETAL ACCELERATION", 10, -8.1);
    expectShaft(shafts(c, kRed).back(), 10, -9.1, {1, 0});
    EXPECT_EQ(text,
              "The centripetal acceleration is directed towards the convex of the curve. The "
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

    const auto circles = c.recordsOf(Kind::Circle);
    ASSERT_EQ(circles.size(), 1u);
    EXPECT_NEAR(circles[0].x1, X - std::sin(p.theta) * p.radius, 1e-12);
    EXPECT_NEAR(circles[0].y1, p.y + std::cos(p.theta) * p.radius, 1e-12);
    EXPECT_EQ(circles[0].style, kDot);

    const auto friction = shafts(c, kOlive, 3);
    ASSERT_EQ(friction.size(), 2u);
    const double v = length(p.velocity);
    expectShaft(friction[0], X, p.y, {-3.5 * p.velocity.x / v, -3.5 * p.velocity.y / v});
    expectShaft(friction[1], 0.2, 9.3, {1, 0});
    expectText(c, "FRICTION", 2, 9.8);
    expectText(c, "VELOCITY", 15, -9.1);
    expectText(c, "ACCELERATION", 14 + 1, -8.1);
    expectShaft(shafts(c, kRed).back(), 14, -9.1, {1, 0});
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
              "The centripetal acceleration is directed towards the convex part of the curve. The "
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
    EXPECT_EQ(c.recordsOf(Kind::Circle).size(), 2u);
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(text->rfind("The centripetal acceleration is directed towards the convex of", 0), 0u);
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
    bool says(const std::string& t) const {
        return std::find(texts.begin(), texts.end(), t) != texts.end();
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
    const auto student = shafts(j.canvas, Rgb{0, 0, 255});
    ASSERT_EQ(student.size(), 1u);
    expectShaft(student[0], 6, 2, {0, -2});

    // Es = (|κ|·|V|² − n·F)·n with n pointing down at the crest.
    const PointQuantities p = pointQuantities(s, 6);
    const double es = std::abs(p.kappa) * p.v * p.v - 2;
    const auto shape = shafts(j.canvas, Rgb{0, 250, 10}, 2);
    ASSERT_EQ(shape.size(), 2u);
    EXPECT_NEAR(shape[0].x2 - shape[0].x1, 0, 1e-9);
    EXPECT_NEAR(shape[0].y2 - shape[0].y1, -es, 1e-9);
    expectShaft(shape[1], 0.2, -8.5, {1, 0});

    // Et = T − f − ((T·F)/|T|²)·T; F is perpendicular to T here.
    const auto tangential = shafts(j.canvas, Rgb{150, 200, 50}, 2);
    ASSERT_EQ(tangential.size(), 2u);
    const double v = length(p.velocity);
    expectShaft(tangential[0], 6, 2,
                {p.tangential.x + 3.5 * p.velocity.x / v, p.tangential.y + 3.5 * p.velocity.y / v},
                1e-9);
    expectText(j.canvas, "EXTRA NEEDED FORCE FOR SHAPE", 2, -8);
    expectText(j.canvas, "EXTRA NEEDED FORCE FOR TANGENTIAL ACC.", 2, -9);
    EXPECT_EQ(j.canvas.drawWidth(), 1);
}

TEST(JudgeForce, WrongShapeDrawsTheCentripetalDirection) {
    const CurveSettings s = curveSettings({});
    const Judged j(s, 6, {0, 2});
    EXPECT_TRUE(j.says(kShapeWrong));
    expectText(j.canvas, kShapeWrong, 2, 8);
    expectText(j.canvas, "DIRECTION OF EXTRA FORCE FOR CENTRIPETAL", 2, 7);
    const auto c = shafts(j.canvas, Rgb{0, 150, 250}, 3);
    ASSERT_EQ(c.size(), 1u);
    expectShaft(c[0], 6, 2, pointQuantities(s, 6).centripetal, 1e-9);
    const auto key = shafts(j.canvas, Rgb{25, 50, 250}, 3);
    ASSERT_EQ(key.size(), 1u);
    expectShaft(key[0], 0.2, 6.8, {1, 0});
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

TEST(JudgeForce, AtTheInflectionEveryForceIsWrongForTheShape) {
    const CurveSettings s = curveSettings({});
    for (Vec2 F : {Vec2{1, 1}, Vec2{0, -3}, Vec2{-2, 0.5}}) {
        const Judged j(s, 0, F);
        EXPECT_TRUE(j.says(kShapeWrong));
        EXPECT_EQ(textAt(j.canvas, "DIRECTION OF EXTRA FORCE FOR CENTRIPETAL"), nullptr);
        // Es vanishes: only the legend's green arrow is drawn.
        EXPECT_EQ(shafts(j.canvas, Rgb{0, 250, 10}).size(), 1u);
        EXPECT_EQ(j.canvas.refusedCount(), 0);
    }
}

TEST(JudgeForce, AtRestThereIsNoVerdict) {
    const Judged j(curveSettings({20, 15, 0, 20}), 0, {1, 1});
    EXPECT_TRUE(j.texts.empty());
    EXPECT_EQ(shafts(j.canvas, Rgb{0, 0, 255}).size(), 1u);
    EXPECT_EQ(j.canvas.refusedCount(), 0);
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

}  // namespace
}  // namespace velarium
