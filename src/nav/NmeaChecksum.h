#pragma once
// The checksum of an NMEA 0183 sentence: the XOR of every character between the "$" and the "*",
// written as two upper-case hexadecimal digits after the "*".
#include <cstdint>
#include <string>
#include <string_view>

namespace vz {

// XOR of the character codes of `text`.
std::uint8_t NmeaChecksum(std::string_view text);

// `sentence` ("$SDMTW,20.00,C*") with its two checksum digits appended; the sum covers the
// characters between the leading "$" and the final "*".
std::string WithNmeaChecksum(std::string sentence);

// Whether a whole sentence, "$" through the two digits after its last "*", carries the right
// checksum. Only upper-case digits are accepted.
bool NmeaChecksumMatches(std::string_view sentence);

} // namespace vz
