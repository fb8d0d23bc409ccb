#pragma once
// Where the program's files live on this system. The program names its folder "C:\TempIFB" (in
// any letter case); that folder maps to the data folder: $VODAZUZOVI_HOME when set, else the
// user's application-data folder. COM port numbers map to serial device paths.
#include <string>

namespace vz {

// The data folder, without a trailing separator. It is not created here.
std::string dataFolder();

// Maps a path the program names ("C:\TempIFB\VOSKVALS.DAT", "C:\TEMPIFB\I6120921.05I") into the
// data folder; any other path passes through unchanged.
std::string mapPath(const std::string& programPath);

// Device path of COM port n (1..16): $VODAZUZOVI_COMn when set, else a line "COMn=/dev/..." in
// ports.conf in the data folder, else /dev/ttyS<n-1>. Empty for n outside 1..16.
std::string comDevicePath(int n);

// Makes ports.conf give `device` as COM port n (1..16), keeping its other lines. False when the
// file cannot be written.
bool setComDevicePath(int n, const std::string& device);

} // namespace vz
