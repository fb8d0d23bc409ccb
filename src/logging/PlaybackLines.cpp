#include "logging/PlaybackLines.h"

#include "controls/NumericValue.h"
#include "core/State.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace vz {

namespace {

// Every reply ends with a ten-byte trailer, plus the extra bytes of newer firmware, and has at
// least one entry before it.
constexpr int kTrailerBytes = 10;
constexpr std::size_t kTimeLength = 8;
constexpr std::string_view kNotValid = "Not Valid";

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

std::string_view TrimmedEnd(std::string_view text) {
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

// A whole number 0..255 written in decimal (a fraction is rounded, halves to even); -1 otherwise.
int ByteValue(std::string_view token) {
    double value = 0;
    std::size_t i = 0;
    for (; i < token.size() && token[i] >= '0' && token[i] <= '9'; ++i) {
        value = value * 10 + (token[i] - '0');
        if (value > 1000) return -1;
    }
    if (i == 0) return -1;
    if (i < token.size()) {
        if (token[i] != '.') return -1;
        double scale = 0.1;
        for (++i; i < token.size(); ++i, scale /= 10) {
            if (token[i] < '0' || token[i] > '9') return -1;
            value += (token[i] - '0') * scale;
        }
    }
    const double rounded = std::nearbyint(value);
    return rounded <= 255 ? static_cast<int>(rounded) : -1;
}

} // namespace

PlaybackLineKind KindOfPlaybackLine(std::string_view line) {
    if (line.empty()) return PlaybackLineKind::Empty;
    if (StartsWith(line, "GPS:")) return PlaybackLineKind::Gps;
    if (StartsWith(line, "Closed")) return PlaybackLineKind::Closed;
    switch (line.front()) {
    case 'T': return PlaybackLineKind::Temperature;
    case 'F':
    case 'L':
    case 'R': return PlaybackLineKind::Settings;
    default: return PlaybackLineKind::DataRecord;
    }
}

void ApplyGpsLine(std::string_view line, State& s) {
    // A line cut anywhere (even "GPS:" alone) is read as far as it goes.
    std::string_view body = line.substr(std::min<std::size_t>(5, line.size()));
    if (body.substr(0, kNotValid.size()) == kNotValid) {
        s.LatCaption = s.LongCaption = std::string(kNotValid);
        s.GpsSpeed = 0;
        return;
    }
    // Written as "GPS: " & latitude & "  " & longitude & "  " & speed; the captions hold double
    // blanks of their own, the speed does not.
    const std::size_t speedGap = body.rfind("  ");
    const std::string_view speed = speedGap == std::string_view::npos ? body : body.substr(speedGap + 2);
    const std::string_view captions =
        speedGap == std::string_view::npos ? std::string_view() : TrimmedEnd(body.substr(0, speedGap));
    std::size_t split = captions.find("  Lon: ");
    if (split == std::string_view::npos) split = captions.find("  ");
    if (split == std::string_view::npos) {
        s.LatCaption = std::string(captions);
        s.LongCaption.clear();
    } else {
        s.LatCaption = std::string(captions.substr(0, split));
        s.LongCaption = std::string(captions.substr(split + 2));
    }
    s.GpsSpeed = static_cast<float>(NumericValue(speed));
}

void ApplyTemperatureLine(std::string_view line, State& s) {
    s.WaterTemperature = static_cast<float>(NumericValue(line.substr(std::min<std::size_t>(3, line.size()))));
}

bool LoadDataRecord(std::string_view line, State& s) {
    const int shortest = kTrailerBytes + std::max<int>(0, s.TrailerExtraBytes) + 1;
    std::string_view values = line.size() > kTimeLength ? line.substr(kTimeLength) : std::string_view();
    // Parsed into a scratch area first: a refused record must not leave half a reply behind.
    static std::array<std::uint8_t, kMaxRecordValues> bytes;
    int n = 0;
    std::size_t i = 0;
    while (i < values.size()) {
        while (i < values.size() && values[i] == ' ') ++i;
        if (i == values.size()) break;
        const std::size_t end = std::min(values.find(' ', i), values.size());
        const int value = ByteValue(values.substr(i, end - i));
        if (value < 0 || n == kMaxRecordValues) return false;
        bytes[static_cast<std::size_t>(n++)] = static_cast<std::uint8_t>(value);
        i = end;
    }
    if (n < shortest) return false;
    s.TimeText = std::string(line.substr(0, kTimeLength));
    std::copy_n(bytes.begin(), n, s.RxBuffer.begin() + 1);
    std::fill_n(s.RxBuffer.begin() + 1 + n, std::min(n, kRxBufferLast - n), std::uint8_t{1});
    s.PacketLength = n;
    return true;
}

std::string RecordingDateAsWritten(std::string_view header2) {
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    for (std::size_t i = 0; i + 10 <= header2.size(); ++i) {
        const std::string_view d = header2.substr(i, 10);
        if (digit(d[0]) && digit(d[1]) && d[2] == '-' && digit(d[3]) && digit(d[4]) && d[5] == '-' &&
            digit(d[6]) && digit(d[7]) && digit(d[8]) && digit(d[9])) {
            return std::string(d);
        }
    }
    return {};
}

std::string RecordingDate(std::string_view header2) {
    const std::string d = RecordingDateAsWritten(header2);
    return d.empty() ? d : d.substr(6, 4) + "-" + d.substr(0, 2) + "-" + d.substr(3, 2);
}

} // namespace vz
