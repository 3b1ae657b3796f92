#pragma once

#include <QObject>
#include <QScrollBar>

namespace velarium {

// A vertical scroll bar with its maximum at the top. Qt draws the thumb the other way up but
// still lays its arrow buttons and trough out for a bar with its minimum at the top, so the
// steps and pages a mouse press starts are turned round here; the wheel and the keys follow the
// drawn sense once the controls are not inverted. The bar owns it.
class MaximumAtTop : public QObject {
public:
    explicit MaximumAtTop(QScrollBar* bar);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void turn(int action);

    QScrollBar* bar_;
    bool pressed_ = false;
};

}  // namespace velarium
