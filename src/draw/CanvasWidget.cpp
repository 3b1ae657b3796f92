#include "draw/CanvasWidget.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPaintEvent>
#include <algorithm>
#include <cmath>

#include "draw/CanvasAccessible.h"
#include "draw/FocusRing.h"
#include "draw/QtDrawing.h"

namespace velarium {

namespace {
// Device coordinates far outside the image are clamped, so that a huge but finite user
// coordinate cannot overflow the raster engine's fixed-point arithmetic.
double clampDevice(double v) { return std::clamp(v, -1.0e6, 1.0e6); }
// Of clamped device points: no square can overflow.
double squaredDistance(double x1, double y1, double x2, double y2) {
    return (x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1);
}
}  // namespace

// The record drawn into the image through the canvas's own rendering, under the scale and pen
// each primitive was drawn with.
class CanvasWidget::Replay : public RecordReplay {
public:
    explicit Replay(CanvasWidget& w) : w_(w) {}
    void clear(Rgb background) override {
        w_.shortRuns_.clear();
        w_.endPainting();
        w_.endFrame();
        w_.batch_.fill(packed(w_.profile().background(background)));
        w_.texts_.clear();
    }
    void scale(const Scale& s) override {
        w_.setScale(s.left, s.top, s.left + s.width, s.top + s.height);
    }
    void pen(const Pen& p) override {
        w_.setDrawWidth(p.width);
        w_.setDrawStyle(p.style);
        w_.setFillStyle(p.fill);
        w_.setFillColor(p.fillColour);
        w_.setBold(p.bold);
    }
    void line(double x1, double y1, double x2, double y2, Rgb colour) override {
        w_.renderLine(x1, y1, x2, y2, colour);
    }
    void circle(double cx, double cy, double radius, Rgb colour) override {
        w_.renderCircle(cx, cy, radius, colour);
    }
    void arc(double cx, double cy, double radius, double start, double end, Rgb colour) override {
        w_.renderArc(cx, cy, radius, start, end, colour);
    }
    void point(double x, double y, Rgb colour) override { w_.renderPoint(x, y, colour); }
    void text(const PrintedText& t) override {
        w_.keepText(t.x, t.y, t.text, t.colour, w_.textFont(t.bold));
    }

private:
    CanvasWidget& w_;
};

CanvasWidget::CanvasWidget(QWidget* parent) : QWidget(parent) {
    installCanvasAccessibility();
    setAttribute(Qt::WA_OpaquePaintEvent);
    setBackColor(kWhite);
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
    for (const ShortRun& r : shortRuns_) batch_.line(r.x1, r.y1, r.x2, r.y2, r.width, r.rgb);
    shortRuns_.clear();
}

// A dot drawn between the segments of curves, as the points of a chart are, leaves the curves'
// waiting chords to grow unless it may cover them: only then must they be drawn first.
void CanvasWidget::flushLinesUnder(double x, double y, double reach) {
    for (const ShortRun& r : shortRuns_) {
        const double margin = reach + r.width / 2 + 1;
        if (x + margin > std::min(r.x1, r.x2) && x - margin < std::max(r.x1, r.x2) &&
            y + margin > std::min(r.y1, r.y2) && y - margin < std::max(r.y1, r.y2)) {
            flushLines();
            return;
        }
    }
}

PixelBuffer CanvasWidget::bufferOf(QImage& image) {
    return {reinterpret_cast<std::uint32_t*>(image.bits()), image.width(), image.height(),
            static_cast<int>(image.bytesPerLine() / 4)};
}

// A new picture begins over the whole image. The work before it is dropped, unless a layer was
// kept in between: then it is done now, so that a canvas not painted for a while (a screen
// behind another) holds one picture's work at most.
void CanvasWidget::endFrame() {
    if (batch_.keptSinceRun()) drawBatch();
}

// The raster work of the batch done into the image, before anything else reads or paints it.
void CanvasWidget::drawBatch() {
    flushLines();
    if (batch_.empty()) return;
    endPainting();
    batch_.run(bufferOf(image_));
}

void CanvasWidget::ensureImage() {
    if (!image_.isNull() && !sizeStale_) return;
    sizeStale_ = false;
    dpr_ = devicePixelRatioF();
    const QSize want = (QSizeF(size()) * dpr()).toSize().expandedTo(QSize(1, 1));
    if (image_.size() == want) return;
    // The kept picture holds the waiting work too; a picture too large to keep has it done before
    // its pixels move over.
    const bool kept = record().complete();
    if (kept) {
        shortRuns_.clear();
        batch_.drop();
    } else {
        drawBatch();
    }
    endPainting();
    QImage fresh(want, QImage::Format_RGB32);
    fresh.fill(toQColor(profile().background(backColor())));
    if (!image_.isNull() && !kept) {
        QPainter p(&fresh);
        p.drawImage(0, 0, image_);
    }
    image_ = std::move(fresh);
    // The kept layers are drawn again at the new size when they are put back.
    rasterLayers_.clear();
    batch_.forgetLayers();
    if (kept) replayRecord();
}

// Draws the record again, then puts the drawing state back as the screen left it.
void CanvasWidget::replayRecord() {
    const double left = scaleLeft(), top = scaleTop();
    const double right = left + scaleWidth(), bottom = top + scaleHeight();
    const Rgb fill = fillColor();
    const int width = drawWidth(), style = drawStyle(), fillStyle = this->fillStyle();
    const bool heavy = bold();
    batch_.fill(packed(profile().background(backColor())));
    texts_.clear();
    Replay replay(*this);
    record().replay(replay);
    flushLines();
    endPainting();
    setScale(left, top, right, bottom);
    setFillColor(fill);
    setDrawWidth(width);
    setDrawStyle(style);
    setFillStyle(fillStyle);
    setBold(heavy);
    markChanged();
}

QPainter& CanvasWidget::painter(QPointF centre, double reachX, double reachY) {
    ensureImage();
    drawBatch();
    // The paint engine's antialiasing reaches a pixel or two past the pen.
    auto below = [](double v) { return static_cast<int>(std::floor(clampDevice(v))) - 2; };
    auto above = [](double v) { return static_cast<int>(std::ceil(clampDevice(v))) + 2; };
    batch_.beforeWriting(bufferOf(image_), below(centre.x() - reachX), below(centre.y() - reachY),
                         above(centre.x() + reachX), above(centre.y() + reachY));
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

// The user scale over the image's device pixels.
ViewTransform CanvasWidget::device() const {
    return {scaleLeft(),
            scaleTop(),
            scaleWidth(),
            scaleHeight(),
            static_cast<double>(image_.width()),
            static_cast<double>(image_.height())};
}

QPointF CanvasWidget::toDevice(double x, double y) const {
    const ViewTransform d = device();
    return {clampDevice(d.toPixelX(x)), clampDevice(d.toPixelY(y))};
}

// Canvas text is antialiased and laid out with the font's own advances, unhinted, so that its
// letters are spaced alike at every pixel ratio and its measured width is the drawn one.
QFont CanvasWidget::textFont(bool bold) const {
    QFont f = font();
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

Rgb CanvasWidget::shown(Rgb colour) const { return profile().ink(colour, backColor()); }

// A font sized in pixels keeps its unit: its point size reads -1.
QFont CanvasWidget::shownFont(QFont font) const {
    if (font.pixelSize() > 0)
        font.setPixelSize(std::max(1, static_cast<int>(std::lround(font.pixelSize() *
                                                                  profile().textScale()))));
    else
        font.setPointSizeF(font.pointSizeF() * profile().textScale());
    return font;
}

QPen CanvasWidget::shownPen(Rgb colour) const {
    QPen p = qtPen(currentPen(), shown(colour), dpr());
    p.setWidthF(profile().lineWidth(drawWidth()) * dpr());
    return p;
}

// The picture is drawn again from its record, in the new profile.
void CanvasWidget::profileChanged() {
    measured_.clear();
    if (!record().complete()) return;
    endPainting();
    image_ = QImage();
    sizeStale_ = true;
    ensureImage();
    markChanged();
}

void CanvasWidget::renderClear(Rgb background) {
    ensureImage();
    endPainting();
    endFrame();
    batch_.fill(packed(profile().background(background)));
    shortRuns_.clear();
    texts_.clear();
    markChanged();
}

std::uint32_t CanvasWidget::packed(Rgb c) {
    return static_cast<std::uint32_t>(std::clamp(c.red, 0, 255)) << 16 |
           static_cast<std::uint32_t>(std::clamp(c.green, 0, 255)) << 8 |
           static_cast<std::uint32_t>(std::clamp(c.blue, 0, 255));
}

// Lines, solid or dashed, solid circles and points go to the raster batch: the screens draw
// thousands of them per event, and the paint engine's per-segment cost is several times higher.
// A curve of thousands of points draws segments far shorter than its width, and each thick
// segment would blend its two round ends over the same few pixels again and again. Consecutive
// short segments of one colour and width are joined into one chord instead, drawn once it is as
// long as the line is wide (a pixel and a half for thin lines): the same line to within half its
// width, at a fraction of the cost.
void CanvasWidget::renderLine(double x1, double y1, double x2, double y2, Rgb colour) {
    if (drawStyle() == kSolid) {
        ensureImage();
        markChanged();
        const QPointF a = toDevice(x1, y1);
        const QPointF b = toDevice(x2, y2);
        const double width = profile().lineWidth(drawWidth()) * dpr();
        const double chord = std::max(1.5, width);
        const std::uint32_t rgb = packed(shown(colour));
        for (ShortRun& run : shortRuns_) {
            if (run.rgb != rgb || run.width != width || run.x2 != a.x() || run.y2 != a.y())
                continue;
            if (squaredDistance(b.x(), b.y(), run.x1, run.y1) < chord * chord) {
                run.x2 = b.x();
                run.y2 = b.y();
                return;
            }
            batch_.line(run.x1, run.y1, run.x2, run.y2, run.width, run.rgb);
            run = shortRuns_.back();
            shortRuns_.pop_back();
            break;
        }
        if (squaredDistance(a.x(), a.y(), b.x(), b.y()) < chord * chord) {
            if (shortRuns_.size() == kShortRuns) {
                const ShortRun& oldest = shortRuns_.front();
                batch_.line(oldest.x1, oldest.y1, oldest.x2, oldest.y2, oldest.width, oldest.rgb);
                shortRuns_.erase(shortRuns_.begin());
            }
            shortRuns_.push_back({a.x(), a.y(), b.x(), b.y(), width, rgb});
            return;
        }
        flushLines();
        batch_.line(a.x(), a.y(), b.x(), b.y(), width, rgb);
        return;
    }
    flushLines();
    ensureImage();
    const QPointF a = toDevice(x1, y1), b = toDevice(x2, y2);
    if (dashPatternOf(drawStyle()).count > 0) {
        batch_.dashedLine(a.x(), a.y(), b.x(), b.y(), profile().lineWidth(drawWidth()) * dpr(),
                          packed(shown(colour)), drawStyle());
        markChanged();
        return;
    }
    const QPen pen = shownPen(colour);
    QPainter& p = painter((a + b) / 2, std::abs(a.x() - b.x()) / 2 + pen.widthF(),
                          std::abs(a.y() - b.y()) / 2 + pen.widthF());
    p.setPen(pen);
    p.drawLine(a, b);
}

void CanvasWidget::renderCircle(double cx, double cy, double radius, Rgb colour) {
    flushLines();
    ensureImage();
    // The radius is measured along x, as on every canvas of the program.
    const double r = clampDevice(device().pixelsAlongX(radius));
    if (drawStyle() == kSolid && (fillStyle() == kFillSolid || fillStyle() == kFillTransparent)) {
        const QPointF c = toDevice(cx, cy);
        const double w = profile().lineWidth(drawWidth()) * dpr();
        const bool fill = fillStyle() == kFillSolid;
        const std::uint32_t ink = packed(shown(colour));
        const std::uint32_t inside = packed(shown(fillColor()));
        batch_.circle(c.x(), c.y(), r, w, ink, fill, inside);
        markChanged();
        return;
    }
    const QPointF c = toDevice(cx, cy);
    const QPen pen = shownPen(colour);
    QPainter& p = painter(c, r + pen.widthF(), r + pen.widthF());
    p.setPen(pen);
    QBrush brush(toQColor(shown(fillColor())), brushStyleOf(fillStyle()));
    p.setBrush(brush);
    p.drawEllipse(c, r, r);
    p.setBrush(Qt::NoBrush);
}

void CanvasWidget::renderArc(double cx, double cy, double radius, double start, double end,
                             Rgb colour) {
    flushLines();
    ensureImage();
    const ViewTransform d = device();
    const QPointF c = toDevice(cx, cy);
    const double r = clampDevice(d.pixelsAlongX(radius));
    const QPen pen = shownPen(colour);
    QPainter& p = painter(c, r + pen.widthF(), r + pen.widthF());
    p.setPen(pen);
    drawUserArc(p, c, r, start, end, d.yUp());
}

void CanvasWidget::renderPoint(double x, double y, Rgb colour) {
    ensureImage();
    const QPointF c = toDevice(x, y);
    const double size = profile().dotWidth(drawWidth()) * dpr();
    flushLinesUnder(c.x(), c.y(), size);
    batch_.dot(c.x(), c.y(), size, packed(shown(colour)));
    markChanged();
}

void CanvasWidget::renderText(double x, double y, std::string_view text, Rgb colour) {
    ensureImage();
    keepText(x, y, text, colour, textFont(bold()));
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
//
// Nine passes of the glyph blender per text cost milliseconds on a canvas of forty read-outs,
// repainted every timer event: each text is composed once, with its halo, into a small image
// at the device's pixel grid (for its place's fraction of a device pixel, to a quarter), and
// blitted from then on.
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
    static constexpr int kMargin = 3;  // device pixels around the text for the halo and overhang
    static constexpr std::size_t kCacheBytes = 8u << 20;
    const double ratio = p.device()->devicePixelRatioF();
    const QColor halo = toQColor(profile().background(backColor()));
    for (const KeptText& t : texts_) {
        const QPointF at = t.at * ratio;
        const QPointF whole(std::floor(at.x()), std::floor(at.y()));
        const QPointF quarter(std::floor((at.x() - whole.x()) * 4) / 4,
                              std::floor((at.y() - whole.y()) * 4) / 4);
        const QString key = t.text.text() + QChar(0) + t.font.key() + QChar(0) +
                            QString::number(t.colour.rgba()) + QChar(0) +
                            QString::number(halo.rgba()) + QChar(0) + QString::number(ratio) +
                            QChar(0) + QString::number(quarter.x()) + QChar(0) +
                            QString::number(quarter.y());
        auto found = composed_.find(key);
        if (found == composed_.end()) {
            const QSizeF size = QFontMetricsF(t.font).size(Qt::TextSingleLine, t.text.text());
            QImage image((size * ratio).toSize() + QSize(2 * kMargin + 2, 2 * kMargin + 2),
                         QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            image.setDevicePixelRatio(ratio);
            QPainter q(&image);
            q.setRenderHint(QPainter::TextAntialiasing);
            q.setFont(t.font);
            const QPointF origin = (QPointF(kMargin, kMargin) + quarter) / ratio;
            q.setPen(halo);
            for (const QPointF& d : kAround) q.drawStaticText(origin + d, t.text);
            q.setPen(t.colour);
            q.drawStaticText(origin, t.text);
            q.end();
            const auto bytes = static_cast<std::size_t>(image.sizeInBytes());
            if (composedBytes_ + bytes > kCacheBytes) {
                composed_.clear();
                composedBytes_ = 0;
            }
            composedBytes_ += bytes;
            found = composed_.emplace(key, std::move(image)).first;
        }
        p.drawImage((whole - QPointF(kMargin, kMargin)) / ratio, found->second);
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

// Shaping a text takes the font engine tens of microseconds, and the screens measure the same
// read-outs event after event: each text's size in pixels is kept, per weight, until the font
// or the profile's text size changes.
TextExtent CanvasWidget::measureText(std::string_view text) const {
    std::string key(text);
    key.push_back(bold() ? '\1' : '\0');
    auto found = measured_.find(key);
    if (found == measured_.end()) {
        if (measured_.size() >= 4096) measured_.clear();
        const QFontMetricsF fm(shownFont(textFont(bold())));
        const QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
        found = measured_.emplace(std::move(key), QSizeF(fm.horizontalAdvance(s), fm.height())).first;
    }
    const ViewTransform v = view();
    return {v.userAlongX(found->second.width()), v.userAlongY(found->second.height())};
}

void CanvasWidget::keepLayer(int slot) {
    flushLines();
    ensureImage();
    endPainting();
    RasterLayer& kept = rasterLayers_[slot];
    kept.texts = texts_;
    // A slot of the same size is written over in place: no fresh allocation per step.
    if (kept.image.size() != image_.size() || kept.image.format() != image_.format())
        kept.image = QImage(image_.size(), image_.format());
    batch_.keep(slot, bufferOf(kept.image));
}

bool CanvasWidget::layerAvailable(int slot) const {
    const auto it = rasterLayers_.find(slot);
    return (it != rasterLayers_.end() && it->second.image.size() == image_.size()) ||
           record().layerComplete(slot);
}

void CanvasWidget::putBackLayer(int slot) {
    shortRuns_.clear();
    ensureImage();
    endPainting();
    const auto it = rasterLayers_.find(slot);
    if (it != rasterLayers_.end() && it->second.image.size() == image_.size()) {
        endFrame();
        batch_.putBack(slot);
        texts_ = it->second.texts;
        markChanged();
        return;
    }
    replayRecord();
    keepLayer(slot);
}

QImage CanvasWidget::snapshot() {
    ensureImage();
    drawBatch();
    endPainting();
    QImage shown = image_.copy();
    shown.setDevicePixelRatio(dpr());
    QPainter p(&shown);
    drawTexts(p);
    p.end();
    shown.setDevicePixelRatio(1.0);
    return shown;
}

QImage CanvasWidget::picture(double ratio) {
    ensureImage();
    drawBatch();
    endPainting();
    if (ratio <= dpr() || !record().complete()) return snapshot();
    // Drawn again into an image of the asked ratio, then the screen's image put back.
    const QSize size = (QSizeF(this->size()) * ratio).toSize().expandedTo(QSize(1, 1));
    QImage shown = std::exchange(image_, QImage(size, QImage::Format_RGB32));
    RasterBatch shownBatch = std::exchange(batch_, RasterBatch());
    const double shownRatio = std::exchange(dpr_, ratio);
    std::vector<KeptText> shownTexts = texts_;
    replayRecord();
    QImage drawn = snapshot();
    image_ = std::move(shown);
    batch_ = std::move(shownBatch);
    dpr_ = shownRatio;
    texts_ = std::move(shownTexts);
    return drawn;
}

void CanvasWidget::repaintNow() {
    ensureImage();
    drawBatch();
    endPainting();
    repaint();
}

void CanvasWidget::paintEvent(QPaintEvent* event) {
    sizeStale_ = true;  // the screen, and with it the pixel ratio, may have changed
    ensureImage();
    drawBatch();
    endPainting();
    changed_ = false;
    // The image is kept at device resolution: the exposed rectangle maps onto its pixels 1:1.
    QPainter p(this);
    const QRectF r = event->rect();
    p.drawImage(r, image_, QRectF(r.topLeft() * dpr(), r.size() * dpr()));
    p.setClipRect(r);
    drawTexts(p);
    if (hasFocus()) drawFocusRing(p, rect(), profile().zoom);
    emit painted();
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
    measured_.clear();
    const double points = font().pointSizeF();
    if (record().complete() && fontPoints_ > 0 && points > 0 && points != fontPoints_) {
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
    const Vec2 at = view().toUser({event->position().x(), event->position().y()});
    m.x = at.x;
    m.y = at.y;
    m.button = event->button();
    m.shift = event->modifiers().testFlag(Qt::ShiftModifier);
    m.ctrl = event->modifiers().testFlag(Qt::ControlModifier);
    m.alt = event->modifiers().testFlag(Qt::AltModifier);
    return m;
}

void CanvasWidget::mousePressEvent(QMouseEvent* event) { emit pressed(mouseOf(event)); }

void CanvasWidget::mouseReleaseEvent(QMouseEvent* event) { emit released(mouseOf(event)); }

// The focus ring is drawn over the picture, never into its image.
void CanvasWidget::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void CanvasWidget::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

}  // namespace velarium
