#include "ControlsFixture.h"

#include "controls/XmitTempLimit.h"
#include "display/Pointer.h"
#include "support/ScriptedDialogs.h"

namespace vz::test {
namespace {

using PointerTest = ControlsFixture;

TEST_F(PointerTest, CursorDepthIsTheDepthOfTheRowInTheChannelUnderThePointer) {
    // Full screen, 100 ft range from 0 ft: one decimal below 75.
    EXPECT_EQ(CursorDepthText(100, 300), "Cursor =50.0 Ft");
    EXPECT_EQ(CursorDepthText(100, 450), "Cursor =75 Ft");
    s.Full.DepthOffset = 3; // from 20 ft
    EXPECT_FLOAT_EQ(CursorDepth(999, 600), 120.0f);

    s.SplitScreen = 1;
    s.Right.DepthRange = 6; // 250 ft
    s.DepthUnitsText = " Mtr";
    EXPECT_EQ(CursorDepthText(499, 300), "Cursor =50.0 Mtr");
    EXPECT_EQ(CursorDepthText(500, 300), "Cursor =125 Mtr");
}

TEST_F(PointerTest, ZonesChangeAtTheirBorders) {
    const auto zone = [](int x) {
        const PointerZone z = ZoneAt(x);
        return std::make_pair(z.channel, z.rangeGate);
    };
    using Z = std::pair<Channel, bool>;
    EXPECT_EQ(zone(0), Z(Channel::Full, false));
    EXPECT_EQ(zone(910), Z(Channel::Full, false));
    EXPECT_EQ(zone(911), Z(Channel::Full, true));
    s.SplitScreen = 1;
    const std::pair<int, Z> split[] = {
        {911, {Channel::Right, true}},  {910, {Channel::Right, false}},
        {501, {Channel::Right, false}}, {500, {Channel::Left, true}},
        {411, {Channel::Left, true}},   {410, {Channel::Left, false}}};
    for (const auto& [x, expected] : split)
        EXPECT_EQ(zone(x), expected) << x;
}

TEST_F(PointerTest, PressesOpenPanelsSetTheRangeGateOrCloseThePanels) {
    PressResult r = PictVisible_MouseDown(kPointerRight, 950, 300);
    EXPECT_EQ(r.action, PressAction::None);
    EXPECT_EQ(s.ShowRangeGate, 1);
    EXPECT_FLOAT_EQ(s.BottomDepth, 50.0f);
    EXPECT_FLOAT_EQ(s.RangeGateDepth, 50.0f);

    r = PictVisible_MouseDown(kPointerRight, 910, 300);
    EXPECT_EQ(r.action, PressAction::OpenPanel);
    EXPECT_EQ(r.channel, Channel::Full);
    EXPECT_EQ(s.ShowRangeGate, 0);

    s.SplitScreen = 1;
    s.Left.DepthRange = 5; // 150 ft
    EXPECT_EQ(PictVisible_MouseDown(kPointerRight, 480, 120).action, PressAction::None);
    EXPECT_FLOAT_EQ(s.RangeGateDepth, 30.0f);
    r = PictVisible_MouseDown(kPointerRight, 200, 120);
    EXPECT_EQ(r.action, PressAction::OpenPanel);
    EXPECT_EQ(r.channel, Channel::Left);

    s.ShowRangeGate = 1;
    EXPECT_EQ(PictVisible_MouseDown(kPointerLeft, 950, 300).action, PressAction::HidePanels);
    EXPECT_EQ(s.ShowRangeGate, 0);
    s.ShowRangeGate = 1;
    EXPECT_EQ(PictVisible_MouseDown(4, 950, 300).action, PressAction::None);
    EXPECT_EQ(s.ShowRangeGate, 0);
}

TEST_F(PointerTest, KeyCombinations) {
    EXPECT_EQ(KeyCommandFor('D', kCtrlKey | kAltKey), KeyCommand::Diagnostics);
    EXPECT_EQ(KeyCommandFor('T', kShiftKey), KeyCommand::XmitTempLimit);
    const std::pair<char, int> others[] = {{'D', kCtrlKey | kAltKey | kShiftKey}, {'D', kCtrlKey},
                                           {'T', kShiftKey | kCtrlKey}, {'T', 0}, {'A', kShiftKey}};
    for (const auto& [key, modifiers] : others)
        EXPECT_EQ(KeyCommandFor(key, modifiers), KeyCommand::None) << key << modifiers;
}

TEST_F(PointerTest, TransmitterTemperatureLimitIsKeptWithin80To155Degrees) {
    ScriptedDialogs dialogs;
    const std::pair<const char*, int> answers[] = {
        {"70", 81}, {"200", 129}, {"79.9", 81}, {"100", 94}, {"warm", 81}, {"", 120}};
    for (const auto& [answer, stored] : answers) {
        s.XmitTempLimit = 120;
        dialogs.answerInput(answer);
        AskXmitTempLimit();
        EXPECT_EQ(s.XmitTempLimit, stored) << answer;
    }
    EXPECT_EQ(dialogs.shown().back().text,
              "Transmitter temperature safety threshold currently = 141 Degrees C\r\n\r\n"
              "Enter new transmitter safety temperature limit (80 - 155 deg C)");
}

} // namespace
} // namespace vz::test
