#pragma once
// Waits for something outside the program (a file, a process, a socket), which raises no event
// that would end a sleeping wait: checks every few milliseconds, running events meanwhile.
#include "platform/Clock.h"
#include "platform/Events.h"

#include <QThread>

namespace vz::test {

template <class Done> bool PollUntil(double seconds, Done done) {
    const double deadline = clock().monotonicSeconds() + seconds;
    while (!done()) {
        if (clock().monotonicSeconds() >= deadline) return false;
        ProcessEvents();
        QThread::msleep(2);
    }
    return true;
}

} // namespace vz::test
