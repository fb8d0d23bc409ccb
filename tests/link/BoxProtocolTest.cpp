#include "LinkFixture.h"
#include "core/StartupTables.h"
#include "link/BoxProtocol.h"
#include "platform/Clock.h"

#include <QTimer>

#include <cmath>

namespace vz::test {
namespace {

using Bytes = FakeSerialPort::Bytes;

class BoxProtocolTest : public LinkFixture {};

TEST_F(BoxProtocolTest, RegisterWriteIsFramedWithItsCheckByteAndEndsAtTheAcknowledgement) {
    FakeBox box(port);
    EXPECT_TRUE(SendCommand(3, 5));
    EXPECT_EQ(port.writtenData(), (Bytes{0xFF, 0x01, 0x03, 0x05, 0xF8}));
    EXPECT_EQ(s.CommRetryCount, 0);
    EXPECT_EQ(s.RxCount, 1);
    EXPECT_EQ(s.RxBuffer[1], 6);
}

TEST_F(BoxProtocolTest, UnacknowledgedWriteIsSentFourTimesAndCountedEachTime) {
    FakeBox box(port);
    box.acknowledges = false;
    s.CommRetryCount = 7;
    EXPECT_FALSE(SendCommand(9, 10));
    EXPECT_EQ(box.writeFrames(), 4);
    EXPECT_EQ(s.CommRetryCount, 11);

    box.acknowledges = true;
    box.acksToDrop = 2;
    port.clearWritten();
    EXPECT_TRUE(SendCommand(9, 10));
    EXPECT_EQ(port.writtenData().size(), 15u); // three frames
    EXPECT_EQ(s.CommRetryCount, 13);
}

TEST_F(BoxProtocolTest, AnEarlierReplyLeftInTheBufferIsNoAcknowledgement) {
    FakeBox box(port);
    ASSERT_TRUE(SendCommand(1, 1)); // entry 1 now holds 6
    box.acknowledges = false;
    EXPECT_FALSE(SendCommand(2, 1));
    EXPECT_EQ(s.CommRetryCount, 4);
    EXPECT_EQ(s.RxCount, 0);
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
    for (int i = 16; i <= 99; ++i) EXPECT_FLOAT_EQ(TempFromReading(table[i]), static_cast<float>(i));
    EXPECT_EQ(TempFromReading(table[50]), 50.00f);
    EXPECT_EQ(TempFromReading(table[100]), 100.00f);
    EXPECT_EQ(TempFromReading(table[15]), 15.00f);
    // A quarter of the way from entry 60 to entry 61, to two decimals.
    const std::int32_t quarter = table[60] - (table[60] - table[61]) / 4;
    const float t = TempFromReading(quarter);
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
    for (std::size_t k = 0; k < 15; ++k) {
        const auto reg = static_cast<std::uint8_t>(15 - k);
        const auto value = static_cast<std::uint8_t>(100 + reg);
        EXPECT_EQ(box.frames()[k],
                  (Bytes{0xFF, 0x01, reg, value, static_cast<std::uint8_t>(0xFE ^ reg ^ value)}));
    }
}

TEST_F(BoxProtocolTest, WaitForBytesEndsOnceMoreThanTheCountArrivedOrAfterCountHundredths) {
    QTimer::singleShot(0, [this] { port.feedReceived(Bytes(50, 1)); });
    double start = clock().monotonicSeconds();
    WaitForBytes(50);
    EXPECT_EQ(s.RxCount, 50);
    EXPECT_GE(clock().monotonicSeconds() - start, 0.45); // exactly the count is not enough

    s.RxCount = 0;
    QTimer::singleShot(0, [this] { port.feedReceived(Bytes(51, 1)); });
    start = clock().monotonicSeconds();
    WaitForBytes(50);
    EXPECT_EQ(s.RxCount, 51);
    EXPECT_LT(clock().monotonicSeconds() - start, 0.25);
}

TEST_F(BoxProtocolTest, LostPortEndsCommandsAtOnceAndAsksForAnotherPort) {
    FakeBox box(port);
    port.vanish();
    EXPECT_TRUE(s.IfbPortLost);
    s.CommErrorCount = 0; // cleared meanwhile by the five-second timer
    const double start = clock().monotonicSeconds();
    EXPECT_FALSE(SendCommand(0, 0x81));
    SendRightSettings();
    EXPECT_LT(clock().monotonicSeconds() - start, 0.05);
    EXPECT_TRUE(box.frames().empty());
    EXPECT_GT(s.CommErrorCount, 10);
    ASSERT_FALSE(ui.indicator.empty());
    EXPECT_FALSE(ui.indicator.back());
}

} // namespace
} // namespace vz::test
