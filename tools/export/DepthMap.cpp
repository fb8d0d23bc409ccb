// The depth map: every record of every recording decoded and bottom-tracked as playback does, the
// depths with a GPS position gridded in the UTM plane, then the GeoTIFF, the contour lines and
// the picture. Progress and the time of each stage go to standard error.
#include "DepthMap.h"

#include "mapping/Contours.h"
#include "mapping/DepthGrid.h"
#include "mapping/GeoTiff.h"
#include "mapping/MapImage.h"
#include "mapping/MapProjection.h"
#include "mapping/Soundings.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

// Folders stand for the recordings in them (I*.??I), in name order.
QStringList RecordingsOf(const QStringList& inputs) {
    QStringList files;
    for (const QString& input : inputs) {
        const QFileInfo info(input);
        if (!info.isDir()) {
            files << input;
            continue;
        }
        for (const QFileInfo& f : QDir(input).entryInfoList({"I*.??I", "i*.??i"}, QDir::Files, QDir::Name))
            files << f.filePath();
    }
    return files;
}

double DefaultInterval(const std::string& units) {
    return units == "Ft" ? 5.0 : 1.0;
}

double Seconds(const QElapsedTimer& t) {
    return static_cast<double>(t.nsecsElapsed()) / 1e9;
}

} // namespace

int MakeDepthMap(const DepthMapRequest& request) {
    const QStringList files = RecordingsOf(request.inputs);
    if (files.isEmpty()) {
        std::fprintf(stderr, "vodazuzovi-export: no recordings (I*.??I) in %s\n", qPrintable(request.inputs.join(", ")));
        return 2;
    }
    QElapsedTimer stage;
    stage.start();
    vz::PrepareTrackExport();
    vz::SoundingCollector collector;
    for (int i = 0; i < files.size(); ++i) {
        const QString& path = files[i];
        const QString name = QFileInfo(path).fileName();
        const long pointsBefore = collector.points(), positionedBefore = collector.positioned();
        const std::size_t soundingsBefore = collector.soundings().size();
        const auto outcome = vz::ExportRecording(
            path.toStdString(), [&collector](const vz::TrackPoint& p) { collector.add(p); },
            [&](std::int64_t done, std::int64_t size) {
                if (size > 0 && isatty(STDERR_FILENO))
                    std::fprintf(stderr, "\r[%d/%lld] %s  %3d%%", i + 1, static_cast<long long>(files.size()),
                                 qPrintable(name), static_cast<int>(done * 100 / size));
            });
        const int openError = errno;
        collector.endRecording();
        if (isatty(STDERR_FILENO)) std::fprintf(stderr, "\r");
        if (outcome == vz::ExportOutcome::CannotOpen) {
            std::fprintf(stderr, "vodazuzovi-export: %s: cannot be read: %s\n", qPrintable(path), std::strerror(openError));
            return 1;
        }
        if (outcome == vz::ExportOutcome::NotARecording) {
            std::fprintf(stderr, "vodazuzovi-export: %s: not a screen-data recording (no headers or no records)\n",
                         qPrintable(path));
            return 2;
        }
        const long points = collector.points() - pointsBefore;
        if (collector.positioned() == positionedBefore) {
            std::fprintf(stderr,
                         "vodazuzovi-export: %s: no GPS position in its %ld records (no GPS was connected, or "
                         "it had no fix): nothing of it can be mapped\n",
                         qPrintable(name), points);
            continue;
        }
        std::fprintf(stderr, "[%d/%lld] %s: %ld records, %zu soundings with a position\n", i + 1,
                     static_cast<long long>(files.size()), qPrintable(name), points,
                     collector.soundings().size() - soundingsBefore);
    }
    if (collector.soundings().empty()) {
        std::fprintf(stderr, "vodazuzovi-export: no depth with a GPS position in any recording: no map\n");
        return 3;
    }
    const double readS = Seconds(stage);

    stage.restart();
    const auto& geo = collector.soundings();
    const int epsg = vz::UtmEpsgFor(geo[geo.size() / 2].latitude, geo[geo.size() / 2].longitude);
    std::vector<vz::Sounding> soundings;
    std::string error;
    if (!vz::ProjectSoundings(geo, epsg, soundings, error)) {
        std::fprintf(stderr, "vodazuzovi-export: %s\n", error.c_str());
        return 1;
    }
    const vz::DepthGrid grid = vz::GridSoundings(soundings, request.cellM, request.reachM);
    const double gridS = Seconds(stage);
    long filled = 0;
    for (float d : grid.depth) filled += vz::DepthGrid::isEmpty(d) ? 0 : 1;

    stage.restart();
    const std::string units = collector.units();
    const double interval = request.contourInterval.value_or(DefaultInterval(units));
    std::vector<vz::ContourLine> contours;
    if (!vz::MakeContours(grid, interval, contours, error)) {
        std::fprintf(stderr, "vodazuzovi-export: %s\n", error.c_str());
        return 1;
    }
    const double contourS = Seconds(stage);

    stage.restart();
    const QString base = QDir::cleanPath(request.base); // a folder's name, not a file in it
    const QString tif = base + ".tif", geojson = base + "-contours.geojson", kml = base + "-contours.kml",
                  png = base + ".png";
    if (!vz::WriteGeoTiff(grid, epsg, units, tif.toStdString(), error) ||
        !vz::WriteContours(contours, epsg, units, "GeoJSON", geojson.toStdString(), error) ||
        !vz::WriteContours(contours, epsg, units, "KML", kml.toStdString(), error)) {
        std::fprintf(stderr, "vodazuzovi-export: %s\n", error.c_str());
        return 1;
    }
    const QString title = QString("%1  -  %2 m cells, contours every %3 %4")
                              .arg(QFileInfo(files.first()).fileName() +
                                   (files.size() > 1 ? QString(" and %1 more").arg(files.size() - 1) : QString()))
                              .arg(request.cellM)
                              .arg(interval)
                              .arg(QString::fromStdString(units));
    if (!vz::DrawDepthMap(grid, contours, QString::fromStdString(units), title).save(png)) {
        std::fprintf(stderr, "vodazuzovi-export: cannot write %s\n", qPrintable(png));
        return 1;
    }
    const double writeS = Seconds(stage);
    std::fprintf(stderr,
                 "%zu soundings; grid %d x %d cells of %g m (EPSG:%d), %ld with a depth; %zu contour lines every %g "
                 "%s\nread %.2f s, grid %.2f s, contours %.2f s, files %.2f s\nwrote %s, %s, %s and %s\n",
                 soundings.size(), grid.geometry.columns, grid.geometry.rows, request.cellM, epsg, filled,
                 contours.size(), interval, units.c_str(), readS, gridS, contourS, writeS, qPrintable(tif),
                 qPrintable(geojson), qPrintable(kml), qPrintable(png));
    return 0;
}
