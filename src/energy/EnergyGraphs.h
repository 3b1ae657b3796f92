#pragma once

#include "disk/DiskModel.h"
#include "draw/Palette.h"
#include "draw/PlotCanvas.h"

namespace velarium {

// The graphs of a both-frames run. Each reads the shared disk parameters and tables as the last
// run left them (N = pointCount, dt = stepH, ω0 = diskOmega0) and draws only the points that run
// stored, each row at its own time (tabTime). Before any run, or with a range of zero, a graph
// gets a fallback range and shows its axes and texts with no data.

inline constexpr Rgb kRed = rgb(Colour::graphRed);
inline constexpr Rgb kGreen = rgb(Colour::graphGreen);
inline constexpr Rgb kBlue = rgb(Colour::graphBlue);
inline constexpr Rgb kMagenta = rgb(Colour::graphMagenta);

// Points of the last run that a graph may read: rows 0 .. drawableRows − 1.
int drawableRows(const DiskShared& disk);

// Names of the axes. The program's units have no names: time and angular velocity go bare, an
// angle is in radians.
inline constexpr const char* kTimeAxis = "t";
inline constexpr const char* kWorkAxis = "W, E";
inline constexpr const char* kSpeedAxis = "v";
inline constexpr const char* kOmegaAxis = "ω";
inline constexpr const char* kAngleAxis = "θ (rad)";
inline constexpr const char* kOrbitXAxis = "x";
inline constexpr const char* kOrbitYAxis = "y";

// Equal units in both directions, y up, the centre of the base in the middle: wide enough that
// both orbits of the last run and the start circle lie whole inside, with the top quarter left
// for the legend.
void setOrbitScale(PlotCanvas& canvas, const DiskShared& disk);
// The axes through the centre across the whole canvas, with their names.
void drawOrbitAxes(PlotCanvas& canvas);
// "INERTIAL SYSTEM" in red and "ROTATING SYSTEM" in blue at the top left, each beside a sample
// line.
void drawOrbitLegend(PlotCanvas& canvas);

// "Graphs of the orbits" of one run, on a cleared canvas: the axes, the inertial orbit in red and
// the rotating-frame orbit in blue (the last 20 points left out), the dotted magenta start circle
// of radius R, the legend.
void drawOrbitGraph(PlotCanvas& canvas, const DiskShared& disk);

// "Angle of Base vs Time": the base angle θ against time for a run of total time T; a straight
// line of slope ω0 for a base that keeps its angular velocity.
void drawBaseAngleGraph(PlotCanvas& canvas, const DiskShared& disk, double totalTime);

// "Angular Velocity vs Time": ω of the friction torque (red curve) and ω from the conservation
// of angular momentum (blue points every 50 steps), with "ω final = ".
void drawAngularVelocityGraph(PlotCanvas& canvas, const DiskShared& disk);

// "Velocities": the inertial and rotating-frame velocity components and, every 50 steps, the
// relative velocity in inertial components, against the run's time like every other graph.
void drawVelocityGraphs(PlotCanvas& canvas, const DiskShared& disk);

}  // namespace velarium
