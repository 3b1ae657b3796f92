#pragma once

namespace velarium {

class Program;

// The ways between screens that more than one screen takes.

// Sizes the rotating-disk screen to 0.8 of the display's width at its left edge, places the
// model-choice panel beside it at the top, and shows the rotating-disk screen.
void openRotatingDisk(Program& program);

// Shows the relative-motion screen over the whole display and lays out its controls.
void openRelativeMotion(Program& program);

// Starts the simulation of both frames: a run with the settings of the "rotating" screen, which
// shows that screen in the lower half of the display with the orbit and base angle graphs above.
void openSimulation(Program& program);

// Shows the introduction and hides the start-up screen.
void openIntroduction(Program& program);

}  // namespace velarium
