// The simulator's hard scenes and its truth file: the true bottom of every ping follows the
// documented shapes and is where the reply's echo is; the soft, second-echo and school scenes
// change the echoes as they promise; --multiple-strength sets the bottom's second and third
// echoes; and --stdio answers on plain pipes.
#include "SimHarness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <optional>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

using namespace ifbsimtest;

namespace {

constexpr double kFeetPerSample = 61 * 0.0024755; // analog codes
constexpr int kSampleDelay = 3 * 61;


// A 200 kHz analog fixed-gain channel at the factory settings with `count` = C.
Regs fixedGainBlock(int count) { return channelBlock(0, 50, 242, 245, 3, 4, count); }

double entryDepth(int i) {
    return (i * 61.0 + kSampleDelay) * 0.0024755;
}

struct TruthLine {
    long ping;
    double time, bottom, nearest, farthest;
    int band, fish;
};

std::vector<TruthLine> readTruth(const std::string& path) {
    std::vector<TruthLine> lines;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream f(line);
        TruthLine t{};
        f >> t.ping >> t.time >> t.band >> t.bottom >> t.fish >> t.nearest >> t.farthest;
        lines.push_back(t);
    }
    return lines;
}

std::string tempPath(const char* name) {
    return ::testing::TempDir() + name + std::to_string(::getpid()) + ".txt";
}

double ease(double x) {
    x = std::clamp(x, 0.0, 1.0);
    return 0.5 - 0.5 * std::cos(std::numbers::pi * x);
}

// Mean level of the reply's entries between two depths.
double meanLevel(const Bytes& r, double fromFt, double toFt) {
    double sum = 0;
    int n = 0;
    for (int i = 2; i < static_cast<int>(r.size()) - 13; ++i) {
        if (entryDepth(i) < fromFt || entryDepth(i) > toFt) continue;
        sum += entry(r, i);
        ++n;
    }
    return n ? sum / n : 0;
}

// Depth of the first entry within 30 levels of the strongest one near `depth` (+-20 %).
double leadingEdge(const Bytes& r, double depth) {
    const int last = static_cast<int>(r.size()) - 13;
    int strongest = 0;
    for (int i = 2; i < last; ++i)
        if (std::abs(entryDepth(i) - depth) < 0.2 * depth)
            strongest = std::max<int>(strongest, entry(r, i));
    for (int i = 2; i < last; ++i)
        if (entryDepth(i) > 0.8 * depth && entry(r, i) >= strongest - 30) return entryDepth(i);
    return -1;
}

Bytes pingOnce(const std::vector<std::string>& args, int count) {
    SimProcess sim(args);
    if (!sim.ready()) return {};
    return sim.ping(fixedGainBlock(count), 1, static_cast<size_t>(count + 13));
}

// Mean level between two depths over `pings` replies of one simulator run (speckle averages out).
struct Stretch {
    double fromFt, toFt;
};
std::vector<double> meanLevels(const std::vector<std::string>& args, int count, int pings,
                               const std::vector<Stretch>& stretches) {
    std::vector<double> sums(stretches.size(), 0.0);
    SimProcess sim(args);
    if (!sim.ready()) return {};
    for (int n = 0; n < pings; ++n) {
        const Bytes r = sim.ping(fixedGainBlock(count), 1, static_cast<size_t>(count + 13));
        if (r.size() != static_cast<size_t>(count + 13)) return {};
        for (size_t k = 0; k < stretches.size(); ++k)
            sums[k] += meanLevel(r, stretches[k].fromFt, stretches[k].toFt) / pings;
    }
    return sums;
}

} // namespace

TEST(IfbSimScenes, TruthFollowsTheShelvingAndDropOffShapesAndTheReplies) {
    const std::string truth = tempPath("shelving");
    {
        SimProcess sim({"--fast", "--scene", "shelving", "--ping-dt", "25", "--fish-per-minute",
                        "0", "--truth", truth});
        ASSERT_TRUE(sim.ready());
        const int count = 3400; // 0 .. 510 ft
        for (int n = 0; n < 35; ++n) {
            const Bytes r = sim.ping(fixedGainBlock(count), 1, count + 13);
            ASSERT_EQ(r.size(), static_cast<size_t>(count + 13));
            // The ping counter of the trailer matches the truth line, and the echo starts there.
            EXPECT_EQ(entry(r, count + 2), (n + 1) & 0xFF);
            const double t = n * 25.0;
            const double s = std::fmod(t, 850.0);
            const double want = 15 + 385 * (ease((s - 20) / 400) - ease((s - 450) / 400));
            const std::vector<TruthLine> lines = readTruth(truth);
            ASSERT_EQ(lines.size(), static_cast<size_t>(n + 1));
            EXPECT_EQ(lines.back().ping, n + 1);
            EXPECT_NEAR(lines.back().time, t, 1e-3);
            EXPECT_EQ(lines.back().band, 200);
            EXPECT_NEAR(lines.back().bottom, want, 1e-3) << t;
            const double echoAt = leadingEdge(r, want);
            EXPECT_NEAR(echoAt, want, 3 * kFeetPerSample) << t;
        }
    }
    ::unlink(truth.c_str());

    const std::string drop = tempPath("dropoff");
    {
        SimProcess sim({"--fast", "--scene", "dropoff", "--ping-dt", "15", "--truth", drop});
        ASSERT_TRUE(sim.ready());
        for (int n = 0; n < 9; ++n)
            sim.ping(fixedGainBlock(100), 1, 113);
    }
    const std::vector<TruthLine> lines = readTruth(drop);
    ASSERT_EQ(lines.size(), 9u);
    const double wall[] = {30, 30, 30, 120, 120, 120, 120, 30, 30}; // every 15 s of a 120 s cycle
    for (size_t i = 0; i < lines.size(); ++i)
        EXPECT_NEAR(lines[i].bottom, wall[i], 1e-3) << i;
    ::unlink(drop.c_str());
}

