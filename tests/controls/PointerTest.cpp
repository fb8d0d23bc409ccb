#include "ControlsFixture.h"

#include "controls/XmitTempLimit.h"
#include "display/Pointer.h"
#include "support/ScriptedDialogs.h"

namespace vz::test {
namespace {

using PointerTest = ControlsFixture;

TEST_F(PointerTest, CursorDepthIsTheDepthOfTheRowInTheChannelUnderThePointer) {
    // Full screen, 100 ft range from 0 ft: one decimal below 75.
    EXPECT_EQ(CursorDepthText(100, 450), "Cursor =75 Ft");
    s.Full.DepthOffset = 3; // from 20 ft
    EXPECT_FLOAT_EQ(CursorDepth(999, 600), 120.0f);

    s.SplitScreen = 1;
    s.Right.DepthRange = 6; // 250 ft
    s.DepthUnitsText = " Mtr";
    EXPECT_EQ(CursorDepthText(499, 300), "Cursor =50.0 Mtr");
    EXPECT_EQ(CursorDepthText(500, 300), "Cursor =125 Mtr");
}

TEST_F(PointerTest, ZonesChangeAtTheirBordersAndPressesActOnThem) {
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
    // Asked in degrees: the stored 120 shows as 141.
    EXPECT_NE(dialogs.shown().back().text.find("currently = 141 Degrees C"), std::string::npos);
}

} // namespace
} // namespace vz::test
