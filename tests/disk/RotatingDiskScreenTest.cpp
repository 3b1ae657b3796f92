#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <cmath>

#include "disk/DiskRunTable.h"
#include "disk/ModelChoicePanel.h"
#include "disk/RotatingDiskScreen.h"
#include "shell/Alerts.h"
#include "shell/LessonHook.h"
#include "shell/Navigation.h"
#include "support/ScreenSupport.h"

using namespace velarium;
using velarium::test::TestProgram;

class RotatingDiskScreenTest : public QObject {
    Q_OBJECT

    static RotatingDiskScreen& disk(TestProgram& t) {
        return t.screen<RotatingDiskScreen>(ScreenId::exigisi2);
    }
    static ModelChoicePanel& panel(TestProgram& t) {
        return t.screen<ModelChoicePanel>(ScreenId::DIALEGO);
    }
    static QColor textColour(const RotatingDiskScreen& s) {
        return s.Text1->palette().color(QPalette::Text);
    }
    static QString text(const RotatingDiskScreen& s) { return s.Text1->toPlainText(); }
    // Kinetic energy ½·m·v² of the run's exported row k, in the inertial or the rotating frame.
    static double energy(RotatingDiskScreen& s, TestProgram& t, int k, bool rotating) {
        const CsvTable table = diskRunTable(s.run(), t.program.disk().params);
        return table.rows[static_cast<std::size_t>(k)][rotating ? 12 : 11];
    }
    static inline const QString kOpening = QStringLiteral(
        "CHOOSE THE OBSERVER, THE INITIAL VELOCITY, THE MASS AND FRICTION, THEN PRESS STEP");

    // What the screen shows of a step: the picture's record, the message, the read-outs and the
    // exported rows.
    struct Shown {
        QStringList record;
        QString message, timeReadOut, scale;
        std::size_t tableRows = 0;
        friend bool operator==(const Shown&, const Shown&) = default;
    };
    static Shown shown(RotatingDiskScreen& s, TestProgram& t) {
        return {velarium::test::recordLines(*s.Picture1), text(s), s.timeLine->readOut->text(),
                s.Label1->text(), diskRunTable(s.run(), t.program.disk().params).rows.size()};
    }
    // The modes of a run: each view, friction with the disk held and turning freely, both
    // pendulums.
    static void prepare(RotatingDiskScreen& s, TestProgram& t, int mode) {
        if (mode == 1 || mode == 3) s.Option1->click();
        if (mode == 2 || mode == 3) {
            s.Check3->click();
            if (mode == 3) panel(t).MHSTATHERIGON->click();
            for (QCheckBox* c : {s.Check1, s.Check2, s.Check4, s.Check5, s.Check7})
                if (!c->isHidden()) c->click();
        }
        if (mode == 4) s.FOUCAULTTEXTBOOK->trigger();
        if (mode == 5) s.FOUCAULTV0->trigger();
    }

private slots:
    void initTestCase() { velarium::test::prepareScreenTests(); }
    void init() { velarium::test::failOnWarnings(); }

