// A seeded, replayable storm of user events over every screen of the program, the program's
// real file dialogs, questions and messages among them. It fails on a crash, on a handler that
// takes more than a second, three in Qt's own file dialog (VELARIUM_EVENT_MS under the
// sanitizers, which slow that dialog several times over), and on any primitive a canvas refused
// as not finite. VELARIUM_SEED replays a run; VELARIUM_EVENTS sets its length.
#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAccessible>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <random>

#include "disk/RotatingDiskScreen.h"
#include "energy/BothFramesScreen.h"
#include "energy/GraphScreen.h"
#include "support/ScreenSupport.h"
#include "widgets/ScreenTimer.h"

using namespace velarium;

namespace {

long envNumber(const char* name, long fallback) {
    bool ok = false;
    const long v = qEnvironmentVariable(name).toLong(&ok);
    return ok ? v : fallback;
}

// Qt's own parts of a widget (a text box's scroll bars, the menu bar's overflow button).
bool qtOwn(const QWidget* w) {
    for (; w; w = w->parentWidget())
        if (w->objectName().startsWith(QLatin1String("qt_"))) return true;
    return false;
}

bool endsTheProgram(const QString& text) { return text == QStringLiteral("END"); }

// The first row of the shared disk tables that holds a value that is not finite, or −1.
int firstNonFiniteRow(const OrbitTables& t) {
    for (const auto* table :
         {&t.tabVx, &t.tabVy, &t.tabX, &t.tabY, &t.tabOmegaTorque, &t.tabOmega, &t.tabTheta,
          &t.tabEnergy, &t.tabXRot, &t.tabYRot, &t.tabVxRot, &t.tabVyRot, &t.tabKeRot,
          &t.tabWorkFrictionInertial, &t.tabWorkFrictionRotating, &t.tabWorkCentrifugal,
          &t.tabWorkBaseForce, &t.tabWorkTotalRotating, &t.tabWorkDrag})
        for (std::size_t i = 0; i < table->size(); ++i)
            if (!std::isfinite((*table)[i])) return static_cast<int>(i);
    return -1;
}

// A control that a person can reach on its screen: shown within its window and enabled.
bool reachable(QWidget* w) { return w->isEnabled() && w->isVisibleTo(w->window()); }

// The accessible interface a screen reader reaches a menu entry by: the item of a menu or menu
// bar that holds it.
QAccessibleInterface* accessibleEntry(QAction* a) {
    for (QObject* holder : a->associatedObjects()) {
        QAccessibleInterface* menu = QAccessible::queryAccessibleInterface(holder);
        if (!menu) continue;
        for (int i = 0; i < menu->childCount(); ++i)
            if (QAccessibleInterface* item = menu->child(i); item && item->object() == a)
                return item;
    }
    return nullptr;
}

// Runs a screen reader's action on an interface; false when it does not offer it.
bool accessibleAction(QAccessibleInterface* a, const QString& name) {
    QAccessibleActionInterface* actions = a ? a->actionInterface() : nullptr;
    if (!actions || !actions->actionNames().contains(name)) return false;
    actions->doAction(name);
    return true;
}

// What a person sees of the whole program: which windows and controls show, every check state,
// caption, value and message, and every text a canvas shows.
QStringList programState(test::TestProgram& t) {
    QStringList state;
    for (const ScreenInfo& info : allScreens()) {
        QWidget& screen = t.screen(info.id);
        state << QString::fromLatin1(info.name) + QStringLiteral(" shown ") +
                     QString::number(screen.isVisible());
        for (QWidget* w : screen.findChildren<QWidget*>()) {
            if (w->objectName().isEmpty() || qtOwn(w)) continue;
            QString row = w->objectName() + QStringLiteral(" shows ") +
                          QString::number(w->isVisibleTo(&screen));
            if (auto* b = qobject_cast<QAbstractButton*>(w))
                row += QStringLiteral(" checked ") + QString::number(b->isChecked());
            if (auto* l = qobject_cast<QLabel*>(w)) row += QStringLiteral(" text ") + l->text();
            if (auto* e = qobject_cast<QPlainTextEdit*>(w))
                row += QStringLiteral(" text ") + e->toPlainText();
            if (auto* sl = qobject_cast<QAbstractSlider*>(w))
                row += QStringLiteral(" value ") + QString::number(sl->value());
            if (auto* c = qobject_cast<CanvasWidget*>(w))
                row += QStringLiteral(" ") + c->shownText();
            state << row;
        }
        for (QAction* a : screen.findChildren<QAction*>())
            if (a->isCheckable())
                state << a->objectName() + QStringLiteral(" checked ") +
                             QString::number(a->isChecked());
        for (ScreenTimer* timer : screen.findChildren<ScreenTimer*>())
            state << timer->objectName() + QStringLiteral(" runs ") +
                         QString::number(timer->isEnabled());
    }
    return state;
}

struct Control {
    QString name;
    std::function<bool(std::mt19937&)> act;  // false when the control could not be used now
};

class Storm {
public:
    explicit Storm(test::TestProgram& t) : t_(t) {
        for (const ScreenInfo& info : allScreens()) collect(t_.screen(info.id));
        QFile plain(folder_.filePath(QStringLiteral("plain")));
        plain.open(QIODevice::WriteOnly);
    }

