#include "app/FirstStepScreen.h"

#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "app/CurveLab.h"
#include "app/FactorRows.h"
#include "app/FirstExplanation.h"
#include "app/Navigation.h"
#include "curve/CurveStations.h"
#include "widgets/Controls.h"
#include "widgets/Fonts.h"
#include "widgets/Program.h"
#include "widgets/ProgramZoom.h"
#include "widgets/Twips.h"
#include "widgets/WrapLabel.h"

namespace velarium {

namespace {
// The least width of the text box, and the width a window widened for the zoom gives it: a
// quarter of the design, room for a few words a line.
constexpr double kLeastTextWidth = 1500;
constexpr double kWidenedTextWidth = 2250;
}  // namespace

FirstStepScreen::FirstStepScreen(Program& program) : program_(program) {
    setFont(timesGreek(8.25));
    buildMenu();
    buildControls();
    lab_ = std::make_unique<CurveLab>(*this);
    canvasActions = new CanvasActions(program_, *this, {eikona});
    canvasActions->setData([this] { return lab_->pathShown(); },
                           [this] { return curveStationsTable(curveSettings(lab_->sliders())); },
                           QStringLiteral("Choose CURVES from the menu first: the stations of the "
                                          "path are exported."));
    // Load: the lab's timer is off until START.
    Timer1->setEnabled(false);
    // Opens at its designed proportions, as large as three quarters of the display's height
    // allows, and never smaller than designed.
    designedBarHeight_ = menuBar()->sizeHint().height();
    const double grow = openingGrowth(Program::display());
    resize(static_cast<int>(twips(kDesignedWidth) * grow),
           static_cast<int>(twips(kDesignedHeight) * grow) + designedBarHeight_);
    growMenuBar();
}

FirstStepScreen::~FirstStepScreen() = default;

void FirstStepScreen::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    growMenuBar();
}

// A window of its own size, neither maximised nor full screen, widens within the display to the
// width, once the layout in hand is done.
void FirstStepScreen::widenTo(int windowWidth) {
    if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) return;
    const int to =
        std::min(windowWidth, screen() ? screen()->availableGeometry().width() : windowWidth);
    if (to <= width()) return;
    QMetaObject::invokeMethod(
        this, [this, to] { resize(std::max(width(), to), height()); }, Qt::QueuedConnection);
}

void FirstStepScreen::arrangeFactorSliders() {
    if (explainedOverDisplay) {
        placeFirstExplanationControls(*this);
        scaler->stretchToRight(*Text1);
        return;
    }
    const double zoom = zoomOf(*this);
    double textLeft = 5400;
    double optionWidth = 2655;
    // Zoomed, the menu bar's entries all stand in the window.
    if (zoom > 1) widenTo(menuBar()->sizeHint().width());
    if (zoom > 1 && !syxnotikamp->isHidden()) {
        // Zoomed, the options take the width of their captions where the window has room for
        // it beside the sliders and a text box of the least designed width, and the text box
        // gives up the width the read-outs take beyond their design.
        const double twipsPerPixel = 15.0 / scaler->factor();
        const double room = centralWidget()->width() * twipsPerPixel;
        const double readOutWidth = 1365 * zoom;
        const double captions =
            std::max(Option2->sizeHint().width(), Option3->sizeHint().width()) * twipsPerPixel;
        const double rows = 1065 + readOutWidth + 105;
        const double needed = 240 + captions + 105 + rows + kLeastTextWidth + 225;
        const bool wide = needed <= room;
        if (wide) optionWidth = std::max(optionWidth, captions);
        const double widened = needed - kLeastTextWidth + kWidenedTextWidth;
        if (widened > room)
            widenTo(static_cast<int>(std::ceil(widened / twipsPerPixel)) + width() -
                    centralWidget()->width());
        const double left = wide ? std::max(3000.0, 240 + optionWidth + 105) : 3000;
        placeFactorRows(*this, left, 4155, readOutWidth);
        textLeft = std::max(textLeft, left + rows);
    } else {
        placeTwips(*syxnotikamp, 3000, 4080, 975, 375);
        placeTwips(*epitaxyno, 3000, 4440, 975, 375);
        placeTwips(*platosvalue, 3000, 4800, 255, 735);
        placeTwips(*arxikives, 3720, 4800, 255, 735);
        // The read-outs sit a little apart from the sliders they follow and stop short of the
        // text box, so that none of them runs into another control.
        placeTwips(*Label1, 2910, 5550, 1005, 855);
        placeTwips(*Label2, 3990, 4200, 1215, 255);
        placeTwips(*Label3, 3990, 4560, 1365, 600);
        placeTwips(*Label4, 3990, 5550, 1365, 495);
    }
    placeTwips(*Option2, 240, 5160, optionWidth, 495);
    placeTwips(*Option3, 240, 5880, optionWidth, 495);
    placeTwips(*Text1, textLeft, 240, std::max(8775 - textLeft, kLeastTextWidth), 6975);
    // On a display wider than the design, maximised or full screen, the text box takes the
    // width: the canvas keeps its proportions, so that its circles stay round.
    scaler->stretchToRight(*Text1);
}

