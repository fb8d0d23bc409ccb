#pragma once
// The shallow, deep, anchor-drag and fish alarms: evaluated on every overlay, shown as a
// blinking warning line on the compose surface, with a beep when the sound is on.
#include "core/Channel.h"

namespace vz {

// Sets AlarmCode from scratch: 0 none, 1 shallow, 2 deep, 3 anchor drag, 4 fish, each later
// hit overwriting an earlier one. Depths are compared in feet; equality never raises an alarm.
// While no bottom is found the shallow, deep and anchor-drag alarms stay quiet.
void EvaluateAlarms();

// With an alarm active: beeps when SoundOn is 1, inverts AlarmBlink and prints the warning (or,
// on the off phase, blanks) at (20, 480) of pictHiddenB.
void ShowAlarm();

// Whether the channel's last three columns hold a fish in the fish alarm's search zone for a
// bottom `bottomFeet` below the transducer. Rows outside the stored level history are never
// searched: the zone is clipped to the channel's window.
bool FishInZone(Channel channel, double bottomFeet);

} // namespace vz
