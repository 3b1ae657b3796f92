#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QtTest>
#include <cmath>
#include <numbers>

#include "app/CurveLab.h"
#include "app/FirstStepScreen.h"
#include "support/ScreenSupport.h"

using namespace velarium;
using velarium::test::pressCanvas;
using velarium::test::releaseCanvas;
using velarium::test::setSlider;

namespace {
const QString kLabTextStart = QStringLiteral(
    "The centripetal acceleration has a direction towards the concave of the curve.  You can "
    "study");
const QString kRadiusText = QStringLiteral(
    "The centripetal acceleration is directed towards the concave of the curve. The TANGENTIAL "
    "acceleration is directed according to the tangent, the circles are drawn with a radius "
    "=RADIUS OF CURVATURE.");
const QString kPointRadiusText = QStringLiteral(
    "The centripetal acceleration is directed towards the concave part of the curve. The "
    "TANGENTIAL is tangent to the curve, the circles are drawn with radius = RADIUS OF "
    "CURVATURE.");
const QString kPressText = QStringLiteral(
    "The centripetal acceleration has a direction towards the concave of the curve. If the speed "
    "changes there is a component tangent to the curve, the circles are plotted according to the "
    "radius of curvature.");
}  // namespace

class CurveLabScreenTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TestProgram> tp;
    FirstStepScreen* s = nullptr;

    void expectFlags(bool radius, bool force) {
        QCOMPARE(s->DYNAMEISDIAFORES->isChecked(), radius);
        QCOMPARE(s->GUESSFORCE->isChecked(), force);
    }
    QImage picture() { return s->eikona->snapshot(); }

