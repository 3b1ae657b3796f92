#pragma once

#include <QIODevice>
#include <QImage>

#include "draw/CanvasWidget.h"

namespace velarium {

// A picture for a slide: at the canvas's device pixel ratio, or at twice the canvas's size in
// pixels if that is more, with its texts as shown.
QImage slidePicture(CanvasWidget& canvas);

// Writes the canvas's picture as SVG: every line, circle, arc and dot as a vector shape and every
// kept text as text. Returns false, writing nothing, when the canvas did not keep its picture
// (one too large to keep).
bool writeSvg(const CanvasWidget& canvas, QIODevice& device);

}  // namespace velarium
