#include "logging/PlaybackIndex.h"

#include "logging/PlaybackFile.h"
#include "logging/PlaybackLines.h"

#include <algorithm>
#include <array>

namespace vz {

bool PlaybackIndex::build(const std::string& path, const LineSeen& seen) {
    clear();
    PlaybackFile file;
    if (!file.open(path)) return false;
    std::array<std::int64_t, kKeptKinds> last;
    last.fill(-1);
    char side = ' ';
    std::string line;
    // The lines of a ping begin after the record of the ping before.
    std::array<std::int64_t, kKeptKinds> inForce = last;
    std::int64_t pingAt = file.position();
    for (;;) {
        const std::int64_t at = file.position();
        const PlaybackFile::Line read = file.next(line);
        if (read == PlaybackFile::Line::End) break;
        if (read == PlaybackFile::Line::TooLong) continue;
        const PlaybackLineKind kind = KindOfPlaybackLine(line);
        if (kind == PlaybackLineKind::Closed) break;
        if (seen && kind != PlaybackLineKind::Settings && kind != PlaybackLineKind::Empty) seen(kind, line, records());
        switch (kind) {
        case PlaybackLineKind::Settings:
            side = line.front();
            last[side == 'F' ? kFull : side == 'L' ? kLeft : kRight] = at;
            break;
        case PlaybackLineKind::Temperature: last[kTemperature] = at; break;
        case PlaybackLineKind::Gps: last[kGps] = at; break;
        case PlaybackLineKind::DataRecord:
            if (records() % kCheckpointEvery == 0) {
                checkpoints_.insert(checkpoints_.end(), inForce.begin(), inForce.end());
                pingAt_.push_back(pingAt);
            }
            recordAt_.push_back(at);
            side_.push_back(side);
            inForce = last;
            pingAt = file.position();
            break;
        default: break;
        }
    }
    built_ = true;
    return true;
}

void PlaybackIndex::clear() {
    built_ = false;
    recordAt_.clear();
    side_.clear();
    checkpoints_.clear();
    pingAt_.clear();
}

std::int64_t PlaybackIndex::recordStartingAtOrBefore(std::int64_t offset) const {
    const auto after = std::upper_bound(recordAt_.begin(), recordAt_.end(), offset);
    return static_cast<std::int64_t>(after - recordAt_.begin()) - 1;
}

PlaybackIndex::Checkpoint PlaybackIndex::checkpointFor(std::int64_t record) const {
    Checkpoint c;
    if (recordAt_.empty()) return c;
    const std::int64_t n = std::clamp<std::int64_t>(record, 0, records() - 1) / kCheckpointEvery;
    c.record = n * kCheckpointEvery;
    c.pingAt = pingAt_[static_cast<std::size_t>(n)];
    const auto first = checkpoints_.begin() + n * kKeptKinds;
    for (auto it = first; it != first + kKeptKinds; ++it) {
        if (*it >= 0) c.linesInForce.push_back(*it);
    }
    std::sort(c.linesInForce.begin(), c.linesInForce.end());
    return c;
}

} // namespace vz
