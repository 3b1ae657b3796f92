#include "disk/RotatingDiskScreen.h"

#include <QActionGroup>
#include <QMenuBar>
#include <QResizeEvent>
#include <QShowEvent>
#include <algorithm>
#include <array>
#include <type_traits>

#include "disk/DiskRunTable.h"
#include "disk/ModelChoicePanel.h"
#include "widgets/Controls.h"
#include "widgets/MaximumAtTop.h"
#include "widgets/Program.h"
#include "widgets/ProgramZoom.h"

namespace velarium {

RotatingDiskScreen::RotatingDiskScreen(Program& program, DiskShared& disk,
                                       const DiskExplanationFactory& makeExplanation)
    : program_(program), disk_(disk) {
    buildMenu();
    buildControls();
    const QRect d = Program::display();
    resize(static_cast<int>(0.8 * d.width()), d.height());
    layoutControls();
    load();
    connectHandlers();
    canvasActions = new CanvasActions(program_, *this, {Picture1, Picture2});
    canvasActions->setData([this] { return run_.stepIndex > 0; },
                           [this] { return diskRunTable(run_, constants()); },
                           QStringLiteral("Press STEP first: there is no run yet."));
    explanation_ = makeExplanation(*this);
    updateDiskMessage();
}

RotatingDiskScreen::~RotatingDiskScreen() = default;

void RotatingDiskScreen::buildMenu() {
    QMenuBar* bar = menuBar();
    EPANELAVE = menuEntry(this, "EPANELAVE", "REPEAT");
    piso = menuEntry(this, "piso", "BACK");
    telos = menuEntry(this, "telos", "END");
    CHRONIKHMETAVOLH = menuEntry(this, "CHRONIKHMETAVOLH", "CONTINUOUS CHANGE");
    FOUCAULTTEXTBOOK = menuEntry(this, "FOUCAULTTEXTBOOK", "FOUCAULT TEXTBOOK", true);
    FOUCAULTV0 = menuEntry(this, "FOUCAULTV0", "FOUCAULT with initial speed", true);
    CORIOLISEXP = menuEntry(this, "CORIOLISEXP", "CORIOLIS & CENTRIFUGAL");

    bar->addAction(EPANELAVE);
    bar->addAction(piso);
    bar->addAction(telos);
    bar->addAction(CHRONIKHMETAVOLH);
    QMenu* pendulum = bar->addMenu(QStringLiteral("FOUCAULT PENDULUM"));
    pendulum->setObjectName(QStringLiteral("FOUCAULT_menu"));
    FOUCAULT = pendulum->menuAction();
    FOUCAULT->setObjectName(QStringLiteral("FOUCAULT"));
    pendulum->addAction(FOUCAULTTEXTBOOK);
    pendulum->addAction(FOUCAULTV0);
    // Choosing the checked entry again keeps it; REPEAT and BACK uncheck both.
    auto* pendulums = new QActionGroup(this);
    pendulums->addAction(FOUCAULTTEXTBOOK);
    pendulums->addAction(FOUCAULTV0);
    bar->addAction(CORIOLISEXP);
}

void RotatingDiskScreen::buildControls() {
    auto* body = new QWidget(this);
    body->setObjectName(QStringLiteral("exigisi2_body"));
    setCentralWidget(body);

    Picture1 = named(new CanvasWidget(body), "Picture1", "Disk view");
    Picture1->setBackColor(kWhite);
    Picture2 = named(new CanvasWidget(body), "Picture2", "Rotating frame view");
    Picture2->setBackColor(kWhite);
    Text1 = named(new QPlainTextEdit(body), "Text1", "Guiding message");
    Text1->setReadOnly(true);

    Command1 = named(new QPushButton(QStringLiteral("STEP"), body), "Command1");
    StepBack = named(new QPushButton(QStringLiteral("STEP BACK"), body), "StepBack");
    Pause = named(new QPushButton(QStringLiteral("PAUSE"), body), "Pause");
    timeLine = new TimeLine(body, [this](int k) { showKeptStep(k); });
    Option2 = named(new QRadioButton(QStringLiteral("INERTIAL FRAME"), body), "Option2");
    Option1 = named(new QRadioButton(QStringLiteral("ROTAGING FRAME"), body), "Option1");
    Option2->setChecked(true);
    auto check = [&](const char* name, const char* caption) {
        return named(new QCheckBox(QString::fromUtf8(caption), body), name);
    };
    Check1 = check("Check1", "VELOCITY OF POINT OF BASE");
    Check2 = check("Check2", "SHOW RELATIVE VELOCITY");
    Check3 = check("Check3", "NON ZERO FRICTION");
    Check4 = check("Check4", "show CORIOLIS");
    Check5 = check("Check5", "CENTRIFUGAL  FLORCE");
    Check6 = check("Check6", "BASE ACC");
    Check7 = check("Check7", "TOTAL Force");

    vxtax = scrollBar(body, "vxtax", "Initial velocity x", Qt::Horizontal, -10, 10, 2, 1);
    vytax = scrollBar(body, "vytax", "Initial velocity y", Qt::Horizontal, -10, 10, 1, 0);
    mazalazo = scrollBar(body, "mazalazo", "Mass", Qt::Horizontal, 1, 20, 1, 2);
    zoumerno = scrollBar(body, "zoumerno", "Zoom", Qt::Horizontal, 50, 400, 20, 120);
    XSCALEFIGURE =
        scrollBar(body, "XSCALEFIGURE", "Horizontal shift", Qt::Horizontal, -10, 20, 10, 0);
    // Its top end is 30 and its bottom end −10.
    YSCALEFIGURE = scrollBar(body, "YSCALEFIGURE", "Vertical shift", Qt::Vertical, -10, 30, 5, 0);
    new MaximumAtTop(YSCALEFIGURE);
    protosimiox = scrollBar(body, "protosimiox", "Orbit point", Qt::Horizontal, 1, 64, 5, 45);

    auto label = [&](const char* name) {
        auto* lb = named(new QLabel(body), name);
        lb->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        return lb;
    };
    Label1 = label("Label1");
    Label2 = label("Label2");
    Label3 = label("Label3");
    Label4 = label("Label4");

    // The rotating view's controls and the explanation's scroll bars wait for their modes.
    for (QWidget* w : std::initializer_list<QWidget*>{Picture2, Check4, Check5, Check6, Check7,
                                                      XSCALEFIGURE, YSCALEFIGURE, protosimiox})
        w->hide();

    Timer1 = new ScreenTimer(this, program_, [this] { exigisi2_Timer1_Timer(); });
    Timer1->setObjectName(QStringLiteral("Timer1"));
}

void RotatingDiskScreen::connectHandlers() {
    connect(Command1, &QPushButton::clicked, this, [this] { exigisi2_Command1_Click(); });
    connect(StepBack, &QPushButton::clicked, this, [this] { showKeptStep(run_.stepIndex - 1); });
    connect(Pause, &QPushButton::clicked, this, [this] { stopTimer(); });
    connect(CHRONIKHMETAVOLH, &QAction::triggered, this,
            [this] { exigisi2_CHRONIKHMETAVOLH_Click(); });
    connect(EPANELAVE, &QAction::triggered, this, [this] { exigisi2_EPANELAVE_Click(); });
    connect(piso, &QAction::triggered, this, [this] { exigisi2_piso_Click(); });
    connect(telos, &QAction::triggered, this, [this] { program_.end(); });
    // Checkable controls act on their change of state, whoever makes it: a click, the keyboard
    // or a screen reader's toggle. The pendulum entries act on being chosen.
    auto whenChecked = [this](auto* control, auto handler) {
        connect(control, &std::remove_pointer_t<decltype(control)>::toggled, this,
                [this, handler](bool on) {
                    if (on) (this->*handler)();
                });
    };
    whenChecked(FOUCAULTTEXTBOOK, &RotatingDiskScreen::exigisi2_FOUCAULT_Click);
    whenChecked(FOUCAULTV0, &RotatingDiskScreen::exigisi2_FOUCAULT_Click);
    // The both-frames run reads the pendulum choice from the shared disk state.
    for (QAction* a : {FOUCAULTTEXTBOOK, FOUCAULTV0})
        connect(a, &QAction::toggled, this, [this] { disk_.pendulumChosen = pendulum(); });
    for (QCheckBox* c : {Check1, Check2, Check4, Check5, Check7})
        connect(c, &QCheckBox::toggled, this, [this] { exigisi2_Check_Click(); });
    // "BASE ACC" only shows in the rotating view: it redraws the forces.
    connect(Check6, &QCheckBox::toggled, this, [this] { showDiskVectors(); });
    connect(Check3, &QCheckBox::toggled, this, [this] { exigisi2_Check3_Click(); });
    onChosen(Option1, this, [this] { exigisi2_Option1_Click(); });
    onChosen(Option2, this, [this] { exigisi2_Option2_Click(); });
    connect(mazalazo, &QScrollBar::valueChanged, this, [this] { exigisi2_mazalazo_Change(); });
    connect(vxtax, &QScrollBar::valueChanged, this, [this] { exigisi2_vxtax_Change(); });
    connect(vytax, &QScrollBar::valueChanged, this, [this] { exigisi2_vytax_Change(); });
    connect(zoumerno, &QScrollBar::valueChanged, this, [this] { exigisi2_zoumerno_Change(); });
    connect(program_.projector().action(), &QAction::toggled, this,
            [this] { showMessageColour(); });
}

// The drawing is a square at the left edge, 0.75 of the window's height (narrower when the window
// would leave no room for the controls, or too little for them in two columns, each as wide as
// its widest caption); the controls stand to its right in one or two columns, the rotating view's
// drawing below them, or under the second column where it is larger there. Under the drawing a row
// holds the explanation's bars from a twentieth of the drawing's width to 0.9 of it: the orbit
// point on the first 1/1.7 of that span, the horizontal view shift on the rest. The vertical shift
// stands along the drawing's right edge, and the message fills what is left below.
void RotatingDiskScreen::layoutControls() {
    const QWidget* body = centralWidget();
    const int w = std::max(body->width(), 320);
    const int h = std::max(body->height(), 240);
    // Rows and bars grow with the program's zoom, as their captions do.
    const double z = zoomOf(*this);
    const auto zoomed = [z](int pixels) { return static_cast<int>(std::lround(pixels * z)); };
    const auto widest = [](std::initializer_list<QWidget*> ws) {
        int most = 0;
        for (QWidget* wd : ws) most = std::max(most, wd->sizeHint().width());
        return most;
    };
    const int gap = zoomed(8);
    const int bar = zoomed(18);
    // A row of the controls is 24 pixels at the zoom, or where the first column would then run
    // below the window, as at the highest zooms on a small display, a line of its text and a
    // little.
    const int line = Check1->fontMetrics().height();
    const int firstColumnRows = 2 * gap + zoomed(30) + bar + 10 * (zoomed(24) + 2);
    const int rowH = firstColumnRows > h ? std::min(zoomed(24), line + 4) : zoomed(24);
    const std::initializer_list<QWidget*> choices{Option2, Option1, Check1, Check2, Check3,
                                                  Check4,  Check5,  Check6, Check7};
    // A button needs its caption with half a line either side.
    const std::array<QPushButton*, 3> buttons{Command1, StepBack, Pause};
    std::array<int, 3> buttonNeed{};
    for (std::size_t i = 0; i < buttons.size(); ++i)
        buttonNeed[i] = buttons[i]->fontMetrics().horizontalAdvance(buttons[i]->text()) +
                        buttons[i]->fontMetrics().height();
    const int buttonsNeed = buttonNeed[0] + buttonNeed[1] + buttonNeed[2] + 2 * gap;
    const int firstNeed = std::max({widest(choices), buttonsNeed, zoomed(120)});
    const int secondNeed = std::max(widest({Label1, Label2, Label3, Label4}), zoomed(120));
    const int bothNeed = firstNeed + gap + secondNeed;
    int side = std::max(std::min(static_cast<int>(0.75 * height()), w - zoomed(250)), 100);
    // Where one column of controls would run below the window, the drawing gives up the width
    // for two.
    const int oneColumn =
        2 * gap + zoomed(30) + 10 * (rowH + 2) + bar + 2 + 4 * (rowH + bar + 4 + zoomed(4));
    if (w - side - 2 * gap < bothNeed && oneColumn > h)
        side = std::max(std::min(side, w - bothNeed - 3 * gap), 100);
    Picture1->setGeometry(0, 0, side, side);
    const int barRow = side + 2;
    Text1->setGeometry(0, barRow + bar + gap, side, std::max(h - barRow - bar - 2 * gap, 40));

    const int x0 = side + gap;
    const int room = std::max(w - x0 - gap, 160);
    const bool twoColumns = room >= bothNeed;
    // Two columns share the room evenly where both captions allow, else the first takes what the
    // second leaves it.
    const int secondW =
        twoColumns ? std::max(secondNeed, std::min((room - gap) / 2, room - gap - firstNeed))
                   : room;
    const int firstW = twoColumns ? room - gap - secondW : room;
    int y = gap;
    auto place = [&](QWidget* wd, int x, int width, int& yy, int height) {
        wd->setGeometry(x, yy, width, height);
        yy += height + 2;
    };
    // STEP, STEP BACK and PAUSE share the first row in thirds, or each as wide as its caption
    // and a third of what the row has over where thirds would crowd one; the time line and its
    // read-out follow.
    const int third = (firstW - 2 * gap) / 3;
    const bool thirds =
        3 * *std::max_element(buttonNeed.begin(), buttonNeed.end()) + 2 * gap <= firstW;
    int left = x0;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const int width = thirds ? third : buttonNeed[i] + (firstW - buttonsNeed) / 3;
        buttons[i]->setGeometry(left, y, width, zoomed(30));
        left += width + gap;
    }
    y += zoomed(30) + 2;
    place(timeLine->slider, x0, firstW, y, bar);
    place(timeLine->readOut, x0, firstW, y, rowH);
    for (QWidget* wd : choices) place(wd, x0, firstW, y, rowH);
    int y2 = twoColumns ? gap : y + gap;
    const int x1 = twoColumns ? x0 + firstW + gap : x0;
    for (auto [lb, scroll] :
         {std::pair{Label1, zoumerno}, {Label2, mazalazo}, {Label3, vxtax}, {Label4, vytax}}) {
        place(lb, x1, secondW, y2, rowH);
        place(scroll, x1, secondW, y2, bar);
        y2 += zoomed(4);
    }
    // The rotating view below both columns, or under the second where that leaves it larger.
    const auto size = [&](int top, int width) {
        return std::clamp(std::min(width, h - top - gap), 40, 400);
    };
    const int belowBoth = std::max(y, y2) + gap;
    const bool underSecond = twoColumns && size(y2 + gap, secondW) > size(belowBoth, room);
    const int top = underSecond ? y2 + gap : belowBoth;
    const int picture = underSecond ? size(top, secondW) : size(top, room);
    Picture2->setGeometry(underSecond ? x1 : x0, top, picture, picture);
    const int orbitFrom = side / 20, rowEnd = static_cast<int>(0.9 * side);
    const int orbitWidth = static_cast<int>((rowEnd - orbitFrom) / 1.7);
    protosimiox->setGeometry(orbitFrom, barRow, orbitWidth, bar);
    XSCALEFIGURE->setGeometry(orbitFrom + orbitWidth + gap, barRow,
                              std::max(rowEnd - orbitFrom - orbitWidth - gap, 40), bar);
    YSCALEFIGURE->setGeometry(std::max(side - bar, 0), 0, bar, side);
}

