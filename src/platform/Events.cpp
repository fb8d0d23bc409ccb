#include "platform/Events.h"

#include <QCoreApplication>
#include <QTimer>

#include <cmath>

namespace vz {

void ProcessEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void WaitForEvents(double seconds) {
    // The wake-up only bounds the sleep; whatever arrives first ends it.
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    wake.start(static_cast<int>(std::ceil(seconds * 1000.0)));
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

} // namespace vz
