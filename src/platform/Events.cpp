#include "platform/Events.h"

#include <QCoreApplication>
#include <QThread>

namespace vz {

void ProcessEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    // Without this a waiting loop would spin a whole core while nothing arrives.
    QThread::usleep(200);
}

} // namespace vz
