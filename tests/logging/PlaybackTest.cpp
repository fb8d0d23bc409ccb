// Playing a screen-data file: entering and leaving, every line kind on the way to a record, the
// loop at the end, files that are cut, empty, or hold records that cannot be replies; and jumps,
// after which the state is the state after reading the file up to there.
#include "LoggingFiles.h"

#include "core/Shutdown.h"
#include "core/Startup.h"
#include "logging/PlaybackLines.h"

namespace vz::test {
namespace {

constexpr Rgb kEcho{255, 128, 0};

constexpr int kRecords = 700;
constexpr int kSplitFrom = 300, kFullAgainFrom = 600;

std::string timeOf(int record) {
    char t[16];
    std::snprintf(t, sizeof t, "%02d:%02d:%02d", 9 + record / 3600, record / 60 % 60, record % 60);
    return t;
}

// Full screen, then Split (Right, Left, ...), then Full again; a temperature line before every
// record, a GPS line before every tenth, channel blocks that change with the record.
std::string longRecording() {
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

class PlaybackTest : public LoggingTest {
protected:
    void SetUp() override {
        LoggingTest::SetUp();
        s.ColorTable.fill(kEcho);
        s.ColorTable[0] = s.BackgroundColor;
        PaintSurfacesBackground();
    }
    // Plays `text` as the recording i6120609.05i.
    void play(const std::string& text) {
        writeFile(dataPath("i6120609.05i"), text);
        choose("C:\\TEMPIFB\\i6120609.05i");
    }
    // Leaving playback starts the program over; it finds no box (port 0 in the settings file)
    // and the test cancels the port question, which ends the program there.
    void expectStartOver() {
        s.IfbPort = s.GpsPort = s.NmeaPort = 0;
        WriteSettingsFile();
        dialogs.answerInput("");
    }
    void expectLive() {
        EXPECT_FALSE(s.PlaybackMode || s.PlaybackChecked);
        EXPECT_TRUE(s.RecordMenuEnabled && s.NmeaMenuEnabled);
        EXPECT_EQ(ui.playbackControls.back(), false);
        EXPECT_EQ(dialogs.shown().back().title, "Communications Error"); // the start over
    }
    // What the lines read so far put in force, and the record's time and length.
    std::string inForce() const {
        char t[160];
        std::snprintf(t, sizeof t, "%.2f|%s|%s|%.2f|%s|%d", s.WaterTemperature, s.LatCaption.c_str(),
                      s.LongCaption.c_str(), s.GpsSpeed, s.TimeText.c_str(), s.PacketLength);
        return t;
    }
    // For jumps: playback of the long recording from its start, what its lines put in force, and
    // one record played with the ping cycle's turn of the side before it.
    void enterLong() {
        ResetState();
        BuildStartupTables();
        LoadDefaultsIntoRam();
        choose(dataPath("I6120609.00I"));
        ASSERT_TRUE(s.PlaybackMode);
    }
    auto snapshot() const {
        return std::tuple(s.WaterTemperature, s.GpsSpeed, s.LatCaption, s.LongCaption, s.SplitScreen, s.FullChannelBlock,
                          s.LeftChannelBlock, s.RightChannelBlock, s.PingProcessing, s.XmitPower);
    }
    void playOne() {
        if (s.SplitScreen != 0) s.LeftSideNow = !s.LeftSideNow;
        ASSERT_TRUE(ReadPlaybackRecord());
    }
    bool echoIn(int fromX, int toX) {
        for (int x = fromX; x < toX; ++x)
            for (int y = 0; y < 600; y += 5)
                if (pictHiddenA().pixel(x, y) == kEcho) return true;
        return false;
    }
};

// A recording under way ends first, with its closing line.
TEST_F(PlaybackTest, TheMenuCommandEndsARecordingOffersToSaveThenPlaysTheChosenFileAndLeaves) {
    auto clock = std::make_unique<FakeClock>();
    mnuOptionsSaveScreenDataNow_Click();
    LoadReply(s, replyBytes(3, 10));
    RecordReply();
    const std::string recorded = RecordingFilePath();
    s.TrailerExtraBytes = 3;
    writeFile(dataPath("i6120609.05i"),
              lines({kHeader8, kOpened, record("09:05:01", replyBytes(3, 10)), "Closed at: 09:05:02",
                     record("09:05:03", replyBytes(3, 20))}));
    dialogs.answerMessage(AnswerYes).answerFile("C:\\TEMPIFB\\i6120609.05i");
    s.SettingsFilePath = "C:\\TempIFB\\OTHER.DAT";
    mnuOptionsPlaybackScreenData_Click();

    EXPECT_TRUE(readFile(recorded).ends_with(lines({record("09:05:01", replyBytes(3, 10)), "Closed at: 09:05:01"})));
    EXPECT_FALSE(s.RecordPings || s.LogFileOpen || s.RecordNowChecked);
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(dataPath("VOSKVALS.DAT"))));
    EXPECT_TRUE(s.PlaybackMode && s.PlaybackChecked && timers().tmrMainTimer1.enabled());
    EXPECT_FALSE(s.RecordMenuEnabled || s.NmeaMenuEnabled || timers().tmrMainTimer2.enabled());
    EXPECT_EQ(s.PlaybackFileName, "I6120609.05I");
    EXPECT_EQ(s.PlaybackHeader2, kOpened.substr(1)); // lines are read without their outer blanks
    EXPECT_EQ(s.TrailerExtraBytes, 0);
    EXPECT_EQ(s.ClearFullPending + s.ClearLeftPending + s.ClearRightPending, 3);
    EXPECT_EQ(s.LatCaption, "- - - - -");
    EXPECT_EQ(ui.playbackControls, std::vector<bool>{true});
    ASSERT_TRUE(ReadPlaybackRecord());
    clock.reset(); // the pause before the file starts again is waited in real time
    ASSERT_TRUE(ReadPlaybackRecord()); // a closing line: the file again from the top
    EXPECT_EQ(s.TimeText, "09:05:01");

