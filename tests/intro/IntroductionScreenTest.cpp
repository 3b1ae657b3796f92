#include <QAccessible>
#include <QMenuBar>
#include <QScrollBar>

#include "curve/CurveLab.h"
#include "intro/IntroductionScreen.h"
#include "shell/Application.h"
#include "shell/FirstStepScreen.h"
#include "shell/Fonts.h"
#include "support/ScreenSupport.h"

using namespace velarium;
using velarium::test::TestProgram;

namespace {

const QString kTexts[3] = {
    QStringLiteral(
        "Teachers often encounter difficulties explaining the motion in a rotating frame. One of "
        "these difficulties deals with the subject of centripetal force.   Teachers need to "
        "address the question:  «What is the force that acts as a centripetal force for a body "
        "lying on a turntable?» Usually teachers and textbooks offer the following suggestion: The "
        "friction between the body and the turntable acts as the centripetal force :"),
    QStringLiteral(" There are some difficculties with this 'explanation'. If  the body at (0,A) "
                   "starts a sliding motion, the initial speed v=Aω will be perpendicular to the "
                   "radius (0,A). Why friciton is not directed to -v?"),
    QStringLiteral("Some teachers offer this 'cyclical argument': if the friction does not follow "
                   "this direction then there will be no cyclical motion"),
};
const QString kFirstExplanation = QStringLiteral(
    "A FIRST EXPLANATION: The body, as is seen in the diagram, it moves to greater distances from "
    "the cetner. As it moves out it is found over points of the disk that have a greater speed "
    "than this body, so it lags behind them. For the ROTATING OBSERVER it will be seen to the left "
    "of the initial RADIUS. Press NEXT  to observe step by step the movement.        Press CURVE "
    "-ACCELARATION      to study the factors on which depends the direction of ACCELERATION.      "
    "Press RELATIVE MOTION to study FICTITIOUS FORCES");

// What a screen reader reads of a canvas: the texts it shows, one per line.
QString spoken(QWidget* canvas) {
    return QAccessible::queryAccessibleInterface(canvas)->text(QAccessible::Description);
}

// The introduction, reached as a teacher reaches it: BACK on the start-up screen.
IntroductionScreen& openIntroduction(TestProgram& t) {
    auto& s = t.screen<FirstStepScreen>(ScreenId::firststep);
    s.show();
    s.XANAPISO->trigger();
    return t.screen<IntroductionScreen>(ScreenId::EISAGOGIKI);
}

// The controls of the start-up screen that share its body.
std::vector<QWidget*> labControls(FirstStepScreen& s) {
    return {s.eikona,      s.Text1,     s.Command1,  s.Option1, s.Option2, s.Option3, s.platosvalue,
            s.syxnotikamp, s.arxikives, s.epitaxyno, s.Label1,  s.Label2,  s.Label3,  s.Label4};
}

// Every pair of controls that overlap, and every control that leaves the screen's body.
QStringList layoutFaults(FirstStepScreen& s) {
    QStringList faults;
    const auto controls = labControls(s);
    const QRect body = s.centralWidget()->rect();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (!body.contains(controls[i]->geometry()))
            faults << controls[i]->objectName() + QStringLiteral(" leaves the screen");
        for (std::size_t j = i + 1; j < controls.size(); ++j)
            if (controls[i]->geometry().intersects(controls[j]->geometry()))
                faults << controls[i]->objectName() + QStringLiteral(" overlaps ") +
                              controls[j]->objectName();
    }
    return faults;
}

}  // namespace

class IntroductionScreenTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { test::prepareScreenTests(); }

    void backOpensTheIntroductionOverTheDisplay() {
        TestProgram t;
        auto& intro = openIntroduction(t);
        QVERIFY(intro.isVisible());
        QVERIFY(!t.screen(ScreenId::firststep).isVisible());
        QCOMPARE(intro.windowTitle(), QStringLiteral("INTRODUCTION"));
        // At the display's top-left corner, as large as the display.
        QCOMPARE(intro.frameGeometry().topLeft(), Program::display().topLeft());
        QCOMPARE(intro.size(), Program::display().size());
        // Every control lies on the screen, and none covers another.
        QList<QWidget*> controls{intro.Picture1, intro.Command1, intro.Command2, intro.Command3};
        for (QWidget* box : intro.Text1) controls << box;
        for (int i = 0; i < controls.size(); ++i) {
            QVERIFY2(intro.rect().contains(controls[i]->geometry()),
                     qPrintable(controls[i]->objectName()));
            for (int j = i + 1; j < controls.size(); ++j)
                QVERIFY(!controls[i]->geometry().intersects(controls[j]->geometry()));
        }
    }

    void textsAreExactInTheSerifWithGreekLetters() {
        TestProgram t;
        auto& intro = openIntroduction(t);
        const auto boxes = intro.findChildren<QPlainTextEdit*>(QStringLiteral("Text1"));
        QCOMPARE(boxes.size(), 3);
        for (int i = 0; i < 3; ++i) {
            QPlainTextEdit* box = intro.Text1[i];
            QCOMPARE(box->property("index").toInt(), i);
            QCOMPARE(box->toPlainText(), kTexts[i]);
            QCOMPARE(box->font().family(), QStringLiteral("Times New Roman Greek"));
            QCOMPARE(QFontInfo(box->font()).family(), QString::fromLatin1(kSerifFace));
            QVERIFY(!box->accessibleName().isEmpty());
        }
        QCOMPARE(intro.Text1[1]->font().pointSizeF(), 14.0);
        QVERIFY(QFontMetrics(intro.Text1[1]->font()).inFont(QChar(0x03C9)));  // ω
        QVERIFY(kTexts[1].contains(QChar(0x03C9)));

        QCOMPARE(intro.Command1->text(),
                 QStringLiteral("PRESS THE BUTTON TO SEE THE NEXT EXPLANATION "));
        QCOMPARE(intro.Command1->font().family(), QStringLiteral("Arial"));
        QCOMPARE(QFontInfo(intro.Command1->font()).family(), QStringLiteral("Liberation Sans"));
        QCOMPARE(intro.Command2->text(), QStringLiteral("SIMULATION"));
        QCOMPARE(intro.Command3->text(), QStringLiteral("ROTATING FRAME"));
    }

    void pictureIsSquareAndReadsItsTexts() {
        TestProgram t;
        auto& intro = openIntroduction(t);
        CanvasWidget* p = intro.Picture1;
        QCOMPARE(p->height(), p->width());
        QVERIFY(p->persistent());
        QCOMPARE(p->scaleLeft(), -100.0);
        QCOMPARE(p->scaleTop(), 100.0);
        QCOMPARE(p->scaleWidth(), 200.0);
        QCOMPARE(p->scaleHeight(), -200.0);
        QCOMPARE(spoken(p), QStringLiteral("FRICTION\n  according to textbooks\nFRICTION?\n"
                                           "Students believe this\nis the direction of friction\n"
                                           "VELOCITY\nANGULAR VELOCITY"));
        QVERIFY(!p->accessibleName().isEmpty());
        // Each text whole inside the picture.
        for (const PrintedText& text : p->printedTexts()) {
            QVERIFY2(text.left >= 0 && text.right <= 1, text.text.c_str());
            QVERIFY2(text.top >= 0 && text.bottom <= 1, text.text.c_str());
        }
    }

    // A screen reader finds the screen as a window, reads the texts and the picture, and
    // presses the buttons by their spoken names.
    void aScreenReaderCanTakeEveryWayOn() {
        TestProgram t;
        auto& intro = openIntroduction(t);
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&intro);
        QCOMPARE(window->role(), QAccessible::Window);
        QCOMPARE(window->text(QAccessible::Name), QStringLiteral("INTRODUCTION"));
        QMap<QString, QAccessibleInterface*> byName;
        for (int i = 0; i < window->childCount(); ++i) {
            QAccessibleInterface* c = window->child(i);
            byName[c->text(QAccessible::Name)] = c;
        }
        QAccessibleInterface* picture = byName.value(intro.Picture1->accessibleName());
        QVERIFY(picture);
        QVERIFY(picture->text(QAccessible::Description).contains(QStringLiteral("FRICTION?")));
        for (QPlainTextEdit* box : intro.Text1) {
            QAccessibleInterface* a = byName.value(box->accessibleName());
            QVERIFY(a && a->textInterface());
            QCOMPARE(a->textInterface()->text(0, a->textInterface()->characterCount()),
                     box->toPlainText());
        }
        auto press = [&](const QString& name) {
            QAccessibleInterface* b = byName.value(name);
            QVERIFY2(b && b->role() == QAccessible::Button, qPrintable(name));
            b->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        };
        // A press through the interface clicks the button a moment later, as a person would.
        press(QStringLiteral("ROTATING FRAME"));
        QTRY_VERIFY(t.screen(ScreenId::exigisi2).isVisible());
        press(QStringLiteral("SIMULATION"));
        QTRY_VERIFY(t.screen(ScreenId::rotating).isVisible());
        press(QStringLiteral("PRESS THE BUTTON TO SEE THE NEXT EXPLANATION "));
        QTRY_VERIFY(t.screen(ScreenId::firststep).isVisible());
        QVERIFY(!intro.isVisible());
    }

    void hidingAndShowingKeepsTheScreenAsLoaded() {
        TestProgram t;
        auto& intro = openIntroduction(t);
        const QImage picture = intro.Picture1->snapshot();
        const QString texts = spoken(intro.Picture1);
        intro.Command1->click();
        QVERIFY(!intro.isVisible());
        t.screen<FirstStepScreen>(ScreenId::firststep).XANAPISO->trigger();
        QVERIFY(intro.isVisible());
        QCOMPARE(t.program.screens().creations(ScreenId::EISAGOGIKI), 1);
        QCOMPARE(intro.Picture1->snapshot(), picture);
        QCOMPARE(spoken(intro.Picture1), texts);
        for (int i = 0; i < 3; ++i) QCOMPARE(intro.Text1[i]->toPlainText(), kTexts[i]);
    }

    void rotatingFrameSizesTheDiskScreenWithTheChoiceBesideIt() {
        TestProgram t;
        auto& intro = openIntroduction(t);
        const QRect d = Program::display();
        const int width = static_cast<int>(0.8 * d.width());
        for (int press = 0; press < 2; ++press) {
            intro.Command3->click();
            QWidget& disk = t.screen(ScreenId::exigisi2);
            QVERIFY(disk.isVisible());
            QCOMPARE(disk.width(), width);
            QCOMPARE(t.screen(ScreenId::DIALEGO).pos(), QPoint(d.left() + width, d.top()));
            disk.hide();
        }
        QCOMPARE(t.program.screens().creations(ScreenId::exigisi2), 1);
    }

    void simulationShowsTheBothFramesScreen() {
        TestProgram t;
        auto& intro = openIntroduction(t);
        intro.Command2->click();
        QVERIFY(t.screen(ScreenId::rotating).isVisible());
        QCOMPARE(t.screen(ScreenId::rotating).windowTitle(),
                 QStringLiteral("Simulation of both frames - Variables"));
    }

    void closingTheIntroductionEndsOnlyWithTheLastWindow() {
        TestProgram t;
        QApplication::setQuitOnLastWindowClosed(true);
        endWithLastWindow(*qApp, t.program);
        t.program.onEnd([] { qApp->exit(0); });
        auto& intro = openIntroduction(t);
        intro.Command3->click();  // the rotating-disk screen stays open beside it
        QTimer::singleShot(0, &intro, [&] {
            intro.close();
            QVERIFY(!t.program.ended());
            QVERIFY(t.screen(ScreenId::exigisi2).isVisible());
            t.screen(ScreenId::exigisi2).close();
        });
        QTimer::singleShot(5000, qApp, [] { qApp->exit(1); });
        QCOMPARE(qApp->exec(), 0);
        QVERIFY(t.program.ended());
        QApplication::setQuitOnLastWindowClosed(false);
        QObject::disconnect(qApp, &QApplication::lastWindowClosed, nullptr, nullptr);
    }

    void firstExplanationFillsTheStartUpScreen() {
        TestProgram t;
        auto& s = t.screen<FirstStepScreen>(ScreenId::firststep);
        s.show();
        s.campyles->trigger();
        test::setSlider(*s.platosvalue, 7);
        auto& intro = openIntroduction(t);
        intro.Command1->click();
        // The sliders keep their positions and stay hidden until a mode is chosen.
        QCOMPARE(s.platosvalue->value(), 7);
        QVERIFY(!s.platosvalue->isVisible());
        QVERIFY(!s.Label1->isVisible());
        QVERIFY(s.isVisible());
        QVERIFY(!intro.isVisible());
        const QRect d = Program::display();
        QCOMPARE(s.frameGeometry().topLeft(), d.topLeft());
        QCOMPARE(s.size(), d.size());

        // Square, and half the display wide where the display leaves room under it.
        QCOMPARE(s.eikona->height(), s.eikona->width());
        if (4 * d.height() >= 3 * d.width())
            QVERIFY(std::abs(s.eikona->width() - d.width() / 2) <= 2);
        else
            QVERIFY(s.eikona->width() <= d.width() / 2 + 2);
        QVERIFY(s.Text1->x() > s.eikona->geometry().right());
        // 12 points as designed, grown with the screen like every other text on it.
        QVERIFY(qFuzzyCompare(s.Text1->font().pointSizeF(), 12 * s.scaler->factor()));
        for (QWidget* o : std::initializer_list<QWidget*>{s.Option1, s.Option2, s.Option3}) {
            QVERIFY(!o->isVisible());
            QVERIFY(o->y() > s.eikona->geometry().bottom());
        }
        QVERIFY(s.Command1->y() > s.eikona->geometry().bottom());
        QVERIFY(layoutFaults(s).isEmpty());

        QCOMPARE(s.Text1->toPlainText(), kFirstExplanation);
        QCoreApplication::processEvents();
        QCOMPARE(s.Text1->verticalScrollBar()->maximum(), 0);  // the whole text shows
        QVERIFY(s.eikona->persistent());
        QCOMPARE(s.eikona->scaleWidth(), 200.0);
        QCOMPARE(spoken(s.eikona),
                 QStringLiteral("THE POINT OF THE DISK \nAT WHICH ARRIVES THE BODY\n"
                                "HAS GREATER SPEED\nSPEED\nANGULAR VELOCITY"));
    }

    void firstExplanationStopsARunOfTheLab() {
        TestProgram t;
        auto& s = t.screen<FirstStepScreen>(ScreenId::firststep);
        s.show();
        s.campyles->trigger();
        s.Option2->click();
        s.Command1->click();
        s.Timer1->tick();
        s.XANAPISO->trigger();
        t.screen<IntroductionScreen>(ScreenId::EISAGOGIKI).Command1->click();
        QVERIFY(!s.Timer1->isEnabled());
        const QString texts = spoken(s.eikona);
        s.Timer1->tick();
        QCOMPARE(spoken(s.eikona), texts);
    }

    // After the first explanation every lab mode works on the larger layout, draws its whole
    // picture inside the canvas, and no control covers another.
    void labModesWorkOnTheLargerLayout() {
        TestProgram t;
        openIntroduction(t).Command1->click();
        auto& s = t.screen<FirstStepScreen>(ScreenId::firststep);
        auto wholeInside = [&] {
            for (const PrintedText& text : s.eikona->printedTexts())
                if (text.left < 0 || text.right > 1 || text.top < 0 || text.bottom > 1)
                    return false;
            return !s.eikona->printedTexts().empty();
        };

        s.campyles->trigger();
        for (QWidget* w : std::initializer_list<QWidget*>{s.platosvalue, s.syxnotikamp, s.arxikives,
                                                          s.epitaxyno, s.Label1, s.Label2, s.Label3,
                                                          s.Label4, s.Option2, s.Option3})
            QVERIFY2(w->isVisible(), qPrintable(w->objectName()));
        QCOMPARE(s.eikona->scaleWidth(), 20.0);
        QCOMPARE(spoken(s.eikona),
                 QStringLiteral("VELOCITY\nCENTRIPETAL ACCELERATION\nTOTAL ACCELERATION"));
        QVERIFY(wholeInside());
        QVERIFY(s.Text1->toPlainText().startsWith(QStringLiteral("The centripetal acceleration")));
        test::setSlider(*s.platosvalue, 30);
        QCOMPARE(s.Label1->text(), QStringLiteral("AMPLITUDE =3.0"));
        // Each read-out shows whole in its label.
        for (QLabel* l : {s.Label1, s.Label2, s.Label3, s.Label4}) {
            const QRect need = l->fontMetrics().boundingRect(QRect(0, 0, l->width(), 1000),
                                                             Qt::TextWrapAnywhere, l->text());
            QVERIFY2(need.height() <= l->height(), qPrintable(l->objectName()));
        }
        QVERIFY(layoutFaults(s).isEmpty());

        s.Option2->click();
        QVERIFY(s.Command1->isVisible());
        s.Command1->click();
        for (int i = 0; i < 130 && s.Timer1->isEnabled(); ++i) s.Timer1->tick();
        QVERIFY(s.lab().labTick() > 60);
        QVERIFY(wholeInside());

        s.DYNAMEISDIAFORES->trigger();
        QVERIFY(!s.eikona->printedTexts().empty() || !s.Text1->toPlainText().isEmpty());
        QVERIFY(wholeInside());

        s.GUESSFORCE->trigger();
        test::pressCanvas(*s.eikona, 6, 2);
        test::releaseCanvas(*s.eikona, 7, 4, Qt::ShiftModifier);
        QVERIFY(s.eikona->refusedCount() == 0);
        QVERIFY2(layoutFaults(s).isEmpty(), qPrintable(layoutFaults(s).join(QLatin1Char('\n'))));

        // The ways on still work, and the way back leads to the same layout.
        const QRect canvas = s.eikona->geometry();
        s.XANAPISO->trigger();
        t.screen<IntroductionScreen>(ScreenId::EISAGOGIKI).Command1->click();
        QCOMPARE(s.eikona->geometry(), canvas);
        s.PARAKATOEVENT->trigger();
        QVERIFY(t.screen(ScreenId::exigisi2).isVisible());
        s.SXETIKH_KINHSH->trigger();
        QVERIFY(t.screen(ScreenId::exigisirelative).isVisible());
    }
};

QTEST_MAIN(IntroductionScreenTest)
#include "IntroductionScreenTest.moc"
