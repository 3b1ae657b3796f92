#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <cmath>

#include "app/Navigation.h"
#include "disk/RotatingDiskScreen.h"
#include "energy/BothFramesScreen.h"
#include "energy/GraphScreen.h"
#include "support/ScreenSupport.h"

using namespace velarium;
using velarium::test::TestProgram;

class BothFramesScreenTest : public QObject {
    Q_OBJECT

    static BothFramesScreen& rotating(TestProgram& t) {
        return t.screen<BothFramesScreen>(ScreenId::rotating);
    }
    static GraphScreen& graph(TestProgram& t, ScreenId id) { return t.screen<GraphScreen>(id); }
    static WorkChartScreen& chart(TestProgram& t) {
        return t.screen<WorkChartScreen>(ScreenId::base_centrafugal);
    }
    static QStringList shown(TestProgram& t, ScreenId id) {
        return graph(t, id).picture->shownText().split(QLatin1Char('\n'));
    }

private slots:
    void initTestCase() { velarium::test::prepareScreenTests(); }
    void init() { velarium::test::failOnWarnings(); }

    // Each graph's sentence stands beside its button, whole, in a window high enough for that;
    // in one too low, under its button across the width, whole too; and beside it again when the
    // window grows back.
    void sentencesGoUnderTheirButtonsInALowWindow() {
        TestProgram t;
        auto& s = rotating(t);
        s.show();
        const std::pair<QPushButton*, QLabel*> rows[] = {
            {s.xronotroxia, s.Label5},  {s.base_centrafugalwork, s.Label6},
            {s.goniakiarxi, s.Label7},  {s.Grafikhvel, s.Label8},
            {s.enarxixronou, s.Label9}, {s.gonxro, s.Label10}};
        for (auto [size, under] : {std::pair{QSize(1600, 800), false},
                                   {QSize(640, 400), true},
                                   {QSize(1600, 800), false}}) {
            s.resize(size);
            QCoreApplication::processEvents();
            for (auto [button, sentence] : rows) {
                const QRect b = button->geometry(), l = sentence->geometry();
                QVERIFY2(under ? l.top() >= b.bottom() : l.left() >= b.right(),
                         qPrintable(sentence->objectName()));
                QVERIFY2(sentence->heightForWidth(l.width()) <= l.height(),
                         qPrintable(sentence->objectName() + QStringLiteral(" is cut")));
            }
        }
    }

    void loadWritesTheLoadTimePatterns() {
        TestProgram t;
        auto& s = rotating(t);
        QCOMPARE(s.windowTitle(), QStringLiteral("Simulation of both frames - Variables"));
        QCOMPARE(s.xronosolikos->accessibleName(), QStringLiteral("Total time"));
        // Range, large step and starting value of each scroll bar.
        const std::pair<QScrollBar*, std::array<int, 4>> bars[] = {
            {s.xronosolikos, {1, 40, 1, 4}},
            {s.timeinterval, {1, 10, 1, 5}},
            {s.syntelfri, {0, 10, 5, 10}},
            {s.massvalue, {1, 20, 2, 1}},
        };
        for (auto [b, v] : bars)
            QCOMPARE((std::array{b->minimum(), b->maximum(), b->pageStep(), b->value()}), v);
        const std::pair<QAbstractButton*, const char*> buttons[] = {
            {s.dialogi, "The base is not influenced"},
            {s.epanalipsi, "REPEAT"},
            {s.base_centrafugalwork, "Work and Energy vs Time"},
            {s.goniakiarxi, "Angular Velocity vs time"},
            {s.Grafikhvel, "Veocity vs Time"},
            {s.enarxixronou, "Vectors of Velocity and acceleration"},
            {s.xronotroxia, "Orbit vs time"},
            {s.gonxro, "Angle of Base vs time"},
            {s.Command1, "BACK"},
            {s.telos, "END"},
        };
        for (auto [b, caption] : buttons) QCOMPARE(b->text(), QString::fromUtf8(caption));
        const std::pair<QLabel*, const char*> labels[] = {
            {s.Label1, "Total Time= 1X Τ"},
            {s.Label2, "Interval dt = 0.00400"},
            {s.Label3, "Friction Coefficient= 1.00"},
            {s.Label4, "Mass=0.5"},
            {s.Label5,
             "Observe the evolution  of the position of the body in ROTATING (blue)  andi in "
             "INERTIAL (red) FRAMES"},
            {s.Label6,
             "Observe the work in the rotating frame, then thw WORK OF FRICTION PLUS THE WORK OF "
             "CENTRIFUGAL  is no equal to the change in KINETIC ENERGY in case of change ANGULAR "
             "VELOCITY OF  THE BASE"},
            {s.Label7,
             "iF THE base is not rotating with a stable rate then the angular momentum is "
             "constant"},
            {s.Label8,
             "The velocity in the INERTIAL frame : Absolute and Relative, and the speed. The same  "
             "entities in the ROTATING frame."},
            {s.Label9,
             "Observe the ANGLE between then vectors of velocity and acceleration. If the movement "
             "is decelerating then the angle is >90°, otherwise it is <90° when the speed "
             "increases"},
            {s.Label10,
             "Graphical representation of the angle of base vs time. Observe that for constant "
             "angular velocity the graph is a line."},
        };
        for (auto [l, text] : labels) QCOMPARE(l->text(), QString::fromUtf8(text));
    }

