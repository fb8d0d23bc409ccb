// The four alarms at their limits in the three depth units, the fish search zones over the level
// history, and the blinking warning line with its beep.
#include "DisplayFixture.h"

#include "display/Alarms.h"
#include "display/Overlay.h"
#include "support/ScriptedDialogs.h"

#include <string>

namespace vz::test {
namespace {

class Alarms : public DisplayFixture {
  protected:
    void SetUp() override {
        DisplayFixture::SetUp();
        for (Channel c : kChannels) {
            s.channel(c).DepthRange = 4;  // 100 ft: pixel row = 6 x depth in feet
            s.channel(c).DepthOffset = 1; // 0 ft
        }
    }
    int codeAt(float displayDepth) {
        s.BottomFound = true;
        s.DisplayDepth = displayDepth;
        EvaluateAlarms();
        return s.AlarmCode;
    }
    // Level `level` on pixel rows y .. y + 2 of the channel's three history columns.
    void blob(Channel c, int y, std::int16_t level) {
        LevelHistory& h = s.levelHistory(c);
        for (int col = 1; col <= 3; ++col)
            for (int row = y + 1; row <= y + 3; ++row)
                h[col][row] = level;
    }
    void fillHistory(Channel c, std::int16_t level) {
        for (auto& column : s.levelHistory(c))
            column.fill(level);
    }
    void clearHistory(Channel c) { fillHistory(c, 0); }
    // The warning text as printed on a blank surface.
    static Surface warning(const std::string& text) {
        Surface r(1001, 601, kCanvas);
        r.setTextColor(kWhite);
        r.setFontSize(14);
        r.CurrentX = 20;
        r.CurrentY = 480;
        r.print(text);
        return r;
    }
    bool showsWarning(const std::string& text) const {
        return samePixels(pictHiddenB(), warning(text), 0, 470, 500, 530);
    }
};

TEST_F(Alarms, DepthAlarmsSwitchAtTheirValuesInEveryUnitAndTheHighestCodeShows) {
    struct Case {
        int units;
        float shallow, deep, dragShallow, dragDeep; // 0: that alarm is off
        float depth;
        int code;
        const char* what;
    };
    const Case cases[] = {
        {0, 20, 0, 0, 0, 20.0f, 0, "equality never raises an alarm"},
        {0, 20, 0, 0, 0, 19.9f, 1, "shallow"},
        {1, 20, 0, 0, 0, 6.0f, 1, "6 m = 19.68 ft"},
        {1, 20, 0, 0, 0, 6.1f, 0, "6.1 m = 20.01 ft"},
        {2, 20, 0, 0, 0, 3.3f, 1, "3.3 fathoms = 19.8 ft"},
        {2, 20, 0, 0, 0, 3.34f, 0, "3.34 fathoms"},
        {2, 21, 0, 0, 0, 3.5f, 0, "exactly 21 ft"},
        {0, 0, 0, 0, 0, 0.5f, 0, "all off"},
        {0, 0, 100, 0, 0, 100.0f, 0, "deep: equality"},
        {0, 0, 100, 0, 0, 100.1f, 2, "deep"},
        {1, 0, 100, 0, 0, 30.48f, 0, "99.9999 ft"},
        {1, 0, 100, 0, 0, 30.5f, 2, "30.5 m"},
        {2, 0, 100, 0, 0, 16.6f, 0, "16.6 fathoms"},
        {2, 0, 100, 0, 0, 16.7f, 2, "16.7 fathoms"},
        {0, 150, 100, 0, 0, 120.0f, 2, "shallow and deep both hold: deep shows"},
        {0, 0, 80, 20, 80, 85.0f, 3, "anchor drag also while the deep alarm holds"},
        {0, 0, 80, 20, 80, 80.0f, 0, "drag: the deep end"},
        {0, 0, 80, 20, 80, 20.0f, 0, "drag: the shallow end"},
        {0, 0, 80, 20, 80, 19.9f, 3, "drag: above the shallow end"},
        {1, 0, 80, 20, 80, 6.0f, 3, "drag: 6 m"},
        {1, 0, 80, 20, 80, 10.0f, 0, "drag: 10 m"},
    };
    for (const Case& c : cases) {
        s.DepthUnits = static_cast<std::int16_t>(c.units);
        s.ShallowAlarmOn = c.shallow > 0;
        s.ShallowAlarmValue = c.shallow;
        s.DeepAlarmOn = c.deep > 0;
        s.DeepAlarmValue = c.deep;
        s.DragAlarmOn = c.dragShallow > 0;
        s.DragAlarmShallow = c.dragShallow;
        s.DragAlarmDeep = c.dragDeep;
        EXPECT_EQ(codeAt(c.depth), c.code) << c.what;
    }
}

TEST_F(Alarms, AFishIsAPeakOfTheLevelHistoryAboveTheThreshold) {
    s.FishAlarmOn = 1;
    s.FishAlarmThreshold = 4; // a peak above 4 x 168 / 11 + 12 = 73.1
    EXPECT_EQ(codeAt(95.0f), 0);
    blob(Channel::Full, 300, 6); // peak 72
    EXPECT_EQ(codeAt(95.0f), 0);
    blob(Channel::Full, 300, 7); // peak 84
    EXPECT_EQ(codeAt(95.0f), 4);
    blob(Channel::Full, 300, 6);
    s.FishAlarmThreshold = 1;
    EXPECT_EQ(codeAt(95.0f), 4);

    fillHistory(Channel::Full, 15); // peak 180 beats the least sensitive threshold
    s.FishAlarmThreshold = 10;
    EXPECT_EQ(codeAt(95.0f), 4);
    s.ShallowAlarmOn = 1;
    EXPECT_EQ(codeAt(10.0f), 4) << "the fish alarm comes last";
}

TEST_F(Alarms, ShallowAndDeepZoneIsSkippedOutsideTheWindowAndClippedToIt) {
    s.FishAlarmOn = 1;
    blob(Channel::Full, 300, 10); // 50 ft
    s.FishAlarmShallow = 100.0f;  // the zone starts at the foot of the 0 .. 100 ft window
    s.FishAlarmDeep = 200.0f;
    fillHistory(Channel::Full, 15);
    EXPECT_EQ(codeAt(95.0f), 0);

    clearHistory(Channel::Full);
    blob(Channel::Full, 60, 10);  // 60 ft in a 50 .. 150 ft window
    blob(Channel::Full, 540, 10); // 140 ft
    s.Full.DepthOffset = 5;
    s.FishAlarmShallow = 15.0f; // above the window: searched from its top
    s.FishAlarmDeep = 90.0f;
    EXPECT_EQ(codeAt(95.0f), 4);
    blob(Channel::Full, 60, 0);
    EXPECT_EQ(codeAt(95.0f), 0) << "140 ft lies below the zone";
    s.FishAlarmDeep = 200.0f; // below the window: searched to its foot
    EXPECT_EQ(codeAt(95.0f), 4);
}

TEST_F(Alarms, SurfaceZonesStartAtTheFirstQuietRow) {
    s.FishAlarmOn = 1;
    s.FishAlarmSearch = 2;
    for (int y = 0; y <= 60; y += 3)
        blob(Channel::Full, y, 15); // surface clutter, rows 0..62
    EXPECT_EQ(codeAt(95.0f), 0);
    blob(Channel::Full, 300, 10);
    EXPECT_EQ(codeAt(95.0f), 4);
    blob(Channel::Full, 300, 0);
    blob(Channel::Full, 560, 10); // 93 ft, below the 90 ft limit
    EXPECT_EQ(codeAt(95.0f), 0);

    s.FishAlarmSearch = 4; // down to 90 % of the bottom
    EXPECT_EQ(codeAt(95.0f), 0);
    EXPECT_EQ(codeAt(110.0f), 4);

    // The first quiet row is the first whose weighted sum is below 15: a row of exactly 15
    // (rows 100..102 below) is not quiet, so a fish under it and above the real quiet water
    // lies outside the zone.
    fillHistory(Channel::Full, 2);
    for (int row = 200; row <= 600; ++row)
        for (int col = 1; col <= 3; ++col)
            s.levelHistory(Channel::Full)[col][row] = 0;
    const std::int16_t exact[3][3] = {{1, 1, 1}, {1, 1, 1}, {1, 2, 2}}; // 4 + 4 + 7
    for (int col = 1; col <= 3; ++col)
        for (int row = 0; row < 3; ++row)
            s.levelHistory(Channel::Full)[col][100 + row] = exact[col - 1][row];
    blob(Channel::Full, 150, 10);
    s.FishAlarmSearch = 2;
    EXPECT_EQ(codeAt(95.0f), 0);
    s.FishAlarmSearch = 4;

    // With a loud column from the top down to row 600 no row is quiet: the search starts at 1.
    fillHistory(Channel::Full, 2);
    EXPECT_EQ(codeAt(95.0f), 0);
    blob(Channel::Full, 30, 10);
    EXPECT_EQ(codeAt(95.0f), 4);
}

TEST_F(Alarms, BottomZonesEndAtNinetyPercentOfTheBottomWithinTheWindow) {
    s.FishAlarmOn = 1;
    s.FishAlarmSearch = 3;
    blob(Channel::Full, 250, 10); // 41.7 ft
    EXPECT_EQ(codeAt(50.0f), 4);  // down to 45 ft, row 270
    blob(Channel::Full, 250, 0);
    blob(Channel::Full, 290, 10);
    EXPECT_EQ(codeAt(50.0f), 0);

    s.DepthUnits = 1; // 30 m window; 15 m = 49.2 ft, 90 % at row 270
    blob(Channel::Full, 250, 10);
    blob(Channel::Full, 290, 0);
    EXPECT_EQ(codeAt(15.0f), 4);
    blob(Channel::Full, 250, 0);
    blob(Channel::Full, 290, 10);
    EXPECT_EQ(codeAt(15.0f), 0);

    // A bottom far below the window: the zone ends at the window's foot.
    s.DepthUnits = 0;
    clearHistory(Channel::Full);
    s.FishAlarmSearch = 4;
    blob(Channel::Full, 597, 10);
    EXPECT_EQ(codeAt(5000.0f), 4);
    // A bottom above a window that starts at 50 ft: nothing of the zone is shown.
    s.FishAlarmSearch = 3;
    s.Full.DepthOffset = 5;
    fillHistory(Channel::Full, 15);
    EXPECT_EQ(codeAt(40.0f), 0);
}

TEST_F(Alarms, WithoutABottomTheDepthAlarmsAreQuietAndTheFishZoneReachesTheWindowsFoot) {
    s.ShallowAlarmOn = s.DeepAlarmOn = s.DragAlarmOn = 1;
    s.DeepAlarmValue = 80.0f; // the depth left from the last bottom raises all three
    s.DisplayDepth = 5.0f;
    s.BottomFound = false;
    EvaluateAlarms();
    EXPECT_EQ(s.AlarmCode, 0);
    EXPECT_EQ(codeAt(5.0f), 3) << "with a bottom they hold";

    s.ShallowAlarmOn = s.DeepAlarmOn = s.DragAlarmOn = 0;
    s.FishAlarmOn = 1;
    s.FishAlarmSearch = 3;
    s.FishAlarmShallow = 2.0f;
    blob(Channel::Full, 560, 10); // 93 ft: beyond 90 % of the old bottom, inside the window
    s.BottomFound = false;
    EvaluateAlarms();
    EXPECT_EQ(s.AlarmCode, 4);
}

TEST_F(Alarms, TheBottomZoneEndsAboveTheBottomBelowTheTransducerWhateverTheKeelOffset) {
    s.FishAlarmOn = 1;
    s.FishAlarmShallow = 2.0f;
    const float bottomFt = 15.0f;
    for (const float keel : {0.0f, 2.0f, 5.0f}) {
        for (const int mode : {3, 4}) {
            s.KeelOffset = keel;
            s.FishAlarmSearch = static_cast<std::uint8_t>(mode);
            clearHistory(Channel::Full);
            // The bottom's echo, drawn below the transducer: rows 90 (15 ft) down.
            for (int y = 90; y <= 120; y += 3)
                blob(Channel::Full, y, 15);
            EXPECT_EQ(codeAt(bottomFt + keel), 0) << "keel " << keel << " mode " << mode;
            blob(Channel::Full, 60, 10); // a fish at 10 ft
            EXPECT_EQ(codeAt(bottomFt + keel), 4) << "keel " << keel << " mode " << mode;
        }
    }
}

TEST_F(Alarms, SplitScreenSearchesBothHalves) {
    s.SplitScreen = 1;
    s.FishAlarmOn = 1;
    fillHistory(Channel::Full, 15);
    EXPECT_EQ(codeAt(95.0f), 0);
    blob(Channel::Left, 300, 10);
    EXPECT_EQ(codeAt(95.0f), 4);
    blob(Channel::Left, 300, 0);
    blob(Channel::Right, 300, 10);
    EXPECT_EQ(codeAt(95.0f), 4);
}

TEST_F(Alarms, TheWarningBlinksAndBeepsOnlyWithTheSoundOn) {
    ScriptedDialogs dialogs;
    Surface& b = pictHiddenB();
    b.setTextColor(kWhite);
    s.SoundOn = 1;
    s.AlarmCode = 3;
    ShowAlarm();
    EXPECT_EQ(dialogs.beeps(), 1);
    EXPECT_TRUE(s.AlarmBlink);
    EXPECT_TRUE(showsWarning("WARNING - Anchor Drag Alarm"));

    b.fill(kCanvas);
    ShowAlarm();
    EXPECT_EQ(dialogs.beeps(), 2);
    EXPECT_FALSE(s.AlarmBlink);
    EXPECT_TRUE(allPixels(b, 0, 470, 500, 530, kCanvas)) << "the off phase prints blanks";

    s.SoundOn = 0;
    s.AlarmCode = 4;
    ShowAlarm();
    EXPECT_EQ(dialogs.beeps(), 2);
    EXPECT_TRUE(showsWarning("WARNING - Fish Alarm"));

    b.fill(kCanvas);
    s.AlarmCode = 0;
    s.SoundOn = 1;
    ShowAlarm();
    EXPECT_TRUE(s.AlarmBlink) << "the phase only moves while an alarm is active";
    EXPECT_EQ(dialogs.beeps(), 2);
    EXPECT_TRUE(allPixels(b, 0, 470, 500, 530, kCanvas));
}

TEST_F(Alarms, TheOverlayEvaluatesAndShowsTheAlarmEveryTime) {
    ScriptedDialogs dialogs;
    s.ShowDepth = 0;
    s.ShowWaterTemp = 0;
    s.SoundOn = 1;
    s.ShallowAlarmOn = 1;
    s.BottomFound = true;
    s.DisplayDepth = 10.0f;
    DrawOverlay();
    EXPECT_EQ(s.AlarmCode, 1);
    EXPECT_TRUE(showsWarning("WARNING - Shallow Alarm"));
    s.DisplayDepth = 30.0f;
    s.DeepAlarmOn = 1;
    s.DeepAlarmValue = 25.0f;
    pictHiddenB().fill(kCanvas);
    DrawOverlay();
    EXPECT_EQ(s.AlarmCode, 2);
    EXPECT_TRUE(allPixels(pictHiddenB(), 0, 470, 500, 530, kCanvas)); // the off phase
    s.DeepAlarmOn = 0;
    DrawOverlay();
    EXPECT_EQ(s.AlarmCode, 0) << "nothing latches";
    EXPECT_EQ(dialogs.beeps(), 2);
}

} // namespace
} // namespace vz::test
