#include "controls/PanelRows.h"

#include "core/State.h"

#include <algorithm>
#include <iterator>

namespace vz {

namespace {

constexpr PanelRowInfo kRowInfo[] = {
    // Depth buttons repeat at a steady 200 ms; the gain and pulse rows speed up while held.
    {"DepthRange", "Depth Range =", &ChannelSettings::DepthRange, 1, 9, 1.0, 200, 0},
    {"DepthOffset", "Depth Offset =", &ChannelSettings::DepthOffset, 1, 11, 1.0, 200, 0},
    {"PulseWidth", "Xmit Pulse Width =", &ChannelSettings::PulseWidth, 1, 60, 0.95, 0, 200},
    {"AnalogGain", "Fixed Analog Gain =", &ChannelSettings::AnalogGain, 0, 255, 0.9, 0, 150},
    {"StartGain", "Surface Gain =", &ChannelSettings::StartGain, 0, 255, 0.9, 0, 150},
    {"GainRate", "Change Rate =", &ChannelSettings::GainRate, 1, 255, 0.9, 0, 150},
    {"DspGain", "DSP Gain =", &ChannelSettings::DspGain, 2, 15, 0.95, 0, 150},
};

// Index = code - 1.
constexpr PanelButton kButtons[] = {
    {PanelRow::DepthRange, +1},  {PanelRow::DepthRange, -1}, {PanelRow::DepthOffset, +1},
    {PanelRow::DepthOffset, -1}, {PanelRow::PulseWidth, +1}, {PanelRow::PulseWidth, -1},
    {PanelRow::AnalogGain, +1},  {PanelRow::AnalogGain, -1}, {PanelRow::StartGain, -1},
    {PanelRow::StartGain, +1},   {PanelRow::GainRate, -1},   {PanelRow::GainRate, +1},
    {PanelRow::DspGain, -1},     {PanelRow::DspGain, +1},
};

int DepthTableEntry(const std::int16_t (&table)[4][21], int units, int index) {
    return table[std::clamp(units, 0, 2)][std::clamp(index, 0, 20)];
}

} // namespace

const PanelRowInfo& RowInfo(PanelRow row) { return kRowInfo[static_cast<int>(row)]; }

std::optional<PanelButton> PanelButtonFor(int code) {
    if (code < 1 || code > static_cast<int>(std::size(kButtons))) return std::nullopt;
    return kButtons[code - 1];
}

int PanelButtonCode(PanelRow row, int direction) {
    for (int i = 0; i < static_cast<int>(std::size(kButtons)); ++i) {
        if (kButtons[i].row == row && kButtons[i].direction == direction) return i + 1;
    }
    return 0;
}

std::string ValueText(std::string_view text, int value) {
    return std::string(text) + (value < 0 ? "" : " ") + std::to_string(value);
}

std::string PanelRowText(Channel channel, PanelRow row) {
    State& s = state();
    const ChannelSettings& c = s.channel(channel);
    const PanelRowInfo& info = RowInfo(row);
    switch (row) {
    case PanelRow::DepthRange:
        return ValueText(info.caption, DepthTableEntry(s.DepthRangeTable, s.DepthUnits, c.DepthRange));
    case PanelRow::DepthOffset:
        return ValueText(info.caption, DepthTableEntry(s.DepthOffsetTable, s.DepthUnits, c.DepthOffset));
    default:
        return ValueText(info.caption, c.*info.field);
    }
}

int NearestItem(int value, int count) { return std::clamp(value, 0, count - 1); }

} // namespace vz
