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
        s.SampleDelay = 0;
        s.DepthUnits = 0;
        s.Full.DepthRange = 3;  // 60 feet
        s.Full.DepthOffset = 2; // 10 feet
        s.DisplayThreshold = 0;
        s.AScopeThreshold = 4;
        setSampleCount(700);
    }
    void setSampleCount(int n) {
        s.TrailerExtraBytes = 0;
        s.PacketLength = n + 10;
    }
    // Every entry of the buffer: level = index modulo 16.
    void fillLevelPattern() {
        for (int i = 0; i < kRxBufferSize; ++i) s.RxBuffer[i] = static_cast<std::uint8_t>(16 * (i % 16));
    }
    Rgb colourOf(int level) const { return level <= s.DisplayThreshold ? s.ColorTable[0] : s.ColorTable[level]; }
};

TEST_F(EchoColumn, SampleValuesBecomeLevelsWithHalvesToEven) {
    const int x = 994; // Full screen, A-scope off
    s.RxBuffer[101 + 10] = 8;   // level 0
    s.RxBuffer[101 + 11] = 24;  // 1.5 -> 2
    s.RxBuffer[101 + 12] = 40;  // 2.5 -> 2
    s.RxBuffer[101 + 13] = 255; // 15.9 -> 15
    s.RxBuffer[101 + 14] = 72;  // 4.5 -> 4
    s.RxBuffer[101 + 15] = 80;  // 5
    s.RxBuffer[101 + 16] = 9;   // 0.56 -> 1
    DrawEchoColumn();
    const Surface& a = pictHiddenA();
    EXPECT_EQ(a.pixel(x, 10), s.ColorTable[0]);
    EXPECT_EQ(a.pixel(x, 11), s.ColorTable[2]);
    EXPECT_EQ(a.pixel(x, 12), s.ColorTable[2]);
    EXPECT_EQ(a.pixel(x, 13), s.ColorTable[15]);
    EXPECT_EQ(a.pixel(x, 14), s.ColorTable[4]);
    EXPECT_EQ(a.pixel(x, 16), s.ColorTable[1]);

    s.DisplayThreshold = 4; // levels up to 4 take the background entry
    DrawEchoColumn();
    EXPECT_EQ(a.pixel(x, 14), s.ColorTable[0]);
    EXPECT_EQ(a.pixel(x, 15), s.ColorTable[5]);
    EXPECT_EQ(a.pixel(x, 13), s.ColorTable[15]);
    EXPECT_EQ(a.pixel(x - 1, 13), kCanvas); // one column only
    EXPECT_EQ(a.pixel(x + 1, 13), kCanvas);
}

