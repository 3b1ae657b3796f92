#include <QImage>

#include "BenchSupport.h"
#include "draw/Alerts.h"
#include "shell/Application.h"

namespace velarium::bench {

QApplication& application() {
    static int argc = 1;
    static char name[] = "velarium_bench";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen"
                                                                         : qgetenv("QT_QPA_PLATFORM"));
        auto* a = new QApplication(argc, argv);
        prepareApplication(*a);
        installAlerts({[] {}, [](const std::string&) {}});
        return a;
    }();
    return *app;
}

namespace {

// The yardstick: filling the surface of a 900 by 900 canvas at device pixel ratio 2.
void SurfaceFill(benchmark::State& state) {
    QImage image(1800, 1800, QImage::Format_ARGB32_Premultiplied);
    int shade = 0;
    for (auto _ : state) {
        image.fill(QColor(shade, 255 - shade, 128));
        shade = (shade + 1) & 255;
        benchmark::DoNotOptimize(image.constBits());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(SurfaceFill);

}  // namespace
}  // namespace velarium::bench

int main(int argc, char** argv) {
    velarium::bench::application();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
