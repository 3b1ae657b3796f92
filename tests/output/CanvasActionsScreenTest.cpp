#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QFileDialog>
#include <QPushButton>
#include <cmath>
#include <csignal>
#include <sys/resource.h>

#include "draw/Arrow.h"
#include "energy/GraphScreen.h"
#include "energy/BothFramesScreen.h"
#include "output/CanvasActions.h"
#include "output/PictureFile.h"
#include "support/ScreenSupport.h"
#include "translating/RelativeMotionScreen.h"
#include "translating/RelativeRunTable.h"

using namespace velarium;
using namespace velarium::test;

namespace {
// How far a pixel is from white: ink where it is well above the edge of antialiasing.
int inkOf(QRgb p) { return 765 - qRed(p) - qGreen(p) - qBlue(p); }

// The pixels of a that carry strong ink with no ink at all in b within one pixel, outside the
// given boxes.
int strayInk(const QImage& a, const QImage& b, const std::vector<QRect>& outside) {
    int stray = 0;
    for (int y = 1; y + 1 < a.height(); ++y)
        for (int x = 1; x + 1 < a.width(); ++x) {
            if (inkOf(a.pixel(x, y)) < 300) continue;
            if (std::any_of(outside.begin(), outside.end(),
                            [&](const QRect& r) { return r.contains(x, y); }))
                continue;
            bool near = false;
            for (int dy = -1; dy <= 1 && !near; ++dy)
                for (int dx = -1; dx <= 1 && !near; ++dx)
                    near = inkOf(b.pixel(x + dx, y + dy)) > 60;
            if (!near) ++stray;
        }
    return stray;
}

// The texts an SVG document carries as text elements, in document order; the runs of one line
// (a font change splits a line into runs on one baseline) joined.
QStringList svgTexts(const QByteArray& svg) {
    QStringList texts;
    QString baseline;
    QXmlStreamReader xml(svg);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != QLatin1String("text"))
            continue;
        const QString y = xml.attributes().value(QLatin1String("y")).toString();
        const QString run = xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
        if (!texts.isEmpty() && y == baseline)
            texts.back() += run;
        else
            texts << run;
        baseline = y;
    }
    return texts;
}

// The box of the ink inside r.
QRect inkBox(const QImage& image, const QRect& r) {
    QRect box;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (image.valid(x, y) && inkOf(image.pixel(x, y)) > 300) box |= QRect(x, y, 1, 1);
    return box;
}

// Every screen that has canvases.
const ScreenId kCanvasScreens[] = {
    ScreenId::firststep,     ScreenId::EISAGOGIKI,       ScreenId::exigisirelative,
    ScreenId::exigisi2,      ScreenId::base_centrafugal, ScreenId::goniakigraph,
    ScreenId::velocitytimes, ScreenId::x_ygraph,         ScreenId::xronikh,
    ScreenId::xronoorbit,    ScreenId::goniaxronos};

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeContents(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

// Opens a canvas's menu as a right click does and chooses its entry by keys, as a person who
// works the menu with the keyboard: Down to the entry, Return. Disabled entries are passed over.
void chooseFromMenu(CanvasWidget& canvas, QAction* entry) {
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(20, 20),
                            canvas.mapToGlobal(QPoint(20, 20)));
    QApplication::sendEvent(&canvas, &click);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menu);
    for (QAction* a : menu->actions()) {
        if (a->isSeparator() || !a->isEnabled()) continue;
        QTest::keyClick(menu, Qt::Key_Down);
        if (a == entry) break;
    }
    QCOMPARE(menu->activeAction(), entry);
    QTest::keyClick(menu, Qt::Key_Return);
}

// A screen with one canvas and its actions, and a chooser that names the file the test gives.
struct Bench {
    TestProgram t;
    QWidget screen;
    CanvasWidget* canvas = new CanvasWidget(&screen);
    CanvasActions actions{t.program, screen, {canvas}};
    QString next;
    Bench() {
        screen.resize(300, 200);
        canvas->resize(300, 200);
        screen.show();
        t.program.setSaveNameChooser([this](QWidget*, const SaveQuestion&, const SaveAnswer& answer) {
            if (!next.isEmpty()) answer(next, next.endsWith(QLatin1String(".svg")));
        });
    }
};

