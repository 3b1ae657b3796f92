#include "shell/WrapLabel.h"

#include <QPainter>

namespace velarium {

void WrapLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(contentsRect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextWrapAnywhere, text());
}

}  // namespace velarium
