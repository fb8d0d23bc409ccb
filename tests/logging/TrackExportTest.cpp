// The depth track of a small recording written by hand: CSV row by row, GPX points, and GPX read
// back by a GPS tool.
#include "LoggingFiles.h"

#include "core/State.h"
#include "logging/PlaybackLines.h"
#include "logging/ScreenDataLines.h"
#include "logging/TrackExport.h"
#include "logging/TrackWriters.h"
#include "support/Fixture.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <sstream>

namespace vz::test {
namespace {

const ChannelBlock kAnalogBlock{1, 1, 1, 50, 20, 236, 3, 0, 0, 210, 1, 10, 0, 1, 0, 120};

// 199 samples of 20 with a bottom echo of 200 at entries 101..120: its leading edge is entry 100,
// 100 x 60 us x 0.0024755 ft/us = 14.85 ft = 4.53 m.
std::string bottomRecord(const std::string& time) {
    std::vector<std::uint8_t> b{6};
    for (int entry = 2; entry <= 200; ++entry) b.push_back(entry >= 101 && entry <= 120 ? 200 : 20);
    for (std::uint8_t t : {0x5A, 0xA5, 0, 0x03, 0xE8, 0, 0, 0, 60}) b.push_back(t);
    b.push_back(0);
    return DataRecordLine(time, b.data(), static_cast<int>(b.size()));
}

std::string recording(const std::string& units) {
    std::string text;
    for (const std::string& line :
         {std::string("3.16  8  ***************************************"),
          std::string(" Opened at: I6120623.59I12-06-2026        23:59:58"), "T: 68.00   Depth= . " + units,
          std::string("GPS: Lat: 49  16.4500 N  Lon: 123  11.1200 W   2.4"), std::string(" "),
          ChannelLine(Channel::Full, kAnalogBlock), bottomRecord("23:59:59"), "T: 68.50   Depth= 14.85 " + units,
          std::string("GPS: Not Valid  Not Valid   0"), bottomRecord("00:00:00"),
          std::string("GPS: Lat: 49  16.4600 S  Lon: 3  0.0600 E   1.25"), bottomRecord("00:00:01"),
          std::string("Closed at: 00:00:01"), bottomRecord("00:00:02")}) {
        text += line + "\r\n";
    }
    return text;
}

class TrackExportTest : public Fixture {
protected:
    void SetUp() override {
        Fixture::SetUp();
        PrepareTrackExport();
    }
    std::vector<TrackPoint> exportOf(const std::string& text, ExportOutcome expected = ExportOutcome::Exported) {
        writeFile(dataPath("track.05I"), text);
        std::vector<TrackPoint> points;
        EXPECT_EQ(ExportRecording(dataPath("track.05I"), [&](const TrackPoint& p) { points.push_back(p); }), expected);
        return points;
    }
};

TEST_F(TrackExportTest, CsvHasOneRowPerRecordWithThePositionAndDepthInForce) {
    const std::vector<TrackPoint> points = exportOf(recording("Ft"));
    std::ostringstream out;
    CsvTrackWriter csv(out);
    for (const TrackPoint& p : points) csv.write(p);
    EXPECT_EQ(out.str(),
              "time,latitude,longitude,speed_kn,water_temp_f,depth,depth_units,depth_m,channel\n"
              "2026-12-06T23:59:59,49.274167,-123.185333,2.40,68.00,14.85,Ft,4.53,Full\n"
              "2026-12-07T00:00:00,,,0.00,68.50,14.85,Ft,4.53,Full\n"
              "2026-12-07T00:00:01,-49.274333,3.001000,1.25,68.50,14.85,Ft,4.53,Full\n");
}

TEST_F(TrackExportTest, DepthFollowsTheRecordedUnits) {
    const std::vector<TrackPoint> points = exportOf(recording("Mtr"));
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[0].units, "Mtr");
    EXPECT_NEAR(*points[0].depth, 4.527, 0.001);
    EXPECT_NEAR(*points[0].depthMetres, 4.527, 0.001);
}

TEST_F(TrackExportTest, FilesThatAreNotRecordingsAreRefused) {
    exportOf("", ExportOutcome::NotARecording);
    exportOf("hello\r\nworld\r\n1 2 3\r\n", ExportOutcome::NotARecording);
    exportOf("3.16  8  ***************************************\r\n Opened at: x\r\n", ExportOutcome::NotARecording);
    std::vector<TrackPoint> none;
    EXPECT_EQ(ExportRecording(dataPath("missing"), [&](const TrackPoint& p) { none.push_back(p); }),
              ExportOutcome::CannotOpen);
    EXPECT_TRUE(none.empty());
}

// The deepest record the program writes, and GPS lines cut short, are exported like any other.
TEST_F(TrackExportTest, DeepRecordsAndCutGpsLinesAreExported) {
    std::vector<std::uint8_t> deep{6};
    deep.insert(deep.end(), 31969, 20);
    for (std::uint8_t t : {0x5A, 0xA5, 0, 0x03, 0xE8, 0, 0, 0, 60, 0}) deep.push_back(t);
    std::string text = "3.16  8  ***************************************\r\n Opened at: I6120623.59I12-06-2026  23:59:58\r\n";
    for (const std::string& line : {std::string("GPS:"), std::string("GPS: L"),
                                    DataRecordLine("23:59:59", deep.data(), static_cast<int>(deep.size())),
                                    std::string("GPS: Not Va"), bottomRecord("23:59:59")}) {
        text += line + "\r\n";
    }
    EXPECT_EQ(exportOf(text).size(), 2u);
}

// The tool replaces an earlier export only when the new one is whole, and says why it failed.
TEST_F(TrackExportTest, TheToolKeepsAnEarlierExportWhenItFails) {
    const QString base = QString::fromStdString(dataPath("out"));
    writeFile(dataPath("out.csv"), "earlier");
    writeFile(dataPath("out.gpx"), "earlier");
    writeFile(dataPath("gps.05I"), "3.16  8  ****\r\n Opened at: x\r\nGPS:\r\n");
    writeFile(dataPath("good.05I"), recording("Ft"));
    const struct {
        std::string file;
        int status;
        const char* message;
    } runs[] = {{"missing.05I", 1, "No such file or directory"}, {"gps.05I", 2, "not a screen-data recording"},
                {"good.05I", 0, "wrote"}};
    for (const auto& run : runs) {
        QProcess tool;
        tool.start(VZ_EXPORT_PATH, {"--gpx", "-o", base, QString::fromStdString(dataPath(run.file))});
        ASSERT_TRUE(tool.waitForFinished(30000)) << run.file;
        EXPECT_EQ(tool.exitCode(), run.status) << run.file;
        EXPECT_TRUE(tool.readAllStandardError().contains(run.message)) << run.file;
        EXPECT_EQ(readFile(dataPath("out.csv")) == "earlier", run.status != 0) << run.file;
        EXPECT_EQ(readFile(dataPath("out.gpx")) == "earlier", run.status != 0) << run.file;
        EXPECT_EQ(readFile(dataPath("out.csv.part")), "<missing>") << run.file;
    }
}

TEST_F(TrackExportTest, PositionCaptionsAndHeaderDate) {
    EXPECT_NEAR(*LatitudeFromCaption("Lat: 49  16.4500 N"), 49.2741667, 1e-7);
    EXPECT_NEAR(*LongitudeFromCaption("Lon: 123  11.1200 W"), -123.1853333, 1e-7);
    for (const char* bad : {"Not Valid", "- - - - -", "Lat: 91  00.0000 N", "Lat: 49  61.0000 N", "Lat: 49  16.45 X", ""}) {
        EXPECT_FALSE(LatitudeFromCaption(bad)) << bad;
    }
    EXPECT_FALSE(LongitudeFromCaption("Lat: 49  16.4500 N"));
    EXPECT_EQ(RecordingDate("Opened at: I6120609.05I12-06-2026        09:05:01"), "2026-12-06");
    EXPECT_EQ(RecordingDate("Opened at: I6120609B.05I12-06-2026       09:05:01"), "2026-12-06");
    EXPECT_EQ(RecordingDate("Opened at: nothing"), "");
}

TEST_F(TrackExportTest, GpxHasAPointPerPositionWithDepthAndWaterTemperature) {
    const std::vector<TrackPoint> points = exportOf(recording("Ft"));
    std::ostringstream out;
    GpxTrackWriter gpx(out, "I6120623.59I & more");
    int written = 0;
    for (const TrackPoint& p : points) written += gpx.write(p);
    gpx.finish();
    EXPECT_EQ(written, 2);
    const std::string text = out.str();
    EXPECT_NE(text.find("<name>I6120623.59I &amp; more</name>"), std::string::npos);
    EXPECT_NE(text.find("<trkpt lat=\"49.2741667\" lon=\"-123.1853333\"><time>2026-12-06T23:59:59</time><extensions>"
                        "<gpxtpx:TrackPointExtension><gpxtpx:wtemp>20.00</gpxtpx:wtemp><gpxtpx:depth>4.53</gpxtpx:depth>"
                        "</gpxtpx:TrackPointExtension></extensions></trkpt>"),
              std::string::npos)
        << text;
    EXPECT_TRUE(text.ends_with("</trkseg>\n  </trk>\n</gpx>\n"));
}

// A GPS tool reads the track: every point comes back with its time, position and depth.
TEST_F(TrackExportTest, AGpsToolReadsEveryPointWithItsDepth) {
    const QString tool = QStandardPaths::findExecutable("gpsbabel");
    if (tool.isEmpty()) GTEST_SKIP() << "gpsbabel is not installed";
    const std::vector<TrackPoint> points = exportOf(recording("Ft"));
    std::ostringstream out;
    GpxTrackWriter gpx(out, "track");
    for (int i = 0; i < 40; ++i) {
        for (TrackPoint p : points) {
            if (!p.latitude) continue;
            p.dateTime = "2026-12-07T01:" + std::string(i < 10 ? "0" : "") + std::to_string(i) + ":00";
            *p.depthMetres += i;
            gpx.write(p);
        }
    }
    gpx.finish();
    writeFile(dataPath("track.gpx"), out.str());

    QProcess csv;
    csv.start(tool, {"-t", "-i", "gpx", "-f", QString::fromStdString(dataPath("track.gpx")), "-o", "unicsv", "-F", "-"});
    ASSERT_TRUE(csv.waitForFinished(20000));
    ASSERT_EQ(csv.exitCode(), 0) << csv.readAllStandardError().toStdString();
    const QStringList rows = QString::fromUtf8(csv.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 81); // the header and 80 points
    EXPECT_TRUE(rows[1].startsWith("1,49.274167,-123.185333,2026/12/07,01:00:00")) << rows[1].toStdString();
    EXPECT_TRUE(rows[80].startsWith("80,-49.274333,3.001000,2026/12/07,01:39:00")) << rows[80].toStdString();

    // Its own GPX keeps the depth of every point.
    QProcess again;
    again.start(tool, {"-t", "-i", "gpx", "-f", QString::fromStdString(dataPath("track.gpx")), "-o", "gpx", "-F", "-"});
    ASSERT_TRUE(again.waitForFinished(20000));
    ASSERT_EQ(again.exitCode(), 0);
    const QString read = QString::fromUtf8(again.readAllStandardOutput());
    QStringList depths;
    for (const auto& m : QRegularExpression("<gpxtpx:depth>([0-9.]+)</gpxtpx:depth>").globalMatch(read)) depths << m.captured(1);
    ASSERT_EQ(depths.size(), 80);
    for (int i = 0; i < 40; ++i) {
        EXPECT_NEAR(depths[2 * i].toDouble(), 4.53 + i, 1e-9) << i;
        EXPECT_NEAR(depths[2 * i + 1].toDouble(), 4.53 + i, 1e-9) << i;
    }
}

} // namespace
} // namespace vz::test
