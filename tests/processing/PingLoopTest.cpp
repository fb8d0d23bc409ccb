// The ping request cycle and the acquisition tick driven tick by tick against a scripted
// Interface Box on an in-memory port; the channel blocks the cycle sends, the decoding of the
// replies and the status line the tick shows.
#include "support/ReplyBuilder.h"

#include "core/Defaults.h"
#include "core/StartupTables.h"
#include "core/Ui.h"
#include "display/Surfaces.h"
#include "link/ReceivePath.h"
#include "processing/AcquisitionTick.h"
#include "processing/ChannelBlocks.h"
#include "processing/DecodePing.h"
#include "processing/PingCycle.h"
#include "processing/StatusLine.h"
#include "support/FakeClock.h"
#include "support/FakeSerialPort.h"
#include "support/Fixture.h"
#include "support/ScriptedDialogs.h"

#include <array>
#include <cmath>
#include <limits>
#include <tuple>
#include <utility>
#include <vector>

namespace vz::test {

namespace {

constexpr Rgb kEcho{255, 128, 0};
constexpr int kProbeRow = 300;

// Acknowledges every register write, answers the temperature command, and answers a ping
// start with a reply of the count written into registers 8 and 9. Each reply carries its ping
// number as data offset, so a test can tell which reply was decoded last.
class FakeBox {
  public:
    explicit FakeBox(FakeSerialPort& port) {
        port.respondWith([this](const FakeSerialPort::Bytes& w) { return answer(w); });
    }
    bool answerPings = true;
    std::vector<std::pair<int, int>> writes; // (register, value), in order
    std::vector<std::pair<int, int>> starts; // registers 0 and 1 (frequency + 1) at each ping

    // A reply of `count` samples of full level, entry 1 (the ping start's acknowledgement) first.
    static FakeSerialPort::Bytes reply(int count, int number) {
        PingReply r{.samples = std::vector<std::uint8_t>(static_cast<std::size_t>(count - 1), 255),
                    .offset = static_cast<std::uint8_t>(number)};
        if (state().TrailerExtraBytes == 3) r.intervalTotal = 60u * static_cast<unsigned>(count);
        return r.bytes();
    }

  private:
    FakeSerialPort::Bytes answer(const FakeSerialPort::Bytes& w) {
        if (w.size() != 5 || w[0] != 0xFF || w[1] != 0x01) return {};
        writes.emplace_back(w[2], w[3]);
        registers_[w[2]] = w[3];
        if (w[2] != 0) return {6};
        if (w[3] == 192) return {6, 0x5D, 0xBF, 0};
        starts.emplace_back(w[3], registers_[1]);
        if (!answerPings) return {6};
        return reply(registers_[8] * 256 + registers_[9], static_cast<int>(starts.size()));
    }
    std::array<std::uint8_t, 256> registers_{};
};

class RecordingUi : public Ui {
  public:
    std::vector<StatusLabels> statuses;
    std::vector<bool> indicator;
    void showStatus(const StatusLabels& l) override { statuses.push_back(l); }
    void setCommsIndicator(bool ok) override { indicator.push_back(ok); }
};

// One port for the whole test program: the program's port table keeps a pointer to it.
FakeSerialPort& boxPort() {
    static FakeSerialPort port;
    return port;
}

class PingLoopTest : public Fixture {
  protected:
    void SetUp() override {
        Fixture::SetUp();
        BuildStartupTables();
        LoadDefaultsIntoRam();
        s.ChartSpeed = 3;
        s.IfbPort = 12;
        s.ColorTable.fill(kEcho);
        s.ColorTable[0] = s.BackgroundColor;
        PaintSurfacesBackground();
        setUi(&ui);
        FakeSerialPort& port = boxPort();
        port.close();
        port.clearWritten();
        setSerialPorts(&port, nullptr, nullptr);
        port.open(12, "115200,n,8,1", {});
        port.onReceive(BoxReceiveEvent);
    }
    void TearDown() override {
        setUi(nullptr);
        Fixture::TearDown();
    }

