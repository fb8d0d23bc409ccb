#include "ControlsFixture.h"

#include "controls/XmitTempLimit.h"
#include "display/Pointer.h"
#include "support/ScriptedDialogs.h"

namespace vz::test {
namespace {

class PointerTest : public ControlsFixture {};

TEST_F(PointerTest, CursorDepthIsTheDepthOfTheRowInTheChannelUnderThePointer) {
    // Full screen, 100 ft range from 0 ft.
    EXPECT_EQ(CursorDepthText(100, 300), "Cursor =50.0 Ft");
    EXPECT_EQ(CursorDepthText(100, 0), "Cursor =0.0 Ft");
    EXPECT_EQ(CursorDepthText(100, 450), "Cursor =75 Ft");
    s.Full.DepthOffset = 3; // from 20 ft
    EXPECT_FLOAT_EQ(CursorDepth(999, 600), 120.0f);

    s.SplitScreen = 1;
    s.Right.DepthRange = 6; // 250 ft
    s.DepthUnitsText = " Mtr";
    EXPECT_EQ(CursorChannel(499), Channel::Left);
    EXPECT_EQ(CursorChannel(500), Channel::Right);
    EXPECT_EQ(CursorDepthText(499, 300), "Cursor =50.0 Mtr");
    EXPECT_EQ(CursorDepthText(500, 300), "Cursor =125 Mtr");
}

TEST_F(PointerTest, ZonesChangeAtTheirBorders) {
    const auto zone = [](int x) {
        const PointerZone z = ZoneAt(x);
        return std::make_pair(z.channel, z.rangeGate);
    };
    EXPECT_EQ(zone(910), std::make_pair(Channel::Full, false));
    EXPECT_EQ(zone(911), std::make_pair(Channel::Full, true));
    EXPECT_EQ(zone(0), std::make_pair(Channel::Full, false));
    s.SplitScreen = 1;
    EXPECT_EQ(zone(999), std::make_pair(Channel::Right, true));
    EXPECT_EQ(zone(911), std::make_pair(Channel::Right, true));
    EXPECT_EQ(zone(910), std::make_pair(Channel::Right, false));
    EXPECT_EQ(zone(501), std::make_pair(Channel::Right, false));
    EXPECT_EQ(zone(500), std::make_pair(Channel::Left, true));
    EXPECT_EQ(zone(411), std::make_pair(Channel::Left, true));
    EXPECT_EQ(zone(410), std::make_pair(Channel::Left, false));
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
    EXPECT_FLOAT_EQ(s.RangeGateDepth, 50.0f);

    s.SplitScreen = 1;
    s.Left.DepthRange = 5; // 150 ft
    r = PictVisible_MouseDown(kPointerRight, 480, 120);
    EXPECT_EQ(r.action, PressAction::None);
    EXPECT_EQ(s.ShowRangeGate, 1);
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
    EXPECT_EQ(KeyCommandFor('D', kCtrlKey | kAltKey | kShiftKey), KeyCommand::None);
    EXPECT_EQ(KeyCommandFor('D', kCtrlKey), KeyCommand::None);
    EXPECT_EQ(KeyCommandFor('T', kShiftKey), KeyCommand::XmitTempLimit);
    EXPECT_EQ(KeyCommandFor('T', kShiftKey | kCtrlKey), KeyCommand::None);
    EXPECT_EQ(KeyCommandFor('T', 0), KeyCommand::None);
    EXPECT_EQ(KeyCommandFor('A', kShiftKey), KeyCommand::None);
}

TEST_F(PointerTest, TransmitterTemperatureLimitIsKeptWithin80To155Degrees) {
    ScriptedDialogs dialogs;
    const struct {
        const char* answer;
        int stored;
    } cases[] = {{"70", 81}, {"200", 129}, {"79.9", 81}, {"100", 94}, {"warm", 81}};
    for (const auto& c : cases) {
        s.XmitTempLimit = 120;
        dialogs.answerInput(c.answer);
        AskXmitTempLimit();
        EXPECT_EQ(s.XmitTempLimit, c.stored) << c.answer;
    }
    s.XmitTempLimit = 120;
    dialogs.answerInput("");
    AskXmitTempLimit();
    EXPECT_EQ(s.XmitTempLimit, 120);

    const ShownDialog& shown = dialogs.shown().back();
    EXPECT_EQ(shown.title, "View/Set Maximum Transmitter Temperature Threshold");
    EXPECT_EQ(shown.text, "Transmitter temperature safety threshold currently = 141 Degrees C\r\n\r\n"
                          "Enter new transmitter safety temperature limit (80 - 155 deg C)");
}

} // namespace
} // namespace vz::test
