#pragma once
// Playing a recorded screen-data file in place of the Interface Box. The ping cycle and the
// acquisition tick keep running; each tick takes the next record of the file (ReadPlaybackRecord)
// instead of a reply, and the file is replayed in a loop.
#include <cstdint>
#include <string>

namespace vz {

class ChartTrack;

// Switches from the Interface Box to a recorded screen-data file chosen by the user (after
// offering to save the settings). Without a choice the program starts over and stays live.
// A recording in progress is closed first.
void EnterPlaybackMode();

// The program's start on a recording given by the user: the settings file when there is one
// (factory settings otherwise, without the first-run questions, the ports left unchosen for the
// next normal start to ask), then playback of `path` at once: no port search, no question, no
// file dialog.
void StartWithPlayback(const std::string& path);

// Back to the Interface Box: the file is closed and the program starts over.
void LeavePlaybackMode();

// Run by the acquisition tick while playing: reads on to the next data record and loads it into
// RxBuffer, applying the settings, temperature and GPS lines on the way. At the end of the file
// (or its closing line) the file starts again from the top after a pause of a second. False when
// no record could be loaded: the file holds none (reported, and playback left) or playback was
// left meanwhile.
bool ReadPlaybackRecord();

// Where playback stands, for the playback bar: the number of the record played last (0 for the
// first, -1 before any), the records in the file, the recording's date ("yyyy-mm-dd") and the
// time of the record played last. The file is indexed on the first call (one reading of the
// file); nothing while not playing.
struct PlaybackPosition {
    std::int64_t record = -1;
    std::int64_t records = 0;
    std::string date, time;
};
PlaybackPosition CurrentPlaybackPosition();

// The track of the recording being played (positions, depths, records), gathered when the file
// is indexed; empty while not playing.
const ChartTrack& PlaybackChartTrack();

// Jumps so that `record` (limited to the file's records) is the next one played: the channel
// settings, temperature and GPS lines in force there apply, as if the file had been read up to
// it, and the echogram is cleared. False when not playing or the file holds no record.
bool SeekPlayback(std::int64_t record);

// Characters 7..8 of the first header line carry the box firmware; files of firmware 8 and files
// whose header holds only asterisks have no extra trailer bytes.
int TrailerExtraBytesFromHeader(const std::string& header1);

} // namespace vz
