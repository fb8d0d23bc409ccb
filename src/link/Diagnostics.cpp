#include "link/Diagnostics.h"

#include "core/State.h"
#include "platform/Dialogs.h"

#include <QString>

namespace vz {

void ResetDiagnostics() {
    State& s = state();
    s.MinPingValue = 255;
    s.MaxPingValue = 0;
    s.MaxInBuffer = 0;
    s.CommRetryCount = 0;
    dialogs().beep();
    s.PingWaitTicks = 0;
}

std::string DiagnosticText(double value, int digits) {
    return QString::number(value, 'g', digits).toStdString();
}

} // namespace vz
