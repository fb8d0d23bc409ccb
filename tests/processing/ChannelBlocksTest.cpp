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
    // C, the count of block bytes 8 and 9.
    int countOf(Channel c) { return s.block(c)[8] * 256 + s.block(c)[9]; }
    int count(int range, int offset, int type, int dspGain, int frequency, float depthPerSample) {
        std::uint8_t high = 0, low = 0;
        ComputeSampleCount(high, low, range, offset, type, dspGain, frequency, depthPerSample);
        return high * 256 + low;
    }
};

TEST_F(ChannelBlocksTest, AnalogBlockByteForByte) {
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
    BuildChannelBlocks();
    // 100 ft at 0.15 ft per sample: 667 samples, C = 677 = 2 x 256 + 165.
    const std::vector<int> expected{1, 2, 2, 50, 242, 11, 3, 4, 2, 165, 1, 110, 0, 1, 0, 120};
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(s.FullChannelBlock[i], expected[i]) << "byte " << i;
    for (int i = 16; i < 33; ++i)
        EXPECT_EQ(s.FullChannelBlock[i], 0) << "byte " << i;

    full.ProcessingType = 1; // time-varying gain sends the start gain as its gain
    BuildChannelBlocks();
    EXPECT_EQ(s.FullChannelBlock[0], 2);
    EXPECT_EQ(s.FullChannelBlock[4], 110);
    EXPECT_EQ(s.FullChannelBlock[6], 3);
}

TEST_F(ChannelBlocksTest, DigitalBlocksCarryTheirCodeFullGainAndDspPulse) {
    s.Left.ProcessingType = 3;
    s.Left.DspGain = 15;
    s.Right.ProcessingType = 2;
    s.Right.DspGain = 5;
    s.Right.Frequency = 0;
    s.Right.DepthRange = 4;
    s.Right.DepthOffset = 1;
    BuildChannelBlocks();
    EXPECT_EQ(s.LeftChannelBlock[0], 0x82);
    EXPECT_EQ(s.LeftChannelBlock[4], 255);
    EXPECT_EQ(s.LeftChannelBlock[6], 60);
    EXPECT_EQ(s.LeftChannelBlock[7], 15);
    EXPECT_EQ(s.RightChannelBlock[0], 0x81);
    EXPECT_EQ(s.RightChannelBlock[6], 10);
    // 100 ft over the 200 kHz scale 0.371325 of DSP gain 5: 269 samples.
    EXPECT_EQ(countOf(Channel::Right), 279);
    // Full stays analog.
    EXPECT_EQ(s.FullChannelBlock[0], 1);
}

TEST_F(ChannelBlocksTest, EachChannelUsesItsOwnDepthPerSample) {
    s.LeftDepthPerSample = 0.3f;
    s.RightDepthPerSample = 0.5f;
    for (Channel c : kChannels) {
        s.channel(c).DepthRange = 4;
        s.channel(c).DepthOffset = 1;
    }
    BuildChannelBlocks();
    EXPECT_EQ(countOf(Channel::Full), 677);
    EXPECT_EQ(countOf(Channel::Left), 343);  // 333.3 samples
    EXPECT_EQ(countOf(Channel::Right), 210); // 200 samples
}

TEST_F(ChannelBlocksTest, WindowIsConvertedToFeetAndRoundedHalvesToEven) {
    s.DepthUnits = 1; // 30 m range + 3 m offset = 108.27 ft: 721.8 samples
    EXPECT_EQ(count(4, 2, 0, 4, 0, 0.15f), 732);
    s.DepthUnits = 2; // 10 fathoms = 60 ft: 400 samples
    EXPECT_EQ(count(3, 1, 0, 4, 0, 0.15f), 410);
    s.DepthUnits = 0;
    EXPECT_EQ(count(6, 1, 0, 4, 0, 4.0f), 72);   // 62.5 samples
    EXPECT_EQ(count(5, 1, 0, 4, 0, 4.0f), 48);   // 37.5 samples
    EXPECT_EQ(count(4, 3, 1, 4, 0, 0.15f), 810); // 100 + 20 ft
}

TEST_F(ChannelBlocksTest, UnusableDepthPerSampleFallsBackToTheStartValue) {
    for (float bad : {0.0f, -0.15f, std::numeric_limits<float>::infinity(),
                      std::numeric_limits<float>::quiet_NaN()}) {
        EXPECT_EQ(count(4, 1, 0, 4, 0, bad), 677) << bad;
    }
    // A digital type whose scale is not in the table (DSP gain 0) counts like an analog one.
    EXPECT_EQ(count(4, 1, 2, 0, 0, 0.5f), 210);
}

TEST_F(ChannelBlocksTest, CountIsCappedSoTheWholeReplyFitsTheBuffer) {
    // 5000 ft range + 3000 ft offset at 0.15 ft would be 53333 samples.
    for (std::int16_t extra : {0, 3}) {
        s.TrailerExtraBytes = extra;
        const int C = count(11, 13, 0, 4, 0, 0.15f);
        EXPECT_EQ(C + 10 + extra, kRxBufferLast) << extra;
    }
    // A tiny depth per sample reported by the box cannot ask for more either.
    s.TrailerExtraBytes = 3;
    EXPECT_EQ(count(1, 1, 0, 4, 0, 1e-7f) + 13, kRxBufferLast);
    // Indexes outside the tables give an empty window rather than a stray read.
    EXPECT_EQ(count(99, -4, 0, 4, 0, 0.15f), 10);
}

TEST_F(ChannelBlocksTest, PlaybackLeavesTheBlocksAlone) {
    s.PlaybackMode = true;
    s.FullChannelBlock.fill(7);
    BuildChannelBlocks();
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(s.FullChannelBlock[i], 7);
    EXPECT_EQ(s.LeftChannelBlock[0], 0);
}

} // namespace

} // namespace vz::test
