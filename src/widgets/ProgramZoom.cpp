#include "widgets/ProgramZoom.h"

#include <QApplication>
#include <QResizeEvent>
#include <algorithm>
#include <array>
#include <cmath>

#include "draw/CanvasWidget.h"
#include "widgets/ProjectorColours.h"
#include "widgets/ScreenRegistry.h"
#include "widgets/Settings.h"
#include "widgets/Twips.h"

namespace velarium {

namespace {
const QString kKey = QStringLiteral("view/zoom");
const char* const kZoom = "velariumZoom";
const char* const kUnzoomedPoints = "velariumUnzoomedPoints";

constexpr std::array<double, 8> kSteps{1.0, 1.1, 1.25, 1.5, 1.75, 2.0, 2.25, 2.5};

// Every font of a screen at the zoom. Each widget's font at the first zoom is its own; a canvas
// keeps it, as its profile grows its texts with its lines. Controls laid out in twips grow with
// their layout (see TwipScaler), and a screen that sets fonts as it lays itself out asks
// zoomOf there.
void zoomScreen(QWidget& screen, double zoom) {
    screen.setProperty(kZoom, zoom);
    QList<QWidget*> widgets = screen.findChildren<QWidget*>();
    widgets.prepend(&screen);
    widgets.removeIf([](const QWidget* w) { return insideTwips(*w); });
    // The sizes are read before any is set: a font set on a parent reaches its children.
    for (QWidget* w : widgets)
        if (!w->property(kUnzoomedPoints).isValid())
            w->setProperty(kUnzoomedPoints, w->font().pointSizeF());
    for (QWidget* w : widgets) {
        const double points = w->property(kUnzoomedPoints).toDouble();
        if (points <= 0) continue;
        QFont f = w->font();
        f.setPointSizeF(qobject_cast<CanvasWidget*>(w) ? points : points * zoom);
        w->setFont(f);
    }
    refitTwips(screen);
    // Laid out again at the same size: each screen places its controls and draws its pictures
    // for the new zoom.
    QResizeEvent again(screen.size(), screen.size());
    QCoreApplication::sendEvent(&screen, &again);
}
}  // namespace

double zoomOf(const QWidget& w) {
    const QVariant z = w.window()->property(kZoom);
    return z.isValid() ? z.toDouble() : 1.0;
}

QFont zoomedFont(const QWidget& w) {
    QFont f = QApplication::font();
    f.setPointSizeF(f.pointSizeF() * zoomOf(w));
    return f;
}

ProgramZoom::ProgramZoom(ScreenRegistry& screens, ProjectorColours& projector)
    : screens_(screens),
      projector_(projector),
      in_(new QAction(QStringLiteral("Zoom In"), this)),
      out_(new QAction(QStringLiteral("Zoom Out"), this)),
      actual_(new QAction(QStringLiteral("Actual Size"), this)) {
    in_->setObjectName(QStringLiteral("zoomIn"));
    in_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    out_->setObjectName(QStringLiteral("zoomOut"));
    out_->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Minus)});
    actual_->setObjectName(QStringLiteral("actualSize"));
    actual_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    connect(in_, &QAction::triggered, this, [this] { zoomIn(); });
    connect(out_, &QAction::triggered, this, [this] { zoomOut(); });
    connect(actual_, &QAction::triggered, this, [this] { choose(kLeast); });
    // Projector colours raise the zoom to 150%; switched off, they leave it where they found it,
    // unless the person has chosen a zoom since.
    connect(projector_.action(), &QAction::toggled, this, [this](bool on) {
        if (on && factor_ < kProjector) {
            const double before = factor_;
            setFactor(kProjector);
            raisedFrom_ = before;
        } else if (!on && raisedFrom_ > 0) {
            setFactor(raisedFrom_);
        }
    });
}

void ProgramZoom::setFactor(double factor) {
    raisedFrom_ = 0;
    factor = std::clamp(factor, kLeast, kMost);
    if (std::abs(factor - factor_) < 1e-9) return;
    factor_ = factor;
    projector_.setZoom(factor);
    for (const ScreenInfo& info : allScreens())
        if (screens_.exists(info.id)) zoomScreen(screens_.get(info.id), factor);
}

void ProgramZoom::zoomIn() {
    const auto next =
        std::find_if(kSteps.begin(), kSteps.end(), [this](double s) { return s > factor_ + 1e-9; });
    choose(next == kSteps.end() ? kMost : *next);
}

void ProgramZoom::zoomOut() {
    const auto next = std::find_if(kSteps.rbegin(), kSteps.rend(),
                                   [this](double s) { return s < factor_ - 1e-9; });
    choose(next == kSteps.rend() ? kLeast : *next);
}

void ProgramZoom::choose(double factor) {
    setFactor(factor);
    if (auto settings = openSettings()) settings->setValue(kKey, factor_);
}

void ProgramZoom::adopt(QWidget& screen) const {
    screen.addActions({in_, out_, actual_});
    if (factor_ != kLeast) zoomScreen(screen, factor_);
}

double ProgramZoom::remembered() {
    const auto settings = openSettings();
    return settings ? settings->value(kKey, 0.0).toDouble() : 0.0;
}

}  // namespace velarium
