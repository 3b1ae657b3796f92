#include "curve/CurveStations.h"

#include <cmath>
#include <limits>

namespace velarium {

CsvTable curveStationsTable(const CurveSettings& c) {
    CsvTable table{
        {"x (length unit)", "y (length unit)", "speed (length unit/time unit)",
         "curvature radius (length unit)", "tangential acceleration (length unit/time unit²)",
         "centripetal acceleration (length unit/time unit²)"},
        {}};
    for (int j = 0; j < 15; ++j) {
        const PointQuantities p = pointQuantities(c, 1.4 * j);
        const double radius =
            p.kappa != 0 ? std::abs(p.radius) : std::numeric_limits<double>::infinity();
        table.rows.push_back({p.x, p.y, p.v, radius, c.at, std::abs(p.ac)});
    }
    return table;
}

}  // namespace velarium
