// Recording pings from the simulated Interface Box and playing them back: the echogram drawn in
// playback is the one drawn live, in Full and in Split screen, and the recorded positions come
// back as they were.
//
// With VZ_WRITE_SAMPLE=FILE in the environment the recording is also copied to FILE: that is
// how samples/ is made (see samples/README.md).
#include "support/Poll.h"
#include "LoggingFiles.h"

#include "controls/MainOptions.h"
#include "core/SettingsFile.h"
#include "display/Surfaces.h"
#include "link/Connection.h"
#include "link/Ports.h"
#include "logging/RecordingMenu.h"
#include "platform/Events.h"
#include "platform/QtSerialPort.h"
#include "processing/AcquisitionTick.h"
#include "processing/PingCycle.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace vz::test {
namespace {

constexpr int kPings = 120; // in Full screen, then as many in Split
constexpr int kPingMs = 300;

// Wall time that moves a fixed step per ping, so that the recording's time stamps read as a
// survey at a steady ping rate; waits still use the real monotonic clock.
class SteppedClock : public Clock {
public:
    SteppedClock() {
        elapsed_.start();
        setClock(this);
    }
    ~SteppedClock() override { setClock(nullptr); }
    LocalDateTime now() const override {
        const int t = 10 * 3600 + 15 * 60 + static_cast<int>(ms_ / 1000);
        return {2026, 6, 12, t / 3600, t / 60 % 60, t % 60};
    }
    double monotonicSeconds() const override { return static_cast<double>(elapsed_.nsecsElapsed()) / 1e9; }
    void step() { ms_ += kPingMs; }
    double seconds() const { return ms_ / 1000.0; }

private:
    QElapsedTimer elapsed_;
    long ms_ = 0;
};

// Pixels that are not the echogram's background: the echoes drawn.
int EchoPixels(const QImage& image, Rgb background) {
    const QRgb plain = qRgb(background.r, background.g, background.b) & 0xFFFFFF;
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) n += (image.pixel(x, y) & 0xFFFFFF) != plain;
    }
    return n;
}

class RoundTripTest : public LoggingTest {
protected:
    void TearDown() override {
        link.close();
        process.terminate();
        if (process.state() != QProcess::NotRunning && !process.waitForFinished(3000)) process.kill();
        qunsetenv("VODAZUZOVI_COM1");
        LoggingTest::TearDown();
    }
    // One live ping: request, reply, record; about once a second a GPS fix of a boat heading east
    // at 4 ft/s from 49 16.45 N, 123 11.12 W.
    void livePing() {
        if (++pings % 3 == 0) {
            const double feetPerMinuteOfLongitude = 6076.12 * std::cos(49.274 * M_PI / 180.0);
            char lon[40];
            std::snprintf(lon, sizeof lon, "Lon: 123  %07.4f W", 11.12 - clock.seconds() * 4 / feetPerMinuteOfLongitude);
            s.LatCaption = "Lat: 49  16.4500 N";
            s.LongCaption = lon;
            s.GpsSpeed = static_cast<float>(4 * 3600 / 6076.12);
            if (s.RecordPings) s.LogGpsRequest = true;
        }
        PingCycle();
        ASSERT_TRUE(WaitUntil(2.0, [this] { return s.RxCount >= s.PacketLength; }));
        AcquisitionTick();
        ASSERT_FALSE(timers().tmrMainTimer2.enabled());
        clock.step();
    }

    QTemporaryDir dir;
    QProcess process;
    QtSerialPort link;
    SteppedClock clock;
    int pings = 0;
};

TEST_F(RoundTripTest, ThePlayedEchogramIsTheLiveOne) {
    // The simulated box on its own pty, reachable as COM1 while it runs.
    const QString pty = dir.filePath("COM1");
    process.start(VZ_IFBSIM_PATH, {"--link", pty, "--fast", "--firmware", "10", "--seed", "4", "--max-depth-ft",
                                   "50", "--ping-dt", QString::number(kPingMs / 1000.0)});
    ASSERT_TRUE(process.waitForStarted(5000) && PollUntil(5.0, [&] { return QFileInfo::exists(pty); }));
    qputenv("VODAZUZOVI_COM1", pty.toLocal8Bit());
    setSerialPorts(&link, &gps, &nmea);
    s.AutoMode = 0;
    for (ChannelSettings* c : {&s.Full, &s.Left, &s.Right}) c->DepthRange = 3; // 60 ft
    s.IfbPort = 1;
    s.GpsPort = s.NmeaPort = 0;
    ASSERT_TRUE(WriteSettingsFile()); // playback starts from the same settings
    OpenIfbPort();
    ConnectInterfaceBox();
    ASSERT_EQ(s.IfbFirmwareVersion, 10);
    PaintSurfacesBackground();

    mnuOptionsSaveScreenDataNow_Click();
    const std::string path = dataPath(s.ScreenDataFile);
    for (int i = 0; i < kPings; ++i) livePing();
    const QImage fullLive = pictHiddenA().image().copy();
    EXPECT_GT(EchoPixels(fullLive, s.BackgroundColor), 100 * kPings);
    ASSERT_EQ(ui.statuses.back().mode, "  Mode: Recording");
    optScreenFullSplit_Click(1);
    for (int i = 0; i < kPings; ++i) livePing();
    const QImage splitLive = pictHiddenA().image().copy();
    EXPECT_GT(EchoPixels(splitLive, s.BackgroundColor), 100 * kPings);
    const std::string lastLong = s.LongCaption;
    mnuOptionsSaveScreenDataNow_Click();
    livePing(); // its record is the last one, before the closing line
    ASSERT_FALSE(s.RecordPings);
    link.close();

    // The file: one Full line before the Full records, L and R lines with the Split ones.
    const std::string text = readFile(path);
    EXPECT_EQ(occurrences(text, "\r\nF: "), 1u);
    EXPECT_EQ(occurrences(text, "\r\nR: "), static_cast<std::size_t>(kPings / 2));
    EXPECT_EQ(occurrences(text, "\r\nL: "), static_cast<std::size_t>(kPings / 2));
    EXPECT_EQ(occurrences(text, "\r\nT: "), static_cast<std::size_t>(2 * kPings));
    EXPECT_GE(occurrences(text, "\r\nGPS: Lat: 49  16.4500 N  Lon: 123  "), 70u);
    EXPECT_TRUE(text.ends_with("\r\nClosed at: 10:16:12\r\n")) << text.substr(text.size() - 200);
    if (const char* sample = std::getenv("VZ_WRITE_SAMPLE")) writeFile(sample, text);

    ResetState();
    ResetTimers();
    StartWithPlayback(path);
    ASSERT_TRUE(s.PlaybackMode);
    EXPECT_EQ(s.TrailerExtraBytes, 3);
    PaintSurfacesBackground();
    // The Right reply after the switch was dropped live, so one record fewer in Split screen.
    for (int i = 0; i < 2 * kPings - 1; ++i) {
        PingCycle();
        AcquisitionTick();
        EXPECT_TRUE(i != kPings - 1 || pictHiddenA().image() == fullLive);
    }
    EXPECT_TRUE(pictHiddenA().image() == splitLive);
    EXPECT_EQ(s.LongCaption, lastLong);
    EXPECT_NEAR(s.GpsSpeed, 2.37, 0.01);
    EXPECT_EQ(s.SplitScreen, 1);
    EXPECT_EQ(ui.statuses.back().mode, "Play: " + s.PlaybackFileName);
    EXPECT_EQ(ui.statuses.back().date, "06-12-2026");
}

} // namespace
} // namespace vz::test
