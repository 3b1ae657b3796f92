#include "support/ScreenSupport.h"

#include "shell/Fonts.h"

namespace velarium::test {

TestProgram::TestProgram() {
    previous_ = installAlerts(
        {[this] { ++beeps; }, [this](const std::string& text) { messages.push_back(text); }});
    // No file dialog opens in a test: asked for a name, the person cancels.
    program.setSaveNameChooser(
        [](QWidget*, const QString&, const QString&, QString*) { return QString(); });
}

TestProgram::~TestProgram() { installAlerts(previous_); }

void prepareScreenTests() { installFontSubstitutions(); }

QPoint canvasPixel(const CanvasWidget& canvas, double x, double y) {
    const double px = (x - canvas.scaleLeft()) / canvas.scaleWidth() * canvas.width();
    const double py = (y - canvas.scaleTop()) / canvas.scaleHeight() * canvas.height();
    return {static_cast<int>(std::lround(px)), static_cast<int>(std::lround(py))};
}

void pressCanvas(CanvasWidget& canvas, double x, double y, Qt::KeyboardModifiers mods) {
    QTest::mousePress(&canvas, Qt::LeftButton, mods, canvasPixel(canvas, x, y));
}

void releaseCanvas(CanvasWidget& canvas, double x, double y, Qt::KeyboardModifiers mods) {
    QTest::mouseRelease(&canvas, Qt::LeftButton, mods, canvasPixel(canvas, x, y));
}

void setSlider(QScrollBar& bar, int value) { bar.setValue(value); }

}  // namespace velarium::test
