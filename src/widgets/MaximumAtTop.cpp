#include "widgets/MaximumAtTop.h"

#include <QEvent>

namespace velarium {

MaximumAtTop::MaximumAtTop(QScrollBar* bar) : QObject(bar), bar_(bar) {
    bar->setInvertedAppearance(true);
    bar->setInvertedControls(false);
    bar->installEventFilter(this);
    connect(bar, &QAbstractSlider::actionTriggered, this, [this](int action) { turn(action); });
}

bool MaximumAtTop::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)
        pressed_ = true;
    else if (event->type() == QEvent::MouseButtonRelease)
        pressed_ = false;
    return false;
}

void MaximumAtTop::turn(int action) {
    if (!pressed_) return;
    const int from = bar_->value();
    switch (action) {
        case QAbstractSlider::SliderSingleStepAdd:
            bar_->setSliderPosition(from - bar_->singleStep());
            break;
        case QAbstractSlider::SliderSingleStepSub:
            bar_->setSliderPosition(from + bar_->singleStep());
            break;
        case QAbstractSlider::SliderPageStepAdd:
            bar_->setSliderPosition(from - bar_->pageStep());
            break;
        case QAbstractSlider::SliderPageStepSub:
            bar_->setSliderPosition(from + bar_->pageStep());
            break;
        default: break;
    }
}

}  // namespace velarium
