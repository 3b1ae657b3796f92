#include "draw/CanvasAccessible.h"

#include <QAccessible>
#include <QAccessibleWidget>

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
