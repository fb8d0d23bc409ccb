#pragma once
// The stepped rows of a channel settings panel: which field each row steps, its bounds, the
// codes of its two buttons, and the texts the panel shows.
#include "core/Channel.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vz {

enum class PanelRow { DepthRange, DepthOffset, PulseWidth, AnalogGain, StartGain, GainRate, DspGain };
constexpr PanelRow kPanelRows[] = {PanelRow::DepthRange, PanelRow::DepthOffset, PanelRow::PulseWidth,
                                   PanelRow::AnalogGain, PanelRow::StartGain,   PanelRow::GainRate,
                                   PanelRow::DspGain};

struct PanelRowInfo {
    const char* name;    // the row's part of its control names: "DepthRange" in cmdFullDepthRangeUp
    const char* caption; // text of the value label before the number
    std::int16_t ChannelSettings::*field;
    int lower, upper;
    double intervalFactor; // applied to the repeat interval by every step; 1 = none
    int pressInterval;     // repeat interval set when a button is pressed; 0 = left as it is
    int releaseInterval;   // repeat interval set when a button is released; 0 = left as it is
};
const PanelRowInfo& RowInfo(PanelRow row);

// A stepping button: its row and +1 (Up, ">") or -1 (Down, "<").
struct PanelButton {
    PanelRow row;
    int direction;
};
// The button with code 1..14 (the code a held button leaves for the repeat timer).
std::optional<PanelButton> PanelButtonFor(int code);
int PanelButtonCode(PanelRow row, int direction);

// A fixed text followed by the value with one leading blank, the place of a non-negative
// number's sign: "Fixed Analog Gain =" and 242 give "Fixed Analog Gain = 242".
std::string ValueText(std::string_view text, int value);
// The row's value label. Depth rows show the depth table entry for the current units, not the
// index; an index outside the table shows its nearest entry.
std::string PanelRowText(Channel channel, PanelRow row);

// The item of an option group of `count` items that shows `value`: the value itself, or the
// nearest item when the value lies outside the group.
int NearestItem(int value, int count);

} // namespace vz
