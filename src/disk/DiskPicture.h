#pragma once

#include <string>

#include "disk/DiskForces.h"
#include "disk/DiskModel.h"
#include "draw/NumberFormat.h"
#include "draw/Palette.h"
#include "draw/PlotCanvas.h"

namespace velarium {

// Drawing constants of the rotating-disk picture.
inline constexpr double kViewHalfSize = kRimRadius;           // the drawn disk radius
inline constexpr double kBodyDotRadius = kViewHalfSize / 20;  // the body's dot
inline constexpr double kVelocityScale = 0.3;                 // arrows are 0.3 times the vector

inline constexpr Rgb kTrailInertial = rgb(Colour::trailInertial);
inline constexpr Rgb kTrailRotating = rgb(Colour::trailRotating);
inline constexpr Rgb kDiskRadius = rgb(Colour::diskRadius);

// Scales the disk view: edges at ∓2·s + X horizontally and ±2·s + Y vertically, y up.
void setDiskScale(PlotCanvas& canvas, double zoom, double shiftX, double shiftY);

// What the picture shows besides the run itself.
struct DiskPictureSettings {
    bool rotatingView = false;
    bool friction = false;  // "NON ZERO FRICTION"
    bool freeDisk = false;  // the model choice: the disk turns freely
    bool pendulum = false;  // a pendulum entry is checked: the restoring force acts
    bool check1 = false, check2 = false, check4 = false, check5 = false, check6 = false,
         check7 = false;
};

// The colours of the vectors of the picture, one hue for each named vector, apart in the
// program's colours and in the projector's. The body's own velocity arrow is black.
namespace diskcolours {
inline constexpr Rgb kBaseVelocity = rgb(Colour::baseVelocity);
inline constexpr Rgb kRelative = rgb(Colour::relative);
inline constexpr Rgb kFriction = rgb(Colour::friction);
inline constexpr Rgb kLineOfMotion = rgb(Colour::lineOfMotion);
inline constexpr Rgb kDiagramInertial = rgb(Colour::diagramInertial);
inline constexpr Rgb kDiagramRotating = rgb(Colour::diagramRotating);
inline constexpr Rgb kCoriolis = rgb(Colour::coriolis);
inline constexpr Rgb kCentrifugal = rgb(Colour::centrifugal);
inline constexpr Rgb kBaseAcceleration = rgb(Colour::baseAcceleration);
inline constexpr Rgb kRestoring = rgb(Colour::restoring);
inline constexpr Rgb kTotalForce = rgb(Colour::totalForce);
}  // namespace diskcolours

// The zoom at which the body and the heads of its velocity arrows stand inside the view with a
// margin for the heads: the chosen zoom, or a wider one, in quarters, when the body has gone
// beyond it. The forces are fitted to the view they get.
double diskZoomInSight(const DiskParameters& params, const DiskRun& run,
                       const DiskPictureSettings& settings, double zoom);

// The start picture: the rim, the body's dot at (0, R) with its velocity arrow, two radii and an
// arc that marks the clockwise sense of rotation.
void drawStartPicture(PlotCanvas& canvas, const DiskRun& run, int unitRadius);

// The trail of a view, rows 0..stepIndex, over the disk rim. What an earlier call drew is kept
// on a canvas layer, so a step adds its one dot to it; the picture is the same as a full redraw.
struct TrailLayer {
    static constexpr int kSlot = 1;
    bool valid = false;
    bool rotatingView = false;
    int dots = 0;
    double left = 0, top = 0, width = 0, height = 0;
};
void drawDiskTrail(PlotCanvas& canvas, const DiskRun& run, bool rotatingView, TrailLayer& layer);

// What changes from step to step, drawn over the trail: the disk's radius at its angle, the
// body's velocity, the angular-momentum read-outs and the vectors of the check boxes.
void drawDiskOverlay(PlotCanvas& canvas, const DiskParameters& params, const DiskRun& run,
                     const DiskPictureSettings& settings);

}  // namespace velarium
