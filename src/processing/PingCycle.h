#pragma once

namespace vz {

// The ping request cycle (tmrMainTimer1): refreshes the water temperature, rebuilds the channel
// blocks, writes the settings of the channel that pings next into the box and starts its ping
// (Full, or Left and Right alternately in Split screen), sets the expected reply length, scrolls
// the echogram one column (once per Left/Right pair in Split screen) and hands over to the
// acquisition tick. In playback it only alternates, scrolls and hands over.
void PingCycle();

// Whether a ping cycle is under way (waiting for the box, somewhere inside it).
bool PingCycleRunning();
// The most ping cycles that have ever been under way at once: 1 unless one ran inside another.
int DeepestPingCycleNesting();

} // namespace vz
