#include "logging/Playback.h"

#include "core/Defaults.h"
#include "core/SettingsFile.h"
#include "core/StartupTables.h"
#include "core/Startup.h"
#include "core/State.h"
#include "core/Timers.h"
#include "core/Ui.h"
#include "link/BoxProtocol.h"
#include "link/Connection.h"
#include "display/Scrolling.h"
#include "logging/PlaybackFile.h"
#include "logging/PlaybackIndex.h"
#include "logging/PlaybackLines.h"
#include "logging/PlaybackReader.h"
#include "logging/PlaybackTrack.h"
#include "logging/Recording.h"
#include "logging/RecordingMenu.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"

#include <QFileInfo>

#include <algorithm>
#include <cctype>

namespace vz {

namespace {

const char* const kNoPosition = "- - - - -";
const char* const kPlaybackTitle = "Playback Screen Data From File";
constexpr double kPauseAtEndSeconds = 1.0;

PlaybackFile file;
// Whether the file has given a record since it was chosen: a file that reaches its end without
// one would otherwise be reopened for ever.
bool recordSeen = false;
// Record positions, read once when first asked for; the start of the record played last.
PlaybackIndex fileIndex;
std::int64_t lastRecordAt = -1;
// The recording's track, gathered with the index.
ChartTrack fileTrack;

const PlaybackLineSeen kTrackRecords = [](PlaybackLineKind kind, std::string_view, std::int64_t at) {
    if (kind == PlaybackLineKind::DataRecord) lastRecordAt = at;
};

bool EnsureIndex() {
    if (fileIndex.built()) return true;
    PlaybackTrackReader track(fileTrack);
    return fileIndex.build(mapPath(state().ScreenDataFile),
                           [&track](PlaybackLineKind kind, std::string_view line, std::int64_t record) {
                               track.line(kind, line, record);
                           });
}

void ShowPlaybackState(bool playing) {
    State& s = state();
    s.PlaybackMode = playing;
    s.PlaybackChecked = playing;
    s.RecordMenuEnabled = !playing;
    s.NmeaMenuEnabled = !playing;
    ui().showPlaybackControls(playing);
    ui().refreshMenus();
}

// Playback switched on: no requests, nothing recorded, position read-outs blank.
void BeginPlayback() {
    State& s = state();
    timers().tmrMainTimer1.setEnabled(false);
    timers().tmrMainTimer2.setEnabled(false);
    if (s.LogFileOpen || s.RecordPings) {
        CloseRecordingFile(true);
        ShowRecordingStopped();
    }
    ShowPlaybackState(true);
    s.LatCaption = s.LongCaption = kNoPosition;
    ui().showPosition();
    s.GpsSpeed = 0;
}

void Report(const std::string& text) {
    dialogs().beep();
    dialogs().messageBox(text, kPlaybackTitle, MsgButtons::Ok, MsgIcon::Exclamation);
}

// Opens ScreenDataFile and takes its header lines (none when it cannot be opened).
bool OpenFile() {
    State& s = state();
    const bool opened = file.open(mapPath(s.ScreenDataFile));
    s.PlaybackHeader1 = file.header1();
    s.PlaybackHeader2 = file.header2();
    return opened;
}

// Takes the chosen file. One that cannot be opened is reported by the first tick that reads it.
void PlayFile(const std::string& path) {
    State& s = state();
    s.ScreenDataFile = path;
    const auto slash = path.find_last_of("\\/");
    s.PlaybackFileName = path.substr(slash == std::string::npos ? 0 : slash + 1);
    for (char& c : s.PlaybackFileName) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    recordSeen = false;
    fileIndex.clear();
    fileTrack.clear();
    lastRecordAt = -1;
    OpenFile();
    s.TrailerExtraBytes = static_cast<std::int16_t>(TrailerExtraBytesFromHeader(s.PlaybackHeader1));
    s.ClearFullPending = s.ClearLeftPending = s.ClearRightPending = 1;
    timers().tmrMainMouse.setInterval(150);
}

// The end of the file, or its closing line: a pause, then the file again from the top.
bool StartFileAgain() {
    State& s = state();
    file.close();
    WaitSeconds(kPauseAtEndSeconds);
    if (s.ProgramEnding || !s.PlaybackMode) return false;
    lastRecordAt = -1;
    if (!OpenFile()) {
        Report("The file " + s.ScreenDataFile + " cannot be read any more.");
        LeavePlaybackMode();
        return false;
    }
    timers().tmrMainMouse.setInterval(150);
    return true;
}

} // namespace

int TrailerExtraBytesFromHeader(const std::string& header1) {
    const std::string at7 = header1.size() >= 7 ? header1.substr(6, 2) : std::string();
    if (at7 == "08" || at7 == "**" || (!at7.empty() && at7[0] == '8')) return 0;
    return 3;
}

void EnterPlaybackMode() {
    BeginPlayback();
    OfferToSaveDefaultSettings("Playing data can change screen settings.  Save current screen settings?");
    const std::string path = dialogs().openFile("Playback data file - select a file:",
                                                "Files (I*.??I)| I*.??I", "C:\\TEMPIFB\\");
    if (path.empty()) {
        // Back to live before starting over, as the start-up may enter playback once more.
        ShowPlaybackState(false);
        RunStartupSequence();
        return;
    }
    PlayFile(path);
    timers().tmrMainTimer1.setEnabled(true);
}

void StartWithPlayback(const std::string& path) {
    State& s = state();
    if (QFileInfo::exists(QString::fromStdString(mapPath(s.SettingsFilePath)))) {
        ReadSettingsFile();
    } else {
        BuildStartupTables();
        LoadDefaultsIntoRam();
    }
    if (s.ProgramEnding) return;
    BeginPlayback();
    // Connecting in playback applies the settings and starts the ping cycle without the box.
    PlayFile(path);
    ConnectInterfaceBox();
}

void LeavePlaybackMode() {
    State& s = state();
    timers().tmrMainTimer1.setEnabled(false);
    timers().tmrMainTimer2.setEnabled(false);
    file.close();
    fileTrack.clear();
    timers().tmrMainMouse.setInterval(150);
    ShowPlaybackState(false);
    RunStartupSequence();
    if (s.ProgramEnding) return;
    s.ClearFullPending = s.ClearLeftPending = s.ClearRightPending = 1;
    timers().tmrMainTimer1.setEnabled(true);
}

bool ReadPlaybackRecord() {
    State& s = state();
    // The pause at the end of the file lets events run: no second tick may start meanwhile.
    timers().tmrMainTimer2.setEnabled(false);
    for (;;) {
        if (file.isOpen() && ReadUpToRecord(file, s, kTrackRecords) == RecordRead::Record) {
            recordSeen = true;
            return true;
        }
        if (!recordSeen) {
            Report("The file " + s.ScreenDataFile +
                   (file.isOpen() ? " holds no screen data to play." : " cannot be opened."));
            LeavePlaybackMode();
            return false;
        }
        if (!StartFileAgain()) return false;
    }
}

PlaybackPosition CurrentPlaybackPosition() {
    const State& s = state();
    PlaybackPosition p;
    if (!s.PlaybackMode || !EnsureIndex()) return p;
    p.records = fileIndex.records();
    p.record = lastRecordAt < 0 ? -1 : fileIndex.recordStartingAtOrBefore(lastRecordAt);
    p.date = RecordingDate(s.PlaybackHeader2);
    p.time = p.record < 0 ? std::string() : s.TimeText;
    return p;
}

const ChartTrack& PlaybackChartTrack() {
    if (state().PlaybackMode) EnsureIndex();
    return fileTrack;
}

bool SeekPlayback(std::int64_t record) {
    State& s = state();
    if (!s.PlaybackMode || !file.isOpen() || !EnsureIndex() || fileIndex.records() == 0) return false;
    record = std::clamp<std::int64_t>(record, 0, fileIndex.records() - 1);
    // The lines in force before the checkpoint's ping, then the pings from there up to the one
    // wanted, whose own lines are read with its record.
    const PlaybackIndex::Checkpoint checkpoint = fileIndex.checkpointFor(record);
    for (const std::int64_t at : checkpoint.linesInForce) {
        if (file.seek(at) && file.next(s.PlaybackLine) == PlaybackFile::Line::Text) {
            ApplyPlaybackLine(KindOfPlaybackLine(s.PlaybackLine), s);
        }
    }
    file.seek(checkpoint.pingAt);
    for (std::int64_t k = checkpoint.record; k < record; ++k) {
        if (ReadUpToRecord(file, s) != RecordRead::Record) break;
    }
    lastRecordAt = record > 0 ? fileIndex.recordAt(record - 1) : -1;
    // The ping cycle turns the side over before each record: leave it so that it turns to the
    // record's own side.
    if (s.SplitScreen != 0) s.LeftSideNow = fileIndex.sideOf(record) == 'R';
    s.ClearFullPending = 1;
    ClearEchogram();
    return true;
}

} // namespace vz
