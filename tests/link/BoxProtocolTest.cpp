// The register protocol on a fake port: framing, retries, queries, the water temperature, the
// reply deadlines, the receive path's buffer, and the ticks held while an
// exclusive handler runs. A lost port and a full buffer are met on a real port (PtyLinkTest).
#include "LinkFixture.h"
#include "link/BoxProtocol.h"
#include "platform/Timer.h"

#include <QCoreApplication>
#include <QTimer>

namespace vz::test {
namespace {

class BoxProtocolTest : public LinkFixture {};

TEST_F(BoxProtocolTest, RegisterWriteIsFramedAndRetriedUntilAnAcknowledgementArrives) {
    struct Case {
        const char* what;
        bool acknowledged;
        int acksToDrop;
        bool earlierReply; // a reply to an earlier command is still in entry 1
        int frames;
    };
    const Case cases[] = {
        {"acknowledged at once", true, 0, false, 1},
        {"never acknowledged: four frames, each counted", false, 4, false, 4},
        {"two acknowledgements lost", true, 2, false, 3},
        {"an earlier reply is no acknowledgement", false, 4, true, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakeBox box(port);
        if (c.earlierReply) { ASSERT_TRUE(SendCommand(1, 1)); }
        box.acksToDrop = c.acksToDrop;
        s.CommRetryCount = 7;
        EXPECT_EQ(SendCommand(3, 5), c.acknowledged);
        EXPECT_EQ(box.framesOf(5) - c.earlierReply, c.frames);
        EXPECT_EQ(box.frames().back(), (Bytes{0xFF, 0x01, 0x03, 0x05, 0xF8}));
        EXPECT_EQ(s.CommRetryCount, 7 + c.frames - c.acknowledged);
        EXPECT_EQ(s.RxCount, c.acknowledged ? 1 : 0);
    }
}

TEST_F(BoxProtocolTest, QueryIsFramedAndAnswersTheSecondReplyByteOrZeroAndNothingGoesInPlayback) {
    FakeBox box(port);
    box.firmware = 9;
    EXPECT_EQ(QueryRegister(65), std::optional<std::uint8_t>(9));
    EXPECT_EQ(port.writtenData(), (Bytes{0xFF, 0x02, 0x41, 0xBC}));
    s.RxBuffer[2] = 77; // left from an earlier reply
    port.respondWith(nullptr);
    EXPECT_EQ(QueryRegister(65), std::optional<std::uint8_t>(0));
    port.clearWritten();
    s.PlaybackMode = true;
    EXPECT_FALSE(SendCommand(3, 5));
    EXPECT_EQ(QueryRegister(65), std::nullopt);
    EXPECT_TRUE(port.writtenData().empty());
}

TEST_F(BoxProtocolTest, ClearRxBufferZeroesTheEntriesAndDropsWaitingInput) {
    for (int i = 1; i <= 12; ++i) s.RxBuffer[i] = 0xAA;
    s.RxCount = 12;
    port.queueReceived({1, 2, 3});
    ClearRxBuffer(10);
    EXPECT_EQ(s.RxCount, 0);
    EXPECT_EQ(port.bytesWaiting(), 0);
    EXPECT_EQ(s.RxBuffer[10], 0);
    EXPECT_EQ(s.RxBuffer[11], 0xAA);
    ClearRxBuffer(40000); // beyond the buffer: stops at its last entry
    EXPECT_EQ(s.RxBuffer[kRxBufferLast], 0);
}

TEST_F(BoxProtocolTest, TemperatureIsInterpolatedInTheTableAndLaterReadingsMoveItOneTwentieth) {
    const auto& table = s.TempTable;
    for (int i = 15; i <= 100; ++i) EXPECT_EQ(TempFromReading(table[i]), static_cast<float>(i)) << i;
    // A quarter of the way from entry 60 to entry 61, to two decimals; beyond the ends in a line.
    EXPECT_FLOAT_EQ(TempFromReading(table[60] - (table[60] - table[61]) / 4), 60.25f);
    EXPECT_FLOAT_EQ(TempFromReading(table[15] + (table[15] - table[16])), 14.0f);
    EXPECT_FLOAT_EQ(TempFromReading(table[100] - (table[99] - table[100])), 101.0f);

    FakeBox box(port);
    box.temperatureReading = static_cast<std::uint16_t>(table[50]);
    ReadWaterTemp();
    EXPECT_EQ(s.WaterTemperature, 50.0f);
    box.temperatureReading = static_cast<std::uint16_t>(table[70]);
    ReadWaterTemp();
    EXPECT_FLOAT_EQ(s.WaterTemperature, 51.0f);
    EXPECT_EQ(box.frames().back(), Write(0, 192));
    // An unanswered request keeps the temperature; the previous reply is not read again.
    box.acksToDrop = 4;
    ReadWaterTemp();
    EXPECT_FLOAT_EQ(s.WaterTemperature, 51.0f);
}

TEST_F(BoxProtocolTest, WaitForBytesEndsOnceMoreThanTheCountArrivedAndBytesFollowEachOther) {
    // 50 bytes at once, one more a little later and another later still: the wait for more than
    // 50 ends with the 51st, before the 52nd.
    QTimer::singleShot(0, [this] { port.feedReceived(Bytes(50, 255)); });
    QTimer::singleShot(100, [this] { port.feedReceived({0}); });
    QTimer::singleShot(350, [this] { port.feedReceived({128}); });
    WaitForBytes(50);
    EXPECT_EQ(s.RxCount, 51);
    WaitSeconds(0.3); // the last byte comes while the port is still there
    EXPECT_EQ(Bytes(s.RxBuffer.begin() + 49, s.RxBuffer.begin() + 53), (Bytes{255, 255, 0, 128}));
    // The largest count waiting at once is shown, once.
    EXPECT_EQ(s.MaxInBuffer, 50);
    EXPECT_EQ(ui.maxInBufferShown, 1);
}

// A tick that comes while an exclusive handler runs is noted, then run once that handler ended.
TEST(HeldTimerTest, TickDuringAnExclusiveHandlerRunsOnceItHasReturned) {
    Timer outer(100000), inner(100000);
    int innerRuns = 0, held = 0;
    outer.setExclusive(true);
    inner.setExclusive(true);
    inner.setEnabled(true);
    inner.onTick([&] { ++innerRuns; });
    inner.onHeldTick([&] { ++held; });
    outer.onTick([&] { inner.fire(); });
    outer.fire();
    EXPECT_EQ(held, 1);
    EXPECT_EQ(innerRuns, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(innerRuns, 1);
}

} // namespace
} // namespace vz::test
