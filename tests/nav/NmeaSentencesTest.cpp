// The sounder's sentences against known-good texts, and the checksum rules.
#include "nav/NmeaChecksum.h"
#include "nav/NmeaSentences.h"

#include <gtest/gtest.h>

namespace vz {
namespace {

TEST(NmeaSentences, DepthTwelveFeetWithKeelOffset) {
    // 12.34 ft in feet units with a keel offset of 2 ft.
    const DepthInAllUnits depth = ConvertDepth(12.34f, 0);
    EXPECT_EQ(DptSentence(depth.metres, 2.0 * 0.3048), "$SDDPT,3.8,0.6*5A");
    EXPECT_EQ(DbtSentence(depth), "$SDDBT,012.3,f,003.8,M,002.1,F*0E");
}

TEST(NmeaSentences, HalfAFootHasNoIntegerDigitInDpt) {
    const DepthInAllUnits depth = ConvertDepth(0.5f, 0);
    EXPECT_EQ(DptSentence(depth.metres, 0.0), "$SDDPT,.2,0.0*65");
    EXPECT_EQ(DbtSentence(depth), "$SDDBT,000.5,f,000.2,M,000.1,F*00");
}

TEST(NmeaSentences, DepthInEveryUnitGivesTheSameSentences) {
    EXPECT_EQ(DbtSentence(ConvertDepth(10.0f, 1)), "$SDDBT,032.8,f,010.0,M,005.5,F*0E");
    EXPECT_EQ(DptSentence(ConvertDepth(10.0f, 1).metres, 0.0), "$SDDPT,10.0,0.0*66");
    // 5 fathoms = 30 ft = 9.144 m.
    const DepthInAllUnits fathoms = ConvertDepth(5.0f, 2);
    EXPECT_DOUBLE_EQ(fathoms.feet, 30.0);
    EXPECT_DOUBLE_EQ(fathoms.metres, 9.144);
    EXPECT_DOUBLE_EQ(fathoms.fathoms, 5.0);
    // A keel deeper than the transducer gives a negative offset.
    EXPECT_EQ(DptSentence(3.0, -2.0 * 0.3048).substr(0, 16), "$SDDPT,3.0,-0.6*");
}

TEST(NmeaSentences, WaterTemperatureHasTwoDecimals) {
    EXPECT_EQ(MtwSentence(20.0f), "$SDMTW,20.00,C*36");
    EXPECT_EQ(MtwSentence(1.69f), "$SDMTW,1.69,C*0A"); // a checksum below 16 keeps its "0"
    EXPECT_EQ(MtwSentence(-1.5f).substr(0, 15), "$SDMTW,-1.50,C*");
}

TEST(NmeaChecksum, DigitsAreUpperCaseAndCheckedStrictly) {
    EXPECT_EQ(WithNmeaChecksum("$\xA5*"), "$\xA5*A5");
    EXPECT_EQ(WithNmeaChecksum("$\x0A*"), "$\x0A*0A");
    EXPECT_TRUE(NmeaChecksumMatches("$SDDPT,3.8,0.6*5A"));
    EXPECT_FALSE(NmeaChecksumMatches("$SDDPT,3.8,0.6*5B"));
    EXPECT_FALSE(NmeaChecksumMatches("$SDDPT,3.8,0.7*5A"));
    EXPECT_TRUE(NmeaChecksumMatches("$SDMTW,1.69,C*0A"));
    EXPECT_FALSE(NmeaChecksumMatches("$SDMTW,1.69,C*0a")); // lower-case digits are refused
    EXPECT_FALSE(NmeaChecksumMatches("$SDMTW,1.69,C*A"));  // one digit only
    EXPECT_FALSE(NmeaChecksumMatches("$SDMTW,1.69,C"));    // no "*"
}

} // namespace
} // namespace vz
