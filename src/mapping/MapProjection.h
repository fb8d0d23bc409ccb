#pragma once
// The plane a depth map is drawn in: the UTM zone (WGS 84) of the water surveyed, so that cells
// are square metres and chart software knows the map's place by its EPSG code.
#include "mapping/DepthGrid.h"
#include "mapping/Soundings.h"

#include <vector>

namespace vz {

// EPSG code of the UTM zone holding the point (326zz north of the equator, 327zz south).
int UtmEpsgFor(double latitude, double longitude);

// The soundings in that plane; false (and `error`) when the projection is not available.
bool ProjectSoundings(const std::vector<GeoSounding>& in, int epsg, std::vector<Sounding>& out, std::string& error);

} // namespace vz
