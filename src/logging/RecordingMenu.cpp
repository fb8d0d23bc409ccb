#include "logging/RecordingMenu.h"

#include "controls/NumericValue.h"
#include "core/SettingsNumbers.h"
#include "core/State.h"
#include "core/Timers.h"
#include "core/Ui.h"
#include "logging/Playback.h"
#include "logging/Recording.h"
#include "platform/Dialogs.h"

#include <algorithm>
#include <cmath>

namespace vz {

namespace {

constexpr int kMinAutoSaveMinutes = 1;
constexpr int kMaxAutoSaveMinutes = 120;

enum class RecordCommand { Now, Automatically };

void SetAutoLogTimer(bool on) {
    Timer& t = timers().tmrAutoLogFile;
    t.onTick(tmrAutoLogFile_Timer);
    t.setEnabled(on);
}

// Both commands share one switch; the command given decides which item is checked and which
// stay available meanwhile.
void ToggleRecording(RecordCommand command) {
    State& s = state();
    s.LogFileOpen = !s.LogFileOpen;
    const bool on = s.LogFileOpen;
    s.RecordNowChecked = s.RecordAutoChecked = false;
    if (command == RecordCommand::Now) {
        s.RecordNowChecked = on;
        s.RecordAutoEnabled = !on;
    } else {
        s.RecordAutoChecked = on;
        s.RecordNowEnabled = !on;
        if (on) s.AutoSaveMinuteCount = 0;
        SetAutoLogTimer(on);
    }
    s.PlaybackEnabled = !on;
    ui().refreshMenus();
    // The closing line follows the next data record, which the acquisition tick writes.
    if (!on) s.CloseLogRequest = true;
    else OpenRecordingFile();
}

} // namespace

void mnuOptionsSaveScreenDataNow_Click() { ToggleRecording(RecordCommand::Now); }

void mnuOptionsSaveScreenDataAutomatically_Click() { ToggleRecording(RecordCommand::Automatically); }

void mnuOptionsSetAutoSaveMinutes_Click() {
    State& s = state();
    std::string current = FormatSettingsNumber(std::int64_t{s.AutoSaveMinutes});
    current.pop_back(); // the number keeps its leading blank only
    const std::string answer = dialogs().inputBox(
        "Time between AutoSave Logfiles currently = " + current + " Minutes\r\n\r\n"
        "Enter number of minutes between saves to Logfile (1-120)",
        "View/Set AutoSave Minutes", std::to_string(s.AutoSaveMinutes));
    if (answer.empty()) return;
    const double minutes = std::nearbyint(NumericValue(answer));
    const auto value = static_cast<std::int16_t>(
        std::clamp<double>(minutes, kMinAutoSaveMinutes, kMaxAutoSaveMinutes));
    if (value != s.AutoSaveMinutes) s.SettingsChanged = 1;
    s.AutoSaveMinutes = value;
}

void mnuOptionsPlaybackScreenData_Click() {
    if (state().PlaybackMode) LeavePlaybackMode();
    else EnterPlaybackMode();
}

void tmrAutoLogFile_Timer() {
    State& s = state();
    if (!s.LogFileOpen) return;
    ++s.AutoSaveMinuteCount;
    if (s.AutoSaveMinuteCount < s.AutoSaveMinutes) return;
    s.AutoSaveMinuteCount = 0;
    RotateRecordingFile();
}

void ShowRecordingStopped() {
    State& s = state();
    s.RecordNowChecked = s.RecordAutoChecked = false;
    s.RecordNowEnabled = s.RecordAutoEnabled = true;
    s.PlaybackEnabled = true;
    timers().tmrAutoLogFile.setEnabled(false);
    ui().refreshMenus();
}

} // namespace vz
