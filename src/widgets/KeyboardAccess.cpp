#include "widgets/KeyboardAccess.h"

#include <QAbstractSlider>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProxyStyle>
#include <QRadioButton>
#include <QScrollBar>
#include <QShortcut>
#include <QStyleOption>
#include <algorithm>

#include "draw/CanvasWidget.h"
#include "draw/FocusRing.h"

namespace velarium {

namespace {
const char* const kScreen = "velariumScreen";

// Qt's own parts of a control (a text box's scroll bars and viewport) are not controls of
// their own.
bool qtOwn(const QWidget* w, const QWidget* screen) {
    for (; w && w != screen; w = w->parentWidget())
        if (w->objectName().startsWith(QLatin1String("qt_"))) return true;
    return false;
}

// Qt leaves all but the chosen option of a group out of the Tab chain; here each is a stop.
bool tabStop(const QWidget* w, const QWidget* screen) {
    const Qt::FocusPolicy by = qobject_cast<const QRadioButton*>(w) ? Qt::ClickFocus : Qt::TabFocus;
    return w->window() == screen && w->isVisible() && w->isEnabled() && (w->focusPolicy() & by) &&
           !w->focusProxy() && !qobject_cast<const QMenuBar*>(w) && !qtOwn(w, screen);
}

// The focus ring on every control that has focus, whatever the style draws for it, and the
// menu bar reached by Alt on every desktop.
class FocusStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override {
        if (hint == SH_MenuBar_AltKeyNavigation) return 1;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* p,
                       const QWidget* widget) const override {
        if (element == PE_FrameFocusRect) {
            drawFocusRing(*p, option->rect);
            return;
        }
        QProxyStyle::drawPrimitive(element, option, p, widget);
    }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* p,
                     const QWidget* widget) const override {
        QProxyStyle::drawControl(element, option, p, widget);
        // A text box's frame carries the ring while the box has focus.
        if (element == CE_ShapedFrame && widget && widget->hasFocus() &&
            qobject_cast<const QPlainTextEdit*>(widget))
            drawFocusRing(*p, option->rect);
    }

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* p,
                            const QWidget* widget) const override {
        QProxyStyle::drawComplexControl(control, option, p, widget);
        if ((control == CC_ScrollBar || control == CC_Slider) && (option->state & State_HasFocus))
            drawFocusRing(*p, option->rect);
    }
};

// A scroll bar lying along the screen moves the way its arrow keys point: Qt's scroll bars
// invert their controls so that Page Down and the down arrow move a page down, which also turns
// a horizontal bar's Right key to the left.
bool along(QObject* watched, const QKeyEvent& key) {
    auto* bar = qobject_cast<QScrollBar*>(watched);
    if (!bar || bar->orientation() != Qt::Horizontal || !bar->hasFocus() || key.modifiers())
        return false;
    if (key.key() != Qt::Key_Left && key.key() != Qt::Key_Right) return false;
    const bool forward = (key.key() == Qt::Key_Right) != bar->isRightToLeft();
    bar->triggerAction(forward ? QAbstractSlider::SliderSingleStepAdd
                               : QAbstractSlider::SliderSingleStepSub);
    return true;
}

// Where focus was before a key took it to the menu bar, so that Escape goes back there.
class FocusBefore : public QObject {
public:
    explicit FocusBefore(QMenuBar& bar) : QObject(&bar) {
        setObjectName(QStringLiteral("velariumFocusBefore"));
    }
    QPointer<QWidget> widget;

    static FocusBefore& of(QMenuBar& bar) {
        auto* kept = dynamic_cast<FocusBefore*>(
            bar.findChild<QObject*>(QStringLiteral("velariumFocusBefore")));
        return kept ? *kept : *new FocusBefore(bar);
    }
};

// F10 does what Alt pressed and released alone does: the menu bar's first entry lights up and
// the bar takes the keys.
void enterMenuBar(QWidget& screen) {
    auto* bar = screen.findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly);
    if (!bar || !bar->isVisible() || bar->hasFocus() || bar->actions().isEmpty()) return;
    QWidget* focus = QApplication::focusWidget();
    FocusBefore::of(*bar).widget = focus;
    QWidget* to = focus ? focus : &screen;
    for (QEvent::Type type : {QEvent::ShortcutOverride, QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent alt(type, Qt::Key_Alt, Qt::AltModifier);
        QCoreApplication::sendEvent(to, &alt);
    }
}