    // Ticks until the reply is handled (the tick turns itself off) or `limit` ticks passed.
    int tickUntilHandled(int limit = 1000) {
        int ticks = 0;
        timers().tmrMainTimer2.setEnabled(true);
        while (timers().tmrMainTimer2.enabled() && ticks < limit) {
            AcquisitionTick();
            ++ticks;
        }
        return ticks;
    }
    void ping() {
        PingCycle();
        tickUntilHandled();
    }
    // Decodes what RxBuffer holds; `error` comes in as the caller's variable may hold it.
    std::uint8_t decodeLoaded(std::uint8_t error = 0xEE) {
        DecodePing(error);
        return error;
    }
    std::uint8_t decode(const PingReply& r) {
        r.load(s);
        return decodeLoaded();
    }
    // The echogram columns that show echoes on the probe row, left to right.
    std::vector<int> echoColumns() {
        std::vector<int> xs;
        for (int x = 0; x < pictHiddenA().width(); ++x) {
            if (pictHiddenA().pixel(x, kProbeRow) == kEcho) xs.push_back(x);
        }
        return xs;
    }

    RecordingUi ui;
    ScriptedDialogs dialogs;
    FakeBox box{boxPort()};
};

TEST_F(PingLoopTest, FullScreenPingWritesTheBlockThenStartsThePingAndDrawsTheReply) {
    PingCycle();
    // Temperature first, then registers 15 down to 1 of the Full block, then the ping start.
    std::vector<std::pair<int, int>> expected{{0, 192}};
    for (int reg = 15; reg >= 1; --reg)
        expected.emplace_back(reg, s.FullChannelBlock[reg]);
    expected.emplace_back(0, 1);
    EXPECT_EQ(box.writes, expected);
    EXPECT_EQ(s.PacketLength, s.FullChannelBlock[8] * 256 + s.FullChannelBlock[9] + 10);
    EXPECT_FALSE(timers().tmrMainTimer1.enabled());
    EXPECT_EQ(tickUntilHandled(), 1);
    EXPECT_EQ(s.DataOffset, 1);
    EXPECT_TRUE(timers().tmrMainTimer1.enabled());
    ASSERT_EQ(ui.statuses.size(), 1u);
    EXPECT_EQ(ui.statuses[0].mode, "  Mode: Normal");

    for (int i = 2; i <= 6; ++i)
        ping();
    EXPECT_EQ(s.DataOffset, 6);
    EXPECT_EQ(dialogs.beeps(), 0);
    // One column per ping, side by side, as the echogram scrolled once per ping.
    const std::vector<int> xs = echoColumns();
    ASSERT_EQ(xs.size(), 6u);
    EXPECT_EQ(xs[5] - xs[0], 5);

    // A box with the longer trailer: the reply expected is three bytes longer.
    s.TrailerExtraBytes = 3;
    ping();
    EXPECT_EQ(s.PacketLength, s.FullChannelBlock[8] * 256 + s.FullChannelBlock[9] + 13);
    EXPECT_EQ(s.DataOffset, 7);
    EXPECT_EQ(dialogs.beeps(), 0);
}

TEST_F(PingLoopTest, SplitScreenAlternatesRightAndLeftAndScrollsOncePerPair) {
    s.SplitScreen = 1;
    s.Right.ProcessingType = 1;
    s.LeftSideNow = true;
    for (int i = 0; i < 6; ++i)
        ping();
    // Right (50 kHz, time-varying gain) first, then Left (200 kHz, fixed gain), and so on.
    const std::pair right{2, 2}, left{1, 1};
    EXPECT_EQ(box.starts, (std::vector{right, left, right, left, right, left}));
    EXPECT_EQ(dialogs.beeps(), 0);
    // Three columns in each half, each run without gaps.
    const std::vector<int> xs = echoColumns();
    ASSERT_EQ(xs.size(), 6u);
    EXPECT_EQ(xs[2] - xs[0], 2);
    EXPECT_EQ(xs[5] - xs[3], 2);
    EXPECT_LT(xs[2] + 1, xs[3]);
}

TEST_F(PingLoopTest, RepliesAfterASettingsChangeOrABadChecksumAreNotDrawnAndPauseStopsRequests) {
    s.SendSettings = 1;
    ping();
    EXPECT_EQ(s.SendSettings, 0);
    EXPECT_EQ(s.DataOffset, 0) << "the first reply after a change is dropped";
    PingCycle();
    s.RxBuffer[5] ^= 0x10;
    tickUntilHandled();
    EXPECT_EQ(dialogs.beeps(), 1);
    EXPECT_TRUE(echoColumns().empty());
    EXPECT_TRUE(timers().tmrMainTimer1.enabled());

    s.Paused = true;
    ping();
    EXPECT_EQ(s.DataOffset, 3);
    EXPECT_EQ(echoColumns().size(), 1u);
    EXPECT_FALSE(timers().tmrMainTimer1.enabled());
    EXPECT_EQ(ui.statuses.back().mode, "  Mode: Paused");
}

TEST_F(PingLoopTest, StalledReplyMissesItsDeadlineAndCountsErrorsUntilTheNextPing) {
    box.answerPings = false;
    PingCycle();
    const int length = s.PacketLength;
    const int lastInTime = length / 10 + 30; // the deadline is length / 10 + 30 ticks
    for (int t = 1; t <= lastInTime; ++t)
        AcquisitionTick();
    EXPECT_EQ(s.CommErrorCount, 0);
    EXPECT_FALSE(timers().tmrMainTimer1.enabled());
    for (int t = 1; t <= 3; ++t)
        AcquisitionTick();
    EXPECT_EQ(s.CommErrorCount, 3);
    EXPECT_TRUE(timers().tmrMainTimer1.enabled());
    ClearCommErrors();

    // A reply completing on the last tick within the deadline is processed.
    PingCycle();
    for (int t = 1; t < lastInTime; ++t)
        AcquisitionTick();
    const FakeSerialPort::Bytes reply = FakeBox::reply(length - 10, 77);
    boxPort().feedReceived(FakeSerialPort::Bytes(reply.begin() + 1, reply.end())); // after the ack
    AcquisitionTick();
    EXPECT_EQ(s.DataOffset, 77);
    EXPECT_EQ(s.CommErrorCount, 0);
    EXPECT_FALSE(timers().tmrMainTimer2.enabled());
}

TEST_F(PingLoopTest, ErrorPromptAfterTenMissesReopensTheChosenPortAndCancelEnds) {
    s.CommErrorCount = 11;
    dialogs.answerInput("5");
    PingCycle();
    AcquisitionTick();
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.beeps(), 1);
    EXPECT_EQ(s.IfbPort, 5);
    EXPECT_EQ(boxPort().openedCom(), 5) << "reopened on the chosen port (it was on 12)";
    EXPECT_EQ(s.CommErrorCount, 0);
    ASSERT_FALSE(ui.indicator.empty());
    EXPECT_FALSE(ui.indicator.front());
    EXPECT_EQ(s.DataOffset, 0) << "the late reply is not processed";
    EXPECT_TRUE(timers().tmrMainTimer1.enabled());

