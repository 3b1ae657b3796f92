#pragma once

namespace velarium {

// Makes every canvas known to assistive technology as a picture whose description is the text
// it shows. Installed once, by the first canvas made.
void installCanvasAccessibility();

}  // namespace velarium