    void changesWriteTheChangePatterns() {
        TestProgram t;
        auto& s = rotating(t);
        // T = value·π/4 and the base's period is π: the bar counts quarter periods.
        const std::pair<int, const char*> totals[] = {
            {40, "Total time = 10X period"},
            {12, "Total time = 3X period"},
            {1, "Total time = 0.25X period"},
            {6, "Total time = 1.5X period"},
        };
        for (auto [value, text] : totals) {
            test::setSlider(*s.xronosolikos, value);
            QCOMPARE(s.Label1->text(), QString::fromUtf8(text));
        }
        // dt = 1/1250 = 0.0008 shows as 0.001.
        test::setSlider(*s.timeinterval, 1);
        QCOMPARE(s.Label2->text(), QStringLiteral("Interval dt = 0.001"));
        test::setSlider(*s.syntelfri, 3);
        QCOMPARE(s.Label3->text(), QStringLiteral("Friction Coefficient= 0.30"));
        // The mass the run uses, m = value/2, halves included.
        for (auto [value, text] : {std::pair{20, "Mass=10.0"}, {1, "Mass=0.5"}, {3, "Mass=1.5"}}) {
            test::setSlider(*s.massvalue, value);
            QCOMPARE(s.Label4->text(), QString::fromUtf8(text));
        }
        s.dialogi->click();
        QCOMPARE(s.dialogi->text(), QStringLiteral("The base is influenced"));
        s.dialogi->click();
        QCOMPARE(s.dialogi->text(), QStringLiteral("The base is not influenced"));
        // A change takes effect at the next run only.
        QCOMPARE(t.program.disk().tables.pointCount, 0);
    }

    void simulationShowsTheScreenAndTheRunsGraphs() {
        TestProgram t;
        openSimulation(t.program);
        QVERIFY(rotating(t).isVisible());
        auto& orbits = graph(t, ScreenId::x_ygraph);
        QVERIFY(orbits.isVisible());
        QCOMPARE(orbits.windowTitle(), QStringLiteral("Graphs of the orbits"));
        const QRect d = Program::display();
        QCOMPARE(orbits.frameGeometry().size(), QSize(d.width() / 2, d.height() / 2));
        // The canvas fills its screen at the first drawing.
        QCOMPARE(orbits.picture->size(), orbits.size());
        QCOMPARE(orbits.picture->snapshot().size(),
                 orbits.size() * orbits.picture->devicePixelRatioF());
        // A screen reader reads the legend as the picture's description, in a window.
        QAccessibleInterface* picture = QAccessible::queryAccessibleInterface(orbits.picture);
        QCOMPARE(picture->text(QAccessible::Name), QStringLiteral("Orbits in both frames"));
        QCOMPARE(picture->text(QAccessible::Description),
                 QStringLiteral("x\ny\nINERTIAL SYSTEM\nROTATING SYSTEM"));
        QCOMPARE(QAccessible::queryAccessibleInterface(&orbits)->role(), QAccessible::Window);
        // Equal units in both directions.
        const double unitsPerPixelX = orbits.picture->scaleWidth() / orbits.picture->width();
        const double unitsPerPixelY = -orbits.picture->scaleHeight() / orbits.picture->height();
        QVERIFY(std::abs(unitsPerPixelX - unitsPerPixelY) < 1e-12);
        auto& angle = graph(t, ScreenId::goniaxronos);
        QVERIFY(angle.isVisible());
        QVERIFY(shown(t, ScreenId::goniaxronos).contains(QStringLiteral("0.00")));
        // No window of the run opens over another.
        const QRect a = orbits.frameGeometry(), b = angle.frameGeometry();
        const QRect below = rotating(t).frameGeometry();
        QVERIFY(!a.intersects(b) && !a.intersects(below) && !b.intersects(below));
        QVERIFY(angle.width() > d.width() / 4);
        QCOMPARE(t.program.disk().tables.pointCount, 786);
        QCOMPARE(rotating(t).lastRun().rows, 786);
        QCOMPARE(orbits.picture->refusedCount(), 0);
        QCOMPARE(angle.picture->refusedCount(), 0);
        // The pendulum choice is read from the shared disk state, not from the disk screen.
        QVERIFY(!t.program.screens().exists(ScreenId::exigisi2));
    }

