#include "widgets/WrapLabel.h"

#include <QPainter>
#include <QTextOption>

namespace velarium {

void WrapLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(palette().color(QPalette::WindowText));
    QTextOption wrap(Qt::AlignLeft | Qt::AlignTop);
    wrap.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    p.drawText(QRectF(contentsRect()), text(), wrap);
}

}  // namespace velarium
