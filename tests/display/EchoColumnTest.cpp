// Drawing one echo column: rows to samples, levels to colours, the delay band, the A-scope, the
// noise filter, the white line and the range gate.
#include "DisplayFixture.h"

#include "display/EchoColumn.h"

namespace vz::test {
namespace {

class EchoColumn : public DisplayFixture {
  protected:
    void SetUp() override {
        DisplayFixture::SetUp();
        // 100 feet of window at 0.1 foot per sample: one sample per row; the window starts 10
        // feet down, at sample 100, so row y shows sample 101 + y.
        s.SoundSpeed = 0.0025f;
        s.SampleInterval = 40.0f;
        s.Full.DepthRange = 3;  // 60 feet
        s.Full.DepthOffset = 2; // 10 feet
        s.PacketLength = 710; // 700 samples, no trailer; the A-scope threshold stays at 4
    }
    Rgb colourOf(int level) const { return s.ColorTable[level <= s.DisplayThreshold ? 0 : level]; }
    // Every entry of the buffer: level = index modulo 16.
    void fillLevelPattern() {
        for (int i = 0; i < kRxBufferSize; ++i) s.RxBuffer[i] = static_cast<std::uint8_t>(16 * (i % 16));
    }
};

TEST_F(EchoColumn, SampleValuesBecomeLevelsWithHalvesToEven) {
    // 0.5, 1.5, 2.5, 15.9, 4.5, 5, 0.56 sixteenths
    const std::pair<std::uint8_t, int> cases[] = {{8, 0}, {24, 2}, {40, 2}, {255, 15}, {72, 4}, {80, 5}, {9, 1}};
    for (int row = 0; row < 7; ++row) s.RxBuffer[101 + 10 + row] = cases[row].first;
    s.DisplayThreshold = 0; // each level in its own colour; the threshold: the tests below
    DrawEchoColumn();
    for (int row = 0; row < 7; ++row)
        EXPECT_EQ(pictHiddenA().pixel(994, 10 + row), s.ColorTable[cases[row].second])
            << int(cases[row].first);
    expectAreas(pictHiddenA(), {{993, 0, 993, 600, kCanvas, "one column"}, {995, 0, 995, 600, kCanvas, "one"}});
}

TEST_F(EchoColumn, RowsMapToSamplesInEveryUnitAndUnreceivedSamplesAreBlank) {
    // Row y shows sample first + step x y.
    struct Case { const char* name; int units, range, offset, samples; float interval;
                  int first, step; };
    const Case cases[] = {
        // 60 ft from 10 ft at 0.1 ft per sample: 1 sample per row from sample 100
        {"feet", 0, 3, 2, 700, 40.0f, 101, 1}, // rows 599, 600 would read samples 700, 701
        // 30 m from 3 m at two samples per row: 3 m = 120 samples
        {"meters", 1, 4, 2, 1400, static_cast<float>(30.0 / (2 * 182.88 * 0.0025)), 121, 2},
        // 10 fathoms from 1 fathom at 0.1 ft per sample: 1 fathom = 60 samples
        {"fathoms", 2, 3, 2, 700, 40.0f, 61, 1},
    };
    fillLevelPattern();
    for (const Case& c : cases) {
        s.DepthUnits = static_cast<std::int16_t>(c.units);
        s.Full.DepthRange = static_cast<std::int16_t>(c.range);
        s.Full.DepthOffset = static_cast<std::int16_t>(c.offset);
        s.SampleInterval = c.interval;
        s.PacketLength = c.samples + 10;
        DrawEchoColumn();
        for (int y = 0; y <= 600; ++y) {
            // Entries from N on hold no sample (trailer, or nothing received): background.
            const int index = c.first + c.step * y;
            ASSERT_EQ(pictHiddenA().pixel(994, y), colourOf(index < c.samples ? index % 16 : 0)) << c.name << y;
        }
    }
}

TEST_F(EchoColumn, RowsBeyondTheReceiveBufferAreNeverRead) {
    // 5000 ft from 3000 ft: rows below 2000 samples (200 ft) lie past the buffer's last entry.
    s.Full.DepthRange = 11;
    s.Full.DepthOffset = 13;
    s.PacketLength = 40000; // claims more than the buffer holds
    s.RxBuffer.fill(240);
    DrawEchoColumn();
    expectAreas(pictHiddenA(), {{994, 0, 994, 23, s.ColorTable[15], "down to sample 31918"},
                                {994, 24, 994, 600, s.ColorTable[0], "from sample 32001, outside"}});
    // No range, a range beyond the table, no time per sample: all blank, nothing is read.
    s.PacketLength = 710;
    for (const auto& [range, interval] : {std::pair{0, 40.0f}, {25, 40.0f}, {3, 0.0f}}) {
        std::tie(s.Full.DepthRange, s.SampleInterval) = std::pair(std::int16_t(range), interval);
        pictHiddenA().fill(kCanvas);
        DrawEchoColumn();
        expectAreas(pictHiddenA(), {{994, 0, 994, 600, s.ColorTable[0], "no usable window"}});
    }
}

TEST_F(EchoColumn, DelayBandIsRedUnlessTheClutterFilterIsOn) {
    fillLevelPattern();
    s.Full.DepthOffset = 1; // the zero offset
    s.SampleDelay = 1200;   // 1200 x 600 x 0.0025 / 60 = 30 rows before the first sample
    s.Full.Ascope = 1;
    const Surface &a = pictHiddenA(), &b = pictHiddenB();
    DrawEchoColumn();
    expectAreas(a, {{944, 0, 944, 29, kRed, "band"}, {944, 30, 944, 30, s.ColorTable[0], "sample 1"},
                    {944, 31, 944, 31, colourOf(2), "sample 2, the first"}, {944, 100, 944, 100, colourOf(7), ""}});
    expectAreas(b, {{951, 0, 993, 29, kRed, "across the A-scope"}, {950, 0, 950, 29, kCanvas, "left of it"},
                    {994, 0, 994, 29, kCanvas, "right of the A-scope"}});
    for (Surface* surface : {&pictHiddenA(), &pictHiddenB()}) surface->fill(kCanvas);
    s.ClutterFilter = 1;
    DrawEchoColumn();
    expectAreas(a, {{944, 0, 944, 29, kCanvas, "no band"}, {944, 31, 944, 31, colourOf(2), "sample 2"}});
    expectAreas(b, {{951, 0, 971, 29, kCanvas, "no band left of the axis"}, {973, 0, 993, 29, kCanvas, "right"}});
    s.ClutterFilter = 0;
    s.Full.DepthOffset = 2; // any other offset: no band, the samples start at row 0
    DrawEchoColumn();
    expectAreas(a, {{944, 0, 944, 0, colourOf(71 % 16), "100 + round(-30 + 1.4)"}});
}

TEST_F(EchoColumn, NoiseFilterClearsPixelsWithWeakNeighbourhoodsAndHistoryKeepsThreeColumns) {
    s.RxBuffer.fill(240);
    s.RxBuffer[101 + 200] = 0; // one weak row
    const Surface& a = pictHiddenA();
    DrawEchoColumn(); // filter off: drawn as it is, no history kept
    EXPECT_EQ(a.pixel(994, 100), s.ColorTable[15]);
    EXPECT_EQ(s.FullLevelHistory[3][101], 0);
    s.NoiseFilter = 10;
    DrawEchoColumn(); // only one column of history yet: 4 x 15 = 60 < 120
    EXPECT_EQ(a.pixel(994, 100), s.ColorTable[0]);
    DrawEchoColumn();
    DrawEchoColumn(); // three strong columns: 12 x 15 = 180
    expectAreas(a, {{994, 100, 994, 100, s.ColorTable[15], "12 x 15"}, {994, 200, 994, 200, s.ColorTable[0], "level 0"},
                    {994, 199, 994, 199, s.ColorTable[15], "3 x (15 + 30 + 0) = 135"},
                    {994, 201, 994, 201, s.ColorTable[15], "3 x (0 + 30 + 15)"}});
    // The weak row recovers: its history is 0, 0, 15, so 30 + 30 + 60 = 120 is not below 120.
    s.RxBuffer[101 + 200] = 240;
    DrawEchoColumn();
    EXPECT_EQ(a.pixel(994, 200), s.ColorTable[15]);

    s.NoiseFilter = 0;
    s.FishAlarmOn = 1; // the fish alarm keeps the history too
    for (std::uint8_t sample : {16, 32, 48, 64}) {
        s.RxBuffer[101 + 7] = sample;
        DrawEchoColumn();
    }
    const auto& h = s.FullLevelHistory;
    EXPECT_EQ((std::array{h[0][8], h[1][8], h[2][8], h[3][8]}), (std::array<std::int16_t, 4>{0, 2, 3, 4}));
    EXPECT_EQ(s.LeftLevelHistory[3][8], 0);
}

// One scene, the A-scope with its bars, the white line and the range gate; the Left half of the
// split screen must show the same scene 500 pixels further left.
TEST_F(EchoColumn, AScopeWhiteLineAndRangeGateAndTheSameSceneInTheLeftHalf) {
    s.RxBuffer[101 + 50] = 240; // level 15
    s.RxBuffer[101 + 51] = 80;  // level 5
    s.RxBuffer[101 + 52] = 64;  // level 4: not above the A-scope threshold
    s.BottomDepth = 40;         // (40 - 10) / 60 x 600 = row 300
    s.ShowWhiteLine = 1;
    s.ShowRangeGate = 1; // needs the A-scope
    const Surface &a = pictHiddenA(), &b = pictHiddenB();
    DrawEchoColumn();
    expectAreas(a, {{994, 50, 994, 50, s.ColorTable[15], "at E - 6"}, {944, 50, 944, 50, kCanvas, ""},
                    {994, 300, 994, 300, s.ColorTable[0], "no line before a bottom is found"}});
    expectAreas(b, {{900, 0, 1000, 600, kCanvas, "no A-scope, no gate"}});
    s.BottomFound = true;
    DrawEchoColumn();
    expectAreas(a, {{994, 299, 994, 300, kWhite, "white line"}, {994, 301, 994, 301, s.ColorTable[0], ""}});
    pictHiddenA().fill(kCanvas);
    s.Full.Ascope = 1;
    s.DisplayThreshold = 6;  // a bar is drawn even for a level painted as background
    s.RangeGateWidth = 6.0f; // 600 / 60 x 6 = 60 rows, so the top is 300 - 30 = 270
    DrawEchoColumn();
    expectAreas(a, {{944, 50, 944, 50, s.ColorTable[15], "at E - 56"}, {994, 50, 994, 50, kCanvas, ""},
                    {944, 51, 944, 51, s.ColorTable[0], "under the threshold"}});
    expectAreas(b, {{947, 0, 948, 600, kWhite, "frame, two pixels wide"}, {972, 0, 972, 49, kWhite, "axis"},
                    {951, 50, 993, 50, s.ColorTable[15], "21 each side"}, {994, 50, 994, 50, kCanvas, "end"},
                    {965, 51, 979, 51, s.ColorTable[5], "1.4 x 5 = 7 each side"}, {964, 51, 964, 51, kCanvas, ""},
                    {971, 52, 971, 52, kCanvas, "no bar for level 4"}, {972, 52, 972, 52, kWhite, "axis"},
                    {971, 270, 973, 331, kWhite, "the stem"}, {968, 269, 976, 270, kWhite, "the top bar"},
                    {968, 330, 976, 331, kWhite, "bottom bar"}, {968, 332, 976, 332, kBlack, "outline"},
                    {969, 290, 969, 290, kCanvas, "beside the stem"}});
    // The reference: the right half of both surfaces moved to the left half of a blank one.
    Surface refA(1001, 601, kCanvas), refB(1001, 601, kCanvas);
    refA.copyRect(a, 500, 0, 500, 601, 0, 0);
    refB.copyRect(b, 500, 0, 500, 601, 0, 0);
    for (Surface* surface : {&pictHiddenA(), &pictHiddenB()}) surface->fill(kCanvas);
    s.SplitScreen = 1;
    s.Left = s.Right = s.Full;
    s.LeftSideNow = true;
    DrawEchoColumn();
    EXPECT_TRUE(samePixels(a, refA, 0, 0, 499, 600) && samePixels(b, refB, 0, 0, 499, 600));
    s.LeftSideNow = false;
    s.Right.Ascope = 0;
    DrawEchoColumn();
    expectAreas(a, {{500, 0, 500, 600, s.BackgroundColor, "Right: a line down the middle"},
                    {994, 50, 994, 50, s.ColorTable[15], "Right: the column at the right"}});
}

} // namespace
} // namespace vz::test
