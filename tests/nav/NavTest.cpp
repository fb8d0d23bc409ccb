// GPS input through the receive event and the timer run, the sentences sent back out once a
// second, the network endpoints' answers and file, and the chart's projection.
#include "core/Ui.h"
#include "display/ChartDrawing.h"
#include "nav/ChartTrack.h"
#include "nav/GpsInput.h"
#include "nav/NavNetworkMenu.h"
#include "nav/NavNetworkSettings.h"
#include "nav/NmeaChecksum.h"
#include "nav/NmeaMenu.h"
#include "nav/NmeaOutput.h"
#include "nav/NmeaSentences.h"
#include "nav/PositionCaptions.h"
#include "support/FakeClock.h"
#include "support/FakeSerialPort.h"
#include "support/Fixture.h"

#include <QFileInfo>
#include <QLineF>
#include <QRectF>
#include <QString>

#include <optional>
#include <string>
#include <tuple>

namespace vz::test {
namespace {

// "$" body "*" checksum CR LF, the checksum worked out here.
std::string Nmea(const std::string& body) {
    unsigned sum = 0;
    for (const char c : body) sum ^= static_cast<unsigned char>(c);
    const char* hex = "0123456789ABCDEF";
    return "$" + body + "*" + hex[sum >> 4] + hex[sum & 15] + "\r\n";
}
std::string Line(const std::string& sentence) { return sentence.substr(0, sentence.size() - 2); }

const std::string kFix = Nmea("GPRMC,225446.00,A,4916.45,N,12311.12,W,000.5,054.7,191194,020.3,E,A");
const std::string kNoFix = Nmea("GPRMC,225447.00,V,,,,,,,191194,,,N");
const std::string kFixShown = "Lat: 49  16.4500 N, Lon: 123  11.1200 W, 0.5", kBlank = "- - - - -, - - - - -, 0";

class Nav : public Fixture {
protected:
    struct PositionUi : Ui {
        void showPosition() override { ++shown; }
        int shown = 0;
    };
    void SetUp() override {
        Fixture::SetUp();
        setSerialPorts(nullptr, &gps, &nmea);
        gps.open(2, "4800,n,8,1", {});
        nmea.open(3, "4800,n,8,1", {});
        setUi(&ui);
        ui.shown = 0;
        InstallGpsReceiver();
        s.GpsPort = 2;
        s.NmeaPort = 3;
    }
    void TearDown() override {
        setUi(nullptr);
        Fixture::TearDown();
    }
    void Receive(const std::string& text) { gps.feedReceived({text.begin(), text.end()}); }
    void Run(const std::string& text) {
        Receive(text);
        ParseGpsSentence();
    }
    // The read-outs: latitude, longitude and speed.
    std::string Shown() const {
        const QString text = QString("%1, %2, %3").arg(s.LatCaption.c_str(), s.LongCaption.c_str());
        return text.arg(s.GpsSpeed).toStdString();
    }
    std::string Sent(FakeSerialPort& port) {
        const std::string text(port.writtenData().begin(), port.writtenData().end());
        port.clearWritten();
        return text;
    }
    // A depth measured just now, 12.34 ft under a 2 ft keel, in 68 F water.
    void Measure() {
        s.WaterTemperature = 68.0f;
        s.BottomDepth = 12.34f;
        s.KeelOffset = 2.0f;
        s.BottomFound = true;
        s.BottomDepthSeconds = clock.monotonicSeconds();
    }

