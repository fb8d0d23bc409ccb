// The four alarms at their limits in the three depth units, the fish search zones over the level
// history, and the blinking warning line with its beep.
#include "DisplayFixture.h"

#include "display/Alarms.h"
#include "display/Overlay.h"
#include "support/ScriptedDialogs.h"

#include <tuple>

namespace vz::test {
namespace {

// A level on history rows from .. to of a channel's last three columns.
struct Paint { int from, to; std::int16_t level; Channel channel = Channel::Full; };
// An echo three pixel rows high from pixel row y.
Paint blob(int y, std::int16_t level, Channel c = Channel::Full) { return {y + 1, y + 3, level, c}; }
Paint whole(std::int16_t level) { return {0, kLevelHistoryRows - 1, level}; }

// A fish alarm setting, the history it searches and the alarm it should give.
struct Scene {
    std::vector<Paint> paint;
    float depth = 95.0f;
    int code = 4;
    const char* what = "";
    int search = 1, threshold = 4, offset = 1, units = 0, split = 0; // the settings' defaults
    float shallow = 15.0f, deep = 90.0f, keel = 0.0f;
    bool bottom = true, shallowAlarm = false;
};

class Alarms : public DisplayFixture {
  protected:
    void SetUp() override {
        DisplayFixture::SetUp();
        for (Channel c : kChannels) s.channel(c).DepthRange = 4; // 100 ft: row = 6 x feet
    }
    int codeAt(float displayDepth, bool bottom = true) {
        s.BottomFound = bottom;
        s.DisplayDepth = displayDepth;
        EvaluateAlarms();
        return s.AlarmCode;
    }
    void expectScene(const Scene& c) {
        for (Channel ch : kChannels) {
            for (auto& column : s.levelHistory(ch)) column.fill(0);
            s.channel(ch).DepthOffset = static_cast<std::int16_t>(c.offset);
        }
        for (const Paint& p : c.paint)
            for (int col = 1; col <= 3; ++col)
                for (int row = p.from; row <= p.to; ++row) s.levelHistory(p.channel)[col][row] = p.level;
        s.FishAlarmOn = 1;
        s.FishAlarmSearch = static_cast<std::uint8_t>(c.search);
        s.FishAlarmThreshold = static_cast<std::uint8_t>(c.threshold);
        std::tie(s.FishAlarmShallow, s.FishAlarmDeep, s.KeelOffset) = std::tuple(c.shallow, c.deep, c.keel);
        s.DepthUnits = static_cast<std::int16_t>(c.units);
        s.SplitScreen = static_cast<std::int16_t>(c.split);
        s.ShallowAlarmOn = c.shallowAlarm;
        EXPECT_EQ(codeAt(c.depth, c.bottom), c.code) << c.what;
    }
};

TEST_F(Alarms, DepthAlarmsSwitchAtTheirValuesInEveryUnitAndTheHighestCodeShows) {
    // Alarm values of 0: that alarm is off.
    struct Case { int units; float shallow, deep, dragShallow, dragDeep, depth; int code; const char* what; };
    const Case cases[] = {
        {0, 20, 0, 0, 0, 20.0f, 0, "shallow: equality"}, {0, 20, 0, 0, 0, 19.9f, 1, "shallow"},
        {1, 20, 0, 0, 0, 6.0f, 1, "6 m: 19.68 ft"}, {1, 20, 0, 0, 0, 6.1f, 0, "6.1 m: 20.01 ft"},
        {2, 20, 0, 0, 0, 3.3f, 1, "3.3 fathoms: 19.8 ft"}, {2, 20, 0, 0, 0, 3.34f, 0, "3.34 fm"},
        {2, 21, 0, 0, 0, 3.5f, 0, "exactly 21 ft"}, {1, 0, 100, 0, 0, 30.5f, 2, "30.5 m"},
        {0, 0, 100, 0, 0, 100.0f, 0, "deep: equality"}, {0, 0, 100, 0, 0, 100.1f, 2, "deep"},
        {2, 0, 100, 0, 0, 16.7f, 2, "16.7 fathoms"}, {0, 150, 100, 0, 0, 120.0f, 2, "both: deep"},
        {0, 0, 80, 20, 80, 85.0f, 3, "anchor drag also while the deep alarm holds"},
        {0, 0, 80, 20, 80, 80.0f, 0, "drag: deep end"}, {0, 0, 80, 20, 80, 20.0f, 0, "shallow end"},
        {0, 0, 80, 20, 80, 19.9f, 3, "drag: above it"}, {1, 0, 80, 20, 80, 10.0f, 0, "drag: 10 m"},
    };
    for (const Case& c : cases) {
        s.DepthUnits = static_cast<std::int16_t>(c.units);
        std::tie(s.ShallowAlarmOn, s.DeepAlarmOn, s.DragAlarmOn) =
            std::tuple(c.shallow > 0, c.deep > 0, c.dragShallow > 0);
        std::tie(s.ShallowAlarmValue, s.DeepAlarmValue, s.DragAlarmShallow, s.DragAlarmDeep) =
            std::tuple(c.shallow, c.deep, c.dragShallow, c.dragDeep);
        EXPECT_EQ(codeAt(c.depth), c.code) << c.what;
    }
    // 10 ft would raise each alarm alone; switched off, or without a bottom, it is quiet.
    std::tie(s.DepthUnits, s.ShallowAlarmValue, s.DeepAlarmValue) = std::tuple(0, 20.0f, 1.0f);
    for (const auto& [shallow, deep, drag] : {std::tuple{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}) {
        std::tie(s.ShallowAlarmOn, s.DeepAlarmOn, s.DragAlarmOn) = std::tuple(shallow, deep, drag);
        EXPECT_EQ(codeAt(10.0f), shallow + 2 * deep + 3 * drag); // the one alarm's code
        EXPECT_EQ(codeAt(10.0f, false), 0) << "without a bottom";
    }
}

TEST_F(Alarms, FishSearchZones) {
    // A fish is a neighbourhood sum above threshold x 168 / 11 + 12, 73.1 at threshold 4.
    // Surface clutter on rows 1 .. 63; a history of level 2 is never quiet.
    const Paint clutter{1, 63, 15};
    // Rows of exactly the quiet sum 15 above rows 100 .. 101; quiet water from row 199.
    const std::vector<Paint> exactly = {whole(2), {100, 101, 1}, {200, 600, 0}, blob(150, 10)};
    const Scene scenes[] = {
        {.paint = {blob(300, 6)}, .code = 0, .what = "peak 72"},
        {.paint = {blob(300, 7)}, .what = "peak 84"},
        {.paint = {blob(300, 6)}, .what = "peak 72, threshold 1", .threshold = 1},
        {.paint = {whole(15)}, .what = "peak 180 beats the least sensitive threshold", .threshold = 10},
        {.paint = {whole(15)}, .depth = 10, .what = "the fish alarm comes last", .shallowAlarm = true},
        {.paint = {whole(15)}, .code = 0, .what = "zone from the window's foot", .shallow = 100, .deep = 200},
        // A 50 .. 150 ft window
        {.paint = {blob(60, 10)}, .what = "zone from above the window", .offset = 5},
        {.paint = {blob(540, 10)}, .code = 0, .what = "140 ft lies below the zone", .offset = 5},
        {.paint = {blob(540, 10)}, .what = "zone to below the window", .offset = 5, .deep = 200},
        // Surface zones start at the first quiet row
        {.paint = {clutter}, .code = 0, .what = "clutter", .search = 2},
        {.paint = {clutter, blob(300, 10)}, .what = "fish below clutter", .search = 2},
        {.paint = {clutter, blob(560, 10)}, .code = 0, .what = "93 ft, below 90", .search = 2},
        {.paint = {clutter, blob(560, 10)}, .code = 0, .what = "below 90 % of the bottom", .search = 4},
        {.paint = {clutter, blob(560, 10)}, .depth = 110, .what = "above 90 % of the bottom", .search = 4},
        {.paint = exactly, .code = 0, .what = "a row of the quiet sum is not quiet", .search = 2},
        {.paint = {whole(2)}, .code = 0, .what = "nowhere quiet", .search = 4},
        {.paint = {whole(2), blob(30, 10)}, .what = "nowhere quiet: from row 1", .search = 4},
        // Bottom zones end at 90 % of the bottom within the window
        {.paint = {blob(250, 10)}, .depth = 50, .what = "41.7 ft, zone to 45 ft", .search = 3},
        {.paint = {blob(290, 10)}, .depth = 50, .code = 0, .what = "48.3 ft", .search = 3},
        {.paint = {blob(250, 10)}, .depth = 15, .what = "15 m = 49.2 ft", .search = 3, .units = 1},
        {.paint = {blob(290, 10)}, .depth = 15, .code = 0, .what = "metres", .search = 3, .units = 1},
        {.paint = {blob(597, 10)}, .depth = 5000, .what = "bottom below the window", .search = 4},
        {.paint = {whole(15)}, .depth = 40, .code = 0, .what = "bottom above", .search = 3, .offset = 5},
        {.paint = {blob(560, 10)}, .depth = 5, .what = "no bottom", .search = 3, .shallow = 2, .bottom = false},
        {.paint = {whole(15)}, .code = 0, .what = "split: Full not searched", .split = 1},
        {.paint = {blob(300, 10, Channel::Left)}, .what = "split: left", .split = 1},
        {.paint = {blob(300, 10, Channel::Right)}, .what = "split: right", .split = 1},
        // The zone ends above the bottom below the transducer: 20 ft less the keel's 5 ft.
        {.paint = {{91, 123, 15}}, .depth = 20, .code = 0, .what = "bottom echo, 15 ft down",
         .search = 3, .shallow = 2, .keel = 5},
        {.paint = {{91, 123, 15}, blob(60, 10)}, .depth = 20, .what = "fish above that bottom",
         .search = 3, .shallow = 2, .keel = 5},
    };
    for (const Scene& scene : scenes) expectScene(scene);
}

TEST_F(Alarms, TheWarningBlinksAndBeepsOnlyWithTheSoundOn) {
    ScriptedDialogs dialogs;
    Surface& b = pictHiddenB();
    b.setTextColor(kWhite);
    // The text shown; "": nothing.
    const struct { int code, sound, beeps; bool blink; const char* text; } steps[] = {
        {3, 1, 1, true, "WARNING - Anchor Drag Alarm"},
        {3, 1, 2, false, ""}, // the off phase prints blanks
        {4, 0, 2, true, "WARNING - Fish Alarm"},
        {0, 1, 2, true, ""}, // the phase only moves while an alarm is active
    };
    for (const auto& step : steps) {
        b.fill(kCanvas);
        s.AlarmCode = step.code;
        s.SoundOn = static_cast<std::uint8_t>(step.sound);
        ShowAlarm();
        EXPECT_EQ(dialogs.beeps(), step.beeps);
        EXPECT_EQ(s.AlarmBlink, step.blink);
        EXPECT_TRUE(shows(20, {{step.text, 14, 480}}, 0, 470, 500, 530)) << step.code;
    }

    // The overlay evaluates and shows the alarm every time; nothing latches.
    b.fill(kCanvas);
    s.AlarmBlink = false;
    s.ShowDepth = s.ShowWaterTemp = 0;
    s.ShallowAlarmOn = 1;
    s.BottomFound = true;
    s.DisplayDepth = 10.0f;
    DrawOverlay();
    EXPECT_TRUE(shows(20, {{"WARNING - Shallow Alarm", 14, 480}}, 0, 470, 500, 530));
    s.ShallowAlarmOn = 0;
    DrawOverlay();
    EXPECT_EQ(s.AlarmCode, 0);
}

} // namespace
} // namespace vz::test
