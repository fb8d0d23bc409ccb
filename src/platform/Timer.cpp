#include "platform/Timer.h"

namespace vz {

Timer::Timer(int intervalMs) : interval_(intervalMs) {
    timer_.setInterval(intervalMs);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        if (enabled_) fire();
    });
}

void Timer::setInterval(int ms) {
    interval_ = ms < 0 ? 0 : ms;
    timer_.setInterval(interval_);
}

void Timer::setEnabled(bool on) {
    // Enabling a running timer leaves its current period alone, as setting it again should.
    enabled_ = on;
    if (on && !timer_.isActive()) timer_.start();
    if (!on) timer_.stop();
}

void Timer::fire() {
    if (handler_) handler_();
}

} // namespace vz
