// Lessons: every screen saved with random settings comes back in a fresh program with the same
// controls and the same canvas records; a damaged, hostile or newer file is refused with a message
// naming it and its fault, and nothing on screen changes; random bytes and mutations of a lesson
// never harm the program.
#include <sys/stat.h>

#include <QAbstractButton>
#include <QCryptographicHash>
#include <QJsonDocument>
#include <QPointer>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <random>

#include "app/CurveLab.h"
#include "app/FirstStepScreen.h"
#include "disk/RotatingDiskScreen.h"
#include "energy/BothFramesScreen.h"
#include "energy/GraphScreen.h"
#include "support/ScreenSupport.h"
#include "translating/RelativeMotionScreen.h"
#include "widgets/LessonFile.h"

using namespace velarium;
using velarium::test::TestProgram;

namespace {

int pick(std::mt19937& rng, int least, int most) {
    return std::uniform_int_distribution<int>(least, most)(rng);
}

// Sets every control of the screen as a person might: sliders anywhere in their range, check
// boxes and checkable entries on or off, now and then an option chosen.
void randomControls(QWidget& screen, std::mt19937& rng) {
    // A handler may delete objects of the screen (a menu's entries): each is looked at only
    // while it lives.
    QList<QPointer<QObject>> all;
    for (QObject* o : screen.findChildren<QObject*>()) all << o;
    for (QObject* o : all) {
        if (!o || o->objectName().isEmpty() || o->objectName().startsWith(QLatin1String("qt_")))
            continue;
        if (auto* s = qobject_cast<QAbstractSlider*>(o))
            s->setValue(pick(rng, s->minimum(), s->maximum()));
        if (auto* b = qobject_cast<QAbstractButton*>(o); b && b->isCheckable() && pick(rng, 0, 1))
            b->setChecked(b->autoExclusive() || !b->isChecked());
        if (auto* a = qobject_cast<QAction*>(o); a && a->isCheckable() && pick(rng, 0, 2) == 0)
            a->trigger();
    }
}

// The button of the "rotating" screen that draws each graph of its run.
QPushButton* graphButton(BothFramesScreen& r, ScreenId id) {
    switch (id) {
        case ScreenId::base_centrafugal: return r.base_centrafugalwork;
        case ScreenId::goniakigraph: return r.goniakiarxi;
        case ScreenId::velocitytimes: return r.Grafikhvel;
        case ScreenId::xronikh: return r.enarxixronou;
        case ScreenId::xronoorbit: return r.xronotroxia;
        default: return nullptr;
    }
}

// How a screen is prepared beyond its controls: as it opens, with the disk's explanation, the
// curve lab's Time mode run and looked back on, the work chart at half its range, an animated
// graph paused half-way.
enum class Beyond { nothing, explaining, time, halfRange, halfWay };

// Brings a screen to a random state a teacher might prepare: shown at a place of its own, its
// controls set, and its run taken some steps.
void prepare(TestProgram& t, ScreenId id, Beyond beyond, std::mt19937& rng) {
    QWidget& w = t.screen(id);
    const QRect d = Program::display();
    const int width = pick(rng, d.width() / 2, d.width() * 9 / 10);
    const int height = pick(rng, d.height() / 2, d.height() * 9 / 10);
    w.setGeometry(d.left() + pick(rng, 0, d.width() - width),
                  d.top() + pick(rng, 0, d.height() - height), width, height);
    w.show();
    if (id == ScreenId::exigisirelative) t.screen<RelativeMotionScreen>(id).openScreen();
    if (id >= ScreenId::rotating) {
        auto& rotating = t.screen<BothFramesScreen>(ScreenId::rotating);
        randomControls(rotating, rng);
        rotating.simulateBothFrames();
        if (QPushButton* button = graphButton(rotating, id)) {
            button->click();
            auto& graph = t.screen<GraphScreen>(id);
            const int ticks = beyond == Beyond::halfWay ? graph.animation().last / 2 : 1 << 30;
            for (int i = 0; i < ticks && graph.animating(); ++i) graph.Timer1->tick();
            if (beyond == Beyond::halfWay) graph.PAUSE->click();
            if (beyond == Beyond::halfRange) t.screen<WorkChartScreen>(id).Command1->click();
        }
        return;
    }
    randomControls(w, rng);
    const int steps = pick(rng, 1, 30);
    if (id == ScreenId::firststep && beyond == Beyond::time) {
        auto& first = t.screen<FirstStepScreen>(id);
        first.Option2->click();
        first.Command1->click();
        for (int i = 0; i < 3 * steps && first.Timer1->isEnabled(); ++i) first.Timer1->tick();
        first.lab().showEvent(steps);
    }
    if (id == ScreenId::exigisi2) {
        auto& disk = t.screen<RotatingDiskScreen>(id);
        if (beyond == Beyond::explaining) {
            disk.CORIOLISEXP->trigger();
            for (int i = 0; i < steps % 8; ++i) QTest::keyClick(disk.Picture1, Qt::Key_Right);
        } else {
            for (int i = 0; i < steps; ++i) disk.Command1->click();
        }
    }
    if (id == ScreenId::exigisirelative)
        for (int i = 0; i < steps; ++i) t.screen<RelativeMotionScreen>(id).Command1->click();
}

// What a person sees: the screens shown, where, their controls and kept values, and each canvas's
// record (every command and text) and the texts it reads out.
QStringList seen(Program& program) {
    QStringList rows;
    const Lesson lesson = program.lessons().gather();
    rows << QString::fromUtf8(lessonToJson(lesson));
    for (const LessonScreen& s : lesson.screens) {
        QWidget* screen = nullptr;
        for (const ScreenInfo& info : allScreens())
            if (s.screen == QLatin1String(info.name)) screen = &program.screens().get(info.id);
        for (CanvasWidget* c : screen->findChildren<CanvasWidget*>()) {
            QCryptographicHash hash(QCryptographicHash::Sha1);
            for (const DrawRecord::Command& k : c->record().commands()) {
                const double fields[] = {static_cast<double>(k.kind),
                                         double(k.colour.red),
                                         double(k.colour.green),
                                         double(k.colour.blue),
                                         k.a,
                                         k.b,
                                         k.c,
                                         k.d,
                                         k.e,
                                         double(k.index)};
                hash.addData(QByteArrayView(reinterpret_cast<const char*>(fields), sizeof fields));
            }
            rows << QStringLiteral("%1.%2: %3 commands %4\n%5")
                        .arg(s.screen, c->objectName())
                        .arg(c->record().commands().size())
                        .arg(QString::fromLatin1(hash.result().toHex()), c->shownText());
        }
    }
    return rows;
}

// A lesson as a teacher might write it by hand.
const QByteArray kHandMade = R"({"format": "velarium-lesson", "version": 1, "screens": [
  {"screen": "exigisi2", "geometry": [10, 20, 700, 500], "focus": true,
   "controls": {"vxtax": 3, "mazalazo": 4, "Check1": true, "Option1": true},
   "state": {"step": 6}},
  {"screen": "DIALEGO", "geometry": [500, 20, 300, 200]}]})";

