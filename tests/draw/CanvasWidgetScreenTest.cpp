#include <QAccessible>
#include <QMainWindow>
#include <cmath>
#include <memory>

#include "app/FullProgram.h"
#include "draw/Arrow.h"
#include "draw/CanvasWidget.h"
#include "support/ScreenSupport.h"
#include "widgets/Program.h"
#include "widgets/ScreenTimer.h"

using namespace velarium;

namespace {
QColor at(CanvasWidget& c, double x, double y) {
    const QImage img = c.snapshot();
    const double dpr = c.devicePixelRatioF();
    const QPoint p = test::canvasPixel(c, x, y);
    return img.pixelColor(static_cast<int>(p.x() * dpr), static_cast<int>(p.y() * dpr));
}

// A shown 200 by 200 canvas, ten units a side, cleared, drawing lines four pixels wide.
std::unique_ptr<CanvasWidget> wideLineCanvas() {
    auto c = std::make_unique<CanvasWidget>();
    c->resize(200, 200);
    c->show();
    c->setScale(0, 10, 10, 0);
    c->clear();
    c->setDrawWidth(4);
    return c;
}

int countDark(const QImage& img) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixelColor(x, y).lightness() < 100) ++n;
    return n;
}
}  // namespace

class CanvasWidgetTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { test::prepareScreenTests(); }
    void init() { test::failOnWarnings(); }

    void userScaleMapsWithYUp() {
        CanvasWidget c;
        c.resize(200, 100);
        c.show();
        c.setScale(0, 10, 20, -10);
        c.clear();
        c.setDrawWidth(3);
        c.point(5, 5, {255, 0, 0});
        c.point(15, -5, {0, 0, 255});
        QCOMPARE(at(c, 5, 5), QColor(255, 0, 0));
        QCOMPARE(at(c, 15, -5), QColor(0, 0, 255));
        QCOMPARE(test::canvasPixel(c, 5, 5), QPoint(50, 25));  // upper left quarter
        QCOMPARE(at(c, 5, -5), QColor(255, 255, 255));
    }

    void linesCirclesAndFillsRender() {
        CanvasWidget c;
        c.resize(120, 120);
        c.show();
        c.setScale(-10, 10, 10, -10);
        c.clear();
        c.setDrawWidth(3);
        c.line(-10, 0, 10, 0, {0, 200, 0});
        QCOMPARE(at(c, -5, 0), QColor(0, 200, 0));
        c.setFillStyle(kFillSolid);
        c.setFillColor({10, 20, 30});
        c.circle(5, 5, 2, {10, 20, 30});
        QCOMPARE(at(c, 5, 5), QColor(10, 20, 30));
        c.setFillStyle(kFillTransparent);
        c.circle(-5, 5, 2, {10, 20, 30});
        QCOMPARE(at(c, -5, 5), QColor(255, 255, 255));
        c.setDrawWidth(1);
        c.setDrawStyle(kDot);
        c.line(-10, -5, 10, -5, {0, 0, 0});
        const QImage img = c.snapshot();
        int dark = 0, light = 0;
        const int row = static_cast<int>(test::canvasPixel(c, 0, -5).y() * c.devicePixelRatioF());
        for (int x = 0; x < img.width(); ++x)
            (img.pixelColor(x, row).lightness() < 128 ? dark : light)++;
        QVERIFY(dark > 5 && light > 5);  // a dotted line has gaps
    }

    void printMovesDownAndMeasuresInUserUnits() {
        CanvasWidget c;
        c.setFont(QFont(QStringLiteral("Liberation Serif"), 10));
        c.resize(300, 300);
        c.show();
        c.setScale(0, 10, 20, -10);
        c.clear();
        c.setCurrentPosition(2, 8);
        c.print("ω Δ α β γ");
        const TextExtent e = c.textExtent("ω Δ α β γ");
        QVERIFY(e.width > 0.5 && e.width < 10);
        QVERIFY(e.height > 0.3 && e.height < 3);
        QCOMPARE(c.currentX(), 0.0);
        QVERIFY(qAbs(c.currentY() - (8 - e.height)) < 1e-9);
        const QImage img = c.snapshot();
        QVERIFY(countDark(img) > 10);
        c.setBold(true);
        QVERIFY(c.textExtent("ω Δ α β γ").width >= e.width);
    }

    void drawingSurvivesCoveringAndResizing() {
        QMainWindow w;
        auto* c = new CanvasWidget(&w);
        c->setGeometry(0, 0, 100, 100);
        c->setPersistent(true);
        w.resize(100, 100);
        w.show();
        c->setScale(0, 10, 10, 0);
        c->clear();
        c->setDrawWidth(3);
        drawArrow(*c, 1, 5, 8, 0, 255, 0, 0);
        c->repaintNow();
        const QImage before = c->snapshot();
        w.hide();
        w.show();
        c->repaintNow();
        QCOMPARE(c->snapshot(), before);
        QCOMPARE(w.grab().toImage().pixelColor(50, 50), QColor(255, 0, 0));
        // A larger canvas draws the same picture again at its new size.
        c->resize(150, 150);
        const QImage grown = c->snapshot();
        const double dpr = c->devicePixelRatioF();
        QCOMPARE(grown.width(), static_cast<int>(150 * dpr));
        QCOMPARE(grown.pixelColor(static_cast<int>(75 * dpr), static_cast<int>(75 * dpr)),
                 QColor(255, 0, 0));
        QCOMPARE(grown.pixelColor(static_cast<int>(140 * dpr), static_cast<int>(75 * dpr)),
                 QColor(255, 255, 255));
    }

    // The texts printed since the last clear are kept once, drawn over the picture, and read to
    // assistive technology in print order.
    void printedTextIsKeptReadAndAnnounced() {
        CanvasWidget c;
        c.resize(300, 200);
        c.show();
        c.setScale(0, 10, 30, -10);
        c.clear();
        for (int k = 0; k < 50; ++k) {
            c.setCurrentPosition(1, 9);
            c.print("t = 1.50");
        }
        c.setForeColor({255, 0, 0});
        c.setCurrentPosition(1, 0);
        c.print("VELOCITY ω");

        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(&c);
        QVERIFY(a);
        QCOMPARE(a->text(QAccessible::Description), QStringLiteral("t = 1.50\nVELOCITY ω"));
        // A reprint does not thicken the text: fifty prints look like one.
        CanvasWidget once;
        once.resize(300, 200);
        once.setScale(0, 10, 30, -10);
        once.clear();
        once.setCurrentPosition(1, 9);
        once.print("t = 1.50");
        once.setForeColor({255, 0, 0});
        once.setCurrentPosition(1, 0);
        once.print("VELOCITY ω");
        QCOMPARE(c.snapshot(), once.snapshot());
        QVERIFY(countDark(c.snapshot()) > 0);

        // A layer puts its texts back with its pixels; a clear forgets them.
        c.saveLayer(1);
        c.setCurrentPosition(1, -5);
        c.print("FRICTION");
        c.restoreLayer(1);
        QCOMPARE(a->text(QAccessible::Description), QStringLiteral("t = 1.50\nVELOCITY ω"));
        c.clear();
        QVERIFY(a->text(QAccessible::Description).isEmpty());
        QCOMPARE(countDark(c.snapshot()), 0);
    }

    // A red line through the middle of a black text stops short of its letters: the text stands
    // on a halo of the background, so the row of the line inside the text's box shows white
    // beside the glyphs, where without the halo there is only red and black.
    void textStandsOnAHaloOfTheBackground() {
        CanvasWidget c;
        c.resize(300, 100);
        c.show();
        c.setScale(0, 10, 30, 0);
        c.clear();
        c.setCurrentPosition(2, 3);
        c.print("MWMWMWMW");
        const PrintedText& t = c.printedTexts().front();
        const double middle = 3 - (t.bottom - t.top) * 10 / 2;  // y grows upwards
        c.setDrawWidth(2);
        c.line(0, middle, 30, middle, {255, 0, 0});
        const QImage img = c.snapshot();
        const double dpr = c.devicePixelRatioF();
        const QPoint row = test::canvasPixel(c, 0, middle);
        int white = 0;
        for (int x = static_cast<int>(t.left * 300 * dpr);
             x < static_cast<int>(t.right * 300 * dpr); ++x) {
            const QColor px = img.pixelColor(x, static_cast<int>(row.y() * dpr));
            white += px.lightness() > 240;
        }
        QVERIFY2(white > 4, qPrintable(QString::number(white)));
        // Outside the text the line is whole.
        QCOMPARE(at(c, 28, middle).red(), 255);
    }

    // A curve drawn as thousands of segments shorter than a pixel looks like the same curve drawn
    // in long strokes, and the last short pieces are on the screen without anything after them.
    void shortSegmentsDrawTheLineTheyFollow() {
        auto draw = [](int pieces) {
            auto c = wideLineCanvas();
            for (int i = 0; i < pieces; ++i) {
                const double a = 3.0 * i / pieces, b = 3.0 * (i + 1) / pieces;
                c->line(2 + 2 * std::cos(a), 5 + 2 * std::sin(a), 2 + 2 * std::cos(b),
                        5 + 2 * std::sin(b), {0, 0, 255});
            }
            return c->snapshot();
        };
        const QImage fine = draw(3000);
        const QImage coarse = draw(30);
        QCOMPARE(fine.size(), coarse.size());
        int differ = 0, inked = 0;
        for (int y = 0; y < fine.height(); ++y)
            for (int x = 0; x < fine.width(); ++x) {
                const bool f = fine.pixelColor(x, y).red() < 128;
                inked += f;
                differ += f != (coarse.pixelColor(x, y).red() < 128);
            }
        QVERIFY(inked > 200);
        QVERIFY2(differ < inked / 20, qPrintable(QString("%1 of %2").arg(differ).arg(inked)));
    }

    // A dot drawn among a curve's short segments stands over the ink drawn before it, as it
    // would over the curve drawn in one stroke, however the segments before it were joined.
    void aDotStandsOverTheSegmentsDrawnBeforeIt() {
        auto draw = [](double piece) {
            auto c = wideLineCanvas();
            // A level curve of 20 px per unit from x = 1 to 9 that turns at 5.05, with a red dot
            // 3.25 px behind the turn: the ink after it reaches back 2.5 px, the segments before
            // it up to 2.5 px past their start.
            auto curve = [&](double from, double to) {
                for (double x = from; x < to - 1e-9; x += piece)
                    c->line(x, 5, std::min(x + piece, to), 5, {0, 0, 255});
            };
            curve(1, 5.05);
            c->point(4.8875, 5, {255, 0, 0});
            curve(5.05, 9);
            return c->snapshot();
        };
        const QImage pieces = draw(0.002), strokes = draw(10);
        for (int x = 95; x <= 99; ++x)
            QCOMPARE(pieces.pixelColor(x, 100), strokes.pixelColor(x, 100));
        QCOMPARE(pieces.pixelColor(98, 100), QColor(255, 0, 0));
    }

    void refusesNonFiniteAndKeepsItsScale() {
        CanvasWidget c;
        c.resize(50, 50);
        c.setScale(0, 10, 20, -10);
        c.setScale(0, 0, 0, 5);
        c.line(0, 0, qInf(), 0);
        c.point(qQNaN(), 0);
        QCOMPARE(c.refusedCount(), 3L);
        QCOMPARE(c.scaleWidth(), 20.0);
        c.line(0, 0, 1e300, -1e300);  // finite but far: drawn clamped, not refused
        QCOMPARE(c.refusedCount(), 3L);
    }

    void pressGivesUserCoordinatesAndModifiers() {
        CanvasWidget c;
        c.resize(200, 200);
        c.show();
        c.setScale(0, 10, 20, -10);
        CanvasMouse got;
        connect(&c, &CanvasWidget::released, [&](const CanvasMouse& m) { got = m; });
        test::releaseCanvas(c, 15, -5, Qt::ShiftModifier | Qt::AltModifier);
        QVERIFY(qAbs(got.x - 15) < 0.11 && qAbs(got.y + 5) < 0.11);
        QVERIFY(got.shift && got.alt && !got.ctrl);
    }

    void layersComposeOverAKeptPicture() {
        CanvasWidget c;
        c.resize(100, 100);
        c.show();
        c.setScale(0, 10, 10, 0);
        c.clear();
        c.setDrawWidth(4);
        c.point(2, 2, {255, 0, 0});
        c.saveLayer(1);
        c.point(8, 8, {0, 0, 255});
        c.restoreLayer(1);
        QCOMPARE(at(c, 2, 2), QColor(255, 0, 0));
        QCOMPARE(at(c, 8, 8), QColor(255, 255, 255));
        // A kept layer outlives a resize: what was drawn after it still goes away.
        c.point(8, 8, {0, 0, 255});
        c.resize(160, 160);
        c.restoreLayer(1);
        QCOMPARE(at(c, 2, 2), QColor(255, 0, 0));
        QCOMPARE(at(c, 8, 8), QColor(255, 255, 255));
    }

    void timerKeepsAFramePeriodAndNeverNests() {
        FullProgram program;
        int runs = 0;
        ScreenTimer* self = nullptr;
        ScreenTimer timer(nullptr, program, [&] {
            ++runs;
            self->tick();  // a tick due inside the handler does not start a second one
        });
        self = &timer;
        timer.setInterval(1);
        QCOMPARE(timer.interval(), 1);
        QCOMPARE(timer.realPeriod(), ScreenTimer::kMinimumPeriodMs);
        timer.tick();
        QCOMPARE(runs, 0);  // disabled: no event
        timer.setEnabled(true);
        timer.tick();
        QCOMPARE(runs, 1);
        QTRY_VERIFY_WITH_TIMEOUT(runs >= 3, 2000);
        timer.setInterval(250);
        QCOMPARE(timer.realPeriod(), 250);
        timer.setInterval(0);
        const int stopped = runs;
        QTest::qWait(60);
        QCOMPARE(runs, stopped);
    }
};

QTEST_MAIN(CanvasWidgetTest)
#include "CanvasWidgetScreenTest.moc"
