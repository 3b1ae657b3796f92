#include <QApplication>
#include <QKeyEvent>
#include <algorithm>
#include <cmath>

#include "app/CurveLab.h"
#include "app/FirstStepScreen.h"
#include "app/ScreenFactories.h"
#include "disk/RotatingDiskScreen.h"
#include "energy/BothFramesScreen.h"
#include "energy/GraphScreen.h"
#include "explain/InertialExplanation.h"
#include "explain/RotatingExplanation.h"
#include "translating/RelativeMotionScreen.h"
#include "widgets/LessonHook.h"
#include "widgets/Program.h"

namespace velarium {

namespace {
// Presses a button while each press still moves its counter on, until the counter reaches
// target: a run that has ended (the body past the rim) takes no more steps.
template <class Counter>
void pressUntil(QAbstractButton& button, int target, Counter counter) {
    while (counter() < target) {
        const int before = counter();
        button.click();
        if (counter() <= before) return;
    }
}

LessonHook diskHook(Program& program) {
    auto& s = program.screens().as<RotatingDiskScreen>(ScreenId::exigisi2);
    LessonHook h;
    h.values = {
        {QStringLiteral("step"), 0, DiskRun::kMaxStep},
        {QStringLiteral("explanation"), 0, 1},
        {QStringLiteral("explanationStep"), 0, std::max(kInertialLastStep, kRotatingLastStep)},
        // The time line's step, counted back from the last step run: a lesson without it
        // shows the last.
        {QStringLiteral("stepsBack"), 0, DiskRun::kMaxStep}};
    h.read = [&s] {
        const DiskRun& run = s.run();
        return std::vector<int>{run.stepsRun, s.explanation().active() ? 1 : 0,
                                s.explanation().step(), run.stepsRun - run.stepIndex};
    };
    // REPEAT: the disk at angle 0, the zoom at its start, no pendulum, no explanation.
    h.reset = [&s] { s.EPANELAVE->trigger(); };
    h.replay = [&s](const std::vector<int>& v) {
        if (v[1] == 1) {
            // The explanation's steps, as Right on the focused drawing takes them.
            s.CORIOLISEXP->trigger();
            for (int i = 0; i < v[2]; ++i) {
                QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
                QApplication::sendEvent(s.Picture1, &right);
            }
            return;
        }
        pressUntil(*s.Command1, v[0], [&s] { return int{s.run().stepIndex}; });
        s.showKeptStep(s.run().stepsRun - std::min(v[3], int{s.run().stepsRun}));
    };
    return h;
}

LessonHook relativeHook(Program& program) {
    auto& s = program.screens().as<RelativeMotionScreen>(ScreenId::exigisirelative);
    LessonHook h;
    // The step shown, and the rows the run keeps after it on its time line.
    h.values = {{QStringLiteral("step"), 0, RelativeRun::kPositionRows},
                {QStringLiteral("rowsAfter"), 0, RelativeRun::kPositionRows}};
    h.read = [&s] {
        const RelativeRun& run = s.run();
        return std::vector<int>{run.relativeStepIndex, run.rowsHeld - run.relativeStepIndex};
    };
    // The replay ends the run and CLEAR wipes both views; the screen is laid out as on opening.
    h.reset = [&s] {
        s.Command3->click();
        s.Command4->click();
        s.openScreen();
    };
    h.replay = [&s](const std::vector<int>& v) {
        const int rows = std::min(v[0] + v[1], int{RelativeRun::kPositionRows});
        pressUntil(*s.Command1, rows, [&s] { return int{s.run().relativeStepIndex}; });
        if (v[1] > 0) s.showKeptRows(v[0]);
    };
    return h;
}

// The run of both frames is made again from its settings, which also draws the orbit and base
// angle graphs. A run of more than 5000 points takes the step T/5000 and shows it on the
// time-interval scroll bar, rounded: the run is made again from the least interval, which takes
// that very step again. Any other run is made again from the interval it read.
LessonHook bothFramesHook(Program& program) {
    auto& s = program.screens().as<BothFramesScreen>(ScreenId::rotating);
    LessonHook h;
    h.values = {{QStringLiteral("run"), 0, 1},
                {QStringLiteral("interval"), s.timeinterval->minimum(), s.timeinterval->maximum()}};
    h.read = [&s] {
        const BothFramesPlan& plan = s.lastRun().plan;
        if (s.runTable().rows.empty()) return std::vector<int>{0, s.timeinterval->value()};
        const int read = static_cast<int>(std::lround(plan.dt * kTimeIntervalUnits));
        return std::vector<int>{1, plan.timeinterval ? s.timeinterval->minimum() : read};
    };
    h.replay = [&s](const std::vector<int>& v) {
        if (v[0] != 1) return;
        s.timeinterval->setValue(v[1]);
        s.simulateBothFrames();
    };
    return h;
}

// The curve lab's run in the Time mode: the events it kept, and how far back from the last its
// time line stands. The run is made again from a START on a cleared canvas, as entering the mode
// leaves it, and opens paused at the event shown.
LessonHook firstStepHook(Program& program) {
    auto& s = program.screens().as<FirstStepScreen>(ScreenId::firststep);
    LessonHook h;
    h.values = {{QStringLiteral("event"), 0, LabAnimation::kLastCountedEvent},
                {QStringLiteral("eventsBack"), 0, LabAnimation::kLastDrawnEvent}};
    h.read = [&s] {
        const LabAnimation& a = s.lab().animation();
        const int last = labLastShownEvent(a);
        return std::vector<int>{std::min(a.labKept, LabAnimation::kLastCountedEvent),
                                last - std::min(a.labTick, last)};
    };
    h.replay = [&s](const std::vector<int>& v) {
        if (v[0] == 0 || !s.Option2->isChecked()) return;
        CurveLab& lab = s.lab();
        lab.firststep_Option2_Click();
        s.Command1->click();
        while (lab.animation().labKept < v[0] && s.Timer1->isEnabled()) s.Timer1->tick();
        if (s.Timer1->isEnabled()) s.PAUSE->click();
        if (v[1] > 0) lab.showEvent(labLastShownEvent(lab.animation()) - v[1]);
    };
    return h;
}

// A graph of the run of both frames is drawn again by its button on the "rotating" screen, from
// the run made there. The work chart's range button is pressed as often as it was, up to twice:
// 0 the full range as first drawn, 1 half of it, 2 the full range drawn again. An animated graph
// shows the moment it showed, counted back from its last point, and stands paused there.
LessonHook graphHook(Program& program, ScreenId id, QPushButton* BothFramesScreen::*button) {
    auto& rotating = program.screens().as<BothFramesScreen>(ScreenId::rotating);
    auto& graph = program.screens().as<GraphScreen>(id);
    auto* chart =
        id == ScreenId::base_centrafugal ? &static_cast<WorkChartScreen&>(graph) : nullptr;
    LessonHook h;
    h.values = {{QStringLiteral("drawn"), 0, 1}};
    if (chart) h.values.push_back({QStringLiteral("range"), 0, 2});
    if (graph.timeLine) h.values.push_back({QStringLiteral("pointsBack"), 0, kMaxBothFramesPoints});
    h.read = [&rotating, &graph, chart] {
        std::vector<int> v{rotating.runTable().rows.empty() ? 0 : 1};
        if (chart) {
            const QString caption = chart->Command1->text();
            v.push_back(caption == QString::fromUtf8(kInitialRangeCaption) ? 1
                        : caption == QString::fromUtf8(kHalfRangeCaption)  ? 2
                                                                           : 0);
        }
        if (graph.timeLine) {
            const PointAnimation& a = graph.animation();
            v.push_back(std::max(0, std::max(a.last, 0) - a.shown()));
        }
        return v;
    };
    h.replay = [&rotating, &graph, chart, button](const std::vector<int>& v) {
        if (v[0] != 1 || rotating.runTable().rows.empty()) return;
        (rotating.*button)->click();
        if (chart)
            for (int i = 0; i < v[1]; ++i) chart->Command1->click();
        if (graph.timeLine) graph.showMoment(std::max(graph.animation().last, 0) - v[1]);
    };
    return h;
}
}  // namespace

std::optional<LessonHook> ScreenFactories::lessonHook(ScreenId id, Program& program) {
    switch (id) {
        case ScreenId::firststep: return firstStepHook(program);
        case ScreenId::exigisi2: return diskHook(program);
        case ScreenId::exigisirelative: return relativeHook(program);
        case ScreenId::rotating: return bothFramesHook(program);
        case ScreenId::base_centrafugal:
            return graphHook(program, id, &BothFramesScreen::base_centrafugalwork);
        case ScreenId::goniakigraph: return graphHook(program, id, &BothFramesScreen::goniakiarxi);
        case ScreenId::velocitytimes: return graphHook(program, id, &BothFramesScreen::Grafikhvel);
        case ScreenId::xronikh: return graphHook(program, id, &BothFramesScreen::enarxixronou);
        case ScreenId::xronoorbit: return graphHook(program, id, &BothFramesScreen::xronotroxia);
        default: return std::nullopt;
    }
}

}  // namespace velarium