    void repeatBeyondTheLimitRewritesTheTimeInterval() {
        TestProgram t;
        auto& s = rotating(t);
        test::setSlider(*s.xronosolikos, 20);
        test::setSlider(*s.timeinterval, 1);
        s.epanalipsi->click();
        QCOMPARE(s.timeinterval->value(), 4);
        QCOMPARE(s.Label2->text(), QStringLiteral("Timeinterval = 0.00320"));
        QCOMPARE(static_cast<int>(t.program.disk().tables.pointCount), 5000);
        // The next run uses the rewritten value, dt = 0.0032: round(5π/0.0032 + 1) = 4910.
        s.epanalipsi->click();
        QCOMPARE(static_cast<int>(t.program.disk().tables.pointCount), 4910);
        // REPEAT covers the orbit-against-time screen.
        const QImage image = graph(t, ScreenId::xronoorbit).picture->snapshot();
        QCOMPARE(image.pixelColor(image.width() / 2, image.height() / 2), QColor(170, 170, 150));
    }

    // A second run draws into the windows as the first left them: a window resized on the way
    // would draw its old picture again at each size before the new one.
    void repeatLeavesTheGraphWindowsAsTheyStand() {
        TestProgram t;
        auto& s = rotating(t);
        s.epanalipsi->click();
        struct Resizes : QObject {
            int count = 0;
            bool eventFilter(QObject*, QEvent* e) override {
                count += e->type() == QEvent::Resize;
                return false;
            }
        } resizes;
        for (ScreenId id : {ScreenId::x_ygraph, ScreenId::goniaxronos})
            graph(t, id).installEventFilter(&resizes);
        const QRect orbits = graph(t, ScreenId::x_ygraph).geometry();
        s.epanalipsi->click();
        QCOMPARE(resizes.count, 0);
        QCOMPARE(graph(t, ScreenId::x_ygraph).geometry(), orbits);
    }

    void pendulumChoiceOfTheDiskScreenReachesTheRun() {
        TestProgram t;
        auto& disk = t.screen<RotatingDiskScreen>(ScreenId::exigisi2);
        disk.FOUCAULTV0->trigger();
        QVERIFY(t.program.disk().pendulumChosen);
        rotating(t).epanalipsi->click();
        QCOMPARE(t.program.disk().params.springK, 40.0);
        disk.EPANELAVE->trigger();
        QVERIFY(!t.program.disk().pendulumChosen);
        rotating(t).epanalipsi->click();
        QCOMPARE(t.program.disk().params.springK, 0.0);
    }

    void workChartButtonSwitchesBetweenFullAndHalfRange() {
        TestProgram t;
        auto& s = rotating(t);
        s.dialogi->click();
        s.massvalue->setValue(20);
        s.epanalipsi->click();
        s.base_centrafugalwork->click();
        auto& c = chart(t);
        QVERIFY(c.isVisible());
        QCOMPARE(c.windowTitle(),
                 QStringLiteral("Work and Energy in rotating and inertial frames"));
        QCOMPARE(c.Command1->text(), QStringLiteral("HALF MAXIMUM"));
        QCOMPARE(c.Command1->toolTip(),
                 QStringLiteral("Show half of the vertical range, to see the smaller works and "
                                "energies more closely"));
        const double top = c.state().chartMax;
        QVERIFY(top > 0);
        QCOMPARE(c.picture->scaleTop(), 1.5 * top);
        QVERIFY(shown(t, ScreenId::base_centrafugal)
                    .contains(QStringLiteral("WORK OF FORCE DUE TO ACCELERATION OF BASE")));

        c.Command1->click();
        QCOMPARE(c.Command1->text(), QStringLiteral("ΑΡΧΙΚΟ"));
        QCOMPARE(c.Command1->toolTip(), QStringLiteral("Show the full vertical range again"));
        QCOMPARE(c.picture->scaleTop(), 1.5 * top / 2);
        QVERIFY(shown(t, ScreenId::base_centrafugal)
                    .contains(QStringLiteral("WORK DUE TO BASE ACCELERATION")));

        c.Command1->click();
        QCOMPARE(c.Command1->text(), QStringLiteral("ΜΙΣΟ ΜΕΓΙΣΤΟΥ"));
        QCOMPARE(c.picture->scaleTop(), 1.5 * top);
        QCOMPARE(c.picture->refusedCount(), 0);
    }

