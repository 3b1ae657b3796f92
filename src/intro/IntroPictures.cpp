#include "intro/IntroPictures.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "draw/Arrow.h"
#include "draw/LabelPlacement.h"

namespace velarium {

namespace {
double radians(double degrees) { return degrees * std::numbers::pi / 180; }

// Black solid lines, no filling: every picture starts from the same pen.
void plainPen(PlotCanvas& canvas) {
    canvas.setForeColor(kBlack);
    canvas.setDrawStyle(kSolid);
    canvas.setFillStyle(kFillTransparent);
}

// The axis, the clockwise sense of rotation and the angular velocity, which points into the
// picture (a clockwise turn seen from above): both pictures end with them.
void drawRotationSenseLines(PlotCanvas& canvas) {
    canvas.setForeColor(kBlack);
    canvas.setFillColor(kBlack);
    canvas.setFillStyle(kFillSolid);
    canvas.circle(0, 0, 2);
    canvas.setFillStyle(kFillTransparent);

    // An arc of radius 40 under the axis, 245° to 295°, and an arrow at its 245° end along the
    // tangent that runs clockwise, (sin θ, −cos θ) at θ = 245°.
    const double a = radians(25);
    canvas.arc(0, 0, 40, radians(245), radians(295), kBlack);
    drawArrow(canvas, -40 * std::sin(a), -40 * std::cos(a), -10 * std::cos(a), 10 * std::sin(a),
              kBlack);

    // The tail of an arrow seen end on: a circle with its two diagonals.
    const Vec2 c{0, -25};
    constexpr double r = 5;
    auto rim = [&](double degrees) {
        return Vec2{c.x + r * std::cos(radians(degrees)), c.y + r * std::sin(radians(degrees))};
    };
    canvas.circle(c.x, c.y, r, kBlack);
    for (const auto& [from, to] : {std::pair{135.0, -45.0}, std::pair{225.0, 45.0}}) {
        const Vec2 p = rim(from), q = rim(to);
        canvas.line(p.x, p.y, q.x, q.y, kBlack);
    }
}

// The angular velocity's caption beside its symbol at (0, −25), at the free place nearest its
// right side, so that no rim or arc runs through it.
void printAngularVelocity(PlotCanvas& canvas) {
    canvas.setForeColor(kBlack);
    placeLabel(canvas, {5.5, -25}, "ANGULAR VELOCITY", {1, 0});
}

void drawRotationSense(PlotCanvas& canvas) {
    drawRotationSenseLines(canvas);
    printAngularVelocity(canvas);
}
}  // namespace

void setTurntableScale(PlotCanvas& canvas) { canvas.setScale(-100, 100, 100, -100); }

void drawIntroductionPicture(PlotCanvas& canvas) {
    plainPen(canvas);
    canvas.circle(0, 0, kTurntableRadius, canvas.foreColor());

    // What textbooks say: friction supplies the centripetal force. The body's velocity is that
    // of the disk point beneath it, along the rim. What students expect of a body that starts to
    // slide: friction against its velocity.
    const Vec2 b = kIntroBody;
    drawArrow(canvas, b.x, b.y, 0, -20, kBlack);
    drawArrow(canvas, b.x, b.y, 30, 0, kIntroVelocity);
    drawArrow(canvas, b.x, b.y, -30, 0, kStudentsFriction);
    drawRotationSenseLines(canvas);

    // The captions once all the lines are drawn, each at the free place nearest its own, so that
    // no rim, arc or arrow cuts it.
    canvas.setForeColor(kBlack);
    placeLines(canvas, {2, 10}, {"FRICTION", "  according to textbooks"}, {1, 0});
    canvas.setForeColor(kStudentsFriction);
    placeLabel(canvas, {-60, 30}, "FRICTION?", {-1, 0});
    placeLines(canvas, {-80, 15}, {"Students believe this", "is the direction of friction"},
               {-1, 0});
    canvas.setForeColor(kIntroVelocity);
    placeLabel(canvas, {30, 30}, "VELOCITY", {1, 0});
    printAngularVelocity(canvas);
}

void drawFirstExplanationPicture(PlotCanvas& canvas) {
    plainPen(canvas);
    canvas.setDrawWidth(1);
    canvas.circle(0, 0, kTurntableRadius, kBlack);

    // The body leaves with the speed of the disk point beneath it, ω·r = 1·30, and keeps that
    // velocity: the arrow is also the path it slides along in one time unit, to (30, 30).
    const Vec2 b = kIntroBody;
    const double speed = 30;
    const Vec2 arrival{b.x + speed, b.y};
    canvas.setDrawWidth(3);
    drawArrow(canvas, b.x, b.y, speed, 0, kBlack);

    // The radius under the body at the start, and the same radius one time unit later, turned
    // clockwise by ω·t = 1 radian.
    canvas.setDrawWidth(1);
    canvas.line(0, kTurntableRadius, 0, 0, kBlack);
    canvas.line(0, 0, kTurntableRadius * std::sin(1.0), kTurntableRadius * std::cos(1.0), kBlack);
    // The disk point that started under the body keeps its radius, 30, and turns with the disk.
    canvas.arc(0, 0, length(b), std::numbers::pi / 2 - 1, std::numbers::pi / 2, kBlack);
    canvas.circle(length(b) * std::sin(1.0), length(b) * std::cos(1.0), 1.5, kBlack);

    canvas.circle(arrival.x, arrival.y, 2, kBlack);

    // The disk point under the arrival point lies on the circle of radius 30·√2 and moves along
    // it at ω·30·√2, faster than the body, which still moves at 30 (the arrow it came along).
    const double reached = length(arrival);
    const double at = std::atan2(arrival.y, arrival.x);
    canvas.setDrawStyle(kDot);
    canvas.line(0, 0, arrival.x, arrival.y, kBlack);
    canvas.arc(0, 0, reached, at - 0.6, at + 0.6, kBlack);
    canvas.setDrawStyle(kSolid);
    // Clockwise turning at ω = 1: the disk point's velocity is (y, −x).
    drawArrow(canvas, arrival.x, arrival.y, arrival.y, -arrival.x, kIntroVelocity);

    // What the picture says, each text beside what it names, clear of the drawing: the three
    // lines at the arrival point, "SPEED" at the tip of the disk point's velocity.
    canvas.setForeColor(kBlack);
    placeLines(canvas, arrival,
               {"THE POINT OF THE DISK ", "AT WHICH ARRIVES THE BODY", "HAS GREATER SPEED"});
    canvas.setForeColor(kIntroVelocity);
    placeLabel(canvas, {2 * arrival.x, 0}, "SPEED", {arrival.y, -arrival.x});
    canvas.setForeColor(kBlack);

    drawRotationSense(canvas);
}

}  // namespace velarium