// The picture is drawn again at the canvas's new size; a hidden canvas takes its size only when
// it is shown.
void RotatingDiskScreen::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    layoutControls();
    if (isVisible()) redrawPicture();
}

// The first showing draws the picture at the size the canvas has come to; every further
// activation starts the screen afresh.
void RotatingDiskScreen::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (event->spontaneous()) return;
    layoutControls();
    if (shownBefore_) {
        message_ = {};
        resetDiskScreen();
    } else
        redrawPicture();
    shownBefore_ = true;
}

bool RotatingDiskScreen::pendulum() const {
    return FOUCAULTTEXTBOOK->isChecked() || FOUCAULTV0->isChecked();
}

bool RotatingDiskScreen::freeDiskChosen() const {
    return program_.screens().as<ModelChoicePanel>(ScreenId::DIALEGO).MHSTATHERIGON->isChecked();
}

DiskParameters RotatingDiskScreen::constants() const {
    DiskParameters p;
    p.bodyMass = bodyMassFor(mazalazo->value());
    p.omegaVariable = disk_.omegaVariable;
    p.springK = pendulum() ? kPendulumK : 0.0;
    p.frictionOn = Check3->isChecked();
    return p;
}

DiskExplanationControls RotatingDiskScreen::explanationControls() {
    return {CORIOLISEXP,  Picture1, protosimiox, XSCALEFIGURE,
            YSCALEFIGURE, zoumerno, Option1,     Label1};
}

