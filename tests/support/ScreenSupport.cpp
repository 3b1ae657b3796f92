#include "support/ScreenSupport.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QRegularExpression>
#include <QStandardPaths>

#include "shell/Fonts.h"
#include "shell/Notice.h"

namespace velarium::test {

TestProgram::TestProgram(Dialogs dialogs) {
    previous_ = installAlerts({[this] { ++beeps; },
                               [this, dialogs](const std::string& text) {
                                   messages.push_back(text);
                                   if (dialogs == Real)
                                       showNotice(nullptr, QString::fromStdString(text));
                               }});
    if (dialogs == Cancelled) {
        program.setSaveNameChooser(answering(QString()));
        program.lessons().setOpenNameChooser([](QWidget*, const auto&) {});
    }
}

TestProgram::~TestProgram() { installAlerts(previous_); }

Program::SaveNameChooser answering(const QString& path, int kind) {
    return [path, kind](QWidget*, const SaveQuestion&, const SaveAnswer& answer) {
        if (!path.isEmpty()) answer(path, kind);
    };
}

namespace person {
QWidget* dialogInFront() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && (qobject_cast<QFileDialog*>(w) || qobject_cast<QMessageBox*>(w)) &&
            w->isModal())
            return w;
    return nullptr;
}

bool typeName(const QString& name) {
    auto* dialog = qobject_cast<QFileDialog*>(dialogInFront());
    auto* edit = dialog ? dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")) : nullptr;
    if (!edit) return false;
    // The window system gives the dialog the keyboard as it opens; offscreen, the test does.
    QApplication::setActiveWindow(dialog);
    edit->setFocus();
    edit->setText(name);
    QTest::keyClick(edit, Qt::Key_Return);
    return true;
}

bool answer(QMessageBox::StandardButton button) {
    auto* box = qobject_cast<QMessageBox*>(dialogInFront());
    QAbstractButton* b = box ? box->button(button) : nullptr;
    if (!b) return false;
    b->click();
    return true;
}

bool escape() {
    QWidget* dialog = dialogInFront();
    if (!dialog) return false;
    QTest::keyClick(dialog->focusWidget() ? dialog->focusWidget() : dialog, Qt::Key_Escape);
    return true;
}

bool settled() {
    for (int round = 0; round < 2; ++round) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return !dialogInFront();
}
}  // namespace person

namespace {
QtMessageHandler testLog = nullptr;

// The offscreen platform says, each time a window opens, what it cannot do (raise a window,
// grab the keyboard); those lines tell nothing of the program and are dropped, so that every
// other warning counts.
void withoutPlatformNotes(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtWarningMsg && text.startsWith(QLatin1String("This plugin does not support")))
        return;
    testLog(type, context, text);
}
}  // namespace

void prepareScreenTests() {
    // What the program remembers (projector colours, zoom) goes to a test settings file, never
    // the person's own.
    QStandardPaths::setTestModeEnabled(true);
    installFontSubstitutions();
    if (!testLog) testLog = qInstallMessageHandler(withoutPlatformNotes);
}

void failOnWarnings() { QTest::failOnWarning(QRegularExpression(QStringLiteral(".*"))); }

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

namespace {
class RecordLines : public RecordReplay {
public:
    QStringList lines;

    static QString numbers(std::initializer_list<double> values) {
        QStringList out;
        for (double v : values) out << QString::number(v, 'g', 17);
        return out.join(QLatin1Char(' '));
    }
    static QString colour(Rgb c) {
        return QStringLiteral("#%1,%2,%3").arg(c.red).arg(c.green).arg(c.blue);
    }
    void clear(Rgb background) override { lines << QStringLiteral("clear ") + colour(background); }
    void scale(const Scale& s) override {
        lines << QStringLiteral("scale ") + numbers({s.left, s.top, s.width, s.height});
    }
    void pen(const Pen& p) override {
        lines << QStringLiteral("pen %1 %2 %3 %4 %5")
                     .arg(p.width)
                     .arg(p.style)
                     .arg(p.fill)
                     .arg(colour(p.fillColour))
                     .arg(p.bold);
    }
    void line(double x1, double y1, double x2, double y2, Rgb c) override {
        lines << QStringLiteral("line ") + numbers({x1, y1, x2, y2}) + QLatin1Char(' ') + colour(c);
    }
    void circle(double cx, double cy, double r, Rgb c) override {
        lines << QStringLiteral("circle ") + numbers({cx, cy, r}) + QLatin1Char(' ') + colour(c);
    }
    void arc(double cx, double cy, double r, double a, double b, Rgb c) override {
        lines << QStringLiteral("arc ") + numbers({cx, cy, r, a, b}) + QLatin1Char(' ') + colour(c);
    }
    void point(double x, double y, Rgb c) override {
        lines << QStringLiteral("point ") + numbers({x, y}) + QLatin1Char(' ') + colour(c);
    }
    void text(const PrintedText& t) override {
        lines << QStringLiteral("text ") + QString::fromStdString(t.text) + QLatin1Char(' ') +
                     numbers({t.x, t.y}) + QLatin1Char(' ') + colour(t.colour);
    }
};
}  // namespace

QStringList recordLines(const PlotCanvas& canvas) {
    RecordLines to;
    canvas.record().replay(to);
    return to.lines;
}

}  // namespace velarium::test
