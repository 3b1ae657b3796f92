#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>

namespace velarium::bench {

// The application every handler benchmark runs in: offscreen, at device pixel ratio 2 when the
// environment asks for it (make bench sets QT_SCALE_FACTOR=2).
QApplication& application();

}  // namespace velarium::bench
