#pragma once

#include <string>

#include "disk/DiskForces.h"
#include "disk/DiskModel.h"
#include "draw/NumberFormat.h"
#include "draw/PlotCanvas.h"

namespace velarium {

// Drawing constants of the rotating-disk picture.
inline constexpr double kViewHalfSize = kRimRadius;           // the drawn disk radius
inline constexpr double kBodyDotRadius = kViewHalfSize / 20;  // the body's dot
inline constexpr double kVelocityScale = 0.3;                 // arrows are 0.3 times the vector

inline constexpr Rgb kTrailInertial{255, 0, 0};
inline constexpr Rgb kTrailRotating{0, 0, 255};
inline constexpr Rgb kDiskRadius{0, 0, 255};

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
inline constexpr Rgb kBaseVelocity{0, 140, 0};
inline constexpr Rgb kRelative{255, 0, 255};
inline constexpr Rgb kFriction{150, 120, 0};
inline constexpr Rgb kLineOfMotion{0, 150, 150};
inline constexpr Rgb kDiagramInertial{255, 0, 0};
inline constexpr Rgb kDiagramRotating{0, 0, 255};
inline constexpr Rgb kCoriolis{0, 110, 190};
inline constexpr Rgb kCentrifugal{200, 90, 0};
inline constexpr Rgb kBaseAcceleration{100, 0, 150};
inline constexpr Rgb kRestoring{0, 140, 90};
inline constexpr Rgb kTotalForce{200, 0, 100};
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
