// The navigation data between real processes: the simulated GPS on its pseudo-terminals, gpsd
// reading what the program sends and feeding it the GPS, and a GPS adapter unplugged and
// plugged in again.
#include "link/Ports.h"
#include "nav/GpsInput.h"
#include "nav/GpsdSource.h"
#include "nav/NmeaChecksum.h"
#include "nav/NmeaNetworkOutput.h"
#include "nav/NmeaOutput.h"
#include "platform/QtSerialPort.h"
#include "support/ChildProcess.h"
#include "support/Fixture.h"
#include "support/Poll.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <numbers>
#include <optional>
#include <regex>
#include <string>
#include <vector>

namespace vz::test {
namespace {

// gpssim (built beside ifbsim) started with `arguments`, ready once every path in `links` exists.
struct GpsSim : ChildProcess {
    GpsSim(const QStringList& arguments, const QStringList& links)
        : ChildProcess(QString(VZ_IFBSIM_PATH).chopped(6) + "gpssim", arguments, links) {}
};

bool Installed(const char* program) { return !QStandardPaths::findExecutable(program).isEmpty(); }

// A port nobody listens on just now.
quint16 FreePort() {
    QTcpServer server;
    return server.listen(QHostAddress::LocalHost, 0) ? server.serverPort() : 0;
}

// gpsd reading `devices` (paths, or udp:// and tcp:// sources) read-only, and gpspipe printing
// its reports.
struct Gpsd {
    explicit Gpsd(const QStringList& devices)
        : port(FreePort()), gpsd_("gpsd", QStringList{"-N", "-n", "-b", "-S", QString::number(port)} + devices) {
        if (gpsd_.started && PollUntil(10.0, [&] {
                QTcpSocket socket;
                socket.connectToHost("127.0.0.1", port);
                return socket.waitForConnected(200);
            }))
            gpspipe_.emplace("gpspipe", QStringList{"-w", QString("localhost:%1").arg(port)});
    }
    bool running() const { return gpspipe_ && gpspipe_->started; }

    // The latest position report with a depth from each of `devices`, once there is one from
    // each, waiting up to 20 s and running `eachTurn` and the program's events meanwhile.
    template <class Turn> std::map<QString, QJsonObject> depths(const QStringList& devices, Turn eachTurn) {
        std::map<QString, QJsonObject> found;
        PollUntil(20.0, [&] {
            eachTurn();
            lines_ += gpspipe_->readAllStandardOutput();
            for (int end = lines_.indexOf('\n'); end >= 0; end = lines_.indexOf('\n')) {
                const QJsonObject r = QJsonDocument::fromJson(lines_.left(end)).object();
                lines_.remove(0, end + 1);
                if (r["class"] == "TPV" && r.contains("depth") && r.contains("lat")) found[r["device"].toString()] = r;
            }
            return std::all_of(devices.begin(), devices.end(), [&](const QString& d) { return found.count(d); });
        });
        return found;
    }
    const quint16 port;
    ChildProcess gpsd_;
    std::optional<ChildProcess> gpspipe_;
    QByteArray lines_;
};

// "Lat: 49  17.5941 N" in degrees, south and west negative.
double CaptionDegrees(const std::string& caption) {
    const std::size_t gap = caption.find("  ");
    const double degrees = std::stod(caption.substr(5, gap - 5)) + std::stod(caption.substr(gap + 2)) / 60;
    return caption.back() == 'S' || caption.back() == 'W' ? -degrees : degrees;
}

// One end of a pty, opened as the program would.
struct Pty {
    explicit Pty(const QString& path) : fd(::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY)) {}
    ~Pty() { ::close(fd); }
    bool write(const std::string& text) const {
        return ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    }
    // The next whole sentence without its CR LF, skipping a line begun before the port was
    // opened; "" when none comes within 3 s.
    std::string sentence() const {
        std::string line;
        for (char c = 0; !line.starts_with('$') || !line.ends_with("\r\n");) {
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, 3000) <= 0 || ::read(fd, &c, 1) != 1) return "";
            line = line.ends_with('\n') ? std::string(1, c) : line + c;
        }
        return line.substr(0, line.size() - 2);
    }
    const int fd;
};

class NavProcess : public Fixture {
protected:
    void SetUp() override {
        Fixture::SetUp();
        ASSERT_TRUE(dir.isValid());
        qputenv("VODAZUZOVI_COM3", Path("com3").toLocal8Bit());
        setSerialPorts(nullptr, &gpsPort, &nmeaPort);
    }
    void TearDown() override {
        gpsPort.close();
        nmeaPort.close();
        qunsetenv("VODAZUZOVI_COM3");
        StopGpsdSource();
        s.NmeaUdpOutput.on = s.NmeaTcpOutput.on = false;
        ApplyNmeaNetworkOutputs();
        Fixture::TearDown();
    }
    QString Path(const char* name) const { return dir.filePath(name); }
    void RunGpsTimer() {
        timers().tmrGpsTimer.onTick(ParseGpsSentence);
        timers().tmrGpsTimer.setEnabled(true);
    }
    bool PositionShown() const { return s.LatCaption.rfind("Lat: 49", 0) == 0; }

