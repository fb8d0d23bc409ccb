#include "ControlsFixture.h"

#include "controls/MainSteps.h"
#include "controls/StepRepeat.h"
#include "core/Timers.h"

#include <tuple>
#include <vector>

namespace vz::test {
namespace {

class MainStepsTest : public ControlsFixture {
  protected:
    void SetUp() override {
        ControlsFixture::SetUp();
        s.HeldMainButton = 10; // the Interface Box search is over
    }
    Timer& repeat() { return timers().tmrMainMouse; }
    int code(MainRow row, int direction) { return MainButtonCode(row, direction); }
};

TEST_F(MainStepsTest, EveryRowStopsAtBothBoundsAndMarksTheSettingsChanged) {
    for (MainRow row : kMainRows) {
        const MainRowInfo& info = RowInfo(row);
        std::int16_t& value = s.*info.value;
        SCOPED_TRACE(info.buttonName);
        for (int direction : {+1, -1}) {
            value = static_cast<std::int16_t>(direction > 0 ? info.upper : info.lower);
            s.SettingsChanged = 0;
            s.SendSettings = 0;
            MainButton_Click(code(row, direction));
            EXPECT_EQ(std::tuple(value, s.SettingsChanged, s.SendSettings),
                      std::tuple(direction > 0 ? info.upper : info.lower, 1,
                                 row == MainRow::XmitPower ? 1 : 0));
            MainButton_Click(code(row, -direction));
            EXPECT_EQ(value, direction > 0 ? info.upper - 1 : info.lower + 1);
        }
    }
    EXPECT_GT(windows.steppedValuesShown, 0);
    EXPECT_FALSE(windows.xmitPowerLabels.empty());
    EXPECT_EQ(MainRowText(MainRow::DisplayThreshold), "Display Thr. 1");
}

TEST_F(MainStepsTest, ChartSpeedSetsThePingCycleInterval) {
    MainButton_Click(code(MainRow::ChartSpeed, +1));
    EXPECT_EQ(timers().tmrMainTimer1.interval(), 10);
    s.ChartSpeed = 2;
    MainButton_Click(code(MainRow::ChartSpeed, -1));
    EXPECT_EQ(timers().tmrMainTimer1.interval(), 360);
}

TEST_F(MainStepsTest, HeldTransmitPowerSpeedsUpAndStopsAtItsTop) {
    const int up = code(MainRow::XmitPower, +1);
    repeat().setInterval(500); // left by the search: the transmit power starts at 150
    MainButton_MouseDown(up, kLeftButton);
    std::vector<int> intervals;
    while (s.XmitPower < 255 && intervals.size() < 300) {
        ASSERT_TRUE(repeat().enabled());
        tmrMainMouse_Timer();
        intervals.push_back(repeat().interval());
    }
    EXPECT_EQ(std::vector<int>(intervals.begin(), intervals.begin() + 4),
              (std::vector<int>{135, 122, 110, 99}));
    EXPECT_EQ(intervals.back(), 4);
    EXPECT_EQ(windows.xmitPowerLabels.back(), "Xmit Pwr 2560W");
    MainButton_MouseUp(up);
    EXPECT_EQ(std::tuple(repeat().enabled(), repeat().interval()), std::tuple(false, 150));
    MainButton_Click(up);
    EXPECT_EQ(std::tuple(s.XmitPower, repeat().interval()), std::tuple(255, 135));

    // A press leaves the interval as it is; the noise filter's Down step keeps it too, its Up
    // resets it.
    s.NoiseFilter = 5;
    MainButton_MouseDown(code(MainRow::NoiseFilter, -1), kLeftButton);
    tmrMainMouse_Timer();
    tmrMainMouse_Timer();
    EXPECT_EQ(std::tuple(s.NoiseFilter, repeat().interval()), std::tuple(3, 135));
    // A hold that loses its release ends without a step.
    ReleaseHeldMainButton();
    EXPECT_EQ(std::tuple(repeat().enabled(), s.NoiseFilter), std::tuple(false, 3));
    MainButton_Click(code(MainRow::NoiseFilter, +1));
    EXPECT_EQ(repeat().interval(), 150);
}

TEST_F(MainStepsTest, OnlyTheLeftButtonStartsARepeatAndTheSearchDisplayIsLeftAlone) {
    MainButton_MouseDown(code(MainRow::ChartSpeed, -1), kRightButton);
    EXPECT_FALSE(repeat().enabled());
    EXPECT_EQ(s.HeldMainButton, 10);

    // While the search shows its progress (code 9), the buttons do not take over its timer.
    s.HeldMainButton = kSearchAnimationCode;
    repeat().setInterval(500);
    repeat().setEnabled(true);
    MainButton_MouseDown(code(MainRow::ChartSpeed, -1), kLeftButton);
    MainButton_MouseUp(code(MainRow::ChartSpeed, -1));
    ReleaseHeldMainButton();
    tmrMainMouse_Timer();
    EXPECT_EQ(std::tuple(s.HeldMainButton, repeat().enabled(), repeat().interval(), s.ChartSpeed),
              std::tuple(kSearchAnimationCode, true, 500, 8));
}

} // namespace
} // namespace vz::test
