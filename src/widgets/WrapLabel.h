#pragma once

#include <QLabel>

namespace velarium {

// A read-out label that wraps its text between words, and inside a word only when the word is
// wider than the label, so that a number at the end of a long caption stays readable in a
// narrow designed box.
class WrapLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace velarium
