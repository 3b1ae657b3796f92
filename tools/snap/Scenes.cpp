#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QTemporaryDir>
#include <cmath>

#include "Snap.h"
#include "app/CurveLab.h"
#include "app/FirstStepScreen.h"
#include "app/Navigation.h"
#include "disk/RotatingDiskScreen.h"
#include "energy/BothFramesScreen.h"
#include "energy/EnergyGraphs.h"
#include "energy/GraphScreen.h"
#include "intro/IntroductionScreen.h"
#include "translating/RelativeMotionScreen.h"
#include "widgets/Program.h"

namespace velarium::snap {

namespace {

// A body thrown across a plane whose frame moves to the left and accelerates up and to the
// right: friction brakes it against the frame until it rides along.
QWidget& relativeMotionRun(Program& p) {
    p.screens().as<FirstStepScreen>(ScreenId::firststep).SXETIKH_KINHSH->trigger();
    auto& s = p.screens().as<RelativeMotionScreen>(ScreenId::exigisirelative);
    s.resize(1600, 1000);
    s.arxikivx->setValue(6);
    s.arxikvy->setValue(4);
    s.arxikx->setValue(-20);
    s.arxikiy->setValue(-15);
    s.taxythtax->setValue(-2);
    s.epitaxynshx->setValue(1);
    s.epitaxynshy->setValue(1);
    s.trivistoepipedo->setValue(20);
    s.mazatoysomatos->setValue(4);
    for (int k = 0; k < 90; ++k) s.Command1->click();
    return s;
}

// The relative-motion run with the laboratory view's context menu open over it, as a right click
// opens it. A menu is a window of its own, so the two grabs are put together in one picture.
// A lesson prepared at home: the rotating view with friction and the free disk, twelve steps in,
// opened as a teacher opens it in class.
QWidget& openedLesson(Program& p) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("turntable.velarium"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(R"({"format": "velarium-lesson", "version": 1, "screens": [
      {"screen": "exigisi2", "geometry": [0, 0, 1200, 900], "focus": true,
       "controls": {"vxtax": 1, "Check3": true, "Option1": true, "Check4": true, "Check5": true},
       "state": {"step": 12}},
      {"screen": "DIALEGO", "geometry": [1200, 0, 300, 200],
       "controls": {"MHSTATHERIGON": true}}]})");
    file.close();
    p.lessons().open(path);
    return p.screens().get(ScreenId::exigisi2);
}

QWidget& contextMenu(Program& p) {
    auto& s = static_cast<RelativeMotionScreen&>(relativeMotionRun(p));
    s.show();
    QApplication::processEvents();
    QMenu* menu = &s.canvasActions->menuFor(s.eikona1);
    menu->ensurePolished();
    menu->adjustSize();
    QPixmap shot = s.grab();
    const QPoint at = s.eikona1->mapTo(&s, QPoint(s.eikona1->width() / 3, s.eikona1->height() / 3));
    QPainter(&shot).drawPixmap(at, menu->grab());
    auto* picture = new QLabel(&s, Qt::Window);
    picture->setPixmap(shot);
    picture->resize(shot.size());
    return *picture;
}

FirstStepScreen& curveLab(Program& p) {
    auto& s = p.screens().as<FirstStepScreen>(ScreenId::firststep);
    s.show();
    return s;
}

CanvasMouse at(double x, double y, bool shift = false) {
    CanvasMouse m;
    m.x = x;
    m.y = y;
    m.button = Qt::LeftButton;
    m.shift = shift;
    return m;
}

// The rotating-disk screen opened from the start-up screen, stepped a few times.
RotatingDiskScreen& steppedDisk(Program& p, int steps) {
    openRotatingDisk(p);
    auto& disk = p.screens().as<RotatingDiskScreen>(ScreenId::exigisi2);
    for (int i = 0; i < steps; ++i) disk.Command1->click();
    return disk;
}

// The step-by-step explanation for one observer at an orbit point, clicked on to a step.
RotatingDiskScreen& explanationAt(Program& p, bool rotating, int point, int step) {
    openRotatingDisk(p);
    auto& disk = p.screens().as<RotatingDiskScreen>(ScreenId::exigisi2);
    disk.resize(1400, 1050);
    if (rotating) disk.Option1->click();
    disk.CORIOLISEXP->trigger();
    disk.protosimiox->setValue(point);
    for (int i = 0; i < step; ++i) emit disk.Picture1->released(at(0, 0));
    return disk;
}