    s.CommErrorCount = 11;
    dialogs.answerInput("");
    PingCycle();
    AcquisitionTick();
    EXPECT_TRUE(s.ProgramEnding);
    EXPECT_FALSE(timers().tmrMainTimer1.enabled());
}

TEST_F(PingLoopTest, ChannelBlocksByteForByte) {
    // Factory channels (100 ft from 0 ft, pulse 3, gains 242 / 110 / 245, DSP gain 4) and power
    // (50) but for:
    s.XmitTempLimit = 120;
    ChannelSettings& full = s.Full;
    full.Frequency = 1;
    s.Left.ProcessingType = 3;
    s.Left.DspGain = 15;
    s.Right.ProcessingType = 2;
    s.Right.DspGain = 5;
    s.Right.Frequency = 0;
    BuildChannelBlocks();
    // 100 ft at 0.15 ft per sample: 667 samples, C = 677 = 2 x 256 + 165.
    std::vector<int> expected{1, 2, 2, 50, 242, 11, 3, 4, 2, 165, 1, 110, 0, 1, 0, 120};
    expected.resize(33, 0);
    EXPECT_EQ(std::vector<int>(s.FullChannelBlock.begin(), s.FullChannelBlock.begin() + 33),
              expected);
    // Digital blocks carry their code, full gain and the DSP pulse.
    const ChannelBlock& l = s.LeftChannelBlock;
    EXPECT_EQ(std::tuple(l[0], l[4], l[6], l[7]), std::tuple(0x82, 255, 60, 15));
    EXPECT_EQ(std::tuple(s.RightChannelBlock[0], s.RightChannelBlock[6]), std::tuple(0x81, 10));
    // 100 ft over the 200 kHz scale 0.371325 of DSP gain 5: 269 samples.
    EXPECT_EQ(s.RightChannelBlock[8] * 256 + s.RightChannelBlock[9], 279);

    full.ProcessingType = 1; // time-varying gain sends the start gain as its gain
    BuildChannelBlocks();
    EXPECT_EQ(std::tuple(s.FullChannelBlock[0], s.FullChannelBlock[4]), std::tuple(2, 110));

    s.PlaybackMode = true; // a recording's blocks are left alone
    s.FullChannelBlock.fill(7);
    BuildChannelBlocks();
    EXPECT_EQ(s.FullChannelBlock[0], 7);
}

TEST_F(PingLoopTest, TheSampleCountCoversTheWindowAndFitsTheBuffer) {
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        int units, range, offset, type, dspGain;
        float depthPerSample;
        int extraTrailer;
        int expected;
        const char* what;
    };
    const Case cases[] = {
        {0, 4, 1, 0, 4, 0.15f, 0, 677, "100 ft at 0.15 ft: 667 samples + 10"},
        {1, 4, 2, 0, 4, 0.15f, 0, 732, "30 m + 3 m = 108.27 ft: 721.8 samples"},
        {2, 3, 1, 0, 4, 0.15f, 0, 410, "10 fathoms = 60 ft"},
        {0, 6, 1, 0, 4, 4.0f, 0, 72, "62.5 samples: halves to even"},
        {0, 5, 1, 0, 4, 4.0f, 0, 48, "37.5 samples: halves to even"},
        {0, 4, 1, 0, 4, 0.0f, 0, 677, "zero depth per sample: the start value"},
        {0, 4, 1, 0, 4, -0.15f, 0, 677, "negative"},
        {0, 4, 1, 0, 4, inf, 0, 677, "infinite"},
        {0, 4, 1, 0, 4, std::nanf(""), 0, 677, "not a number"},
        {0, 4, 1, 2, 0, 0.5f, 0, 210, "a digital type without a scale counts like analog"},
        {0, 11, 13, 0, 4, 0.15f, 0, kRxBufferLast - 10, "8000 ft is capped to the buffer"},
        {0, 11, 13, 0, 4, 0.15f, 3, kRxBufferLast - 13, "... with the longer trailer"},
        {0, 99, -4, 0, 4, 0.15f, 0, 10, "indexes outside the tables: an empty window"},
    };
    for (const Case& c : cases) {
        s.DepthUnits = static_cast<std::int16_t>(c.units);
        s.TrailerExtraBytes = static_cast<std::int16_t>(c.extraTrailer);
        std::uint8_t high = 0, low = 0;
        ComputeSampleCount(high, low, c.range, c.offset, c.type, c.dspGain, 0, c.depthPerSample);
        EXPECT_EQ(high * 256 + low, c.expected) << c.what;
    }
}

