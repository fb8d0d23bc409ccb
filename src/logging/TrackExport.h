#pragma once
// Depth tracks from recordings, without a window: each record is read as playback reads it,
// decoded and bottom-tracked with the program's own operations, and handed on as a track point
// with the position, speed and water temperature in force.
#include "core/Channel.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace vz {

struct TrackPoint {
    std::string dateTime; // "2026-06-12T10:15:00", the recording's local time
    std::optional<double> latitude, longitude; // decimal degrees, south and west negative
    float speedKnots = 0;
    std::optional<float> waterTemperatureF;
    std::optional<float> depth; // in `units`, once the bottom was found
    std::string units;          // "Ft", "Mtr" or "Fa"
    std::optional<double> depthMetres;
    Channel channel = Channel::Full;
    // The depth in `units` of the temperature line written before this record: what the live
    // tracking read from the previous reply, with the settings of the session (nothing for a
    // depth of 0, before the bottom was found).
    std::optional<float> recordedDepth;
};

// Decimal degrees from the position read-outs' captions ("Lat: 49  16.4500 N" gives 49.274167,
// "Lon: 123  11.1200 W" gives -123.185333); nothing for "Not Valid", "- - - - -" or other text.
std::optional<double> LatitudeFromCaption(std::string_view caption);
std::optional<double> LongitudeFromCaption(std::string_view caption);

// A temperature line's depth ("T: 68.25   Depth= 12.5 Ft"): its units as DepthUnits, nothing
// without a known suffix; its value in those units, nothing for 0 (no bottom yet) or none.
std::optional<std::int16_t> UnitsOfTemperatureLine(std::string_view line);
std::optional<float> DepthOfTemperatureLine(std::string_view line);

// Puts the state in order for exporting: start-up tables, factory settings, Manual mode,
// playback (no request, no recording).
void PrepareTrackExport();

enum class ExportOutcome { Exported, CannotOpen, NotARecording };

// Reads the recording at `path` to its end (or its closing line) and hands one point per record
// to `point`; `progress` hears the bytes read so far and the file's size now and then. A file
// whose headers are not those of a recording, or that holds no record, is NotARecording.
// `decoded`, when given, runs for every reply decoded without error, before its bottom is
// tracked: where the live program draws the reply's column.
ExportOutcome ExportRecording(const std::string& path, const std::function<void(const TrackPoint&)>& point,
                              const std::function<void(std::int64_t done, std::int64_t size)>& progress = {},
                              const std::function<void()>& decoded = {});

} // namespace vz
