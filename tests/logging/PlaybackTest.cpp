// Playing a screen-data file: entering and leaving, every line kind on the way to a record, the
// loop at the end, and files that are cut, empty, or hold records that cannot be replies.
#include "LoggingFiles.h"
#include "LoggingUi.h"

#include "controls/MainOptions.h"
#include "core/Defaults.h"
#include "core/Shutdown.h"
#include "core/Startup.h"
#include "core/SettingsFile.h"
#include "core/StartupTables.h"
#include "core/Timers.h"
#include "display/Surfaces.h"
#include "logging/Playback.h"
#include "logging/PlaybackLines.h"
#include "logging/Recording.h"
#include "logging/RecordingMenu.h"
#include "logging/ScreenDataLines.h"
#include "processing/AcquisitionTick.h"
#include "support/FakeClock.h"
#include "support/FakeSerialPort.h"
#include "support/Fixture.h"
#include "support/ScriptedDialogs.h"

#include <QFileInfo>

namespace vz::test {
namespace {

constexpr Rgb kEcho{255, 128, 0};
const std::string kHeader8 = "3.16  8  ***************************************";
const std::string kHeader2 = " Opened at: I6120609.05I12-06-2026        09:05:01";
const ChannelBlock kAnalogBlock{1, 1, 1, 50, 20, 236, 3, 0, 2, 165, 1, 10, 0, 1, 0, 120};

// A reply of `samples` entries of `level` after the leading 6, the trailer (interval 60) and a
// checksum, as the box sends it.
std::vector<std::uint8_t> replyBytes(int samples, std::uint8_t level) {
    std::vector<std::uint8_t> b{6};
    b.insert(b.end(), static_cast<std::size_t>(samples), level);
    for (std::uint8_t t : {0x5A, 0xA5, 0, 0x03, 0xE8, 0, 0, 0, 60}) b.push_back(t);
    std::uint8_t x = 0;
    for (std::size_t i = 1; i < b.size(); ++i) x ^= b[i];
    b.push_back(x);
    return b;
}

std::string record(const std::string& time, const std::vector<std::uint8_t>& bytes) {
    return DataRecordLine(time, bytes.data(), static_cast<int>(bytes.size()));
}

std::string lines(std::initializer_list<std::string> list) {
    std::string text;
    for (const std::string& l : list) text += l + "\r\n";
    return text;
}

class PlaybackTest : public Fixture {
protected:
    void SetUp() override {
        Fixture::SetUp();
        BuildStartupTables();
        LoadDefaultsIntoRam();
        s.SoundSpeed = 0.0024755f;
        s.ColorTable.fill(kEcho);
        s.ColorTable[0] = s.BackgroundColor;
        PaintSurfacesBackground();
        box.close();
        setSerialPorts(&box, &gps, &nmea);
    }
    void TearDown() override {
        EXPECT_EQ(dialogs.unusedAnswers(), 0u);
        Fixture::TearDown();
    }
    // Plays `text` as the recording i6120609.05i, chosen in the file dialog.
    void play(const std::string& text) {
        writeFile(dataPath("i6120609.05i"), text);
        dialogs.answerMessage(AnswerNo).answerFile("C:\\TEMPIFB\\i6120609.05i");
        EnterPlaybackMode();
    }
    // Leaving playback starts the program over; it finds no box (port 0 in the settings file)
    // and the test cancels the port question, which ends the program there.
    void expectStartOver() {
        s.IfbPort = 0;
        s.GpsPort = s.NmeaPort = 0;
        WriteSettingsFile();
        dialogs.answerInput("");
    }
    bool echoIn(int fromX, int toX) {
        for (int x = fromX; x < toX; ++x) {
            for (int y = 0; y < 600; y += 5) {
                if (pictHiddenA().pixel(x, y) == kEcho) return true;
            }
        }
        return false;
    }

