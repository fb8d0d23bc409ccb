#pragma once
// The screen-data file being recorded: opened in the data folder ("C:\TEMPIFB\"), written line by
// line by the ping cycle and the acquisition tick. Every line goes to the system as it is
// written, and each data record is forced to the disk, so a crash or a power loss costs at most
// the ping in progress. An existing file is never replaced. A file that cannot be opened or
// written is reported in a message box and recording stops.
#include "core/Channel.h"

#include <string>

namespace vz {

// Opens a new file named from the current date and time and writes its two header lines.
// A file still waiting for its closing line is finished first. Sets RecordPings, clears
// CloseLogRequest, names the file in ScreenDataFile and asks for a Full channel line at the next
// ping, so that every file carries the settings it needs to be replayed. False (reported, and
// recording stopped) when no file could be opened.
bool OpenRecordingFile();

// Automatic rotation: the current file ends without a closing line and a new one takes over.
void RotateRecordingFile();

// After a connection: a file whose header names another box firmware than the one connected
// now gets its closing line, and recording goes on in a new file, since the header tells how the
// file's replies end. A file that was only waiting for its closing line is closed.
void MatchRecordingToBox();

// Ends recording now: the closing line when `withClosingLine`, then the file is closed and
// RecordPings, LogFileOpen and CloseLogRequest cleared. Does nothing when no file is open.
void CloseRecordingFile(bool withClosingLine);

// The ping cycle's lines, written while LogFileOpen: the temperature and depth line, and the
// GPS line when LogGpsRequest asks for it (which is then cleared).
void WriteTemperatureAndGpsLines();
// A blank line, then the channel line of `channel`'s command block.
void WriteChannelLine(Channel channel);

// The acquisition tick's part, while RecordPings: the data record of the reply in RxBuffer
// (entries 1..PacketLength); then, when CloseLogRequest is set, the closing line, and the file
// is closed.
void RecordReply();

// Full path of the file being written; empty when none is open.
std::string RecordingFilePath();

} // namespace vz
