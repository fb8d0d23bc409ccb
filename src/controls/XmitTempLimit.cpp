#include "controls/XmitTempLimit.h"

#include "controls/NumericValue.h"
#include "core/State.h"
#include "display/NumberFormat.h"
#include "platform/Dialogs.h"

#include <cmath>
#include <string>

namespace vz {

namespace {
// Sensor reading = degrees C x kReadingPerDegree + kReadingAtZero.
constexpr double kReadingPerDegree = 0.6407;
constexpr double kReadingAtZero = 29.7;
} // namespace

void AskXmitTempLimit() {
    State& s = state();
    const double current = (s.XmitTempLimit - kReadingAtZero) / kReadingPerDegree;
    const std::string answer = dialogs().inputBox(
        "Transmitter temperature safety threshold currently = " + FormatNumber(current, "###") +
            " Degrees C\r\n\r\nEnter new transmitter safety temperature limit (80 - 155 deg C)",
        "View/Set Maximum Transmitter Temperature Threshold", "");
    if (answer.empty()) return;
    double degrees = NumericValue(answer);
    if (degrees < 79.8) degrees = 80;
    if (degrees > 155.1) degrees = 155;
    s.XmitTempLimit = static_cast<std::uint8_t>(std::nearbyint(degrees * kReadingPerDegree + kReadingAtZero));
}

} // namespace vz
