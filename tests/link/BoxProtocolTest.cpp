// The register protocol on a fake port: framing, retries, queries, the serial number and water
// temperature, the channel blocks, the reply deadlines, and the receive path's buffer.
#include "LinkFixture.h"
#include "core/StartupTables.h"
#include "link/BoxProtocol.h"
#include "platform/Clock.h"

#include <QTimer>

#include <cmath>

namespace vz::test {
namespace {

class BoxProtocolTest : public LinkFixture {};

TEST_F(BoxProtocolTest, RegisterWriteIsFramedAndRetriedUntilAnAcknowledgementArrives) {
    struct Case {
        const char* what;
        bool acknowledges;
        int acksToDrop;
        bool earlierReply; // a reply to an earlier command is still in entry 1
        bool acknowledged;
        int frames;
    };
    const Case cases[] = {
        {"acknowledged at once", true, 0, false, true, 1},
        {"never acknowledged: four frames, each counted", false, 0, false, false, 4},
        {"two acknowledgements lost", true, 2, false, true, 3},
        {"an earlier reply is no acknowledgement", false, 0, true, false, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        port.clearWritten();
        FakeBox box(port);
        if (c.earlierReply) { ASSERT_TRUE(SendCommand(1, 1)); }
        box.acknowledges = c.acknowledges;
        box.acksToDrop = c.acksToDrop;
        s.CommRetryCount = 7;
        const std::size_t before = box.frames().size();
        EXPECT_EQ(SendCommand(3, 5), c.acknowledged);
        EXPECT_EQ(box.frames().size() - before, static_cast<std::size_t>(c.frames));
        EXPECT_EQ(box.frames().back(), (Bytes{0xFF, 0x01, 0x03, 0x05, 0xF8}));
        EXPECT_EQ(s.CommRetryCount, 7 + c.frames - c.acknowledged);
        EXPECT_EQ(s.RxCount, c.acknowledged ? 1 : 0);
        if (c.acknowledged) { EXPECT_EQ(s.RxBuffer[1], 6); }
    }
}

TEST_F(BoxProtocolTest, QueryIsFramedAndAnswersTheSecondReplyByteOrZero) {
    FakeBox box(port);
    box.firmware = 9;
    EXPECT_EQ(QueryRegister(65), std::optional<std::uint8_t>(9));
    EXPECT_EQ(port.writtenData(), (Bytes{0xFF, 0x02, 0x41, 0xBC}));
    s.RxBuffer[2] = 77; // left from an earlier reply
    port.respondWith(nullptr);
    EXPECT_EQ(QueryRegister(65), std::optional<std::uint8_t>(0));
}

TEST_F(BoxProtocolTest, NothingIsSentInPlayback) {
    FakeBox box(port);
    box.temperatureReading = 30000;
    s.PlaybackMode = true;
    s.WaterTemperature = 61.5f;
    EXPECT_FALSE(SendCommand(3, 5));
    EXPECT_EQ(QueryRegister(65), std::nullopt);
    ReadWaterTemp();
    ReadSerialNumber();
    SendFullSettings();
    EXPECT_TRUE(port.writtenData().empty());
    EXPECT_EQ(s.WaterTemperature, 61.5f);
    EXPECT_EQ(s.CommRetryCount, 0);
}

TEST_F(BoxProtocolTest, ClearRxBufferZeroesTheEntriesAndDropsWaitingInput) {
    for (int i = 1; i <= 12; ++i) s.RxBuffer[i] = 0xAA;
    s.RxCount = 12;
    port.queueReceived({1, 2, 3});
    ClearRxBuffer(10);
    EXPECT_EQ(s.RxCount, 0);
    EXPECT_EQ(port.bytesWaiting(), 0);
    for (int i = 1; i <= 10; ++i) EXPECT_EQ(s.RxBuffer[i], 0) << i;
    EXPECT_EQ(s.RxBuffer[11], 0xAA);
    ClearRxBuffer(40000); // beyond the buffer: stops at its last entry
    EXPECT_EQ(s.RxBuffer[kRxBufferLast], 0);
}

TEST_F(BoxProtocolTest, SerialNumberIsBuiltFromReplyBytesTwoToFive) {
    FakeBox box(port);
    box.serial = {255, 99, 250, 7};
    ReadSerialNumber();
    EXPECT_EQ(s.IfbSerialNumber, 255 * 10'000'000.0 + 99 * 100'000.0 + 250 * 1'000.0 + 7);
    box.acknowledges = false; // no reply: the cleared entries give 0
    ReadSerialNumber();
    EXPECT_EQ(s.IfbSerialNumber, 0.0);
}

TEST_F(BoxProtocolTest, TemperatureReadingsAreInterpolatedInTheTable) {
    BuildStartupTables();
    const auto& table = s.TempTable;
    for (int i = 15; i <= 100; ++i) EXPECT_EQ(TempFromReading(table[i]), static_cast<float>(i)) << i;
    // A quarter of the way from entry 60 to entry 61, to two decimals.
    const float t = TempFromReading(table[60] - (table[60] - table[61]) / 4);
    EXPECT_GT(t, 60.2f);
    EXPECT_LT(t, 60.3f);
    EXPECT_NEAR(t * 100.0, std::nearbyint(t * 100.0), 1e-3);
    // Beyond the ends the end segments go on in a straight line.
    EXPECT_FLOAT_EQ(TempFromReading(table[15] + (table[15] - table[16])), 14.0f);
    EXPECT_FLOAT_EQ(TempFromReading(table[100] - (table[99] - table[100])), 101.0f);
}

TEST_F(BoxProtocolTest, FirstTemperatureIsTakenAsItIsLaterOnesMoveItOneTwentieth) {
    BuildStartupTables();
    FakeBox box(port);
    box.temperatureReading = static_cast<std::uint16_t>(s.TempTable[50]);
    ReadWaterTemp();
    EXPECT_EQ(s.WaterTemperature, 50.0f);
    box.temperatureReading = static_cast<std::uint16_t>(s.TempTable[70]);
    ReadWaterTemp();
    EXPECT_FLOAT_EQ(s.WaterTemperature, 51.0f);
    EXPECT_EQ(port.writtenData().size(), 10u);
    EXPECT_EQ(box.frames().back(), (Bytes{0xFF, 0x01, 0x00, 0xC0, 0x3E}));
    // An unanswered request keeps the temperature; the previous reply is not read again.
    box.acknowledges = false;
    ReadWaterTemp();
    EXPECT_FLOAT_EQ(s.WaterTemperature, 51.0f);
}

TEST_F(BoxProtocolTest, ChannelSettingsAreWrittenFromRegisterFifteenDownToOne) {
    FakeBox box(port);
    for (std::size_t i = 0; i < 16; ++i) s.LeftChannelBlock[i] = static_cast<std::uint8_t>(100 + i);
    SendLeftSettings();
    ASSERT_EQ(box.frames().size(), 15u);
    for (std::uint8_t k = 0; k < 15; ++k) EXPECT_EQ(box.frames()[k], Write(15 - k, 115 - k)) << int{k};
}

TEST_F(BoxProtocolTest, WaitForBytesEndsOnceMoreThanTheCountArrivedOrAfterCountHundredths) {
    for (const int arriving : {50, 51}) {
        s.RxCount = 0;
        QTimer::singleShot(0, [this, arriving] { port.feedReceived(Bytes(static_cast<std::size_t>(arriving), 1)); });
        const double start = clock().monotonicSeconds();
        WaitForBytes(50);
        EXPECT_EQ(s.RxCount, arriving);
        // Exactly the count is not enough: that wait runs to its end.
        if (arriving == 50) {
            EXPECT_GE(clock().monotonicSeconds() - start, 0.45);
        } else {
            EXPECT_LT(clock().monotonicSeconds() - start, 0.25);
        }
    }
}

TEST_F(BoxProtocolTest, ReceivedBytesFollowEachOtherAndTheLargestWaitingCountIsShown) {
    port.feedReceived({0, 128, 255});
    port.feedReceived({1, 127, 200, 6, 0});
    port.feedReceived(Bytes(10, 2));
    port.feedReceived(Bytes(9, 3));
    EXPECT_EQ(s.RxCount, 27);
    EXPECT_EQ(Bytes(s.RxBuffer.begin() + 1, s.RxBuffer.begin() + 10), (Bytes{0, 128, 255, 1, 127, 200, 6, 0, 2}));
    EXPECT_EQ(s.MaxInBuffer, 10);
    EXPECT_EQ(ui.maxInBufferShown, 3);
    port.raiseReceived(); // nothing waiting
    EXPECT_EQ(s.RxCount, 27);
}

TEST_F(BoxProtocolTest, FullBufferDropsAndCountsFurtherBytesAndTheNextReplyStartsClean) {
    s.RxCount = kRxBufferLast - 2;
    s.RxBuffer[kRxBufferLast] = 0;
    port.feedReceived({7, 8, 9, 10, 11});
    EXPECT_EQ(s.RxCount, kRxBufferLast);
    EXPECT_EQ(s.RxBuffer[kRxBufferLast - 1], 7);
    EXPECT_EQ(s.RxBuffer[kRxBufferLast], 8);
    EXPECT_EQ(s.RxOverflowCount, 3);
    FakeBox box(port);
    ASSERT_TRUE(SendCommand(4, 242));
    EXPECT_EQ(s.RxCount, 1);
    EXPECT_EQ(s.RxBuffer[1], 6);
}

TEST_F(BoxProtocolTest, LostPortIsReportedAndEndsCommandsWithoutWriting) {
    FakeBox box(port);
    s.CommErrorCount = 3;
    port.vanish();
    EXPECT_TRUE(s.IfbPortLost);
    EXPECT_GT(s.CommErrorCount, 10);
    EXPECT_EQ(ui.indicator, std::vector<bool>{false});
    port.raiseReceived(); // a late event on the closed port
    EXPECT_EQ(s.RxCount, 0);
    s.CommErrorCount = 0; // cleared meanwhile by the five-second timer
    EXPECT_FALSE(SendCommand(0, 0x81));
    SendRightSettings();
    EXPECT_TRUE(box.frames().empty());
    EXPECT_GT(s.CommErrorCount, 10);
}

} // namespace
} // namespace vz::test
