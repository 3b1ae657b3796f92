// Every screen by keyboard alone: Tab reaches each shown control in reading order, scroll bars
// move by their small and large changes, check boxes and options act on Space, the control with
// focus is marked in both colour profiles, and F10 reaches the menu bar.
#include <QAbstractButton>
#include <QAbstractSlider>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <functional>

#include "app/FirstStepScreen.h"
#include "disk/RotatingDiskScreen.h"
#include "energy/BothFramesScreen.h"
#include "energy/GraphScreen.h"
#include "support/ScreenSupport.h"
#include "translating/RelativeMotionScreen.h"
#include "widgets/KeyboardAccess.h"

using namespace velarium;
using velarium::test::TestProgram;

namespace {

bool qtOwn(const QWidget* w) {
    for (; w; w = w->parentWidget())
        if (w->objectName().startsWith(QLatin1String("qt_"))) return true;
    return false;
}

// What a person can operate on a screen: every shown, enabled button, check box, option,
// scroll bar, canvas and text box.
QSet<QWidget*> operable(QWidget& screen) {
    QSet<QWidget*> all;
    for (QWidget* w : screen.findChildren<QWidget*>())
        if ((qobject_cast<QAbstractButton*>(w) || qobject_cast<QAbstractSlider*>(w) ||
             qobject_cast<CanvasWidget*>(w) || qobject_cast<QPlainTextEdit*>(w)) &&
            !qtOwn(w) && w->isVisible() && w->isEnabled())
            all.insert(w);
    return all;
}

QString nameOf(const QWidget* w) {
    return w ? w->window()->objectName() + QLatin1Char('.') + w->objectName()
             : QStringLiteral("none");
}

void key(int k, Qt::KeyboardModifiers mods = {}) {
    QWidget* to = QApplication::focusWidget();
    QTest::keyClick(to ? to : QApplication::activeWindow(), static_cast<Qt::Key>(k), mods);
}

struct Mode {
    const char* name;
    ScreenId id;
    std::function<void(TestProgram&)> prepare;
};

// Every screen as it opens, and the modes that show more controls.
const std::vector<Mode>& modes() {
    static const std::vector<Mode> all = [] {
        std::vector<Mode> m;
        for (const ScreenInfo& info : allScreens()) m.push_back({info.name, info.id, {}});
        m.push_back({"firststep factors", ScreenId::firststep, [](TestProgram& t) {
                         t.screen<FirstStepScreen>(ScreenId::firststep).campyles->trigger();
                     }});
        // The Time mode's run, paused, with its PAUSE and time line; the animated graphs paused
        // in the middle.
        m.push_back({"firststep time", ScreenId::firststep, [](TestProgram& t) {
                         auto& s = t.screen<FirstStepScreen>(ScreenId::firststep);
                         s.campyles->trigger();
                         s.Option2->click();
                         s.Command1->click();
                         for (int i = 0; i < 30; ++i) s.Timer1->tick();
                         s.PAUSE->click();
                     }});
        for (ScreenId id : {ScreenId::xronikh, ScreenId::xronoorbit})
            m.push_back({id == ScreenId::xronikh ? "xronikh paused" : "xronoorbit paused", id,
                         [id](TestProgram& t) {
                             auto& r = t.screen<BothFramesScreen>(ScreenId::rotating);
                             r.epanalipsi->click();
                             (id == ScreenId::xronikh ? r.enarxixronou : r.xronotroxia)->click();
                             auto& g = t.screen<GraphScreen>(id);
                             for (int i = 0; i < 30; ++i) g.Timer1->tick();
                             g.PAUSE->click();
                         }});
        m.push_back({"exigisi2 rotating", ScreenId::exigisi2, [](TestProgram& t) {
                         auto& s = t.screen<RotatingDiskScreen>(ScreenId::exigisi2);
                         s.Option1->click();
                         s.Check3->click();
                     }});
        m.push_back({"exigisi2 explanation", ScreenId::exigisi2, [](TestProgram& t) {
                         t.screen<RotatingDiskScreen>(ScreenId::exigisi2).CORIOLISEXP->trigger();
                     }});
        // With steps run, the time lines show.
        m.push_back({"exigisi2 stepped", ScreenId::exigisi2, [](TestProgram& t) {
                         auto& s = t.screen<RotatingDiskScreen>(ScreenId::exigisi2);
                         for (int i = 0; i < 12; ++i) s.Command1->click();
                     }});
        m.push_back({"exigisirelative stepped", ScreenId::exigisirelative, [](TestProgram& t) {
                         auto& s = t.screen<RelativeMotionScreen>(ScreenId::exigisirelative);
                         for (int i = 0; i < 12; ++i) s.Command1->click();
                     }});
        return m;
    }();
    return all;
}

QWidget& open(TestProgram& t, const Mode& mode) {
    QWidget& screen = t.screen(mode.id);
    screen.show();
    if (mode.prepare) mode.prepare(t);
    screen.activateWindow();
    if (!QTest::qWaitForWindowActive(&screen)) qFatal("%s is not active", mode.name);
    QCoreApplication::processEvents();
    return screen;
}

}  // namespace

class KeyboardScreenTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { test::prepareScreenTests(); }
    void init() { test::failOnWarnings(); }

    void everyControlByKeys_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("projector");
        for (std::size_t i = 0; i < modes().size(); ++i)
            for (bool projector : {false, true})
                QTest::newRow(qPrintable(QString::fromLatin1(modes()[i].name) +
                                         (projector ? QStringLiteral(" projector") : QString())))
                    << static_cast<int>(i) << projector;
    }
    // Tab goes round every operable control once, in reading order, and Shift+Tab goes back; each
    // wears a visible mark while it has focus; each scroll bar moves by its changes and to its
    // ends; each check box and option changes on Space.
    void everyControlByKeys() {
        QFETCH(int, mode);
        QFETCH(bool, projector);
        TestProgram t;
        t.program.projector().setOn(projector);
        QWidget& screen = open(t, modes()[static_cast<std::size_t>(mode)]);
        const QSet<QWidget*> expected = operable(screen);
        QVERIFY(!expected.isEmpty());
        const std::vector<QWidget*> order = tabOrder(screen);
        const QSet<QWidget*> stops(order.begin(), order.end());
        for (QWidget* w : expected - stops)
            QFAIL(qPrintable(nameOf(w) + QStringLiteral(" is never reached")));
        for (QWidget* w : stops - expected)
            QFAIL(qPrintable(nameOf(w) + QStringLiteral(" is reached")));

        // Round once from wherever focus starts; the first control comes again after the last.
        std::vector<QWidget*> visited;
        std::map<QWidget*, QImage> focused;
        for (std::size_t i = 0; i <= 2 * order.size(); ++i) {
            key(Qt::Key_Tab);
            QWidget* w = QApplication::focusWidget();
            QVERIFY2(w && w->window() == &screen, qPrintable(nameOf(w)));
            if (visited.empty() && w != order.front()) continue;
            visited.push_back(w);
            if (!focused.count(w)) focused[w] = w->grab().toImage();
            if (visited.size() == order.size() + 1) break;
        }
        QCOMPARE(visited.back(), order.front());
        visited.pop_back();
        QCOMPARE(visited, order);
        // Reading order: a control never stands wholly above the one before it.
        for (std::size_t i = 1; i < order.size(); ++i) {
            const int top = order[i]->mapTo(&screen, QPoint()).y();
            const int before = order[i - 1]->mapTo(&screen, QPoint()).y();
            QVERIFY2(
                top + order[i]->height() > before,
                qPrintable(nameOf(order[i]) + QStringLiteral(" after ") + nameOf(order[i - 1])));
        }
        key(Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), visited.back());

        // The mark of focus: each control looks different without it.
        QWidget* elsewhere = visited.back();
        for (auto& [w, withFocus] : focused) {
            if (w == elsewhere) continue;
            elsewhere->setFocus(Qt::TabFocusReason);
            QVERIFY2(w->grab().toImage() != withFocus,
                     qPrintable(nameOf(w) + QStringLiteral(" shows no focus")));
        }

        for (QWidget* w : visited) {
            if (!w->isVisible()) continue;  // a key before may have changed the mode
            w->setFocus(Qt::TabFocusReason);
            if (auto* s = qobject_cast<QAbstractSlider*>(w)) {
                key(Qt::Key_Home);
                QCOMPARE(s->value(), s->minimum());
                // Right moves a bar along; a bar upright moves down or, if its top end is its
                // maximum, up.
                const bool along = s->orientation() == Qt::Horizontal;
                key(along ? Qt::Key_Right : Qt::Key_Down);
                if (!along && s->value() == s->minimum()) key(Qt::Key_Up);
                QVERIFY2(s->value() == s->minimum() + s->singleStep(), qPrintable(nameOf(w)));
                key(Qt::Key_Home);
                key(Qt::Key_PageDown);
                if (s->value() == s->minimum()) key(Qt::Key_PageUp);
                QVERIFY2(s->value() == std::min(s->maximum(), s->minimum() + s->pageStep()),
                         qPrintable(nameOf(w)));
                key(Qt::Key_End);
                QCOMPARE(s->value(), s->maximum());
            } else if (auto* b = qobject_cast<QAbstractButton*>(w); b && b->isCheckable()) {
                const bool was = b->isChecked();
                key(Qt::Key_Space);
                QVERIFY2(b->autoExclusive() ? b->isChecked() : b->isChecked() != was,
                         qPrintable(nameOf(w)));
            }
        }
    }

    // A push button acts on Space as on a click.
    void spacePressesAButton() {
        TestProgram t;
        QWidget& screen = open(t, modes()[static_cast<std::size_t>(ScreenId::exigisi2)]);
        auto& disk = static_cast<RotatingDiskScreen&>(screen);
        disk.Command1->setFocus(Qt::TabFocusReason);
        key(Qt::Key_Space);
        QCOMPARE(disk.run().stepIndex, 1);
    }

    // F10 takes focus to the menu bar's first entry, the arrows choose another, Escape goes back
    // to the control that had focus, and Tab from the bar reaches the screen's controls.
    void f10ReachesTheMenuBar() {
        for (const Mode& mode : modes()) {
            TestProgram t;
            QWidget& screen = open(t, mode);
            auto* bar = screen.findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly);
            if (!bar) continue;
            key(Qt::Key_Tab);
            QWidget* control = QApplication::focusWidget();
            QVERIFY2(control, mode.name);
            key(Qt::Key_F10);
            QVERIFY2(QApplication::focusWidget() == bar, mode.name);
            QCOMPARE(bar->activeAction(), bar->actions().first());
            key(Qt::Key_Right);
            QCOMPARE(bar->activeAction(), bar->actions().at(1));
            key(Qt::Key_Escape);
            QCOMPARE(QApplication::focusWidget(), control);
            key(Qt::Key_F10);
            key(Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), tabOrder(screen).front());
        }
    }
};

QTEST_MAIN(KeyboardScreenTest)
#include "KeyboardScreenTest.moc"
