#include "draw/CanvasWidget.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMouseEvent>
#include <QPaintEvent>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <tuple>

#include "draw/Raster.h"

namespace velarium {

namespace {
QColor toQColor(Rgb c) {
    return QColor(std::clamp(c.red, 0, 255), std::clamp(c.green, 0, 255),
                  std::clamp(c.blue, 0, 255));
}

// Device coordinates far outside the image are clamped, so that a huge but finite user
// coordinate cannot overflow the raster engine's fixed-point arithmetic.
double clampDevice(double v) { return std::clamp(v, -1.0e6, 1.0e6); }

Qt::PenStyle penStyleOf(int style) {
    switch (style) {
        case kDash: return Qt::DashLine;
        case kDot: return Qt::DotLine;
        case kDashDot: return Qt::DashDotLine;
        case kDashDotDot: return Qt::DashDotDotLine;
        case 5: return Qt::NoPen;
        default: return Qt::SolidLine;
    }
}

Qt::BrushStyle brushStyleOf(int fill) {
    switch (fill) {
        case kFillSolid: return Qt::SolidPattern;
        case kFillHorizontal: return Qt::HorPattern;
        case kFillVertical: return Qt::VerPattern;
        case kFillUpwardDiagonal: return Qt::BDiagPattern;
        case kFillDownwardDiagonal: return Qt::FDiagPattern;
        case kFillCross: return Qt::CrossPattern;
        case kFillDiagonalCross: return Qt::DiagCrossPattern;
        default: return Qt::NoBrush;
    }
}
// What a screen reader sees of a canvas: a picture whose description is the text it shows.
class CanvasAccessible : public QAccessibleWidget {
public:
    explicit CanvasAccessible(CanvasWidget* canvas)
        : QAccessibleWidget(canvas, QAccessible::Canvas) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Description) {
            const QString own = widget()->accessibleDescription();
            return own.isEmpty() ? static_cast<const CanvasWidget*>(widget())->shownText() : own;
        }
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* canvasAccessibleFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("velarium::CanvasWidget"))
        return new CanvasAccessible(static_cast<CanvasWidget*>(object));
    return nullptr;
}
}  // namespace

CanvasWidget::CanvasWidget(QWidget* parent) : QWidget(parent) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(canvasAccessibleFactory);
        return true;
    }();
    (void)factoryInstalled;
    setAttribute(Qt::WA_OpaquePaintEvent);
    setBackColor(Rgb{255, 255, 255});
}

CanvasWidget::~CanvasWidget() { endPainting(); }

double CanvasWidget::dpr() const { return dpr_; }

// One repaint request per batch of primitives, not one per primitive.
void CanvasWidget::markChanged() {
    if (changed_) return;
    changed_ = true;
    update();
}

void CanvasWidget::flushLines() {
    if (shortRuns_.empty()) return;
    const std::vector<ShortRun> runs = std::move(shortRuns_);
    shortRuns_.clear();
    for (const ShortRun& r : runs) rasterLine(pixels(), r.x1, r.y1, r.x2, r.y2, r.width, r.rgb);
}

void CanvasWidget::ensureImage() {
    if (!image_.isNull() && !sizeStale_) return;
    sizeStale_ = false;
    dpr_ = devicePixelRatioF();
    const QSize want = (QSizeF(size()) * dpr()).toSize().expandedTo(QSize(1, 1));
    if (image_.size() == want) return;
    // The kept picture holds the waiting short runs too; a picture too large to keep has them
    // drawn before its pixels move over.
    if (drawnComplete_)
        shortRuns_.clear();
    else
        flushLines();
    endPainting();
    QImage fresh(want, QImage::Format_RGB32);
    fresh.fill(toQColor(profile().background(backColor())));
    if (!image_.isNull() && !drawnComplete_) {
        QPainter p(&fresh);
        p.drawImage(0, 0, image_);
    }
    image_ = std::move(fresh);
    layers_.clear();
    textLayers_.clear();
    if (!drawnComplete_) {
        drawnLayers_.clear();
        return;
    }
    // The kept layers are drawn again at the new size from what they held, so a screen that
    // composes each step over a kept picture carries on after a resize.
    for (const auto& [slot, kept] : drawnLayers_) {
        replay(kept.first, kept.second);
        layers_[slot] = image_.copy();
        textLayers_[slot] = texts_;
    }
    replay(drawn_, drawnTexts_);
}

