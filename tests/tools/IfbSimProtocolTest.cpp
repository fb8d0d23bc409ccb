// The simulated Interface Box answers the box's register protocol over its real pty:
// acknowledgements, ignored damaged frames, queries, handshake, serial number, water temperature,
// the frame log, the --link symlink and a clean end on SIGTERM.
#include "SimHarness.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace ifbsimtest;

namespace {

std::string makeTempDir() {
    std::string pattern = "/tmp/vz-ifbsim-XXXXXX";
    const char* dir = ::mkdtemp(pattern.data());
    return dir ? std::string(dir) : std::string();
}

std::vector<std::string> readLines(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

} // namespace

TEST(IfbSimProtocol, RegisterWrite_IsAcknowledgedWithSix) {
    SimProcess sim({"--fast"});
    ASSERT_TRUE(sim.ready());
    EXPECT_EQ(sim.exchange(writeFrame(3, 5), 1), Bytes{6});
    EXPECT_TRUE(sim.receive(1, milliseconds(50)).empty());              // one byte, nothing more
    EXPECT_EQ(writeFrame(3, 5), (Bytes{0xFF, 0x01, 0x03, 0x05, 0xF8})); // the documented frame
}

TEST(IfbSimProtocol, WriteWithBadCheckByte_GetsNoReplyAndTheNextGoodFrameIsAnswered) {
    SimProcess sim({"--fast"});
    ASSERT_TRUE(sim.ready());
    EXPECT_TRUE(sim.exchange({0xFF, 0x01, 0x03, 0x05, 0x00}, 1, milliseconds(100)).empty());
    EXPECT_TRUE(sim.exchange({0xFF, 0x02, 0x41, 0x00}, 1, milliseconds(100)).empty());
    // A damaged frame directly followed by a good one: only the good one is acknowledged.
    Bytes both{0xFF, 0x01, 0x04};
    const Bytes good = writeFrame(4, 200);
    both.insert(both.end(), good.begin(), good.end());
    EXPECT_EQ(sim.exchange(both, 1), Bytes{6});
    EXPECT_TRUE(sim.receive(1, milliseconds(50)).empty());
    EXPECT_EQ(sim.exchange(queryFrame(4), 3).at(1), 200);
}

TEST(IfbSimProtocol, QueryRegister65_ReportsFirmware10ByDefault) {
    SimProcess sim({"--fast"});
    ASSERT_TRUE(sim.ready());
    const Bytes reply = sim.exchange(queryFrame(65), 3);
    ASSERT_EQ(reply.size(), 3u);
    EXPECT_EQ(reply[1], 10);
    EXPECT_EQ(queryFrame(65), (Bytes{0xFF, 0x02, 0x41, 0xBC})); // the documented frame
}

TEST(IfbSimProtocol, QueryRegister65_ReportsTheFirmwareGivenOnTheCommandLine) {
    SimProcess sim({"--fast", "--firmware", "9"});
    ASSERT_TRUE(sim.ready());
    const Bytes reply = sim.exchange(queryFrame(65), 3);
    ASSERT_EQ(reply.size(), 3u);
    EXPECT_EQ(reply[1], 9);
}

TEST(IfbSimProtocol, QueryOfOtherRegisters_ReturnsTheStoredValueOrZero) {
    SimProcess sim({"--fast"});
    ASSERT_TRUE(sim.ready());
    EXPECT_EQ(sim.exchange(queryFrame(0), 3).at(1), 0);
    EXPECT_EQ(sim.exchange(queryFrame(7), 3).at(1), 0);
    ASSERT_TRUE(sim.writeAcked(7, 13));
    EXPECT_EQ(sim.exchange(queryFrame(7), 3).at(1), 13);
    ASSERT_TRUE(sim.writeAcked(15, 120));
    EXPECT_EQ(sim.exchange(queryFrame(15), 3).at(1), 120);
}

TEST(IfbSimProtocol, EndOfHandshake_IsAcknowledged) {
    SimProcess sim({"--fast"});
    ASSERT_TRUE(sim.ready());
    sim.exchange(queryFrame(0), 3);
    sim.exchange(queryFrame(65), 3);
    EXPECT_EQ(sim.exchange(writeFrame(0, 0), 1), Bytes{6});
    EXPECT_TRUE(sim.receive(1, milliseconds(50)).empty());
}

TEST(IfbSimProtocol, SerialNumberCommand_RepliesWithMoreThanSevenBytesThatGiveTheSerial) {
    SimProcess sim({"--fast", "--serial", "203040250"});
    ASSERT_TRUE(sim.ready());
    const Bytes reply = sim.exchange(writeFrame(0, 252), 8);
    ASSERT_GT(reply.size(), 7u);
    EXPECT_EQ(reply[0], 6);
    const double serial =
        reply[1] * 10'000'000.0 + reply[2] * 100'000.0 + reply[3] * 1'000.0 + reply[4];
    EXPECT_EQ(serial, 203040250.0);
}

TEST(IfbSimProtocol, SerialNumberByDefault_Is1234123) {
    SimProcess sim({"--fast"});
    ASSERT_TRUE(sim.ready());
    const Bytes reply = sim.exchange(writeFrame(0, 252), 8);
    ASSERT_GT(reply.size(), 7u);
    EXPECT_EQ(reply[1] * 10'000'000.0 + reply[2] * 100'000.0 + reply[3] * 1'000.0 + reply[4],
              1234123.0);
}

TEST(IfbSimProtocol, SerialWhoseLastDigitsDoNotFitAByte_IsRefused) {
    SimProcess sim({"--serial", "1234567"});
    EXPECT_FALSE(sim.ready());
    int status = -1;
    ASSERT_TRUE(sim.waitExit(milliseconds(2000), status));
    EXPECT_EQ(status, 2);
}

TEST(IfbSimProtocol, WaterTemperature_WholeDegreeGivesTheTempTableEntry) {
    SimProcess sim({"--fast", "--water-temp", "68", "--temp-drift", "0"});
    ASSERT_TRUE(sim.ready());
    const Bytes reply = sim.exchange(writeFrame(0, 192), 4, milliseconds(300));
    ASSERT_EQ(reply.size(), 4u);
    EXPECT_EQ(reply[0], 6);
    const int reading = reply[1] * 256 + reply[2];
    EXPECT_EQ(reading, tempTableEntry(68));
    EXPECT_DOUBLE_EQ(tempFromReading(reading), 68.0);
}

TEST(IfbSimProtocol, WaterTemperature_FractionalDegreeReadsBackThroughTempFromReading) {
    for (double t : {15.25, 44.5, 71.37, 99.8}) {
        SimProcess sim({"--fast", "--water-temp", std::to_string(t), "--temp-drift", "0"});
        ASSERT_TRUE(sim.ready());
        const Bytes reply = sim.exchange(writeFrame(0, 192), 4, milliseconds(300));
        ASSERT_EQ(reply.size(), 4u);
        EXPECT_NEAR(tempFromReading(reply[1] * 256 + reply[2]), t, 0.011) << t;
    }
}

TEST(IfbSimProtocol, WaterTemperature_DriftsOnlyByTenthsOfADegree) {
    // Scene clock 10 s per ping; the temperature command itself does not advance the clock.
    SimProcess sim({"--fast", "--ping-dt", "10"});
    ASSERT_TRUE(sim.ready());
    double lo = 1e9, hi = -1e9;
    for (int i = 0; i < 30; ++i) {
        const Bytes reply = sim.exchange(writeFrame(0, 192), 4, milliseconds(300));
        ASSERT_EQ(reply.size(), 4u);
        const double t = tempFromReading(reply[1] * 256 + reply[2]);
        lo = std::min(lo, t);
        hi = std::max(hi, t);
        ASSERT_EQ(sim.ping({{8, 0}, {9, 10}}, 1, 23).size(), 23u); // next ping: 10 s later
    }
    EXPECT_GT(hi - lo, 0.05);
    EXPECT_LT(hi - lo, 1.0);
    EXPECT_NEAR((hi + lo) / 2, 68.0, 0.5);
}

TEST(IfbSimProtocol, LogOption_WritesOneLinePerFrameReceived) {
    const std::string dir = makeTempDir();
    ASSERT_FALSE(dir.empty());
    const std::string log = dir + "/frames.log";
    {
        SimProcess sim({"--fast", "--log", log});
        ASSERT_TRUE(sim.ready());
        EXPECT_TRUE(sim.exchange({0xFF, 0x01, 0x03, 0x05, 0x00}, 1, milliseconds(100)).empty());
        EXPECT_TRUE(sim.writeAcked(3, 5));
        EXPECT_EQ(sim.exchange(queryFrame(65), 3).size(), 3u);
        // A ping with C = 0 (registers 8, 9 never written): 0 + 10 + 3 bytes.
        EXPECT_EQ(sim.exchange(writeFrame(0, 1), 13).size(), 13u);
        EXPECT_EQ(sim.stop(), 0);
    }
    EXPECT_EQ(readLines(log),
              (std::vector<std::string>{"B FF 01 03 05 00", "W 03 05", "Q 41", "W 00 01"}));
    ::unlink(log.c_str());
    ::rmdir(dir.c_str());
}

TEST(IfbSimProtocol, LinkOption_MakesASymlinkToThePtyAndSigtermRemovesIt) {
    const std::string dir = makeTempDir();
    ASSERT_FALSE(dir.empty());
    const std::string link = dir + "/vz-com1";
    {
        SimProcess sim({"--fast", "--link", link});
        ASSERT_TRUE(sim.ready());
        char target[256] = {};
        ASSERT_GT(::readlink(link.c_str(), target, sizeof target - 1), 0);
        EXPECT_EQ(std::string(target), sim.devicePath());
        EXPECT_TRUE(sim.writeAcked(1, 1));
        EXPECT_EQ(sim.stop(), 0);
    }
    struct stat st {};
    EXPECT_NE(::lstat(link.c_str(), &st), 0);
    ::rmdir(dir.c_str());
}

TEST(IfbSimProtocol, PortClosedAndReopened_BoxStillAnswers) {
    SimProcess sim({"--fast"});
    ASSERT_TRUE(sim.ready());
    const std::string path = sim.devicePath();
    sim.closePort();
    // A second opener of the same device (the program reopening its port).
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(fd, 0);
    const Bytes frame = writeFrame(2, 1);
    ASSERT_EQ(::write(fd, frame.data(), frame.size()), static_cast<ssize_t>(frame.size()));
    pollfd p{fd, POLLIN, 0};
    ASSERT_EQ(::poll(&p, 1, 1000), 1);
    uint8_t b = 0;
    EXPECT_EQ(::read(fd, &b, 1), 1);
    EXPECT_EQ(b, 6);
    ::close(fd);
}
