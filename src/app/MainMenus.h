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

} // namespace vz
