#pragma once

#include <QColor>
#include <QPainter>
#include <QPen>

#include "draw/DrawTypes.h"

namespace velarium {

// How the canvas's colours, pens and fills look to a Qt painter.
QColor toQColor(Rgb c);
// A cosmetic pen of the given pen's width (in the painter's pixels), style and colour.
QPen qtPen(const Pen& pen, Rgb colour, double pixelRatio);
Qt::BrushStyle brushStyleOf(int fill);
// The arc of the circle about centre of the given radius in pixels, from angle start to end
// (radians, counter-clockwise in user units); yUp says whether the user's y grows upwards.
void drawUserArc(QPainter& p, QPointF centre, double radius, double start, double end, bool yUp);

}  // namespace velarium
