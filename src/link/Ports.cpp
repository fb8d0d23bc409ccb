#include "link/Ports.h"

#include "core/Shutdown.h"
#include "core/Startup.h"
#include "core/State.h"
#include "core/Timers.h"
#include "link/BoxProtocol.h"
#include "link/PortAnswer.h"
#include "link/ReceivePath.h"
#include "logging/Playback.h"
#include "nav/GpsdSource.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"
#include "platform/SerialPort.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace vz {

namespace {
constexpr long kLastComPort = 16;
const std::string kOpenError = "Error encountered while trying to open COM";

const std::string kGpsSettings = "4800,n,8,1";
constexpr PortOptions kGpsOptions{16384, 1024, true};
const std::string kNmeaSettings = "4800,n,8,1";
constexpr PortOptions kNmeaOptions{512, 1024, true};

bool IsComPort(long n) { return n >= 1 && n <= kLastComPort; }

// A note for the box's prompt: when the box's adapter was missing as the prompt appeared and is
// present again (plugged back in), it says so.
std::function<std::string()> AdapterBackNote() {
    const std::string n = std::to_string(state().IfbPort);
    const QString device = QString::fromStdString(comDevicePath(state().IfbPort));
    const bool missing = !device.isEmpty() && !QFileInfo::exists(device);
    return [=] {
        if (!missing || !QFileInfo::exists(device)) return std::string();
        return "\r\n\r\nThe adapter of COM" + n + " (" + device.toStdString() + ") is back: enter " + n +
               " and click OK to use it.";
    };
}

// The prompt of a port error dialog with the reason the port gave, when it gave one.
std::string WithReason(const std::string& prompt, const SerialPort& port) {
    const std::string reason = port.openFailure();
    return reason.empty() ? prompt : prompt + "\r\n\r\n" + reason;
}

bool GpsOnSerialPort(const State& s) { return IsComPort(s.GpsPort) && !s.GpsdSource.on; }

// The NMEA output goes out on the GPS port when both are the same COM port and the GPS is read
// from it; otherwise it needs its own port.
bool NmeaSharesGpsPort(const State& s) { return s.NmeaPort == s.GpsPort && !s.GpsdSource.on; }

bool OpenGpsDevice(SerialPort& port) {
    port.onFailure(ScheduleReopen);
    return port.open(state().GpsPort, kGpsSettings, kGpsOptions);
}

bool OpenNmeaDevice(SerialPort& port) {
    port.onFailure(ScheduleReopen);
    return port.open(state().NmeaPort, kNmeaSettings, kNmeaOptions);
}

// Asks for a port of the GPS or NMEA output until the answer is none (0 or Cancel) or a COM
// port that none of `taken` uses.
std::uint8_t AskForSecondaryPort(const std::string& prompt, const std::string& title,
                                 std::initializer_list<std::uint8_t> taken) {
    for (;;) {
        const std::string answer = dialogs().inputBox(prompt, title, "");
        const long port = answer.empty() ? 0 : PortNumberFromAnswer(answer);
        if (port == 0) return 0;
        if (!IsComPort(port)) continue;
        if (std::find(taken.begin(), taken.end(), port) != taken.end()) {
            dialogs().beep();
            continue;
        }
        return static_cast<std::uint8_t>(port);
    }
}
} // namespace

void AskForBoxPort(const std::string& prompt, const std::string& defaultAnswer) {
    State& s = state();
    for (;;) {
        const std::string answer =
            dialogs().inputBoxWithNote(prompt, "Communications Error", defaultAnswer, AdapterBackNote());
        if (answer.empty()) {
            ExitProgram();
            return;
        }
        const long port = PortNumberFromAnswer(answer);
        if (port == 0) {
            s.IfbPort = 0;
            EnterPlaybackMode();
            return;
        }
        if (IsComPort(port)) {
            s.IfbPort = static_cast<std::uint8_t>(port);
            return;
        }
    }
}