    FakeSerialPort box, gps, nmea;
    ScriptedDialogs dialogs;
    LoggingUi ui;
};

TEST_F(PlaybackTest, FirmwareInTheFirstHeaderDecidesTheExtraTrailerBytes) {
    const struct {
        std::string header;
        int extra;
    } cases[] = {{kHeader8, 0},
                 {"3.16  9  ***************************************", 3},
                 {"3.16  10  ***************************************", 3},
                 {"3.16  08 ", 0},
                 {"***************************************", 0},
                 {"", 3}};
    for (const auto& c : cases) EXPECT_EQ(TrailerExtraBytesFromHeader(c.header), c.extra) << c.header;
}

TEST_F(PlaybackTest, EnteringPlaybackAsksToSaveThenOpensTheChosenFile) {
    s.TrailerExtraBytes = 3;
    writeFile(dataPath("i6120609.05i"), lines({kHeader8, kHeader2}));
    dialogs.answerMessage(AnswerYes).answerFile("C:\\TEMPIFB\\i6120609.05i");
    s.SettingsFilePath = "C:\\TempIFB\\OTHER.DAT";
    EnterPlaybackMode();

    ASSERT_EQ(dialogs.shown().size(), 2u);
    EXPECT_EQ(dialogs.shown()[0].text, "Playing data can change screen settings.  Save current screen settings?");
    EXPECT_EQ(dialogs.shown()[0].title, "Quit Program");
    EXPECT_EQ(dialogs.shown()[1].title, "Playback data file - select a file:");
    EXPECT_EQ(dialogs.shown()[1].text, "Files (I*.??I)| I*.??I");
    EXPECT_EQ(dialogs.beeps(), 1);
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(dataPath("VOSKVALS.DAT"))));

    EXPECT_TRUE(s.PlaybackMode);
    EXPECT_EQ(s.PlaybackFileName, "I6120609.05I");
    EXPECT_EQ(s.PlaybackHeader1, kHeader8);
    EXPECT_EQ(s.PlaybackHeader2, kHeader2.substr(1)); // lines are read without their outer blanks
    EXPECT_EQ(s.TrailerExtraBytes, 0);
    EXPECT_EQ(s.ClearFullPending + s.ClearLeftPending + s.ClearRightPending, 3);
    EXPECT_TRUE(timers().tmrMainTimer1.enabled());
    EXPECT_FALSE(timers().tmrMainTimer2.enabled());
    EXPECT_TRUE(s.PlaybackChecked);
    EXPECT_FALSE(s.RecordMenuEnabled);
    EXPECT_FALSE(s.NmeaMenuEnabled);
    EXPECT_EQ(s.LatCaption, "- - - - -");
    EXPECT_EQ(ui.playbackControls, std::vector<bool>{true});
}

TEST_F(PlaybackTest, EachLineKindIsAppliedOnTheWayToTheNextRecord) {
    ChannelBlock digital = kAnalogBlock;
    digital[0] = 0x82;
    play(lines({kHeader8, kHeader2, "T: 68.25   Depth= 12.5 Ft",
                "GPS: Lat: 49  16.4500 N  Lon: 123  11.1200 W   2.37", " ",
                ChannelLine(Channel::Full, digital), record("09:05:01", replyBytes(1, 40)),
                "T: 70.00   Depth= 12.5 Ft", "GPS: Not Valid  Not Valid   0", " ",
                record("09:05:02", replyBytes(2, 41))}));
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
    const std::vector<std::uint8_t> first = replyBytes(1, 40);
    for (int i = 1; i <= 12; ++i) EXPECT_EQ(s.RxBuffer[i], first[static_cast<std::size_t>(i - 1)]) << i;
    for (int i = 13; i <= 24; ++i) EXPECT_EQ(s.RxBuffer[i], 1) << i;
    EXPECT_EQ(s.RxBuffer[25], 77);

    ASSERT_TRUE(ReadPlaybackRecord());
    EXPECT_FLOAT_EQ(s.WaterTemperature, 70.0f);
    EXPECT_EQ(s.LatCaption, "Not Valid");
    EXPECT_EQ(s.LongCaption, "Not Valid");
    EXPECT_FLOAT_EQ(s.GpsSpeed, 0.0f);
    EXPECT_EQ(s.TimeText, "09:05:02");
    EXPECT_EQ(s.PacketLength, 13);
}

