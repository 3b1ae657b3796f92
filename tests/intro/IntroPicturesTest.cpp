#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <numbers>

#include "draw/Arrow.h"
#include "draw/RecordingCanvas.h"
#include "intro/IntroPictures.h"
#include "support/RecordedInk.h"

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

RecordingCanvas picture(void (*draw)(PlotCanvas&), int pixels = 600) {
    RecordingCanvas c(pixels, pixels);
    setTurntableScale(c);
    // Whatever was left on the pen does not reach the picture.
    c.setForeColor(Rgb{0, 200, 0});
    c.setDrawStyle(kDash);
    draw(c);
    return c;
}

TEST(IntroductionPicture, ThreeCompetingArrowsLeaveTheBodyInTheirColours) {
    const RecordingCanvas c = picture(drawIntroductionPicture);
    const auto textbook = shaftFrom(c, 0, 30, 0, -20);  // towards the centre
    const auto velocity = shaftFrom(c, 0, 30, 30, 0);   // along the rim
    const auto students = shaftFrom(c, 0, 30, -30, 0);  // against the velocity
    ASSERT_TRUE(textbook && velocity && students);
    EXPECT_EQ(textbook->colour, kBlack);
    EXPECT_EQ(velocity->colour, (Rgb{255, 0, 0}));
    EXPECT_EQ(students->colour, (Rgb{55, 0, 155}));
}

// Both pictures end with the axis, the sense of rotation and the angular velocity.
TEST(IntroductionPicture, DiskTurnsClockwiseWithTheAngularVelocityIntoThePicture) {
    for (const RecordingCanvas& c :
         {picture(drawIntroductionPicture), picture(drawFirstExplanationPicture)}) {
        EXPECT_EQ(c.fillStyle(), kFillTransparent);
        // An arrow starting on the arc of radius 40, along its tangent, turning clockwise about
        // the axis: r × d < 0 with y up.
        const auto lines = c.recordsOf(Kind::Line);
        EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const Primitive& p) {
            const double dx = p.x2 - p.x1, dy = p.y2 - p.y1;
            return near(std::hypot(p.x1, p.y1), 40) && p.y1 < 0 && near(p.x1 * dx + p.y1 * dy, 0) &&
                   p.x1 * dy - p.y1 * dx < 0;
        }));
        // The angular velocity seen end on from behind: two diagonals through (0, −25), each
        // end on the circle of radius 5, with its caption's band across the symbol's centre.
        const auto diagonals = std::count_if(lines.begin(), lines.end(), [](const Primitive& p) {
            return near(std::hypot(p.x1, p.y1 + 25), 5) && near(std::hypot(p.x2, p.y2 + 25), 5) &&
                   near(p.x1 + p.x2, 0) && near(p.y1 + p.y2, -50);
        });
        EXPECT_EQ(diagonals, 2);
        const PrintedText* omega = printed(c, "ANGULAR VELOCITY");
        ASSERT_NE(omega, nullptr);
        EXPECT_LT(std::abs(omega->y + 25), 30);
    }
}

// Every caption of the pictures stands clear of the rim, the arcs, the arrows and the dots, at
// the sizes the screens give the canvas.
TEST(IntroductionPicture, NoLineStrikesThroughACaption) {
    for (auto draw : {drawIntroductionPicture, drawFirstExplanationPicture})
        for (int pixels : {500, 600, 1200}) {
            const RecordingCanvas c = picture(draw, pixels);
            for (const PrintedText& t : c.printedTexts())
                EXPECT_FALSE(testing::anyInkMeets(c, t)) << t.text << " at " << pixels;
        }
}

TEST(FirstExplanationPicture, BodyReachesADiskPointFartherOutThatMovesFaster) {
    for (int pixels : {300, 1200}) {
        const RecordingCanvas c = picture(drawFirstExplanationPicture, pixels);
        // The initial velocity is also the straight path of one time unit, to (30, 30).
        ASSERT_TRUE(shaftFrom(c, 0, 30, 30, 0));
        // There the disk moves clockwise, perpendicular to the radius, at ω·r = 30·√2.
        const auto disk = shaftFrom(c, 30, 30, 30, -30);
        ASSERT_TRUE(disk);
        EXPECT_TRUE(
            near(std::hypot(disk->x2 - disk->x1, disk->y2 - disk->y1), 30 * std::sqrt(2.0)));
        EXPECT_EQ(disk->colour, (Rgb{255, 0, 0}));

        // The radius under the body, the same radius turned clockwise by 1 radian, the dotted
        // radius to the arrival point, and the arc the disk point beneath the body ran along.
        const auto under = shaftFrom(c, 0, 50, 0, -50);
        const auto turned = shaftFrom(c, 0, 0, 50 * std::sin(1.0), 50 * std::cos(1.0));
        const auto reached = shaftFrom(c, 0, 0, 30, 30);
        ASSERT_TRUE(under && turned && reached);
        EXPECT_TRUE(under->style == kSolid && turned->style == kSolid && reached->style == kDot);
        const auto arcs = c.recordsOf(Kind::Arc);
        EXPECT_TRUE(std::any_of(arcs.begin(), arcs.end(), [](const Primitive& p) {
            return p.radius == 30 && near(p.start, std::numbers::pi / 2 - 1) && near(p.end, std::numbers::pi / 2);
        }));

        // The caption, line under line, whole inside the canvas at any size, above SPEED; both
        // clear of every line and circle, and near what they name: the arrival point (30, 30)
        // and the tip of the disk point's velocity (60, 0), within three text lines or a
        // twelfth of the canvas.
        const double line = printed(c, "SPEED")->bottom - printed(c, "SPEED")->top;
        const auto within = [&](const PrintedText& t, double x, double y) {
            const double fx = (x - c.scaleLeft()) / c.scaleWidth();
            const double fy = (y - c.scaleTop()) / c.scaleHeight();
            const double dx = std::max({t.left - fx, 0.0, fx - t.right});
            const double dy = std::max({t.top - fy, 0.0, fy - t.bottom});
            return std::hypot(dx, dy) < std::max(3 * line, 0.08);
        };
        const PrintedText* previous = nullptr;
        for (const char* l :
             {"THE POINT OF THE DISK ", "AT WHICH ARRIVES THE BODY", "HAS GREATER SPEED"}) {
            const PrintedText* t = printed(c, l);
            ASSERT_NE(t, nullptr) << l;
            EXPECT_TRUE(t->left >= 0 && t->right <= 1) << l << " at " << pixels;
            EXPECT_TRUE(!previous || (t->x == previous->x && t->top >= previous->bottom - 1e-12));
            EXPECT_FALSE(testing::anyInkMeets(c, *t)) << l << " at " << pixels;
            previous = t;
        }
        PrintedText block = *printed(c, "THE POINT OF THE DISK ");
        block.right = std::max(block.right, printed(c, "AT WHICH ARRIVES THE BODY")->right);
        block.bottom = previous->bottom;
        EXPECT_TRUE(within(block, 30, 30)) << pixels << ": " << block.left << " " << block.top
                                           << " " << block.right << " " << block.bottom;
        const PrintedText* speed = printed(c, "SPEED");
        EXPECT_LT(previous->bottom, speed->top);
        EXPECT_FALSE(testing::anyInkMeets(c, *speed)) << pixels;
        EXPECT_TRUE(within(*speed, 60, 0)) << pixels;
    }
}

}  // namespace
}  // namespace velarium
