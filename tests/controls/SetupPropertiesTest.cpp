#include "ControlsFixture.h"

#include "controls/MainOptions.h"
#include "controls/SetupProperties.h"
#include "core/Timers.h"
#include "display/Surfaces.h"

#include <tuple>
#include <vector>

namespace vz::test {
namespace {

using SetupPropertiesTest = ControlsFixture;

TEST_F(SetupPropertiesTest, AutoInSplitScreenBringsTheHalvesTogether) {
    s.SplitScreen = 1;
    s.Left.DepthOffset = 3;
    s.Right.DepthOffset = 1;
    s.Right.DepthRange = 6;
    optModeAutoManual_Click(1);
    EXPECT_EQ(std::tuple(s.Left.DepthOffset, s.Left.DepthRange, s.Right.DepthRange),
              std::tuple(1, 6, 6));
    EXPECT_EQ(std::tuple(s.AutoMode, s.SettingsChanged, s.SendSettings), std::tuple(1, 1, 1));
    EXPECT_EQ(windows.channelSettingsShown, (std::vector<Channel>{Channel::Left, Channel::Right}));
    optModeAutoManual_Click(0);
    EXPECT_EQ(s.AutoMode, 0);
    EXPECT_EQ(windows.manualAutoShown, (std::vector<bool>{true, false}));
    EXPECT_EQ(windows.screenFrameEnabled, (std::vector<bool>{false, true}));
}

TEST_F(SetupPropertiesTest, AutoInFullScreenOrPlaybackKeepsTheHalvesAndTheFrame) {
    s.Left.DepthOffset = 3;
    s.AutoMode = 7; // a stored mode outside the group counts as its nearest item
    CheckSetManualAutoModeDisplays();
    EXPECT_EQ(std::tuple(s.AutoMode, s.Left.DepthOffset, s.SettingsChanged), std::tuple(1, 3, 1));
    s.PlaybackMode = true;
    s.AutoMode = 0;
    CheckSetManualAutoModeDisplays();
    EXPECT_EQ(windows.screenFrameEnabled, std::vector<bool>{false});
}

TEST_F(SetupPropertiesTest, TheSplitScreenOptionClearsTheScreenAtOnce) {
    pictHiddenA().fill(Rgb{9, 9, 9});
    optScreenFullSplit_Click(1);
    EXPECT_EQ(std::tuple(s.SplitScreen, s.SettingsChanged, s.SendSettings), std::tuple(1, 1, 1));
    EXPECT_TRUE(s.LogFullBlockRequest);
    EXPECT_EQ(s.ClearFullPending, 0); // served at once
    EXPECT_EQ(pictHiddenA().pixel(500, 300), s.BackgroundColor);
}

TEST_F(SetupPropertiesTest, TransmitPowerLabelFollowsTheWatts) {
    const std::pair<int, const char*> labels[] = {
        {0, "Xmit Pwr 0.0W"}, {2, "Xmit Pwr 0.16W"}, {20, "Xmit Pwr 15.7W"},
        {255, "Xmit Pwr 2560W"}};
    for (const auto& [power, label] : labels) {
        s.XmitPower = static_cast<std::int16_t>(power);
        ShowXmitPower();
        EXPECT_EQ(windows.xmitPowerLabels.back(), label);
    }
}

TEST_F(SetupPropertiesTest, SetupPropertiesReappliesEverythingAndRestartsThePingCycle) {
    timers().tmrMainTimer2.setEnabled(true);
    s.DepthUnits = 1;
    s.TempUnitsC = 1;
    s.NmeaOutputOn = 1;
    s.BackgroundColor = Rgb{0, 128, 0};
    SetupProperties();
    EXPECT_TRUE(timers().tmrMainTimer1.enabled());
    EXPECT_FALSE(timers().tmrMainTimer2.enabled());
    EXPECT_EQ(std::tuple(s.DepthUnitsText, s.TempUnitsText, s.NmeaOutputActive),
              std::tuple(" Mtr", "C", true));
    EXPECT_FLOAT_EQ(s.RangeGateWidth, 6.0f / 3.280839f) << "6 ft, in metres";
    EXPECT_EQ(PictVisible().pixel(10, 10), s.BackgroundColor);
    EXPECT_EQ(windows.controlsApplied, 1);
}

} // namespace
} // namespace vz::test
