#include "core/StartupTables.h"

#include "core/State.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>

namespace vz {

namespace {

constexpr int kUnits = 3; // feet, meters, fathoms

// Depth steps per unit, starting at step 1; the remaining steps stay 0.
constexpr std::int16_t kRangeSteps[kUnits][11] = {
    {15, 30, 60, 100, 150, 250, 500, 1000, 2000, 3000, 5000},
    {5, 10, 20, 30, 50, 100, 200, 300, 600, 1000, 2000},
    {3, 5, 10, 20, 30, 50, 100, 200, 300, 600, 1000},
};
constexpr std::int16_t kOffsetSteps[kUnits][13] = {
    {0, 10, 20, 30, 50, 75, 100, 150, 250, 500, 1000, 2000, 3000},
    {0, 3, 5, 10, 20, 25, 30, 50, 100, 200, 300, 500, 1000},
    {0, 1, 2, 3, 5, 10, 20, 30, 50, 100, 150, 300, 500},
};

// DSP scale factors for DSP gains 1 to 15, for the processing types that use them.
struct DspScaleRow {
    int frequency;
    int processingType;
    float byGain[15];
};
constexpr DspScaleRow kDspScaleRows[] = {
    {0,
     2,
     {0.3094375f, 0.3094375f, 0.3094375f, 0.3094375f, 0.371325f, 0.4332125f, 0.4951f, 0.5569875f,
      0.618875f, 0.6807625f, 0.74265f, 0.802062f, 0.8639495f, 0.925837f, 0.925837f}},
    {0,
     3,
     {0.8243415f, 0.8243415f, 0.8243415f, 0.8243415f, 0.8243415f, 0.8243415f, 0.9481165f, 1.069416f,
      1.193191f, 1.316966f, 1.440741f, 1.564516f, 1.688291f, 1.812066f, 1.935841f}},
    {1,
     2,
     {0.5470855f, 0.5470855f, 0.7946355f, 1.044661f, 1.292211f, 1.539761f, 1.789786f, 2.037337f,
      2.284887f, 2.534912f, 2.782462f, 3.032487f, 3.032487f, 3.032487f, 3.032487f}},
    {1,
     3,
     {2.569569f, 2.569569f, 2.569569f, 2.569569f, 2.569569f, 3.067144f, 3.562244f, 4.062294f,
      4.557395f, 5.057444f, 5.550071f, 6.047647f, 6.047647f, 6.047647f, 6.047647f}},
};

constexpr int kFirstTableTemperature = 15; // degrees F
constexpr int kLastTableTemperature = 100;

// The box's reading for a water temperature in degrees F: the thermistor divider of the box
// and its converter's curve.
std::int32_t TempReading(int degreesF) {
    const double celsius = (degreesF - 32) * 0.555555;
    const double ohms = 12494.98 * std::exp(3881.7954 * (1.0 / (celsius + 273.0) - 0.00341297));
    const double volts = ohms / (ohms + 10200.0) * 5.0;
    // The default rounding mode rounds halves to the even neighbour.
    return static_cast<std::int32_t>(std::nearbyint(-35064.9 * std::log(1.0 - volts / 5.0)));
}

} // namespace

void BuildStartupTables() {
    State& s = state();
    for (Channel c : kChannels)
        s.depthPerSample(c) = 0.15f;
    s.DepthPerSample = 0.15f;

    for (int t = kFirstTableTemperature; t <= kLastTableTemperature; ++t)
        s.TempTable[t] = TempReading(t);

    for (const DspScaleRow& row : kDspScaleRows) {
        for (int gain = 1; gain <= 15; ++gain) {
            s.DspScaleTable[row.processingType][gain][row.frequency] = row.byGain[gain - 1];
        }
    }

    for (int units = 0; units < kUnits; ++units) {
        std::copy(std::begin(kRangeSteps[units]), std::end(kRangeSteps[units]),
                  &s.DepthRangeTable[units][1]);
        std::copy(std::begin(kOffsetSteps[units]), std::end(kOffsetSteps[units]),
                  &s.DepthOffsetTable[units][1]);
    }
}

} // namespace vz
