// Recording pings from the simulated Interface Box and playing them back: the echogram drawn in
// playback is the one drawn live, in Full and in Split screen, and the recorded positions come
// back as they were.
//
// With VZ_WRITE_SAMPLE=FILE in the environment the recording is also copied to FILE: that is
// how samples/ is made (see samples/README.md).
#include "support/Poll.h"
#include "LoggingFiles.h"
#include "LoggingUi.h"

#include "controls/MainOptions.h"
#include "core/Defaults.h"
#include "core/SettingsFile.h"
#include "core/StartupTables.h"
#include "display/Surfaces.h"
#include "link/Connection.h"
#include "link/Ports.h"
#include "logging/Playback.h"
#include "logging/RecordingMenu.h"
#include "platform/Clock.h"
#include "platform/Events.h"
#include "platform/QtSerialPort.h"
#include "processing/AcquisitionTick.h"
#include "processing/PingCycle.h"
#include "support/FakeSerialPort.h"
#include "support/Fixture.h"
#include "support/ScriptedDialogs.h"

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

// The simulated box on its own pty, reachable as COM1 while it runs.
class SimulatedBox {
public:
    SimulatedBox(const QTemporaryDir& dir, const QStringList& options) : link_(dir.filePath("COM1")) {
        process_.start(VZ_IFBSIM_PATH, QStringList{"--link", link_} + options);
        running_ = process_.waitForStarted(5000) && test::PollUntil(5.0, [this] { return QFileInfo::exists(link_); });
        qputenv("VODAZUZOVI_COM1", link_.toLocal8Bit());
    }
    ~SimulatedBox() {
        qunsetenv("VODAZUZOVI_COM1");
        process_.terminate();
        if (!process_.waitForFinished(3000)) process_.kill();
    }
    bool running() const { return running_; }

private:
    QString link_;
    QProcess process_;
    bool running_ = false;
};

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
    void step(int ms) { ms_ += ms; }
    double seconds() const { return ms_ / 1000.0; }

private:
    QElapsedTimer elapsed_;
    long ms_ = 0;
};

constexpr int kFullPings = 120;
constexpr int kSplitPings = 120;
constexpr int kPingMs = 300;
constexpr double kBoatFeetPerSecond = 4.0;

// Position captions as the GPS input writes them, for a boat heading east from 49 16.45 N,
// 123 11.12 W.
std::string LatCaption() { return "Lat: 49  16.4500 N"; }
std::string LongCaption(double seconds) {
    const double feetPerMinuteOfLongitude = 6076.12 * std::cos(49.274 * M_PI / 180.0);
    char text[40];
    std::snprintf(text, sizeof text, "Lon: 123  %07.4f W", 11.12 - seconds * kBoatFeetPerSecond / feetPerMinuteOfLongitude);
    return text;
}

// Pixels that are not the echogram's background: the echoes drawn.
int EchoPixels(const QImage& image, Rgb background) {
    const QRgb plain = qRgb(background.r, background.g, background.b);
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) n += (image.pixel(x, y) & 0xFFFFFF) != (plain & 0xFFFFFF);
    }
    return n;
}

class RoundTripTest : public Fixture {
protected:
    void SetUp() override {
        Fixture::SetUp();
        setSerialPorts(&box, &gps, &nmea);
    }
    void TearDown() override {
        box.close();
        EXPECT_EQ(dialogs.unusedAnswers(), 0u);
        Fixture::TearDown();
    }
    // One live ping: request, reply, record; a GPS fix about once a second.
    void livePing() {
        if (++pings % 3 == 0) {
            s.LatCaption = LatCaption();
            s.LongCaption = LongCaption(clock.seconds());
            s.GpsSpeed = static_cast<float>(kBoatFeetPerSecond * 3600 / 6076.12);
            if (s.RecordPings) s.LogGpsRequest = true;
        }
        PingCycle();
        ASSERT_TRUE(WaitUntil(2.0, [this] { return s.RxCount >= s.PacketLength; }));
        AcquisitionTick();
        ASSERT_FALSE(timers().tmrMainTimer2.enabled());
        clock.step(kPingMs);
    }
    void playedPing() {
        PingCycle();
        AcquisitionTick();
    }

