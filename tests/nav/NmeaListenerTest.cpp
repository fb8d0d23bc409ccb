// A real NMEA listener reads what the program sends: gpsd on the simulated GPS's tap, on the UDP
// and TCP outputs, and as the program's GPS source, with the program's own serial ports, timers
// and receive event in between.
#include "support/Poll.h"
#include "NavProcesses.h"
#include "core/Timers.h"
#include "link/Ports.h"
#include "nav/GpsInput.h"
#include "nav/GpsdSource.h"
#include "nav/NmeaNetworkOutput.h"
#include "nav/NmeaOutput.h"
#include "platform/Clock.h"
#include "platform/QtSerialPort.h"
#include "support/Fixture.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <optional>

namespace vz::test {
namespace {

// A TCP port nobody listens on just now.
int FreeTcpPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(fd);
    return port;
}

bool Accepts(int port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return ok;
}

qint64 Size(const std::string& text) { return static_cast<qint64>(text.size()); }

// "Lat: 49  17.5941 N" in degrees, south and west negative.
double CaptionDegrees(const std::string& caption) {
    const std::size_t gap = caption.find("  ");
    const double degrees = std::stod(caption.substr(5, gap - 5)) + std::stod(caption.substr(gap + 2)) / 60;
    const char hemisphere = caption.back();
    return hemisphere == 'S' || hemisphere == 'W' ? -degrees : degrees;
}

// gpsd reading `device` (a path, or a udp:// or tcp:// source) read-only, and gpspipe printing
// its reports.
class Gpsd {
public:
    explicit Gpsd(const QString& device)
        : port_(FreeTcpPort()), gpsd_("gpsd", {"-N", "-n", "-b", "-S", QString::number(port_), device}) {
        if (gpsd_.started() && test::PollUntil(10.0, [&] { return Accepts(port_); }))
            gpspipe_.emplace("gpspipe", QStringList{"-w", QString("localhost:%1").arg(port_)});
    }
    bool running() const { return gpspipe_ && gpspipe_->started(); }
    int port() const { return port_; }

    // The first report for which `wanted` holds, waiting up to 20 s and running `eachTurn` and
    // the program's events meanwhile.
    template <class Wanted, class Turn> std::optional<QJsonObject> report(Wanted wanted, Turn eachTurn) {
        std::optional<QJsonObject> found;
        test::PollUntil(20.0, [&] {
            eachTurn();
            lines_ += gpspipe_->takeOutput();
            for (int end = lines_.indexOf('\n'); end >= 0 && !found; end = lines_.indexOf('\n')) {
                const QJsonObject r = QJsonDocument::fromJson(lines_.left(end)).object();
                lines_.remove(0, end + 1);
                if (r["class"] == "TPV" && wanted(r)) found = r;
            }
            return found.has_value();
        });
        return found;
    }

private:
    int port_;
    ChildProcess gpsd_;
    std::optional<ChildProcess> gpspipe_;
    QByteArray lines_;
};

class NmeaListener : public Fixture {
protected:
    void SetUp() override {
        Fixture::SetUp();
        if (!Installed("gpsd") || !Installed("gpspipe")) GTEST_SKIP() << "gpsd and gpspipe are not installed";
        ASSERT_TRUE(dir.isValid());
        setSerialPorts(nullptr, &gpsPort, &nmeaPort);
        qputenv("VODAZUZOVI_COM2", Path("com2").toLocal8Bit());
        qputenv("VODAZUZOVI_COM3", Path("com3").toLocal8Bit());
    }
    void TearDown() override {
        gpsPort.close();
        nmeaPort.close();
        qunsetenv("VODAZUZOVI_COM2");
        qunsetenv("VODAZUZOVI_COM3");
        StopGpsdSource();
        s.NmeaUdpOutput.on = s.NmeaTcpOutput.on = false;
        ApplyNmeaNetworkOutputs();
        Fixture::TearDown();
    }
    QString Path(const char* name) const { return dir.filePath(name); }

    // The program side as the main window wires it: both ports open, the GPS receive event
    // installed, the two timers running.
    void StartNavigation(std::uint8_t nmeaPort = 3) {
        s.GpsPort = 2;
        s.NmeaPort = nmeaPort;
        OpenGpsPort();
        OpenNmeaPort();
        ASSERT_TRUE(gpsPort.isOpen());
        InstallGpsReceiver();
        timers().tmrGpsTimer.onTick(ParseGpsSentence);
        timers().tmrNmeaTimer.onTick(SendNmeaSentences);
        timers().tmrNmeaTimer.setEnabled(true);
        s.NmeaOutputActive = true;
    }
    // A ping's depth is measured on every turn of the event loop.
    void Ping() {
        s.BottomFound = true;
        s.BottomDepthSeconds = clock().monotonicSeconds();
    }

