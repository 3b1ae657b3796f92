#include "shell/Application.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    velarium::prepareApplication(app);
    const velarium::StartOptions options = velarium::readCommandLine(app);
    return velarium::runProgram(app, options);
}
