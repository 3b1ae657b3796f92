#pragma once

#include <string>
#include <utility>
#include <vector>

#include "draw/PlotCanvas.h"
#include "draw/Vec2.h"

namespace velarium {

// One text line of an explanation step, in its colour and weight.
struct StepLine {
    std::string text;
    Rgb colour = kBlack;
    bool bold = false;
};

// A turn counter-clockwise by an angle (radians).
Vec2 rotate(Vec2 v, double angle);
inline Vec2 operator+(Vec2 a, Vec2 b) { return {a.x + b.x, a.y + b.y}; }
inline Vec2 operator-(Vec2 a, Vec2 b) { return {a.x - b.x, a.y - b.y}; }
inline Vec2 operator-(Vec2 a) { return {-a.x, -a.y}; }
inline Vec2 operator*(double k, Vec2 a) { return {k * a.x, k * a.y}; }

// The frame an explanation picture is drawn in. The moments the explanation compares may lie far
// from the axis (row 66 of the default run is 13 radii out) while the canvas shows ±2.4 radii at
// the screen's default zoom: the picture is therefore scaled down about the axis and moved, as a
// whole, into the part of that default view that the text block above and the footer below leave
// free. A world point p is drawn at offset + scale·p and a vector v as scale·v; the scale never
// exceeds 1, so a picture that already fits keeps its true size. The zoom and the shifts of the
// screen then act on this picture as on any other.
struct PictureFrame {
    Vec2 offset;
    double scale = 1;
    // The band of the canvas the picture stands in, as fractions of its height from the top.
    double bandTop = 0, bandBottom = 1;
    Vec2 at(Vec2 p) const { return offset + scale * p; }
    // Whether a point in user units falls in the band on the canvas as it is now scaled; orbit
    // points outside it would run under the texts.
    bool inBand(const PlotCanvas& canvas, Vec2 p) const;
};

struct ArrowLabel;

// The scales a picture is drawn at: a world point p at frame.at(p), a velocity v as the arrow
// velocity·v, an acceleration a as the arrow acceleration·a. Velocities are 0.3 times their
// value (as on the disk screen) in the frame; accelerations share one scale of their own, at
// which the largest of the explanation stands 0.8 times as long as its longest velocity arrow:
// the arrow of a is as long as the velocity change a makes in accelerationTime.
struct PictureScales {
    PictureFrame frame;
    // World units (radii) per unit of velocity and of acceleration: what the footer reports.
    double worldVelocity = 0, worldAcceleration = 0;
    Vec2 aside;  // where a second copy of the picture stands, as a world shift
    // User units per unit of velocity and of acceleration.
    double velocity() const { return frame.scale * worldVelocity; }
    double acceleration() const { return frame.scale * worldAcceleration; }
};

// What an arrow measures, and so the scale it is drawn at.
enum class Measure { Velocity, Acceleration };

// A named arrow of a step, in world terms: it starts at a world point, moved on by the velocity
// and acceleration laid end to end before it (each at its own scale), and draws a velocity or an
// acceleration.
struct StepArrow {
    StepArrow(Vec2 at, Measure measure, Vec2 vector, Rgb colour, int style, std::string label,
              Vec2 afterVelocity = {}, Vec2 afterAcceleration = {})
        : at(at),
          measure(measure),
          vector(vector),
          colour(colour),
          style(style),
          label(std::move(label)),
          afterVelocity(afterVelocity),
          afterAcceleration(afterAcceleration) {}
    Vec2 at;
    Measure measure;
    Vec2 vector;
    Rgb colour;
    int style;
    std::string label;
    Vec2 afterVelocity, afterAcceleration;
};

// The frame and scales of one step's picture. Velocities start at `velocityScale` and
// accelerations at `accelerationScale` (world units per unit); where the shortest named arrow
// of a kind would be less than three arrowheads long, that kind's scale grows until it is not,
// or until it can grow no more. The picture holds the given world points (the axis, the
// moments) and every arrow whole, fitted as fitPicture does.
PictureScales fitArrows(const PlotCanvas& canvas, const std::vector<Vec2>& points,
                        const std::vector<StepArrow>& arrows, double velocityScale,
                        double accelerationScale, int textLines, int footerLines);

// Draws the step's arrows at the picture's scales and keeps their labels for placeLabels.
void drawStepArrows(PlotCanvas& canvas, std::vector<ArrowLabel>& labels, const PictureScales& s,
                    const std::vector<StepArrow>& arrows, int width);

// The time τ = 0.8·max|v| / max|a| of the acceleration scale, 0.1 (a display step) when
// nothing accelerates or nothing moves.
double accelerationTime(const std::vector<Vec2>& velocities,
                        const std::vector<Vec2>& accelerations);

// Fits the bounding box of the given world points (the moments and the tips of every vector
// the explanation's steps draw) into the free part of the default view: below a text block of
// `textLines` lines and above a footer of `footerLines` lines, with a margin of one line.
PictureFrame fitPicture(const PlotCanvas& canvas, const std::vector<Vec2>& points, int textLines,
                        int footerLines);

// The screen lays its shift bars over the drawing's right and bottom edges. Two strips of the
// background under them, drawn first, count as ink, so that no label is placed under a bar.
void clearUnderTheBars(PlotCanvas& canvas);

// The step's lines one below the other from the top-left corner of the canvas, each in its
// colour and weight, then the step number.
void printStepText(PlotCanvas& canvas, const std::vector<StepLine>& lines, int step);

// Lines at the bottom-left corner of the canvas, the last one on its bottom edge.
void printFooter(PlotCanvas& canvas, const std::vector<std::string>& lines);

// An arrow and the label it carries. Labels are placed after the texts of the step, so that
// each lands clear of them and of the labels before it.
struct ArrowLabel {
    Vec2 anchor;  // the tip, or the point a label names
    Vec2 ahead;   // the way the arrow points
    std::string text;
    Rgb colour;
};

// Draws an arrow from `from` along `d` (user units) in a colour, width and line style and keeps
// its label, anchored at the tip, for `placeLabels`. A named vector too short to draw, as a sum
// that vanishes, keeps its label at its start with " = 0" added, so the picture says it is zero.
void labelledArrow(PlotCanvas& canvas, std::vector<ArrowLabel>& labels, Vec2 from, Vec2 d,
                   Rgb colour, int width, int style, std::string label);
void placeLabels(PlotCanvas& canvas, const std::vector<ArrowLabel>& labels);

// The barb of an arrow on the canvas: a seventy-fifth of its diagonal, in user units.
double barbLength(const PlotCanvas& canvas);

// A scale for the footer, to three significant figures.
std::string formatScale(double scale);

// The footer line of an explanation's last step.
inline constexpr const char* kLastStepLine = "Last step: click to start again";

// The step a click leads to: forward, or back with Shift alone; 0 and lastStep wrap round.
int nextExplanationStep(int step, int lastStep, bool back);

}  // namespace velarium
