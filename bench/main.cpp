#include <QDir>
#include <QFile>
#include <QImage>
#include <cstdio>
#include <map>
#include <string>

#include "BenchSupport.h"
#include "draw/Alerts.h"
#include "shell/Application.h"

namespace velarium::bench {

namespace {

// The offscreen display as a 1920 by 1080 one at the requested scale factor, so that the screens
// that size themselves from the display take the sizes they have there.
QByteArray offscreenFullHd() {
    bool ok = false;
    double scale = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&ok);
    if (!ok || scale <= 0) scale = 1;
    const QString path = QDir::temp().filePath(QStringLiteral("velarium-bench-screen.json"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return "offscreen";
    file.write(QStringLiteral(R"({"screens": [{"name": "bench", "x": 0, "y": 0, "width": %1,)"
                              R"( "height": %2, "logicalDpi": 96, "logicalBaseDpi": 96}]})")
                   .arg(qRound(1920 * scale))
                   .arg(qRound(1080 * scale))
                   .toUtf8());
    return "offscreen:configfile=" + path.toUtf8();
}

}  // namespace

QApplication& application() {
    static int argc = 1;
    static char name[] = "velarium_bench";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
        qputenv("QT_QPA_PLATFORM",
                platform.isEmpty() || platform == "offscreen" ? offscreenFullHd() : platform);
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

namespace velarium::bench {
namespace {

// Prints the usual table, then each handler's time against half a 60 Hz frame and against its
// peer, the same picture drawn with Qt's own painter: Handler/<Screen>/<Case> is read against
// Peer/QPainter/<Case>, or Peer/QPainter/<Screen> where the peer draws the screen's picture.
class VerdictReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs)
            if (r.run_type == Run::RT_Iteration && !r.error_occurred)
                ms_[r.benchmark_name()] =
                    r.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(r.time_unit) * 1e3;
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        constexpr double halfFrame = 1000.0 / 60 / 2;
        // A handler that answers a click once, rather than drawing a frame, has its own target.
        const std::map<std::string, double> clickTargets{{"Handler/Canvas/SaveSvg", 100.0}};
        std::printf("\n%-40s %10s %12s %12s\n", "handler", "ms", "target", "peer ratio");
        double worst = 0;
        for (const auto& [name, ms] : ms_) {
            if (name.rfind("Handler/", 0) != 0) continue;
            const auto click = clickTargets.find(name);
            const double target = click != clickTargets.end() ? click->second : halfFrame;
            if (click == clickTargets.end()) worst = std::max(worst, ms);
            // The peer draws the same picture: named after the handler's case, or its screen.
            const std::size_t slash = name.rfind('/');
            const std::string kase = name.substr(slash + 1);
            const std::string screen = name.substr(8, slash - 8);
            auto peer = ms_.find("Peer/QPainter/" + kase);
            if (peer == ms_.end()) peer = ms_.find("Peer/QPainter/" + screen);
            char ratio[32] = "-";
            if (peer != ms_.end())
                std::snprintf(ratio, sizeof ratio, "%.2fx faster", peer->second / ms);
            std::printf("%-40s %10.3f %12s %12s\n", name.c_str(), ms,
                        ms <= target ? "within" : "OVER", ratio);
        }
        std::printf("worst handler: %.3f ms (half a frame is %.2f ms)\n", worst, halfFrame);
    }

private:
    std::map<std::string, double> ms_;
};

}  // namespace
}  // namespace velarium::bench

int main(int argc, char** argv) {
    velarium::bench::application();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    velarium::bench::VerdictReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
