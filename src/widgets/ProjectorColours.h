#pragma once

#include <QAction>
#include <QObject>
#include <QWidget>

#include "draw/ColourProfile.h"

namespace velarium {

class ScreenRegistry;

// The program-wide choice of canvas colours: the program's own, or "Projector Colours" for a
// lit classroom. One checkable action (Ctrl+Shift+P) switches it, on every screen at once; each
// canvas shows its picture again. The choice a person makes is remembered between starts.
class ProjectorColours : public QObject {
public:
    explicit ProjectorColours(ScreenRegistry& screens);

    // Checkable, Ctrl+Shift+P. Every screen carries it, so its shortcut works wherever focus is;
    // a canvas's context menu can offer it as it is.
    QAction* action() const { return action_; }
    bool on() const { return action_->isChecked(); }
    ColourProfile profile() const { return {on(), zoom_}; }
    // Switches the profile of every canvas of every screen made so far, without remembering.
    void setOn(bool on);
    // Every canvas shows its lines, dots and texts grown by the program's zoom.
    void setZoom(double zoom);
    // A screen just made takes the action and the present profile.
    void adopt(QWidget& screen) const;

    // The choice remembered from the last time a person made one (off if never).
    static bool remembered();

private:
    void apply() const;

    ScreenRegistry& screens_;
    QAction* action_;
    double zoom_ = 1.0;
};

}  // namespace velarium
