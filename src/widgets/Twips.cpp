#include "widgets/Twips.h"

#include <QEvent>
#include <QVariant>
#include <algorithm>

#include "draw/CanvasWidget.h"
#include "widgets/ProgramZoom.h"

namespace velarium {

namespace {
const char* const kDesigned = "velariumTwips";
const char* const kFactor = "velariumTwipFactor";
const char* const kFontPoints = "velariumDesignedPoints";

double factorOf(const QWidget& w) {
    const QWidget* parent = w.parentWidget();
    const QVariant f = parent ? parent->property(kFactor) : QVariant();
    return f.isValid() ? f.toDouble() : 1.0;
}

QRect scaled(const QRectF& designed, double factor) {
    return {static_cast<int>(std::lround(designed.left() / 15.0 * factor)),
            static_cast<int>(std::lround(designed.top() / 15.0 * factor)),
            static_cast<int>(std::lround(designed.width() / 15.0 * factor)),
            static_cast<int>(std::lround(designed.height() / 15.0 * factor))};
}

// The zoom a control's font takes: a canvas's texts grow with its lines through its profile.
double zoomFor(const QWidget& w) { return qobject_cast<const CanvasWidget*>(&w) ? 1.0 : zoomOf(w); }

// A font set on the widget itself, not inherited, grows from its designed size, by the layout's
// factor and the screen's zoom.
void scaleFont(QWidget& w, double factor) {
    if (!w.testAttribute(Qt::WA_SetFont)) return;
    QVariant designed = w.property(kFontPoints);
    if (!designed.isValid()) {
        if (w.font().pointSizeF() <= 0) return;
        designed = w.font().pointSizeF();
        w.setProperty(kFontPoints, designed);
    }
    QFont f = w.font();
    f.setPointSizeF(designed.toDouble() * factor * zoomFor(w));
    w.setFont(f);
}
}  // namespace

bool insideTwips(const QWidget& w) {
    for (const QWidget* p = &w; p; p = p->parentWidget())
        if (p->property(kFactor).isValid()) return true;
    return false;
}

void refitTwips(QWidget& screen) {
    for (QObject* o : screen.findChildren<QObject*>())
        if (auto* scaler = dynamic_cast<TwipScaler*>(o)) scaler->fit();
}

void placeTwips(QWidget& w, double left, double top, double width, double height) {
    const QRectF designed(left, top, width, height);
    w.setProperty(kDesigned, designed);
    w.setGeometry(scaled(designed, factorOf(w)));
}

void setTwipFont(QWidget& w, double points) {
    w.setProperty(kFontPoints, points);
    QFont f = w.font();
    f.setPointSizeF(points * factorOf(w) * zoomFor(w));
    w.setFont(f);
}

TwipScaler::TwipScaler(QWidget& body, double designedWidth, double designedHeight)
    : QObject(&body), body_(body), width_(designedWidth), height_(designedHeight) {
    body_.setProperty(kFactor, 1.0);
    body_.installEventFilter(this);
}

void TwipScaler::setDesignedSize(double width, double height) {
    width_ = width;
    height_ = height;
    fit();
}

void TwipScaler::fit() {
    const double f = std::min(body_.width() / (width_ / 15.0), body_.height() / (height_ / 15.0));
    apply(std::max(f, 0.25));
    stretch();
    if (fitted_) fitted_();
}

void TwipScaler::stretchToRight(QWidget& control) {
    stretched_ = &control;
    stretch();
}

void TwipScaler::stretch() {
    if (!stretched_) return;
    const QRectF designed = stretched_->property(kDesigned).toRectF();
    const QRect at = scaled(designed, factor_);
    // A control placed past the designed width keeps to the body's edge.
    const int margin =
        static_cast<int>(std::lround(std::max(width_ - designed.right(), 0.0) / 15.0 * factor_));
    const int right = body_.width() - margin;
    stretched_->setGeometry(at.left(), at.top(), std::max(at.width(), right - at.left()),
                            at.height());
}

bool TwipScaler::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &body_ && event->type() == QEvent::Resize) fit();
    return QObject::eventFilter(watched, event);
}

void TwipScaler::apply(double factor) {
    const double zoom = zoomOf(body_);
    if (std::abs(factor - factor_) < 1e-6 && std::abs(zoom - zoom_) < 1e-6) return;
    factor_ = factor;
    zoom_ = zoom;
    body_.setProperty(kFactor, factor);
    scaleFont(body_, factor);
    for (QWidget* w : body_.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        scaleFont(*w, factor);
        const QVariant designed = w->property(kDesigned);
        if (designed.isValid()) w->setGeometry(scaled(designed.toRectF(), factor));
    }
}

}  // namespace velarium
