#include "mapping/Soundings.h"

#include "core/DepthUnits.h"

#include <cstdlib>

namespace vz {

namespace {

// Fixes further apart than this are not joined: the boat may have gone anywhere in between.
constexpr int kLongestJoinedGapS = 3;
constexpr int kSecondsPerDay = 86400;

int DepthUnitsNamed(const std::string& units) {
    return units == "Mtr" ? 1 : units == "Fa" ? 2 : 0;
}

// Seconds of the day of "yyyy-mm-ddThh:mm:ss"; -1 when there is none.
int SecondOfDay(const std::string& dateTime) {
    if (dateTime.size() < 19) return -1;
    const int h = std::atoi(dateTime.c_str() + 11), m = std::atoi(dateTime.c_str() + 14),
              s = std::atoi(dateTime.c_str() + 17);
    return h * 3600 + m * 60 + s;
}

} // namespace

void SoundingCollector::add(const TrackPoint& p) {
    ++points_;
    if (p.recordedDepth && !pending_.empty() && !pending_.back()) {
        if (units_.empty()) units_ = p.units;
        const double feet = static_cast<double>(*p.recordedDepth) * FeetPerDepthUnit(DepthUnitsNamed(p.units));
        pending_.back() = static_cast<float>(feet / FeetPerDepthUnit(DepthUnitsNamed(units_)));
    }
    if (!p.latitude || !p.longitude) {
        flush(std::nullopt, 0);
        fix_.reset();
        return;
    }
    ++positioned_;
    const int second = SecondOfDay(p.dateTime);
    if (!fix_ || fix_->latitude != *p.latitude || fix_->longitude != *p.longitude) {
        const GeoSounding next{*p.latitude, *p.longitude, 0};
        flush(next, second);
        fix_ = next;
        fixSecond_ = second;
    }
    pending_.push_back(std::nullopt); // its depth comes with the next point
}

void SoundingCollector::endRecording() {
    flush(std::nullopt, 0);
    fix_.reset();
}

void SoundingCollector::flush(const std::optional<GeoSounding>& nextFix, int nextSecond) {
    if (fix_) {
        const int gap = (nextSecond - fixSecond_ + kSecondsPerDay) % kSecondsPerDay;
        const bool join = nextFix && fixSecond_ >= 0 && nextSecond >= 0 && gap <= kLongestJoinedGapS;
        const double n = static_cast<double>(pending_.size());
        for (std::size_t i = 0; i < pending_.size(); ++i) {
            if (!pending_[i]) continue;
            GeoSounding s = *fix_;
            if (join) {
                const double f = static_cast<double>(i) / n;
                s.latitude += f * (nextFix->latitude - fix_->latitude);
                s.longitude += f * (nextFix->longitude - fix_->longitude);
            }
            s.depth = *pending_[i];
            soundings_.push_back(s);
        }
    }
    pending_.clear();
}

} // namespace vz
