#pragma once

#include <QPainter>
#include <QRect>
#include <algorithm>
#include <cmath>

namespace velarium {

// The ring that marks the control with keyboard focus: a dark band with a white line inside it,
// so that it stands out on a light window, a white canvas and a dark picture alike. Its width
// grows with the program's zoom.
inline void drawFocusRing(QPainter& p, const QRect& r, double zoom = 1.0) {
    const int band = std::max(2, static_cast<int>(std::lround(2 * zoom)));
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBrush(Qt::NoBrush);
    QPen dark(QColor(0, 60, 170));
    dark.setWidth(band);
    dark.setJoinStyle(Qt::MiterJoin);
    p.setPen(dark);
    const int half = band / 2;
    p.drawRect(r.adjusted(half, half, -band + half, -band + half));
    p.setPen(QPen(Qt::white, 1));
    p.drawRect(r.adjusted(band, band, -band - 1, -band - 1));
    p.restore();
}

}  // namespace velarium
