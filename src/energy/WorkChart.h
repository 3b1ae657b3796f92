#pragma once

#include <string>

#include "disk/DiskModel.h"
#include "draw/PlotCanvas.h"

namespace velarium {

// The range of the work chart, kept from its last full drawing for the redraws of its button.
struct WorkChartState {
    double chartMax = 0;            // top of the range of the plotted works
    double chartMin = 0;            // bottom of that range, never above 0
    bool halfRangeOffered = false;  // the chart shows the full range; its button offers half
};

// Captions of the chart's button.
inline constexpr const char* kHalfMaximumCaption = "HALF MAXIMUM";
inline constexpr const char* kHalfRangeCaption = "ΜΙΣΟ ΜΕΓΙΣΤΟΥ";  // "half of the maximum"
inline constexpr const char* kInitialRangeCaption = "ΑΡΧΙΚΟ";      // "initial"

// "Work and Energy in rotating and inertial frames", first drawing: finds the range that holds
// every work and energy the chart draws over the last run, keeps it and draws the full range.
// Returns the button's new caption. totalTime is that run's T.
std::string drawWorkChartFirst(PlotCanvas& canvas, const DiskShared& disk, double totalTime,
                               WorkChartState& state);

// The chart's button: draws half the kept range when the full one is shown, and the full one
// again when half is shown, with the redraw's legend texts and friction's work on the motion
// relative to the base marked. Returns the button's new caption.
std::string drawWorkChartToggled(PlotCanvas& canvas, const DiskShared& disk, double totalTime,
                                 WorkChartState& state);

}  // namespace velarium
