#include <cmath>

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
    for (auto _ : state) {
        canvas.clear();
        for (int i = 0; i < 2000; ++i) {
            const double a = i * 0.0314;
            drawArrow(canvas, 2.5 * std::cos(a), 2.5 * std::sin(a * 1.3), 0.3 * std::cos(3 * a),
                      0.3 * std::sin(2 * a), i % 256, 100, 255 - i % 256);
        }
        for (int i = 0; i < 1500; ++i) {
            const double t = i * 0.01;
            canvas.point(2 * std::sin(t) * std::cos(0.4 * t), 2 * std::sin(t) * std::sin(0.4 * t));
        }
        canvas.repaintNow();
    }
    state.counters["dpr"] = canvas.devicePixelRatioF();
}
BENCHMARK(Handler_Canvas_ArrowField)->Name("Handler/Canvas/ArrowField")->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velarium::bench
