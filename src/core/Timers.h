#pragma once
// The program's named timers. Computations enable and disable them as the ping loop requires;
// the main window connects their handlers.
#include "platform/Timer.h"

namespace vz {

struct Timers {
    Timers();
    Timer tmrMainTimer1{10};   // ping request cycle
    Timer tmrMainTimer2{10};   // acquisition tick
    Timer tmr5Sec{5000};       // clears the communication-error count
    Timer tmrGpsTimer{1000};   // parses gathered GPS text
    Timer tmrNmeaTimer{1000};  // sends NMEA sentences
    Timer tmrPortRetry{3000};  // reopens GPS and NMEA ports (and gpsd) lost while in use
    Timer tmrAutoLogFile{60000};
    Timer tmrMainMouse{150};   // repeat of the main window's stepping buttons
    Timer tmrFullMouse{150}, tmrLeftMouse{150}, tmrRightMouse{150};
};

// The ping cycle, the acquisition tick (and the playback read within it), the GPS and NMEA timers,
// the reopening of lost ports and the log-file rotation share the box link, the reply buffer, the
// ports and the files: none of them runs inside another's wait loop or dialog. The others (the error-count clear, the button
// repeats) only change values, so they run inside waits, keeping the window responsive.

// Created on first use; needs the application object to exist.
Timers& timers();
// Stops every timer and drops every handler (tests, and the end of the program).
void ResetTimers();

} // namespace vz
