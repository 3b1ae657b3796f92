#pragma once

#include <QWidget>
#include <vector>

namespace velarium {

// Every control of every screen within reach of the keyboard:
// - scroll bars and canvases take focus by Tab and by a click, as buttons do; a scroll bar then
//   moves by its small change with the arrows, by its large change with Page Up and Page Down,
//   and to its ends with Home and End;
// - Tab and Shift+Tab visit a screen's shown, enabled controls in reading order, whatever its
//   mode shows (see tabOrder), and leave the menu bar for the first control;
// - the control with focus wears a ring that shows on the window and on every canvas, in both
//   colour profiles;
// - Alt, or F10, takes focus to the menu bar, where the arrows choose an entry, Enter or Space
//   opens or acts on it and Escape goes back to the control that had focus.
// Installing it again does nothing.
void installKeyboardAccess();

// A screen just made: Tab keeps within it in reading order, and F10 reaches its menu bar.
void adoptKeyboardAccess(QWidget& screen);

// The controls of a screen that Tab visits, in reading order: rows from top to bottom, each row
// from left to right. A control joins a row while its top lies above the middle of the row's
// first control (or of itself, if it is the lower).
std::vector<QWidget*> tabOrder(QWidget& screen);

}  // namespace velarium