// The menu bar and its drop-down grow with the controls below them: by the factor that fits the
// designed body and the designed bar into the window, never below their designed size. The
// window's size alone fixes it, so the taller bar it makes cannot feed back into it.
void FirstStepScreen::growMenuBar() {
    const double grow = std::max(
        1.0, std::min(width() / static_cast<double>(twips(kDesignedWidth)),
                      height() / static_cast<double>(twips(kDesignedHeight) + designedBarHeight_)));
    for (QWidget* w : std::initializer_list<QWidget*>{menuBar(), CAMPYLONO->menu()}) {
        QFont f = w->font();
        f.setPointSizeF(8.25 * grow * zoomOf(*this));
        w->setFont(f);
    }
}

double FirstStepScreen::openingGrowth(QRect display) const {
    const int bar = menuBar()->sizeHint().height();
    return std::max(1.0, (0.75 * display.height() - bar) / twips(kDesignedHeight));
}

void FirstStepScreen::buildMenu() {
    QMenuBar* bar = menuBar();
    XANAPISO = menuEntry(this, "XANAPISO", "BACK");
    DYNAMEISDIAFORES = menuEntry(this, "DYNAMEISDIAFORES", "RADIUS OF CURVATURE", true);
    campyles = menuEntry(this, "campyles", "FACTORS THAT AFFECT ACCELERATION");
    GUESSFORCE = menuEntry(this, "GUESSFORCE", "MAKE AN ASSUMPTION FOR THE FORCE", true);
    SXETIKH_KINHSH = menuEntry(this, "SXETIKH_KINHSH", "RELATIVE MOTION");
    TERMATISMOS = menuEntry(this, "TERMATISMOS", "END");
    PARAKATOEVENT = menuEntry(this, "PARAKATOEVENT", "NEXT");

    bar->addAction(XANAPISO);
    QMenu* curve = bar->addMenu(QStringLiteral("CURVE - ACCELARATION"));
    curve->setObjectName(QStringLiteral("CAMPYLONO_menu"));
    CAMPYLONO = curve->menuAction();
    CAMPYLONO->setObjectName(QStringLiteral("CAMPYLONO"));
    curve->addAction(DYNAMEISDIAFORES);
    curve->addAction(campyles);
    curve->addAction(GUESSFORCE);
    bar->addAction(SXETIKH_KINHSH);
    bar->addAction(TERMATISMOS);
    bar->addAction(PARAKATOEVENT);

    connect(XANAPISO, &QAction::triggered, this, [this] { firststep_XANAPISO_Click(); });
    connect(PARAKATOEVENT, &QAction::triggered, this, [this] { firststep_PARAKATOEVENT_Click(); });
    connect(SXETIKH_KINHSH, &QAction::triggered, this,
            [this] { firststep_SXETIKH_KINHSH_Click(); });
    connect(TERMATISMOS, &QAction::triggered, this, [this] { program_.end(); });
}

