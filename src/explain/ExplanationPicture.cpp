#include "explain/ExplanationPicture.h"

#include <algorithm>
#include <cmath>

#include "draw/Arrow.h"
#include "draw/LabelPlacement.h"
#include "draw/NumberFormat.h"

namespace velarium {

namespace {
// The view the picture is fitted to: the screen's default zoom 1.2, ±2.4 radii, unshifted.
constexpr double kReferenceHalf = 2.4;
// The screen lays its horizontal shift bar over the bottom of the drawing: the footer keeps
// clear of it.
constexpr double kBarPixels = 24;

double lineHeight(const PlotCanvas& canvas) { return canvas.textExtent("Vg").height; }

// The canvas's edges in user units, smallest first.
struct Edges {
    double left, right, bottom, top;
};
Edges edges(const PlotCanvas& c) {
    const double l = c.scaleLeft(), r = l + c.scaleWidth();
    const double t = c.scaleTop(), b = t + c.scaleHeight();
    return {std::min(l, r), std::max(l, r), std::min(t, b), std::max(t, b)};
}
}  // namespace

double barbLength(const PlotCanvas& canvas) {
    return std::hypot(canvas.scaleWidth(), canvas.scaleHeight()) / 75;
}

std::string formatScale(double scale) {
    const double digits = std::isfinite(scale) && scale > 0 ? std::floor(std::log10(scale)) : 0;
    return formatFixed(scale, static_cast<int>(std::clamp(2 - digits, 0.0, 9.0)));
}

Vec2 rotate(Vec2 v, double angle) {
    const double c = std::cos(angle), s = std::sin(angle);
    return {c * v.x - s * v.y, s * v.x + c * v.y};
}

PictureFrame fitPicture(const PlotCanvas& canvas, const std::vector<Vec2>& points, int textLines,
                        int footerLines) {
    // The text's height as a share of the canvas, whatever the zoom.
    const double share = lineHeight(canvas) / std::abs(canvas.scaleHeight());
    const double full = 2 * kReferenceHalf;
    const double bar = kBarPixels / std::max(1.0, canvas.pixelHeight());
    const double bandTop = share * (textLines + 1);
    const double bandBottom = 1 - share * (footerLines + 1) - bar;
    const double top = kReferenceHalf - full * bandTop;
    const double bottom = kReferenceHalf - full * bandBottom;
    const double left = -kReferenceHalf + 0.05 * full;
    const double right = kReferenceHalf - 0.05 * full;
    if (points.empty() || top <= bottom) return {};

    double x0 = points[0].x, x1 = x0, y0 = points[0].y, y1 = y0;
    for (const Vec2& p : points) {
        x0 = std::min(x0, p.x);
        x1 = std::max(x1, p.x);
        y0 = std::min(y0, p.y);
        y1 = std::max(y1, p.y);
    }
    const double w = std::max(x1 - x0, 1e-9), h = std::max(y1 - y0, 1e-9);
    const double scale = std::min({1.0, (right - left) / w, (top - bottom) / h});
    const Vec2 boxCentre{(x0 + x1) / 2, (y0 + y1) / 2};
    const Vec2 freeCentre{(left + right) / 2, (top + bottom) / 2};
    return {freeCentre - scale * boxCentre, scale, bandTop, bandBottom};
}

bool PictureFrame::inBand(const PlotCanvas& canvas, Vec2 p) const {
    const double fraction = (p.y - canvas.scaleTop()) / canvas.scaleHeight();
    return fraction >= bandTop && fraction <= bandBottom;
}

double accelerationTime(const std::vector<Vec2>& velocities,
                        const std::vector<Vec2>& accelerations) {
    double v = 0, a = 0;
    for (Vec2 x : velocities) v = std::max(v, length(x));
    for (Vec2 x : accelerations) a = std::max(a, length(x));
    if (!(v > 0 && a > 0) || !std::isfinite(v / a)) return 0.1;
    return 0.8 * v / a;
}

void clearUnderTheBars(PlotCanvas& canvas) {
    const Edges e = edges(canvas);
    const double across = kBarPixels / std::max(1.0, canvas.pixelWidth()) * (e.right - e.left);
    const double up = kBarPixels / std::max(1.0, canvas.pixelHeight()) * (e.top - e.bottom);
    const bool rightToLeft = canvas.scaleWidth() < 0;
    const double x = rightToLeft ? e.left + across / 2 : e.right - across / 2;
    const double y = canvas.scaleHeight() < 0 ? e.bottom + up / 2 : e.top - up / 2;
    canvas.setDrawWidth(static_cast<int>(kBarPixels));
    canvas.line(x, e.bottom, x, e.top, canvas.backColor());
    canvas.line(e.left, y, e.right, y, canvas.backColor());
    canvas.setDrawWidth(1);
}

void printStepText(PlotCanvas& canvas, const std::vector<StepLine>& lines, int step) {
    const Edges e = edges(canvas);
    const double margin = 0.01 * (e.right - e.left);
    canvas.setCurrentPosition(e.left + margin, canvas.scaleTop() + 0.01 * canvas.scaleHeight());
    for (const StepLine& line : lines) {
        canvas.setForeColor(line.colour);
        canvas.setBold(line.bold);
        canvas.setCurrentPosition(e.left + margin, canvas.currentY());
        canvas.print(line.text);
        canvas.setBold(false);
    }
    canvas.setForeColor(kBlack);
    canvas.setCurrentPosition(e.left + margin, canvas.currentY());
    canvas.print(formatFixed(step, 0));
}

void printFooter(PlotCanvas& canvas, const std::vector<std::string>& lines) {
    const Edges e = edges(canvas);
    const double down = canvas.scaleHeight() < 0 ? -1 : 1;  // the sign of "down" in user y
    const double h = lineHeight(canvas);
    const double bottomEdge = canvas.scaleTop() + canvas.scaleHeight();
    const double bar = kBarPixels / std::max(1.0, canvas.pixelHeight());
    const double top = bottomEdge - down * (h * static_cast<double>(lines.size()) +
                                            bar * std::abs(canvas.scaleHeight()));
    // At the bottom-left corner; where a long step's text reaches down into it (a large text
    // on a small canvas), at the bottom-right, whichever meets fewer of the texts above.
    const ViewTransform v = canvas.view();
    double widest = 0;
    for (const std::string& line : lines) widest = std::max(widest, canvas.textExtent(line).width);
    const double margin = 0.01 * (e.right - e.left);
    auto meets = [&](double left) {
        const double l = v.fractionX(left), r = v.fractionX(left + widest);
        const double t = v.fractionY(top), b = v.fractionY(bottomEdge);
        const auto& printed = canvas.printedTexts();
        return std::count_if(printed.begin(), printed.end(), [&](const PrintedText& p) {
            return std::min(l, r) < p.right && p.left < std::max(l, r) &&
                   std::min(t, b) < p.bottom && p.top < std::max(t, b);
        });
    };
    const double atLeft = e.left + margin;
    const double atRight = e.right - margin - widest -
                           kBarPixels / std::max(1.0, canvas.pixelWidth()) * (e.right - e.left);
    const double left = meets(atLeft) > meets(atRight) ? atRight : atLeft;
    canvas.setForeColor(kBlack);
    double y = top;
    for (const std::string& line : lines) {
        canvas.setCurrentPosition(left, y);
        canvas.print(line);
        y += down * h;
    }
}

void labelledArrow(PlotCanvas& canvas, std::vector<ArrowLabel>& labels, Vec2 from, Vec2 d,
                   Rgb colour, int width, int style, std::string label) {
    canvas.setDrawWidth(width);
    canvas.setDrawStyle(style);
    drawArrow(canvas, from.x, from.y, d.x, d.y, colour);
    canvas.setDrawWidth(1);
    canvas.setDrawStyle(kSolid);
    if (label.empty()) return;
    // drawArrow leaves out a shaft shorter than a hundredth of a barb.
    if (length(d) < 0.01 * barbLength(canvas)) {
        labels.push_back({from, {}, std::move(label) + " = 0", colour});
        return;
    }
    labels.push_back({from + d, d, std::move(label), colour});
}

PictureScales fitArrows(const PlotCanvas& canvas, const std::vector<Vec2>& points,
                        const std::vector<StepArrow>& arrows, double velocityScale,
                        double accelerationScale, int textLines, int footerLines) {
    double kv = velocityScale, ka = accelerationScale;
    // The shortest named arrow of each kind that is not zero.
    double shortestV = 0, shortestA = 0;
    for (const StepArrow& a : arrows) {
        const double n = length(a.vector);
        if (a.label.empty() || !(n > 0)) continue;
        double& shortest = a.measure == Measure::Velocity ? shortestV : shortestA;
        shortest = shortest > 0 ? std::min(shortest, n) : n;
    }
    const double barbs = 3 * barbLength(canvas);
    PictureFrame frame;
    // Each pass fits the picture and lengthens what is still too short; a longer arrow shrinks
    // the fit, so a few passes settle it, or show that the arrows' sizes differ too much.
    for (int pass = 0; pass < 12; ++pass) {
        std::vector<Vec2> all = points;
        for (const StepArrow& a : arrows) {
            const Vec2 tail = a.at + kv * a.afterVelocity + ka * a.afterAcceleration;
            all.push_back(tail);
            all.push_back(tail + (a.measure == Measure::Velocity ? kv : ka) * a.vector);
        }
        frame = fitPicture(canvas, all, textLines, footerLines);
        const double least = barbs / frame.scale;  // three arrowheads in world units
        bool grew = false;
        if (shortestV > 0 && shortestV * kv < least * 0.999) {
            kv = 1.02 * least / shortestV;
            grew = true;
        }
        if (shortestA > 0 && shortestA * ka < least * 0.999) {
            ka = 1.02 * least / shortestA;
            grew = true;
        }
        if (!grew) break;
    }
    PictureScales s;
    s.frame = frame;
    s.worldVelocity = kv;
    s.worldAcceleration = ka;
    return s;
}

void drawStepArrows(PlotCanvas& canvas, std::vector<ArrowLabel>& labels, const PictureScales& s,
                    const std::vector<StepArrow>& arrows, int width) {
    for (const StepArrow& a : arrows) {
        const Vec2 tail = s.frame.at(a.at + s.worldVelocity * a.afterVelocity +
                                     s.worldAcceleration * a.afterAcceleration);
        const double k = a.measure == Measure::Velocity ? s.velocity() : s.acceleration();
        labelledArrow(canvas, labels, tail, k * a.vector, a.colour, width, a.style, a.label);
    }
}

void placeLabels(PlotCanvas& canvas, const std::vector<ArrowLabel>& labels) {
    for (const ArrowLabel& l : labels) {
        canvas.setForeColor(l.colour);
        placeLabel(canvas, l.anchor, l.text, l.ahead);
    }
    canvas.setForeColor(kBlack);
}

int nextExplanationStep(int step, int lastStep, bool back) {
    if (back) return step <= 0 || step > lastStep ? lastStep : step - 1;
    return step >= lastStep || step < 0 ? 0 : step + 1;
}

}  // namespace velarium