// Lines, circles, an arc, dots, a dashed line and two texts, one bold.
void drawScene(CanvasWidget& c) {
    c.setScale(-3, 2, 3, -2);
    c.clear();
    drawArrow(c, -2.5, -1.5, 2, 1.2, 200, 0, 0);
    c.setDrawWidth(2);
    c.circle(1.5, 0.5, 0.6, Rgb{0, 0, 200});
    c.setFillStyle(kFillSolid);
    c.setFillColor(Rgb{0, 150, 0});
    c.circle(-1.5, 1, 0.3);
    c.setFillStyle(kFillTransparent);
    c.arc(0, 0, 1.2, 0.3, 2.2, kBlack);
    c.setDrawStyle(kDash);
    c.line(-2.8, -1.8, 2.8, -1.8, Rgb{90, 90, 90});
    c.setDrawStyle(kSolid);
    for (int i = 0; i < 20; ++i) c.point(-2 + i * 0.2, 1.7, kBlack);
    c.setCurrentPosition(0.3, -0.4);
    c.print("v = 1.25");
    c.setBold(true);
    c.setCurrentPosition(-2.7, 1.4);
    c.print("ω ≥ 2, \"fast\" & <free>");
    c.setBold(false);
    c.repaintNow();
}

std::vector<QRect> textBoxes(const CanvasWidget& c) {
    std::vector<QRect> boxes;
    for (const PrintedText& t : c.printedTexts())
        boxes.push_back(QRectF(QPointF(t.left * c.width(), t.top * c.height()),
                               QPointF(t.right * c.width(), t.bottom * c.height()))
                            .toAlignedRect()
                            .adjusted(-3, -3, 3, 3));
    return boxes;
}
}  // namespace

class CanvasActionsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { prepareScreenTests(); }
    void init() { failOnWarnings(); }

    // Every canvas of every screen offers the three actions with their shortcuts, then the
    // program's own entries ("Projector Colours" first); before a run "Export Data…" is disabled
    // and its tooltip says why, and after one it is enabled.
    void everyCanvasOffersTheActions() {
        TestProgram t;
        QAction extra(QStringLiteral("Extra entry"));
        t.program.canvasMenuEntries().append(&extra);
        int canvases = 0;
        for (ScreenId id : kCanvasScreens) {
            QWidget& screen = t.screen(id);
            auto* actions = screen.findChild<CanvasActions*>();
            QVERIFY2(actions, screenInfo(id).name);
            for (CanvasWidget* canvas : screen.findChildren<CanvasWidget*>()) {
                ++canvases;
                const QList<QAction*> entries = actions->menuFor(canvas).actions();
                QCOMPARE(actions->target(), canvas);
                QCOMPARE(entries.size(), 9);
                QCOMPARE(entries[0]->text(), QStringLiteral("Copy Picture"));
                QCOMPARE(entries[1]->text(), QStringLiteral("Save Picture…"));
                QCOMPARE(entries[2]->text(), QStringLiteral("Export Data…"));
                // The program's entries: its projector colours switch, then any added later.
                QCOMPARE(entries[4]->text(), QStringLiteral("Projector Colours"));
                QVERIFY(entries[4]->isCheckable());
                QCOMPARE(entries[5]->text(), QStringLiteral("Save Lesson…"));
                QCOMPARE(entries[6]->text(), QStringLiteral("Open Lesson…"));
                QCOMPARE(entries[7]->text(), QStringLiteral("Open Recent"));
                QCOMPARE(entries[8], &extra);
                QCOMPARE(entries[0]->shortcut(), QKeySequence(QKeySequence::Copy));
                QCOMPARE(entries[1]->shortcut(), QKeySequence(QKeySequence::Save));
                QCOMPARE(entries[2]->shortcut(), QKeySequence(QStringLiteral("Ctrl+E")));
                QVERIFY2(!entries[2]->isEnabled(), screenInfo(id).name);
                QVERIFY(!entries[2]->toolTip().isEmpty());
                QVERIFY(entries[0]->isEnabled() && entries[1]->isEnabled());
            }
        }
        QCOMPARE(canvases, 13);

        auto& relative = t.screen<RelativeMotionScreen>(ScreenId::exigisirelative);
        relative.Command1->click();
        t.screen<BothFramesScreen>(ScreenId::rotating).simulateBothFrames();
        for (ScreenId id : {ScreenId::exigisirelative, ScreenId::x_ygraph, ScreenId::xronikh}) {
            auto* actions = t.screen(id).findChild<CanvasActions*>();
            actions->menuFor(t.screen(id).findChild<CanvasWidget*>());
            QVERIFY2(actions->exportData->isEnabled(), screenInfo(id).name);
        }
        // The introduction never has a run.
        auto* intro = t.screen(ScreenId::EISAGOGIKI).findChild<CanvasActions*>();
        intro->refresh();
        QVERIFY(!intro->exportData->isEnabled());
    }

    // A right click on a canvas pops its menu up over it, and what the menu saves is the
    // picture of that canvas, not the screen's main one.
    void rightClickOpensTheCanvasMenu() {
        TestProgram t;
        QTemporaryDir dir;
        auto& s = t.screen<RelativeMotionScreen>(ScreenId::exigisirelative);
        s.show();
        s.openScreen();
        for (int i = 0; i < 20; ++i) s.Command1->click();
        // What the window system sends for a right click.
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(40, 40),
                                s.eikona2->mapToGlobal(QPoint(40, 40)));
        QApplication::sendEvent(s.eikona2, &click);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QCOMPARE(menu->actions().value(1), s.canvasActions->savePicture);
        QVERIFY(menu->actions().value(2)->isEnabled());
        const QString path = dir.filePath(QStringLiteral("moving.png"));
        t.program.setSaveNameChooser(answering(path));
        menu->actions().value(1)->trigger();
        menu->close();
        QCOMPARE(QImage(path).convertToFormat(QImage::Format_RGB32),
                 slidePicture(*s.eikona2).convertToFormat(QImage::Format_RGB32));
        QVERIFY(QImage(path) != slidePicture(*s.eikona1));
    }

    // As a teacher making a worksheet: on every canvas of every screen, the menu opened by a
    // right click and worked by keys, the real file dialog answered by typing: a picture saved,
    // the run stepped, the same picture saved over the first, the data exported, a dialog
    // cancelled and a write refused. Valgrind runs this one as well.
    void savingAgainAndAgainOnEveryCanvas() {
        TestProgram t(TestProgram::Real);
        QTemporaryDir dir;
        writeContents(dir.filePath(QStringLiteral("plain")), "not a folder");
        auto& relative = t.screen<RelativeMotionScreen>(ScreenId::exigisirelative);
        relative.Command1->click();
        t.screen<BothFramesScreen>(ScreenId::rotating).simulateBothFrames();
        int refused = 0;
        for (ScreenId id : kCanvasScreens) {
            QWidget& screen = t.screen(id);
            screen.show();
            auto* actions = screen.findChild<CanvasActions*>();
            int n = 0;
            for (CanvasWidget* canvas : screen.findChildren<CanvasWidget*>()) {
                if (!canvas->isVisible()) continue;
                const QString name = QStringLiteral("%1-%2").arg(screenInfo(id).name).arg(n++);
                const QString png = dir.filePath(name + QStringLiteral(".png"));
                for (int time = 0; time < 2; ++time) {
                    chooseFromMenu(*canvas, actions->savePicture);
                    QVERIFY(person::typeName(dir.filePath(name)));
                    if (time == 1) QVERIFY(person::answer(QMessageBox::Yes));
                    QVERIFY2(person::settled(), qPrintable(name));
                    QVERIFY2(!QImage(png).isNull(), qPrintable(name));
                    for (QPushButton* step : screen.findChildren<QPushButton*>(
                             QStringLiteral("Command1"), Qt::FindDirectChildrenOnly))
                        if (id == ScreenId::exigisi2 || id == ScreenId::exigisirelative)
                            step->click();
                }
                if (actions->exportData->isEnabled()) {
                    chooseFromMenu(*canvas, actions->exportData);
                    QVERIFY(person::typeName(dir.filePath(name)));
                    QVERIFY(person::settled());
                    QVERIFY(contents(dir.filePath(name + QStringLiteral(".csv"))).size() > 0);
                }
                chooseFromMenu(*canvas, actions->savePicture);
                QVERIFY(person::escape());
                QVERIFY(person::settled());
                chooseFromMenu(*canvas, actions->savePicture);
                QVERIFY(person::typeName(dir.filePath(QStringLiteral("plain/") + name)));
                QVERIFY(!person::settled());  // the message says why
                QVERIFY(person::answer(QMessageBox::Ok));
                QVERIFY(person::settled());
                ++refused;
            }
            screen.hide();
        }
        QVERIFY(refused >= 12);
        QCOMPARE(int(t.messages.size()), refused);
        for (const std::string& m : t.messages) QVERIFY(QString::fromStdString(m).contains("plain/"));
    }

    // The dialog adds the chosen kind's suffix to a name typed without one, and asks about the
    // file of that very name before it is replaced; a name typed with another suffix is written
    // as typed; a name too long for its folder is refused with the reason, the dialog open.
    void theDialogAsksAboutTheNameItWrites() {
        TestProgram t(TestProgram::Real);
        QWidget screen;
        auto* canvas = new CanvasWidget(&screen);
        CanvasActions actions(t.program, screen, {canvas});
        screen.resize(300, 200);
        canvas->resize(300, 200);
        screen.show();
        drawScene(*canvas);
        QTemporaryDir dir;
        const QString picture = dir.filePath(QStringLiteral("picture.png"));
        writeContents(picture, "old");

        actions.savePicture->trigger();
        QVERIFY(person::typeName(dir.filePath(QStringLiteral("picture"))));
        auto* question = qobject_cast<QMessageBox*>(person::dialogInFront());
        QVERIFY(question && question->text().contains(QStringLiteral("“picture.png”")));
        QVERIFY(person::answer(QMessageBox::No));
        QVERIFY(person::settled());
        QCOMPARE(contents(picture), QByteArray("old"));

        actions.savePicture->trigger();
        QVERIFY(person::typeName(dir.filePath(QStringLiteral("picture"))));
        QVERIFY(person::answer(QMessageBox::Yes));
        QVERIFY(person::settled());
        QCOMPARE(QImage(picture).size(), canvas->size() * 2);

        actions.savePicture->trigger();
        QVERIFY(person::typeName(dir.filePath(QStringLiteral("notes.txt"))));
        QVERIFY(person::settled());
        QVERIFY(!QImage(dir.filePath(QStringLiteral("notes.txt")), "PNG").isNull());
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("notes.txt.png"))));

        // The SVG kind chosen in the dialog's list of kinds gives its own suffix.
        actions.savePicture->trigger();
        auto* combo = person::dialogInFront()->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        QVERIFY(combo);
        QTest::keyClick(combo, Qt::Key_Down);
        QVERIFY(person::typeName(dir.filePath(QStringLiteral("drawing"))));
        QVERIFY(person::settled());
        QVERIFY(contents(dir.filePath(QStringLiteral("drawing.svg"))).contains("<svg"));

        actions.savePicture->trigger();
        auto* dialog = qobject_cast<QFileDialog*>(person::dialogInFront());
        QVERIFY(person::typeName(dir.filePath(QString(300, QLatin1Char('x')))));
        // The hint says why as the name is typed; Return, if Save is not greyed yet, says it again.
        auto* hint = dialog->findChild<QLabel*>(QStringLiteral("nameHint"));
        QVERIFY(hint && hint->isVisible() && hint->text().contains(QStringLiteral("too long")));
        if (auto* notice = qobject_cast<QMessageBox*>(person::dialogInFront())) {
            QVERIFY(notice->text().contains(QStringLiteral("too long")));
            QVERIFY(person::answer(QMessageBox::Ok));
        }
        QCOMPARE(person::dialogInFront(), dialog);
        QVERIFY(person::escape());
        QVERIFY(person::settled());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 3);
        QVERIFY(t.messages.empty());
    }

    // A file system that refuses a write part way, as a full disk does, leaves the file that was
    // to be replaced byte for byte as it was, and the message names the file and the reason:
    // for a table that fits the write buffer, a picture and a drawing alike.
    void aFullDiskLeavesTheOldFileWhole() {
        Bench b;
        drawScene(*b.canvas);
        CsvTable table{{"t", "x"}, {}};
        for (int i = 0; i < 400; ++i) table.rows.push_back({i * 0.1, i * 0.123456789});
        b.actions.setData([] { return true; }, [&] { return table; }, QString());
        QVERIFY(toCsv(table).size() > 4096 && toCsv(table).size() < 16384);
        QTemporaryDir dir;
        const QByteArray old(8000, 'o');
        const QString names[] = {QStringLiteral("data.csv"), QStringLiteral("picture.png"),
                                 QStringLiteral("drawing.svg")};
        for (const QString& name : names) writeContents(dir.filePath(name), old);

        // The process may write no file past 4 KiB; the signal that would end it is ignored,
        // so the write fails as on a full disk.
        rlimit before{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &before), 0);
        const auto signalBefore = std::signal(SIGXFSZ, SIG_IGN);
        rlimit full = before;
        full.rlim_cur = 4096;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &full), 0);
        const bool written[] = {b.actions.exportDataAs(dir.filePath(names[0])),
                                b.actions.savePictureAs(*b.canvas, dir.filePath(names[1]), false),
                                b.actions.savePictureAs(*b.canvas, dir.filePath(names[2]), true)};
        setrlimit(RLIMIT_FSIZE, &before);
        std::signal(SIGXFSZ, signalBefore);

        QCOMPARE(int(b.t.messages.size()), 3);
        for (int i = 0; i < 3; ++i) {
            QVERIFY2(!written[i], qPrintable(names[i]));
            QCOMPARE(contents(dir.filePath(names[i])), old);
            const QString message = QString::fromStdString(b.t.messages[i]);
            QVERIFY2(message.contains(dir.filePath(names[i])) && message.contains(QStringLiteral("large")),
                     qPrintable(message));
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 3);
    }

    // While a canvas's menu is open, a screen reader finds it under the canvas, a menu whose
    // items are its entries; once it closes, it is gone from the tree.
    void anOpenMenuIsInTheAccessibilityTree() {
        TestProgram t;
        auto& screen = t.screen(ScreenId::exigisi2);
        screen.show();
        auto* canvas = screen.findChild<CanvasWidget*>();
        auto menus = [&] {
            QList<QStringList> found;
            std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* a) {
                auto* shown = qobject_cast<QMenu*>(a->object());
                if (a->role() == QAccessible::PopupMenu && shown && shown->isVisible()) {
                    QStringList items;
                    for (int i = 0; i < a->childCount(); ++i)
                        if (QString n = a->child(i)->text(QAccessible::Name); !n.isEmpty())
                            items << n;
                    found << items;
                }
                for (int i = 0; i < a->childCount(); ++i)
                    if (QAccessibleInterface* c = a->child(i)) walk(c);
            };
            walk(QAccessible::queryAccessibleInterface(&screen));
            return found;
        };
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(20, 20),
                                canvas->mapToGlobal(QPoint(20, 20)));
        QApplication::sendEvent(canvas, &click);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QStringList entries;
        for (QAction* a : menu->actions())
            if (!a->isSeparator()) entries << a->text();
        QCOMPARE(menus(), QList<QStringList>{entries});
        menu->close();
        QVERIFY(menus().isEmpty());
    }

    // "Export Data…" writes the screen's run exactly as its table, through the chosen name.
    void exportWritesTheRunsTable() {
        TestProgram t;
        QTemporaryDir dir;
        auto& s = t.screen<RelativeMotionScreen>(ScreenId::exigisirelative);
        for (int i = 0; i < 5; ++i) s.Command1->click();
        const QString path = dir.filePath(QStringLiteral("run.csv"));
        t.program.setSaveNameChooser(answering(path));
        s.canvasActions->refresh();
        s.canvasActions->exportData->trigger();
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const std::string expected = toCsv(relativeRunTable(s.run(), s.settings(), 1.0 / 15));
        QCOMPARE(file.readAll().toStdString(), expected);
        QVERIFY(t.messages.empty());
    }

    // A saved SVG renders back to the canvas's own picture: the lines within a pixel, and every
    // kept text as a text element, as printed.
    void svgRendersBackToTheCanvasPicture() {
        Bench b;
        drawScene(*b.canvas);
        QTemporaryDir dir;
        b.next = dir.filePath(QStringLiteral("scene.svg"));
        b.actions.menuFor(b.canvas);
        b.actions.savePicture->trigger();
        QFile file(b.next);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray svg = file.readAll();
        QCOMPARE(svgTexts(svg), (QStringList{QStringLiteral("v = 1.25"),
                                             QStringLiteral("ω ≥ 2, \"fast\" & <free>")}));

        const QImage shown = b.canvas->picture(1).convertToFormat(QImage::Format_RGB32);
        QImage rendered(shown.size(), QImage::Format_RGB32);
        rendered.fill(Qt::white);
        QSvgRenderer renderer(svg);
        QVERIFY(renderer.isValid());
        QPainter p(&rendered);
        renderer.render(&p);
        p.end();
        const std::vector<QRect> texts = textBoxes(*b.canvas);
        QCOMPARE(strayInk(shown, rendered, texts), 0);
        QCOMPARE(strayInk(rendered, shown, texts), 0);
        // The texts are drawn in the canvas's size and place: their ink covers the same box.
        for (const QRect& r : texts) {
            const QRect a = inkBox(shown, r), b = inkBox(rendered, r);
            QVERIFY(!a.isEmpty());
            QVERIFY2(std::abs(a.left() - b.left()) <= 2 && std::abs(a.right() - b.right()) <= 2 &&
                         std::abs(a.top() - b.top()) <= 2 && std::abs(a.bottom() - b.bottom()) <= 2,
                     qPrintable(QStringLiteral("%1,%2 %3x%4 against %5,%6 %7x%8")
                                    .arg(a.x())
                                    .arg(a.y())
                                    .arg(a.width())
                                    .arg(a.height())
                                    .arg(b.x())
                                    .arg(b.y())
                                    .arg(b.width())
                                    .arg(b.height())));
        }
    }

    // PNG is written at twice the canvas's pixels here (pixel ratio 1), texts included, and the
    // copy puts the same picture on the clipboard.
    void pngIsWrittenAtTwiceThePixels() {
        Bench b;
        drawScene(*b.canvas);
        QTemporaryDir dir;
        b.next = dir.filePath(QStringLiteral("scene.png"));
        b.actions.savePicture->trigger();
        QImage png(b.next);
        QCOMPARE(png.size(), b.canvas->size() * 2);
        QCOMPARE(png.convertToFormat(QImage::Format_RGB32),
                 slidePicture(*b.canvas).convertToFormat(QImage::Format_RGB32));
        // Doubled, not stretched: the picture at ratio 2 halved is the shown one to within
        // antialiasing, and it has ink where the texts are.
        const QImage half =
            png.scaled(b.canvas->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        QVERIFY(strayInk(b.canvas->snapshot(), half, {}) < 40);
        b.actions.copyPicture->trigger();
        QCOMPARE(QGuiApplication::clipboard()->image().size(), png.size());
    }

    // Failures leave any existing file whole and say which file and why; the program goes on.
    void failuresKeepFilesAndExplain() {
        Bench b;
        QTemporaryDir dir;
        // A name inside a path that is not a folder.
        QFile blocker(dir.filePath(QStringLiteral("plain")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        drawScene(*b.canvas);
        const QString bad = dir.filePath(QStringLiteral("plain/picture.png"));
        QVERIFY(!b.actions.savePictureAs(*b.canvas, bad, false));
        QCOMPARE(b.t.messages.size(), 1u);
        QVERIFY(QString::fromStdString(b.t.messages[0]).contains(bad));

        // A picture too large to keep is refused as SVG; the file of the same name stays.
        const QString kept = dir.filePath(QStringLiteral("kept.svg"));
        QFile old(kept);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("<svg/>");
        old.close();
        b.canvas->clear();
        for (std::size_t i = 0; i <= DrawRecord::kMostKept; ++i) b.canvas->point(0, 0);
        QVERIFY(!b.actions.savePictureAs(*b.canvas, kept, true));
        QCOMPARE(b.t.messages.size(), 2u);
        QVERIFY(QString::fromStdString(b.t.messages[1]).contains(kept));
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("<svg/>"));
        old.close();
        // Its pixels still make a PNG.
        QVERIFY(b.actions.savePictureAs(*b.canvas, dir.filePath(QStringLiteral("big.png")), false));
        QVERIFY(!QImage(dir.filePath(QStringLiteral("big.png"))).isNull());
    }
};

QTEST_MAIN(CanvasActionsTest)
#include "CanvasActionsScreenTest.moc"
