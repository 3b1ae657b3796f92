// Handler benchmarks of the step-by-step explanation at its worst: the orbit run integrated with
// friction on a free disk, and the richest step of each explanation.
#include <QMenuBar>

#include "BenchSupport.h"
#include "app/FullProgram.h"
#include "app/Navigation.h"
#include "disk/ModelChoicePanel.h"
#include "disk/RotatingDiskScreen.h"
#include "widgets/Program.h"

namespace velarium::bench {

namespace {

// A shown screen whose drawing is 900 by 900, with friction on a free disk in the given view.
struct Explanation {
    explicit Explanation(bool rotating) {
        application();
        openRotatingDisk(program);
        auto& s = screen();
        s.resize(1536, 1200 + s.menuBar()->sizeHint().height());
        s.Check3->click();
        program.screens().as<ModelChoicePanel>(ScreenId::DIALEGO).MHSTATHERIGON->click();
        if (rotating) s.Option1->click();
        s.CORIOLISEXP->trigger();
        s.Picture1->repaintNow();
    }

    RotatingDiskScreen& screen() {
        return program.screens().as<RotatingDiskScreen>(ScreenId::exigisi2);
    }

    FullProgram program;
};

// The 66 integrated steps of the orbit run and the first picture.
void Open(benchmark::State& state) {
    Explanation e(true);
    auto& s = e.screen();
    for (auto _ : state) {
        s.CORIOLISEXP->trigger();
        s.Picture1->repaintNow();
    }
}

// A click onto the step with the most vectors and labels.
void clickToRichest(benchmark::State& state, bool rotating) {
    Explanation e(rotating);
    auto& s = e.screen();
    const int richest = rotating ? 8 : 9;
    for (auto _ : state) {
        s.explanation().setStep(richest - 1);
        emit s.Picture1->released(CanvasMouse{0, 0, Qt::LeftButton, false, false, false});
        s.Picture1->repaintNow();
    }
}

void ClickInertial(benchmark::State& state) { clickToRichest(state, false); }
void ClickRotating(benchmark::State& state) { clickToRichest(state, true); }

}  // namespace

BENCHMARK(Open)->Name("Handler/Explanation/Open")->Unit(benchmark::kMillisecond);
BENCHMARK(ClickInertial)->Name("Handler/Explanation/Click/Inertial")->Unit(benchmark::kMillisecond);
BENCHMARK(ClickRotating)->Name("Handler/Explanation/Click/Rotating")->Unit(benchmark::kMillisecond);

}  // namespace velarium::bench
