#include "mapping/MapProjection.h"

#include <ogr_spatialref.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace vz {

int UtmEpsgFor(double latitude, double longitude) {
    const int zone = std::clamp(static_cast<int>(std::floor((longitude + 180) / 6)) + 1, 1, 60);
    return (latitude >= 0 ? 32600 : 32700) + zone;
}

bool ProjectSoundings(const std::vector<GeoSounding>& in, int epsg, std::vector<Sounding>& out, std::string& error) {
    OGRSpatialReference geographic, plane;
    geographic.SetWellKnownGeogCS("WGS84");
    geographic.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    if (plane.importFromEPSG(epsg) != OGRERR_NONE) {
        error = "the projection EPSG:" + std::to_string(epsg) + " is not known here";
        return false;
    }
    plane.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    const std::unique_ptr<OGRCoordinateTransformation> transform(OGRCreateCoordinateTransformation(&geographic, &plane));
    if (!transform) {
        error = "no transformation to EPSG:" + std::to_string(epsg);
        return false;
    }
    std::vector<double> x(in.size()), y(in.size());
    for (std::size_t i = 0; i < in.size(); ++i) {
        x[i] = in[i].longitude;
        y[i] = in[i].latitude;
    }
    std::vector<int> ok(in.size(), 0);
    if (!in.empty() && !transform->Transform(in.size(), x.data(), y.data(), nullptr, ok.data())) {
        error = "the positions could not be projected";
        return false;
    }
    out.clear();
    out.reserve(in.size());
    for (std::size_t i = 0; i < in.size(); ++i)
        if (ok[i]) out.push_back({x[i], y[i], in[i].depth});
    return true;
}

} // namespace vz
