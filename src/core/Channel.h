#pragma once
#include <array>
#include <cstdint>

namespace vz {

// The three sonar channels: Full screen, and the Left and Right halves of Split screen.
enum class Channel { Full = 0, Left = 1, Right = 2 };
constexpr std::array<Channel, 3> kChannels = {Channel::Full, Channel::Left, Channel::Right};
const char* channelName(Channel c); // "Full", "Left", "Right"

// The twelve settings of one channel, in settings-file order.
struct ChannelSettings {
    std::int16_t Frequency = 0; // 0 = 200 kHz, 1 = 50 kHz
    std::int16_t Ascope = 0;    // 0 off, 1 on
    std::int16_t ProcessingType = 0; // 0..3
    std::int16_t DepthRange = 0;     // index into DepthRangeTable
    std::int16_t DepthOffset = 0;    // index into DepthOffsetTable
    std::int16_t PulseWidth = 0;
    std::int16_t AnalogGain = 0;
    std::int16_t StartGain = 0;
    std::int16_t GainRate = 0;
    std::int16_t DspGain = 0;
    std::int16_t Param10 = 0;
    std::int16_t Param13 = 0;
    friend bool operator==(const ChannelSettings&, const ChannelSettings&) = default;
};

// A channel command block: bytes 0..15 are used, the rest stays 0.
using ChannelBlock = std::array<std::uint8_t, 33>;

// Echo levels of the last three drawn columns of a channel: [column 0..3][row 0..602];
// column 3 is the newest, pixel row y is stored at row y + 1.
constexpr int kLevelHistoryRows = 603;
using LevelHistory = std::array<std::array<std::int16_t, kLevelHistoryRows>, 4>;

} // namespace vz
