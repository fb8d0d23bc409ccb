#include "platform/Events.h"

#include <QCoreApplication>
#include <QTimer>

#include <cmath>

namespace vz {

void ChooseEventDispatcher() {
    // The glib dispatcher wakes itself through an extra descriptor whenever a serial notifier is
    // switched on or off, several times for every command frame of a ping; Qt's own one does not.
    // A user's explicit choice stands.
    if (qEnvironmentVariableIsEmpty("QT_NO_GLIB")) qputenv("QT_NO_GLIB", "1");
}

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
