#include <QBuffer>
#include <QString>
#include <cmath>

#include "BenchSupport.h"
#include "draw/Arrow.h"
#include "draw/CanvasWidget.h"
#include "draw/LabelPlacement.h"
#include "output/PictureFile.h"

namespace velarium::bench {

ArrowField arrowField() {
    ArrowField f;
    for (int i = 0; i < 2000; ++i) {
        const double a = i * 0.0314;
        f.arrows.push_back({2.5 * std::cos(a), 2.5 * std::sin(a * 1.3), 0.3 * std::cos(3 * a),
                            0.3 * std::sin(2 * a)});
    }
    for (int i = 0; i < 1500; ++i) {
        const double t = i * 0.01;
        f.trail.emplace_back(2 * std::sin(t) * std::cos(0.4 * t),
                             2 * std::sin(t) * std::sin(0.4 * t));
    }
    return f;
}

void drawArrowField(PlotCanvas& canvas, const ArrowField& field) {
    for (std::size_t i = 0; i < field.arrows.size(); ++i) {
        const ArrowField::Vector& v = field.arrows[i];
        drawArrow(canvas, v.x, v.y, v.dx, v.dy, static_cast<int>(i % 256), 100,
                  static_cast<int>(255 - i % 256));
    }
    for (const auto& [x, y] : field.trail) canvas.point(x, y);
}

namespace {

// A shown 900 by 900 canvas scaled for the arrow field.
void showArrowCanvas(CanvasWidget& canvas) {
    canvas.resize(900, 900);
    canvas.show();
    canvas.setScale(-3, 3, 3, -3);
}

// A full picture of the heaviest kind on a cleared 900 by 900 canvas, and the repaint that puts
// it on the screen.
void Handler_Canvas_ArrowField(benchmark::State& state) {
    application();
    CanvasWidget canvas;
    showArrowCanvas(canvas);
    const ArrowField field = arrowField();
    for (auto _ : state) {
        canvas.clear();
        drawArrowField(canvas, field);
        canvas.repaintNow();
    }
    state.counters["dpr"] = canvas.devicePixelRatioF();
}
BENCHMARK(Handler_Canvas_ArrowField)
    ->Name("Handler/Canvas/ArrowField")
    ->Unit(benchmark::kMillisecond);

// The ArrowField picture at the program's zoom of 200%: every line, arrowhead and dot twice as
// wide, and the repaint.
void Handler_Canvas_Zoom200(benchmark::State& state) {
    application();
    CanvasWidget canvas;
    showArrowCanvas(canvas);
    canvas.setProfile({false, 2.0});
    const ArrowField field = arrowField();
    for (auto _ : state) {
        canvas.clear();
        drawArrowField(canvas, field);
        canvas.repaintNow();
    }
}
BENCHMARK(Handler_Canvas_Zoom200)->Name("Handler/Canvas/Zoom200")->Unit(benchmark::kMillisecond);

// A canvas full of read-outs: 300 texts printed in a 15 by 20 grid, each a different number, and
// the repaint that composes them over the picture.
void Handler_Canvas_TextField(benchmark::State& state) {
    application();
    CanvasWidget canvas;
    canvas.resize(900, 900);
    canvas.show();
    canvas.setScale(0, 20, 15, 0);
    std::vector<std::string> texts;
    for (int i = 0; i < 300; ++i)
        texts.push_back("υ = " + QString::number(i * 0.37, 'f', 2).toStdString() + " ω");
    for (auto _ : state) {
        canvas.clear();
        for (int i = 0; i < 300; ++i) {
            canvas.setCurrentPosition(i % 15, 20 - i / 15);
            canvas.print(texts[static_cast<std::size_t>(i)]);
        }
        canvas.repaintNow();
    }
}
BENCHMARK(Handler_Canvas_TextField)
    ->Name("Handler/Canvas/TextField")
    ->Unit(benchmark::kMillisecond);

// Sixty captions placed among the ArrowField's 2000 arrows and 1500 dots, each at the free place
// nearest an arrow's tip clear of the ink and of the captions before it, and the repaint.
void Handler_Canvas_PlaceLabels(benchmark::State& state) {
    application();
    CanvasWidget canvas;
    showArrowCanvas(canvas);
    const ArrowField field = arrowField();
    for (auto _ : state) {
        canvas.clear();
        drawArrowField(canvas, field);
        for (std::size_t i = 0; i < 60; ++i) {
            const ArrowField::Vector& v = field.arrows[i * 33];
            placeLabel(canvas, {v.x + v.dx, v.y + v.dy}, "Velocity in Inertial Frame",
                       {v.dx, v.dy});
        }
        canvas.repaintNow();
    }
}
BENCHMARK(Handler_Canvas_PlaceLabels)
    ->Name("Handler/Canvas/PlaceLabels")
    ->Unit(benchmark::kMillisecond);

// The ArrowField picture written as SVG into memory: six thousand segments and fifteen hundred
// dots replayed from the canvas's record, each as a vector shape.
void Handler_Canvas_SaveSvg(benchmark::State& state) {
    application();
    CanvasWidget canvas;
    showArrowCanvas(canvas);
    canvas.clear();
    drawArrowField(canvas, arrowField());
    canvas.repaintNow();
    qint64 bytes = 0;
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        writeSvg(canvas, buffer);
        bytes = buffer.size();
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(Handler_Canvas_SaveSvg)->Name("Handler/Canvas/SaveSvg")->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velarium::bench