    std::size_t controls() const { return controls_.size(); }
    // Events per screen, for the closing summary.
    const std::map<QString, long>& used() const { return used_; }

    long refused() const {
        long n = 0;
        for (CanvasWidget* c : canvases_) n += c->refusedCount();
        return n;
    }

    // Runs one random event; returns what it did, for the failure message. While a dialog is in
    // front, the person can reach nothing else.
    QString step(std::mt19937& rng) {
        ++events_;
        if (QString did = answerDialog(rng); !did.isEmpty()) {
            ++used_[QStringLiteral("(dialogs)")];
            return did;
        }
        for (int attempt = 0; attempt < 20; ++attempt) {
            Control& c =
                controls_[std::uniform_int_distribution<std::size_t>(0, controls_.size() - 1)(rng)];
            if (c.act(rng)) {
                ++used_[c.name.section(QLatin1Char('.'), 0, 0)];
                return c.name;
            }
        }
        return QStringLiteral("(nothing reachable)");
    }

private:
    // Types a name into the file dialog (one that exists, one without its suffix, one with
    // another, one too long, one in a folder that is missing or is a file), or cancels it;
    // answers a question or a message with one of its buttons, or Escape.
    QString answerDialog(std::mt19937& rng) {
        QWidget* front = test::person::dialogInFront();
        if (!front) return {};
        auto pick = [&rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
        QString did;
        if (auto* box = qobject_cast<QMessageBox*>(front)) {
            const QList<QAbstractButton*> buttons = box->buttons();
            const int choice = pick(static_cast<int>(buttons.size()) + 1);
            if (choice == buttons.size()) {
                test::person::escape();
                did = QStringLiteral("Escape in ") + box->objectName();
            } else {
                did = buttons[choice]->text() + QStringLiteral(" in ") + box->objectName();
                buttons[choice]->click();
            }
        } else {
            static const QString names[] = {
                QStringLiteral("picture"),       QStringLiteral("picture.png"),
                QStringLiteral("drawing.svg"),   QStringLiteral("table.csv"),
                QStringLiteral("notes.txt"),     QString(300, QLatin1Char('n')),
                QStringLiteral("missing/a.png"), QStringLiteral("plain/a.csv")};
            // Writing a picture takes a while: names are typed in one event of forty at most,
            // and the dialogs beyond that are cancelled.
            const int choice = names_ * 40 > events_ ? std::size(names) : pick(std::size(names) + 1);
            if (choice == std::size(names)) {
                test::person::escape();
                did = QStringLiteral("Escape in the file dialog");
            } else {
                test::person::typeName(folder_.filePath(names[choice]));
                ++names_;
                did = QStringLiteral("typed ") + names[choice].left(20);
            }
        }
        // A name too long stays in the dialog: the person clears it or cancels next time.
        test::person::settled();
        return did;
    }

    void collect(QWidget& screen) {
        const QString where = screen.objectName() + QLatin1Char('.');
        for (QAction* a : screen.findChildren<QAction*>()) {
            if (a->menu() || a->isSeparator() || endsTheProgram(a->text())) continue;
            controls_.push_back({where + a->objectName(), [a](std::mt19937&) {
                                     if (!a->isEnabled() || !a->isVisible()) return false;
                                     a->trigger();
                                     return true;
                                 }});
            // A screen reader presses (or toggles) a menu entry through its menu's interface.
            controls_.push_back(
                {where + a->objectName() + QStringLiteral(" (accessible)"), [a](std::mt19937&) {
                     if (!a->isEnabled() || !a->isVisible()) return false;
                     QAccessibleInterface* item = accessibleEntry(a);
                     return accessibleAction(item, QAccessibleActionInterface::toggleAction()) ||
                            accessibleAction(item, QAccessibleActionInterface::pressAction());
                 }});
        }
        for (QAbstractButton* b : screen.findChildren<QAbstractButton*>()) {
            // Qt's own buttons (the menu bar's overflow button opens a modal popup) are not the
            // program's controls.
            if (endsTheProgram(b->text()) || qtOwn(b)) continue;
            controls_.push_back({where + b->objectName(), [b](std::mt19937&) {
                                     if (!reachable(b)) return false;
                                     b->click();
                                     return true;
                                 }});
            // A screen reader's toggle changes the state at once; its press clicks the button a
            // tenth of a second later, so the click is waited for (no longer), and a press is
            // taken now and then only.
            controls_.push_back(
                {where + b->objectName() + QStringLiteral(" (accessible)"), [b](std::mt19937& rng) {
                     if (!reachable(b)) return false;
                     QAccessibleInterface* a = QAccessible::queryAccessibleInterface(b);
                     if (b->isCheckable() && std::uniform_int_distribution<int>(0, 1)(rng))
                         return accessibleAction(a, QAccessibleActionInterface::toggleAction());
                     if (std::uniform_int_distribution<int>(0, 15)(rng) != 0) return false;
                     QSignalSpy clicked(b, &QAbstractButton::clicked);
                     if (!accessibleAction(a, QAccessibleActionInterface::pressAction()))
                         return false;
                     clicked.wait(500);
                     return true;
                 }});
        }
        for (QAbstractSlider* s : screen.findChildren<QAbstractSlider*>()) {
            controls_.push_back({where + s->objectName(), [s](std::mt19937& rng) {
                                     if (!reachable(s)) return false;
                                     const int pick = std::uniform_int_distribution<int>(0, 3)(rng);
                                     if (pick == 0)
                                         s->setValue(s->minimum());
                                     else if (pick == 1)
                                         s->setValue(s->maximum());
                                     else
                                         s->setValue(std::uniform_int_distribution<int>(
                                             s->minimum(), s->maximum())(rng));
                                     return true;
                                 }});
            // A screen reader sets a slider's value through its value interface.
            controls_.push_back(
                {where + s->objectName() + QStringLiteral(" (accessible)"), [s](std::mt19937& rng) {
                     if (!reachable(s)) return false;
                     QAccessibleInterface* a = QAccessible::queryAccessibleInterface(s);
                     QAccessibleValueInterface* v = a ? a->valueInterface() : nullptr;
                     if (!v) return false;
                     v->setCurrentValue(std::uniform_int_distribution<int>(s->minimum() - 2,
                                                                           s->maximum() + 2)(rng));
                     return true;
                 }});
        }
        for (CanvasWidget* c : screen.findChildren<CanvasWidget*>()) {
            canvases_.push_back(c);
            controls_.push_back({where + c->objectName(), [c](std::mt19937& rng) {
                                     if (!reachable(c)) return false;
                                     clickCanvas(*c, rng);
                                     return true;
                                 }});
            controls_.push_back({where + c->objectName() + QStringLiteral(" (menu)"),
                                 [c](std::mt19937& rng) {
                                     if (!reachable(c)) return false;
                                     useCanvasMenu(*c, rng);
                                     return true;
                                 }});
        }
        for (ScreenTimer* timer : screen.findChildren<ScreenTimer*>()) {
            controls_.push_back({where + timer->objectName(), [timer](std::mt19937& rng) {
                                     if (!timer->isEnabled()) return false;
                                     const int ticks =
                                         std::uniform_int_distribution<int>(1, 8)(rng);
                                     for (int i = 0; i < ticks; ++i) timer->tick();
                                     return true;
                                 }});
        }
    }

    // The canvas's menu, opened as a right click opens it, and an entry chosen by the mouse or
    // by keys (Down to it, Return), or the menu closed by Escape.
    static void useCanvasMenu(CanvasWidget& c, std::mt19937& rng) {
        const QPoint at(c.width() / 2, c.height() / 2);
        QContextMenuEvent click(QContextMenuEvent::Mouse, at, c.mapToGlobal(at));
        QApplication::sendEvent(&c, &click);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) return;
        const QList<QAction*> entries = menu->actions();
        QAction* entry = entries[std::uniform_int_distribution<int>(
            0, static_cast<int>(entries.size()) - 1)(rng)];
        switch (std::uniform_int_distribution<int>(0, 2)(rng)) {
            case 0:
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entry).center());
                break;
            case 1:
                for (int downs = 0; downs < entries.indexOf(entry) + 1; ++downs)
                    QTest::keyClick(menu, Qt::Key_Down);
                QTest::keyClick(menu, Qt::Key_Return);
                break;
            default: QTest::keyClick(menu, Qt::Key_Escape);
        }
        if (menu->isVisible()) menu->close();
    }

    // A press or a release (or both, with a drag) anywhere on the canvas and a little beyond it,
    // with any button and any modifiers; or, now and then, a key that steps an explanation.
    static void clickCanvas(CanvasWidget& c, std::mt19937& rng) {
        if (std::uniform_int_distribution<int>(0, 5)(rng) == 0) {
            static const Qt::Key keys[] = {Qt::Key_Right, Qt::Key_Space,     Qt::Key_PageDown,
                                           Qt::Key_Left,  Qt::Key_Backspace, Qt::Key_PageUp};
            QTest::keyClick(&c, keys[std::uniform_int_distribution<int>(0, 5)(rng)]);
            return;
        }
        std::uniform_real_distribution<double> u(-0.05, 1.05);
        auto point = [&] {
            return QPoint(static_cast<int>(u(rng) * c.width()),
                          static_cast<int>(u(rng) * c.height()));
        };
        const int keys = std::uniform_int_distribution<int>(0, 7)(rng);
        Qt::KeyboardModifiers mods;
        mods.setFlag(Qt::ShiftModifier, keys & 1);
        mods.setFlag(Qt::ControlModifier, keys & 2);
        mods.setFlag(Qt::AltModifier, keys & 4);
        const Qt::MouseButton button =
            std::uniform_int_distribution<int>(0, 3)(rng) == 0 ? Qt::RightButton : Qt::LeftButton;
        switch (std::uniform_int_distribution<int>(0, 2)(rng)) {
            case 0: QTest::mousePress(&c, button, mods, point()); break;
            case 1: QTest::mouseRelease(&c, button, mods, point()); break;
            default:
                QTest::mousePress(&c, button, mods, point());
                QTest::mouseRelease(&c, button, mods, point());
        }
    }

    std::map<QString, long> used_;
    test::TestProgram& t_;
    QTemporaryDir folder_;
    long events_ = 0;
    long names_ = 0;
    std::vector<Control> controls_;
    std::vector<CanvasWidget*> canvases_;
};

}  // namespace

class RandomEventsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { test::prepareScreenTests(); }
    void init() { test::failOnWarnings(); }

    // A screen reader names every control: its own text, or an accessible name where it has
    // none; tests and scripts find each one by its documented object name.
    void everyControlCanBeFoundAndNamed() {
        test::TestProgram t;
        QStringList missing;
        for (const ScreenInfo& info : allScreens()) {
            QWidget& screen = t.screen(info.id);
            for (QWidget* w : screen.findChildren<QWidget*>()) {
                const bool control =
                    qobject_cast<QAbstractSlider*>(w) || qobject_cast<CanvasWidget*>(w) ||
                    qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QAbstractButton*>(w);
                if (!control || qtOwn(w)) continue;
                const auto* button = qobject_cast<QAbstractButton*>(w);
                const bool spoken =
                    !w->accessibleName().isEmpty() || (button && !button->text().isEmpty());
                if (w->objectName().isEmpty() || !spoken)
                    missing << QStringLiteral("%1: %2 '%3'")
                                   .arg(QString::fromLatin1(info.name),
                                        QString::fromLatin1(w->metaObject()->className()),
                                        w->objectName());
            }
            for (QAction* a : screen.findChildren<QAction*>())
                if (!a->isSeparator() && !a->text().isEmpty() && a->objectName().isEmpty())
                    missing << QString::fromLatin1(info.name) + QStringLiteral(": menu ") +
                                   a->text();
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char('\n'))));
    }

    // A screen reader announces every screen as a window, and reads every canvas as the texts
    // it has printed since its last clear, one per line.
    void everyScreenIsAWindowAndEveryCanvasReadsItsText() {
        test::TestProgram t;
        for (const ScreenInfo& info : allScreens()) {
            QWidget& screen = t.screen(info.id);
            screen.show();
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(&screen);
            QVERIFY2(a && a->role() == QAccessible::Window, info.name);
            for (CanvasWidget* c : screen.findChildren<CanvasWidget*>()) {
                QStringList printed;
                for (const PrintedText& p : c->printedTexts())
                    printed << QString::fromStdString(p.text);
                QAccessibleInterface* ca = QAccessible::queryAccessibleInterface(c);
                QVERIFY2(ca && ca->role() == QAccessible::Canvas, info.name);
                QCOMPARE(ca->text(QAccessible::Description), printed.join(QLatin1Char('\n')));
                QVERIFY2(!ca->text(QAccessible::Name).isEmpty(), info.name);
            }
            screen.hide();
        }
    }

    // A screen reader's toggle of a check box, an option button or a checkable menu entry does
    // what a click does: on a fresh program and again from the state the first one left.
    void everyCheckableControlTogglesAsAClickDoes() {
        struct Checkable {
            ScreenId screen;
            QString name;
            bool action;
        };
        std::vector<Checkable> checkables;
        {
            test::TestProgram t;
            for (const ScreenInfo& info : allScreens()) {
                QWidget& screen = t.screen(info.id);
                for (QAbstractButton* b : screen.findChildren<QAbstractButton*>())
                    if (b->isCheckable() && !qtOwn(b))
                        checkables.push_back({info.id, b->objectName(), false});
                for (QAction* a : screen.findChildren<QAction*>())
                    if (a->isCheckable()) checkables.push_back({info.id, a->objectName(), true});
            }
        }
        QVERIFY(checkables.size() >= 16);
        for (const Checkable& c : checkables) {
            auto run = [&c](bool accessible) {
                test::TestProgram t;
                QWidget& screen = t.screen(c.screen);
                screen.show();
                QStringList states;
                for (int time = 0; time < 2; ++time) {
                    if (c.action) {
                        QAction* a = screen.findChild<QAction*>(c.name);
                        QAccessibleInterface* item = accessibleEntry(a);
                        if (!accessible)
                            a->trigger();
                        else if (!accessibleAction(item,
                                                   QAccessibleActionInterface::toggleAction()))
                            accessibleAction(item, QAccessibleActionInterface::pressAction());
                    } else {
                        auto* b = screen.findChild<QAbstractButton*>(c.name);
                        if (accessible)
                            accessibleAction(QAccessible::queryAccessibleInterface(b),
                                             QAccessibleActionInterface::toggleAction());
                        else
                            b->click();
                    }
                    states << programState(t);
                }
                return states;
            };
            const QStringList clicked = run(false), toggled = run(true);
            for (int i = 0; i < std::min(clicked.size(), toggled.size()); ++i)
                QVERIFY2(clicked[i] == toggled[i],
                         qPrintable(c.name + QStringLiteral(": a click leaves ") + clicked[i] +
                                    QStringLiteral(", a toggle ") + toggled[i]));
            QCOMPARE(clicked.size(), toggled.size());
        }
    }

    void everyScreenSurvivesRandomEvents() {
        const auto seed = static_cast<unsigned>(envNumber("VELARIUM_SEED", std::random_device{}()));
        const long events = envNumber("VELARIUM_EVENTS", 20000);
        // A slow machine (the sanitizer build) stops at its time budget, with the events run so
        // far counted; the replay of a seed is the same events in the same order.
        const long seconds = envNumber("VELARIUM_STORM_SECONDS", 0);
        const long eventLimit = envNumber("VELARIUM_EVENT_MS", 1000);
        std::printf("random events: seed %u, %ld events (replay with VELARIUM_SEED=%u)\n", seed,
                    events, seed);
        std::fflush(stdout);

        test::TestProgram t(test::TestProgram::Real);
        t.screen(ScreenId::firststep).show();
        Storm storm(t);
        QVERIFY(storm.controls() > 0);
        std::mt19937 rng(seed);
        QElapsedTimer clock;
        // Events after which the rotating-disk screen was explaining, to see the storm get there.
        auto& disk = t.screen<RotatingDiskScreen>(ScreenId::exigisi2);
        long explaining = 0;
        QElapsedTimer budget;
        budget.start();
        long n = 0;
        for (; n < events; ++n) {
            if (seconds > 0 && budget.elapsed() > seconds * 1000) {
                std::printf("time budget of %ld s reached after %ld events\n", seconds, n);
                break;
            }
            clock.start();
            const QString what = storm.step(rng);
            explaining += disk.explanation().active();
            const qint64 ms = clock.elapsed();
            // Qt's own file dialog closes with the thread of its file system model, which a
            // loaded machine schedules late: it has three times the program's own limit.
            const long limit =
                what.contains(QLatin1String("file dialog")) ? 3 * eventLimit : eventLimit;
            QVERIFY2(ms < limit, qPrintable(QStringLiteral("event %1 (%2) took %3 ms, seed %4")
                                               .arg(n)
                                               .arg(what)
                                               .arg(ms)
                                               .arg(seed)));
            QVERIFY2(storm.refused() == 0,
                     qPrintable(QStringLiteral("event %1 (%2) drew a non-finite primitive, seed %3")
                                    .arg(n)
                                    .arg(what)
                                    .arg(seed)));
            if (n % 64 == 0) QCoreApplication::processEvents();
            if (n % 512 == 0)
                QVERIFY2(
                    firstNonFiniteRow(t.program.disk().tables) < 0,
                    qPrintable(QStringLiteral("event %1 (%2) stored a non-finite value, seed %3")
                                   .arg(n)
                                   .arg(what)
                                   .arg(seed)));
        }
        QCOMPARE(firstNonFiniteRow(t.program.disk().tables), -1);
        for (const auto& [screen, n] : storm.used())
            std::printf("  %-18s %ld events\n", qPrintable(screen), n);
        // The introduction leads to the first explanation, which lays the start-up screen out
        // anew: both are in the storm.
        QVERIFY(storm.used().count(QStringLiteral("EISAGOGIKI")));
        std::printf("  %ld events in explanation mode\n", explaining);
        if (n >= 5000) QVERIFY(explaining > 0);
        if (n >= 5000) QVERIFY(storm.used().count(QStringLiteral("(dialogs)")));
        // The only messages are those of the files that could not be written, and of the
        // pictures and tables the open dialog was pointed at, which are not lessons.
        for (const std::string& m : t.messages) {
            const QString text = QString::fromStdString(m);
            QVERIFY2(text.startsWith(QStringLiteral("Could not write")) ||
                         text.startsWith(QStringLiteral("Could not open the lesson")),
                     m.c_str());
        }
    }

    // The simulation of both frames at every corner of its settings: each run, then every graph
    // and the chart's button, the animations interrupted by REPEAT, BACK and hiding.
    void bothFramesAtEveryExtreme() {
        test::TestProgram t;
        auto& s = t.screen<BothFramesScreen>(ScreenId::rotating);
        auto& chart = t.screen<WorkChartScreen>(ScreenId::base_centrafugal);
        auto& vectors = t.screen<GraphScreen>(ScreenId::xronikh);
        auto& orbit = t.screen<GraphScreen>(ScreenId::xronoorbit);
        // Before any run.
        for (QPushButton* b :
             {chart.Command1, s.base_centrafugalwork, chart.Command1, s.goniakiarxi, s.Grafikhvel,
              s.enarxixronou, s.xronotroxia, s.gonxro})
            b->click();
        vectors.Timer1->tick();
        orbit.Timer1->tick();
        for (int corner = 0; corner < 32; ++corner) {
            int bit = 0;
            for (QScrollBar* bar : {s.xronosolikos, s.timeinterval, s.syntelfri, s.massvalue})
                bar->setValue(corner >> bit++ & 1 ? bar->maximum() : bar->minimum());
            if (s.dialogi->isChecked() != bool(corner & 16)) s.dialogi->click();
            s.enarxixronou->click();
            vectors.Timer1->tick();
            s.epanalipsi->click();
            QVERIFY(!vectors.animating());
            QVERIFY(t.program.disk().tables.pointCount <= kMaxBothFramesPoints);
            QCOMPARE(firstNonFiniteRow(t.program.disk().tables), -1);
            for (QPushButton* b :
                 {s.base_centrafugalwork, chart.Command1, chart.Command1, s.goniakiarxi,
                  s.Grafikhvel, s.gonxro, s.xronotroxia, s.enarxixronou})
                b->click();
            for (int i = 0; i < 40; ++i) {
                vectors.Timer1->tick();
                orbit.Timer1->tick();
            }
            if (corner % 3 == 0) s.Command1->click();
            if (corner % 3 == 1) orbit.hide();
            QVERIFY(corner % 3 != 1 || !orbit.animating());
        }
        for (const ScreenInfo& info : allScreens())
            for (CanvasWidget* c : t.screen(info.id).findChildren<CanvasWidget*>())
                QCOMPARE(c->refusedCount(), 0);
    }
};

QTEST_MAIN(RandomEventsTest)
#include "RandomEventsScreenTest.moc"
