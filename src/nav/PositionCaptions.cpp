#include "nav/PositionCaptions.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace vz {

namespace {

struct CoordinateKind {
    const char* prefix;
    std::size_t shortLength; // two zeros are added at this length, one at the next
    const char* hemispheres;
};
constexpr CoordinateKind kLatitude{"Lat: ", 7, "NS"};
constexpr CoordinateKind kLongitude{"Lon: ", 8, "EW"};

constexpr std::size_t kFieldLength = 10;
constexpr std::size_t kMinutesTailLength = 20;
// Two digits of whole minutes before the point, and at least one of degrees before them.
constexpr std::size_t kDigitsBeforePoint = 3;

bool IsPositionField(const std::string& text) {
    const std::size_t point = text.find('.');
    if (point == std::string::npos || point < kDigitsBeforePoint || text.find('.', point + 1) != std::string::npos)
        return false;
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return std::isdigit(static_cast<unsigned char>(c)) || c == '.'; });
}

std::optional<std::string> Caption(const CoordinateKind& kind, std::string value, const std::string& hemisphere) {
    value = value.substr(0, kFieldLength);
    if (!IsPositionField(value)) return std::nullopt;
    if (hemisphere.size() != 1 || std::string_view(kind.hemispheres).find(hemisphere[0]) == std::string_view::npos)
        return std::nullopt;
    // Pads the usual field lengths to four decimals of minutes.
    if (value.size() == kind.shortLength) value += "00";
    if (value.size() == kind.shortLength + 1) value += "0";
    value += " " + hemisphere;
    // Degrees, two blanks, then the minutes and the hemisphere.
    const std::size_t minutes = value.find('.') - 2;
    return kind.prefix + value.substr(0, minutes) + "  " + value.substr(minutes, kMinutesTailLength);
}

} // namespace

std::optional<std::string> LatitudeCaption(const std::string& latitude, const std::string& northSouth) {
    return Caption(kLatitude, latitude, northSouth);
}

std::optional<std::string> LongitudeCaption(const std::string& longitude, const std::string& eastWest) {
    return Caption(kLongitude, longitude, eastWest);
}

} // namespace vz
