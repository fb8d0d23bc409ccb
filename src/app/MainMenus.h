#pragma once
// The main window's menu bar: File, Edit, Options, View and Help, each item wired to the
// operation that owns it.
class QMenuBar;

namespace vz {

void BuildMainMenus(QMenuBar* bar);
// Check marks, captions and availability from the settings state.
void RefreshMainMenus();
// Items that do not apply while playing a recording are made unavailable, and back.
void ShowMenusForPlayback(bool playback);
// Hides the menus' pop-up windows (temperature calibration, about), as the main window does
// when it is clicked or activated.
void HideMenuPopups();

} // namespace vz
