#pragma once
// The water temperature correction, stepped by 0.1 degrees F within -10 to 10.

namespace vz {

// "<" (up = false) and ">" (up = true).
void StepTempCalibration(bool up);

} // namespace vz
