#pragma once
// How numbers look in settings files: the sign position (a blank, or '-') in front, one blank
// after; floats with up to 7 significant digits in general notation, without a leading zero
// before the decimal point (" .0024755 ", " 20 ", "-1.5E+07 "), as files written by earlier
// versions of the program have them.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vz {

std::string FormatSettingsNumber(std::int64_t value);
std::string FormatSettingsNumber(float value);

// Reads a whole value text in plain or exponent notation ("20", "-.5", "1E-05", "+3.16");
// nothing for anything else, including empty text, infinities and NaN.
std::optional<double> ParseSettingsNumber(std::string_view text);

} // namespace vz