    void loadShowsTheStartState() {
        TestProgram t;
        openRotatingDisk(t.program);
        auto& s = disk(t);
        QCOMPARE(s.windowTitle(), QStringLiteral("FOLLOW THE MOVEMENT STEP BY STEP"));
        const QRect d = Program::display();
        QCOMPARE(s.width(), static_cast<int>(0.8 * d.width()));
        // The panel beside it, or at the display's right edge if it needs more than a fifth.
        QCOMPARE(panel(t).x(),
                 std::min(d.left() + s.width(), d.left() + d.width() - panel(t).width()));
        QCOMPARE(s.Label1->text(), QStringLiteral("Scale = 1.2*RADIUS"));
        QCOMPARE(s.Label2->text(), QStringLiteral("Mass = 1.0"));
        QCOMPARE(s.Label3->text(), QStringLiteral("Vx =1X ω×R"));
        QCOMPARE(s.Label4->text(), QStringLiteral("Vy =0X ω×R"));
        QVERIFY(s.Option2->isChecked());
        QVERIFY(!s.Check3->isChecked());
        for (QWidget* w :
             {static_cast<QWidget*>(s.Picture2), static_cast<QWidget*>(s.Check4),
              static_cast<QWidget*>(s.Check5), static_cast<QWidget*>(s.Check6),
              static_cast<QWidget*>(s.Check7), static_cast<QWidget*>(s.XSCALEFIGURE),
              static_cast<QWidget*>(s.YSCALEFIGURE), static_cast<QWidget*>(s.protosimiox)})
            QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
        QCOMPARE(s.CORIOLISEXP->text(), QStringLiteral("CORIOLIS && CENTRIFUGAL"));
        QVERIFY(!panel(t).isVisible());
        QVERIFY(!s.Timer1->isEnabled());
        QCOMPARE(s.Timer1->interval(), 0);
        QCOMPARE(s.Picture1->width(), s.Picture1->height());
        QCOMPARE(s.Picture1->scaleLeft(), -2.4);
        QCOMPARE(s.Picture1->accessibleName(), QStringLiteral("Disk view"));
        QCOMPARE(s.vxtax->accessibleName(), QStringLiteral("Initial velocity x"));
        // L = I·ω0 + m·R·vx0 = 10·2 + 1·1·2.
        QCOMPARE(
            angularMomentum(s.constants(), s.run().omegaNow, 0, 1, s.run().bodyVx, s.run().bodyVy),
            22.0);
        QCOMPARE(s.run().bodyVx, 2.0);
    }

    void fiveStepsFollowTheTangentInTheInertialView() {
        TestProgram t;
        auto& s = disk(t);
        for (int k = 1; k <= 5; ++k) {
            s.Command1->click();
            QCOMPARE(s.run().stepIndex, k);
            QVERIFY(std::abs(s.run().pathX[k] - 0.2 * k) < 1e-12);
            QCOMPARE(s.run().pathY[k], 1.0);
            QVERIFY(std::abs(s.run().diskAngle - 0.2 * k) < 1e-12);
        }
        QVERIFY(s.Text1->toPlainText().startsWith(QStringLiteral("NO FRICTION, IN INERTIAL")));
        QCOMPARE(textColour(s), QColor(255, 0, 0));
        QCOMPARE(s.Picture1->refusedCount(), 0);
    }

    void bodyAtRestInTheInertialFrameStays() {
        TestProgram t;
        auto& s = disk(t);
        s.vxtax->setValue(0);
        QCOMPARE(s.Label3->text(), QStringLiteral("Vx =0X ω×R"));
        for (int k = 0; k < 3; ++k) s.Command1->click();
        QCOMPARE(s.run().pathX[3], 0.0);
        QCOMPARE(s.run().pathY[3], 1.0);
    }

    void zoomSetsTheScaleAndItsReadout() {
        TestProgram t;
        auto& s = disk(t);
        s.zoumerno->setValue(400);
        QCOMPARE(s.Label1->text(), QStringLiteral("SCALE= 4.00X Radius"));
        QCOMPARE(s.Picture1->scaleLeft(), -8.0);
        QCOMPARE(s.Picture1->scaleTop(), 8.0);
        s.Command1->click();
        s.CHRONIKHMETAVOLH->trigger();
        s.zoumerno->setValue(50);
        QVERIFY(!s.Timer1->isEnabled());
        QCOMPARE(s.Label1->text(), QStringLiteral("SCALE= 0.50X Radius"));
        QCOMPARE(s.Picture1->scaleWidth(), 2.0);
        QCOMPARE(s.run().stepIndex, 1);
    }

    void massSetsTheAngularMomentum() {
        TestProgram t;
        auto& s = disk(t);
        s.CHRONIKHMETAVOLH->trigger();
        s.vxtax->setValue(-3);
        QCOMPARE(s.Label3->text(), QStringLiteral("Vx =-3X ω×R"));
        s.mazalazo->setValue(5);
        QCOMPARE(s.Label2->text(), QStringLiteral("Mass = 2.5"));
        QVERIFY(!s.Timer1->isEnabled());
        // I·ω0 + m·R·vx0 with vx0 = −3·ω·R.
        QCOMPARE(angularMomentum(s.constants(), 2.0, 0, 1, -6.0, 0), 20.0 + 2.5 * -6.0);
        QCOMPARE(s.constants().bodyMass, 2.5);
    }

