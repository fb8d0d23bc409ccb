// The deepest replies the program asks for fill the whole reply buffer; recorded by the program
// from a box, in both halves of a Split screen, they come back value for value in playback, and
// the export reads each to its far end.
#include "LoggingFiles.h"

#include "display/Surfaces.h"
#include "link/ReceivePath.h"
#include "logging/RecordingMenu.h"
#include "logging/TrackExport.h"
#include "processing/AcquisitionTick.h"
#include "processing/PingCycle.h"

#include <array>

namespace vz::test {
namespace {

constexpr int kSampleInterval = 10;
constexpr float kSoundSpeed = 0.0024755f;
// The bottom echo's first entry, counted back from the reply's last sample; 100 entries (2.5 ft)
// count as a bottom rather than a fish.
constexpr int kBottomBeforeEnd = 120;

class DeepRecordTest : public LoggingTest {
protected:
    void SetUp() override {
        LoggingTest::SetUp();
        PaintSurfacesBackground();
        box.onReceive(BoxReceiveEvent);
        box.open(1, "115200,n,8,1", {});
        // A box of firmware 8 that answers a ping with as many entries as registers 8 and 9 ask
        // for: a faint pattern that differs from ping to ping and a bottom echo near the far end.
        box.respondWith([this](const Bytes& w) -> Bytes {
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
    }
    void livePing() {
        PingCycle();
        for (int ticks = 0; timers().tmrMainTimer2.enabled() && ticks < 100; ++ticks) AcquisitionTick();
        ASSERT_FALSE(timers().tmrMainTimer2.enabled());
    }

    std::array<std::uint8_t, 256> registers{};
    std::vector<Bytes> replies;
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
