#pragma once

#include <QAbstractButton>
#include <QAction>
#include <QScrollBar>
#include <QString>
#include <functional>
#include <memory>

namespace velarium {

// Gives a control its documented object name and, for one without a visible text of its own, an
// accessible name in plain words.
template <class W>
W* named(W* w, const char* name, const char* accessible = nullptr) {
    w->setObjectName(QString::fromLatin1(name));
    if (accessible) w->setAccessibleName(QString::fromUtf8(accessible));
    return w;
}

// A menu entry with its documented name and caption; checkable entries double as mode flags.
inline QAction* menuEntry(QObject* parent, const char* name, const char* caption,
                          bool checkable = false) {
    auto* a = new QAction(QString::fromUtf8(caption), parent);
    a->setObjectName(QString::fromLatin1(name));
    a->setCheckable(checkable);
    return a;
}

// A scroll bar with its designed range, large change and value; the small change is 1.
inline QScrollBar* scrollBar(QWidget* parent, const char* name, const char* accessible,
                             Qt::Orientation o, int lo, int hi, int large, int value) {
    auto* s = named(new QScrollBar(o, parent), name, accessible);
    s->setRange(lo, hi);
    s->setSingleStep(1);
    s->setPageStep(large);
    s->setValue(value);
    return s;
}

// Runs `chosen` when an option button is chosen, whoever chooses it (a click, the keyboard, a
// screen reader's toggle, the program), and when a click chooses it again while it is chosen.
inline void onChosen(QAbstractButton* option, QObject* context, std::function<void()> chosen) {
    QObject::connect(option, &QAbstractButton::toggled, context, [chosen](bool on) {
        if (on) chosen();
    });
    auto wasChosen = std::make_shared<bool>(false);
    QObject::connect(option, &QAbstractButton::pressed, context,
                     [option, wasChosen] { *wasChosen = option->isChecked(); });
    QObject::connect(option, &QAbstractButton::clicked, context, [option, wasChosen, chosen] {
        if (*wasChosen && option->isChecked()) chosen();
    });
}

}  // namespace velarium
