#pragma once
// Soundings from a recording's track points: the depths the live tracking recorded (each
// temperature line carries the reading of the reply before it, so a point's depth comes with the
// next point) at the place of the reply they were read from. The recorded position is the last GPS fix, which the boat has left
// behind by up to a second's run; between two fixes close in time the points are spread along
// the way from one fix to the next, in the order they were recorded.
#include "logging/TrackExport.h"

#include <optional>
#include <string>
#include <vector>

namespace vz {

struct GeoSounding {
    double latitude = 0, longitude = 0; // decimal degrees
    float depth = 0;                    // in the collector's units
};

class SoundingCollector {
public:
    // Takes points in order; depths are converted to the units of the first recorded depth
    // ("Ft", "Mtr" or "Fa").
    void add(const TrackPoint& p);
    // Ends a recording: the points since the last fix keep its position; the last point's depth
    // was never recorded.
    void endRecording();

    const std::vector<GeoSounding>& soundings() const { return soundings_; }
    const std::string& units() const { return units_; }
    // Points read, and those of them that had a position (whether or not a depth).
    long points() const { return points_; }
    long positioned() const { return positioned_; }

private:
    void flush(const std::optional<GeoSounding>& nextFix, int nextSecond);

    std::vector<GeoSounding> soundings_;
    std::string units_;
    std::optional<GeoSounding> fix_; // the position now held, as recorded
    int fixSecond_ = 0;
    std::vector<std::optional<float>> pending_; // the points since that fix, with their depths
    long points_ = 0, positioned_ = 0;
};

} // namespace vz
