#pragma once
// How depths and sample indexes map to pixel rows of a channel's echogram column.
#include "display/ChannelView.h"

#include <cmath>

namespace vz {

// Rounds to the nearest integer, halves to even; values beyond any pixel coordinate are held at
// +-1e6 and non-finite values give 0, so the result is always a safe coordinate.
int RoundToInt(double value);

struct ColumnMapping {
    bool usable;           // false when the depth window or the ping's timing gives no mapping
    int surfacePixels;     // rows taken by the time before the first sample
    double offsetSamples;  // sample index at the top of the window
    float samplesPerPixel;

    // Sample index shown on pixel row `row`.
    double sampleIndex(int row) const {
        return offsetSamples + std::nearbyint((row - surfacePixels) * static_cast<double>(samplesPerPixel) + 1.4);
    }
};

// The mapping of the current ping (SampleDelay, SampleInterval, SoundSpeed) on this channel's
// depth window in the current DepthUnits.
ColumnMapping MappingFor(const ChannelView& view);

// Pixel row (not rounded) of `depth` in display units on this channel's window; needs
// view.rangeDepth > 0.
double DepthRow(float depth, const ChannelView& view);

} // namespace vz
