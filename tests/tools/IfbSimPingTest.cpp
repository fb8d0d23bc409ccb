// Ping replies of the simulated Interface Box: length C + 10 + E, entry 1
// = 6, trailer fields big-endian at C+3 .. C+12, XOR of entries 2..L = 0; sample timing that
// matches the DspScaleTable for the digital codes; an echo of the bottom where the scene puts it;
// reproducible scenes; and the pace of 115200 baud.
#include "SimHarness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace ifbsimtest;

namespace {

constexpr double kSoundSpeed = 0.0024755; // feet per microsecond of sample time 


// The connection's test ping: writes, then register 0 = 1.
const Regs kTestPingRegs{{1, 1}, {2, 1}, {6, 3}, {3, 5}, {8, 0}, {9, 10}};

struct Trailer {
    int dataOffset, multiplierX1000, sampleDelay, sampleInterval;
    long total; // -1 without the extra bytes
};

Trailer trailerOf(const Bytes& r, int c, int extra) {
    Trailer t{entry(r, c + 3), entry16(r, c + 4), entry16(r, c + 6), entry16(r, c + 8), -1};
    if (extra == 3)
        t.total = entry(r, c + 10) * 65536L + entry(r, c + 11) * 256L + entry(r, c + 12);
    return t;
}

double entryDepth(int i, const Trailer& t) {
    return (i * static_cast<double>(t.sampleInterval) + t.sampleDelay) * kSoundSpeed;
}

// Depth of the first sample at or above `level` below the surface band (from 6 ft on).
double firstStrongEcho(const Bytes& r, int c, const Trailer& t, int level) {
    for (int i = 2; i <= c - 1; ++i)
        if (entryDepth(i, t) > 6.0 && entry(r, i) >= level) return entryDepth(i, t);
    return -1;
}

} // namespace

TEST(IfbSimPing, ConnectionTestPing_Firmware10_Gives23BytesWithAValidTrailer) {
    SimProcess sim({"--fast"});
    ASSERT_TRUE(sim.ready());
    const Bytes r = sim.ping(kTestPingRegs, 1, 23);
    ASSERT_EQ(r.size(), 23u);
    EXPECT_TRUE(sim.receive(1, milliseconds(50)).empty());
    EXPECT_EQ(entry(r, 1), 6);
    EXPECT_EQ(replyXor(r), 0);
    const Trailer t = trailerOf(r, 10, 3);
    EXPECT_EQ(t.sampleInterval, 61); // about 0.15 ft a sample for the analog codes
    EXPECT_LT(t.sampleDelay, 32768);
    EXPECT_GT(t.sampleDelay, 0);
    EXPECT_EQ(t.total, 610); // SampleInterval x C
    EXPECT_NEAR(t.sampleInterval * kSoundSpeed, 0.15, 0.01);
}

TEST(IfbSimPing, ConnectionTestPing_Firmware9_Gives20Bytes) {
    SimProcess sim({"--fast", "--firmware", "9"});
    ASSERT_TRUE(sim.ready());
    const Bytes r = sim.ping(kTestPingRegs, 1, 20);
    ASSERT_EQ(r.size(), 20u);
    EXPECT_TRUE(sim.receive(1, milliseconds(50)).empty());
    EXPECT_EQ(entry(r, 1), 6);
    EXPECT_EQ(replyXor(r), 0);
    EXPECT_EQ(trailerOf(r, 10, 0).sampleInterval, 61);
}

TEST(IfbSimPing, AnalogCodes_ShowTheBottomAtTheSceneDepthAboveANoiseFloor) {
    SimProcess sim({"--fast", "--depth-ft", "40", "--fish-per-minute", "0"});
    ASSERT_TRUE(sim.ready());
    const int c = 672; // 100 ft at 0.151 ft a sample, + 10
    for (uint8_t code : {uint8_t{1}, uint8_t{2}}) {
        const Bytes r =
            sim.ping(channelBlock(0, 50, code == 1 ? 242 : 110, 245, 3, 4, c), code, c + 13);
        ASSERT_EQ(r.size(), static_cast<size_t>(c + 13)) << int(code);
        EXPECT_EQ(entry(r, 1), 6);
        EXPECT_EQ(replyXor(r), 0);
        const Trailer t = trailerOf(r, c, 3);
        EXPECT_EQ(t.sampleInterval, 61);
        EXPECT_EQ(t.total, 61L * c);
        EXPECT_NEAR(firstStrongEcho(r, c, t, 180), 40.0, 1.0) << int(code);
        // A noise floor and a real dynamic range for the program's auto-stretch.
        const auto [lo, hi] = std::minmax_element(r.begin() + 1, r.begin() + c);
        EXPECT_LT(*lo, 40) << int(code);
        EXPECT_GT(*hi, 200) << int(code);
        // The water between the surface band and the bottom is mostly quiet.
        int quiet = 0, water = 0;
        for (int i = 2; i < c; ++i) {
            const double d = entryDepth(i, t);
            if (d > 25.0 && d < 38.0) {
                ++water;
                quiet += entry(r, i) < 80;
            }
        }
        EXPECT_GT(quiet, water * 9 / 10) << int(code);
    }
}

