// Depth maps: gridding, contours, the GeoTIFF's place, soundings between fixes, and the export
// tool's --grid on a recording with and without GPS.
#include "support/DataFiles.h"
#include "support/ExportTool.h"
#include "mapping/Contours.h"
#include "mapping/DepthGrid.h"
#include "mapping/GeoTiff.h"
#include "mapping/MapProjection.h"
#include "mapping/Soundings.h"
#include "support/Fixture.h"

#include <QFileInfo>

#include <gdal_priv.h>
#include <ogr_spatialref.h>

#include <cmath>
#include <memory>
#include <optional>
#include <regex>
#include <set>
#include <tuple>

namespace vz::test {
namespace {

constexpr float kEmpty = NAN;

class DepthMapTest : public Fixture {};

TEST_F(DepthMapTest, GriddingKnownSoundings) {
    // Soundings on a slope (10 + 0.5 east + 0.2 north), all off the cell's centre at (5, 5): their
    // mean is 12.43, the slope's depth at the centre 13.5.
    std::vector<Sounding> slope;
    for (auto [e, n] : {std::pair{1.0, 1.0}, {2.0, 8.0}, {3.0, 3.0}, {8.0, 2.0}, {1.0, 6.0}, {4.0, 9.0}})
        slope.push_back({e, n, static_cast<float>(10 + 0.5 * e + 0.2 * n)});
    // What it proves, the soundings, cell size and reach, the grid's west and north edges, its
    // columns and rows, and its cells row by row from the north.
    const std::tuple<const char*, std::vector<Sounding>, double, double, double, double, int, int,
                     std::vector<float>> cases[] = {
        {"one sounding, one cell", {{5, 5, 20}}, 10, 12, 0, 10, 1, 1, {20}},
        {"a gap beyond the reach stays empty", {{5, 5, 20}, {45, 5, 30}}, 10, 12, 0, 10, 5, 1,
         {20, 20, kEmpty, 30, 30}},
        {"edges on whole cells, south and west of zero", {{-7, -3, 4}, {-1, -9, 6}},
         5, 3, -10, 0, 2, 2, {4, kEmpty, kEmpty, 6}},
        {"a slope is not pulled towards where its soundings lie", slope, 10, 10, 0, 10, 1, 1, {13.5f}},
    };
    for (const auto& [what, soundings, cell, reach, west, north, columns, rows, cells] : cases) {
        SCOPED_TRACE(what);
        const DepthGrid grid = GridSoundings(soundings, cell, reach);
        const GridGeometry& g = grid.geometry;
        ASSERT_EQ(std::tie(g.west, g.north, g.columns, g.rows),
                  std::tie(west, north, columns, rows));
        for (std::size_t i = 0; i < cells.size(); ++i)
            EXPECT_TRUE(std::isnan(cells[i]) ? DepthGrid::isEmpty(grid.depth[i])
                                             : std::abs(grid.depth[i] - cells[i]) < 0.05)
                << "cell " << i << ": " << grid.depth[i];
    }
}

// Depth 10 + 0.5 east over 20 x 10 cells of 1 m, the five eastern columns empty: contours every
// unit of depth run north-south at east = 2 (depth - 10), within the grid, and none crosses the
// empty cells (the last full column's centre lies at 17.25).
TEST_F(DepthMapTest, ContoursOfAKnownSlope) {
    DepthGrid grid;
    grid.geometry = {0, 10, 1, 20, 10};
    for (int row = 0; row < 10; ++row)
        for (int column = 0; column < 20; ++column)
            grid.depth.push_back(column < 15 ? static_cast<float>(10 + 0.5 * grid.geometry.centreEast(column)) : kEmpty);
    std::vector<ContourLine> lines;
    std::string error;
    ASSERT_TRUE(MakeContours(grid, 1.0, lines, error)) << error;
    std::set<double> levels;
    for (const ContourLine& line : lines) {
        levels.insert(line.depth);
        ASSERT_GE(line.points.size(), 2u);
        for (const auto& [east, north] : line.points) {
            EXPECT_NEAR(east, 2 * (line.depth - 10), 1e-4) << line.depth;
            EXPECT_TRUE(north >= 0 && north <= 10) << north;
        }
    }
    EXPECT_EQ(levels, (std::set<double>{11, 12, 13, 14, 15, 16, 17}));
}

TEST_F(DepthMapTest, GeoTiffIsPlacedAndReadBackWithGdal) {
    DepthGrid grid;
    grid.geometry = {500000, 5455000, 2.5, 4, 3};
    grid.depth = {1, 2, 3, 4, 5, kEmpty, 7, 8, 9, 10, 11, 12};
    const std::string path = dataPath("map.tif");
    std::string error;
    ASSERT_TRUE(WriteGeoTiff(grid, 32610, "Ft", path, error)) << error;

    GDALAllRegister();
    const std::unique_ptr<GDALDataset, decltype(&GDALClose)> ds(
        static_cast<GDALDataset*>(GDALOpen(path.c_str(), GA_ReadOnly)), &GDALClose);
    ASSERT_TRUE(ds);
    double gt[6] = {};
    ASSERT_EQ(ds->GetGeoTransform(gt), CE_None);
    EXPECT_EQ(std::vector<double>(gt, gt + 6), (std::vector<double>{500000, 2.5, 0, 5455000, 0, -2.5}));
    ASSERT_TRUE(ds->GetSpatialRef());
    EXPECT_STREQ(ds->GetSpatialRef()->GetAuthorityCode(nullptr), "32610");
    EXPECT_EQ(std::pair(ds->GetRasterXSize(), ds->GetRasterYSize()), std::pair(4, 3));
    GDALRasterBand* band = ds->GetRasterBand(1);
    EXPECT_EQ(band->GetNoDataValue(), kGeoTiffNoData); // -1e10 when none is set
    EXPECT_STREQ(band->GetUnitType(), "Ft");
    std::vector<float> values(12);
    ASSERT_EQ(band->RasterIO(GF_Read, 0, 0, 4, 3, values.data(), 4, 3, GDT_Float32, 0, 0), CE_None);
    EXPECT_EQ(values, (std::vector<float>{1, 2, 3, 4, 5, kGeoTiffNoData, 7, 8, 9, 10, 11, 12}));

    const std::tuple<double, double, int> zones[] = {{49.25, -122.5, 32610}, {-33.9, 151.2, 32756},
        {0, 0, 32631}, {60, -180, 32601}, {10, 179.9, 32660}};
    for (const auto& [latitude, longitude, epsg] : zones)
        EXPECT_EQ(UtmEpsgFor(latitude, longitude), epsg) << latitude << " " << longitude;
}

// Each point gets the depth recorded with the next one; points between two fixes a second apart
// (here across the hour) are spread along the way, fixes further apart are not joined; depths go
// into the first recorded depth's units; points without a position, or without a recorded depth,
// are dropped.
TEST_F(DepthMapTest, SoundingsAreSpreadBetweenFixes) {
    // Time, latitude, the depth of the point before, its units.
    const std::tuple<const char*, std::optional<double>, std::optional<float>, const char*> points[] = {
        {"09:59:59", 49.0, {}, "Ft"}, {"09:59:59", 49.0, 10, "Ft"}, {"09:59:59", 49.0, 11, "Ft"},
        {"10:00:00", 49.3, {}, "Ft"}, {"10:00:00", {}, 1, "Mtr"},   {"10:00:02", 49.5, 13, "Ft"},
        {"10:00:09", 49.9, 14, "Ft"}, {"10:00:09", 49.9, 15, "Ft"}};
    SoundingCollector c;
    for (const auto& [time, latitude, recorded, units] : points) {
        TrackPoint p;
        p.dateTime = std::string("2026-06-12T") + time;
        p.latitude = latitude;
        if (latitude) p.longitude = -122.5;
        p.recordedDepth = recorded;
        p.units = units;
        c.add(p);
    }
    c.endRecording();
    const std::vector<std::pair<double, float>> expected{{49.0, 10}, {49.1, 11}, {49.3, 3.280839f}, {49.5, 14}, {49.9, 15}};
    ASSERT_EQ(c.soundings().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_NEAR(c.soundings()[i].latitude, expected[i].first, 1e-9) << i;
        EXPECT_NEAR(c.soundings()[i].depth, expected[i].second, 1e-4) << i;
    }
    EXPECT_EQ(c.units(), "Ft");
    EXPECT_EQ(std::pair(c.points(), c.positioned()), std::pair(8L, 7L));
}

TEST_F(DepthMapTest, TheToolMapsARecordingAndSaysWhenThereIsNoGps) {
    const std::string sample = readFile(std::string(VZ_SOURCE_DIR) + "/samples/I6061210.15I");
    ASSERT_NE(sample, "<missing>");
    writeFile(dataPath("I6061210.15I"), sample);
    const std::regex gps("^GPS:[^\n]*\n", std::regex::multiline);
    writeFile(dataPath("I6061210.16I"), std::regex_replace(sample, gps, ""));
    const std::tuple<std::string, int, const char*> runs[] = {
        {"I6061210.15I", 0, "wrote"}, {"I6061210.16I", 3, "no GPS position"}};
    for (const auto& [file, status, message] : runs) {
        const QString base = QString::fromStdString(dataPath("map-" + file));
        const QStringList arguments{"--grid", "2", "-o", base,
                                    QString::fromStdString(dataPath(file))};
        QByteArray errors;
        EXPECT_EQ(runExport(arguments, &errors, 60000), status) << file;
        EXPECT_TRUE(errors.contains(message)) << file;
        for (const char* suffix : {".tif", "-contours.geojson", "-contours.kml", ".png"})
            EXPECT_EQ(QFileInfo(base + suffix).size() > 0, status == 0) << file << suffix;
    }
}

} // namespace
} // namespace vz::test
