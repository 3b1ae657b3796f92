#include "output/PictureFile.h"

#include <QFontMetricsF>
#include <QSvgGenerator>
#include <algorithm>
#include <utility>
#include <vector>

#include "draw/QtDrawing.h"
#include "draw/ViewTransform.h"

namespace velarium {

namespace {
// The record drawn with a painter in the canvas's own pixels, each primitive as one shape.
class PainterReplay : public RecordReplay {
public:
    PainterReplay(QPainter& painter, const CanvasWidget& canvas)
        : p_(painter), canvas_(canvas), w_(canvas.pixelWidth()), h_(canvas.pixelHeight()) {}

    void clear(Rgb background) override {
        p_.fillRect(QRectF(0, 0, w_, h_), toQColor(canvas_.profile().background(background)));
    }
    void scale(const Scale& s) override {
        view_ = ViewTransform(s.left, s.top, s.width, s.height, w_, h_);
    }
    void pen(const Pen& pen) override { pen_ = pen; }
    void line(double x1, double y1, double x2, double y2, Rgb colour) override {
        p_.setPen(shownPen(colour));
        p_.drawLine(at(x1, y1), at(x2, y2));
    }
    void circle(double cx, double cy, double radius, Rgb colour) override {
        p_.setPen(shownPen(colour));
        p_.setBrush(QBrush(toQColor(canvas_.shown(pen_.fillColour)), brushStyleOf(pen_.fill)));
        const double r = view_.pixelsAlongX(radius);
        p_.drawEllipse(at(cx, cy), r, r);
        p_.setBrush(Qt::NoBrush);
    }
    void arc(double cx, double cy, double radius, double start, double end, Rgb colour) override {
        p_.setPen(shownPen(colour));
        drawUserArc(p_, at(cx, cy), view_.pixelsAlongX(radius), start, end, view_.yUp());
    }
    // A dot is a square of the profile's dot width about its place.
    void point(double x, double y, Rgb colour) override {
        const double s = std::max(1.0, canvas_.profile().dotWidth(pen_.width));
        p_.fillRect(QRectF(at(x, y) - QPointF(s / 2, s / 2), QSizeF(s, s)),
                    toQColor(canvas_.shown(colour)));
    }
    // Texts are composed over the whole picture, as the canvas shows them.
    void text(const PrintedText& t) override { texts_.push_back({at(t.x, t.y), &t}); }
    void drawTexts() {
        for (const auto& [corner, t] : texts_) {
            const QFont font = canvas_.shownFont(canvas_.textFont(t->bold));
            p_.setFont(font);
            p_.setPen(toQColor(canvas_.shown(t->colour)));
            // The kept place is the text's top-left corner; a painter writes on the baseline.
            p_.drawText(corner + QPointF(0, QFontMetricsF(font).ascent()),
                        QString::fromStdString(t->text));
        }
    }

private:
    QPointF at(double x, double y) const { return {view_.toPixelX(x), view_.toPixelY(y)}; }
    // The pen as the canvas shows it in its profile: its colour mapped, its width grown.
    QPen shownPen(Rgb colour) const {
        QPen p = qtPen(pen_, canvas_.shown(colour), 1);
        p.setWidthF(canvas_.profile().lineWidth(pen_.width));
        return p;
    }

    QPainter& p_;
    const CanvasWidget& canvas_;
    double w_, h_;
    ViewTransform view_;
    Pen pen_;
    std::vector<std::pair<QPointF, const PrintedText*>> texts_;
};
}  // namespace

QImage slidePicture(CanvasWidget& canvas) {
    return canvas.picture(std::max(2.0, canvas.devicePixelRatioF()));
}

bool writeSvg(const CanvasWidget& canvas, QIODevice& device) {
    if (!canvas.record().complete()) return false;
    QSvgGenerator svg;
    svg.setOutputDevice(&device);
    const QSize size(static_cast<int>(canvas.pixelWidth()), static_cast<int>(canvas.pixelHeight()));
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    // Font sizes in the canvas's pixels, as its texts are drawn.
    svg.setResolution(canvas.logicalDpiY());
    svg.setTitle(canvas.accessibleName());
    QPainter painter(&svg);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(QRect(QPoint(0, 0), size),
                     toQColor(canvas.profile().background(canvas.backColor())));
    PainterReplay replay(painter, canvas);
    canvas.record().replay(replay);
    replay.drawTexts();
    return painter.end();
}

}  // namespace velarium
