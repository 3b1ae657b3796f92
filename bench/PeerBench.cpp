#include <QPainter>
#include <QWidget>
#include <cmath>
#include <utility>
#include <vector>

#include "BenchSupport.h"
#include "draw/Arrow.h"
#include "draw/PlotCanvas.h"

namespace velarium::bench {
namespace {

// The canvas a Qt programmer would write: every primitive through QPainter, antialiased, with
// cosmetic pens, into an image at the device pixel ratio, shown by a widget that paints it.
class PainterCanvas : public QWidget, public PlotCanvas {
public:
    PainterCanvas() {
        resize(900, 900);
        show();
        const double dpr = devicePixelRatioF();
        image_ = QImage(QSize(900, 900) * dpr, QImage::Format_RGB32);
    }
    QPainter& painter() {
        if (!painter_.isActive()) {
            painter_.begin(&image_);
            painter_.setRenderHint(QPainter::Antialiasing);
        }
        return painter_;
    }
    void show_() {
        painter_.end();
        repaint();
    }
    double pixelWidth() const override { return 900; }
    double pixelHeight() const override { return 900; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.drawImage(rect(), image_);
    }
    QPointF device(double x, double y) const {
        return {(x - scaleLeft()) / scaleWidth() * image_.width(),
                (y - scaleTop()) / scaleHeight() * image_.height()};
    }
    QPen pen(Rgb c) const {
        QPen p(QColor(c.red, c.green, c.blue), drawWidth() * devicePixelRatioF());
        p.setCosmetic(true);
        p.setCapStyle(Qt::RoundCap);
        return p;
    }
    void renderClear(Rgb b) override {
        painter().fillRect(image_.rect(), QColor(b.red, b.green, b.blue));
    }
    void renderLine(double x1, double y1, double x2, double y2, Rgb c) override {
        painter().setPen(pen(c));
        painter().drawLine(device(x1, y1), device(x2, y2));
    }
    void renderCircle(double cx, double cy, double r, Rgb c) override {
        painter().setPen(pen(c));
        const double rr = r / std::abs(scaleWidth()) * image_.width();
        painter().drawEllipse(device(cx, cy), rr, rr);
    }
    void renderArc(double, double, double, double, double, Rgb) override {}
    void renderPoint(double x, double y, Rgb c) override {
        painter().setPen(pen(c));
        painter().drawPoint(device(x, y));
    }
    void renderText(double x, double y, std::string_view text, Rgb c) override {
        painter().setPen(QColor(c.red, c.green, c.blue));
        painter().drawText(device(x, y), QString::fromUtf8(text.data(), qsizetype(text.size())));
    }
    TextExtent measureText(std::string_view) const override { return {0.1, 0.1}; }
    bool layerAvailable(int) const override { return false; }

private:
    QImage image_;
    QPainter painter_;
};

// The arrow field of Handler/Canvas/ArrowField, drawn and shown the same way through QPainter.
void Peer_QPainter_ArrowField(benchmark::State& state) {
    application();
    PainterCanvas canvas;
    canvas.setScale(-3, 3, 3, -3);
    const ArrowField field = arrowField();
    for (auto _ : state) {
        canvas.clear();
        drawArrowField(canvas, field);
        canvas.show_();
    }
}
BENCHMARK(Peer_QPainter_ArrowField)->Name("Peer/QPainter/ArrowField")->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velarium::bench
