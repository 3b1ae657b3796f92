#pragma once

namespace velarium {

// Makes every top-level screen of the program announce itself to assistive technology as a
// window, with or without a menu bar. Installing it again does nothing.
void installWindowAccessibility();

}  // namespace velarium
