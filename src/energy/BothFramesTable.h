#pragma once

#include "energy/BothFramesRun.h"
#include "output/CsvTable.h"

namespace velarium {

// The both-frames run as a table: one row per stored point, the body in both frames, the base's
// ω and angle, the energies and the six work tables.
CsvTable bothFramesTable(const OrbitTables& tables, const BothFramesRun& run);
// The same table written over `table`, whose rows keep their storage: a run of 5000 points then
// allocates nothing.
void bothFramesTable(const OrbitTables& tables, const BothFramesRun& run, CsvTable& table);

}  // namespace velarium
