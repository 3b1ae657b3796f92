#pragma once

#include <QRect>
#include <QWidget>
#include <cmath>

namespace velarium {

// Designed positions are in twips: 1440 to the inch, 15 to a pixel at 96 dots per inch.
inline int twips(double t) { return static_cast<int>(std::lround(t / 15.0)); }
inline QRect twipsRect(double left, double top, double width, double height) {
    return {twips(left), twips(top), twips(width), twips(height)};
}
inline void placeTwips(QWidget& w, double left, double top, double width, double height) {
    w.setGeometry(twipsRect(left, top, width, height));
}

}  // namespace velarium