    FakeClock clock;
    FakeSerialPort gps, nmea;
    PositionUi ui;
};

TEST_F(Nav, TextReceivedAfterAFixIsTakenOrDropped) {
    const std::pair<std::string, std::string> cases[] = { // text, read-outs ("" when dropped)
        {"$GPGGA,225446.00,4916.45,N,12311.12,W,1,08,0.9,545.4,M,46.9,M,,*47\r\n" +
             Nmea("GPRMC,225447.00,A,4916.46,S,12311.13,E,12.25,054.7,191194,,,D"),
         "Lat: 49  16.4600 S, Lon: 123  11.1300 E, 12.25"},
        {Nmea("GNRMC,001225.00,A,2447.0949,N,12100.5213,E,0.3,,161229,,,A"), "Lat: 24  47.0949 N, Lon: 121  00.5213 E, 0.3"},
        {kNoFix, "Not Valid, Not Valid, 0"},
        {Nmea("GPRMC,225448.00,A,,,12311.12,W,4.0,054.7,191194,,,A"), "Not Valid, Not Valid, 0"},
        {Nmea("PGRMC,A,218.8,100,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,"), ""}, // a maker's own, not RMC
        {"$GPRMC,225449.00,A,4916.47,N,12311.14,W,7.0,054.7,191194,,,A*00\r\n", ""},
        {Nmea("GPRMC,225449.00,A,4916.47,N"), ""},
        {"GPRMC,225449.00,A,4916.47,N,12311.14,W,7.0,054.7,191194,,,A\r\n", ""},
    };
    for (const auto& [text, shown] : cases) {
        SCOPED_TRACE(text);
        SetUp();
        s.RecordPings = true;
        Run(kFix);
        ASSERT_EQ(s.LastRmcSentence, Line(kFix));
        s.LogGpsRequest = false;
        s.GpsIdleSeconds = 4;
        Run(text);
        const bool taken = !shown.empty();
        EXPECT_EQ(Shown(), taken ? shown : kFixShown);
        EXPECT_EQ(s.LastRmcSentence, Line(taken ? text.substr(text.rfind('$')) : kFix));
        // Forwarded, a GPS line asked for the recording, the idle count restarted, the read-outs redrawn.
        EXPECT_EQ(std::tuple(s.RmcForward, s.LogGpsRequest, s.GpsIdleSeconds, ui.shown),
                  std::tuple(taken, taken, taken ? 0 : 5, taken ? 2 : 1));
        EXPECT_EQ(s.GpsCount + s.GpsSentenceLength, 0);
    }
}

// Runs of the GPS timer, each after the text received since the one before: only the first whole
// sentence of a run counts and only an unfinished one, not too long, waits for the next run.
TEST_F(Nav, RunsTakeTheFirstWholeSentenceAndBlankTheReadOutsWhenNoneComes) {
    const std::string second = Nmea("GPRMC,225447.00,A,4916.46,N,12311.12,W,1.0,054.7,191194,,,A");
    const std::string third = Nmea("GPRMC,225448.00,A,4916.47,N,12311.12,W,1.5,054.7,191194,,,A");
    const std::string thirdShown = "Lat: 49  16.4700 N, Lon: 123  11.1200 W, 1.5";
    const std::size_t star = kNoFix.find('*');
    const std::string endless = "$GPRMC," + std::string(500, '1');
    // Text, runs, the read-outs after them, the bytes kept for the next run.
    const std::tuple<std::string, int, std::string, std::size_t> steps[] = {
        {kFix + second + third.substr(0, 20), 1, kFixShown, 20},
        {third.substr(20), 1, thirdShown, 0},
        {kFix.substr(40) + kNoFix.substr(0, star + 1), 1, thirdShown, star + 1}, // digits to come
        {kNoFix.substr(star + 1), 1, "Not Valid, Not Valid, 0", 0},
        {std::string(2048 - kFix.size(), 'x') + kFix + kNoFix, 1, kFixShown, 0}, // beyond 2048: not read
        {endless + "$GNRMC,1", 1, kFixShown, 8},
        {endless, 1, kFixShown, 0},
        {kFix, 11, kFixShown, 0}, // ten runs without a sentence keep the read-outs
        {"", 1, kBlank, 0},
        {"", 40000, kBlank, 0},
    };
    for (const auto& [text, runs, shown, kept] : steps) {
        SCOPED_TRACE(text.substr(0, 80));
        Receive(text);
        for (int run = 0; run < runs; ++run) ParseGpsSentence();
        EXPECT_EQ(Shown(), shown);
        EXPECT_EQ(s.LastRmcSentence.empty(), shown == kBlank); // blanked together
        EXPECT_EQ(s.GpsSentenceLength, kept);
    }
    EXPECT_EQ(s.GpsIdleSeconds, 11); // the count stops
    // More than GpsBuffer holds between two runs: the excess is dropped.
    Receive(std::string(3000, 'x'));
    Receive(std::string(3000, '$') + kFix);
    EXPECT_EQ(s.GpsCount, kGpsBufferSize - 1);
    ParseGpsSentence();
    EXPECT_EQ(s.GpsCount + s.GpsSentenceLength + s.RmcForward, 0);
    // In playback what comes is dropped at once, with what was kept; without a GPS port, at the
    // next run.
    for (const bool playback : {true, false}) {
        s.PlaybackMode = playback;
        s.GpsPort = playback ? 2 : 0;
        s.GpsSentenceLength = 7;
        Receive(kFix);
        EXPECT_EQ(s.GpsCount + gps.bytesWaiting(), playback ? 0 : static_cast<int>(kFix.size()));
        ParseGpsSentence();
        EXPECT_EQ(s.GpsCount + s.GpsSentenceLength, 0) << playback;
        EXPECT_EQ(Shown(), kBlank) << playback;
    }
}

// Two decimals padded (4916.45 N, 12311.12 W) as the fixes of the receiving tests show.
TEST(PositionCaptions, FieldsArePaddedToFourDecimalsOrRefused) {
    const auto lat = LatitudeCaption, lon = LongitudeCaption;
    // The caption, the field and its letter, the caption made ("" when refused).
    const std::tuple<decltype(lat), const char*, const char*, const char*> cases[] = {
        {lat, "4916.451", "N", "Lat: 49  16.4510 N"}, {lat, "4916.4512", "S", "Lat: 49  16.4512 S"},
        {lat, "4916.451234", "N", "Lat: 49  16.45123 N"}, {lat, "916.45", "N", "Lat: 9  16.45 N"},
        {lon, "12311.123", "E", "Lon: 123  11.1230 E"}, {lon, "12311.12", "N", ""},
        {lon, "00211.12345", "E", "Lon: 002  11.1234 E"}, {lat, "4916", "N", ""},
        {lat, "4916.45", "", ""}, {lat, "4916.45", "E", ""}, {lat, "16.45", "N", ""},
        {lat, "49x6.45", "N", ""}, {lat, "4916.4.5", "N", ""}, {lat, "12345678901.5", "N", ""},
    };
    for (const auto& [caption, field, letter, wanted] : cases)
        EXPECT_EQ(caption(field, letter).value_or(""), wanted) << field << letter;
}

TEST(NmeaSentences, KnownGoodTextsAndStrictChecksums) {
    const DepthInAllUnits fathoms = ConvertDepth(5.0f, 2); // 30 ft, 9.144 m
    EXPECT_DOUBLE_EQ(fathoms.metres, 9.144);
    const std::pair<std::string, std::string> cases[] = {
        {DptSentence(ConvertDepth(0.5f, 0).metres, 0.0), "$SDDPT,.2,0.0*65"},
        {DbtSentence(ConvertDepth(0.5f, 0)), "$SDDBT,000.5,f,000.2,M,000.1,F*00"},
        {DptSentence(3.0, -2.0 * 0.3048), Line(Nmea("SDDPT,3.0,-0.6"))}, // keel below the transducer
        {DbtSentence(fathoms), Line(Nmea("SDDBT,030.0,f,009.1,M,005.0,F"))},
        // 100 m is 100 / 0.3048 = 328.08 ft, a sixth of that 54.68 fathoms.
        {DbtSentence(ConvertDepth(100.0f, 1)), Line(Nmea("SDDBT,328.1,f,100.0,M,054.7,F"))},
        {MtwSentence(1.69f), "$SDMTW,1.69,C*0A"}, // a checksum below 16 keeps its "0"
        {MtwSentence(-1.5f), Line(Nmea("SDMTW,-1.50,C"))},
        {WithNmeaChecksum("$\xA5*"), "$\xA5*A5"},
    };
    for (const auto& [got, wanted] : cases) EXPECT_EQ(got, wanted);
    EXPECT_TRUE(NmeaChecksumMatches("$SDDPT,3.8,0.6*5A"));
    for (const char* refused : {"$SDDPT,3.8,0.6*5B", "$SDDPT,3.8,0.7*5A", "$SDMTW,1.69,C*0a", "$SDMTW,1.69,C*A",
                                "$SDMTW,1.69,C"})
        EXPECT_FALSE(NmeaChecksumMatches(refused)) << refused;
}

// Temperature and a fresh depth go out once a run, after the received RMC, on the NMEA port (or
// the GPS port when it is also the NMEA port) while switched on and not in playback.
TEST_F(Nav, OutputSendsTheRmcAndFreshMeasurementsOnItsPort) {
    s.NmeaOutputActive = true;
    SendNmeaSentences(); // nothing measured yet
    Measure();
    SendNmeaSentences();
    EXPECT_EQ(Sent(nmea), "$SDMTW,20.00,C*36\r\n$SDDPT,3.8,0.6*5A\r\n$SDDBT,012.3,f,003.8,M,002.1,F*0E\r\n");
    // The calibration counts; the depth units say what BottomDepth means.
    s.TempCalibration = 3.6f;
    s.DepthUnits = 1;
    s.BottomDepth = 10.0f;
    s.KeelOffset = 0.0f;
    EXPECT_EQ(NmeaOutputText(),
              "$SDMTW,22.00,C*34\r\n$SDDPT,10.0,0.0*66\r\n$SDDBT,032.8,f,010.0,M,005.5,F*0E\r\n");
    // The depth goes while it is fresh and the latest column had a bottom.
    clock.advance(kDepthFreshSeconds);
    EXPECT_NE(NmeaOutputText().find("$SDDBT"), std::string::npos);
    clock.advance(0.5);
    EXPECT_EQ(NmeaOutputText(), "$SDMTW,22.00,C*34\r\n");
    Measure();
    s.BottomFound = false;
    EXPECT_EQ(NmeaOutputText(), "$SDMTW,22.00,C*34\r\n");
    // The received RMC first, again while no new GPS bytes arrive; no empty line once blanked.
    Run(kFix);
    for (int run = 0; run < 2; ++run) {
        SendNmeaSentences();
        EXPECT_EQ(Sent(nmea), kFix + "$SDMTW,22.00,C*34\r\n") << run;
    }
    s.LastRmcSentence.clear();
    EXPECT_EQ(NmeaOutputText(), "$SDMTW,22.00,C*34\r\n");
    // Port, switched on, playback; sent on the NMEA port, on the GPS port.
    const std::tuple<std::uint8_t, bool, bool, bool, bool> cases[] = {
        {3, true, false, true, false}, {0, true, false, false, false},
        {3, false, false, false, false}, {3, true, true, false, false},
        {2, true, false, false, true}}; // the GPS port carries all when it is also the NMEA port
    for (const auto& [port, on, playback, onNmea, onGps] : cases) {
        s.NmeaPort = port;
        s.NmeaOutputActive = on;
        s.PlaybackMode = playback;
        SendNmeaSentences();
        EXPECT_EQ(std::pair(!Sent(nmea).empty(), !Sent(gps).empty()), std::pair(onNmea, onGps))
            << +port;
    }
    // The menu switch turns it on and off, and is saved.
    s.NmeaOutputActive = false;
    for (const bool on : {true, false}) {
        mnuOptionsNmeaSerialOutput_Click();
        EXPECT_EQ(std::tuple(s.NmeaOutputActive, s.NmeaOutputOn, s.SettingsChanged), std::tuple(on, on ? 1 : 0, 1));
    }
}

std::string Text(const std::optional<NetEndpoint>& e) {
    return e ? (e->on ? "on " : "off ") + e->host + ":" + std::to_string(e->port) : "refused";
}

TEST_F(Nav, EndpointAnswersKeepWhatIsNotGivenAndRefuseTheRest) {
    // The answer, whether only an address is asked for, the endpoint made of it.
    const std::tuple<const char*, bool, const char*> cases[] = {
        {"192.168.1.255:10111", true, "on 192.168.1.255:10111"}, {"10112", true, "on 127.0.0.1:10112"},
        {"10.0.0.7", true, "on 10.0.0.7:10110"},                 {" OFF ", true, "off 127.0.0.1:10110"},
        {"gpsbox.local:2947", false, "on gpsbox.local:2947"},    {"gpsbox.local", true, "refused"},
        {"127.0.0.1:0", true, "refused"},  {"127.0.0.1:65536", true, "refused"},
        {"host:port", false, "refused"},   {"two words", false, "refused"},
    };
    const NetEndpoint before{false, "127.0.0.1", 10110};
    for (const auto& [answer, addressOnly, wanted] : cases)
        EXPECT_EQ(Text(ReadEndpointAnswer(answer, before, addressOnly)), wanted) << answer;
}

TEST_F(Nav, NetworkSettingsLiveInTheirOwnFileAndComeBack) {
    s.GpsdSource = {true, "gpsbox", 2948};
    s.NmeaUdpOutput = {true, "192.168.1.255", 10110};
    ASSERT_TRUE(SaveNavNetworkSettings());
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(dataFolder() + "/navigation.ini")));
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(mapPath(kDefaultSettingsFile))));
    ResetState();
    EXPECT_FALSE(s.GpsdSource.on);
    LoadNavNetworkSettings();
    EXPECT_EQ(Text(s.GpsdSource) + ", " + Text(s.NmeaUdpOutput) + ", " + Text(s.NmeaTcpOutput),
              "on gpsbox:2948, on 192.168.1.255:10110, off 0.0.0.0:10110");
}

