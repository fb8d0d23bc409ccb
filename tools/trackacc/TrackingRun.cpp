#include "TrackingRun.h"

#include "GateClick.h"
#include "SimProcess.h"
#include "TruthFile.h"
#include "core/Defaults.h"
#include "core/DepthUnits.h"
#include "core/StartupTables.h"
#include "core/State.h"
#include "processing/AutoRange.h"
#include "processing/BottomTracking.h"
#include "processing/ChannelBlocks.h"
#include "processing/DecodePing.h"

#include <algorithm>
#include <cmath>

namespace trackacc {

using namespace vz;

namespace {

constexpr int kExtraTrailerBytes = 3; // the simulator's default firmware sends the interval total
constexpr std::int16_t kZeroOffsetIndex = 1;

void ConfigureProgram(const RunConfig& c) {
    ResetState();
    BuildStartupTables();
    LoadDefaultsIntoRam();
    State& s = state();
    s.TrailerExtraBytes = kExtraTrailerBytes;
    s.DepthUnits = static_cast<std::int16_t>(c.depthUnits);
    s.SplitScreen = c.split ? 1 : 0;
    s.AutoMode = c.autoMode ? 1 : 0;
    s.AutoRangeOnly = c.autoRangeOnly ? 1 : 0;
    s.ClutterFilter = static_cast<std::int16_t>(c.clutterFilter);
    s.DepthDamping = static_cast<std::int16_t>(c.damping);
    s.KeelOffset = c.keelOffsetFt;
    // The gate's starting height as the program's start-up sets it: 6 ft in every unit.
    s.RangeGateWidth = static_cast<float>(6.0 / FeetPerDepthUnit(c.depthUnits));
    for (Channel ch : kChannels)
        s.channel(ch).ProcessingType = static_cast<std::int16_t>(c.processingType);
    s.Full.Frequency = static_cast<std::int16_t>(c.fullFrequency);
    if (c.windowIndex > 0) {
        for (Channel ch : kChannels) {
            s.channel(ch).DepthRange = static_cast<std::int16_t>(c.windowIndex);
            s.channel(ch).DepthOffset = kZeroOffsetIndex;
        }
    }
}

// The range gate set by a right click on the bottom of ping `n`, as the truth file has it.
bool SetGateOnTruth(const std::string& truthPath, long n, int depthUnits, std::string& error) {
    std::vector<TruthPing> truth;
    if (!ReadTruthFile(truthPath, truth, error)) return false;
    if (truth.empty() || truth.back().ping != n) {
        error = "ping " + std::to_string(n) + ": no truth line to place the gate with";
        return false;
    }
    if (!ClickGateAt(truth.back().bottomFt, depthUnits)) {
        error = "ping " + std::to_string(n) + ": no window to place the gate in";
        return false;
    }
    return true;
}

void NoteWindow(PingResult& r, int units) {
    State& s = state();
    const ChannelSettings& ch = s.channel(r.channel);
    const double feet = FeetPerDepthUnit(units);
    r.windowTopFt = s.DepthOffsetTable[units][std::clamp<int>(ch.DepthOffset, 0, 20)] * feet;
    r.windowFootFt =
        r.windowTopFt + s.DepthRangeTable[units][std::clamp<int>(ch.DepthRange, 0, 20)] * feet;
}

// As the ping cycle: the next channel, its block written register 15 down to 1, then the ping.
bool RequestPing(SimProcess& sim, Channel& channel, Bytes& reply) {
    State& s = state();
    BuildChannelBlocks();
    channel = Channel::Full;
    if (s.SplitScreen != 0) {
        s.LeftSideNow = !s.LeftSideNow;
        channel = s.LeftSideNow ? Channel::Left : Channel::Right;
    }
    const ChannelBlock& block = s.block(channel);
    for (int reg = 15; reg >= 1; --reg)
        if (!sim.write(static_cast<std::uint8_t>(reg), block[static_cast<std::size_t>(reg)]))
            return false;
    s.PacketLength = block[8] * 256 + block[9] + 10 + s.TrailerExtraBytes;
    s.PingProcessing = block[0];
    return s.PacketLength <= kRxBufferLast && sim.ping(block[0], s.PacketLength, reply);
}

} // namespace

bool RunTracking(const RunConfig& config, const std::string& ifbsim, const std::string& truthPath,
                 std::vector<PingResult>& results, std::string& error) {
    ConfigureProgram(config);
    State& s = state();
    std::vector<std::string> args{"--scene",   config.scene,
                                  "--seed",    std::to_string(config.seed),
                                  "--ping-dt", std::to_string(config.pingDtS),
                                  "--truth",   truthPath};
    args.insert(args.end(), config.simulatorArgs.begin(), config.simulatorArgs.end());
    SimProcess sim(ifbsim, args);
    if (!sim.running()) {
        error = "cannot start " + ifbsim;
        return false;
    }
    const long pings = std::lround(config.durationS / config.pingDtS);
    bool gateSet = false;
    for (long n = 1; n <= pings; ++n) {
        PingResult r;
        r.ping = n;
        Bytes reply;
        if (!RequestPing(sim, r.channel, reply)) {
            error = "ping " + std::to_string(n) + ": no complete reply from the simulator";
            return false;
        }
        std::copy(reply.begin(), reply.end(), s.RxBuffer.begin() + 1);
        s.RxCount = s.PacketLength;
        // The second spare trailer byte carries the simulator's ping counter: the truth line.
        const int counterEntry = s.PacketLength - 8 - s.TrailerExtraBytes;
        if (s.RxBuffer[counterEntry] != (n & 0xFF)) {
            error = "ping " + std::to_string(n) + ": the reply belongs to another ping";
            return false;
        }
        NoteWindow(r, config.depthUnits);
        // As the acquisition tick: the reply after a settings change is dropped.
        if (s.SendSettings == 1) {
            s.SendSettings = 0;
            r.discarded = true;
            r.found = s.BottomFound;
            r.depthFt = s.DisplayDepth * FeetPerDepthUnit(config.depthUnits) - s.KeelOffset;
            results.push_back(r);
            continue;
        }
        std::uint8_t packetError = 0;
        DecodePing(packetError);
        if (packetError != 0) {
            error = "ping " + std::to_string(n) + ": checksum error";
            return false;
        }
        r.found = s.BottomFound;
        if (s.ClutterFilter > 0) ApplyClutterFilter();
        r.searched = r.channel == DrivingChannel();
        r.gate = s.ShowRangeGate == 1;
        TrackBottom();
        r.depthFt = s.DisplayDepth * FeetPerDepthUnit(config.depthUnits) - s.KeelOffset;
        r.found = s.BottomFound;
        results.push_back(r);
        if (r.searched && !gateSet && config.gateAfter >= 0 && n >= config.gateAfter) {
            if (!SetGateOnTruth(truthPath, n, config.depthUnits, error)) return false;
            gateSet = true;
        }
    }
    sim.finish();
    return true;
}

} // namespace trackacc
