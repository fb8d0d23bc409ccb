#pragma once

namespace vz {

// The main window's start-up sequence: start-up values, the settings file (or the first-run port
// prompts), the search for and connection to the Interface Box, and the GPS and NMEA ports.
// Runs at program start and again whenever the program must start over (port reset, failed
// test ping, leaving playback).
void RunStartupSequence();

// Stops the ping cycle and clears the bottom detector's echo history.
void SetupAutoStart();

} // namespace vz
