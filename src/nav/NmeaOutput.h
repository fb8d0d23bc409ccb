#pragma once
// The NMEA output: once a second the water temperature and the depth go out as NMEA 0183
// sentences, led by the last RMC sentence of the GPS so that one line can feed a chart plotter.

#include <string>

namespace vz {

// Seconds after the last bottom detection during which its depth is still sent.
constexpr double kDepthFreshSeconds = 5.0;

// The text sent this second, each sentence ended by CR LF: the RMC sentence when one is to be
// forwarded, MTW when the temperature is a reading, DPT and DBT when the latest column held a
// bottom and the depth is fresh. Empty
// when there is nothing to send.
std::string NmeaOutputText();

// Timer event of tmrNmeaTimer: writes NmeaOutputText on the NMEA port (on the GPS port when both
// are the same COM port) when the serial output is switched on, and on the network outputs that
// are on; nothing in playback.
void SendNmeaSentences();

} // namespace vz
