#include "platform/Timer.h"

#include <algorithm>
#include <vector>

namespace vz {

namespace {
int depth = 0;
int deepest = 0;
std::vector<Timer*> held;

// Counts an exclusive handler as running for its lifetime.
class ExclusiveRun {
public:
    ExclusiveRun() { deepest = std::max(deepest, ++depth); }
    ~ExclusiveRun() {
        if (--depth == 0) Timer::releaseHeld();
    }
    ExclusiveRun(const ExclusiveRun&) = delete;
    ExclusiveRun& operator=(const ExclusiveRun&) = delete;
};
} // namespace

Timer::Timer(int intervalMs) : interval_(intervalMs) {
    timer_.setInterval(intervalMs);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        if (enabled_) fire();
    });
}

Timer::~Timer() { std::erase(held, this); }

void Timer::setInterval(int ms) {
    interval_ = ms < 0 ? 0 : ms;
    timer_.setInterval(interval_);
}

void Timer::setEnabled(bool on) {
    // Enabling a running timer leaves its current period alone, as setting it again should.
    enabled_ = on;
    if (on && !timer_.isActive()) timer_.start();
    if (!on) {
        timer_.stop();
        pending_ = false;
    }
}

void Timer::fire() {
    if (!handler_) return;
    if (!exclusive_) {
        handler_();
        return;
    }
    if (depth > 0) {
        if (heldHandler_) heldHandler_();
        if (!pending_) {
            pending_ = true;
            held.push_back(this);
        }
        return;
    }
    ExclusiveRun run;
    handler_();
}

void Timer::releaseHeld() {
    // Queued, so that they run from the event loop once the handler that ended has returned to
    // it, and one after another.
    for (Timer* t : held) QMetaObject::invokeMethod(&t->timer_, [t] { t->runHeld(); }, Qt::QueuedConnection);
    held.clear();
}

void Timer::runHeld() {
    if (!pending_) return;
    pending_ = false;
    if (enabled_) fire();
}

int Timer::exclusiveDepth() { return depth; }
int Timer::deepestExclusiveDepth() { return deepest; }

} // namespace vz
