// The program zoomed as a browser is: every text and line of every screen grows with Ctrl++ and
// shrinks with Ctrl+−, within 100% and 250%; Ctrl+0 goes back; the choice is remembered, and
// projector colours start at 150%, with every text of the program at 4.5:1 or more.
#include <QAbstractButton>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <set>

#include "app/FirstStepScreen.h"
#include "disk/RotatingDiskScreen.h"
#include "draw/ColourProfile.h"
#include "support/ScreenSupport.h"

using namespace velarium;
using velarium::test::TestProgram;

namespace {

// Every widget's font size in points, and every canvas's zoom, on every screen.
struct Sizes {
    std::map<QWidget*, double> points;
    std::map<CanvasWidget*, double> canvasZoom;
};

Sizes sizesOf(TestProgram& t) {
    Sizes s;
    for (const ScreenInfo& info : allScreens()) {
        QWidget& screen = t.screen(info.id);
        QList<QWidget*> all = screen.findChildren<QWidget*>();
        all.prepend(&screen);
        for (QWidget* w : all) {
            // A menu or dialog takes its font when it opens.
            if (w->isWindow() && w != &screen) continue;
            if (auto* c = qobject_cast<CanvasWidget*>(w)) s.canvasZoom[c] = c->profile().zoom;
            if (w->font().pointSizeF() > 0) s.points[w] = w->font().pointSizeF();
        }
    }
    return s;
}

// How many pixels of a canvas's picture differ from its background.
int inked(CanvasWidget& c) {
    const QImage shot = c.snapshot();
    const QRgb background = shot.pixel(0, 0);
    int n = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) n += shot.pixel(x, y) != background;
    return n;
}

double contrast(const QColor& a, const QColor& b) {
    return contrastRatio({a.red(), a.green(), a.blue()}, {b.red(), b.green(), b.blue()});
}

}  // namespace

class ZoomScreenTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { test::prepareScreenTests(); }
    void init() { test::failOnWarnings(); }

    // The keys step through 110, 125, 150, 175, 200, 225 and 250% and stop there, and back; at
    // 200% every font of every screen is about twice its size at 100% (a canvas's text grows
    // through its profile, with its lines), a screen made later comes zoomed, every picture is
    // drawn again with heavier ink, and Ctrl+0 brings everything back.
    void keysZoomEveryScreen() {
        TestProgram t;
        auto& first = t.screen<FirstStepScreen>(ScreenId::firststep);
        first.show();
        first.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&first));
        first.campyles->trigger();
        const Sizes before = sizesOf(t);
        const int ink = inked(*first.eikona);

        ProgramZoom& zoom = t.program.zoom();
        for (double expected : {1.1, 1.25, 1.5, 1.75, 2.0, 2.25, 2.5, 2.5}) {
            QTest::keyClick(&first, Qt::Key_Plus, Qt::ControlModifier);
            QCOMPARE(zoom.factor(), expected);
            QCOMPARE(ProgramZoom::remembered(), expected);
        }
        for (double expected : {2.25, 2.0}) {
            QTest::keyClick(&first, Qt::Key_Minus, Qt::ControlModifier);
            QCOMPARE(zoom.factor(), expected);
        }
        QCoreApplication::processEvents();
        const Sizes zoomed = sizesOf(t);
        for (const auto& [w, points] : before.points) {
            // A screen laid out in twips fits its body below a menu bar that grew too: its
            // fonts come a little short of twice.
            const double grown = zoomed.points.at(w) / points;
            const bool canvas = qobject_cast<CanvasWidget*>(w) != nullptr;
            QVERIFY2(canvas ? grown > 0.95 && grown < 1.02 : grown > 1.9 && grown < 2.02,
                     qPrintable(w->window()->objectName() + QLatin1Char('.') + w->objectName() +
                                QStringLiteral(" %1 -> %2").arg(points).arg(zoomed.points.at(w))));
        }
        for (const auto& [c, z] : zoomed.canvasZoom) QCOMPARE(z, 2.0);
        QVERIFY2(inked(*first.eikona) > 1.3 * ink,
                 qPrintable(QStringLiteral("%1 %2").arg(ink).arg(inked(*first.eikona))));
        // A canvas's menu opens at the zoom.
        emit first.eikona->customContextMenuRequested({10, 10});
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QCOMPARE(menu->font().pointSizeF(), 2 * QApplication::font().pointSizeF());
        menu->hide();

        t.program.zoom().setFactor(1.0);
        const Sizes back = sizesOf(t);
        for (const auto& [w, points] : before.points) QCOMPARE(back.points.at(w), points);
        QTest::keyClick(&first, Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(ProgramZoom::remembered(), 1.0);
        for (int i = 0; i < 3; ++i) QTest::keyClick(&first, Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(zoom.factor(), 1.0);
    }

    // Projector colours start at 150% unless the zoom is larger already, and give the zoom back
    // when switched off. The message box then
    // prints in the projector colour of its message, switched at once, and every text of every
    // screen stands at 4.5:1 against what it is printed on.
    void projectorStartsAt150WithContrast() {
        TestProgram t;
        t.program.zoom().setFactor(1.25);
        t.program.projector().action()->trigger();
        QCOMPARE(t.program.zoom().factor(), ProgramZoom::kProjector);
        t.program.projector().action()->trigger();
        QCOMPARE(t.program.zoom().factor(), 1.25);
        t.program.zoom().setFactor(2.0);
        t.program.projector().action()->trigger();
        QCOMPARE(t.program.zoom().factor(), 2.0);
        t.program.projector().action()->trigger();

        auto& disk = t.screen<RotatingDiskScreen>(ScreenId::exigisi2);
        disk.show();
        const auto messageContrast = [&] {
            const QPalette p = disk.Text1->palette();
            return contrast(p.color(QPalette::Text), p.color(QPalette::Base));
        };
        // A message in a pale colour (the green of a free run), then projector colours.
        for (int i = 0; i < 40 && messageContrast() >= kProjectorContrast; ++i) {
            if (i == 20) disk.Check3->click();
            disk.Command1->click();
        }
        QVERIFY(messageContrast() < kProjectorContrast);
        t.program.projector().action()->trigger();
        QVERIFY(messageContrast() >= kProjectorContrast);
        for (auto setup : {+[](RotatingDiskScreen& s) { s.EPANELAVE->trigger(); },
                           +[](RotatingDiskScreen& s) { s.Check3->click(); },
                           +[](RotatingDiskScreen& s) { s.Option1->click(); }}) {
            setup(disk);
            for (int i = 0; i < 12; ++i) {
                disk.Command1->click();
                QVERIFY2(messageContrast() >= kProjectorContrast,
                         qPrintable(disk.Text1->toPlainText()));
            }
        }

        for (const ScreenInfo& info : allScreens())
            for (QWidget* w : t.screen(info.id).findChildren<QWidget*>()) {
                const QPalette p = w->palette();
                for (auto [text, ground] : {std::pair{QPalette::WindowText, QPalette::Window},
                                            {QPalette::ButtonText, QPalette::Button},
                                            {QPalette::Text, QPalette::Base}})
                    QVERIFY2(contrast(p.color(text), p.color(ground)) >= kProjectorContrast,
                             qPrintable(w->objectName()));
            }
    }
};

QTEST_MAIN(ZoomScreenTest)
#include "ZoomScreenTest.moc"
