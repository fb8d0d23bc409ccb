#pragma once
// The boat's track for the chart: positions with the depth sounded there and the record of the
// recording they came from, and the local flat projection the chart draws them in. Appending is
// constant time, so the ping loop can feed the track on every reply.
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace vz {

struct ChartPoint {
    double latitude = 0, longitude = 0; // decimal degrees, south and west negative
    std::optional<float> depthFeet;     // the tracked bottom there, when there was one
    std::int64_t record = -1;           // the playback record it came from (-1 when live)
};

// Metres east and north of the projection's origin.
struct Metres {
    double east = 0, north = 0;
};

// Equirectangular around an origin: a degree of latitude is a fixed length, a degree of
// longitude that length shrunk by the cosine of the origin's latitude. Within a lake's few
// kilometres the error is far below a pixel.
struct LocalProjection {
    double originLatitude = 0, originLongitude = 0;

    Metres toMetres(double latitude, double longitude) const;
    // The inverse: latitude and longitude of a point in metres.
    ChartPoint toDegrees(Metres m) const;
};

class ChartTrack {
public:
    // A position equal to the last one adds nothing (a fix is heard once a second, pings come
    // faster); the first depth sounded at a place is kept. True when the point was added.
    bool append(const ChartPoint& point);
    void clear();

    const std::vector<ChartPoint>& points() const { return points_; }
    bool empty() const { return points_.empty(); }
    // The projection around the centre of the track's extent.
    LocalProjection projection() const;
    // The shallowest and deepest depth in feet (nothing before a depth was appended).
    std::optional<float> shallowest() const { return shallowest_; }
    std::optional<float> deepest() const { return deepest_; }
    // The last point whose record is at or before `record` (the one being played); nothing
    // before the first.
    std::optional<std::size_t> pointAtRecord(std::int64_t record) const;
    // Grows by one for every change, so a viewer can tell whether it has drawn the latest track.
    std::uint64_t revision() const { return revision_; }

private:
    std::vector<ChartPoint> points_;
    double south_ = 0, north_ = 0, west_ = 0, east_ = 0;
    std::optional<float> shallowest_, deepest_;
    std::uint64_t revision_ = 0;
};

// The session's own track, fed by the ping loop.
ChartTrack& SessionTrack();
// Run by the acquisition tick after tracking a live reply: the position shown, with the depth
// found, joins the session's track.
void NoteSessionPosition();

} // namespace vz
