#include "processing/DecodePing.h"

#include "core/State.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vz {

namespace {

// Sample intervals at or above this are more than a 16-bit trailer field can carry: the box has
// sent something else than a time.
constexpr float kSampleIntervalLimit = 65536.0f;

// Processing codes of the request (block byte 0).
constexpr std::uint8_t kFixedAnalogGain = 1;
constexpr std::uint8_t kVaryingAnalogGain = 2;
constexpr std::uint8_t kDigitalType1 = 0x81;
constexpr std::uint8_t kDigitalType2 = 0x82;

std::uint8_t ClipToByte(double v) {
    return static_cast<std::uint8_t>(std::clamp(v, 0.0, 255.0));
}

Channel ReplyChannel(const State& s) {
    if (s.SplitScreen == 0) return Channel::Full;
    return s.LeftSideNow ? Channel::Left : Channel::Right;
}

// Takes a new sample interval when it is a usable time; otherwise the channel keeps the depth
// per sample of its last good reply, so the next request still asks for a sensible count.
void UpdateDepthPerSample(State& s, float interval) {
    float& channelDepth = s.depthPerSample(ReplyChannel(s));
    const float depth = s.SoundSpeed * interval;
    const bool usable = std::isfinite(interval) && interval > 0.0f &&
                        interval < kSampleIntervalLimit && std::isfinite(depth) && depth > 0.0f;
    if (usable) {
        s.SampleInterval = interval;
        channelDepth = depth;
    }
    s.DepthPerSample = channelDepth;
}

// Trailer fields, counted back from the end of the reply (L bytes, E extra trailer bytes,
// N = L - 10 - E samples).
void ReadTrailer(State& s, int L, int E, int N) {
    const auto back = [&](int k) { return static_cast<int>(s.RxBuffer[L - k - E]); };
    s.DataOffset = static_cast<std::int16_t>(back(7));
    s.DataMultiplier = static_cast<float>((back(6) * 256 + back(5)) / 1000.0);
    s.SampleDelay = back(4) * 256 + back(3);
    float interval = static_cast<float>(back(2) * 256 + back(1));
    if (E == 3) {
        // The 24-bit total of all intervals gives the interval to a fraction of a time unit.
        const double total =
            s.RxBuffer[L - 3] * 65536.0 + s.RxBuffer[L - 2] * 256.0 + s.RxBuffer[L - 1];
        interval = static_cast<float>(total / N);
    }
    UpdateDepthPerSample(s, interval);
}

std::uint8_t ChecksumOf(const State& s, int L) {
    std::uint8_t x = 0;
    for (int i = 2; i <= L; ++i)
        x ^= s.RxBuffer[i];
    return x;
}

// Analog codes: stretch the column's spread of values (entries 2..N) over 0..255 with a whole
// gain. A flat column, or one without samples, has no spread and is left as received.
void AutoScale(State& s, int N) {
    int minimum = 255, maximum = 0;
    for (int i = 2; i <= N; ++i) {
        minimum = std::min<int>(minimum, s.RxBuffer[i]);
        maximum = std::max<int>(maximum, s.RxBuffer[i]);
    }
    s.PingMinSample = static_cast<std::uint8_t>(minimum);
    if (maximum <= minimum) return;
    const double gain = std::nearbyint(255.0 / (maximum - minimum));
    for (int i = 2; i < N; ++i)
        s.RxBuffer[i] = ClipToByte(std::abs(s.RxBuffer[i] - minimum) * gain);
}

// Digital codes: the offset-free sample times a factor, in the precision of the factor (single
// for the plain multiplier, double once the 1.9 boost is applied).
template <class Real> void ConvertDigital(State& s, int N, Real factor) {
    for (int i = 2; i < N; ++i) {
        const Real raw = static_cast<Real>(std::abs(s.RxBuffer[i] - s.DataOffset));
        s.RxBuffer[i] = ClipToByte(std::nearbyint(factor * raw));
    }
}

} // namespace

void DecodePing(std::uint8_t& PacketError) {
    State& s = state();
    const int E = std::max<int>(0, s.TrailerExtraBytes);
    const int L = std::min<int>(s.PacketLength, kRxBufferLast);
    const int N = L - 10 - E;
    if (N < 1) {
        PacketError = kShortReply;
        return;
    }
    ReadTrailer(s, L, E, N);
    PacketError = ChecksumOf(s, L);

    switch (s.PingProcessing) {
    case kFixedAnalogGain:
    case kVaryingAnalogGain:
        AutoScale(s, N);
        break;
    case kDigitalType1:
        ConvertDigital(s, N, s.DataMultiplier);
        break;
    case kDigitalType2:
        ConvertDigital(s, N, s.DataMultiplier * 1.9);
        break;
    default:
        break;
    }

    if (s.PlaybackMode) PacketError = 0;
}

} // namespace vz
