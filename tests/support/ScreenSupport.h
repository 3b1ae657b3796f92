#pragma once

#include <QAbstractButton>
#include <QAction>
#include <QMessageBox>
#include <QScrollBar>
#include <QtTest>
#include <string>
#include <vector>

#include "draw/CanvasWidget.h"
#include "shell/Alerts.h"
#include "shell/Program.h"

namespace velarium::test {

// A whole program for a screen test: its screens, with the beeps and messages of the core
// recorded instead of sounded or shown.
class TestProgram {
public:
    // With real dialogs, the program's own file dialogs and messages open as they do for a
    // person (the messages are recorded too); without, every file question is cancelled.
    enum Dialogs { Cancelled, Real };
    explicit TestProgram(Dialogs dialogs = Cancelled);
    ~TestProgram();

    Program program;
    int beeps = 0;
    std::vector<std::string> messages;

    template <class T>
    T& screen(ScreenId id) {
        return program.screens().as<T>(id);
    }
    QWidget& screen(ScreenId id) { return program.screens().get(id); }

    // A named child of a screen; fails the test when it is missing.
    template <class T>
    T* child(ScreenId id, const char* name) {
        T* c = screen(id).findChild<T*>(QString::fromLatin1(name));
        if (!c) qFatal("no control %s on screen %s", name, screenInfo(id).name);
        return c;
    }

private:
    Alerts previous_;
};

// A file chooser that answers every question as a person who names path and the kind of file at
// index kind would, at once; an empty path cancels.
Program::SaveNameChooser answering(const QString& path, int kind = 0);

// What a person does with the window that a dialog of the program holds in front of the others:
// the file dialog, the question whether to replace a file, or a message.
namespace person {
// The dialog in front, or null.
QWidget* dialogInFront();
// Puts name into the file dialog's name box, as typing it does, and presses Return; false when no
// file dialog is there.
bool typeName(const QString& name);
// Answers the question or message in front with the button (Yes, No, Ok).
bool answer(QMessageBox::StandardButton button);
// Presses Escape in the dialog in front.
bool escape();
// Handles the events an answer posted (the file written, the next question opened); true when
// no dialog is left in front.
bool settled();
}  // namespace person

// Prepares fonts and a test settings file once per test executable.
void prepareScreenTests();

// Every warning or error the program logs fails the test function that logged it; called from
// a test class's init().
void failOnWarnings();

// The pixel position of a user point on a canvas.
QPoint canvasPixel(const CanvasWidget& canvas, double x, double y);
// Presses and releases the left button at user coordinates, with the given modifiers.
void pressCanvas(CanvasWidget& canvas, double x, double y, Qt::KeyboardModifiers mods = {});
void releaseCanvas(CanvasWidget& canvas, double x, double y, Qt::KeyboardModifiers mods = {});
// Moves a scroll bar as the user would, so that its change handler runs.
void setSlider(QScrollBar& bar, int value);

// What a canvas has recorded since its last clear, one line a command with every number in
// full, so that two records compare equal only when they are the same to the last bit.
QStringList recordLines(const PlotCanvas& canvas);

}  // namespace velarium::test
