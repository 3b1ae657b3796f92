#include <QAccessible>
#include <QMenuBar>
#include <QPlainTextEdit>

#include "app/Navigation.h"
#include "disk/RotatingDiskScreen.h"
#include "explain/InertialExplanation.h"
#include "explain/RotatingExplanation.h"
#include "support/ScreenSupport.h"

using namespace velarium;
using velarium::test::TestProgram;

class ExplanationScreenTest : public QObject {
    Q_OBJECT

    static RotatingDiskScreen& disk(TestProgram& t) {
        openRotatingDisk(t.program);
        return t.screen<RotatingDiskScreen>(ScreenId::exigisi2);
    }
    // What a screen reader reads on the drawing.
    static QStringList spoken(RotatingDiskScreen& s) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(s.Picture1);
        return a->text(QAccessible::Description).split(QLatin1Char('\n'));
    }
    // Whether the step's lines are read in order, followed by the step's number.
    static bool reads(RotatingDiskScreen& s, bool rotating, int step) {
        const auto lines = rotating ? rotatingStepLines(step) : inertialStepLines(step);
        const QStringList said = spoken(s);
        qsizetype at = said.indexOf(QString::fromStdString(lines.front().text));
        if (at < 0) return false;
        for (const StepLine& l : lines)
            if (at >= said.size() || said[at++] != QString::fromStdString(l.text)) return false;
        return at < said.size() && said[at] == QString::number(step);
    }
    static void click(RotatingDiskScreen& s, Qt::KeyboardModifiers mods = {}) {
        test::releaseCanvas(*s.Picture1, 0, 0, mods);
    }

