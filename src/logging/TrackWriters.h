#pragma once
// Track points written out for chart and GPS software: CSV with a header row, and GPX 1.1 with
// depth (metres) and water temperature (degrees C) in the common track-point extension.
#include "logging/TrackExport.h"

#include <ostream>
#include <string>

namespace vz {

class CsvTrackWriter {
public:
    // Writes the header row.
    explicit CsvTrackWriter(std::ostream& out);
    // One row; unknown values are left empty.
    void write(const TrackPoint& p);

private:
    std::ostream& out_;
};

class GpxTrackWriter {
public:
    // Writes the document start and opens a track named `name`.
    GpxTrackWriter(std::ostream& out, const std::string& name);
    // Each recording is a segment of its own.
    void beginSegment();
    // A track point, for points with a position; returns whether one was written.
    bool write(const TrackPoint& p);
    // Closes the track and the document.
    void finish();

private:
    void endSegment();

    std::ostream& out_;
    bool inSegment_ = false;
};

} // namespace vz
