#pragma once
#include <string_view>

namespace vz {

// The number a text starts with, after leading blanks: an optional sign, digits and a decimal
// point, up to the first character that cannot continue it. A text that starts with no number
// gives 0.
double NumericValue(std::string_view text);

} // namespace vz
