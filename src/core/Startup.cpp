#include "core/Startup.h"

#include "core/SettingsFile.h"
#include "core/State.h"
#include "core/Timers.h"
#include "link/Connection.h"
#include "link/Ports.h"
#include "nav/NavNetworkSettings.h"
#include "nav/NmeaNetworkOutput.h"
#include "platform/Dialogs.h"
#include "processing/BottomTracking.h"

namespace vz {

void RunStartupSequence() {
    State& s = state();
    s.VersionString = "3.16";
    s.IfbPort = s.GpsPort = s.NmeaPort = kPortNotChosen;
    s.TrailerExtraBytes = 0;
    s.CommErrorCount = 0;
    s.ShallowAlarmValue = 20.0f;
    s.ShallowAlarmOn = 0;
    s.DeepAlarmValue = 1000.0f;
    s.DeepAlarmOn = 0;
    s.FishAlarmShallow = 15.0f;
    s.FishAlarmDeep = 90.0f;
    s.FishAlarmOn = 0;
    s.DragAlarmShallow = 20.0f;
    s.DragAlarmDeep = 80.0f;
    s.DragAlarmOn = 0;
    s.FishAlarmThreshold = 4;
    s.FishAlarmSearch = 1;
    s.SoundOn = 0;
    s.DepthDamping = 4;
    // Starting over while recording automatically keeps the rotation going.
    if (!s.LogFileOpen) timers().tmrAutoLogFile.setEnabled(false);
    s.XmitTempLimit = 120;
    std::fill(s.GpsBuffer.begin() + 1, s.GpsBuffer.begin() + 2049, std::uint8_t{0});
    s.GpsCount = 0;
    s.GpsSentenceLength = 0;
    s.PlaybackMode = false;
    s.SettingsFilePath = kDefaultSettingsFile;

    ReadSettingsFile();
    if (s.ProgramEnding) return;
    SearchForInterfaceBox();
    if (s.ProgramEnding) return;
    if (!s.PlaybackMode) OpenIfbPort();
    if (s.ProgramEnding) return;
    s.ShowRangeGate = 0;
    ConnectInterfaceBox();
    if (s.ProgramEnding) return;
    s.GpsIdleSeconds = 0;
    LoadNavNetworkSettings();
    if (s.GpsPort != 0 || s.GpsdSource.on) OpenGpsPort();
    timers().tmrGpsTimer.setEnabled(true);
    s.GpsSpeed = 0;
    if (s.NmeaPort != 0) OpenNmeaPort();
    if (const std::string problem = ApplyNmeaNetworkOutputs(); !problem.empty())
        dialogs().messageBox(problem, "NMEA over TCP", MsgButtons::Ok, MsgIcon::Exclamation);
    timers().tmrNmeaTimer.setEnabled(true);
}

void SetupAutoStart() {
    timers().tmrMainTimer1.setEnabled(false);
    ClearHistoryBuffer(kRxBufferLast);
}

} // namespace vz
