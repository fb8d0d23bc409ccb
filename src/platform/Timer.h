#pragma once
// A window timer: an interval in milliseconds, enabled or not, and a handler run on the
// user-interface thread at every tick. Handlers can also be run directly (tests, or code that
// calls a timer's event itself).
#include <QTimer>

#include <functional>

namespace vz {

class Timer {
public:
    explicit Timer(int intervalMs = 100);
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    void setInterval(int ms);
    int interval() const { return interval_; }
    void setEnabled(bool on);
    bool enabled() const { return enabled_; }
    void onTick(std::function<void()> handler) { handler_ = std::move(handler); }
    // Runs the handler once, as a tick would.
    void fire();

private:
    QTimer timer_;
    int interval_;
    bool enabled_ = false;
    std::function<void()> handler_;
};

} // namespace vz
