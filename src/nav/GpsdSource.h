#pragma once
// The GPS read through gpsd: a connection to gpsd (GpsdSource: host and port) that asks for the
// receiver's sentences as they come (its watch command with raw NMEA) and hands every NMEA line
// to the GPS input, as the GPS port's receive event would. A lost or refused connection asks for
// a new try in a few seconds, as a lost port does.

namespace vz {

// The command that makes gpsd send the receiver's NMEA sentences.
constexpr const char* kGpsdWatchCommand = "?WATCH={\"enable\":true,\"nmea\":true};\r\n";

// Connects to GpsdSource, dropping any earlier connection.
void StartGpsdSource();
void StopGpsdSource();
// Connected, or still connecting.
bool GpsdSourceConnected();

} // namespace vz
