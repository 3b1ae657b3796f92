#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

namespace velarium {

class Program;

// The timer of an animated screen. Its interval is the screen's own (it fixes how much simulated
// time an event adds); its real period is never below one display frame, 16 ms. A tick that
// falls due while the handler runs is delivered after it, never inside it.
class ScreenTimer : public QObject {
    Q_OBJECT
public:
    static constexpr int kMinimumPeriodMs = 16;

    ScreenTimer(QObject* parent, const Program& program, std::function<void()> handler);

    void setInterval(int ms);
    int interval() const { return interval_; }
    void setEnabled(bool on);
    bool isEnabled() const { return enabled_; }
    int realPeriod() const { return timer_.interval(); }

    // Runs one event now, as the timer would: only while enabled with an interval, and never
    // inside an event that is already running.
    void tick();

private:
    void restart();

    const Program& program_;
    QTimer timer_;
    std::function<void()> handler_;
    int interval_ = 0;
    bool enabled_ = false;
    bool running_ = false;
};

}  // namespace velarium
