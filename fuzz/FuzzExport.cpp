// A whole file through the track export and both writers, as the export tool runs it.
#include "FuzzState.h"

#include "core/State.h"
#include "logging/TrackExport.h"
#include "logging/TrackWriters.h"

#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vz;
    fuzz::ResetFuzzState();
    PrepareTrackExport();
    std::ostringstream csvText, gpxText;
    CsvTrackWriter csv(csvText);
    GpxTrackWriter gpx(gpxText, "fuzz");
    gpx.beginSegment();
    ExportRecording(fuzz::ScratchFile(fuzz::AsText(data, size)), [&](const TrackPoint& p) {
        csv.write(p);
        gpx.write(p);
    });
    gpx.finish();
    return 0;
}