    QTemporaryDir dir;
    QtSerialPort gpsPort, nmeaPort;
};

TEST_F(NavProcess, SimulatorSendsABelievableTrackWithItsFaultsAndTapsTheGpsPort) {
    GpsSim sim({"--link", Path("gps"), "--nmea-link", Path("nmea"), "--nmea-tap", Path("tap"), "--fast",
                "--interval", "0.2", "--talker", "GN", "--speed-kn", "20", "--no-variation", "--bad-checksums", "0.5",
                "--fix-lost-after", "3", "--fix-lost-for", "2", "--silent-after", "12", "--silent-for", "8"},
               {Path("gps"), Path("nmea"), Path("tap")});
    ASSERT_TRUE(sim.ready);
    Pty gps(Path("gps")), tap(Path("tap"));
    // Talker GN, no magnetic variation, and a fix in north and west, or none.
    const std::regex rmc(R"(\$GNRMC,(\d\d)(\d\d)([\d.]+),(?:A,(\d\d)([\d.]+),N,(\d{3})([\d.]+),W,)"
                         R"(([\d.]+),[\d.]+,\d{6},,,A|V,,,,,,,\d{6},,,N)\*[0-9A-F]{2})");
    // Each sentence's time in seconds and, with a fix, its latitude and longitude in degrees.
    std::vector<std::array<double, 3>> sentences;
    std::string statuses;
    int good = 0, bad = 0;
    for (std::smatch m; sentences.size() < 13;) {
        const std::string text = gps.sentence();
        ASSERT_TRUE(std::regex_match(text, m, rmc)) << text;
        (NmeaChecksumMatches(text) ? good : bad) += 1;
        const auto number = [&](int i) { return m[i].matched ? std::stod(m[i].str()) : NAN; };
        statuses += m[4].matched ? 'A' : 'V';
        const double time = number(1) * 3600 + number(2) * 60 + number(3);
        sentences.push_back({time, number(4) + number(5) / 60, -number(6) - number(7) / 60});
        if (m[4].matched) { // English Bay, off Vancouver
            EXPECT_NEAR(sentences.back()[1], 49.300, 0.01);
            EXPECT_NEAR(sentences.back()[2], -123.215, 0.015);
            EXPECT_NEAR(number(8), 20.0, 0.2);
        }
    }
    EXPECT_EQ(statuses, "AAAVVAAAAAAAA");
    EXPECT_GT(good, 2);
    EXPECT_GT(bad, 2);
    // Fixes lie as far apart as the speed makes them.
    const auto &a = sentences[5], &b = sentences[11];
    const double east = (b[2] - a[2]) * std::cos(49.3 * std::numbers::pi / 180);
    EXPECT_NEAR(std::hypot(b[1] - a[1], east) * 60 * 1852 / (b[0] - a[0]), 20 * 1852.0 / 3600, 1.5);
    // Sentence 12 is followed by eight silent intervals: the next one is stamped nine on.
    EXPECT_GT(sentences[12][0] - sentences[11][0], 1.5);
    // Output on the GPS port itself (NMEA port = GPS port) is repeated on the tap.
    ASSERT_TRUE(gps.write("$SDMTW,20.00,C*36\r\n"));
    EXPECT_EQ(tap.sentence(), "$SDMTW,20.00,C*36");
}

