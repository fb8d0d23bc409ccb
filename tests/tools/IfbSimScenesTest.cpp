// The simulator's hard scenes and its truth file: the true bottom of every ping follows the
// documented shapes and is where the reply's echo is; the soft, second-echo and school scenes
// change the echoes as they promise; and --stdio answers on plain pipes.
#include "SimHarness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <numbers>
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