    void viewsShowTheirControls() {
        TestProgram t;
        openRotatingDisk(t.program);
        auto& s = disk(t);
        s.Command1->click();
        s.Option1->click();
        QCOMPARE(s.run().stepIndex, 0);
        QVERIFY(s.Picture2->isVisible());
        QVERIFY(s.Check4->isVisible() && s.Check5->isVisible() && s.Check7->isVisible());
        QVERIFY(!s.Check6->isVisible());
        panel(t).MHSTATHERIGON->click();
        QCOMPARE(t.program.disk().omegaVariable, 1);
        QVERIFY(s.Check6->isVisible());
        s.Option2->click();
        QVERIFY(!s.Picture2->isVisible());
        QVERIFY(!s.Check4->isVisible() && !s.Check6->isVisible());
        s.Option1->click();
        QVERIFY(s.Check6->isVisible());
        panel(t).STATHERIGON->click();
        QCOMPARE(t.program.disk().omegaVariable, 0);
        QVERIFY(!s.Check6->isVisible());
    }

    void freeDiskChoiceInTheInertialViewHidesBaseAcc() {
        TestProgram t;
        openRotatingDisk(t.program);
        auto& s = disk(t);
        panel(t).MHSTATHERIGON->click();
        QVERIFY(!s.Check6->isVisible());
        QVERIFY(panel(t).MHSTATHERIGON->isChecked());
        QVERIFY(!panel(t).STATHERIGON->isChecked());
    }

    void frictionShowsTheModelChoiceAndItsMessage() {
        TestProgram t;
        openRotatingDisk(t.program);
        auto& s = disk(t);
        s.Check3->click();
        QVERIFY(panel(t).isVisible());
        QVERIFY(s.Text1->toPlainText().endsWith(
            QStringLiteral("CASE WITH FRICTION. ω = CONSTANT, PRESS STEP TO SEE WHETHER FRICTION "
                           "RAISES OR LOWERS THE SPEED")));
        QCOMPARE(textColour(s), QColor(200, 0, 0));
        s.Check3->click();
        QVERIFY(!panel(t).isVisible());
        // STEP shows the panel while friction is on, and BASE ACC in the rotating view with a
        // free disk.
        s.Check3->click();
        s.Option1->click();
        panel(t).MHSTATHERIGON->click();
        panel(t).hide();
        s.Command1->click();
        QVERIFY(panel(t).isVisible());
        QVERIFY(s.Check6->isVisible());
        QCOMPARE(s.run().stepIndex, 1);
    }

    void rotatingViewMessagesFollowTheForceBoxes() {
        TestProgram t;
        auto& s = disk(t);
        s.Option1->click();
        s.Check5->click();
        s.Check4->click();
        s.Command1->click();
        QVERIFY(s.Text1->toPlainText().endsWith(QStringLiteral("PRESS TOTAL FORCE")));
        QCOMPARE(textColour(s), QColor(255, 0, 255));
        s.Check7->click();
        s.Check6->click();
        s.Command1->click();
        QCOMPARE(textColour(s), QColor(155, 35, 95));
        s.Check2->click();
        s.Command1->click();
        QCOMPARE(textColour(s), QColor(9, 250, 0));
        QCOMPARE(s.Picture1->refusedCount(), 0);
    }

    void inertialRedrawUpdatesTheMessage() {
        TestProgram t;
        auto& s = disk(t);
        s.Check2->click();
        QVERIFY(s.Text1->toPlainText().endsWith(
            QStringLiteral("RELATIVE VELOCITY=ABSOLUTE VELOCITY - VELOCITY OF THE POINT OF BASE")));
        QCOMPARE(textColour(s), QColor(9, 150, 0));
    }

