#include <cmath>
#include <utility>
#include <vector>

#include "BenchSupport.h"
#include "draw/Arrow.h"
#include "draw/CanvasWidget.h"

namespace velarium::bench {
namespace {

// A full picture of the heaviest kind: a cleared 900 by 900 canvas, 2000 arrows, a 1500-point
// trail, and the repaint that puts it on the screen.
void Handler_Canvas_ArrowField(benchmark::State& state) {
    application();
    CanvasWidget canvas;
    canvas.resize(900, 900);
    canvas.show();
    canvas.setScale(-3, 3, 3, -3);
    // The field: arrows a sixth to a tenth of the canvas long spread over all of it, and a trail
    // winding through the middle.
    struct Vector {
        double x, y, dx, dy;
    };
    std::vector<Vector> arrows;
    for (int i = 0; i < 2000; ++i) {
        const double a = i * 0.0314;
        arrows.push_back({2.5 * std::cos(a), 2.5 * std::sin(a * 1.3), 0.3 * std::cos(3 * a),
                          0.3 * std::sin(2 * a)});
    }
    std::vector<std::pair<double, double>> trail;
    for (int i = 0; i < 1500; ++i) {
        const double t = i * 0.01;
        trail.emplace_back(2 * std::sin(t) * std::cos(0.4 * t), 2 * std::sin(t) * std::sin(0.4 * t));
    }
    for (auto _ : state) {
        canvas.clear();
        for (std::size_t i = 0; i < arrows.size(); ++i) {
            const Vector& v = arrows[i];
            drawArrow(canvas, v.x, v.y, v.dx, v.dy, i % 256, 100, 255 - i % 256);
        }
        for (const auto& [x, y] : trail) canvas.point(x, y);
        canvas.repaintNow();
    }
    state.counters["dpr"] = canvas.devicePixelRatioF();
}
BENCHMARK(Handler_Canvas_ArrowField)->Name("Handler/Canvas/ArrowField")->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velarium::bench
