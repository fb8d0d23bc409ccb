#include "processing/AcquisitionTick.h"

#include "core/State.h"
#include "core/Timers.h"
#include "core/Ui.h"
#include "display/EchoColumn.h"
#include "display/Overlay.h"
#include "display/Scrolling.h"
#include "link/Ports.h"
#include "logging/Playback.h"
#include "logging/Recording.h"
#include "nav/ChartTrack.h"
#include "platform/Dialogs.h"
#include "platform/Events.h"
#include "processing/BottomTracking.h"
#include "processing/DecodePing.h"
#include "processing/PingCycle.h"
#include "processing/StatusLine.h"

#include <algorithm>
#include <cstdint>
#include <string>

namespace vz {

namespace {

// Missed deadlines tolerated between two clears of the count before the user is asked.
constexpr int kCommErrorLimit = 10;

enum class Reply { Pending, Missed, Ready };

std::string CommErrorPrompt(int port) {
    return "Error encountered while trying to open COM" + std::to_string(port) +
           ".\r\nPlease check data and power connections and/or\r\nenter a different COM port "
           "number(1-16).\r\n\r\nEnter '0' to go into Playback mode.";
}

// Offers another COM port, playback (0) or the end of the program (Cancel), then reopens the
// box port with the answer.
void CommunicationsErrorPrompt(State& s) {
    dialogs().beep();
    ui().setCommsIndicator(false);
    s.CommErrorCount = 0;
    s.PingWaitTicks = 0;
    AskForBoxPort(CommErrorPrompt(s.IfbPort), "");
    if (s.ProgramEnding) return;
    s.PingWaitTicks = 1;
    OpenIfbPort();
}

Reply WaitForReply(State& s) {
    ++s.PingWaitTicks;
    ui().showPingWaitTicks();
    if (ReplyOverdue(s)) {
        ++s.CommErrorCount;
        return Reply::Missed;
    }
    if (s.CommErrorCount > kCommErrorLimit) {
        CommunicationsErrorPrompt(s);
        return Reply::Missed;
    }
    ui().setCommsIndicator(true);
    return s.RxCount >= s.PacketLength ? Reply::Ready : Reply::Pending;
}

// The extremes of the raw samples shown by the diagnostics window; its other values are those
// of the previous reply, as this one is not decoded yet.
void RefreshDiagnostics(State& s) {
    const int last =
        std::min<int>(s.PacketLength, kRxBufferLast) - 10 - std::max<int>(0, s.TrailerExtraBytes);
    for (int i = 2; i <= last; ++i) {
        s.MinPingValue = std::min<int>(s.MinPingValue, s.RxBuffer[i]);
        s.MaxPingValue = std::max<int>(s.MaxPingValue, s.RxBuffer[i]);
    }
    ui().refreshDiagnostics();
}

long repliesDrawn = 0;

void ProcessReply(State& s) {
    timers().tmrMainTimer2.setEnabled(false);
    if (s.SendSettings == 1) {
        s.SendSettings = 0;
        // Measured with the settings from before the change. A recorded reply is still shown.
        if (!s.PlaybackMode) return;
    }
    ProcessEvents();
    // The raw reply, before decoding changes it in place.
    if (s.RecordPings) RecordReply();
    if (s.DiagnosticsOn) RefreshDiagnostics(s);

    std::uint8_t packetError = 0;
    DecodePing(packetError);
    if (packetError != 0) {
        dialogs().beep();
        return;
    }
    if (s.ClutterFilter > 0) ApplyClutterFilter();
    DrawEchoColumn();
    ++repliesDrawn;
    TrackBottom();
    if (!s.PlaybackMode) NoteSessionPosition();
    // In Split screen the read-outs are drawn once per Left/Right pair, after the Left reply.
    if (s.SplitScreen == 0 || s.LeftSideNow) DrawOverlay();
    if (s.ClearFullPending + s.ClearLeftPending + s.ClearRightPending != 0) ClearEchogram();
}

void ShowStatusAndRearm(State& s) {
    UpdateStatusTexts(s);
    timers().tmrMainTimer1.setEnabled(!s.Paused);
    ui().showStatus(StatusLabelsFor(s));
}

} // namespace

bool ReplyOverdue(const State& s) { return s.PacketLength / 10.0 + 30 < s.PingWaitTicks; }

void AcquisitionTickHeld() {
    // A ping cycle that waits for a silent box takes seconds; the ticks of an overdue reply that
    // fall within it count as misses, so that the error count reaches the prompt as it would
    // between cycles. Nothing else of the tick runs inside the cycle.
    if (!PingCycleRunning()) return;
    State& s = state();
    ++s.PingWaitTicks;
    if (ReplyOverdue(s)) ++s.CommErrorCount;
}

void AcquisitionTick() {
    State& s = state();
    if (s.PlaybackMode && !ReadPlaybackRecord()) return;
    // A recorded reply is in hand at once: no wait and no deadline.
    const Reply reply = s.PlaybackMode ? Reply::Ready : WaitForReply(s);
    if (reply == Reply::Pending) return;
    if (reply == Reply::Ready) ProcessReply(s);
    if (s.ProgramEnding) return;
    ShowStatusAndRearm(s);
}

long RepliesDrawn() { return repliesDrawn; }

void ClearCommErrors() {
    state().CommErrorCount = 0;
}

} // namespace vz
