#include "dialogs/TemperatureCalibration.h"

#include "core/State.h"

namespace vz {

namespace {
constexpr float kStep = 0.1f;
constexpr float kLimit = 10.0f;
} // namespace

void StepTempCalibration(bool up) {
    State& s = state();
    s.TempCalibration = up ? s.TempCalibration + kStep : s.TempCalibration - kStep;
    if (s.TempCalibration > kLimit) s.TempCalibration = kLimit;
    if (s.TempCalibration < -kLimit) s.TempCalibration = -kLimit;
    s.SettingsChanged = 1;
}

} // namespace vz
