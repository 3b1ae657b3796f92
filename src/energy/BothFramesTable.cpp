#include "energy/BothFramesTable.h"

#include <algorithm>

namespace velarium {

CsvTable bothFramesTable(const OrbitTables& tab, const BothFramesRun& run) {
    CsvTable table;
    bothFramesTable(tab, run, table);
    return table;
}

void bothFramesTable(const OrbitTables& tab, const BothFramesRun& run, CsvTable& table) {
    table.header = {"t (time unit)",
                    "x (R)",
                    "y (R)",
                    "vx (R/time unit)",
                    "vy (R/time unit)",
                    "x′ (R)",
                    "y′ (R)",
                    "vx′ (R/time unit)",
                    "vy′ (R/time unit)",
                    "ω (rad/time unit)",
                    "θ (rad)",
                    "E (energy unit)",
                    "E′ kinetic (energy unit)",
                    "W friction, inertial (energy unit)",
                    "W friction, rotating (energy unit)",
                    "W centrifugal (energy unit)",
                    "W base force (energy unit)",
                    "W total, rotating (energy unit)",
                    "W drag (energy unit)"};
    // Entry k holds the state after k + 1 steps.
    const auto rows = static_cast<std::size_t>(std::max(run.rows, 0));
    table.rows.resize(rows);
    for (std::size_t k = 0; k < rows; ++k)
        table.rows[k].assign({run.plan.dt * static_cast<double>(k + 1), tab.tabX[k], tab.tabY[k],
                              tab.tabVx[k], tab.tabVy[k], tab.tabXRot[k], tab.tabYRot[k],
                              tab.tabVxRot[k], tab.tabVyRot[k], tab.tabOmega[k], tab.tabTheta[k],
                              tab.tabEnergy[k], tab.tabKeRot[k], tab.tabWorkFrictionInertial[k],
                              tab.tabWorkFrictionRotating[k], tab.tabWorkCentrifugal[k],
                              tab.tabWorkBaseForce[k], tab.tabWorkTotalRotating[k],
                              tab.tabWorkDrag[k]});
}

}  // namespace velarium
