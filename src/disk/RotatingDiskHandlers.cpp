// The handlers of the rotating-disk screen: stepping, the timer, the menu, the check boxes, the
// options and the scroll bars.
#include <QPalette>
#include <cmath>

#include "disk/ModelChoicePanel.h"
#include "disk/RotatingDiskScreen.h"
#include "shell/Alerts.h"
#include "shell/Program.h"

namespace velarium {

namespace {
QString velocityText(const char* head, int value) {
    return QString::fromUtf8(head) + QString::number(value) + QStringLiteral("X ω×R");
}
}  // namespace

void RotatingDiskScreen::stopTimer() {
    Timer1->setEnabled(false);
    showTimeLine();
}

// While the explanation shows its own runs there is no step of the screen's to go back to.
// STEP BACK and PAUSE stay enabled, legible on a projector: at step 0, or with no run going,
// they change nothing.
void RotatingDiskScreen::showTimeLine() {
    const bool explaining = explanation_ && explanation_->active();
    const int k = run_.stepIndex;
    timeLine->show(k, explaining ? 0 : run_.stepsRun, run_.timeAt[static_cast<std::size_t>(k)]);
}

void RotatingDiskScreen::showKeptStep(int k) {
    if (explanation_->active() || k < 0 || k > run_.stepsRun) return;
    stopTimer();
    run_.showStep(k);
    // A step the explanation ran gets its message chosen afresh.
    if (const DiskMessage& kept = messages_[static_cast<std::size_t>(k)]; kept.text.empty()) {
        updateDiskMessage();
    } else {
        message_ = kept;
        showMessage();
    }
    if (k == 0) {
        run_.bodyVx = start_.vx;
        run_.bodyVy = start_.vy;
        const bool vectors = start_.vectors;
        if (vectors)
            drawRun();
        else
            drawStartPicture();
        start_.vectors = vectors;
    } else {
        keepBodyInSight(pictureSettings());
        drawRun();
    }
    showTimeLine();
}

void RotatingDiskScreen::hideShifts() {
    XSCALEFIGURE->hide();
    YSCALEFIGURE->hide();
    XSCALEFIGURE->setValue(0);
    YSCALEFIGURE->setValue(0);
}

void RotatingDiskScreen::showModelChoiceForFriction() {
    QWidget& panel = program_.screens().get(ScreenId::DIALEGO);
    panel.setVisible(Check3->isChecked());
}

void RotatingDiskScreen::showVelocityLabels() {
    Label3->setText(velocityText("Vx =", vxtax->value()));
    Label4->setText(velocityText("Vy =", vytax->value()));
}

DiskPictureSettings RotatingDiskScreen::pictureSettings() const {
    DiskPictureSettings st;
    st.rotatingView = Option1->isChecked();
    st.friction = Check3->isChecked();
    st.freeDisk = freeDiskChosen();
    st.pendulum = pendulum();
    st.check1 = Check1->isChecked();
    st.check2 = Check2->isChecked();
    st.check4 = Check4->isChecked();
    st.check5 = Check5->isChecked();
    st.check6 = Check6->isChecked();
    st.check7 = Check7->isChecked();
    return st;
}

// The trail of the view over the rim, then what changes from step to step. The kept trail is
// only good for the canvas size it was drawn at.
void RotatingDiskScreen::drawRun() {
    if (Picture1->size() != trailCanvasSize_) trail_.valid = false;
    trailCanvasSize_ = Picture1->size();
    const DiskPictureSettings st = pictureSettings();
    drawDiskTrail(*Picture1, run_, st.rotatingView, trail_);
    drawDiskOverlay(*Picture1, constants(), run_, st);
}

void RotatingDiskScreen::keepBodyInSight(const DiskPictureSettings& st) {
    const double zoom = zoumerno->value() / 100.0;
    const double inSight = explanation_->active() || run_.stepIndex == 0
                               ? zoom
                               : diskZoomInSight(constants(), run_, st, zoom);
    if (inSight > zoom) {
        if (zoomInSight_ == 0) zoomLabel_ = Label1->text();
        zoomInSight_ = inSight;
        // The view's side is 4·s.
        if (std::abs(Picture1->scaleWidth()) != 4 * inSight) setDiskScale(*Picture1, inSight, 0, 0);
        Label1->setText(QStringLiteral("SCALE= ") +
                        QString::fromStdString(formatFixed(inSight, 2)) +
                        QStringLiteral("X Radius, WIDENED"));
        Label1->setToolTip(
            QStringLiteral("The view is wider than the zoom: it keeps the body "
                           "and its arrows in sight."));
    } else {
        endWidening();
    }
}

void RotatingDiskScreen::endWidening() {
    if (zoomInSight_ == 0) return;
    zoomInSight_ = 0;
    setViewScale();
    Label1->setText(zoomLabel_);
    Label1->setToolTip({});
}

void RotatingDiskScreen::updateDiskMessage() {
    DiskMessageInput in;
    in.explanationMode = explanation_->active();
    in.pendulum = pendulum();
    in.textbook = FOUCAULTTEXTBOOK->isChecked();
    in.rotatingView = Option1->isChecked();
    in.friction = Check3->isChecked();
    // The model choice matters only with friction; without it the panel is not needed.
    if (in.friction) {
        const ModelChoicePanel& panel = program_.screens().as<ModelChoicePanel>(ScreenId::DIALEGO);
        in.choice = panel.MHSTATHERIGON->isChecked() ? DiskChoice::freeDisk
                    : panel.STATHERIGON->isChecked() ? DiskChoice::constantOmega
                                                     : DiskChoice::none;
    }
    in.check1 = Check1->isChecked();
    in.check2 = Check2->isChecked();
    in.check4 = Check4->isChecked();
    in.check5 = Check5->isChecked();
    in.check6 = Check6->isChecked();
    in.check7 = Check7->isChecked();
    in.stepIndex = run_.stepIndex;
    in.speed = speedTrend(run_, in.rotatingView);
    in.rim = rimCrossing(run_, in.rotatingView, kRimRadius);
    message_ = velarium::updateDiskMessage(in, message_);
    messages_[static_cast<std::size_t>(run_.stepIndex)] = message_;
    showMessage();
    showTimeLine();
}

void RotatingDiskScreen::showMessage() {
    if (Text1->toPlainText().toStdString() != message_.text)
        Text1->setPlainText(QString::fromStdString(message_.text));
    showMessageColour();
}

// In projector colours the message is printed in its dark projector colour, as canvas texts are.
void RotatingDiskScreen::showMessageColour() {
    const Rgb c = program_.projector().on() ? projectorColour(message_.colour) : message_.colour;
    QPalette palette = Text1->palette();
    palette.setColor(QPalette::Text, QColor(c.red, c.green, c.blue));
    Text1->setPalette(palette);
}

void RotatingDiskScreen::diskScreenStep() {
    // A tick that falls due while a step runs never starts a second one.
    if (stepping_) return;
    // The path tables end at step 1500: the run stops there until a reset.
    if (run_.stepIndex >= DiskRun::kMaxStep) {
        stopTimer();
        beep();
        return;
    }
    stepping_ = true;
    if (run_.stepIndex == 0) {
        start_.vx = run_.bodyVx;
        start_.vy = run_.bodyVy;
    }
    const std::optional<DiskEvents> events = displayStep(constants(), run_, stepInput());
    // The body passing the axis or coming to rest on the disk is a special situation.
    if (events && (events->onAxis || events->restRow >= 0)) beep();
    // The message speaks of the step just made.
    updateDiskMessage();
    // The view follows the motion; a zoom chosen since holds until the next step.
    keepBodyInSight(pictureSettings());
    drawRun();
    if (run_.stepIndex >= DiskRun::kMaxStep) stopTimer();
    stepping_ = false;
}

DisplayStepInput RotatingDiskScreen::stepInput() const {
    return {vxtax->value(), vytax->value(), Check3->isChecked(), pendulum(),
            FOUCAULTTEXTBOOK->isChecked()};
}

void RotatingDiskScreen::showDiskVectors() {
    if (run_.stepIndex == 0) {
        const DiskParameters p = constants();
        run_.bodyVx =
            FOUCAULTTEXTBOOK->isChecked() ? 0.0 : vxtax->value() * p.unitRadius * p.diskOmega0;
        run_.bodyVy = vytax->value() * p.unitRadius * p.diskOmega0;
    }
    drawRun();
    if (run_.stepIndex == 0) start_.vectors = true;
    updateDiskMessage();
}

void RotatingDiskScreen::exigisi2_Command1_Click() {
    explanation_->setStep(0);
    stopTimer();
    showModelChoiceForFriction();
    diskScreenStep();
    const bool panelShown = program_.screens().get(ScreenId::DIALEGO).isVisible();
    Check6->setVisible(Option1->isChecked() && panelShown && freeDiskChosen());
}

void RotatingDiskScreen::exigisi2_Timer1_Timer() { diskScreenStep(); }

void RotatingDiskScreen::exigisi2_CHRONIKHMETAVOLH_Click() {
    hideShifts();
    explanation_->end();
    // Each event covers one display step: 0.1 s every 250 ms, 0.01 s every 25 ms as a pendulum.
    Timer1->setInterval(pendulum() ? 25 : 250);
    Timer1->setEnabled(true);
    showTimeLine();
}

void RotatingDiskScreen::exigisi2_EPANELAVE_Click() {
    hideShifts();
    explanation_->end();
    zoumerno->setValue(100);
    protosimiox->hide();
    FOUCAULTTEXTBOOK->setChecked(false);
    FOUCAULTV0->setChecked(false);
    stopTimer();
    resetDiskScreen();
    showModelChoiceForFriction();
}

// BACK starts the run afresh and leaves the screen, with the model choice beside it, for the
// screen beneath.
void RotatingDiskScreen::exigisi2_piso_Click() {
    explanation_->setStep(0);
    protosimiox->hide();
    explanation_->end();
    FOUCAULTTEXTBOOK->setChecked(false);
    FOUCAULTV0->setChecked(false);
    stopTimer();
    resetDiskScreen();
    program_.screens().get(ScreenId::DIALEGO).hide();
    hide();
}

// The two pendulum entries are one exclusive choice: checking one unchecks the other.
void RotatingDiskScreen::exigisi2_FOUCAULT_Click() {
    hideShifts();
    explanation_->end();
    protosimiox->hide();
    updateDiskMessage();
}

void RotatingDiskScreen::exigisi2_Check_Click() { showDiskVectors(); }

void RotatingDiskScreen::exigisi2_Check3_Click() {
    updateDiskMessage();
    explanation_->setStep(0);
    showModelChoiceForFriction();
}

void RotatingDiskScreen::exigisi2_Option1_Click() {
    Picture2->show();
    Check4->show();
    Check5->show();
    Check7->show();
    Check6->setVisible(freeDiskChosen());
    resetDiskScreen();
}

void RotatingDiskScreen::exigisi2_Option2_Click() {
    for (QWidget* w : std::initializer_list<QWidget*>{Picture2, Check4, Check5, Check6, Check7})
        w->hide();
    resetDiskScreen();
}

void RotatingDiskScreen::exigisi2_mazalazo_Change() {
    stopTimer();
    Label2->setText(QStringLiteral("Mass = ") +
                    QString::fromStdString(formatFixed(constants().bodyMass, 1)));
    showModelChoiceForFriction();
    updateDiskMessage();
}

void RotatingDiskScreen::exigisi2_vxtax_Change() {
    showDiskVectors();
    showVelocityLabels();
}

void RotatingDiskScreen::exigisi2_vytax_Change() {
    showDiskVectors();
    showVelocityLabels();
}

void RotatingDiskScreen::exigisi2_zoumerno_Change() {
    stopTimer();
    zoomInSight_ = 0;
    const double s = zoumerno->value() / 100.0;
    Label1->setText(QStringLiteral("SCALE= ") + QString::fromStdString(formatFixed(s, 2)) +
                    QStringLiteral("X Radius"));
    Picture1->clear();
    setViewScale();
    redrawPicture();
}

}  // namespace velarium
