#include "ControlsFixture.h"

#include "controls/PanelButtons.h"
#include "controls/PanelOptions.h"
#include "controls/PanelRows.h"
#include "controls/StepRepeat.h"
#include "support/ScriptedDialogs.h"

#include <tuple>
#include <vector>

namespace vz::test {
namespace {

class PanelButtonsTest : public ControlsFixture {
  protected:
    int code(PanelRow row, int direction) { return PanelButtonCode(row, direction); }
};

TEST_F(PanelButtonsTest, EveryRowStopsAtBothBoundsAndStillRaisesTheFlags) {
    for (PanelRow row : kPanelRows) {
        const PanelRowInfo& info = RowInfo(row);
        std::int16_t& value = s.Left.*info.field;
        SCOPED_TRACE(info.name);
        for (int direction : {+1, -1}) {
            value = static_cast<std::int16_t>(direction > 0 ? info.upper : info.lower);
            s.SettingsChanged = 0;
            s.SendSettings = 0;
            windows.channelSettingsShown.clear();
            PanelButton_Click(Channel::Left, code(row, direction));
            EXPECT_EQ(value, direction > 0 ? info.upper : info.lower);
            EXPECT_EQ(s.SettingsChanged, 1);
            EXPECT_EQ(s.SendSettings, 1);
            EXPECT_EQ(windows.channelSettingsShown, std::vector<Channel>{Channel::Left});
            PanelButton_Click(Channel::Left, code(row, -direction));
            EXPECT_EQ(value, direction > 0 ? info.upper - 1 : info.lower + 1);
        }
    }
    // The other channels were not touched.
    EXPECT_EQ(s.Full, factoryChannel(Channel::Full));
    EXPECT_EQ(s.Right, factoryChannel(Channel::Right));
}

TEST_F(PanelButtonsTest, ValueTextsShowTheDepthTableEntriesAndTheValues) {
    EXPECT_EQ(PanelRowText(Channel::Full, PanelRow::DepthRange), "Depth Range = 100");
    EXPECT_EQ(PanelRowText(Channel::Full, PanelRow::AnalogGain), "Fixed Analog Gain = 242");
    s.DepthUnits = 1;
    EXPECT_EQ(PanelRowText(Channel::Full, PanelRow::DepthRange), "Depth Range = 30");
    // A value no panel button gives (a settings file, a recording) shows without a blank for
    // its sign, and an index beyond the tables shows their last entry.
    s.Full.GainRate = -5;
    EXPECT_EQ(PanelRowText(Channel::Full, PanelRow::GainRate), "Change Rate =-5");
    s.Full.DepthOffset = 300;
    s.DepthUnits = 9;
    EXPECT_EQ(PanelRowText(Channel::Full, PanelRow::DepthOffset),
              ValueText("Depth Offset =", s.DepthOffsetTable[2][20]));
}

// A held button repeats on the panel's timer: gains speed up by a tenth a step, the DSP gain and
// the pulse width by a twentieth, the depth rows repeat every 200 ms.
TEST_F(PanelButtonsTest, HeldButtonsRepeatAndTheReleaseSetsTheNextInterval) {
    const struct {
        PanelRow row;
        int start, direction, repeats, before; // `before`: the interval the last step left
        std::vector<int> first;                // intervals of the first three repeats
        int last, end, released, clicked, afterClick;
    } holds[] = {
        {PanelRow::AnalogGain, 100, -1, 40, 150, {150, 135, 122}, 4, 60, 150, 135, 59},
        {PanelRow::StartGain, 100, -1, 40, 150, {150, 135, 122}, 4, 60, 150, 135, 59},
        {PanelRow::GainRate, 100, +1, 40, 150, {150, 135, 122}, 4, 140, 150, 135, 141},
        {PanelRow::DspGain, 2, +1, 60, 150, {150, 142, 135}, 10, 15, 150, 142, 15},
        {PanelRow::PulseWidth, 3, +1, 5, 142, {142, 135, 128}, 116, 8, 200, 190, 9},
        {PanelRow::DepthRange, 1, +1, 4, 150, {200, 200, 200}, 200, 5, 200, 200, 6},
        {PanelRow::DepthOffset, 11, -1, 12, 150, {200, 200, 200}, 200, 1, 200, 200, 1},
    };
    for (const auto& h : holds) {
        SCOPED_TRACE(RowInfo(h.row).name);
        std::int16_t& value = s.Right.*RowInfo(h.row).field;
        value = static_cast<std::int16_t>(h.start);
        Timer& timer = PanelMouseTimer(Channel::Right);
        timer.setInterval(h.before);
        const int button = code(h.row, h.direction);
        PanelButton_MouseDown(Channel::Right, button, kLeftButton);
        std::vector<int> intervals;
        for (int i = 0; i < h.repeats; ++i) {
            ASSERT_TRUE(timer.enabled());
            intervals.push_back(timer.interval());
            tmrPanelMouse_Timer(Channel::Right);
        }
        EXPECT_EQ(std::vector<int>(intervals.begin(), intervals.begin() + 3), h.first);
        EXPECT_EQ(intervals.back(), h.last);
        EXPECT_EQ(value, h.end);
        PanelButton_MouseUp(Channel::Right, button);
        EXPECT_FALSE(timer.enabled());
        EXPECT_EQ(timer.interval(), h.released);
        PanelButton_Click(Channel::Right, button);
        EXPECT_EQ(timer.interval(), h.clicked);
        EXPECT_EQ(value, h.afterClick);
    }
}

TEST_F(PanelButtonsTest, OnlyTheLeftButtonStartsARepeatAndALostReleaseEndsIt) {
    for (int button : {kRightButton, kMiddleButton}) {
        PanelButton_MouseDown(Channel::Full, code(PanelRow::AnalogGain, +1), button);
        EXPECT_FALSE(PanelMouseTimer(Channel::Full).enabled());
        EXPECT_EQ(s.HeldPanelButton[0], 0);
    }
    // Each panel has its own timer and held button.
    PanelButton_MouseDown(Channel::Right, code(PanelRow::StartGain, +1), kLeftButton);
    EXPECT_TRUE(PanelMouseTimer(Channel::Right).enabled());
    EXPECT_FALSE(PanelMouseTimer(Channel::Full).enabled());
    EXPECT_EQ(s.HeldPanelButton[2], code(PanelRow::StartGain, +1));

    // A hold that will see no release ends as a release, without the Click's step.
    for (int i = 0; i < 3; ++i)
        tmrPanelMouse_Timer(Channel::Right);
    ReleaseHeldPanelButton(Channel::Right);
    EXPECT_FALSE(PanelMouseTimer(Channel::Right).enabled());
    EXPECT_EQ(PanelMouseTimer(Channel::Right).interval(), 150);
    EXPECT_EQ(s.Right.StartGain, 113);
    // Without a hold there is nothing to end: the interval left by the last Click stays.
    PanelButton_Click(Channel::Right, code(PanelRow::StartGain, +1));
    ReleaseHeldPanelButton(Channel::Right);
    EXPECT_EQ(PanelMouseTimer(Channel::Right).interval(), 135);
}

TEST_F(PanelButtonsTest, OptionGroupsStoreTheItemAndRaiseTheirFlags) {
    optAscope_Click(Channel::Right, 1);
    EXPECT_EQ(std::tuple(s.Right.Ascope, s.SettingsChanged, s.SendSettings), std::tuple(1, 1, 0));
    EXPECT_EQ(std::tuple(s.ClearFullPending, s.ClearLeftPending, s.ClearRightPending),
              std::tuple(0, 0, 1));
    optFrequency_Click(Channel::Left, 0);
    EXPECT_EQ(std::tuple(s.Left.Frequency, s.SendSettings), std::tuple(0, 1));
    s.SendSettings = 0;
    optProcessingType_Click(Channel::Left, 2);
    EXPECT_EQ(std::tuple(s.Left.ProcessingType, s.SendSettings), std::tuple(2, 1));
    EXPECT_EQ(windows.processingRowsShown, std::vector<Channel>{Channel::Left});
}

TEST_F(PanelButtonsTest, ExportAndImportCopyTheTenSettingsOnlyWhenConfirmed) {
    ScriptedDialogs dialogs;
    s.Full.ProcessingType = 2;
    s.Full.DspGain = 9;
    s.Full.Param10 = 5;
    s.Right.Param13 = 3;
    const ChannelSettings rightBefore = s.Right;
    dialogs.answerMessage(AnswerNo).answerMessage(AnswerYes).answerMessage(AnswerYes);
    CopyChannelSettings(Channel::Full, Channel::Right, CopyDirection::Export);
    EXPECT_EQ(s.Right, rightBefore);
    EXPECT_EQ(s.SettingsChanged + s.SendSettings + windows.controlsApplied, 0);

    CopyChannelSettings(Channel::Full, Channel::Right, CopyDirection::Export);
    ChannelSettings expected = s.Full;
    expected.Param10 = 1; // the two parameters are not copied
    expected.Param13 = 3;
    EXPECT_EQ(s.Right, expected);
    EXPECT_EQ(std::tuple(s.SettingsChanged, s.SendSettings), std::tuple(1, 1));
    EXPECT_GE(windows.controlsApplied, 1); // everything re-applied
    EXPECT_EQ(windows.processingRowsShown.back(), Channel::Right);

    CopyChannelSettings(Channel::Left, Channel::Right, CopyDirection::Import);
    EXPECT_EQ(s.Left.DspGain, 9);
    EXPECT_EQ(dialogs.beeps(), 3);
}

} // namespace
} // namespace vz::test
