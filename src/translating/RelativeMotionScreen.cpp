#include "translating/RelativeMotionScreen.h"

#include <QFont>
#include <algorithm>
#include <cmath>
#include <tuple>

#include "shell/Controls.h"
#include "shell/MaximumAtTop.h"
#include "shell/Program.h"
#include "translating/RelativeRunTable.h"

namespace velarium {

namespace {

// The screen's own width of a view; the legend's arrows are an eighth of it, times the zoom.
constexpr double kViewWidth = 40;
constexpr double kViewHeight = 70;
constexpr double kBarThickness = 3;

}  // namespace

RelativeMotionScreen::RelativeMotionScreen(Program& program) : program_(program) {
    buildControls();
    connectHandlers();
    writeOpeningCaptions();
    setRelativeViewScales(*eikona1, *eikona2, settings());
    resize(1024, 700);
    showTimeLine();
    canvasActions = new CanvasActions(program_, *this, {eikona1, eikona2});
    canvasActions->setData(
        [this] { return run_.rowsHeld > 0; },
        [this] {
            return relativeRunTable(run_, settings(), relativeDisplayStep(Timer1->interval()));
        },
        QStringLiteral("Press STEP or TIME EVOLUTION first: there is no run yet."));
}

void RelativeMotionScreen::buildControls() {
    eikona1 = named(new CanvasWidget(this), "eikona1", "Laboratory frame view");
    eikona2 = named(new CanvasWidget(this), "eikona2", "Moving frame view");

    auto bar = [&](const char* name, const char* accessible, Qt::Orientation o, int lo, int hi,
                   int large, int value) {
        auto* s = scrollBar(this, name, accessible, o, lo, hi, large, value);
        // Only a released thumb or a stepped value counts as a change.
        s->setTracking(false);
        return s;
    };
    taxythtax = bar("taxythtax", "Frame velocity x", Qt::Horizontal, -5, 5, 1, 0);
    taxythtay = bar("taxythtay", "Frame velocity y", Qt::Vertical, -5, 5, 1, 0);
    epitaxynshx = bar("epitaxynshx", "Frame acceleration x", Qt::Horizontal, -5, 5, 1, 0);
    epitaxynshy = bar("epitaxynshy", "Frame acceleration y", Qt::Vertical, -5, 5, 1, 0);
    arxikivx = bar("arxikivx", "Initial velocity x of the body", Qt::Horizontal, -10, 10, 2, 2);
    arxikvy = bar("arxikvy", "Initial velocity y of the body", Qt::Horizontal, -10, 10, 1, 1);
    arxikx = bar("arxikx", "Initial position x of the body", Qt::Horizontal, -30, 30, 1, 5);
    arxikiy = bar("arxikiy", "Initial position y of the body", Qt::Horizontal, -30, 30, 1, -5);
    trivistoepipedo = bar("trivistoepipedo", "Friction coefficient", Qt::Horizontal, 0, 100, 10, 0);
    mazatoysomatos = bar("mazatoysomatos", "Mass of the body", Qt::Horizontal, 1, 300, 20, 1);
    overallscale = bar("overallscale", "Scale of both views", Qt::Horizontal, 1, 10, 2, 1);
    xscaleeikona1 = bar("xscaleeikona1", "Laboratory view pan x", Qt::Horizontal, -50, 50, 1, 0);
    yscaleeikona1 = bar("yscaleeikona1", "Laboratory view pan y", Qt::Vertical, -50, 50, 1, 0);
    xscaleeikona2 = bar("xscaleeikona2", "Moving frame view pan x", Qt::Horizontal, -50, 50, 1, 0);
    yscaleeikona2 = bar("yscaleeikona2", "Moving frame view pan y", Qt::Vertical, -50, 50, 1, 0);
    // The vertical pans have 50 at the top and −50 at the bottom.
    new MaximumAtTop(yscaleeikona1);
    new MaximumAtTop(yscaleeikona2);

    auto label = [&](const char* name) {
        auto* l = named(new QLabel(this), name);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return l;
    };
    Label1 = label("Label1");
    Label2 = label("Label2");
    Label3 = label("Label3");
    Label4 = label("Label4");
    Label5 = label("Label5");
    Label6 = label("Label6");
    Label7 = label("Label7");
    Label8 = label("Label8");
    Label9 = label("Label9");
    Label10 = label("Label10");
    Label11 = label("Label11");

    // The view headings, printed on the screen itself in bold.
    auto heading = [&](const char* name, const char* text) {
        auto* l = named(new QLabel(QString::fromUtf8(text), this), name);
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
        return l;
    };
    labFrameHeading = heading("labFrameHeading", "LAB FRAME");
    movingFrameHeading = heading("movingFrameHeading", "MOVING FRAME");

    auto button = [&](const char* name, const char* caption) {
        return named(new QPushButton(QString::fromUtf8(caption), this), name);
    };
    Command1 = button("Command1", "STEP");
    Command2 = button("Command2", "TIME EVOLUTION");
    Command3 = button("Command3", "REPEAT");
    Command4 = button("Command4", "CLS");
    Command5 = button("Command5", "BACK");
    Command6 = button("Command6", "NEXT");
    TELOSPRO = button("TELOSPRO", "END");
    StepBack = button("StepBack", "STEP BACK");
    timeLine = new TimeLine(this, [this](int k) { showKeptRows(k); });

    // The pan bars lie over the views' edges.
    for (QWidget* w : {xscaleeikona1, yscaleeikona1, xscaleeikona2, yscaleeikona2}) w->raise();

    Timer1 = new ScreenTimer(this, program_, [this] { exigisirelative_Timer1_Timer(); });
    Timer1->setObjectName(QStringLiteral("Timer1"));
}

void RelativeMotionScreen::connectHandlers() {
    // The run picks up a changed initial value, frame value, friction or mass at its next step.
    for (QScrollBar* b : {taxythtax, taxythtay, epitaxynshx, epitaxynshy, arxikivx, arxikvy, arxikx,
                          arxikiy, trivistoepipedo, mazatoysomatos})
        connect(b, &QScrollBar::valueChanged, this, [this, b] { writeCaption(b, false); });
    connect(overallscale, &QScrollBar::valueChanged, this,
            [this] { exigisirelative_overallscale_Change(); });
    for (QScrollBar* b : {xscaleeikona1, yscaleeikona1})
        connect(b, &QScrollBar::valueChanged, this, [this] { exigisirelative_labPan_Change(); });
    for (QScrollBar* b : {xscaleeikona2, yscaleeikona2})
        connect(b, &QScrollBar::valueChanged, this, [this] { exigisirelative_movingPan_Change(); });

    connect(Command1, &QPushButton::clicked, this, [this] { advanceRelativeStep(); });
    connect(StepBack, &QPushButton::clicked, this,
            [this] { showKeptRows(run_.relativeStepIndex - 1); });
    connect(Command2, &QPushButton::clicked, this, [this] { exigisirelative_Command2_Click(); });
    connect(Command3, &QPushButton::clicked, this, [this] { exigisirelative_Command3_Click(); });
    connect(Command4, &QPushButton::clicked, this, [this] { exigisirelative_Command4_Click(); });
    connect(Command5, &QPushButton::clicked, this, [this] { hide(); });
    connect(Command6, &QPushButton::clicked, this, [this] { exigisirelative_Command6_Click(); });
    connect(TELOSPRO, &QPushButton::clicked, this, [this] { program_.end(); });
}

// A control at (left, top) in the screen's units, top measured from the bottom edge upwards,
// extending width to the right and height downwards.
void RelativeMotionScreen::place(QWidget* w, double left, double top, double width, double height) {
    const double sx = this->width() / 100.0;
    const double sy = this->height() / 100.0;
    const int x = static_cast<int>(std::lround(left * sx));
    const int y = static_cast<int>(std::lround((100 - top) * sy));
    const int r = static_cast<int>(std::lround((left + width) * sx));
    const int b = static_cast<int>(std::lround((100 - top + height) * sy));
    w->setGeometry(x, y, std::max(1, r - x), std::max(1, b - y));
}

void RelativeMotionScreen::layoutControls() {
    place(eikona1, 2, 90, kViewWidth, kViewHeight);
    place(eikona2, 50, 90, kViewWidth, kViewHeight);
    place(Label1, 0, 20, 15, 5);
    place(taxythtax, 15, 20, 10, kBarThickness);
    place(Label4, 0, 15, 15, 5);
    place(epitaxynshx, 15, 15, 10, 3);
    place(taxythtay, 25, 20, 3, 15);
    place(Label2, 13, 5, 15, 3);
    place(Label3, 28, 5, 15, 3);
    place(epitaxynshy, 28, 20, 3, 15);
    const std::pair<QScrollBar*, QLabel*> initial[] = {
        {arxikivx, Label5}, {arxikvy, Label6}, {arxikx, Label7}, {arxikiy, Label8}};
    double top = 20;
    for (auto [b, l] : initial) {
        place(b, 50, top, 10, 3);
        place(l, 60, top, 15, 3);
        top -= 5;
    }
    place(trivistoepipedo, 55, 97, 15, 3);
    place(Label9, 70, 97, 15, 3);
    place(mazatoysomatos, 55, 100, 15, 3);
    place(Label10, 70, 100, 15, 3);
    place(xscaleeikona1, 2, 90, kViewWidth, 3);
    place(yscaleeikona1, 2 + kViewWidth, 90 + 3, 3, kViewHeight);
    place(xscaleeikona2, 50, 90, kViewWidth, 3);
    place(yscaleeikona2, 50 + kViewWidth, 90 + 3, 3, kViewHeight);
    place(overallscale, 75, 15, 15, 3);
    place(Label11, 75, 12, 15, 3);

    // Headings with their top-left corners at (2, 93) and (52, 93).
    for (auto [l, left] : {std::pair{labFrameHeading, 2.0}, std::pair{movingFrameHeading, 52.0}}) {
        place(l, left, 93, 20, 3);
        l->resize(std::max(l->width(), l->sizeHint().width()), l->height());
    }

    // Buttons in two rows, each one immediately to the right of the one before: CLS from the
    // left edge, then STEP, TIME EVOLUTION and REPEAT; END, then BACK and NEXT.
    auto row = [&](std::initializer_list<std::pair<QPushButton*, double>> buttons, double left,
                   double top) {
        for (auto [b, width] : buttons) {
            place(b, left, top, width, 4);
            left += width;
        }
    };
    row({{Command4, 7}, {Command1, 7}, {Command2, 12}, {Command3, 8}, {StepBack, 10}}, 0, 100);
    // The time line and its read-out between the frame's and the body's bars.
    place(timeLine->slider, 31.5, 20, 18, 3);
    place(timeLine->readOut, 31.5, 16, 18, 3);
    row({{TELOSPRO, 8}, {Command5, 8}, {Command6, 8}}, 76, 8);
}

void RelativeMotionScreen::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutControls();
}

