#pragma once

#include <QObject>
#include <QRect>
#include <QWidget>
#include <cmath>
#include <functional>

namespace velarium {

// Designed positions are in twips: 1440 to the inch, 15 to a pixel at 96 dots per inch.
inline int twips(double t) { return static_cast<int>(std::lround(t / 15.0)); }
inline QRect twipsRect(double left, double top, double width, double height) {
    return {twips(left), twips(top), twips(width), twips(height)};
}

// Places a control at its designed rectangle in twips, times the layout factor of the screen it
// sits on (1 on a screen that does not scale). The control keeps its designed rectangle, so the
// screen's TwipScaler moves it again when the factor changes.
void placeTwips(QWidget& w, double left, double top, double width, double height);

// Sets a control's font to its designed size in points, times the layout factor of the screen it
// sits on; the screen's TwipScaler grows it again when the factor changes.
void setTwipFont(QWidget& w, double points);

// Whether a widget is a body laid out in twips or stands on one.
bool insideTwips(const QWidget& w);

// Fits every body of the screen laid out in twips again, for its present size and the screen's
// zoom.
void refitTwips(QWidget& screen);

// Scales a screen laid out in twips with its window. Every control placed with placeTwips on
// `body`, and every font set on the body or its controls, is multiplied by one factor: the
// largest that fits the body's designed size into its present size. Fonts grow by the screen's
// zoom as well. Canvases keep their user
// scale; their pictures grow with them.
class TwipScaler : public QObject {
public:
    TwipScaler(QWidget& body, double designedWidth, double designedHeight);

    double factor() const { return factor_; }
    // The size, in twips, that the body's controls are designed to fill.
    void setDesignedSize(double width, double height);
    double designedWidth() const { return width_; }
    double designedHeight() const { return height_; }
    // Applies the factor that fits the body's present size.
    void fit();
    // A control placed on the body that also takes the width the body has beyond the designed
    // proportions, so that a wide window is filled rather than left empty at the right. Its
    // right margin stays the designed one, grown with the factor.
    void stretchToRight(QWidget& control);
    // Called after every fit, for a screen that places some of its controls by their texts.
    void whenFitted(std::function<void()> fitted) { fitted_ = std::move(fitted); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void apply(double factor);
    void stretch();

    QWidget& body_;
    double width_;
    double height_;
    double factor_ = 1.0;
    double zoom_ = 1.0;
    QWidget* stretched_ = nullptr;
    std::function<void()> fitted_;
};

}  // namespace velarium
