#include "draw/CanvasAccessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMenu>

#include "draw/CanvasWidget.h"

namespace velarium {

namespace {
// What a screen reader sees of a canvas: a picture whose description is the text it shows.
class CanvasAccessible : public QAccessibleWidget {
public:
    explicit CanvasAccessible(CanvasWidget* canvas)
        : QAccessibleWidget(canvas, QAccessible::Canvas) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Description) {
            const QString own = widget()->accessibleDescription();
            return own.isEmpty() ? static_cast<const CanvasWidget*>(widget())->shownText() : own;
        }
        return QAccessibleWidget::text(t);
    }

    // A canvas's context menu is a window of its own, which Qt leaves out of the tree; while it
    // is open it is the canvas's last child, as a menu bar's open menu is its item's, so that a
    // screen reader can walk to its entries.
    int childCount() const override {
        return QAccessibleWidget::childCount() + (openMenu() ? 1 : 0);
    }
    QAccessibleInterface* child(int index) const override {
        const int own = QAccessibleWidget::childCount();
        if (index == own && openMenu()) return QAccessible::queryAccessibleInterface(openMenu());
        return QAccessibleWidget::child(index);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (child && child->object() && child->object() == openMenu())
            return QAccessibleWidget::childCount();
        return QAccessibleWidget::indexOfChild(child);
    }

private:
    QMenu* openMenu() const {
        for (QMenu* m : widget()->findChildren<QMenu*>(Qt::FindDirectChildrenOnly))
            if (m->isVisible()) return m;
        return nullptr;
    }
};

QAccessibleInterface* canvasAccessibleFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("velarium::CanvasWidget"))
        return new CanvasAccessible(static_cast<CanvasWidget*>(object));
    return nullptr;
}
}  // namespace

void installCanvasAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(canvasAccessibleFactory);
        return true;
    }();
    (void)installed;
}

}  // namespace velarium
