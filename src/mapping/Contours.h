#pragma once
// Contour lines of a depth grid every `interval` (in the grid's units), by GDAL's contour
// generator, kept in the map's plane for drawing and written as GeoJSON and KML in WGS 84
// longitude and latitude, each line with its depth.
#include "mapping/DepthGrid.h"

#include <string>
#include <utility>
#include <vector>

namespace vz {

struct ContourLine {
    double depth = 0;
    std::vector<std::pair<double, double>> points; // east, north in the map's plane
};

bool MakeContours(const DepthGrid& grid, double interval, std::vector<ContourLine>& lines, std::string& error);

// Writes the lines to `path` with the GDAL vector driver `driver` ("GeoJSON", "KML").
bool WriteContours(const std::vector<ContourLine>& lines, int epsg, const std::string& units, const std::string& driver,
                   const std::string& path, std::string& error);

} // namespace vz
