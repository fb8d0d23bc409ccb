#include "nav/NmeaChecksum.h"

#include <optional>

namespace vz {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

std::optional<int> HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return std::nullopt;
}

} // namespace

std::uint8_t NmeaChecksum(std::string_view text) {
    std::uint8_t sum = 0;
    for (const char c : text) sum ^= static_cast<std::uint8_t>(c);
    return sum;
}

std::string WithNmeaChecksum(std::string sentence) {
    const std::uint8_t sum = NmeaChecksum(std::string_view(sentence).substr(1, sentence.size() - 2));
    sentence += kHexDigits[sum >> 4];
    sentence += kHexDigits[sum & 0x0F];
    return sentence;
}

bool NmeaChecksumMatches(std::string_view sentence) {
    const std::size_t star = sentence.rfind('*');
    if (sentence.size() < 4 || star == std::string_view::npos || star + 3 != sentence.size()) return false;
    const auto high = HexDigitValue(sentence[star + 1]);
    const auto low = HexDigitValue(sentence[star + 2]);
    return high && low && *high * 16 + *low == NmeaChecksum(sentence.substr(1, star - 1));
}

} // namespace vz
