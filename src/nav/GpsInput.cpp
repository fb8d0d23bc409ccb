#include "nav/GpsInput.h"

#include "core/State.h"
#include "core/Timers.h"
#include "core/Ui.h"
#include "nav/NmeaChecksum.h"
#include "nav/PositionCaptions.h"
#include "nav/RmcSentence.h"
#include "platform/SerialPort.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace vz {

namespace {

constexpr std::int16_t kGpsBufferLast = kGpsBufferSize - 1;
constexpr std::int16_t kSentenceBufferLast = kGpsSentenceBufferSize - 1;
// Timer runs without a sentence after which the read-outs are blanked.
constexpr std::int16_t kIdleRunsShown = 10;
const std::string kNoPosition = "- - - - -";
const std::string kNotValid = "Not Valid";

void ShowPosition(State& s, const std::string& latitude, const std::string& longitude) {
    s.LatCaption = latitude;
    s.LongCaption = longitude;
    ui().showPosition();
}

// Moves the bytes received since the last run behind those kept for parsing.
void TakeInReceivedBytes(State& s) {
    const int room = kSentenceBufferLast - s.GpsSentenceLength;
    const int taken = std::min<int>(s.GpsCount, room);
    std::copy_n(s.GpsBuffer.begin() + 1, taken, s.GpsSentenceBuffer.begin() + 1 + s.GpsSentenceLength);
    s.GpsSentenceLength = static_cast<std::int16_t>(s.GpsSentenceLength + taken);
    s.GpsCount = 0;
    s.RmcForward = false;
}

// Keeps the gathered text from `from` on for the next run (nothing when from is npos).
void KeepForNextRun(State& s, std::size_t from) {
    if (from == std::string_view::npos) {
        s.GpsSentenceLength = 0;
        return;
    }
    const std::size_t kept = static_cast<std::size_t>(s.GpsSentenceLength) - from;
    std::memmove(&s.GpsSentenceBuffer[1], &s.GpsSentenceBuffer[1 + from], kept);
    s.GpsSentenceLength = static_cast<std::int16_t>(kept);
}

void TakeRmcSentence(State& s, std::string_view sentence, const RmcFields& f) {
    s.LastRmcSentence = sentence;
    const auto latitude = LatitudeCaption(f.latitude, f.northSouth);
    const auto longitude = LongitudeCaption(f.longitude, f.eastWest);
    if (f.status == "A" && latitude && longitude) {
        ShowPosition(s, *latitude, *longitude);
        s.GpsSpeed = static_cast<float>(LeadingNumber(f.speed));
    } else {
        ShowPosition(s, kNotValid, kNotValid);
        s.GpsSpeed = 0;
    }
    s.RmcForward = true;
    s.GpsIdleSeconds = 0;
    if (s.RecordPings) s.LogGpsRequest = true;
}

} // namespace

void InstallGpsReceiver() { MSComm2().onReceive(GpsReceiveEvent); }

void GpsReceiveEvent() {
    State& s = state();
    SerialPort& port = MSComm2();
    if (s.PlaybackMode) {
        s.GpsCount = 0;
        port.readAll();
        return;
    }
    while (port.bytesWaiting() > 0) {
        const std::vector<std::uint8_t> bytes = port.readAll();
        if (bytes.empty()) break; // a port that reports bytes it cannot deliver
        AppendGpsBytes(bytes.data(), bytes.size());
    }
    timers().tmrGpsTimer.setEnabled(true);
}

void AppendGpsBytes(const std::uint8_t* bytes, std::size_t size) {
    State& s = state();
    if (s.PlaybackMode) return;
    const int taken = std::min<int>(static_cast<int>(size), kGpsBufferLast - s.GpsCount);
    std::copy_n(bytes, taken, s.GpsBuffer.begin() + 1 + s.GpsCount);
    s.GpsCount = static_cast<std::int16_t>(s.GpsCount + taken);
    timers().tmrGpsTimer.setEnabled(true);
}

void ParseGpsSentence() {
    State& s = state();
    if ((s.GpsPort == 0 && !s.GpsdSource.on) || s.PlaybackMode) {
        s.GpsSentenceLength = 0;
        s.GpsCount = 0;
        return;
    }
    if (++s.GpsIdleSeconds > kIdleRunsShown) {
        s.GpsIdleSeconds = kIdleRunsShown + 1;
        ShowPosition(s, kNoPosition, kNoPosition);
        s.GpsSpeed = 0;
        s.LastRmcSentence.clear();
    }
    if (s.GpsCount == 0) return;
    TakeInReceivedBytes(s);

    const std::string text(reinterpret_cast<const char*>(&s.GpsSentenceBuffer[1]),
                           static_cast<std::size_t>(s.GpsSentenceLength));
    const std::size_t start = FindRmcStart(text, 0);
    const std::size_t end = start == std::string::npos ? start : RmcSentenceEnd(text, start);
    if (end == std::string::npos) {
        KeepForNextRun(s, UnfinishedRmcStart(text, 0));
        return;
    }
    const std::string_view sentence = std::string_view(text).substr(start, end - start);
    if (NmeaChecksumMatches(sentence)) {
        if (const auto fields = ReadRmcFields(sentence)) TakeRmcSentence(s, sentence, *fields);
    }
    KeepForNextRun(s, UnfinishedRmcStart(text, end));
}

} // namespace vz
