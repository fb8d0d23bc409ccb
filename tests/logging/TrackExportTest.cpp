// What the export reads from recordings: the depth track of a small recording written by hand
// (CSV row by row, GPX points, GPX read back by a GPS tool), and echogram pages of the tool's
// --png against the columns the program draws while playing the same recording.
#include "LoggingFiles.h"

#include "display/ChannelView.h"
#include "display/ColorScales.h"
#include "logging/PlaybackLines.h"
#include "logging/TrackWriters.h"
#include "support/SmallSurvey.h"

#include <QRegularExpression>
#include <QStandardPaths>

#include <sstream>

namespace vz::test {
namespace {

// 199 samples of 20 with a bottom echo of 200 at entries 101..120: its leading edge is entry 100,
// 100 x 60 us x 0.0024755 ft/us = 14.85 ft = 4.53 m.
std::string bottomRecord(const std::string& time) {
    return record(time, replyBytes(199, [](int entry) -> std::uint8_t { return entry >= 101 && entry <= 120 ? 200 : 20; }));
}

// Three records with a position, none, and one south and east, across midnight; a record after
// the closing line is not exported.
std::string recording(const std::string& units) {
    ChannelBlock block = kAnalogBlock;
    block[8] = 0;
    block[9] = 210;
    return lines({kHeader8, " Opened at: I6120623.59I12-06-2026        23:59:58", "T: 68.00   Depth= . " + units,
                  "GPS: Lat: 49  16.4500 N  Lon: 123  11.1200 W   2.4", " ", ChannelLine(Channel::Full, block),
                  bottomRecord("23:59:59"), "T: 68.50   Depth= 14.85 " + units, "GPS: Not Valid  Not Valid   0",
                  bottomRecord("00:00:00"), "GPS: Lat: 49  16.4600 S  Lon: 3  0.0600 E   1.25",
                  bottomRecord("00:00:01"), "Closed at: 00:00:01", bottomRecord("00:00:02")});
}

class TrackExportTest : public LoggingTest {
protected:
    void SetUp() override {
        LoggingTest::SetUp();
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
    std::ostringstream out;
    CsvTrackWriter csv(out);
    for (const TrackPoint& p : exportOf(recording("Ft"))) csv.write(p);
    EXPECT_EQ(out.str(),
              "time,latitude,longitude,speed_kn,water_temp_f,depth,depth_units,depth_m,channel\n"
              "2026-12-06T23:59:59,49.274167,-123.185333,2.40,68.00,14.85,Ft,4.53,Full\n"
              "2026-12-07T00:00:00,,,0.00,68.50,14.85,Ft,4.53,Full\n"
              "2026-12-07T00:00:01,-49.274333,3.001000,1.25,68.50,14.85,Ft,4.53,Full\n");
    // The depth follows the recorded units.
    const TrackPoint metres = exportOf(recording("Mtr")).at(0);
    EXPECT_EQ(metres.units, "Mtr");
    EXPECT_NEAR(*metres.depth, 4.527, 0.001);
    EXPECT_NEAR(*metres.depthMetres, 4.527, 0.001);
}

// Records under a header that is not a recording's are not read (a missing file and one without
// records are the tool's test below); captions cut short or out of range give no position rather
// than a wrong one.
TEST_F(TrackExportTest, WhatIsNotARecordingOrAPositionIsRefused) {
    exportOf(lines({"hello", kOpened, bottomRecord("09:05:01")}), ExportOutcome::NotARecording);
    for (const char* bad : {"Lon: 123  11.1200 W", "Lat: 4", "Lat: 49  16.45 X",
                            "Lat: 91  00.0000 N", "Lat: 49  61.0000 N"}) {
        EXPECT_FALSE(LatitudeFromCaption(bad)) << bad;
    }
    EXPECT_EQ(RecordingDate("Opened at: I6120609B.05I12-06-2026       09:05:01"), "2026-12-06");
    EXPECT_EQ(RecordingDate("Opened at: nothing"), "");
}

// The tool replaces an earlier export only when the new one is whole, and says why it failed.
TEST_F(TrackExportTest, TheToolKeepsAnEarlierExportWhenItFails) {
    writeFile(dataPath("out.csv"), "earlier");
    writeFile(dataPath("out.gpx"), "earlier");
    writeFile(dataPath("gps.05I"), "3.16  8  ****\r\n Opened at: x\r\nGPS:\r\n");
    writeFile(dataPath("good.05I"), recording("Ft"));
    const std::tuple<std::string, int, const char*> runs[] = {
        {"missing.05I", 1, "No such file or directory"}, {"gps.05I", 2, "not a screen-data recording"}, {"good.05I", 0, "wrote"}};
    for (const auto& [file, status, message] : runs) {
        QByteArray errors;
        EXPECT_EQ(runExport({"--gpx", "-o", QString::fromStdString(dataPath("out")), QString::fromStdString(dataPath(file))},
                            &errors), status) << file;
        EXPECT_TRUE(errors.contains(message)) << file;
        EXPECT_EQ(readFile(dataPath("out.csv")) == "earlier", status != 0) << file;
        EXPECT_EQ(readFile(dataPath("out.gpx")) == "earlier", status != 0) << file;
        EXPECT_EQ(readFile(dataPath("out.csv.part")), "<missing>") << file;
    }
}

// A point for every record with a position; a GPS tool reads each back with its time and depth.
TEST_F(TrackExportTest, GpxHasAPointPerPositionThatAGpsToolReads) {
    std::ostringstream out;
    GpxTrackWriter gpx(out, "I6120623.59I & more");
    int written = 0;
    for (const TrackPoint& p : exportOf(recording("Ft"))) written += gpx.write(p);
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

    const QString tool = QStandardPaths::findExecutable("gpsbabel");
    if (tool.isEmpty()) GTEST_SKIP() << "gpsbabel is not installed";
    writeFile(dataPath("track.gpx"), text);
    QProcess babel;
    babel.start(tool, {"-t", "-i", "gpx", "-f", QString::fromStdString(dataPath("track.gpx")), "-o", "gpx", "-F", "-"});
    ASSERT_TRUE(babel.waitForFinished(20000) && babel.exitCode() == 0) << babel.readAllStandardError().toStdString();
    // Its own GPX keeps the position, time and depth of every point.
    std::string points;
    const QRegularExpression point("<trkpt lat=\"([-0-9.]+)\" lon=\"([-0-9.]+)\">\\s*<time>([^<]+)</time>.*?<gpxtpx:depth>([0-9.]+)<",
                                   QRegularExpression::DotMatchesEverythingOption);
    for (const auto& m : point.globalMatch(QString::fromUtf8(babel.readAllStandardOutput()))) points += m.capturedTexts().mid(1).join(' ').toStdString() + "|";
    EXPECT_EQ(points, "49.274166700 -123.185333300 2026-12-06T23:59:59Z 4.53|"
                      "-49.274333300 3.001000000 2026-12-07T00:00:01Z 4.53|");
}

using EchogramPngTest = LoggingTest;

TEST_F(EchogramPngTest, PagesHoldTheColumnsDrawnLive) {
    constexpr int kRecords = 40, kPageWidth = 25;
    const std::string path = dataPath("I6120609.00I");
    WriteSmallSurvey(path, kRecords);

    // Live: the recording played through the acquisition tick, as the tool plays it (Manual
    // mode, the white line on), each column read off the echogram right after it is drawn.
    StartWithPlayback(path);
    ASSERT_TRUE(s.PlaybackMode);
    s.AutoMode = 0;
    s.ShowWhiteLine = 1;
    s.ShowRangeGate = 0;
    SetupColorBar();
    s.ClearFullPending = s.ClearLeftPending = s.ClearRightPending = 0;
    const ChannelView v = ViewOf(Channel::Full);
    const int x = v.rightEdge - 6 - 50 * v.ascope;
    const int rows = PictVisible().height() + 1;
    std::vector<std::vector<Rgb>> live(kRecords);
    for (auto& column : live) {
        AcquisitionTick();
        for (int y = 0; y < rows; ++y) column.push_back(pictHiddenA().pixel(x, y));
    }
    ASSERT_NE(live[3], live[20]); // the bottom moved: columns tell records apart

    const QString base = QString::fromStdString(dataPath("survey"));
    QByteArray errors;
    ASSERT_EQ(runExport({"--png", "--page-width", QString::number(kPageWidth), "-o", base, QString::fromStdString(path)},
                        &errors), 0) << errors.toStdString();
    const QImage pages[] = {QImage(base + "-001.png"), QImage(base + "-002.png")};
    EXPECT_TRUE(QImage(base + "-003.png").isNull());
    ASSERT_EQ(pages[0].width(), kPageWidth);
    ASSERT_EQ(pages[1].width(), kRecords - kPageWidth);
    for (int k = 0; k < kRecords; ++k) {
        const QImage& page = pages[k / kPageWidth];
        const int column = k % kPageWidth;
        ASSERT_GE(page.height(), rows);
        int differing = 0;
        for (int y = 0; y < rows; ++y) {
            // From the third column of a page on, only rows clear of the labels the pages add:
            // the depth labels around every 60th row and the frequency at the top.
            if (column >= 2 && (y % 60 < 22 || y % 60 > 48)) continue;
            const QRgb p = page.pixel(column, y);
            const Rgb want = live[static_cast<std::size_t>(k)][static_cast<std::size_t>(y)];
            differing += qRed(p) != want.r || qGreen(p) != want.g || qBlue(p) != want.b;
        }
        EXPECT_EQ(differing, 0) << "record " << k;
    }
}

} // namespace
} // namespace vz::test