QByteArray replaced(QByteArray text, const char* from, const char* to) {
    return text.replace(from, to);
}

}  // namespace

class LessonTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

    QString file(const QString& name) const { return dir_.filePath(name); }
    static void write(const QString& path, const QByteArray& bytes) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        test::prepareScreenTests();
    }
    void init() { test::failOnWarnings(); }

    void everyScreenComesBackAsSaved_data() {
        QTest::addColumn<int>("screen");
        QTest::addColumn<Beyond>("beyond");
        for (const ScreenInfo& info : allScreens())
            QTest::newRow(info.name) << static_cast<int>(info.id) << Beyond::nothing;
        const std::pair<ScreenId, Beyond> more[] = {{ScreenId::exigisi2, Beyond::explaining},
                                                    {ScreenId::firststep, Beyond::time},
                                                    {ScreenId::base_centrafugal, Beyond::halfRange},
                                                    {ScreenId::xronikh, Beyond::halfWay},
                                                    {ScreenId::xronoorbit, Beyond::halfWay}};
        const char* const said[] = {"", " explaining", " time", " half range", " half-way"};
        for (const auto& [id, beyond] : more)
            QTest::addRow("%s%s", screenInfo(id).name, said[static_cast<int>(beyond)])
                << static_cast<int>(id) << beyond;
    }
    void everyScreenComesBackAsSaved() {
        QFETCH(int, screen);
        QFETCH(Beyond, beyond);
        const auto id = static_cast<ScreenId>(screen);
        const QString path = file(QTest::currentDataTag() + QStringLiteral(".velarium"));
        std::mt19937 rng(static_cast<unsigned>(screen * 31 + static_cast<int>(beyond)));
        QStringList before;
        {
            TestProgram t;
            prepare(t, id, beyond, rng);
            t.program.lessons().saveAction()->trigger();  // the dialog is cancelled: no file
            QVERIFY(!QFileInfo::exists(path));
            t.program.setSaveNameChooser(test::answering(path));
            t.program.lessons().saveAction()->trigger();
            QVERIFY(QFileInfo(path).isFile());
            before = seen(t.program);
            QVERIFY(t.messages.empty());
            // Every canvas's menu offers the lesson entries after the picture entries.
            for (CanvasActions* actions : t.screen(id).findChildren<CanvasActions*>())
                for (CanvasWidget* c : t.screen(id).findChildren<CanvasWidget*>()) {
                    QStringList names;
                    for (QAction* a : actions->menuFor(c).actions()) names << a->objectName();
                    const qsizetype picture = names.indexOf(QStringLiteral("exportData"));
                    QVERIFY(picture >= 0);
                    QCOMPARE(names.mid(names.size() - 3),
                             (QStringList{"saveLesson", "openLesson", "openRecent"}));
                }
        }
        TestProgram fresh;
        fresh.program.lessons().setOpenNameChooser(
            [&path](QWidget*, const std::function<void(const QString&)>& answer) { answer(path); });
        fresh.program.lessons().openAction()->trigger();
        QCOMPARE(seen(fresh.program), before);
        QVERIFY(fresh.messages.empty());
        QCOMPARE(Lessons::recentFiles().value(0), QFileInfo(path).absoluteFilePath());
    }

    // Each kind of bad file, and what it gets: a message naming the file and the fault, with
    // nothing on screen changed; or, for values beyond their ranges and unknown keys, the lesson
    // shown with the values set to the nearest end and named.
    void badLessonsAreRefusedOrMended_data() {
        QTest::addColumn<QString>("place");  // what stands at the file's name
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<QString>("message");
        const QString file = QStringLiteral("file");
        QTest::newRow("not JSON") << file << QByteArray("Dear class,\n") << false
                                  << "its text is not JSON";
        QTest::newRow("empty") << file << QByteArray() << false << "its text is not JSON";
        QTest::newRow("truncated")
            << file << kHandMade.left(kHandMade.size() / 2) << false << "it ends too early";
        QTest::newRow("newer") << file << replaced(kHandMade, "\"version\": 1", "\"version\": 7")
                               << false << "made by a newer Velarium (lesson version 7)";
        QTest::newRow("no format") << file << replaced(kHandMade, "velarium-lesson", "step-file")
                                   << false << "it is not a Velarium lesson";
        QTest::newRow("a list") << file << QByteArray("[1, 2]") << false << "it holds no object";
        QTest::newRow("no screen") << file << replaced(kHandMade, "\"screens\": [", "\"x\": [")
                                   << false << "its “screens” is not a list";
        QTest::newRow("unknown screen")
            << file << replaced(kHandMade, "DIALEGO", "KITCHEN") << false
            << "a screen “KITCHEN” that Velarium does not have";
        QTest::newRow("twice") << file << replaced(kHandMade, "DIALEGO", "exigisi2") << false
                               << "names the screen “exigisi2” twice";
        QTest::newRow("text for a number")
            << file << replaced(kHandMade, "\"vxtax\": 3", "\"vxtax\": \"fast\"") << false
            << "“vxtax” on the screen “exigisi2” is not a whole number";
        QTest::newRow("number for a check box")
            << file << replaced(kHandMade, "\"Check1\": true", "\"Check1\": 1") << false
            << "“Check1” on the screen “exigisi2” is not true or false";
        QTest::newRow("fraction") << file << replaced(kHandMade, "\"vxtax\": 3", "\"vxtax\": 3.5")
                                  << false
                                  << "“vxtax” on the screen “exigisi2” is not a whole number";
        QTest::newRow("object for a control")
            << file << replaced(kHandMade, "\"vxtax\": 3", "\"vxtax\": {}") << false
            << "“vxtax” on the screen “exigisi2” is not a whole number";
        QTest::newRow("state not a number")
            << file << replaced(kHandMade, "\"step\": 6", "\"step\": null") << false
            << "“step” on the screen “exigisi2” is not a whole number";
        QTest::newRow("no geometry")
            << file << replaced(kHandMade, "[10, 20, 700, 500]", "[10, 20]") << false
            << "“geometry” is not four whole numbers";
        QTest::newRow("no size") << file
                                 << replaced(kHandMade, "[10, 20, 700, 500]", "[10, 20, 0, -5]")
                                 << false << "“geometry” is not four whole numbers";
        QTest::newRow("focus a number")
            << file << replaced(kHandMade, "\"focus\": true", "\"focus\": 1") << false
            << "“focus” is not true or false";
        QTest::newRow("deep nesting") << file << QByteArray(100000, '[') + QByteArray(100000, ']')
                                      << false << "nested too deeply";
        QTest::newRow("huge") << file << kHandMade + QByteArray(kLessonMostBytes, ' ') << false
                              << "a lesson takes at most 1 MB";
        QTest::newRow("folder") << QStringLiteral("folder") << QByteArray() << false
                                << "it is a folder, not a file";
        QTest::newRow("pipe") << QStringLiteral("pipe") << QByteArray() << false
                              << "it is not a regular file";
        QTest::newRow("missing") << QStringLiteral("missing") << QByteArray() << false
                                 << "there is no such file";
        QTest::newRow("out of range")
            << file
            << replaced(replaced(kHandMade, "\"vxtax\": 3", "\"vxtax\": 50"), "\"step\": 6",
                        "\"step\": 6, \"explanationStep\": -4")
            << true
            << "“vxtax” on the screen “exigisi2”: 50 set to 10\n“explanationStep” on the screen "
               "“exigisi2”: -4 set to 0";
        QTest::newRow("unknown keys")
            << file
            << replaced(replaced(kHandMade, "\"version\": 1", "\"version\": 1, \"author\": \"me\""),
                        "\"Check1\": true",
                        "\"Check1\": true, \"Check99\": [1], \"colour\": \"red\"")
            << true << QString();
    }
    void badLessonsAreRefusedOrMended() {
        QFETCH(QString, place);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, opens);
        QFETCH(QString, message);
        const QString path =
            file(QStringLiteral("bad ") + QTest::currentDataTag() + QStringLiteral(".velarium"));
        if (place == QLatin1String("file")) write(path, bytes);
        if (place == QLatin1String("folder")) QVERIFY(QDir().mkpath(path));
        if (place == QLatin1String("pipe"))
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        TestProgram t;
        std::mt19937 rng(7);
        prepare(t, ScreenId::exigisi2, Beyond::nothing, rng);
        t.screen(ScreenId::firststep).show();
        const QStringList before = seen(t.program);
        QCOMPARE(t.program.lessons().open(path), opens);
        if (!opens) {
            QCOMPARE(seen(t.program), before);
            QCOMPARE(t.messages.size(), std::size_t{1});
        }
        const QString said = QString::fromStdString(t.messages.empty() ? "" : t.messages.front());
        if (message.isEmpty()) {
            QVERIFY2(t.messages.empty(), qPrintable(said));
        } else {
            QVERIFY2(said.contains(message), qPrintable(said));
            QVERIFY2(said.contains(QFileInfo(path).fileName()), qPrintable(said));
        }
        if (opens) {
            auto& disk = t.screen<RotatingDiskScreen>(ScreenId::exigisi2);
            QCOMPARE(disk.vxtax->value(), bytes.contains("\"vxtax\": 50") ? 10 : 3);
            QVERIFY(disk.Check1->isChecked() && disk.Option1->isChecked());
            QCOMPARE(disk.run().stepIndex, 6);
            QVERIFY(!t.screen(ScreenId::firststep).isVisible());
            QCOMPARE(disk.geometry(), QRect(10, 20, 700, 500));
        }
    }

    // The real open dialog: a name that does not exist is answered by a message, without a
    // nested event loop inside the key that named it; a lesson named next opens.
    void theOpenDialogAnswersWithoutWaiting() {
        TestProgram t(TestProgram::Real);
        t.screen(ScreenId::firststep).show();
        const QString lesson = file(QStringLiteral("dialog.velarium"));
        write(lesson, kHandMade);
        t.program.lessons().openAction()->trigger();
        QVERIFY(test::person::typeName(file(QStringLiteral("no such lesson.velarium"))));
        QMessageBox* notice = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && w->objectName() == QLatin1String("notice"))
                notice = qobject_cast<QMessageBox*>(w);
        QVERIFY(notice && notice->text().contains(QStringLiteral("no such lesson.velarium")));
        notice->button(QMessageBox::Ok)->click();
        QVERIFY(test::person::typeName(lesson));
        QTRY_VERIFY(t.screen(ScreenId::exigisi2).isVisible());
        QVERIFY(test::person::settled());
        QVERIFY(!t.screen(ScreenId::firststep).isVisible());
    }

    // Random bytes, and a lesson with bytes changed, cut out, doubled or put in: each is read or
    // refused with a reason, and whatever opens leaves the program whole.
    void randomAndMutatedLessonsNeverHarm() {
        TestProgram t;
        t.screen(ScreenId::firststep).show();
        t.screen(ScreenId::DIALEGO).show();
        const QByteArray valid = lessonToJson(t.program.lessons().gather());
        std::mt19937 rng(2026);
        const char alphabet[] = "{}[]\":,0123456789-.etruflsnax \\";
        const QString path = file(QStringLiteral("fuzz.velarium"));
        int opened = 0;
        for (int round = 0; round < 400; ++round) {
            QByteArray bytes = valid;
            if (round % 4 == 0) {
                bytes = QByteArray(pick(rng, 0, 300), '\0');
                for (char& c : bytes) c = static_cast<char>(pick(rng, 0, 255));
            } else if (round % 2 == 0) {
                // Bytes changed, cut out, doubled or put in.
                for (int m = pick(rng, 1, 4); m > 0; --m) {
                    const int at = pick(rng, 0, static_cast<int>(bytes.size()) - 1);
                    switch (pick(rng, 0, 3)) {
                        case 0: bytes[at] = alphabet[pick(rng, 0, sizeof alphabet - 2)]; break;
                        case 1: bytes.remove(at, pick(rng, 1, 40)); break;
                        case 2:
                            bytes.insert(at, bytes.mid(pick(rng, 0, at), pick(rng, 1, 40)));
                            break;
                        default: bytes.insert(at, alphabet[pick(rng, 0, sizeof alphabet - 2)]);
                    }
                }
            } else {
                // Values put in the place of others: numbers beyond every range, fractions, other
                // types.
                static const char* const values[] = {"-1",    "0",   "99999", "-2147483649",
                                                     "1e308", "3.5", "\"x\"", "null",
                                                     "[]",    "{}",  "true",  "false"};
                for (int m = pick(rng, 1, 3); m > 0; --m) {
                    const int colon = static_cast<int>(
                        bytes.indexOf(": ", pick(rng, 0, static_cast<int>(bytes.size()) - 1)));
                    if (colon < 0) continue;
                    const int from = colon + 2;
                    int to = from;
                    while (to < bytes.size() && bytes[to] != ',' && bytes[to] != '\n' &&
                           bytes[to] != '[' && bytes[to] != '{')
                        ++to;
                    if (to > from)
                        bytes.replace(from, to - from, values[pick(rng, 0, std::size(values) - 1)]);
                }
            }
            write(path, bytes);
            t.messages.clear();
            const LessonRead read = lessonFromJson(bytes);
            QVERIFY(read.lesson.has_value() != !read.fault.isEmpty());
            const bool shown = t.program.lessons().open(path);
            if (!read.lesson) QVERIFY(!shown);
            if (!shown) {
                QCOMPARE(t.messages.size(), std::size_t{1});
                QVERIFY(QString::fromStdString(t.messages.front()).contains("fuzz.velarium"));
            }
            opened += shown;
        }
        // The mutations leave many lessons whole enough to open.
        QVERIFY(opened > 20);
    }
};

QTEST_MAIN(LessonTest)
#include "LessonScreenTest.moc"
