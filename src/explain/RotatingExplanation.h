#pragma once

#include <vector>

#include "disk/DiskModel.h"
#include "draw/PlotCanvas.h"
#include "draw/Vec2.h"
#include "explain/ExplanationPicture.h"
#include "explain/InertialExplanation.h"
#include "explain/OrbitPairs.h"

namespace velarium {

// The rotating observer's two moments t1 and t2, Δt apart, in the frame of the disk. At a
// moment with disk angle θ the observer sees the position x' = R(θ)·x, the absolute velocity
// Vα = R(θ)·v, the base velocity Vb = (ω·y', −ω·x') and the relative velocity Vre = Vα − Vb.
// The relative acceleration (Vre2 − Vre1)/Δt splits into (Vα2 − Vα1)/Δt, which is ω²·x' along
// the radius plus ω·Vre across Vre, and −(Vb2 − Vb1)/Δt, a further ω·Vre across Vre: together
// ω²·x' + 2·Vre×ω, the centrifugal and the Coriolis accelerations. A difference over Δt is the
// derivative at the middle of the interval to second order, so the limits it is set against
// (and split along) are taken there, from the mean of the two moments.
struct RotatingPair {
    int row1 = 0, row2 = 0;
    double dt = 0;
    double omega1 = 0, omega2 = 0;
    Vec2 x1, x2;
    Vec2 va1, va2, vb1, vb2, vre1, vre2;

    Vec2 relativeAcceleration() const { return (1 / dt) * (vre2 - vre1); }
    Vec2 baseTerm() const { return (-1 / dt) * (vb2 - vb1); }  // −dVb/Δt
    Vec2 absoluteAcceleration() const { return (1 / dt) * (va2 - va1); }
    // The middle of the interval.
    double omegaMid() const { return (omega1 + omega2) / 2; }
    Vec2 xMid() const { return 0.5 * (x1 + x2); }
    Vec2 vreMid() const { return 0.5 * (vre1 + vre2); }
    Vec2 centrifugal() const { return omegaMid() * omegaMid() * xMid(); }  // ω²×R
    Vec2 coriolis() const {                                                // 2Vre×ω
        return 2 * omegaMid() * Vec2{-vreMid().y, vreMid().x};
    }
    // The absolute acceleration as a part along the radius plus a part across Vre.
    Vec2 absoluteAlongRadius() const;
    Vec2 absoluteAcrossVre() const { return absoluteAcceleration() - absoluteAlongRadius(); }
};

RotatingPair rotatingPairOf(const OrbitMoment& t1, const OrbitMoment& t2, double dt);

// The moments at `protosimiox` = p: t1 at row p + 1 and t2 one display step later, row p + 2,
// so that Δt is small and every difference points as its limit does.
RotatingPair rotatingPair(const DiskRun& run, const ExplanationTables& tables, int protosimiox);

// The named arrows of a step, in world terms.
std::vector<StepArrow> rotatingStepArrows(const RotatingPair& pair, int step);

// The scales and frame of a step's picture: velocities at 0.3 and accelerations at one scale
// for the whole explanation, each lengthened where a step's shortest arrow would be too short
// to read, and the axis, both moments and every arrow in view.
PictureScales rotatingScales(const PlotCanvas& canvas, const RotatingPair& pair, int step);

std::vector<StepLine> rotatingStepLines(int step);
inline constexpr int kRotatingLastStep = 8;
// Printed under the last step's text where its parallelogram is flat, the relative velocity
// running nearly along the disk's circles.
inline constexpr const char* kFlatParallelogram =
    "Here 2VreXω and ω²×R lie almost on one line: another orbit point opens the parallelogram";

// Starts the screen's motion afresh (resetRunForPicture), then redraws the canvas for
// settings.step: the axis, the orbits, the step's vectors, the orbits once more with the
// absolute orbit turned by the angle of t1, the step's text (printRotatingExplanation), the
// footer and the labels. Returns the picture's scales.
PictureScales drawRotatingExplanation(PlotCanvas& canvas, const DiskParameters& constants,
                                      DiskRun& run, const ExplanationTables& tables,
                                      const ExplanationSettings& settings);
void printRotatingExplanation(PlotCanvas& canvas, int step);

}  // namespace velarium
