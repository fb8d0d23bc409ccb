#pragma once
// The network ends of the navigation data (GpsdSource, NmeaUdpOutput, NmeaTcpOutput) live in a
// small file of their own in the data folder, navigation.ini, so that the settings file keeps the
// format other programs read.

namespace vz {

// Reads the file into the state; what it lacks keeps its current value.
void LoadNavNetworkSettings();
// Writes the state's values; false when the file cannot be written.
bool SaveNavNetworkSettings();

} // namespace vz
