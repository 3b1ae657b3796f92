#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>

#include "draw/Arrow.h"
#include "draw/RecordingCanvas.h"
#include "intro/IntroPictures.h"

namespace velarium {
namespace {

using Kind = Primitive::Kind;

constexpr double kEps = 1e-9;

bool near(double a, double b) { return std::abs(a - b) < kEps; }

// The first line that starts at (x, y) and runs along (dx, dy): an arrow's shaft.
std::optional<Primitive> shaftFrom(const RecordingCanvas& c, double x, double y, double dx,
                                   double dy) {
    for (const auto& p : c.recordsOf(Kind::Line))
        if (near(p.x1, x) && near(p.y1, y) && near(p.x2 - p.x1, dx) && near(p.y2 - p.y1, dy))
            return p;
    return std::nullopt;
}

const PrintedText* printed(const RecordingCanvas& c, const std::string& text) {
    for (const auto& t : c.printedTexts())
        if (t.text == text) return &t;
    return nullptr;
}

RecordingCanvas introPicture() {
    RecordingCanvas c(600, 600);
    setTurntableScale(c);
    drawIntroductionPicture(c);
    return c;
}

RecordingCanvas firstExplanation() {
    RecordingCanvas c(600, 600);
    setTurntableScale(c);
    // Whatever the curve lab left on the pen does not reach the picture.
    c.setForeColor(Rgb{0, 200, 0});
    c.setDrawWidth(4);
    c.setDrawStyle(kDash);
    drawFirstExplanationPicture(c);
    return c;
}

TEST(IntroductionPicture, ThreeCompetingArrowsLeaveTheBody) {
    const RecordingCanvas c = introPicture();
    EXPECT_EQ(c.scaleLeft(), -100);
    EXPECT_EQ(c.scaleTop(), 100);
    EXPECT_EQ(c.scaleWidth(), 200);
    EXPECT_EQ(c.scaleHeight(), -200);

    const auto textbook = shaftFrom(c, 0, 30, 0, -20);  // towards the centre
    const auto velocity = shaftFrom(c, 0, 30, 30, 0);   // along the rim
    const auto students = shaftFrom(c, 0, 30, -30, 0);  // against the velocity
    ASSERT_TRUE(textbook && velocity && students);
    EXPECT_EQ(textbook->colour, kBlack);
    EXPECT_EQ(velocity->colour, (Rgb{255, 0, 0}));
    EXPECT_EQ(students->colour, (Rgb{55, 0, 155}));
    // Each arrow has its two barbs at its tip, in its colour.
    for (const auto& [tip, colour] :
         {std::pair{Vec2{0, 10}, kBlack}, std::pair{Vec2{30, 30}, Rgb{255, 0, 0}},
          std::pair{Vec2{-30, 30}, Rgb{55, 0, 155}}}) {
        int barbs = 0;
        for (const auto& p : c.recordsOf(Kind::Line))
            barbs += near(p.x1, tip.x) && near(p.y1, tip.y) && p.colour == colour;
        EXPECT_EQ(barbs, 2);
    }

    const auto circles = c.recordsOf(Kind::Circle);
    ASSERT_GE(circles.size(), 3u);
    EXPECT_EQ(circles[0].radius, 50);  // the turntable
    EXPECT_EQ(circles[0].x1, 0);
    EXPECT_EQ(circles[0].colour, kBlack);
    const auto axis = std::find_if(circles.begin(), circles.end(), [](const Primitive& p) {
        return p.radius == 2 && p.x1 == 0 && p.y1 == 0;
    });
    ASSERT_NE(axis, circles.end());
    EXPECT_EQ(axis->fill, kFillSolid);
    EXPECT_EQ(c.fillStyle(), kFillTransparent);  // filling off afterwards
}

TEST(IntroductionPicture, TextsStandAtTheirPlacesInTheirColours) {
    const RecordingCanvas c = introPicture();
    struct Expected {
        const char* text;
        double x, y;
        Rgb colour;
    };
    const Rgb purple{55, 0, 155};
    for (const Expected& e :
         {Expected{"FRICTION", 2, 13, kBlack}, Expected{"  according to textbooks", 2, 7, kBlack},
          Expected{"FRICTION?", -60, 30, purple},
          Expected{"Students believe this", -80, 20, purple},
          Expected{"is the direction of friction", -80, 10, purple},
          Expected{"VELOCITY", 30, 30, Rgb{255, 0, 0}}}) {
        const PrintedText* t = printed(c, e.text);
        ASSERT_NE(t, nullptr) << e.text;
        EXPECT_EQ(t->x, e.x) << e.text;
        EXPECT_EQ(t->y, e.y) << e.text;
        EXPECT_EQ(t->colour, e.colour) << e.text;
    }
    const PrintedText* omega = printed(c, "ANGULAR VELOCITY");
    ASSERT_NE(omega, nullptr);
    EXPECT_EQ(omega->x, 6);
    // Beside the symbol at (0, −25): the text's band holds the symbol's centre.
    EXPECT_GT(omega->y, -25);
    EXPECT_LT(omega->y - c.textExtent("ANGULAR VELOCITY").height, -25);
    EXPECT_EQ(c.printedTexts().size(), 7u);
}

// Both pictures end with the axis, the sense of rotation and the angular velocity.
TEST(IntroductionPicture, DiskTurnsClockwiseWithTheAngularVelocityIntoThePicture) {
    for (const RecordingCanvas& c : {introPicture(), firstExplanation()}) {
        const auto arcs = c.recordsOf(Kind::Arc);
        const auto sense = std::find_if(arcs.begin(), arcs.end(),
                                        [](const Primitive& p) { return p.radius == 40; });
        ASSERT_NE(sense, arcs.end());
        EXPECT_NEAR(sense->start, 245 * piValue / 180, kEps);
        EXPECT_NEAR(sense->end, 295 * piValue / 180, kEps);

        const double a = 25 * piValue / 180;
        const Vec2 from{-40 * std::sin(a), -40 * std::cos(a)};
        const Vec2 along{-10 * std::cos(a), 10 * std::sin(a)};
        const auto arrow = shaftFrom(c, from.x, from.y, along.x, along.y);
        ASSERT_TRUE(arrow);
        EXPECT_EQ(arrow->colour, kBlack);
        // The arrow starts on the arc, runs along its tangent, and turns clockwise about the
        // axis: r × d points out of the picture's back, negative in a y-up scale.
        EXPECT_NEAR(length(from), 40, kEps);
        EXPECT_NEAR(dot(from, along), 0, kEps);
        EXPECT_LT(from.x * along.y - from.y * along.x, 0);

        // The tail of the angular-velocity arrow: a circle of radius 5 at (0, −25) crossed by
        // two diagonals through its centre, each end on the circle.
        const auto circles = c.recordsOf(Kind::Circle);
        ASSERT_TRUE(std::any_of(circles.begin(), circles.end(), [](const Primitive& p) {
            return p.radius == 5 && p.x1 == 0 && p.y1 == -25;
        }));
        int diagonals = 0;
        for (const auto& p : c.recordsOf(Kind::Line)) {
            const double r1 = std::hypot(p.x1, p.y1 + 25), r2 = std::hypot(p.x2, p.y2 + 25);
            if (!near(r1, 5) || !near(r2, 5)) continue;
            ++diagonals;
            EXPECT_NEAR(p.x1 + p.x2, 0, kEps);                       // through the centre
            EXPECT_NEAR(std::abs(p.x1), std::abs(p.y1 + 25), kEps);  // at 45 degrees
        }
        EXPECT_EQ(diagonals, 2);
    }
}

TEST(FirstExplanationPicture, BodySlidesStraightToAPointFartherOutThatMovesFaster) {
    const RecordingCanvas c = firstExplanation();
    const auto circles = c.recordsOf(Kind::Circle);
    ASSERT_FALSE(circles.empty());
    EXPECT_EQ(circles[0].radius, 50);
    EXPECT_EQ(circles[0].colour, kBlack);
    EXPECT_EQ(circles[0].width, 1);
    EXPECT_EQ(circles[0].style, kSolid);

    // The initial velocity, width 3, is the straight path of one time unit.
    const auto start = shaftFrom(c, 0, 30, 30, 0);
    ASSERT_TRUE(start);
    EXPECT_EQ(start->width, 3);
    EXPECT_EQ(start->colour, kBlack);

    const auto arrival = std::find_if(circles.begin(), circles.end(), [](const Primitive& p) {
        return p.radius == 2 && p.x1 == 30 && p.y1 == 30;
    });
    ASSERT_NE(arrival, circles.end());
    EXPECT_NEAR(std::hypot(arrival->x1, arrival->y1), 30 * std::sqrt(2.0), kEps);
    EXPECT_GT(std::hypot(arrival->x1, arrival->y1), 30);

    // At the arrival point the disk moves at ω·r = 30·√2, perpendicular to the radius and
    // clockwise, faster than the body's 30.
    const auto disk = shaftFrom(c, 30, 30, 30, -30);
    ASSERT_TRUE(disk);
    EXPECT_EQ(disk->colour, (Rgb{255, 0, 0}));
    EXPECT_NEAR(std::hypot(disk->x2 - 30, disk->y2 - 30), 30 * std::sqrt(2.0), kEps);
    EXPECT_EQ(disk->width, 1);

    const PrintedText* speed = printed(c, "SPEED");
    ASSERT_NE(speed, nullptr);
    EXPECT_EQ(speed->x, 30);
    EXPECT_EQ(speed->y, 30);
    EXPECT_EQ(speed->colour, (Rgb{255, 0, 0}));
}

TEST(FirstExplanationPicture, DiskPointBeneathTheBodyTurnsByOneRadian) {
    const RecordingCanvas c = firstExplanation();
    const double ex = 50 * std::sin(1.0), ey = 50 * std::cos(1.0);
    bool upright = false, turned = false;
    for (const auto& p : c.recordsOf(Kind::Line)) {
        upright |= p.x1 == 0 && p.y1 == 50 && p.x2 == 0 && p.y2 == 0;
        turned |= p.x1 == 0 && p.y1 == 0 && near(p.x2, ex) && near(p.y2, ey) && p.width == 1;
    }
    EXPECT_TRUE(upright);
    EXPECT_TRUE(turned);
    // Turned clockwise: from (0, 50) towards +x, by an angle of exactly 1 radian.
    EXPECT_GT(ex, 0);
    EXPECT_NEAR(std::acos((0 * ex + 50 * ey) / (50.0 * 50.0)), 1.0, 1e-12);

    // The path of the disk point that started beneath the body: radius 30, from the turned
    // radius to the upright one.
    const auto arcs = c.recordsOf(Kind::Arc);
    ASSERT_TRUE(std::any_of(arcs.begin(), arcs.end(), [](const Primitive& p) {
        return p.radius == 30 && near(p.start, piValue / 2 - 1) && near(p.end, piValue / 2);
    }));
    // The construction lines are dotted.
    const auto lines = c.recordsOf(Kind::Line);
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const Primitive& p) {
        return p.style == kDot && p.x1 == 0 && p.y1 == 0 && p.x2 == 30 && p.y2 == 30;
    }));
}

TEST(FirstExplanationPicture, CaptionLinesStayInsideTheCanvasAndClearOfEachOther) {
    for (int pixels : {300, 600, 1200}) {
        RecordingCanvas c(pixels, pixels);
        setTurntableScale(c);
        drawFirstExplanationPicture(c);
        std::vector<const PrintedText*> block;
        for (const char* l :
             {"THE POINT OF THE DISK ", "AT WHICH ARRIVES THE BODY", "HAS GREATER SPEED"}) {
            const PrintedText* t = printed(c, l);
            ASSERT_NE(t, nullptr) << l;
            block.push_back(t);
        }
        for (std::size_t i = 0; i < block.size(); ++i) {
            EXPECT_GE(block[i]->left, 0) << pixels;
            EXPECT_LE(block[i]->right, 1) << pixels;
            EXPECT_EQ(block[i]->x, block[0]->x);  // one left edge
            if (i > 0) {
                EXPECT_GE(block[i]->top, block[i - 1]->bottom - 1e-12);
            }
        }
        // Above the turntable, clear of the arrival point's label.
        const PrintedText* speed = printed(c, "SPEED");
        EXPECT_LT(block.back()->bottom, speed->top);
    }
}

}  // namespace
}  // namespace velarium
