#pragma once
// RMC sentences (recommended minimum position data) as an NMEA 2.3 receiver writes them, with
// the FAA mode field: "$GPRMC,hhmmss.ss,A,ddmm.mmmm,N,dddmm.mmmm,W,s.s,c.c,ddmmyy,v.v,E,A*hh".
#include "track.h"

#include <ctime>
#include <optional>
#include <string>

namespace gpssim {

struct RmcContent {
    std::string talker = "GP";
    std::tm utc{};
    int centiseconds = 0;
    std::optional<Fix> fix; // none: status V and empty position fields
    int minuteDecimals = 4;
    bool variation = true;
    bool badChecksum = false;
};

// The whole sentence, ended by CR LF.
std::string rmcSentence(const RmcContent& content);

// Degrees as NMEA writes them: "4917.6543" and "N" (latitude), "12312.9000" and "W" (longitude).
std::string nmeaAngle(double degrees, int degreeDigits, int minuteDecimals);

} // namespace gpssim
