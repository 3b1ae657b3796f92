#pragma once

#include <QApplication>

namespace velarium {

// Prepares the application object: fonts, the alerts of the core, and ending when the last
// visible window closes.
void prepareApplication(QApplication& app);

// Ends the program when the user closes the last visible window.
class Program;
void endWithLastWindow(QApplication& app, Program& program);

// Creates the program, shows the start-up screen and runs until the program ends.
int runProgram(QApplication& app);

}  // namespace velarium
