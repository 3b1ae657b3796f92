#include "app/Application.h"

int main(int argc, char** argv) {
    velarium::nameApplication();
    if (velarium::asksOnlyForText(argc, argv)) {
        QCoreApplication app(argc, argv);
        velarium::readCommandLine(app);  // prints the text and ends the process
        return 0;
    }
    QApplication app(argc, argv);
    velarium::prepareApplication(app);
    const velarium::StartOptions options = velarium::readCommandLine(app);
    return velarium::runProgram(app, options);
}
