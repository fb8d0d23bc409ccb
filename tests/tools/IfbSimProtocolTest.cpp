// The simulated Interface Box answers the register protocol over its real pty (acknowledgements,
// ignored damaged frames, queries, serial number, water temperature) and spoils replies on
// request; the frame log, the --link symlink and a clean end on SIGTERM or when it vanishes.
#include "SimHarness.h"
#include "core/StartupTables.h"
#include "core/State.h"
#include "link/BoxProtocol.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

using namespace ifbsimtest;

namespace {

// A frame sent and the reply expected, exactly, with nothing after it (an empty reply: silence).
struct Step {
    Bytes send, reply;
};

Bytes withCheck(Bytes b) { // a reply of bytes 2.. followed by their XOR
    b.push_back(replyXor(b));
    return b;
}

Bytes answer(uint8_t value) { return {6, value, static_cast<uint8_t>(6 ^ value)}; } // to a query

// The program's water temperature of a temperature reply.
double temperatureOf(const Bytes& reply) {
    vz::BuildStartupTables();
    return reply.size() == 4 ? vz::TempFromReading(reply[1] * 256 + reply[2]) : -1000;
}

void expectSteps(SimProcess& sim, const std::vector<Step>& steps) {
    for (size_t k = 0; k < steps.size(); ++k) {
        SCOPED_TRACE(k);
        const Step& st = steps[k];
        const auto wait = milliseconds(st.reply.empty() ? 100 : 1000);
        EXPECT_EQ(sim.exchange(st.send, std::max<size_t>(st.reply.size(), 1), wait), st.reply);
        EXPECT_TRUE(sim.receive(1, milliseconds(50)).empty());
    }
}

} // namespace

