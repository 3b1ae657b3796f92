#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>
#include <utility>
#include <vector>

namespace velarium::bench {

// The application every handler benchmark runs in: offscreen, at device pixel ratio 2 when the
// environment asks for it (make bench sets QT_SCALE_FACTOR=2).
QApplication& application();

}  // namespace velarium::bench

namespace velarium {
class PlotCanvas;
}

namespace velarium::bench {

// The heaviest picture of a canvas: 2000 arrows a sixth to a tenth of a 6-unit canvas long,
// spread over all of it, and a 1500-point trail winding through the middle.
struct ArrowField {
    struct Vector {
        double x, y, dx, dy;
    };
    std::vector<Vector> arrows;
    std::vector<std::pair<double, double>> trail;
};
ArrowField arrowField();
void drawArrowField(PlotCanvas& canvas, const ArrowField& field);

}  // namespace velarium::bench
