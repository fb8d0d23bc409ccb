#include "core/Timers.h"

#include <memory>

namespace vz {

namespace {
std::unique_ptr<Timers>& holder() {
    static std::unique_ptr<Timers> t;
    return t;
}
} // namespace

Timers::Timers() {
    for (Timer* t : {&tmrMainTimer1, &tmrMainTimer2, &tmrGpsTimer, &tmrNmeaTimer, &tmrPortRetry, &tmrAutoLogFile})
        t->setExclusive(true);
}

Timers& timers() {
    if (!holder()) holder() = std::make_unique<Timers>();
    return *holder();
}

void ResetTimers() { holder().reset(); }

} // namespace vz
