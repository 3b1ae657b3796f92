#include "draw/QtDrawing.h"

#include <algorithm>
#include <cmath>

namespace velarium {

namespace {
Qt::PenStyle penStyleOf(int style) {
    switch (style) {
        case kDash: return Qt::DashLine;
        case kDot: return Qt::DotLine;
        case kDashDot: return Qt::DashDotLine;
        case kDashDotDot: return Qt::DashDotDotLine;
        case 5: return Qt::NoPen;
        default: return Qt::SolidLine;
    }
}
}  // namespace

QColor toQColor(Rgb c) {
    return QColor(std::clamp(c.red, 0, 255), std::clamp(c.green, 0, 255),
                  std::clamp(c.blue, 0, 255));
}

QPen qtPen(const Pen& pen, Rgb colour, double pixelRatio) {
    QPen p(toQColor(colour));
    p.setWidthF(pen.width * pixelRatio);
    p.setCosmetic(true);
    p.setStyle(penStyleOf(pen.style));
    // Round caps on every dash of a wide cosmetic pen make the raster engine a hundred times
    // slower than flat ones; a dotted grid across a graph would take a fifth of a second.
    p.setCapStyle(pen.style == kSolid ? Qt::RoundCap : Qt::FlatCap);
    return p;
}

Qt::BrushStyle brushStyleOf(int fill) {
    switch (fill) {
        case kFillSolid: return Qt::SolidPattern;
        case kFillHorizontal: return Qt::HorPattern;
        case kFillVertical: return Qt::VerPattern;
        case kFillUpwardDiagonal: return Qt::BDiagPattern;
        case kFillDownwardDiagonal: return Qt::FDiagPattern;
        case kFillCross: return Qt::CrossPattern;
        case kFillDiagonalCross: return Qt::DiagCrossPattern;
        default: return Qt::NoBrush;
    }
}

void drawUserArc(QPainter& p, QPointF centre, double radius, double start, double end, bool yUp) {
    // Qt counts angles counter-clockwise on the screen, in sixteenths of a degree. The user
    // scale's y direction decides whether that is the user's counter-clockwise too.
    const double toDeg = 180.0 / 3.14159265358979323846;
    double a0 = start * toDeg;
    double span = (end - start) * toDeg;
    if (span < 0) span += 360.0 * std::ceil(-span / 360.0);
    if (!yUp) {
        a0 = -a0;
        span = -span;
    }
    p.drawArc(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius),
              static_cast<int>(std::lround(a0 * 16)), static_cast<int>(std::lround(span * 16)));
}

}  // namespace velarium
