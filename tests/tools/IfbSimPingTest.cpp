// Ping replies of the simulated Interface Box: the trailer and sample timing that match the
// DspScaleTable, the bottom's echo where the scene (and its truth file) puts it, what gain, power,
// pulse, the hard scenes and --multiple-strength change, reproducible seeds, the acknowledgement
// of a deep ping, and --stdio on plain pipes.
#include "SimHarness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

using namespace ifbsimtest;

namespace {
constexpr double kSoundSpeed = 0.0024755; // feet per microsecond of sample time
constexpr double kAnalogFeet = 61 * kSoundSpeed; // a sample of the analog codes

Args quietAt(double depth, const Args& more = {}) {
    Args a{"--fast", "--fish-per-minute", "0", "--depth-ft", std::to_string(depth)};
    a.insert(a.end(), more.begin(), more.end());
    return a;
}
} // namespace

TEST(IfbSimPing, CodesFollowTheDspScaleAndShowTheBottomAtTheSceneDepth) {
    struct Case {
        const char* what;
        double depth, feetPerSample, window;
        int frequency, gain4, pulse, dspGain;
        uint8_t code;
        double scale; // the program's extra factor on the level
    };
    const Case cases[] = {
        {"analog fixed gain", 40, kAnalogFeet, 100, 0, 242, 3, 4, 1, 1},
        {"analog auto gain", 40, kAnalogFeet, 100, 0, 110, 3, 4, 2, 1},
        {"digital 200 kHz, gain 4", 40, 0.3094375, 100, 0, 255, 8, 4, 0x81, 1},
        {"digital 50 kHz, type 3, gain 15", 300, 6.047647, 500, 1, 255, 60, 15, 0x82, 1.9},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        SimProcess sim(quietAt(k.depth));
        const int c = static_cast<int>(std::lround(k.window / k.feetPerSample)) + 10;
        const Bytes r = sim.ping(channelBlock(k.frequency, 50, k.gain4, 245, k.pulse, k.dspGain, c), k.code, c + 13);
        ASSERT_EQ(r.size(), static_cast<size_t>(c + 13));
        EXPECT_EQ(entry(r, 1), 6);
        EXPECT_EQ(replyXor(r), 0);
        const Trailer t = trailerOf(r, c);
        EXPECT_EQ(t.sampleInterval, std::lround(k.feetPerSample / kSoundSpeed));
        EXPECT_EQ(t.total, static_cast<long>(t.sampleInterval) * c);
        EXPECT_NEAR(firstStrongEcho(r, c), k.depth, k.code & 0x80 ? k.feetPerSample + 0.5 : 1.0);
        // The window asked for is covered: the last sample lies a few samples past it.
        EXPECT_GE(entryDepth(c - 1, t), k.window);
        EXPECT_LT(entryDepth(c - 1, t), k.window + 15 * k.feetPerSample);
        // The program's level |entry - DataOffset| x multiplier stays within a byte and spans it.
        double top = 0;
        for (int i = 2; i < c; ++i) top = std::max(top, std::abs(entry(r, i) - t.dataOffset) * t.multiplierX1000 / 1000.0 * k.scale);
        EXPECT_LE(top, 255.5);
        EXPECT_GT(top, 200.0);
        // The water between the surface band and the bottom is quiet.
        if (!(k.code & 0x80)) { EXPECT_LT(meanLevel(r, c, 25, 38), 60); }
    }
}

TEST(IfbSimPing, ChannelSettingsAndHardScenesChangeTheEchoesTheyShould) {
    const int c = 672; // 0 .. 100 ft, the bottom at 40
    const auto level = [&](const Args& more, int xmit, int gain, int pulse, double from, double to) {
        SimProcess sim(quietAt(40, more));
        const Bytes r = sim.ping(channelBlock(0, xmit, gain, 245, pulse, 4, c), 1, c + 13);
        return r.size() == c + 13u ? meanLevel(r, c, from, to) : -1000;
    };
    struct Case {
        const char* what;
        Args more;
        int xmit, gain, pulse;
        double from, to, change; // least rise (fall when negative) against transmit 50, gain 150
    };
    const Case cases[] = {
        {"less gain", {}, 50, 60, 3, 40.2, 42, -20},
        {"less power", {}, 5, 150, 3, 40.2, 42, -20},
        {"a longer pulse stretches the bottom", {}, 50, 150, 30, 43, 46, 40},
        {"a soft bottom is weaker", {"--scene", "soft"}, 50, 150, 3, 40.5, 41.5, -25},
        {"a second echo at twice the depth", {"--scene", "second-echo"}, 50, 150, 3, 80.5, 81.5, 40},
        {"clutter near the surface", {"--scene", "clutter"}, 50, 150, 3, 6, 10, 20},
    };
    for (const Case& k : cases) {
        const double plain = level({}, 50, 150, 3, k.from, k.to);
        const double change = level(k.more, k.xmit, k.gain, k.pulse, k.from, k.to) - plain;
        if (k.change > 0) { EXPECT_GT(change, k.change) << k.what; }
        else { EXPECT_LT(change, k.change) << k.what; }
    }
}

