#include "nav/NmeaOutput.h"

#include "core/State.h"
#include "nav/NmeaNetworkOutput.h"
#include "nav/NmeaSentences.h"
#include "platform/Clock.h"
#include "platform/SerialPort.h"

namespace vz {

namespace {

constexpr char kLineEnd[] = "\r\n";

// A depth goes out while the latest column held a bottom, and not long after its last one.
bool DepthIsFresh(const State& s) {
    return s.BottomFound && s.BottomDepthSeconds >= 0 && clock().monotonicSeconds() - s.BottomDepthSeconds <= kDepthFreshSeconds;
}

} // namespace

std::string NmeaOutputText() {
    const State& s = state();
    std::string text;
    if (s.RmcForward && !s.LastRmcSentence.empty()) text += s.LastRmcSentence + kLineEnd;
    if (s.WaterTemperature != kNoWaterTemperature) {
        const float celsius = (s.WaterTemperature + s.TempCalibration - 32.0f) * 5.0f / 9.0f;
        text += MtwSentence(celsius) + kLineEnd;
    }
    if (DepthIsFresh(s)) {
        const DepthInAllUnits depth = ConvertDepth(s.BottomDepth, s.DepthUnits);
        text += DptSentence(depth.metres, s.KeelOffset * 0.3048) + kLineEnd;
        text += DbtSentence(depth) + kLineEnd;
    }
    return text;
}

void SendNmeaSentences() {
    const State& s = state();
    if (s.PlaybackMode) return;
    const bool serial = s.NmeaPort != 0 && s.NmeaOutputActive;
    const bool network = s.NmeaUdpOutput.on || s.NmeaTcpOutput.on;
    if (!serial && !network) return;
    const std::string text = NmeaOutputText();
    if (text.empty()) return;
    if (serial) {
        // The GPS port carries the output too when both are the same port and the GPS is read
        // from it.
        SerialPort& port = s.NmeaPort == s.GpsPort && !s.GpsdSource.on ? MSComm2() : MSComm3();
        port.write(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    }
    if (network) SendNmeaOverNetwork(text);
}

} // namespace vz