    void chartAndGraphsBeforeAnyRunAreEmptyButLabelled() {
        TestProgram t;
        auto& s = rotating(t);
        s.base_centrafugalwork->click();
        QVERIFY(
            shown(t, ScreenId::base_centrafugal).contains(QStringLiteral("WORK OF CENTRIFUGAL")));
        chart(t).Command1->click();
        for (QPushButton* b :
             {s.goniakiarxi, s.Grafikhvel, s.enarxixronou, s.xronotroxia, s.gonxro})
            b->click();
        for (ScreenId id :
             {ScreenId::base_centrafugal, ScreenId::goniakigraph, ScreenId::velocitytimes,
              ScreenId::xronikh, ScreenId::xronoorbit, ScreenId::goniaxronos}) {
            QVERIFY(graph(t, id).isVisible());
            QCOMPARE(graph(t, id).picture->refusedCount(), 0);
            QVERIFY(!graph(t, id).animating());
        }
        // The graphs are empty but labelled.
        QVERIFY(shown(t, ScreenId::goniakigraph).contains(QStringLiteral("ω final = 2.00")));
        QVERIFY(shown(t, ScreenId::velocitytimes).contains(QStringLiteral("VX Inertial frame")));
        QCOMPARE(t.program.disk().tables.pointCount, 0);
    }

    void animationsRunOnTheTimerAndStop() {
        TestProgram t;
        auto& s = rotating(t);
        s.epanalipsi->click();
        s.enarxixronou->click();
        auto& v = graph(t, ScreenId::xronikh);
        QVERIFY(v.isVisible());
        QVERIFY(v.animating());
        QVERIFY(v.Timer1->realPeriod() >= ScreenTimer::kMinimumPeriodMs);
        for (int i = 0; i < 5; ++i) v.Timer1->tick();
        QCOMPARE(v.animation().next, 6);
        // A new click starts again from the first point.
        s.enarxixronou->click();
        QCOMPARE(v.animation().next, 1);
        // REPEAT rewrites the tables: the animation stops; so does hiding the screen.
        s.epanalipsi->click();
        QVERIFY(!v.animating());
        s.enarxixronou->click();
        v.hide();
        QVERIFY(!v.animating());
        // The animation ends at its last point.
        s.enarxixronou->click();
        const int last = v.animation().last;
        QCOMPARE(last, 786 - 3);
        for (int i = 0; i < last + 5; ++i) v.Timer1->tick();
        QVERIFY(!v.animating());
        QCOMPARE(v.picture->refusedCount(), 0);
        // The orbit against time grows point by point to its end.
        s.xronotroxia->click();
        auto& o = graph(t, ScreenId::xronoorbit);
        QVERIFY(o.isVisible());
        QVERIFY(o.animating());
        while (o.animating()) o.Timer1->tick();
        QCOMPARE(o.animation().next, o.animation().last + 1);
        QCOMPARE(o.picture->refusedCount(), 0);
    }

