#include "app/Application.h"

#include <QCommandLineParser>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "app/FullProgram.h"
#include "widgets/Alerts.h"
#include "widgets/Fonts.h"
#include "widgets/Notice.h"
#include "widgets/Program.h"

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
                   [](const std::string& text) { showNotice(nullptr, QString::fromStdString(text)); }});
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

namespace {
// An option or a name as typed, cut short enough to quote in one line of a terminal.
QString quoted(const QString& typed) {
    constexpr int kLongest = 60;
    return QStringLiteral("“%1”").arg(typed.size() > kLongest ? typed.left(kLongest) + QChar(0x2026)
                                                             : typed);
}

struct Parser {
    QCommandLineParser parser;
    QCommandLineOption help = parser.addHelpOption();
    QCommandLineOption version = parser.addVersionOption();
    QCommandLineOption selfTest{
        QStringLiteral("self-test"),
        QStringLiteral("Show the start-up screen, print the title of every window shown, and end.")};
    QCommandLineOption projector{
        QStringLiteral("projector"),
        QStringLiteral("Start in projector colours: dark, saturated colours on white, with heavier "
                       "lines and larger dots and text.")};

    Parser() {
        parser.setApplicationDescription(QStringLiteral(
            "Teaches motion in frames of reference: a body on a curved path, a puck on a moving "
            "plane, a puck on a rotating disk."));
        // "-projector" is "--projector", as people type it, not the letters p, r, o, j, ...
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.addOption(selfTest);
        parser.addOption(projector);
        parser.addPositionalArgument(QStringLiteral("lesson"),
                                     QStringLiteral("A lesson file (.velarium) to open at start."),
                                     QStringLiteral("[lesson]"));
    }
};
}  // namespace

StartOptions parseCommandLine(const QStringList& arguments) {
    Parser p;
    StartOptions options;
    // An unknown option is named as the person typed it: find it among the arguments.
    if (!p.parser.parse(arguments)) {
        const QStringList unknown = p.parser.unknownOptionNames();
        QString typed = unknown.value(0);
        for (const QString& a : arguments.mid(1))
            if (!unknown.isEmpty() && a.startsWith(QLatin1Char('-')) &&
                a.mid(a.startsWith(QLatin1String("--")) ? 2 : 1).section(QLatin1Char('='), 0, 0) ==
                    unknown.front()) {
                typed = a;
                break;
            }
        options.error = unknown.isEmpty() ? p.parser.errorText()
                                          : QStringLiteral("unknown option %1.").arg(quoted(typed));
        return options;
    }
    const QStringList files = p.parser.positionalArguments();
    if (files.size() > 1) {
        options.error = QStringLiteral("%1 is one file too many: Velarium opens one lesson at a "
                                       "time.")
                            .arg(quoted(files[1]));
        return options;
    }
    options.lesson = files.value(0);
    options.help = p.parser.isSet(p.help);
    options.version = p.parser.isSet(p.version);
    options.selfTest = p.parser.isSet(p.selfTest);
    options.projector = p.parser.isSet(p.projector);
    return options;
}

StartOptions readCommandLine(QCoreApplication& app) {
    const StartOptions options = parseCommandLine(app.arguments());
    if (!options.error.isEmpty()) {
        std::fprintf(stderr, "velarium: %s\nTry “velarium --help”.\n", qPrintable(options.error));
        std::exit(1);
    }
    Parser p;
    if (options.help) p.parser.showHelp(0);
    if (options.version) p.parser.showVersion();
    return options;
}

void endWithLastWindow(QApplication& app, Program& program) {
    QObject::connect(&app, &QApplication::lastWindowClosed, &app, [&program] { program.end(); });
}

int runProgram(QApplication& app, const StartOptions& options) {
    FullProgram program;
    int status = 0;
    program.onEnd([&app, &status] { app.exit(status); });
    endWithLastWindow(app, program);
    program.projector().setOn(options.projector || ProjectorColours::remembered());
    if (const double zoom = ProgramZoom::remembered(); zoom > 0) program.zoom().setFactor(zoom);
    program.screens().get(ScreenId::firststep).show();
    if (!options.lesson.isEmpty()) program.lessons().open(options.lesson);
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
