#include "rmc.h"

#include <cmath>
#include <cstdio>

namespace gpssim {

namespace {
// Magnetic variation around Vancouver.
constexpr const char* kVariation = "15.8,E";

std::string printed(const char* format, auto... values) {
    char text[64];
    std::snprintf(text, sizeof text, format, values...);
    return text;
}
} // namespace

std::string nmeaAngle(double degrees, int degreeDigits, int minuteDecimals) {
    const double scale = std::pow(10.0, minuteDecimals);
    // Rounded as a whole number of the last minute decimal, so 59.99995' never prints as 60'.
    const long long units = std::llround(std::fabs(degrees) * 60 * scale);
    const long long perDegree = static_cast<long long>(60 * scale);
    const long long wholeDegrees = units / perDegree;
    const double minutes = static_cast<double>(units % perDegree) / scale;
    return printed("%0*lld%0*.*f", degreeDigits, wholeDegrees, minuteDecimals + 3, minuteDecimals, minutes);
}

std::string rmcSentence(const RmcContent& c) {
    const std::tm& t = c.utc;
    std::string body = c.talker + "RMC," + printed("%02d%02d%02d.%02d", t.tm_hour, t.tm_min, t.tm_sec, c.centiseconds);
    const std::string date = printed("%02d%02d%02d", t.tm_mday, t.tm_mon + 1, t.tm_year % 100);
    if (c.fix) {
        const Fix& f = *c.fix;
        body += ",A," + nmeaAngle(f.latitudeDeg, 2, c.minuteDecimals) + (f.latitudeDeg >= 0 ? ",N," : ",S,") +
                nmeaAngle(f.longitudeDeg, 3, c.minuteDecimals) + (f.longitudeDeg >= 0 ? ",E," : ",W,") +
                printed("%.1f,%.1f,", f.speedKn, f.courseDeg) + date + "," + (c.variation ? kVariation : ",") + ",A";
    } else {
        body += ",V,,,,,,," + date + ",,,N";
    }
    unsigned sum = 0;
    for (const char ch : body) sum ^= static_cast<unsigned char>(ch);
    if (c.badChecksum) sum ^= 0x5A;
    return "$" + body + printed("*%02X\r\n", sum);
}

} // namespace gpssim
