// vodazuzovi-export: the depth track of screen-data recordings as CSV and, with --gpx, GPX 1.1,
// for bathymetry in chart software. No window: each record is decoded and bottom-tracked by the
// program's own operations, as fast as the machine allows, reading the file through a fixed
// buffer.
#include "DepthMap.h"
#include "logging/EchogramExport.h"
#include "logging/TrackExport.h"
#include "logging/TrackWriters.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>

#include <unistd.h>

namespace {

// Seconds the recording spans, from the first and last point's time.
class Span {
public:
    void add(const std::string& dateTime) {
        const QDateTime t = QDateTime::fromString(QString::fromStdString(dateTime), Qt::ISODate);
        if (!t.isValid()) return;
        if (!first_.isValid()) first_ = t;
        last_ = t;
    }
    double seconds() const { return first_.isValid() ? static_cast<double>(first_.secsTo(last_)) : 0.0; }

private:
    QDateTime first_, last_;
};

void ShowProgress(const QString& name, std::int64_t done, std::int64_t size) {
    if (size <= 0 || !isatty(STDERR_FILENO)) return;
    std::fprintf(stderr, "\r%s  %3d%%", qPrintable(name), static_cast<int>(done * 100 / size));
    std::fflush(stderr);
}

} // namespace

int main(int argc, char** argv) {
    // The program's surfaces are images with text; no window is ever shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName("vodazuzovi-export");
    QCoreApplication::setApplicationVersion("3.16");
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Writes the depth track of Vodazuzovi screen-data recordings as CSV (time, latitude, longitude,\n"
        "speed, water temperature, depth in the recorded units and in metres, channel) and, with --gpx,\n"
        "as a GPX 1.1 track whose points carry depth and water temperature. Several files are taken\n"
        "in the order given, as one track.");
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption gpx("gpx", "Also write BASE.gpx.");
    const QCommandLineOption output({"o", "output"}, "Write BASE.csv (and BASE.gpx); default: the first FILE's path.", "BASE");
    const QCommandLineOption grid("grid", "Instead of the track, a depth map with cells of METRES: BASE.tif (GeoTIFF), "
                                  "BASE-contours.geojson and .kml, BASE.png. FILE may be a folder of recordings.", "METRES");
    const QCommandLineOption contour("contour", "With --grid: contour lines every STEP in the recording's depth units "
                                     "(default 5 ft, 1 m or 1 fathom).", "STEP");
    const QCommandLineOption reach("reach", "With --grid: cells farther than METRES from every sounding stay empty "
                                   "(default 10).", "METRES", "10");
    const QCommandLineOption png("png", "Also draw the echogram, one column per ping, as pages BASE-001.png, BASE-002.png, ...");
    const QCommandLineOption pageWidth("page-width", "Columns (pings) per page of --png; default 1200.", "N", "1200");
    parser.addOption(gpx);
    parser.addOption(output);
    parser.addOption(grid);
    parser.addOption(contour);
    parser.addOption(reach);
    parser.addOption(png);
    parser.addOption(pageWidth);
    parser.addPositionalArgument("FILE", "Screen-data recordings (I*.??I).", "FILE...");
    parser.process(app);
    const QStringList files = parser.positionalArguments();
    if (files.isEmpty()) parser.showHelp(2);
    if (parser.value(pageWidth).toInt() < 1) {
        std::fprintf(stderr, "vodazuzovi-export: --page-width takes a number of columns, 1 or more\n");
        return 2;
    }

    const QString base = parser.isSet(output) ? parser.value(output) : files.first();
    if (parser.isSet(grid)) {
        DepthMapRequest map{files, base, parser.value(grid).toDouble(), parser.value(reach).toDouble(), {}};
        bool contourOk = true;
        if (parser.isSet(contour)) map.contourInterval = parser.value(contour).toDouble(&contourOk);
        if (!(map.cellM > 0) || !(map.reachM > 0) || !contourOk || (map.contourInterval && !(*map.contourInterval > 0))) {
            std::fprintf(stderr, "vodazuzovi-export: --grid, --reach and --contour take a number above 0\n");
            return 2;
        }
        return MakeDepthMap(map);
    }
    const QString csvPath = base + ".csv", gpxPath = base + ".gpx";
    // Written beside the outputs and renamed over them only when everything went well, so a
    // failed export leaves an earlier one of the same name as it was.
    const QString csvTemp = csvPath + ".part", gpxTemp = gpxPath + ".part";
    std::ofstream csvFile(csvTemp.toStdString(), std::ios::binary);
    std::unique_ptr<std::ofstream> gpxFile;
    if (parser.isSet(gpx)) gpxFile = std::make_unique<std::ofstream>(gpxTemp.toStdString(), std::ios::binary);
    if (!csvFile || (gpxFile && !*gpxFile)) {
        std::fprintf(stderr, "vodazuzovi-export: cannot write %s: %s\n", qPrintable(base), std::strerror(errno));
        QFile::remove(csvTemp);
        return 1;
    }
    vz::CsvTrackWriter csv(csvFile);
    std::unique_ptr<vz::GpxTrackWriter> track;
    if (gpxFile) track = std::make_unique<vz::GpxTrackWriter>(*gpxFile, QFileInfo(files.first()).fileName().toStdString());

    vz::PrepareTrackExport();
    std::unique_ptr<vz::EchogramPages> pages;
    if (parser.isSet(png)) {
        vz::PrepareEchogramExport();
        pages = std::make_unique<vz::EchogramPages>(parser.value(pageWidth).toInt(), [&base](const QImage& page, int n) {
            return page.save(QString("%1-%2.png").arg(base).arg(n, 3, 10, QChar('0')), "PNG");
        });
    }
    int status = 0;
    for (const QString& path : files) {
        const QString name = QFileInfo(path).fileName();
        long records = 0, points = 0;
        Span span;
        QElapsedTimer elapsed;
        elapsed.start();
        if (track) track->beginSegment();
        const vz::ExportOutcome outcome = vz::ExportRecording(
            path.toStdString(),
            [&](const vz::TrackPoint& p) {
                ++records;
                span.add(p.dateTime);
                csv.write(p);
                if (track && track->write(p)) ++points;
            },
            [&name](std::int64_t done, std::int64_t size) { ShowProgress(name, done, size); },
            pages ? vz::EchogramColumnTaker(*pages) : std::function<void()>());
        const int openError = errno; // before isatty below replaces it
        if (isatty(STDERR_FILENO)) std::fprintf(stderr, "\r");
        if (outcome == vz::ExportOutcome::CannotOpen) {
            std::fprintf(stderr, "vodazuzovi-export: %s: cannot be read: %s\n", qPrintable(path), std::strerror(openError));
            status = 1;
            break;
        }
        if (outcome == vz::ExportOutcome::NotARecording) {
            std::fprintf(stderr, "vodazuzovi-export: %s: not a screen-data recording (no headers or no records)\n",
                         qPrintable(path));
            status = 2;
            break;
        }
        const double seconds = std::max(1e-6, static_cast<double>(elapsed.nsecsElapsed()) / 1e9);
        std::fprintf(stderr, "%s: %ld records (%.0f s recorded) in %.2f s: %.0f records/s, %.0f x real time%s\n",
                     qPrintable(name), records, span.seconds(), seconds, records / seconds,
                     span.seconds() / seconds,
                     track ? qPrintable(QString(", %1 GPX points").arg(points)) : "");
    }
    if (track) track->finish();
    if (pages) {
        pages->finish();
        if (!pages->allKept()) {
            std::fprintf(stderr, "vodazuzovi-export: writing the pages %s-NNN.png failed\n", qPrintable(base));
            status = 1;
        } else if (status == 0) {
            std::fprintf(stderr, "wrote %d pages %s-001.png ...\n", pages->pages(), qPrintable(base));
        }
    }
    csvFile.close();
    if (gpxFile) gpxFile->close();
    if (status == 0 && (!csvFile || (gpxFile && !*gpxFile))) {
        std::fprintf(stderr, "vodazuzovi-export: writing %s failed\n", qPrintable(base));
        status = 1;
    }
    if (status == 0 && (std::rename(qPrintable(csvTemp), qPrintable(csvPath)) != 0 ||
                        (gpxFile && std::rename(qPrintable(gpxTemp), qPrintable(gpxPath)) != 0))) {
        std::fprintf(stderr, "vodazuzovi-export: writing %s failed: %s\n", qPrintable(base), std::strerror(errno));
        status = 1;
    }
    if (status != 0) {
        // No half-written track is left behind.
        QFile::remove(csvTemp);
        if (gpxFile) QFile::remove(gpxTemp);
        return status;
    }
    std::fprintf(stderr, "wrote %s%s\n", qPrintable(csvPath), gpxFile ? qPrintable(" and " + gpxPath) : "");
    return 0;
}
