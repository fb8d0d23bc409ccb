#pragma once
// The speed of sound in water, which turns echo time into depth: presets for fresh and salt water
// and a free entry within fixed limits, shown in the current depth units.
#include <string>

namespace vz {

constexpr float kFreshWaterSoundSpeed = 0.00244f;   // 4880 ft/s
constexpr float kSaltWaterSoundSpeed = 0.0024725f;  // 4945 ft/s

// A calibrated speed is a setting: it is kept at exit only when the program knows it changed.
void SetSoundSpeed(float speed);

// The speed for the label lblCalSpeedSound: " 4951 Ft./Sec", " 1487.42 Mtr./Sec", ...
std::string SpeedOfSoundLabel();

// The accepted range of a specified speed, in the current units per second.
struct SpeedLimits {
    double low, high;
};
SpeedLimits SpeedOfSoundLimits();

// Asks for a speed in the current units per second until it lies within the limits; 0 (or an
// answer that is no number) ends without a change. Returns whether SoundSpeed was set (by
// SetSoundSpeed).
bool SpecifySoundSpeed();

} // namespace vz