TEST(IfbSimScenes, HardScenesChangeTheEchoesTheyPromise) {
    const int count = 672; // 0 .. 100 ft
    const std::vector<std::string> base{"--fast", "--depth-ft", "40", "--fish-per-minute", "0"};
    auto with = [&](const char* scene) {
        std::vector<std::string> a = base;
        a.insert(a.end(), {"--scene", scene});
        return pingOnce(a, count);
    };
    const Bytes plain = pingOnce(base, count);
    const Bytes soft = with("soft");
    const Bytes second = with("second-echo");
    const Bytes clutter = with("clutter");
    ASSERT_FALSE(plain.empty());
    ASSERT_FALSE(soft.empty());
    ASSERT_FALSE(second.empty());
    ASSERT_FALSE(clutter.empty());
    EXPECT_LT(meanLevel(soft, 40.5, 41.5), meanLevel(plain, 40.5, 41.5) - 25);
    EXPECT_GT(meanLevel(second, 80.5, 81.5), meanLevel(plain, 80.5, 81.5) + 40);
    EXPECT_GT(meanLevel(clutter, 6, 10), meanLevel(plain, 6, 10) + 20);

    const std::string truth = tempPath("school");
    {
        SimProcess sim({"--fast", "--scene", "school", "--ping-dt", "0.5", "--truth", truth});
        ASSERT_TRUE(sim.ready());
        for (int n = 0; n < 240; ++n)
            sim.ping(fixedGainBlock(100), 1, 113);
    }
    const std::vector<TruthLine> lines = readTruth(truth);
    ASSERT_EQ(lines.size(), 240u);
    const auto nearBottom = std::count_if(lines.begin(), lines.end(), [](const TruthLine& t) {
        return t.fish >= 10 && t.farthest <= t.bottom && t.farthest > t.bottom - 10;
    });
    EXPECT_GT(nearBottom, 10) << "two minutes pass over about four schools";
    ::unlink(truth.c_str());
}

TEST(IfbSimScenes, MultiplesSceneHoldsFlatsOf15To60FeetJoinedByWalls) {
    const std::string truth = tempPath("multiples");
    // Scene times 0, 29.875, 59.75, ..., 268.875: every flat, the middle of the first wall and
    // the return to 15 ft after the 240 s cycle.
    const double want[] = {15, 15, 22.5, 30, 30, 45, 45, 60, 60, 15};
    {
        SimProcess sim({"--fast", "--scene", "multiples", "--ping-dt", "29.875",
                        "--fish-per-minute", "0", "--truth", truth});
        ASSERT_TRUE(sim.ready());
        const int count = 672; // 0 .. 100 ft
        for (double depth : want) {
            const Bytes r = sim.ping(fixedGainBlock(count), 1, count + 13);
            ASSERT_EQ(r.size(), static_cast<size_t>(count + 13));
            EXPECT_NEAR(leadingEdge(r, depth), depth, 3 * kFeetPerSample);
        }
    }
    const std::vector<TruthLine> lines = readTruth(truth);
    ASSERT_EQ(lines.size(), std::size(want));
    for (size_t i = 0; i < lines.size(); ++i)
        EXPECT_NEAR(lines[i].bottom, want[i], 1e-3) << "at " << lines[i].time << " s";
    ::unlink(truth.c_str());

    // Each flat lasts a minute: every 20 s, the wall into the next one is over at the minute.
    const std::string minutes = tempPath("multiples-minutes");
    {
        SimProcess sim({"--fast", "--scene", "multiples", "--ping-dt", "20", "--truth", minutes});
        ASSERT_TRUE(sim.ready());
        for (int n = 0; n < 13; ++n)
            sim.ping(fixedGainBlock(100), 1, 113);
    }
    const std::vector<TruthLine> flats = readTruth(minutes);
    const double flat[] = {15, 15, 15, 30, 30, 30, 45, 45, 45, 60, 60, 60, 15}; // 0 .. 240 s
    ASSERT_EQ(flats.size(), std::size(flat));
    for (size_t i = 0; i < flats.size(); ++i)
        EXPECT_NEAR(flats[i].bottom, flat[i], 1e-3) << "at " << flats[i].time << " s";
    ::unlink(minutes.c_str());
}

