#include <QMenu>
#include <QMenuBar>
#include <functional>

#include "app/Application.h"
#include "app/CurveLab.h"
#include "app/FirstStepScreen.h"
#include "support/ScreenSupport.h"
#include "widgets/Fonts.h"
#include "widgets/Twips.h"

using namespace velarium;
using velarium::test::TestProgram;

class FirstStepScreenTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { test::prepareScreenTests(); }
    void init() { test::failOnWarnings(); }

    void menuBarHasTheEntriesInOrder() {
        TestProgram t;
        auto& s = t.screen<FirstStepScreen>(ScreenId::firststep);
        QCOMPARE(s.windowTitle(), QStringLiteral("FIRST EXPLANATION"));
        QStringList top;
        for (QAction* a : s.menuBar()->actions()) top << a->objectName() + "=" + a->text();
        QCOMPARE(top, (QStringList{"XANAPISO=BACK", "CAMPYLONO=CURVE - ACCELARATION",
                                   "SXETIKH_KINHSH=RELATIVE MOTION", "TERMATISMOS=END",
                                   "PARAKATOEVENT=NEXT"}));
        QMenu* curve = s.CAMPYLONO->menu();
        QVERIFY(curve);
        QStringList drop;
        for (QAction* a : curve->actions())
            drop << a->objectName() + "=" + a->text() + (a->isCheckable() ? "+" : "");
        QCOMPARE(drop, (QStringList{"DYNAMEISDIAFORES=RADIUS OF CURVATURE+",
                                    "campyles=FACTORS THAT AFFECT ACCELERATION",
                                    "GUESSFORCE=MAKE AN ASSUMPTION FOR THE FORCE+"}));
        for (QAction* a : s.menuBar()->actions()) QVERIFY(a == s.CAMPYLONO || !a->isCheckable());
    }

    void onlyCanvasAndTextShowAtStart() {
        TestProgram t;
        auto& s = t.screen<FirstStepScreen>(ScreenId::firststep);
        s.show();
        QVERIFY(s.eikona->isVisible());
        QVERIFY(s.Text1->isVisible());
        QVERIFY(s.Text1->toPlainText().isEmpty());
        for (QWidget* w : std::initializer_list<QWidget*>{
                 s.Command1, s.Option1, s.Option2, s.Option3, s.platosvalue, s.syxnotikamp,
                 s.arxikives, s.epitaxyno, s.Label1, s.Label2, s.Label3, s.Label4})
            QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
        QVERIFY(!s.Timer1->isEnabled());
        const double f = s.scaler->factor();
        QCOMPARE(s.Command1->geometry(),
                 QRect(qRound(16 * f), qRound(272 * f), qRound(73 * f), qRound(25 * f)));
        QCOMPARE(s.Command1->text(), QStringLiteral("START"));
        QVERIFY(s.Option1->isChecked());
        QCOMPARE(s.platosvalue->value(), 20);
        QCOMPARE(s.syxnotikamp->maximum(), 60);
        QCOMPARE(s.arxikives->pageStep(), 2);
        QCOMPARE(s.eikona->accessibleName(), QStringLiteral("Curve picture"));
    }

    // The screen opens at its designed proportions as large as fits three quarters of the
    // display's height, and grows as one picture: places, sizes, fonts and the canvas's drawing.
    void growsWithItsWindowAsOnePicture() {
        TestProgram t;
        auto& s = t.screen<FirstStepScreen>(ScreenId::firststep);
        s.show();
        const QRect display = Program::display();
        QVERIFY(s.scaler->factor() >= 1.0);
        QVERIFY(s.height() <= display.height() * 0.75 + 2 || s.scaler->factor() == 1.0);
        s.campyles->trigger();
        const double points = s.eikona->font().pointSizeF();
        const int dark = [&] {
            const QImage img = s.eikona->snapshot();
            int n = 0;
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x) n += img.pixelColor(x, y).lightness() < 128;
            return n;
        }();
        const double f0 = s.scaler->factor();
        const QRect label = s.Label3->geometry();
        s.resize(s.width() * 2, s.height() * 2);
        QCoreApplication::processEvents();
        const double f1 = s.scaler->factor();
        QVERIFY(f1 > 1.8 * f0);
        QVERIFY(std::abs(s.Label3->geometry().width() - label.width() * f1 / f0) <= 1);
        QVERIFY(std::abs(s.eikona->font().pointSizeF() - points * f1 / f0) < 1e-6);
        QVERIFY(std::abs(s.eikona->width() - twips(4575) * f1) <= 1);
        // The same picture drawn again at the new size: its lines are as thick as before, so
        // the dark area grows with the length of the lines, about as the factor does.
        const QImage grown = s.eikona->snapshot();
        int darkGrown = 0;
        for (int y = 0; y < grown.height(); ++y)
            for (int x = 0; x < grown.width(); ++x)
                darkGrown += grown.pixelColor(x, y).lightness() < 128;
        QVERIFY2(darkGrown > 1.4 * dark, qPrintable(QString("%1 %2").arg(dark).arg(darkGrown)));
        QVERIFY(s.eikona->snapshot().width() >=
                twips(4575) * f1 * s.eikona->devicePixelRatioF() - 2);
    }

    // In every lab mode and at every size, each read-out shows its whole text and runs into no
    // other control.
    void readOutsOverlapNothingAndShowTheirWholeText() {
        TestProgram t;
        auto& s = t.screen<FirstStepScreen>(ScreenId::firststep);
        s.show();
        const std::function<void()> modes[] = {
            [&] { s.campyles->trigger(); }, [&] { s.Option2->click(); },
            [&] { s.DYNAMEISDIAFORES->trigger(); }, [&] { s.GUESSFORCE->trigger(); }};
        for (double grow : {1.0, 1.7}) {
            s.resize(s.width() * grow, s.height() * grow);
            for (const auto& mode : modes) {
                mode();
                QCoreApplication::processEvents();
                const QList<QWidget*> shown = [&] {
                    QList<QWidget*> v;
                    for (QWidget* w :
                         s.centralWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                        if (w->isVisible()) v << w;
                    return v;
                }();
                for (QLabel* l : {s.Label1, s.Label2, s.Label3, s.Label4}) {
                    if (!l->isVisible()) continue;
                    for (QWidget* w : shown)
                        QVERIFY2(w == l || !l->geometry().intersects(w->geometry()),
                                 qPrintable(l->objectName() + " on " + w->objectName()));
                    const QRect need = l->fontMetrics().boundingRect(l->contentsRect(),
                                                                     Qt::TextWordWrap, l->text());
                    QVERIFY2(need.height() <= l->contentsRect().height(),
                             qPrintable(l->objectName() + ": " + l->text()));
                }
            }
        }
    }

    void pressOnCanvasExplainsWithoutGuessForce() {
        TestProgram t;
        auto& s = t.screen<FirstStepScreen>(ScreenId::firststep);
        s.show();
        test::pressCanvas(*s.eikona, 10, 0);
        QCOMPARE(s.Text1->toPlainText(),
                 QStringLiteral("The centripetal acceleration has a direction towards the concave "
                                "of the curve. If the speed changes there is a component tangent "
                                "to the curve, the circles are plotted according to the radius of "
                                "curvature."));
    }

    void startRestartsTheCountAndEnablesTheTimer() {
        TestProgram t;
        auto& s = t.screen<FirstStepScreen>(ScreenId::firststep);
        s.show();
        s.campyles->trigger();
        s.Option2->click();
        QVERIFY(s.Command1->isVisible());
        QTest::mouseClick(s.Command1, Qt::LeftButton);
        QVERIFY(s.Timer1->isEnabled());
        s.Timer1->tick();
        s.Timer1->tick();
        QCOMPARE(s.lab().labTick(), 2);
        QTest::mouseClick(s.Command1, Qt::LeftButton);
        QCOMPARE(s.lab().labTick(), 0);
    }

    void endClosesEveryScreenAndStopsTimers() {
        TestProgram t;
        bool quit = false;
        t.program.onEnd([&] { quit = true; });
        auto& s = t.screen<FirstStepScreen>(ScreenId::firststep);
        s.show();
        s.campyles->trigger();
        s.Option2->click();
        QTest::mouseClick(s.Command1, Qt::LeftButton);
        QVERIFY(s.Timer1->isEnabled());
        t.screen(ScreenId::exigisi2).show();
        s.TERMATISMOS->trigger();
        QVERIFY(quit);
        QVERIFY(!s.isVisible());
        QVERIFY(!t.screen(ScreenId::exigisi2).isVisible());
        const int before = s.lab().labTick();
        s.Timer1->tick();
        QCOMPARE(s.lab().labTick(), before);
    }

    void closingTheLastVisibleWindowEndsTheProgram() {
        TestProgram t;
        QApplication::setQuitOnLastWindowClosed(true);
        endWithLastWindow(*qApp, t.program);
        t.program.onEnd([] { qApp->exit(0); });
        auto& s = t.screen<FirstStepScreen>(ScreenId::firststep);
        s.show();
        t.screen(ScreenId::exigisi2).show();
        // The window closes from inside the event loop, as a person closes it.
        QTimer::singleShot(0, &s, [&] {
            t.screen(ScreenId::exigisi2).close();
            QVERIFY(!t.program.ended());
            s.close();
        });
        QTimer::singleShot(5000, qApp, [] { qApp->exit(1); });
        QCOMPARE(qApp->exec(), 0);
        QVERIFY(t.program.ended());
        QApplication::setQuitOnLastWindowClosed(false);
        QObject::disconnect(qApp, &QApplication::lastWindowClosed, nullptr, nullptr);
    }

    void registryCreatesEachScreenOnceOnFirstTouch() {
        TestProgram t;
        for (const ScreenInfo& info : allScreens()) QVERIFY(!t.program.screens().exists(info.id));
        for (const ScreenInfo& info : allScreens()) {
            QWidget& a = t.screen(info.id);
            QWidget& b = t.screen(info.id);
            QCOMPARE(&a, &b);
            QCOMPARE(a.objectName(), QString::fromLatin1(info.name));
            QCOMPARE(a.windowTitle(), QString::fromUtf8(info.caption));
            QCOMPARE(t.program.screens().creations(info.id), 1);
        }
        QCOMPARE(t.screen(ScreenId::rotating).windowTitle(),
                 QStringLiteral("Simulation of both frames - Variables"));
    }

    void navigationPlacesTheTargetScreens() {
        TestProgram t;
        auto& s = t.screen<FirstStepScreen>(ScreenId::firststep);
        s.show();
        const QRect d = Program::display();
        s.PARAKATOEVENT->trigger();
        QWidget& disk = t.screen(ScreenId::exigisi2);
        QVERIFY(disk.isVisible());
        QCOMPARE(disk.width(), static_cast<int>(0.8 * d.width()));
        // The model-choice panel beside it, or at the display's right edge: whole on it.
        QWidget& panel = t.screen(ScreenId::DIALEGO);
        QCOMPARE(panel.x(), std::min(d.left() + disk.width(), d.left() + d.width() - panel.width()));
        QCOMPARE(panel.y(), d.top());
        QVERIFY(panel.geometry().right() <= d.right());
        QVERIFY(s.isVisible());
        disk.hide();
        s.PARAKATOEVENT->trigger();  // again: the width is applied again
        QVERIFY(disk.isVisible());
        QCOMPARE(disk.width(), static_cast<int>(0.8 * d.width()));
        s.SXETIKH_KINHSH->trigger();
        QWidget& relative = t.screen(ScreenId::exigisirelative);
        QVERIFY(relative.isVisible());
        QCOMPARE(relative.geometry().topLeft(), d.topLeft());
        QVERIFY(s.isVisible());
    }

    void backKeepsTheLabForTheReturn() {
        TestProgram t;
        auto& s = t.screen<FirstStepScreen>(ScreenId::firststep);
        s.show();
        s.campyles->trigger();
        test::setSlider(*s.platosvalue, 7);
        test::pressCanvas(*s.eikona, 3, 3);
        s.Option2->click();
        const QString text = s.Text1->toPlainText();
        const QImage picture = s.eikona->snapshot();
        s.XANAPISO->trigger();
        QVERIFY(!s.isVisible());
        QVERIFY(t.screen(ScreenId::EISAGOGIKI).isVisible());
        QVERIFY(!s.Option2->isChecked());
        QVERIFY(!s.Option3->isChecked());
        QVERIFY(!s.Command1->isVisibleTo(&s));
        // The introduction's way back shows the same screen with its state.
        t.screen(ScreenId::EISAGOGIKI).hide();
        s.show();
        QCOMPARE(&t.screen(ScreenId::firststep), static_cast<QWidget*>(&s));
        QCOMPARE(s.platosvalue->value(), 7);
        QCOMPARE(s.Text1->toPlainText(), text);
        QCOMPARE(s.eikona->snapshot(), picture);
        QVERIFY(!s.platosvalue->isVisible());
        QVERIFY(!s.Label1->isVisible());
    }

    void greekLettersComeFromTheSubstitutedFont() {
        const QFont f = timesGreek(8.25);
        const QFontInfo info(f);
        QCOMPARE(info.family(), QString::fromLatin1(kSerifFace));
        const QFontMetrics fm(f);
        for (QChar c : QStringLiteral("ωΔαβγηχΤ")) QVERIFY2(fm.inFont(c), qPrintable(QString(c)));
        for (const char* family : {"times new roman greek", "Times New Roman"})
            QCOMPARE(QFontInfo(QFont(QString::fromLatin1(family))).family(),
                     QString::fromLatin1(kSerifFace));
    }
};

QTEST_MAIN(FirstStepScreenTest)
#include "FirstStepScreenTest.moc"
