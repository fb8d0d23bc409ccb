#pragma once
// The Options menu's value dialogs: the six alarm depths, the keel offset, the depth damping and
// the fish detection threshold. Depths are kept in feet and shown and entered in the current
// depth units.

namespace vz {

enum class AlarmDepth { Shallow, Deep, FishShallow, FishDeep, DragShallow, DragDeep };

// Shallow and Deep "Set Value", the two fish alarm ranges and the two anchor drag values.
void mnuOptionsAlarmDepth_Click(AlarmDepth which);
// "Keel Offset": -20 to 20 feet, limits included.
void mnuOptiondsDepthKeelOffset_Click();
// "Damping": a whole number from 1 to 10.
void mnuOptDepthDamping_Click();
// "View/Set Fish Detection Threshold": the user's 1 (least sensitive) to 10 (most sensitive).
void mnuOptionsFishAlarmThreshold_Click();

} // namespace vz