    void continuousChangeTicksOneStepAnEvent() {
        TestProgram t;
        auto& s = disk(t);
        s.CHRONIKHMETAVOLH->trigger();
        QVERIFY(s.Timer1->isEnabled());
        QCOMPARE(s.Timer1->interval(), 250);
        s.Timer1->tick();
        s.Timer1->tick();
        QCOMPARE(s.run().stepIndex, 2);
        QVERIFY(std::abs(s.run().pathX[2] - 0.4) < 1e-12);
        // STEP stops the timer.
        s.Command1->click();
        QVERIFY(!s.Timer1->isEnabled());
        QCOMPARE(s.run().stepIndex, 3);
    }

    void pendulumStepsAHundredthOfASecond() {
        TestProgram t;
        auto& s = disk(t);
        s.FOUCAULTV0->trigger();
        s.FOUCAULTTEXTBOOK->trigger();
        QVERIFY(s.FOUCAULTTEXTBOOK->isChecked());
        QVERIFY(!s.FOUCAULTV0->isChecked());
        s.FOUCAULTTEXTBOOK->trigger();  // choosing it again keeps it chosen
        QVERIFY(s.FOUCAULTTEXTBOOK->isChecked());
        s.CHRONIKHMETAVOLH->trigger();
        QCOMPARE(s.Timer1->interval(), 25);
        for (int k = 0; k < 10; ++k) s.Timer1->tick();
        // Released at (0, R) from rest: y = cos(√40·t) after 0.1 s; x stays 0.
        QCOMPARE(s.run().stepIndex, 10);
        QVERIFY(std::abs(s.run().pathY[10] - std::cos(std::sqrt(40.0) * 0.1)) < 1e-9);
        QCOMPARE(s.run().pathX[10], 0.0);
        QVERIFY(std::abs(s.run().diskAngle - 0.2) < 1e-12);
        QCOMPARE(s.constants().springK, 40.0);
        QCOMPARE(s.Picture1->refusedCount(), 0);
    }

    void repeatAndBackReturnToTheStart() {
        TestProgram t;
        auto& s = disk(t);
        s.zoumerno->setValue(300);
        s.FOUCAULTV0->trigger();
        s.CHRONIKHMETAVOLH->trigger();
        s.Timer1->tick();
        openRotatingDisk(t.program);
        s.Check3->click();
        QVERIFY(panel(t).isVisible());
        s.piso->trigger();
        // BACK starts afresh and leaves the screen, and the model choice beside it.
        QVERIFY(!s.isVisible());
        QVERIFY(!panel(t).isVisible());
        QCOMPARE(s.run().stepIndex, 0);
        QCOMPARE(s.run().diskAngle, 0.0);
        QVERIFY(!s.FOUCAULTV0->isChecked());
        QVERIFY(!s.Timer1->isEnabled());
        QCOMPARE(s.zoumerno->value(), 300);
        s.Command1->click();
        s.EPANELAVE->trigger();
        QCOMPARE(s.zoumerno->value(), 100);
        QCOMPARE(s.Label1->text(), QStringLiteral("SCALE= 1.00X Radius"));
        QCOMPARE(s.run().stepIndex, 0);
        QCOMPARE(s.run().pathY[0], 1.0);
    }

    void runStopsAtTheEndOfThePathTables() {
        TestProgram t;
        auto& s = disk(t);
        s.run().stepIndex = DiskRun::kMaxStep - 1;
        s.CHRONIKHMETAVOLH->trigger();
        s.Timer1->tick();
        QCOMPARE(static_cast<int>(s.run().stepIndex), DiskRun::kMaxStep);
        QVERIFY(!s.Timer1->isEnabled());
        QCOMPARE(t.beeps, 0);
        s.Command1->click();
        QCOMPARE(static_cast<int>(s.run().stepIndex), DiskRun::kMaxStep);
        QCOMPARE(t.beeps, 1);
        s.EPANELAVE->trigger();
        s.Command1->click();
        QCOMPARE(s.run().stepIndex, 1);
    }

