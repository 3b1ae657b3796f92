#pragma once

#include <string>
#include <vector>

#include "disk/DiskModel.h"
#include "draw/PlotCanvas.h"
#include "draw/Vec2.h"
#include "explain/ExplanationPicture.h"
#include "explain/OrbitPairs.h"

namespace velarium {

// The body at one moment of the orbit run, as the inertial observer records it.
struct OrbitMoment {
    Vec2 position;     // inertial position
    Vec2 velocity;     // inertial (absolute) velocity
    double angle = 0;  // disk angle θ
    double omega = 0;  // disk angular velocity ω (the disk turns clockwise)
};

// The inertial observer's two moments t1 and t2, Δt apart. The disk point under the body moves
// with Vb = (ω·y, −ω·x) and the relative velocity is Vre = Vα − Vb. A vector of t2 is carried
// back to the orbit that the relative motion traces on the disk as it stands at t1 by turning
// it about the axis through Δθ = θ2 − θ1 against the disk's turn; x21 is the point of t2 so
// carried, x12 the point of t1 carried forward to the orbit of t2. Then
//   Vα2 − Vα1 = (Vre21 − Vre11) + (Vb22 − Vb21) + (Vb21 − Vb11) + (Vre22 − Vre21):
// relative, centripetal and two complementary terms, each ω×Vre in the limit, that add up to
// the opposite of the Coriolis acceleration, 2|ω||Vre| in size.
struct InertialPair {
    int row1 = 0, row2 = 0;
    double dt = 0;
    Vec2 x11, x22, x21, x12;
    Vec2 va1, va2;
    Vec2 vre11, vre22, vre21;
    Vec2 vb11, vb22, vb21;

    Vec2 relativeAcceleration() const { return (1 / dt) * (vre21 - vre11); }
    Vec2 centripetalAcceleration() const { return (1 / dt) * (vb22 - vb21); }
    Vec2 firstComplementary() const { return (1 / dt) * (vb21 - vb11); }
    Vec2 secondComplementary() const { return (1 / dt) * (vre22 - vre21); }
    Vec2 absoluteAcceleration() const { return (1 / dt) * (va2 - va1); }
};

InertialPair inertialPairOf(const OrbitMoment& t1, const OrbitMoment& t2, double dt);

// The moments of the explanation at `protosimiox` = p: t1 at row p and t2 at the next row, one
// display step later, so that Δt is small and the differences point as their limits do.
InertialPair inertialPair(const DiskRun& run, const ExplanationTables& tables, int protosimiox);

// The orbits of rows 1..66: the inertial one, and the relative motion's orbit on the disk as it
// stands at t1 and at t2 (the rotating-frame orbit turned by −θ1 and by −θ2).
struct InertialOrbits {
    std::vector<Vec2> inertial, atT1, atT2;
};
InertialOrbits inertialOrbits(const DiskRun& run, const ExplanationTables& tables,
                              const InertialPair& pair);

// The scales and frame of the picture: the disk, the orbits, the moments and every arrow in
// view, the rotating observer's copy set aside to the left.
PictureScales inertialScales(const PlotCanvas& canvas, const InertialPair& pair,
                             const InertialOrbits& orbits);

// The text lines of a step (0..9) of the inertial observer's explanation.
std::vector<StepLine> inertialStepLines(int step);
inline constexpr int kInertialLastStep = 9;

// Redraws the canvas for settings.step: the disk, the orbits, the step's vectors and labels,
// the step's text (printInertialExplanation) and the footer. Returns the picture's scales.
PictureScales drawInertialExplanation(PlotCanvas& canvas, const DiskRun& run,
                                      const ExplanationTables& tables,
                                      const ExplanationSettings& settings);
void printInertialExplanation(PlotCanvas& canvas, int step);

}  // namespace velarium