TEST(IfbSimScenes, MultipleStrengthSetsTheSecondAndThirdEchoAboveTheEmptyWater) {
    const int count = 672; // 0 .. 100 ft: the bottom at 30, its multiples at 60 and 90 ft
    const std::vector<Stretch> stretches{
        {30.1, 30.7}, {60.1, 60.7}, {90.1, 90.7}, {48, 54}, {78, 84}};
    enum { Bottom, Second, Third, EmptyAboveSecond, EmptyAboveThird };
    auto levels = [&](std::optional<const char*> strength) {
        std::vector<std::string> args{"--fast", "--depth-ft", "30", "--fish-per-minute", "0"};
        if (strength) args.insert(args.end(), {"--multiple-strength", *strength});
        return meanLevels(args, count, 6, stretches);
    };
    // How far a multiple stands above the empty water, as a share of the bottom's height there.
    auto share = [](const std::vector<double>& l, int echo, int empty) {
        return (l[echo] - l[empty]) / (l[Bottom] - l[empty]);
    };
    const std::vector<double> weak = levels("0.4");
    const std::vector<double> middle = levels("0.6");
    const std::vector<double> full = levels("1");
    const std::vector<double> none = levels(std::nullopt);
    ASSERT_EQ(weak.size(), stretches.size());
    ASSERT_EQ(middle.size(), stretches.size());
    ASSERT_EQ(full.size(), stretches.size());
    ASSERT_EQ(none.size(), stretches.size());

    EXPECT_NEAR(share(weak, Second, EmptyAboveSecond), 0.4, 0.08);
    EXPECT_NEAR(share(middle, Second, EmptyAboveSecond), 0.6, 0.08);
    EXPECT_NEAR(share(full, Second, EmptyAboveSecond), 1.0, 0.08);
    EXPECT_GT(full[Second], weak[Second] + 80);
    EXPECT_NEAR(share(middle, Third, EmptyAboveThird), 0.36, 0.08);
    EXPECT_NEAR(share(full, Third, EmptyAboveThird), 1.0, 0.08);
    // Without the option only the physical model's weak second echo is there, and no third.
    EXPECT_LT(share(none, Second, EmptyAboveSecond), 0.35);
    EXPECT_LT(none[Third], none[EmptyAboveThird] + 5);

    // Each multiple starts at its whole multiple of the true depth, with the option only.
    const std::vector<std::string> base{"--fast", "--depth-ft", "30", "--fish-per-minute", "0"};
    std::vector<std::string> withOption = base;
    withOption.insert(withOption.end(), {"--multiple-strength", "0.6"});
    const Bytes r = pingOnce(withOption, count);
    ASSERT_EQ(r.size(), static_cast<size_t>(count + 13));
    EXPECT_NEAR(leadingEdge(r, 60), 60, 3 * kFeetPerSample);
    EXPECT_NEAR(leadingEdge(r, 90), 90, 3 * kFeetPerSample);

    std::vector<std::string> tooStrong = base;
    tooStrong.insert(tooStrong.end(), {"--multiple-strength", "1.5"});
    SimProcess refused(tooStrong);
    EXPECT_FALSE(refused.ready());
    int status = -1;
    ASSERT_TRUE(refused.waitExit(milliseconds(2000), status));
    EXPECT_EQ(status, 2);
}

TEST(IfbSimScenes, StdioModeAnswersOnPipes) {
    int in[2], out[2];
    ASSERT_EQ(::pipe(in), 0);
    ASSERT_EQ(::pipe(out), 0);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        ::dup2(in[0], STDIN_FILENO);
        ::dup2(out[1], STDOUT_FILENO);
        for (int fd : {in[0], in[1], out[0], out[1]})
            ::close(fd);
        ::execl(VZ_IFBSIM_PATH, VZ_IFBSIM_PATH, "--stdio", "--depth-ft", "30", nullptr);
        ::_exit(127);
    }
    ::close(in[0]);
    ::close(out[1]);
    Bytes frames;
    for (const auto& [reg, value] : fixedGainBlock(672)) {
        const Bytes f = writeFrame(reg, value);
        frames.insert(frames.end(), f.begin(), f.end());
    }
    const Bytes ping = writeFrame(0, 1);
    frames.insert(frames.end(), ping.begin(), ping.end());
    ASSERT_EQ(::write(in[1], frames.data(), frames.size()), static_cast<ssize_t>(frames.size()));
    ::close(in[1]); // the end of the input ends the simulator once it has answered
    Bytes answer;
    uint8_t buf[4096];
    for (ssize_t n; (n = ::read(out[0], buf, sizeof buf)) > 0;)
        answer.insert(answer.end(), buf, buf + n);
    ::close(out[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_EQ(answer.size(), 15u + 685u); // 15 acknowledgements, then C + 10 + 3 bytes
    EXPECT_TRUE(std::all_of(answer.begin(), answer.begin() + 15, [](uint8_t b) { return b == 6; }));
    const Bytes reply(answer.begin() + 15, answer.end());
    EXPECT_EQ(entry(reply, 1), 6);
    EXPECT_EQ(replyXor(reply), 0);
}
