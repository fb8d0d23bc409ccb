#include "lake.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace lake {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kCentreLatDeg = 49.2500;
constexpr double kCentreLonDeg = -122.5000;
// WGS 84.
constexpr double kSemiMajorM = 6378137.0;
constexpr double kFlattening = 1.0 / 298.257223563;

// The floor's profile from the shore inwards, by normalised radius.
constexpr double kShelfFt = 9.0;
constexpr double kShelfStartsAt = 0.78; // the shore's slope ends here
constexpr double kDropStartsAt = 0.62;  // the shelf's edge
constexpr double kBasinStartsAt = 0.40; // the foot of the drop-off
constexpr double kBasinFt = 50.0;
constexpr double kBasinBowlFt = 12.0; // deeper still towards the centre

// splitmix64: the same numbers from a seed on every machine.
class Draw {
public:
    explicit Draw(std::uint64_t seed) : state_(seed) {}
    double uniform(double lo, double hi) {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        z ^= z >> 31;
        return lo + (hi - lo) * static_cast<double>(z >> 11) / 9007199254740992.0;
    }

private:
    std::uint64_t state_;
};

// 0 at x <= 0, 1 at x >= 1, smooth in between.
double ease(double x) {
    x = std::clamp(x, 0.0, 1.0);
    return 0.5 - 0.5 * std::cos(kPi * x);
}

} // namespace

Lake::Lake(std::uint64_t seed) {
    Draw draw(seed);
    halfEastM_ = draw.uniform(260, 300);
    halfNorthM_ = draw.uniform(185, 215);
    // The hump stands in the basin, off the centre.
    const double humpBearing = draw.uniform(0, 2 * kPi);
    const double humpRadius = draw.uniform(0.12, 0.25);
    humpEastM_ = humpRadius * halfEastM_ * std::sin(humpBearing);
    humpNorthM_ = humpRadius * halfNorthM_ * std::cos(humpBearing);
    humpSigmaM_ = draw.uniform(25, 35);
    humpTopFt_ = draw.uniform(14, 20);
    // The channel crosses the lake, clear of the hump.
    channelAngle_ = draw.uniform(0, kPi);
    channelOffsetM_ = -std::sin(channelAngle_) * humpNorthM_ + std::cos(channelAngle_) * humpEastM_;
    channelOffsetM_ += channelOffsetM_ >= 0 ? -90 : 90;
    channelHalfWidthM_ = draw.uniform(9, 13);
    channelFt_ = draw.uniform(10, 14);

    const double e2 = kFlattening * (2 - kFlattening);
    const double sinLat = std::sin(kCentreLatDeg * kPi / 180);
    const double w = std::sqrt(1 - e2 * sinLat * sinLat);
    metresPerRadianNorth_ = kSemiMajorM * (1 - e2) / (w * w * w);
    metresPerRadianEast_ = kSemiMajorM / w * std::cos(kCentreLatDeg * kPi / 180);
}

Local Lake::toLocal(LatLon p) const {
    return {(p.lonDeg - kCentreLonDeg) * kPi / 180 * metresPerRadianEast_,
            (p.latDeg - kCentreLatDeg) * kPi / 180 * metresPerRadianNorth_};
}

LatLon Lake::toLatLon(Local p) const {
    return {kCentreLatDeg + p.northM / metresPerRadianNorth_ * 180 / kPi,
            kCentreLonDeg + p.eastM / metresPerRadianEast_ * 180 / kPi};
}

double Lake::shoreRadius(Local p) const {
    return std::hypot(p.eastM / halfEastM_, p.northM / halfNorthM_);
}

double Lake::depthFt(Local p) const {
    const double r = shoreRadius(p);
    if (r >= 1) return 0;
    double depth = kShelfFt * ease((1 - r) / (1 - kShelfStartsAt));
    depth += (kBasinFt - kShelfFt) * ease((kDropStartsAt - r) / (kDropStartsAt - kBasinStartsAt));
    depth += kBasinBowlFt * ease((kBasinStartsAt - r) / kBasinStartsAt);
    const double humpD2 = (p.eastM - humpEastM_) * (p.eastM - humpEastM_) +
                          (p.northM - humpNorthM_) * (p.northM - humpNorthM_);
    const double hump = std::exp(-humpD2 / (2 * humpSigmaM_ * humpSigmaM_));
    depth -= std::max(depth - humpTopFt_, 0.0) * hump;
    // Across the channel: its distance from the line through the lake at channelAngle_.
    const double across = std::cos(channelAngle_) * p.eastM - std::sin(channelAngle_) * p.northM - channelOffsetM_;
    const double channel = std::exp(-(across * across) / (channelHalfWidthM_ * channelHalfWidthM_));
    depth += channelFt_ * channel * ease((0.97 - r) / 0.25);
    return std::max(depth, 0.0);
}

} // namespace lake
