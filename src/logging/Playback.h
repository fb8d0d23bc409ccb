#pragma once
#include <string>

namespace vz {

// Switches from the Interface Box to a recorded screen-data file chosen by the user. Without a
// choice the program starts over and stays live.
void EnterPlaybackMode();

// Character 7..8 of the first header line carry the box firmware; files of firmware 8 and files
// whose header holds only asterisks have no extra trailer bytes.
int TrailerExtraBytesFromHeader(const std::string& header1);

} // namespace vz
