#include "link/Connection.h"

#include "controls/SetupProperties.h"
#include "core/Startup.h"
#include "core/State.h"
#include "core/Timers.h"
#include "core/Ui.h"
#include "link/BoxProtocol.h"
#include "link/Ports.h"
#include "platform/Dialogs.h"
#include "platform/Events.h"
#include "processing/BottomTracking.h"
#include "processing/ChannelBlocks.h"
#include "processing/DecodePing.h"
#include "logging/Playback.h"
#include "logging/Recording.h"

#include <string>
#include <utility>

namespace vz {

namespace {
constexpr int kSearchAnimation = 9; // HeldMainButton while the search window shows progress
constexpr int kSearchAnimationMs = 500;
constexpr int kContactAttempts = 3;
constexpr std::uint8_t kFirmwareRegister = 65;
constexpr std::int16_t kLastFirmwareWithoutExtraBytes = 9;
constexpr std::int16_t kExtraTrailerBytes = 3;
constexpr double kTestPingSeconds = 2.0;

// The test ping: 200 kHz on both frequency registers, pulse width 3, transmit power 5 and a
// count of 10 (registers 8 and 9), so the reply is 10 + 10 + TrailerExtraBytes bytes.
constexpr std::pair<std::uint8_t, std::uint8_t> kTestPingRegisters[] = {
    {1, 1}, {2, 1}, {6, 3}, {3, 5}, {8, 0}, {9, 10}};
constexpr std::uint8_t kTestPingProcessing = 1;
constexpr std::int32_t kTestPingBaseLength = 20;

bool connecting = false;
bool playbackChosen = false;

// Counts the connection as under way for its lifetime.
class Connecting {
public:
    Connecting() {
        connecting = true;
        playbackChosen = false;
    }
    ~Connecting() { connecting = false; }
    Connecting(const Connecting&) = delete;
    Connecting& operator=(const Connecting&) = delete;
};

// Several attempts the box ignored: another port, playback, or the end of the program.
void AskAfterContactFailure() {
    AskForBoxPort("Error encountered trying to communicate with Interface Box on COM" +
                  std::to_string(state().IfbPort) +
                  ".\r\n\r\nPlease check data and power connections and/or\r\n"
                  "enter a different COM port number(1-16).\r\n\r\n"
                  "Enter '0' to go into Playback mode.\r\n\r\n"
                  "Click CANCEL to Quit",
                  "0");
}

// Repeats the handshake (firmware version, end-of-handshake command) until the box acknowledges
// or the user switches to playback. False when the program is ending.
bool ContactBox() {
    State& s = state();
    int attempt = 0;
    for (;;) {
        ++attempt;
        if (attempt > kContactAttempts) {
            AskAfterContactFailure();
            if (!s.ProgramEnding) OpenIfbPort();
            if (s.ProgramEnding) return false;
            attempt = 0;
            if (s.PlaybackMode) return true;
        }
        QueryRegister(0); // wakes the box; the answer means nothing
        const auto version = QueryRegister(kFirmwareRegister);
        // Playback chosen meanwhile keeps the trailer layout its recording's header gave.
        if (s.PlaybackMode || playbackChosen) return true;
        if (version) s.IfbFirmwareVersion = *version;
        s.TrailerExtraBytes =
            s.IfbFirmwareVersion > kLastFirmwareWithoutExtraBytes ? kExtraTrailerBytes : 0;
        if (SendCommand(0, 0)) return true;
        if (s.ProgramEnding) return false;
        if (s.PlaybackMode || playbackChosen) return true;
    }
}

// One ping with fixed settings proves that the box answers with whole replies. False when no
// complete reply came within the time allowed.
bool TestPing() {
    State& s = state();
    for (const auto& [reg, value] : kTestPingRegisters) SendCommand(reg, value);
    SendCommand(0, kTestPingProcessing);
    s.PingProcessing = kTestPingProcessing;
    s.PacketLength = s.TrailerExtraBytes + kTestPingBaseLength;
    WaitUntil(kTestPingSeconds, [&s] {
        return s.RxCount >= s.PacketLength || s.IfbPortLost || s.ProgramEnding || playbackChosen;
    });
    if (playbackChosen) return true;
    if (s.RxCount < s.PacketLength) return false;
    std::uint8_t packetError = 0;
    DecodePing(packetError);
    return true;
}

// The start-up sequence run again after a failed test ping. That sequence connects again, and a
// second failure inside it would start it once more from within; instead the nested failure asks
// the outer run to repeat, so the call depth stays bounded however often the box fails.
void StartOver() {
    static bool running = false;
    static bool again = false;
    if (running) {
        again = true;
        return;
    }
    running = true;
    do {
        again = false;
        RunStartupSequence();
    } while (again && !state().ProgramEnding);
    running = false;
}

void StartPingCycle() {
    State& s = state();
    s.DepthPerSample = s.SoundSpeed * s.SampleInterval;
    SetupProperties();
    BuildChannelBlocks();
    s.SendSettings = 0;
    s.WaterTemperature = kNoWaterTemperature;
    s.MaxInBuffer = 0;
    s.LeftSideNow = true;
    ClearRxBuffer(kRxBufferLast);
    ClearHistoryBuffer(kRxBufferLast);
    for (const Channel c : kChannels) {
        LevelHistory& history = s.levelHistory(c);
        for (std::size_t column = 1; column <= 3; ++column) history[column].fill(0);
    }
    timers().tmrMainTimer1.setInterval(410 - 50 * s.ChartSpeed);
    timers().tmrMainTimer1.setEnabled(true);
}
} // namespace

void SearchForInterfaceBox() {
    State& s = state();
    ui().showSearchWindow("Searching for Interface Box on COM:" + std::to_string(s.IfbPort) +
                          ".   Please wait.");
    timers().tmrMainMouse.setInterval(kSearchAnimationMs);
    s.HeldMainButton = kSearchAnimation;
    timers().tmrMainMouse.setEnabled(true);
    OpenIfbPort();
}

void ConnectInterfaceBox() {
    State& s = state();
    s.SettingsChanged = 0;
    s.ClearFullPending = s.ClearLeftPending = s.ClearRightPending = 0;
    // A recording in progress goes on (only its menu command stops it); the next ping records
    // the Full settings, which may have changed.
    s.LogFullBlockRequest = true;
    s.DiagnosticsOn = false;
    // No depth goes out over NMEA until this connection has measured one.
    s.BottomDepthSeconds = -1.0;
    s.BottomFound = false;
    ui().loadDiagnostics();
    s.MinPingValue = 255;
    s.MaxPingValue = 0;

    if (!s.PlaybackMode) {
        const Connecting connection;
        if (!ContactBox()) return;
        if (!s.PlaybackMode && !playbackChosen) {
            ReadSerialNumber();
            if (!TestPing()) {
                if (s.ProgramEnding) return;
                dialogs().messageBox("Error communicating with Interface Box.  Please check COM "
                                     "port, \r\nconnections and cycle power On/Off then click OK.",
                                     "Communications Error", MsgButtons::Ok, MsgIcon::Exclamation);
                StartOver();
                return;
            }
        }
        if (playbackChosen) {
            EnterPlaybackMode();
            // Without a file chosen the start-up has run again and connected from the start.
            if (!s.PlaybackMode) return;
        }
    }
    if (s.ProgramEnding) return;
    if (!s.PlaybackMode) MatchRecordingToBox();
    StartPingCycle();
}

void cmdCheckPortsPlaybackMode_Click() {
    if (connecting) {
        playbackChosen = true;
        return;
    }
    EnterPlaybackMode();
}

bool ConnectionAbandoned() { return connecting && playbackChosen; }

} // namespace vz
