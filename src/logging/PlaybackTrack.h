#pragma once
// The track of a recording for the chart, gathered while the file is indexed: a point wherever
// a GPS line gives a new position, at the record that follows it, with the depth of the last
// temperature-and-depth line.
#include "logging/PlaybackLines.h"
#include "nav/ChartTrack.h"

#include <memory>
#include <optional>
#include <string_view>

namespace vz {

// "T: 68.25   Depth= 12.50 Ft": the depth in feet; nothing when it is 0 (no bottom yet) or the
// line carries none.
std::optional<float> DepthFeetOfTemperatureLine(std::string_view line);

class PlaybackTrackReader {
public:
    explicit PlaybackTrackReader(ChartTrack& track);
    ~PlaybackTrackReader();
    // One line of the file, with the number of the record it belongs to.
    void line(PlaybackLineKind kind, std::string_view text, std::int64_t record);

private:
    ChartTrack& track_;
    // The GPS lines are read as playback reads them, into a record of their own.
    std::unique_ptr<State> captions_;
    std::optional<double> latitude_, longitude_;
    std::optional<float> depthFeet_;
    bool newPosition_ = false;
};

} // namespace vz
