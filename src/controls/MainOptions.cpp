#include "controls/MainOptions.h"

#include "controls/SetupProperties.h"
#include "core/State.h"
#include "display/ColorScales.h"
#include "display/Scrolling.h"

#include <cstdlib>

namespace vz {

void optModeAutoManual_Click(int index) {
    State& s = state();
    s.AutoMode = static_cast<std::int16_t>(index);
    s.SettingsChanged = 1;
    CheckSetManualAutoModeDisplays();
}

void optScreenFullSplit_Click(int index) {
    State& s = state();
    s.SplitScreen = index == 1 ? 1 : 0;
    s.SettingsChanged = 1;
    s.ClearFullPending = 1;
    ClearEchogram();
    CheckColorScales();
    CheckSetManualAutoModeDisplays();
    s.SendSettings = 1;
    // The next Full request is recorded, so that a replay changes the layout at the same place.
    s.LogFullBlockRequest = true;
}

void optSoundOnOff_Click(int index) {
    State& s = state();
    s.SoundOn = static_cast<std::uint8_t>(std::abs(1 - index));
    s.SettingsChanged = 1;
}

} // namespace vz
