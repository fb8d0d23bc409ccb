#include "ControlsFixture.h"

#include "controls/MainSteps.h"
#include "controls/PanelButtons.h"
#include "controls/PanelOptions.h"
#include "controls/PanelRows.h"
#include "controls/StepRepeat.h"
#include "support/ScriptedDialogs.h"

namespace vz::test {
namespace {

int code(MainRow row, int direction) { return MainButtonCode(row, direction); }
int code(PanelRow row, int direction) { return PanelButtonCode(row, direction); }

// One kind of stepping buttons, driven through its button codes: the main window's, or the
// Right channel panel's.
struct Kind {
    void (*press)(int code, int mouseButton);
    void (*release)(int code);
    void (*click)(int code);
    void (*tick)();
    void (*lostRelease)();
    Timer& (*timer)();
    std::int16_t& (*value)(int code);
};
std::int16_t& mainValue(int c) { return state().*RowInfo(MainButtonFor(c)->row).value; }
std::int16_t& panelValue(int c) { return state().Right.*RowInfo(PanelButtonFor(c)->row).field; }
Timer& mainTimer() { return timers().tmrMainMouse; }
Timer& panelTimer() { return PanelMouseTimer(Channel::Right); }
const Kind kMain{MainButton_MouseDown, MainButton_MouseUp, MainButton_Click, tmrMainMouse_Timer,
                 ReleaseHeldMainButton, mainTimer, mainValue};
const Kind kPanel{[](int code, int button) { PanelButton_MouseDown(Channel::Right, code, button); },
                  [](int code) { PanelButton_MouseUp(Channel::Right, code); },
                  [](int code) { PanelButton_Click(Channel::Right, code); },
                  [] { tmrPanelMouse_Timer(Channel::Right); },
                  [] { ReleaseHeldPanelButton(Channel::Right); }, panelTimer, panelValue};

class StepButtonsTest : public ControlsFixture {
  protected:
    void SetUp() override {
        ControlsFixture::SetUp();
        s.HeldMainButton = 10; // the Interface Box search is over
    }
    // Steps the row's value from each bound outwards, where it stays, and back.
    template <class Row>
    void expectBounds(const Kind& kind, Row row, int sends, const std::vector<Channel>& shows) {
        for (int direction : {+1, -1}) {
            SCOPED_TRACE(code(row, direction));
            const int bound = direction > 0 ? RowInfo(row).upper : RowInfo(row).lower;
            std::int16_t& value = kind.value(code(row, direction));
            value = static_cast<std::int16_t>(bound);
            s.SettingsChanged = 0;
            s.SendSettings = 0;
            windows.channelSettingsShown.clear();
            kind.click(code(row, direction));
            EXPECT_EQ(std::tuple(int(value), s.SettingsChanged, s.SendSettings,
                                 windows.channelSettingsShown),
                      std::tuple(bound, 1, sends, shows));
            kind.click(code(row, -direction));
            EXPECT_EQ(value, bound - direction);
        }
    }
};

TEST_F(StepButtonsTest, EveryRowStopsAtBothBoundsAndStillRaisesTheFlags) {
    for (MainRow row : kMainRows)
        expectBounds(kMain, row, row == MainRow::XmitPower ? 1 : 0, {});
    for (PanelRow row : kPanelRows)
        expectBounds(kPanel, row, 1, {Channel::Right});
    EXPECT_EQ(std::tuple(s.Full, s.Left),
              std::tuple(factoryChannel(Channel::Full), factoryChannel(Channel::Left)));
    EXPECT_EQ(timers().tmrMainTimer1.interval(), 310) << "the ping cycle of chart speed 2";
}

// A held button repeats on its timer. The transmit power speeds up by a tenth a step from at
// most 150 ms; the other main rows repeat every 150 ms, but the noise filter's Down step keeps
// the interval it finds. On a panel the gains speed up by a tenth a step, the DSP gain and the
// pulse width by a twentieth, and the depth rows repeat every 200 ms.
TEST_F(StepButtonsTest, OnlyTheLeftButtonRepeatsAndTheReleaseSetsTheNextInterval) {
    const struct {
        const Kind& kind;
        int button, start, repeats, before; // `before`: the interval the last step left
        std::vector<int> first;             // intervals of the first repeats
        int last, end, released, clicked, afterClick;
        bool lost = false; // the hold sees no release
    } holds[] = {
        {kMain, code(MainRow::XmitPower, +1), 150, 105, 500, {500, 135}, 4, 255, 150, 135, 255},
        {kMain, code(MainRow::NoiseFilter, -1), 5, 2, 135, {135, 135}, 135, 3, 135, 135, 2, true},
        {kMain, code(MainRow::NoiseFilter, +1), 5, 2, 135, {135, 150}, 150, 7, 150, 150, 8, true},
        {kPanel, code(PanelRow::AnalogGain, -1), 100, 40, 150, {150, 135}, 4, 60, 150, 135, 59},
        {kPanel, code(PanelRow::StartGain, -1), 100, 40, 150, {150}, 4, 60, 150, 135, 59, true},
        {kPanel, code(PanelRow::GainRate, +1), 100, 40, 150, {150, 135}, 4, 140, 150, 135, 141},
        {kPanel, code(PanelRow::DspGain, +1), 2, 60, 150, {150, 142, 135}, 10, 15, 150, 142, 15},
        {kPanel, code(PanelRow::PulseWidth, +1), 3, 5, 142, {142, 135, 128}, 110, 8, 200, 190, 9},
        {kPanel, code(PanelRow::DepthRange, +1), 1, 4, 150, {200, 200}, 200, 5, 200, 200, 6},
        {kPanel, code(PanelRow::DepthOffset, -1), 11, 12, 150, {200, 200}, 200, 1, 200, 200, 1},
    };
    for (const auto& h : holds) {
        SCOPED_TRACE(testing::Message() << (&h.kind == &kMain ? "main " : "panel ") << h.button);
        std::int16_t& value = h.kind.value(h.button);
        value = static_cast<std::int16_t>(h.start);
        Timer& timer = h.kind.timer();
        timer.setInterval(h.before);
        h.kind.press(h.button, kRightButton);
        h.kind.press(h.button, kMiddleButton);
        EXPECT_FALSE(timer.enabled());
        h.kind.press(h.button, kLeftButton);
        EXPECT_FALSE(PanelMouseTimer(Channel::Full).enabled()); // each panel has its own
        std::vector<int> intervals;
        for (int i = 0; i < h.repeats; ++i) {
            ASSERT_TRUE(timer.enabled());
            intervals.push_back(timer.interval());
            h.kind.tick();
        }
        EXPECT_EQ(std::vector<int>(intervals.begin(), intervals.begin() + h.first.size()), h.first);
        EXPECT_EQ(std::tuple(timer.interval(), int(value)), std::tuple(h.last, h.end));
        // A lost release ends the hold as a release does, without the Click's step.
        if (h.lost)
            h.kind.lostRelease();
        else
            h.kind.release(h.button);
        EXPECT_EQ(std::tuple(timer.enabled(), timer.interval()), std::tuple(false, h.released));
        h.kind.click(h.button);
        h.kind.lostRelease(); // without a hold there is nothing to end
        EXPECT_EQ(std::tuple(timer.interval(), int(value)), std::tuple(h.clicked, h.afterClick));
    }
}

TEST_F(StepButtonsTest, TheSearchDisplayKeepsTheMainRepeatTimer) {
    // While the search shows its progress (code 9), the buttons do not take over its timer.
    s.HeldMainButton = kSearchAnimationCode;
    Timer& repeat = timers().tmrMainMouse;
    repeat.setInterval(500);
    repeat.setEnabled(true);
    MainButton_MouseDown(code(MainRow::ChartSpeed, -1), kLeftButton);
    MainButton_MouseUp(code(MainRow::ChartSpeed, -1));
    ReleaseHeldMainButton();
    tmrMainMouse_Timer();
    EXPECT_EQ(std::tuple(s.HeldMainButton, repeat.enabled(), repeat.interval(), s.ChartSpeed),
              std::tuple(kSearchAnimationCode, true, 500, 8));
}

TEST_F(StepButtonsTest, ValueTextsShowTheDepthTableEntriesAndTheValues) {
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

TEST_F(StepButtonsTest, OptionGroupsStoreTheItemAndRaiseTheirFlags) {
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

TEST_F(StepButtonsTest, ExportAndImportCopyTheTenSettingsOnlyWhenConfirmed) {
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
    // Everything is applied again.
    EXPECT_EQ(std::tuple(s.SettingsChanged, s.SendSettings, windows.controlsApplied > 0),
              std::tuple(1, 1, true));

    CopyChannelSettings(Channel::Left, Channel::Right, CopyDirection::Import);
    EXPECT_EQ(std::tuple(s.Left.DspGain, dialogs.beeps()), std::tuple(9, 3));
}

} // namespace
} // namespace vz::test
