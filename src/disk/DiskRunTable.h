#pragma once

#include "disk/DiskModel.h"
#include "output/CsvTable.h"

namespace velarium {

// The rotating-disk screen's run as a table: one row per display step from the start, the body's
// place and velocity in the inertial frame and in the frame turning with the disk, the disk's ω
// and angle θ, and the kinetic energy in each frame.
CsvTable diskRunTable(const DiskRun& run, const DiskParameters& params);

}  // namespace velarium
