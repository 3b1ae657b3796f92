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

bool near(double a, double b) { return std::abs(a - b) < 1e-9; }

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

bool hasCircle(const RecordingCanvas& c, double x, double y, double r) {
    const auto all = c.recordsOf(Kind::Circle);
    return std::any_of(all.begin(), all.end(), [&](const Primitive& p) {
        return p.x1 == x && p.y1 == y && p.radius == r && p.colour == kBlack;
    });
}

RecordingCanvas picture(void (*draw)(PlotCanvas&), int pixels = 600) {
    RecordingCanvas c(pixels, pixels);
    setTurntableScale(c);
    // Whatever was left on the pen does not reach the picture.
    c.setForeColor(Rgb{0, 200, 0});
    c.setDrawStyle(kDash);
    draw(c);
    return c;
}

TEST(IntroductionPicture, ThreeCompetingArrowsLeaveTheBodyWithTheirTexts) {
    const RecordingCanvas c = picture(drawIntroductionPicture);
    EXPECT_TRUE(hasCircle(c, 0, 0, 50));
    const auto textbook = shaftFrom(c, 0, 30, 0, -20);  // towards the centre
    const auto velocity = shaftFrom(c, 0, 30, 30, 0);   // along the rim
    const auto students = shaftFrom(c, 0, 30, -30, 0);  // against the velocity
    ASSERT_TRUE(textbook && velocity && students);
    EXPECT_EQ(textbook->colour, kBlack);
    EXPECT_EQ(velocity->colour, (Rgb{255, 0, 0}));
    EXPECT_EQ(students->colour, (Rgb{55, 0, 155}));

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
        EXPECT_TRUE(t->x == e.x && t->y == e.y && t->colour == e.colour) << e.text;
    }
}

// Both pictures end with the axis, the sense of rotation and the angular velocity.
TEST(IntroductionPicture, DiskTurnsClockwiseWithTheAngularVelocityIntoThePicture) {
    for (const RecordingCanvas& c :
         {picture(drawIntroductionPicture), picture(drawFirstExplanationPicture)}) {
        const auto circles = c.recordsOf(Kind::Circle);
        EXPECT_TRUE(std::any_of(circles.begin(), circles.end(), [](const Primitive& p) {
            return p.x1 == 0 && p.y1 == 0 && p.radius == 2 && p.fill == kFillSolid;
        }));
        EXPECT_EQ(c.fillStyle(), kFillTransparent);

        const auto arcs = c.recordsOf(Kind::Arc);
        EXPECT_TRUE(std::any_of(arcs.begin(), arcs.end(), [](const Primitive& p) {
            return p.radius == 40 && near(p.start, 245 * piValue / 180) &&
                   near(p.end, 295 * piValue / 180);
        }));
        const double a = 25 * piValue / 180;
        const Vec2 from{-40 * std::sin(a), -40 * std::cos(a)};
        const Vec2 along{-10 * std::cos(a), 10 * std::sin(a)};
        ASSERT_TRUE(shaftFrom(c, from.x, from.y, along.x, along.y));
        // On the arc, along its tangent, turning clockwise about the axis: r × d < 0, y up.
        EXPECT_TRUE(near(length(from), 40) && near(dot(from, along), 0));
        EXPECT_LT(from.x * along.y - from.y * along.x, 0);

        // The angular velocity seen end on from behind: a circle with its two diagonals, each
        // end on the circle, through the centre.
        EXPECT_TRUE(hasCircle(c, 0, -25, 5));
        int diagonals = 0;
        for (const auto& p : c.recordsOf(Kind::Line))
            diagonals += near(std::hypot(p.x1, p.y1 + 25), 5) &&
                         near(std::hypot(p.x2, p.y2 + 25), 5) && near(p.x1 + p.x2, 0) &&
                         near(p.y1 + p.y2, -50);
        EXPECT_EQ(diagonals, 2);
        const PrintedText* omega = printed(c, "ANGULAR VELOCITY");
        ASSERT_NE(omega, nullptr);
        EXPECT_EQ(omega->x, 6);
        EXPECT_GT(omega->y, -25);  // its band holds the symbol's centre
        EXPECT_LT(omega->y - c.textExtent("ANGULAR VELOCITY").height, -25);
    }
}

TEST(FirstExplanationPicture, BodyReachesADiskPointFartherOutThatMovesFaster) {
    const RecordingCanvas c = picture(drawFirstExplanationPicture);
    EXPECT_TRUE(hasCircle(c, 0, 0, 50));
    EXPECT_EQ(c.recordsOf(Kind::Circle).front().width, 1);
    EXPECT_EQ(c.recordsOf(Kind::Circle).front().style, kSolid);
    // The initial velocity, width 3, is also the straight path of one time unit.
    const auto start = shaftFrom(c, 0, 30, 30, 0);
    ASSERT_TRUE(start);
    EXPECT_EQ(start->width, 3);
    EXPECT_TRUE(hasCircle(c, 30, 30, 2));
    EXPECT_TRUE(near(std::hypot(30, 30), 30 * std::sqrt(2.0)));

    // There the disk moves at ω·r = 30·√2, clockwise, perpendicular to the radius.
    const auto disk = shaftFrom(c, 30, 30, 30, -30);
    ASSERT_TRUE(disk);
    EXPECT_EQ(disk->colour, (Rgb{255, 0, 0}));
    const PrintedText* speed = printed(c, "SPEED");
    ASSERT_NE(speed, nullptr);
    EXPECT_TRUE(speed->x == 30 && speed->y == 30 && speed->colour == (Rgb{255, 0, 0}));

    // The radius that was under the body, turned clockwise by 1 radian, and the arc of radius
    // 30 that the disk point beneath the body ran along.
    const auto lines = c.recordsOf(Kind::Line);
    auto drawn = [&](double x1, double y1, double x2, double y2, int style) {
        return std::any_of(lines.begin(), lines.end(), [&](const Primitive& p) {
            return near(p.x1, x1) && near(p.y1, y1) && near(p.x2, x2) && near(p.y2, y2) &&
                   p.style == style;
        });
    };
    EXPECT_TRUE(drawn(0, 50, 0, 0, kSolid));
    EXPECT_TRUE(drawn(0, 0, 50 * std::sin(1.0), 50 * std::cos(1.0), kSolid));
    EXPECT_TRUE(drawn(0, 0, 30, 30, kDot));
    const auto arcs = c.recordsOf(Kind::Arc);
    EXPECT_TRUE(std::any_of(arcs.begin(), arcs.end(), [](const Primitive& p) {
        return p.radius == 30 && near(p.start, piValue / 2 - 1) && near(p.end, piValue / 2);
    }));
}

TEST(FirstExplanationPicture, CaptionStaysInsideTheCanvasAtAnySize) {
    for (int pixels : {300, 600, 1200}) {
        const RecordingCanvas c = picture(drawFirstExplanationPicture, pixels);
        const PrintedText* previous = nullptr;
        for (const char* l :
             {"THE POINT OF THE DISK ", "AT WHICH ARRIVES THE BODY", "HAS GREATER SPEED"}) {
            const PrintedText* t = printed(c, l);
            ASSERT_NE(t, nullptr) << l;
            EXPECT_TRUE(t->left >= 0 && t->right <= 1) << l << " at " << pixels;
            EXPECT_TRUE(!previous || (t->x == previous->x && t->top >= previous->bottom - 1e-12));
            previous = t;
        }
        EXPECT_LT(previous->bottom, printed(c, "SPEED")->top);
    }
}

}  // namespace
}  // namespace velarium