TEST(IfbSimPing, SameSeedGivesTheSameRepliesAnotherSeedDoesNot) {
    auto run = [](const std::string& seed) {
        SimProcess sim({"--fast", "--seed", seed});
        std::vector<Bytes> replies;
        for (int i = 0; i < 5; ++i) replies.push_back(sim.ping(channelBlock(i % 2, 50, 242, 245, 3, 4, 400), 1, 413));
        return replies;
    };
    const auto a = run("7");
    for (const Bytes& r : a) ASSERT_EQ(r.size(), 413u);
    EXPECT_EQ(a, run("7"));
    EXPECT_NE(a, run("8"));
}

TEST(IfbSimPing, DeepPingIsAcknowledgedAtOnceAndAnsweredLater) {
    SimProcess deep({});
    const int d = 13000; // a 2000 ft window at 61 us a sample: about 0.8 s of listening
    for (const auto& [reg, value] : fixedGainBlock(d)) ASSERT_EQ(deep.exchange(writeFrame(reg, value), 1), Bytes{6});
    deep.send(writeFrame(0, 1));
    // Within the 0.1 s the program waits for the acknowledgement of any write; the echoes later.
    ASSERT_EQ(deep.receive(1, milliseconds(100)), Bytes{6});
    EXPECT_TRUE(deep.receive(1, milliseconds(300)).empty());
    EXPECT_EQ(deep.receive(d + 12, milliseconds(4000)).size(), static_cast<size_t>(d + 12));
}

