#pragma once

#include <QString>
#include <QWidget>

namespace velarium {

// Shows a message with an OK button over parent's window (or the active one), modal to it, and
// returns at once: the message closes through the main event loop, never a nested one.
void showNotice(QWidget* parent, const QString& text);

}  // namespace velarium