// A run of the simulation of both frames on a free base (the base is influenced) with a heavy
// body, mass 10: the base slows until it carries the body along.
BothFramesScreen& freeBaseRun(Program& p) {
    auto& s = p.screens().as<BothFramesScreen>(ScreenId::rotating);
    s.xronosolikos->setValue(12);
    s.massvalue->setValue(20);
    s.dialogi->click();
    openSimulation(p);
    return s;
}

// A graph screen brought to the size it takes on a 1920 by 1080 display.
GraphScreen& graphAt(Program& p, ScreenId id, int width, int height) {
    auto& g = p.screens().as<GraphScreen>(id);
    g.resize(width, height);
    g.present();
    return g;
}

}  // namespace

std::vector<Scene> scenes() {
    return {
        // The introduction, reached by BACK from the start-up screen.
        {QStringLiteral("eisagogiki.png"),
         [](Program& p) -> QWidget& {
             curveLab(p).XANAPISO->trigger();
             return p.screens().get(ScreenId::EISAGOGIKI);
         }},
        // Its way on: the first explanation over the whole start-up screen.
        {QStringLiteral("firststep-first-explanation.png"),
         [](Program& p) -> QWidget& {
             curveLab(p).XANAPISO->trigger();
             p.screens().as<IntroductionScreen>(ScreenId::EISAGOGIKI).Command1->click();
             return p.screens().get(ScreenId::firststep);
         }},
        {QStringLiteral("firststep-acceleration.png"),
         [](Program& p) -> QWidget& {
             auto& s = curveLab(p);
             s.campyles->trigger();
             return s;
         }},
        {QStringLiteral("firststep-time.png"),
         [](Program& p) -> QWidget& {
             auto& s = curveLab(p);
             s.campyles->trigger();
             s.arxikives->setValue(1);
             s.epitaxyno->setValue(3);
             s.Option2->click();
             s.Command1->click();
             for (int i = 0; i < 200 && s.Timer1->isEnabled(); ++i) s.Timer1->tick();
             s.PAUSE->click();
             return s;
         }},
        {QStringLiteral("firststep-radius.png"),
         [](Program& p) -> QWidget& {
             auto& s = curveLab(p);
             s.campyles->trigger();
             s.DYNAMEISDIAFORES->trigger();
             return s;
         }},
        {QStringLiteral("firststep-radius-point.png"),
         [](Program& p) -> QWidget& {
             auto& s = curveLab(p);
             s.campyles->trigger();
             s.DYNAMEISDIAFORES->trigger();
             s.lab().firststep_eikona_MouseDown(at(3, 2 * std::sin(3 * 3.14159265358979 / 12)));
             s.lab().firststep_eikona_MouseUp(at(3, 2 * std::sin(3 * 3.14159265358979 / 12)));
             return s;
         }},
        {QStringLiteral("firststep-force.png"),
         [](Program& p) -> QWidget& {
             auto& s = curveLab(p);
             s.campyles->trigger();
             s.GUESSFORCE->trigger();
             s.lab().firststep_eikona_MouseDown(at(6, 2));
             s.lab().firststep_eikona_MouseUp(at(7, 4, true));
             return s;
         }},
        {QStringLiteral("exigisirelative.png"), relativeMotionRun},
        {QStringLiteral("context-menu.png"), contextMenu},
        {QStringLiteral("lesson.png"), openedLesson},
        // The inertial observer: the body leaves the disk point on a straight line; the disk
        // point's and the relative velocity beside it.
        {QStringLiteral("exigisi2-inertial.png"),
         [](Program& p) -> QWidget& {
             auto& disk = p.screens().as<RotatingDiskScreen>(ScreenId::exigisi2);
             disk.Check1->click();
             disk.Check2->click();
             return steppedDisk(p, 6);
         }},
        // The rotating observer: the spiral, with the centrifugal, Coriolis and total force.
        {QStringLiteral("exigisi2-rotating.png"),
         [](Program& p) -> QWidget& {
             auto& disk = p.screens().as<RotatingDiskScreen>(ScreenId::exigisi2);
             disk.Option1->click();
             disk.Check4->click();
             disk.Check5->click();
             disk.Check7->click();
             return steppedDisk(p, 9);
         }},
        // The textbook pendulum seen from the disk, with friction: the restoring, centrifugal,
        // Coriolis and friction forces at one scale, adding up to the total.
        {QStringLiteral("exigisi2-pendulum.png"),
         [](Program& p) -> QWidget& {
             auto& disk = p.screens().as<RotatingDiskScreen>(ScreenId::exigisi2);
             disk.Option1->click();
             disk.Check3->click();
             disk.Check4->click();
             disk.Check5->click();
             disk.Check7->click();
             disk.FOUCAULTTEXTBOOK->trigger();
             return steppedDisk(p, 12);
         }},
        // The inertial observer's explanation at the first complementary acceleration, at the
        // default orbit point.
        {QStringLiteral("explanation-inertial.png"),
         [](Program& p) -> QWidget& { return explanationAt(p, false, 45, 7); }},
        // The rotating observer's explanation at the relative acceleration, the two moments one
        // display step apart.
        {QStringLiteral("explanation-rotating.png"),
         [](Program& p) -> QWidget& { return explanationAt(p, true, 45, 4); }},
        // The same step in projector colours, for the classroom.
        {QStringLiteral("explanation-rotating-projector.png"),
         [](Program& p) -> QWidget& {
             p.projector().setOn(true);
             return explanationAt(p, true, 45, 4);
         }},
        // The orbits of a free base's run: the red inertial path and the blue spiral seen from
        // the base, around the dotted start circle.
        {QStringLiteral("x_ygraph.png"),
         [](FullProgram& p) -> QWidget& {
             freeBaseRun(p);
             auto& g = graphAt(p, ScreenId::x_ygraph, 960, 540);
             drawOrbitGraph(*g.picture, p.disk());
             return g;
         }},
        // The work chart of the same run, full range.
        {QStringLiteral("base_centrafugal.png"),
         [](Program& p) -> QWidget& {
             freeBaseRun(p);
             auto& g = graphAt(p, ScreenId::base_centrafugal, 1728, 540);
             p.screens().as<BothFramesScreen>(ScreenId::rotating).base_centrafugalwork->click();
             return g;
         }},
        {QStringLiteral("rotating.png"),
         [](Program& p) -> QWidget& {
             auto& s = freeBaseRun(p);
             s.resize(1632, 540);
             return s;
         }},
        {QStringLiteral("goniakigraph.png"),
         [](Program& p) -> QWidget& {
             auto& s = freeBaseRun(p);
             auto& g = graphAt(p, ScreenId::goniakigraph, 1632, 540);
             s.goniakiarxi->click();
             return g;
         }},
        {QStringLiteral("velocitytimes.png"),
         [](Program& p) -> QWidget& {
             auto& s = freeBaseRun(p);
             auto& g = graphAt(p, ScreenId::velocitytimes, 1632, 540);
             s.Grafikhvel->click();
             return g;
         }},
        {QStringLiteral("goniaxronos.png"),
         [](FullProgram& p) -> QWidget& {
             freeBaseRun(p);
             auto& g = graphAt(p, ScreenId::goniaxronos, 1632, 540);
             drawBaseAngleGraph(*g.picture, p.disk(), bothFramesTotalTime(12));
             return g;
         }},
        // The vector graph a third of the way through its animation.
        {QStringLiteral("xronikh.png"),
         [](FullProgram& p) -> QWidget& {
             auto& s = freeBaseRun(p);
             s.enarxixronou->click();
             auto& g = p.screens().as<GraphScreen>(ScreenId::xronikh);
             for (int i = 0; i < p.disk().tables.pointCount / 3; ++i) g.Timer1->tick();
             return g;
         }},
        {QStringLiteral("xronoorbit.png"),
         [](Program& p) -> QWidget& {
             auto& s = freeBaseRun(p);
             auto& g = graphAt(p, ScreenId::xronoorbit, 960, 540);
             s.xronotroxia->click();
             while (g.animating()) g.Timer1->tick();
             return g;
         }},
    };
}

}  // namespace velarium::snap
