#pragma once
// The Options menu's choices that need no dialog: units, background colour, automatic range,
// copying the depth scales, the fish alarm's search zone and the four alarm switches. Each
// records that the settings changed; the menu takes its check marks and captions from the state.
#include "core/Color.h"

#include <cstdint>

namespace vz {

// "Feet", "Meters", "Fathoms": DepthUnits 0, 1 or 2. The box gets the settings again.
void mnuOptionsDepthUnits_Click(std::int16_t units);
// "Degrees F", "Degrees C": TempUnitsC 0 or 1; the next temperature reading starts afresh.
void mnuOptionsTempUnits_Click(std::int16_t unitsC);

// The four echogram backgrounds of the menu, in menu order.
constexpr Rgb kLightBlueBackground{0, 0, 255};
constexpr Rgb kDarkBlueBackground{0, 0, 128};
constexpr Rgb kDarkGreenBackground{0, 128, 0};
constexpr Rgb kBlackBackground{0, 0, 0};
void mnuOptionsBackgroundColor_Click(Rgb colour);

// "Auto Range Only" (true) or "Auto Offset and Auto Range" (false).
void mnuOptionsAutoRange_Click(bool rangeOnly);
// "Copy Depth Scales to Moving Display": switches LeaveScales.
void mnuOptLeaveScales_Click();
// The four "Search between ..." items: FishAlarmSearch 1..4.
void mnuOptFishAlarmSearch_Click(std::uint8_t zone);

enum class Alarm { Shallow, Deep, Fish, Drag };
// The alarm's "On"/"Off" item: switches it.
void mnuOptionsAlarmOnOff_Click(Alarm alarm);
// The alarm's switch in the state.
std::uint8_t& AlarmOnFlag(Alarm alarm);

} // namespace vz