TEST(IfbSimPing, DigitalCode0x81_FollowsTheDspScaleAndConvertsIntoByteLevels) {
    SimProcess sim({"--fast", "--depth-ft", "40", "--fish-per-minute", "0"});
    ASSERT_TRUE(sim.ready());
    const int samples = static_cast<int>(std::lround(100.0 / 0.3094375)); // 200 kHz, gain 4
    const int c = samples + 10;
    const Bytes r = sim.ping(channelBlock(0, 50, 255, 245, 8, 4, c), 0x81, c + 13);
    ASSERT_EQ(r.size(), static_cast<size_t>(c + 13));
    EXPECT_EQ(entry(r, 1), 6);
    EXPECT_EQ(replyXor(r), 0);
    const Trailer t = trailerOf(r, c, 3);
    EXPECT_EQ(t.sampleInterval, std::lround(0.3094375 / kSoundSpeed));
    EXPECT_EQ(t.total, static_cast<long>(t.sampleInterval) * c);
    // The program's conversion |entry - DataOffset| x multiplier stays within a byte and spans it.
    const double multiplier = t.multiplierX1000 / 1000.0;
    double top = 0;
    for (int i = 2; i < c; ++i) {
        const double level = std::nearbyint(std::abs(entry(r, i) - t.dataOffset) * multiplier);
        EXPECT_LE(level, 255.0) << i;
        top = std::max(top, level);
    }
    EXPECT_GT(top, 200.0);
    EXPECT_NEAR(firstStrongEcho(r, c, t, 180), 40.0, 0.31 + 0.5);
    // The window the program asked for is covered: the last sample (entry C-1, with the program's
    // depth (i x interval + delay) x SoundSpeed) lies a few samples past 100 ft.
    const double perSample = t.sampleInterval * kSoundSpeed;
    EXPECT_GE(entryDepth(c - 1, t), 100.0);
    EXPECT_LT(entryDepth(c - 1, t), 100.0 + 15 * perSample);
}

TEST(IfbSimPing, DigitalCode0x82At50kHz_FollowsTheDspScaleAndStaysWithinAByte) {
    SimProcess sim({"--fast", "--depth-ft", "300", "--fish-per-minute", "0"});
    ASSERT_TRUE(sim.ready());
    const double feet = 6.047647; // 50 kHz, processing type 3, DSP gain 15
    const int c = static_cast<int>(std::lround(500.0 / feet)) + 10;
    const Bytes r = sim.ping(channelBlock(1, 50, 255, 245, 60, 15, c), 0x82, c + 13);
    ASSERT_EQ(r.size(), static_cast<size_t>(c + 13));
    EXPECT_EQ(replyXor(r), 0);
    const Trailer t = trailerOf(r, c, 3);
    EXPECT_EQ(t.sampleInterval, std::lround(feet / kSoundSpeed));
    EXPECT_LT(t.sampleDelay, 32768);
    const double multiplier = t.multiplierX1000 / 1000.0;
    for (int i = 2; i < c; ++i)
        EXPECT_LE(std::nearbyint(multiplier * 1.9 * std::abs(entry(r, i) - t.dataOffset)), 255.5);
    EXPECT_NEAR(firstStrongEcho(r, c, t, 180), 300.0, feet + 0.5);
}

