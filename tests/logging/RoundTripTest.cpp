// Recording pings from a box and playing them back. From the simulated Interface Box: the
// echogram drawn in playback is the one drawn live, in Full and in Split screen, and the recorded
// positions come back as they were. From a box whose replies fill the whole reply buffer: they
// come back value for value in both halves of a Split screen, and the export reads each to its
// far end.
//
// With VZ_WRITE_SAMPLE=FILE in the environment the recording is also copied to FILE: that is
// how samples/ is made (see samples/README.md).
#include "support/ChildProcess.h"
#include "support/Poll.h"
#include "LoggingFiles.h"

#include "link/Connection.h"
#include "link/Ports.h"
#include "link/ReceivePath.h"
#include "platform/Events.h"
#include "platform/QtSerialPort.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <array>
#include <cmath>
#include <cstdlib>
#include <optional>

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

class RoundTripTest : public LoggingTest {
protected:
    void TearDown() override {
        link.close();
        sim.reset();
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
    std::optional<ChildProcess> sim;
    QtSerialPort link;
    SteppedClock clock;
    int pings = 0;
};

TEST_F(RoundTripTest, ThePlayedEchogramIsTheLiveOne) {
    // The simulated box on its own pty, reachable as COM1 while it runs.
    const QString pty = dir.filePath("COM1");
    sim.emplace(VZ_IFBSIM_PATH, QStringList{"--link", pty, "--fast", "--firmware", "10", "--seed", "4", "--max-depth-ft",
                                           "50", "--ping-dt", QString::number(kPingMs / 1000.0)},
                QStringList{pty});
    ASSERT_TRUE(sim->ready);
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
    const QImage blank = pictHiddenA().image().copy();

    mnuOptionsSaveScreenDataNow_Click();
    const std::string path = dataPath(s.ScreenDataFile);
    for (int i = 0; i < kPings; ++i) livePing();
    const QImage fullLive = pictHiddenA().image().copy();
    ASSERT_EQ(ui.statuses.back().mode, "  Mode: Recording");
    optScreenFullSplit_Click(1);
    for (int i = 0; i < kPings; ++i) livePing();
    const QImage splitLive = pictHiddenA().image().copy();
    EXPECT_FALSE(fullLive == blank || splitLive == fullLive);
    const std::string lastLong = s.LongCaption;
    mnuOptionsSaveScreenDataNow_Click();
    livePing(); // its record is the last one, before the closing line
    ASSERT_FALSE(s.RecordPings);
    link.close();

    // The file: one Full line before the Full records, L and R lines with the Split ones.
    const std::string text = readFile(path);
    const auto count = [&text](const std::string& what) {
        int n = 0;
        for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
        return n;
    };
    EXPECT_EQ(std::tuple(count("\r\nF: "), count("\r\nR: "), count("\r\nL: "), count("\r\nT: ")),
              std::tuple(1, kPings / 2, kPings / 2, 2 * kPings));
    EXPECT_GE(count("\r\nGPS: Lat: 49  16.4500 N  Lon: 123  "), 70);
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
    EXPECT_EQ(ui.statuses.back().mode + " " + ui.statuses.back().date, "Play: " + s.PlaybackFileName + " 06-12-2026");
}

using DeepRecordTest = LoggingTest;

TEST_F(DeepRecordTest, RepliesOfTheWholeBufferAreRecordedPlayedAndExportedWhole) {
    constexpr int kSampleInterval = 10;
    constexpr float kSoundSpeed = 0.0024755f;
    // The bottom echo's first entry, counted back from the reply's last sample; 100 entries
    // (2.5 ft) count as a bottom rather than a fish.
    constexpr int kBottomBeforeEnd = 120;
    // A box of firmware 8 that answers a ping with as many entries as registers 8 and 9 ask for:
    // a faint pattern that differs from ping to ping and a bottom echo near the far end.
    box.onReceive(BoxReceiveEvent);
    box.open(1, "115200,n,8,1", {});
    std::array<std::uint8_t, 256> registers{};
    std::vector<Bytes> replies;
    box.respondWith([&registers, &replies](const Bytes& w) -> Bytes {
        if (w.size() != 5 || w[1] != 0x01) return {};
        registers[w[2]] = w[3];
        if (w[2] != 0) return {6};
        if (w[3] == 192) return {6, 0x5D, 0xBF, 0};
        const int n = registers[8] * 256 + registers[9];
        const std::size_t ping = replies.size();
        replies.push_back(replyBytes(n - 1, [n, ping](int entry) {
            const bool bottom = entry >= n - kBottomBeforeEnd && entry < n - kBottomBeforeEnd + 100;
            return static_cast<std::uint8_t>(bottom ? 250 : (entry * 7 + ping) % 16);
        }, kSampleInterval));
        return replies.back();
    });
    // As a connection to a box of firmware 8 leaves it, Split screen at the deepest window, with
    // samples so close that every request asks for as many as the buffer holds.
    PaintSurfacesBackground();
    s.IfbPort = 1;
    s.IfbFirmwareVersion = 8;
    s.TrailerExtraBytes = 0;
    s.SoundSpeed = kSoundSpeed;
    s.AutoMode = 0;
    s.SplitScreen = 1;
    for (ChannelSettings* c : {&s.Left, &s.Right}) {
        c->DepthRange = 11;
        c->DepthOffset = 13;
    }
    s.LeftDepthPerSample = s.RightDepthPerSample = kSoundSpeed * kSampleInterval;

    mnuOptionsSaveScreenDataNow_Click();
    const std::string path = RecordingFilePath();
    for (int i = 0; i < 5; ++i) {
        if (i == 4) mnuOptionsSaveScreenDataNow_Click(); // the last record, before the closing line
        PingCycle();
        for (int ticks = 0; timers().tmrMainTimer2.enabled() && ticks < 100; ++ticks) AcquisitionTick();
        ASSERT_FALSE(timers().tmrMainTimer2.enabled());
    }
    ASSERT_FALSE(s.RecordPings);
    ASSERT_EQ(replies.size(), 5u);
    for (const Bytes& reply : replies) ASSERT_EQ(reply.size(), static_cast<std::size_t>(kRxBufferLast));

    ResetState();
    ResetTimers();
    StartWithPlayback(path);
    ASSERT_TRUE(s.PlaybackMode);
    for (const Bytes& reply : replies) {
        ASSERT_TRUE(ReadPlaybackRecord());
        ASSERT_EQ(s.PacketLength, kRxBufferLast);
        EXPECT_TRUE(std::equal(reply.begin(), reply.end(), s.RxBuffer.begin() + 1));
    }

    ResetState();
    PrepareTrackExport();
    std::vector<TrackPoint> points;
    ASSERT_EQ(ExportRecording(path, [&](const TrackPoint& p) { points.push_back(p); }), ExportOutcome::Exported);
    ASSERT_EQ(points.size(), replies.size());
    // Split screen begins with a Right ping; the Left half tracks the bottom, whose leading edge
    // is one entry above the echo's first, and both halves show the depth found.
    const double bottomFeet = (kRxBufferLast - 10 - kBottomBeforeEnd - 1) * kSampleInterval * kSoundSpeed;
    EXPECT_FALSE(points[0].depth.has_value());
    for (std::size_t i = 0; i < points.size(); ++i) {
        EXPECT_EQ(points[i].channel, i % 2 == 0 ? Channel::Right : Channel::Left);
        if (i == 0) continue;
        ASSERT_TRUE(points[i].depth.has_value());
        EXPECT_NEAR(*points[i].depth, bottomFeet, 2 * kSampleInterval * kSoundSpeed);
    }
}

} // namespace
} // namespace vz::test
