#include "logging/PlaybackReader.h"

#include "controls/FileSettings.h"
#include "core/State.h"
#include "core/Ui.h"
#include "display/Scrolling.h"
#include "logging/PlaybackFile.h"
#include "logging/PlaybackLines.h"

namespace vz {

void ApplySettingsLine(State& s) {
    const bool split = s.PlaybackLine.front() != 'F';
    // The line names the half its record belongs to, whatever side the ping cycle turned to
    // (it is out of step at the first record after a switch to Split screen).
    if (split) s.LeftSideNow = s.PlaybackLine.front() == 'L';
    if ((s.SplitScreen != 0) != split) {
        s.ClearFullPending = 1;
        ClearEchogram();
        s.SplitScreen = split ? 1 : 0;
        ui().applySettingsToControls();
    }
    UpdateSettingsFromFileData();
}

void ApplyPlaybackLine(PlaybackLineKind kind, State& s) {
    const std::string& line = s.PlaybackLine;
    switch (kind) {
    case PlaybackLineKind::Gps:
        ApplyGpsLine(line, s);
        ui().showPosition();
        break;
    case PlaybackLineKind::Temperature: ApplyTemperatureLine(line, s); break;
    case PlaybackLineKind::Settings: ApplySettingsLine(s); break;
    default: break;
    }
}

RecordRead ReadUpToRecord(PlaybackFile& file, State& s, const PlaybackLineSeen& seen) {
    std::string& line = s.PlaybackLine;
    for (;;) {
        const std::int64_t at = file.position();
        const PlaybackFile::Line read = file.next(line);
        if (read == PlaybackFile::Line::End) return RecordRead::End;
        if (read == PlaybackFile::Line::TooLong) continue;
        const PlaybackLineKind kind = KindOfPlaybackLine(line);
        if (seen) seen(kind, line, at);
        if (kind == PlaybackLineKind::Closed) return RecordRead::End;
        if (kind != PlaybackLineKind::DataRecord) ApplyPlaybackLine(kind, s);
        else if (LoadDataRecord(line, s)) return RecordRead::Record;
    }
}

} // namespace vz
