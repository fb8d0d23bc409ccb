// One line of a screen-data file of each kind, as playback applies it: the first byte chooses
// the kind's leading text ("GPS: ", "T: ", "F", "L", "R", a record's time), the rest follows it.
#include "FuzzState.h"

#include "core/State.h"
#include "logging/PlaybackLines.h"
#include "logging/PlaybackReader.h"

#include <array>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vz;
    static constexpr std::array<std::string_view, 7> kStarts = {"GPS: ", "GPS:", "T: ", "F", "L", "R", "09:05:01 "};
    fuzz::ResetFuzzState();
    if (size < 1) return 0;
    State& s = state();
    s.PlaybackMode = true;
    s.TrailerExtraBytes = static_cast<std::int16_t>(data[0] >> 7 ? 2 : 0);
    s.PlaybackLine = std::string(kStarts[data[0] % kStarts.size()]) + std::string(fuzz::AsText(data + 1, size - 1));
    // The file reader hands lines over without their blanks at either end and without line ends.
    while (!s.PlaybackLine.empty() && (s.PlaybackLine.back() == ' ' || s.PlaybackLine.back() == '\r')) s.PlaybackLine.pop_back();
    if (s.PlaybackLine.find('\n') != std::string::npos) return 0;
    const PlaybackLineKind kind = KindOfPlaybackLine(s.PlaybackLine);
    if (kind == PlaybackLineKind::DataRecord) {
        LoadDataRecord(s.PlaybackLine, s);
    } else {
        ApplyPlaybackLine(kind, s);
    }
    return 0;
}
