#include "core/FileMenu.h"

#include "controls/SetupProperties.h"
#include "core/Defaults.h"
#include "core/SettingsFile.h"
#include "core/SettingsFileFormat.h"
#include "core/State.h"
#include "core/Timers.h"
#include "link/Connection.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"
#include "processing/ChannelBlocks.h"

#include <QFile>

#include <memory>
#include <string>

namespace vz {

namespace {

constexpr const char* kSettingsFolder = "C:\\TempIFB";
constexpr const char* kAnyFileFilter = "Files (*.*)| *.*";

void StopPingCycle() {
    timers().tmrMainTimer1.setEnabled(false);
    timers().tmrMainTimer2.setEnabled(false);
}

// The next ping cycle starts the acquisition tick itself.
void StartPingRequests() { timers().tmrMainTimer1.setEnabled(true); }

// Reading a file that is no settings file would run the first-run prompts and then write factory
// values over it; so the file is tried on a scratch record first.
bool IsSettingsFile(const std::string& path) {
    QFile file(QString::fromStdString(mapPath(path)));
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray text = file.readAll();
    auto scratch = std::make_unique<State>();
    return LoadSettingsFileText(std::string_view(text.constData(), static_cast<std::size_t>(text.size())),
                                *scratch);
}

} // namespace

void mnuFileNew_Click() {
    State& s = state();
    dialogs().beep();
    s.MsgResponse = dialogs().messageBox("New default setup.  Save existing setup data first?",
                                         "New setup", MsgButtons::YesNo, MsgIcon::Question);
    StopPingCycle();
    if (s.MsgResponse == AnswerYes) WriteSettingsFile();
    LoadDefaultsIntoRam();
    SetupProperties();
    BuildChannelBlocks();
    s.SettingsChanged = 1;
    s.WaterTemperature = kNoWaterTemperature;
    StartPingRequests();
}

void mnuFileOpen_Click() {
    State& s = state();
    StopPingCycle();
    const std::string chosen = dialogs().openFile("Read Settings from File:", kAnyFileFilter, kSettingsFolder);
    if (chosen.empty()) {
        StartPingRequests();
        return;
    }
    if (!IsSettingsFile(chosen)) {
        dialogs().messageBox(chosen + " is not a settings file.\r\n\r\nNothing was read or changed.",
                             "Read Settings from File:", MsgButtons::Ok, MsgIcon::Exclamation);
        StartPingRequests();
        return;
    }
    s.SettingsFilePath = chosen;
    ReadSettingsFile();
    ConnectInterfaceBox();
    if (s.ProgramEnding) return;
    s.SettingsChanged = 1;
    s.WaterTemperature = kNoWaterTemperature;
    StartPingRequests();
}

void mnuFileSave_Click() {
    StopPingCycle();
    state().SettingsFilePath = kDefaultSettingsFile;
    WriteSettingsFile();
    StartPingRequests();
}

void mnuFileSaveAs_Click() {
    StopPingCycle();
    const std::string chosen = dialogs().saveFile("Save Settings to File: ", kAnyFileFilter, kSettingsFolder);
    if (!chosen.empty()) {
        state().SettingsFilePath = chosen;
        WriteSettingsFile();
    }
    StartPingRequests();
}

} // namespace vz
