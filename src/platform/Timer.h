#pragma once
// A window timer: an interval in milliseconds, enabled or not, and a handler run on the
// user-interface thread at every tick. Handlers can also be run directly (tests, or code that
// calls a timer's event itself).
//
// Timers of the ping loop are marked exclusive: their handlers never run inside one another.
// A tick that comes while an exclusive handler is running (in its wait loops or its dialogs) is
// held; it may be noted by the timer's held-tick handler, and the handler itself runs once when
// the running one has returned to the event loop.
#include <QTimer>

#include <functional>

namespace vz {

class Timer {
public:
    explicit Timer(int intervalMs = 100);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    void setInterval(int ms);
    int interval() const { return interval_; }
    void setEnabled(bool on);
    bool enabled() const { return enabled_; }
    void onTick(std::function<void()> handler) { handler_ = std::move(handler); }
    void setExclusive(bool on) { exclusive_ = on; }
    // Runs instead of the handler for a tick that is held.
    void onHeldTick(std::function<void()> handler) { heldHandler_ = std::move(handler); }
    // Runs the handler once, as a tick would (held like a tick when another exclusive handler is
    // running).
    void fire();

    // How deeply exclusive handlers are running now: 0 between handlers, and the deepest it has
    // ever been (1 when no handler ever ran inside another).
    static int exclusiveDepth();
    static int deepestExclusiveDepth();

    // Queues the held ticks once no exclusive handler runs any more.
    static void releaseHeld();

private:
    void runHeld();

    QTimer timer_;
    int interval_;
    bool enabled_ = false;
    bool exclusive_ = false;
    bool pending_ = false;
    std::function<void()> handler_;
    std::function<void()> heldHandler_;
};

} // namespace vz
