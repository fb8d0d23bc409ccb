#include "display/DepthMapping.h"

#include "core/State.h"

#include <algorithm>

namespace vz {

namespace {
struct UnitFactors {
    double windowFeet; // 600 rows of the window in feet per display unit
    double feetPerUnit;
};
constexpr UnitFactors kUnitFactors[3] = {{600.0, 1.0}, {182.88, 3.28084}, {100.0, 6.0}};
} // namespace

int RoundToInt(double value) {
    if (!std::isfinite(value)) return 0;
    return static_cast<int>(std::nearbyint(std::clamp(value, -1e6, 1e6)));
}

ColumnMapping MappingFor(const ChannelView& view) {
    const State& s = state();
    const UnitFactors& u = kUnitFactors[std::clamp<int>(s.DepthUnits, 0, 2)];
    const double range = view.rangeDepth;
    const float feetPerSample = s.SampleInterval * s.SoundSpeed;
    const double surfacePixels = std::nearbyint(s.SampleDelay * u.windowFeet * s.SoundSpeed / range);
    const double offsetSamples = std::nearbyint(view.offsetDepth * u.feetPerUnit / feetPerSample);
    const float samplesPerPixel = static_cast<float>(range / (s.SampleInterval * u.windowFeet * s.SoundSpeed));
    const bool usable = range > 0 && std::isfinite(surfacePixels) && std::isfinite(offsetSamples) &&
                        std::isfinite(samplesPerPixel);
    return ColumnMapping{usable, usable ? RoundToInt(surfacePixels) : 0, offsetSamples, samplesPerPixel};
}

double DepthRow(float depth, const ChannelView& view) {
    return (depth - static_cast<float>(view.offsetDepth)) / static_cast<float>(view.rangeDepth) * 600.0f;
}

} // namespace vz