// One gpsd reads the simulated GPS, which the program takes through it, and the program's NMEA
// output three ways: the serial port's tap, UDP and TCP. Losing gpsd makes the program retry.
TEST_F(NavProcess, GpsdFeedsTheProgramAndReadsItsOutputEveryWay) {
    if (!Installed("gpsd") || !Installed("gpspipe")) GTEST_SKIP() << "gpsd and gpspipe are not installed";
    GpsSim sim({"--link", Path("gps"), "--nmea-link", Path("com3"), "--nmea-tap", Path("tap"), "--talker", "GN"},
               {Path("gps"), Path("com3"), Path("tap")});
    ASSERT_TRUE(sim.ready);
    const quint16 udp = FreePort(), tcp = FreePort();
    s.NmeaUdpOutput = {true, "127.0.0.1", udp};
    s.NmeaTcpOutput = {true, "127.0.0.1", tcp};
    ASSERT_EQ(ApplyNmeaNetworkOutputs(), ""); // the server listens before gpsd connects to it
    QTcpSocket other; // a second client beside gpsd, that leaves early
    other.connectToHost("127.0.0.1", tcp);
    const QString tcpDevice = QString("tcp://127.0.0.1:%1").arg(tcp);
    const QStringList outputs{Path("tap"), QString("udp://127.0.0.1:%1").arg(udp), tcpDevice};
    std::optional<Gpsd> gpsd(std::in_place, QStringList{Path("gps")} + outputs);
    ASSERT_TRUE(gpsd->running());
    ASSERT_TRUE(PollUntil(5.0, [] { return NmeaTcpClientCount() == 2; }));

    s.GpsdSource = {true, "localhost", gpsd->port};
    s.GpsPort = 2;
    s.NmeaPort = 3;
    OpenGpsPort();
    OpenNmeaPort();
    EXPECT_FALSE(gpsPort.isOpen()); // gpsd owns the receiver
    ASSERT_TRUE(nmeaPort.isOpen());
    RunGpsTimer();
    timers().tmrNmeaTimer.onTick(SendNmeaSentences);
    timers().tmrNmeaTimer.setEnabled(true);
    s.NmeaOutputActive = true;
    s.DepthUnits = 1;
    s.BottomDepth = 7.3f;
    s.WaterTemperature = 61.0f;
    const auto ping = [&] { // a depth on every turn
        s.BottomFound = true;
        s.BottomDepthSeconds = clock().monotonicSeconds();
    };
    const auto reports = gpsd->depths(outputs, ping);
    EXPECT_EQ(s.LastRmcSentence.rfind("$GNRMC,", 0), 0u) << s.LastRmcSentence;
    for (const QString& device : outputs) {
        ASSERT_TRUE(reports.count(device)) << "no fix with a depth from " << device.toStdString();
        const QJsonObject& r = reports.at(device);
        EXPECT_NEAR(r["depth"].toDouble(), 7.3, 0.051);
        // The position and speed of the sentence the program forwarded, as the program read it.
        EXPECT_NEAR(r["lat"].toDouble(), CaptionDegrees(s.LatCaption), 1e-4);
        EXPECT_NEAR(r["lon"].toDouble(), CaptionDegrees(s.LongCaption), 1e-4);
        EXPECT_NEAR(r["speed"].toDouble(), s.GpsSpeed * 1852.0 / 3600, 0.15);
    }
    // The other client got the same lines; once it leaves, gpsd is still fed.
    EXPECT_TRUE(other.readAll().contains("$SDDBT,"));
    other.disconnectFromHost();
    ASSERT_TRUE(PollUntil(5.0, [] { return NmeaTcpClientCount() == 1; }));
    EXPECT_EQ(gpsd->depths({tcpDevice}, ping).count(tcpDevice), 1u);
    gpsd.reset();
    EXPECT_TRUE(PollUntil(5.0, [] { return timers().tmrPortRetry.enabled(); }));
}

// The adapter comes back under another device: the program finds it by its stable name,
// blanks the read-outs meanwhile and reopens it without being asked.
TEST_F(NavProcess, RepluggedGpsAdapterIsFoundByItsByIdName) {
    ASSERT_TRUE(QDir().mkpath(Path("by-id")));
    const QString byId = Path("by-id/usb-Sim_Gps_0001-if00-port0");
    std::optional<GpsSim> sim;
    const auto plugIn = [&](const char* link) {
        sim.emplace(QStringList{"--link", Path(link)}, QStringList{Path(link)});
        QFile::remove(byId);
        return sim->ready && QFile::link(QFileInfo(Path(link)).canonicalFilePath(), byId);
    };
    ASSERT_TRUE(plugIn("pty-a"));
    ASSERT_TRUE(setComDevicePath(2, byId.toStdString()));
    s.GpsPort = 2;
    OpenGpsPort();
    ASSERT_TRUE(gpsPort.isOpen());
    InstallGpsReceiver();
    RunGpsTimer();
    ASSERT_TRUE(PollUntil(10.0, [&] { return PositionShown(); })) << s.LatCaption;

    sim.reset();
    ASSERT_TRUE(PollUntil(5.0, [&] { return !gpsPort.isOpen() && timers().tmrPortRetry.enabled(); }));
    for (int run = 0; run < 11; ++run) ParseGpsSentence(); // the read-outs blanked

    ASSERT_TRUE(plugIn("pty-b"));
    EXPECT_TRUE(PollUntil(15.0, [&] { return PositionShown(); })) << s.LatCaption; // reopened
    EXPECT_TRUE(PollUntil(5.0, [] { return !timers().tmrPortRetry.enabled(); }));
}

} // namespace
} // namespace vz::test
