#include <QAction>
#include <cmath>
#include <numbers>
#include <vector>

#include "BenchSupport.h"
#include "app/CurveLab.h"
#include "app/FirstStepScreen.h"
#include "app/FullProgram.h"
#include "curve/EllipticIntegrals.h"
#include "widgets/Program.h"

namespace velarium::bench {
namespace {

// The arguments of one redraw of the acceleration display at its largest setting, for several
// moduli: 401 angles from 0 to 20·ω with ω = π/3.
struct EllipticInputs {
    std::vector<double> phi, k;
    EllipticInputs() {
        for (double kk : {0.1, 0.5, 0.9, 0.96})
            for (int n = 0; n <= 400; ++n) {
                phi.push_back(0.05 * n * std::numbers::pi / 3);
                k.push_back(kk);
            }
    }
};

void EllipticEAny(benchmark::State& state) {
    const EllipticInputs in;
    for (auto _ : state)
        for (size_t i = 0; i < in.phi.size(); ++i)
            benchmark::DoNotOptimize(ellipticEAny(in.phi[i], in.k[i]));
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(in.phi.size()));
}
BENCHMARK(EllipticEAny)->Name("Elliptic/EAny");

void EllipticStd(benchmark::State& state) {
    const EllipticInputs in;
    for (auto _ : state)
        for (size_t i = 0; i < in.phi.size(); ++i)
            benchmark::DoNotOptimize(std::ellint_2(in.k[i], in.phi[i]));
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(in.phi.size()));
}
BENCHMARK(EllipticStd)->Name("Elliptic/StdEllint2");

FirstStepScreen& shownLab(Program& program) {
    auto& s = program.screens().as<FirstStepScreen>(ScreenId::firststep);
    s.show();
    application().processEvents();
    s.campyles->trigger();
    return s;
}

// A slider change at the settings with the most work: amplitude 3.5, frequency 60.
void SliderChange(benchmark::State& state) {
    application();
    FullProgram program;
    FirstStepScreen& s = shownLab(program);
    s.platosvalue->setValue(35);
    s.syxnotikamp->setValue(60);
    s.epitaxyno->setValue(35);
    int speed = 4;
    for (auto _ : state) {
        speed = speed == 4 ? 5 : 4;
        s.arxikives->setValue(speed);
        s.eikona->repaintNow();
    }
}
BENCHMARK(SliderChange)->Name("Handler/CurveLab/SliderChange");

// The Time mode started from rest with a slow push along the path, so that its run lasts to the
// last event that draws.
FirstStepScreen& startedTimeMode(Program& program) {
    FirstStepScreen& s = shownLab(program);
    s.arxikives->setValue(0);
    s.epitaxyno->setValue(1);
    s.Option2->click();
    s.Command1->click();
    return s;
}

// The run at event 2500: 2500 trail points and 41 read-outs. With `full` every event draws the
// whole trail again, as it must after another mode drew over it.
void timerTick(benchmark::State& state, bool full) {
    application();
    FullProgram program;
    FirstStepScreen& s = startedTimeMode(program);
    for (int i = 0; i < 2499; ++i) s.lab().firststep_Timer1_Timer();
    LabAnimation& anim = s.lab().animation();
    for (auto _ : state) {
        anim.labTick = 2499;
        if (full) anim.canvasChanged();
        s.lab().firststep_Timer1_Timer();
        s.eikona->repaintNow();
    }
}
void TimerTick(benchmark::State& state) { timerTick(state, true); }
BENCHMARK(TimerTick)->Name("Handler/CurveLab/TimerTick");
void TimerTickIncremental(benchmark::State& state) { timerTick(state, false); }
BENCHMARK(TimerTickIncremental)->Name("Handler/CurveLab/TimerTickIncremental");

// A move of the time line between the run's last two drawn events, 2499 and 2500: the canvas as
// START found it, with an earlier run's trail, put back and the whole trail of 2500 points and 41
// read-outs drawn over it.
void TimeLineDrag(benchmark::State& state) {
    application();
    FullProgram program;
    FirstStepScreen& s = startedTimeMode(program);
    for (int i = 0; i < 200; ++i) s.lab().firststep_Timer1_Timer();
    s.Command1->click();
    for (int i = 0; i < LabAnimation::kLastDrawnEvent; ++i) s.lab().firststep_Timer1_Timer();
    int event = LabAnimation::kLastDrawnEvent;
    for (auto _ : state) {
        event = event == LabAnimation::kLastDrawnEvent ? event - 1 : event + 1;
        s.timeLine->slider->setValue(event);
        s.eikona->repaintNow();
    }
}
BENCHMARK(TimeLineDrag)->Name("Handler/CurveLab/TimeLineDrag");

// A press on the path and a judged Shift-release.
void JudgeForce(benchmark::State& state) {
    application();
    FullProgram program;
    FirstStepScreen& s = shownLab(program);
    s.GUESSFORCE->trigger();
    CanvasMouse press;
    press.x = 6;
    press.y = 2;
    press.button = Qt::LeftButton;
    CanvasMouse release = press;
    release.x = 6.5;
    release.y = 0;
    release.shift = true;
    for (auto _ : state) {
        s.lab().firststep_eikona_MouseDown(press);
        s.lab().firststep_eikona_MouseUp(release);
        s.eikona->repaintNow();
    }
}
BENCHMARK(JudgeForce)->Name("Handler/CurveLab/JudgeForce");

}  // namespace
}  // namespace velarium::bench
