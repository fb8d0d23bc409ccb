#include "nav/RmcSentence.h"

#include <charconv>
#include <vector>

namespace vz {

namespace {

constexpr auto npos = std::string_view::npos;
// "$", two talker letters, "RMC".
constexpr std::size_t kNameLength = 6;
// Address, time, status, latitude, N/S, longitude, E/W, speed.
constexpr std::size_t kFieldsNeeded = 8;

bool IsTalkerLetter(char c) { return c >= 'A' && c <= 'Z'; }

// A "P" in front marks a maker's own sentence ("$PGRMC..."), not a talker.
bool RmcStartsAt(std::string_view text, std::size_t i) {
    return text.size() - i >= kNameLength && text[i] == '$' && IsTalkerLetter(text[i + 1]) && text[i + 1] != 'P' &&
           IsTalkerLetter(text[i + 2]) && text.substr(i + 3, 3) == "RMC";
}

std::vector<std::string_view> SplitFields(std::string_view text) {
    std::vector<std::string_view> fields;
    for (;;) {
        const std::size_t comma = text.find(',');
        fields.push_back(text.substr(0, comma));
        if (comma == npos) return fields;
        text.remove_prefix(comma + 1);
    }
}

} // namespace

std::size_t FindRmcStart(std::string_view text, std::size_t from) {
    for (std::size_t i = text.find('$', from); i != npos; i = text.find('$', i + 1)) {
        if (RmcStartsAt(text, i)) return i;
    }
    return npos;
}

std::size_t RmcSentenceEnd(std::string_view text, std::size_t start) {
    const std::size_t star = text.find('*', start + kNameLength);
    if (star == npos || text.size() - star < 3) return npos;
    return star + 3;
}

std::size_t UnfinishedRmcStart(std::string_view text, std::size_t from) {
    std::size_t start = FindRmcStart(text, from);
    while (start != npos) {
        const std::size_t end = RmcSentenceEnd(text, start);
        if (end == npos && text.size() - start <= kLongestRmcSentence) return start;
        start = FindRmcStart(text, end == npos ? start + 1 : end);
    }
    return npos;
}

std::optional<RmcFields> ReadRmcFields(std::string_view sentence) {
    const std::size_t star = sentence.rfind('*');
    const std::vector<std::string_view> f = SplitFields(sentence.substr(0, star));
    if (f.size() < kFieldsNeeded) return std::nullopt;
    return RmcFields{std::string(f[2]), std::string(f[3]), std::string(f[4]),
                     std::string(f[5]), std::string(f[6]), std::string(f[7])};
}

double LeadingNumber(std::string_view field) {
    double value = 0;
    const auto result = std::from_chars(field.data(), field.data() + field.size(), value,
                                        std::chars_format::fixed);
    return result.ec == std::errc() ? value : 0;
}

} // namespace vz
