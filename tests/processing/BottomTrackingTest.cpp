// Bottom detection on synthetic decoded columns: the whole-column detector with its damping and
// depth units, the replies it must not take a depth from, the choice of the searched half in
// Split screen, the clutter filter and the range-gate tracker; the automatic depth range and
// offset in both modes in Full and Split screen, the triggers at their limits, the ends of the
// depth tables, the depth scale left on the echogram and the restart of the echo history.
#include "support/ReplyBuilder.h"

#include "core/StartupTables.h"
#include "display/Pointer.h"
#include "display/Surfaces.h"
#include "processing/AutoRange.h"
#include "processing/BottomTracking.h"
#include "support/Fixture.h"

#include <cmath>
#include <cstdint>
#include <tuple>
#include <utility>
#include <vector>

namespace vz::test {

namespace {

constexpr float kFeetPerMetre = 3.280839f;

// A decoded column, entries numbered as in RxBuffer (the first sample is entry 2).
struct Column : PingReply {
    Column(int n, std::uint8_t noise) { samples.assign(static_cast<std::size_t>(n), noise); }
    // Entries first..last set to `level`.
    Column& echo(int first, int last, std::uint8_t level) {
        for (int e = first; e <= last; ++e)
            samples.at(static_cast<std::size_t>(e - 2)) = level;
        return *this;
    }
};

// 700 samples over a noise floor of 10, with the transducer's ring-down at the top.
Column Water() {
    return Column(700, 10).echo(2, 12, 250);
}
// ... and a hard bottom whose echo starts at entry `start`.
Column Bottom(int start = 300) {
    return Water().echo(start, start + 30, 200).echo(start + 31, start + 40, 60);
}

using Window = std::pair<int, int>; // depth range index, depth offset index

class BottomTracking : public Fixture {
  protected:
    void SetUp() override {
        Fixture::SetUp();
        BuildStartupTables();
        // 0.1 ft per sample from the surface: entry i lies at i / 10 ft.
        s.SoundSpeed = 0.0025f;
        s.SampleInterval = 40.0f;
        s.SampleDelay = 0;
        s.DepthDamping = 4;
        s.Full.DepthRange = s.Left.DepthRange = s.Right.DepthRange = 9;
        s.Full.DepthOffset = s.Left.DepthOffset = s.Right.DepthOffset = 1;
    }
    void detect(const Column& c) {
        c.load(s);
        DetectBottomAndAutoRange();
    }
    void track(const Column& c) {
        c.load(s);
        TrackBottom();
    }
    void setDepths(float depth) { s.BottomDepth = s.DisplayDepth = s.RangeGateDepth = depth; }
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
    int WindowFootFt() const {
        return s.DepthRangeTable[0][s.Full.DepthRange] + s.DepthOffsetTable[0][s.Full.DepthOffset];
    }
};

TEST_F(BottomTracking, DampsTheHistoryAndWeightsItByDepth) {
    detect(Water().echo(100, 100, 250).echo(51, 51, 15).echo(53, 53, 15));
    // (0 x 4 + 250) / 5 at 100; weights halve to the even neighbour: 3 x 26.5 and 3 x 27.5.
    EXPECT_EQ(std::tuple(s.EchoHistory[100], s.EchoHistory[50]), std::tuple(50, 2));
    EXPECT_EQ(std::tuple(s.WeightedEcho[100], s.WeightedEcho[51], s.WeightedEcho[53]),
              std::tuple(50 * 51, 80, 82));
    detect(Water().echo(100, 100, 250));
    EXPECT_EQ(s.EchoHistory[100], 90);
    detect(Water());
    EXPECT_EQ(s.EchoHistory[100], 74); // (90 x 4 + 10) / 5
    // The reply's last sample is not part of the average.
    EXPECT_EQ(s.EchoHistory[701], 0);
}

// A hard bottom whose echo starts at `start` (entries of 0.1 ft) with samples of 235 over 3 ft,
// repeated at two and three times its depth with `second` and `third` times its strength above
// the noise floor of 10 (0 = no repeat).
Column Repeated(int start, double second, double third = 0.0) {
    const auto level = [](double share) { return static_cast<std::uint8_t>(10 + share * 225); };
    Column c = Column(1400, 10).echo(2, 12, 250).echo(start, start + 30, 235);
    if (second > 0) c.echo(2 * start, 2 * start + 36, level(second));
    if (third > 0) c.echo(3 * start, 3 * start + 42, level(third));
    return c;
}

TEST_F(BottomTracking, ARepeatBehindADepthOffsetIsTracedBackToTheBottomInMetres) {
    // The first sample lies 10 ft down; the keel offset is in feet for the read-out.
    s.SampleDelay = 4000;
    s.DepthUnits = 1;
    s.KeelOffset = 2.0f;
    // Entries 200 and 500 lie at 30 and 60 ft.
    detect(Column(1000, 10).echo(200, 230, 235).echo(500, 536, 235));
    EXPECT_NEAR(s.BottomDepth, 29.9 / kFeetPerMetre, 1e-3);
    EXPECT_NEAR(s.DisplayDepth, 31.9 / kFeetPerMetre, 1e-3);
    EXPECT_FLOAT_EQ(s.RangeGateDepth, s.BottomDepth);
}

TEST_F(BottomTracking, AnEchoAboveEntry20IsItsOwnEdgeAndAReplyTooShortToSearchIsLeftOut) {
    // 1 ft a sample here, so that these short echoes are as long as a bottom's.
    s.SampleInterval = 400.0f;
    detect(Column(700, 0).echo(5, 15, 250));
    EXPECT_TRUE(s.BottomFound);
    EXPECT_NEAR(s.BottomDepth, 6.0f, 1e-3);

    s.AutoMode = 1;
    s.EchoHistory.fill(7);
    detect(Column(20, 10).echo(12, 21, 250));
    EXPECT_EQ(s.EchoHistory[12], 7) << "a reply too short to search is left out entirely";
    EXPECT_EQ(s.SendSettings, 0) << "... and Auto does not look deeper for its bottom";

    // 21 samples are enough: the strongest stretch starts at the last place it can.
    s.AutoMode = 0;
    ClearHistoryBuffer(kRxBufferLast);
    detect(Column(21, 10).echo(13, 22, 250));
    EXPECT_NEAR(s.BottomDepth, 12.0f, 1e-3);
}

// `samples` entries of receiver noise with speckle (10..30, the same every time), with the
// ring-down and surface clutter fading out over the first 8 ft, as the box's replies have them.
Column Noise(int samples) {
    Column c(samples, 10);
    std::uint32_t x = 12345;
    for (int e = 2; e <= samples; ++e) {
        x = x * 1103515245u + 12345u;
        c.echo(e, e, static_cast<std::uint8_t>(10 + (x >> 16) % 21));
    }
    c.echo(2, 12, 250);
    for (int e = 13; e <= 80; ++e)
        c.echo(e, e, static_cast<std::uint8_t>(20 + 220 * std::exp(-(e - 13) / 12.0)));
    return c;
}

TEST_F(BottomTracking, OnlyTheBottomIsTakenForTheBottomWhateverElseTheColumnHolds) {
    constexpr float kNone = -1.0f;
    struct Case {
        const char* what;
        Column column;
        float bottom; // kNone: no bottom is found and the last depth is kept
    };
    const Case cases[] = {
        {"a repeat at twice the depth, 0.4 as strong", Repeated(200, 0.4), 19.9f},
        {"a repeat at twice the depth, 0.6 as strong", Repeated(300, 0.6), 29.9f},
        {"a repeat at twice the depth as strong", Repeated(420, 1.0), 41.9f},
        {"repeats at two and three times the depth, 0.8 and 0.64", Repeated(200, 0.8, 0.64), 19.9f},
        {"repeats at two and three times the depth as strong", Repeated(420, 1.0, 1.0), 41.9f},
        {"a weaker school at half the depth", Bottom(300).echo(150, 180, 150), 29.9f},
        {"a stronger school not at half the depth", Bottom(300).echo(195, 230, 250), 29.9f},
        {"a strong school at half the depth, far shorter", Bottom(300).echo(150, 160, 230), 29.9f},
        {"a weak thermocline at half the depth", Bottom(300).echo(140, 170, 40), 29.9f},
        {"surface clutter past half the depth", Bottom(300).echo(2, 160, 240), 29.9f},
        {"a soft bottom: its weak leading edge", Water().echo(300, 306, 70).echo(307, 340, 160),
         29.9f},
        {"a weak bottom", Water().echo(300, 330, 80), 29.9f},
        {"silence", Column(700, 0), kNone},
        {"an echo hanging from the ring-down: the surface band", Water().echo(13, 60, 250), kNone},
        {"noise and the surface band", Noise(1000), kNone},
        {"a thermocline 46 counts above the water", Noise(1000).echo(175, 190, 66), kNone},
        {"a deep school 45 counts above the water", Noise(1000).echo(600, 640, 65), kNone},
        {"a school just shorter than a bottom echo", Noise(1000).echo(400, 419, 230), kNone},
        {"the shortest bottom echo", Noise(1000).echo(400, 420, 230), 39.9f},
        {"a bottom at the reply's last sample", Noise(1000).echo(1001, 1001, 200), kNone},
        {"a shallow bottom in a 2000 ft window: the water below weighs nothing",
         Noise(20000).echo(150, 175, 220), 14.9f},
        {"the same bottom once the reply reaches it", Noise(1100).echo(1001, 1030, 200), 100.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ClearHistoryBuffer(kRxBufferLast);
        setDepths(40.0f);
        const bool none = c.bottom == kNone;
        for (int ping = 0; ping < 10; ++ping) {
            detect(c.column);
            EXPECT_EQ(s.BottomFound, !none) << "ping " << ping;
            EXPECT_NEAR(s.BottomDepth, none ? 40.0f : c.bottom, c.bottom > 99 ? 0.5 : 1e-3)
                << "ping " << ping;
        }
        if (none) {
            EXPECT_FLOAT_EQ(s.DisplayDepth, 40.0f);
        }
    }
    EXPECT_EQ(s.Full.DepthRange, 9) << "Manual mode keeps its window";
}

TEST_F(BottomTracking, AutoStepsDeeperOverSuccessiveRepliesUntilTheBottomIsInView) {
    // A box over a 1000 ft bottom: each reply reaches from the surface to its window's foot.
    struct Case {
        bool rangeOnly;
        std::vector<int> searchedFoots; // until the bottom is found
    };
    const Case cases[] = {{true, {100, 150, 250, 500, 1000, 2000}},
                          {false, {100, 160, 270, 530, 1050}}};
    for (const Case& c : cases) {
        // Auto mode in the factory window, 0 to 100 ft, with no bottom found yet.
        ClearHistoryBuffer(kRxBufferLast);
        s.AutoMode = 1;
        s.AutoRangeOnly = c.rangeOnly ? 1 : 0;
        s.Full.DepthRange = 4;
        s.BottomFound = false;
        std::vector<int> foots;
        for (int reply = 0; reply < 40; ++reply) {
            const int footFt = WindowFootFt();
            Column column = Noise(footFt * 10);
            if (footFt * 10 > 10005) column.echo(10001, 10040, 180);
            column.load(s);
            if (s.SendSettings == 1) { // the reply after a step is thrown away
                s.SendSettings = 0;
                continue;
            }
            const bool foundBefore = s.BottomFound;
            TrackBottom();
            if (!foundBefore) foots.push_back(footFt);
            if (foundBefore || s.BottomFound) {
                ASSERT_TRUE(s.BottomFound) << c.rangeOnly << " reply " << reply;
                // The leading edge lies within a few samples of noise above the echo.
                EXPECT_NEAR(s.BottomDepth, 1000.0f, 0.5) << c.rangeOnly << " reply " << reply;
            }
        }
        EXPECT_EQ(foots, c.searchedFoots) << c.rangeOnly;
        // Settled with the bottom inside the triggers: no more steps.
        EXPECT_EQ(s.SendSettings, 0) << c.rangeOnly;
        EXPECT_LT(1000, 0.85 * WindowFootFt()) << c.rangeOnly;
    }
}

TEST_F(BottomTracking, InSplitScreenOnlyTheDeeperHalfIsSearched) {
    s.SplitScreen = 1;
    s.Left.DepthRange = 4;
    struct Case {
        std::int16_t rightRange;
        bool leftSideNow, searched;
    };
    // Equal windows: the Left half drives.
    const Case cases[] = {{4, false, false}, {4, true, true}, {5, true, false}, {5, false, true}};
    for (const Case c : cases) {
        s.Right.DepthRange = c.rightRange;
        s.LeftSideNow = c.leftSideNow;
        setDepths(10.0f);
        track(Bottom());
        EXPECT_NEAR(s.BottomDepth, c.searched ? 29.9f : 10.0f, 1e-4)
            << c.rightRange << " " << c.leftSideNow;
    }
}

TEST_F(BottomTracking, ClutterBlanksStrongEchoesUntilALongQuietRunOrTheReplysLastSample) {
    // Level 3: threshold 180, the scan ends at the 11th consecutive sample below it.
    Column(26, 50).echo(2, 2, 200).echo(3, 3, 100).echo(4, 4, 180).echo(15, 15, 240)
        .echo(27, 27, 255).load(s);
    s.ClutterFilter = 3;
    ApplyClutterFilter();
    // Entry 4 is at the threshold, strong; ten quiet samples before 15 were not enough; after
    // the eleventh before 27 the scan has ended.
    const auto& b = s.RxBuffer;
    EXPECT_EQ(std::tuple(b[2], b[3], b[4], b[5], b[15], b[26], b[27]),
              std::tuple(0, 100, 0, 50, 0, 50, 255));

    // A reply of only strong samples: the scan ends at its last sample, before the trailer.
    // The trailer's first byte could be mistaken for a sample.
    PingReply{.samples = std::vector<std::uint8_t>(20, 250), .offset = 250,
              .intervalTotal = 0xFAFAFA}
        .load(s);
    s.ClutterFilter = 8; // threshold 55
    ApplyClutterFilter();
    for (int i = 2; i <= 21; ++i)
        EXPECT_EQ(s.RxBuffer[i], 0) << i;
    EXPECT_EQ(s.RxBuffer[22], 0x5A);
    EXPECT_EQ(s.RxBuffer[24], 250);
}

TEST_F(BottomTracking, ClearHistoryBufferZeroesOnlyTheCountedEntriesWithinTheBuffer) {
    s.EchoHistory.fill(7);
    ClearHistoryBuffer(100);
    ClearHistoryBuffer(-3);
    EXPECT_EQ(std::tuple(s.EchoHistory[0], s.EchoHistory[100], s.EchoHistory[101]),
              std::tuple(7, 0, 7));
    ClearHistoryBuffer(50000);
    EXPECT_EQ(s.EchoHistory[kRxBufferLast], 0);
}

class RangeGate : public BottomTracking {
  protected:
    void SetUp() override {
        BottomTracking::SetUp();
        // The gate's own constants assume the factory speed of sound.
        s.SoundSpeed = 0.0024755f;
        s.ShowRangeGate = 1;
        s.RangeGateWidth = 6.0f;
    }
    static float depthOf(int entry) { return static_cast<float>(entry * 40.0 * 0.0024755); }
};

TEST_F(RangeGate, StaysOnTheBottomPastFishAndLayersAndHoldsWhereThereIsOnlyWater) {
    s.BottomDepth = s.RangeGateDepth = depthOf(300);
    track(Water().echo(300, 330, 200));
    const float onBottom = s.DisplayDepth;
    EXPECT_NEAR(onBottom, depthOf(300), 0.3);
    // A fish and a layer inside the gate, above the bottom and weaker than it.
    for (int ping = 0; ping < 5; ++ping) {
        track(Water().echo(300, 330, 200).echo(285, 288, 120).echo(275, 280, 40));
        EXPECT_FLOAT_EQ(s.DisplayDepth, onBottom) << ping;
    }
    // The bottom fades out: a gate of only water finds nothing, holds its depth and widens.
    for (int ping = 0; ping < 5; ++ping) {
        track(Water());
        EXPECT_FLOAT_EQ(s.DisplayDepth, onBottom) << ping;
        EXPECT_NEAR(s.BottomDepth, depthOf(300), 1.0) << ping;
    }
    // It comes back deeper, and the wider gate finds it again.
    track(Water().echo(330, 360, 200));
    EXPECT_NEAR(s.DisplayDepth, depthOf(330), 0.3);

    // A gate wide enough to hold the bottom and its repeat at twice the depth, a little stronger.
    s.BottomDepth = s.RangeGateDepth = depthOf(450);
    s.RangeGateWidth = 45.0f;
    track(Column(900, 10).echo(2, 12, 250).echo(300, 330, 235).echo(600, 636, 240));
    EXPECT_NEAR(s.DisplayDepth, depthOf(300), 0.3);
}

TEST_F(RangeGate, AClickInAnyUnitPlacesItOnTheClickedBottomAndItFollowsItDownAndUp) {
    s.AutoMode = 1;
    for (std::int16_t units = 0; units <= 2; ++units) {
        SCOPED_TRACE(units);
        const std::int16_t rangeIndex = units == 2 ? 3 : 4; // 100 ft, 30 m, 10 fathoms
        s.DepthUnits = units;
        s.Full.DepthRange = rangeIndex;
        s.RangeGateWidth = 6.0f;
        s.KeelOffset = 3.0f;
        const double feetPerUnit = units == 0 ? 1.0 : units == 1 ? kFeetPerMetre : 6.0;
        // A right click on the A-scope at the row of the bottom, 30 ft down.
        const int range = s.DepthRangeTable[units][rangeIndex];
        const int row = static_cast<int>(std::lround(depthOf(303) / feetPerUnit / range * 600));
        PictVisible_MouseDown(kPointerRight, 950, row);
        ASSERT_EQ(s.ShowRangeGate, 1);
        EXPECT_NEAR(s.BottomDepth * feetPerUnit, depthOf(303),
                    0.5 * range * feetPerUnit / 600 + 1e-3);

        for (int step = 0; step <= 100; ++step) {
            // Three entries deeper a ping from entry 303 down to 453, then back up.
            const int entry = 453 - 3 * std::abs(step - 50);
            SCOPED_TRACE(entry);
            track(Water().echo(entry, entry + 30, 200));
            ASSERT_LE(s.GateStart, entry);
            ASSERT_GE(s.GateEnd, entry);
            // The edge is met two samples early, and a jump is led on by 0.6 of its size.
            EXPECT_NEAR(s.BottomDepth * feetPerUnit, depthOf(entry), 1.5);
            // The read-out shows the measured depth, without the lead.
            EXPECT_NEAR(s.DisplayDepth * feetPerUnit, depthOf(entry) + 3.0, 0.3);
            const double widthFt = s.RangeGateWidth * feetPerUnit;
            EXPECT_GE(widthFt, 5.0 - 1e-3);
            EXPECT_LE(widthFt, std::max(5.0, 0.3 * s.BottomDepth * feetPerUnit) + 1e-3);
        }
        EXPECT_EQ(s.Full.DepthRange, rangeIndex) << "no automatic steps while the gate tracks";
        EXPECT_EQ(s.SendSettings, 0);
    }
}

TEST_F(RangeGate, WidensWhileItFindsNothingWithoutReadingPastTheReply) {
    // A bottom deeper than the reply: the samples after it (trailer, old data) are never taken.
    s.BottomDepth = depthOf(690);
    s.RangeGateDepth = 0.0f;
    Column(700, 0).load(s);
    for (int i = s.PacketLength - 9; i <= s.PacketLength + 100; ++i)
        s.RxBuffer[i] = 255;
    TrackBottomInGate();
    EXPECT_FLOAT_EQ(s.RangeGateWidth, 7.2f);
    EXPECT_FLOAT_EQ(s.RangeGateDepth, s.BottomDepth);

    for (int i = 0; i < 400; ++i)
        track(Column(700, 0));
    EXPECT_TRUE(std::isfinite(s.RangeGateWidth));
    EXPECT_LE(s.RangeGateWidth, 10000.0f);
}

// Automatic depth range and offset for a given bottom depth.
using AutoRange = BottomTracking;

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
        {"Split: deepest", SplitRangeAndOffset, 0, {9, 11}, 4000, false, {9, 11}, {9, 11},
         {9, 11}},
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
    s.AutoMode = 1;
    s.AutoRangeOnly = 1;
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