    void freeDiskRunStaysFinite() {
        TestProgram t;
        auto& s = disk(t);
        s.Check3->click();
        panel(t).MHSTATHERIGON->click();
        s.Option1->click();
        for (QCheckBox* c : {s.Check1, s.Check2, s.Check4, s.Check5, s.Check6, s.Check7})
            c->click();
        s.vxtax->setValue(-10);
        s.vytax->setValue(10);
        s.mazalazo->setValue(20);
        for (int k = 0; k < 30; ++k) s.Command1->click();
        const DiskShared& d = t.program.disk();
        for (int i = 0; i < d.tables.rowCount; ++i)
            QVERIFY(std::isfinite(d.tables.tabOmega[i]) && std::isfinite(d.tables.tabVxRot[i]));
        QVERIFY(std::isfinite(s.run().omegaNow));
        QCOMPARE(s.Picture1->refusedCount(), 0);
    }

    void noStepStartsInsideARunningStep() {
        // A body at rest in the inertial frame on a rubbing disk beeps inside the step; the
        // beep tries to run a tick and a STEP there, which must wait for the running step.
        TestProgram t;
        auto& s = disk(t);
        s.vxtax->setValue(0);
        s.Check3->click();
        s.CHRONIKHMETAVOLH->trigger();
        int inner = 0;
        const Alerts outer = installAlerts({[&] {
                                                ++inner;
                                                s.Timer1->tick();
                                                s.Command1->click();
                                            },
                                            [](const std::string&) {}});
        s.Timer1->tick();
        installAlerts(outer);
        QVERIFY(inner > 0);
        QCOMPARE(s.run().stepIndex, 1);
    }

    // Whether the rim, radius 2 about the centre, shows on the canvas at (±2, 0) and (0, ±2).
    static bool rimShows(CanvasWidget& canvas) {
        const QImage image = canvas.snapshot();
        if (image.size() != canvas.size() * canvas.devicePixelRatio()) return false;
        const double dpr = canvas.devicePixelRatio();
        for (auto [x, y] : {std::pair{2.0, 0.0}, {-2.0, 0.0}, {0.0, 2.0}, {0.0, -2.0}}) {
            const QPoint at = velarium::test::canvasPixel(canvas, x, y) * dpr;
            bool dark = false;
            for (int dx = -3; dx <= 3; ++dx)
                for (int dy = -3; dy <= 3; ++dy) {
                    const QPoint p = at + QPoint(dx, dy);
                    dark = dark || (image.rect().contains(p) && qGray(image.pixel(p)) < 128);
                }
            if (!dark) return false;
        }
        return true;
    }

    void pictureIsDrawnAtTheCanvasSizeWhenShownAndResized() {
        TestProgram t;
        openRotatingDisk(t.program);
        auto& s = disk(t);
        QVERIFY(QTest::qWaitForWindowExposed(&s));
        QVERIFY(s.Picture1->width() > 300);
        QVERIFY(rimShows(*s.Picture1));
        s.Command1->click();
        s.resize(s.width() - 200, s.height() - 200);
        QVERIFY(rimShows(*s.Picture1));
        QCOMPARE(s.run().stepIndex, 1);
    }

    void reopeningStartsAfresh() {
        TestProgram t;
        openRotatingDisk(t.program);
        auto& s = disk(t);
        for (int k = 0; k < 3; ++k) s.Command1->click();
        s.hide();
        openRotatingDisk(t.program);
        QCOMPARE(s.run().stepIndex, 0);
        QCOMPARE(s.run().diskAngle, 0.0);
        QVERIFY(rimShows(*s.Picture1));
        // The message of the last run goes with it: the screen opens saying what to do first.
        QVERIFY(s.Text1->toPlainText().startsWith(kOpening));
    }

