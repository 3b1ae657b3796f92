#include "energy/BothFramesScreen.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QStyle>
#include <QVBoxLayout>
#include <cmath>

#include "energy/BothFramesTable.h"
#include "energy/EnergyGraphs.h"
#include "energy/GraphScreen.h"
#include "widgets/Controls.h"
#include "widgets/Program.h"

namespace velarium {

namespace {

// A read-out number with a fixed count of decimals, a half rounded away from zero.
QString readout(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    return QString::number(std::round(value * scale) / scale, 'f', decimals);
}

double timeStepOf(int timeinterval) { return timeinterval / kTimeIntervalUnits; }

// The run's total time in periods of the undisturbed base: T = value·π/4 and the base turns once
// in 2π/ω0 = π, so the bar counts quarter periods.
QString periodsOf(int xronosolikos) { return QString::number(xronosolikos / 4.0, 'g', 6); }

}  // namespace

BothFramesScreen::BothFramesScreen(Program& program, DiskShared& disk)
    : program_(program), disk_(disk) {
    buildControls();
    load();
    connectHandlers();
    placeInLowerHalf();
}

void BothFramesScreen::placeInLowerHalf() {
    const QRect d = Program::display();
    placeWindow(*this, d.left(), d.top() + d.height() / 2, static_cast<int>(0.85 * d.width()),
                d.height() / 2);
}

void BothFramesScreen::buildControls() {
    auto bar = [&](const char* name, const char* spoken, int lo, int hi, int large, int value) {
        return scrollBar(this, name, spoken, Qt::Horizontal, lo, hi, large, value);
    };
    xronosolikos = bar("xronosolikos", "Total time", 1, 40, 1, 4);
    timeinterval = bar("timeinterval", "Time interval", 1, 10, 1, 5);
    syntelfri = bar("syntelfri", "Friction coefficient", 0, 10, 5, 10);
    massvalue = bar("massvalue", "Mass", 1, 20, 2, 1);
    dialogi = named(new QCheckBox(this), "dialogi");

    auto button = [&](const char* name, const char* caption) {
        return named(new QPushButton(QString::fromUtf8(caption), this), name);
    };
    epanalipsi = button("epanalipsi", "REPEAT");
    base_centrafugalwork = button("base_centrafugalwork", "Work and Energy vs Time");
    goniakiarxi = button("goniakiarxi", "Angular Velocity vs time");
    Grafikhvel = button("Grafikhvel", "Veocity vs Time");
    enarxixronou = button("enarxixronou", "Vectors of Velocity and acceleration");
    xronotroxia = button("xronotroxia", "Orbit vs time");
    gonxro = button("gonxro", "Angle of Base vs time");
    Command1 = button("Command1", "BACK");
    telos = button("telos", "END");

    auto label = [&](const char* name, const char* text = "") {
        auto* l = named(new QLabel(QString::fromUtf8(text), this), name);
        l->setWordWrap(true);
        l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        return l;
    };
    Label1 = label("Label1");
    Label2 = label("Label2");
    Label3 = label("Label3");
    Label4 = label("Label4");
    Label5 = label("Label5",
                   "Observe the evolution  of the position of the body in ROTATING (blue)  andi in "
                   "INERTIAL (red) FRAMES");
    Label6 =
        label("Label6",
              "Observe the work in the rotating frame, then thw WORK OF FRICTION PLUS THE WORK "
              "OF CENTRIFUGAL  is no equal to the change in KINETIC ENERGY in case of change "
              "ANGULAR VELOCITY OF  THE BASE");
    Label7 = label("Label7",
                   "iF THE base is not rotating with a stable rate then the angular momentum is "
                   "constant");
    Label8 = label("Label8",
                   "The velocity in the INERTIAL frame : Absolute and Relative, and the speed. The "
                   "same  entities in the ROTATING frame.");
    Label9 = label("Label9",
                   "Observe the ANGLE between then vectors of velocity and acceleration. If the "
                   "movement is decelerating then the angle is >90°, otherwise it is <90° when the "
                   "speed increases");
    Label10 = label("Label10",
                    "Graphical representation of the angle of base vs time. Observe that for "
                    "constant angular velocity the graph is a line.");

    // Left: the run's settings, REPEAT, BACK and END. Right: each graph's button beside the
    // sentence that says what to look for in it.
    auto* settingsColumn = new QVBoxLayout;
    for (auto [l, b] : {std::pair{Label1, xronosolikos},
                        {Label2, timeinterval},
                        {Label3, syntelfri},
                        {Label4, massvalue}}) {
        settingsColumn->addWidget(l);
        settingsColumn->addWidget(b);
    }
    settingsColumn->addWidget(dialogi);
    settingsColumn->addWidget(epanalipsi);
    auto* leave = new QHBoxLayout;
    leave->addWidget(Command1);
    leave->addWidget(telos);
    settingsColumn->addLayout(leave);
    settingsColumn->addStretch();

    graphs_ = new QGridLayout;
    arrangeGraphs(false);
    graphs_->setColumnStretch(1, 1);

    auto* whole = new QHBoxLayout(this);
    whole->addLayout(settingsColumn, 1);
    whole->addSpacing(12);
    whole->addLayout(graphs_, 3);
}

void BothFramesScreen::arrangeGraphs(bool stacked) {
    stacked_ = stacked;
    // Stacked, the rows stand close and the window's margins narrow: it is short of height.
    graphs_->setVerticalSpacing(stacked ? 1 : -1);
    if (QLayout* whole = layout()) {
        const int margin = stacked ? 2 : style()->pixelMetric(QStyle::PM_LayoutTopMargin);
        whole->setContentsMargins(margin, margin, margin, margin);
    }
    int row = 0;
    for (auto [b, l] : graphRows()) {
        graphs_->removeWidget(b);
        graphs_->removeWidget(l);
        if (stacked) {
            graphs_->addWidget(b, row++, 0);
            graphs_->addWidget(l, row++, 0, 1, 2);
        } else {
            graphs_->addWidget(b, row, 0);
            graphs_->addWidget(l, row++, 1);
        }
    }
}

std::array<std::pair<QPushButton*, QLabel*>, 6> BothFramesScreen::graphRows() const {
    return {{{xronotroxia, Label5},
             {base_centrafugalwork, Label6},
             {goniakiarxi, Label7},
             {Grafikhvel, Label8},
             {enarxixronou, Label9},
             {gonxro, Label10}}};
}

// Each sentence stands beside its button while the window is high enough for the sentences at
// the width left to them, and under it, at the whole width, on a display too small for that.
void BothFramesScreen::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    int buttons = 0;
    for (auto [b, l] : graphRows()) buttons = std::max(buttons, b->sizeHint().width());
    const int spacing = graphs_->horizontalSpacing();
    const int beside = graphs_->geometry().width() - buttons - spacing;
    int high = 0;
    for (auto [b, l] : graphRows())
        high += std::max(b->sizeHint().height(), l->heightForWidth(beside)) +
                style()->pixelMetric(QStyle::PM_LayoutVerticalSpacing);
    const bool stack = high > graphs_->geometry().height();
    if (stack != stacked_) arrangeGraphs(stack);
}