TEST_F(PingLoopTest, StatusDateTimeAndModeFollowLivePlaybackRecordingAndPause) {
    FakeClock clock;
    clock.set({2026, 12, 6, 9, 5, 1});
    const std::string opened = " Opened at: I5B3014.02I11-30-2025         14:02:11";
    const std::string lettered = " Opened at: I5B3014B.02I11-30-2025        14:02:41";
    const std::string today = "12-06-2026 ", play = "Play: I5B3014.02I";
    struct Case {
        bool playback, recording, paused;
        std::string header, date, mode;
        ModeBackground background;
    };
    using enum ModeBackground;
    const Case cases[] = {
        {false, false, false, "", today, "  Mode: Normal", SystemLight},
        {false, true, false, "", today, "  Mode: Recording", Green},
        {true, false, false, opened, "11-30-2025", play, Red},
        {true, false, false, lettered, "11-30-2025", play, Red},
        {true, false, false, "short", "", play, Red},
        {true, true, false, opened, "11-30-2025", "  Mode: Recording", Green},
        {true, false, true, opened, "11-30-2025", "  Mode: Paused", Yellow},
    };
    for (const Case& c : cases) {
        s.PlaybackMode = c.playback;
        s.RecordPings = c.recording;
        s.Paused = c.paused;
        s.PlaybackHeader2 = c.header;
        s.PlaybackFileName = "I5B3014.02I";
        s.TimeText = "14:07:59 ";
        UpdateStatusTexts(s);
        const StatusLabels l = StatusLabelsFor(s);
        EXPECT_EQ(l.date, c.date) << c.header;
        // Live, the clock's time; played back, the record's.
        EXPECT_EQ(l.time, c.playback ? "14:07:59 " : "09:05:01 ") << c.header;
        EXPECT_EQ(l.mode, c.mode) << c.header;
        EXPECT_EQ(l.modeBackground, c.background) << c.header;
    }
}

