#include "processing/StatusLine.h"
#include "support/FakeClock.h"
#include "support/Fixture.h"

namespace vz::test {

namespace {

class StatusLineTest : public Fixture {
  protected:
    FakeClock clock;
};

TEST_F(StatusLineTest, DateTimeAndModeFollowLivePlaybackRecordingAndPause) {
    clock.set({2026, 12, 6, 9, 5, 1});
    const std::string opened = " Opened at: I5B3014.02I11-30-2025         14:02:11";
    const std::string lettered = " Opened at: I5B3014B.02I11-30-2025        14:02:41";
    struct Case {
        bool playback, recording, paused;
        std::string header;
        StatusLabels expected; // date, time, mode, background
    };
    const Case cases[] = {
        {false, false, false, "", {"12-06-2026 ", "09:05:01 ", "  Mode: Normal", ModeBackground::SystemLight}},
        {false, true, false, "", {"12-06-2026 ", "09:05:01 ", "  Mode: Recording", ModeBackground::Green}},
        {true, false, false, opened, {"11-30-2025", "14:07:59 ", "Play: I5B3014.02I", ModeBackground::Red}},
        {true, false, false, lettered, {"11-30-2025", "14:07:59 ", "Play: I5B3014.02I", ModeBackground::Red}},
        {true, false, false, "short", {"", "14:07:59 ", "Play: I5B3014.02I", ModeBackground::Red}},
        {true, true, false, opened, {"11-30-2025", "14:07:59 ", "  Mode: Recording", ModeBackground::Green}},
        {true, false, true, opened, {"11-30-2025", "14:07:59 ", "  Mode: Paused", ModeBackground::Yellow}},
        {false, false, true, "", {"12-06-2026 ", "09:05:01 ", "  Mode: Paused", ModeBackground::Yellow}},
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
        EXPECT_EQ(l.date, c.expected.date) << c.header;
        EXPECT_EQ(l.time, c.expected.time) << c.header;
        EXPECT_EQ(l.mode, c.expected.mode) << c.header;
        EXPECT_EQ(l.modeBackground, c.expected.modeBackground) << c.header;
    }
}

} // namespace

} // namespace vz::test
