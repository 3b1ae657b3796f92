// Renders each built screen offscreen to a PNG, for the README. Not part of the program.
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <cstdio>

#include "Snap.h"
#include "app/Application.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    velarium::prepareApplication(app);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs");
    QDir().mkpath(folder);
    for (const auto& scene : velarium::snap::scenes()) {
        velarium::FullProgram program;
        QWidget& w = scene.prepare(program);
        w.show();
        QApplication::processEvents();
        const QString path = folder + QLatin1Char('/') + scene.file;
        if (!w.grab().save(path)) {
            std::fprintf(stderr, "could not write %s\n", qPrintable(path));
            return 1;
        }
        std::printf("%s\n", qPrintable(path));
    }
    return 0;
}