void RelativeMotionScreen::writeCaption(QScrollBar* bar, bool opening) {
    struct Caption {
        QScrollBar* bar;
        QLabel* label;
        const char* openingText;
        const char* changeText;
        double divisor;  // 0: the whole value, "0"; otherwise value / divisor as "0.00"
    };
    const Caption captions[] = {
        {taxythtax, Label1, "Vx FRAME=", "Vx FRAME'S=", 0},
        {taxythtay, Label2, "Vy FRAME'S=", "Vy FRAME'S=", 0},
        {epitaxynshx, Label4, "Ax FRAME'S=", "Ax FRAME'S=", 0},
        {epitaxynshy, Label3, "Ay FRAME'S=", "Ay FRAME'S=", 0},
        {arxikivx, Label5, "Initial vx of body =", "Initial vx of body =", 0},
        {arxikvy, Label6, "Initial vy of body =", "Initial vy of body =", 0},
        {arxikx, Label7, "Initial x of body =", "Initial x of body =", 0},
        {arxikiy, Label8, "Initial ø of body =", "Initial ø of body =", 0},
        {trivistoepipedo, Label9, "friction coef. =", "friction coef. =", 100},
        {mazatoysomatos, Label10, "Mass of body =", "Mass of body =", 50},
        {overallscale, Label11, "Scale = ", "Scale = ", 0},
    };
    for (const Caption& c : captions) {
        if (c.bar != bar) continue;
        const QString value = c.divisor == 0 ? QString::number(bar->value())
                                             : QString::number(bar->value() / c.divisor, 'f', 2);
        c.label->setText(QString::fromUtf8(opening ? c.openingText : c.changeText) + value);
    }
}

