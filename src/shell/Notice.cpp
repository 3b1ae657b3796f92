#include "shell/Notice.h"

#include <QApplication>
#include <QMessageBox>

namespace velarium {

void showNotice(QWidget* parent, const QString& text) {
    if (!parent) parent = QApplication::activeWindow();
    auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Velarium"), text,
                                QMessageBox::Ok, parent ? parent->window() : nullptr);
    box->setObjectName(QStringLiteral("notice"));
    // A window takes no font from its parent: the message reads at the program's zoom.
    if (parent) box->setFont(parent->window()->font());
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

}  // namespace velarium
