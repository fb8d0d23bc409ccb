#pragma once

namespace vz {

// Lets pending window, timer and serial events run; waiting loops call it so that the window
// stays alive and replies reach the receive buffer while an operation waits.
void ProcessEvents();

// Waits until `done()` is true or `seconds` have passed on the monotonic clock, processing events
// meanwhile. Returns whether `done()` became true.
template <class Done> bool WaitUntil(double seconds, Done done);

} // namespace vz

#include "platform/Clock.h"

namespace vz {
template <class Done> bool WaitUntil(double seconds, Done done) {
    const double deadline = clock().monotonicSeconds() + seconds;
    while (!done()) {
        if (clock().monotonicSeconds() >= deadline) return false;
        ProcessEvents();
    }
    return true;
}
} // namespace vz
