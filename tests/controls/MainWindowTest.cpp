#include "ControlsFixture.h"

#include "controls/MainOptions.h"
#include "controls/SetupProperties.h"
#include "controls/XmitTempLimit.h"
#include "display/Pointer.h"
#include "display/Surfaces.h"
#include "support/ScriptedDialogs.h"

namespace vz::test {
namespace {

// The main window's own controls: the pointer over the echogram, its keys and options.
using MainWindowTest = ControlsFixture;

// The cursor depth is that of the row in the channel under the pointer.
TEST_F(MainWindowTest, CursorDepthZonesAndPressesFollowThePointer) {
    // Full screen, 100 ft range from 0 ft: one decimal below 75.
    EXPECT_EQ(CursorDepthText(100, 450), "Cursor =75 Ft");
    s.Full.DepthOffset = 3; // from 20 ft
    EXPECT_FLOAT_EQ(CursorDepth(999, 600), 120.0f);

    s.SplitScreen = 1;
    s.Right.DepthRange = 6; // 250 ft
    s.DepthUnitsText = " Mtr";
    EXPECT_EQ(CursorDepthText(499, 300), "Cursor =50.0 Mtr");
    EXPECT_EQ(CursorDepthText(500, 300), "Cursor =125 Mtr");

    const struct { int split, x; Channel channel; bool gate; } zones[] = {
        {0, 0, Channel::Full, false},   {0, 910, Channel::Full, false},  {0, 911, Channel::Full, true},
        {1, 911, Channel::Right, true}, {1, 910, Channel::Right, false}, {1, 501, Channel::Right, false},
        {1, 500, Channel::Left, true},  {1, 411, Channel::Left, true},   {1, 410, Channel::Left, false},
    };
    for (const auto& z : zones) {
        s.SplitScreen = static_cast<std::int16_t>(z.split);
        EXPECT_EQ(std::pair(ZoneAt(z.x).channel, ZoneAt(z.x).rangeGate), std::pair(z.channel, z.gate))
            << z.split << " " << z.x;
    }
    // Left: 150 ft. A right press in a gate zone sets the gate on the row's depth, elsewhere it
    // opens that channel's panel; a left press hides the panels; every other press ends the gate.
    s.Left.DepthRange = 5;
    const struct { int split, button, x, y; PressAction action; Channel channel; int gate; float depth; }
        presses[] = {
            {1, kPointerRight, 480, 120, PressAction::None, Channel::Full, 1, 30.0f},
            {1, kPointerRight, 200, 120, PressAction::OpenPanel, Channel::Left, 0, 30.0f},
            {0, kPointerLeft, 950, 300, PressAction::HidePanels, Channel::Full, 0, 30.0f},
            {0, 4, 950, 300, PressAction::None, Channel::Full, 0, 30.0f},
        };
    for (const auto& p : presses) {
        s.SplitScreen = static_cast<std::int16_t>(p.split);
        s.ShowRangeGate = 1;
        const PressResult r = PictVisible_MouseDown(p.button, p.x, p.y);
        EXPECT_EQ(std::pair(r.action, r.channel), std::pair(p.action, p.channel)) << p.x;
        EXPECT_EQ(std::pair(int(s.ShowRangeGate), s.RangeGateDepth), std::pair(p.gate, p.depth)) << p.x;
    }
    EXPECT_FLOAT_EQ(s.BottomDepth, 30.0f);
}

// Ctrl+Alt+D and Shift+T themselves are pressed in the window tests.
TEST_F(MainWindowTest, KeysCloseToTheCommandKeysAreNoCommand) {
    const std::pair<char, int> others[] = {{'D', kCtrlKey | kAltKey | kShiftKey}, {'D', kCtrlKey},
                                           {'T', kShiftKey | kCtrlKey}, {'T', 0}, {'A', kShiftKey}};
    for (const auto& [key, modifiers] : others)
        EXPECT_EQ(KeyCommandFor(key, modifiers), KeyCommand::None) << key << modifiers;
}

TEST_F(MainWindowTest, TransmitterTemperatureLimitIsKeptWithin80To155Degrees) {
    ScriptedDialogs dialogs;
    const std::pair<const char*, int> answers[] = {
        {"70", 81}, {"200", 129}, {"79.9", 81}, {"100", 94}, {"warm", 81}, {"", 120}};
    for (const auto& [answer, stored] : answers) {
        s.XmitTempLimit = 120;
        dialogs.answerInput(answer);
        AskXmitTempLimit();
        EXPECT_EQ(s.XmitTempLimit, stored) << answer;
    }
    // Asked in degrees: the stored 120 shows as 141.
    EXPECT_NE(dialogs.shown().back().text.find("currently = 141 Degrees C"), std::string::npos);
}

TEST_F(MainWindowTest, AutoModeBringsTheHalvesOfASplitScreenTogether) {
    // In full screen the halves stay; a stored mode outside the group counts as its nearest item.
    s.Left.DepthOffset = 3;
    s.AutoMode = 7;
    CheckSetManualAutoModeDisplays();
    EXPECT_EQ(std::tuple(s.AutoMode, s.Left.DepthOffset, s.SettingsChanged), std::tuple(1, 3, 1));
    s.SplitScreen = 1;
    s.Right.DepthOffset = 1;
    s.Right.DepthRange = 6;
    s.SettingsChanged = 0;
    s.SendSettings = 0;
    windows.channelSettingsShown.clear();
    optModeAutoManual_Click(1);
    EXPECT_EQ(std::tuple(s.Left.DepthOffset, s.Left.DepthRange, s.Right.DepthRange,
                         s.SettingsChanged, s.SendSettings),
              std::tuple(1, 6, 6, 1, 1));
    EXPECT_EQ(windows.channelSettingsShown, (std::vector<Channel>{Channel::Left, Channel::Right}));
    optModeAutoManual_Click(0);
    EXPECT_EQ(s.AutoMode, 0);
    // In playback the frame of the screen options is left as it is.
    s.PlaybackMode = true;
    CheckSetManualAutoModeDisplays();
    EXPECT_EQ(windows.manualAutoShown, (std::vector<bool>{true, true, false, false}));
    EXPECT_EQ(windows.screenFrameEnabled, (std::vector<bool>{false, false, true}));
}

TEST_F(MainWindowTest, TheSplitScreenOptionClearsTheScreenAtOnce) {
    pictHiddenA().fill(Rgb{9, 9, 9});
    optScreenFullSplit_Click(1);
    EXPECT_TRUE(s.SplitScreen && s.LogFullBlockRequest);
    EXPECT_EQ(s.ClearFullPending, 0); // served at once
    EXPECT_EQ(pictHiddenA().pixel(500, 300), s.BackgroundColor);
}

TEST_F(MainWindowTest, TransmitPowerLabelFollowsTheWatts) {
    for (int power : {0, 2, 20, 255}) {
        s.XmitPower = static_cast<std::int16_t>(power);
        ShowXmitPower();
    }
    EXPECT_EQ(windows.xmitPowerLabels,
              (std::vector<std::string>{"Xmit Pwr 0.0W", "Xmit Pwr 0.16W", "Xmit Pwr 15.7W",
                                        "Xmit Pwr 2560W"}));
}

TEST_F(MainWindowTest, SetupPropertiesReappliesEverythingAndRestartsThePingCycle) {
    timers().tmrMainTimer2.setEnabled(true);
    s.DepthUnits = 1;
    s.TempUnitsC = 1;
    s.NmeaOutputOn = 1;
    s.BackgroundColor = Rgb{0, 128, 0};
    SetupProperties();
    EXPECT_TRUE(timers().tmrMainTimer1.enabled() && !timers().tmrMainTimer2.enabled());
    EXPECT_EQ(std::tuple(s.DepthUnitsText, s.TempUnitsText, s.NmeaOutputActive),
              std::tuple(" Mtr", "C", true));
    EXPECT_FLOAT_EQ(s.RangeGateWidth, 6.0f / 3.280839f) << "6 ft, in metres";
    EXPECT_EQ(PictVisible().pixel(10, 10), s.BackgroundColor);
    EXPECT_EQ(windows.controlsApplied, 1);
}

} // namespace
} // namespace vz::test