    QTemporaryDir dir;
    QtSerialPort gpsPort, nmeaPort;
};

TEST_F(NmeaListener, GpsdReadsTheDepthAndTheForwardedPosition) {
    GpsSim sim({"--link", Path("com2"), "--nmea-link", Path("com3"), "--nmea-tap", Path("tap"), "--talker", "GN"},
               {Path("com2"), Path("com3"), Path("tap")});
    ASSERT_TRUE(sim.ready());
    Gpsd gpsd(Path("tap"));
    ASSERT_TRUE(gpsd.running());

    s.DepthUnits = 1;
    s.BottomDepth = 7.3f;
    s.KeelOffset = 0.0f;
    s.WaterTemperature = 61.0f;
    StartNavigation();

    const auto report = gpsd.report([](const QJsonObject& r) { return r.contains("depth") && r.contains("lat"); },
                                    [&] { Ping(); });
    ASSERT_TRUE(report) << "gpsd reported no fix with a depth";
    EXPECT_NEAR((*report)["depth"].toDouble(), 7.3, 0.051);
    // The position and speed of the sentence the program forwarded, as the program read it.
    EXPECT_NEAR((*report)["lat"].toDouble(), CaptionDegrees(s.LatCaption), 1e-4);
    EXPECT_NEAR((*report)["lon"].toDouble(), CaptionDegrees(s.LongCaption), 1e-4);
    EXPECT_NEAR((*report)["speed"].toDouble(), s.GpsSpeed * 1852.0 / 3600, 0.15);
    EXPECT_EQ(s.LastRmcSentence.rfind("$GNRMC,", 0), 0u);
}

TEST_F(NmeaListener, GpsdReadsTheDepthFromTheUdpAndTheTcpOutputs) {
    for (const bool udp : {true, false}) {
        SCOPED_TRACE(udp ? "udp" : "tcp");
        GpsSim sim({"--link", Path("com2")}, {Path("com2")});
        ASSERT_TRUE(sim.ready());
        const int port = FreeTcpPort();
        NetEndpoint& output = udp ? s.NmeaUdpOutput : s.NmeaTcpOutput;
        output = {true, "127.0.0.1", static_cast<std::uint16_t>(port)};
        // The server listens before gpsd connects to it.
        ASSERT_EQ(ApplyNmeaNetworkOutputs(), "");
        Gpsd gpsd(QString("%1://127.0.0.1:%2").arg(udp ? "udp" : "tcp").arg(port));
        ASSERT_TRUE(gpsd.running());
        s.DepthUnits = 1;
        s.BottomDepth = 4.6f;
        StartNavigation(0);

        const auto report = gpsd.report([](const QJsonObject& r) { return r.contains("depth") && r.contains("lat"); },
                                        [&] { Ping(); });
        ASSERT_TRUE(report) << "gpsd reported no fix with a depth";
        EXPECT_NEAR((*report)["depth"].toDouble(), 4.6, 0.051);
        EXPECT_NEAR((*report)["lat"].toDouble(), CaptionDegrees(s.LatCaption), 1e-4);
        output.on = false;
        ApplyNmeaNetworkOutputs();
        gpsPort.close();
    }
}

TEST_F(NmeaListener, TcpServerFeedsEveryClientAndForgetsOneThatLeaves) {
    const int port = FreeTcpPort();
    s.NmeaTcpOutput = {true, "127.0.0.1", static_cast<std::uint16_t>(port)};
    ASSERT_EQ(ApplyNmeaNetworkOutputs(), "");
    QTcpSocket first, second;
    for (QTcpSocket* c : {&first, &second}) c->connectToHost("127.0.0.1", static_cast<quint16>(port));
    ASSERT_TRUE(PollUntil(5.0, [] { return NmeaTcpClientCount() == 2; }));

    const std::string sentences = "$SDDPT,1.5,0.0*68\r\n$SDMTW,16.0,C*05\r\n";
    SendNmeaOverNetwork(sentences);
    ASSERT_TRUE(PollUntil(5.0, [&] { return first.bytesAvailable() >= Size(sentences) && second.bytesAvailable() >= Size(sentences); }));
    EXPECT_EQ(first.readAll().toStdString(), sentences);
    EXPECT_EQ(second.readAll().toStdString(), sentences);

    first.disconnectFromHost();
    ASSERT_TRUE(PollUntil(5.0, [] { return NmeaTcpClientCount() == 1; }));
    SendNmeaOverNetwork(sentences);
    ASSERT_TRUE(PollUntil(5.0, [&] { return second.bytesAvailable() >= Size(sentences); }));
    EXPECT_EQ(second.readAll().toStdString(), sentences);
}

TEST_F(NmeaListener, GpsReadThroughGpsdShowsThePositionAndLosingGpsdRetries) {
    GpsSim sim({"--link", Path("gps")}, {Path("gps")});
    ASSERT_TRUE(sim.ready());
    std::optional<Gpsd> gpsd(std::in_place, Path("gps"));
    ASSERT_TRUE(gpsd->running());

    s.GpsdSource = {true, "localhost", static_cast<std::uint16_t>(gpsd->port())};
    s.GpsPort = 2;
    timers().tmrGpsTimer.onTick(ParseGpsSentence);
    timers().tmrGpsTimer.setEnabled(true);
    OpenGpsPort();
    // gpsd owns the receiver: the program's GPS port stays closed.
    EXPECT_FALSE(gpsPort.isOpen());
    ASSERT_TRUE(PollUntil(20.0, [&] { return s.LatCaption.rfind("Lat: 49", 0) == 0; })) << s.LatCaption;
    EXPECT_EQ(s.LongCaption.rfind("Lon: 123", 0), 0u) << s.LongCaption;

    gpsd.reset();
    EXPECT_TRUE(PollUntil(5.0, [] { return timers().tmrPortRetry.enabled(); }));
}

} // namespace
} // namespace vz::test