// An L or R line puts its record in its own half, whichever side the ping cycle turned to.
TEST_F(PlaybackTest, AnLOrRLineDecidesTheHalfOfTheNextRecordInSplitScreen) {
    for (const Channel side : {Channel::Left, Channel::Right}) {
        SCOPED_TRACE(static_cast<int>(side));
        const bool left = side == Channel::Left;
        play(lines({kHeader8, kHeader2, " ", ChannelLine(side, kAnalogBlock), record("09:05:01", replyBytes(600, 255))}));
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
        EXPECT_EQ(ui.statuses[0].mode, "Play: I6120609.05I");
        EXPECT_EQ(ui.statuses[0].date, "12-06-2026");
        EXPECT_EQ(ui.statuses[0].time, "09:05:01");
    }
    EXPECT_EQ(dialogs.beeps(), 2); // only those of entering playback
}

TEST_F(PlaybackTest, RecordsThatCannotBeRepliesArePassedOverAndPlaybackGoesOn) {
    const std::vector<std::uint8_t> good = replyBytes(5, 30);
    std::string tooMany = "09:05:01 ";
    for (int i = 0; i <= kRxBufferLast; ++i) tooMany += " 0";
    const std::string overLong = "09:05:01 " + std::string(300000, '7');
    play(lines({kHeader8, kHeader2, tooMany, overLong, "09:05:01  0 255 17",
                "09:05:01  1 2 3 4 5 6 7 8 9 10 256 12", "09:05:01  1 2 3 4 5 6 7 8 9 10 1x 12",
                "09:05:01  1 2 3 4 5 6 7 8 9 10 -1 12", "Opened at: nothing", record("09:05:09", good)}));
    s.RxBuffer.fill(77);

    ASSERT_TRUE(ReadPlaybackRecord());
    EXPECT_EQ(s.TimeText, "09:05:09");
    EXPECT_EQ(s.PacketLength, static_cast<int>(good.size()));
    EXPECT_EQ(s.RxBuffer[1], 6);
    EXPECT_EQ(s.RxBuffer[2 * good.size() + 1], 77);
    EXPECT_EQ(s.RxBuffer[kRxBufferLast], 77);
    // Values written with a fraction are rounded, halves to even.
    play(lines({kHeader8, kHeader2, "09:05:01  6 1.5 2.5 3 4 5 6 7 8 9 10 11"}));
    ASSERT_TRUE(ReadPlaybackRecord());
    EXPECT_EQ(s.RxBuffer[2], 2);
    EXPECT_EQ(s.RxBuffer[3], 2);
}

// The deepest replies the receive path records come back whole; entries n+1..2n stop at the
// buffer's end.
TEST_F(PlaybackTest, ARecordOfAlmostTheWholeBufferPlays) {
    const std::vector<std::uint8_t> deep = replyBytes(31969, 40);
    ASSERT_EQ(deep.size(), 31980u);
    play(lines({kHeader8, kHeader2, record("09:05:01", deep)}));
    s.RxBuffer.fill(77);
    ASSERT_TRUE(ReadPlaybackRecord());
    EXPECT_EQ(s.PacketLength, 31980);
    EXPECT_EQ(s.RxBuffer[31980], deep.back());
    EXPECT_EQ(s.RxBuffer[31981], 1);
    EXPECT_EQ(s.RxBuffer[kRxBufferLast], 1);
}

