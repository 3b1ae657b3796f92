// Handler benchmarks of the simulation of both frames at its largest run, 5000 points, on the
// screens at the sizes they take on a 1920 by 1080 display; and the work chart drawn with Qt's
// own painter for comparison.
#include <QPainter>
#include <QWidget>
#include <memory>

#include "BenchSupport.h"
#include "app/FullProgram.h"
#include "app/Navigation.h"
#include "energy/BothFramesScreen.h"
#include "energy/GraphScreen.h"
#include "energy/WorkChart.h"
#include "widgets/Program.h"

namespace velarium::bench {

namespace {

// The simulation opened, set for 5000 points (total time 40, time interval 1) on a free base
// with the heaviest body, and run once.
struct LargestRun {
    LargestRun() {
        application();
        openSimulation(program);
        auto& s = screen();
        s.xronosolikos->setValue(40);
        s.massvalue->setValue(20);
        s.dialogi->click();
        repeat();
    }

    BothFramesScreen& screen() {
        return program.screens().as<BothFramesScreen>(ScreenId::rotating);
    }
    GraphScreen& graph(ScreenId id) { return program.screens().as<GraphScreen>(id); }

    // REPEAT with the time interval at 1, which the step limit turns into 5000 points.
    void repeat() {
        screen().timeinterval->setValue(1);
        screen().epanalipsi->click();
    }