    void pendulumMessagesNameTheRestoringForce() {
        TestProgram t;
        auto& s = disk(t);
        s.Command1->click();
        QVERIFY(s.Text1->toPlainText().contains(QStringLiteral("1ST LAW")));
        s.FOUCAULTV0->trigger();
        s.Command1->click();
        QVERIFY(s.Text1->toPlainText().contains(QStringLiteral("ELLIPSE CENTRED ON THE AXIS")));
        s.Option1->click();
        s.Check5->click();
        s.Command1->click();
        const QString rotating = s.Text1->toPlainText();
        QVERIFY(rotating.contains(QStringLiteral("RESTORING FORCE −K·m·r")));
        QVERIFY(!rotating.contains(QStringLiteral("1ST LAW")));
        // The forces drawn in the rotating view include the restoring force and their scale.
        const QString shown = s.Picture1->shownText();
        QVERIFY(shown.contains(QStringLiteral("Restoring Force")));
        QVERIFY(shown.contains(QStringLiteral("Forces drawn at ")));
    }

    void tableRowZeroIsTheStartOfTheRun() {
        // The body starts at (0, R) with (vx, vy) = (2, 0) on a disk turning at ω = 2, m = 1.
        TestProgram t;
        openRotatingDisk(t.program);
        auto& s = disk(t);
        s.Command1->click();
        const CsvTable table = diskRunTable(s.run(), t.program.disk().params);
        const std::vector<double> want{0, 0, 1, 2, 0};
        for (std::size_t i = 0; i < want.size(); ++i) QCOMPARE(table.rows[0][i], want[i]);
        QCOMPARE(table.rows[0][9], 2.0);
        QCOMPARE(table.rows[0][11], 0.5 * 1 * 4.0);
    }

    void messageIsChosenAgainOnEveryChange() {
        TestProgram t;
        openRotatingDisk(t.program);
        auto& s = disk(t);
        QVERIFY(text(s).startsWith(kOpening));
        s.Option1->click();
        s.Command1->click();
        QCOMPARE(text(s),
                 QStringLiteral("NO FRICTION, IN INERTIAL FRAME THE BODY MOVES IN A LINE ACCORDING "
                                "TO 1ST LAW, IN THE ROTATING FRAME ITS ORBIT IS A SPIRAL. WHAT IS "
                                "THE CAUSE?? PRESS CENTRIFUGAL"));
        s.Check5->click();
        QVERIFY(
            text(s).endsWith(QStringLiteral("CAUSE?? DOES THE CENTRIFUGAL EXPLAIN THE SHAPE OF "
                                            "THE CURVE? PRESS CORIOLIS")));
        s.Check4->click();
        QVERIFY(text(s).endsWith(QStringLiteral("PRESS TOTAL FORCE")));
        s.Check3->click();
        s.Command1->click();
        QVERIFY(text(s).startsWith(QStringLiteral("CASE WITH FRICTION. ω = CONSTANT,")));
        panel(t).MHSTATHERIGON->click();
        QVERIFY(text(s).startsWith(QStringLiteral("YOU CAN SEE THAT THE CORIOLIS FORCE")));
        s.Check4->click();
        s.Check5->click();
        QVERIFY(
            text(s).startsWith(QStringLiteral("CASE WITH FRICTION. ω  NOT A  CONSTANT, the "
                                              "friction will eventually oppose the relative "
                                              "VELOCITY OBSERVE THAT L=")));
        s.FOUCAULTV0->trigger();
        QVERIFY(text(s).startsWith(QStringLiteral("FOUCAULT PENDULUM")));
    }

    void frictionMessageFollowsTheKineticEnergyOfTheFrameShown() {
        struct Case {
            bool rotating;
            int vx;
        };
        for (Case c : {Case{false, 3}, Case{false, 0}, Case{true, 1}, Case{true, 0}}) {
            TestProgram t;
            auto& s = disk(t);
            if (c.rotating) s.Option1->click();
            s.vxtax->setValue(c.vx);
            s.Check3->click();
            s.Check2->click();
            for (int k = 1; k <= 3; ++k) {
                s.Command1->click();
                const double before = energy(s, t, k - 1, c.rotating);
                const double after = energy(s, t, k, c.rotating);
                const QString m = text(s);
                QVERIFY(!m.contains(QStringLiteral("ALWAYS CAUSES AN INCREASE")));
                const QString rose = c.rotating ? QStringLiteral("RELATIVE TO THE DISK INCREASED")
                                                : QStringLiteral("FRICTION INCREASED THE SPEED");
                const QString fell = c.rotating ? QStringLiteral("RELATIVE TO THE DISK DECREASED")
                                                : QStringLiteral("FRICTION DECREASED THE SPEED");
                const QString kept = c.rotating
                                         ? QStringLiteral("RELATIVE TO THE DISK DID NOT CHANGE")
                                         : QStringLiteral("THE SPEED DID NOT CHANGE");
                const double d = after - before;
                QVERIFY2(m.contains(std::abs(d) < 1e-9 ? kept
                                    : d > 0            ? rose
                                                       : fell),
                         qPrintable(m));
            }
        }
    }

