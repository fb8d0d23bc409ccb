#pragma once
// A clock that moves only when the test says so. Installs itself for its lifetime.
#include "platform/Clock.h"

namespace vz::test {

class FakeClock : public Clock {
public:
    FakeClock() { setClock(this); }
    ~FakeClock() override { setClock(nullptr); }
    LocalDateTime now() const override { return now_; }
    double monotonicSeconds() const override { return seconds_; }
    void set(LocalDateTime t) { now_ = t; }
    void advance(double s) { seconds_ += s; }

private:
    LocalDateTime now_{2026, 12, 6, 9, 5, 1};
    double seconds_ = 1000.0;
};

} // namespace vz::test
