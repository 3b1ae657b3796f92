#include "shell/Application.h"

#include <QCommandLineParser>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>
#include <string_view>

#include "draw/Alerts.h"
#include "shell/Fonts.h"
#include "shell/Program.h"

namespace velarium {

void nameApplication() {
    QCoreApplication::setApplicationName(QStringLiteral("velarium"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELARIUM_VERSION));
    // Wayland compositors match windows to the menu entry (and its icon) by this name.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopId));
}

void prepareApplication(QApplication& app) {
    nameApplication();
    installFontSubstitutions();
    app.setQuitOnLastWindowClosed(true);
    installAlerts({[] { QApplication::beep(); },
                   [](const std::string& text) {
                       QMessageBox box(QMessageBox::NoIcon, QString(), QString::fromStdString(text),
                                       QMessageBox::Ok);
                       box.exec();
                   }});
}

bool asksOnlyForText(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a == "--") break;
        if (a == "-h" || a == "--help" || a == "--help-all" || a == "-?" || a == "-v" ||
            a == "--version")
            return true;
    }
    return false;
}

StartOptions readCommandLine(QCoreApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Teaches motion in frames of reference: a body on a curved path, a puck on "
                       "a moving plane, a puck on a rotating disk."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption selfTest(
        QStringLiteral("self-test"),
        QStringLiteral(
            "Show the start-up screen, print the title of every window shown, and end."));
    parser.addOption(selfTest);
    const QCommandLineOption projector(
        QStringLiteral("projector"),
        QStringLiteral("Start in projector colours: dark, saturated colours on white, with heavier "
                       "lines and larger dots and text."));
    parser.addOption(projector);
    parser.process(app);
    StartOptions options;
    options.selfTest = parser.isSet(selfTest);
    options.projector = parser.isSet(projector);
    return options;
}

void endWithLastWindow(QApplication& app, Program& program) {
    QObject::connect(&app, &QApplication::lastWindowClosed, &app, [&program] { program.end(); });
}

int runProgram(QApplication& app, const StartOptions& options) {
    Program program;
    int status = 0;
    program.onEnd([&app, &status] { app.exit(status); });
    endWithLastWindow(app, program);
    program.projector().setOn(options.projector || ProjectorColours::remembered());
    if (const double zoom = ProgramZoom::remembered(); zoom > 0) program.zoom().setFactor(zoom);
    program.screens().get(ScreenId::firststep).show();
    if (options.selfTest) {
        // Once the event loop runs, the windows a person would see are the visible top-level ones.
        QTimer::singleShot(0, &app, [&program, &status] {
            int shown = 0;
            for (const QWidget* w : QApplication::topLevelWidgets()) {
                if (!w->isVisible()) continue;
                std::printf("%s\n", qPrintable(w->windowTitle()));
                ++shown;
            }
            std::fflush(stdout);
            status = shown > 0 ? 0 : 1;
            program.end();
        });
    }
    return app.exec();
}

}  // namespace velarium
