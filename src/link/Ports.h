#pragma once
// Opening the program's three serial ports (Interface Box, GPS, NMEA output) on the COM numbers
// of the settings, with the questions that come up when a port cannot be opened.
#include <string>

namespace vz {

// Opens the box port on IfbPort at 115200 baud. When it cannot be opened the user picks another
// port, playback (0) or the end of the program (Cancel); nothing happens in playback.
void OpenIfbPort();

// Asks, with this prompt and pre-filled answer, for the box port after a communication failure:
// another COM port (1..16) becomes IfbPort, 0 switches to playback, Cancel ends the program;
// anything else asks again. The port is not opened here. When the adapter of the box port was
// missing and comes back while the prompt waits, the prompt says so.
void AskForBoxPort(const std::string& prompt, const std::string& defaultAnswer);

// Opens the GPS port on GpsPort at 4800 baud when GpsPort is not 0; on failure the user picks
// another port or none. With the GPS read from gpsd the port stays closed and gpsd is asked.
// The error dialogs of all three ports end with the reason the port gave (no such device,
// permission denied, busy) when it gave one.
void OpenGpsPort();

// Opens the NMEA output on NmeaPort at 4800 baud when it is not 0 and not the GPS port (a GPS
// read from gpsd leaves its port free); on failure the user picks another port or none.
void OpenNmeaPort();

// Failure event of the GPS and NMEA ports and of the gpsd connection: from now on
// ReopenLostPorts runs every few seconds.
void ScheduleReopen();

// Timer event of tmrPortRetry: opens the GPS and NMEA ports that are set but closed (an adapter
// unplugged, a device gone) and connects to gpsd again, without questions; stops once all of
// them are back.
void ReopenLostPorts();

// Forgets the settings file and starts the program over, so that the three ports are asked for
// again and every other setting returns to its factory value.
void ResetCommunicationsPorts();

} // namespace vz
