#pragma once
// Choosing a serial device by its name in the port window: the device's stable name is written
// into ports.conf under a COM number, so that the settings file keeps its COM numbers and finds
// the same adapter whatever device number it gets.
#include <string>

namespace vz {

// The COM number (1..16) the port window proposes for a device: the one that already leads to
// its stable name, else the first that ports.conf leaves at its built-in port and that is not
// `disabledOption` + 1 (the box's port), else 0.
int ComNumberForDevice(const std::string& stableName, int disabledOption);

} // namespace vz
