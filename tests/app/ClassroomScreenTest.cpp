// The program in front of a class: projector colours on every canvas of every screen, and every
// screen full screen on a projector's display.
#include <QAbstractButton>
#include <QAbstractSlider>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStyle>
#include <functional>

#include "app/FirstStepScreen.h"
#include "disk/RotatingDiskScreen.h"
#include "draw/ColourProfile.h"
#include "support/ScreenSupport.h"
#include "translating/RelativeMotionScreen.h"
#include "widgets/ScreenTimer.h"
#include "widgets/WrapLabel.h"

using namespace velarium;
using velarium::test::TestProgram;

namespace {

QString named(Rgb c) { return QStringLiteral("(%1, %2, %3)").arg(c.red).arg(c.green).arg(c.blue); }

// Qt's own parts of a widget (a text box's scroll bars, the menu bar's overflow button).
bool qtOwn(const QWidget* w) {
    for (; w; w = w->parentWidget())
        if (w->objectName().startsWith(QLatin1String("qt_"))) return true;
    return false;
}

std::vector<CanvasWidget*> allCanvases(TestProgram& t) {
    std::vector<CanvasWidget*> all;
    for (const ScreenInfo& info : allScreens())
        for (CanvasWidget* c : t.screen(info.id).findChildren<CanvasWidget*>()) all.push_back(c);
    return all;
}

// Every screen, every menu entry, button and timer, three times over: each picture the program
// draws, in the order a class might see them. `seen` looks at the screen after each action.
using Look = std::function<void(QWidget& screen, const QString& action)>;
void tour(
    TestProgram& t, const Look& seen = [](QWidget&, const QString&) {}) {
    for (int pass = 0; pass < 3; ++pass) {
        for (const ScreenInfo& info : allScreens()) {
            QWidget& screen = t.screen(info.id);
            screen.show();
            for (QAction* a : screen.findChildren<QAction*>())
                if (!a->menu() && a->text() != QStringLiteral("END") && a->isEnabled()) {
                    a->trigger();
                    seen(screen, a->text());
                }
            for (QAbstractButton* b : screen.findChildren<QAbstractButton*>())
                if (!qtOwn(b) && b->text() != QStringLiteral("END") && b->isEnabled() &&
                    b->isVisibleTo(&screen)) {
                    b->click();
                    seen(screen, b->text());
                }
            for (CanvasWidget* c : screen.findChildren<CanvasWidget*>()) {
                test::pressCanvas(*c, c->scaleLeft() + c->scaleWidth() / 3,
                                  c->scaleTop() + c->scaleHeight() / 3);
                test::releaseCanvas(*c, c->scaleLeft() + c->scaleWidth() / 2,
                                    c->scaleTop() + c->scaleHeight() / 2);
                QTest::keyClick(c, Qt::Key_Right);
                seen(screen, QStringLiteral("a click on ") + c->objectName());
            }
            for (ScreenTimer* timer : screen.findChildren<ScreenTimer*>()) {
                for (int i = 0; i < 40; ++i) timer->tick();
                seen(screen, QStringLiteral("ticks of ") + timer->objectName());
            }
        }
    }
}

// The controls a person sees on a screen, in the screen's coordinates.
std::vector<std::pair<QWidget*, QRect>> shownControls(QWidget& screen) {
    std::vector<std::pair<QWidget*, QRect>> shown;
    for (QWidget* w : screen.findChildren<QWidget*>()) {
        const bool control =
            qobject_cast<QAbstractButton*>(w) || qobject_cast<QAbstractSlider*>(w) ||
            qobject_cast<CanvasWidget*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
            (qobject_cast<QLabel*>(w) && !qobject_cast<QLabel*>(w)->text().isEmpty());
        if (!control || qtOwn(w) || !w->isVisibleTo(&screen) || w->size().isEmpty()) continue;
        shown.emplace_back(w, QRect(w->mapTo(&screen, QPoint(0, 0)), w->size()));
    }
    return shown;
}

// A button's, check box's, option's or one-line label's caption has the room of its text (and
// of its indicator); a wrapped label takes the lines it needs.
bool captionFits(const QWidget& w) {
    const QFontMetrics fm(w.font());
    QString text;
    int beside = 0;
    if (auto* b = qobject_cast<const QAbstractButton*>(&w)) {
        text = b->text();
        if (b->isCheckable() && !qobject_cast<const QPushButton*>(&w))
            beside = w.style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, &w) +
                     w.style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, &w);
    } else if (auto* l = qobject_cast<const QLabel*>(&w)) {
        text = l->text();
        // A label that wraps (or a read-out that breaks its own lines) needs the height of
        // its lines at its width.
        if (l->wordWrap() || qobject_cast<const WrapLabel*>(l))
            return text.isEmpty() || fm.boundingRect(QRect(0, 0, w.width(), 100000),
                                                     Qt::TextWordWrap | Qt::TextWrapAnywhere, text)
                                             .height() <= w.height();
    }
    if (text.isEmpty()) return true;
    text.remove(QLatin1Char('&'));
    return fm.horizontalAdvance(text) + beside <= w.width() && fm.height() <= w.height();
}

