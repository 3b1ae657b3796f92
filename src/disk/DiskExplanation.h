#pragma once

#include <QAction>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <functional>
#include <memory>

#include "disk/DiskModel.h"
#include "disk/DisplayStep.h"
#include "draw/CanvasWidget.h"

namespace velarium {

// The controls of the rotating-disk screen that a step-by-step explanation of it uses.
struct DiskExplanationControls {
    QAction* menuEntry;          // CORIOLISEXP, which starts it
    CanvasWidget* picture;       // Picture1, where it draws and takes its clicks and keys
    QScrollBar* orbitPoint;      // protosimiox
    QScrollBar* shiftX;          // XSCALEFIGURE
    QScrollBar* shiftY;          // YSCALEFIGURE
    QScrollBar* zoom;            // zoumerno
    QRadioButton* rotatingView;  // Option1
    QLabel* scale;               // Label1, the zoom's read-out
};

// What the rotating-disk screen offers an explanation: its controls, its run and constants, and
// the few of its routines the explanation calls.
class DiskExplanationHost {
public:
    virtual DiskExplanationControls explanationControls() = 0;
    virtual DiskRun& explanationRun() = 0;
    virtual DiskParameters explanationConstants() const = 0;
    virtual DisplayStepInput explanationStepInput() const = 0;
    virtual void stopForExplanation() = 0;
    // The view widened to follow the run gives way to the zoom's own.
    virtual void endWidening() = 0;
    // The screen's kept trail no longer stands for what the canvas shows.
    virtual void forgetTrail() = 0;
    virtual void setViewScale() = 0;
    // The zoom or a shift changed outside the explanation.
    virtual void viewChanged() = 0;
    virtual void updateDiskMessage() = 0;

protected:
    ~DiskExplanationHost() = default;
};

// What the rotating-disk screen asks of its explanation.
class DiskExplanation {
public:
    virtual ~DiskExplanation() = default;
    // The explanation is shown, and the step it shows.
    virtual bool active() const = 0;
    virtual int step() const = 0;
    virtual void setStep(int step) = 0;
    // Draws the step again.
    virtual void redraw() = 0;
    // Leaves the explanation.
    virtual void end() = 0;
};

using DiskExplanationFactory =
    std::function<std::unique_ptr<DiskExplanation>(DiskExplanationHost&)>;

}  // namespace velarium