void BothFramesScreen::connectHandlers() {
    connect(xronosolikos, &QScrollBar::valueChanged, this,
            [this] { rotating_xronosolikos_Change(); });
    connect(timeinterval, &QScrollBar::valueChanged, this,
            [this] { rotating_timeinterval_Change(); });
    connect(syntelfri, &QScrollBar::valueChanged, this, [this] { rotating_syntelfri_Change(); });
    connect(massvalue, &QScrollBar::valueChanged, this, [this] { rotating_massvalue_Change(); });
    connect(dialogi, &QCheckBox::toggled, this, [this] { rotating_dialogi_Click(); });
    connect(epanalipsi, &QPushButton::clicked, this, [this] { rotating_epanalipsi_Click(); });
    connect(base_centrafugalwork, &QPushButton::clicked, this, [this] {
        program_.screens().as<WorkChartScreen>(ScreenId::base_centrafugal).drawFirst();
    });
    connect(goniakiarxi, &QPushButton::clicked, this, [this] { rotating_goniakiarxi_Click(); });
    connect(Grafikhvel, &QPushButton::clicked, this, [this] { rotating_Grafikhvel_Click(); });
    connect(enarxixronou, &QPushButton::clicked, this, [this] { rotating_enarxixronou_Click(); });
    connect(xronotroxia, &QPushButton::clicked, this, [this] { rotating_xronotroxia_Click(); });
    connect(gonxro, &QPushButton::clicked, this, [this] { rotating_gonxro_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { rotating_Command1_Click(); });
    connect(telos, &QPushButton::clicked, this, [this] { program_.end(); });
}

// The labels as the screen loads them: the total time and the step read differently from a
// change.
void BothFramesScreen::load() {
    dialogi->setText(QStringLiteral("The base is not influenced"));
    Label1->setText(QStringLiteral("Total Time= ") + periodsOf(xronosolikos->value()) +
                    QStringLiteral("X Τ"));
    Label2->setText(QStringLiteral("Interval dt = ") +
                    readout(timeStepOf(timeinterval->value()), 5));
    rotating_syntelfri_Change();
    rotating_massvalue_Change();
}

BothFramesSettings BothFramesScreen::settings() const {
    return {xronosolikos->value(), timeinterval->value(), syntelfri->value(), massvalue->value(),
            dialogi->isChecked()};
}

GraphScreen& BothFramesScreen::graph(ScreenId id) { return program_.screens().as<GraphScreen>(id); }

void BothFramesScreen::rotating_xronosolikos_Change() {
    Label1->setText(QStringLiteral("Total time = ") + periodsOf(xronosolikos->value()) +
                    QStringLiteral("X period"));
}

void BothFramesScreen::rotating_timeinterval_Change() {
    Label2->setText(QStringLiteral("Interval dt = ") +
                    readout(timeStepOf(timeinterval->value()), 3));
}

void BothFramesScreen::rotating_syntelfri_Change() {
    Label3->setText(QStringLiteral("Friction Coefficient= ") +
                    readout(syntelfri->value() / 10.0, 2));
}

void BothFramesScreen::rotating_massvalue_Change() {
    // The mass the run uses, m = value/2, with its half.
    Label4->setText(QStringLiteral("Mass=") + readout(massvalue->value() / 2.0, 1));
}

void BothFramesScreen::rotating_dialogi_Click() {
    dialogi->setText(dialogi->isChecked() ? QStringLiteral("The base is influenced")
                                          : QStringLiteral("The base is not influenced"));
}

void BothFramesScreen::simulateBothFrames() {
    // The animations read the tables this run writes again: their moments end with the run.
    for (ScreenId id : {ScreenId::xronikh, ScreenId::xronoorbit})
        if (program_.screens().exists(id)) graph(id).endAnimation();

    placeInLowerHalf();
    bringUp(*this);

    const QRect d = Program::display();
    DiskShared& disk = disk_;
    run_ = runBothFrames(disk, settings());
    bothFramesTable(disk.tables, run_, runTable_);
    if (run_.plan.timeinterval) {
        // The limit of 5000 points enlarged the step.
        timeinterval->setValue(*run_.plan.timeinterval);
        Label2->setText(QStringLiteral("Timeinterval = ") +
                        readout(timeStepOf(timeinterval->value()), 5));
    }

    // The orbits at the top left, frame and all within a quarter of the display, so that they
    // meet neither this screen below nor the base angle graph beside them. The frame is known
    // once the window is shown; a window shown already keeps its size, and its picture with it.
    GraphScreen& orbits = graph(ScreenId::x_ygraph);
    if (!orbits.isVisible()) placeWindow(orbits, d.left(), d.top(), d.width() / 2, d.height() / 2);
    orbits.present();
    const QSize frame = orbits.frameGeometry().size() - orbits.size();
    placeWindow(orbits, d.left(), d.top(), std::max(1, d.width() / 2 - frame.width()),
                std::max(1, d.height() / 2 - frame.height()));
    drawOrbitGraph(*orbits.picture, disk);

    // The base angle graph beside the orbits, over the rest of the upper half: no window of the
    // run lies over another. The frames are known once the windows are shown.
    GraphScreen& angle = graph(ScreenId::goniaxronos);
    angle.present();
    const int left = orbits.frameGeometry().right() + 1;
    const QSize angleFrame = angle.frameGeometry().size() - angle.size();
    placeWindow(angle, left, d.top(), std::max(1, d.left() + d.width() - left - angleFrame.width()),
                std::max(1, d.height() / 2 - angleFrame.height()));
    drawBaseAngleGraph(*angle.picture, disk, run_.plan.totalTime);
}

void BothFramesScreen::rotating_epanalipsi_Click() {
    graph(ScreenId::xronoorbit).fillWith(rgb(Colour::orbitsInTimeFill));
    simulateBothFrames();
}

void BothFramesScreen::rotating_goniakiarxi_Click() {
    GraphScreen& g = graph(ScreenId::goniakigraph);
    g.present();
    drawAngularVelocityGraph(*g.picture, disk_);
}

void BothFramesScreen::rotating_Grafikhvel_Click() {
    GraphScreen& g = graph(ScreenId::velocitytimes);
    g.present();
    drawVelocityGraphs(*g.picture, disk_);
}

void BothFramesScreen::rotating_enarxixronou_Click() {
    GraphScreen& g = graph(ScreenId::xronikh);
    g.picture->setBackColor(rgb(Colour::vectorGraphBackground));
    g.present();
    // At the top right of the display, frame and all, clear of the settings at the left of this
    // screen. The frame is known once the window is shown.
    const int side = GraphScreen::vectorGraphSide();
    const QRect d = Program::display();
    const int frame = g.frameGeometry().width() - g.width();
    // The canvas stays square above the row of PAUSE and the time line.
    placeWindow(g, d.left() + d.width() - side - frame, d.top(), side, side + g.controlRowHeight());
    const DiskShared& disk = disk_;
    g.animate(startVectorGraph(*g.picture, disk), disk);
}

void BothFramesScreen::rotating_xronotroxia_Click() {
    GraphScreen& g = graph(ScreenId::xronoorbit);
    const QRect d = Program::display();
    placeWindow(g, d.left(), d.top(), d.width() / 2, d.height() / 2);
    g.present();
    g.picture->setBackColor(rgb(Colour::orbitsInTimeBackground));
    const DiskShared& disk = disk_;
    g.animate(startOrbitAnimation(*g.picture, disk), disk);
}

void BothFramesScreen::rotating_gonxro_Click() { graph(ScreenId::goniaxronos).present(); }

void BothFramesScreen::rotating_Command1_Click() {
    bringUp(program_.screens().get(ScreenId::EISAGOGIKI));
    hide();
    if (program_.screens().exists(ScreenId::xronikh)) graph(ScreenId::xronikh).hide();
}

}  // namespace velarium
