#pragma once

#include "app/ScreenFactories.h"
#include "widgets/Program.h"

namespace velarium {

// The program with every screen of the application, as main, the tests and the tools create it.
// The factories come first among its bases, so they outlive the screens made from them.
class FullProgram : public ScreenFactories, public Program {
public:
    FullProgram() : Program(static_cast<ScreenCatalogue&>(*this)) {}
};

}  // namespace velarium
