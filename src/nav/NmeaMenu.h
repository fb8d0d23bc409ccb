#pragma once
// The Options menu's switch for the NMEA output.

namespace vz {

// "Serial Data Out ON/OFF": turns the NMEA output on or off; the menu shows the new state by its
// check mark.
void mnuOptionsNmeaSerialOutput_Click();

} // namespace vz
