#include <QDir>
#include <QFile>
#include <QImage>
#include <cstdio>
#include <map>
#include <string>

#include "BenchSupport.h"
#include "app/Application.h"
#include "widgets/Alerts.h"

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

// Prints the usual table, then each handler's time against its target and against its peer,
// the same picture drawn with Qt's own painter: Handler/<Screen>/<Case> is read against
// Peer/QPainter/<Case>, or Peer/QPainter/<Screen> where the peer draws the screen's picture.
// A handler's time is the least of its repetitions (make bench runs three): the least is the
// run least disturbed by the rest of the machine. The target is a quarter of a 60 Hz frame,
// unless the handler answers a click once or adds its work to another handler's picture.
class VerdictReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs) {
            if (r.run_type != Run::RT_Iteration || r.error_occurred) continue;
            const double ms =
                r.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(r.time_unit) * 1e3;
            const auto [it, fresh] = ms_.emplace(r.run_name.str(), ms);
            if (!fresh) it->second = std::min(it->second, ms);
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        constexpr double quarterFrame = 1000.0 / 60 / 4;
        std::map<std::string, double> ownTargets{
            // A click that writes a file, not a frame.
            {"Handler/Canvas/SaveSvg", 100.0}};
        // Sixty captions placed among the arrow field: they may add a quarter frame to it.
        const auto field = ms_.find("Handler/Canvas/ArrowField");
        if (field != ms_.end())
            ownTargets["Handler/Canvas/PlaceLabels"] = field->second + quarterFrame;
        // How many times slower Qt's painter must be at the same picture.
        const std::map<std::string, double> peerTargets{{"ArrowField", 8.0}, {"WorkChart", 4.0}};
        std::printf("\n%-40s %10s %10s %8s %14s %8s\n", "handler (least of runs)", "ms", "target",
                    "", "peer is", "target");
        double worst = 0;
        bool allMet = true;
        for (const auto& [name, ms] : ms_) {
            if (name.rfind("Handler/", 0) != 0) continue;
            const auto own = ownTargets.find(name);
            const double target = own != ownTargets.end() ? own->second : quarterFrame;
            if (own == ownTargets.end()) worst = std::max(worst, ms);
            const bool within = ms <= target;
            // The peer draws the same picture: named after the handler's case, or its screen.
            const std::size_t slash = name.rfind('/');
            const std::string kase = name.substr(slash + 1);
            const std::string screen = name.substr(8, slash - 8);
            std::string peerName = kase;
            auto peer = ms_.find("Peer/QPainter/" + kase);
            if (peer == ms_.end()) {
                peerName = screen;
                peer = ms_.find("Peer/QPainter/" + screen);
            }
            char ratio[32] = "-", ratioTarget[32] = "";
            bool ratioMet = true;
            if (peer != ms_.end()) {
                const double times = peer->second / ms;
                std::snprintf(ratio, sizeof ratio, "%.1fx slower", times);
                const auto wanted = peerTargets.find(peerName);
                if (wanted != peerTargets.end()) {
                    ratioMet = times >= wanted->second;
                    std::snprintf(ratioTarget, sizeof ratioTarget, "%.0fx %s", wanted->second,
                                  ratioMet ? "met" : "MISSED");
                }
            }
            allMet = allMet && within && ratioMet;
            std::printf("%-40s %10.3f %10.1f %8s %14s %8s\n", name.c_str(), ms, target,
                        within ? "within" : "OVER", ratio, ratioTarget);
        }
        std::printf("worst frame handler: %.3f ms (a quarter of a 60 Hz frame is %.2f ms); %s\n",
                    worst, quarterFrame, allMet ? "every target met" : "a target is missed");
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
