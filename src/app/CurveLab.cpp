#include "app/CurveLab.h"

#include <QSignalBlocker>

#include "app/FirstStepScreen.h"
#include "widgets/Controls.h"

namespace velarium {

namespace {
QString qs(const std::string& s) { return QString::fromStdString(s); }
// The slot that keeps the canvas as START found it: the old trail a new START leaves standing.
constexpr int kRunStartLayer = 0;
}  // namespace

CurveLab::CurveLab(FirstStepScreen& screen) : s_(screen) {
    QObject::connect(s_.Command1, &QPushButton::clicked, &s_,
                     [this] { firststep_Command1_Click(); });
    QObject::connect(s_.PAUSE, &QPushButton::clicked, &s_, [this] { firststep_PAUSE_Click(); });
    QObject::connect(s_.campyles, &QAction::triggered, &s_, [this] { firststep_campyles_Click(); });
    QObject::connect(s_.GUESSFORCE, &QAction::triggered, &s_,
                     [this] { firststep_GUESSFORCE_Click(); });
    QObject::connect(s_.DYNAMEISDIAFORES, &QAction::triggered, &s_,
                     [this] { firststep_DYNAMEISDIAFORES_Click(); });
    onChosen(s_.Option2, &s_, [this] { firststep_Option2_Click(); });
    onChosen(s_.Option3, &s_, [this] { firststep_Option3_Click(); });
    QObject::connect(s_.platosvalue, &QScrollBar::valueChanged, &s_,
                     [this] { firststep_platosvalue_Change(); });
    QObject::connect(s_.syxnotikamp, &QScrollBar::valueChanged, &s_,
                     [this] { firststep_syxnotikamp_Change(); });
    QObject::connect(s_.arxikives, &QScrollBar::valueChanged, &s_,
                     [this] { firststep_arxikives_Change(); });
    QObject::connect(s_.epitaxyno, &QScrollBar::valueChanged, &s_,
                     [this] { firststep_epitaxyno_Change(); });
    QObject::connect(s_.eikona, &CanvasWidget::pressed, &s_,
                     [this](const CanvasMouse& m) { firststep_eikona_MouseDown(m); });
    QObject::connect(s_.eikona, &CanvasWidget::released, &s_,
                     [this](const CanvasMouse& m) { firststep_eikona_MouseUp(m); });
}

CurveSliders CurveLab::sliders() const {
    return {s_.platosvalue->value(), s_.syxnotikamp->value(), s_.arxikives->value(),
            s_.epitaxyno->value()};
}

// Every arrow of the acceleration display in view, in all the modes that draw single points of
// the path too, so that a press lands where the picture shows it.
void CurveLab::setLabScale() {
    const CurveSettings c = curveSettings(sliders());
    setCurveLabScale(*s_.eikona, &c);
}

void CurveLab::setText(const std::string& text) { s_.Text1->setPlainText(qs(text)); }

void CurveLab::uncheckModes() {
    s_.DYNAMEISDIAFORES->setChecked(false);
    s_.GUESSFORCE->setChecked(false);
}

// Every picture drawn outside the run lies over the trail: the next event draws it all again.
void CurveLab::redrawLab() {
    s_.eikona->clear();
    setLabScale();
    setText(drawCurveLab(*s_.eikona, curveSettings(sliders())));
    drawnOver();
    pathShown_ = true;
}

void CurveLab::drawnOver() {
    anim_.canvasChanged();
    startKept_ = false;
    canvasClear_ = false;
}

void CurveLab::firststep_Command1_Click() {
    anim_.restart();
    startKept_ = !canvasClear_;
    if (startKept_) s_.eikona->saveLayer(kRunStartLayer);
    s_.Timer1->setEnabled(true);
    showProgress();
}

void CurveLab::firststep_PAUSE_Click() {
    s_.Timer1->setEnabled(!s_.Timer1->isEnabled() && anim_.labKept > 0 && !anim_.ended());
    showProgress();
}

void CurveLab::firststep_Timer1_Timer() {
    canvasClear_ = false;
    if (labTimerStep(*s_.eikona, anim_, curveSettings(sliders()), s_.Timer1->interval()))
        s_.Timer1->setEnabled(false);
    showProgress();
}

// The canvas as START found it, with the run drawn whole at event k over it; when START found
// it clear, or another picture has been drawn over the run since, the run alone on a cleared
// canvas.
void CurveLab::showEvent(int k) {
    s_.Timer1->setEnabled(false);
    if (startKept_)
        s_.eikona->restoreLayer(kRunStartLayer);
    else
        s_.eikona->clear();
    labShowEvent(*s_.eikona, anim_, curveSettings(sliders()), s_.Timer1->interval(), k);
    showProgress();
}

void CurveLab::showRunControls(bool shown) {
    runControlsShown_ = shown;
    for (QWidget* w :
         std::initializer_list<QWidget*>{s_.Command1, s_.timeLine->slider, s_.timeLine->readOut})
        w->setVisible(shown);
    showProgress();
}

void CurveLab::showProgress() {
    const bool running = s_.Timer1->isEnabled();
    s_.PAUSE->setText(running || anim_.labKept == 0 ? QStringLiteral("PAUSE")
                                                    : QStringLiteral("RESUME"));
    // PAUSE stands while there is a run to pause or to go on with.
    s_.PAUSE->setVisible(runControlsShown_ && (running || (anim_.labKept > 0 && !anim_.ended())));
    s_.timeLine->show(anim_.labTick, labLastShownEvent(anim_), anim_.labTime);
    // A run goes on drawing in the other modes, which do not show its time line.
    if (!runControlsShown_) s_.timeLine->slider->hide();
}

void CurveLab::enterAccelerationDisplay(bool fromMenu) {
    uncheckModes();
    s_.Timer1->setEnabled(false);
    anim_.restart();
    if (fromMenu) {
        s_.eikona->clear();
        setLabScale();
        s_.Option2->show();
        s_.Option3->show();
        s_.Option1->hide();
    }
    for (QWidget* w :
         std::initializer_list<QWidget*>{s_.syxnotikamp, s_.Label2, s_.epitaxyno, s_.Label3,
                                         s_.Label1, s_.platosvalue, s_.arxikives, s_.Label4})
        w->show();
    showRunControls(false);
    {
        // Choosing the option here is part of entering the display, not a second entry.
        const QSignalBlocker quiet(s_.Option3);
        s_.Option3->setChecked(true);  // the options are exclusive: Option1 and Option2 go off
    }
    const CurveSliders sl = sliders();
    const CurveSettings c = curveSettings(sl);
    s_.Label2->setText(qs(frequencyReadout(sl)));
    s_.Label3->setText(qs(tangentialReadout(c, true)));
    s_.Label1->setText(qs(amplitudeReadout(c, true)));
    s_.Label4->setText(qs(speedReadout(c, true)));
    // Zoomed, the read-outs' rows are as high as their texts.
    s_.arrangeFactorSliders();
    setLabScale();
    redrawLab();
    pathShown_ = true;
}

void CurveLab::firststep_campyles_Click() { enterAccelerationDisplay(true); }

void CurveLab::firststep_Option3_Click() { enterAccelerationDisplay(false); }

void CurveLab::firststep_GUESSFORCE_Click() {
    s_.DYNAMEISDIAFORES->setChecked(false);
    s_.GUESSFORCE->setChecked(true);
    s_.eikona->clear();
    setLabScale();
    setText(drawCurveLab(*s_.eikona, curveSettings(sliders())));
    drawnOver();
}

void CurveLab::firststep_DYNAMEISDIAFORES_Click() {
    s_.DYNAMEISDIAFORES->setChecked(true);
    s_.GUESSFORCE->setChecked(false);
    s_.eikona->clear();
    setLabScale();
    setText(drawRadiusScene(*s_.eikona, curveSettings(sliders())));
    drawnOver();
    pathShown_ = true;
}

void CurveLab::firststep_Option2_Click() {
    uncheckModes();
    s_.Timer1->setInterval(1);
    s_.Timer1->setEnabled(false);
    anim_.restart();
    for (QWidget* w :
         std::initializer_list<QWidget*>{s_.syxnotikamp, s_.platosvalue, s_.Label1, s_.Label2,
                                         s_.epitaxyno, s_.Label3, s_.arxikives})
        w->hide();
    s_.arrangeFactorSliders();     // the text box takes back its width
    s_.Option2->setChecked(true);  // and Option1 off
    setCurveLabScale(*s_.eikona);  // the run: the lab's own range
    s_.eikona->clear();
    drawnOver();
    canvasClear_ = true;
    showRunControls(true);
}

void CurveLab::firststep_platosvalue_Change() {
    s_.Label1->setText(qs(amplitudeReadout(curveSettings(sliders()), false)));
    redrawLab();
}

void CurveLab::firststep_syxnotikamp_Change() {
    redrawLab();
    s_.Label2->setText(qs(frequencyReadout(sliders())));
}

void CurveLab::firststep_arxikives_Change() {
    s_.Label4->setText(qs(speedReadout(curveSettings(sliders()), false)));
    redrawLab();
}

void CurveLab::firststep_epitaxyno_Change() {
    s_.Label3->setText(qs(tangentialReadout(curveSettings(sliders()), false)));
    redrawLab();
}

void CurveLab::firststep_eikona_MouseDown(const CanvasMouse& m) {
    if (!s_.GUESSFORCE->isChecked()) {
        setText(kCanvasPressText);
        return;
    }
    press_.pressX = m.x;
    press_.pressY = m.y;
    if (const auto text = showPointVectors(*s_.eikona, curveSettings(sliders()), m.x, m.y, true,
                                           s_.DYNAMEISDIAFORES->isChecked(), press_))
        setText(*text);
    drawnOver();
}

void CurveLab::firststep_eikona_MouseUp(const CanvasMouse& m) {
    const CurveSettings c = curveSettings(sliders());
    if (s_.DYNAMEISDIAFORES->isChecked()) {
        setLabScale();
        if (const auto text =
                showPointVectors(*s_.eikona, c, m.x, m.y, s_.GUESSFORCE->isChecked(), true, press_))
            setText(*text);
        drawnOver();
    }
    // Only a drag with Shift alone, from a press on the path, is judged.
    if (s_.GUESSFORCE->isChecked() && m.shift && !m.ctrl && !m.alt && press_.pressOnCurve) {
        judgeForce(*s_.eikona, c, press_, m.x, m.y);
        drawnOver();
    }
}

}  // namespace velarium
