#include "shell/TimeLine.h"

#include <QAccessible>

namespace velarium {

TimeLine::TimeLine(QWidget* parent, std::function<void(int)> chosen)
    : QObject(parent),
      slider(new QSlider(Qt::Horizontal, parent)),
      readOut(new QLabel(parent)),
      chosen_(std::move(chosen)) {
    slider->setObjectName(QStringLiteral("TimeLine"));
    slider->setAccessibleName(QStringLiteral("Time line"));
    slider->setProperty(kKeptByHook, true);
    slider->setFocusPolicy(Qt::StrongFocus);
    slider->setSingleStep(1);
    slider->setPageStep(10);
    slider->setRange(0, 0);
    readOut->setObjectName(QStringLiteral("TimeReadOut"));
    readOut->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    show(0, 0, 0);
    connect(slider, &QSlider::valueChanged, this, [this](int step) {
        if (!showing_) chosen_(step);
    });
}

QString TimeLine::readOutText(int step, double time) {
    return QStringLiteral("t = %1   step %2").arg(time, 0, 'f', 2).arg(step);
}

void TimeLine::show(int step, int last, double time) {
    showing_ = true;
    slider->setRange(0, last);
    slider->setValue(step);
    slider->setVisible(last > 0);
    showing_ = false;
    const QString text = readOutText(step, time);
    if (readOut->text() == text) return;
    readOut->setText(text);
    // The slider names the step it stands at, and the read-out tells of the change.
    slider->setAccessibleDescription(text);
    QAccessibleEvent changed(readOut, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
}

}  // namespace velarium
