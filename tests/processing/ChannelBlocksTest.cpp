#include "processing/ChannelBlocks.h"
#include "core/Defaults.h"
#include "core/StartupTables.h"
#include "support/Fixture.h"

#include <limits>
#include <vector>

namespace vz::test {

namespace {

class ChannelBlocksTest : public Fixture {
  protected:
    void SetUp() override {
        Fixture::SetUp();
        BuildStartupTables();
        for (Channel c : kChannels)
            s.channel(c) = factoryChannel(c);
        s.XmitPower = 50;
        s.XmitTempLimit = 120;
    }
};

TEST_F(ChannelBlocksTest, BlocksByteForByte) {
    ChannelSettings& full = s.Full;
    full.Frequency = 1;
    full.ProcessingType = 0;
    full.DepthRange = 4;  // 100 ft
    full.DepthOffset = 1; // 0 ft
    full.PulseWidth = 3;
    full.AnalogGain = 242;
    full.StartGain = 110;
    full.GainRate = 245;
    full.DspGain = 4;
    s.Left.ProcessingType = 3;
    s.Left.DspGain = 15;
    s.Right.ProcessingType = 2;
    s.Right.DspGain = 5;
    s.Right.Frequency = 0;
    s.Right.DepthRange = 4;
    s.Right.DepthOffset = 1;
    BuildChannelBlocks();
    // 100 ft at 0.15 ft per sample: 667 samples, C = 677 = 2 x 256 + 165.
    std::vector<int> expected{1, 2, 2, 50, 242, 11, 3, 4, 2, 165, 1, 110, 0, 1, 0, 120};
    expected.resize(33, 0);
    EXPECT_EQ(std::vector<int>(s.FullChannelBlock.begin(), s.FullChannelBlock.begin() + 33),
              expected);
    // Digital blocks carry their code, full gain and the DSP pulse.
    EXPECT_EQ(s.LeftChannelBlock[0], 0x82);
    EXPECT_EQ(s.LeftChannelBlock[4], 255);
    EXPECT_EQ(s.LeftChannelBlock[6], 60);
    EXPECT_EQ(s.LeftChannelBlock[7], 15);
    EXPECT_EQ(s.RightChannelBlock[0], 0x81);
    EXPECT_EQ(s.RightChannelBlock[6], 10);
    // 100 ft over the 200 kHz scale 0.371325 of DSP gain 5: 269 samples.
    EXPECT_EQ(s.RightChannelBlock[8] * 256 + s.RightChannelBlock[9], 279);

    full.ProcessingType = 1; // time-varying gain sends the start gain as its gain
    BuildChannelBlocks();
    EXPECT_EQ(s.FullChannelBlock[0], 2);
    EXPECT_EQ(s.FullChannelBlock[4], 110);

    s.PlaybackMode = true; // a recording's blocks are left alone
    s.FullChannelBlock.fill(7);
    BuildChannelBlocks();
    EXPECT_EQ(s.FullChannelBlock[0], 7);
}

TEST_F(ChannelBlocksTest, TheSampleCountCoversTheWindowAndFitsTheBuffer) {
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        int units, range, offset, type, dspGain;
        float depthPerSample;
        int extraTrailer;
        int expected;
        const char* what;
    };
    const Case cases[] = {
        {0, 4, 1, 0, 4, 0.15f, 0, 677, "100 ft at 0.15 ft: 667 samples + 10"},
        {0, 4, 1, 0, 4, 0.3f, 0, 343, "333.3 samples"},
        {1, 4, 2, 0, 4, 0.15f, 0, 732, "30 m + 3 m = 108.27 ft: 721.8 samples"},
        {2, 3, 1, 0, 4, 0.15f, 0, 410, "10 fathoms = 60 ft"},
        {0, 6, 1, 0, 4, 4.0f, 0, 72, "62.5 samples: halves to even"},
        {0, 5, 1, 0, 4, 4.0f, 0, 48, "37.5 samples: halves to even"},
        {0, 4, 3, 1, 4, 0.15f, 0, 810, "100 + 20 ft"},
        {0, 4, 1, 0, 4, 0.0f, 0, 677, "zero depth per sample: the start value"},
        {0, 4, 1, 0, 4, -0.15f, 0, 677, "negative"},
        {0, 4, 1, 0, 4, inf, 0, 677, "infinite"},
        {0, 4, 1, 0, 4, std::nanf(""), 0, 677, "not a number"},
        {0, 4, 1, 2, 0, 0.5f, 0, 210, "a digital type without a scale counts like analog"},
        {0, 11, 13, 0, 4, 0.15f, 0, kRxBufferLast - 10, "8000 ft is capped to the buffer"},
        {0, 11, 13, 0, 4, 0.15f, 3, kRxBufferLast - 13, "... with the longer trailer"},
        {0, 1, 1, 0, 4, 1e-7f, 3, kRxBufferLast - 13, "a tiny depth per sample"},
        {0, 99, -4, 0, 4, 0.15f, 0, 10, "indexes outside the tables: an empty window"},
    };
    for (const Case& c : cases) {
        s.DepthUnits = static_cast<std::int16_t>(c.units);
        s.TrailerExtraBytes = static_cast<std::int16_t>(c.extraTrailer);
        std::uint8_t high = 0, low = 0;
        ComputeSampleCount(high, low, c.range, c.offset, c.type, c.dspGain, 0, c.depthPerSample);
        EXPECT_EQ(high * 256 + low, c.expected) << c.what;
    }
}

} // namespace

} // namespace vz::test
