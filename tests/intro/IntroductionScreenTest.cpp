#include <QAccessible>
#include <QScrollBar>

#include "app/Application.h"
#include "app/CurveLab.h"
#include "app/FirstStepScreen.h"
#include "intro/IntroductionScreen.h"
#include "support/ScreenSupport.h"
#include "widgets/Fonts.h"

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

// Controls that overlap, or leave their screen, one per line.
QString overlaps(QWidget& area, const QList<QWidget*>& controls) {
    QStringList faults;
    for (int i = 0; i < controls.size(); ++i) {
        if (!area.rect().contains(controls[i]->geometry()))
            faults << controls[i]->objectName() + QStringLiteral(" leaves the screen");
        for (int j = i + 1; j < controls.size(); ++j)
            if (controls[i]->geometry().intersects(controls[j]->geometry()))
                faults << controls[i]->objectName() + QStringLiteral(" on ") +
                              controls[j]->objectName();
    }
    return faults.join(QLatin1Char('\n'));
}

QString labOverlaps(FirstStepScreen& s) {
    return overlaps(*s.centralWidget(), {s.eikona, s.Text1, s.Command1, s.Option1, s.Option2,
                                         s.Option3, s.platosvalue, s.syxnotikamp, s.arxikives,
                                         s.epitaxyno, s.Label1, s.Label2, s.Label3, s.Label4});
}

// Every text printed on the canvas lies whole inside it.
bool textsInside(const CanvasWidget& c) {
    return std::all_of(c.printedTexts().begin(), c.printedTexts().end(), [](const PrintedText& t) {
        return t.left >= 0 && t.right <= 1 && t.top >= 0 && t.bottom <= 1;
    });
}

}  // namespace

class IntroductionScreenTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { test::prepareScreenTests(); }
    void init() { test::failOnWarnings(); }

    void backOpensTheIntroductionAndItsButtonsLeadOn() {
        TestProgram t;
        auto& intro = openIntroduction(t);
        QVERIFY(intro.isVisible());
        QVERIFY(!t.screen(ScreenId::firststep).isVisible());
        QList<QWidget*> controls{intro.Picture1, intro.Command1, intro.Command2, intro.Command3};
        for (QWidget* box : intro.Text1) controls << box;
        QCOMPARE(overlaps(intro, controls), QString());

        QCOMPARE(intro.windowTitle(), QStringLiteral("INTRODUCTION"));
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(intro.Text1[i]->toPlainText(), kTexts[i]);
            QCOMPARE(QFontInfo(intro.Text1[i]->font()).family(), QString::fromLatin1(kSerifFace));
        }
        QVERIFY(QFontMetrics(intro.Text1[1]->font()).inFont(QChar(0x03C9)));  // ω

        QCOMPARE(spoken(intro.Picture1),
                 QStringLiteral("FRICTION\n  according to textbooks\nFRICTION?\n"
                                "Students believe this\nis the direction of friction\n"
                                "VELOCITY\nANGULAR VELOCITY"));
        QVERIFY(textsInside(*intro.Picture1));

        // Hidden by NEXT and shown again by BACK, it is the same screen, as it was loaded.
        const QImage picture = intro.Picture1->snapshot();
        intro.Command1->click();
        QVERIFY(!intro.isVisible());
        t.screen<FirstStepScreen>(ScreenId::firststep).XANAPISO->trigger();
        QVERIFY(intro.isVisible());
        QCOMPARE(t.program.screens().creations(ScreenId::EISAGOGIKI), 1);
        QCOMPARE(intro.Picture1->snapshot(), picture);
        for (int i = 0; i < 3; ++i) QCOMPARE(intro.Text1[i]->toPlainText(), kTexts[i]);

        // A screen reader finds the screen as a window, reads its picture, and presses the
        // buttons by their spoken names, their texts.
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&intro);
        QCOMPARE(window->role(), QAccessible::Window);
        QMap<QString, QAccessibleInterface*> byName;
        for (int i = 0; i < window->childCount(); ++i)
            byName[window->child(i)->text(QAccessible::Name)] = window->child(i);
        QAccessibleInterface* drawing = byName.value(intro.Picture1->accessibleName());
        QVERIFY(drawing && drawing->text(QAccessible::Description) == spoken(intro.Picture1));
        // A press through the interface clicks the button a moment later, as a person would.
        auto press = [&](const char* name) {
            QAccessibleInterface* b = byName.value(QString::fromUtf8(name));
            QVERIFY2(b && b->role() == QAccessible::Button, name);
            b->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        };
        press("ROTATING FRAME");
        QTRY_VERIFY(t.screen(ScreenId::exigisi2).isVisible());
        press("SIMULATION");
        QTRY_VERIFY(t.screen(ScreenId::rotating).isVisible());
        // The run of both frames shows its orbits and the base's angle at once.
        QVERIFY(t.screen(ScreenId::x_ygraph).isVisible());
        QVERIFY(t.screen(ScreenId::goniaxronos).isVisible());
        press("PRESS THE BUTTON TO SEE THE NEXT EXPLANATION ");
        QTRY_VERIFY(t.screen(ScreenId::firststep).isVisible());
        QVERIFY(!intro.isVisible());
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
            t.screen(ScreenId::exigisi2).close();
        });
        QTimer::singleShot(5000, qApp, [] { qApp->exit(1); });
        QCOMPARE(qApp->exec(), 0);
        QVERIFY(t.program.ended());
        QApplication::setQuitOnLastWindowClosed(false);
        QObject::disconnect(qApp, &QApplication::lastWindowClosed, nullptr, nullptr);
    }

    // The first explanation, reached while a run of the lab is going, stops that run (it would
    // draw over the explanation) and shows its whole text and picture. After it every lab mode
    // works on the larger layout: it draws its whole picture inside the canvas, its labels hold
    // their texts, and no control covers another.
    void firstExplanationThenTheLabOnTheLargerLayout() {
        TestProgram t;
        auto& s = t.screen<FirstStepScreen>(ScreenId::firststep);
        s.show();
        s.campyles->trigger();
        s.Option2->click();
        s.Command1->click();
        openIntroduction(t).Command1->click();
        QCOMPARE(labOverlaps(s), QString());
        QCOMPARE(s.Text1->toPlainText(), kFirstExplanation);
        QCoreApplication::processEvents();
        QCOMPARE(s.Text1->verticalScrollBar()->maximum(), 0);  // the whole text shows
        const QString picture = QStringLiteral(
            "THE POINT OF THE DISK \nAT WHICH ARRIVES THE BODY\nHAS GREATER SPEED\nSPEED\n"
            "ANGULAR VELOCITY");
        QCOMPARE(spoken(s.eikona), picture);
        QVERIFY(!s.Timer1->isEnabled());
        s.Timer1->tick();
        QCOMPARE(spoken(s.eikona), picture);

        s.campyles->trigger();
        // The legend is read from its top row down, as it stands.
        QCOMPARE(spoken(s.eikona),
                 QStringLiteral("TOTAL ACCELERATION\nCENTRIPETAL ACCELERATION\nVELOCITY"));
        QVERIFY(textsInside(*s.eikona));
        test::setSlider(*s.platosvalue, 30);
        for (QLabel* l : {s.Label1, s.Label2, s.Label3, s.Label4}) {
            const QRect need =
                l->fontMetrics().boundingRect(l->contentsRect(), Qt::TextWordWrap, l->text());
            QVERIFY2(l->isVisible() && need.height() <= l->contentsRect().height() &&
                         need.width() <= l->contentsRect().width(),
                     qPrintable(l->objectName()));
        }
        s.Option2->click();
        s.Command1->click();
        for (int i = 0; i < 130 && s.Timer1->isEnabled(); ++i) s.Timer1->tick();
        QVERIFY(s.lab().labTick() > 60);
        QVERIFY(textsInside(*s.eikona) && !s.eikona->printedTexts().empty());
        QCOMPARE(labOverlaps(s), QString());
    }
};

QTEST_MAIN(IntroductionScreenTest)
#include "IntroductionScreenTest.moc"
