#pragma once
// Where the records of a screen-data file start, found by reading the file once, so that playback
// can show its position and jump: for every record its byte offset and the side it belongs to,
// and at every 256th record the lines in force after the record before it (the last Full, Left
// and Right settings, temperature and GPS lines) and where the lines of its own ping begin. Only
// offsets are kept, never the lines themselves.
#include "logging/PlaybackLines.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vz {

class PlaybackIndex {
public:
    static constexpr std::int64_t kCheckpointEvery = 256;

    // Reads the file at `path` from its headers to its end or its closing line. False when it
    // cannot be read. `seen`, when given, hears every GPS, temperature and data record line with
    // the number of the record it belongs to (the next one, for lines before a record).
    using LineSeen = std::function<void(PlaybackLineKind, std::string_view line, std::int64_t record)>;
    bool build(const std::string& path, const LineSeen& seen = {});
    void clear();
    bool built() const { return built_; }

    std::int64_t records() const { return static_cast<std::int64_t>(recordAt_.size()); }
    std::int64_t recordAt(std::int64_t record) const { return recordAt_[static_cast<std::size_t>(record)]; }
    // 'F', 'L' or 'R': the letter of the last channel line before the record (' ' before any).
    char sideOf(std::int64_t record) const { return side_[static_cast<std::size_t>(record)]; }
    // The number of the record whose line starts at `offset`, or of the last one before it
    // (-1 before the first record).
    std::int64_t recordStartingAtOrBefore(std::int64_t offset) const;

    // The checkpoint at or before `record`: its record number, in file order the starts of the
    // lines in force after the record before it, and the start of its own ping's lines.
    struct Checkpoint {
        std::int64_t record = 0;
        std::vector<std::int64_t> linesInForce;
        std::int64_t pingAt = 0;
    };
    Checkpoint checkpointFor(std::int64_t record) const;

private:
    enum Kept { kFull, kLeft, kRight, kTemperature, kGps, kKeptKinds };
    bool built_ = false;
    std::vector<std::int64_t> recordAt_;
    std::vector<char> side_;
    std::vector<std::int64_t> checkpoints_; // kKeptKinds offsets (or -1) per checkpoint
    std::vector<std::int64_t> pingAt_;      // per checkpoint
};

} // namespace vz
