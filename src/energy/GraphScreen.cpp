#include "energy/GraphScreen.h"

#include <QResizeEvent>

#include "energy/BothFramesScreen.h"
#include "widgets/Controls.h"
#include "widgets/Program.h"

namespace velarium {

namespace {

// How a graph screen is spoken of, and where it stands when it is loaded: at the top left of
// the display, as wide as the given share of its width and half as high.
struct GraphLook {
    const char* spoken;
    double widthShare;
    double heightShare;
};

GraphLook lookOf(ScreenId id) {
    switch (id) {
        case ScreenId::base_centrafugal: return {"Work and energy chart", 0.9, 0.5};
        case ScreenId::goniakigraph: return {"Angular velocity graph", 0.85, 0.5};
        case ScreenId::velocitytimes: return {"Velocity graphs", 0.85, 0.5};
        case ScreenId::goniaxronos: return {"Base angle graph", 0.85, 0.5};
        case ScreenId::x_ygraph: return {"Orbits in both frames", 0.5, 0.5};
        case ScreenId::xronoorbit: return {"Orbits against time", 0.5, 0.5};
        case ScreenId::xronikh: return {"Velocity and friction vectors", 0, 0.6};
        default: return {"Graph", 0.5, 0.5};
    }
}

}  // namespace

void placeWindow(QWidget& window, int left, int top, int width, int height) {
    window.resize(width, height);
    window.move(left, top);
}

GraphScreen::GraphScreen(Program& program, ScreenId id) {
    const GraphLook look = lookOf(id);
    picture = named(new CanvasWidget(this), "picture", look.spoken);
    const QRect d = Program::display();
    const int height = static_cast<int>(look.heightShare * d.height());
    // A width share of 0 makes the screen square.
    const int width = look.widthShare > 0 ? static_cast<int>(look.widthShare * d.width()) : height;
    placeWindow(*this, d.left(), d.top(), width, height);
    Timer1 = new ScreenTimer(this, program, [this] { animationTick(); });
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kAnimationIntervalMs);
    if (id == ScreenId::xronikh || id == ScreenId::xronoorbit) {
        PAUSE = named(new QPushButton(QStringLiteral("PAUSE"), this), "PAUSE");
        connect(PAUSE, &QPushButton::clicked, this, [this] { PAUSE_Click(); });
        timeLine = new TimeLine(this, [this](int k) { showMoment(k); });
        showProgress();
    }
    layoutControls();
    if (id == ScreenId::xronoorbit) picture->clear();
    canvasActions = new CanvasActions(program, *this, {picture});
    const auto rotating = [&program]() -> const BothFramesScreen* {
        return program.screens().exists(ScreenId::rotating)
                   ? &program.screens().as<BothFramesScreen>(ScreenId::rotating)
                   : nullptr;
    };
    canvasActions->setData(
        [rotating] { return rotating() && !rotating()->runTable().rows.empty(); },
        [rotating] { return rotating()->runTable(); },
        QStringLiteral("Run the simulation of both frames first: there is no run yet."));
}

int GraphScreen::vectorGraphSide() { return static_cast<int>(0.6 * Program::display().height()); }

int GraphScreen::controlRowHeight() const {
    return PAUSE ? std::max(PAUSE->sizeHint().height(), QFontMetrics(font()).height() + 6) : 0;
}

// An animated graph keeps a row at its foot for PAUSE, the time line and its read-out.
void GraphScreen::layoutControls() {
    if (!PAUSE) {
        picture->setGeometry(rect());
        return;
    }
    const QFontMetrics fm(font());
    const int pause =
        std::max(PAUSE->sizeHint().width(), fm.horizontalAdvance(QStringLiteral("RESUME")) + 24);
    const int readOut = fm.horizontalAdvance(TimeLine::readOutText(99999, 9999.99)) + 8;
    const int row = controlRowHeight();
    const int top = std::max(0, height() - row);
    picture->setGeometry(0, 0, width(), top);
    PAUSE->setGeometry(0, top, pause, row);
    const int slider = std::max(0, width() - pause - readOut - 8);
    timeLine->slider->setGeometry(pause + 4, top, slider, row);
    timeLine->readOut->setGeometry(pause + slider + 8, top, readOut, row);
}