// A picture of more primitives than this is not kept for redrawing: a resize then keeps its
// pixels as they are.
constexpr std::size_t kMostKeptPrimitives = 200000;

void CanvasWidget::record(Drawn::Kind kind, double a, double b, double c, double d, double e,
                          Rgb colour, std::string_view text) {
    if (replaying_ || !drawnComplete_) return;
    if (drawn_.size() >= kMostKeptPrimitives) {
        drawnComplete_ = false;
        std::vector<Drawn>().swap(drawn_);
        drawnTexts_.clear();
        return;
    }
    // The scale and the pen are kept only where they change.
    const Drawn scale{
        Drawn::Kind::Scale,        {}, scaleLeft(), scaleTop(), scaleLeft() + scaleWidth(),
        scaleTop() + scaleHeight()};
    if (drawn_.empty() || scale.a != recordedScale_.a || scale.b != recordedScale_.b ||
        scale.c != recordedScale_.c || scale.d != recordedScale_.d)
        drawn_.push_back(recordedScale_ = scale);
    const Drawn pen{Drawn::Kind::Pen, fillColor(), static_cast<double>(drawWidth()),
                    static_cast<double>(drawStyle()), static_cast<double>(fillStyle())};
    if (drawn_.size() == 1 || pen.colour != recordedPen_.colour || pen.a != recordedPen_.a ||
        pen.b != recordedPen_.b || pen.c != recordedPen_.c)
        drawn_.push_back(recordedPen_ = pen);
    if (kind == Drawn::Kind::Text) {
        c = static_cast<double>(drawnTexts_.size());
        drawnTexts_.push_back({std::string(text), drawingFont()});
    }
    drawn_.push_back({kind, colour, a, b, c, d, e});
}

// Draws a kept picture again into the image at its present size, then puts the drawing state
// back as the screen left it.
void CanvasWidget::replay(const std::vector<Drawn>& drawn, const std::vector<DrawnText>& texts) {
    const double left = scaleLeft(), top = scaleTop();
    const double right = left + scaleWidth(), bottom = top + scaleHeight();
    const Rgb fill = fillColor();
    const int width = drawWidth(), style = drawStyle(), fillStyle = this->fillStyle();
    replaying_ = true;
    image_.fill(toQColor(profile().background(backColor())));
    texts_.clear();
    for (const Drawn& r : drawn) {
        switch (r.kind) {
            case Drawn::Kind::Clear: image_.fill(toQColor(profile().background(r.colour))); break;
            case Drawn::Kind::Scale: setScale(r.a, r.b, r.c, r.d); break;
            case Drawn::Kind::Pen:
                setFillColor(r.colour);
                setDrawWidth(static_cast<int>(r.a));
                setDrawStyle(static_cast<int>(r.b));
                setFillStyle(static_cast<int>(r.c));
                break;
            case Drawn::Kind::Line: renderLine(r.a, r.b, r.c, r.d, r.colour); break;
            case Drawn::Kind::Circle: renderCircle(r.a, r.b, r.c, r.colour); break;
            case Drawn::Kind::Arc: renderArc(r.a, r.b, r.c, r.d, r.e, r.colour); break;
            case Drawn::Kind::Point: renderPoint(r.a, r.b, r.colour); break;
            case Drawn::Kind::Text: {
                const DrawnText& t = texts[static_cast<std::size_t>(r.c)];
                keepText(r.a, r.b, t.text, r.colour, t.font);
                break;
            }
        }
    }
    flushLines();
    endPainting();
    replaying_ = false;
    setScale(left, top, right, bottom);
    setFillColor(fill);
    setDrawWidth(width);
    setDrawStyle(style);
    setFillStyle(fillStyle);
}

