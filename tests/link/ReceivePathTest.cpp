#include "LinkFixture.h"
#include "link/BoxProtocol.h"

namespace vz::test {
namespace {

using Bytes = FakeSerialPort::Bytes;

class ReceivePathTest : public LinkFixture {};

TEST_F(ReceivePathTest, BytesOfSeveralEventsFollowEachOtherUnchanged) {
    port.feedReceived({0, 128, 255});
    port.feedReceived({1, 127, 200, 6, 0});
    EXPECT_EQ(s.RxCount, 8);
    const Bytes stored(s.RxBuffer.begin() + 1, s.RxBuffer.begin() + 9);
    EXPECT_EQ(stored, (Bytes{0, 128, 255, 1, 127, 200, 6, 0}));

    port.raiseReceived(); // nothing waiting
    EXPECT_EQ(s.RxCount, 8);
}

TEST_F(ReceivePathTest, LargestWaitingCountIsKeptAndShown) {
    port.feedReceived(Bytes(40, 1));
    port.feedReceived(Bytes(10, 2));
    port.feedReceived(Bytes(41, 3));
    EXPECT_EQ(s.MaxInBuffer, 41);
    EXPECT_EQ(ui.maxInBufferShown, 2);
}

TEST_F(ReceivePathTest, FullBufferDropsAndCountsFurtherBytesAndTheNextReplyStartsClean) {
    s.RxCount = kRxBufferLast - 2;
    s.RxBuffer[kRxBufferLast] = 0;
    port.feedReceived({7, 8, 9, 10, 11});
    EXPECT_EQ(s.RxCount, kRxBufferLast);
    EXPECT_EQ(s.RxBuffer[kRxBufferLast - 1], 7);
    EXPECT_EQ(s.RxBuffer[kRxBufferLast], 8);
    EXPECT_EQ(s.RxOverflowCount, 3);

    // A flood far beyond the buffer changes nothing past its end.
    port.feedReceived(Bytes(5000, 0xEE));
    EXPECT_EQ(s.RxCount, kRxBufferLast);
    EXPECT_EQ(s.RxBuffer[kRxBufferLast], 8);
    EXPECT_EQ(s.RxOverflowCount, 5003);

    FakeBox box(port);
    ASSERT_TRUE(SendCommand(4, 242));
    EXPECT_EQ(s.RxCount, 1);
    EXPECT_EQ(s.RxBuffer[1], 6);
}

TEST_F(ReceivePathTest, VanishedPortIsReportedThroughTheCommunicationErrorPath) {
    s.CommErrorCount = 3;
    port.vanish();
    EXPECT_TRUE(s.IfbPortLost);
    EXPECT_GT(s.CommErrorCount, 10);
    EXPECT_EQ(ui.indicator, std::vector<bool>{false});
    port.raiseReceived(); // a late event on the closed port
    EXPECT_EQ(s.RxCount, 0);
}

} // namespace
} // namespace vz::test
