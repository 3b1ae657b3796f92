#include "energy/BothFramesTable.h"

namespace velarium {

CsvTable bothFramesTable(const OrbitTables& tab, const BothFramesRun& run) {
    CsvTable table{
        {"t (time unit)", "x (R)", "y (R)", "vx (R/time unit)", "vy (R/time unit)", "x′ (R)",
         "y′ (R)", "vx′ (R/time unit)", "vy′ (R/time unit)", "ω (rad/time unit)", "θ (rad)",
         "E (energy unit)", "E′ kinetic (energy unit)", "W friction, inertial (energy unit)",
         "W friction, rotating (energy unit)", "W centrifugal (energy unit)",
         "W base force (energy unit)", "W total, rotating (energy unit)", "W drag (energy unit)"},
        {}};
    // Entry k holds the state after k + 1 steps.
    for (std::size_t k = 0; k < static_cast<std::size_t>(run.rows); ++k)
        table.rows.push_back({run.plan.dt * static_cast<double>(k + 1), tab.tabX[k], tab.tabY[k],
                              tab.tabVx[k], tab.tabVy[k], tab.tabXRot[k], tab.tabYRot[k],
                              tab.tabVxRot[k], tab.tabVyRot[k], tab.tabOmega[k], tab.tabTheta[k],
                              tab.tabEnergy[k], tab.tabKeRot[k], tab.tabWorkFrictionInertial[k],
                              tab.tabWorkFrictionRotating[k], tab.tabWorkCentrifugal[k],
                              tab.tabWorkBaseForce[k], tab.tabWorkTotalRotating[k],
                              tab.tabWorkDrag[k]});
    return table;
}

}  // namespace velarium
