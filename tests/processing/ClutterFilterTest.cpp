#include "support/ReplyBuilder.h"

#include "processing/BottomTracking.h"
#include "support/Fixture.h"

namespace vz::test {

namespace {

using ClutterFilterTest = Fixture;

TEST_F(ClutterFilterTest, BlanksStrongEchoesUntilALongQuietRun) {
    // Level 3: threshold 180, the scan ends at the 11th consecutive sample below it.
    PingReply r;
    r.samples = {200, 100, 180};
    r.samples.insert(r.samples.end(), 10, 50);
    r.samples.push_back(240);
    r.samples.insert(r.samples.end(), 11, 50);
    r.samples.push_back(255);
    r.load(s);
    s.ClutterFilter = 3;
    ApplyClutterFilter();
    EXPECT_EQ(s.RxBuffer[2], 0);
    EXPECT_EQ(s.RxBuffer[3], 100);
    EXPECT_EQ(s.RxBuffer[4], 0); // at the threshold counts as strong
    EXPECT_EQ(s.RxBuffer[5], 50);
    EXPECT_EQ(s.RxBuffer[15], 0); // ten quiet samples were not enough
    EXPECT_EQ(s.RxBuffer[26], 50);
    EXPECT_EQ(s.RxBuffer[27], 255); // after the eleventh the scan has ended
}

TEST_F(ClutterFilterTest, ScanEndsAtTheLastSamplePositionOfTheReply) {
    PingReply r;
    r.samples.assign(20, 250);
    r.offset = 250; // first trailer byte that could be mistaken for a sample
    r.intervalTotal = 0xFAFAFA;
    r.load(s);
    s.ClutterFilter = 8; // threshold 55
    ApplyClutterFilter();
    for (int i = 2; i <= 21; ++i)
        EXPECT_EQ(s.RxBuffer[i], 0) << i;
    EXPECT_EQ(s.RxBuffer[22], 0x5A);
    EXPECT_EQ(s.RxBuffer[24], 250);
}

TEST_F(ClutterFilterTest, ClearHistoryBufferZeroesOnlyTheCountedEntriesWithinTheBuffer) {
    s.EchoHistory.fill(7);
    ClearHistoryBuffer(100);
    ClearHistoryBuffer(-3);
    EXPECT_EQ(s.EchoHistory[0], 7);
    EXPECT_EQ(s.EchoHistory[100], 0);
    EXPECT_EQ(s.EchoHistory[101], 7);
    ClearHistoryBuffer(50000);
    EXPECT_EQ(s.EchoHistory[kRxBufferLast], 0);
}

} // namespace

} // namespace vz::test