    QTemporaryDir dir;
    QtSerialPort box;
    FakeSerialPort gps, nmea;
    ScriptedDialogs dialogs;
    LoggingUi ui;
    SteppedClock clock;
    int pings = 0;
};

TEST_F(RoundTripTest, ThePlayedEchogramIsTheLiveOne) {
    SimulatedBox sim(dir, {"--fast", "--firmware", "10", "--seed", "4", "--max-depth-ft", "50",
                           "--ping-dt", QString::number(kPingMs / 1000.0)});
    ASSERT_TRUE(sim.running());
    BuildStartupTables();
    LoadDefaultsIntoRam();
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
    for (int i = 0; i < kFullPings; ++i) livePing();
    const QImage fullLive = pictHiddenA().image().copy();
    EXPECT_GT(EchoPixels(fullLive, s.BackgroundColor), 100 * kFullPings);
    ASSERT_EQ(ui.statuses.back().mode, "  Mode: Recording");
    optScreenFullSplit_Click(1);
    for (int i = 0; i < kSplitPings; ++i) livePing();
    const QImage splitLive = pictHiddenA().image().copy();
    EXPECT_GT(EchoPixels(splitLive, s.BackgroundColor), 100 * kSplitPings);
    const std::string lastLat = s.LatCaption, lastLong = s.LongCaption;
    mnuOptionsSaveScreenDataNow_Click();
    livePing(); // its record is the last one, before the closing line
    ASSERT_FALSE(s.RecordPings);
    box.close();

    // The file: one Full line before the Full records, L and R lines with the Split ones.
    const std::string text = readFile(path);
    const auto count = [&text](const std::string& what) {
        std::size_t n = 0;
        for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
        return n;
    };
    EXPECT_EQ(count("\r\nF: "), 1u);
    EXPECT_EQ(count("\r\nR: "), static_cast<std::size_t>(kSplitPings / 2));
    EXPECT_EQ(count("\r\nL: "), static_cast<std::size_t>(kSplitPings / 2));
    EXPECT_EQ(count("\r\nT: "), static_cast<std::size_t>(kFullPings + kSplitPings));
    EXPECT_GE(count("\r\nGPS: Lat: 49  16.4500 N  Lon: 123  "), 70u);
    EXPECT_TRUE(text.ends_with("\r\nClosed at: 10:16:12\r\n")) << text.substr(text.size() - 200);
    if (const char* sample = std::getenv("VZ_WRITE_SAMPLE")) writeFile(sample, text);

    ResetState();
    ResetTimers();
    StartWithPlayback(path);
    ASSERT_TRUE(s.PlaybackMode);
    EXPECT_EQ(s.TrailerExtraBytes, 3);
    PaintSurfacesBackground();
    for (int i = 0; i < kFullPings; ++i) playedPing();
    EXPECT_TRUE(pictHiddenA().image() == fullLive);
    // The Right reply after the switch was dropped live, so one record fewer.
    for (int i = 0; i < kSplitPings - 1; ++i) playedPing();
    EXPECT_TRUE(pictHiddenA().image() == splitLive);
    EXPECT_EQ(s.LatCaption, lastLat);
    EXPECT_EQ(s.LongCaption, lastLong);
    EXPECT_NEAR(s.GpsSpeed, 2.37, 0.01);
    EXPECT_EQ(s.SplitScreen, 1);
    EXPECT_EQ(ui.statuses.back().mode, "Play: " + s.PlaybackFileName);
    EXPECT_EQ(ui.statuses.back().date, "06-12-2026");
}

} // namespace
} // namespace vz::test
