// lakemapcheck: a depth map (GeoTIFF) of the simulated lake against the lake itself. Each cell
// with a depth is compared with the true depth at its centre, found through the map's own
// georeferencing (read back with GDAL) and the lake's floor; prints one table row.
#include "lake.h"

#include <gdal_priv.h>
#include <ogr_spatialref.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <memory>
#include <string>
#include <vector>

namespace {

// Share of cells within 2 % + 0.5 ft of the truth, as the bottom tracking is measured.
bool InBand(double depthFt, double truthFt) {
    return std::fabs(depthFt - truthFt) <= 0.02 * truthFt + 0.5;
}

double FeetPerUnit(const std::string& units) {
    if (units == "Mtr") return 3.280839;
    if (units == "Fa") return 6;
    return 1;
}

// The surveyed part of the lake, where the map should have depths: inside the survey's lines.
constexpr double kSurveyedRadius = 0.80;

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::string(argv[1]) == "--help") {
        std::fputs("Usage: lakemapcheck MAP.tif [LAKE_SEED [TRUTH]]\n"
                   "Prints: cells with a depth, the share of them within 2 % + 0.5 ft of the lake's depth at\n"
                   "their centre, the mean and largest error (ft), and the share of the surveyed lake's cells\n"
                   "that have a depth. With ifbsim's truth file, also the share in the band of the cells the\n"
                   "boat crossed and of those between its lines.\n",
                   stderr);
        return 2;
    }
    const lake::Lake lakeFloor(argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1);
    GDALAllRegister();
    const std::unique_ptr<GDALDataset, decltype(&GDALClose)> ds(
        static_cast<GDALDataset*>(GDALOpen(argv[1], GA_ReadOnly)), &GDALClose);
    if (!ds || !ds->GetSpatialRef()) {
        std::fprintf(stderr, "lakemapcheck: cannot open %s as a georeferenced map\n", argv[1]);
        return 1;
    }
    double gt[6];
    ds->GetGeoTransform(gt);
    OGRSpatialReference plane(*ds->GetSpatialRef()), geographic;
    plane.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    geographic.SetWellKnownGeogCS("WGS84");
    geographic.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    const std::unique_ptr<OGRCoordinateTransformation> toGeo(OGRCreateCoordinateTransformation(&plane, &geographic));
    GDALRasterBand* band = ds->GetRasterBand(1);
    const double feet = FeetPerUnit(band->GetUnitType());
    const int columns = ds->GetRasterXSize(), rows = ds->GetRasterYSize();
    std::vector<float> values(static_cast<std::size_t>(columns) * rows);
    // The cells the boat crossed, from the truth file's positions.
    std::vector<char> crossed(values.size(), 0);
    const bool haveTruth = argc > 3;
    if (haveTruth) {
        const std::unique_ptr<OGRCoordinateTransformation> toPlane(OGRCreateCoordinateTransformation(&geographic, &plane));
        std::ifstream truth(argv[3]);
        std::string line;
        while (std::getline(truth, line)) {
            std::istringstream fields(line);
            double v[9];
            int k = 0;
            while (k < 9 && fields >> v[k]) ++k;
            if (k < 9) continue;
            double x = v[8], y = v[7];
            toPlane->Transform(1, &x, &y);
            const int c = static_cast<int>(std::floor((x - gt[0]) / gt[1])), r = static_cast<int>(std::floor((y - gt[3]) / gt[5]));
            if (c >= 0 && c < columns && r >= 0 && r < rows) crossed[static_cast<std::size_t>(r) * columns + c] = 1;
        }
    }
    long crossedCells = 0, crossedInBand = 0;
    if (band->RasterIO(GF_Read, 0, 0, columns, rows, values.data(), columns, rows, GDT_Float32, 0, 0) != CE_None)
        return 1;
    int hasNoData = 0;
    const double noData = band->GetNoDataValue(&hasNoData);
    long cells = 0, inBand = 0, surveyed = 0, surveyedFilled = 0;
    double sumError = 0, worst = 0;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            double x = gt[0] + (c + 0.5) * gt[1] + (r + 0.5) * gt[2];
            double y = gt[3] + (c + 0.5) * gt[4] + (r + 0.5) * gt[5];
            toGeo->Transform(1, &x, &y);
            const lake::LatLon at{y, x};
            const float v = values[static_cast<std::size_t>(r) * columns + c];
            const bool filled = !(hasNoData && v == noData) && !std::isnan(v);
            if (lakeFloor.shoreRadius(lakeFloor.toLocal(at)) <= kSurveyedRadius) {
                ++surveyed;
                surveyedFilled += filled ? 1 : 0;
            }
            if (!filled) continue;
            const double truth = lakeFloor.depthFt(at), depth = v * feet;
            ++cells;
            inBand += InBand(depth, truth) ? 1 : 0;
            if (crossed[static_cast<std::size_t>(r) * columns + c]) {
                ++crossedCells;
                crossedInBand += InBand(depth, truth) ? 1 : 0;
            }
            sumError += std::fabs(depth - truth);
            worst = std::max(worst, std::fabs(depth - truth));
        }
    std::printf("%ld cells with a depth, %.1f %% within 2 %% + 0.5 ft, mean error %.2f ft, largest %.2f ft, "
                "%.1f %% of the surveyed lake mapped\n",
                cells, cells ? 100.0 * inBand / cells : 0.0, cells ? sumError / cells : 0.0, worst,
                surveyed ? 100.0 * surveyedFilled / surveyed : 0.0);
    if (haveTruth)
        std::printf("crossed by the boat: %ld cells, %.1f %% within the band; between its lines: %ld cells, %.1f %%\n",
                    crossedCells, crossedCells ? 100.0 * crossedInBand / crossedCells : 0.0, cells - crossedCells,
                    cells > crossedCells ? 100.0 * (inBand - crossedInBand) / (cells - crossedCells) : 0.0);
    return 0;
}
