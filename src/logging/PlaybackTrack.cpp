#include "logging/PlaybackTrack.h"

#include "core/DepthUnits.h"
#include "core/State.h"
#include "logging/TrackExport.h"

#include <cstdlib>
#include <string>

namespace vz {

std::optional<float> DepthFeetOfTemperatureLine(std::string_view line) {
    const std::size_t at = line.find("Depth=");
    if (at == std::string_view::npos) return std::nullopt;
    const std::string number(line.substr(at + 6));
    char* end = nullptr;
    const double depth = std::strtod(number.c_str(), &end);
    if (end == number.c_str() || !(depth > 0)) return std::nullopt;
    const int units = line.ends_with(" Mtr") ? 1 : line.ends_with(" Fa") ? 2 : 0;
    return static_cast<float>(depth * FeetPerDepthUnit(units));
}

PlaybackTrackReader::PlaybackTrackReader(ChartTrack& track) : track_(track), captions_(std::make_unique<State>()) {
    track_.clear();
}

PlaybackTrackReader::~PlaybackTrackReader() = default;

void PlaybackTrackReader::line(PlaybackLineKind kind, std::string_view text, std::int64_t record) {
    switch (kind) {
    case PlaybackLineKind::Gps:
        ApplyGpsLine(text, *captions_);
        latitude_ = LatitudeFromCaption(captions_->LatCaption);
        longitude_ = LongitudeFromCaption(captions_->LongCaption);
        newPosition_ = latitude_ && longitude_;
        break;
    case PlaybackLineKind::Temperature: depthFeet_ = DepthFeetOfTemperatureLine(text); break;
    case PlaybackLineKind::DataRecord:
        // The first record at a new position places it; later ones only add a depth still missing.
        if (latitude_ && longitude_ && (newPosition_ || !track_.points().back().depthFeet)) {
            track_.append({*latitude_, *longitude_, depthFeet_, record});
            newPosition_ = false;
        }
        break;
    default: break;
    }
}

} // namespace vz