TEST(IfbSimPing, GainPowerAndPulseWidth_ChangeTheEchoes) {
    SimProcess sim({"--fast", "--depth-ft", "40", "--fish-per-minute", "0"});
    ASSERT_TRUE(sim.ready());
    const int c = 672;
    // Mean raw level of the 2 ft below the bottom edge, and how far strong echo reaches below it.
    auto measure = [&](int xmit, int gain, int pulse) {
        const Bytes r = sim.ping(channelBlock(0, xmit, gain, 245, pulse, 4, c), 1, c + 13);
        EXPECT_EQ(r.size(), static_cast<size_t>(c + 13));
        const Trailer t = trailerOf(r, c, 3);
        double sum = 0, thickness = 0;
        int n = 0;
        for (int i = 2; i < c && i + 1 < static_cast<int>(r.size()); ++i) {
            const double d = entryDepth(i, t);
            if (d >= 40.2 && d < 42.0) {
                sum += entry(r, i);
                ++n;
            }
            if (d >= 40.0 && d < 60.0 && entry(r, i) >= 150) thickness = d - 40.0;
        }
        return std::pair{n ? sum / n : 0.0, thickness};
    };
    const auto normal = measure(50, 150, 3);
    const auto lowGain = measure(50, 60, 3);
    const auto lowPower = measure(5, 150, 3);
    const auto longPulse = measure(50, 150, 30);
    EXPECT_GT(normal.first, lowGain.first + 20);
    EXPECT_GT(normal.first, lowPower.first + 20);
    EXPECT_GT(longPulse.second, normal.second + 2.0); // a longer pulse stretches the bottom echo
}

TEST(IfbSimPing, SameSeed_GivesTheSameReplies_AnotherSeedDoesNot) {
    auto run = [](const std::string& seed) {
        SimProcess sim({"--fast", "--seed", seed});
        std::vector<Bytes> replies;
        for (int i = 0; i < 5; ++i)
            replies.push_back(sim.ping(channelBlock(i % 2, 50, 242, 245, 3, 4, 400), 1, 413));
        return replies;
    };
    const auto a = run("7");
    const auto b = run("7");
    const auto c = run("8");
    ASSERT_EQ(a.size(), 5u);
    for (const Bytes& r : a)
        ASSERT_EQ(r.size(), 413u);
    EXPECT_EQ(a, b);
    EXPECT_NE(a, c);
}

TEST(IfbSimPing, BottomMovesOverMinutesAndStaysWithinItsRange) {
    SimProcess sim({"--fast", "--ping-dt", "15", "--fish-per-minute", "0"});
    ASSERT_TRUE(sim.ready());
    const int c = 672 + 200; // 130 ft
    double lo = 1e9, hi = -1e9;
    for (int i = 0; i < 40; ++i) { // 10 minutes of scene time
        const Bytes r = sim.ping(channelBlock(0, 50, 242, 245, 3, 4, c), 1, c + 13);
        ASSERT_EQ(r.size(), static_cast<size_t>(c + 13));
        const double d = firstStrongEcho(r, c, trailerOf(r, c, 3), 180);
        lo = std::min(lo, d);
        hi = std::max(hi, d);
    }
    EXPECT_GE(lo, 24.0);
    EXPECT_LE(hi, 91.0);
    EXPECT_GT(hi - lo, 15.0);
}

TEST(IfbSimPing, WireSpeed_ReplyTakesAboutItsByteTimeAt115200Baud) {
    SimProcess sim({"--ping-delay-ms", "0"});
    ASSERT_TRUE(sim.ready());
    const int c = 1500;
    for (const auto& [reg, value] : channelBlock(0, 50, 242, 245, 3, 4, c))
        ASSERT_TRUE(sim.writeAcked(reg, value));
    const auto start = std::chrono::steady_clock::now();
    const Bytes r = sim.exchange(writeFrame(0, 1), c + 13, milliseconds(3000));
    const double elapsedMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    ASSERT_EQ(r.size(), static_cast<size_t>(c + 13));
    EXPECT_EQ(replyXor(r), 0);
    const double wireMs = (c + 13) * 10.0 / 115200.0 * 1000.0; // 10 bits a byte: 131 ms
    EXPECT_GT(elapsedMs, 0.85 * wireMs);
    EXPECT_LT(elapsedMs, wireMs + 300.0);
}

TEST(IfbSimPing, DeepPing_IsAcknowledgedAtOnceAndItsSamplesFollowAfterTheListeningTime) {
    SimProcess sim({});
    ASSERT_TRUE(sim.ready());
    const int c = 13000; // a 2000 ft window at 61 us a sample: about 0.8 s of listening
    for (const auto& [reg, value] : channelBlock(0, 50, 242, 245, 3, 4, c))
        ASSERT_TRUE(sim.writeAcked(reg, value));
    sim.send(writeFrame(0, 1));
    // Within the 0.1 s the program waits for the acknowledgement of any write.
    const Bytes ack = sim.receive(1, milliseconds(100));
    ASSERT_EQ(ack, Bytes{6});
    // The echoes are not in yet.
    EXPECT_TRUE(sim.receive(1, milliseconds(300)).empty());
    const Bytes rest = sim.receive(c + 12, milliseconds(4000));
    EXPECT_EQ(rest.size(), static_cast<size_t>(c + 12));
}
