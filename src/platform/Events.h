#pragma once

namespace vz {

// Chooses the event loop's own dispatcher; call before the application object exists.
void ChooseEventDispatcher();

// Lets pending window, timer and serial events run, without waiting for more.
void ProcessEvents();

// Sleeps in the event loop until an event arrives (a byte, a timer, a window event) or `seconds`
// have passed, and runs what arrived.
void WaitForEvents(double seconds);

// Waits until `done()` is true or `seconds` have passed on the monotonic clock, running events
// meanwhile. Returns whether `done()` became true.
template <class Done> bool WaitUntil(double seconds, Done done);

} // namespace vz

#include "platform/Clock.h"

namespace vz {
template <class Done> bool WaitUntil(double seconds, Done done) {
    const double deadline = clock().monotonicSeconds() + seconds;
    while (!done()) {
        const double left = deadline - clock().monotonicSeconds();
        if (left <= 0) return false;
        WaitForEvents(left);
    }
    return true;
}
} // namespace vz
