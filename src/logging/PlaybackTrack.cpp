#include "logging/PlaybackTrack.h"

#include "core/DepthUnits.h"
#include "core/State.h"
#include "logging/TrackExport.h"

namespace vz {

std::optional<float> DepthFeetOfTemperatureLine(std::string_view line) {
    const auto depth = DepthOfTemperatureLine(line);
    if (!depth) return std::nullopt;
    return static_cast<float>(*depth * FeetPerDepthUnit(UnitsOfTemperatureLine(line).value_or(0)));
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
