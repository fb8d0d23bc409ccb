#include "track.h"

#include <algorithm>
#include <cmath>

namespace gpssim {

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr double kCentreLatitude = 49.300;
constexpr double kCentreLongitude = -123.215;
constexpr double kRadiusM = 800;
constexpr double kMetresPerMinuteOfLatitude = 1852;
constexpr double kMetresPerSecondPerKnot = 1852.0 / 3600.0;
// Where on the circle the boat starts, as a bearing from the centre.
constexpr double kStartBearingDeg = 200;
// The speed a log shows is never quite steady.
constexpr double kSpeedWobbleKn = 0.15;
constexpr double kWobblePeriodS = 23;
} // namespace

Fix boatAt(double t, double speedKn) {
    const double bearing = kStartBearingDeg * kPi / 180 + speedKn * kMetresPerSecondPerKnot * t / kRadiusM;
    const double northM = kRadiusM * std::cos(bearing);
    const double eastM = kRadiusM * std::sin(bearing);
    Fix fix;
    fix.latitudeDeg = kCentreLatitude + northM / kMetresPerMinuteOfLatitude / 60;
    fix.longitudeDeg = kCentreLongitude +
                       eastM / (kMetresPerMinuteOfLatitude * std::cos(kCentreLatitude * kPi / 180)) / 60;
    fix.speedKn = speedKn > 0 ? std::max(0.0, speedKn + kSpeedWobbleKn * std::sin(2 * kPi * t / kWobblePeriodS)) : 0;
    // Going clockwise, the boat heads a quarter turn to the right of its bearing from the centre.
    fix.courseDeg = std::fmod(bearing * 180 / kPi + 90, 360);
    return fix;
}

} // namespace gpssim