TEST(ChartProjection, PositionsLandAtTheirPixelsZoomKeepsThePointerAndFitShowsTheTrack) {
    // A degree of latitude is 111,195 m on the mean sphere; a degree of longitude that times the
    // cosine of the latitude (0.65249 at 49.27 N, 0.83001 at 33.9 S). Origin, position, and its
    // metres east and north.
    const double cases[][6] = {
        {49.27, -123.18, 49.28, -123.18, 0, 1111.95},  {49.27, -123.18, 49.27, -123.17, 725.54, 0},
        {49.27, -123.18, 49.26, -123.20, -1451.09, -1111.95},
        {-33.9, 151.2, -33.91, 151.21, 922.93, -1111.95},
        {0.0, 179.995, 0.0, 180.005, 1111.95, 0}, // no wrap within a chart: longitudes as given
    };
    for (const auto& [originLat, originLon, lat, lon, east, north] : cases) {
        SCOPED_TRACE(testing::Message() << lat << " " << lon);
        const LocalProjection p{originLat, originLon};
        const Metres m = p.toMetres(lat, lon);
        EXPECT_NEAR(m.east, east, 0.05);
        EXPECT_NEAR(m.north, north, 0.05);
        // A 400 x 300 picture centred on the origin at 10 m a pixel: east is right, north up.
        const ChartView view{originLat, originLon, 10.0, 400, 300};
        const QPointF pixel = ChartPixel(view, p, lat, lon);
        EXPECT_NEAR(pixel.x(), 200 + east / 10, 0.01);
        EXPECT_NEAR(pixel.y(), 150 - north / 10, 0.01);
        for (const ChartPoint& back : {p.toDegrees(m), ChartPositionAt(view, p, pixel)}) {
            EXPECT_NEAR(back.latitude, lat, 1e-9);
            EXPECT_NEAR(back.longitude, lon, 1e-9);
        }
    }
    // Fit shows every point of a track; zooming keeps the position under the pointer.
    ChartTrack track;
    for (const auto& [lat, lon] : {std::pair{49.27, -123.18}, {49.275, -123.17}, {49.265, -123.16}})
        track.append({lat, lon, 20.0f, -1});
    const LocalProjection p = track.projection();
    const ChartView fit = FitChart(track, 300, 200);
    for (const ChartPoint& point : track.points())
        EXPECT_TRUE(QRectF(0, 0, 300, 200).contains(ChartPixel(fit, p, point.latitude, point.longitude)));
    const QPointF anchor(70, 160);
    const ChartPoint under = ChartPositionAt(fit, p, anchor);
    for (const double factor : {2.0, 0.5, 1.25}) {
        const ChartView zoomed = ZoomChart(fit, p, anchor, factor);
        EXPECT_NEAR(zoomed.metresPerPixel, fit.metresPerPixel / factor, 1e-9);
        const QPointF after = ChartPixel(zoomed, p, under.latitude, under.longitude);
        EXPECT_NEAR(QLineF(after, anchor).length(), 0, 1e-6) << factor;
    }
}

} // namespace
} // namespace vz::test
