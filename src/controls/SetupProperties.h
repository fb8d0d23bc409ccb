#pragma once
#include <string>

namespace vz {

// Re-applies the whole settings state: colour table and bar, unit texts, NMEA switch, transmit
// power label, Manual/Auto displays, then the windows' controls; restarts the ping cycle.
void SetupProperties();

// Manual or Auto mode applied to the settings: in Auto with Split screen the two halves are
// brought together (the smaller offset and the larger range for both).
void CheckSetManualAutoModeDisplays();

// Computes XmitPowerWatts from XmitPower and writes the transmit power label.
void ShowXmitPower();
// The label text for a transmit power in watts ("Xmit Pwr 98.4W").
std::string XmitPowerLabel(float watts);

} // namespace vz
