#include "processing/ChannelBlocks.h"

#include "core/State.h"

#include <algorithm>
#include <cmath>

namespace vz {

namespace {

constexpr float kFallbackDepthPerSample = 0.15f;
constexpr int kTableSteps = 21;

// Depth units to feet: feet, metres, fathoms.
float FeetPerUnit(int units) {
    switch (units) {
    case 1:
        return 3.28083f;
    case 2:
        return 6.0f;
    default:
        return 1.0f;
    }
}

// A table entry, or 0 for an index the tables do not have (a damaged settings file).
int TableStep(const std::int16_t (&table)[4][kTableSteps], int units, int index) {
    if (units < 0 || units > 3 || index < 0 || index >= kTableSteps) return 0;
    return table[units][index];
}

float DspScale(const State& s, int processingType, int dspGain, int frequency) {
    if (dspGain < 0 || dspGain > 15 || frequency < 0 || frequency > 2) return 0.0f;
    return s.DspScaleTable[processingType][dspGain][frequency];
}

bool UsableDivisor(float v) {
    return std::isfinite(v) && v > 0.0f;
}

void BuildChannelBlock(State& s, Channel c) {
    const ChannelSettings& ch = s.channel(c);
    ChannelBlock& b = s.block(c);
    const int P = ch.ProcessingType;
    b[1] = static_cast<std::uint8_t>(ch.Frequency + 1);
    b[2] = static_cast<std::uint8_t>(ch.Frequency + 1);
    b[3] = static_cast<std::uint8_t>(s.XmitPower);
    b[4] = static_cast<std::uint8_t>(P == 1 ? ch.StartGain : ch.AnalogGain);
    b[5] = static_cast<std::uint8_t>(256 - ch.GainRate);
    b[6] = static_cast<std::uint8_t>(ch.PulseWidth);
    b[7] = static_cast<std::uint8_t>(ch.DspGain);
    b[10] = static_cast<std::uint8_t>(ch.Param10);
    b[11] = static_cast<std::uint8_t>(ch.StartGain);
    b[12] = 0;
    b[13] = static_cast<std::uint8_t>(ch.Param13);
    b[14] = 0;
    b[15] = s.XmitTempLimit;
    b[0] = static_cast<std::uint8_t>(P + 1);
    if (P > 1) {
        b[0] = static_cast<std::uint8_t>(P + 127);
        b[4] = 255;
        b[6] = static_cast<std::uint8_t>((P - 1) * 2 * ch.DspGain);
    }
    ComputeSampleCount(b[8], b[9], ch.DepthRange, ch.DepthOffset, P, ch.DspGain, ch.Frequency,
                       s.depthPerSample(c));
}

} // namespace

void BuildChannelBlocks() {
    State& s = state();
    if (s.PlaybackMode) return;
    for (Channel c : kChannels)
        BuildChannelBlock(s, c);
}

void ComputeSampleCount(std::uint8_t& High, std::uint8_t& Low, int depthRange, int depthOffset,
                        int processingType, int dspGain, int frequency, float depthPerSample) {
    const State& s = state();
    const int units = s.DepthUnits;
    const float window = static_cast<float>(TableStep(s.DepthRangeTable, units, depthRange) +
                                            TableStep(s.DepthOffsetTable, units, depthOffset)) *
                         FeetPerUnit(units);
    const bool digital = processingType == 2 || processingType == 3;
    const float perSample =
        UsableDivisor(depthPerSample) ? depthPerSample : kFallbackDepthPerSample;
    const float divisor = digital && UsableDivisor(DspScale(s, processingType, dspGain, frequency))
                              ? DspScale(s, processingType, dspGain, frequency)
                              : perSample;
    // The whole reply (C + 10 + extra trailer bytes, from entry 1) must fit in RxBuffer.
    const int maxSamples = kRxBufferLast - 20 - std::max<int>(0, s.TrailerExtraBytes);
    const double samples = std::clamp<double>(std::nearbyint(window / divisor), 0.0, maxSamples);
    const int C = static_cast<int>(samples) + 10;
    High = static_cast<std::uint8_t>(C / 256);
    Low = static_cast<std::uint8_t>(C - High * 256);
}

} // namespace vz
