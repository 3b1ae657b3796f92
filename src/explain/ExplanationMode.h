#pragma once

#include <QObject>
#include <QString>

#include "disk/DiskExplanation.h"
#include "explain/OrbitPairs.h"

namespace velarium {

struct CanvasMouse;

// Explanation mode of the rotating-disk screen: the menu entry "CORIOLIS & CENTRIFUGAL" runs the
// 66-step orbit pairs and shows step 0 of the explanation for the chosen observer; a release on
// the drawing (Shift alone: back) or Right, Space, Page Down (Left, Backspace, Page Up: back)
// on the focused drawing steps it; the orbit-point and shift scroll bars and the zoom redraw it.
// "CONTINUOUS CHANGE", "REPEAT", "BACK" and the pendulum entries end it (the screen's handlers).
class ExplanationMode : public QObject, public DiskExplanation {
    Q_OBJECT
public:
    explicit ExplanationMode(DiskExplanationHost& host);

    const ExplanationTables& tables() const { return tables_; }

    bool active() const override { return active_; }
    int step() const override { return step_; }
    void setStep(int step) override { step_ = step; }
    // Draws the step and says the fitted picture's scale in the zoom's label.
    void redraw() override;
    // Leaves explanation mode, the zoom's label as it was before.
    void end() override;

    // The handlers.
    void exigisi2_CORIOLISEXP_Click();
    void step(bool back);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void released(const CanvasMouse& mouse);
    void shiftChanged();
    ExplanationSettings settings() const;
    bool rotatingObserver() const;

    DiskExplanationHost& host_;
    DiskExplanationControls c_;
    ExplanationTables tables_;
    QString scaleText_;
    bool active_ = false;
    int step_ = 0;  // explanationStep
};

}  // namespace velarium
