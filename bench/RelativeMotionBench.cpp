#include <cmath>

#include "BenchSupport.h"
#include "app/FullProgram.h"
#include "translating/RelativeMotionScreen.h"
#include "widgets/Program.h"

namespace velarium::bench {
namespace {

// The relative-motion screen at its worst: a frame that accelerates faster than friction can
// follow, so the body never rides along and every arrow and both legends are drawn, with a run
// of 1400 rows whose trails both lie inside the views.
struct FullRun {
    QApplication& app = application();
    FullProgram program;
    RelativeMotionScreen& screen;

    FullRun() : screen(program.screens().as<RelativeMotionScreen>(ScreenId::exigisirelative)) {
        screen.resize(1600, 1000);
        screen.show();
        screen.openScreen();
        screen.epitaxynshx->setValue(3);
        screen.epitaxynshy->setValue(-2);
        screen.taxythtax->setValue(1);
        screen.trivistoepipedo->setValue(10);
        screen.mazatoysomatos->setValue(3);
        while (screen.run().relativeStepIndex < 1400) screen.Command1->click();
        // Trails that stay in view: two spirals through the rows already run.
        RelativeRun& run = screen.run();
        for (int i = 0; i < 1400; ++i) {
            const double a = i * 0.02;
            const double radius = 25.0 * i / 1400;
            run.labX[i] = radius * std::cos(a);
            run.labY[i] = radius * std::sin(a);
            run.relX[i] = radius * std::sin(a);
            run.relY[i] = radius * std::cos(a);
        }
        screen.Command4->click();
        screen.Command1->click();
    }

    void repaint() {
        screen.eikona1->repaintNow();
        screen.eikona2->repaintNow();
    }
};

void Step(benchmark::State& state) {
    FullRun r;
    for (auto _ : state) {
        r.screen.run().relativeStepIndex = 1400;
        r.screen.Command1->click();
        r.repaint();
    }
}
BENCHMARK(Step)->Name("Handler/RelativeMotion/Step")->Unit(benchmark::kMillisecond);

void Replay(benchmark::State& state) {
    FullRun r;
    for (auto _ : state) {
        r.screen.run().relativeStepIndex = 1400;
        r.screen.Command3->click();
        r.repaint();
    }
}
BENCHMARK(Replay)->Name("Handler/RelativeMotion/Replay")->Unit(benchmark::kMillisecond);

// A drag along the time line of 1500 kept rows, one row towards the start and back to the
// end: both views are drawn afresh with their whole trails.
void TimeLineDrag(benchmark::State& state) {
    FullRun r;
    RelativeRun& run = r.screen.run();
    while (run.rowsHeld < RelativeRun::kPositionRows - 1) r.screen.Command1->click();
    for (int i = 0; i < run.rowsHeld; ++i) {
        const double a = i * 0.02;
        const double radius = 25.0 * i / run.rowsHeld;
        run.labX[i] = radius * std::cos(a);
        run.labY[i] = radius * std::sin(a);
        run.relX[i] = radius * std::sin(a);
        run.relY[i] = radius * std::cos(a);
    }
    int rows = run.rowsHeld;
    for (auto _ : state) {
        rows = rows == run.rowsHeld ? run.rowsHeld - 1 : run.rowsHeld;
        r.screen.timeLine->slider->setValue(rows);
        r.repaint();
    }
}
BENCHMARK(TimeLineDrag)->Name("Handler/RelativeMotion/TimeLineDrag")->Unit(benchmark::kMillisecond);

void Pan(benchmark::State& state) {
    FullRun r;
    int pan = 0;
    for (auto _ : state) {
        r.screen.run().relativeStepIndex = 1400;
        pan = pan == 0 ? 1 : 0;
        r.screen.xscaleeikona1->setValue(pan);
        r.screen.eikona1->repaintNow();
    }
}
BENCHMARK(Pan)->Name("Handler/RelativeMotion/Pan")->Unit(benchmark::kMillisecond);

// A body's setting changed: its caption is written again and the controls laid out for it.
void Caption(benchmark::State& state) {
    FullRun r;
    int value = 2;
    for (auto _ : state) {
        value = value == 2 ? -10 : 2;
        r.screen.arxikivx->setValue(value);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(Caption)->Name("Handler/RelativeMotion/Caption")->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velarium::bench