TEST_F(EchoColumn, RowsMapToSamplesInEveryUnitAndUnreceivedSamplesAreBlank) {
    struct Case {
        const char* name;
        int units, range, offset, sampleCount;
        float sampleInterval;
        int firstSample, samplesPerRow; // row y shows sample firstSample + samplesPerRow x y
    };
    const Case cases[] = {
        // 60 ft from 10 ft at 0.1 ft per sample: 1 sample per row from sample 100
        {"feet", 0, 3, 2, 700, 40.0f, 101, 1},
        // 30 m from 3 m at two samples per row: 3 m = 120 samples
        {"meters", 1, 4, 2, 1400, static_cast<float>(30.0 / (2 * 182.88 * 0.0025)), 121, 2},
        // 10 fathoms from 1 fathom at 0.1 ft per sample: 1 fathom = 60 samples
        {"fathoms", 2, 3, 2, 700, 40.0f, 61, 1},
    };
    fillLevelPattern();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        s.DepthUnits = static_cast<std::int16_t>(c.units);
        s.Full.DepthRange = static_cast<std::int16_t>(c.range);
        s.Full.DepthOffset = static_cast<std::int16_t>(c.offset);
        s.SampleInterval = c.sampleInterval;
        setSampleCount(c.sampleCount);
        pictHiddenA().fill(kCanvas);
        DrawEchoColumn();
        int blankRows = 0;
        for (int y = 0; y <= 600; ++y) {
            const int index = c.firstSample + c.samplesPerRow * y;
            // Entries from N on hold no sample (trailer, or nothing received): background.
            const bool received = index < c.sampleCount;
            blankRows += !received;
            ASSERT_EQ(pictHiddenA().pixel(994, y), received ? colourOf(index % 16) : s.ColorTable[0]) << "row " << y;
        }
        if (c.units == 0) {
            EXPECT_EQ(blankRows, 2); // rows 599 and 600 would read samples 700, 701
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
    const Surface& a = pictHiddenA();
    EXPECT_EQ(a.pixel(994, 0), s.ColorTable[15]);
    EXPECT_EQ(a.pixel(994, 23), s.ColorTable[15]); // sample 31918
    EXPECT_EQ(a.pixel(994, 24), s.ColorTable[0]);  // sample 32001 would be outside
    EXPECT_EQ(a.pixel(994, 600), s.ColorTable[0]);

    // No usable depth window or timing: the whole column is blank, nothing is read.
    s.PacketLength = 710;
    for (int spoilt = 0; spoilt < 3; ++spoilt) {
        s.Full.DepthRange = spoilt == 0 ? 0 : spoilt == 1 ? 25 : 3; // no range; beyond the table
        s.SampleInterval = spoilt == 2 ? 0.0f : 40.0f;               // no time per sample
        pictHiddenA().fill(kCanvas);
        DrawEchoColumn();
        EXPECT_TRUE(allPixels(pictHiddenA(), 994, 0, 994, 600, s.ColorTable[0])) << spoilt;
    }
}

TEST_F(EchoColumn, DelayBandIsRedUnlessTheClutterFilterIsOn) {
    fillLevelPattern();
    s.Full.DepthOffset = 1;  // the zero offset
    s.SampleDelay = 1200;    // 1200 x 600 x 0.0025 / 60 = 30 rows before the first sample
    s.Full.Ascope = 1;
    const int x = 944, e = 1000;
    DrawEchoColumn();
    const Surface& a = pictHiddenA();
    const Surface& b = pictHiddenB();
    EXPECT_TRUE(allPixels(a, x, 0, x, 29, kRed));
    EXPECT_TRUE(allPixels(b, e - 49, 0, e - 7, 29, kRed)); // across the A-scope axis too
    EXPECT_EQ(b.pixel(e - 50, 15), kCanvas);
    EXPECT_EQ(b.pixel(e - 6, 15), kCanvas);
    EXPECT_EQ(a.pixel(x, 30), s.ColorTable[0]);      // sample 1: before the samples
    EXPECT_EQ(a.pixel(x, 31), colourOf(2 % 16));     // sample 2, the first one
    EXPECT_EQ(a.pixel(x, 100), colourOf(71 % 16));

    for (Surface* surface : {&pictHiddenA(), &pictHiddenB()}) surface->fill(kCanvas);
    s.ClutterFilter = 1;
    DrawEchoColumn();
    EXPECT_TRUE(allPixels(a, x, 0, x, 29, kCanvas));
    EXPECT_EQ(b.pixel(e - 40, 15), kCanvas);
    EXPECT_EQ(a.pixel(x, 31), colourOf(2));

    // Any other offset: no band, the samples start at row 0.
    s.ClutterFilter = 0;
    s.Full.DepthOffset = 2;
    DrawEchoColumn();
    EXPECT_EQ(a.pixel(x, 0), colourOf(71 % 16)); // 100 + round(-30 + 1.4)
}

TEST_F(EchoColumn, AScopeMovesTheColumnAndDrawsFrameAxisAndBars) {
    s.RxBuffer[101 + 50] = 240; // level 15
    s.RxBuffer[101 + 51] = 80;  // level 5
    s.RxBuffer[101 + 52] = 64;  // level 4: not above the A-scope threshold
    const Surface& a = pictHiddenA();
    const Surface& b = pictHiddenB();

    DrawEchoColumn(); // A-scope off: column at E - 6, nothing on the compose surface
    EXPECT_EQ(a.pixel(994, 50), s.ColorTable[15]);
    EXPECT_EQ(a.pixel(944, 50), kCanvas);
    EXPECT_TRUE(allPixels(b, 900, 0, 1000, 600, kCanvas));

    pictHiddenA().fill(kCanvas);
    s.Full.Ascope = 1;
    s.DisplayThreshold = 6; // a bar is drawn even for a level painted as background
    DrawEchoColumn();
    EXPECT_EQ(a.pixel(944, 50), s.ColorTable[15]);
    EXPECT_EQ(a.pixel(944, 51), s.ColorTable[0]);
    EXPECT_EQ(a.pixel(994, 50), kCanvas);
    EXPECT_TRUE(allPixels(b, 947, 0, 948, 600, kWhite)); // frame, two pixels wide
    EXPECT_TRUE(allPixels(b, 972, 0, 972, 49, kWhite)); // axis
    EXPECT_TRUE(allPixels(b, 951, 50, 993, 50, s.ColorTable[15])); // 21 pixels each side
    EXPECT_EQ(b.pixel(994, 50), kCanvas);
    EXPECT_TRUE(allPixels(b, 965, 51, 979, 51, s.ColorTable[5])); // 1.4 x 5 = 7 each side
    EXPECT_EQ(b.pixel(964, 51), kCanvas);
    EXPECT_EQ(b.pixel(972, 52), kWhite); // no bar for level 4
    EXPECT_EQ(b.pixel(971, 52), kCanvas);
}

TEST_F(EchoColumn, SplitScreenDrawsEachChannelInItsHalf) {
    s.SplitScreen = 1;
    s.Left.DepthRange = s.Right.DepthRange = 3;
    s.Left.DepthOffset = s.Right.DepthOffset = 2;
    s.RxBuffer[101 + 50] = 240;
    s.LeftSideNow = false; // Right: a background line down the middle, the column at the right
    DrawEchoColumn();
    const Surface& a = pictHiddenA();
    EXPECT_TRUE(allPixels(a, 500, 0, 500, 600, s.BackgroundColor));
    EXPECT_EQ(a.pixel(994, 50), s.ColorTable[15]);

    s.LeftSideNow = true;
    s.Left.Ascope = 1;
    s.ShowRangeGate = 1;
    s.BottomDepth = 40;
    DrawEchoColumn();
    EXPECT_EQ(a.pixel(444, 50), s.ColorTable[15]); // 500 - 56
    EXPECT_EQ(a.pixel(494, 50), kCanvas);
    EXPECT_TRUE(allPixels(pictHiddenB(), 447, 0, 448, 600, kWhite));
    EXPECT_EQ(pictHiddenB().pixel(472, 300), kWhite); // range gate at x 468 to 476
    EXPECT_EQ(pictHiddenB().pixel(470, 300), kBlack);
}

TEST_F(EchoColumn, NoiseFilterClearsPixelsWithWeakNeighbourhoods) {
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
    EXPECT_EQ(a.pixel(994, 100), s.ColorTable[15]);
    EXPECT_EQ(a.pixel(994, 200), s.ColorTable[0]); // the weak row itself was level 0
    EXPECT_EQ(a.pixel(994, 199), s.ColorTable[15]); // 3 x (15 + 30 + 0) = 135
    EXPECT_EQ(a.pixel(994, 201), s.ColorTable[15]);

    // The weak row recovers: its history is 0, 0, 15, so its sum is 30 + 30 + 60 = 120, which
    // is not below 12 x 10.
    s.RxBuffer[101 + 200] = 240;
    DrawEchoColumn();
    EXPECT_EQ(a.pixel(994, 200), s.ColorTable[15]);
}

TEST_F(EchoColumn, LevelHistoryKeepsTheLastThreeColumnsWhenNeeded) {
    s.FishAlarmOn = 1;
    for (std::uint8_t sample : {16, 32, 48, 64}) {
        s.RxBuffer[101 + 7] = sample;
        DrawEchoColumn();
    }
    EXPECT_EQ(s.FullLevelHistory[1][8], 2);
    EXPECT_EQ(s.FullLevelHistory[2][8], 3);
    EXPECT_EQ(s.FullLevelHistory[3][8], 4);
    EXPECT_EQ(s.FullLevelHistory[0][8], 0);
    EXPECT_EQ(s.LeftLevelHistory[3][8], 0);
}

TEST_F(EchoColumn, WhiteLineAndRangeGateMarkTheBottom) {
    s.BottomDepth = 40; // (40 - 10) / 60 x 600 = row 300
    s.ShowWhiteLine = 1;
    DrawEchoColumn();
    const Surface& a = pictHiddenA();
    EXPECT_EQ(a.pixel(994, 300), s.ColorTable[0]) << "no line before a bottom is found";
    s.BottomFound = true;
    DrawEchoColumn();
    EXPECT_EQ(a.pixel(994, 299), kWhite);
    EXPECT_EQ(a.pixel(994, 300), kWhite);
    EXPECT_EQ(a.pixel(994, 301), s.ColorTable[0]);

    s.ShowRangeGate = 1; // needs the A-scope
    DrawEchoColumn();
    EXPECT_EQ(pictHiddenB().pixel(972, 300), kCanvas);

    s.Full.Ascope = 1;
    s.RangeGateWidth = 6.0f; // 600 / 60 x 6 = 60 rows, so the top is 300 - 30 = 270
    DrawEchoColumn();
    EXPECT_EQ(s.RangeGatePixels, 60);
    const Surface& b = pictHiddenB();
    const int l = 968, top = 270, bottom = 330;
    EXPECT_TRUE(allPixels(b, l + 3, top, l + 5, bottom + 1, kWhite)); // the stem
    EXPECT_TRUE(allPixels(b, l, top - 1, l + 8, top, kWhite)); // the bars, outlined in black
    EXPECT_TRUE(allPixels(b, l, bottom, l + 8, bottom + 1, kWhite));
    EXPECT_TRUE(allPixels(b, l, bottom + 2, l + 8, bottom + 2, kBlack));
    EXPECT_EQ(b.pixel(l + 1, top + 20), kCanvas);
}

} // namespace
} // namespace vz::test