QPainter& CanvasWidget::painter() {
    ensureImage();
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(&image_);
        painter_->setRenderHint(QPainter::Antialiasing);
        markChanged();
    }
    return *painter_;
}

void CanvasWidget::endPainting() {
    if (painter_) {
        painter_->end();
        painter_.reset();
    }
}

QPointF CanvasWidget::toDevice(double x, double y) const {
    const double w = image_.width();
    const double h = image_.height();
    return {clampDevice((x - scaleLeft()) / scaleWidth() * w),
            clampDevice((y - scaleTop()) / scaleHeight() * h)};
}

QPen CanvasWidget::pen(Rgb colour) const {
    QPen p(toQColor(shown(colour)));
    p.setWidthF(profile().lineWidth(drawWidth()) * dpr());
    p.setCosmetic(true);
    p.setStyle(penStyleOf(drawStyle()));
    // Round caps on every dash of a wide cosmetic pen make the raster engine a hundred times
    // slower than flat ones; a dotted grid across a graph would take a fifth of a second.
    p.setCapStyle(drawStyle() == kSolid ? Qt::RoundCap : Qt::FlatCap);
    return p;
}

// Canvas text is antialiased and laid out with the font's own advances, unhinted, so that its
// letters are spaced alike at every pixel ratio and its measured width is the drawn one.
QFont CanvasWidget::drawingFont() const {
    QFont f = font();
    f.setBold(bold());
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

Rgb CanvasWidget::shown(Rgb colour) const { return profile().ink(colour, backColor()); }

QFont CanvasWidget::shownFont(QFont font) const {
    font.setPointSizeF(font.pointSizeF() * profile().textScale());
    return font;
}

// The picture is drawn again from what was drawn since the last clear, in the new profile.
void CanvasWidget::profileChanged() {
    if (!drawnComplete_) return;
    endPainting();
    image_ = QImage();
    sizeStale_ = true;
    ensureImage();
    markChanged();
}

void CanvasWidget::renderClear(Rgb background) {
    ensureImage();
    endPainting();
    image_.fill(toQColor(profile().background(background)));
    shortRuns_.clear();
    texts_.clear();
    drawn_.clear();
    drawnTexts_.clear();
    drawnComplete_ = true;
    record(Drawn::Kind::Clear, 0, 0, 0, 0, 0, background);
    markChanged();
}

PixelBuffer CanvasWidget::pixels() {
    ensureImage();
    endPainting();
    markChanged();
    return {reinterpret_cast<std::uint32_t*>(image_.bits()), image_.width(), image_.height(),
            static_cast<int>(image_.bytesPerLine() / 4)};
}

std::uint32_t CanvasWidget::packed(Rgb c) {
    return static_cast<std::uint32_t>(std::clamp(c.red, 0, 255)) << 16 |
           static_cast<std::uint32_t>(std::clamp(c.green, 0, 255)) << 8 |
           static_cast<std::uint32_t>(std::clamp(c.blue, 0, 255));
}

// Solid lines and points are rasterised straight into the image: the screens draw thousands of
// them per event, and the paint engine's per-segment cost is several times higher.
// A curve of thousands of points draws segments far shorter than its width, and each thick
// segment would blend its two round ends over the same few pixels again and again. Consecutive
// short segments of one colour and width are joined into one chord instead, drawn once it is as
// long as the line is wide (a pixel and a half for thin lines): the same line to within half its
// width, at a fraction of the cost.
void CanvasWidget::renderLine(double x1, double y1, double x2, double y2, Rgb colour) {
    record(Drawn::Kind::Line, x1, y1, x2, y2, 0, colour);
    if (drawStyle() == kSolid) {
        const QPointF a = toDevice(x1, y1);
        const QPointF b = toDevice(x2, y2);
        const double width = profile().lineWidth(drawWidth()) * dpr();
        const double chord = std::max(1.5, width);
        const std::uint32_t rgb = packed(shown(colour));
        for (ShortRun& run : shortRuns_) {
            if (run.rgb != rgb || run.width != width || run.x2 != a.x() || run.y2 != a.y())
                continue;
            if (std::hypot(b.x() - run.x1, b.y() - run.y1) < chord) {
                run.x2 = b.x();
                run.y2 = b.y();
                return;
            }
            rasterLine(pixels(), run.x1, run.y1, run.x2, run.y2, run.width, run.rgb);
            run = shortRuns_.back();
            shortRuns_.pop_back();
            break;
        }
        if (std::hypot(b.x() - a.x(), b.y() - a.y()) < chord) {
            if (shortRuns_.size() == kShortRuns) {
                const ShortRun& oldest = shortRuns_.front();
                rasterLine(pixels(), oldest.x1, oldest.y1, oldest.x2, oldest.y2, oldest.width,
                           oldest.rgb);
                shortRuns_.erase(shortRuns_.begin());
            }
            shortRuns_.push_back({a.x(), a.y(), b.x(), b.y(), width, rgb});
            markChanged();
            return;
        }
        flushLines();
        rasterLine(pixels(), a.x(), a.y(), b.x(), b.y(), width, rgb);
        return;
    }
    flushLines();
    QPainter& p = painter();
    p.setPen(pen(colour));
    p.drawLine(toDevice(x1, y1), toDevice(x2, y2));
}

void CanvasWidget::renderCircle(double cx, double cy, double radius, Rgb colour) {
    flushLines();
    record(Drawn::Kind::Circle, cx, cy, radius, 0, 0, colour);
    ensureImage();
    // The radius is measured along x, as on every canvas of the program.
    const double r = clampDevice(radius / std::abs(scaleWidth()) * image_.width());
    if (drawStyle() == kSolid && (fillStyle() == kFillSolid || fillStyle() == kFillTransparent)) {
        const QPointF c = toDevice(cx, cy);
        const double w = profile().lineWidth(drawWidth()) * dpr();
        const bool fill = fillStyle() == kFillSolid;
        const std::uint32_t ink = packed(shown(colour));
        const std::uint32_t inside = packed(shown(fillColor()));
        if (r <= CircleStamp::kLargestRadius) {
            if (!stamp_.matches(r, w)) stamp_ = CircleStamp(r, w);
            stamp_.draw(pixels(), c.x(), c.y(), ink, fill, inside);
        } else {
            rasterCircle(pixels(), c.x(), c.y(), r, w, ink, fill, inside);
        }
        return;
    }
    QPainter& p = painter();
    p.setPen(pen(colour));
    QBrush brush(toQColor(shown(fillColor())), brushStyleOf(fillStyle()));
    p.setBrush(brush);
    p.drawEllipse(toDevice(cx, cy), r, r);
    p.setBrush(Qt::NoBrush);
}

void CanvasWidget::renderArc(double cx, double cy, double radius, double start, double end,
                             Rgb colour) {
    flushLines();
    record(Drawn::Kind::Arc, cx, cy, radius, start, end, colour);
    QPainter& p = painter();
    p.setPen(pen(colour));
    const QPointF c = toDevice(cx, cy);
    const double r = clampDevice(radius / std::abs(scaleWidth()) * image_.width());
    // Qt counts angles counter-clockwise on the screen, in sixteenths of a degree. The user
    // scale's y direction decides whether that is the user's counter-clockwise too.
    const double toDeg = 180.0 / 3.14159265358979323846;
    double a0 = start * toDeg;
    double span = (end - start) * toDeg;
    if (span < 0) span += 360.0 * std::ceil(-span / 360.0);
    if (scaleHeight() > 0) {
        a0 = -a0;
        span = -span;
    }
    p.drawArc(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), static_cast<int>(std::lround(a0 * 16)),
              static_cast<int>(std::lround(span * 16)));
}

