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

// "Work and Energy in rotating and inertial frames", first drawing: finds the range of the
// centrifugal and base-acceleration works over the last run, keeps it and draws the full range.
// Returns the button's new caption. xronosolikos is the total-time scroll value, read again.
std::string drawWorkChartFirst(PlotCanvas& canvas, const DiskShared& disk, int xronosolikos,
                               WorkChartState& state);

// The chart's button: draws half the kept range when the full one is shown, and the full one
// again when half is shown, with the redraw's legend texts and the rotating friction work marked.
// Returns the button's new caption.
std::string drawWorkChartToggled(PlotCanvas& canvas, const DiskShared& disk, int xronosolikos,
                                 WorkChartState& state);

}  // namespace velarium
