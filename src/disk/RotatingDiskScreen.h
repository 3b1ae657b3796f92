#pragma once

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <algorithm>
#include <memory>

#include "disk/DiskExplanation.h"
#include "disk/DiskForces.h"
#include "disk/DiskModel.h"
#include "disk/DiskPicture.h"
#include "disk/DisplayStep.h"
#include "draw/CanvasWidget.h"
#include "output/CanvasActions.h"
#include "shell/ScreenTimer.h"
#include "shell/TimeLine.h"

namespace velarium {

class Program;
class ModelChoicePanel;

// The screen "FOLLOW THE MOVEMENT STEP BY STEP": a body on the turning disk, stepped or animated,
// in the inertial or the rotating view, with its trail, velocities, forces and guiding message.
// Its step-by-step explanation, made by the factory it is given, reaches it through
// DiskExplanationHost.
class RotatingDiskScreen : public QMainWindow, public DiskExplanationHost {
    Q_OBJECT
public:
    RotatingDiskScreen(Program& program, const DiskExplanationFactory& makeExplanation);
    ~RotatingDiskScreen() override;

    // Menu entries.
    QAction* EPANELAVE;
    QAction* piso;
    QAction* telos;
    QAction* CHRONIKHMETAVOLH;
    QAction* FOUCAULT;
    QAction* FOUCAULTTEXTBOOK;
    QAction* FOUCAULTV0;
    QAction* CORIOLISEXP;

    // Controls.
    CanvasWidget* Picture1;
    CanvasWidget* Picture2;
    QPlainTextEdit* Text1;
    QPushButton* Command1;
    // "STEP BACK" shows the step before the one shown; "PAUSE" stops CONTINUOUS CHANGE where it
    // stands, and CONTINUOUS CHANGE goes on from there.
    QPushButton* StepBack;
    QPushButton* Pause;
    // The time line over the steps run so far, and its read-out of the shown step.
    TimeLine* timeLine;
    QRadioButton* Option2;
    QRadioButton* Option1;
    QCheckBox* Check1;
    QCheckBox* Check2;
    QCheckBox* Check3;
    QCheckBox* Check4;
    QCheckBox* Check5;
    QCheckBox* Check6;
    QCheckBox* Check7;
    QScrollBar* vxtax;
    QScrollBar* vytax;
    QScrollBar* mazalazo;
    QScrollBar* zoumerno;
    QScrollBar* XSCALEFIGURE;
    QScrollBar* YSCALEFIGURE;
    QScrollBar* protosimiox;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    ScreenTimer* Timer1;
    // "Copy Picture", "Save Picture…" and "Export Data…" (the run's rows in both frames).
    CanvasActions* canvasActions;

    // Back to the start: the disk at angle 0, the body at (0, R) with the scroll bars' velocity.
    void resetDiskScreen();

    // The run the screen keeps: the path tables in both frames and the step counter.
    DiskRun& run() { return run_; }
    // The constants of the run as the controls set them: m from the mass, K while a pendulum is
    // chosen, friction, and the model choice of the panel.
    DiskParameters constants() const;
    DiskExplanation& explanation() { return *explanation_; }
    const DiskMessage& message() const { return message_; }
    // Chooses the guiding message again for the situation as it now stands.
    void updateDiskMessage() override;
    // Shows the kept step k of the run as its STEP left it: the picture, the message and the
    // read-outs. A STEP from there discards the later steps.
    void showKeptStep(int k);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildMenu();
    void buildControls();
    void connectHandlers();
    void layoutControls();
    void load();

    void exigisi2_Command1_Click();
    void exigisi2_Timer1_Timer();
    void exigisi2_CHRONIKHMETAVOLH_Click();
    void exigisi2_EPANELAVE_Click();
    void exigisi2_piso_Click();
    void exigisi2_FOUCAULT_Click();
    void exigisi2_Check_Click();
    void exigisi2_Check3_Click();
    void exigisi2_Option1_Click();
    void exigisi2_Option2_Click();
    void exigisi2_mazalazo_Change();
    void exigisi2_vxtax_Change();
    void exigisi2_vytax_Change();
    void exigisi2_zoumerno_Change();

    // One display step in the chosen view (the step routines of both views).
    void diskScreenStep();
    DisplayStepInput stepInput() const;

    DiskExplanationControls explanationControls() override;
    DiskRun& explanationRun() override { return run_; }
    DiskParameters explanationConstants() const override { return constants(); }
    DisplayStepInput explanationStepInput() const override { return stepInput(); }
    void stopForExplanation() override { stopTimer(); }
    // The explanation's runs replace the screen's: their steps have no message of the screen's.
    void forgetTrail() override {
        trail_.valid = false;
        std::fill(messages_.begin(), messages_.end(), DiskMessage{});
    }
    void viewChanged() override { exigisi2_zoumerno_Change(); }
    // Redraws the current step without advancing: velocities, and forces in the rotating view.
    void showDiskVectors();
    void showMessage();
    void showMessageColour();
    void showVelocityLabels();
    void drawStartPicture();
    // The picture of the current state at the canvas's current size.
    void redrawPicture();

    bool pendulum() const;
    bool freeDiskChosen() const;
    DiskPictureSettings pictureSettings() const;
    void hideShifts();
    void stopTimer();
    // The time line as the run now stands.
    void showTimeLine();
    // The model choice panel is shown beside the screen while friction is on.
    void showModelChoiceForFriction();
    void setViewScale() override;
    // Widens the view, at a step, while the body or the heads of its arrows would stand outside
    // it.
    void keepBodyInSight(const DiskPictureSettings& settings);
    // Back to the zoom's own view and read-out.
    void endWidening() override;
    void drawRun();

    Program& program_;
    DiskRun run_;
    DiskMessage message_;
    // Step 0 as the screen showed it before the run's first step: the body's velocity, and
    // whether its vectors were drawn over the trail or the start picture was.
    struct StartShown {
        double vx = 0, vy = 0;
        bool vectors = false;
    } start_;
    // The message as it stood at each kept step: the next one follows from it.
    std::vector<DiskMessage> messages_ = std::vector<DiskMessage>(DiskRun::kPathRows);
    TrailLayer trail_;
    QSize trailCanvasSize_;
    bool stepping_ = false;
    // The zoom read-out as the user left it, while the view is widened beyond the zoom.
    QString zoomLabel_;
    double zoomInSight_ = 0;
    bool shownBefore_ = false;

    // The step-by-step explanation of the centrifugal and Coriolis accelerations hooks into the
    // screen's menu, scroll bars and drawing; it lives in its own room.
    std::unique_ptr<DiskExplanation> explanation_;
};

}  // namespace velarium
