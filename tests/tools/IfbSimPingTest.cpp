// Ping replies of the simulated Interface Box: the trailer and sample timing that match the
// DspScaleTable, the bottom's echo where the scene (and its truth file) puts it, what gain, power,
// pulse, the hard scenes and --multiple-strength change, reproducible seeds, the acknowledgement
// of a deep ping, also on plain pipes with --stdio.
#include "SimHarness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>
#include <unistd.h>

using namespace ifbsimtest;

namespace {
constexpr double kSoundSpeed = 0.0024755; // feet per microsecond of sample time
constexpr double kAnalogFeet = 61 * kSoundSpeed; // a sample of the analog codes

Args quietAt(double depth, const Args& more = {}) {
    Args a{"--fast", "--fish-per-minute", "0", "--depth-ft", std::to_string(depth)};
    a.insert(a.end(), more.begin(), more.end());
    return a;
}

// The trailer of a ping reply with C = `c` and 3 extra bytes after it.
struct Trailer {
    int dataOffset, multiplierX1000, sampleDelay, sampleInterval;
    long total;
};
int entry16(const Bytes& r, int n) { return entry(r, n) * 256 + entry(r, n + 1); }
Trailer trailerOf(const Bytes& r, int c) {
    return {entry(r, c + 3), entry16(r, c + 4), entry16(r, c + 6), entry16(r, c + 8),
            entry(r, c + 10) * 65536L + entry16(r, c + 11)};
}
// The program's depth of entry i: (i x interval + delay) x sound speed.
double entryDepth(int i, const Trailer& t) {
    return (i * static_cast<double>(t.sampleInterval) + t.sampleDelay) * kSoundSpeed;
}

// Depth of the first entry within 30 levels of the strongest one near `depth` (+-20 %).
double leadingEdge(const Bytes& r, int c, double depth) {
    const Trailer t = trailerOf(r, c);
    int strongest = 0;
    for (int i = 2; i < c; ++i)
        if (std::abs(entryDepth(i, t) - depth) < 0.2 * depth) strongest = std::max<int>(strongest, entry(r, i));
    for (int i = 2; i < c; ++i)
        if (entryDepth(i, t) > 0.8 * depth && entry(r, i) >= strongest - 30) return entryDepth(i, t);
    return -1;
}

// Mean level of the entries between two depths.
double meanLevel(const Bytes& r, int c, double fromFt, double toFt) {
    const Trailer t = trailerOf(r, c);
    double sum = 0;
    int n = 0;
    for (int i = 2; i < c; ++i) {
        if (entryDepth(i, t) < fromFt || entryDepth(i, t) > toFt) continue;
        sum += entry(r, i);
        ++n;
    }
    return n ? sum / n : 0;
}

// One line of a --truth file: the bottom, and how many fish and how deep the farthest.
struct TruthLine {
    double bottom, farthest;
    int fish;
};
// Runs the simulator with `args` plus --truth for `pings` fixed-gain pings of C = `count`; each
// reply's bottom must be where its truth line says, when `echoes`.
std::vector<TruthLine> truthRun(Args args, int pings, int count, bool echoes) {
    const std::string path = "/tmp/vz-ifbsim-truth-" + std::to_string(::getpid()) + ".txt";
    args.insert(args.end(), {"--fast", "--truth", path});
    std::vector<Bytes> replies;
    {
        SimProcess sim(args);
        for (int n = 0; n < pings && sim.ready(); ++n) replies.push_back(sim.ping(count));
    }
    std::vector<TruthLine> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream f(line);
        double ping, time, band, nearest;
        TruthLine t{};
        f >> ping >> time >> band >> t.bottom >> t.fish >> nearest >> t.farthest;
        lines.push_back(t);
    }
    std::remove(path.c_str());
    EXPECT_EQ(replies.size(), static_cast<size_t>(pings));
    for (size_t n = 0; n < replies.size() && n < lines.size(); ++n) {
        const Bytes& r = replies[n];
        if (r.size() != count + 13u) { ADD_FAILURE() << "ping " << n; continue; }
        EXPECT_EQ(entry(r, count + 2), (n + 1) & 0xFF) << "the trailer's ping counter";
        const double bottom = lines[n].bottom;
        if (echoes) { EXPECT_NEAR(leadingEdge(r, count, bottom), bottom, 3 * kAnalogFeet) << n; }
    }
    return lines;
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
        const double sample = k.code & 0x80 ? k.feetPerSample + 0.5 : 1.0;
        EXPECT_NEAR(leadingEdge(r, c, k.depth), k.depth, sample);
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

// The same seed gives the same replies, over the pty and on plain pipes (--stdio, which ends at
// the end of its input); another seed does not.
TEST(IfbSimPing, SameSeedGivesTheSameRepliesOnThePtyAndOnPipesAnotherSeedDoesNot) {
    const auto block = [](int i) { return channelBlock(i % 2, 50, 242, 245, 3, 4, 400); };
    auto run = [&](const std::string& seed) {
        SimProcess sim({"--fast", "--seed", seed});
        std::vector<Bytes> replies;
        for (int i = 0; i < 5; ++i) replies.push_back(sim.ping(block(i), 1, 413));
        return replies;
    };
    const auto a = run("7");
    EXPECT_EQ(a, run("7"));
    EXPECT_NE(a, run("8"));
    QProcess piped;
    piped.start(VZ_IFBSIM_PATH, {"--stdio", "--seed", "7"});
    Bytes expected; // each write acknowledged, then the ping's reply
    for (int i = 0; i < 5; ++i) {
        ASSERT_EQ(a[i].size(), 413u);
        Regs regs = block(i);
        regs.push_back({0, 1});
        for (const auto& [reg, value] : regs) {
            const Bytes frame = writeFrame(reg, value);
            piped.write(QByteArray(reinterpret_cast<const char*>(frame.data()), 5));
        }
        expected.insert(expected.end(), 15, 6);
        expected.insert(expected.end(), a[i].begin(), a[i].end());
    }
    piped.closeWriteChannel();
    ASSERT_TRUE(piped.waitForFinished(5000));
    EXPECT_EQ(piped.exitCode(), 0);
    const QByteArray out = piped.readAllStandardOutput();
    EXPECT_EQ(Bytes(out.begin(), out.end()), expected);
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

// Each scene's bottom keeps to its range and the replies show it where the truth file says.
TEST(IfbSimScenes, TruthFollowsTheSceneAndTheReplies) {
    struct Case {
        const char* what;
        Args args;
        int pings;
        double lo, hi, spread; // the truth's bottom within lo .. hi, at least `spread` apart
    };
    const Case cases[] = {
        {"the default lake over ten minutes", {"--ping-dt", "15"}, 40, 24, 91, 15},
        {"drop-off over its 120 s cycle", {"--scene", "dropoff", "--ping-dt", "15"}, 9, 30, 120,
         90},
        {"shelving", {"--scene", "shelving", "--ping-dt", "25"}, 35, 15, 400, 385},
        {"multiples: a flat a minute", {"--scene", "multiples", "--ping-dt", "20"}, 13, 15, 60, 45},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Args args = c.args;
        args.insert(args.end(), {"--fish-per-minute", "0"});
        const int count = static_cast<int>(c.hi * 1.2 / kAnalogFeet);
        const std::vector<TruthLine> lines = truthRun(args, c.pings, count, true);
        ASSERT_EQ(lines.size(), static_cast<size_t>(c.pings));
        const auto shallower = [](auto& a, auto& b) { return a.bottom < b.bottom; };
        const auto [lo, hi] = std::minmax_element(lines.begin(), lines.end(), shallower);
        EXPECT_GE(lo->bottom, c.lo - 1e-3);
        EXPECT_LE(hi->bottom, c.hi + 1e-3);
        EXPECT_GE(hi->bottom - lo->bottom, c.spread - 1e-3);
    }
    const Args school{"--scene", "school", "--ping-dt", "0.5"};
    const std::vector<TruthLine> fish = truthRun(school, 240, 100, false);
    ASSERT_EQ(fish.size(), 240u);
    const auto nearBottom = std::count_if(fish.begin(), fish.end(), [](const TruthLine& t) {
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
    EXPECT_TRUE(refuses(quietAt(30, {"--multiple-strength", "1.5"})));
}