void GraphScreen::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutControls();
}

void GraphScreen::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    stopAnimation();
}

void GraphScreen::present() {
    bringUp(*this);
    layoutControls();
}

void GraphScreen::fillWith(Rgb colour) {
    const Rgb keep = picture->backColor();
    picture->setBackColor(colour);
    picture->clear();
    picture->setBackColor(keep);
}

void GraphScreen::animate(PointAnimation animation, const DiskShared& disk) {
    animation_ = animation;
    disk_ = &disk;
    Timer1->setEnabled(animation_.running());
    showProgress();
}

void GraphScreen::stopAnimation() {
    Timer1->setEnabled(false);
    showProgress();
}

void GraphScreen::endAnimation() {
    animation_ = {};
    stopAnimation();
}

void GraphScreen::animationTick() {
    if (animation_.running() && disk_)
        drawAnimationPoint(*picture, *disk_, animation_, animation_.next++);
    if (!animation_.running()) Timer1->setEnabled(false);
    showProgress();
}

void GraphScreen::showMoment(int k) {
    if (!disk_) return;
    Timer1->setEnabled(false);
    animation_.next = std::clamp(k, 0, std::max(animation_.last, 0)) + 1;
    drawAnimationMoment(*picture, *disk_, animation_, animation_.shown());
    showProgress();
}

void GraphScreen::PAUSE_Click() {
    Timer1->setEnabled(!Timer1->isEnabled() && animation_.running());
    showProgress();
}

void GraphScreen::showProgress() {
    if (!PAUSE) return;
    PAUSE->setText(Timer1->isEnabled() ? QStringLiteral("PAUSE") : QStringLiteral("RESUME"));
    // PAUSE stands while there is an animation to pause or to go on with.
    PAUSE->setVisible(Timer1->isEnabled() || animation_.running());
    // The shown point's own time, as the pictures print it.
    const int shown = animation_.shown();
    const std::vector<double>* times = disk_ ? &disk_->tables.tabTime : nullptr;
    const double t = times && shown > 0 && static_cast<std::size_t>(shown) < times->size()
                         ? (*times)[static_cast<std::size_t>(shown)]
                         : 0.0;
    timeLine->show(shown, std::max(animation_.last, 0), t);
}

WorkChartScreen::WorkChartScreen(Program& program, const DiskShared& disk)
    : GraphScreen(program, ScreenId::base_centrafugal), program_(program), disk_(disk) {
    Command1 = named(new QPushButton(QString::fromUtf8(kHalfMaximumCaption), this), "Command1");
    showCaption(kHalfMaximumCaption);
    connect(Command1, &QPushButton::clicked, this, [this] { base_centrafugal_Command1_Click(); });
}

// The button stands at the top right corner, over the chart.
void WorkChartScreen::layoutControls() {
    GraphScreen::layoutControls();
    if (!Command1) return;
    const QSize size = Command1->sizeHint().expandedTo(QSize(140, 0));
    Command1->setGeometry(width() - size.width(), 0, size.width(), size.height());
    Command1->raise();
}

double WorkChartScreen::runTotalTime() const {
    return program_.screens().as<BothFramesScreen>(ScreenId::rotating).lastRun().plan.totalTime;
}

void WorkChartScreen::drawFirst() {
    present();
    const std::string caption = drawWorkChartFirst(*picture, disk_, runTotalTime(), state_);
    showCaption(caption);
}

void WorkChartScreen::base_centrafugal_Command1_Click() {
    showCaption(drawWorkChartToggled(*picture, disk_, runTotalTime(), state_));
}

// The caption, Greek after the first press, and a tooltip that says in English what the next
// press does.
void WorkChartScreen::showCaption(const std::string& caption) {
    Command1->setText(QString::fromStdString(caption));
    Command1->setToolTip(caption != kInitialRangeCaption
                             ? QStringLiteral("Show half of the vertical range, to see the "
                                              "smaller works and energies more closely")
                             : QStringLiteral("Show the full vertical range again"));
    layoutControls();
}

}  // namespace velarium
