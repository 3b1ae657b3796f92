#pragma once

#include <QAction>
#include <QObject>
#include <QWidget>

namespace velarium {

class ScreenRegistry;
class ProjectorColours;

// The zoom of the whole program, as a browser or an office program zooms: Ctrl++ (or Ctrl+=),
// Ctrl+− and Ctrl+0 scale every text and line of every screen between 100% and 250%: the
// controls' captions, read-outs, text boxes and menus, and on the canvases every text, line and
// dot. Each screen then lays itself out again and draws its pictures again, their labels placed
// anew. A person's choice is remembered between starts; projector colours start at 150%, and
// give the zoom back when they are switched off.
class ProgramZoom : public QObject {
public:
    static constexpr double kLeast = 1.0;
    static constexpr double kMost = 2.5;
    // Projector colours are never shown below this zoom when they are switched on.
    static constexpr double kProjector = 1.5;

    ProgramZoom(ScreenRegistry& screens, ProjectorColours& projector);

    double factor() const { return factor_; }
    // Zooms every screen made so far to the factor, within kLeast and kMost, without
    // remembering it.
    void setFactor(double factor);
    // The steps of the keys: 100, 110, 125, 150, 175, 200, 225 and 250%.
    void zoomIn();
    void zoomOut();

    QAction* zoomInAction() const { return in_; }
    QAction* zoomOutAction() const { return out_; }
    QAction* actualSizeAction() const { return actual_; }

    // A screen just made takes the three actions and the present zoom.
    void adopt(QWidget& screen) const;

    // The zoom remembered from the last time a person chose one, 0 if never.
    static double remembered();

private:
    void choose(double factor);

    ScreenRegistry& screens_;
    ProjectorColours& projector_;
    double factor_ = 1.0;
    double raisedFrom_ = 0;  // the zoom before projector colours raised it, 0 if they did not
    QAction* in_;
    QAction* out_;
    QAction* actual_;
};

// The zoom of the screen a widget stands on: 1 where the program has set none.
double zoomOf(const QWidget& w);

// The application's font at the zoom of w's screen, for the windows a screen opens (menus,
// dialogs, messages), which take no font from it.
QFont zoomedFont(const QWidget& w);

}  // namespace velarium