    expectStartOver();
    mnuOptionsPlaybackScreenData_Click();
    expectLive();
    // Cancelling the file dialog starts over in live mode as well.
    s.ProgramEnding = false;
    expectStartOver();
    choose("");
    expectLive();
}

// Each line kind is applied on the way to the next record; records that cannot be replies are
// passed over whole, and the deepest reply the receive path records plays to the buffer's end.
TEST_F(PlaybackTest, EachLineKindIsAppliedAndRecordsThatCannotBeRepliesArePassedOver) {
    ChannelBlock digital = kAnalogBlock;
    digital[0] = 0x82;
    const Bytes first = replyBytes(1, 40), deep = replyBytes(31969, 40);
    std::string tooMany = "09:05:01 ";
    for (int i = 0; i <= kRxBufferLast; ++i) tooMany += " 0";
    const std::string gps = "GPS: Lat: 49  16.4500 N  Lon: 123  11.1200 W   2.37";
    play(lines({kHeader8, kOpened, "T: 68.25   Depth= 12.5 Ft", gps, " ",
                ChannelLine(Channel::Full, digital), record("09:05:01", first),
                "T: 70.00   Depth= 12.5 Ft", "GPS: Not Valid  Not Valid   0", " ", tooMany,
                "09:05:01 " + std::string(300000, '7'), "09:05:01  0 255 17",
                "09:05:01  1 2 3 4 5 6 7 8 9 10 256 12", "09:05:01  1 2 3 4 5 6 7 8 9 10 1x 12",
                "09:05:01  1 2 3 4 5 6 7 8 9 10 -1 12", "Opened at: nothing",
                record("09:05:09", deep), "09:05:10  6 1.5 2.5 3 4 5 6 7 8 9 10 255"}) +
         record("09:05:11", replyBytes(3, 20))); // cut before its line end
    s.RxBuffer.fill(77);

    ASSERT_TRUE(ReadPlaybackRecord());
    EXPECT_EQ(inForce(), "68.25|Lat: 49  16.4500 N|Lon: 123  11.1200 W|2.37|09:05:01|12");
    EXPECT_EQ(ui.positionsShown, 2); // blanked on entry, then the GPS line
    EXPECT_EQ(s.SplitScreen, 0);
    EXPECT_EQ(s.PingProcessing, 0x82);
    // Entries n+1..2n are filled with 1, and nothing past them is touched.
    EXPECT_TRUE(std::equal(first.begin(), first.end(), s.RxBuffer.begin() + 1));
    const auto one = [](auto b) { return b == 1; };
    EXPECT_TRUE(std::all_of(s.RxBuffer.begin() + 13, s.RxBuffer.begin() + 25, one));
    EXPECT_EQ(s.RxBuffer[25], 77);
    ASSERT_TRUE(ReadPlaybackRecord());
    ASSERT_EQ(inForce(), "70.00|Not Valid|Not Valid|0.00|09:05:09|31980");
    EXPECT_TRUE(std::equal(deep.begin(), deep.end(), s.RxBuffer.begin() + 1));
    EXPECT_TRUE(s.RxBuffer[31981] == 1 && s.RxBuffer[kRxBufferLast] == 1);
    // Values written with a fraction are rounded, halves to even; 255 is a value like any other.
    ASSERT_TRUE(ReadPlaybackRecord());
    EXPECT_EQ(Bytes(s.RxBuffer.begin() + 1, s.RxBuffer.begin() + 13),
              (Bytes{6, 2, 2, 3, 4, 5, 6, 7, 8, 9, 10, 255}));
    // After the last whole record: the file again from the top, silently.
    ASSERT_TRUE(ReadPlaybackRecord());
    EXPECT_EQ(s.TimeText, "09:05:01");
    EXPECT_EQ(s.PlaybackHeader1, kHeader8);
    EXPECT_EQ(dialogs.shown().size(), 2u); // those of entering playback only
    // A GPS line cut at any length is taken as far as it goes, without a crash.
    for (std::size_t n = 0; n <= gps.size(); ++n) {
        ApplyGpsLine(std::string_view(gps).substr(0, n), s);
        EXPECT_TRUE(n >= 10 || s.LatCaption.empty()) << n;
    }
}

// An L or R line puts its record in its own half, whichever side the ping cycle turned to.
TEST_F(PlaybackTest, AnLOrRLineDecidesTheHalfOfTheNextRecordInSplitScreen) {
    for (const Channel side : {Channel::Left, Channel::Right}) {
        const bool left = side == Channel::Left;
        play(lines({kHeader8, kOpened, " ", ChannelLine(side, kAnalogBlock), record("09:05:01", replyBytes(600, 255))}));
        s.SplitScreen = 0;
        s.LeftSideNow = !left; // the ping cycle had turned to the other side
        s.ClearFullPending = s.ClearLeftPending = s.ClearRightPending = 0;
        PaintSurfacesBackground();
        ui.statuses.clear();
        timers().tmrMainTimer2.setEnabled(true);
        AcquisitionTick();
        EXPECT_TRUE(s.SplitScreen == 1 && s.LeftSideNow == left && !timers().tmrMainTimer2.enabled()) << left;
        EXPECT_EQ(echoIn(0, 500), left);
        EXPECT_EQ(echoIn(500, 1000), !left);
        ASSERT_EQ(ui.statuses.size(), 1u);
        EXPECT_EQ(ui.statuses[0].time, "09:05:01");
    }
    EXPECT_EQ(dialogs.beeps(), 2); // only those of entering playback
}

// Without a record the file would be opened again for ever: it is reported and playback left.
TEST_F(PlaybackTest, AFileWithoutRecordsOrThatCannotBeOpenedIsReportedAndPlaybackIsLeft) {
    const std::pair<std::string, const char*> cases[] = {
        {"", "holds no screen data"}, {lines({kHeader8, kOpened}), "holds no screen data"},
        {lines({"Dear diary,", "nothing to see"}), "holds no screen data"}, {"-", "cannot be opened"}};
    for (const auto& [text, report] : cases) {
        s.ProgramEnding = false; // the start over of the previous file ended the program
        if (text == "-") choose("C:\\TEMPIFB\\I0000000.00I");
        else play(text);
        EXPECT_TRUE(s.PlaybackMode);
        expectStartOver();
        dialogs.answerMessage(AnswerOk);
        EXPECT_FALSE(ReadPlaybackRecord());
        expectLive();
        const ShownDialog& message = dialogs.shown()[dialogs.shown().size() - 2];
        EXPECT_NE(message.text.find(report), std::string::npos) << message.text;
    }
}

// A session started on a recording without a settings file never chose its ports: what it saves
// keeps its settings, and the next normal start asks for the ports instead of opening "COM17".
TEST_F(PlaybackTest, ASavedPlaybackStartLeavesThePortsToTheNextStart) {
    writeFile(dataPath("i6120609.05i"), lines({kHeader8, kOpened, record("09:05:01", replyBytes(30, 40))}));
    StartWithPlayback(dataPath("i6120609.05i"));
    ASSERT_TRUE(s.PlaybackMode);
    optSoundOnOff_Click(0);
    dialogs.answerMessage(AnswerYes);
    ExitProgram();

    ResetState();
    ResetTimers();
    // None for the box, 4 and 5 for GPS and NMEA (answers left unasked fail the test); the box
    // port's error is then cancelled, which ends the program.
    dialogs.answerPort(0).answerPort(4).answerPort(5).answerInput("");
    RunStartupSequence();
    ResetState();
    BuildStartupTables();
    ReadSettingsFile(); // asks nothing now
    EXPECT_EQ(std::tuple(s.IfbPort, s.GpsPort, s.NmeaPort), std::tuple(0, 4, 5));
    EXPECT_EQ(s.SoundOn, 1); // the session's setting, kept
}

// After a jump the state is the state after reading the file up to there, and the position
// counts the records played and the jumps.
TEST_F(PlaybackTest, AJumpLeavesTheStateAsReadingUpToThereWould) {
    writeFile(dataPath("I6120609.00I"), longRecording());
    EXPECT_EQ(CurrentPlaybackPosition().records, 0); // not playing
    for (const int target : {0, 1, 255, 256, 257, 299, 300, 301, 302, 450, 599, 600, 601, 699}) {
        enterLong();
        EXPECT_EQ(CurrentPlaybackPosition().record, -1);
        for (int k = 0; k < target; ++k) playOne();
        const auto before = snapshot();
        playOne();
        const auto with = snapshot();
        const bool left = s.LeftSideNow;

        enterLong();
        for (int k = 0; k < 20; ++k) playOne(); // from anywhere: here a little way in
        pictHiddenA().fillRect(0, 0, 1000, 600, Rgb{1, 2, 3});
        ASSERT_TRUE(SeekPlayback(target));
        EXPECT_EQ(pictHiddenA().pixel(500, 300), s.BackgroundColor);
        EXPECT_EQ(CurrentPlaybackPosition().record, target - 1);
        // Before the first record nothing is in force yet: what was shown stays until its lines.
        EXPECT_TRUE(target == 0 || snapshot() == before) << "jump to " << target;
        playOne();
        EXPECT_TRUE(snapshot() == with) << "jump to " << target;
        EXPECT_EQ(s.TimeText, timeOf(target));
        EXPECT_EQ(CurrentPlaybackPosition().record, target);
        EXPECT_TRUE(s.SplitScreen == 0 || s.LeftSideNow == left) << "jump to " << target;
    }
    const PlaybackPosition p = CurrentPlaybackPosition();
    EXPECT_EQ(p.records, kRecords);
    EXPECT_EQ(p.date + " " + p.time, "2026-12-06 " + timeOf(kRecords - 1));
    // Jumps past either end go to the last or the first record.
    for (const auto& [target, time] : {std::pair(5000, timeOf(kRecords - 1)), std::pair(-3, timeOf(0))}) {
        EXPECT_TRUE(SeekPlayback(target));
        playOne();
        EXPECT_EQ(s.TimeText, time);
    }
}

} // namespace
} // namespace vz::test
