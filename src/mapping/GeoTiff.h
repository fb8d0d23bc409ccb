#pragma once
// A depth grid as a GeoTIFF: one Float32 band of depths (positive down, in the map's units),
// north up, placed by its corner and cell size in the given EPSG plane, empty cells as nodata.
#include "mapping/DepthGrid.h"

#include <string>

namespace vz {

inline constexpr float kGeoTiffNoData = -9999.0f;

bool WriteGeoTiff(const DepthGrid& grid, int epsg, const std::string& units, const std::string& path,
                  std::string& error);

} // namespace vz