void OpenIfbPort() {
    State& s = state();
    while (!s.PlaybackMode && !s.ProgramEnding) {
        SerialPort& port = MSComm1();
        if (port.isOpen()) port.close();
        port.onReceive(BoxReceiveEvent);
        port.onFailure(BoxPortFailure);
        if (s.IfbPort != 0 && port.open(s.IfbPort, "115200,n,8,1", {4096, 0, false})) {
            if (s.IfbPortLost) {
                // The errors raised for the lost port do not concern the new one.
                s.IfbPortLost = false;
                s.CommErrorCount = 0;
            }
            WaitSeconds(1.0);
            // The port may have gone again while the box settled.
            if (port.isOpen()) {
                s.SendSettings = 1;
                return;
            }
        }
        AskForBoxPort(WithReason(kOpenError + std::to_string(s.IfbPort) +
                                     ".\r\nPlease check data and power connections and/or\r\n"
                                     "enter a different COM port number(1-16).\r\n\r\n"
                                     "Enter '0' to go into Playback mode.\r\n\r\n"
                                     "Click Cancel to quit program.",
                                 port),
                      "0");
    }
}

void OpenGpsPort() {
    State& s = state();
    if (s.GpsdSource.on) {
        // gpsd owns the receiver; its port stays closed here.
        if (MSComm2().isOpen()) MSComm2().close();
        StartGpsdSource();
        return;
    }
    StopGpsdSource();
    for (;;) {
        SerialPort& port = MSComm2();
        if (port.isOpen()) port.close();
        if (s.GpsPort == 0 || OpenGpsDevice(port)) return;
        s.GpsPort = AskForSecondaryPort(
            WithReason(kOpenError + std::to_string(s.GpsPort) +
                           ".\r\nPlease check data and power connections and/or\r\n"
                           "enter a different COM port number(1-16) or '0' for none.",
                       port),
            "GPS Communications Error", {s.IfbPort});
    }
}

void OpenNmeaPort() {
    State& s = state();
    for (;;) {
        // The NMEA output shares the GPS port rather than opening it a second time.
        if (NmeaSharesGpsPort(s)) return;
        SerialPort& port = MSComm3();
        if (port.isOpen()) port.close();
        if (s.NmeaPort == 0 || OpenNmeaDevice(port)) return;
        s.NmeaPort = AskForSecondaryPort(
            WithReason(kOpenError + std::to_string(s.NmeaPort) +
                           ".\r\nPlease enter a different COM port number(1-16) or '0' for none.",
                       port),
            "NMEA Data Output Error", {s.IfbPort, s.GpsPort});
    }
}

void ScheduleReopen() {
    Timer& retry = timers().tmrPortRetry;
    retry.onTick(ReopenLostPorts);
    retry.setEnabled(true);
}

void ReopenLostPorts() {
    const State& s = state();
    bool waiting = false;
    if (!s.PlaybackMode && !s.ProgramEnding) {
        // Quietly: a port that is not back yet is tried again at the next run.
        if (GpsOnSerialPort(s) && !MSComm2().isOpen()) waiting |= !OpenGpsDevice(MSComm2());
        if (IsComPort(s.NmeaPort) && !NmeaSharesGpsPort(s) && !MSComm3().isOpen())
            waiting |= !OpenNmeaDevice(MSComm3());
        if (s.GpsdSource.on && !GpsdSourceConnected()) {
            StartGpsdSource();
            waiting = true;
        }
    }
    if (!waiting) timers().tmrPortRetry.setEnabled(false);
}

void ResetCommunicationsPorts() {
    State& s = state();
    Timers& t = timers();
    t.tmrMainTimer1.setEnabled(false);
    t.tmrMainTimer2.setEnabled(false);
    t.tmrGpsTimer.setEnabled(false);
    t.tmrNmeaTimer.setEnabled(false);
    t.tmrPortRetry.setEnabled(false);
    // A first line that is not a settings header makes the start-up ask for the ports again.
    const QString path = QString::fromStdString(mapPath(kDefaultSettingsFile));
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write("Deleted\r\n");
    RunStartupSequence();
    s.SettingsChanged = 1;
}

} // namespace vz