    FullProgram program;
};

void RotatingRepeat(benchmark::State& state) {
    LargestRun r;
    auto& s = r.screen();
    auto& orbits = r.graph(ScreenId::x_ygraph);
    auto& angle = r.graph(ScreenId::goniaxronos);
    for (auto _ : state) {
        state.PauseTiming();
        s.timeinterval->setValue(1);
        state.ResumeTiming();
        s.epanalipsi->click();
        orbits.picture->repaintNow();
        angle.picture->repaintNow();
    }
    state.counters["points"] = r.program.disk().tables.pointCount;
    state.counters["dpr"] = orbits.picture->devicePixelRatioF();
    state.counters["orbit_width"] = orbits.width();
}

void WorkChartHalfRange(benchmark::State& state) {
    LargestRun r;
    r.screen().base_centrafugalwork->click();
    auto& chart = r.program.screens().as<WorkChartScreen>(ScreenId::base_centrafugal);
    for (auto _ : state) {
        chart.Command1->click();
        chart.picture->repaintNow();
    }
    state.counters["chart_width"] = chart.width();
}

void VelocityGraphDraw(benchmark::State& state) {
    LargestRun r;
    auto& graph = r.graph(ScreenId::velocitytimes);
    for (auto _ : state) {
        r.screen().Grafikhvel->click();
        graph.picture->repaintNow();
    }
    state.counters["graph_width"] = graph.width();
}

// A move of an animated graph's time line between its last two moments: the orbits of all 5000
// points drawn again from their start, or the vector graph's last point.
void timeLineDrag(benchmark::State& state, ScreenId id) {
    LargestRun r;
    (id == ScreenId::xronoorbit ? r.screen().xronotroxia : r.screen().enarxixronou)->click();
    GraphScreen& g = r.graph(id);
    const int last = g.animation().last;
    int moment = last;
    for (auto _ : state) {
        moment = moment == last ? last - 1 : last;
        g.timeLine->slider->setValue(moment);
        g.picture->repaintNow();
    }
    state.counters["points"] = last;
    state.counters["graph_width"] = g.width();
}
void OrbitAnimationTimeLineDrag(benchmark::State& state) {
    timeLineDrag(state, ScreenId::xronoorbit);
}
void VectorGraphTimeLineDrag(benchmark::State& state) { timeLineDrag(state, ScreenId::xronikh); }

// The way a Qt programmer would draw the chart: QPainter on an image at the device pixel ratio,
// antialiased, cosmetic pens, the user scale mapped by the painter's transform; the widget
// paints that image.
class PainterCanvas : public QWidget, public PlotCanvas {
public:
    PainterCanvas() {
        resize(1728, 540);
        show();
        const double dpr = devicePixelRatioF();
        image_ = QImage((QSizeF(size()) * dpr).toSize(), QImage::Format_RGB32);
        image_.setDevicePixelRatio(dpr);
    }
    double pixelWidth() const override { return width(); }
    double pixelHeight() const override { return height(); }

protected:
    void renderClear(Rgb background) override {
        end();
        image_.fill(colour(background));
    }
    void renderLine(double x1, double y1, double x2, double y2, Rgb c) override {
        painter().setPen(pen(c));
        painter().drawLine(QPointF(x1, y1), QPointF(x2, y2));
    }
    void renderCircle(double cx, double cy, double radius, Rgb c) override {
        painter().setPen(pen(c));
        painter().drawEllipse(QPointF(cx, cy), radius,
                              radius * scaleHeight() / scaleWidth() * width() / height() * -1);
    }
    void renderArc(double, double, double, double, double, Rgb) override {}
    void renderPoint(double x, double y, Rgb c) override {
        QPen p = pen(c);
        p.setCapStyle(Qt::RoundCap);
        painter().setPen(p);
        painter().drawPoint(QPointF(x, y));
    }
    void renderText(double x, double y, std::string_view text, Rgb c) override {
        QPainter& p = painter();
        p.save();
        p.resetTransform();
        p.setPen(colour(c));
        const QPointF at = transform().map(QPointF(x, y));
        p.drawText(QRectF(at, QSizeF(2000, 100)), Qt::AlignLeft | Qt::AlignTop,
                   QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
        p.restore();
    }
    TextExtent measureText(std::string_view text) const override {
        const QFontMetricsF fm(font());
        return {fm.horizontalAdvance(
                    QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))) /
                    width() * std::abs(scaleWidth()),
                fm.height() / height() * std::abs(scaleHeight())};
    }
    bool layerAvailable(int) const override { return false; }
    void scaleChanged() override {
        if (painter_) painter_->setTransform(transform());
    }
    void paintEvent(QPaintEvent*) override {
        end();
        QPainter p(this);
        p.drawImage(0, 0, image_);
    }

private:
    static QColor colour(Rgb c) { return QColor(c.red, c.green, c.blue); }
    QTransform transform() const {
        const double sx = width() / scaleWidth();
        const double sy = height() / scaleHeight();
        return QTransform(sx, 0, 0, sy, -scaleLeft() * sx, -scaleTop() * sy);
    }
    QPen pen(Rgb c) const {
        QPen p(colour(c), drawWidth());
        p.setCosmetic(true);
        p.setStyle(drawStyle() == kDot ? Qt::DotLine : Qt::SolidLine);
        return p;
    }
    QPainter& painter() {
        if (!painter_) {
            painter_ = std::make_unique<QPainter>(&image_);
            painter_->setRenderHint(QPainter::Antialiasing);
            painter_->setTransform(transform());
        }
        return *painter_;
    }
    void end() { painter_.reset(); }

    QImage image_;
    std::unique_ptr<QPainter> painter_;
};

void PeerWorkChart(benchmark::State& state) {
    LargestRun r;
    PainterCanvas canvas;
    WorkChartState chart;
    drawWorkChartFirst(canvas, r.program.disk(), bothFramesTotalTime(40), chart);
    for (auto _ : state) {
        drawWorkChartToggled(canvas, r.program.disk(), bothFramesTotalTime(40), chart);
        canvas.repaint();
    }
}

}  // namespace

BENCHMARK(RotatingRepeat)->Name("Handler/Rotating/Repeat")->Unit(benchmark::kMillisecond);
BENCHMARK(WorkChartHalfRange)->Name("Handler/WorkChart/HalfRange")->Unit(benchmark::kMillisecond);
BENCHMARK(VelocityGraphDraw)->Name("Handler/VelocityGraph/Draw")->Unit(benchmark::kMillisecond);
BENCHMARK(OrbitAnimationTimeLineDrag)
    ->Name("Handler/OrbitAnimation/TimeLineDrag")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(VectorGraphTimeLineDrag)
    ->Name("Handler/VectorGraph/TimeLineDrag")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(PeerWorkChart)->Name("Peer/QPainter/WorkChart")->Unit(benchmark::kMillisecond);

}  // namespace velarium::bench
