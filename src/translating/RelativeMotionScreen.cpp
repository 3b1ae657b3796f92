#include "translating/RelativeMotionScreen.h"

#include <QFont>
#include <algorithm>
#include <cmath>
#include <tuple>

#include "translating/RelativeRunTable.h"
#include "widgets/Controls.h"
#include "widgets/MaximumAtTop.h"
#include "widgets/Program.h"

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
        connect(b, &QScrollBar::valueChanged, this, [this, b] {
            writeCaption(b, false);
            layoutControls();  // a longer caption may need a wider column
        });
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

// The designed proportions hold wherever the captions fit them. Where the text is larger than
// they allow, on a small display or at a high zoom, each caption takes the width and height it
// needs: a row of captions is never lower than a line, the columns of the lower strip move
// right to make room, and the views start below their headings.
void RelativeMotionScreen::layoutControls() {
    const double sx = width() / 100.0;
    const double sy = height() / 100.0;
    auto X = [&](double left) { return static_cast<int>(std::lround(left * sx)); };
    auto Y = [&](double top) { return static_cast<int>(std::lround((100 - top) * sy)); };
    auto H = [&](double h) { return static_cast<int>(std::lround(h * sy)); };
    // The width a caption needs: a button's text with half a line either side, as its style's
    // least width of a button would crowd a small display.
    auto wide = [](std::initializer_list<QWidget*> ws, int least) {
        for (QWidget* w : ws) {
            const auto* b = qobject_cast<const QPushButton*>(w);
            least = std::max(
                least, b ? b->fontMetrics().horizontalAdvance(b->text()) + b->fontMetrics().height()
                         : w->sizeHint().width());
        }
        return least;
    };
    const int line = fontMetrics().height();
    const int row = std::max(H(3), line);
    const int gap = std::max(2, X(0.5));

    // The buttons' row, each one immediately to the right of the one before: CLS from the left
    // edge, then STEP, TIME EVOLUTION, REPEAT and STEP BACK.
    const int buttonHeight = std::max(H(4), line + 4);
    int left = 0;
    for (auto [b, w] : {std::pair{Command4, 7.0},
                        {Command1, 7.0},
                        {Command2, 12.0},
                        {Command3, 8.0},
                        {StepBack, 10.0}}) {
        const int bw = wide({b}, X(w));
        b->setGeometry(left, 0, bw, buttonHeight);
        left += bw;
    }
    // The body's mass and the friction, each bar with its caption, at the top right.
    const int barsLeft = std::max(X(55), left + gap);
    int top = 0;
    // The bars give up width where their captions would pass the right edge.
    const int barsWidth =
        std::max(2 * line, std::min(X(15), width() - barsLeft - wide({Label9, Label10}, 0)));
    for (auto [b, l] : {std::pair{mazatoysomatos, Label10}, {trivistoepipedo, Label9}}) {
        b->setGeometry(barsLeft, top, barsWidth, H(3));
        l->setGeometry(b->geometry().right() + 1, top, wide({l}, X(15)), row);
        top = std::max(Y(97), top + row);
    }

    // Headings with their top-left corners at (2, 93) and (52, 93), and the views below them.
    const int headingTop = std::max({Y(93), top, buttonHeight});
    for (auto [l, at] : {std::pair{labFrameHeading, 2.0}, std::pair{movingFrameHeading, 52.0}})
        l->setGeometry(X(at), headingTop, wide({l}, X(20)), row);
    const int viewTop = std::max(Y(90), headingTop + row);
    const int viewBottom = Y(20);
    for (auto [view, pan, tall, at] : {std::tuple{eikona1, xscaleeikona1, yscaleeikona1, 2.0},
                                       std::tuple{eikona2, xscaleeikona2, yscaleeikona2, 50.0}}) {
        view->setGeometry(X(at), viewTop, X(at + kViewWidth) - X(at), viewBottom - viewTop);
        pan->setGeometry(view->x(), viewTop, view->width(), H(3));
        tall->setGeometry(view->geometry().right() + 1, viewTop - H(3), X(3), viewBottom - viewTop);
    }

    // The lower strip in columns, from the left: the frame's captions, its horizontal bars, its
    // two vertical bars, the time line, the body's bars with their captions, and the scale with
    // END, BACK and NEXT. Rows from the top at 20, 15, 10 and 5.
    const int rowTop[] = {Y(20), Y(15), Y(10), Y(5)};
    const int frameCaptions = wide({Label1, Label4}, X(15));
    Label1->setGeometry(0, rowTop[0], frameCaptions, std::max(H(5), line));
    Label4->setGeometry(0, rowTop[1], frameCaptions, std::max(H(5), line));
    const int frameBars = std::max(X(15), wide({Label1, Label4}, 0) + gap);
    taxythtax->setGeometry(frameBars, rowTop[0], X(10), H(kBarThickness));
    epitaxynshx->setGeometry(frameBars, rowTop[1], X(10), H(3));
    const int frameTall = std::max(X(25), frameBars + X(10));
    taxythtay->setGeometry(frameTall, rowTop[0], X(3), H(15));
    epitaxynshy->setGeometry(frameTall + X(28) - X(25), rowTop[0], X(3), H(15));
    // The vertical bars' captions under them, in the strip's lowest row.
    Label2->setGeometry(X(13), rowTop[3], wide({Label2}, X(15)), row);
    Label3->setGeometry(std::max(X(28), Label2->x() + wide({Label2}, 0) + gap), rowTop[3],
                        wide({Label3}, X(15)), row);

    // The time line between the frame's and the body's bars, its read-out as wide as its
    // longest text.
    const int timeLeft = std::max(X(31.5), epitaxynshy->geometry().right() + 1 + gap);
    const int timeNeed =
        timeLine->readOut->fontMetrics().horizontalAdvance(TimeLine::readOutText(888, 88.88));

    QScrollBar* const initialBars[] = {arxikivx, arxikvy, arxikx, arxikiy};
    QLabel* const initialCaptions[] = {Label5, Label6, Label7, Label8};
    const int bodyBars = std::max(X(50), timeLeft + timeNeed + gap);
    const int timeWidth = std::max(timeNeed, std::min(X(18), bodyBars - timeLeft));
    timeLine->slider->setGeometry(timeLeft, rowTop[0], timeWidth, H(3));
    timeLine->readOut->setGeometry(timeLeft, Y(16), timeWidth, row);
    // With no room at the right for END, BACK and NEXT side by side, as at the highest zooms on
    // a small display, they stand one above another there, and the body's bars narrow for them.
    QPushButton* const ending[] = {TELOSPRO, Command5, Command6};
    const int bodyCaptionsNeed = wide({Label5, Label6, Label7, Label8}, 0);
    const int endRowNeed = wide({TELOSPRO}, 0) + wide({Command5}, 0) + wide({Command6}, 0);
    const int endColumnNeed = wide({TELOSPRO, Command5, Command6}, 0);
    const bool stacked = width() - (bodyBars + X(10) + bodyCaptionsNeed + gap) < endRowNeed;
    const int bodyBarWidth =
        stacked
            ? std::max(2 * line,
                       std::min(X(10), width() - gap - endColumnNeed - bodyCaptionsNeed - bodyBars))
            : X(10);
    const int bodyCaptions = stacked ? bodyCaptionsNeed : std::max(X(15), bodyCaptionsNeed);
    for (int i = 0; i < 4; ++i) {
        initialBars[i]->setGeometry(bodyBars, rowTop[i], bodyBarWidth, H(3));
        initialCaptions[i]->setGeometry(bodyBars + bodyBarWidth, rowTop[i], bodyCaptions, row);
    }

    const int scaleLeft =
        std::max(stacked ? 0 : X(75), bodyBars + bodyBarWidth + bodyCaptionsNeed + gap);
    if (stacked) {
        // The scale stands beside its caption under the time line.
        const int caption = wide({Label11}, 0);
        overallscale->setGeometry(timeLeft, rowTop[2],
                                  std::max(2 * line, timeWidth - caption - gap), H(3));
        Label11->setGeometry(overallscale->geometry().right() + 1 + gap, rowTop[2], caption, row);
        const int x = std::max(scaleLeft, width() - endColumnNeed);
        int y = rowTop[0];
        for (QPushButton* b : ending) {
            b->setGeometry(x, y, width() - x, buttonHeight);
            y += buttonHeight + 2;
        }
        return;
    }
    Label11->setGeometry(scaleLeft, Y(12), wide({Label11}, X(15)), row);
    overallscale->setGeometry(scaleLeft, Y(15), X(15), std::min(H(3), Label11->y() - Y(15)));
    // END, BACK and NEXT in a row at 8 from 76, moved left as far as the scale allows where
    // wider buttons would pass the right edge, and sharing the room left there if they still do.
    const int endTop = std::max(Y(8), Label11->geometry().bottom() + 1);
    int endWidth = 0;
    for (QPushButton* b : ending) endWidth += wide({b}, X(8));
    const int room = width() - scaleLeft;
    left = std::max(scaleLeft, std::min(X(76), width() - endWidth));
    for (QPushButton* b : ending) {
        const int bw = endWidth > room ? room / 3 : std::min(wide({b}, X(8)), width() - left);
        b->setGeometry(left, endTop, bw, std::min(buttonHeight, height() - endTop));
        left += bw;
    }
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
    layoutControls();
}

void RelativeMotionScreen::openScreen() {
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
    layoutControls();
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
