// Jumping in a recording: the state after a jump is the state after reading the file up to there,
// and playback goes on with the record jumped to.
#include "LoggingFiles.h"

#include "display/Surfaces.h"

#include <cstdio>

namespace vz::test {
namespace {

constexpr int kRecords = 700;
constexpr int kSplitFrom = 300, kFullAgainFrom = 600;

std::string timeOf(int record) {
    char t[16];
    std::snprintf(t, sizeof t, "%02d:%02d:%02d", 9 + record / 3600, record / 60 % 60, record % 60);
    return t;
}

// Full screen, then Split (Right, Left, ...), then Full again; a temperature line before every
// record, a GPS line before every tenth, channel blocks that change with the record.
std::string recording() {
    std::string text = lines({kHeader10, " Opened at: I6120609.00I12-06-2026        09:00:00"});
    for (int k = 0; k < kRecords; ++k) {
        char line[80];
        std::snprintf(line, sizeof line, "T: %.2f   Depth= 10. Ft", 60 + k * 0.01);
        text += lines({line});
        if (k % 10 == 0) {
            std::snprintf(line, sizeof line, "GPS: Lat: 49  16.4500 N  Lon: 123  %07.4f W   %d.5", k / 100.0, k % 7);
            text += lines({line});
        }
        ChannelBlock block{1, 1, 1, static_cast<std::uint8_t>(k % 256), 20, 236, 3, 0, 0, 30, 1, 10, 0, 1, 0, 120};
        const bool split = k >= kSplitFrom && k < kFullAgainFrom;
        const bool right = split && (k - kSplitFrom) % 2 == 0;
        if (right) block[1] = block[2] = 2;
        if (k == 0 || k == kFullAgainFrom || split)
            text += lines({" ", ChannelLine(!split ? Channel::Full : right ? Channel::Right : Channel::Left, block)});
        Bytes reply(45, static_cast<std::uint8_t>(k % 200));
        reply[0] = 6;
        text += lines({record(timeOf(k), reply)});
    }
    return text;
}

struct Snapshot {
    float temperature, speed;
    std::string lat, lon;
    int split;
    ChannelBlock full, left, right;
    int processing, power;
    bool operator==(const Snapshot&) const = default;
};

class PlaybackSeekTest : public LoggingTest {
protected:
    void SetUp() override {
        LoggingTest::SetUp();
        writeFile(dataPath("I6120609.00I"), recording());
    }
    void enter() {
        ResetState();
        BuildStartupTables();
        LoadDefaultsIntoRam();
        choose(dataPath("I6120609.00I"));
        ASSERT_TRUE(s.PlaybackMode);
    }
    Snapshot snapshot() const {
        return {s.WaterTemperature, s.GpsSpeed, s.LatCaption, s.LongCaption, s.SplitScreen, s.FullChannelBlock,
                s.LeftChannelBlock, s.RightChannelBlock, s.PingProcessing, s.XmitPower};
    }
    // One played record, with the ping cycle's turn of the side before it.
    void playOne() {
        if (s.SplitScreen != 0) s.LeftSideNow = !s.LeftSideNow;
        ASSERT_TRUE(ReadPlaybackRecord());
    }
};

TEST_F(PlaybackSeekTest, AJumpLeavesTheStateAsReadingUpToThereWould) {
    for (const int target : {0, 1, 255, 256, 257, 299, 300, 301, 302, 450, 599, 600, 601, 699}) {
        enter();
        for (int k = 0; k < target; ++k) playOne();
        const Snapshot before = snapshot();
        playOne();
        const Snapshot with = snapshot();
        const bool left = s.LeftSideNow;

        enter();
        for (int k = 0; k < 20; ++k) playOne(); // from anywhere: here a little way in
        ASSERT_TRUE(SeekPlayback(target));
        // Before the first record nothing is in force yet: what was shown stays until its lines.
        EXPECT_TRUE(target == 0 || snapshot() == before) << "jump to " << target;
        playOne();
        EXPECT_TRUE(snapshot() == with) << "jump to " << target;
        EXPECT_EQ(s.TimeText, timeOf(target));
        EXPECT_TRUE(s.SplitScreen == 0 || s.LeftSideNow == left) << "jump to " << target;
    }
}

TEST_F(PlaybackSeekTest, PositionCountsTheRecordsPlayedAndTheJumps) {
    EXPECT_EQ(CurrentPlaybackPosition().records, 0); // not playing
    enter();
    EXPECT_EQ(CurrentPlaybackPosition().record, -1);
    for (int k = 0; k < 5; ++k) playOne();
    const PlaybackPosition p = CurrentPlaybackPosition();
    EXPECT_EQ(p.record, 4);
    EXPECT_EQ(p.records, kRecords);
    EXPECT_EQ(p.date + " " + p.time, "2026-12-06 09:00:04");

    pictHiddenA().fillRect(0, 0, 1000, 600, Rgb{1, 2, 3});
    ASSERT_TRUE(SeekPlayback(450));
    EXPECT_EQ(pictHiddenA().pixel(500, 300), s.BackgroundColor);
    EXPECT_EQ(CurrentPlaybackPosition().record, 449);
    playOne();
    EXPECT_EQ(CurrentPlaybackPosition().record, 450);
    // Jumps past either end go to the last or the first record.
    for (const auto& [target, time] : {std::pair(5000, timeOf(kRecords - 1)), std::pair(-3, timeOf(0))}) {
        EXPECT_TRUE(SeekPlayback(target));
        playOne();
        EXPECT_EQ(s.TimeText, time);
    }
}

} // namespace
} // namespace vz::test