private slots:
    void initTestCase() { test::prepareScreenTests(); }
    void init() { test::failOnWarnings(); }

    void entryRunsTheOrbitAndShowsStepZero() {
        TestProgram t;
        auto& s = disk(t);
        QAccessibleInterface* menu = QAccessible::queryAccessibleInterface(s.menuBar());
        bool named = false;
        for (int i = 0; i < menu->childCount(); ++i)
            named |= menu->child(i)->text(QAccessible::Name) == "CORIOLIS & CENTRIFUGAL";
        QVERIFY(named && s.CORIOLISEXP->isVisible());
        s.Command1->click();
        s.CORIOLISEXP->trigger();
        QVERIFY(s.explanation().active());
        QCOMPARE(s.explanation().step(), 0);
        QCOMPARE(s.run().stepIndex, 66);
        QVERIFY(s.Text1->toPlainText().isEmpty());
        QVERIFY(reads(s, false, 0));
        QVERIFY(spoken(s).contains(QStringLiteral("x21")));
        // The orbit point and the horizontal shift under the drawing, clear of it and of the
        // message; the vertical shift along the drawing's right edge.
        const QRect picture = s.Picture1->geometry();
        for (QScrollBar* bar : {s.protosimiox, s.XSCALEFIGURE}) {
            QVERIFY(bar->isVisible() && bar->geometry().top() >= picture.bottom());
            QVERIFY(bar->geometry().left() >= picture.left() &&
                    bar->geometry().right() <= picture.right());
            QVERIFY(!bar->geometry().intersects(s.Text1->geometry()));
        }
        QVERIFY(!s.protosimiox->geometry().intersects(s.XSCALEFIGURE->geometry()));
        QVERIFY(s.YSCALEFIGURE->isVisible());
        QCOMPARE(s.YSCALEFIGURE->geometry().right(), picture.right());
        // The vertical shift's top arrow and the Up key move the view up, as the bar looks.
        QScrollBar* y = s.YSCALEFIGURE;
        QTest::mouseClick(y, Qt::LeftButton, {}, QPoint(y->width() / 2, y->width() / 2));
        QCOMPARE(y->value(), 1);
        y->setFocus();
        QTest::keyClick(y, Qt::Key_Up);
        QCOMPARE(y->value(), 2);
    }

    // Every step can be read aloud, clicks and keys wrap round, and after a change of observer
    // the bars show the rotating observer's step 0 (step 9 has no twin there).
    void clicksStepThroughTheExplanation() {
        TestProgram t;
        auto& s = disk(t);
        s.CORIOLISEXP->trigger();
        for (int step = 1; step <= 9; ++step) {
            click(s);
            QCOMPARE(s.explanation().step(), step);
            QVERIFY2(reads(s, false, step), qPrintable(QString::number(step)));
        }
        click(s);
        QCOMPARE(s.explanation().step(), 0);
        click(s, Qt::ShiftModifier);
        QCOMPARE(s.explanation().step(), 9);
        // Shift with another modifier is no step back.
        click(s, Qt::ShiftModifier | Qt::ControlModifier);
        QCOMPARE(s.explanation().step(), 0);
        click(s, Qt::ShiftModifier);
        s.Option1->click();
        test::setSlider(*s.protosimiox, 30);
        QCOMPARE(s.explanation().step(), 0);
        QVERIFY(reads(s, true, 0));
        // Keys step like clicks.
        s.Picture1->setFocus();
        for (Qt::Key k : {Qt::Key_Right, Qt::Key_Space, Qt::Key_PageDown})
            QTest::keyClick(s.Picture1, k);
        QCOMPARE(s.explanation().step(), 3);
        for (Qt::Key k : {Qt::Key_Left, Qt::Key_Backspace, Qt::Key_PageUp, Qt::Key_PageUp})
            QTest::keyClick(s.Picture1, k);
        QCOMPARE(s.explanation().step(), 8);
        QVERIFY(reads(s, true, 8));
        QTest::keyClick(s.Picture1, Qt::Key_Right);
        QCOMPARE(s.explanation().step(), 0);
    }

    void barsRedrawTheCurrentStep() {
        TestProgram t;
        auto& s = disk(t);
        s.CORIOLISEXP->trigger();
        click(s);
        click(s);
        test::setSlider(*s.protosimiox, 10);
        test::setSlider(*s.XSCALEFIGURE, 15);
        test::setSlider(*s.YSCALEFIGURE, -10);
        QVERIFY(spoken(s).contains(QStringLiteral("xLEFT = 1.5")));
        QVERIFY(spoken(s).contains(QStringLiteral("yBOTTOM= -1.0")));
        QCOMPARE(s.Picture1->scaleLeft(), -2.4 + 1.5);
        test::setSlider(*s.zoumerno, 300);
        QCOMPARE(s.Picture1->scaleWidth(), 12.0);
        // A larger window, as on a projector, shows the same step.
        s.resize(s.width() + 120, s.height() + 60);
        QCOMPARE(s.explanation().step(), 2);
        QVERIFY(reads(s, false, 2));
    }

    // The rotating picture starts the motion afresh: a STEP afterwards is step 1 of a new run.
    void rotatingPictureResetsTheRun() {
        TestProgram t;
        auto& s = disk(t);
        s.Option1->click();
        for (int k = 0; k < 5; ++k) s.Command1->click();
        s.CORIOLISEXP->trigger();
        QVERIFY(reads(s, true, 0));
        QCOMPARE(s.run().stepIndex, 0);
        s.Command1->click();
        QCOMPARE(s.run().stepIndex, 1);
        QVERIFY(std::abs(s.run().diskAngle - 0.2) < 1e-12);
        QVERIFY(std::abs(s.run().pathX[1] - 0.2) < 1e-12);
    }

    // After any exit a click on the drawing steps nothing any more.
    void eachExitEndsTheMode() {
        TestProgram t;
        auto& s = disk(t);
        for (QAction* exit : {s.CHRONIKHMETAVOLH, s.EPANELAVE, s.piso, s.FOUCAULTTEXTBOOK}) {
            s.FOUCAULTTEXTBOOK->setChecked(false);
            const QString zoomSays = s.Label1->text();
            s.CORIOLISEXP->trigger();
            // While explaining, the zoom's label gives the fitted picture's scale: the view spans
            // more radii than the zoom alone shows.
            const QString fitted = s.Label1->text();
            QVERIFY2(fitted.startsWith("SCALE= ") && fitted.endsWith("X Radius"),
                     qPrintable(fitted));
            QVERIFY(fitted.mid(7, fitted.size() - 15).toDouble() > s.zoumerno->value() / 100.0);
            click(s);
            QCOMPARE(s.explanation().step(), 1);
            exit->trigger();
            QVERIFY2(!s.explanation().active(), qPrintable(exit->objectName()));
            // Afterwards it says the zoom again (REPEAT also sets the zoom back to 1).
            QCOMPARE(s.Label1->text(),
                     exit == s.EPANELAVE ? QStringLiteral("SCALE= 1.00X Radius") : zoomSays);
            s.Timer1->setEnabled(false);
            const int before = s.explanation().step();
            click(s);
            QCOMPARE(s.explanation().step(), before);
        }
    }

    // Whatever the bars and the zoom say and however often the entry is chosen, the pictures
    // stay within the tables and draw nothing unsound.
    void barsAtTheirEndsStayInsideTheTables() {
        TestProgram t;
        auto& s = disk(t);
        for (int round = 0; round < 3; ++round) {
            for (bool rotating : {false, true}) {
                (rotating ? s.Option1 : s.Option2)->click();
                s.CORIOLISEXP->trigger();
                for (QScrollBar* bar : {s.protosimiox, s.XSCALEFIGURE, s.YSCALEFIGURE, s.zoumerno})
                    for (int v : {bar->minimum(), bar->maximum()}) {
                        test::setSlider(*bar, v);
                        for (int k = 0; k < 10; ++k) click(s);
                    }
            }
        }
        QCOMPARE(s.Picture1->refusedCount(), 0);
    }
};

QTEST_MAIN(ExplanationScreenTest)
#include "ExplanationScreenTest.moc"
