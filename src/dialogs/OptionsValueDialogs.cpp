#include "dialogs/OptionsValueDialogs.h"

#include "core/DepthUnits.h"
#include "core/State.h"
#include "dialogs/ValueDialog.h"
#include "display/NumberFormat.h"

#include <cmath>

namespace vz {

namespace {

// How a new alarm depth must relate to the other end of its band (in feet, strictly).
enum class Bound { None, AboveOther, BelowOther };

struct AlarmDepthItem {
    const char* title;
    float State::*setting;
    Bound bound;
    float State::*other;
};

const AlarmDepthItem& ItemFor(AlarmDepth which) {
    static const AlarmDepthItem kItems[] = {
        {"Shallow Alarm", &State::ShallowAlarmValue, Bound::None, nullptr},
        {"Deep Alarm", &State::DeepAlarmValue, Bound::AboveOther, &State::ShallowAlarmValue},
        {"Shallow Fish Alarm", &State::FishAlarmShallow, Bound::BelowOther, &State::FishAlarmDeep},
        {"Deep Fish Alarm", &State::FishAlarmDeep, Bound::AboveOther, &State::FishAlarmShallow},
        {"Anchor Drag Shallow Alarm", &State::DragAlarmShallow, Bound::BelowOther, &State::DragAlarmDeep},
        {"Anchor Drag Deep Alarm", &State::DragAlarmDeep, Bound::AboveOther, &State::DragAlarmShallow},
    };
    return kItems[static_cast<int>(which)];
}

double FeetPerUnit() { return FeetPerDepthUnit(state().DepthUnits); }

// Keel offset limits in the current units: 20 feet, 6.096 meters, 3.333 fathoms.
double KeelOffsetLimit() {
    switch (state().DepthUnits) {
    case 1: return 6.096;
    case 2: return 3.333;
    default: return 20.0;
    }
}

} // namespace

void mnuOptionsAlarmDepth_Click(AlarmDepth which) {
    State& s = state();
    const AlarmDepthItem& item = ItemFor(which);
    const double feetPerUnit = FeetPerUnit();
    const ValueDialog dialog{item.title, "Enter new value or OK, CANCEL to keep old value.",
                             FormatNumber(s.*item.setting / feetPerUnit, "###0.0")};
    const auto feet = AskForValue(dialog, [&](double entered) {
        const double newFeet = static_cast<float>(entered * feetPerUnit);
        switch (item.bound) {
        case Bound::AboveOther: return newFeet > s.*item.other;
        case Bound::BelowOther: return newFeet < s.*item.other;
        case Bound::None: break;
        }
        return true;
    });
    if (!feet) return;
    s.*item.setting = static_cast<float>(*feet * feetPerUnit);
    s.SettingsChanged = 1;
}

void mnuOptiondsDepthKeelOffset_Click() {
    State& s = state();
    const double feetPerUnit = FeetPerUnit();
    const std::string shown = FormatNumber(s.KeelOffset / feetPerUnit, "#0.0");
    const ValueDialog dialog{"Enter Keel Offset:",
                             "Keel Offset =  " + shown + "\r\nEnter new Keel Offset below:", shown};
    const double limit = KeelOffsetLimit();
    const auto entered = AskForValue(dialog, [limit](double v) { return v >= -limit && v <= limit; });
    if (!entered) return;
    s.KeelOffset = static_cast<float>(*entered * feetPerUnit);
    s.SettingsChanged = 1;
}

void mnuOptDepthDamping_Click() {
    State& s = state();
    const ValueDialog dialog{"Depth Filter Damping Level",
                             "Enter new value (1-10) or OK, CANCEL to keep old value.",
                             FormatNumber(static_cast<int>(s.DepthDamping), "#0")};
    // nearbyint takes halves to the even neighbour.
    const auto entered = AskForValue(dialog, [](double v) {
        const double level = std::nearbyint(v);
        return level >= 1 && level <= 10;
    });
    if (!entered) return;
    s.DepthDamping = static_cast<std::int16_t>(std::nearbyint(*entered));
    s.SettingsChanged = 1;
}

void mnuOptionsFishAlarmThreshold_Click() {
    State& s = state();
    // The alarm keeps the threshold the other way round: the most sensitive level is 1.
    const ValueDialog dialog{
        "Fish Alarm Detection Threshold",
        "Enter new value ( 1 to 10) or OK, CANCEL to keep old value.\r\n"
        "1 = least sensitivy, 10= most sensitive.",
        FormatNumber(11 - static_cast<int>(s.FishAlarmThreshold), "0")};
    const auto entered = AskForValue(dialog, [](double v) { return v >= 1 && v <= 10; });
    if (!entered) return;
    s.FishAlarmThreshold = static_cast<std::uint8_t>(std::nearbyint(11.0 - *entered));
    s.SettingsChanged = 1;
}

} // namespace vz
