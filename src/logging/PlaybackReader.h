#pragma once
// Reading a screen-data file up to its next data record, as playback and the export do:
// settings, temperature and GPS lines on the way are applied to the state, the record is loaded
// into RxBuffer.
#include "logging/PlaybackLines.h"

#include <cstdint>
#include <functional>
#include <string_view>

namespace vz {

class PlaybackFile;
struct State;

enum class RecordRead {
    Record, // the next record is in RxBuffer (PacketLength values)
    End,    // a closing line, the end of the file or a read error
};

// Records that cannot be a reply, and over-long lines, are passed over. The line read last stays
// in PlaybackLine. `seen`, when given, is told of every line applied on the way, with the file
// position where the line starts.
using PlaybackLineSeen = std::function<void(PlaybackLineKind, std::string_view line, std::int64_t at)>;
RecordRead ReadUpToRecord(PlaybackFile& file, State& s, const PlaybackLineSeen& seen = {});

// A line in PlaybackLine that is not a data record or a closing line: GPS, temperature or
// channel settings.
void ApplyPlaybackLine(PlaybackLineKind kind, State& s);

// A channel line in PlaybackLine: "F" selects Full screen, "L" or "R" Split (clearing the
// echogram when the screen mode changes; "L" also makes the next record a Left one), then the
// channel's settings are taken from the line.
void ApplySettingsLine(State& s);

} // namespace vz