void RelativeMotionScreen::writeOpeningCaptions() {
    for (QScrollBar* b : {taxythtax, taxythtay, epitaxynshx, epitaxynshy, arxikivx, arxikvy, arxikx,
                          arxikiy, trivistoepipedo, mazatoysomatos, overallscale})
        writeCaption(b, true);
}

void RelativeMotionScreen::openScreen() {
    layoutControls();
    writeOpeningCaptions();
    setRelativeViewScales(*eikona1, *eikona2, settings(), drawn_);
    run_.carriedFlag = 0;
}

RelativeSettings RelativeMotionScreen::settings() const {
    RelativeSettings s;
    s.arxikivx = arxikivx->value();
    s.arxikvy = arxikvy->value();
    s.arxikx = arxikx->value();
    s.arxikiy = arxikiy->value();
    s.taxythtax = taxythtax->value();
    s.taxythtay = taxythtay->value();
    s.epitaxynshx = epitaxynshx->value();
    s.epitaxynshy = epitaxynshy->value();
    s.trivistoepipedo = trivistoepipedo->value();
    s.mazatoysomatos = mazatoysomatos->value();
    s.overallscale = overallscale->value();
    s.xscaleeikona1 = xscaleeikona1->value();
    s.yscaleeikona1 = yscaleeikona1->value();
    s.xscaleeikona2 = xscaleeikona2->value();
    s.yscaleeikona2 = yscaleeikona2->value();
    s.movingViewWidth = kViewWidth;
    return s;
}

