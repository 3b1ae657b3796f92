#pragma once

#include <QAction>
#include <QList>
#include <QRect>
#include <QString>
#include <functional>

#include "widgets/Lessons.h"
#include "widgets/ProgramZoom.h"
#include "widgets/ProjectorColours.h"
#include "widgets/SaveDialog.h"
#include "widgets/ScreenRegistry.h"

namespace velarium {

class ScreenCatalogue;

// What the whole program shares: the screens, and how to end. One instance, owned by main (or
// by a test), passed by reference to every screen. The catalogue makes the screens and outlives
// the program.
class Program {
public:
    explicit Program(ScreenCatalogue& catalogue);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    ScreenRegistry& screens() { return screens_; }
    ScreenCatalogue& catalogue() { return catalogue_; }
    // The canvases' colours, on every screen: the program's own or "Projector Colours".
    ProjectorColours& projector() { return projector_; }
    // The zoom of every text and line of every screen.
    ProgramZoom& zoom() { return zoom_; }
    // "Save Lesson…", "Open Lesson…" and "Open Recent", on every screen.
    Lessons& lessons() { return lessons_; }

    // Ends the program at once: every screen closes and no handler runs any more.
    void end();
    bool ended() const { return ended_; }
    // What ending does after the screens are closed; the application quits its event loop.
    void onEnd(std::function<void()> action) { endAction_ = std::move(action); }

    // The part of the primary display that windows may use.
    static QRect display();

    // Entries that every canvas's context menu shows after the picture and data actions. An
    // entry appended here appears in the next menu any canvas opens.
    QList<QAction*>& canvasMenuEntries() { return canvasMenuEntries_; }

    // Asks the person for the name of a file to write (askSaveName); answer runs later, once
    // the name is settled, and never if they cancel. A test puts its own chooser in place of the
    // file dialog.
    using SaveNameChooser =
        std::function<void(QWidget* parent, const SaveQuestion& question, SaveAnswer answer)>;
    void chooseSaveName(QWidget* parent, const SaveQuestion& question, SaveAnswer answer) const {
        saveNameChooser_(parent, question, std::move(answer));
    }
    void setSaveNameChooser(SaveNameChooser chooser) { saveNameChooser_ = std::move(chooser); }

private:
    ScreenCatalogue& catalogue_;
    ScreenRegistry screens_;
    ProjectorColours projector_{screens_};
    ProgramZoom zoom_{screens_, projector_};
    Lessons lessons_{*this};
    std::function<void()> endAction_;
    bool ended_ = false;
    QList<QAction*> canvasMenuEntries_;
    SaveNameChooser saveNameChooser_;
};

}  // namespace velarium