// A GPS line cut at any length, in playback: whatever it still says, and no crash.
TEST_F(PlaybackTest, GpsLinesCutAtEveryLengthAreTakenAsFarAsTheyGo) {
    for (const std::string full : {"GPS: Lat: 49  16.4500 N  Lon: 123  11.1200 W   2.37", "GPS: Not Valid  Not Valid   0"}) {
        for (std::size_t n = 4; n <= full.size(); ++n) {
            ApplyGpsLine(std::string_view(full).substr(0, n), s);
            if (n < 10) {
                EXPECT_TRUE(s.LatCaption.empty()) << n;
            }
        }
    }
    EXPECT_EQ(s.LatCaption, "Not Valid");
    ApplyGpsLine("GPS: Lat: 49  16.4500 N  Lon: 123  11.1200 W   2.37", s);
    EXPECT_EQ(s.LongCaption, "Lon: 123  11.1200 W");
    EXPECT_FLOAT_EQ(s.GpsSpeed, 2.37f);
}

TEST_F(PlaybackTest, AFileCutInALineReplaysFromTheTopAfterItsLastWholeRecord) {
    play(lines({kHeader8, kHeader2, record("09:05:01", replyBytes(3, 10)),
                record("09:05:02", replyBytes(3, 20))}) +
         "09:05:03  6 30 30");
    std::vector<std::string> times;
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(ReadPlaybackRecord());
        times.push_back(s.TimeText);
    }
    EXPECT_EQ(times, (std::vector<std::string>{"09:05:01", "09:05:02", "09:05:01", "09:05:02", "09:05:01"}));
    EXPECT_EQ(s.PlaybackHeader1, kHeader8);
    EXPECT_TRUE(dialogs.shown().size() == 2u); // no message: the loop is silent
}

TEST_F(PlaybackTest, AClosingLineStartsTheFileAgain) {
    play(lines({kHeader8, kHeader2, record("09:05:01", replyBytes(3, 10)), "Closed at: 09:05:02",
                record("09:05:03", replyBytes(3, 20))}));
    ASSERT_TRUE(ReadPlaybackRecord());
    ASSERT_TRUE(ReadPlaybackRecord());
    EXPECT_EQ(s.TimeText, "09:05:01");
}

TEST_F(PlaybackTest, AFileWithoutRecordsIsReportedAndPlaybackIsLeft) {
    for (const std::string& text :
         {std::string(), lines({kHeader8, kHeader2}), lines({"Dear diary,", "nothing to see", "here"})}) {
        s.ProgramEnding = false; // the start over of the previous file ended the program
        play(text);
        expectStartOver();
        dialogs.answerMessage(AnswerOk);
        EXPECT_FALSE(ReadPlaybackRecord());
        EXPECT_FALSE(s.PlaybackMode);
        EXPECT_FALSE(s.PlaybackChecked);
        EXPECT_TRUE(s.RecordMenuEnabled);
        const ShownDialog& message = dialogs.shown()[dialogs.shown().size() - 2];
        EXPECT_EQ(message.title, "Playback Screen Data From File");
        EXPECT_NE(message.text.find("holds no screen data"), std::string::npos) << message.text;
        EXPECT_EQ(dialogs.shown().back().title, "Communications Error"); // the start over
    }
}

TEST_F(PlaybackTest, AFileThatCannotBeOpenedIsReportedByTheFirstTick) {
    dialogs.answerMessage(AnswerNo).answerFile("C:\\TEMPIFB\\I0000000.00I");
    EnterPlaybackMode();
    EXPECT_TRUE(s.PlaybackMode);
    expectStartOver();
    dialogs.answerMessage(AnswerOk);
    EXPECT_FALSE(ReadPlaybackRecord());
    EXPECT_FALSE(s.PlaybackMode);
    const ShownDialog& message = dialogs.shown()[dialogs.shown().size() - 2];
    EXPECT_EQ(message.text, "The file C:\\TEMPIFB\\I0000000.00I cannot be opened.");
}