void RelativeMotionScreen::advanceRelativeStep() {
    if (velarium::advanceRelativeStep(*eikona1, *eikona2, run_, settings(),
                                      relativeDisplayStep(Timer1->interval()), drawn_))
        follows_[static_cast<std::size_t>(run_.relativeStepIndex - 1)] = {drawn_.labFollow,
                                                                          drawn_.movingFollow};
    showTimeLine();
}

void RelativeMotionScreen::showKeptRows(int k) {
    if (k < 0 || k > run_.rowsHeld) return;
    Timer1->setEnabled(false);
    run_.showRows(k);
    drawn_.labFollow = drawn_.movingFollow = {};
    if (k > 0) std::tie(drawn_.labFollow, drawn_.movingFollow) = follows_[std::size_t(k - 1)];
    drawRelativeRows(*eikona1, *eikona2, run_, k, settings(), drawn_);
    showTimeLine();
}

void RelativeMotionScreen::showTimeLine() {
    const int k = run_.relativeStepIndex;
    timeLine->show(k, run_.rowsHeld, k * relativeDisplayStep(Timer1->interval()));
}

// A run with no row left refuses pan and zoom as a whole: the views stay as they are.
void RelativeMotionScreen::exigisirelative_overallscale_Change() {
    writeCaption(overallscale, false);
    if (!run_.hasRoom()) return;
    eikona1->clear();
    eikona2->clear();
    drawn_ = {};
    if (run_.relativeStepIndex > 0) advanceRelativeStep();
}

void RelativeMotionScreen::exigisirelative_labPan_Change() {
    if (!run_.hasRoom()) return;
    eikona1->clear();
    drawn_.lab.forget();
    advanceRelativeStep();
}

void RelativeMotionScreen::exigisirelative_movingPan_Change() {
    if (!run_.hasRoom()) return;
    eikona2->clear();
    drawn_.moving.forget();
    advanceRelativeStep();
}

void RelativeMotionScreen::exigisirelative_Command2_Click() {
    Timer1->setInterval(kTimeEvolutionInterval);
    Timer1->setEnabled(true);
}

void RelativeMotionScreen::exigisirelative_Timer1_Timer() {
    if (run_.relativeStepIndex > kTimerLastRow - 1) Timer1->setEnabled(false);
    advanceRelativeStep();
}

void RelativeMotionScreen::exigisirelative_Command3_Click() {
    replayRelativeRun(*eikona1, *eikona2, run_);
    // The replay's dots may lie over the legend: the next step draws it again.
    drawn_.moving.legend = -1;
    Timer1->setEnabled(false);
    // The time line stands at the start of the run it replayed, and goes along it from there.
    showTimeLine();
}

void RelativeMotionScreen::exigisirelative_Command4_Click() {
    run_.carriedFlag = 0;
    eikona1->clear();
    eikona2->clear();
    drawn_ = {};
}

void RelativeMotionScreen::exigisirelative_Command6_Click() {
    hide();
    QWidget& disk = program_.screens().get(ScreenId::exigisi2);
    disk.show();
    disk.raise();
}

}  // namespace velarium
