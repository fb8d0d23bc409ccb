#pragma once
// Numbers written with a picture such as "##.0" or "#0.0": "0" is a digit always shown, "#" a
// digit shown only when significant, "." the decimal point; any other character is copied.
// Integer digits beyond the picture's are all shown; the value is rounded to the picture's
// decimals with halves away from zero; a negative value gets a leading "-".
#include <string>
#include <string_view>

namespace vz {

// Single values are taken at their 7 significant digits, double values at 15, as they would
// be written out as text (so 2.05 in single precision rounds to 2.1 with "#.0").
std::string FormatNumber(double value, std::string_view picture);
std::string FormatNumber(float value, std::string_view picture);
std::string FormatNumber(int value, std::string_view picture);

} // namespace vz