// The decoding of a reply into levels and its trailer into timing.
TEST_F(PingLoopTest, EveryProcessingTypeTurnsSamplesIntoLevelsAndLeavesEntryNRaw) {
    struct Case {
        std::uint8_t code;
        PingReply reply;
        std::vector<int> expected;
        const char* what;
    };
    const Case cases[] = {
        {0x81, {.samples = {30, 5, 11, 13, 250, 10, 77}, .offset = 10, .multiplierX1000 = 1500},
         {30, 8, 2, 4, 255, 0, 77},
         "digital: |sample - offset| x multiplier, halves to even, clipped"},
        {0x82, {.samples = {20, 30, 15, 200, 200}, .offset = 20, .multiplierX1000 = 2000},
         {0, 38, 19, 255, 200}, "digital boosted by 1.9"},
        {1, {.samples = {10, 110, 50, 60, 60}}, {0, 255, 120, 150, 60}, "analog: spread 100, x3"},
        {2, {.samples = {10, 110, 50, 60, 125}}, {0, 200, 80, 100, 125},
         "analog: entry N counts in the spread (115, gain 2)"},
        {1, {.samples = {100, 202, 150}}, {0, 204, 150}, "analog: gain 2.5 rounds to even"},
        {1, {.samples = {40, 40, 40, 40}}, {40, 40, 40, 40}, "analog: a flat column is kept"},
        // Any other code is left as received, whatever the trailer's offset and multiplier.
        {0x83, {.samples = {0, 99, 255, 7}, .offset = 50, .multiplierX1000 = 3000},
         {0, 99, 255, 7}, "unknown code"},
    };
    for (const Case& c : cases) {
        s.PingProcessing = c.code;
        EXPECT_EQ(decode(c.reply), 0) << c.what;
        const auto first = s.RxBuffer.begin() + 2;
        EXPECT_EQ(std::vector<int>(first, first + c.expected.size()), c.expected) << c.what;
    }
}

