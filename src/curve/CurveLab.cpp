#include "curve/CurveLab.h"

#include "shell/FirstStepScreen.h"

namespace velarium {

namespace {
constexpr const char* kPressText =
    "The centripetal acceleration has a direction towards the convex of the curve. If the speed "
    "changes there is a component tangent to the curve, the circles are plotted according to the "
    "radius of curvature.";
}

CurveLab::CurveLab(FirstStepScreen& screen) : s_(screen) {
    QObject::connect(s_.Command1, &QPushButton::clicked, &s_, [this] { firststep_Command1_Click(); });
    QObject::connect(s_.campyles, &QAction::triggered, &s_, [this] { firststep_campyles_Click(); });
    QObject::connect(s_.GUESSFORCE, &QAction::triggered, &s_,
                     [this] { firststep_GUESSFORCE_Click(); });
    QObject::connect(s_.DYNAMEISDIAFORES, &QAction::triggered, &s_,
                     [this] { firststep_DYNAMEISDIAFORES_Click(); });
    QObject::connect(s_.Option2, &QRadioButton::clicked, &s_, [this] { firststep_Option2_Click(); });
    QObject::connect(s_.Option3, &QRadioButton::clicked, &s_, [this] { firststep_Option3_Click(); });
    QObject::connect(s_.eikona, &CanvasWidget::pressed, &s_,
                     [this](const CanvasMouse& m) { firststep_eikona_MouseDown(m); });
    QObject::connect(s_.eikona, &CanvasWidget::released, &s_,
                     [this](const CanvasMouse& m) { firststep_eikona_MouseUp(m); });
}

void CurveLab::firststep_Command1_Click() {
    labTick_ = 0;
    s_.Timer1->setEnabled(true);
}

void CurveLab::firststep_Timer1_Timer() { ++labTick_; }

void CurveLab::firststep_campyles_Click() {
    firststep_Option3_Click();
    s_.Option2->show();
    s_.Option3->show();
    s_.Option1->hide();
}

void CurveLab::firststep_GUESSFORCE_Click() {
    s_.DYNAMEISDIAFORES->setChecked(false);
    s_.GUESSFORCE->setChecked(true);
}

void CurveLab::firststep_DYNAMEISDIAFORES_Click() {
    s_.DYNAMEISDIAFORES->setChecked(true);
    s_.GUESSFORCE->setChecked(false);
}

void CurveLab::firststep_Option2_Click() {
    s_.DYNAMEISDIAFORES->setChecked(false);
    s_.GUESSFORCE->setChecked(false);
    s_.Timer1->setInterval(1);
    s_.Timer1->setEnabled(false);
    labTick_ = 0;
    s_.Command1->show();
}

void CurveLab::firststep_Option3_Click() {
    s_.DYNAMEISDIAFORES->setChecked(false);
    s_.GUESSFORCE->setChecked(false);
    s_.Timer1->setEnabled(false);
    labTick_ = 0;
}

void CurveLab::firststep_eikona_MouseDown(const CanvasMouse&) {
    if (!s_.GUESSFORCE->isChecked()) s_.Text1->setPlainText(QString::fromUtf8(kPressText));
}

void CurveLab::firststep_eikona_MouseUp(const CanvasMouse&) {}

}  // namespace velarium
