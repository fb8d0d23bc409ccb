#pragma once
// The File menu: whole settings files created, opened and saved under any name. Every command
// stops the ping cycle while it works and starts the ping request timer again at its end.

namespace vz {

// "New": offers to save the current settings first, then loads the factory settings.
void mnuFileNew_Click();
// "Open Settings": reads a chosen settings file and connects to the box again with it. A file
// that is not a settings file is refused and left untouched.
void mnuFileOpen_Click();
// "Save Settings": writes the default settings file.
void mnuFileSave_Click();
// "Save Settings As...": writes a chosen file, which stays the current settings file.
void mnuFileSaveAs_Click();

} // namespace vz
