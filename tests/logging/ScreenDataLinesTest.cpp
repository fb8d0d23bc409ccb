// Every line kind of a screen-data file, byte for byte against lines written out by hand.
#include "logging/ScreenDataLines.h"

#include <gtest/gtest.h>

namespace vz::test {
namespace {

TEST(ScreenDataLinesTest, FileNameComesFromTheDateAndTimeTexts) {
    EXPECT_EQ(ScreenDataFileName("07-04-2005", "14:35:10"), "I5070414.35I");
    EXPECT_EQ(ScreenDataFileName("12-31-2009", "23:59:59"), "I9123123.59I");
    EXPECT_EQ(ScreenDataFileName("01-01-2010", "00:00:00"), "I0010100.00I");
    // A second and third file in the same minute keep the pattern I*.??I.
    EXPECT_EQ(ScreenDataFileName("07-04-2005", "14:35:10", 2), "I5070414B.35I");
    EXPECT_EQ(ScreenDataFileName("07-04-2005", "14:35:10", 3), "I5070414C.35I");
    EXPECT_EQ(ScreenDataFileName("07-04-2005", "14:35:10", kLastFileSequence), "I5070414Z.35I");
}

TEST(ScreenDataLinesTest, HeaderLinesCarryVersionFirmwareNameDateAndTime) {
    EXPECT_EQ(Header1Line("3.16", 8), "3.16  8  ***************************************");
    EXPECT_EQ(Header1Line("3.16", 10), "3.16  10  ***************************************");
    // Date from column 25, time from column 43 (the next 14-column print zone).
    EXPECT_EQ(Header2Line("I5070414.35I", "07-04-2005", "14:35:10"),
              " Opened at: I5070414.35I07-04-2005        14:35:10");
    EXPECT_EQ(Header2Line("I5070414B.35I", "07-04-2005", "14:35:10"),
              " Opened at: I5070414B.35I07-04-2005       14:35:10");
}

TEST(ScreenDataLinesTest, ChannelLineListsTheSixteenBlockBytesAsNumberItems) {
    ChannelBlock block{};
    const int bytes[16] = {1, 1, 1, 50, 20, 236, 3, 0, 2, 165, 1, 10, 0, 1, 0, 120};
    for (int i = 0; i < 16; ++i) block[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(bytes[i]);
    block[16] = 99; // beyond the used bytes: never written
    EXPECT_EQ(ChannelLine(Channel::Full, block),
              "F:  1  1  1  50  20  236  3  0  2  165  1  10  0  1  0  120 ");
    EXPECT_EQ(ChannelLine(Channel::Left, ChannelBlock{}),
              "L:  0  0  0  0  0  0  0  0  0  0  0  0  0  0  0  0 ");
    EXPECT_EQ(ChannelLine(Channel::Right, block).substr(0, 8), "R:  1  1");
}

TEST(ScreenDataLinesTest, TemperatureLineHasTwoDecimalsAndTheDepthInItsUnits) {
    EXPECT_EQ(TemperatureDepthLine(68.25f, 12.5f, " Ft"), "T: 68.25   Depth= 12.5 Ft");
    EXPECT_EQ(TemperatureDepthLine(5.5f, 123.456f, " Mtr"), "T: 5.50   Depth= 123.46 Mtr");
    EXPECT_EQ(TemperatureDepthLine(99.9f, 7.0f, " Fa"), "T: 99.90   Depth= 7. Fa");
}

TEST(ScreenDataLinesTest, GpsLineJoinsTheCaptionsAndTheSpeed) {
    EXPECT_EQ(GpsLine("Lat: 49  16.4500 N", "Lon: 123  11.1200 W", 2.37f),
              "GPS: Lat: 49  16.4500 N  Lon: 123  11.1200 W   2.37");
    EXPECT_EQ(GpsLine("Not Valid", "Not Valid", 0.0f), "GPS: Not Valid  Not Valid   0");
    EXPECT_EQ(GpsLine("- - - - -", "- - - - -", 0.5f), "GPS: - - - - -  - - - - -   .5");
}

TEST(ScreenDataLinesTest, DataRecordAndClosingLine) {
    const std::uint8_t reply[] = {0, 255, 17};
    EXPECT_EQ(DataRecordLine("09:05:01", reply, 3), "09:05:01  0 255 17 ");
    EXPECT_EQ(DataRecordLine("23:00:00", reply, 0), "23:00:00  ");
    EXPECT_EQ(ClosingLine("09:05:01"), "Closed at: 09:05:01");
}

} // namespace
} // namespace vz::test