    void bodyLeavesTheDiskAndStaysInSight() {
        // Vx = 10: 2 radii a step along y = 1, so the body crosses the rim r = 2 at x = √3
        // during step 1. Beyond it nothing rubs: the speed stays.
        TestProgram t;
        auto& s = disk(t);
        s.vxtax->setValue(10);
        s.Check3->click();
        for (int k = 0; k < 4; ++k) s.Command1->click();
        QVERIFY2(text(s).endsWith(QStringLiteral(
                     "IN THIS STEP THE SPEED DID NOT CHANGE THE BODY LEFT THE DISK DURING STEP 1 "
                     "(t = 0.00 TO 0.10), AT (1.73, 1.00) IN THIS VIEW, WHERE r = 2. BEYOND THE "
                     "RIM THERE IS NO DISK UNDER IT: NO FRICTION ACTS ON IT THERE.")),
                 qPrintable(text(s)));
        const double e2 = energy(s, t, 2, false);
        QVERIFY(std::abs(e2 - energy(s, t, 4, false)) < 1e-9 * e2);
        // In both views the body stays inside the view, and the zoom's label says it widened.
        for (bool rotating : {false, true}) {
            TestProgram u;
            auto& r = disk(u);
            if (rotating) r.Option1->click();
            r.Check4->click();
            r.Check7->click();
            for (int k = 0; k < 20; ++k) {
                r.Command1->click();
                const auto n = static_cast<std::size_t>(r.run().stepIndex);
                const double x = rotating ? r.run().pathXRot[n] : r.run().pathX[n];
                const double y = rotating ? r.run().pathYRot[n] : r.run().pathY[n];
                const double half = r.Picture1->scaleWidth() / 2;
                QVERIFY(std::abs(x) < half && std::abs(y) < half);
            }
            QVERIFY(r.Label1->text().endsWith(QStringLiteral("X Radius, WIDENED")));
            QVERIFY(text(r).contains(QStringLiteral("THE BODY LEFT THE DISK DURING STEP")));
            r.EPANELAVE->trigger();
            QCOMPARE(r.Label1->text(), QStringLiteral("SCALE= 1.00X Radius"));
        }
    }