    // PAUSE and RESUME go on where the animation stood: the picture of one never paused. The
    // time line shows any moment, by keys as by a drag, paused there, and RESUME goes on from it
    // to the same end; a moment shown is what an animation run to it shows.
    void animationsPauseAndTheTimeLineShowsAnyMoment_data() {
        QTest::addColumn<int>("screen");
        QTest::newRow("vectors") << static_cast<int>(ScreenId::xronikh);
        QTest::newRow("orbit against time") << static_cast<int>(ScreenId::xronoorbit);
    }
    void animationsPauseAndTheTimeLineShowsAnyMoment() {
        QFETCH(int, screen);
        const auto id = static_cast<ScreenId>(screen);
        auto started = [id](TestProgram& t, int ticks) -> GraphScreen& {
            auto& s = rotating(t);
            s.epanalipsi->click();
            (id == ScreenId::xronikh ? s.enarxixronou : s.xronotroxia)->click();
            GraphScreen& g = graph(t, id);
            for (int i = 0; i < ticks; ++i) g.Timer1->tick();
            return g;
        };
        TestProgram other;
        GraphScreen& straight = started(other, 80);
        TestProgram t;
        GraphScreen& g = started(t, 40);
        const int last = g.animation().last;
        QCOMPARE(g.timeLine->slider->maximum(), last);
        g.PAUSE->click();
        QCOMPARE(g.PAUSE->text(), QStringLiteral("RESUME"));
        for (int i = 0; i < 10; ++i) g.Timer1->tick();
        g.PAUSE->click();
        for (int i = 0; i < 40; ++i) g.Timer1->tick();
        QCOMPARE(test::recordLines(*g.picture), test::recordLines(*straight.picture));
        QCOMPARE(g.timeLine->readOut->text(),
                 TimeLine::readOutText(80, 80 * t.program.disk().tables.stepH));

        QTest::keyClick(g.timeLine->slider, Qt::Key_Home);
        QVERIFY(g.animation().shown() == 0 && !g.animating());
        for (int moment : {0, 1, 37, last}) {
            g.timeLine->slider->setValue(moment);
            TestProgram fresh;
            GraphScreen& toMoment = started(fresh, moment);
            QCOMPARE(test::recordLines(*g.picture), test::recordLines(*toMoment.picture));
            QCOMPARE(g.picture->shownText(), toMoment.picture->shownText());
        }
        g.timeLine->slider->setValue(20);
        g.PAUSE->click();
        for (int i = 0; i < 60; ++i) g.Timer1->tick();
        QCOMPARE(test::recordLines(*g.picture), test::recordLines(*straight.picture));
        // A new run ends the animation and empties its time line.
        rotating(t).epanalipsi->click();
        QVERIFY(!g.PAUSE->isVisible());
        QCOMPARE(g.timeLine->slider->maximum(), 0);
    }

    void graphsKeepTheSettingsOfTheRunTheyShow() {
        // The default run, T = π, dt = 0.004; then the total-time bar moves without REPEAT.
        TestProgram t;
        auto& s = rotating(t);
        s.epanalipsi->click();
        const double total = s.lastRun().plan.totalTime;
        const double span = t.program.disk().tables.pointCount * t.program.disk().tables.stepH;
        test::setSlider(*s.xronosolikos, 40);
        auto right = [&](ScreenId id) {
            const CanvasWidget& c = *graph(t, id).picture;
            return c.scaleLeft() + c.scaleWidth();
        };
        s.base_centrafugalwork->click();
        QCOMPARE(right(ScreenId::base_centrafugal), 2.1 * total);
        chart(t).Command1->click();
        QCOMPARE(right(ScreenId::base_centrafugal), 2.1 * total);
        s.Grafikhvel->click();
        QCOMPARE(right(ScreenId::velocitytimes), 2 * span);
        s.goniakiarxi->click();
        QCOMPARE(right(ScreenId::goniakigraph), 1.1 * span);
    }

    void vectorGraphLeavesTheSettingsInView() {
        TestProgram t;
        auto& s = rotating(t);
        openSimulation(t.program);
        s.enarxixronou->click();
        auto& v = graph(t, ScreenId::xronikh);
        QVERIFY(v.isVisible());
        const QRect covered = v.frameGeometry();
        const QWidget* settings[] = {s.Label1,  s.xronosolikos, s.Label2,   s.timeinterval,
                                     s.Label3,  s.syntelfri,    s.Label4,   s.massvalue,
                                     s.dialogi, s.epanalipsi,   s.Command1, s.telos};
        for (const QWidget* w : settings) {
            const QRect place(w->mapToGlobal(QPoint(0, 0)), w->size());
            QVERIFY2(!covered.intersects(place), qPrintable(w->objectName()));
        }
        const QRect d = Program::display();
        QVERIFY(d.contains(covered));
    }

    void backReturnsToTheIntroductionAndEndEndsTheProgram() {
        {
            TestProgram t;
            auto& s = rotating(t);
            openSimulation(t.program);
            s.enarxixronou->click();
            s.gonxro->click();
            s.Command1->click();
            QVERIFY(t.screen(ScreenId::EISAGOGIKI).isVisible());
            QVERIFY(!s.isVisible());
            QVERIFY(!graph(t, ScreenId::xronikh).isVisible());
            QVERIFY(!graph(t, ScreenId::xronikh).animating());
        }
        TestProgram t;
        openSimulation(t.program);
        rotating(t).telos->click();
        QVERIFY(t.program.ended());
        QVERIFY(!rotating(t).isVisible());
    }
};

QTEST_MAIN(BothFramesScreenTest)
#include "BothFramesScreenTest.moc"
