#include "widgets/ScreenTimer.h"

#include <algorithm>

#include "widgets/Program.h"

namespace velarium {

ScreenTimer::ScreenTimer(QObject* parent, const Program& program, std::function<void()> handler)
    : QObject(parent), program_(program), handler_(std::move(handler)) {
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &ScreenTimer::tick);
    restart();
}

void ScreenTimer::setInterval(int ms) {
    interval_ = ms;
    restart();
}

void ScreenTimer::setEnabled(bool on) {
    enabled_ = on;
    restart();
}

// A disabled timer, or one with interval 0, delivers no events.
void ScreenTimer::restart() {
    timer_.setInterval(std::max(interval_, kMinimumPeriodMs));
    if (enabled_ && interval_ > 0) {
        if (!timer_.isActive()) timer_.start();
    } else {
        timer_.stop();
    }
}

void ScreenTimer::tick() {
    if (running_ || !enabled_ || interval_ <= 0 || program_.ended()) return;
    running_ = true;
    handler_();
    running_ = false;
}

}  // namespace velarium
