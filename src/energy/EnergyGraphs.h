#pragma once

#include "disk/DiskModel.h"
#include "draw/PlotCanvas.h"

namespace velarium {

// The graphs of a both-frames run. Each reads the shared disk parameters and tables as the last
// run left them (N = pointCount, dt = stepH, ω0 = diskOmega0) and draws only the points that run
// stored. Before any run, or with a range of zero, a graph gets a fallback range and shows its
// axes and texts with no data.

inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kGreen{0, 255, 0};
inline constexpr Rgb kBlue{0, 0, 255};
inline constexpr Rgb kMagenta{255, 0, 255};

// Points of the last run that a graph may read: rows 0 .. drawableRows − 1.
int drawableRows(const DiskShared& disk);

// Equal units in both directions, y up, at least ±3 radii across the smaller direction of the
// canvas: left −3·R·(W + H)/H, top 3·R·(W + H)/W with W, H the canvas's size.
void setOrbitScale(PlotCanvas& canvas, int unitRadius);
// "INERTIAL SYSTEM" in red and "ROTATING SYSTEM" in blue near the top, each with a sample line.
void drawOrbitLegend(PlotCanvas& canvas);

// "Graphs of the orbits": the axes, the inertial orbit in red and the rotating-frame orbit in
// blue (the last 20 points left out), the dotted magenta start circle of radius R, the legend.
// Drawn over what the canvas shows.
void drawOrbitGraph(PlotCanvas& canvas, const DiskShared& disk);

// "Angle of Base vs Time": the base angle θ against time for a run of total time T; a straight
// line of slope ω0 for a base that keeps its angular velocity.
void drawBaseAngleGraph(PlotCanvas& canvas, const DiskShared& disk, double totalTime);

// "Angular Velocity vs Time": ω of the friction torque (red curve) and ω from the conservation
// of angular momentum (blue points every 50 steps), with "ω final = ".
// xronosolikos is the total-time scroll value at drawing time.
void drawAngularVelocityGraph(PlotCanvas& canvas, const DiskShared& disk, int xronosolikos);

// "Velocities": the inertial and rotating-frame velocity components and, every 50 steps, the
// relative velocity in inertial components, the N points spread over 2·V·π with V the
// total-time scroll value at drawing time.
void drawVelocityGraphs(PlotCanvas& canvas, const DiskShared& disk, int xronosolikos);

}  // namespace velarium
