#include "processing/StatusLine.h"
#include "support/FakeClock.h"
#include "support/Fixture.h"

namespace vz::test {

namespace {

class StatusLineTest : public Fixture {
  protected:
    StatusLabels labels() {
        UpdateStatusTexts(s);
        return StatusLabelsFor(s);
    }
    FakeClock clock;
};

TEST_F(StatusLineTest, LiveShowsTheSystemDateAndTimeAndTheMode) {
    clock.set({2026, 12, 6, 9, 5, 1});
    StatusLabels l = labels();
    EXPECT_EQ(l.date, "12-06-2026 ");
    EXPECT_EQ(l.time, "09:05:01 ");
    EXPECT_EQ(l.mode, "  Mode: Normal");
    EXPECT_EQ(l.modeBackground, ModeBackground::SystemLight);

    s.RecordPings = true;
    l = labels();
    EXPECT_EQ(s.ModeText, "Recording");
    EXPECT_EQ(l.mode, "  Mode: Recording");
    EXPECT_EQ(l.modeBackground, ModeBackground::Green);
}

TEST_F(StatusLineTest, PlaybackShowsTheRecordingDateAndFileAndKeepsTheRecordTime) {
    s.PlaybackMode = true;
    s.PlaybackHeader2 = " Opened at: I5B3014.02I11-30-2025         14:02:11";
    s.PlaybackFileName = "I5B3014.02I";
    s.TimeText = "14:07:59 ";
    StatusLabels l = labels();
    EXPECT_EQ(l.date, "11-30-2025");
    EXPECT_EQ(l.time, "14:07:59 ");
    EXPECT_EQ(l.mode, "Play: I5B3014.02I");
    EXPECT_EQ(l.modeBackground, ModeBackground::Red);

    // A second recording within the minute has a lettered, longer name.
    s.PlaybackHeader2 = " Opened at: I5B3014B.02I11-30-2025        14:02:41";
    EXPECT_EQ(labels().date, "11-30-2025");

    // A header too short to hold a date shows none.
    s.PlaybackHeader2 = "short";
    EXPECT_EQ(labels().date, "");

    // Recording while playing back shows the recording.
    s.RecordPings = true;
    EXPECT_EQ(labels().mode, "  Mode: Recording");
}

TEST_F(StatusLineTest, PauseOverridesEveryMode) {
    s.Paused = true;
    for (bool playback : {false, true}) {
        s.PlaybackMode = playback;
        const StatusLabels l = labels();
        EXPECT_EQ(l.mode, "  Mode: Paused");
        EXPECT_EQ(l.modeBackground, ModeBackground::Yellow);
    }
}

} // namespace

} // namespace vz::test
