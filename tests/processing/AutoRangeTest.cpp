// Automatic depth range and offset for a given bottom depth: both automatic modes in Full and
// Split screen, the triggers at their limits, the ends of the depth tables, the depth scale left
// on the echogram and the restart of the echo history; and the panel steps they use.
#include "processing/AutoRange.h"
#include "controls/ChannelSteps.h"
#include "core/StartupTables.h"
#include "core/Ui.h"
#include "display/Surfaces.h"
#include "support/Fixture.h"

#include <vector>

namespace vz::test {

namespace {

constexpr Rgb kWhite{255, 255, 255};

class PanelUi : public Ui {
  public:
    void showChannelSettings(Channel c) override { shown.push_back(c); }
    std::vector<Channel> shown;
};

class AutoRange : public Fixture {
  protected:
    void SetUp() override {
        Fixture::SetUp();
        BuildStartupTables();
        s.AutoMode = 1;
        s.AutoRangeOnly = 1;
        for (Channel c : kChannels) {
            s.channel(c).DepthRange = 4;  // 100 ft
            s.channel(c).DepthOffset = 1; // 0 ft
        }
        setUi(&panels);
    }
    void TearDown() override {
        setUi(nullptr);
        Fixture::TearDown();
    }
    void window(Channel c, int range, int offset) {
        s.channel(c).DepthRange = static_cast<std::int16_t>(range);
        s.channel(c).DepthOffset = static_cast<std::int16_t>(offset);
    }
    // Runs the automatic steps; returns whether they raised the settings flags.
    bool follow(float depth) {
        s.SettingsChanged = 0;
        s.SendSettings = 0;
        AutoRangeAndOffset(depth);
        EXPECT_EQ(s.SettingsChanged, s.SendSettings);
        return s.SendSettings == 1;
    }
    PanelUi panels;
};

TEST_F(AutoRange, PanelStepsStayWithinTheirBoundsAndAlwaysRaiseTheFlags) {
    window(Channel::Left, 9, 11);
    StepDepthRange(Channel::Left, +1);
    EXPECT_EQ(s.Left.DepthRange, 9);
    EXPECT_EQ(s.SettingsChanged, 1);
    EXPECT_EQ(s.SendSettings, 1);
    StepDepthOffset(Channel::Left, +1);
    EXPECT_EQ(s.Left.DepthOffset, 11);
    StepDepthRange(Channel::Left, -1);
    StepDepthOffset(Channel::Left, -1);
    EXPECT_EQ(s.Left.DepthRange, 8);
    EXPECT_EQ(s.Left.DepthOffset, 10);

    window(Channel::Right, 1, 1);
    s.SendSettings = 0;
    StepDepthRange(Channel::Right, -1);
    StepDepthOffset(Channel::Right, -1);
    EXPECT_EQ(s.Right.DepthRange, 1);
    EXPECT_EQ(s.Right.DepthOffset, 1);
    EXPECT_EQ(s.SendSettings, 1);
    // Only the bound on the stepping side applies.
    window(Channel::Full, 0, 14);
    StepDepthRange(Channel::Full, +1);
    StepDepthOffset(Channel::Full, -1);
    EXPECT_EQ(s.Full.DepthRange, 1);
    EXPECT_EQ(s.Full.DepthOffset, 13);
    EXPECT_EQ(panels.shown.size(), 8u);
    EXPECT_EQ(panels.shown.back(), Channel::Full);
}

TEST_F(AutoRange, ManualModeLeavesTheWindowAlone) {
    s.AutoMode = 0;
    window(Channel::Full, 4, 3);
    EXPECT_FALSE(follow(500.0f));
    EXPECT_EQ(s.Full.DepthRange, 4);
    EXPECT_EQ(s.Full.DepthOffset, 3);
}

TEST_F(AutoRange, FullScreenRangeOnlyStepsAtEightyFiveAndFifteenPercent) {
    window(Channel::Full, 4, 3);
    EXPECT_FALSE(follow(85.0f)) << "exactly 85 % stays";
    EXPECT_EQ(s.Full.DepthOffset, 1) << "the offset is put back to zero";
    EXPECT_EQ(s.Full.DepthRange, 4);
    EXPECT_TRUE(follow(85.01f));
    EXPECT_EQ(s.Full.DepthRange, 5);

    window(Channel::Full, 4, 1);
    EXPECT_FALSE(follow(15.0f));
    EXPECT_TRUE(follow(14.99f));
    EXPECT_EQ(s.Full.DepthRange, 3);

    // The Split halves are left alone.
    EXPECT_EQ(s.Left.DepthRange, 4);
    EXPECT_EQ(s.Right.DepthRange, 4);
    EXPECT_TRUE(panels.shown == std::vector<Channel>({Channel::Full, Channel::Full}));
}

TEST_F(AutoRange, FullScreenRangeAndOffsetMovesTheOffsetFirst) {
    s.AutoRangeOnly = 0;
    window(Channel::Full, 4, 1);
    EXPECT_TRUE(follow(86.0f)); // 0 .. 100 ft: the next offset (10 ft) is below the range
    EXPECT_EQ(s.Full.DepthOffset, 2);
    EXPECT_EQ(s.Full.DepthRange, 4);

    window(Channel::Full, 4, 6); // 75 .. 175 ft: the next offset, 100 ft, is the range
    EXPECT_FALSE(follow(148.75f));
    EXPECT_TRUE(follow(149.0f));
    EXPECT_EQ(s.Full.DepthRange, 5);
    EXPECT_EQ(s.Full.DepthOffset, 6);

    window(Channel::Full, 4, 3); // 20 .. 120 ft: lower trigger at 35 ft
    EXPECT_FALSE(follow(35.0f));
    EXPECT_TRUE(follow(34.9f));
    EXPECT_EQ(s.Full.DepthOffset, 2);
    EXPECT_EQ(s.Full.DepthRange, 4);

    window(Channel::Full, 4, 1); // offset already zero: the range steps down
    EXPECT_TRUE(follow(10.0f));
    EXPECT_EQ(s.Full.DepthRange, 3);
    EXPECT_EQ(s.Full.DepthOffset, 1);
}

TEST_F(AutoRange, SplitScreenStepsRightThenLeftAtEightyPercent) {
    s.SplitScreen = 1;
    window(Channel::Right, 4, 2);
    window(Channel::Left, 3, 4);
    EXPECT_FALSE(follow(80.0f));
    EXPECT_EQ(s.Right.DepthOffset, 1);
    EXPECT_EQ(s.Left.DepthOffset, 1);
    EXPECT_TRUE(follow(80.5f)); // the Right window decides
    EXPECT_EQ(s.Right.DepthRange, 5);
    EXPECT_EQ(s.Left.DepthRange, 4);
    EXPECT_TRUE(follow(22.0f)); // below 15 % of 150 ft
    EXPECT_EQ(s.Right.DepthRange, 4);
    EXPECT_EQ(s.Left.DepthRange, 3);
    EXPECT_EQ(s.Full.DepthRange, 4);
    EXPECT_TRUE(panels.shown == std::vector<Channel>({Channel::Right, Channel::Left, Channel::Right,
                                                      Channel::Left}));

    s.AutoRangeOnly = 0;
    window(Channel::Right, 4, 1);
    window(Channel::Left, 4, 1);
    EXPECT_TRUE(follow(81.0f));
    EXPECT_EQ(s.Right.DepthOffset, 2);
    EXPECT_EQ(s.Left.DepthOffset, 2);
    EXPECT_TRUE(follow(20.0f)); // below 15 + 10 ft
    EXPECT_EQ(s.Right.DepthOffset, 1);
    EXPECT_EQ(s.Left.DepthOffset, 1);
}

TEST_F(AutoRange, NoStepIsMadeBeyondTheEndsOfTheTables) {
    // A step the panel's bound would undo would still throw the next reply away, ping after ping.
    window(Channel::Full, 9, 1);
    EXPECT_FALSE(follow(1900.0f));
    EXPECT_EQ(s.Full.DepthRange, 9);
    window(Channel::Full, 1, 1);
    EXPECT_FALSE(follow(1.0f));
    EXPECT_EQ(s.Full.DepthRange, 1);

    s.SplitScreen = 1;
    s.AutoRangeOnly = 0;
    window(Channel::Right, 1, 1);
    window(Channel::Left, 1, 1);
    EXPECT_FALSE(follow(1.0f));
    window(Channel::Right, 9, 11);
    window(Channel::Left, 9, 11);
    EXPECT_FALSE(follow(4000.0f));
    EXPECT_EQ(s.Right.DepthRange, 9);
    EXPECT_EQ(s.Right.DepthOffset, 11);
    EXPECT_TRUE(panels.shown.empty());
}

TEST_F(AutoRange, TheTriggersUseTheTablesOfTheDepthUnits) {
    s.DepthUnits = 1; // range 4 is 30 m
    EXPECT_FALSE(follow(25.5f));
    EXPECT_TRUE(follow(25.6f));
    EXPECT_EQ(s.Full.DepthRange, 5);
    s.DepthUnits = 2; // range 5 is 30 fathoms
    EXPECT_TRUE(follow(4.4f));
    EXPECT_EQ(s.Full.DepthRange, 4);
}

TEST_F(AutoRange, AStepLeavesTheNewScaleOnTheEchogramWhenAskedAndRestartsTheHistory) {
    pictHiddenA().fill(Rgb{1, 2, 3});
    s.EchoHistory.fill(7);
    EXPECT_FALSE(follow(50.0f));
    EXPECT_EQ(s.EchoHistory[100], 7);
    EXPECT_TRUE(follow(90.0f));
    EXPECT_EQ(s.EchoHistory[100], 0);
    EXPECT_EQ(pictHiddenA().pixel(980, 60), (Rgb{1, 2, 3})) << "no scale without LeaveScales";

    s.LeaveScales = 1;
    s.SplitScreen = 1;
    s.Right.Ascope = 1;
    EXPECT_TRUE(follow(90.0f));
    // Tick marks at x = W - 20 - 50 (Right, A-scope on) and W / 2 - 20 (Left).
    for (int x : {930, 940, 480, 490})
        EXPECT_EQ(pictHiddenA().pixel(x, 60), kWhite) << x;
    EXPECT_EQ(pictHiddenA().pixel(980, 60), (Rgb{1, 2, 3}));
}

} // namespace

} // namespace vz::test