private slots:
    void initTestCase() { test::prepareScreenTests(); }

    void init() {
        test::failOnWarnings();
        tp = std::make_unique<test::TestProgram>();
        s = &tp->screen<FirstStepScreen>(ScreenId::firststep);
        s->show();
        QVERIFY(QTest::qWaitForWindowExposed(s));
    }
    void cleanup() {
        QVERIFY(tp->messages.empty());
        tp.reset();
        s = nullptr;
    }

    void accelerationDisplayFromTheMenu() {
        s->GUESSFORCE->setChecked(true);
        s->campyles->trigger();
        expectFlags(false, false);
        for (QWidget* w : {static_cast<QWidget*>(s->syxnotikamp), static_cast<QWidget*>(s->Label2),
                           static_cast<QWidget*>(s->epitaxyno), static_cast<QWidget*>(s->Label3),
                           static_cast<QWidget*>(s->Label1), static_cast<QWidget*>(s->platosvalue),
                           static_cast<QWidget*>(s->arxikives), static_cast<QWidget*>(s->Label4),
                           static_cast<QWidget*>(s->Option2), static_cast<QWidget*>(s->Option3)})
            QVERIFY2(w->isVisible(), qPrintable(w->objectName()));
        QVERIFY(!s->Command1->isVisible());
        QVERIFY(!s->Option1->isVisible());
        QVERIFY(s->Option3->isChecked());
        QVERIFY(!s->Option1->isChecked());
        QVERIFY(!s->Option2->isChecked());
        QCOMPARE(s->Label2->text(), QStringLiteral("Frequency=1.5"));
        QCOMPARE(s->Label3->text(), QStringLiteral("Tangential acceleration= 2.00"));
        QCOMPARE(s->Label1->text(), QStringLiteral("AMPLITUDE=2.0"));
        QCOMPARE(s->Label4->text(), QStringLiteral("Initial speed = 3"));
        QVERIFY(s->Text1->toPlainText().startsWith(kLabTextStart));
        QVERIFY(!s->Timer1->isEnabled());
    }

    void sliderChangesRedrawAndSetTheirReadouts() {
        s->campyles->trigger();
        const QImage before = picture();
        setSlider(*s->platosvalue, 35);
        QCOMPARE(s->Label1->text(), QStringLiteral("AMPLITUDE =3.5"));
        QVERIFY(picture() != before);
        setSlider(*s->syxnotikamp, 60);
        QCOMPARE(s->Label2->text(), QStringLiteral("Frequency=6.0"));
        setSlider(*s->arxikives, 0);
        QCOMPARE(s->Label4->text(), QStringLiteral("Initial speed= 0"));
        setSlider(*s->epitaxyno, 35);
        QCOMPARE(s->Label3->text(), QStringLiteral("Tangential Acceleration= 3.5"));
        // Entering again gives the entry texts.
        s->Option3->click();
        QCOMPARE(s->Label1->text(), QStringLiteral("AMPLITUDE=3.5"));
        QCOMPARE(s->Label3->text(), QStringLiteral("Tangential acceleration= 3.50"));
        QCOMPARE(s->Label4->text(), QStringLiteral("Initial speed = 0"));
        QCOMPARE(s->eikona->refusedCount(), 0L);
    }

    void timeModeRunsAlongThePath() {
        s->campyles->trigger();
        s->DYNAMEISDIAFORES->setChecked(true);
        s->Option2->click();
        expectFlags(false, false);
        QVERIFY(s->Option2->isChecked());
        QVERIFY(s->Command1->isVisible());
        for (QWidget* w : {static_cast<QWidget*>(s->syxnotikamp),
                           static_cast<QWidget*>(s->platosvalue), static_cast<QWidget*>(s->Label1),
                           static_cast<QWidget*>(s->Label2), static_cast<QWidget*>(s->epitaxyno),
                           static_cast<QWidget*>(s->Label3), static_cast<QWidget*>(s->arxikives)})
            QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
        QVERIFY(s->Label4->isVisible());
        QCOMPARE(s->Timer1->interval(), 1);
        QVERIFY(!s->Timer1->isEnabled());

        s->Timer1->tick();  // a disabled timer delivers nothing
        QCOMPARE(s->lab().labTick(), 0);
        s->Command1->click();
        QVERIFY(s->Timer1->isEnabled());
        for (int i = 0; i < 60; ++i) s->Timer1->tick();
        const LabAnimation& a = s->lab().animation();
        QCOMPARE(a.labTick, 60);
        QCOMPARE(a.labTime, 3.0);
        QVERIFY(a.labTrailX[60] > 0);
        // It stops once the body has passed x = 30.
        int events = 60;
        while (s->Timer1->isEnabled() && events < 2000) {
            s->Timer1->tick();
            ++events;
        }
        QVERIFY(!s->Timer1->isEnabled());
        QVERIFY(a.labTrailX[a.labTick] > 30);
        // START again restarts from event 0.
        s->Command1->click();
        QCOMPARE(s->lab().labTick(), 0);
        s->Timer1->tick();
        QCOMPARE(s->lab().labTick(), 1);
        // Entering the acceleration display stops the run.
        s->Option3->click();
        QVERIFY(!s->Timer1->isEnabled());
        QCOMPARE(s->lab().labTick(), 0);
        QCOMPARE(s->eikona->refusedCount(), 0L);
    }

    // PAUSE and RESUME go on where the run stood: the picture of a run never paused. Keys on the
    // time line show the events they reach, with the read-out a screen reader hears (the events
    // shown are checked against runs to them in LabShowEvent), and RESUME goes on from there.
    void timeModePausesAndTheTimeLineShowsAnyEvent() {
        test::TestProgram other;
        FirstStepScreen* runs[] = {s, &other.screen<FirstStepScreen>(ScreenId::firststep)};
        for (FirstStepScreen* f : runs) {
            f->show();
            f->campyles->trigger();
            setSlider(*f->arxikives, 1);  // slow enough to stay on the canvas past event 120
            setSlider(*f->epitaxyno, 2);
            f->Option2->click();
            f->Command1->click();
        }
        auto ticks = [](FirstStepScreen& f, int n) {
            for (int i = 0; i < n; ++i) f.Timer1->tick();
        };
        FirstStepScreen& straight = *runs[1];
        ticks(straight, 120);
        ticks(*s, 50);
        s->PAUSE->click();
        QCOMPARE(s->PAUSE->text(), QStringLiteral("RESUME"));
        ticks(*s, 30);
        s->PAUSE->click();
        ticks(*s, 70);
        QCOMPARE(test::recordLines(*s->eikona), test::recordLines(*straight.eikona));

        const std::pair<Qt::Key, int> keys[] = {{Qt::Key_Home, 0},    {Qt::Key_Right, 1},
                                                {Qt::Key_PageUp, 11}, {Qt::Key_End, 120},
                                                {Qt::Key_Left, 119},  {Qt::Key_PageDown, 109}};
        for (const auto& [key, event] : keys) {
            QTest::keyClick(s->timeLine->slider, key);
            QCOMPARE(s->lab().labTick(), event);
            QVERIFY(!s->Timer1->isEnabled());
            QCOMPARE(s->timeLine->readOut->text(), TimeLine::readOutText(event, 0.05 * event));
            QCOMPARE(s->timeLine->slider->accessibleDescription(), s->timeLine->readOut->text());
        }
        s->PAUSE->click();
        ticks(*s, 11);
        QCOMPARE(s->eikona->shownText(), straight.eikona->shownText());
        // A run stopped past x = 30 goes on only from an earlier event; the acceleration display
        // hides the run's controls.
        ticks(*s, 2000);
        QVERIFY(s->lab().animation().ended() && !s->PAUSE->isVisible());
        s->timeLine->slider->setValue(5);
        QVERIFY(s->PAUSE->isVisible());
        s->Option3->click();
        QVERIFY(!s->PAUSE->isVisible() && !s->timeLine->slider->isVisible());
    }

    void runKeepsDrawingInTheOtherModes() {
        s->campyles->trigger();
        s->Option2->click();
        s->Command1->click();
        s->Timer1->tick();
        s->DYNAMEISDIAFORES->trigger();
        expectFlags(true, false);
        s->Timer1->tick();
        s->GUESSFORCE->trigger();
        expectFlags(false, true);
        s->Timer1->tick();
        QCOMPARE(s->lab().labTick(), 3);
        QVERIFY(s->Timer1->isEnabled());
    }

    void radiusOfCurvature() {
        s->campyles->trigger();
        s->DYNAMEISDIAFORES->trigger();
        expectFlags(true, false);
        QCOMPARE(s->Text1->toPlainText(), kRadiusText);
        // A press only explains; the release shows the construction at the point.
        pressCanvas(*s->eikona, 6, 2);
        QCOMPARE(s->Text1->toPlainText(), kPressText);
        releaseCanvas(*s->eikona, 6, 2);
        QCOMPARE(s->Text1->toPlainText(), kPointRadiusText);
        QVERIFY(s->lab().forcePress().pressOnCurve);
        releaseCanvas(*s->eikona, 6, -5);
        QVERIFY(!s->lab().forcePress().pressOnCurve);
        QCOMPARE(s->Text1->toPlainText(), kRadiusText);
    }

    void pressWithoutAModeOnlyExplains() {
        const QImage before = picture();
        pressCanvas(*s->eikona, 6, 2);
        releaseCanvas(*s->eikona, 6, 2, Qt::ShiftModifier);
        QCOMPARE(s->Text1->toPlainText(), kPressText);
        QCOMPARE(picture(), before);
    }

    void forceExercise_data() {
        QTest::addColumn<double>("pressY");
        QTest::addColumn<int>("mods");
        QTest::addColumn<bool>("judged");
        QTest::newRow("shift") << 2.0 << int(Qt::ShiftModifier) << true;
        QTest::newRow("no modifier") << 2.0 << int(Qt::NoModifier) << false;
        QTest::newRow("shift ctrl") << 2.0 << int(Qt::ShiftModifier | Qt::ControlModifier) << false;
        QTest::newRow("shift alt") << 2.0 << int(Qt::ShiftModifier | Qt::AltModifier) << false;
        QTest::newRow("ctrl") << 2.0 << int(Qt::ControlModifier) << false;
        QTest::newRow("off the path") << 2.2 << int(Qt::ShiftModifier) << false;
    }

    void forceExercise() {
        QFETCH(double, pressY);
        QFETCH(int, mods);
        QFETCH(bool, judged);
        s->campyles->trigger();
        s->GUESSFORCE->trigger();
        expectFlags(false, true);
        QVERIFY(s->Text1->toPlainText().startsWith(kLabTextStart));
        pressCanvas(*s->eikona, 6, pressY);
        QCOMPARE(s->lab().forcePress().pressOnCurve, pressY == 2.0);
        if (pressY == 2.0)
            QVERIFY(s->Text1->toPlainText().startsWith(
                QStringLiteral("Click on the diagram so that the vectors FRCTION")));
        else
            QCOMPARE(s->Text1->toPlainText(), kRadiusText);
        const QImage pressed = picture();
        QTest::mouseMove(s->eikona, test::canvasPixel(*s->eikona, 6.5, 0));
        releaseCanvas(*s->eikona, 6.5, 0, Qt::KeyboardModifiers(mods));
        QCOMPARE(picture() != pressed, judged);
        QCOMPARE(s->eikona->refusedCount(), 0L);
    }

    // Every control of the lab, at random and at the extremes, while the run goes on: nothing
    // unsound reaches the canvas and no handler takes long.
    void randomDriveStaysSound() {
        QRandomGenerator rng(20261208);
        QScrollBar* bars[] = {s->platosvalue, s->syxnotikamp, s->arxikives, s->epitaxyno};
        QAction* entries[] = {s->campyles, s->GUESSFORCE, s->DYNAMEISDIAFORES};
        const Qt::KeyboardModifiers mods[] = {Qt::NoModifier, Qt::ShiftModifier,
                                              Qt::ShiftModifier | Qt::ControlModifier,
                                              Qt::ShiftModifier | Qt::AltModifier};
        qint64 slowest = 0;
        for (int i = 0; i < 1500; ++i) {
            QElapsedTimer clock;
            clock.start();
            switch (rng.bounded(7)) {
                case 0: {
                    QScrollBar* b = bars[rng.bounded(4)];
                    const int pick = rng.bounded(3);
                    setSlider(*b, pick == 0   ? b->minimum()
                                  : pick == 1 ? b->maximum()
                                              : rng.bounded(b->minimum(), b->maximum() + 1));
                    break;
                }
                case 1: entries[rng.bounded(3)]->trigger(); break;
                case 2: (rng.bounded(2) ? s->Option2 : s->Option3)->click(); break;
                case 3: s->Command1->click(); break;
                case 4: {
                    const double x = rng.bounded(20.0);
                    const double y =
                        rng.bounded(2)
                            ? 0.1 * s->platosvalue->value() *
                                  std::sin(x * s->syxnotikamp->value() * std::numbers::pi / 180)
                            : rng.bounded(20.0) - 10;
                    pressCanvas(*s->eikona, x, y, mods[rng.bounded(4)]);
                    releaseCanvas(*s->eikona, rng.bounded(20.0), rng.bounded(20.0) - 10,
                                  mods[rng.bounded(4)]);
                    break;
                }
                default:
                    for (int t = 0; t < 20; ++t) s->Timer1->tick();
            }
            slowest = std::max(slowest, clock.elapsed());
            QCOMPARE(s->eikona->refusedCount(), 0L);
        }
        QVERIFY2(slowest < 1000, qPrintable(QString::number(slowest)));
    }
};

QTEST_MAIN(CurveLabScreenTest)
#include "CurveLabScreenTest.moc"
