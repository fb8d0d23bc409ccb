#include "controls/FileSettings.h"

#include "controls/NumericValue.h"
#include "controls/SetupProperties.h"
#include "core/State.h"
#include "core/Ui.h"

#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>

namespace vz {

namespace {

constexpr int kBlockValues = 16;
constexpr std::size_t kFirstValueColumn = 3; // after "F: "

// The values of the line, or nothing when one is not a byte.
std::optional<std::array<std::uint8_t, kBlockValues>> LineValues(const std::string& line) {
    std::array<std::uint8_t, kBlockValues> values{};
    int taken = 0;
    std::size_t pos = kFirstValueColumn;
    while (taken < kBlockValues && pos < line.size()) {
        if (line[pos] == ' ') {
            ++pos;
            continue;
        }
        const std::size_t blank = line.find(' ', pos);
        if (blank == std::string::npos) break; // a run that ends the line is not taken
        const double value = std::nearbyint(NumericValue(std::string_view(line).substr(pos, blank - pos)));
        if (!(value >= 0.0 && value <= 255.0)) return std::nullopt;
        values[taken++] = static_cast<std::uint8_t>(value);
        pos = blank + 1;
    }
    return values;
}

std::optional<Channel> ChannelOfLine(const std::string& line) {
    if (line.empty()) return std::nullopt;
    switch (line[0]) {
    case 'F': return Channel::Full;
    case 'L': return Channel::Left;
    case 'R': return Channel::Right;
    default: return std::nullopt;
    }
}

int ProcessingTypeOf(std::uint8_t code) { return code > 128 ? code - 127 : code - 1; }

} // namespace

void UpdateSettingsFromFileData() {
    State& s = state();
    const auto values = LineValues(s.PlaybackLine);
    if (!values) return;
    const auto& v = *values;
    const auto channel = ChannelOfLine(s.PlaybackLine);
    if (channel) {
        const int processingType = ProcessingTypeOf(v[0]);
        const int frequency = v[1] - 1;
        if (processingType < 0 || processingType > 3 || frequency < 0 || frequency > 1) return;

        ChannelBlock& block = s.block(*channel);
        std::copy(v.begin(), v.end(), block.begin());
        ChannelSettings& c = s.channel(*channel);
        c.ProcessingType = static_cast<std::int16_t>(processingType);
        c.Frequency = static_cast<std::int16_t>(frequency);
        c.AnalogGain = v[4];
        c.GainRate = static_cast<std::int16_t>(256 - v[5]);
        c.PulseWidth = v[6];
        c.DspGain = v[7];
        c.StartGain = v[11];
        ui().showChannelSettings(*channel);
        SetupChannelProperties(*channel);
    }
    s.PingProcessing = v[0];
    s.XmitPower = v[3];
    ShowXmitPower();
}

} // namespace vz
