#include "controls/SetupProperties.h"

#include "core/State.h"
#include "core/Timers.h"
#include "core/Ui.h"
#include "display/ColorScales.h"
#include "display/NumberFormat.h"
#include "display/Scrolling.h"

#include <algorithm>

namespace vz {

void SetupProperties() {
    State& s = state();
    timers().tmrMainTimer1.setEnabled(false);
    timers().tmrMainTimer2.setEnabled(false);
    SetupColorBar();
    s.NmeaOutputActive = s.NmeaOutputOn == 1;
    ShowXmitPower();
    DrawSplitDividerIfSplit();
    CheckSetManualAutoModeDisplays();
    CheckColorScales();
    static const char* const kDepthUnitsText[] = {" Ft", " Mtr", " Fa"};
    s.DepthUnitsText = kDepthUnitsText[std::clamp<int>(s.DepthUnits, 0, 2)];
    s.TempUnitsText = s.TempUnitsC == 1 ? "C" : "F";
    s.RangeGateWidth = 6.0f;
    ui().applySettingsToControls();
    timers().tmrMainTimer1.setEnabled(true);
}

void CheckSetManualAutoModeDisplays() {
    State& s = state();
    if (s.AutoMode == 0) return;
    if (s.SplitScreen == 1) {
        const auto offset = std::min(s.Left.DepthOffset, s.Right.DepthOffset);
        const auto range = std::max(s.Left.DepthRange, s.Right.DepthRange);
        s.Left.DepthOffset = s.Right.DepthOffset = offset;
        s.Left.DepthRange = s.Right.DepthRange = range;
    }
    s.SettingsChanged = 1;
    s.SendSettings = 1;
}

std::string XmitPowerLabel(float watts) {
    // Each threshold passed replaces the text of the one before.
    std::string text = "Xmit Pwr 0.0W";
    if (watts > 0.01f) text = "Xmit Pwr " + FormatNumber(watts, "0.0#") + "W";
    if (watts > 1.0f) text = "Xmit Pwr " + FormatNumber(watts, "#.0") + "W";
    if (watts > 10.0f) text = "Xmit Pwr " + FormatNumber(watts, "##.0") + "W";
    if (watts > 100.0f) text = "Xmit Pwr " + FormatNumber(watts, "###") + "W";
    return text;
}

void ShowXmitPower() {
    State& s = state();
    s.XmitPowerWatts = static_cast<float>(s.XmitPower) * s.XmitPower * 320.0f * 8.0f / (255.0f * 255.0f);
    ui().setXmitPowerLabel(XmitPowerLabel(s.XmitPowerWatts));
}

} // namespace vz
