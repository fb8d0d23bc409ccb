#include "dialogs/OptionsChoices.h"

#include "controls/SetupProperties.h"
#include "core/DepthUnits.h"
#include "core/State.h"

namespace vz {

void mnuOptionsDepthUnits_Click(std::int16_t units) {
    State& s = state();
    // The depths found so far are kept, in the new units: the range gate goes on tracking where
    // it was, and the read-out is right before the next detection.
    const auto scale = static_cast<float>(FeetPerDepthUnit(s.DepthUnits) / FeetPerDepthUnit(units));
    s.BottomDepth *= scale;
    s.RangeGateDepth *= scale;
    s.DisplayDepth *= scale;
    s.DepthUnits = units;
    SetupProperties();
    s.SettingsChanged = 1;
    s.SendSettings = 1;
}

void mnuOptionsTempUnits_Click(std::int16_t unitsC) {
    State& s = state();
    s.TempUnitsC = unitsC;
    s.SettingsChanged = 1;
    // No reading yet in the new units: the next one is taken as it comes, not averaged.
    s.WaterTemperature = kNoWaterTemperature;
    SetupProperties();
}

void mnuOptionsBackgroundColor_Click(Rgb colour) {
    state().BackgroundColor = colour;
    SetupProperties();
    state().SettingsChanged = 1;
}

void mnuOptionsAutoRange_Click(bool rangeOnly) {
    state().AutoRangeOnly = rangeOnly ? 1 : 0;
    SetupProperties();
    state().SettingsChanged = 1;
}

void mnuOptLeaveScales_Click() {
    State& s = state();
    s.LeaveScales = s.LeaveScales != 0 ? 0 : 1;
    SetupProperties();
    s.SettingsChanged = 1;
}

void mnuOptFishAlarmSearch_Click(std::uint8_t zone) {
    state().FishAlarmSearch = zone;
    state().SettingsChanged = 1;
}

std::uint8_t& AlarmOnFlag(Alarm alarm) {
    State& s = state();
    switch (alarm) {
    case Alarm::Shallow:
        return s.ShallowAlarmOn;
    case Alarm::Deep:
        return s.DeepAlarmOn;
    case Alarm::Fish:
        return s.FishAlarmOn;
    case Alarm::Drag:
        break;
    }
    return s.DragAlarmOn;
}

void mnuOptionsAlarmOnOff_Click(Alarm alarm) {
    std::uint8_t& on = AlarmOnFlag(alarm);
    on = on == 1 ? 0 : 1;
    state().SettingsChanged = 1;
    if (alarm == Alarm::Deep) SetupProperties();
}

} // namespace vz
