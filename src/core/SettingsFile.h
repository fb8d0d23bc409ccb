#pragma once
// The settings file: every user setting, the three COM ports and the three channel records, read
// at start-up and on File > Open, written after the first-run port prompts, on File > Save, Save
// As and New, and at exit. The file is state().SettingsFilePath.

#include <string>

namespace vz {

// Stops the two ping timers, builds the start-up tables and loads the settings file. A missing or
// damaged file runs the first-run prompts for the three COM ports instead, then loads the factory
// settings and writes a complete new file. A file saved before its ports were ever chosen (by a
// session started on a recording) keeps its settings: only the port prompts run, and the file is
// written again with the ports.
void ReadSettingsFile();

// Writes the whole record to the settings file, replacing it only once the new text is
// completely written. Creates the file's folder when needed. Returns whether the file was
// written; a failure is reported to the user in a message box and leaves SettingsChanged set.
bool WriteSettingsFile();

// Beeps and asks `question` (Yes/No, titled "Quit Program"), keeping the answer in MsgResponse;
// on Yes the settings go to the default settings file, which becomes the current one.
void OfferToSaveDefaultSettings(const std::string& question);

} // namespace vz
