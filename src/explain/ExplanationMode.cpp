#include "explain/ExplanationMode.h"

#include <QKeyEvent>

#include "disk/RotatingDiskScreen.h"
#include "draw/NumberFormat.h"
#include "explain/InertialExplanation.h"
#include "explain/RotatingExplanation.h"

namespace velarium {

ExplanationMode::ExplanationMode(RotatingDiskScreen& screen) : s_(screen) {
    s_.CORIOLISEXP->setText(QStringLiteral("CORIOLIS && CENTRIFUGAL"));
    connect(s_.CORIOLISEXP, &QAction::triggered, this, [this] { exigisi2_CORIOLISEXP_Click(); });
    connect(s_.Picture1, &CanvasWidget::released, this,
            [this](const CanvasMouse& m) { released(m); });
    connect(s_.protosimiox, &QScrollBar::valueChanged, this, [this] {
        if (s_.run_.explanationMode) redraw();
    });
    connect(s_.XSCALEFIGURE, &QScrollBar::valueChanged, this, [this] { shiftChanged(); });
    connect(s_.YSCALEFIGURE, &QScrollBar::valueChanged, this, [this] { shiftChanged(); });
    // Keys step the explanation like clicks, so the drawing takes the focus.
    s_.Picture1->setFocusPolicy(Qt::StrongFocus);
    s_.Picture1->installEventFilter(this);
}

bool ExplanationMode::rotatingObserver() const { return s_.Option1->isChecked(); }

ExplanationSettings ExplanationMode::settings() const {
    ExplanationSettings st;
    st.step = s_.run_.explanationStep;
    st.protosimiox = s_.protosimiox->value();
    st.shiftX = s_.XSCALEFIGURE->value() / 10.0;
    st.shiftY = s_.YSCALEFIGURE->value() / 10.0;
    st.mazalazo = s_.mazalazo->value();
    st.input = s_.stepInput();
    return st;
}

void ExplanationMode::exigisi2_CORIOLISEXP_Click() {
    s_.stopTimer();
    s_.XSCALEFIGURE->show();
    s_.YSCALEFIGURE->show();
    s_.run_.stepIndex = 0;
    // A view widened to follow the run gives way to the zoom's own.
    s_.endWidening();
    if (!s_.run_.explanationMode) scaleText_ = s_.Label1->text();
    s_.run_.explanationMode = true;
    s_.run_.explanationStep = 0;
    s_.updateDiskMessage();
    runOrbitPairs(s_.disk_, s_.run_, tables_, s_.stepInput(), rotatingObserver());
    // The run's picture is replaced by the explanation: the screen's kept trail no longer
    // stands for what the canvas shows.
    s_.trail_.valid = false;
    s_.protosimiox->show();
    redraw();
}

void ExplanationMode::redraw() {
    // A step left from the longer explanation after a change of observer starts this one anew.
    if (s_.run_.explanationStep > (rotatingObserver() ? kRotatingLastStep : kInertialLastStep))
        s_.run_.explanationStep = 0;
    const ExplanationSettings st = settings();
    s_.trail_.valid = false;
    PictureScales scales;
    if (rotatingObserver()) {
        scales = drawRotatingExplanation(*s_.Picture1, s_.disk_, s_.run_, tables_, st);
        // The message box stays empty while the explanation is shown.
        s_.updateDiskMessage();
    } else {
        scales = drawInertialExplanation(*s_.Picture1, s_.run_, tables_, st);
    }
    // The picture is fitted into the view: a radius is drawn frame.scale times as long as the
    // zoom alone would draw it, so the view spans that much fewer radii.
    const double fitted = s_.zoumerno->value() / 100.0 / scales.frame.scale;
    s_.Label1->setText(QStringLiteral("SCALE= ") + QString::fromStdString(formatFixed(fitted, 2)) +
                       QStringLiteral("X Radius"));
}

void ExplanationMode::end() {
    if (!s_.run_.explanationMode) return;
    s_.run_.explanationMode = false;
    s_.run_.explanationStep = 0;
    s_.Label1->setText(scaleText_);
}

void ExplanationMode::step(bool back) {
    if (!s_.run_.explanationMode) return;
    const int last = rotatingObserver() ? kRotatingLastStep : kInertialLastStep;
    s_.run_.explanationStep = nextExplanationStep(s_.run_.explanationStep, last, back);
    redraw();
}

void ExplanationMode::released(const CanvasMouse& m) { step(m.shift && !m.ctrl && !m.alt); }

// Outside the explanation the shifts move the disk's view like the zoom does.
void ExplanationMode::shiftChanged() {
    if (s_.run_.explanationMode) {
        s_.Picture1->clear();
        s_.setViewScale();
        redraw();
    } else {
        s_.exigisi2_zoumerno_Change();
    }
}

bool ExplanationMode::eventFilter(QObject* watched, QEvent* event) {
    if (watched == s_.Picture1 && event->type() == QEvent::KeyPress && s_.run_.explanationMode) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
            case Qt::Key_Right:
            case Qt::Key_Space:
            case Qt::Key_PageDown: step(false); return true;
            case Qt::Key_Left:
            case Qt::Key_Backspace:
            case Qt::Key_PageUp: step(true); return true;
            default: break;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace velarium
