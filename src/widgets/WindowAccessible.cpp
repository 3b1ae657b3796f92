#include "widgets/WindowAccessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

namespace velarium {

namespace {
// A screen built on a plain widget would otherwise be a "filler" to a screen reader. Main
// windows and dialogs keep Qt's own interfaces, which already say window or dialog; Qt's own
// widgets, whose classes it knows, reach its factories before the plain QWidget does.
QAccessibleInterface* windowFactory(const QString& className, QObject* object) {
    const bool ours = className.startsWith(QLatin1String("velarium::")) ||
                      className == QLatin1String("QWidget");
    if (!ours || !object->isWidgetType()) return nullptr;
    auto* w = static_cast<QWidget*>(object);
    if (!w->isWindow() || object->inherits("QMainWindow") || object->inherits("QDialog"))
        return nullptr;
    return new QAccessibleWidget(w, QAccessible::Window);
}
}  // namespace

void installWindowAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(windowFactory);
        return true;
    }();
    (void)installed;
}

}  // namespace velarium