TEST(IfbSimProtocol, FramesGetTheirRepliesAndDamagedFramesNone) {
    Bytes damagedThenGood{0xFF, 0x01, 0x04};
    for (uint8_t b : writeFrame(4, 200)) damagedThenGood.push_back(b);
    struct Case {
        const char* what;
        Args args;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {"writes are acknowledged, stored and read back", {"--fast"},
         {{queryFrame(7), answer(0)}, {writeFrame(7, 13), {6}}, {queryFrame(7), answer(13)}}},
        {"register 65 is the firmware", {"--fast", "--firmware", "9"}, {{queryFrame(65), answer(9)}}},
        {"a bad check byte gets no reply; a damaged frame does not swallow the next",
         {"--fast"},
         {{{0xFF, 0x01, 0x03, 0x05, 0x00}, {}}, {{0xFF, 0x02, 0x41, 0x00}, {}}, {damagedThenGood, {6}},
          {queryFrame(4), answer(200)}}},
        {"the serial number's digits in bytes 2 to 5", {"--fast", "--serial", "203040250"},
         {{writeFrame(0, 252), withCheck({6, 20, 30, 40, 250, 0, 0})}}},
        {"dropped acknowledgements: the write still lands", {"--fast", "--drop-acks", "1"},
         {{writeFrame(3, 5), {}}, {writeFrame(0, 0), {}}, {queryFrame(3), answer(5)}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SimProcess sim(c.args);
        ASSERT_TRUE(sim.ready());
        expectSteps(sim, c.steps);
    }
    EXPECT_TRUE(refuses({"--serial", "1234567"})); // 567 does not fit a byte
}

TEST(IfbSimProtocol, WaterTemperatureReadsBackAndDriftsByTenths) {
    for (double t : {15.25, 68.0, 71.37, 99.8}) {
        SimProcess sim({"--fast", "--water-temp", std::to_string(t), "--temp-drift", "0"});
        EXPECT_NEAR(temperatureOf(sim.exchange(writeFrame(0, 192), 4, milliseconds(300))), t, 0.011) << t;
    }
    // Scene clock 10 s per ping; the temperature command itself does not advance the clock.
    SimProcess sim({"--fast", "--ping-dt", "10"});
    double lo = 1e9, hi = -1e9;
    for (int i = 0; i < 30; ++i) {
        const double t = temperatureOf(sim.exchange(writeFrame(0, 192), 4, milliseconds(300)));
        lo = std::min(lo, t);
        hi = std::max(hi, t);
        ASSERT_EQ(sim.ping({{8, 0}, {9, 10}}, 1, 23).size(), 23u); // next ping: 10 s later
    }
    EXPECT_GT(hi - lo, 0.05);
    EXPECT_LT(hi - lo, 1.0);
    EXPECT_NEAR((hi + lo) / 2, 68.0, 0.5);
}

TEST(IfbSimProtocol, TestPingRepliesAndTheirFaults) {
    struct Case {
        const char* what;
        Args args;
        size_t least, most; // reply length
        int valid;          // XOR of entries 2..L is 0: 1, is not: 0, either: -1
        std::vector<Step> after;
    };
    const Case cases[] = {
        {"firmware 10: C + 10 + 3 bytes", {"--fast"}, 23, 23, 1, {}},
        {"firmware 9: no extra bytes", {"--fast", "--firmware", "9"}, 20, 20, 1, {}},
        {"wrong checksums at full length", {"--fast", "--corrupt-checksums", "1"}, 23, 23, 0, {}},
        {"stalled pings while writes are acknowledged", {"--fast", "--stall", "1"}, 0, 0, -1, {{writeFrame(3, 5), {6}}}},
        {"cut short", {"--fast", "--truncate", "1"}, 1, 22, -1, {}},
        {"preceded by up to 8 stray bytes", {"--fast", "--garbage", "1"}, 24, 31, -1, {}},
        {"faults after the first ping", {"--fast", "--corrupt-checksums", "1", "--drop-acks", "1", "--faults-after", "1"},
         23, 23, 1, {{writeFrame(3, 5), {}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SimProcess sim(c.args);
        const bool exact = c.least == c.most && c.most > 0;
        const Bytes r = sim.ping(kTestPingRegs, 1, exact ? c.most : c.most + 1, milliseconds(exact ? 3000 : 300));
        EXPECT_GE(r.size(), c.least);
        EXPECT_LE(r.size(), c.most);
        if (exact) { EXPECT_EQ(r[0], 6); }
        if (c.valid >= 0 && !r.empty()) { EXPECT_EQ(replyXor(r) == 0, c.valid == 1); }
        expectSteps(sim, c.after);
    }
}

TEST(IfbSimProtocol, LogLinkAndEnd) {
    std::string pattern = "/tmp/vz-ifbsim-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    const std::string dir = pattern, log = dir + "/frames.log", link = dir + "/vz-com1";
    struct stat st {};
    {
        SimProcess sim({"--fast", "--log", log, "--link", link});
        ASSERT_TRUE(sim.ready());
        char target[256] = {};
        ASSERT_GT(::readlink(link.c_str(), target, sizeof target - 1), 0);
        EXPECT_EQ(std::string(target), sim.devicePath());
        expectSteps(sim, {{{0xFF, 0x01, 0x03, 0x05, 0x00}, {}}, {writeFrame(3, 5), {6}}, {queryFrame(65), answer(10)}});
        // A ping with C = 0 (registers 8, 9 never written): 0 + 10 + 3 bytes.
        EXPECT_EQ(sim.exchange(writeFrame(0, 1), 13).size(), 13u);
        EXPECT_EQ(sim.stop(), 0);
    }
    EXPECT_NE(::lstat(link.c_str(), &st), 0); // SIGTERM removed the link
    std::ifstream in(log);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    EXPECT_EQ(lines, (std::vector<std::string>{"B FF 01 03 05 00", "W 03 05", "Q 41", "W 00 01"}));

    // A box that vanishes sends its reply, then closes the pty, removes the link and exits.
    SimProcess sim({"--fast", "--vanish-after", "1", "--link", link});
    const Bytes r = sim.ping(kTestPingRegs, 1, 23, milliseconds(1000));
    ASSERT_EQ(r.size(), 23u);
    EXPECT_EQ(replyXor(r), 0);
    EXPECT_EQ(sim.waitExit(milliseconds(3000)), 0);
    EXPECT_NE(::lstat(link.c_str(), &st), 0);
    ::unlink(log.c_str());
    ::rmdir(dir.c_str());
}
