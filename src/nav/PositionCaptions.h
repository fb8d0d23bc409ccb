#pragma once
// The texts of the position read-outs lblLat and lblLong, built from the latitude and longitude
// fields of an RMC sentence: "Lat: 49  16.4500 N", "Lon: 123  11.1200 W".
#include <optional>
#include <string>

namespace vz {

// Nothing when the field is not a position (empty, not digits with one decimal point, fewer than
// three digits before the point) or the letter is not a hemisphere of its kind.
std::optional<std::string> LatitudeCaption(const std::string& latitude, const std::string& northSouth);
std::optional<std::string> LongitudeCaption(const std::string& longitude, const std::string& eastWest);

} // namespace vz
