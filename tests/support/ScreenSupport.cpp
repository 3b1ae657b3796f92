#include "support/ScreenSupport.h"

#include "shell/Fonts.h"

namespace velarium::test {

TestProgram::TestProgram() {
    previous_ = installAlerts(
        {[this] { ++beeps; }, [this](const std::string& text) { messages.push_back(text); }});
    // No file dialog opens in a test: asked for a name, the person cancels.
    program.setSaveNameChooser(answering(QString()));
}

TestProgram::~TestProgram() { installAlerts(previous_); }

Program::SaveNameChooser answering(const QString& path, int kind) {
    return [path, kind](QWidget*, const SaveQuestion&, const SaveAnswer& answer) {
        if (!path.isEmpty()) answer(path, kind);
    };
}

void prepareScreenTests() { installFontSubstitutions(); }

QPoint canvasPixel(const CanvasWidget& canvas, double x, double y) {
    const Vec2 p = canvas.view().toPixel({x, y});
    return {static_cast<int>(std::lround(p.x)), static_cast<int>(std::lround(p.y))};
}

void pressCanvas(CanvasWidget& canvas, double x, double y, Qt::KeyboardModifiers mods) {
    QTest::mousePress(&canvas, Qt::LeftButton, mods, canvasPixel(canvas, x, y));
}

void releaseCanvas(CanvasWidget& canvas, double x, double y, Qt::KeyboardModifiers mods) {
    QTest::mouseRelease(&canvas, Qt::LeftButton, mods, canvasPixel(canvas, x, y));
}

void setSlider(QScrollBar& bar, int value) { bar.setValue(value); }

}  // namespace velarium::test
