#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <cmath>

#include "disk/RotatingDiskScreen.h"
#include "energy/GraphScreen.h"
#include "energy/RotatingScreen.h"
#include "shell/Navigation.h"
#include "support/ScreenSupport.h"

using namespace velarium;
using velarium::test::TestProgram;

class RotatingScreenTest : public QObject {
    Q_OBJECT

    static RotatingScreen& rotating(TestProgram& t) {
        return t.screen<RotatingScreen>(ScreenId::rotating);
    }
    static GraphScreen& graph(TestProgram& t, ScreenId id) { return t.screen<GraphScreen>(id); }
    static WorkChartScreen& chart(TestProgram& t) {
        return t.screen<WorkChartScreen>(ScreenId::base_centrafugal);
    }
    static QStringList shown(TestProgram& t, ScreenId id) {
        return graph(t, id).picture->shownText().split(QLatin1Char('\n'));
    }
    static void checkScrollBar(QScrollBar* b, int lo, int hi, int large, int value) {
        QCOMPARE(b->minimum(), lo);
        QCOMPARE(b->maximum(), hi);
        QCOMPARE(b->singleStep(), 1);
        QCOMPARE(b->pageStep(), large);
        QCOMPARE(b->value(), value);
    }

private slots:
    void initTestCase() { velarium::test::prepareScreenTests(); }

