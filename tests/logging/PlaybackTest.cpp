// Playing a screen-data file: entering and leaving, every line kind on the way to a record, the
// loop at the end, and files that are cut, empty, or hold records that cannot be replies.
#include "LoggingFiles.h"

#include "controls/MainOptions.h"
#include "core/Shutdown.h"
#include "core/Startup.h"
#include "core/SettingsFile.h"
#include "display/Surfaces.h"
#include "logging/PlaybackLines.h"
#include "logging/RecordingMenu.h"
#include "processing/AcquisitionTick.h"
#include "support/FakeClock.h"

#include <QFileInfo>

namespace vz::test {
namespace {

constexpr Rgb kEcho{255, 128, 0};

class PlaybackTest : public LoggingTest {
protected:
    void SetUp() override {
        LoggingTest::SetUp();
        s.SoundSpeed = 0.0024755f;
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
    bool echoIn(int fromX, int toX) {
        for (int x = fromX; x < toX; ++x) {
            for (int y = 0; y < 600; y += 5) {
                if (pictHiddenA().pixel(x, y) == kEcho) return true;
            }
        }
        return false;
    }
};

TEST_F(PlaybackTest, FirmwareInTheFirstHeaderDecidesTheExtraTrailerBytes) {
    const std::pair<std::string, int> cases[] = {{kHeader8, 0}, {kHeader10, 3}, {"3.16  9  ***", 3},
                                                 {"3.16  08 ", 0}, {"*************", 0}, {"", 3}};
    for (const auto& [header, extra] : cases) EXPECT_EQ(TrailerExtraBytesFromHeader(header), extra) << header;
}

TEST_F(PlaybackTest, TheMenuCommandOffersToSaveThenPlaysTheChosenFileAndLeaves) {
    s.TrailerExtraBytes = 3;
    writeFile(dataPath("i6120609.05i"), lines({kHeader8, kOpened, record("09:05:01", replyBytes(3, 10))}));
    dialogs.answerMessage(AnswerYes).answerFile("C:\\TEMPIFB\\i6120609.05i");
    s.SettingsFilePath = "C:\\TempIFB\\OTHER.DAT";
    mnuOptionsPlaybackScreenData_Click();

    ASSERT_EQ(dialogs.shown().size(), 2u);
    EXPECT_EQ(dialogs.shown()[1].kind, "open");
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(dataPath("VOSKVALS.DAT"))));
    EXPECT_TRUE(s.PlaybackMode && s.PlaybackChecked);
    EXPECT_FALSE(s.RecordMenuEnabled || s.NmeaMenuEnabled);
    EXPECT_EQ(s.PlaybackFileName, "I6120609.05I");
    EXPECT_EQ(s.PlaybackHeader1, kHeader8);
    EXPECT_EQ(s.PlaybackHeader2, kOpened.substr(1)); // lines are read without their outer blanks
    EXPECT_EQ(s.TrailerExtraBytes, 0);
    EXPECT_EQ(s.ClearFullPending + s.ClearLeftPending + s.ClearRightPending, 3);
    EXPECT_TRUE(timers().tmrMainTimer1.enabled());
    EXPECT_FALSE(timers().tmrMainTimer2.enabled());
    EXPECT_EQ(s.LatCaption, "- - - - -");
    EXPECT_EQ(ui.playbackControls, std::vector<bool>{true});
    ASSERT_TRUE(ReadPlaybackRecord());