TEST(IfbSimScenes, TruthFollowsTheSceneShapesAndTheReplies) {
    const auto ease = [](double x) { return 0.5 - 0.5 * std::cos(std::numbers::pi * std::clamp(x, 0.0, 1.0)); };
    const auto shelf = [&](int n) {
        const double s = std::fmod(n * 25.0, 850.0);
        return 15 + 385 * (ease((s - 20) / 400) - ease((s - 450) / 400));
    };
    std::vector<double> shelving;
    for (int n = 0; n < 35; ++n) shelving.push_back(shelf(n));
    struct Case {
        const char* what;
        Args args;
        int count;
        std::vector<double> bottom;
        bool echoes; // the replies' bottom follows the truth
    };
    const Case cases[] = {
        {"shelving, 0 .. 510 ft", {"--scene", "shelving", "--ping-dt", "25", "--fish-per-minute", "0"}, 3400, shelving, true},
        {"drop-off, every 15 s of its 120 s cycle", {"--scene", "dropoff", "--ping-dt", "15"}, 100,
         {30, 30, 30, 120, 120, 120, 120, 30, 30}, false},
        {"multiples: each flat lasts a minute", {"--scene", "multiples", "--ping-dt", "20", "--fish-per-minute", "0"}, 672,
         {15, 15, 15, 30, 30, 30, 45, 45, 45, 60, 60, 60, 15}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<TruthLine> lines =
            truthRun(c.args, static_cast<int>(c.bottom.size()), c.count, [&](const Bytes& r, int n) {
                ASSERT_EQ(r.size(), c.count + 13u);
                EXPECT_EQ(entry(r, c.count + 2), (n + 1) & 0xFF); // the trailer's ping counter
                if (c.echoes) { EXPECT_NEAR(leadingEdge(r, c.count, c.bottom[n]), c.bottom[n], 3 * kAnalogFeet) << n; }
            });
        ASSERT_EQ(lines.size(), c.bottom.size());
        for (size_t i = 0; i < lines.size(); ++i) EXPECT_NEAR(lines[i].bottom, c.bottom[i], 1e-3) << i;
    }
    // The default scene's bottom moves over ten minutes and stays within its range.
    const std::vector<TruthLine> lake = truthRun({"--ping-dt", "15"}, 40, 100);
    ASSERT_EQ(lake.size(), 40u);
    const auto [lo, hi] = std::minmax_element(lake.begin(), lake.end(), [](auto& a, auto& b) { return a.bottom < b.bottom; });
    EXPECT_GE(lo->bottom, 24.0);
    EXPECT_LE(hi->bottom, 91.0);
    EXPECT_GT(hi->bottom - lo->bottom, 15.0);

    const std::vector<TruthLine> school = truthRun({"--scene", "school", "--ping-dt", "0.5"}, 240, 100);
    ASSERT_EQ(school.size(), 240u);
    const auto nearBottom = std::count_if(school.begin(), school.end(), [](const TruthLine& t) {
        return t.fish >= 10 && t.farthest <= t.bottom && t.farthest > t.bottom - 10;
    });
    EXPECT_GT(nearBottom, 10) << "two minutes pass over about four schools";
}

TEST(IfbSimScenes, MultipleStrengthSetsTheSecondAndThirdEchoAboveTheEmptyWater) {
    const int count = 672; // 0 .. 100 ft: the bottom at 30, its multiples at 60 and 90 ft
    // How far the second and third echo stand above the empty water before them, as a share of
    // the bottom's height there; mean levels over six pings, so that speckle averages out.
    auto shares = [&](const Args& more) {
        const double stretches[][2] = {{30.1, 30.7}, {60.1, 60.7}, {90.1, 90.7}, {48, 54}, {78, 84}};
        std::vector<double> l(5, 0.0);
        SimProcess sim(quietAt(30, more));
        for (int n = 0; n < 6; ++n) {
            const Bytes r = sim.ping(count);
            EXPECT_EQ(r.size(), count + 13u);
            for (size_t k = 0; k < 5 && r.size() == count + 13u; ++k) l[k] += meanLevel(r, count, stretches[k][0], stretches[k][1]) / 6;
        }
        return std::pair{(l[1] - l[3]) / (l[0] - l[3]), (l[2] - l[4]) / (l[0] - l[4])};
    };
    for (const auto& [strength, second, third] : {std::tuple{"0.4", 0.4, 0.16}, {"0.6", 0.6, 0.36}, {"1", 1.0, 1.0}}) {
        const auto got = shares({"--multiple-strength", strength});
        EXPECT_NEAR(got.first, second, 0.08) << strength;
        EXPECT_NEAR(got.second, third, 0.08) << strength;
    }
    // Without the option only the physical model's weak second echo is there, and no third.
    const auto none = shares({});
    EXPECT_LT(none.first, 0.35);
    EXPECT_LT(none.second, 0.05);
    EXPECT_TRUE(refuses(quietAt(30, {"--multiple-strength", "1.5"})));
}

TEST(IfbSimScenes, StdioModeAnswersOnPipes) {
    Regs regs = fixedGainBlock(672);
    regs.push_back({0, 1});
    QByteArray frames;
    for (const auto& [reg, value] : regs)
        for (uint8_t b : writeFrame(reg, value)) frames.append(static_cast<char>(b));
    QProcess sim;
    sim.start(VZ_IFBSIM_PATH, {"--stdio", "--depth-ft", "30"});
    ASSERT_TRUE(sim.waitForStarted(5000));
    sim.write(frames);
    sim.closeWriteChannel(); // the end of the input ends the simulator once it has answered
    ASSERT_TRUE(sim.waitForFinished(5000));
    EXPECT_EQ(sim.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(sim.exitCode(), 0);
    const QByteArray out = sim.readAllStandardOutput();
    const Bytes answer(out.begin(), out.end());
    ASSERT_EQ(answer.size(), 15u + 685u); // 15 acknowledgements, then C + 10 + 3 bytes
    EXPECT_EQ(Bytes(answer.begin(), answer.begin() + 16), Bytes(16, 6));
    EXPECT_EQ(replyXor(Bytes(answer.begin() + 15, answer.end())), 0);
}
