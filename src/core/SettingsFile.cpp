#include "core/SettingsFile.h"

#include "core/Defaults.h"
#include "core/SettingsFileFormat.h"
#include "core/StartupTables.h"
#include "core/State.h"
#include "core/Timers.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstdint>
#include <string>

namespace vz {

namespace {

constexpr int kNoDisabledOption = -1;

bool LoadSettingsFile(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray text = file.readAll();
    file.close();
    if (!LoadSettingsFileText(
            std::string_view(text.constData(), static_cast<std::size_t>(text.size())), state())) {
        return false;
    }
    // The texts of lines 1 and 2 are the program's own, whatever an older file held there.
    LoadSettingsFileTexts();
    return true;
}

std::uint8_t AskForPort(const std::string& caption, const std::string& prompt, int disabledOption) {
    dialogs().beep();
    const int port = dialogs().choosePort(caption, prompt, disabledOption);
    state().SettingsChanged = 1;
    return static_cast<std::uint8_t>(port);
}

// The three port prompts, each port asked in turn. False when the program was closed at one of
// them: nothing more is asked then.
bool AskForPorts() {
    State& s = state();
    s.IfbPort = s.GpsPort = s.NmeaPort = kPortNotChosen;
    s.IfbPort = AskForPort(
        "Interface Box Communications Port",
        "1) Please select a COM port for the interface box.  Select 'None' to enter DEMO mode.",
        kNoDisabledOption);
    if (s.ProgramEnding) return false;
    // The box's port cannot serve the GPS or the NMEA output as well.
    const int boxOption = s.IfbPort != 0 ? s.IfbPort - 1 : kNoDisabledOption;
    s.GpsPort =
        AskForPort("GPS Communication Port",
                   "2) Please select a COM port for GPS.  Select 'None' for no GPS.", boxOption);
    if (s.ProgramEnding) return false;
    s.NmeaPort = AskForPort(
        "NMEA Serial Data Output Port",
        "3) Please select a COM port for NMEA data.  Select 'None' for no NMEA output.", boxOption);
    if (s.ProgramEnding) return false;
    dialogs().endPortPrompts();
    return true;
}

// Without a usable file the user chooses the three ports, and everything else starts from the
// factory settings. Closing the program at a prompt ends the start-up with nothing written.
void RunFirstRunDialog() {
    state().KeelOffset = 0.0f;
    if (!AskForPorts()) return;
    LoadDefaultsIntoRam();
    WriteSettingsFile();
}

bool PortsChosen(const State& s) {
    return s.IfbPort != kPortNotChosen && s.GpsPort != kPortNotChosen && s.NmeaPort != kPortNotChosen;
}

// The first-run path replaces an unreadable settings file with factory values; a copy of the old
// one stays beside it (name.bad, or name.bad.1, .bad.2 ... when earlier copies exist), so that the
// user's settings can be recovered by hand. A missing or empty file holds nothing worth keeping,
// and neither does the single line "Deleted" that a port reset leaves on purpose.
void KeepDamagedFile(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) return;
    const QByteArray text = file.readAll().trimmed();
    file.close();
    if (text.isEmpty() || text == "Deleted") return;
    QString copy = file.fileName() + ".bad";
    for (int n = 1; QFile::exists(copy); ++n) copy = file.fileName() + ".bad." + QString::number(n);
    QFile::copy(file.fileName(), copy);
}

// Writes to a temporary file beside the target and renames it over the old file only after the
// whole text was written, so a failed write never leaves a cut-off settings file.
bool SaveWholeFile(const std::string& path, const std::string& text, QString& error) {
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return false;
    }
    // A short write (a full disk) must not be committed: Qt reports it only here.
    if (file.write(text.data(), static_cast<qint64>(text.size())) !=
            static_cast<qint64>(text.size()) ||
        !file.flush()) {
        error = "Writing stopped before the end of the file; the disk may be full.";
        return false; // the uncommitted temporary file is removed with `file`
    }
    if (!file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

void ReportWriteFailure(const std::string& path, const QString& error) {
    dialogs().messageBox("Unable to write the settings file " + path + ".\n\n" +
                             error.toStdString() + "\n\nThe current settings were not saved.",
                         "Settings File", MsgButtons::Ok, MsgIcon::Exclamation);
}

} // namespace

void ReadSettingsFile() {
    timers().tmrMainTimer1.setEnabled(false);
    timers().tmrMainTimer2.setEnabled(false);
    BuildStartupTables();
    const std::string path = mapPath(state().SettingsFilePath);
    if (LoadSettingsFile(path)) {
        // Settings saved before any port was chosen (a session started on a recording) are kept;
        // only the ports are asked for.
        if (!PortsChosen(state()) && AskForPorts()) WriteSettingsFile();
        return;
    }
    KeepDamagedFile(path);
    RunFirstRunDialog();
}

bool WriteSettingsFile() {
    const std::string path = mapPath(state().SettingsFilePath);
    const std::string text = SettingsFileText(state());
    QString error;
    if (!SaveWholeFile(path, text, error)) {
        QDir().mkpath(QFileInfo(QString::fromStdString(path)).absolutePath());
        if (!SaveWholeFile(path, text, error)) {
            ReportWriteFailure(path, error);
            return false;
        }
    }
    state().SettingsChanged = 0;
    return true;
}

} // namespace vz

namespace vz {

void OfferToSaveDefaultSettings(const std::string& question) {
    State& s = state();
    dialogs().beep();
    s.MsgResponse = dialogs().messageBox(question, "Quit Program", MsgButtons::YesNo, MsgIcon::Question);
    if (s.MsgResponse == AnswerYes) {
        s.SettingsFilePath = kDefaultSettingsFile;
        WriteSettingsFile();
    }
}

} // namespace vz
