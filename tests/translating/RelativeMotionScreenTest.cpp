#include <QtTest>

#include "shell/FirstStepScreen.h"
#include "shell/LessonHook.h"
#include "support/ScreenSupport.h"
#include "translating/RelativeMotionScreen.h"
#include "translating/RelativeRunTable.h"

using namespace velarium;
using velarium::test::setSlider;
using velarium::test::TestProgram;

namespace {

// Opens the screen from the start-up screen's menu entry and sizes it to the given window.
RelativeMotionScreen& openAt(TestProgram& t, int width, int height) {
    t.screen<FirstStepScreen>(ScreenId::firststep).SXETIKH_KINHSH->trigger();
    auto& s = t.screen<RelativeMotionScreen>(ScreenId::exigisirelative);
    s.resize(width, height);
    return s;
}

// A rectangle in the screen's units: left, top (from the bottom up), width, height.
QRectF inUnits(const QWidget& screen, const QWidget& w) {
    const QRect g = w.geometry();
    const double sx = screen.width() / 100.0;
    const double sy = screen.height() / 100.0;
    return {g.x() / sx, 100 - g.y() / sy, g.width() / sx, g.height() / sy};
}

void expectPlaced(const QWidget& screen, const QWidget& w, double l, double t, double wd,
                  double h) {
    const QRectF r = inUnits(screen, w);
    const double tol = 0.3;
    QVERIFY2(std::abs(r.x() - l) < tol && std::abs(r.y() - t) < tol &&
                 std::abs(r.width() - wd) < tol && std::abs(r.height() - h) < tol,
             qPrintable(w.objectName() + QStringLiteral(" at %1 %2 %3 %4")
                                             .arg(r.x())
                                             .arg(r.y())
                                             .arg(r.width())
                                             .arg(r.height())));
}

bool isWhite(const QImage& image) {
    const QRgb white = qRgb(255, 255, 255);
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3)
            if (image.pixel(x, y) != white) return false;
    return true;
}

}  // namespace

class RelativeMotionScreenTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { velarium::test::prepareScreenTests(); }
    void init() { velarium::test::failOnWarnings(); }

    void opensFullScreenWithProportionalLayout() {
        TestProgram t;
        t.screen<FirstStepScreen>(ScreenId::firststep).SXETIKH_KINHSH->trigger();
        auto& s = t.screen<RelativeMotionScreen>(ScreenId::exigisirelative);
        QVERIFY(s.isVisible());
        QCOMPARE(s.geometry(), Program::display());
        QCOMPARE(s.windowTitle(), QStringLiteral("EXPLANATIONS FOR RELATIVE MOTION"));
        for (QSize size : {QSize(1600, 1000), QSize(900, 640)}) {
            s.resize(size);
            expectPlaced(s, *s.eikona1, 2, 90, 40, 70);
            expectPlaced(s, *s.eikona2, 50, 90, 40, 70);
            expectPlaced(s, *s.Label1, 0, 20, 15, 5);
            expectPlaced(s, *s.epitaxynshx, 15, 15, 10, 3);
            expectPlaced(s, *s.taxythtay, 25, 20, 3, 15);
            expectPlaced(s, *s.arxikiy, 50, 5, 10, 3);
            expectPlaced(s, *s.Label8, 60, 5, 15, 3);
            expectPlaced(s, *s.mazatoysomatos, 55, 100, 15, 3);
            expectPlaced(s, *s.yscaleeikona1, 42, 93, 3, 70);
            expectPlaced(s, *s.xscaleeikona2, 50, 90, 40, 3);
            expectPlaced(s, *s.overallscale, 75, 15, 15, 3);
            QCOMPARE(inUnits(s, *s.labFrameHeading).topLeft().x(), 2.0);
            // Buttons in a row, each touching the one before.
            QCOMPARE(s.Command4->x(), 0);
            QCOMPARE(s.Command1->x(), s.Command4->geometry().right() + 1);
            QCOMPARE(s.Command2->x(), s.Command1->geometry().right() + 1);
            QCOMPARE(s.Command3->x(), s.Command2->geometry().right() + 1);
            QCOMPARE(s.Command5->x(), s.TELOSPRO->geometry().right() + 1);
            QCOMPARE(s.Command6->x(), s.Command5->geometry().right() + 1);
            QVERIFY(s.Command6->geometry().right() < s.width());
        }
        QVERIFY(s.labFrameHeading->font().bold());
        QVERIFY(s.movingFrameHeading->font().bold());
        QCOMPARE(s.labFrameHeading->text(), QStringLiteral("LAB FRAME"));
        QCOMPARE(s.movingFrameHeading->text(), QStringLiteral("MOVING FRAME"));
        QVERIFY(!s.eikona1->accessibleName().isEmpty());
        QVERIFY(!s.trivistoepipedo->accessibleName().isEmpty());
    }

    void captionsOnOpeningAndAfterAChange() {
        TestProgram t;
        auto& s = openAt(t, 1200, 800);
        QCOMPARE(s.Label1->text(), QStringLiteral("Vx FRAME=0"));
        QCOMPARE(s.Label2->text(), QStringLiteral("Vy FRAME'S=0"));
        QCOMPARE(s.Label5->text(), QStringLiteral("Initial vx of body =2"));
        QCOMPARE(s.Label8->text(), QStringLiteral("Initial ø of body =-5"));
        QCOMPARE(s.Label9->text(), QStringLiteral("friction coef. =0.00"));
        QCOMPARE(s.Label10->text(), QStringLiteral("Mass of body =0.02"));
        QCOMPARE(s.Label11->text(), QStringLiteral("Scale = 1"));
        setSlider(*s.taxythtax, -3);
        QCOMPARE(s.Label1->text(), QStringLiteral("Vx FRAME'S=-3"));
        setSlider(*s.trivistoepipedo, 35);
        QCOMPARE(s.Label9->text(), QStringLiteral("friction coef. =0.35"));
        setSlider(*s.mazatoysomatos, 300);
        QCOMPARE(s.Label10->text(), QStringLiteral("Mass of body =6.00"));
        setSlider(*s.epitaxynshy, 4);
        QCOMPARE(s.Label3->text(), QStringLiteral("Ay FRAME'S=4"));
        QCOMPARE(s.run().relativeStepIndex, 0);  // a changed value waits for the next step
        // Opening again writes the opening texts.
        s.Command5->click();
        QVERIFY(!s.isVisible());
        t.screen<FirstStepScreen>(ScreenId::firststep).SXETIKH_KINHSH->trigger();
        QCOMPARE(s.Label1->text(), QStringLiteral("Vx FRAME=-3"));
        QVERIFY(!s.taxythtax->hasTracking());
        QVERIFY(s.yscaleeikona1->invertedAppearance());
    }

    void stepWorksBeforeTimeEvolution() {
        TestProgram t;
        auto& s = openAt(t, 1200, 800);
        QCOMPARE(s.Timer1->interval(), 0);
        s.Command1->click();
        s.Command1->click();
        QCOMPARE(s.run().relativeStepIndex, 2);
        QVERIFY(std::abs(s.run().labX[0] - (5 + 2.0 / 15)) < 0.02);
        QVERIFY(!isWhite(s.eikona1->snapshot()));  // the velocity arrow of the second step
        QCOMPARE(s.eikona1->refusedCount(), 0);
    }

    void timeEvolutionRunsToRow1400AndRepeatStartsAgain() {
        TestProgram t;
        auto& s = openAt(t, 1000, 700);
        setSlider(*s.trivistoepipedo, 20);
        setSlider(*s.epitaxynshx, 1);
        s.Command2->click();
        QCOMPARE(s.Timer1->interval(), 1);
        QVERIFY(s.Timer1->isEnabled());
        QCOMPARE(s.Timer1->realPeriod(), ScreenTimer::kMinimumPeriodMs);
        for (int k = 0; k < 1405 && s.Timer1->isEnabled(); ++k) s.Timer1->tick();
        QVERIFY(!s.Timer1->isEnabled());
        QCOMPARE(int(s.run().relativeStepIndex), 1401);
        QCOMPARE(s.eikona2->refusedCount(), 0);

        s.Command3->click();
        QCOMPARE(int(s.run().relativeStepIndex), 0);
        QVERIFY(!s.Timer1->isEnabled());
        s.Command2->click();
        QVERIFY(s.Timer1->isEnabled());
        s.Timer1->tick();
        QCOMPARE(int(s.run().relativeStepIndex), 1);
    }

    // The replayed run stays on screen, and so does its data until the next step starts anew.
    void exportStaysOfferedAfterRepeat() {
        TestProgram t;
        auto& s = openAt(t, 1000, 700);
        for (int k = 0; k < 12; ++k) s.Command1->click();
        s.Command3->click();
        s.canvasActions->refresh();
        QVERIFY(s.canvasActions->exportData->isEnabled());
        const CsvTable table =
            relativeRunTable(s.run(), s.settings(), relativeDisplayStep(s.Timer1->interval()));
        QCOMPARE(int(table.rows.size()), 12);
        QCOMPARE(table.rows[11][1], s.run().labX[11]);
        s.Command1->click();  // a new run of one row
        QCOMPARE(int(relativeRunTable(s.run(), s.settings(), 1.0 / 15).rows.size()), 1);
    }

    void panZoomAndClsClearTheirViews() {
        TestProgram t;
        auto& s = openAt(t, 1000, 700);
        // Zoom before a run clears and does not step.
        setSlider(*s.overallscale, 2);
        QCOMPARE(s.Label11->text(), QStringLiteral("Scale = 2"));
        QCOMPARE(int(s.run().relativeStepIndex), 0);
        for (int k = 0; k < 5; ++k) s.Command1->click();
        setSlider(*s.overallscale, 3);
        QCOMPARE(int(s.run().relativeStepIndex), 6);
        QCOMPARE(s.eikona2->scaleWidth(), 180.0);
        setSlider(*s.xscaleeikona1, 10);
        QCOMPARE(int(s.run().relativeStepIndex), 7);
        QCOMPARE(s.eikona1->scaleLeft(), 3.0 * (-30 - 10));
        setSlider(*s.yscaleeikona2, -3);
        QCOMPARE(int(s.run().relativeStepIndex), 8);
        QCOMPARE(s.eikona2->scaleTop(), 3.0 * (30 + 3));
        s.Command4->click();
        QVERIFY(isWhite(s.eikona1->snapshot()));
        QVERIFY(isWhite(s.eikona2->snapshot()));
        QCOMPARE(int(s.run().relativeStepIndex), 8);
    }

    void stepsBeyondTheTablesAreRefused() {
        TestProgram t;
        auto& s = openAt(t, 800, 600);
        for (int k = 0; k < 1501; ++k) s.Command1->click();
        QCOMPARE(int(s.run().relativeStepIndex), 1501);
        const double last = s.run().labX[1500];
        const QImage before = s.eikona1->snapshot();
        s.Command1->click();
        setSlider(*s.xscaleeikona1, 30);
        setSlider(*s.overallscale, 4);
        QCOMPARE(int(s.run().relativeStepIndex), 1501);
        QCOMPARE(s.run().labX[1500], last);
        QCOMPARE(s.eikona1->snapshot(), before);
    }

    // The views are drawn at the size the screen gives them when it opens: a trail dot lands
    // where the view's scale puts it.
    void viewsAreDrawnAtTheirSizeWhenFirstShown() {
        TestProgram t;
        t.screen<FirstStepScreen>(ScreenId::firststep).SXETIKH_KINHSH->trigger();
        auto& s = t.screen<RelativeMotionScreen>(ScreenId::exigisirelative);
        QVERIFY(QTest::qWaitForWindowExposed(&s));
        for (int k = 0; k < 3; ++k) s.Command1->click();
        for (CanvasWidget* view : {s.eikona1, s.eikona2}) {
            const QImage image = view->snapshot();
            QCOMPARE(image.size(), view->size() * view->devicePixelRatio());
        }
        const QImage lab = s.eikona1->snapshot();
        const QPoint dot =
            velarium::test::canvasPixel(*s.eikona1, s.run().labX[1], s.run().labY[1]) *
            s.eikona1->devicePixelRatio();
        bool drawn = false;
        for (int dx = -2; dx <= 2; ++dx)
            for (int dy = -2; dy <= 2; ++dy) {
                const QPoint p = dot + QPoint(dx, dy);
                drawn = drawn || (lab.rect().contains(p) && qGray(lab.pixel(p)) < 128);
            }
        QVERIFY(drawn);
    }

    // 50 stands at the top of a vertical pan bar: whatever moves its thumb up raises the value.
    void verticalPanBarsMoveTheWayTheyLook() {
        TestProgram t;
        auto& s = openAt(t, 1200, 900);
        QVERIFY(QTest::qWaitForWindowExposed(&s));
        for (QScrollBar* bar : {s.yscaleeikona1, s.yscaleeikona2}) {
            const QString name = bar->objectName();
            const int w = bar->width(), h = bar->height();
            auto value = [&] { return bar->value(); };
            bar->setValue(0);
            QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(w / 2, w / 2));
            QVERIFY2(value() > 0, qPrintable(name + QStringLiteral(" top arrow")));
            bar->setValue(0);
            QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(w / 2, h - w / 2));
            QVERIFY2(value() < 0, qPrintable(name + QStringLiteral(" bottom arrow")));
            bar->setValue(0);
            QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(w / 2, h / 5));
            QVERIFY2(value() > 0, qPrintable(name + QStringLiteral(" trough above")));
            bar->setValue(0);
            QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(w / 2, 4 * h / 5));
            QVERIFY2(value() < 0, qPrintable(name + QStringLiteral(" trough below")));
            bar->setValue(0);
            bar->setFocus();
            QTest::keyClick(bar, Qt::Key_Up);
            QVERIFY2(value() > 0, qPrintable(name + QStringLiteral(" key up")));
            bar->setValue(0);
            const QPoint at(w / 2, h / 2);
            QWheelEvent up(at, bar->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                           Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(bar, &up);
            QVERIFY2(value() > 0, qPrintable(name + QStringLiteral(" wheel up")));
        }
    }

    void timeLineShowsTheKeptRows_data() {
        QTest::addColumn<QVector<int>>("values");  // friction, Ax, Ay, V0x, x, vx
        QTest::newRow("plain") << QVector<int>{0, 0, 0, 0, 5, 2};
        QTest::newRow("friction carries the body") << QVector<int>{50, 2, 0, 0, 5, 0};
        QTest::newRow("moving frame") << QVector<int>{20, 0, -1, 3, 5, 2};
        QTest::newRow("views follow the body") << QVector<int>{0, 0, 0, 0, 28, 10};
    }
    // STEP BACK and the time line show the run after any of its kept rows as a run of that many
    // STEPs does; a STEP from there writes the same row again and drops the later ones.
    void timeLineShowsTheKeptRows() {
        QFETCH(QVector<int>, values);
        auto prepare = [&values](RelativeMotionScreen& s) {
            setSlider(*s.trivistoepipedo, values[0]);
            setSlider(*s.epitaxynshx, values[1]);
            setSlider(*s.epitaxynshy, values[2]);
            setSlider(*s.taxythtax, values[3]);
            setSlider(*s.arxikx, values[4]);
            setSlider(*s.arxikivx, values[5]);
        };
        constexpr int kSteps = 12, kBack = 4;
        TestProgram t;
        RelativeMotionScreen& a = openAt(t, 1024, 700);
        prepare(a);
        std::vector<QImage> lab, moving;
        std::vector<double> xs;
        for (int k = 1; k <= kSteps; ++k) {
            a.Command1->click();
            lab.push_back(a.eikona1->snapshot());
            moving.push_back(a.eikona2->snapshot());
            xs.push_back(a.run().relX[static_cast<std::size_t>(k - 1)]);
        }
        QVERIFY(!isWhite(lab.back()) && !isWhite(moving.back()));
        const double dt = relativeDisplayStep(a.Timer1->interval());
        TestProgram u;
        RelativeMotionScreen& b = openAt(u, 1024, 700);
        prepare(b);
        for (int k = 0; k < kSteps + kBack; ++k) b.Command1->click();
        for (int i = 0; i < 2 * kBack; ++i) b.StepBack->click();
        const int k = kSteps - kBack;
        QCOMPARE(int{b.run().relativeStepIndex}, k);
        QCOMPARE(b.timeLine->readOut->text(),
                 QStringLiteral("t = %1   step %2").arg(k * dt, 0, 'f', 2).arg(k));
        QCOMPARE(b.eikona1->snapshot(), lab[std::size_t(k - 1)]);
        QCOMPARE(b.eikona2->snapshot(), moving[std::size_t(k - 1)]);
        // A drag back and forth draws the same record again.
        const QStringList record = velarium::test::recordLines(*b.eikona2);
        b.timeLine->slider->setValue(1);
        b.timeLine->slider->setValue(k);
        QCOMPARE(velarium::test::recordLines(*b.eikona2), record);
        for (int i = k; i < kSteps; ++i) b.Command1->click();
        QCOMPARE(b.timeLine->slider->maximum(), kSteps);
        for (int i = 0; i < kSteps; ++i) QCOMPARE(b.run().relX[std::size_t(i)], xs[std::size_t(i)]);
        // A lesson keeps the step shown and the rows after it.
        b.timeLine->slider->setValue(k);
        const QStringList lab2 = velarium::test::recordLines(*b.eikona1);
        const std::optional<LessonHook> hook = lessonHook(ScreenId::exigisirelative, u.program);
        const std::vector<int> kept = hook->read();
        hook->reset();
        hook->replay(kept);
        QCOMPARE(b.run().rowsHeld, kSteps);
        QCOMPARE(velarium::test::recordLines(*b.eikona1), lab2);
        b.timeLine->slider->setValue(0);
        QVERIFY(isWhite(b.eikona1->snapshot()));
        b.StepBack->click();
        QCOMPARE(int{b.run().relativeStepIndex}, 0);
        // REPEAT replays the run and leaves the time line at its start, over all of it.
        b.timeLine->slider->setValue(kSteps);
        b.Command3->click();
        QCOMPARE(b.timeLine->slider->value(), 0);
        QCOMPARE(b.timeLine->slider->maximum(), kSteps);
    }

    void navigation() {
        TestProgram t;
        auto& s = openAt(t, 800, 600);
        s.Command6->click();
        QVERIFY(!s.isVisible());
        QVERIFY(t.screen(ScreenId::exigisi2).isVisible());
        openAt(t, 800, 600);
        s.TELOSPRO->click();
        QVERIFY(t.program.ended());
        QVERIFY(!s.isVisible());
    }
};

QTEST_MAIN(RelativeMotionScreenTest)
#include "RelativeMotionScreenTest.moc"
