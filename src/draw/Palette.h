#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "draw/Rgb.h"

namespace velarium {

// Every colour the program draws with, each named once. A picture takes its colours from here by
// name, and "Projector Colours" shows each name in the projector colour of its own row: dark and
// saturated, at least 4.5:1 against white. Names that share a colour share its projector colour,
// so a canvas, which is handed the colour alone, finds the same one whichever name it came from.
enum class Colour {
    black,
    curveVelocity,
    centripetal,
    tangential,
    curvatureCircle,
    curveFriction,
    studentForce,
    shapeForce,
    tangentialForce,
    extraCentripetal,
    extraCentripetalText,
    labMark,
    labAcceleration,
    relativeVelocity,
    fictitiousForce,
    kineticFriction,
    staticFriction,
    introVelocity,
    studentsFriction,
    trailInertial,
    trailRotating,
    diskRadius,
    baseVelocity,
    relative,
    friction,
    lineOfMotion,
    diagramInertial,
    diagramRotating,
    coriolis,
    centrifugal,
    baseAcceleration,
    restoring,
    totalForce,
    messagePendulum,
    messageFriction,
    messageRelativeVelocity,
    messageRelativeShown,
    messageRelativeNoFriction,
    messageFreeDisk,
    messageNoFriction,
    messageCoriolis,
    messageTotalForce,
    messageBaseAcceleration,
    inertialOrbit,
    rotatingOrbitSeenInertial,
    orbitAtT1,
    orbitAtT2,
    explainedRelative,
    explainedBase,
    explainedDifference,
    explainedAcceleration,
    explainedAbsolute,
    rotatingExplanationRed,
    rotatingExplanationBlue,
    absoluteOrbit,
    absoluteOrbitDot,
    rotatingOrbit,
    baseAtT1,
    baseAtT2,
    baseText,
    absoluteAcceleration,
    graphRed,
    graphGreen,
    graphBlue,
    graphMagenta,
    inertialEnergy,
    centrifugalWorkText,
    orbitsInTimeFill,
    vectorGraphBackground,
    orbitsInTimeBackground,
};

struct PaletteEntry {
    Colour colour;
    std::string_view name;
    Rgb rgb;        // in the program's own colours
    Rgb projector;  // in "Projector Colours"
};

inline constexpr std::array kPalette{
    // Everywhere: the canvas's own ink. Its paper, white, is no ink: drawing in white, or in the
    // canvas's background colour, erases in either profile.
    PaletteEntry{Colour::black, "black", kBlack, kBlack},
    // The curve lab.
    PaletteEntry{Colour::curveVelocity, "curve velocity", {255, 0, 0}, {200, 0, 0}},
    PaletteEntry{Colour::centripetal, "centripetal acceleration", {5, 150, 255}, {0, 90, 200}},
    PaletteEntry{Colour::tangential, "tangential acceleration", {5, 150, 250}, {0, 90, 195}},
    PaletteEntry{Colour::curvatureCircle, "circle of curvature", {250, 0, 150}, {185, 0, 90}},
    PaletteEntry{Colour::curveFriction, "friction on the curve", {155, 155, 0}, {110, 110, 0}},
    PaletteEntry{Colour::studentForce, "the student's force", {0, 0, 255}, {0, 0, 255}},
    PaletteEntry{Colour::shapeForce, "force needed for the shape", {0, 250, 10}, {0, 115, 25}},
    PaletteEntry{
        Colour::tangentialForce, "force needed along the path", {230, 120, 0}, {185, 80, 0}},
    PaletteEntry{Colour::extraCentripetal, "extra centripetal force", {0, 150, 250}, {0, 90, 200}},
    PaletteEntry{
        Colour::extraCentripetalText, "extra centripetal force text", {25, 50, 250}, {25, 50, 250}},
    PaletteEntry{Colour::labMark, "lab mark and velocity", {255, 0, 0}, {200, 0, 0}},
    PaletteEntry{Colour::labAcceleration, "lab acceleration", {0, 25, 155}, {0, 25, 155}},
    // The relative-motion screen.
    PaletteEntry{Colour::relativeVelocity, "relative-motion velocity", {255, 0, 0}, {200, 0, 0}},
    PaletteEntry{Colour::fictitiousForce, "fictitious force", {0, 0, 255}, {0, 0, 255}},
    PaletteEntry{Colour::kineticFriction, "kinetic friction", {0, 255, 0}, {0, 120, 0}},
    PaletteEntry{Colour::staticFriction, "static friction", {5, 255, 5}, {15, 110, 15}},
    // The introduction.
    PaletteEntry{Colour::introVelocity, "introduction velocity", {255, 0, 0}, {200, 0, 0}},
    PaletteEntry{Colour::studentsFriction, "students' friction", {55, 0, 155}, {55, 0, 155}},
    // The rotating-disk picture: one hue for each named vector, apart in both profiles.
    PaletteEntry{Colour::trailInertial, "trail inertial", {255, 0, 0}, {200, 0, 0}},
    PaletteEntry{Colour::trailRotating, "trail rotating", {0, 0, 255}, {0, 0, 255}},
    PaletteEntry{Colour::diskRadius, "disk radius", {0, 0, 255}, {0, 0, 255}},
    PaletteEntry{Colour::baseVelocity, "base velocity", {0, 140, 0}, {0, 130, 0}},
    PaletteEntry{Colour::relative, "relative velocity", {255, 0, 255}, {160, 0, 160}},
    PaletteEntry{Colour::friction, "friction", {150, 120, 0}, {137, 108, 0}},
    PaletteEntry{Colour::lineOfMotion, "line of motion", {0, 150, 150}, {0, 105, 105}},
    PaletteEntry{Colour::diagramInertial, "diagram inertial", {255, 0, 0}, {200, 0, 0}},
    PaletteEntry{Colour::diagramRotating, "diagram rotating", {0, 0, 255}, {0, 0, 255}},
    PaletteEntry{Colour::coriolis, "Coriolis force", {0, 110, 190}, {0, 110, 190}},
    PaletteEntry{Colour::centrifugal, "centrifugal force", {200, 90, 0}, {184, 81, 0}},
    PaletteEntry{Colour::baseAcceleration, "base acceleration force", {100, 0, 150}, {100, 0, 150}},
    PaletteEntry{Colour::restoring, "restoring force", {0, 140, 90}, {0, 128, 80}},
    PaletteEntry{Colour::totalForce, "total force", {200, 0, 100}, {200, 0, 100}},
    // The rotating-disk screen's messages.
    PaletteEntry{Colour::messagePendulum, "message pendulum", {160, 80, 0}, {160, 80, 0}},
    PaletteEntry{Colour::messageFriction, "message friction", {200, 0, 0}, {200, 0, 0}},
    PaletteEntry{
        Colour::messageRelativeVelocity, "message relative velocity", {9, 150, 155}, {0, 105, 110}},
    PaletteEntry{
        Colour::messageRelativeShown, "message relative velocity shown", {9, 150, 0}, {10, 110, 0}},
    PaletteEntry{Colour::messageRelativeNoFriction,
                 "message relative velocity without friction",
                 {9, 250, 0},
                 {0, 120, 0}},
    PaletteEntry{Colour::messageFreeDisk, "message free disk", {9, 50, 150}, {9, 50, 150}},
    PaletteEntry{Colour::messageNoFriction, "message no friction", {255, 0, 0}, {200, 0, 0}},
    PaletteEntry{Colour::messageCoriolis, "message Coriolis", {255, 0, 255}, {160, 0, 160}},
    PaletteEntry{Colour::messageTotalForce, "message total force", {155, 35, 95}, {155, 35, 95}},
    PaletteEntry{
        Colour::messageBaseAcceleration, "message base acceleration", {55, 35, 95}, {55, 35, 95}},
    // The explanation from the inertial frame.
    PaletteEntry{Colour::inertialOrbit, "inertial orbit", {255, 0, 0}, {200, 0, 0}},
    PaletteEntry{Colour::rotatingOrbitSeenInertial,
                 "rotating orbit, inertial explanation",
                 {0, 0, 160},
                 {0, 0, 160}},
    PaletteEntry{Colour::orbitAtT1, "orbit at t1", {0, 70, 255}, {0, 70, 255}},
    PaletteEntry{Colour::orbitAtT2, "orbit at t2", {0, 170, 255}, {0, 117, 178}},
    PaletteEntry{
        Colour::explainedRelative, "relative, inertial explanation", {200, 0, 200}, {165, 0, 165}},
    PaletteEntry{Colour::explainedBase, "base, inertial explanation", {0, 150, 0}, {0, 115, 0}},
    PaletteEntry{Colour::explainedDifference,
                 "difference, inertial explanation",
                 {230, 120, 0},
                 {185, 80, 0}},
    PaletteEntry{Colour::explainedAcceleration,
                 "acceleration, inertial explanation",
                 {125, 0, 125},
                 {85, 0, 120}},
    PaletteEntry{Colour::explainedAbsolute, "absolute, inertial explanation", kBlack, kBlack},
    // The explanation from the rotating frame.
    PaletteEntry{
        Colour::rotatingExplanationRed, "red, rotating explanation", {255, 0, 0}, {200, 0, 0}},
    PaletteEntry{
        Colour::rotatingExplanationBlue, "blue, rotating explanation", {0, 0, 255}, {0, 0, 255}},
    PaletteEntry{
        Colour::absoluteOrbit, "absolute orbit seen rotating", {255, 0, 255}, {160, 0, 160}},
    PaletteEntry{Colour::absoluteOrbitDot, "absolute orbit dot", {250, 50, 255}, {185, 0, 135}},
    PaletteEntry{Colour::rotatingOrbit, "rotating orbit", {150, 50, 255}, {95, 20, 215}},
    PaletteEntry{Colour::baseAtT1, "base at t1", {0, 130, 0}, {0, 130, 0}},
    PaletteEntry{Colour::baseAtT2, "base at t2", {60, 110, 0}, {60, 110, 0}},
    PaletteEntry{Colour::baseText, "base acceleration text", {0, 125, 0}, {0, 125, 0}},
    PaletteEntry{
        Colour::absoluteAcceleration, "absolute acceleration", {125, 0, 125}, {85, 0, 120}},
    // The both-frames graphs and their canvases.
    PaletteEntry{Colour::graphRed, "graph red", {255, 0, 0}, {200, 0, 0}},
    PaletteEntry{Colour::graphGreen, "graph green", {0, 255, 0}, {0, 120, 0}},
    PaletteEntry{Colour::graphBlue, "graph blue", {0, 0, 255}, {0, 0, 255}},
    PaletteEntry{Colour::graphMagenta, "graph magenta", {255, 0, 255}, {160, 0, 160}},
    PaletteEntry{Colour::inertialEnergy, "inertial kinetic energy", {0, 5, 5}, {0, 5, 5}},
    PaletteEntry{Colour::centrifugalWorkText, "centrifugal work text", {0, 155, 0}, {0, 115, 0}},
    PaletteEntry{
        Colour::orbitsInTimeFill, "orbits against time fill", {170, 170, 150}, {112, 112, 98}},
    PaletteEntry{
        Colour::vectorGraphBackground, "vector graph background", {150, 150, 150}, {111, 111, 111}},
    PaletteEntry{Colour::orbitsInTimeBackground,
                 "orbits against time background",
                 {200, 200, 200},
                 {111, 111, 111}},
};

// A named colour in the program's own colours.
constexpr Rgb rgb(Colour c) { return kPalette[static_cast<std::size_t>(c)].rgb; }

// Row i of the table is the colour numbered i.
constexpr bool paletteInOrder() {
    for (std::size_t i = 0; i < kPalette.size(); ++i)
        if (static_cast<std::size_t>(kPalette[i].colour) != i) return false;
    return true;
}
static_assert(paletteInOrder(), "the palette lists its colours in the order of Colour");

}  // namespace velarium