TEST_F(PingLoopTest, TheTrailerGivesTheIntervalAndTheDepthPerSampleOfTheChannel) {
    s.SoundSpeed = 0.0025f;
    // N = 600; the total's fraction of a time unit is kept.
    PingReply r{.samples = std::vector<std::uint8_t>(599, 0), .delay = 300, .interval = 999,
                .intervalTotal = 600001};
    s.PingProcessing = 0x81;
    EXPECT_EQ(decode(r), 0);
    EXPECT_EQ(s.SampleDelay, 300);
    EXPECT_FLOAT_EQ(s.SampleInterval, static_cast<float>(600001.0 / 600));
    const float good = s.DepthPerSample;
    EXPECT_NEAR(good, 2.5f, 1e-4);

    // An unusable interval or speed of sound keeps the channel's last depth per sample.
    r.samples = {1, 2, 3};
    s.DepthPerSample = 0.7f; // as if another channel had been decoded since
    struct Case {
        std::uint16_t interval;
        std::optional<std::uint32_t> total;
        float speed;
    };
    const float inf = std::numeric_limits<float>::infinity();
    const Case cases[] = {{0, {}, 0.0025f}, {50, 0xFFFFFFu, 0.0025f}, {50, {}, 0.0f},
                          {50, {}, -0.0025f}, {50, {}, inf}, {50, {}, std::nanf("")}};
    for (const Case& c : cases) {
        r.interval = c.interval;
        r.intervalTotal = c.total;
        s.SoundSpeed = c.speed;
        EXPECT_EQ(decode(r), 0);
        EXPECT_FLOAT_EQ(s.DepthPerSample, good) << c.interval << " " << c.speed;
    }

    // Split screen: each half keeps the depth per sample of its own replies.
    r = PingReply{.samples = {1, 2, 3}};
    s.SoundSpeed = 0.0025f;
    s.SplitScreen = 1;
    s.LeftSideNow = true;
    r.interval = 80;
    EXPECT_EQ(decode(r), 0);
    s.LeftSideNow = false;
    r.interval = 40;
    EXPECT_EQ(decode(r), 0);
    EXPECT_FLOAT_EQ(s.LeftDepthPerSample, 0.2f);
    EXPECT_FLOAT_EQ(s.RightDepthPerSample, 0.1f);
    EXPECT_FLOAT_EQ(s.DepthPerSample, 0.1f);
}

TEST_F(PingLoopTest, ChecksumCoversEntriesTwoToTheEndButNotEntryOneAndNeverFailsARecording) {
    const PingReply r{.samples = {20, 40, 60, 80}, .first = 0x99, .offset = 20};
    s.PingProcessing = 0x81;
    EXPECT_EQ(decode(r), 0);

    r.load(s);
    s.RxBuffer[3] = 12;
    EXPECT_NE(decodeLoaded(0), 0);
    EXPECT_EQ(s.RxBuffer[3], 8) << "still decoded; only the caller's use depends on the error";

    r.load(s);
    s.RxBuffer[4] ^= 0xFF;
    s.PlaybackMode = true;
    EXPECT_EQ(decodeLoaded(1), 0);
}

TEST_F(PingLoopTest, RepliesAreReadWithinTheBufferAndTooShortOnesAreRejectedUnread) {
    // The reply ends at the buffer's last entry.
    PingReply r{.samples = std::vector<std::uint8_t>(31989, 0), .interval = 61};
    EXPECT_EQ(decode(r), 0);
    ASSERT_EQ(s.PacketLength, kRxBufferLast);
    EXPECT_FLOAT_EQ(s.SampleInterval, 61.0f);
    r.interval = 62;
    r.load(s);
    s.PacketLength = 40000; // read as if it ended at the buffer's last entry
    EXPECT_EQ(decodeLoaded(1), 0);
    EXPECT_FLOAT_EQ(s.SampleInterval, 62.0f);

    s.DataOffset = 33;
    for (const auto& [length, extra] : {std::pair{10, 0}, {0, 0}, {-5, 0}, {13, 3}}) {
        s.TrailerExtraBytes = extra;
        s.PacketLength = length;
        EXPECT_NE(decodeLoaded(0), 0) << length;
    }
    EXPECT_EQ(s.DataOffset, 33);
    EXPECT_FLOAT_EQ(s.SampleInterval, 62.0f);
}

} // namespace

} // namespace vz::test