void CanvasWidget::renderPoint(double x, double y, Rgb colour) {
    flushLines();
    record(Drawn::Kind::Point, x, y, 0, 0, 0, colour);
    const QPointF c = toDevice(x, y);
    rasterDot(pixels(), c.x(), c.y(), profile().dotWidth(drawWidth()) * dpr(),
              packed(shown(colour)));
}

void CanvasWidget::renderText(double x, double y, std::string_view text, Rgb colour) {
    ensureImage();
    record(Drawn::Kind::Text, x, y, 0, 0, 0, colour, text);
    keepText(x, y, text, colour, drawingFont());
    markChanged();
    textsChanged();
}

void CanvasWidget::keepText(double x, double y, std::string_view text, Rgb colour,
                            const QFont& font) {
    QStaticText st(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    st.setTextFormat(Qt::PlainText);
    st.setPerformanceHint(QStaticText::AggressiveCaching);
    texts_.push_back(
        {toDevice(x, y) / dpr(), shownFont(font), toQColor(shown(colour)), std::move(st)});
}

// Each text stands on a halo of the background colour, 1.5 px wide: the text drawn in that
// colour at eight offsets around its place, then in its own colour on top. A line that passes
// under a text then stops short of its letters instead of striking them through.
void CanvasWidget::drawTexts(QPainter& p) const {
    static constexpr double kHalo = 1.5;
    static constexpr double kDiagonal = kHalo * 0.70710678;
    static constexpr QPointF kAround[] = {{kHalo, 0},
                                          {-kHalo, 0},
                                          {0, kHalo},
                                          {0, -kHalo},
                                          {kDiagonal, kDiagonal},
                                          {-kDiagonal, kDiagonal},
                                          {kDiagonal, -kDiagonal},
                                          {-kDiagonal, -kDiagonal}};
    p.setRenderHint(QPainter::TextAntialiasing);
    const QColor halo = toQColor(profile().background(backColor()));
    for (const KeptText& t : texts_) {
        p.setFont(t.font);
        p.setPen(halo);
        for (const QPointF& d : kAround) p.drawStaticText(t.at + d, t.text);
    }
    for (const KeptText& t : texts_) {
        p.setFont(t.font);
        p.setPen(t.colour);
        p.drawStaticText(t.at, t.text);
    }
}

QString CanvasWidget::shownText() const {
    QStringList lines;
    lines.reserve(static_cast<qsizetype>(printedTexts().size()));
    for (const PrintedText& t : printedTexts())
        lines << QString::fromUtf8(t.text.data(), static_cast<qsizetype>(t.text.size()));
    return lines.join(QLatin1Char('\n'));
}

void CanvasWidget::printedTextsReset() { textsChanged(); }

// Tells assistive technology, once per batch of prints, that the canvas says something new.
// Nothing is built or sent while no client listens.
void CanvasWidget::textsChanged() {
    if (textEventPending_ || !QAccessible::isActive()) return;
    textEventPending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            textEventPending_ = false;
            QAccessibleEvent event(this, QAccessible::DescriptionChanged);
            QAccessible::updateAccessibility(&event);
        },
        Qt::QueuedConnection);
}

