#include "dialogs/SpeedOfSound.h"

#include "core/State.h"
#include "dialogs/ValueDialog.h"
#include "display/NumberFormat.h"
#include "platform/Dialogs.h"

#include <QString>

#include <algorithm>

namespace vz {

namespace {

// SoundSpeed is half the speed in feet per microsecond; these give the full speed per second.
constexpr double kFeetPerSecondFactor = 2'000'000.0;
constexpr double kMetersPerSecondFactor = 609'600.0;
constexpr double kFathomsPerSecondFactor = 333'333.2;
// The limits are 1.8 and 2.2 times 2472.5 ft/s, written out so that they are exact; in meters
// and fathoms they are divided by 3.28 and 6.
constexpr double kLowFeetPerSecond = 4450.5;
constexpr double kHighFeetPerSecond = 5439.5;
// An entered speed in meters or fathoms goes back to feet with these factors.
constexpr double kFeetPerMeterEntered = 3.2808399;
constexpr double kFeetPerFathom = 6.0;

int Units() { return std::clamp<int>(state().DepthUnits, 0, 2); }

// A value as the label and the prompt show it: at most two decimals, then written as a number
// with one leading blank ("4951", not "4951.").
std::string ShownNumber(double value) {
    const double rounded = LeadingNumber(FormatNumber(value, "####.##"));
    return " " + QString::number(rounded, 'g', 15).toStdString();
}

} // namespace

void SetSoundSpeed(float speed) {
    state().SoundSpeed = speed;
    state().SettingsChanged = 1;
}

std::string SpeedOfSoundLabel() {
    static const double kFactors[] = {kFeetPerSecondFactor, kMetersPerSecondFactor, kFathomsPerSecondFactor};
    static const char* const kUnitTexts[] = {" Ft./Sec", " Mtr./Sec", " Fa./Sec"};
    const int units = Units();
    return ShownNumber(static_cast<double>(state().SoundSpeed) * kFactors[units]) + kUnitTexts[units];
}

SpeedLimits SpeedOfSoundLimits() {
    static const double kDivisors[] = {1.0, 3.28, 6.0};
    const double divisor = kDivisors[Units()];
    return {kLowFeetPerSecond / divisor, kHighFeetPerSecond / divisor};
}

bool SpecifySoundSpeed() {
    const SpeedLimits limits = SpeedOfSoundLimits();
    const std::string prompt = "Enter a value between " + ShownNumber(limits.low) + " and " +
                               ShownNumber(limits.high);
    static const double kFeetPerUnitEntered[] = {1.0, kFeetPerMeterEntered, kFeetPerFathom};
    for (;;) {
        const double value = LeadingNumber(dialogs().inputBox(prompt, "Speed Of Sound", ""));
        if (value == 0.0) return false;
        if (value < limits.low || value > limits.high) continue;
        SetSoundSpeed(static_cast<float>(value * kFeetPerUnitEntered[Units()] / kFeetPerSecondFactor));
        return true;
    }
}

} // namespace vz
