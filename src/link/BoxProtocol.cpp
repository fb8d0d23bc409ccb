#include "link/BoxProtocol.h"

#include "core/State.h"
#include "link/Connection.h"
#include "link/ReceivePath.h"
#include "platform/Events.h"
#include "platform/SerialPort.h"

#include <array>
#include <cmath>

namespace vz {

namespace {
constexpr std::uint8_t kFrameStart = 0xFF;
constexpr std::uint8_t kWrite = 0x01;
constexpr std::uint8_t kQuery = 0x02;
constexpr std::uint8_t kAck = 6;
constexpr int kMaxWriteFrames = 4;
constexpr double kAckSeconds = 0.1;
constexpr double kQuerySeconds = 0.1;
constexpr double kTemperatureSeconds = 0.2;
constexpr std::uint8_t kSerialNumberCommand = 252;
constexpr std::uint8_t kTemperatureCommand = 192;
constexpr int kTempTableFirst = 15;
constexpr int kTempTableLast = 100;

// A wait for the box is pointless once its port is gone, the program is ending or the user has
// chosen playback.
bool LinkWaitOver() {
    const State& s = state();
    return s.IfbPortLost || s.ProgramEnding || ConnectionAbandoned();
}

bool Acknowledged() {
    const State& s = state();
    // Only a byte that arrived counts: entry 1 may still hold an earlier reply.
    return s.RxCount >= 1 && s.RxBuffer[1] == kAck;
}
} // namespace

bool SendCommand(std::uint8_t reg, std::uint8_t value) {
    State& s = state();
    if (s.PlaybackMode) return false;
    const std::array<std::uint8_t, 5> frame{kFrameStart, kWrite, reg, value,
                                            static_cast<std::uint8_t>(0xFE ^ reg ^ value)};
    for (int attempt = 1; attempt <= kMaxWriteFrames; ++attempt) {
        if (s.ProgramEnding || ConnectionAbandoned()) return false;
        if (s.IfbPortLost) {
            // Every command of the ping cycle lands here while the port is gone, so the prompt
            // for another port comes up even if the error count was cleared meanwhile.
            RequestCommErrorPrompt();
            return false;
        }
        MSComm1().discardInput();
        s.RxCount = 0;
        MSComm1().write(frame.data(), frame.size());
        WaitUntil(kAckSeconds, [&s] { return s.RxCount != 0 || LinkWaitOver(); });
        if (Acknowledged()) return true;
        ++s.CommRetryCount;
    }
    return false;
}

std::optional<std::uint8_t> QueryRegister(std::uint8_t reg) {
    State& s = state();
    if (s.PlaybackMode) return std::nullopt;
    const std::array<std::uint8_t, 4> frame{kFrameStart, kQuery, reg,
                                            static_cast<std::uint8_t>(0xFD ^ reg)};
    ClearRxBuffer(3);
    MSComm1().write(frame.data(), frame.size());
    WaitUntil(kQuerySeconds, [&s] { return s.RxCount >= 3 || LinkWaitOver(); });
    return s.RxCount >= 2 ? s.RxBuffer[2] : std::uint8_t{0};
}

void ClearRxBuffer(int count) {
    State& s = state();
    const int last = count < kRxBufferLast ? count : kRxBufferLast;
    for (int i = 1; i <= last; ++i) s.RxBuffer[static_cast<std::size_t>(i)] = 0;
    s.RxCount = 0;
    MSComm1().discardInput();
}

void WaitForBytes(int count) {
    const State& s = state();
    WaitUntil(count / 100.0, [&s, count] { return s.RxCount > count || LinkWaitOver(); });
}

void WaitSeconds(double seconds) {
    WaitUntil(seconds, [] { return state().ProgramEnding; });
}

void ReadSerialNumber() {
    State& s = state();
    if (s.PlaybackMode) return;
    ClearRxBuffer(10);
    SendCommand(0, kSerialNumberCommand);
    WaitSeconds(0.1);
    WaitForBytes(7);
    const auto& b = s.RxBuffer;
    s.IfbSerialNumber = b[2] * 10'000'000.0 + b[3] * 100'000.0 + b[4] * 1'000.0 + b[5];
}

void ReadWaterTemp() {
    State& s = state();
    if (s.PlaybackMode) return;
    if (!SendCommand(0, kTemperatureCommand)) return;
    WaitUntil(kTemperatureSeconds, [&s] { return s.RxCount >= 4 || LinkWaitOver(); });
    // Without the reading bytes RxBuffer holds the previous reply; using it would corrupt the
    // averaged temperature.
    if (s.RxCount < 3) return;
    const float t = TempFromReading(s.RxBuffer[2] * 256 + s.RxBuffer[3]);
    if (s.WaterTemperature == kNoWaterTemperature) {
        s.WaterTemperature = t;
    } else {
        s.WaterTemperature = (s.WaterTemperature * 19.0f + t) / 20.0f;
    }
}

float TempFromReading(std::int32_t reading) {
    const auto& table = state().TempTable;
    int i = kTempTableLast;
    for (int k = kTempTableFirst + 1; k < kTempTableLast; ++k) {
        if (table[k] < reading) {
            i = k;
            break;
        }
    }
    const double lo = table[i - 1];
    const double hi = table[i];
    // Equal neighbours only occur in a table that was never built.
    const double fraction = lo == hi ? 0.0 : (lo - reading) * 100.0 / (lo - hi);
    const double x = fraction + (i - 1) * 100.0;
    return static_cast<float>(std::nearbyint(x) / 100.0);
}

void SendChannelSettings(Channel channel) {
    const ChannelBlock& block = state().block(channel);
    for (int reg = 15; reg >= 1; --reg) {
        SendCommand(static_cast<std::uint8_t>(reg), block[static_cast<std::size_t>(reg)]);
    }
}

void SendFullSettings() { SendChannelSettings(Channel::Full); }
void SendLeftSettings() { SendChannelSettings(Channel::Left); }
void SendRightSettings() { SendChannelSettings(Channel::Right); }

} // namespace vz
