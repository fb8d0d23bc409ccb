#pragma once
#include "core/Ui.h"

namespace vz {

struct State;

// Sets ModeText, DateText and TimeText after a reply: "Normal" with the system date and time
// when live, "Playback" with the recording date of the played file, "Recording" while replies
// are recorded.
void UpdateStatusTexts(State& s);

// The captions and mode colour the main window shows for the current texts and pause state.
StatusLabels StatusLabelsFor(const State& s);

} // namespace vz
