// The deepest replies the program asks for fill the whole reply buffer; recorded by the program
// from a box, in both halves of a Split screen, they come back value for value in playback, and
// the export reads each to its far end.
#include "LoggingFiles.h"
#include "LoggingUi.h"

#include "core/Defaults.h"
#include "core/StartupTables.h"
#include "display/Surfaces.h"
#include "link/ReceivePath.h"
#include "logging/Playback.h"
#include "logging/Recording.h"
#include "logging/RecordingMenu.h"
#include "logging/TrackExport.h"
#include "processing/AcquisitionTick.h"
#include "processing/PingCycle.h"
#include "support/FakeSerialPort.h"
#include "support/Fixture.h"
#include "support/ScriptedDialogs.h"

#include <array>
#include <cmath>

namespace vz::test {
namespace {

constexpr std::uint16_t kSampleInterval = 10;
constexpr float kSoundSpeed = 0.0024755f;
// The bottom echo's first entry, counted back from the reply's last sample.
constexpr int kBottomBeforeEnd = 120;
// Long enough (2.5 ft) to count as a bottom rather than a fish.
constexpr int kBottomSamples = 100;

// A box of firmware 8 that answers a ping with as many samples as registers 8 and 9 ask for: a
// faint pattern that differs from ping to ping, a bottom echo near the far end, the trailer and
// the checksum. Every reply sent is kept.
class DeepBox {
public:
    explicit DeepBox(FakeSerialPort& port) {
        port.respondWith([this](const FakeSerialPort::Bytes& w) { return answer(w); });
    }
    std::vector<FakeSerialPort::Bytes> replies;

private:
    FakeSerialPort::Bytes answer(const FakeSerialPort::Bytes& w) {
        if (w.size() != 5 || w[1] != 0x01) return {};
        registers_[w[2]] = w[3];
        if (w[2] != 0) return {6};
        if (w[3] == 192) return {6, 0x5D, 0xBF, 0};
        const int n = registers_[8] * 256 + registers_[9];
        FakeSerialPort::Bytes r{6};
        for (int entry = 2; entry <= n; ++entry) {
            r.push_back(entry >= n - kBottomBeforeEnd && entry < n - kBottomBeforeEnd + kBottomSamples
                            ? 250
                            : static_cast<std::uint8_t>((entry * 7 + replies.size()) % 16));
        }
        for (std::uint8_t t : {0, 0, 0, 0x03, 0xE8, 0, 0, kSampleInterval >> 8, kSampleInterval & 0xFF}) r.push_back(t);
        std::uint8_t check = 0;
        for (std::size_t i = 1; i < r.size(); ++i) check ^= r[i];
        r.push_back(check);
        replies.push_back(r);
        return r;
    }
    std::array<std::uint8_t, 256> registers_{};
};

class DeepRecordTest : public Fixture {
protected:
    void SetUp() override {
        Fixture::SetUp();
        BuildStartupTables();
        LoadDefaultsIntoRam();
        PaintSurfacesBackground();
        setSerialPorts(&box, &gps, &nmea);
        box.onReceive(BoxReceiveEvent);
        box.open(1, "115200,n,8,1", {});
    }
    void TearDown() override {
        box.close();
        EXPECT_EQ(dialogs.unusedAnswers(), 0u);
        Fixture::TearDown();
    }
    void livePing() {
        PingCycle();
        for (int ticks = 0; timers().tmrMainTimer2.enabled() && ticks < 100; ++ticks) AcquisitionTick();
        ASSERT_FALSE(timers().tmrMainTimer2.enabled());
    }

    FakeSerialPort box, gps, nmea;
    DeepBox deepBox{box};
    ScriptedDialogs dialogs;
    LoggingUi ui;
};

TEST_F(DeepRecordTest, RepliesOfTheWholeBufferAreRecordedPlayedAndExportedWhole) {
    // As a connection to a box of firmware 8 leaves it, Split screen at the deepest window, with
    // samples so close that every request asks for as many as the buffer holds.
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
    for (int i = 0; i < 4; ++i) livePing();
    mnuOptionsSaveScreenDataNow_Click();
    livePing(); // its record is the last, before the closing line
    ASSERT_FALSE(s.RecordPings);
    ASSERT_EQ(deepBox.replies.size(), 5u);
    for (const auto& reply : deepBox.replies) ASSERT_EQ(reply.size(), static_cast<std::size_t>(kRxBufferLast));

    ResetState();
    ResetTimers();
    StartWithPlayback(path);
    ASSERT_TRUE(s.PlaybackMode);
    for (const auto& reply : deepBox.replies) {
        ASSERT_TRUE(ReadPlaybackRecord());
        ASSERT_EQ(s.PacketLength, kRxBufferLast);
        EXPECT_TRUE(std::equal(reply.begin(), reply.end(), s.RxBuffer.begin() + 1));
    }

    ResetState();
    PrepareTrackExport();
    std::vector<TrackPoint> points;
    ASSERT_EQ(ExportRecording(path, [&](const TrackPoint& p) { points.push_back(p); }), ExportOutcome::Exported);
    ASSERT_EQ(points.size(), deepBox.replies.size());
    // Split screen begins with a Right ping; the Left half tracks the bottom, whose leading edge
    // is one entry above the echo's first, and both halves show the depth found.
    const int samples = kRxBufferLast - 10;
    const double bottomFeet = (samples - kBottomBeforeEnd - 1) * kSampleInterval * kSoundSpeed;
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
