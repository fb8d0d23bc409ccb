#include "controls/MainSteps.h"

#include "controls/PanelRows.h"
#include "controls/SetupProperties.h"
#include "controls/StepRepeat.h"
#include "core/State.h"
#include "core/Timers.h"
#include "core/Ui.h"

#include <iterator>

namespace vz {

namespace {

constexpr int kRepeatMs = 150;
constexpr double kXmitPowerSpeedUp = 0.9;

constexpr MainRowInfo kRowInfo[] = {
    {"ChartSpeed", "lblChartSpeed", "Chart Speed", &State::ChartSpeed, 1, 8},
    {"ClutterFilter", "lblClutterFilter", "Clutter Filter", &State::ClutterFilter, 0, 8},
    {"NoiseFilter", "lblNoiseFilter", "Noise Filter", &State::NoiseFilter, 0, 10},
    {"XmitPwr", "lblXmitPwr", "Xmit Pwr", &State::XmitPower, 0, 255},
    {"DisplayThreshold", "lblScreenThreshold", "Display Thr.", &State::DisplayThreshold, 0, 14},
    {"AscopeThreshold", "lblAscopeThreshold", "AScope Thr.", &State::AScopeThreshold, 0, 14},
};

// Index = code - 1; code 9 is the search display's.
constexpr std::optional<MainButton> kButtons[] = {
    MainButton{MainRow::ClutterFilter, +1},    MainButton{MainRow::ClutterFilter, -1},
    MainButton{MainRow::NoiseFilter, +1},      MainButton{MainRow::NoiseFilter, -1},
    MainButton{MainRow::ChartSpeed, -1},       MainButton{MainRow::ChartSpeed, +1},
    MainButton{MainRow::XmitPower, -1},        MainButton{MainRow::XmitPower, +1},
    std::nullopt,
    MainButton{MainRow::DisplayThreshold, +1}, MainButton{MainRow::DisplayThreshold, -1},
    MainButton{MainRow::AScopeThreshold, +1},  MainButton{MainRow::AScopeThreshold, -1},
};

bool SearchAnimationRunning() {
    return state().HeldMainButton == kSearchAnimationCode && timers().tmrMainMouse.enabled();
}

} // namespace

const MainRowInfo& RowInfo(MainRow row) { return kRowInfo[static_cast<int>(row)]; }

std::optional<MainButton> MainButtonFor(int code) {
    if (code < 1 || code > static_cast<int>(std::size(kButtons))) return std::nullopt;
    return kButtons[code - 1];
}

int MainButtonCode(MainRow row, int direction) {
    for (int i = 0; i < static_cast<int>(std::size(kButtons)); ++i) {
        if (kButtons[i] && kButtons[i]->row == row && kButtons[i]->direction == direction) return i + 1;
    }
    return 0;
}

std::string MainRowText(MainRow row) {
    const MainRowInfo& info = RowInfo(row);
    return ValueText(info.caption, state().*info.value);
}

void StepMainButton(int code) {
    const auto button = MainButtonFor(code);
    if (!button) return;
    State& s = state();
    Timer& repeat = timers().tmrMainMouse;
    const MainRowInfo& info = RowInfo(button->row);
    std::int16_t& value = s.*info.value;
    const bool xmitPower = button->row == MainRow::XmitPower;
    if (xmitPower && repeat.interval() > kRepeatMs) repeat.setInterval(kRepeatMs);
    value = static_cast<std::int16_t>(StepWithinBound(value, button->direction, info.lower, info.upper));

    if (xmitPower) {
        // Holding the transmit power speeds up, to cross its wide range quickly.
        repeat.setInterval(ScaledInterval(repeat.interval(), kXmitPowerSpeedUp));
        s.SendSettings = 1;
        ShowXmitPower();
    } else {
        if (button->row != MainRow::NoiseFilter || button->direction > 0) repeat.setInterval(kRepeatMs);
        if (button->row == MainRow::ChartSpeed) timers().tmrMainTimer1.setInterval(410 - 50 * s.ChartSpeed);
        ui().showSteppedValues();
    }
    s.SettingsChanged = 1;
}

void MainButton_MouseDown(int code, int mouseButton) {
    if (mouseButton != kLeftButton || !MainButtonFor(code) || SearchAnimationRunning()) return;
    state().HeldMainButton = code;
    timers().tmrMainMouse.setEnabled(true);
}

void MainButton_MouseUp(int code) {
    if (SearchAnimationRunning()) return;
    Timer& repeat = timers().tmrMainMouse;
    repeat.setEnabled(false);
    const auto button = MainButtonFor(code);
    if (button && button->row == MainRow::XmitPower) repeat.setInterval(kRepeatMs);
}

void MainButton_Click(int code) { StepMainButton(code); }

void tmrMainMouse_Timer() { StepMainButton(state().HeldMainButton); }

void ReleaseHeldMainButton() {
    if (timers().tmrMainMouse.enabled() && !SearchAnimationRunning()) MainButton_MouseUp(state().HeldMainButton);
}

} // namespace vz
