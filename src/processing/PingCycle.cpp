#include "processing/PingCycle.h"

#include "core/State.h"
#include "core/Timers.h"
#include "core/Ui.h"
#include "display/Scrolling.h"
#include "link/BoxProtocol.h"
#include "logging/Recording.h"
#include "platform/Events.h"
#include "processing/AcquisitionTick.h"
#include "processing/ChannelBlocks.h"

#include <algorithm>

namespace vz {

namespace {

constexpr int kSearchAnimationRunning = 9;
constexpr int kSearchAnimationDone = 10;

// Registers 15..1 first; writing the processing code into register 0 starts the ping.
void RequestPing(State& s, Channel c) {
    SendChannelSettings(c);
    const ChannelBlock& block = s.block(c);
    SendCommand(0, block[0]);
    s.PacketLength = block[8] * 256 + block[9] + 10 + s.TrailerExtraBytes;
    s.PingProcessing = block[0];
}

int cyclesRunning = 0;
int deepestNesting = 0;

class CycleRunning {
public:
    CycleRunning() { deepestNesting = std::max(deepestNesting, ++cyclesRunning); }
    ~CycleRunning() { --cyclesRunning; }
    CycleRunning(const CycleRunning&) = delete;
    CycleRunning& operator=(const CycleRunning&) = delete;
};

} // namespace

bool PingCycleRunning() { return cyclesRunning > 0; }
int DeepestPingCycleNesting() { return deepestNesting; }

void PingCycle() {
    State& s = state();
    Timers& t = timers();
    if (ui().colorScaleVisible()) return;
    // A request while the last reply is still due would cut it off and mix the two on the wire.
    // Settings changes enable the cycle at any time; the acquisition tick enables it again once
    // the reply is in or overdue.
    if (!s.PlaybackMode && t.tmrMainTimer2.enabled() && !ReplyOverdue(s)) {
        t.tmrMainTimer1.setEnabled(false);
        return;
    }
    const CycleRunning running;
    if (s.HeldMainButton == kSearchAnimationRunning) {
        t.tmrMainMouse.setEnabled(false);
        ui().closeSearchWindow();
        s.HeldMainButton = kSearchAnimationDone;
    }
    t.tmrMainTimer1.setEnabled(false);
    if (s.PlaybackMode) {
        t.tmrMainTimer2.setEnabled(false);
        ui().showPlaybackControls(true);
    } else {
        ReadWaterTemp();
    }
    ProcessEvents();
    if (s.LogFileOpen) WriteTemperatureAndGpsLines();
    BuildChannelBlocks();

    bool scroll = true;
    if (s.SplitScreen != 0) {
        s.LeftSideNow = !s.LeftSideNow;
        if (!s.PlaybackMode) {
            const Channel side = s.LeftSideNow ? Channel::Left : Channel::Right;
            RequestPing(s, side);
            if (s.LogFileOpen) WriteChannelLine(side);
        }
        // One echogram column per Left/Right pair: scroll after the Right request only.
        scroll = !s.LeftSideNow;
    } else if (!s.PlaybackMode) {
        RequestPing(s, Channel::Full);
        // The Full settings are recorded only when they may have changed.
        if (s.LogFileOpen && (s.SendSettings == 1 || s.LogFullBlockRequest)) {
            s.LogFullBlockRequest = false;
            WriteChannelLine(Channel::Full);
        }
    }
    if (scroll) {
        ProcessEvents();
        ScrollAndPresent();
    }
    if (s.ProgramEnding) return;

    t.tmrMainTimer1.setInterval(410 - 50 * s.ChartSpeed);
    t.tmrMainTimer2.setEnabled(true);
    s.PingWaitTicks = 0;
}

} // namespace vz
