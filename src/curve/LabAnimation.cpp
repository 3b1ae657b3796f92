#include "curve/LabAnimation.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

#include "curve/EllipticIntegrals.h"
#include "draw/Arrow.h"
#include "draw/Palette.h"

namespace velarium {

namespace {

constexpr Rgb kMarkRed = rgb(Colour::labMark);
constexpr Rgb kAccelerationBlue = rgb(Colour::labAcceleration);

// An axis-parallel box in user units.
struct Box {
    double x0, y0, x1, y1;
    bool meets(const Box& o) const { return x0 <= o.x1 && o.x0 <= x1 && y0 <= o.y1 && o.y0 <= y1; }
};

Box around(double xa, double ya, double xb, double yb, double margin) {
    return {std::min(xa, xb) - margin, std::min(ya, yb) - margin, std::max(xa, xb) + margin,
            std::max(ya, yb) + margin};
}

// The box a text of the given extent covers with its top-left corner at (x, y).
Box extentBox(const PlotCanvas& canvas, double x, double y, TextExtent e, double margin) {
    const double down = canvas.scaleHeight() < 0 ? -e.height : e.height;
    return around(x, y, x + e.width, y + down, margin);
}

// The figures a mark's read-out is formed from: the distance from the start at the mark and its
// time, the first mark's distance, and from the second mark on the distance at the mark before.
using ReadoutFigures = std::array<double, 4>;
ReadoutFigures readoutFigures(const LabAnimation& lab, int j) {
    return {lab.labDistTable[j], lab.labTimeTable[j], lab.labFirstDist,
            j > LabAnimation::kMarkEvery ? lab.labDistTable[j - LabAnimation::kMarkEvery] : 0.0};
}

// The read-out of a mark: the first mark shows the distance covered in the first interval and
// the time; each later one the distance covered in its own interval, as a multiple of the first
// (none when the first distance is 0).
std::string readout(const ReadoutFigures& f, bool firstMark) {
    const auto [distance, time, firstDistance, from] = f;
    if (firstMark) return "Ds =" + formatFixed(distance, 2) + " t =" + formatFixed(time, 2);
    const std::string at = " t = " + formatFixed(time, 2);
    if (firstDistance == 0) return at;
    const double ratio = (distance - from) / firstDistance;
    return "Ds = " + formatFixed(ratio, 2) + " X" + formatFixed(firstDistance, 2) + at;
}

// Where a mark's read-out of extent e stands, as the top-left corner of its text: whole inside the
// canvas, beside the mark, and above or below the path where the text spans it, whichever is
// nearer, so that the trail running along the path does not cross it.
Vec2 readoutCorner(const PlotCanvas& canvas, const CurveSettings& c, double x, double y,
                   TextExtent e) {
    // A quarter of a line clear of the canvas's edges, where the focus ring would cover a text
    // pushed flush against them ("t = 9.0").
    const ViewTransform v = canvas.view();
    const double edge = 0.25 * v.pixelsAlongY(e.height);
    const double mx = v.userAlongX(edge), my = v.userAlongY(edge);
    const double left = std::min(canvas.scaleLeft(), canvas.scaleLeft() + canvas.scaleWidth()) + mx;
    const double right =
        std::max(canvas.scaleLeft(), canvas.scaleLeft() + canvas.scaleWidth()) - mx;
    const double bottom =
        std::min(canvas.scaleTop(), canvas.scaleTop() + canvas.scaleHeight()) + my;
    const double top = std::max(canvas.scaleTop(), canvas.scaleTop() + canvas.scaleHeight()) - my;
    const double x0 = std::clamp(x, left, std::max(left, right - e.width));
    // The path's highest and lowest points under the text.
    double high = -c.amplitude, low = c.amplitude;
    for (int k = 0; k <= 50; ++k) {
        const double px = x0 + e.width * k / 50;
        const double py = c.amplitude * std::sin(c.omega * px);
        high = std::max(high, py);
        low = std::min(low, py);
    }
    const double gap = 0.3 * e.height;
    const double above = std::min(high + gap + e.height, top);
    const double below = std::max(low - gap, bottom + e.height);
    const bool aboveClear = above - e.height >= high;
    const bool belowClear = below <= low;
    const bool nearerAbove = above - e.height - y <= y - below;
    return {x0, aboveClear && (nearerAbove || !belowClear) ? above : below};
}

bool hasReadout(int j) {
    return j % LabAnimation::kMarkEvery == 0 && j >= LabAnimation::kMarkEvery;
}

// Whether the mark at x lies within the canvas's width.
bool inView(const PlotCanvas& canvas, double x) {
    const double left = std::min(canvas.scaleLeft(), canvas.scaleLeft() + canvas.scaleWidth());
    const double right = std::max(canvas.scaleLeft(), canvas.scaleLeft() + canvas.scaleWidth());
    return x >= left && x <= right;
}

// Whether two numbers, or arrays of them, are the same to the bit: kept results are taken over
// only for the very inputs they were found from, −0 and NaN included.
template <class T>
bool sameBits(const T& a, const T& b) {
    return std::memcmp(&a, &b, sizeof(T)) == 0;
}

// A read-out's text and its extent, measured once per event.
struct Readout {
    std::string text;
    TextExtent extent;
};

// The read-outs of the marks up to event n, in the order of the marks; a mark beyond the canvas
// has none (an empty text). The texts are kept from event to event and formed again only where a
// figure differs.
std::vector<Readout> readouts(const PlotCanvas& canvas, LabAnimation& lab, int n) {
    std::vector<Readout> r;
    for (int j = LabAnimation::kMarkEvery; j <= n; j += LabAnimation::kMarkEvery) {
        const auto m = static_cast<std::size_t>(j / LabAnimation::kMarkEvery - 1);
        if (!inView(canvas, lab.labTrailX[static_cast<std::size_t>(j)])) {
            r.push_back({});
            continue;
        }
        const ReadoutFigures figures = readoutFigures(lab, j);
        if (m == lab.readoutTexts.size()) lab.readoutTexts.emplace_back();
        LabAnimation::ReadoutText& kept = lab.readoutTexts[m];
        if (kept.text.empty() || !sameBits(kept.figures, figures))
            kept = {figures, readout(figures, j == LabAnimation::kMarkEvery)};
        r.push_back({kept.text, canvas.textExtent(kept.text)});
    }
    return r;
}

// Where a read-out of extent e goes, given the boxes already taken: where readoutCorner puts it,
// or, when that meets one of them, at the nearest free place on a grid of text lines and text
// widths around it, whole inside the canvas. Marks close together (a slow body, or marks past the
// right edge, which share its column) then stand side by side instead of printing over each other.
Vec2 freeCorner(const PlotCanvas& canvas, const CurveSettings& c, double x, double y, TextExtent e,
                const std::vector<Box>& taken) {
    const double left = std::min(canvas.scaleLeft(), canvas.scaleLeft() + canvas.scaleWidth());
    const double right = std::max(canvas.scaleLeft(), canvas.scaleLeft() + canvas.scaleWidth());
    const double bottom = std::min(canvas.scaleTop(), canvas.scaleTop() + canvas.scaleHeight());
    const double top = std::max(canvas.scaleTop(), canvas.scaleTop() + canvas.scaleHeight());
    const Vec2 base = readoutCorner(canvas, c, x, y, e);
    const double dx = 1.05 * e.width, dy = 1.1 * e.height;
    const int columns = static_cast<int>((right - left) / dx) + 1;
    const int rows = static_cast<int>((top - bottom) / dy) + 1;
    auto free = [&](Vec2 p) {
        const Box box = extentBox(canvas, p.x, p.y, e, 0);
        return std::none_of(taken.begin(), taken.end(), [&](const Box& b) { return b.meets(box); });
    };
    Vec2 at = base;
    double nearest = free(base) ? 0 : std::numeric_limits<double>::infinity();
    for (int col = -columns; col <= columns; ++col)
        for (int row = -rows; row <= rows; ++row) {
            const Vec2 p{base.x + col * dx, base.y + row * dy};
            const double d = std::hypot(col * dx, row * dy);
            if (d >= nearest || p.x < left || p.x + e.width > right || p.y > top ||
                p.y - e.height < bottom)
                continue;
            if (!free(p)) continue;
            nearest = d;
            at = p;
        }
    return at;
}

// The corners of the read-outs, placed mark by mark by freeCorner, each clear of the β text and
// of the read-outs before it. An earlier read-out never moves, since its place depends only on
// the ones before it: the places kept in `places` are taken over up to the first mark whose
// extent or position differs, or all found afresh when the scale, the path or the β text differ.
std::vector<Vec2> readoutCorners(const PlotCanvas& canvas, const LabAnimation& lab,
                                 const CurveSettings& c, const std::vector<Readout>& texts,
                                 const Box& beta, LabReadoutPlaces& places) {
    const std::array<double, 4> scale{canvas.scaleLeft(), canvas.scaleTop(), canvas.scaleWidth(),
                                      canvas.scaleHeight()};
    const std::array<double, 4> betaBox{beta.x0, beta.y0, beta.x1, beta.y1};
    if (!sameBits(places.scale, scale) || !sameBits(places.amplitude, c.amplitude) ||
        !sameBits(places.omega, c.omega) || !sameBits(places.beta, betaBox)) {
        places.scale = scale;
        places.amplitude = c.amplitude;
        places.omega = c.omega;
        places.beta = betaBox;
        places.marks.clear();
    }
    std::vector<Box> taken{beta};
    std::vector<Vec2> corners;
    for (std::size_t m = 0; m < texts.size(); ++m) {
        const int j = LabAnimation::kMarkEvery * static_cast<int>(m + 1);
        const TextExtent e = texts[m].extent;
        const double x = lab.labTrailX[static_cast<std::size_t>(j)];
        const double y = lab.labTrailY[static_cast<std::size_t>(j)];
        if (m < places.marks.size()) {
            const LabReadoutPlaces::Mark& kept = places.marks[m];
            if (!sameBits(kept.extent.width, e.width) || !sameBits(kept.extent.height, e.height) ||
                !sameBits(kept.x, x) || !sameBits(kept.y, y))
                places.marks.resize(m);
        }
        const bool shown = !texts[m].text.empty();
        if (m == places.marks.size())
            places.marks.push_back(
                {e, x, y, shown ? freeCorner(canvas, c, x, y, e, taken) : Vec2{}});
        const Vec2 at = places.marks[m].corner;
        if (shown) taken.push_back(extentBox(canvas, at.x, at.y, e, 0));
        corners.push_back(at);
    }
    return corners;
}

void drawTrailElement(PlotCanvas& canvas, const LabAnimation& lab, int j, const std::string& text,
                      Vec2 at) {
    const double x = lab.labTrailX[j], y = lab.labTrailY[j];
    canvas.point(x, y);
    if (j % LabAnimation::kMarkEvery != 0) return;
    canvas.setDrawWidth(3);
    canvas.point(x, y, kMarkRed);
    canvas.setCurrentPosition(x, y);
    if (hasReadout(j) && !text.empty()) {
        canvas.setCurrentPosition(at.x, at.y);
        canvas.print(text);
    }
    canvas.setDrawWidth(1);
}

}  // namespace

bool labTimerStep(PlotCanvas& canvas, LabAnimation& lab, const CurveSettings& c, int interval) {
    const double A = c.amplitude, w = c.omega;
    lab.labTrailX[0] = 0;
    lab.labTrailY[0] = 0;
    lab.labDistTable[0] = 0;

    const std::string beta = "β = " + formatFixed(w, 2);
    canvas.setCurrentPosition(2, 8);
    canvas.print(beta);

    ++lab.labTick;
    const int n = lab.labTick;
    lab.labKept = n;
    const double t = n * static_cast<double>(interval) / 20.0;
    lab.labTime = t;
    if (n > LabAnimation::kLastCountedEvent) return false;
    lab.labTimeTable[n] = t;
    const double v = c.v0 + c.at * t;
    const double s = c.v0 * t + 0.5 * c.at * t * t;

    // Position from distance: E(φ, k) = s·ω/sqrt(1 + A²ω²), x = φ/ω.
    const double root = std::sqrt(1.0 + A * A * w * w);
    const double k = A * w / root;
    const double ec = ellipticEAny(std::numbers::pi / 2, k);
    const double x = inverseEllipticE(w / root * s, k, ec) / w;
    const double y = A * std::sin(w * x);

    const double slope = A * w * std::cos(w * x);
    const double second = -A * w * w * std::sin(w * x);
    const double norm = std::sqrt(1.0 + slope * slope);
    const double cs = 1.0 / norm, sn = slope / norm;
    const double vx = v * cs, vy = v * sn;
    const double tx = c.at * cs / 2, ty = c.at * sn / 2;
    const double kappa = second != 0 ? second / std::pow(1.0 + slope * slope, 1.5) : 0.0;
    const double ac = kappa * v * v;
    const double cx = ac * -sn / 2, cy = ac * cs / 2;

    if (!(n - 1 <= LabAnimation::kLastDrawnEvent && n <= LabAnimation::kLastDrawnEvent))
        return false;
    lab.labDistTable[n] = s;

    // What this event draws under the trail, to know which trail elements it covers.
    const double barb = std::hypot(canvas.scaleWidth(), canvas.scaleHeight()) / 75.0;
    const double margin = 0.02 * std::abs(canvas.scaleWidth()) + barb;
    std::vector<Box> covered;
    const TextExtent betaExtent = canvas.textExtent(beta);
    covered.push_back(extentBox(canvas, 2, 8, betaExtent, margin));
    covered.push_back(around(x, y, x, y, margin));
    const LabPrevArrows& p = lab.labPrevArrows;
    covered.push_back(around(p.x, p.y, p.x + p.vx, p.y + p.vy, margin));
    covered.push_back(around(p.x, p.y, p.x + p.tx + p.cx, p.y + p.ty + p.cy, margin));
    covered.push_back(around(x, y, x + vx, y + vy, margin));
    covered.push_back(around(x, y, x + tx + cx, y + ty + cy, margin));

    canvas.point(x, y);
    canvas.setDrawWidth(3);
    drawArrow(canvas, p.x, p.y, p.vx, p.vy, kWhite);
    drawArrow(canvas, p.x, p.y, p.tx + p.cx, p.ty + p.cy, kWhite);
    canvas.setDrawWidth(1);
    drawArrow(canvas, x, y, vx, vy, kMarkRed);
    drawArrow(canvas, x, y, tx + cx, ty + cy, kAccelerationBlue);

    const bool stop = x > 30;
    lab.labPrevArrows = {x, y, vx, vy, tx, ty, cx, cy};
    lab.labArrows[n] = lab.labPrevArrows;
    lab.labTrailX[n] = x;
    lab.labTrailY[n] = y;

    const double pointMargin = 0.02 * std::abs(canvas.scaleWidth());
    if (n >= LabAnimation::kMarkEvery)
        lab.labFirstDist = lab.labDistTable[LabAnimation::kMarkEvery];
    const std::vector<Readout> texts = readouts(canvas, lab, n);
    const std::vector<Vec2> corners = readoutCorners(
        canvas, lab, c, texts, extentBox(canvas, 2, 8, betaExtent, 0), lab.readoutPlaces);
    static const Readout kNone;
    for (int j = 0; j <= n; ++j) {
        const double tjx = lab.labTrailX[j], tjy = lab.labTrailY[j];
        const bool withReadout = hasReadout(j);
        const auto m = static_cast<std::size_t>(withReadout ? j / LabAnimation::kMarkEvery - 1 : 0);
        const Readout& r = withReadout ? texts[m] : kNone;
        const Vec2 at = withReadout ? corners[m] : Vec2{};
        bool redraw = j > lab.trailIntact;
        if (!redraw) {
            const Box mine = withReadout ? extentBox(canvas, at.x, at.y, r.extent, pointMargin)
                                         : around(tjx, tjy, tjx, tjy, pointMargin);
            const Box dot = around(tjx, tjy, tjx, tjy, pointMargin);
            redraw = std::any_of(covered.begin(), covered.end(),
                                 [&](const Box& b) { return b.meets(dot) || b.meets(mine); });
        }
        if (redraw) drawTrailElement(canvas, lab, j, r.text, at);
    }
    lab.trailIntact = n;
    return stop;
}

int labLastShownEvent(const LabAnimation& lab) {
    return std::min(lab.labKept, LabAnimation::kLastDrawnEvent);
}

void labShowEvent(PlotCanvas& canvas, LabAnimation& lab, const CurveSettings& c, int interval,
                  int k) {
    const int kept = lab.labKept;
    k = std::clamp(k, 0, labLastShownEvent(lab));
    lab.canvasChanged();
    lab.labTick = std::max(k - 1, 0);
    lab.labPrevArrows = lab.labArrows[static_cast<std::size_t>(lab.labTick)];
    lab.labTime = lab.labTick * static_cast<double>(interval) / 20.0;
    if (k > 0) labTimerStep(canvas, lab, c, interval);
    lab.labKept = kept;
}

}  // namespace velarium
