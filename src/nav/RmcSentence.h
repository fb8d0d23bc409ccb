#pragma once
// Finding and taking apart RMC sentences (recommended minimum position data) in the text a GPS
// receiver sends. Any two-letter talker is accepted: "$GPRMC" from a receiver of one satellite
// system, "$GNRMC" from one that combines several, and so on.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vz {

// Characters an unfinished sentence may hold before it is taken for garbage: well beyond the
// standard 82, for receivers that write many decimals.
constexpr std::size_t kLongestRmcSentence = 120;

// Index of the first "$ttRMC" at or after `from` (tt: two upper-case letters, the first not
// "P"), or npos.
std::size_t FindRmcStart(std::string_view text, std::size_t from);

// One past the second checksum digit of the sentence starting at `start`: the first "*" after the
// sentence name and the two characters after it. npos while they have not all arrived.
std::size_t RmcSentenceEnd(std::string_view text, std::size_t start);

// Start of the first RMC sentence at or after `from` whose end has not arrived yet and that is
// not longer than a sentence can be; npos when there is none.
std::size_t UnfinishedRmcStart(std::string_view text, std::size_t from);

// The fields the program uses, as written in the sentence.
struct RmcFields {
    std::string status;     // "A" valid, "V" no fix
    std::string latitude;   // ddmm.mmmm
    std::string northSouth; // "N" or "S"
    std::string longitude;  // dddmm.mmmm
    std::string eastWest;   // "E" or "W"
    std::string speed;      // speed over ground, knots
};

// The fields of a whole sentence ("$" through the checksum digits); nothing when it ends before
// the speed field.
std::optional<RmcFields> ReadRmcFields(std::string_view sentence);

// The leading decimal number of a field ("4.2" gives 4.2, "" and "x" give 0).
double LeadingNumber(std::string_view field);

} // namespace vz
