#include "mapping/Contours.h"

#include "mapping/GeoTiff.h"

#include <gdal_alg.h>
#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <cstdio>
#include <memory>

namespace vz {

namespace {

using Dataset = std::unique_ptr<GDALDataset, decltype(&GDALClose)>;

Dataset MemoryRaster(const DepthGrid& grid) {
    const GridGeometry& g = grid.geometry;
    Dataset ds(GetGDALDriverManager()->GetDriverByName("MEM")->Create("", g.columns, g.rows, 1, GDT_Float32, nullptr),
               &GDALClose);
    double transform[6] = {g.west, g.cell, 0, g.north, 0, -g.cell};
    ds->SetGeoTransform(transform);
    GDALRasterBand* band = ds->GetRasterBand(1);
    band->SetNoDataValue(kGeoTiffNoData);
    std::vector<float> values(grid.depth);
    for (float& v : values)
        if (DepthGrid::isEmpty(v)) v = kGeoTiffNoData;
    if (band->RasterIO(GF_Write, 0, 0, g.columns, g.rows, values.data(), g.columns, g.rows, GDT_Float32, 0, 0) !=
        CE_None)
        ds.reset();
    return ds;
}

void Collect(const OGRGeometry* geometry, double depth, std::vector<ContourLine>& lines) {
    if (const auto* line = dynamic_cast<const OGRLineString*>(geometry)) {
        ContourLine out{depth, {}};
        out.points.reserve(static_cast<std::size_t>(line->getNumPoints()));
        for (int i = 0; i < line->getNumPoints(); ++i) out.points.emplace_back(line->getX(i), line->getY(i));
        lines.push_back(std::move(out));
    } else if (const auto* many = dynamic_cast<const OGRGeometryCollection*>(geometry)) {
        for (int i = 0; i < many->getNumGeometries(); ++i) Collect(many->getGeometryRef(i), depth, lines);
    }
}

} // namespace

bool MakeContours(const DepthGrid& grid, double interval, std::vector<ContourLine>& lines, std::string& error) {
    GDALAllRegister();
    lines.clear();
    if (grid.depth.empty()) return true;
    const Dataset raster = MemoryRaster(grid);
    Dataset vector(GetGDALDriverManager()->GetDriverByName("Memory")->Create("", 0, 0, 0, GDT_Unknown, nullptr),
                   &GDALClose);
    if (!raster || !vector) {
        error = "no memory for the contours";
        return false;
    }
    OGRLayer* layer = vector->CreateLayer("contours", nullptr, wkbLineString, nullptr);
    OGRFieldDefn field("depth", OFTReal);
    layer->CreateField(&field);
    char** options = nullptr;
    options = CSLSetNameValue(options, "LEVEL_INTERVAL", std::to_string(interval).c_str());
    options = CSLSetNameValue(options, "ELEV_FIELD", "0");
    options = CSLSetNameValue(options, "NODATA", std::to_string(kGeoTiffNoData).c_str());
    const CPLErr result = GDALContourGenerateEx(raster->GetRasterBand(1), layer, options, nullptr, nullptr);
    CSLDestroy(options);
    if (result != CE_None) {
        error = std::string("the contour generator failed: ") + CPLGetLastErrorMsg();
        return false;
    }
    layer->ResetReading();
    while (OGRFeature* feature = layer->GetNextFeature()) {
        Collect(feature->GetGeometryRef(), feature->GetFieldAsDouble(0), lines);
        OGRFeature::DestroyFeature(feature);
    }
    return true;
}

bool WriteContours(const std::vector<ContourLine>& lines, int epsg, const std::string& units, const std::string& driver,
                   const std::string& path, std::string& error) {
    GDALAllRegister();
    GDALDriver* d = GetGDALDriverManager()->GetDriverByName(driver.c_str());
    if (!d) {
        error = "GDAL has no " + driver + " driver";
        return false;
    }
    VSIUnlink(path.c_str());
    Dataset ds(d->Create(path.c_str(), 0, 0, 0, GDT_Unknown, nullptr), &GDALClose);
    if (!ds) {
        error = "cannot write " + path + ": " + CPLGetLastErrorMsg();
        return false;
    }
    OGRSpatialReference plane, geographic;
    plane.importFromEPSG(epsg);
    plane.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    geographic.SetWellKnownGeogCS("WGS84");
    geographic.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    const std::unique_ptr<OGRCoordinateTransformation> transform(OGRCreateCoordinateTransformation(&plane, &geographic));
    OGRLayer* layer = ds->CreateLayer("contours", &geographic, wkbLineString, nullptr);
    if (!transform || !layer) {
        error = "cannot write " + path + ": " + CPLGetLastErrorMsg();
        return false;
    }
    OGRFieldDefn depthField("depth", OFTReal);
    OGRFieldDefn unitsField("units", OFTString);
    OGRFieldDefn nameField("Name", OFTString); // what KML viewers show beside a line
    layer->CreateField(&depthField);
    layer->CreateField(&unitsField);
    layer->CreateField(&nameField);
    for (const ContourLine& line : lines) {
        OGRLineString geometry;
        for (const auto& [east, north] : line.points) geometry.addPoint(east, north);
        geometry.transform(transform.get());
        OGRFeature feature(layer->GetLayerDefn());
        feature.SetField("depth", line.depth);
        feature.SetField("units", units.c_str());
        char name[48];
        std::snprintf(name, sizeof name, "%g %s", line.depth, units.c_str());
        feature.SetField("Name", name);
        feature.SetGeometry(&geometry);
        if (layer->CreateFeature(&feature) != OGRERR_NONE) {
            error = "writing " + path + " failed: " + CPLGetLastErrorMsg();
            return false;
        }
    }
    return true;
}

} // namespace vz
