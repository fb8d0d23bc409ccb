#include "ControlsFixture.h"

#include "controls/PanelButtons.h"
#include "controls/PanelOptions.h"
#include "controls/PanelRows.h"
#include "controls/StepRepeat.h"
#include "platform/Dialogs.h"
#include "support/ScriptedDialogs.h"

#include <algorithm>
#include <vector>

namespace vz::test {
namespace {

class PanelButtonsTest : public ControlsFixture {
protected:
    void clearFlags() {
        s.SettingsChanged = 0;
        s.SendSettings = 0;
        windows.channelSettingsShown.clear();
    }
    int code(PanelRow row, int direction) { return PanelButtonCode(row, direction); }
    // Holds a button: the interval in effect before each of `repeats` timer ticks.
    std::vector<int> hold(Channel c, int buttonCode, int repeats) {
        PanelButton_MouseDown(c, buttonCode, kLeftButton);
        std::vector<int> intervals;
        for (int i = 0; i < repeats; ++i) {
            EXPECT_TRUE(PanelMouseTimer(c).enabled());
            intervals.push_back(PanelMouseTimer(c).interval());
            tmrPanelMouse_Timer(c);
        }
        return intervals;
    }
};

TEST_F(PanelButtonsTest, EveryRowStopsAtBothBoundsAndStillRaisesTheFlags) {
    for (PanelRow row : kPanelRows) {
        const PanelRowInfo& info = RowInfo(row);
        std::int16_t& value = s.Left.*info.field;
        SCOPED_TRACE(info.name);

        value = static_cast<std::int16_t>(info.upper);
        clearFlags();
        PanelButton_Click(Channel::Left, code(row, +1));
        EXPECT_EQ(value, info.upper);
        EXPECT_EQ(s.SettingsChanged, 1);
        EXPECT_EQ(s.SendSettings, 1);
        EXPECT_EQ(windows.channelSettingsShown, std::vector<Channel>{Channel::Left});

        value = static_cast<std::int16_t>(info.lower);
        clearFlags();
        PanelButton_Click(Channel::Left, code(row, -1));
        EXPECT_EQ(value, info.lower);
        EXPECT_EQ(s.SettingsChanged, 1);
        EXPECT_EQ(s.SendSettings, 1);

        PanelButton_Click(Channel::Left, code(row, +1));
        EXPECT_EQ(value, info.lower + 1);
        PanelButton_Click(Channel::Left, code(row, -1));
        EXPECT_EQ(value, info.lower);
    }
    // The other channels were not touched.
    EXPECT_EQ(s.Full, factoryChannel(Channel::Full));
    EXPECT_EQ(s.Right, factoryChannel(Channel::Right));
}

TEST_F(PanelButtonsTest, ValueTextsShowTheDepthTableEntriesAndTheValues) {
    EXPECT_EQ(PanelRowText(Channel::Full, PanelRow::DepthRange), "Depth Range = 100");
    EXPECT_EQ(PanelRowText(Channel::Full, PanelRow::DepthOffset), "Depth Offset = 0");
    EXPECT_EQ(PanelRowText(Channel::Full, PanelRow::AnalogGain), "Fixed Analog Gain = 242");
    EXPECT_EQ(PanelRowText(Channel::Full, PanelRow::GainRate), "Change Rate = 245");
    s.DepthUnits = 1;
    EXPECT_EQ(PanelRowText(Channel::Full, PanelRow::DepthRange), "Depth Range = 30");
    s.DepthUnits = 0;
    s.Full.DepthRange = 9;
    EXPECT_EQ(PanelRowText(Channel::Full, PanelRow::DepthRange), "Depth Range = 2000");
    // A value no panel button gives (a settings file, a recording) shows without a blank for
    // its sign, and an index beyond the tables shows their last entry.
    s.Full.GainRate = -5;
    EXPECT_EQ(PanelRowText(Channel::Full, PanelRow::GainRate), "Change Rate =-5");
    s.Full.DepthOffset = 300;
    s.DepthUnits = 9;
    EXPECT_EQ(PanelRowText(Channel::Full, PanelRow::DepthOffset),
              ValueText("Depth Offset =", s.DepthOffsetTable[2][20]));
}

TEST_F(PanelButtonsTest, HeldGainButtonsSpeedUpAndTheReleaseResetsTheInterval) {
    for (PanelRow row : {PanelRow::AnalogGain, PanelRow::StartGain, PanelRow::GainRate}) {
        SCOPED_TRACE(RowInfo(row).name);
        ResetTimers();
        std::int16_t& value = s.Right.*RowInfo(row).field;
        value = 100;
        const std::vector<int> intervals = hold(Channel::Right, code(row, -1), 40);
        EXPECT_EQ(std::vector<int>(intervals.begin(), intervals.begin() + 7),
                  (std::vector<int>{150, 135, 122, 110, 99, 89, 80}));
        EXPECT_EQ(intervals.back(), 4); // 4 x 0.9 = 3.6 gives 4 again
        EXPECT_EQ(value, 60);

        PanelButton_MouseUp(Channel::Right, code(row, -1));
        EXPECT_FALSE(PanelMouseTimer(Channel::Right).enabled());
        EXPECT_EQ(PanelMouseTimer(Channel::Right).interval(), 150);
        PanelButton_Click(Channel::Right, code(row, -1));
        EXPECT_EQ(value, 59);
        EXPECT_EQ(PanelMouseTimer(Channel::Right).interval(), 135);
    }
}

TEST_F(PanelButtonsTest, HeldDspGainAndPulseWidthSpeedUpByFivePercent) {
    s.Full.DspGain = 2;
    std::vector<int> intervals = hold(Channel::Full, code(PanelRow::DspGain, +1), 60);
    EXPECT_EQ(std::vector<int>(intervals.begin(), intervals.begin() + 3), (std::vector<int>{150, 142, 135}));
    EXPECT_EQ(intervals.back(), 10); // 10 x 0.95 = 9.5 gives 10 again
    EXPECT_EQ(s.Full.DspGain, 15);
    PanelButton_MouseUp(Channel::Full, code(PanelRow::DspGain, +1));
    PanelButton_Click(Channel::Full, code(PanelRow::DspGain, +1));
    EXPECT_EQ(PanelMouseTimer(Channel::Full).interval(), 142); // 142.5 to the even neighbour

    s.Full.PulseWidth = 3;
    // The panel's one timer starts the next hold at the interval the last step left.
    intervals = hold(Channel::Full, code(PanelRow::PulseWidth, +1), 5);
    EXPECT_EQ(intervals, (std::vector<int>{142, 135, 128, 122, 116}));
    EXPECT_EQ(s.Full.PulseWidth, 8);
    PanelButton_MouseUp(Channel::Full, code(PanelRow::PulseWidth, +1));
    EXPECT_EQ(PanelMouseTimer(Channel::Full).interval(), 200);
    PanelButton_Click(Channel::Full, code(PanelRow::PulseWidth, +1));
    EXPECT_EQ(PanelMouseTimer(Channel::Full).interval(), 190);
    EXPECT_EQ(s.Full.PulseWidth, 9);
}

TEST_F(PanelButtonsTest, HeldDepthButtonsRepeatEvery200msAndTheClickAddsOneStep) {
    s.Left.DepthRange = 1;
    const std::vector<int> intervals = hold(Channel::Left, code(PanelRow::DepthRange, +1), 4);
    EXPECT_EQ(intervals, (std::vector<int>{200, 200, 200, 200}));
    EXPECT_EQ(s.Left.DepthRange, 5);
    PanelButton_MouseUp(Channel::Left, code(PanelRow::DepthRange, +1));
    EXPECT_FALSE(PanelMouseTimer(Channel::Left).enabled());
    EXPECT_EQ(PanelMouseTimer(Channel::Left).interval(), 200);
    PanelButton_Click(Channel::Left, code(PanelRow::DepthRange, +1));
    EXPECT_EQ(s.Left.DepthRange, 6);

    s.Left.DepthOffset = 11;
    hold(Channel::Left, code(PanelRow::DepthOffset, -1), 12);
    EXPECT_EQ(s.Left.DepthOffset, 1);
    EXPECT_EQ(PanelMouseTimer(Channel::Left).interval(), 200);
}

TEST_F(PanelButtonsTest, OnlyTheLeftButtonStartsARepeat) {
    for (int button : {kRightButton, kMiddleButton}) {
        PanelButton_MouseDown(Channel::Full, code(PanelRow::AnalogGain, +1), button);
        EXPECT_FALSE(PanelMouseTimer(Channel::Full).enabled());
        EXPECT_EQ(s.HeldPanelButton[0], 0);
    }
    // Each panel has its own timer and held button.
    PanelButton_MouseDown(Channel::Right, code(PanelRow::GainRate, +1), kLeftButton);
    EXPECT_TRUE(PanelMouseTimer(Channel::Right).enabled());
    EXPECT_FALSE(PanelMouseTimer(Channel::Full).enabled());
    EXPECT_EQ(s.HeldPanelButton[2], code(PanelRow::GainRate, +1));
}

TEST_F(PanelButtonsTest, AHoldThatLosesItsReleaseEndsWithoutAStep) {
    s.Full.StartGain = 110;
    hold(Channel::Full, code(PanelRow::StartGain, +1), 3);
    ASSERT_EQ(PanelMouseTimer(Channel::Full).interval(), 110);
    ReleaseHeldPanelButton(Channel::Full);
    EXPECT_FALSE(PanelMouseTimer(Channel::Full).enabled());
    EXPECT_EQ(PanelMouseTimer(Channel::Full).interval(), 150);
    EXPECT_EQ(s.Full.StartGain, 113);

    // Without a hold there is nothing to end: the interval left by the last Click stays.
    PanelButton_Click(Channel::Full, code(PanelRow::StartGain, +1));
    ReleaseHeldPanelButton(Channel::Full);
    EXPECT_EQ(PanelMouseTimer(Channel::Full).interval(), 135);
}

TEST_F(PanelButtonsTest, OptionGroupsStoreTheItemAndRaiseTheirFlags) {
    optAscope_Click(Channel::Right, 1);
    EXPECT_EQ(s.Right.Ascope, 1);
    EXPECT_EQ(s.SettingsChanged, 1);
    EXPECT_EQ(s.ClearRightPending, 1);
    EXPECT_EQ(s.ClearLeftPending + s.ClearFullPending, 0);
    EXPECT_EQ(s.SendSettings, 0);

    optFrequency_Click(Channel::Left, 0);
    EXPECT_EQ(s.Left.Frequency, 0);
    EXPECT_EQ(s.SendSettings, 1);

    s.SendSettings = 0;
    optProcessingType_Click(Channel::Left, 2);
    EXPECT_EQ(s.Left.ProcessingType, 2);
    EXPECT_EQ(s.SendSettings, 1);
    EXPECT_EQ(windows.processingRowsShown, std::vector<Channel>{Channel::Left});
}

TEST_F(PanelButtonsTest, ExportAndImportCopyTheTenSettingsOnlyWhenConfirmed) {
    ScriptedDialogs dialogs;
    s.Full.ProcessingType = 2;
    s.Full.DspGain = 9;
    s.Full.DepthRange = 7;
    s.Full.Param10 = 5;
    s.Right.Param13 = 3;
    const ChannelSettings rightBefore = s.Right;

    dialogs.answerMessage(AnswerNo);
    CopyChannelSettings(Channel::Full, Channel::Right, CopyDirection::Export);
    EXPECT_EQ(s.Right, rightBefore);
    EXPECT_EQ(s.MsgResponse, AnswerNo);
    EXPECT_EQ(s.SettingsChanged + s.SendSettings, 0);
    EXPECT_EQ(windows.controlsApplied, 0);

    dialogs.answerMessage(AnswerYes);
    CopyChannelSettings(Channel::Full, Channel::Right, CopyDirection::Export);
    ChannelSettings expected = s.Full;
    expected.Param10 = 1;
    expected.Param13 = 3;
    EXPECT_EQ(s.Right, expected);
    EXPECT_EQ(s.Full.Param10, 5);
    EXPECT_EQ(s.SettingsChanged, 1);
    EXPECT_EQ(s.SendSettings, 1);
    EXPECT_GE(windows.controlsApplied, 1); // everything re-applied
    EXPECT_NE(std::find(windows.processingRowsShown.begin(), windows.processingRowsShown.end(), Channel::Right),
              windows.processingRowsShown.end());

    dialogs.answerMessage(AnswerYes);
    CopyChannelSettings(Channel::Left, Channel::Right, CopyDirection::Import);
    EXPECT_EQ(s.Left.DspGain, 9);
    EXPECT_EQ(s.Left.DepthRange, 7);

    ASSERT_EQ(dialogs.shown().size(), 3u);
    EXPECT_EQ(dialogs.shown()[0].text, "Are you sure?");
    EXPECT_EQ(dialogs.shown()[0].title, "Export Settings");
    EXPECT_EQ(dialogs.shown()[2].title, "Import Settings");
    EXPECT_EQ(dialogs.beeps(), 3);
}

} // namespace
} // namespace vz::test
