// Ping replies of the simulated Interface Box: the trailer and sample timing that match the
// DspScaleTable, the bottom's echo where the scene (and its truth file) puts it, what gain, power,
// pulse, the hard scenes and --multiple-strength change, reproducible seeds, the pace of 115200
// baud, and --stdio on plain pipes.
#include "SimHarness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

using namespace ifbsimtest;

namespace {
constexpr double kSoundSpeed = 0.0024755; // feet per microsecond of sample time
constexpr double kAnalogFeet = 61 * kSoundSpeed; // a sample of the analog codes
const Args kQuiet{"--fast", "--fish-per-minute", "0"};

Args with(Args a, const Args& more) {
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
        SimProcess sim(with(kQuiet, {"--depth-ft", std::to_string(k.depth)}));
        ASSERT_TRUE(sim.ready());
        const int c = static_cast<int>(std::lround(k.window / k.feetPerSample)) + 10;
        const Bytes r = sim.ping(channelBlock(k.frequency, 50, k.gain4, 245, k.pulse, k.dspGain, c), k.code, c + 13);
        ASSERT_EQ(r.size(), static_cast<size_t>(c + 13));
        EXPECT_EQ(entry(r, 1), 6);
        EXPECT_EQ(replyXor(r), 0);
        const Trailer t = trailerOf(r, c);
        EXPECT_EQ(t.sampleInterval, std::lround(k.feetPerSample / kSoundSpeed));
        EXPECT_EQ(t.total, static_cast<long>(t.sampleInterval) * c);
        EXPECT_LT(t.sampleDelay, 32768);
        EXPECT_NEAR(firstStrongEcho(r, c), k.depth, k.code & 0x80 ? k.feetPerSample + 0.5 : 1.0);
        // The window asked for is covered: the last sample lies a few samples past it.
        EXPECT_GE(entryDepth(c - 1, t), k.window);
        EXPECT_LT(entryDepth(c - 1, t), k.window + 15 * k.feetPerSample);
        // The program's level |entry - DataOffset| x multiplier stays within a byte and spans it.
        double top = 0;
        const double multiplier = t.multiplierX1000 / 1000.0 * k.scale;
        for (int i = 2; i < c; ++i) top = std::max(top, std::nearbyint(std::abs(entry(r, i) - t.dataOffset) * multiplier));
        EXPECT_LE(top, 255.5);
        EXPECT_GT(top, 200.0);
        if (k.code & 0x80) continue;
        // A noise floor, and the water between the surface band and the bottom mostly quiet.
        EXPECT_LT(*std::min_element(r.begin() + 1, r.begin() + c), 40);
        int quiet = 0, water = 0;
        for (int i = 2; i < c; ++i) {
            if (entryDepth(i, t) <= 25.0 || entryDepth(i, t) >= 38.0) continue;
            ++water;
            quiet += entry(r, i) < 80;
        }
        EXPECT_GT(quiet, water * 9 / 10);
    }
}

