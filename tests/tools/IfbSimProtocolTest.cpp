// The simulated Interface Box answers the register protocol over its real pty (acknowledgements,
// ignored damaged frames, queries, serial number, water temperature) and spoils replies on
// request; the frame log, the --link symlink and a clean end on SIGTERM or when it vanishes.
#include "SimHarness.h"
#include "core/StartupTables.h"
#include "core/State.h"
#include "link/BoxProtocol.h"

#include <gtest/gtest.h>

#include <QFile>
#include <fstream>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace ifbsimtest;

namespace {

// The connection's test ping: these writes, then register 0 = 1; C = 10.
const Regs kTestPingRegs{{1, 1}, {2, 1}, {6, 3}, {3, 5}, {8, 0}, {9, 10}};

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

} // namespace

// Every case runs with a frame log and a --link symlink to the pty, which goes with the box.
TEST(IfbSimProtocol, FramesGetTheirRepliesAndFaultsSpoilThemOnRequest) {
    const Bytes kBadCheck{0xFF, 0x01, 0x03, 0x05, 0x00};
    Bytes damagedThenGood{0xFF, 0x01, 0x04};
    for (uint8_t b : writeFrame(4, 200)) damagedThenGood.push_back(b);
    struct Case {
        const char* what;
        Args args;
        std::vector<Step> steps; // after the test ping, if there is one
        bool ping = false;
        size_t least = 0, most = 0; // the test ping's reply length
        int valid = -1;             // its XOR of entries 2..L is 0: 1, is not: 0, either: -1
        bool vanishes = false;      // the box ends itself after its first reply
        std::vector<std::string> log = {};
    };
    const Case cases[] = {
        {"writes are acknowledged, stored and read back", {},
         {{queryFrame(7), answer(0)}, {writeFrame(7, 13), {6}}, {queryFrame(7), answer(13)}}},
        {"register 65 is the firmware", {"--firmware", "9"}, {{queryFrame(65), answer(9)}}},
        {"a bad check byte gets no reply; a damaged frame does not swallow the next", {},
         {{kBadCheck, {}}, {{0xFF, 0x02, 0x41, 0x00}, {}}, {damagedThenGood, {6}},
          {queryFrame(4), answer(200)}}},
        {"the serial number's digits in bytes 2 to 5", {"--serial", "203040250"},
         {{writeFrame(0, 252), withCheck({6, 20, 30, 40, 250, 0, 0})}}},
        {"dropped acknowledgements: the write still lands", {"--drop-acks", "1"},
         {{writeFrame(3, 5), {}}, {writeFrame(0, 0), {}}, {queryFrame(3), answer(5)}}},
        {"every frame logged, a damaged one as its bytes; C = 0: 0 + 10 + 3 bytes", {},
         {{kBadCheck, {}}, {writeFrame(3, 5), {6}}, {queryFrame(65), answer(10)}},
         true, 13, 13, 1, false, {"W 00 01", "B FF 01 03 05 00", "W 03 05", "Q 41"}},
        {"firmware 9: no extra bytes", {"--firmware", "9"}, {}, true, 20, 20, 1},
        {"wrong checksums at full length", {"--corrupt-checksums", "1"}, {}, true, 23, 23, 0},
        {"stalled pings while writes are acknowledged", {"--stall", "1"}, {{writeFrame(3, 5), {6}}},
         true},
        {"cut short", {"--truncate", "1"}, {}, true, 1, 22},
        {"preceded by up to 8 stray bytes", {"--garbage", "1"}, {}, true, 24, 31},
        {"faults after the first ping",
         {"--corrupt-checksums", "1", "--drop-acks", "1", "--faults-after", "1"},
         {{writeFrame(3, 5), {}}}, true, 23, 23, 1},
        {"C + 10 + 3 bytes, then the box vanishes", {"--vanish-after", "1"}, {},
         true, 23, 23, 1, true},
    };
    QTemporaryDir dir;
    const QString log = dir.filePath("frames.log"), link = dir.filePath("vz-com1");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(log);
        {
            Args args{"--fast", "--log", log.toStdString(), "--link", link.toStdString()};
            args.insert(args.end(), c.args.begin(), c.args.end());
            SimProcess sim(args);
            ASSERT_TRUE(sim.ready());
            EXPECT_EQ(QFileInfo(link).symLinkTarget().toStdString(), sim.devicePath());
            const bool exact = c.least == c.most && c.most > 0;
            const Regs regs = c.most == 13 ? Regs{} : kTestPingRegs; // 13: C = 0, no writes
            const auto wait = milliseconds(exact ? 3000 : 300);
            const Bytes r = c.ping ? sim.ping(regs, 1, exact ? c.most : c.most + 1, wait) : Bytes{};
            EXPECT_GE(r.size(), c.least);
            EXPECT_LE(r.size(), c.most);
            if (exact) { EXPECT_EQ(r[0], 6); }
            if (c.valid >= 0 && !r.empty()) { EXPECT_EQ(replyXor(r) == 0, c.valid == 1); }
            for (const Step& st : c.steps) {
                const auto patience = milliseconds(st.reply.empty() ? 100 : 1000);
                const size_t count = std::max<size_t>(st.reply.size(), 1);
                EXPECT_EQ(sim.exchange(st.send, count, patience), st.reply);
                EXPECT_TRUE(sim.receive(1, milliseconds(50)).empty());
            }
            if (c.vanishes) { EXPECT_EQ(sim.waitExit(milliseconds(3000)), 0); }
        }
        EXPECT_FALSE(QFileInfo(link).isSymLink()) << "the link goes with the box";
        if (c.log.empty()) continue;
        std::ifstream in(log.toStdString());
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        EXPECT_EQ(lines, c.log);
    }
    EXPECT_TRUE(refuses({"--serial", "1234567"})); // 567 does not fit a byte
}

TEST(IfbSimProtocol, WaterTemperatureReadsBackAsTheProgramDecodesIt) {
    for (double t : {15.25, 68.0, 71.37, 99.8}) {
        SimProcess sim({"--fast", "--water-temp", std::to_string(t), "--temp-drift", "0"});
        const Bytes reply = sim.exchange(writeFrame(0, 192), 4, milliseconds(300));
        EXPECT_NEAR(temperatureOf(reply), t, 0.011) << t;
    }
}
