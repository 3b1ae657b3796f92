#pragma once

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QWidget>
#include <array>

#include "energy/BothFramesRun.h"
#include "output/CsvTable.h"
#include "widgets/ScreenRegistry.h"

namespace velarium {

class Program;
class GraphScreen;

// "Simulation of both frames - Variables": the settings of the run of a body sliding with
// friction on a base that keeps its angular velocity or turns freely, REPEAT, and the buttons
// that open the work chart and the graphs. A scroll bar only updates its label; the run reads
// every control when it starts.
class BothFramesScreen : public QWidget {
    Q_OBJECT
public:
    // The run is kept in disk, where the graphs read it.
    BothFramesScreen(Program& program, DiskShared& disk);

    // The run: places and shows this screen in the lower half of the display, integrates with
    // the present settings, and draws the orbit graph and the base angle graph.
    void simulateBothFrames();

    // The controls' values as the run reads them.
    BothFramesSettings settings() const;
    const BothFramesRun& lastRun() const { return run_; }
    // The last run's rows and work tables, taken when it ended: the disk screens write the same
    // orbit tables afterwards.
    const CsvTable& runTable() const { return runTable_; }

    QScrollBar* xronosolikos;
    QScrollBar* timeinterval;
    QScrollBar* syntelfri;
    QScrollBar* massvalue;
    QCheckBox* dialogi;
    QPushButton* epanalipsi;
    QPushButton* base_centrafugalwork;
    QPushButton* goniakiarxi;
    QPushButton* Grafikhvel;
    QPushButton* enarxixronou;
    QPushButton* xronotroxia;
    QPushButton* gonxro;
    QPushButton* Command1;
    QPushButton* telos;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label6;
    QLabel* Label7;
    QLabel* Label8;
    QLabel* Label9;
    QLabel* Label10;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildControls();
    // Puts each graph's button and its sentence in the grid, side by side or one above the other.
    void arrangeGraphs(bool stacked);
    std::array<std::pair<QPushButton*, QLabel*>, 6> graphRows() const;
    void connectHandlers();
    void load();
    // Top at half the display's height, half as high and 0.85 as wide as the display.
    void placeInLowerHalf();
    GraphScreen& graph(ScreenId id);

    void rotating_xronosolikos_Change();
    void rotating_timeinterval_Change();
    void rotating_syntelfri_Change();
    void rotating_massvalue_Change();
    void rotating_dialogi_Click();
    void rotating_epanalipsi_Click();
    void rotating_goniakiarxi_Click();
    void rotating_Grafikhvel_Click();
    void rotating_enarxixronou_Click();
    void rotating_xronotroxia_Click();
    void rotating_gonxro_Click();
    void rotating_Command1_Click();

    Program& program_;
    DiskShared& disk_;
    BothFramesRun run_;
    CsvTable runTable_;
    QGridLayout* graphs_;
    bool stacked_ = false;
};

}  // namespace velarium