TEST(IfbSimPing, GainPowerAndPulseWidthChangeTheEchoes) {
    SimProcess sim(with(kQuiet, {"--depth-ft", "40"}));
    ASSERT_TRUE(sim.ready());
    const int c = 672;
    // Mean raw level of the 2 ft below the bottom edge, and how far strong echo reaches below it.
    auto measure = [&](int xmit, int gain, int pulse) {
        const Bytes r = sim.ping(channelBlock(0, xmit, gain, 245, pulse, 4, c), 1, c + 13);
        EXPECT_EQ(r.size(), static_cast<size_t>(c + 13));
        double thickness = 0;
        if (r.size() != static_cast<size_t>(c + 13)) return std::pair{0.0, thickness};
        const Trailer t = trailerOf(r, c);
        for (int i = 2; i < c; ++i) {
            const double d = entryDepth(i, t);
            if (d >= 40.0 && d < 60.0 && entry(r, i) >= 150) thickness = d - 40.0;
        }
        return std::pair{meanLevel(r, c, 40.2, 42.0), thickness};
    };
    const auto normal = measure(50, 150, 3);
    EXPECT_GT(normal.first, measure(50, 60, 3).first + 20);
    EXPECT_GT(normal.first, measure(5, 150, 3).first + 20);
    EXPECT_GT(measure(50, 150, 30).second, normal.second + 2.0); // a longer pulse stretches the bottom
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

TEST(IfbSimPing, BottomMovesOverMinutesAndStaysWithinItsRange) {
    SimProcess sim({"--fast", "--ping-dt", "15", "--fish-per-minute", "0"});
    ASSERT_TRUE(sim.ready());
    const int c = 872; // 130 ft
    double lo = 1e9, hi = -1e9;
    for (int i = 0; i < 40; ++i) { // 10 minutes of scene time
        const Bytes r = sim.ping(c);
        ASSERT_EQ(r.size(), static_cast<size_t>(c + 13));
        lo = std::min(lo, firstStrongEcho(r, c));
        hi = std::max(hi, firstStrongEcho(r, c));
    }
    EXPECT_GE(lo, 24.0);
    EXPECT_LE(hi, 91.0);
    EXPECT_GT(hi - lo, 15.0);
}

TEST(IfbSimPing, WireSpeedRepliesAndDeepPingsAreAcknowledgedAtOnce) {
    SimProcess sim({"--ping-delay-ms", "0"});
    ASSERT_TRUE(sim.ready());
    const int c = 1500;
    for (const auto& [reg, value] : fixedGainBlock(c)) ASSERT_TRUE(sim.writeAcked(reg, value));
    const auto start = std::chrono::steady_clock::now();
    const Bytes r = sim.exchange(writeFrame(0, 1), c + 13, milliseconds(3000));
    const double elapsedMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    ASSERT_EQ(r.size(), static_cast<size_t>(c + 13));
    EXPECT_EQ(replyXor(r), 0);
    const double wireMs = (c + 13) * 10.0 / 115200.0 * 1000.0; // 10 bits a byte: 131 ms
    EXPECT_GT(elapsedMs, 0.85 * wireMs);
    EXPECT_LT(elapsedMs, wireMs + 300.0);

    SimProcess deep({});
    ASSERT_TRUE(deep.ready());
    const int d = 13000; // a 2000 ft window at 61 us a sample: about 0.8 s of listening
    for (const auto& [reg, value] : fixedGainBlock(d)) ASSERT_TRUE(deep.writeAcked(reg, value));
    deep.send(writeFrame(0, 1));
    // Within the 0.1 s the program waits for the acknowledgement of any write; the echoes later.
    ASSERT_EQ(deep.receive(1, milliseconds(100)), Bytes{6});
    EXPECT_TRUE(deep.receive(1, milliseconds(300)).empty());
    EXPECT_EQ(deep.receive(d + 12, milliseconds(4000)).size(), static_cast<size_t>(d + 12));
}

TEST(IfbSimScenes, TruthFollowsTheSceneShapesAndTheReplies) {
    const auto ease = [](double x) { return 0.5 - 0.5 * std::cos(std::numbers::pi * std::clamp(x, 0.0, 1.0)); };
    const int count = 3400; // 0 .. 510 ft
    const std::vector<TruthLine> shelving = truthRun(
        {"--scene", "shelving", "--ping-dt", "25", "--fish-per-minute", "0"}, 35, count, [&](const Bytes& r, int n) {
            ASSERT_EQ(r.size(), static_cast<size_t>(count + 13));
            EXPECT_EQ(entry(r, count + 2), (n + 1) & 0xFF); // the trailer's ping counter
            const double s = std::fmod(n * 25.0, 850.0);
            const double want = 15 + 385 * (ease((s - 20) / 400) - ease((s - 450) / 400));
            EXPECT_NEAR(leadingEdge(r, count, want), want, 3 * kAnalogFeet) << n;
        });
    ASSERT_EQ(shelving.size(), 35u);
    for (size_t n = 0; n < shelving.size(); ++n) {
        const double s = std::fmod(n * 25.0, 850.0);
        EXPECT_EQ(shelving[n].ping, static_cast<long>(n + 1));
        EXPECT_NEAR(shelving[n].time, n * 25.0, 1e-3);
        EXPECT_EQ(shelving[n].band, 200);
        EXPECT_NEAR(shelving[n].bottom, 15 + 385 * (ease((s - 20) / 400) - ease((s - 450) / 400)), 1e-3) << n;
    }
    // Scene times 0, 29.875, 59.75, ..., 268.875 of the multiples: every flat, the middle of the
    // first wall and the return to 15 ft after the 240 s cycle.
    static const std::vector<double> multiples{15, 15, 22.5, 30, 30, 45, 45, 60, 60, 15};
    struct Case {
        const char* what;
        Args args;
        int count;
        std::vector<double> bottom;
    };
    const Case cases[] = {
        {"drop-off, every 15 s of its 120 s cycle", {"--scene", "dropoff", "--ping-dt", "15"}, 100,
         {30, 30, 30, 120, 120, 120, 120, 30, 30}},
        {"multiples, with the echoes", {"--scene", "multiples", "--ping-dt", "29.875", "--fish-per-minute", "0"}, 672,
         multiples},
        {"multiples: each flat lasts a minute", {"--scene", "multiples", "--ping-dt", "20"}, 100,
         {15, 15, 15, 30, 30, 30, 45, 45, 45, 60, 60, 60, 15}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const bool echoes = c.count == 672;
        const std::vector<TruthLine> lines =
            truthRun(c.args, static_cast<int>(c.bottom.size()), c.count, [&](const Bytes& r, int n) {
                if (echoes) { EXPECT_NEAR(leadingEdge(r, c.count, multiples[n]), multiples[n], 3 * kAnalogFeet); }
            });
        ASSERT_EQ(lines.size(), c.bottom.size());
        for (size_t i = 0; i < lines.size(); ++i) EXPECT_NEAR(lines[i].bottom, c.bottom[i], 1e-3) << i;
    }
}

TEST(IfbSimScenes, HardScenesChangeTheEchoesTheyPromise) {
    const int count = 672; // 0 .. 100 ft
    const Args base = with(kQuiet, {"--depth-ft", "40"});
    const auto pingOf = [&](const Args& more) {
        SimProcess sim(with(base, more));
        return sim.ready() ? sim.ping(count) : Bytes{};
    };
    const auto level = [&](const Bytes& r, double from, double to) { return meanLevel(r, count, from, to); };
    const Bytes plain = pingOf({}), soft = pingOf({"--scene", "soft"});
    const Bytes second = pingOf({"--scene", "second-echo"}), clutter = pingOf({"--scene", "clutter"});
    for (const Bytes* r : {&plain, &soft, &second, &clutter}) ASSERT_EQ(r->size(), count + 13u);
    EXPECT_LT(level(soft, 40.5, 41.5), level(plain, 40.5, 41.5) - 25);
    EXPECT_GT(level(second, 80.5, 81.5), level(plain, 80.5, 81.5) + 40);
    EXPECT_GT(level(clutter, 6, 10), level(plain, 6, 10) + 20);

    const std::vector<TruthLine> lines = truthRun({"--scene", "school", "--ping-dt", "0.5"}, 240, 100);
    ASSERT_EQ(lines.size(), 240u);
    const auto nearBottom = std::count_if(lines.begin(), lines.end(), [](const TruthLine& t) {
        return t.fish >= 10 && t.farthest <= t.bottom && t.farthest > t.bottom - 10;
    });
    EXPECT_GT(nearBottom, 10) << "two minutes pass over about four schools";
}

TEST(IfbSimScenes, MultipleStrengthSetsTheSecondAndThirdEchoAboveTheEmptyWater) {
    const int count = 672; // 0 .. 100 ft: the bottom at 30, its multiples at 60 and 90 ft
    const Args base = with(kQuiet, {"--depth-ft", "30"});
    enum { Bottom, Second, Third, EmptyAboveSecond, EmptyAboveThird };
    // Mean levels over six pings (speckle averages out) of the bottom, its multiples and the water above them.
    auto levels = [&](const Args& more) {
        const double stretches[][2] = {{30.1, 30.7}, {60.1, 60.7}, {90.1, 90.7}, {48, 54}, {78, 84}};
        std::vector<double> sums(5, 0.0);
        SimProcess sim(with(base, more));
        for (int n = 0; n < 6 && sim.ready(); ++n) {
            const Bytes r = sim.ping(count);
            EXPECT_EQ(r.size(), count + 13u);
            for (size_t k = 0; k < 5 && r.size() == count + 13u; ++k)
                sums[k] += meanLevel(r, count, stretches[k][0], stretches[k][1]) / 6;
        }
        return sums;
    };
    // How far a multiple stands above the empty water, as a share of the bottom's height there.
    auto share = [](const std::vector<double>& l, int echo, int empty) {
        return (l[echo] - l[empty]) / (l[Bottom] - l[empty]);
    };
    const auto weak = levels({"--multiple-strength", "0.4"}), middle = levels({"--multiple-strength", "0.6"});
    const auto full = levels({"--multiple-strength", "1"}), none = levels({});
    EXPECT_NEAR(share(weak, Second, EmptyAboveSecond), 0.4, 0.08);
    EXPECT_NEAR(share(middle, Second, EmptyAboveSecond), 0.6, 0.08);
    EXPECT_NEAR(share(full, Second, EmptyAboveSecond), 1.0, 0.08);
    EXPECT_GT(full[Second], weak[Second] + 80);
    EXPECT_NEAR(share(middle, Third, EmptyAboveThird), 0.36, 0.08);
    EXPECT_NEAR(share(full, Third, EmptyAboveThird), 1.0, 0.08);
    // Without the option only the physical model's weak second echo is there, and no third.
    EXPECT_LT(share(none, Second, EmptyAboveSecond), 0.35);
    EXPECT_LT(none[Third], none[EmptyAboveThird] + 5);

    // Each multiple starts at its whole multiple of the true depth.
    SimProcess sim(with(base, {"--multiple-strength", "0.6"}));
    ASSERT_TRUE(sim.ready());
    const Bytes r = sim.ping(count);
    ASSERT_EQ(r.size(), count + 13u);
    EXPECT_NEAR(leadingEdge(r, count, 60), 60, 3 * kAnalogFeet);
    EXPECT_NEAR(leadingEdge(r, count, 90), 90, 3 * kAnalogFeet);
    EXPECT_TRUE(refuses(with(base, {"--multiple-strength", "1.5"})));
}

TEST(IfbSimScenes, StdioModeAnswersOnPipes) {
    Bytes frames;
    Regs regs = fixedGainBlock(672);
    regs.push_back({0, 1});
    for (const auto& [reg, value] : regs) {
        const Bytes f = writeFrame(reg, value);
        frames.insert(frames.end(), f.begin(), f.end());
    }
    QProcess sim;
    sim.start(VZ_IFBSIM_PATH, {"--stdio", "--depth-ft", "30"});
    ASSERT_TRUE(sim.waitForStarted(5000));
    sim.write(reinterpret_cast<const char*>(frames.data()), static_cast<qint64>(frames.size()));
    sim.closeWriteChannel(); // the end of the input ends the simulator once it has answered
    ASSERT_TRUE(sim.waitForFinished(5000));
    EXPECT_EQ(sim.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(sim.exitCode(), 0);
    const QByteArray out = sim.readAllStandardOutput();
    const Bytes answer(out.begin(), out.end());
    ASSERT_EQ(answer.size(), 15u + 685u); // 15 acknowledgements, then C + 10 + 3 bytes
    EXPECT_TRUE(std::all_of(answer.begin(), answer.begin() + 15, [](uint8_t b) { return b == 6; }));
    const Bytes reply(answer.begin() + 15, answer.end());
    EXPECT_EQ(entry(reply, 1), 6);
    EXPECT_EQ(replyXor(reply), 0);
}
