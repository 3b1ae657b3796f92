#include "disk/DiskRunTable.h"

#include <cmath>

namespace velarium {

CsvTable diskRunTable(const DiskRun& run, const DiskParameters& params) {
    CsvTable table{
        {"t (time unit)", "x (R)", "y (R)", "vx (R/time unit)", "vy (R/time unit)", "x′ (R)",
         "y′ (R)", "vx′ (R/time unit)", "vy′ (R/time unit)", "ω (rad/time unit)", "θ (rad)",
         "E kinetic (energy unit)", "E′ kinetic (energy unit)"},
        {}};
    const double m = params.bodyMass;
    for (std::size_t k = 0; k <= static_cast<std::size_t>(run.stepIndex); ++k) {
        const double x = run.pathX[k], y = run.pathY[k];
        const double vx = run.pathVx[k], vy = run.pathVy[k];
        const double omega = run.pathOmega[k], theta = run.pathTheta[k];
        // The velocity relative to the disk surface, turned into the disk's axes by θ.
        const auto [p, q] = relativeVelocity(vx, vy, x, y, omega);
        const double c = std::cos(theta), s = std::sin(theta);
        const double vxr = c * p - s * q, vyr = s * p + c * q;
        table.rows.push_back({run.stepDuration * static_cast<double>(k), x, y, vx, vy,
                              run.pathXRot[k], run.pathYRot[k], vxr, vyr, omega, theta,
                              0.5 * m * (vx * vx + vy * vy), 0.5 * m * (vxr * vxr + vyr * vyr)});
    }
    return table;
}

}  // namespace velarium
