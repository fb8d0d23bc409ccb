#include "logging/Playback.h"

#include "core/SettingsFile.h"
#include "core/Startup.h"
#include "core/State.h"
#include "core/Timers.h"
#include "core/Ui.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"

#include <fstream>

namespace vz {

int TrailerExtraBytesFromHeader(const std::string& header1) {
    const std::string at7 = header1.size() >= 7 ? header1.substr(6, 2) : std::string();
    if (at7 == "08" || at7 == "**" || (!at7.empty() && at7[0] == '8')) return 0;
    return 3;
}

void EnterPlaybackMode() {
    State& s = state();
    s.PlaybackMode = true;
    s.GpsSpeed = 0;
    timers().tmrMainTimer1.setEnabled(false);
    timers().tmrMainTimer2.setEnabled(false);
    ui().showPlaybackControls(true);

    dialogs().beep();
    s.MsgResponse = dialogs().messageBox(
        "Playing data can change screen settings.  Save current screen settings?", "Quit Program",
        MsgButtons::YesNo, MsgIcon::Question);
    if (s.MsgResponse == AnswerYes) {
        s.SettingsFilePath = "C:\\TempIFB\\VOSKVALS.DAT";
        WriteSettingsFile();
    }
    const std::string file = dialogs().openFile("Playback data file - select a file:",
                                                "Files (I*.??I)| I*.??I", "C:\\TEMPIFB\\");
    if (file.empty()) {
        RunStartupSequence();
        s.PlaybackMode = false;
        ui().showPlaybackControls(false);
        return;
    }
    s.ScreenDataFile = file;
    const auto slash = file.find_last_of("\\/");
    s.PlaybackFileName = file.substr(slash == std::string::npos ? 0 : slash + 1);
    for (char& c : s.PlaybackFileName) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    std::ifstream in(mapPath(file));
    std::getline(in, s.PlaybackHeader1);
    std::getline(in, s.PlaybackHeader2);
    s.TrailerExtraBytes = static_cast<std::int16_t>(TrailerExtraBytesFromHeader(s.PlaybackHeader1));
    s.ClearFullPending = s.ClearLeftPending = s.ClearRightPending = 1;
    timers().tmrMainMouse.setInterval(150);
    timers().tmrMainTimer1.setEnabled(true);
}

} // namespace vz
