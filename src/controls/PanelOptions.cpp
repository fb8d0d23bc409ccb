#include "controls/PanelOptions.h"

#include "controls/SetupProperties.h"
#include "core/State.h"
#include "platform/Dialogs.h"

namespace vz {

namespace {

std::uint8_t& ClearPending(State& s, Channel channel) {
    switch (channel) {
    case Channel::Left: return s.ClearLeftPending;
    case Channel::Right: return s.ClearRightPending;
    default: return s.ClearFullPending;
    }
}

} // namespace

void optAscope_Click(Channel channel, int index) {
    State& s = state();
    s.channel(channel).Ascope = static_cast<std::int16_t>(index);
    s.SettingsChanged = 1;
    // The echogram area changes width: start it afresh. The box needs nothing new.
    ClearPending(s, channel) = 1;
}

void optFrequency_Click(Channel channel, int index) {
    State& s = state();
    s.channel(channel).Frequency = static_cast<std::int16_t>(index);
    s.SettingsChanged = 1;
    s.SendSettings = 1;
}

void optProcessingType_Click(Channel channel, int index) {
    State& s = state();
    s.channel(channel).ProcessingType = static_cast<std::int16_t>(index);
    s.SettingsChanged = 1;
    s.SendSettings = 1;
    SetupChannelProperties(channel);
}

void CopyChannelSettings(Channel panel, Channel other, CopyDirection direction) {
    State& s = state();
    const bool isExport = direction == CopyDirection::Export;
    dialogs().beep();
    s.MsgResponse = dialogs().messageBox("Are you sure?", isExport ? "Export Settings" : "Import Settings",
                                         MsgButtons::YesNo, MsgIcon::Question);
    if (s.MsgResponse != AnswerYes) return;
    const ChannelSettings& from = s.channel(isExport ? panel : other);
    ChannelSettings& to = s.channel(isExport ? other : panel);
    // Param10 and Param13 belong to the channel and stay.
    const auto param10 = to.Param10, param13 = to.Param13;
    to = from;
    to.Param10 = param10;
    to.Param13 = param13;
    s.SettingsChanged = 1;
    s.SendSettings = 1;
    SetupProperties();
}

} // namespace vz
