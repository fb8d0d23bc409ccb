// Number pictures.
#include "display/NumberFormat.h"

#include <gtest/gtest.h>

namespace vz {
namespace {

TEST(NumberFormat, PicturesShowRequiredAndSignificantDigits) {
    const struct { double value; const char* picture; const char* expected; } cases[] = {
        {12.34, "##.0", "12.3"}, {0.5, "##.0", ".5"}, {0.04, "##.0", ".0"}, {123.45, "##.0", "123.5"},
        {7.25, "##.0", "7.3"}, {-7.25, "##.0", "-7.3"}, {1234.5, "####", "1235"}, {0.4, "####", ""},
        {12345, "####", "12345"}, {5.25, "#0.0", "5.3"}, {0.04, "#0.0", "0.0"}, {99.96, "#0.0", "100.0"},
        {3.0, "###0.0", "3.0"}, {1234.56, "###0.0", "1234.6"}, {3.0, "#000.0", "003.0"},
        {45678.9, "#000.0", "45678.9"}, {0.5, "0.0#", "0.5"}, {0.125, "0.0#", "0.13"}, {0.104, "0.0#", "0.1"},
        {2.5, "#.0", "2.5"}, {0.25, "#.0", ".3"}, {320.0, "###", "320"}, {2.5, "###", "3"}, {3.5, "###", "4"},
        {0.0, "###", ""}, {10.0, "  ##.#0", "  10.00"}, {5.5, "  ##.#0", "  5.50"},
        {72.456, "  ##.#0", "  72.46"}, {5.25, "  #0.0", "  5.3"}, {0.0, "  #0.0", "  0.0"},
        {2.675, "0.00", "2.68"}, {12.0, "## ft", "12 ft"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatNumber(c.value, c.picture), c.expected) << c.value << " with " << c.picture;
    // 2.05 in single precision lies just below 2.05; written out it is 2.05 and rounds up.
    EXPECT_EQ(FormatNumber(2.05f, "#.0"), "2.1");
    EXPECT_EQ(FormatNumber(static_cast<double>(2.05f), "#.0"), "2.0");
    EXPECT_EQ(FormatNumber(42, "####"), "42");
    EXPECT_EQ(FormatNumber(-3, "#0.0"), "-3.0");
}

} // namespace
} // namespace vz
