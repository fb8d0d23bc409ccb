#pragma once
// The boat's survey of the simulated lake, by time: parallel lines across the lake (the seed sets
// their heading), run back and forth, then the same again between the first lines on the way
// back, and so on from the start. A plain function of time, so that the simulated GPS receiver
// and Interface Box, started apart, agree on where the boat is when both use the same clock.
#include "lake.h"

#include <vector>

namespace lake {

struct BoatFix {
    LatLon position;
    Local local;
    double speedKn = 0;
    double courseDeg = 0; // true course over ground, 0..360
};

class SurveyTrack {
public:
    static constexpr double kSpeedKn = 4.0;
    static constexpr double kLineSpacingM = 20.0;

    SurveyTrack(const Lake& lake, std::uint64_t seed);

    // Where the boat is `t` seconds into the survey; it starts again after cycleSeconds().
    BoatFix at(double t) const;
    double cycleSeconds() const;

private:
    Lake lake_;
    std::vector<Local> corners_;
    std::vector<double> distanceM_; // along the track to each corner
};

} // namespace lake
