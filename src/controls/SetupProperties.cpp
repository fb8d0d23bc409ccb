#include "controls/SetupProperties.h"

#include "controls/PanelRows.h"
#include "core/DepthUnits.h"
#include "core/State.h"
#include "core/Timers.h"
#include "core/Ui.h"
#include "display/ColorScales.h"
#include "display/NumberFormat.h"
#include "display/Scrolling.h"
#include "display/Surfaces.h"

#include <algorithm>

namespace vz {

namespace {
constexpr double kStartingGateFeet = 6.0;
} // namespace

void SetupProperties() {
    State& s = state();
    timers().tmrMainTimer1.setEnabled(false);
    timers().tmrMainTimer2.setEnabled(false);
    SetupColorBar();
    s.NmeaOutputActive = s.NmeaOutputOn == 1;
    static const char* const kDepthUnitsText[] = {" Ft", " Mtr", " Fa"};
    s.DepthUnitsText = kDepthUnitsText[NearestItem(s.DepthUnits, 3)];
    s.TempUnitsText = s.TempUnitsC == 1 ? "C" : "F";
    // Option groups, value labels and menu check marks of the main window.
    ui().applySettingsToControls();
    for (Channel c : kChannels) {
        ui().showChannelSettings(c);
        SetupChannelProperties(c);
    }
    ShowXmitPower();
    PaintSurfacesBackground();
    CheckSetManualAutoModeDisplays();
    DrawSplitDividerIfSplit();
    CheckColorScales();
    // The gate starts 6 ft high, in whatever units it is shown.
    s.RangeGateWidth = static_cast<float>(kStartingGateFeet / FeetPerDepthUnit(s.DepthUnits));
    timers().tmrMainTimer1.setEnabled(true);
}

void SetupChannelProperties(Channel channel) {
    ui().showProcessingTypeRows(channel);
    CheckSetManualAutoModeDisplays();
}

void CheckSetManualAutoModeDisplays() {
    State& s = state();
    const bool autoMode = NearestItem(s.AutoMode, 2) == 1;
    s.AutoMode = autoMode ? 1 : 0;
    ui().showManualAutoMode(autoMode);
    if (autoMode) {
        if (s.SplitScreen == 1) {
            // One bottom is tracked for both halves, so they show the same depth window.
            const auto offset = std::min(s.Left.DepthOffset, s.Right.DepthOffset);
            const auto range = std::max(s.Left.DepthRange, s.Right.DepthRange);
            s.Left.DepthOffset = s.Right.DepthOffset = offset;
            s.Left.DepthRange = s.Right.DepthRange = range;
        }
        ui().showChannelSettings(Channel::Left);
        ui().showChannelSettings(Channel::Right);
        s.SettingsChanged = 1;
        s.SendSettings = 1;
        ui().setScreenFrameEnabled(false);
    } else if (!s.PlaybackMode) {
        ui().setScreenFrameEnabled(true);
    }
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
    s.XmitPowerWatts =
        static_cast<float>(s.XmitPower) * s.XmitPower * 320.0f * 8.0f / (255.0f * 255.0f);
    ui().setXmitPowerLabel(XmitPowerLabel(s.XmitPowerWatts));
}

} // namespace vz
