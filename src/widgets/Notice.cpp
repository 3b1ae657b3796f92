#include "widgets/Notice.h"

#include <QApplication>
#include <QMessageBox>

#include "widgets/ProgramZoom.h"

namespace velarium {

void showNotice(QWidget* parent, const QString& text) {
    if (!parent) parent = QApplication::activeWindow();
    auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Velarium"), text,
                                QMessageBox::Ok, parent ? parent->window() : nullptr);
    box->setObjectName(QStringLiteral("notice"));
    if (parent) box->setFont(zoomedFont(*parent));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

}  // namespace velarium
