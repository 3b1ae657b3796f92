#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "app/FullProgram.h"

namespace velarium::snap {

// One picture for the README: bring a screen into a state, then grab it.
struct Scene {
    QString file;  // PNG file name under the output folder
    std::function<QWidget&(FullProgram&)> prepare;
};

// The scenes of every built screen, in the order the README shows them.
std::vector<Scene> scenes();

}  // namespace velarium::snap
