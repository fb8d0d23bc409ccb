#include "nav/ChartTrack.h"

#include "core/DepthUnits.h"
#include "core/State.h"
#include "logging/TrackExport.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vz {

namespace {

// Metres in a degree of latitude on the mean Earth sphere.
constexpr double kMetresPerDegree = 6371008.8 * std::numbers::pi / 180.0;

double MetresPerDegreeEast(double latitude) { return kMetresPerDegree * std::cos(latitude * std::numbers::pi / 180.0); }

} // namespace

Metres LocalProjection::toMetres(double latitude, double longitude) const {
    return {(longitude - originLongitude) * MetresPerDegreeEast(originLatitude),
            (latitude - originLatitude) * kMetresPerDegree};
}

ChartPoint LocalProjection::toDegrees(Metres m) const {
    ChartPoint p;
    p.latitude = originLatitude + m.north / kMetresPerDegree;
    const double east = MetresPerDegreeEast(originLatitude);
    p.longitude = originLongitude + (east > 0 ? m.east / east : 0.0);
    return p;
}

bool ChartTrack::append(const ChartPoint& point) {
    if (!points_.empty() && points_.back().latitude == point.latitude && points_.back().longitude == point.longitude) {
        ChartPoint& last = points_.back();
        if (last.depthFeet || !point.depthFeet) return false;
        last.depthFeet = point.depthFeet;
    } else {
        if (points_.empty()) {
            south_ = north_ = point.latitude;
            west_ = east_ = point.longitude;
        }
        south_ = std::min(south_, point.latitude);
        north_ = std::max(north_, point.latitude);
        west_ = std::min(west_, point.longitude);
        east_ = std::max(east_, point.longitude);
        points_.push_back(point);
    }
    if (point.depthFeet) {
        shallowest_ = std::min(shallowest_.value_or(*point.depthFeet), *point.depthFeet);
        deepest_ = std::max(deepest_.value_or(*point.depthFeet), *point.depthFeet);
    }
    ++revision_;
    return true;
}

void ChartTrack::clear() {
    points_.clear();
    shallowest_ = deepest_ = std::nullopt;
    ++revision_;
}

LocalProjection ChartTrack::projection() const {
    if (points_.empty()) return {};
    return {(south_ + north_) / 2, (west_ + east_) / 2};
}

std::optional<std::size_t> ChartTrack::pointAtRecord(std::int64_t record) const {
    const auto after = std::upper_bound(points_.begin(), points_.end(), record,
                                        [](std::int64_t r, const ChartPoint& p) { return r < p.record; });
    if (after == points_.begin()) return std::nullopt;
    return static_cast<std::size_t>(after - points_.begin()) - 1;
}

ChartTrack& SessionTrack() {
    static ChartTrack track;
    return track;
}

void NoteSessionPosition() {
    const State& s = state();
    // The captions change once a second at most: read them only when they did.
    static std::string lastLat, lastLon;
    static std::optional<double> latitude, longitude;
    if (s.LatCaption != lastLat || s.LongCaption != lastLon) {
        lastLat = s.LatCaption;
        lastLon = s.LongCaption;
        latitude = LatitudeFromCaption(lastLat);
        longitude = LongitudeFromCaption(lastLon);
    }
    if (!latitude || !longitude) return;
    ChartPoint p{*latitude, *longitude, std::nullopt, -1};
    if (s.BottomDepth > 0) p.depthFeet = static_cast<float>(s.DisplayDepth * FeetPerDepthUnit(s.DepthUnits));
    SessionTrack().append(p);
}

} // namespace vz