void FirstStepScreen::buildControls() {
    auto* body = new QWidget(this);
    body->setObjectName(QStringLiteral("firststep_body"));
    body->setFont(timesGreek(8.25));
    setCentralWidget(body);
    scaler = new TwipScaler(*body, kDesignedWidth, kDesignedHeight);

    eikona = named(new CanvasWidget(body), "eikona", "Curve picture");
    placeTwips(*eikona, 720, 240, 4575, 3855);
    eikona->setBackColor(kWhite);
    // A little smaller than the screen's 8.25 points, so that the legends printed from the
    // middle of the canvas end inside it.
    eikona->setFont(timesGreek(7.5));
    eikona->setScale(0, 10, 20, -10);

    Text1 = named(new QPlainTextEdit(body), "Text1", "Explanation");

    Command1 = named(new QPushButton(QStringLiteral("START"), body), "Command1");
    placeTwips(*Command1, 240, 4080, 1095, 375);

    PAUSE = named(new QPushButton(QStringLiteral("PAUSE"), body), "PAUSE");
    placeTwips(*PAUSE, 1440, 4080, 1095, 375);
    timeLine = new TimeLine(body, [this](int event) { lab_->showEvent(event); });
    placeTwips(*timeLine->slider, 3000, 4080, 2295, 375);
    placeTwips(*timeLine->readOut, 3000, 4500, 2295, 495);

    Option1 = named(new QRadioButton(QStringLiteral("Explanation for friction"), body), "Option1");
    placeTwips(*Option1, 240, 4440, 1815, 495);
    Option1->setChecked(true);
    Option2 = named(new QRadioButton(QStringLiteral("Time"), body), "Option2");
    Option3 = named(new QRadioButton(QStringLiteral("Factors that affect acceleration"), body),
                    "Option3");

    platosvalue = scrollBar(body, "platosvalue", "Amplitude", Qt::Vertical, 1, 35, 5, 20);
    syxnotikamp = scrollBar(body, "syxnotikamp", "Frequency", Qt::Horizontal, 1, 60, 2, 15);
    arxikives = scrollBar(body, "arxikives", "Initial speed", Qt::Vertical, 0, 5, 2, 3);
    epitaxyno =
        scrollBar(body, "epitaxyno", "Tangential acceleration", Qt::Horizontal, 0, 35, 1, 20);
    Label1 = named(new WrapLabel(body), "Label1");
    Label2 = named(new WrapLabel(body), "Label2");
    Label3 = named(new WrapLabel(body), "Label3");
    Label4 = named(new WrapLabel(body), "Label4");
    arrangeFactorSliders();
    scaler->whenFitted([this] { arrangeFactorSliders(); });

    // At start only the canvas and the text box show.
    for (QWidget* w : std::initializer_list<QWidget*>{
             Command1, PAUSE, timeLine->slider, timeLine->readOut, Option1, Option2, Option3,
             platosvalue, syxnotikamp, arxikives, epitaxyno, Label1, Label2, Label3, Label4})
        w->hide();

    Timer1 = new ScreenTimer(this, program_, [this] { lab_->firststep_Timer1_Timer(); });
    Timer1->setObjectName(QStringLiteral("Timer1"));
}

void FirstStepScreen::firststep_XANAPISO_Click() {
    lab_->showRunControls(false);
    // Deselect both modes: an exclusive group would keep one of them checked.
    for (QRadioButton* o : {Option2, Option3}) {
        o->setAutoExclusive(false);
        o->setChecked(false);
        o->setAutoExclusive(true);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{platosvalue, syxnotikamp, arxikives,
                                                      epitaxyno, Label1, Label2, Label3, Label4})
        w->hide();
    arrangeFactorSliders();
    openIntroduction(program_);
}

void FirstStepScreen::firststep_PARAKATOEVENT_Click() { openRotatingDisk(program_); }

void FirstStepScreen::firststep_SXETIKH_KINHSH_Click() { openRelativeMotion(program_); }

}  // namespace velarium