    void loadWritesTheLoadTimePatterns() {
        TestProgram t;
        auto& s = rotating(t);
        QCOMPARE(s.windowTitle(), QStringLiteral("Simulation of both frames - Variables"));
        checkScrollBar(s.xronosolikos, 1, 40, 1, 4);
        checkScrollBar(s.timeinterval, 1, 10, 1, 5);
        checkScrollBar(s.syntelfri, 0, 10, 5, 10);
        checkScrollBar(s.massvalue, 1, 20, 2, 1);
        QCOMPARE(s.Label1->text(), QStringLiteral("Total Time= 4X Τ"));
        QCOMPARE(s.Label2->text(), QStringLiteral("Interval dt = 0.00400"));
        QCOMPARE(s.Label3->text(), QStringLiteral("Friction Coefficient= 1.00"));
        QCOMPARE(s.Label4->text(), QStringLiteral("Mass=0.5"));
        QVERIFY(!s.dialogi->isChecked());
        QCOMPARE(s.dialogi->text(), QStringLiteral("The base is not influenced"));
        const std::pair<QPushButton*, const char*> buttons[] = {
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
        QCOMPARE(s.Label5->text(),
                 QStringLiteral("Observe the evolution  of the position of the body in ROTATING "
                                "(blue)  andi in INERTIAL (red) FRAMES"));
        QCOMPARE(s.Label6->text(),
                 QStringLiteral("Observe the work in the rotating frame, then thw WORK OF FRICTION "
                                "PLUS THE WORK OF CENTRIFUGAL  is no equal to the change in "
                                "KINETIC ENERGY in case of change ANGULAR VELOCITY OF  THE BASE"));
        QCOMPARE(s.Label7->text(), QStringLiteral("iF THE base is not rotating with a stable rate "
                                                  "then the angular momentum is constant"));
        QCOMPARE(s.Label8->text(),
                 QStringLiteral("The velocity in the INERTIAL frame : Absolute and Relative, and "
                                "the speed. The same  entities in the ROTATING frame."));
        QCOMPARE(s.Label9->text(),
                 QStringLiteral("Observe the ANGLE between then vectors of velocity and "
                                "acceleration. If the movement is decelerating then the angle is "
                                ">90°, otherwise it is <90° when the speed increases"));
        QCOMPARE(s.Label10->text(),
                 QStringLiteral("Graphical representation of the angle of base vs time. Observe "
                                "that for constant angular momentum the graph is a line."));
        QCOMPARE(s.xronosolikos->accessibleName(), QStringLiteral("Total time"));
    }

    void changesWriteTheChangePatterns() {
        TestProgram t;
        auto& s = rotating(t);
        test::setSlider(*s.xronosolikos, 40);
        QCOMPARE(s.Label1->text(), QStringLiteral("Total time = 40X period"));
        // dt = 1/1250 = 0.0008 shows as 0.001.
        test::setSlider(*s.timeinterval, 1);
        QCOMPARE(s.Label2->text(), QStringLiteral("Interval dt = 0.001"));
        test::setSlider(*s.syntelfri, 3);
        QCOMPARE(s.Label3->text(), QStringLiteral("Friction Coefficient= 0.30"));
        test::setSlider(*s.massvalue, 20);
        QCOMPARE(s.Label4->text(), QStringLiteral("Mass=10"));
        // m = 0.5 with the pattern "0": a half rounds up.
        test::setSlider(*s.massvalue, 1);
        QCOMPARE(s.Label4->text(), QStringLiteral("Mass=1"));
        s.dialogi->click();
        QCOMPARE(s.dialogi->text(), QStringLiteral("The base is influenced"));
        s.dialogi->click();
        QCOMPARE(s.dialogi->text(), QStringLiteral("The base is not influenced"));
        // A change takes effect at the next run only.
        QCOMPARE(t.program.disk().params.pointCount, 0);
    }

    void simulationShowsTheScreenAndTheRunsGraphs() {
        TestProgram t;
        openSimulation(t.program);
        auto& s = rotating(t);
        const QRect d = Program::display();
        QVERIFY(s.isVisible());
        QCOMPARE(s.pos(), QPoint(d.left(), d.top() + d.height() / 2));
        QCOMPARE(s.size(), QSize(static_cast<int>(0.85 * d.width()), d.height() / 2));
        auto& orbits = graph(t, ScreenId::x_ygraph);
        QVERIFY(orbits.isVisible());
        QCOMPARE(orbits.windowTitle(), QStringLiteral("Graphs of the orbits"));
        QCOMPARE(orbits.pos(), d.topLeft());
        QCOMPARE(orbits.size(), QSize(d.width() / 2, d.height() / 2));
        // The canvas fills its screen at the first drawing.
        QCOMPARE(orbits.picture->size(), orbits.size());
        QCOMPARE(orbits.picture->snapshot().size(),
                 orbits.size() * orbits.picture->devicePixelRatioF());
        // A screen reader reads the legend as the picture's description, in a window.
        QAccessibleInterface* picture = QAccessible::queryAccessibleInterface(orbits.picture);
        QCOMPARE(picture->text(QAccessible::Name), QStringLiteral("Orbits in both frames"));
        QCOMPARE(picture->text(QAccessible::Description),
                 QStringLiteral("INERTIAL SYSTEM\nROTATING SYSTEM"));
        QCOMPARE(QAccessible::queryAccessibleInterface(&orbits)->role(), QAccessible::Window);
        // Equal units in both directions.
        const double unitsPerPixelX = orbits.picture->scaleWidth() / orbits.picture->width();
        const double unitsPerPixelY = -orbits.picture->scaleHeight() / orbits.picture->height();
        QVERIFY(std::abs(unitsPerPixelX - unitsPerPixelY) < 1e-12);
        auto& angle = graph(t, ScreenId::goniaxronos);
        QVERIFY(angle.isVisible());
        QCOMPARE(angle.pos(), d.topLeft());
        QCOMPARE(angle.size(), QSize(static_cast<int>(0.85 * d.width()), d.height() / 2));
        QVERIFY(shown(t, ScreenId::goniaxronos).contains(QStringLiteral("0.00")));
        QCOMPARE(t.program.disk().params.pointCount, 786);
        QCOMPARE(s.lastRun().rows, 786);
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
        QCOMPARE(static_cast<int>(t.program.disk().params.pointCount), 5000);
        QCOMPARE(t.program.disk().params.stepH, 4 * std::atan(1.0) / 1000);
        // The next run uses the rewritten value, dt = 0.0032: round(5π/0.0032 + 1) = 4910.
        s.epanalipsi->click();
        QCOMPARE(s.Label2->text(), QStringLiteral("Timeinterval = 0.00320"));
        QCOMPARE(static_cast<int>(t.program.disk().params.pointCount), 4910);
    }

    void repeatCoversTheOrbitAgainstTimeScreen() {
        TestProgram t;
        rotating(t).epanalipsi->click();
        const QImage image = graph(t, ScreenId::xronoorbit).picture->snapshot();
        QCOMPARE(image.pixelColor(image.width() / 2, image.height() / 2), QColor(170, 170, 150));
    }

    void pendulumChoiceOfTheDiskScreenReachesTheRun() {
        TestProgram t;
        t.screen<RotatingDiskScreen>(ScreenId::exigisi2).FOUCAULTV0->trigger();
        QVERIFY(t.program.disk().params.pendulumChosen);
        rotating(t).epanalipsi->click();
        QCOMPARE(t.program.disk().params.springK, 40.0);
        t.screen<RotatingDiskScreen>(ScreenId::exigisi2).EPANELAVE->trigger();
        QVERIFY(!t.program.disk().params.pendulumChosen);
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
        QCOMPARE(c.Command1->geometry().right(), c.width() - 1);
        QCOMPARE(c.Command1->y(), 0);
        const double top = c.state().chartMax;
        QVERIFY(top > 0);
        QCOMPARE(c.picture->scaleTop(), 1.5 * top);
        QStringList texts = shown(t, ScreenId::base_centrafugal);
        QVERIFY(texts.contains(QStringLiteral("WORK OF FORCE DUE TO ACCELERATION OF BASE")));
        QVERIFY(texts.contains(QStringLiteral("KINETIC EN. IN INERTIAL")));

        c.Command1->click();
        QCOMPARE(c.Command1->text(), QStringLiteral("ΑΡΧΙΚΟ"));
        QCOMPARE(c.picture->scaleTop(), 1.5 * top / 2);
        texts = shown(t, ScreenId::base_centrafugal);
        QVERIFY(texts.contains(QStringLiteral("WORK DUE TO BASE ACCELERATION")));
        QVERIFY(texts.contains(QStringLiteral("WORK OF CENTRIFUBAL")));

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
        s.goniakiarxi->click();
        QVERIFY(shown(t, ScreenId::goniakigraph).contains(QStringLiteral("ω final = 2.00")));
        s.Grafikhvel->click();
        QVERIFY(shown(t, ScreenId::velocitytimes).contains(QStringLiteral("VX Inertial frame")));
        s.enarxixronou->click();
        s.xronotroxia->click();
        s.gonxro->click();
        for (ScreenId id :
             {ScreenId::base_centrafugal, ScreenId::goniakigraph, ScreenId::velocitytimes,
              ScreenId::xronikh, ScreenId::xronoorbit, ScreenId::goniaxronos}) {
            QCOMPARE(graph(t, id).picture->refusedCount(), 0);
            QVERIFY(!graph(t, id).animating());
        }
        QCOMPARE(t.program.disk().params.pointCount, 0);
    }

    void angularVelocityGraphOfABaseThatKeepsItsRate() {
        TestProgram t;
        auto& s = rotating(t);
        s.epanalipsi->click();
        s.goniakiarxi->click();
        auto& g = graph(t, ScreenId::goniakigraph);
        QVERIFY(g.isVisible());
        const QRect d = Program::display();
        QCOMPARE(g.pos(), d.topLeft());
        QCOMPARE(g.size(), QSize(static_cast<int>(0.85 * d.width()), d.height() / 2));
        const QStringList texts = shown(t, ScreenId::goniakigraph);
        QVERIFY(
            texts.contains(QStringLiteral("Angular velocity calculated by the motion equations")));
        QVERIFY(texts.contains(
            QStringLiteral("Angular velocity calculated by Angular Momentum conservation")));
        QCOMPARE(texts.last(), QStringLiteral("ω final = 2.00"));
    }

    void vectorAnimationRunsOnTheTimerAndStops() {
        TestProgram t;
        auto& s = rotating(t);
        s.epanalipsi->click();
        s.enarxixronou->click();
        auto& v = graph(t, ScreenId::xronikh);
        QVERIFY(v.isVisible());
        QCOMPARE(v.width(), GraphScreen::vectorGraphSide());
        QCOMPARE(v.height(), GraphScreen::vectorGraphSide());
        QCOMPARE(v.picture->backColor(), (Rgb{150, 150, 150}));
        QVERIFY(v.animating());
        QVERIFY(v.Timer1->realPeriod() >= ScreenTimer::kMinimumPeriodMs);
        for (int i = 0; i < 5; ++i) v.Timer1->tick();
        QCOMPARE(v.animation().next, 6);
        QVERIFY(shown(t, ScreenId::xronikh).contains(QStringLiteral("VELOCITY")));
        QVERIFY(shown(t, ScreenId::xronikh).contains(QStringLiteral("FORCE")));
        // A new click starts again from the first point.
        s.enarxixronou->click();
        QCOMPARE(v.animation().next, 1);
        // REPEAT rewrites the tables: the animation stops.
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
    }

    void orbitAgainstTimeGrowsPointByPoint() {
        TestProgram t;
        auto& s = rotating(t);
        s.epanalipsi->click();
        s.xronotroxia->click();
        auto& o = graph(t, ScreenId::xronoorbit);
        QVERIFY(o.isVisible());
        QCOMPARE(o.picture->backColor(), (Rgb{200, 200, 200}));
        QVERIFY(o.animating());
        while (o.animating()) o.Timer1->tick();
        QCOMPARE(o.animation().next, o.animation().last + 1);
        QCOMPARE(o.picture->refusedCount(), 0);
    }

    void backReturnsToTheIntroduction() {
        TestProgram t;
        auto& s = rotating(t);
        openSimulation(t.program);
        s.enarxixronou->click();
        s.gonxro->click();
        QVERIFY(graph(t, ScreenId::goniaxronos).isVisible());
        s.Command1->click();
        QVERIFY(t.screen(ScreenId::EISAGOGIKI).isVisible());
        QVERIFY(!s.isVisible());
        QVERIFY(!graph(t, ScreenId::xronikh).isVisible());
        QVERIFY(!graph(t, ScreenId::xronikh).animating());
    }

    void endEndsTheProgram() {
        TestProgram t;
        openSimulation(t.program);
        rotating(t).telos->click();
        QVERIFY(t.program.ended());
        QVERIFY(!rotating(t).isVisible());
    }
};

QTEST_MAIN(RotatingScreenTest)
#include "RotatingScreenScreenTest.moc"