bool laidOver(QWidget* canvas, QRect canvasAt, QRect controlAt) {
    return qobject_cast<CanvasWidget*>(canvas) && canvasAt.contains(controlAt);
}

// What is wrong with the layout of a screen's shown controls on a display: a control off it, a
// caption it clips, two controls that overlap.
QStringList layoutFaults(const QString& name,
                         const std::vector<std::pair<QWidget*, QRect>>& controls, QSize display) {
    QStringList faults;
    for (const auto& [w, r] : controls) {
        const QString where = name + QLatin1Char('.') + w->objectName();
        if (!QRect(QPoint(0, 0), display).contains(r))
            faults << where + QStringLiteral(" leaves the display");
        if (!captionFits(*w)) faults << where + QStringLiteral(" clips its caption");
    }
    for (std::size_t i = 0; i < controls.size(); ++i)
        for (std::size_t j = i + 1; j < controls.size(); ++j) {
            const auto& [a, ra] = controls[i];
            const auto& [b, rb] = controls[j];
            if (a->isAncestorOf(b) || b->isAncestorOf(a)) continue;
            // A view's pan bar lies along its edge, as a scroll area's does, and the work
            // chart's range button stands in its corner: laid over a canvas, wholly inside it,
            // by design. A control that straddles a canvas's edge still fails.
            if (laidOver(a, ra, rb) || laidOver(b, rb, ra)) continue;
            if (ra.intersects(rb))
                faults << QStringLiteral("%1: %2 and %3 overlap")
                              .arg(name, a->objectName(), b->objectName());
        }
    return faults;
}

}  // namespace

class ClassroomScreenTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { test::prepareScreenTests(); }
    void init() { test::failOnWarnings(); }

    // Every colour a canvas was asked to draw in over a tour of every screen has a projector
    // colour at the contrast bar, and once projector colours are on, no canvas shows a pixel of
    // a vivid colour that fails it: the profile reached every line, dot, circle and text.
    void everyColourOfTheTourShowsOnAProjector() {
        TestProgram t;
        tour(t);
        std::vector<Rgb> inks;
        for (CanvasWidget* c : allCanvases(t))
            for (Rgb ink : c->inks())
                if (std::find(inks.begin(), inks.end(), ink) == inks.end()) inks.push_back(ink);
        // The tour reached the pictures: the pure green and the orbit pinks are among them.
        QVERIFY2(inks.size() >= 20, qPrintable(QString::number(inks.size())));
        for (Rgb expected : {Rgb{0, 255, 0}, Rgb{255, 0, 255}, Rgb{250, 50, 255}})
            QVERIFY2(std::find(inks.begin(), inks.end(), expected) != inks.end(),
                     qPrintable(named(expected)));

        const ColourProfile projector{true};
        std::vector<Rgb> faint;
        for (Rgb ink : inks) {
            const Rgb shown = projector.ink(ink, kWhite);
            if (shown == kWhite) continue;  // drawing in white erases
            QVERIFY2(contrastRatio(shown, kWhite) >= kProjectorContrast,
                     qPrintable(named(ink) + QStringLiteral(" -> ") + named(shown)));
            const int hi = std::max({ink.red, ink.green, ink.blue});
            const int lo = std::min({ink.red, ink.green, ink.blue});
            if (contrastRatio(ink, kWhite) < kProjectorContrast && hi - lo > hi / 2)
                faint.push_back(ink);
        }
        QVERIFY(!faint.empty());

        t.program.projector().action()->trigger();
        for (CanvasWidget* c : allCanvases(t)) {
            QVERIFY(c->profile().projector);
            const QImage shot = c->snapshot();
            for (int y = 0; y < shot.height(); ++y)
                for (int x = 0; x < shot.width(); ++x) {
                    const QRgb p = shot.pixel(x, y);
                    const Rgb seen{qRed(p), qGreen(p), qBlue(p)};
                    if (std::find(faint.begin(), faint.end(), seen) != faint.end())
                        QFAIL(qPrintable(c->window()->objectName() + QLatin1Char('.') +
                                         c->objectName() + QStringLiteral(" shows ") +
                                         named(seen)));
                }
        }
    }

    // One action switches every screen at once, made or still to be made, by its shortcut too;
    // the choice is remembered, and switching back shows the program's colours again.
    void oneActionSwitchesEveryScreenAndIsRemembered() {
        TestProgram t;
        QAction* action = t.program.projector().action();
        QCOMPARE(action->text(), QStringLiteral("Projector Colours"));
        QVERIFY(action->isCheckable());
        QCOMPARE(action->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+P")));

        auto& first = t.screen<FirstStepScreen>(ScreenId::firststep);
        first.show();
        first.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&first));
        first.campyles->trigger();
        const QImage before = first.eikona->snapshot();
        QTest::keyClick(&first, Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(action->isChecked());
        QVERIFY(first.eikona->profile().projector);
        QVERIFY(first.eikona->snapshot() != before);
        QVERIFY(ProjectorColours::remembered());

        // A screen made after the switch shows projector colours from the start, and carries
        // the action.
        QWidget& disk = t.screen(ScreenId::exigisi2);
        QVERIFY(disk.actions().contains(action));
        for (CanvasWidget* c : disk.findChildren<CanvasWidget*>()) QVERIFY(c->profile().projector);

        action->trigger();
        QVERIFY(!ProjectorColours::remembered());
        for (CanvasWidget* c : allCanvases(t)) QVERIFY(!c->profile().projector);
        QCOMPARE(first.eikona->snapshot(), before);

        // A start with --projector switches on without changing what is remembered.
        t.program.projector().setOn(true);
        QVERIFY(first.eikona->profile().projector);
        QVERIFY(!ProjectorColours::remembered());
    }

    void f11AndEscapeSwitchFullScreen() {
        TestProgram t;
        QWidget& s = t.screen(ScreenId::exigisirelative);
        s.showNormal();
        s.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&s));
        QTest::keyClick(&s, Qt::Key_F11);
        QTRY_VERIFY(s.isFullScreen());
        QTest::keyClick(&s, Qt::Key_F11);
        QTRY_VERIFY(!s.isFullScreen());
        QTest::keyClick(&s, Qt::Key_F11);
        QTRY_VERIFY(s.isFullScreen());
        QTest::keyClick(&s, Qt::Key_Escape);
        QTRY_VERIFY(!s.isFullScreen());
    }

    // Every screen, full screen on a projector's display, uses at least nine tenths of it in one
    // direction, and no control covers another. The offscreen platform has one display of a
    // fixed size; each screen is shown full screen on it and then given the size of the display
    // under test, as a display of that size would. (A full-screen window there keeps the one
    // display's size, so the size under test is given to the window shown normally.)
    // At 100% and 200% zoom, each control also lies whole on the display and shows its whole
    // caption. (The test runs again at device pixel ratio 2, where a display of so many pixels
    // is half as wide and high in the window's units.)
    void everyScreenFillsTheDisplay_data() {
        QTest::addColumn<QSize>("pixels");
        QTest::addColumn<double>("zoom");
        const bool dpr2 = qApp->devicePixelRatio() > 1.5;
        for (QSize d : {QSize(1280, 800), QSize(1920, 1080), QSize(3840, 2160)})
            for (double zoom : {1.0, 2.0}) {
                // At 200% a display of 640 by 400 or 960 by 540 window units holds as much as
                // one of 320 by 200 or 480 by 270 at 100%: smaller than any classroom's.
                if (dpr2 && zoom > 1 && d.width() < 3840) continue;
                QTest::addRow("%dx%d at %d%%", d.width(), d.height(), qRound(100 * zoom))
                    << d << zoom;
            }
    }
    void everyScreenFillsTheDisplay() {
        QFETCH(QSize, pixels);
        QFETCH(double, zoom);
        const QSize display = pixels / qApp->devicePixelRatio();
        TestProgram t;
        t.program.zoom().setFactor(zoom);
        tour(t);
        QStringList faults;
        for (const ScreenInfo& info : allScreens()) {
            QWidget& screen = t.screen(info.id);
            screen.showFullScreen();
            QCoreApplication::processEvents();
            QVERIFY(screen.isFullScreen());
            QVERIFY2(screen.size() == screen.screen()->size(), info.name);
            screen.showNormal();
            screen.setGeometry(QRect(QPoint(0, 0), display));
            QCoreApplication::processEvents();
            QCOMPARE(screen.size(), display);
            const auto controls = shownControls(screen);
            QVERIFY2(!controls.empty(), info.name);
            QRect used;
            for (const auto& [w, r] : controls) used |= r;
            QVERIFY2(
                used.width() >= 0.9 * display.width() || used.height() >= 0.9 * display.height(),
                qPrintable(QStringLiteral("%1 uses %2x%3")
                               .arg(QString::fromLatin1(info.name))
                               .arg(used.width())
                               .arg(used.height())));
            faults << layoutFaults(QString::fromLatin1(info.name), controls, display);
            // The disk's drawing, what the class watches, keeps most of the display's height
            // however large the controls beside it grow.
            if (info.id == ScreenId::exigisi2 &&
                t.screen<RotatingDiskScreen>(info.id).Picture1->height() < 0.6 * display.height())
                faults << QStringLiteral("exigisi2.Picture1 is squeezed");
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    // No text a canvas keeps lies over another, whatever the tour has just shown, at the
    // program's zoom of 100% and 200% on a classroom's display: a caption half hidden under
    // another reads as neither.
    void noCanvasTextLiesOverAnother_data() {
        QTest::addColumn<double>("zoom");
        QTest::newRow("100%") << 1.0;
        QTest::newRow("200%") << 2.0;
    }
    void noCanvasTextLiesOverAnother() {
        QFETCH(double, zoom);
        TestProgram t;
        t.program.zoom().setFactor(zoom);
        // Each screen as large as a classroom's 1920 × 1080 display, as the tour leaves it.
        const QRect display(QPoint(0, 0), QSize(1920, 1080) / qApp->devicePixelRatio());
        QStringList faults;
        tour(t, [&](QWidget& screen, const QString& action) {
            if (screen.geometry() != display) {
                screen.setGeometry(display);
                QCoreApplication::processEvents();
            }
            for (CanvasWidget* c : screen.findChildren<CanvasWidget*>()) {
                const auto& texts = c->printedTexts();
                // Half a pixel: the rows of one block touch.
                const double tx = 0.5 / std::max(1.0, c->pixelWidth());
                const double ty = 0.5 / std::max(1.0, c->pixelHeight());
                for (std::size_t i = 0; i < texts.size(); ++i)
                    for (std::size_t k = i + 1; k < texts.size(); ++k) {
                        const PrintedText& a = texts[i];
                        const PrintedText& b = texts[k];
                        if (a.right <= b.left + tx || b.right <= a.left + tx ||
                            a.bottom <= b.top + ty || b.bottom <= a.top + ty)
                            continue;
                        const QString fault = QStringLiteral("%1.%2 after %3: \"%4\" over \"%5\"")
                                                  .arg(screen.objectName(), c->objectName(), action,
                                                       QString::fromStdString(a.text),
                                                       QString::fromStdString(b.text));
                        if (!faults.contains(fault)) faults << fault;
                    }
            }
        });
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    // Zoomed, the curve lab's factors stand in rows as high as their read-outs, and the options
    // take the width of their captions, the window widening for them where it must: at 200%,
    // in the window the screen opens in and on a small or a classroom's display, nothing is
    // clipped or covered.
    void curveLabFactorsFitWhenZoomed_data() {
        QTest::addColumn<QSize>("window");
        QTest::newRow("opening") << QSize();
        QTest::newRow("1280x800") << QSize(1280, 800);
        QTest::newRow("1920x1080") << QSize(1920, 1080);
    }
    void curveLabFactorsFitWhenZoomed() {
        QFETCH(QSize, window);
        TestProgram t;
        auto& s = t.screen<FirstStepScreen>(ScreenId::firststep);
        t.program.zoom().setFactor(2.0);
        s.show();
        if (window.isValid()) s.resize(window);
        s.campyles->trigger();
        QCoreApplication::processEvents();
        std::vector<std::pair<QWidget*, QRect>> controls;
        for (QWidget* w : std::initializer_list<QWidget*>{
                 s.Option2, s.Option3, s.syxnotikamp, s.epitaxyno, s.platosvalue, s.arxikives,
                 s.Label1, s.Label2, s.Label3, s.Label4, s.Text1, s.eikona})
            controls.emplace_back(w, QRect(w->mapTo(&s, QPoint(0, 0)), w->size()));
        const QStringList faults = layoutFaults(QStringLiteral("firststep"), controls, s.size());
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    // A setting's caption that grows, as a negative value's does, widens its column at once: at
    // 200% and at the highest zoom on a 1280 by 800 display the relative-motion screen stays
    // whole with every bar at its widest value.
    void relativeMotionCaptionsWidenTheirColumns_data() {
        QTest::addColumn<double>("zoom");
        QTest::newRow("200%") << 2.0;
        QTest::newRow("250%") << 2.5;
    }
    void relativeMotionCaptionsWidenTheirColumns() {
        QFETCH(double, zoom);
        TestProgram t;
        t.program.zoom().setFactor(zoom);
        auto& s = t.screen<RelativeMotionScreen>(ScreenId::exigisirelative);
        s.show();
        s.setGeometry(QRect(QPoint(0, 0), QSize(1280, 800) / qApp->devicePixelRatio()));
        QCoreApplication::processEvents();
        for (QScrollBar* b : {s.taxythtax, s.taxythtay, s.epitaxynshx, s.epitaxynshy, s.arxikivx,
                              s.arxikvy, s.arxikx, s.arxikiy, s.overallscale})
            b->setValue(b == s.overallscale ? b->maximum() : b->minimum());
        QCoreApplication::processEvents();
        const QStringList faults =
            layoutFaults(QStringLiteral("exigisirelative"), shownControls(s), s.size());
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    // The start-up screen at a wide display's size is one picture from edge to edge, and its
    // menu bar grows with the rest.
    void startUpScreenFillsAWideDisplay() {
        TestProgram t;
        auto& s = t.screen<FirstStepScreen>(ScreenId::firststep);
        const double designedPoints = s.menuBar()->font().pointSizeF();
        s.show();
        s.resize(1920, 1080);
        QCoreApplication::processEvents();
        const QRect text(s.Text1->mapTo(&s, QPoint(0, 0)), s.Text1->size());
        QVERIFY2(text.right() >= 0.95 * s.width(), qPrintable(QString::number(text.right())));
        QVERIFY(s.menuBar()->font().pointSizeF() >= 1.8 * designedPoints);
        // The canvas keeps its designed proportions.
        QCOMPARE(qRound(100.0 * s.eikona->width() / s.eikona->height()),
                 qRound(100.0 * 4575 / 3855));
    }
};

QTEST_MAIN(ClassroomScreenTest)
#include "ClassroomScreenTest.moc"
