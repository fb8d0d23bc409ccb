#include "support/ReplyBuilder.h"

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
    // Decodes what RxBuffer holds; `error` comes in as the caller's variable may hold it.
    std::uint8_t decodeLoaded(std::uint8_t error = 0xEE) {
        DecodePing(error);
        return error;
    }
    std::uint8_t decode(const PingReply& r) {
        r.load(s);
        return decodeLoaded();
    }
    std::vector<int> entries(int count) const {
        std::vector<int> v;
        for (int i = 2; i < 2 + count; ++i)
            v.push_back(s.RxBuffer[static_cast<std::size_t>(i)]);
        return v;
    }
};

TEST_F(DecodePingTest, EveryProcessingTypeTurnsSamplesIntoLevelsAndLeavesEntryNRaw) {
    struct Case {
        std::uint8_t code;
        std::vector<std::uint8_t> samples;
        std::uint8_t offset;
        std::uint16_t multiplierX1000;
        std::vector<int> expected;
        const char* what;
    };
    const Case cases[] = {
        {0x81, {30, 5, 11, 13, 250, 10, 77}, 10, 1500, {30, 8, 2, 4, 255, 0, 77},
         "digital: |sample - offset| x multiplier, halves to even, clipped"},
        {0x82, {20, 30, 15, 200, 200}, 20, 2000, {0, 38, 19, 255, 200},
         "digital boosted by 1.9"},
        {1, {10, 110, 50, 60, 60}, 0, 1000, {0, 255, 120, 150, 60}, "analog: spread 100, gain 3"},
        {2, {10, 110, 50, 60, 125}, 0, 1000, {0, 200, 80, 100, 125},
         "analog: entry N counts in the spread (115, gain 2)"},
        {1, {100, 202, 150}, 0, 1000, {0, 204, 150}, "analog: gain 2.5 rounds to even"},
        {1, {40, 40, 40, 40}, 0, 1000, {40, 40, 40, 40}, "analog: a flat column is kept"},
        {0, {0, 99, 255, 7}, 50, 3000, {0, 99, 255, 7}, "unknown code 0"},
        {0x83, {0, 99, 255, 7}, 50, 3000, {0, 99, 255, 7}, "unknown code 0x83"},
    };
    for (const Case& c : cases) {
        PingReply r;
        r.samples = c.samples;
        r.offset = c.offset;
        r.multiplierX1000 = c.multiplierX1000;
        s.PingProcessing = c.code;
        EXPECT_EQ(decode(r), 0) << c.what;
        EXPECT_EQ(entries(static_cast<int>(c.expected.size())), c.expected) << c.what;
    }
}

TEST_F(DecodePingTest, TheTrailerGivesTheIntervalAndTheDepthPerSampleOfTheChannel) {
    PingReply r;
    r.samples.assign(599, 0); // N = 600
    r.interval = 999;
    r.intervalTotal = 600001; // the fraction is kept
    r.delay = 300;
    s.PingProcessing = 0x81;
    EXPECT_EQ(decode(r), 0);
    EXPECT_FLOAT_EQ(s.SampleInterval, static_cast<float>(600001.0 / 600));
    r.intervalTotal = 600000;
    EXPECT_EQ(decode(r), 0);
    EXPECT_EQ(s.SampleDelay, 300);
    EXPECT_FLOAT_EQ(s.SampleInterval, 1000.0f);
    EXPECT_FLOAT_EQ(s.DepthPerSample, 2.5f);

    // An unusable interval or speed of sound keeps the channel's last depth per sample.
    r.samples = {1, 2, 3};
    s.DepthPerSample = 0.7f; // as if another channel had been decoded since
    struct Case {
        std::uint16_t interval;
        std::optional<std::uint32_t> total;
        float speed;
    };
    const float inf = std::numeric_limits<float>::infinity();
    const Case cases[] = {{0, {}, 0.0025f},      {50, 0u, 0.0025f},  {50, 0xFFFFFFu, 0.0025f},
                          {50, {}, 0.0f},        {50, {}, -0.0025f}, {50, {}, inf},
                          {50, {}, std::nanf("")}};
    for (const Case& c : cases) {
        r.interval = c.interval;
        r.intervalTotal = c.total;
        s.SoundSpeed = c.speed;
        EXPECT_EQ(decode(r), 0);
        EXPECT_FLOAT_EQ(s.FullDepthPerSample, 2.5f) << c.interval << " " << c.speed;
        EXPECT_FLOAT_EQ(s.DepthPerSample, 2.5f) << c.interval << " " << c.speed;
    }

    // Split screen: each half keeps the depth per sample of its own replies.
    r = PingReply{};
    r.samples = {1, 2, 3};
    s.SoundSpeed = 0.0025f;
    s.SplitScreen = 1;
    s.LeftSideNow = true;
    r.interval = 80;
    EXPECT_EQ(decode(r), 0);
    s.LeftSideNow = false;
    r.interval = 40;
    EXPECT_EQ(decode(r), 0);
    EXPECT_FLOAT_EQ(s.LeftDepthPerSample, 0.2f);
    EXPECT_FLOAT_EQ(s.RightDepthPerSample, 0.1f);
    EXPECT_FLOAT_EQ(s.DepthPerSample, 0.1f);
}

TEST_F(DecodePingTest, ChecksumCoversEntriesTwoToTheEndButNotEntryOneAndNeverFailsARecording) {
    PingReply r;
    r.samples = {20, 40, 60, 80};
    r.offset = 20;
    r.first = 0x99;
    s.PingProcessing = 0x81;
    EXPECT_EQ(decode(r), 0);

    r.load(s);
    s.RxBuffer[3] = 12;
    EXPECT_NE(decodeLoaded(0), 0);
    EXPECT_EQ(s.RxBuffer[3], 8) << "still decoded; only the caller's use depends on the error";

    r.load(s);
    s.RxBuffer[4] ^= 0xFF;
    s.PlaybackMode = true;
    EXPECT_EQ(decodeLoaded(1), 0);
}

TEST_F(DecodePingTest, RepliesAreReadWithinTheBufferAndTooShortOnesAreRejectedUnread) {
    PingReply r;
    r.samples.assign(31989, 0); // the reply ends at the buffer's last entry
    r.interval = 61;
    EXPECT_EQ(decode(r), 0);
    ASSERT_EQ(s.PacketLength, kRxBufferLast);
    EXPECT_FLOAT_EQ(s.SampleInterval, 61.0f);
    r.interval = 62;
    r.load(s);
    s.PacketLength = 40000; // read as if it ended at the buffer's last entry
    EXPECT_EQ(decodeLoaded(1), 0);
    EXPECT_FLOAT_EQ(s.SampleInterval, 62.0f);

    s.DataOffset = 33;
    for (const auto& [length, extra] : {std::pair{10, 0}, {0, 0}, {-5, 0}, {13, 3}}) {
        s.TrailerExtraBytes = extra;
        s.PacketLength = length;
        EXPECT_NE(decodeLoaded(0), 0) << length;
    }
    EXPECT_EQ(s.DataOffset, 33);
    EXPECT_FLOAT_EQ(s.SampleInterval, 62.0f);
}

} // namespace

} // namespace vz::test
