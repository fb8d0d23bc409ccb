#include "processing/StatusLine.h"

#include "core/State.h"
#include "logging/PlaybackLines.h"
#include "platform/Clock.h"

namespace vz {

void UpdateStatusTexts(State& s) {
    s.ModeText = "Normal";
    if (s.PlaybackMode) {
        // The recording date from the file's second header line; the time stays that of the last
        // record read.
        s.DateText = RecordingDateAsWritten(s.PlaybackHeader2);
        s.ModeText = "Playback";
    } else {
        s.DateText = dateText() + " ";
        s.TimeText = timeText() + " ";
    }
    if (s.RecordPings) s.ModeText = "Recording";
}

StatusLabels StatusLabelsFor(const State& s) {
    StatusLabels labels{s.DateText, s.TimeText, "  Mode: " + s.ModeText,
                        ModeBackground::SystemLight};
    if (s.ModeText == "Playback") {
        labels.mode = "Play: " + s.PlaybackFileName;
        labels.modeBackground = ModeBackground::Red;
    } else if (s.ModeText == "Recording") {
        labels.modeBackground = ModeBackground::Green;
    }
    if (s.Paused) {
        labels.mode = "  Mode: Paused";
        labels.modeBackground = ModeBackground::Yellow;
    }
    return labels;
}

} // namespace vz
