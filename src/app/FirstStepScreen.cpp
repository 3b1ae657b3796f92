#include "app/FirstStepScreen.h"

#include <QMenu>
#include <QMenuBar>
#include <algorithm>

#include "app/CurveLab.h"
#include "app/Navigation.h"
#include "curve/CurveStations.h"
#include "widgets/Controls.h"
#include "widgets/Fonts.h"
#include "widgets/Program.h"
#include "widgets/ProgramZoom.h"
#include "widgets/Twips.h"
#include "widgets/WrapLabel.h"

namespace velarium {

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
    placeTwips(*Text1, 5400, 240, 3375, 6975);
    // On a display wider than the design, maximised or full screen, the text box takes the
    // width: the canvas keeps its proportions, so that its circles stay round.
    scaler->stretchToRight(*Text1);

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
    placeTwips(*Option2, 240, 5160, 2655, 495);
    Option3 = named(new QRadioButton(QStringLiteral("Factors that affect acceleration"), body),
                    "Option3");
    placeTwips(*Option3, 240, 5880, 2655, 495);

    platosvalue = scrollBar(body, "platosvalue", "Amplitude", Qt::Vertical, 1, 35, 5, 20);
    placeTwips(*platosvalue, 3000, 4800, 255, 735);
    syxnotikamp = scrollBar(body, "syxnotikamp", "Frequency", Qt::Horizontal, 1, 60, 2, 15);
    placeTwips(*syxnotikamp, 3000, 4080, 975, 375);
    arxikives = scrollBar(body, "arxikives", "Initial speed", Qt::Vertical, 0, 5, 2, 3);
    placeTwips(*arxikives, 3720, 4800, 255, 735);
    epitaxyno =
        scrollBar(body, "epitaxyno", "Tangential acceleration", Qt::Horizontal, 0, 35, 1, 20);
    placeTwips(*epitaxyno, 3000, 4440, 975, 375);

    auto label = [&](const char* name, double l, double t, double w, double h) {
        auto* lb = named(new WrapLabel(body), name);
        placeTwips(*lb, l, t, w, h);
        return lb;
    };
    // The read-outs sit a little apart from the sliders they follow and stop short of the text
    // box, so that none of them runs into another control.
    Label1 = label("Label1", 2910, 5550, 1005, 855);
    Label2 = label("Label2", 3990, 4200, 1215, 255);
    Label3 = label("Label3", 3990, 4560, 1365, 600);
    Label4 = label("Label4", 3990, 5550, 1365, 495);

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
    openIntroduction(program_);
}

void FirstStepScreen::firststep_PARAKATOEVENT_Click() { openRotatingDisk(program_); }

void FirstStepScreen::firststep_SXETIKH_KINHSH_Click() { openRelativeMotion(program_); }

}  // namespace velarium
