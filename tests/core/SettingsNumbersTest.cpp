#include "core/SettingsNumbers.h"

#include <gtest/gtest.h>

#include <limits>

namespace vz {
namespace {

TEST(SettingsNumbers, WrittenWithTheSignPositionAndATrailingBlank) {
    EXPECT_EQ(FormatSettingsNumber(std::int64_t{242}), " 242 ");
    EXPECT_EQ(FormatSettingsNumber(std::int64_t{-20}), "-20 ");
    // Floats show up to seven significant digits, without a leading zero.
    const std::pair<float, const char*> floats[] = {
        {0.0024755f, " .0024755 "}, {20.0f, " 20 "},        {3.16f, " 3.16 "},
        {-0.5f, "-.5 "},            {-12.75f, "-12.75 "},   {3.2808399f, " 3.28084 "},
        {1234567.0f, " 1234567 "},  {12345678.0f, " 1.234568E+07 "}, {1.0e7f, " 1E+07 "},
        {0.0001f, " .0001 "},       {0.00001f, " 1E-05 "},  {-2.5e-7f, "-2.5E-07 "},
        {-0.0f, " 0 "},            {-123.4567f, "-123.4567 "}, {3.402823e38f, " 3.402823E+38 "},
        {1.0e-30f, " 1E-30 "},
        // Not numbers a file could hold: written as 0 rather than as text no reader takes.
        {std::numeric_limits<float>::quiet_NaN(), " 0 "},
        {std::numeric_limits<float>::infinity(), " 0 "},
    };
    for (const auto& [value, text] : floats)
        EXPECT_EQ(FormatSettingsNumber(value), text);
}

TEST(SettingsNumbers, PlainAndExponentNotationAreRead) {
    const std::pair<const char*, double> good[] = {
        {"-20", -20.0}, {"+3.16", 3.16}, {"-.5", -0.5}, {"2.", 2.0}, {"1E-05", 1e-5},
        {"1.5e+07", 1.5e7}};
    for (const auto& [text, value] : good)
        EXPECT_EQ(ParseSettingsNumber(text), value) << text;
    for (const char* bad : {"", "-", ".", "abc", "1e", "5x", "--5", "+-5", "inf", "-nan", "0x10",
                            "1,5", " 5", "1e400"})
        EXPECT_FALSE(ParseSettingsNumber(bad).has_value()) << '"' << bad << '"';
}

} // namespace
} // namespace vz
