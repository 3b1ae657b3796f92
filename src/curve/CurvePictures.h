#pragma once

#include <optional>
#include <string>

#include "curve/CurvePath.h"
#include "draw/PlotCanvas.h"

namespace velarium {

// The text shown when the canvas is pressed outside the force exercise.
extern const char* const kCanvasPressText;

// What the force exercise keeps from a press for its release.
struct ForcePress {
    double pressX = 0;
    double pressY = 0;
    bool pressOnCurve = false;
    double pressCurvature = 0;
    Vec2 pressVelocity;
    Vec2 pressCentripetal;
    Vec2 pressTangential;
};

// The lab's scale: x from 0 to 20 and y from −10 to 10 at least, and with the settings of the
// acceleration display also every arrow of its fifteen stations; equal units both ways (the
// shorter range widened about the middle), y up.
void setCurveLabScale(PlotCanvas& canvas, const CurveSettings* stations = nullptr);

// The path y = A·sin(ω·x) as 401 points 0.05 apart in x, from x = 0 to 20.
void drawPath(PlotCanvas& canvas, const CurveSettings& c);

// The acceleration display: the path, velocity, centripetal and total acceleration at fifteen
// stations, and the legend. Draws without clearing; returns the explanation for the text box.
std::string drawCurveLab(PlotCanvas& canvas, const CurveSettings& c);

// The circles of curvature at the first crest and trough, with their arrows and legend.
// Returns the explanation for the text box.
std::string drawRadiusScene(PlotCanvas& canvas, const CurveSettings& c);

// The construction at a pressed point (X, Y): on the path, its circle of curvature, velocity,
// centripetal and tangential arrows (and friction in the force exercise); off the path, the
// radius-of-curvature picture. Returns the new explanation, if the point changes it.
std::optional<std::string> showPointVectors(PlotCanvas& canvas, const CurveSettings& c, double X,
                                            double Y, bool guessForce, bool radiusMode,
                                            ForcePress& press);

// The scale that every arrow of the force exercise shares, as the exercise states it.
std::string forceScaleText(const CurveSettings& c);

// Judges the student's force, dragged from the press point to (xr, yr), against the bending of
// the path and the change of speed, and draws the extra forces that would be needed.
void judgeForce(PlotCanvas& canvas, const CurveSettings& c, ForcePress& press, double xr,
                double yr);

}  // namespace velarium
