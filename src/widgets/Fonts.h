#pragma once

#include <QFont>

namespace velarium {

// The serif face that stands in for the program's Times New Roman fonts; it has Greek glyphs.
inline constexpr const char* kSerifFace = "Liberation Serif";

// Maps "Times New Roman Greek", "times new roman greek" and "Times New Roman" to Liberation Serif.
void installFontSubstitutions();

// The font the screens name for their texts and controls.
QFont timesGreek(double pointSize);

}  // namespace velarium
