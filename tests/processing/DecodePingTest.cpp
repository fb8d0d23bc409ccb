#include "ReplyBuilder.h"

#include "processing/DecodePing.h"
#include "support/Fixture.h"

#include <cmath>
#include <limits>

namespace vz::test {

namespace {

class DecodePingTest : public Fixture {
  protected:
    void SetUp() override {
        Fixture::SetUp();
        s.SoundSpeed = 0.0025f;
    }
    std::uint8_t decode() {
        std::uint8_t error = 0xEE;
        DecodePing(error);
        return error;
    }
    std::uint8_t entry(int i) const { return s.RxBuffer[static_cast<std::size_t>(i)]; }
};

TEST_F(DecodePingTest, DigitalType1SubtractsOffsetScalesRoundsHalvesToEvenAndClips) {
    PingReply r;
    r.samples = {30, 5, 11, 13, 250, 10, 77};
    r.offset = 10;
    r.multiplierX1000 = 1500;
    r.delay = 300;
    r.interval = 60;
    r.load(s);
    s.PingProcessing = 0x81;
    EXPECT_EQ(decode(), 0);
    EXPECT_EQ(s.DataOffset, 10);
    EXPECT_FLOAT_EQ(s.DataMultiplier, 1.5f);
    EXPECT_EQ(s.SampleDelay, 300);
    EXPECT_FLOAT_EQ(s.SampleInterval, 60.0f);
    EXPECT_FLOAT_EQ(s.DepthPerSample, 0.0025f * 60.0f);
    EXPECT_FLOAT_EQ(s.FullDepthPerSample, 0.0025f * 60.0f);
    // 20 x 1.5, |5-10| x 1.5 = 7.5 -> 8, 1.5 -> 2, 4.5 -> 4, 360 clipped, 0; entry N stays raw.
    const std::vector<int> expected{30, 8, 2, 4, 255, 0, 77};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(entry(i + 2), expected[i]) << "entry " << i + 2;
}

TEST_F(DecodePingTest, DigitalType2BoostsByOnePointNineAndClips) {
    PingReply r;
    r.samples = {20, 30, 15, 200, 200};
    r.offset = 20;
    r.multiplierX1000 = 2000;
    r.load(s);
    s.PingProcessing = 0x82;
    EXPECT_EQ(decode(), 0);
    EXPECT_EQ(entry(2), 0);   // equal to the offset
    EXPECT_EQ(entry(3), 38);  // 10 x 3.8
    EXPECT_EQ(entry(4), 19);  // 5 x 3.8
    EXPECT_EQ(entry(5), 255); // 684 clipped
    EXPECT_EQ(entry(6), 200); // entry N
}

TEST_F(DecodePingTest, AnalogCodesStretchTheSpreadWithAWholeGain) {
    for (std::uint8_t code : {1, 2}) {
        SCOPED_TRACE(static_cast<int>(code));
        PingReply r;
        r.samples = {10, 110, 50, 60, 60};
        r.load(s);
        s.PingProcessing = code;
        EXPECT_EQ(decode(), 0);
        EXPECT_EQ(s.PingMinSample, 10);
        // Spread 100: gain round(2.55) = 3.
        EXPECT_EQ(entry(2), 0);
        EXPECT_EQ(entry(3), 255); // 300 clipped
        EXPECT_EQ(entry(4), 120);
        EXPECT_EQ(entry(5), 150);
        EXPECT_EQ(entry(6), 60);

        // Entry N takes part in the search but keeps its value: spread 115, gain round(2.2) = 2.
        r.samples = {10, 110, 50, 60, 125};
        r.load(s);
        EXPECT_EQ(decode(), 0);
        EXPECT_EQ(entry(3), 200);
        EXPECT_EQ(entry(4), 80);
        EXPECT_EQ(entry(6), 125);

        // Spread 102: 2.5 rounds to the even gain 2.
        r.samples = {100, 202, 150};
        r.load(s);
        EXPECT_EQ(decode(), 0);
        EXPECT_EQ(entry(3), 204);
    }
}

TEST_F(DecodePingTest, FlatAnalogColumnAndUnknownCodesLeaveSamplesAsReceived) {
    PingReply r;
    r.samples = {40, 40, 40, 40};
    r.load(s);
    s.PingProcessing = 1;
    EXPECT_EQ(decode(), 0);
    for (int i = 2; i <= 5; ++i)
        EXPECT_EQ(entry(i), 40);

    r.samples = {0, 99, 255, 7};
    r.offset = 50;
    r.multiplierX1000 = 3000;
    for (std::uint8_t code : {0, 3, 0x80, 0x83}) {
        r.load(s);
        s.PingProcessing = code;
        EXPECT_EQ(decode(), 0);
        EXPECT_EQ(entry(2), 0);
        EXPECT_EQ(entry(3), 99);
        EXPECT_EQ(entry(4), 255);
        EXPECT_EQ(entry(5), 7);
    }
}

TEST_F(DecodePingTest, ExtraTrailerBytesGiveTheIntervalFromTheTotal) {
    PingReply r;
    r.samples.assign(599, 0); // N = 600
    r.interval = 999;
    r.intervalTotal = 600000;
    r.load(s);
    EXPECT_EQ(r.length(), 613);
    s.PingProcessing = 0x81;
    EXPECT_EQ(decode(), 0);
    EXPECT_FLOAT_EQ(s.SampleInterval, 1000.0f);
    EXPECT_FLOAT_EQ(s.DepthPerSample, 2.5f);

    // A total that does not divide evenly keeps its fraction.
    r.intervalTotal = 600001;
    r.load(s);
    EXPECT_EQ(decode(), 0);
    EXPECT_FLOAT_EQ(s.SampleInterval, static_cast<float>(600001.0 / 600));
}

TEST_F(DecodePingTest, ChecksumCoversEntriesTwoToTheEndButNotEntryOne) {
    PingReply r;
    r.samples = {20, 40, 60, 80};
    r.offset = 20;
    r.load(s);
    s.PingProcessing = 0x81;
    s.RxBuffer[1] = 0x99; // entry 1 is outside the checksum
    EXPECT_EQ(decode(), 0);

    r.load(s);
    s.RxBuffer[3] = 12;                // a damaged sample
    s.RxBuffer[r.length() - 2] = 0x00; // and a damaged trailer interval
    s.RxBuffer[r.length() - 1] = 0x01;
    EXPECT_NE(decode(), 0);
    // The reply is still decoded; only the caller's use of it depends on the error.
    EXPECT_EQ(entry(3), 8);
    EXPECT_FLOAT_EQ(s.SampleInterval, 1.0f);

    // A recording is never rejected.
    r.load(s);
    s.RxBuffer[4] ^= 0xFF;
    s.PlaybackMode = true;
    EXPECT_EQ(decode(), 0);
}

TEST_F(DecodePingTest, DepthPerSampleGoesToTheChannelOfTheReply) {
    PingReply r;
    r.samples = {1, 2, 3};
    r.interval = 80;
    s.SplitScreen = 1;
    s.LeftSideNow = true;
    r.load(s);
    EXPECT_EQ(decode(), 0);
    EXPECT_FLOAT_EQ(s.LeftDepthPerSample, 0.2f);
    EXPECT_FLOAT_EQ(s.RightDepthPerSample, 0.15f);
    EXPECT_FLOAT_EQ(s.FullDepthPerSample, 0.15f);

    s.LeftSideNow = false;
    r.interval = 40;
    r.load(s);
    EXPECT_EQ(decode(), 0);
    EXPECT_FLOAT_EQ(s.RightDepthPerSample, 0.1f);
    EXPECT_FLOAT_EQ(s.LeftDepthPerSample, 0.2f);
    EXPECT_FLOAT_EQ(s.DepthPerSample, 0.1f);
}

TEST_F(DecodePingTest, UnusableSampleIntervalKeepsTheChannelsLastDepthPerSample) {
    PingReply r;
    r.samples = {1, 2, 3};
    r.interval = 100;
    r.load(s);
    ASSERT_EQ(decode(), 0);
    ASSERT_FLOAT_EQ(s.FullDepthPerSample, 0.25f);
    s.DepthPerSample = 0.7f; // as if another channel had been decoded since

    r.interval = 0;
    r.delay = 12;
    r.load(s);
    EXPECT_EQ(decode(), 0);
    EXPECT_EQ(s.SampleDelay, 12);
    EXPECT_FLOAT_EQ(s.SampleInterval, 100.0f);
    EXPECT_FLOAT_EQ(s.FullDepthPerSample, 0.25f);
    EXPECT_FLOAT_EQ(s.DepthPerSample, 0.25f);

    r.intervalTotal = 0; // extra trailer with a zero total
    r.interval = 50;
    r.load(s);
    EXPECT_EQ(decode(), 0);
    EXPECT_FLOAT_EQ(s.FullDepthPerSample, 0.25f);

    r.intervalTotal = 0xFFFFFF; // 16.7 million time units per sample over N = 4
    r.load(s);
    EXPECT_EQ(decode(), 0);
    EXPECT_FLOAT_EQ(s.FullDepthPerSample, 0.25f);

    r.intervalTotal.reset();
    for (float speed : {0.0f, -0.0025f, std::numeric_limits<float>::infinity(),
                        std::numeric_limits<float>::quiet_NaN()}) {
        s.SoundSpeed = speed;
        r.load(s);
        EXPECT_EQ(decode(), 0);
        EXPECT_FLOAT_EQ(s.FullDepthPerSample, 0.25f);
        EXPECT_FLOAT_EQ(s.DepthPerSample, 0.25f);
    }
}

TEST_F(DecodePingTest, RepliesAreReadWithinTheBufferOnly) {
    PingReply r;
    r.samples.assign(31989, 0); // N = 31990: the reply ends at the buffer's last entry
    r.samples[0] = 9;
    r.offset = 4;
    r.interval = 61;
    r.load(s);
    ASSERT_EQ(s.PacketLength, kRxBufferLast);
    s.PingProcessing = 0x81;
    EXPECT_EQ(decode(), 0);
    EXPECT_EQ(entry(2), 5);
    EXPECT_EQ(s.DataOffset, 4);
    EXPECT_FLOAT_EQ(s.SampleInterval, 61.0f);

    // A length beyond the buffer is read as if the reply ended at its last entry.
    r.interval = 62;
    r.load(s);
    s.PacketLength = 40000;
    EXPECT_EQ(decode(), 0);
    EXPECT_FLOAT_EQ(s.SampleInterval, 62.0f);
}

TEST_F(DecodePingTest, ReplyTooShortForItsTrailerIsRejectedUnread) {
    PingReply r;
    r.samples = {};
    r.interval = 80;
    r.load(s); // N = 1: the shortest reply with a trailer
    EXPECT_EQ(decode(), 0);
    EXPECT_FLOAT_EQ(s.SampleInterval, 80.0f);

    s.DataOffset = 33;
    for (int length : {10, 0, -5}) {
        s.TrailerExtraBytes = 0;
        s.PacketLength = length;
        EXPECT_NE(decode(), 0) << length;
    }
    s.TrailerExtraBytes = 3;
    s.PacketLength = 13;
    s.PlaybackMode = true;
    EXPECT_NE(decode(), 0);
    EXPECT_EQ(s.DataOffset, 33);
    EXPECT_FLOAT_EQ(s.SampleInterval, 80.0f);
}

} // namespace

} // namespace vz::test
