#include "translating/RelativeRunTable.h"

namespace velarium {

CsvTable relativeRunTable(const RelativeRun& run, const RelativeSettings& s, double dt) {
    CsvTable table{
        {"t (time unit)", "x (length unit)", "y (length unit)", "vx (length unit/time unit)",
         "vy (length unit/time unit)", "x′ (length unit)", "y′ (length unit)",
         "vx′ (length unit/time unit)", "vy′ (length unit/time unit)"},
        {}};
    for (int n = 0; n < run.rowsHeld; ++n) {
        const auto k = static_cast<std::size_t>(n);
        const double t = (n + 1) * dt;
        // The frame moves with V(t) = V0 + A·t; the body's velocity in it is v − V(t).
        const double wx = s.taxythtax + s.epitaxynshx * t;
        const double wy = s.taxythtay + s.epitaxynshy * t;
        table.rows.push_back({t, run.labX[k], run.labY[k], run.labVx[k], run.labVy[k], run.relX[k],
                              run.relY[k], run.labVx[k] - wx, run.labVy[k] - wy});
    }
    return table;
}

}  // namespace velarium
