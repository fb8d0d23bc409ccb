#pragma once
// The Options menu's recording and playback commands. They keep the items' check marks and
// availability in the state record (RecordNowChecked, RecordNowEnabled, ...) and ask the window
// to show them (Ui::refreshMenus).

namespace vz {

// "Toggle ON/OFF Manually": one file, from now until the command is given again.
void mnuOptionsSaveScreenDataNow_Click();
// "Automatically": a new file every AutoSaveMinutes minutes until the command is given again.
void mnuOptionsSaveScreenDataAutomatically_Click();
// "View/Set AutoSave Minutes": asks for AutoSaveMinutes (1..120).
void mnuOptionsSetAutoSaveMinutes_Click();
// "Playback Screen Data From File": enters playback, or leaves it when playing.
void mnuOptionsPlaybackScreenData_Click();

// tmrAutoLogFile, once a minute while recording automatically: rotates the file when its
// minutes are up.
void tmrAutoLogFile_Timer();

// Recording ended without the menu (a failure, or playback entered): both recording commands
// unchecked and available again, playback available, rotation stopped.
void ShowRecordingStopped();

} // namespace vz
