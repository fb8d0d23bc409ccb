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
    enum Mode { Manual, RangeOnly, RangeAndOffset };
    struct Case {
        const char* what;
        Mode mode;
        bool split;
        int units;
        Window full, right, left; // before
        float depth;
        bool steps;
        Window fullAfter, rightAfter, leftAfter;
    };
    const Window w41{4, 1};
    const Case cases[] = {
        {"manual", Manual, false, 0, {4, 3}, w41, w41, 500, false, {4, 3}, w41, w41},
        {"85 % stays, the offset goes back to 0", RangeOnly, false, 0, {4, 3}, w41, w41, 85, false,
         w41, w41, w41},
        {"above 85 %", RangeOnly, false, 0, w41, w41, w41, 85.01f, true, {5, 1}, w41, w41},
        {"15 % stays", RangeOnly, false, 0, w41, w41, w41, 15, false, w41, w41, w41},
        {"below 15 %", RangeOnly, false, 0, w41, w41, w41, 14.99f, true, {3, 1}, w41, w41},
        {"the offset moves first", RangeAndOffset, false, 0, w41, w41, w41, 86, true, {4, 2}, w41,
         w41},
        {"the next offset is the range: 148.75 stays", RangeAndOffset, false, 0, {4, 6}, w41, w41,
         148.75f, false, {4, 6}, w41, w41},
        {"the next offset is the range: range steps", RangeAndOffset, false, 0, {4, 6}, w41, w41, 149,
         true, {5, 6}, w41, w41},
        {"35 ft of 20..120 stays", RangeAndOffset, false, 0, {4, 3}, w41, w41, 35, false, {4, 3}, w41,
         w41},
        {"below 35 ft the offset steps up", RangeAndOffset, false, 0, {4, 3}, w41, w41, 34.9f, true,
         {4, 2}, w41, w41},
        {"offset already 0: the range steps", RangeAndOffset, false, 0, w41, w41, w41, 10, true,
         {3, 1}, w41, w41},
        {"Split: 80 % stays", RangeOnly, true, 0, w41, {4, 2}, {3, 4}, 80, false, w41, w41, {3, 1}},
        {"Split: the Right window decides", RangeOnly, true, 0, w41, w41, {3, 1}, 80.5f, true, w41,
         {5, 1}, w41},
        {"Split: below 15 % of 150 ft", RangeOnly, true, 0, w41, {5, 1}, w41, 22, true, w41, w41,
         {3, 1}},
        {"Split: offsets step together", RangeAndOffset, true, 0, w41, w41, w41, 81, true, w41,
         {4, 2}, {4, 2}},
        {"Split: below 15 + 10 ft", RangeAndOffset, true, 0, w41, {4, 2}, {4, 2}, 20, true, w41, w41,
         w41},
        {"deepest range", RangeOnly, false, 0, {9, 1}, w41, w41, 1900, false, {9, 1}, w41, w41},
        {"shallowest range", RangeOnly, false, 0, {1, 1}, w41, w41, 1, false, {1, 1}, w41, w41},
        {"Split: shallowest", RangeAndOffset, true, 0, w41, {1, 1}, {1, 1}, 1, false, w41, {1, 1},
         {1, 1}},
        {"Split: deepest", RangeAndOffset, true, 0, w41, {9, 11}, {9, 11}, 4000, false, w41, {9, 11},
         {9, 11}},
        {"30 m: 25.5 stays", RangeOnly, false, 1, w41, w41, w41, 25.5f, false, w41, w41, w41},
        {"30 m: 25.6 steps", RangeOnly, false, 1, w41, w41, w41, 25.6f, true, {5, 1}, w41, w41},
        {"30 fathoms: 4.4 steps", RangeOnly, false, 2, {5, 1}, w41, w41, 4.4f, true, w41, w41, w41},
    };
    for (const Case& c : cases) {
        s.AutoMode = c.mode == Manual ? 0 : 1;
        s.AutoRangeOnly = c.mode == RangeOnly ? 1 : 0;
        s.SplitScreen = c.split ? 1 : 0;
        s.DepthUnits = static_cast<std::int16_t>(c.units);
        set(Channel::Full, c.full);
        set(Channel::Right, c.right);
        set(Channel::Left, c.left);
        EXPECT_EQ(follow(c.depth), c.steps) << c.what;
        EXPECT_EQ(get(Channel::Full), c.fullAfter) << c.what;
        EXPECT_EQ(get(Channel::Right), c.rightAfter) << c.what;
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
