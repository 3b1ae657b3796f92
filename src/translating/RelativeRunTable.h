#pragma once

#include "output/CsvTable.h"
#include "translating/TranslatingModel.h"

namespace velarium {

// The relative-motion run as a table: one row per display step written, at its instant
// (n + 1)·Δt, the body in the laboratory and in the moving frame.
CsvTable relativeRunTable(const RelativeRun& run, const RelativeSettings& settings, double dt);

}  // namespace velarium
