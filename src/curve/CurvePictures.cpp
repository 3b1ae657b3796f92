#include "curve/CurvePictures.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "curve/EllipticIntegrals.h"
#include "draw/Arrow.h"
#include "draw/LabelPlacement.h"
#include "draw/NumberFormat.h"
#include "draw/Palette.h"

namespace velarium {

const char* const kCanvasPressText =
    "The centripetal acceleration has a direction towards the concave of the curve. If the speed "
    "changes there is a component tangent to the curve, the circles are plotted according to the "
    "radius of curvature.";

namespace {

constexpr Rgb kVelocityRed = rgb(Colour::curveVelocity);
constexpr Rgb kCentripetalBlue = rgb(Colour::centripetal);
constexpr Rgb kTangentialBlue = rgb(Colour::tangential);
constexpr Rgb kCircleMagenta = rgb(Colour::curvatureCircle);
constexpr Rgb kFrictionOlive = rgb(Colour::curveFriction);
constexpr Rgb kStudentBlue = rgb(Colour::studentForce);
constexpr Rgb kShapeGreen = rgb(Colour::shapeForce);
constexpr Rgb kTangentialOrange = rgb(Colour::tangentialForce);

// How far from the tangent a force may point, as the sine of the angle, and still count as
// running along the path.
const double kAlongPath = std::sin(3 * std::numbers::pi / 180);

constexpr const char* kLabText =
    "The centripetal acceleration has a direction towards the concave of the curve."
    "  You can study the effect of CURVATURE  on respect of the MEASURE of CENTRIPETAL "
    "acceleration. You can change the SPEED, so that changes the centripetal "
    "acceleration=υ²/R where R radius of CURVATURE. You can change the AMPLITUDE, the FREQUENCY "
    "of the curve, so this changes the CURVATURE. You should observe that the CENTRIPETAL =0 in "
    "points where the orbit is LINEAR. By changing the TANGENT component of acceleration you can "
    "see that if it is increased, the CENTRIPETAL acceleration changes.";

constexpr const char* kRadiusText =
    "The centripetal acceleration is directed towards the concave of the curve. The TANGENTIAL "
    "acceleration is directed according to the tangent, the circles are drawn with a radius "
    "=RADIUS OF CURVATURE.";

constexpr const char* kForceText =
    "Click on the diagram so that the vectors FRCTION, VELOCITY and ACCELERATION(centripetal and "
    "tangential). PRESS SHIFT and drag the mouse from a point of the curve to draw a force that "
    "will explain the SHAPE AND TANGENTIAL, observe if the drawn force: Α) IS CORRECT AS FAR AS "
    "DIRECTION IS CONCERNED & Β)WHICH ARE THE FORCES NEEDED?";

constexpr const char* kPointRadiusText =
    "The centripetal acceleration is directed towards the concave part of the curve. The "
    "TANGENTIAL is tangent to the curve, the circles are drawn with radius = RADIUS OF "
    "CURVATURE.";

void arrow(PlotCanvas& canvas, double x, double y, Vec2 d, Rgb colour) {
    drawArrow(canvas, x, y, d.x, d.y, colour);
}

// A dotted circle of curvature about (cx, cy) through the point (tx, ty) where it touches the
// path. It is a circle in user units, as the path's curvature is, so on a canvas whose x and y
// scales differ it is drawn as the ellipse that touches the path there: dots about three pixels
// apart, along the stretch of it that can lie in the view (a huge circle near an inflection shows
// only its arc near the point).
void curvatureCircle(PlotCanvas& canvas, double cx, double cy, double radius, double tx,
                     double ty) {
    const double r = std::abs(radius);
    const ViewTransform v = canvas.view();
    const double sx = v.pixelsAlongX(1);
    const double sy = v.pixelsAlongY(1);
    const double view = std::hypot(canvas.scaleWidth(), canvas.scaleHeight());
    const double reach = view >= 2 * r ? std::numbers::pi : 2 * std::asin(view / (2 * r));
    const double step = 3 / (r * std::max(sx, sy));
    const int count = static_cast<int>(std::ceil(reach / step));
    // Each dot is the touching point turned by a about the centre, measured from the touching
    // point so that a huge radius loses no precision: t + (R(a) − I)·(t − c).
    const double ux = tx - cx, uy = ty - cy;
    for (int k = -count; k <= count; ++k) {
        const double a = k * step;
        const double versine = -2 * std::pow(std::sin(a / 2), 2);
        canvas.point(tx + ux * versine - uy * std::sin(a), ty + ux * std::sin(a) + uy * versine,
                     kCircleMagenta);
    }
}

// Prints lines one below the other from one left edge, the block's top-left corner at (x, y),
// moved inside the canvas as far as it needs, where it lies clear of the texts already printed,
// or else moved up or down as a whole by the least that clears it, up to four lines; otherwise at
// the free place nearest (x, y). A text broken into lines so stays one text.
void printAtOrNear(PlotCanvas& canvas, double x, double y,
                   const std::vector<std::string_view>& lines) {
    double widest = 0, line = 0;
    for (std::string_view text : lines) {
        const TextExtent e = canvas.textExtent(text);
        widest = std::max(widest, e.width);
        line = std::max(line, e.height);
    }
    // The block's box in fractions of the canvas.
    const ViewTransform v = canvas.view();
    const double w = widest / std::abs(v.width());
    const double h = line / std::abs(v.height()) * static_cast<double>(lines.size());
    const double left = std::clamp(v.fractionX(x), 0.0, std::max(0.0, 1 - w));
    const double wanted = v.fractionY(y);
    const auto& printed = canvas.printedTexts();
    auto freeAt = [&](double top) {
        return w <= 1 && top >= 0 && top + h <= 1 &&
               std::none_of(printed.begin(), printed.end(), [&](const PrintedText& p) {
                   return left < p.right && p.left < left + w && top < p.bottom && p.top < top + h;
               });
    };
    const double lineFraction = h / static_cast<double>(lines.size());
    for (int k = 0; k <= 32; ++k) {
        const double nudge = (k % 2 ? 1 : -1) * 0.25 * ((k + 1) / 2);
        const double top = std::clamp(wanted, 0.0, std::max(0.0, 1 - h)) + nudge * lineFraction;
        if (!freeAt(top)) continue;
        const Vec2 corner = v.atFraction(left, top);
        canvas.setCurrentPosition(corner.x, corner.y);
        for (std::string_view text : lines) {
            canvas.setCurrentPosition(corner.x, canvas.currentY());
            canvas.print(text);
        }
        return;
    }
    placeLines(canvas, {x, y}, lines);
}

// A legend: its rows one below the other, each text with its unit arrow at its left. The block
// goes as a whole to the free place nearest the right of (x, y), its designed top-left corner,
// clear of every text and of the ink drawn before it; where the canvas has no such place within
// reach, to the one with the least ink. So no path, circle or arrow runs through a legend text.
// A row wider than the canvas leaves beside its arrow, as at a high zoom, goes on in a second
// line under the first.
constexpr double kKeyRoom = 1.2;  // a unit key arrow and its gap to the text
struct LegendRow {
    std::string_view text;
    Rgb colour;
};
void drawLegend(PlotCanvas& canvas, double x, double y, std::initializer_list<LegendRow> rows) {
    const double room = 0.96 * std::abs(canvas.scaleWidth()) - kKeyRoom;
    std::vector<std::string> texts;
    std::vector<std::size_t> firstLine;
    double line = 0;
    for (const LegendRow& r : rows) {
        firstLine.push_back(texts.size());
        for (std::string& part : linesWithin(canvas, r.text, room)) {
            line = std::max(line, canvas.textExtent(part).height);
            texts.push_back(std::move(part));
        }
    }
    const std::vector<std::string_view> lines(texts.begin(), texts.end());
    const double down = canvas.scaleHeight() < 0 ? -1.0 : 1.0;
    const double n = static_cast<double>(lines.size());
    const Vec2 corner =
        placeLines(canvas, {x, y + down * n * line / 2}, lines, {1, 0}, {.leftRoom = kKeyRoom});
    std::size_t row = 0;
    for (const LegendRow& r : rows) {
        const double middle =
            corner.y + down * line * (static_cast<double>(firstLine[row++]) + 0.5);
        drawArrow(canvas, corner.x - kKeyRoom, middle, 1, 0, r.colour);
    }
}

// A text printed whole from (x, y) on: where it is wider than the room to the canvas's right
// edge it is broken at spaces into lines that fit, each a line below the one before.
void printWhole(PlotCanvas& canvas, double x, double y, const std::string& text) {
    const double edge = std::max(canvas.scaleLeft(), canvas.scaleLeft() + canvas.scaleWidth());
    const double room = std::max(edge - x, std::abs(canvas.scaleWidth()) / 2) -
                        0.02 * std::abs(canvas.scaleWidth());
    const std::vector<std::string> lines = linesWithin(canvas, text, room);
    printAtOrNear(canvas, x, y, std::vector<std::string_view>(lines.begin(), lines.end()));
}

// Friction against the motion, −3.5·V/|V|; none where the body is at rest.
std::optional<Vec2> friction(Vec2 velocity) {
    const double v = length(velocity);
    if (v == 0) return std::nullopt;
    return Vec2{-3.5 * velocity.x / v, -3.5 * velocity.y / v};
}

// The unit normal towards the centre of curvature, (−sin θ, cos θ) turned the way the path
// bends; at an inflection point, where it does not bend, (−sin θ, cos θ).
Vec2 unitNormal(const PointQuantities& p) {
    const double side = p.kappa < 0 ? -1.0 : 1.0;
    return {-side * std::sin(p.theta), side * std::cos(p.theta)};
}

}  // namespace

void setCurveLabScale(PlotCanvas& canvas, const CurveSettings* stations) {
    // The lab's range, x from 0 to 20 and y from −10 to 10, and the tips of the stations' arrows
    // with a margin for their heads; then the direction with pixels to spare widens about the
    // middle, so that one unit is as many pixels across as up.
    double x0 = 0, x1 = 20, y0 = -10, y1 = 10;
    if (stations) {
        for (int k = 0; k <= 14; ++k) {
            const PointQuantities p = pointQuantities(*stations, 1.4 * k);
            const Vec2 total{p.centripetal.x + p.tangential.x, p.centripetal.y + p.tangential.y};
            for (Vec2 d : {p.velocity, p.centripetal, total}) {
                x0 = std::min(x0, p.x + d.x);
                x1 = std::max(x1, p.x + d.x);
                y0 = std::min(y0, p.y + d.y);
                y1 = std::max(y1, p.y + d.y);
            }
        }
        const double margin = 0.03 * std::max(x1 - x0, y1 - y0);
        if (x1 > 20) x1 += margin;
        if (x0 < 0) x0 -= margin;
        if (y1 > 10) y1 += margin;
        if (y0 < -10) y0 -= margin;
    }
    const double pw = canvas.pixelWidth(), ph = canvas.pixelHeight();
    if (!(pw > 0 && ph > 0)) {
        canvas.setScale(x0, y1, x1, y0);
        return;
    }
    const double perPixel = std::max((x1 - x0) / pw, (y1 - y0) / ph);
    const double cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
    const double halfX = perPixel * pw / 2, halfY = perPixel * ph / 2;
    canvas.setScale(cx - halfX, cy + halfY, cx + halfX, cy - halfY);
}

std::string forceScaleText(const CurveSettings& c) {
    return "ALL FORCES DRAWN AT A/4 = " + formatFixed(c.amplitude / 4, 2) + " PER UNIT";
}

void drawPath(PlotCanvas& canvas, const CurveSettings& c) {
    for (int n = 0; n <= 400; ++n) {
        const double x = 0.1 * (0.5 * n);
        canvas.point(x, c.amplitude * std::sin(c.omega * x));
    }
}

std::string drawCurveLab(PlotCanvas& canvas, const CurveSettings& c) {
    const double A = c.amplitude, w = c.omega;
    const double root = std::sqrt(1.0 + A * A * w * w);
    const double K = root / w;
    const double k = A * w / root;
    for (int n = 0; n <= 400; ++n) {
        const double i = 0.5 * n;
        const double x = 0.1 * i;
        const double y = A * std::sin(w * x);
        canvas.point(x, y);
        const double s = K * ellipticEAny(w * x, k);
        const double v = speedAfter(c, s);
        const double slope = A * w * std::cos(w * x);
        const double second = -A * w * w * std::sin(w * x);
        // Signed curvature y″/(1 + y′²)^1.5, positive where the path bends upwards.
        const double kappa = second != 0 ? second / std::pow(1.0 + slope * slope, 1.5) : 0.0;
        const double ac = kappa * v * v;
        const double theta = std::atan(slope);
        // Fifteen stations, x = 0, 1.4, ..., 19.6; accelerations drawn at A/4 of their value.
        if (n % 28 == 0) {
            const double cs = std::cos(theta), sn = std::sin(theta);
            drawArrow(canvas, x, y, v * cs, v * sn, kVelocityRed);
            drawArrow(canvas, x, y, A / 4 * ac * -sn, A / 4 * ac * cs, kCentripetalBlue);
            drawArrow(canvas, x, y, A / 4 * (c.at * cs - ac * sn), A / 4 * (c.at * sn + ac * cs),
                      kBlack);
        }
    }
    drawLegend(canvas, 10, -7.1,
               {{"TOTAL ACCELERATION", kBlack},
                {"CENTRIPETAL ACCELERATION", kCentripetalBlue},
                {"VELOCITY", kVelocityRed}});
    return kLabText;
}

std::string drawRadiusScene(PlotCanvas& canvas, const CurveSettings& c) {
    drawPath(canvas, c);
    // First crest and first trough: the centre lies R above the point (R < 0 at a crest).
    for (double phase : {std::numbers::pi / 2, 3 * std::numbers::pi / 2}) {
        const PointQuantities p = pointQuantities(c, phase / c.omega);
        curvatureCircle(canvas, p.x, p.y + p.radius, p.radius, p.x, p.y);
        canvas.point(p.x, p.y);
        arrow(canvas, p.x, p.y, p.velocity, kVelocityRed);
        arrow(canvas, p.x, p.y, p.centripetal, kCentripetalBlue);
        arrow(canvas, p.x, p.y, p.tangential, kTangentialBlue);
    }
    // The unit arrows left of their texts, not through them.
    drawLegend(canvas, 10, -8.1,
               {{"CENTRIPETAL ACCELERATION", kCentripetalBlue}, {"VELOCITY", kVelocityRed}});
    return kRadiusText;
}

std::optional<std::string> showPointVectors(PlotCanvas& canvas, const CurveSettings& c, double X,
                                            double Y, bool guessForce, bool radiusMode,
                                            ForcePress& press) {
    canvas.clear();
    drawPath(canvas, c);
    if (!(std::abs(Y - c.amplitude * std::sin(c.omega * X)) < 0.1)) {
        press.pressOnCurve = false;
        return drawRadiusScene(canvas, c);
    }
    press.pressOnCurve = true;
    const PointQuantities p = pointQuantities(c, X);
    press.pressCurvature = p.kappa;
    press.pressVelocity = p.velocity;
    press.pressCentripetal = p.centripetal;
    press.pressTangential = p.tangential;
    // The centre of curvature lies R along the normal (−sin θ, cos θ).
    if (p.second != 0)
        curvatureCircle(canvas, X - std::sin(p.theta) * p.radius,
                        p.y + std::cos(p.theta) * p.radius, p.radius, X, p.y);
    canvas.point(X, p.y);
    arrow(canvas, X, p.y, p.velocity, kVelocityRed);
    arrow(canvas, X, p.y, p.centripetal, kCentripetalBlue);
    arrow(canvas, X, p.y, p.tangential, kTangentialBlue);
    if (guessForce) {
        if (const auto f = friction(p.velocity)) {
            canvas.setDrawWidth(3);
            arrow(canvas, X, p.y, *f, kFrictionOlive);
            drawLegend(canvas, 2, 9.8, {{"FRICTION", kFrictionOlive}});
            canvas.setDrawWidth(1);
        }
    }
    drawLegend(canvas, 15, -8.1, {{"ACCELERATION", kCentripetalBlue}, {"VELOCITY", kVelocityRed}});
    if (guessForce) return std::string(kForceText);
    if (radiusMode) return std::string(kPointRadiusText);
    return std::nullopt;
}

void judgeForce(PlotCanvas& canvas, const CurveSettings& c, ForcePress& press, double xr,
                double yr) {
    const PointQuantities p = pointQuantities(c, press.pressX);
    press.pressCurvature = p.kappa;
    press.pressCentripetal = p.centripetal;
    const double px = press.pressX, py = press.pressY;
    const Vec2 F{xr - px, yr - py};
    drawArrow(canvas, px, py, F.x, F.y, kStudentBlue);

    // At rest the direction of motion, and so friction, is undefined: nothing to judge.
    const Vec2 V = press.pressVelocity;
    const auto fr = friction(V);
    if (!fr) return;
    const Vec2 f = *fr;
    const Vec2 C = press.pressCentripetal;
    const Vec2 T = press.pressTangential;

    // Tangential verdict: the force must not push with friction, and force plus friction must
    // not oppose the tangential acceleration.
    if (dot(F, f) > 0 || dot(T, Vec2{f.x + F.x, f.y + F.y}) < 0)
        printWhole(canvas, 2, 9, "FORCE: INCORRECT FOR THE TANGENTIAL ACCELERATION");

    // Shape verdict: where the path bends, the force must have a component towards the centre
    // of curvature. At an inflection point it does not bend: a force that does not push across
    // the path (within a few degrees, as far as a drag can follow the tangent) keeps it so.
    const Vec2 normal = unitNormal(p);
    const bool bends = C.x != 0 || C.y != 0;
    const bool rightForShape =
        bends ? dot(F, C) > 0 : std::abs(dot(F, normal)) <= kAlongPath * length(F);
    if (rightForShape) {
        printWhole(canvas, 2, 8, "FORCE: HAS THE CORRECT DIRECTION FOR THE SHAPE OF THE CURVE");
    } else {
        printWhole(canvas, 2, 8, "FORCE: HAS WRONG DIRECTION FOR THE SHAPE OF THE CURVE");
        canvas.setDrawWidth(3);
        if (bends) {
            arrow(canvas, px, py, C, rgb(Colour::extraCentripetal));
            drawLegend(
                canvas, 2, 7,
                {{"DIRECTION OF EXTRA FORCE FOR CENTRIPETAL", rgb(Colour::extraCentripetalText)}});
        }
        canvas.setDrawWidth(1);
    }

    // Every arrow of the exercise is drawn at one scale, the one of C and T: A/4 length units per
    // unit of force on a unit mass. The path needs the net force |C| across it, towards the
    // centre: Es = (|C| − n·F)·n, n the unit normal towards the centre (at an inflection point
    // |C| = 0 and Es takes away what F pushes across). Along it, F, friction f and Et together
    // make T: Et = T − f less the part of F along the tangent.
    const double es = length(C) - dot(normal, F);
    canvas.setDrawWidth(2);
    drawArrow(canvas, px, py, es * normal.x, es * normal.y, kShapeGreen);
    canvas.setDrawWidth(1);

    const double tt = dot(T, T);
    const double vv = dot(V, V);
    const Vec2 along = tt == 0 ? Vec2{dot(V, F) / vv * V.x, dot(V, F) / vv * V.y}
                               : Vec2{dot(T, F) / tt * T.x, dot(T, F) / tt * T.y};
    canvas.setDrawWidth(2);
    drawArrow(canvas, px, py, T.x - f.x - along.x, T.y - f.y - along.y, kTangentialOrange);

    // The legend under the path, with the student's force at the bottom; the widest row goes
    // above the others, clear of the point's own legend at the right.
    drawLegend(canvas, 2, -7,
               {{"EXTRA NEEDED FORCE FOR TANGENTIAL ACC.", kTangentialOrange},
                {"EXTRA NEEDED FORCE FOR SHAPE", kShapeGreen},
                {"YOUR FORCE", kStudentBlue}});
    canvas.setDrawWidth(1);
    printWhole(canvas, 2, -6, forceScaleText(c));
}

}  // namespace velarium