TextExtent CanvasWidget::measureText(std::string_view text) const {
    const QFontMetricsF fm(shownFont(drawingFont()));
    const QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const double w = std::max(1, width());
    const double h = std::max(1, height());
    return {fm.horizontalAdvance(s) / w * std::abs(scaleWidth()),
            fm.height() / h * std::abs(scaleHeight())};
}

void CanvasWidget::keepLayer(int slot) {
    flushLines();
    ensureImage();
    endPainting();
    textLayers_[slot] = texts_;
    if (drawnComplete_)
        drawnLayers_[slot] = {drawn_, drawnTexts_};
    else
        drawnLayers_.erase(slot);
    // A slot of the same size is written over in place: no fresh allocation per step.
    QImage& kept = layers_[slot];
    if (kept.size() == image_.size() && kept.format() == image_.format())
        std::memcpy(kept.bits(), image_.constBits(), static_cast<size_t>(image_.sizeInBytes()));
    else
        kept = image_.copy();
}

bool CanvasWidget::putBackLayer(int slot) {
    flushLines();
    auto it = layers_.find(slot);
    if (it == layers_.end() || it->second.size() != image_.size()) return false;
    endPainting();
    std::memcpy(image_.bits(), it->second.constBits(), static_cast<size_t>(image_.sizeInBytes()));
    texts_ = textLayers_[slot];
    if (auto kept = drawnLayers_.find(slot); kept != drawnLayers_.end()) {
        std::tie(drawn_, drawnTexts_) = kept->second;
        drawnComplete_ = true;
    } else {
        drawnComplete_ = false;
        drawn_.clear();
        drawnTexts_.clear();
    }
    markChanged();
    return true;
}