void RotatingDiskScreen::load() {
    const DiskParameters p = constants();
    run_.stepDuration = 0;
    run_.stepIndex = 0;
    Picture1->setPersistent(true);
    Label1->setText(QStringLiteral("Scale = 1.2*RADIUS"));
    setViewScale();
    run_.omegaInitial = 2.0 / p.unitRadius;
    run_.omegaNow = run_.omegaInitial;
    run_.bodyVx = vxtax->value() * run_.omegaNow * p.unitRadius;
    run_.bodyVy = vytax->value() * run_.omegaNow * p.unitRadius;
    run_.pathY[0] = p.unitRadius;
    run_.pathYRot[0] = p.unitRadius;
    drawStartPicture();
    Label2->setText(QStringLiteral("Mass = ") + QString::fromStdString(formatFixed(p.bodyMass, 1)));
    Picture2->setScale(-100, 100, 100, -100);
    showVelocityLabels();
}

// Scale of the drawing: zoom s = zoumerno/100 and the explanation's shifts.
void RotatingDiskScreen::setViewScale() {
    setDiskScale(*Picture1, zoumerno->value() / 100.0, XSCALEFIGURE->value() / 10.0,
                 YSCALEFIGURE->value() / 10.0);
}

void RotatingDiskScreen::drawStartPicture() {
    endWidening();
    velarium::drawStartPicture(*Picture1, run_, constants().unitRadius);
    trail_.valid = false;
    start_.vectors = false;
}

void RotatingDiskScreen::redrawPicture() {
    if (explanation_->active()) {
        explanation_->redraw();
        return;
    }
    if (run_.stepIndex == 0)
        drawStartPicture();
    else
        showDiskVectors();
}

void RotatingDiskScreen::resetDiskScreen() {
    const DiskParameters p = constants();
    run_.diskAngle = 0;
    run_.stepIndex = 0;
    run_.omegaInitial = 2.0 / p.unitRadius;
    run_.omegaNow = run_.omegaInitial;
    run_.bodyVx = vxtax->value() * run_.omegaInitial * p.unitRadius;
    run_.bodyVy = vytax->value() * run_.omegaInitial * p.unitRadius;
    std::fill(run_.pathTime.begin(), run_.pathTime.end(), 0.0);
    run_.pathX[0] = 0;
    run_.pathY[0] = p.unitRadius;
    run_.pathXRot[0] = 0;
    run_.pathYRot[0] = p.unitRadius;
    run_.stepsRun = 0;
    run_.keepMotion(0);
    drawStartPicture();
    updateDiskMessage();
    showTimeLine();
}

}  // namespace velarium
