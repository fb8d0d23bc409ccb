#pragma once
// Applying the whole settings state to the windows: rather than keeping each control in step by
// hand, every change with visible consequences re-applies everything.
#include "core/Channel.h"

#include <string>

namespace vz {

// Re-applies everything: colour table and bar, menu check marks, the main window's option groups
// and labels, the three channel panels, the transmit power label, the surfaces' background, the
// Manual/Auto displays and unit texts; stops both main timers and restarts the ping cycle.
void SetupProperties();

// The channel's panel shows the Manual Settings rows of its processing type; then the Manual or
// Auto displays are applied.
void SetupChannelProperties(Channel channel);

// Manual or Auto mode (from AutoMode, which it normalises to 0 or 1) applied to the panels and the
// Screen frame. Auto brings the Split halves together (the smaller offset and the larger range
// for both) and marks the settings as changed and to be sent.
void CheckSetManualAutoModeDisplays();

// Computes XmitPowerWatts from XmitPower and writes the transmit power label.
void ShowXmitPower();
// The label text for a transmit power in watts ("Xmit Pwr 98.4W").
std::string XmitPowerLabel(float watts);

} // namespace vz