    void timeLineShowsEveryKeptStepAsItsStepLeftIt_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<double>("duration");
        const char* names[] = {"inertial",           "rotating",          "friction",
                               "free disk rotating", "textbook pendulum", "pendulum v0"};
        for (int m = 0; m < 6; ++m) QTest::newRow(names[m]) << m << (m >= 4 ? 0.01 : 0.1);
    }
    // A run of STEPs shown at each step, against a second run that goes back with STEP BACK, is
    // dragged along its time line, and steps again from an earlier step.
    void timeLineShowsEveryKeptStepAsItsStepLeftIt() {
        QFETCH(int, mode);
        QFETCH(double, duration);
        TestProgram t;
        openRotatingDisk(t.program);
        auto& s = disk(t);
        prepare(s, t, mode);
        std::vector<Shown> steps{shown(s, t)};
        std::vector<double> xs{s.run().pathX[0]};
        for (int k = 1; k <= 5; ++k) {
            s.Command1->click();
            steps.push_back(shown(s, t));
            xs.push_back(s.run().pathX[static_cast<std::size_t>(k)]);
            QCOMPARE(steps.back().timeReadOut,
                     QStringLiteral("t = %1   step %2").arg(k * duration, 0, 'f', 2).arg(k));
        }
        TestProgram u;
        openRotatingDisk(u.program);
        auto& b = disk(u);
        prepare(b, u, mode);
        for (int k = 0; k < 5; ++k) b.Command1->click();
        for (int k = 4; k >= 2; --k) {
            b.StepBack->click();
            QCOMPARE(shown(b, u), steps[static_cast<std::size_t>(k)]);
        }
        QCOMPARE(b.timeLine->slider->maximum(), 5);
        QCOMPARE(b.timeLine->slider->value(), 2);
        QCOMPARE(b.timeLine->slider->accessibleDescription(), steps[2].timeReadOut);
        // A STEP from step 2 runs step 3 again with the same numbers and drops steps 4 and 5.
        b.Command1->click();
        QCOMPARE(shown(b, u), steps[3]);
        QCOMPARE(b.run().pathX[3], xs[3]);
        QCOMPARE(b.timeLine->slider->maximum(), 3);
        // Dragging shows any kept step; Home shows the start, and STEP BACK has nothing left.
        for (int k : {1, 3, 0}) {
            b.timeLine->slider->setValue(k);
            QCOMPARE(shown(b, u), steps[static_cast<std::size_t>(k)]);
        }
        b.StepBack->click();
        QCOMPARE(shown(b, u), steps[0]);
        b.timeLine->slider->setValue(3);
        b.Command1->click();
        b.Command1->click();
        QCOMPARE(shown(b, u), steps[5]);
        QCOMPARE(b.run().pathX[5], xs[5]);
    }

    // PAUSE stops CONTINUOUS CHANGE where it stands and CONTINUOUS CHANGE goes on from there; a
    // lesson keeps the step the time line shows.
    void pauseAndLessonsKeepTheStepShown() {
        TestProgram t;
        openRotatingDisk(t.program);
        auto& s = disk(t);
        QVERIFY(s.timeLine->slider->isHidden());
        s.CHRONIKHMETAVOLH->trigger();
        for (int i = 0; i < 4; ++i) s.Timer1->tick();
        s.Pause->click();
        QVERIFY(!s.Timer1->isEnabled());
        s.Pause->click();
        QCOMPARE(s.run().stepIndex, 4);
        QVERIFY(!s.timeLine->slider->isHidden());
        s.CHRONIKHMETAVOLH->trigger();
        s.Timer1->tick();
        QCOMPARE(s.run().stepIndex, 5);
        // Dragging the time line stops the run at the step dragged to.
        s.timeLine->slider->setValue(2);
        QVERIFY(!s.Timer1->isEnabled());
        const QStringList record = velarium::test::recordLines(*s.Picture1);
        const std::optional<LessonHook> hook = lessonHook(ScreenId::exigisi2, t.program);
        const std::vector<int> kept = hook->read();
        QCOMPARE(kept[0], 5);
        hook->reset();
        QCOMPARE(s.run().stepsRun, 0);
        // The lesson sets the controls between the two, the zoom among them.
        s.zoumerno->setValue(120);
        hook->replay(kept);
        QCOMPARE(s.run().stepsRun, 5);
        QCOMPARE(s.run().stepIndex, 2);
        QCOMPARE(velarium::test::recordLines(*s.Picture1), record);
        // A lesson written before the time line shows the last step run.
        hook->reset();
        hook->replay({4, 0, 0, 0});
        QCOMPARE(s.run().stepIndex, 4);
        // The explanation's runs replace the screen's: no time line while it explains, and a
        // step it ran gets its message chosen afresh.
        s.CORIOLISEXP->trigger();
        QVERIFY(s.timeLine->slider->isHidden());
        s.FOUCAULTV0->trigger();
        QVERIFY(!s.explanation().active());
        s.timeLine->slider->setValue(1);
        QCOMPARE(s.run().stepIndex, 1);
        QVERIFY(!text(s).isEmpty());
    }

    void endEndsTheProgram() {
        TestProgram t;
        disk(t).telos->trigger();
        QVERIFY(t.program.ended());
    }
};

QTEST_MAIN(RotatingDiskScreenTest)
#include "RotatingDiskScreenTest.moc"