QImage CanvasWidget::snapshot() {
    flushLines();
    ensureImage();
    endPainting();
    QImage shown = image_.copy();
    shown.setDevicePixelRatio(dpr());
    QPainter p(&shown);
    drawTexts(p);
    p.end();
    shown.setDevicePixelRatio(1.0);
    return shown;
}

void CanvasWidget::repaintNow() {
    endPainting();
    repaint();
}

void CanvasWidget::paintEvent(QPaintEvent* event) {
    flushLines();
    sizeStale_ = true;  // the screen, and with it the pixel ratio, may have changed
    ensureImage();
    endPainting();
    changed_ = false;
    // The image is kept at device resolution: the exposed rectangle maps onto its pixels 1:1.
    QPainter p(this);
    const QRectF r = event->rect();
    p.drawImage(r, image_, QRectF(r.topLeft() * dpr(), r.size() * dpr()));
    p.setClipRect(r);
    drawTexts(p);
}

void CanvasWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    sizeStale_ = true;
    ensureImage();
}

// A canvas whose font grows with its window prints its kept texts in the grown font too.
void CanvasWidget::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::FontChange) return;
    const double points = font().pointSizeF();
    if (drawnComplete_ && fontPoints_ > 0 && points > 0 && points != fontPoints_) {
        const double ratio = points / fontPoints_;
        for (DrawnText& t : drawnTexts_) t.font.setPointSizeF(t.font.pointSizeF() * ratio);
        sizeStale_ = true;
        image_ = QImage();
        ensureImage();
        markChanged();
    }
    fontPoints_ = points;
}

void CanvasWidget::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    sizeStale_ = true;
}

CanvasMouse CanvasWidget::mouseOf(QMouseEvent* event) const {
    CanvasMouse m;
    const QPointF pos = event->position();
    const double w = std::max(1, width());
    const double h = std::max(1, height());
    m.x = scaleLeft() + pos.x() / w * scaleWidth();
    m.y = scaleTop() + pos.y() / h * scaleHeight();
    m.button = event->button();
    m.shift = event->modifiers().testFlag(Qt::ShiftModifier);
    m.ctrl = event->modifiers().testFlag(Qt::ControlModifier);
    m.alt = event->modifiers().testFlag(Qt::AltModifier);
    return m;
}

void CanvasWidget::mousePressEvent(QMouseEvent* event) { emit pressed(mouseOf(event)); }

void CanvasWidget::mouseReleaseEvent(QMouseEvent* event) { emit released(mouseOf(event)); }

}  // namespace velarium
