#pragma once

#include <QRect>
#include <functional>

#include "disk/DiskModel.h"
#include "shell/ProjectorColours.h"
#include "shell/ScreenRegistry.h"

namespace velarium {

// What the whole program shares: the screens, and how to end. One instance, owned by main (or
// by a test), passed by reference to every screen.
class Program {
public:
    Program();
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    ScreenRegistry& screens() { return screens_; }
    // The disk parameters and orbit tables that the disk screens write and the energy screens read.
    DiskShared& disk() { return disk_; }
    // The canvases' colours, on every screen: the program's own or "Projector Colours".
    ProjectorColours& projector() { return projector_; }

    // Ends the program at once: every screen closes and no handler runs any more.
    void end();
    bool ended() const { return ended_; }
    // What ending does after the screens are closed; the application quits its event loop.
    void onEnd(std::function<void()> action) { endAction_ = std::move(action); }

    // The part of the primary display that windows may use.
    static QRect display();

private:
    DiskShared disk_;  // declared first: it outlives the screens that refer to it
    ScreenRegistry screens_;
    ProjectorColours projector_{screens_};
    std::function<void()> endAction_;
    bool ended_ = false;
};

}  // namespace velarium
