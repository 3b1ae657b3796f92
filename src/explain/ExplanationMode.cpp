#include "explain/ExplanationMode.h"

#include <QKeyEvent>

#include "draw/NumberFormat.h"
#include "explain/InertialExplanation.h"
#include "explain/RotatingExplanation.h"

namespace velarium {

ExplanationMode::ExplanationMode(DiskExplanationHost& host)
    : host_(host), c_(host.explanationControls()) {
    c_.menuEntry->setText(QStringLiteral("CORIOLIS && CENTRIFUGAL"));
    connect(c_.menuEntry, &QAction::triggered, this, [this] { exigisi2_CORIOLISEXP_Click(); });
    connect(c_.picture, &CanvasWidget::released, this,
            [this](const CanvasMouse& m) { released(m); });
    connect(c_.orbitPoint, &QScrollBar::valueChanged, this, [this] {
        if (active_) redraw();
    });
    connect(c_.shiftX, &QScrollBar::valueChanged, this, [this] { shiftChanged(); });
    connect(c_.shiftY, &QScrollBar::valueChanged, this, [this] { shiftChanged(); });
    // Keys step the explanation like clicks, so the drawing takes the focus.
    c_.picture->setFocusPolicy(Qt::StrongFocus);
    c_.picture->installEventFilter(this);
}

bool ExplanationMode::rotatingObserver() const { return c_.rotatingView->isChecked(); }

ExplanationSettings ExplanationMode::settings() const {
    ExplanationSettings st;
    st.step = step_;
    st.protosimiox = c_.orbitPoint->value();
    st.shiftX = c_.shiftX->value() / 10.0;
    st.shiftY = c_.shiftY->value() / 10.0;
    st.input = host_.explanationStepInput();
    return st;
}

void ExplanationMode::exigisi2_CORIOLISEXP_Click() {
    host_.stopForExplanation();
    c_.shiftX->show();
    c_.shiftY->show();
    DiskRun& run = host_.explanationRun();
    run.stepIndex = 0;
    host_.endWidening();
    if (!active_) scaleText_ = c_.scale->text();
    active_ = true;
    step_ = 0;
    host_.updateDiskMessage();
    runOrbitPairs(host_.explanationConstants(), run, tables_, host_.explanationStepInput(),
                  rotatingObserver());
    // The run's picture is replaced by the explanation.
    host_.forgetTrail();
    c_.orbitPoint->show();
    redraw();
}

void ExplanationMode::redraw() {
    // A step left from the longer explanation after a change of observer starts this one anew.
    if (step_ > (rotatingObserver() ? kRotatingLastStep : kInertialLastStep)) step_ = 0;
    const ExplanationSettings st = settings();
    host_.forgetTrail();
    PictureScales scales;
    DiskRun& run = host_.explanationRun();
    if (rotatingObserver()) {
        scales =
            drawRotatingExplanation(*c_.picture, host_.explanationConstants(), run, tables_, st);
        // The message box stays empty while the explanation is shown.
        host_.updateDiskMessage();
    } else {
        scales = drawInertialExplanation(*c_.picture, run, tables_, st);
    }
    // The picture is fitted into the view: a radius is drawn frame.scale times as long as the
    // zoom alone would draw it, so the view spans that much fewer radii.
    const double fitted = c_.zoom->value() / 100.0 / scales.frame.scale;
    c_.scale->setText(QStringLiteral("SCALE= ") + QString::fromStdString(formatFixed(fitted, 2)) +
                      QStringLiteral("X Radius"));
}

void ExplanationMode::end() {
    if (!active_) return;
    active_ = false;
    step_ = 0;
    c_.scale->setText(scaleText_);
}

void ExplanationMode::step(bool back) {
    if (!active_) return;
    const int last = rotatingObserver() ? kRotatingLastStep : kInertialLastStep;
    step_ = nextExplanationStep(step_, last, back);
    redraw();
}

void ExplanationMode::released(const CanvasMouse& m) { step(m.shift && !m.ctrl && !m.alt); }

// Outside the explanation the shifts move the disk's view like the zoom does.
void ExplanationMode::shiftChanged() {
    if (active_) {
        c_.picture->clear();
        host_.setViewScale();
        redraw();
    } else {
        host_.viewChanged();
    }
}

bool ExplanationMode::eventFilter(QObject* watched, QEvent* event) {
    if (watched == c_.picture && event->type() == QEvent::KeyPress && active_) {
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
