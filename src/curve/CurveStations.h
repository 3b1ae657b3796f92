#pragma once

#include "curve/CurvePath.h"
#include "output/CsvTable.h"

namespace velarium {

// The fifteen stations of the acceleration display, x = 0, 1.4, ..., 19.6, as a table: the
// place, the speed, the radius of curvature (no value where the path is straight) and the two
// parts of the acceleration.
CsvTable curveStationsTable(const CurveSettings& c);

}  // namespace velarium
