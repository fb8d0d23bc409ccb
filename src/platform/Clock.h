#pragma once
// Wall-clock date and time for texts and file names, and a monotonic seconds clock for time-outs
// (it never jumps at midnight or when the system time is set). Tests install a fake.
#include <string>

namespace vz {

struct LocalDateTime {
    int year = 2000, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalDateTime now() const = 0;
    virtual double monotonicSeconds() const = 0;
};

Clock& clock();
// Installs a clock (not owned); nullptr restores the system clock.
void setClock(Clock* c);

// "mm-dd-yyyy" and "hh:mm:ss" of the current time.
std::string dateText();
std::string timeText();

} // namespace vz
