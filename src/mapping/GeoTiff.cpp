#include "mapping/GeoTiff.h"

#include <gdal_priv.h>
#include <ogr_spatialref.h>

#include <memory>

namespace vz {

bool WriteGeoTiff(const DepthGrid& grid, int epsg, const std::string& units, const std::string& path,
                  std::string& error) {
    GDALAllRegister();
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName("GTiff");
    const GridGeometry& g = grid.geometry;
    if (!driver || g.columns <= 0 || g.rows <= 0) {
        error = driver ? "nothing to map" : "GDAL has no GeoTIFF driver";
        return false;
    }
    char** options = nullptr;
    options = CSLSetNameValue(options, "COMPRESS", "DEFLATE");
    options = CSLSetNameValue(options, "PREDICTOR", "3");
    const std::unique_ptr<GDALDataset, decltype(&GDALClose)> ds(
        driver->Create(path.c_str(), g.columns, g.rows, 1, GDT_Float32, options), &GDALClose);
    CSLDestroy(options);
    if (!ds) {
        error = "cannot write " + path + ": " + CPLGetLastErrorMsg();
        return false;
    }
    double transform[6] = {g.west, g.cell, 0, g.north, 0, -g.cell};
    ds->SetGeoTransform(transform);
    OGRSpatialReference srs;
    srs.importFromEPSG(epsg);
    ds->SetSpatialRef(&srs);
    GDALRasterBand* band = ds->GetRasterBand(1);
    band->SetNoDataValue(kGeoTiffNoData);
    band->SetDescription(("depth (" + units + ")").c_str());
    band->SetUnitType(units.c_str());
    std::vector<float> values(grid.depth);
    for (float& v : values)
        if (DepthGrid::isEmpty(v)) v = kGeoTiffNoData;
    if (band->RasterIO(GF_Write, 0, 0, g.columns, g.rows, values.data(), g.columns, g.rows, GDT_Float32, 0, 0) !=
        CE_None) {
        error = "writing " + path + " failed: " + CPLGetLastErrorMsg();
        return false;
    }
    band->ComputeStatistics(FALSE, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    return true;
}

} // namespace vz
