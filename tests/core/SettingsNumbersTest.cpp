#include "core/SettingsNumbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vz {
namespace {

TEST(SettingsNumbers, WholeNumbersTakeTheSignPositionAndATrailingBlank) {
    EXPECT_EQ(FormatSettingsNumber(std::int64_t{0}), " 0 ");
    EXPECT_EQ(FormatSettingsNumber(std::int64_t{242}), " 242 ");
    EXPECT_EQ(FormatSettingsNumber(std::int64_t{-20}), "-20 ");
    EXPECT_EQ(FormatSettingsNumber(std::int64_t{16711680}), " 16711680 ");
}

TEST(SettingsNumbers, FloatsShowUpToSevenSignificantDigits) {
    EXPECT_EQ(FormatSettingsNumber(0.0024755f), " .0024755 ");
    EXPECT_EQ(FormatSettingsNumber(20.0f), " 20 ");
    EXPECT_EQ(FormatSettingsNumber(1000.0f), " 1000 ");
    EXPECT_EQ(FormatSettingsNumber(3.16f), " 3.16 ");
    EXPECT_EQ(FormatSettingsNumber(0.1f), " .1 ");
    EXPECT_EQ(FormatSettingsNumber(-0.5f), "-.5 ");
    EXPECT_EQ(FormatSettingsNumber(-12.75f), "-12.75 ");
    EXPECT_EQ(FormatSettingsNumber(3.2808399f), " 3.28084 ");
    EXPECT_EQ(FormatSettingsNumber(1234567.0f), " 1234567 ");
    EXPECT_EQ(FormatSettingsNumber(12345678.0f), " 1.234568E+07 ");
    EXPECT_EQ(FormatSettingsNumber(1.0e7f), " 1E+07 ");
    EXPECT_EQ(FormatSettingsNumber(0.0001f), " .0001 ");
    EXPECT_EQ(FormatSettingsNumber(0.00001f), " 1E-05 ");
    EXPECT_EQ(FormatSettingsNumber(-2.5e-7f), "-2.5E-07 ");
    EXPECT_EQ(FormatSettingsNumber(-0.0f), " 0 ");
    // Not numbers a file could hold: written as 0 rather than as text no reader takes.
    EXPECT_EQ(FormatSettingsNumber(std::numeric_limits<float>::quiet_NaN()), " 0 ");
    EXPECT_EQ(FormatSettingsNumber(std::numeric_limits<float>::infinity()), " 0 ");
}

TEST(SettingsNumbers, PlainAndExponentNotationAreRead) {
    EXPECT_EQ(ParseSettingsNumber("20"), 20.0);
    EXPECT_EQ(ParseSettingsNumber("-20"), -20.0);
    EXPECT_EQ(ParseSettingsNumber("+3.16"), 3.16);
    EXPECT_EQ(ParseSettingsNumber(".0024755"), 0.0024755);
    EXPECT_EQ(ParseSettingsNumber("-.5"), -0.5);
    EXPECT_EQ(ParseSettingsNumber("2."), 2.0);
    EXPECT_EQ(ParseSettingsNumber("1E-05"), 1e-5);
    EXPECT_EQ(ParseSettingsNumber("1.5e+07"), 1.5e7);
    for (const char* bad : {"", "-", ".", "abc", "1e", "5x", "--5", "+-5", "inf", "-nan", "0x10",
                            "1,5", " 5", "1e400"}) {
        EXPECT_FALSE(ParseSettingsNumber(bad).has_value()) << '"' << bad << '"';
    }
}

TEST(SettingsNumbers, SevenDigitFloatsReadBackExactly) {
    for (float v :
         {0.0024755f, 0.00244f, 3.16f, -123.4567f, 1.5e-6f, 9999999.0f, 3.402823e38f, 1.0e-30f}) {
        const std::string text = FormatSettingsNumber(v);
        const std::size_t first = text.find_first_not_of(' ');
        const auto back =
            ParseSettingsNumber(text.substr(first, text.find_last_not_of(' ') + 1 - first));
        ASSERT_TRUE(back.has_value()) << text;
        EXPECT_EQ(static_cast<float>(*back), v) << text;
    }
}

} // namespace
} // namespace vz