    expectStartOver();
    mnuOptionsPlaybackScreenData_Click();
    expectLive();
}

TEST_F(PlaybackTest, CancellingTheFileDialogStartsOverInLiveMode) {
    expectStartOver();
    choose("");
    expectLive();
}

TEST_F(PlaybackTest, EachLineKindIsAppliedOnTheWayToTheNextRecord) {
    ChannelBlock digital = kAnalogBlock;
    digital[0] = 0x82;
    const Bytes first = replyBytes(1, 40);
    play(lines({kHeader8, kOpened, "T: 68.25   Depth= 12.5 Ft", "GPS: Lat: 49  16.4500 N  Lon: 123  11.1200 W   2.37",
                " ", ChannelLine(Channel::Full, digital), record("09:05:01", first), "T: 70.00   Depth= 12.5 Ft",
                "GPS: Not Valid  Not Valid   0", " ", record("09:05:02", replyBytes(2, 41))}));
    s.RxBuffer.fill(77);

    ASSERT_TRUE(ReadPlaybackRecord());
    EXPECT_FLOAT_EQ(s.WaterTemperature, 68.25f);
    EXPECT_EQ(s.LatCaption, "Lat: 49  16.4500 N");
    EXPECT_EQ(s.LongCaption, "Lon: 123  11.1200 W");
    EXPECT_FLOAT_EQ(s.GpsSpeed, 2.37f);
    EXPECT_EQ(ui.positionsShown, 2); // blanked on entry, then the GPS line
    EXPECT_EQ(s.SplitScreen, 0);
    EXPECT_EQ(s.PingProcessing, 0x82);
    EXPECT_EQ(s.FullChannelBlock[0], 0x82);
    EXPECT_EQ(s.TimeText, "09:05:01");
    ASSERT_EQ(s.PacketLength, 12);
    // Entries n+1..2n are filled with 1, and nothing past them is touched.
    EXPECT_TRUE(std::equal(first.begin(), first.end(), s.RxBuffer.begin() + 1));
    EXPECT_TRUE(std::all_of(s.RxBuffer.begin() + 13, s.RxBuffer.begin() + 25, [](auto b) { return b == 1; }));
    EXPECT_EQ(s.RxBuffer[25], 77);

    ASSERT_TRUE(ReadPlaybackRecord());
    EXPECT_FLOAT_EQ(s.WaterTemperature, 70.0f);
    EXPECT_EQ(s.LatCaption + "|" + s.LongCaption, "Not Valid|Not Valid");
    EXPECT_FLOAT_EQ(s.GpsSpeed, 0.0f);
    EXPECT_EQ(s.TimeText, "09:05:02");
    EXPECT_EQ(s.PacketLength, 13);
}

// An L or R line puts its record in its own half, whichever side the ping cycle turned to.
TEST_F(PlaybackTest, AnLOrRLineDecidesTheHalfOfTheNextRecordInSplitScreen) {
    for (const Channel side : {Channel::Left, Channel::Right}) {
        SCOPED_TRACE(static_cast<int>(side));
        const bool left = side == Channel::Left;
        play(lines({kHeader8, kOpened, " ", ChannelLine(side, kAnalogBlock), record("09:05:01", replyBytes(600, 255))}));
        s.SplitScreen = 0;
        s.LeftSideNow = !left; // the ping cycle had turned to the other side
        s.ClearFullPending = s.ClearLeftPending = s.ClearRightPending = 0;
        PaintSurfacesBackground();
        ui.statuses.clear();
        timers().tmrMainTimer2.setEnabled(true);
        AcquisitionTick();

        EXPECT_EQ(s.SplitScreen, 1);
        EXPECT_EQ(s.LeftSideNow, left);
        EXPECT_FALSE(timers().tmrMainTimer2.enabled());
        EXPECT_EQ(echoIn(0, 500), left);
        EXPECT_EQ(echoIn(500, 1000), !left);
        ASSERT_EQ(ui.statuses.size(), 1u);
        const StatusLabels& st = ui.statuses[0];
        EXPECT_EQ(st.mode + "|" + st.date + "|" + st.time, "Play: I6120609.05I|12-06-2026|09:05:01");
    }
    EXPECT_EQ(dialogs.beeps(), 2); // only those of entering playback
}

// Records that cannot be replies are passed over whole, and the deepest reply the receive path
// records plays to the buffer's end.
TEST_F(PlaybackTest, RecordsThatCannotBeRepliesArePassedOverAndPlaybackGoesOn) {
    std::string tooMany = "09:05:01 ";
    for (int i = 0; i <= kRxBufferLast; ++i) tooMany += " 0";
    const Bytes deep = replyBytes(31969, 40);
    play(lines({kHeader8, kOpened, tooMany, "09:05:01 " + std::string(300000, '7'), "09:05:01  0 255 17",
                "09:05:01  1 2 3 4 5 6 7 8 9 10 256 12", "09:05:01  1 2 3 4 5 6 7 8 9 10 1x 12",
                "09:05:01  1 2 3 4 5 6 7 8 9 10 -1 12", "Opened at: nothing", record("09:05:09", deep),
                "09:05:10  6 1.5 2.5 3 4 5 6 7 8 9 10 255"}));
    s.RxBuffer.fill(77);

    ASSERT_TRUE(ReadPlaybackRecord());
    EXPECT_EQ(s.TimeText, "09:05:09");
    ASSERT_EQ(s.PacketLength, 31980);
    EXPECT_TRUE(std::equal(deep.begin(), deep.end(), s.RxBuffer.begin() + 1));
    EXPECT_EQ(s.RxBuffer[31981], 1);
    EXPECT_EQ(s.RxBuffer[kRxBufferLast], 1);
    // Values written with a fraction are rounded, halves to even; 255 is a value like any other.
    ASSERT_TRUE(ReadPlaybackRecord());
    EXPECT_EQ(s.TimeText, "09:05:10");
    EXPECT_EQ(s.RxBuffer[2], 2);
    EXPECT_EQ(s.RxBuffer[3], 2);
    EXPECT_EQ(s.RxBuffer[12], 255);
}

// A GPS line cut at any length, in playback: whatever it still says, and no crash.
TEST_F(PlaybackTest, GpsLinesCutAtEveryLengthAreTakenAsFarAsTheyGo) {
    for (const std::string full : {"GPS: Lat: 49  16.4500 N  Lon: 123  11.1200 W   2.37", "GPS: Not Valid  Not Valid   0"}) {
        for (std::size_t n = 0; n <= full.size(); ++n) {
            ApplyGpsLine(std::string_view(full).substr(0, n), s);
            EXPECT_TRUE(n >= 10 || s.LatCaption.empty()) << n;
        }
    }
    EXPECT_EQ(s.LatCaption, "Not Valid");
}

// The end of the file, a line cut there, or a closing line: the file again from the top, silently.
TEST_F(PlaybackTest, TheFileReplaysFromTheTopAfterItsLastWholeRecordOrAClosingLine) {
    const std::string top = lines({kHeader8, kOpened, record("09:05:01", replyBytes(3, 10))});
    for (const std::string& text : {top + lines({record("09:05:02", replyBytes(3, 20))}) + "09:05:03  6 30 30",
                                    top + lines({"Closed at: 09:05:02", record("09:05:03", replyBytes(3, 20))})}) {
        play(text);
        std::string times;
        for (int i = 0; i < 3; ++i) {
            ASSERT_TRUE(ReadPlaybackRecord());
            times += s.TimeText + " ";
        }
        EXPECT_EQ(times, text.find("Closed") == std::string::npos ? "09:05:01 09:05:02 09:05:01 "
                                                                  : "09:05:01 09:05:01 09:05:01 ");
        EXPECT_EQ(s.PlaybackHeader1, kHeader8);
    }
    EXPECT_EQ(dialogs.shown().size(), 4u); // those of entering playback only
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

TEST_F(PlaybackTest, EnteringPlaybackWhileRecordingEndsTheRecordingFirst) {
    FakeClock clock;
    mnuOptionsSaveScreenDataNow_Click();
    const Bytes reply = replyBytes(3, 10);
    setReply(reply);
    RecordReply();
    const std::string recorded = RecordingFilePath();

    choose(recorded);
    EXPECT_TRUE(readFile(recorded).ends_with("\r\nClosed at: 09:05:01\r\n"));
    EXPECT_FALSE(s.RecordPings || s.LogFileOpen || s.RecordNowChecked || s.RecordMenuEnabled);
    EXPECT_TRUE(s.PlaybackMode);
    ASSERT_TRUE(ReadPlaybackRecord());
    EXPECT_EQ(s.PacketLength, static_cast<int>(reply.size()));
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
    // None for the box, 4 and 5 for GPS and NMEA; the box port's error is then cancelled, which
    // ends the program.
    const std::size_t before = dialogs.shown().size();
    dialogs.answerPort(0).answerPort(4).answerPort(5).answerInput("");
    RunStartupSequence();
    ASSERT_EQ(dialogs.shown().size(), before + 4);
    EXPECT_EQ(dialogs.shown()[before].kind, "port");
    EXPECT_EQ(s.SoundOn, 1); // the session's setting, kept
    ResetState();
    BuildStartupTables();
    ReadSettingsFile(); // asks nothing now
    EXPECT_EQ(s.IfbPort, 0);
    EXPECT_EQ(s.GpsPort, 4);
    EXPECT_EQ(s.NmeaPort, 5);
    EXPECT_EQ(s.SoundOn, 1);
}

} // namespace
} // namespace vz::test
