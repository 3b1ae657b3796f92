#include "shell/Application.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    velarium::prepareApplication(app);
    return velarium::runProgram(app);
}
