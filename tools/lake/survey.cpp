#include "survey.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <utility>

namespace lake {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kMetresPerSecondPerKnot = 1852.0 / 3600.0;
// The lines stay this far inside the shore, in the oval's normalised radius: on the shelf, in
// water deep enough for the boat and the sonar.
constexpr double kInset = 0.80;
constexpr double kShortestLineM = 20.0;
// The seed's own draw of the lines' heading, apart from the lake's features.
constexpr std::uint64_t kHeadingStream = 0x5EED5EEDull;

// Where the line through the point `across` metres along `normal` in the direction `along`
// meets the inset shore, as distances along the line.
std::optional<std::pair<double, double>> chord(const Lake& lake, Local normal, Local along, double across) {
    const double a2 = lake.halfAxisEastM() * lake.halfAxisEastM();
    const double b2 = lake.halfAxisNorthM() * lake.halfAxisNorthM();
    const double qa = along.eastM * along.eastM / a2 + along.northM * along.northM / b2;
    const double qb = 2 * across * (normal.eastM * along.eastM / a2 + normal.northM * along.northM / b2);
    const double qc = across * across * (normal.eastM * normal.eastM / a2 + normal.northM * normal.northM / b2) -
                      kInset * kInset;
    const double disc = qb * qb - 4 * qa * qc;
    if (disc <= 0) return std::nullopt;
    const double root = std::sqrt(disc);
    const double from = (-qb - root) / (2 * qa), to = (-qb + root) / (2 * qa);
    if (to - from < kShortestLineM) return std::nullopt;
    return std::make_pair(from, to);
}

} // namespace

SurveyTrack::SurveyTrack(const Lake& lake, std::uint64_t seed) : lake_(lake) {
    // A heading from the seed, the same for every run with that seed.
    const std::uint64_t mixed = (seed ^ kHeadingStream) * 0x9E3779B97F4A7C15ull;
    const double heading = static_cast<double>(mixed >> 11) / 9007199254740992.0 * kPi;
    const Local along{std::sin(heading), std::cos(heading)};
    const Local normal{std::cos(heading), -std::sin(heading)};
    const double reach = std::max(lake.halfAxisEastM(), lake.halfAxisNorthM());
    const int lines = static_cast<int>(reach / kLineSpacingM) + 1;
    bool forward = true;
    auto runLine = [&](double across) {
        const auto ends = chord(lake, normal, along, across);
        if (!ends) return;
        const auto [from, to] = forward ? *ends : std::make_pair(ends->second, ends->first);
        for (const double w : {from, to})
            corners_.push_back({across * normal.eastM + w * along.eastM, across * normal.northM + w * along.northM});
        forward = !forward;
    };
    // Out on the lines, back between them.
    for (int j = -lines; j <= lines; ++j) runLine(j * kLineSpacingM);
    for (int j = lines; j >= -lines; --j) runLine((j - 0.5) * kLineSpacingM);
    corners_.push_back(corners_.front());
    distanceM_.push_back(0);
    for (std::size_t i = 1; i < corners_.size(); ++i)
        distanceM_.push_back(distanceM_.back() + std::hypot(corners_[i].eastM - corners_[i - 1].eastM,
                                                            corners_[i].northM - corners_[i - 1].northM));
}

double SurveyTrack::cycleSeconds() const {
    return distanceM_.back() / (kSpeedKn * kMetresPerSecondPerKnot);
}

BoatFix SurveyTrack::at(double t) const {
    double s = std::fmod(t * kSpeedKn * kMetresPerSecondPerKnot, distanceM_.back());
    if (s < 0) s += distanceM_.back();
    const auto next = std::upper_bound(distanceM_.begin(), distanceM_.end(), s);
    const std::size_t i = std::clamp<std::size_t>(static_cast<std::size_t>(next - distanceM_.begin()), 1,
                                                  corners_.size() - 1);
    const Local& a = corners_[i - 1];
    const Local& b = corners_[i];
    const double length = distanceM_[i] - distanceM_[i - 1];
    const double f = length > 0 ? (s - distanceM_[i - 1]) / length : 0;
    BoatFix fix;
    fix.local = {a.eastM + f * (b.eastM - a.eastM), a.northM + f * (b.northM - a.northM)};
    fix.position = lake_.toLatLon(fix.local);
    fix.speedKn = kSpeedKn;
    fix.courseDeg = std::fmod(std::atan2(b.eastM - a.eastM, b.northM - a.northM) * 180 / kPi + 360, 360);
    return fix;
}

} // namespace lake