TEST_F(PlaybackTest, CancellingTheFileDialogStartsOverInLiveMode) {
    dialogs.answerMessage(AnswerNo).answerFile("");
    expectStartOver();
    EnterPlaybackMode();
    EXPECT_FALSE(s.PlaybackMode);
    EXPECT_FALSE(s.PlaybackChecked);
    EXPECT_TRUE(s.NmeaMenuEnabled);
    EXPECT_EQ(ui.playbackControls, (std::vector<bool>{true, false}));
    EXPECT_EQ(dialogs.shown().back().title, "Communications Error");
}

TEST_F(PlaybackTest, TheMenuCommandEntersAndLeavesPlayback) {
    writeFile(dataPath("I6120609.05I"), lines({kHeader8, kHeader2, record("09:05:01", replyBytes(3, 10))}));
    dialogs.answerMessage(AnswerNo).answerFile(dataPath("I6120609.05I"));
    mnuOptionsPlaybackScreenData_Click();
    ASSERT_TRUE(s.PlaybackMode);
    ASSERT_TRUE(ReadPlaybackRecord());

    expectStartOver();
    mnuOptionsPlaybackScreenData_Click();
    EXPECT_FALSE(s.PlaybackMode);
    EXPECT_FALSE(s.PlaybackChecked);
    EXPECT_TRUE(s.RecordMenuEnabled);
    EXPECT_TRUE(s.NmeaMenuEnabled);
    EXPECT_EQ(ui.playbackControls, (std::vector<bool>{true, false}));
}

TEST_F(PlaybackTest, EnteringPlaybackWhileRecordingEndsTheRecordingFirst) {
    FakeClock clock;
    mnuOptionsSaveScreenDataNow_Click();
    const std::vector<std::uint8_t> reply = replyBytes(3, 10);
    std::copy(reply.begin(), reply.end(), s.RxBuffer.begin() + 1);
    s.PacketLength = static_cast<int>(reply.size());
    RecordReply();
    const std::string recorded = RecordingFilePath();

    dialogs.answerMessage(AnswerNo).answerFile(recorded);
    EnterPlaybackMode();
    EXPECT_TRUE(readFile(recorded).ends_with("\r\nClosed at: 09:05:01\r\n"));
    EXPECT_FALSE(s.RecordPings);
    EXPECT_FALSE(s.LogFileOpen);
    EXPECT_FALSE(s.RecordNowChecked);
    EXPECT_TRUE(s.PlaybackMode);
    EXPECT_FALSE(s.RecordMenuEnabled);
    ASSERT_TRUE(ReadPlaybackRecord());
    EXPECT_EQ(s.PacketLength, static_cast<int>(reply.size()));
}

// A session started on a recording without a settings file never chose its ports: what it saves
// keeps its settings, and the next normal start asks for the ports instead of opening "COM17".
TEST_F(PlaybackTest, ASavedPlaybackStartLeavesThePortsToTheNextStart) {
    writeFile(dataPath("i6120609.05i"), lines({kHeader8, kHeader2, record("09:05:01", replyBytes(30, 40))}));
    StartWithPlayback(dataPath("i6120609.05i"));
    ASSERT_TRUE(s.PlaybackMode);
    optSoundOnOff_Click(0);
    dialogs.answerMessage(AnswerYes);
    ExitProgram();
    ASSERT_TRUE(QFileInfo::exists(QString::fromStdString(mapPath(kDefaultSettingsFile))));

    ResetState();
    ResetTimers();
    // None for the box, 4 and 5 for GPS and NMEA; the box port's error is then cancelled, which
    // ends the program.
    const std::size_t before = dialogs.shown().size();
    dialogs.answerPort(0).answerPort(4).answerPort(5).answerInput("");
    RunStartupSequence();
    ASSERT_EQ(dialogs.shown().size(), before + 4);
    for (std::size_t i = before; i < before + 3; ++i) EXPECT_EQ(dialogs.shown()[i].kind, "port");
    EXPECT_TRUE(dialogs.shown()[before + 3].text.starts_with("Error encountered while trying to open COM0."));
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
