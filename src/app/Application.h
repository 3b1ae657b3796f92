#pragma once

#include <QApplication>

namespace velarium {

// The name of the desktop entry, the icon and the AppStream component that the package installs.
inline constexpr const char* kDesktopId = "org.velarium.Velarium";

// Gives the program its name, version and desktop entry; needs no application object yet.
void nameApplication();

// Prepares the application object: its name, version and desktop entry, fonts, the alerts of
// the core, and ending when the last visible window closes.
void prepareApplication(QApplication& app);

// Whether the command line asks only for text (--help, --version): that needs no window system,
// so it also works over a remote shell without a display.
bool asksOnlyForText(int argc, const char* const* argv);

// What the command line asks of this run, after Qt has taken its own options (-platform, ...).
struct StartOptions {
    // Show the start-up screen, print the title of every window shown, one per line, and end.
    bool selfTest = false;
    // Start in projector colours, whatever was chosen last time.
    bool projector = false;
    // Print the help or the version text, and end.
    bool help = false;
    bool version = false;
    // The lesson to open at start, as named; empty for none.
    QString lesson;
    // What the program did not understand, in one line naming it as typed; empty when all is
    // well.
    QString error;
};

// What the arguments ask for (the first is the program's name). A single dash takes a whole
// word, as two do: "-projector" is "--projector".
StartOptions parseCommandLine(const QStringList& arguments);

// Reads the command line. --help and --version print their text and end the process here; an
// unknown option or a second file name prints what was not understood and ends it with status 1.
StartOptions readCommandLine(QCoreApplication& app);

// Ends the program when the user closes the last visible window.
class Program;
void endWithLastWindow(QApplication& app, Program& program);

// Creates the program, shows the start-up screen, opens the lesson named on the command line (a
// lesson that cannot be opened leaves the start-up screen with a message), and runs until the
// program ends.
int runProgram(QApplication& app, const StartOptions& options = {});

}  // namespace velarium
