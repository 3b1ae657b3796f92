#include "widgets/FullScreen.h"

#include <QEvent>
#include <QShortcut>

namespace velarium {

namespace {
// Keeps the Escape shortcut enabled exactly while its screen is full screen.
class EscapeWhileFull : public QObject {
public:
    EscapeWhileFull(QWidget& screen, QShortcut& escape) : QObject(&screen), escape_(escape) {
        escape_.setEnabled(screen.isFullScreen());
        screen.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::WindowStateChange)
            escape_.setEnabled(static_cast<QWidget*>(watched)->isFullScreen());
        return QObject::eventFilter(watched, event);
    }

private:
    QShortcut& escape_;
};
}  // namespace

void installFullScreenKeys(QWidget& screen) {
    auto* f11 = new QShortcut(QKeySequence(Qt::Key_F11), &screen);
    f11->setObjectName(QStringLiteral("fullScreenKey"));
    QObject::connect(f11, &QShortcut::activated, &screen, [&screen] {
        screen.setWindowState(screen.windowState() ^ Qt::WindowFullScreen);
    });
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), &screen);
    escape->setObjectName(QStringLiteral("leaveFullScreenKey"));
    QObject::connect(escape, &QShortcut::activated, &screen, [&screen] {
        screen.setWindowState(screen.windowState() & ~Qt::WindowFullScreen);
    });
    new EscapeWhileFull(screen, *escape);
}

}  // namespace velarium
