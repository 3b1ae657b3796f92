#pragma once

#include <string>
#include <vector>

#include "draw/PlotCanvas.h"
#include "translating/TranslatingModel.h"

namespace velarium {

// An arrow as it was drawn: its start and its vector.
struct DrawnArrow {
    double x = 0, y = 0, dx = 0, dy = 0;
};

// The ring that marks the body: its centre and radius.
struct DrawnRing {
    double x = 0, y = 0, radius = 0;
};

// What a view holds of the run since it was last cleared: the arrows and the body's ring of the
// last step, so that the next step can paint them over in white exactly where they are whatever
// the controls have done since, and how many trail rows (1..trailRows) are on it.
struct ViewDrawn {
    std::vector<DrawnArrow> arrows;
    std::vector<DrawnRing> rings;
    int trailRows = 0;
    int legend = -1;  // the legend entries on the view, −1 for none drawn yet

    // The view has been cleared.
    void forget() { *this = {}; }
};

// A view follows the body: its centre moves on from the one zoom and pan give by an offset in
// user units, whenever the body nears the view's edge.
struct ViewFollow {
    double x = 0, y = 0;
};

struct RelativeDrawn {
    ViewDrawn lab;
    ViewDrawn moving;
    ViewFollow labFollow;
    ViewFollow movingFollow;
    double forceScale = 0;  // the scale of the force arrows on the moving-frame view, 0 for none
};

inline constexpr Rgb kVelocityRed{255, 0, 0};
inline constexpr Rgb kFictitiousBlue{0, 0, 255};
inline constexpr Rgb kKineticGreen{0, 255, 0};
inline constexpr Rgb kStaticGreen{5, 255, 5};

// A view with zoom S and pan (px, py): user coordinates from (S·(−30 − px), S·(30 − py)) at the
// top-left corner to (S·(30 − px), S·(−30 − py)) at the bottom-right, y up, moved on by the
// offset with which the view follows the body.
void setRelativeViewScale(PlotCanvas& canvas, int zoom, int panX, int panY, ViewFollow follow = {});
void setRelativeViewScales(PlotCanvas& lab, PlotCanvas& moving, const RelativeSettings& s,
                           const RelativeDrawn& drawn = {});

// The length of a force arrow per unit of force (mass × force per unit mass): 50, the raw mass
// control per unit mass, unless the largest force the settings can give, mass × the largest of
// |Ax|, |Ay| and μ·g, would then be longer than a fifth of the view; then the largest of 20,
// 10, 5, 2, 1, 0.5, … that keeps it within.
double relativeForceScale(const RelativeSettings& s);
// The legend's statement of that scale.
std::string relativeForceScaleText(double scale);

// The pictures of row step.row: the last arrows and ring painted over in white, the new
// velocity, fictitious-force and friction arrows and the ring that marks the body; then both
// trails and the legend.
// The trails and the legend end up as a complete redraw would leave them: rows not yet on a view
// are drawn, rows already there again only where this step's arrows or their painting over
// touch them, and the legend again when its entries change or something was drawn over it.
void drawRelativeStep(PlotCanvas& lab, PlotCanvas& moving, const RelativeRun& run,
                      const RelativeStep& step, const RelativeSettings& s, RelativeDrawn& drawn);

// The legend of the moving-frame view, placed from its current scale.
void drawRelativeLegend(PlotCanvas& moving, const RelativeSettings& s);

// One display step: rescales both views, advances the model, clears the moving-frame view when
// the body comes to rest in it, moves a view on to the body when the body nears its edge (and
// clears it), draws, and moves relativeStepIndex on. A run with no row left
// refuses the step and leaves the run and both views as they are; returns whether it stepped.
bool advanceRelativeStep(PlotCanvas& lab, PlotCanvas& moving, RelativeRun& run,
                         const RelativeSettings& s, double dt, RelativeDrawn& drawn);

// The kept rows 0..n − 1 of the run shown afresh, as they stood after row n − 1: both views
// cleared at the scales their follow offsets in `drawn` give, then the arrows and ring of row
// n − 1, both trails and the legend. Nothing but the cleared views for n = 0.
void drawRelativeRows(PlotCanvas& lab, PlotCanvas& moving, const RelativeRun& run, int n,
                      const RelativeSettings& s, RelativeDrawn& drawn);

// The most rows a replay shows.
inline constexpr int kReplayRows = 1300;

// Replays the stored run over the views as they stand (no clearing, no rescaling): the
// moving-frame path in blue dots, and every tenth point ringed in both views. Then the run is
// over: the carried flag drops and the next step starts a new run.
void replayRelativeRun(PlotCanvas& lab, PlotCanvas& moving, RelativeRun& run);

}  // namespace velarium
