#pragma once

#include <QImage>
#include <QPainter>
#include <QStaticText>
#include <QWidget>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "draw/PlotCanvas.h"
#include "draw/RasterBatch.h"

namespace velarium {

// Mouse state handed to a screen with a press or a release, in the canvas's user units.
struct CanvasMouse {
    double x = 0;
    double y = 0;
    Qt::MouseButton button = Qt::NoButton;
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
};

// The Qt canvas: a PlotCanvas that renders into a persistent image at the device pixel ratio,
// antialiased, with cosmetic pens, and shows that image whenever the widget is exposed.
// Printed texts are kept apart from the image and composed over it when it is shown, so a
// read-out printed again and again stays as crisp as when it was first printed. Assistive
// technology reads them as the canvas's description, one line per text in print order.
class CanvasWidget : public QWidget, public PlotCanvas {
    Q_OBJECT
public:
    explicit CanvasWidget(QWidget* parent = nullptr);
    ~CanvasWidget() override;

    // The drawing as it stands, with its texts, at device resolution.
    QImage snapshot();
    // The drawing with its texts drawn again from the record at the given device pixel ratio
    // (the pixels as they stand where the ratio is the screen's, or the picture was too large
    // to keep).
    QImage picture(double ratio);
    // The font the canvas prints its texts in.
    QFont textFont(bool bold) const;
    // What a colour and a font drawn in the program's terms show as in the canvas's profile.
    Rgb shown(Rgb colour) const;
    QFont shownFont(QFont font) const;
    // Every text printed since the last clear, one per line, in print order.
    QString shownText() const;

    double pixelWidth() const override { return std::max(1, width()); }
    double pixelHeight() const override { return std::max(1, height()); }
    // Ends the batch of primitives and repaints the widget at once.
    void repaintNow();

signals:
    void pressed(const velarium::CanvasMouse& mouse);
    void released(const velarium::CanvasMouse& mouse);
    // The canvas has put its picture on the screen.
    void painted();

protected:
    void renderClear(Rgb background) override;
    void renderLine(double x1, double y1, double x2, double y2, Rgb colour) override;
    void renderCircle(double cx, double cy, double radius, Rgb colour) override;
    void renderArc(double cx, double cy, double radius, double start, double end,
                   Rgb colour) override;
    void renderPoint(double x, double y, Rgb colour) override;
    void renderText(double x, double y, std::string_view text, Rgb colour) override;
    TextExtent measureText(std::string_view text) const override;
    void keepLayer(int slot) override;
    bool layerAvailable(int slot) const override;
    void putBackLayer(int slot) override;
    void printedTextsReset() override;
    void profileChanged() override;

    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // The paint engine over the image, which it is about to draw into within reachX and reachY
    // device pixels of centre.
    QPainter& painter(QPointF centre, double reachX, double reachY);
    static PixelBuffer bufferOf(QImage& image);
    void drawBatch();
    void endFrame();
    static std::uint32_t packed(Rgb c);
    void endPainting();
    void ensureImage();
    ViewTransform device() const;
    QPointF toDevice(double x, double y) const;
    double dpr() const;
    // What a pen drawn in the program's terms shows as in the canvas's profile.
    QPen shownPen(Rgb colour) const;
    CanvasMouse mouseOf(QMouseEvent* event) const;

    void markChanged();
    void flushLines();
    void flushLinesUnder(double x, double y, double reach);
    void textsChanged();
    void drawTexts(QPainter& p) const;
    void keepText(double x, double y, std::string_view text, Rgb colour, const QFont& font);
    // Draws the record again into the image at its present size and pixel ratio.
    class Replay;
    void replayRecord();

    // A printed text ready to compose: its top-left corner in widget pixels.
    struct KeptText {
        QPointF at;
        QFont font;
        QColor colour;
        QStaticText text;
    };

    // Runs of solid segments each shorter than a device pixel, one per colour and width, waiting
    // to be drawn as one chord (see renderLine).
    struct ShortRun {
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        double width = 0;
        std::uint32_t rgb = 0;
    };
    static constexpr std::size_t kShortRuns = 4;
    std::vector<ShortRun> shortRuns_;

    QImage image_;
    RasterBatch batch_;  // raster work not yet done into the image
    double dpr_ = 1.0;
    bool changed_ = false;
    bool sizeStale_ = true;
    std::unique_ptr<QPainter> painter_;
    std::vector<KeptText> texts_;
    // The kept layers as drawn at the present size, so that putting one back costs a copy.
    struct RasterLayer {
        QImage image;
        std::vector<KeptText> texts;
    };
    std::map<int, RasterLayer> rasterLayers_;
    mutable std::unordered_map<std::string, QSizeF> measured_;  // texts' sizes in pixels
    // Texts composed with their halos, ready to blit (see drawTexts).
    mutable std::unordered_map<QString, QImage> composed_;
    mutable std::size_t composedBytes_ = 0;
    bool textEventPending_ = false;
    double fontPoints_ = 0;
};

}  // namespace velarium
