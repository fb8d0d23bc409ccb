// Faults of the simulated Interface Box on request: dropped acknowledgements, wrong checksums,
// stalled, cut-short and flooding replies, a box that falls silent and one that vanishes.
#include "SimHarness.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace ifbsimtest;

namespace {
using Regs = std::vector<std::pair<uint8_t, uint8_t>>;
const Regs kTestPingRegs{{1, 1}, {2, 1}, {6, 3}, {3, 5}, {8, 0}, {9, 10}};
constexpr size_t kTestPingLength = 23;
} // namespace

TEST(IfbSimFault, DropAcksOne_NoWriteIsAcknowledgedButTheWriteLandsAndQueriesAnswer) {
    SimProcess sim({"--fast", "--drop-acks", "1"});
    ASSERT_TRUE(sim.ready());
    EXPECT_TRUE(sim.exchange(writeFrame(3, 5), 1, milliseconds(100)).empty());
    EXPECT_TRUE(sim.exchange(writeFrame(0, 0), 1, milliseconds(100)).empty());
    EXPECT_EQ(sim.exchange(queryFrame(3), 3).at(1), 5);
}

TEST(IfbSimFault, CorruptChecksumsOne_PingReplyHasFullLengthAndAWrongChecksum) {
    SimProcess sim({"--fast", "--corrupt-checksums", "1"});
    ASSERT_TRUE(sim.ready());
    const Bytes r = sim.ping(kTestPingRegs, 1, kTestPingLength);
    ASSERT_EQ(r.size(), kTestPingLength);
    EXPECT_TRUE(sim.receive(1, milliseconds(50)).empty());
    EXPECT_EQ(r[0], 6);
    EXPECT_NE(replyXor(r), 0);
}

TEST(IfbSimFault, FaultsAfterOne_SparesTheFirstPingAndSpoilsTheSecond) {
    SimProcess sim(
        {"--fast", "--corrupt-checksums", "1", "--drop-acks", "1", "--faults-after", "1"});
    ASSERT_TRUE(sim.ready());
    const Bytes first = sim.ping(kTestPingRegs, 1, kTestPingLength);
    ASSERT_EQ(first.size(), kTestPingLength);
    EXPECT_EQ(replyXor(first), 0);
    EXPECT_TRUE(sim.exchange(writeFrame(3, 5), 1, milliseconds(100)).empty());
    const Bytes second = sim.exchange(writeFrame(0, 1), kTestPingLength);
    ASSERT_EQ(second.size(), kTestPingLength);
    EXPECT_NE(replyXor(second), 0);
}

TEST(IfbSimFault, StallOne_PingGetsNoReplyWhileWritesAreStillAcknowledged) {
    SimProcess sim({"--fast", "--stall", "1"});
    ASSERT_TRUE(sim.ready());
    EXPECT_TRUE(sim.ping(kTestPingRegs, 1, 1, milliseconds(150)).empty());
    EXPECT_TRUE(sim.writeAcked(3, 5));
}

TEST(IfbSimFault, TruncateOne_PingReplyIsCutShort) {
    SimProcess sim({"--fast", "--truncate", "1"});
    ASSERT_TRUE(sim.ready());
    const Bytes r = sim.ping(kTestPingRegs, 1, kTestPingLength, milliseconds(150));
    EXPECT_GE(r.size(), 1u);
    EXPECT_LT(r.size(), kTestPingLength);
}

TEST(IfbSimFault, GarbageOne_PingReplyIsPrecededByStrayBytes) {
    SimProcess sim({"--fast", "--garbage", "1"});
    ASSERT_TRUE(sim.ready());
    const Bytes r = sim.ping(kTestPingRegs, 1, kTestPingLength + 9, milliseconds(150));
    EXPECT_GT(r.size(), kTestPingLength);
    EXPECT_LE(r.size(), kTestPingLength + 8);
}

TEST(IfbSimFault, FloodOne_SendsMoreThan32000Bytes) {
    SimProcess sim({"--fast", "--flood", "1"});
    ASSERT_TRUE(sim.ready());
    const Bytes r = sim.ping(kTestPingRegs, 1, 33000);
    EXPECT_EQ(r.size(), 33000u);
    EXPECT_TRUE(sim.receive(1, milliseconds(50)).empty());
    EXPECT_EQ(r[0], 6);
}

TEST(IfbSimFault, SilentAfterOne_AnswersNothingAfterTheFirstPing) {
    SimProcess sim({"--fast", "--silent-after", "1"});
    ASSERT_TRUE(sim.ready());
    ASSERT_EQ(sim.ping(kTestPingRegs, 1, kTestPingLength).size(), kTestPingLength);
    EXPECT_TRUE(sim.exchange(writeFrame(3, 5), 1, milliseconds(100)).empty());
    EXPECT_TRUE(sim.exchange(queryFrame(65), 1, milliseconds(100)).empty());
    EXPECT_TRUE(sim.exchange(writeFrame(0, 1), 1, milliseconds(100)).empty());
}

TEST(IfbSimFault, VanishAfterOne_SendsTheFirstReplyThenClosesThePtyAndExits) {
    const std::string link = "/tmp/vz-ifbsim-vanish-" + std::to_string(::getpid());
    SimProcess sim({"--fast", "--vanish-after", "1", "--link", link});
    ASSERT_TRUE(sim.ready());
    const Bytes r = sim.ping(kTestPingRegs, 1, kTestPingLength, milliseconds(1000));
    ASSERT_EQ(r.size(), kTestPingLength);
    EXPECT_EQ(replyXor(r), 0);
    int status = -1;
    ASSERT_TRUE(sim.waitExit(milliseconds(3000), status));
    EXPECT_EQ(status, 0);
    struct stat st {};
    EXPECT_NE(::lstat(link.c_str(), &st), 0); // the link went with it
    // The line is gone: the port reports a hang-up or an error instead of data.
    EXPECT_TRUE(sim.receive(1, milliseconds(100)).empty());
}
