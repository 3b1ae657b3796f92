#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "draw/PlotCanvas.h"
#include "draw/Vec2.h"

namespace velarium {

// Prints a label near its anchor (an arrow's tip, a legend row, a read-out) in user units, at the
// free place nearest the anchor: the whole text inside the canvas, clear of the anchor itself, of
// every text printed since the last clear and of the ink drawn since then (lines, arrows, dots,
// circles), within a fifth of the canvas of its anchor. Where every place within reach meets
// some ink, it goes to the place with the least. A direction
// (for an arrow, the way it points) makes places ahead of the anchor win over places behind it.
// When no place fits, as for a text wider than the canvas, the label is pushed inside the
// canvas as far as it goes. Returns the top-left corner of the printed text.
Vec2 placeLabel(PlotCanvas& canvas, Vec2 anchor, std::string_view text, Vec2 ahead = {});

// How near a caption keeps to its anchor: at least `clearance` user units from it (an arrow's
// head, so that the caption does not touch it) and at most `lines` text lines beyond that, so
// that it still reads as its arrow's. Zero keeps the general rule.
// `leftRoom` user units left of the text stay inside the canvas too, for what is drawn there (a
// legend's keys).
struct LabelReach {
    double clearance = 0;
    double lines = 0;
    double leftRoom = 0;
};
Vec2 placeLabel(PlotCanvas& canvas, Vec2 anchor, std::string_view text, Vec2 ahead,
                LabelReach reach);

// The same for a block of lines printed one below the other from one left edge: the block as a
// whole goes where placeLabel would put a label of its size.
Vec2 placeLines(PlotCanvas& canvas, Vec2 anchor, std::span<const std::string_view> lines,
                Vec2 ahead = {}, LabelReach near = {});
inline Vec2 placeLines(PlotCanvas& canvas, Vec2 anchor,
                       std::initializer_list<std::string_view> lines, Vec2 ahead = {},
                       LabelReach near = {}) {
    return placeLines(canvas, anchor, std::span(lines.begin(), lines.size()), ahead, near);
}

// A text broken at spaces into lines no wider than `room` user units in the canvas's font; a
// word wider than that stands alone on its line.
std::vector<std::string> linesWithin(PlotCanvas& canvas, std::string_view text, double room);

}  // namespace velarium
