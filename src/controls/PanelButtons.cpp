#include "controls/PanelButtons.h"

#include "controls/ChannelSteps.h"
#include "controls/PanelRows.h"
#include "controls/StepRepeat.h"
#include "core/State.h"
#include "core/Timers.h"
#include "core/Ui.h"

namespace vz {

namespace {

int& HeldButton(Channel channel) { return state().HeldPanelButton[static_cast<int>(channel)]; }

void StepGainOrPulse(Channel channel, PanelRow row, int direction) {
    State& s = state();
    const PanelRowInfo& info = RowInfo(row);
    std::int16_t& value = s.channel(channel).*info.field;
    value = static_cast<std::int16_t>(StepWithinBound(value, direction, info.lower, info.upper));
    Timer& timer = PanelMouseTimer(channel);
    timer.setInterval(ScaledInterval(timer.interval(), info.intervalFactor));
    ui().showChannelSettings(channel);
    s.SettingsChanged = 1;
    s.SendSettings = 1;
}

} // namespace

Timer& PanelMouseTimer(Channel channel) {
    Timers& t = timers();
    switch (channel) {
    case Channel::Left: return t.tmrLeftMouse;
    case Channel::Right: return t.tmrRightMouse;
    default: return t.tmrFullMouse;
    }
}

void StepPanelButton(Channel channel, int code) {
    const auto button = PanelButtonFor(code);
    if (!button) return;
    switch (button->row) {
    case PanelRow::DepthRange: StepDepthRange(channel, button->direction); break;
    case PanelRow::DepthOffset: StepDepthOffset(channel, button->direction); break;
    default: StepGainOrPulse(channel, button->row, button->direction); break;
    }
}

void PanelButton_MouseDown(Channel channel, int code, int mouseButton) {
    const auto button = PanelButtonFor(code);
    if (mouseButton != kLeftButton || !button) return;
    HeldButton(channel) = code;
    Timer& timer = PanelMouseTimer(channel);
    if (const int ms = RowInfo(button->row).pressInterval) timer.setInterval(ms);
    timer.setEnabled(true);
}

void PanelButton_MouseUp(Channel channel, int code) {
    Timer& timer = PanelMouseTimer(channel);
    timer.setEnabled(false);
    if (const auto button = PanelButtonFor(code)) {
        if (const int ms = RowInfo(button->row).releaseInterval) timer.setInterval(ms);
    }
}

void PanelButton_Click(Channel channel, int code) { StepPanelButton(channel, code); }

void tmrPanelMouse_Timer(Channel channel) { StepPanelButton(channel, HeldButton(channel)); }

void ReleaseHeldPanelButton(Channel channel) {
    if (PanelMouseTimer(channel).enabled()) PanelButton_MouseUp(channel, HeldButton(channel));
}

} // namespace vz
