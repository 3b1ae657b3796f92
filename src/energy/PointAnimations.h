#pragma once

#include "disk/DiskModel.h"
#include "draw/PlotCanvas.h"
#include "draw/Vec2.h"

namespace velarium {

// A graph that a screen draws one stored point per timer event, from the first point to the
// last, reading the tables of the last run.
struct PointAnimation {
    enum class Kind { vectors, orbit };
    int next = 1;           // the point the next event draws
    int last = 0;           // the last point to draw
    double speedScale = 1;  // the vector graph's largest speed, drawn one radius long
    Kind kind = Kind::vectors;
    bool running() const { return next <= last; }
    // The moment shown: the last point drawn, 0 before the first.
    int shown() const { return next - 1; }
};

// Friction force per unit mass on the body at stored point i, μ = frictionDecel: towards the
// centre while the body rests on a free base, else against the velocity relative to the base
// (P, Q) = (vx − ω·y, vy + ω·x), ω = tabOmega[i] (ω0 at i = 1); (0, −μ) when P and Q are 0.
Vec2 frictionPerMass(const DiskShared& disk, int i);

// "Angle of Vectors" on a square canvas: for each point, the velocity (red, "VELOCITY") and the
// friction force (blue, "FORCE") drawn from the centre, the velocity to the scale of the run's
// largest speed and the force to that of μ, on the green circle the force's tip runs on, with the
// time and the angle between the two. The angle exceeds 90° while friction slows the body.
PointAnimation startVectorGraph(PlotCanvas& canvas, const DiskShared& disk);
void drawVectorGraphPoint(PlotCanvas& canvas, const DiskShared& disk, const PointAnimation& a,
                          int i);

// "Time development of the orbit": the orbits in both frames growing point by point, red in
// the inertial frame and blue in the rotating one, a dot every ten points (equal times), and
// every twentieth of the run an arrow along each velocity. Starts on a cleared canvas.
PointAnimation startOrbitAnimation(PlotCanvas& canvas, const DiskShared& disk);
void drawOrbitAnimationPoint(PlotCanvas& canvas, const DiskShared& disk, int i);

// One event of either animation: point i over what the events before it drew.
void drawAnimationPoint(PlotCanvas& canvas, const DiskShared& disk, const PointAnimation& a, int i);
// The animation at moment k, 0..last, as its start and the events 1..k drew it: any moment
// shown again exactly, backwards as well as forwards. The vector graph's point stands alone on
// its canvas; the growing orbits are drawn again from their start.
void drawAnimationMoment(PlotCanvas& canvas, const DiskShared& disk, const PointAnimation& a,
                         int k);

}  // namespace velarium
