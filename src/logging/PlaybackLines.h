#pragma once
// What one line of a screen-data file means during playback, and the state it sets. The line
// has its leading and trailing blanks removed already.
#include "core/State.h"

#include <string>
#include <string_view>

namespace vz {

struct State;

enum class PlaybackLineKind { Empty, Gps, Closed, Temperature, Settings, DataRecord };

// By the line's start: "GPS:", "Closed", "T", "F" / "L" / "R"; anything else is a data record.
PlaybackLineKind KindOfPlaybackLine(std::string_view line);

// "GPS: Lat: 49  16.4500 N  Lon: 123  11.1200 W   2.37": the two captions as they were written
// (LatCaption, LongCaption) and GpsSpeed; "Not Valid" at characters 6..14 gives both captions
// "Not Valid" and speed 0.
void ApplyGpsLine(std::string_view line, State& s);

// "T: 68.25   Depth= ...": WaterTemperature from the number after "T: ".
void ApplyTemperatureLine(std::string_view line, State& s);

// A data record, "09:05:01  0 255 17": TimeText = the first 8 characters; the values from
// character 9 on go to RxBuffer entries 1..n, PacketLength = n and entries n+1..2n = 1.
// A record that cannot be a reply is refused and leaves RxBuffer and PacketLength alone: one
// whose values are not all whole numbers from 0 to 255, more than RxBuffer holds (32000, as
// many as the receive path can record), or too few for the shortest reply (the trailer, its
// checksum and one sample). Entries n+1..2n are set only as far as RxBuffer reaches.
bool LoadDataRecord(std::string_view line, State& s);

// The first "mm-dd-yyyy" in the second header line (after the file name, whatever its length:
// a second recording within a minute has a lettered name); empty when there is none.
std::string RecordingDateAsWritten(std::string_view header2);
// The same date as "yyyy-mm-dd"; empty when there is none.
std::string RecordingDate(std::string_view header2);

// The most values a record can hold: every reply the receive path can store.
constexpr int kMaxRecordValues = kRxBufferLast;

} // namespace vz
