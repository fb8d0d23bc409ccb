// Automatic depth range and offset for a given bottom depth: both automatic modes in Full and
// Split screen, the triggers at their limits, the ends of the depth tables, the depth scale left
// on the echogram and the restart of the echo history.
#include "processing/AutoRange.h"
#include "core/StartupTables.h"
#include "display/Surfaces.h"
#include "support/Fixture.h"

#include <utility>

namespace vz::test {

namespace {

using Window = std::pair<int, int>; // depth range index, depth offset index

class AutoRange : public Fixture {
  protected:
    void SetUp() override {
        Fixture::SetUp();
        BuildStartupTables();
        s.AutoMode = 1;
        s.AutoRangeOnly = 1;
    }
    void set(Channel c, Window w) {
        s.channel(c).DepthRange = static_cast<std::int16_t>(w.first);
        s.channel(c).DepthOffset = static_cast<std::int16_t>(w.second);
    }
    Window get(Channel c) { return {s.channel(c).DepthRange, s.channel(c).DepthOffset}; }
    // Runs the automatic steps; returns whether they raised the settings flags.
    bool follow(float depth) {
        s.SettingsChanged = 0;
        s.SendSettings = 0;
        AutoRangeAndOffset(depth);
        EXPECT_EQ(s.SettingsChanged, s.SendSettings);
        return s.SendSettings == 1;
    }
};

TEST_F(AutoRange, TheWindowStepsAtItsTriggersAndNeverBeyondTheTables) {
    enum Mode { Manual, RangeOnly, RangeAndOffset, SplitRangeOnly, SplitRangeAndOffset };
    const Window w41{4, 1};
    struct Case {
        const char* what;
        Mode mode;
        int units;
        Window before; // of Full, or of Right in Split screen; the other one stays at w41
        float depth;
        bool steps;
        Window after;
        Window left = {4, 1}, leftAfter = {4, 1};
    };
    const Case cases[] = {
        {"manual", Manual, 0, {4, 3}, 500, false, {4, 3}},
        {"85 % stays, the offset goes back to 0", RangeOnly, 0, {4, 3}, 85, false, w41},
        {"above 85 %", RangeOnly, 0, w41, 85.01f, true, {5, 1}},
        {"15 % stays", RangeOnly, 0, w41, 15, false, w41},
        {"below 15 %", RangeOnly, 0, w41, 14.99f, true, {3, 1}},
        {"the offset moves first", RangeAndOffset, 0, w41, 86, true, {4, 2}},
        {"the next offset is the range: 148.75 stays", RangeAndOffset, 0, {4, 6}, 148.75f, false,
         {4, 6}},
        {"the next offset is the range: range steps", RangeAndOffset, 0, {4, 6}, 149, true, {5, 6}},
        {"35 ft of 20..120 stays", RangeAndOffset, 0, {4, 3}, 35, false, {4, 3}},
        {"below 35 ft the offset steps up", RangeAndOffset, 0, {4, 3}, 34.9f, true, {4, 2}},
        {"offset already 0: the range steps", RangeAndOffset, 0, w41, 10, true, {3, 1}},
        {"Split: 80 % stays", SplitRangeOnly, 0, {4, 2}, 80, false, w41, {3, 4}, {3, 1}},
        {"Split: the Right window decides", SplitRangeOnly, 0, w41, 80.5f, true, {5, 1}, {3, 1}},
        {"Split: below 15 % of 150 ft", SplitRangeOnly, 0, {5, 1}, 22, true, w41, w41, {3, 1}},
        {"Split: offsets step as one", SplitRangeAndOffset, 0, w41, 81, true, {4, 2}, w41, {4, 2}},
        {"Split: below 15 + 10 ft", SplitRangeAndOffset, 0, {4, 2}, 20, true, w41, {4, 2}},
        {"deepest range", RangeOnly, 0, {9, 1}, 1900, false, {9, 1}},
        {"shallowest range", RangeOnly, 0, {1, 1}, 1, false, {1, 1}},
        {"Split: shallowest", SplitRangeAndOffset, 0, {1, 1}, 1, false, {1, 1}, {1, 1}, {1, 1}},
        {"Split: deepest", SplitRangeAndOffset, 0, {9, 11}, 4000, false, {9, 11}, {9, 11},
         {9, 11}},
        {"30 m: 25.5 stays", RangeOnly, 1, w41, 25.5f, false, w41},
        {"30 m: 25.6 steps", RangeOnly, 1, w41, 25.6f, true, {5, 1}},
        {"30 fathoms: 4.4 steps", RangeOnly, 2, {5, 1}, 4.4f, true, w41},
    };
    for (const Case& c : cases) {
        const bool split = c.mode >= SplitRangeOnly;
        s.AutoMode = c.mode == Manual ? 0 : 1;
        s.AutoRangeOnly = c.mode == RangeOnly || c.mode == SplitRangeOnly ? 1 : 0;
        s.SplitScreen = split ? 1 : 0;
        s.DepthUnits = static_cast<std::int16_t>(c.units);
        set(Channel::Full, split ? w41 : c.before);
        set(Channel::Right, split ? c.before : w41);
        set(Channel::Left, c.left);
        EXPECT_EQ(follow(c.depth), c.steps) << c.what;
        EXPECT_EQ(get(Channel::Full), split ? w41 : c.after) << c.what;
        EXPECT_EQ(get(Channel::Right), split ? c.after : w41) << c.what;
        EXPECT_EQ(get(Channel::Left), c.leftAfter) << c.what;
    }
}

TEST_F(AutoRange, AStepLeavesTheNewScaleOnTheEchogramWhenAskedAndRestartsTheHistory) {
    const Rgb old{1, 2, 3};
    for (Channel c : kChannels)
        set(c, {4, 1});
    pictHiddenA().fill(old);
    s.EchoHistory.fill(7);
    EXPECT_FALSE(follow(50.0f));
    EXPECT_EQ(s.EchoHistory[100], 7);
    EXPECT_TRUE(follow(90.0f));
    EXPECT_EQ(s.EchoHistory[100], 0);
    EXPECT_EQ(pictHiddenA().pixel(980, 60), old) << "no scale without LeaveScales";

    s.LeaveScales = 1;
    s.SplitScreen = 1;
    s.Right.Ascope = 1;
    EXPECT_TRUE(follow(90.0f));
    // Tick marks at x = W - 20 - 50 (Right, A-scope on) and W / 2 - 20 (Left).
    for (int x : {930, 940, 480, 490})
        EXPECT_EQ(pictHiddenA().pixel(x, 60), (Rgb{255, 255, 255})) << x;
    EXPECT_EQ(pictHiddenA().pixel(980, 60), old);
}

} // namespace

} // namespace vz::test
