// Handler benchmarks of the rotating-disk screen at its worst: step 1500 with the full trail.
#include <QCheckBox>
#include <QMenuBar>
#include <memory>

#include "BenchSupport.h"
#include "disk/ModelChoicePanel.h"
#include "disk/RotatingDiskScreen.h"
#include "shell/Navigation.h"
#include "shell/Program.h"

namespace velarium::bench {

namespace {

enum class Setup { inertial, rotating, pendulum };

// A shown screen whose drawing is 900 by 900, run to step 1499 in the given setup.
struct DiskAtTheEnd {
    explicit DiskAtTheEnd(Setup setup) {
        application();
        openRotatingDisk(program);
        auto& s = screen();
        s.resize(1536, 1200 + s.menuBar()->sizeHint().height());
        if (setup == Setup::pendulum) {
            s.FOUCAULTV0->trigger();
        } else {
            // Friction on a free disk, with every vector the view offers.
            s.Check3->click();
            program.screens().as<ModelChoicePanel>(ScreenId::DIALEGO).MHSTATHERIGON->click();
            if (setup == Setup::rotating) s.Option1->click();
            for (QCheckBox* c : {s.Check1, s.Check2, s.Check4, s.Check5, s.Check6, s.Check7})
                if (!c->isHidden()) c->click();
        }
        s.CHRONIKHMETAVOLH->trigger();
        while (s.run().stepIndex < DiskRun::kMaxStep - 1) s.Timer1->tick();
        savedRun = s.run();
        savedDisk = std::make_unique<DiskShared>(program.disk());
    }

    RotatingDiskScreen& screen() {
        return program.screens().as<RotatingDiskScreen>(ScreenId::exigisi2);
    }

    // Back to step 1499, its picture redrawn so that the kept trail matches it.
    void rewind() {
        auto& s = screen();
        s.run() = savedRun;
        program.disk() = *savedDisk;
        s.Check1->click();
        s.Check1->click();
        s.CHRONIKHMETAVOLH->trigger();
    }

    Program program;
    DiskRun savedRun;
    std::unique_ptr<DiskShared> savedDisk;
};

void stepAtTheEnd(benchmark::State& state, Setup setup) {
    DiskAtTheEnd d(setup);
    auto& s = d.screen();
    for (auto _ : state) {
        state.PauseTiming();
        d.rewind();
        state.ResumeTiming();
        if (setup == Setup::pendulum)
            s.Timer1->tick();
        else
            s.Command1->click();
        s.Picture1->repaintNow();
    }
}

void StepInertial(benchmark::State& state) { stepAtTheEnd(state, Setup::inertial); }
void StepRotating(benchmark::State& state) { stepAtTheEnd(state, Setup::rotating); }
void PendulumTick(benchmark::State& state) { stepAtTheEnd(state, Setup::pendulum); }

// The pendulum's trail stays in sight: all 1500 dots are drawn again at the new scale.
void Zoom(benchmark::State& state) {
    DiskAtTheEnd d(Setup::pendulum);
    auto& s = d.screen();
    s.Timer1->tick();
    int zoom = 120;
    for (auto _ : state) {
        zoom = zoom == 120 ? 140 : 120;
        s.zoumerno->setValue(zoom);
        s.Picture1->repaintNow();
    }
}

// The run of the rotating view with every vector at step 1500, the whole trail kept: STEP BACK
// to step 1499 draws the trail again from its rows.
void StepBack(benchmark::State& state) {
    DiskAtTheEnd d(Setup::rotating);
    auto& s = d.screen();
    s.Command1->click();
    for (auto _ : state) {
        state.PauseTiming();
        s.showKeptStep(DiskRun::kMaxStep);
        s.Picture1->repaintNow();
        state.ResumeTiming();
        s.StepBack->click();
        s.Picture1->repaintNow();
    }
}

// A drag along the time line, one step at a time towards the start and back to the end.
void TimeLineDrag(benchmark::State& state) {
    DiskAtTheEnd d(Setup::rotating);
    auto& s = d.screen();
    s.Command1->click();
    int step = DiskRun::kMaxStep;
    for (auto _ : state) {
        step = step == DiskRun::kMaxStep ? DiskRun::kMaxStep - 1 : DiskRun::kMaxStep;
        s.timeLine->slider->setValue(step);
        s.Picture1->repaintNow();
    }
}

}  // namespace

BENCHMARK(StepBack)->Name("Handler/RotatingDisk/StepBack")->Unit(benchmark::kMillisecond);
BENCHMARK(TimeLineDrag)->Name("Handler/RotatingDisk/TimeLineDrag")->Unit(benchmark::kMillisecond);
BENCHMARK(StepInertial)->Name("Handler/RotatingDisk/StepInertial")->Unit(benchmark::kMillisecond);
BENCHMARK(StepRotating)->Name("Handler/RotatingDisk/StepRotating")->Unit(benchmark::kMillisecond);
BENCHMARK(PendulumTick)->Name("Handler/RotatingDisk/PendulumTick")->Unit(benchmark::kMillisecond);
BENCHMARK(Zoom)->Name("Handler/RotatingDisk/Zoom")->Unit(benchmark::kMillisecond);

}  // namespace velarium::bench