// Escape in the menu bar, with no menu open, gives focus back.
bool leaveMenuBar(QObject* watched, const QKeyEvent& key) {
    auto* bar = qobject_cast<QMenuBar*>(watched);
    if (!bar || key.key() != Qt::Key_Escape || !bar->hasFocus()) return false;
    QWidget* before = FocusBefore::of(*bar).widget;
    if (!before || !before->isVisible()) return false;
    before->setFocus(Qt::MenuBarFocusReason);
    return true;
}

// Sees every widget before it is first shown and every key before its control does.
class KeyboardFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Polish) {
            if (auto* w = qobject_cast<QWidget*>(watched)) reachable(*w);
        } else if (event->type() == QEvent::KeyPress) {
            const auto& key = *static_cast<QKeyEvent*>(event);
            return tab(watched, key) || along(watched, key) || leaveMenuBar(watched, key);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    // Scroll bars take no focus in Qt, canvases none by default; a read-only text box would
    // keep a Tab for itself.
    static void reachable(QWidget& w) {
        if (qtOwn(&w, w.window())) return;
        if (qobject_cast<QAbstractSlider*>(&w) || qobject_cast<CanvasWidget*>(&w))
            w.setFocusPolicy(Qt::StrongFocus);
        else if (auto* text = qobject_cast<QPlainTextEdit*>(&w))
            text->setTabChangesFocus(true);
    }

    // Only the first receiver of a key decides: a key a control ignores goes on to its parents.
    static bool tab(QObject* watched, const QKeyEvent& key) {
        if (key.key() != Qt::Key_Tab && key.key() != Qt::Key_Backtab) return false;
        if (key.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) return false;
        auto* w = qobject_cast<QWidget*>(watched);
        QWidget* focus = QApplication::focusWidget();
        if (!w || (focus && w != focus) || qobject_cast<QMenu*>(w)) return false;
        QWidget* screen = w->window();
        if (!screen->property(kScreen).toBool()) return false;
        const std::vector<QWidget*> order = tabOrder(*screen);
        if (order.empty()) return false;
        const bool back = key.key() == Qt::Key_Backtab || (key.modifiers() & Qt::ShiftModifier);
        const auto at = std::find(order.begin(), order.end(), focus);
        const auto n = static_cast<std::ptrdiff_t>(order.size());
        std::ptrdiff_t i = at - order.begin();
        if (at == order.end())
            i = back ? n - 1 : 0;
        else
            i = (i + (back ? n - 1 : 1)) % n;
        order[static_cast<std::size_t>(i)]->setFocus(back ? Qt::BacktabFocusReason
                                                          : Qt::TabFocusReason);
        return true;
    }
};

}  // namespace

void installKeyboardAccess() {
    const char* const installed = "velariumKeyboardAccess";
    if (!qApp || qApp->property(installed).toBool()) return;
    qApp->setProperty(installed, true);
    qApp->installEventFilter(new KeyboardFilter(qApp));
    QApplication::setStyle(new FocusStyle);
}

void adoptKeyboardAccess(QWidget& screen) {
    screen.setProperty(kScreen, true);
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), &screen);
    f10->setObjectName(QStringLiteral("menuBarKey"));
    QObject::connect(f10, &QShortcut::activated, &screen, [&screen] { enterMenuBar(screen); });
}

std::vector<QWidget*> tabOrder(QWidget& screen) {
    struct Stop {
        QWidget* w;
        QRect at;
    };
    std::vector<Stop> stops;
    for (QWidget* w : screen.findChildren<QWidget*>())
        if (tabStop(w, &screen))
            stops.push_back({w, QRect(w->mapTo(&screen, QPoint()), w->size())});
    std::stable_sort(stops.begin(), stops.end(),
                     [](const Stop& a, const Stop& b) { return a.at.top() < b.at.top(); });
    std::vector<QWidget*> order;
    order.reserve(stops.size());
    for (std::size_t i = 0; i < stops.size();) {
        const QRect first = stops[i].at;
        std::size_t end = i + 1;
        while (end < stops.size() &&
               stops[end].at.top() <
                   first.top() + std::min(first.height(), stops[end].at.height()) / 2)
            ++end;
        std::stable_sort(stops.begin() + static_cast<std::ptrdiff_t>(i),
                         stops.begin() + static_cast<std::ptrdiff_t>(end),
                         [](const Stop& a, const Stop& b) { return a.at.left() < b.at.left(); });
        for (std::size_t k = i; k < end; ++k) order.push_back(stops[k].w);
        i = end;
    }
    return order;
}

}  // namespace velarium
