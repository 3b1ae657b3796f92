#include "shell/Application.h"

#include <QMessageBox>

#include "draw/Alerts.h"
#include "shell/Fonts.h"
#include "shell/Program.h"

namespace velarium {

void prepareApplication(QApplication& app) {
    installFontSubstitutions();
    app.setQuitOnLastWindowClosed(true);
    installAlerts({[] { QApplication::beep(); },
                   [](const std::string& text) {
                       QMessageBox box(QMessageBox::NoIcon, QString(), QString::fromStdString(text),
                                       QMessageBox::Ok);
                       box.exec();
                   }});
}

void endWithLastWindow(QApplication& app, Program& program) {
    QObject::connect(&app, &QApplication::lastWindowClosed, &app, [&program] { program.end(); });
}

int runProgram(QApplication& app) {
    Program program;
    program.onEnd([&app] { app.exit(0); });
    endWithLastWindow(app, program);
    program.screens().get(ScreenId::firststep).show();
    return app.exec();
}

}  // namespace velarium
