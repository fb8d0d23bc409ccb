// Recording from the menu: the file's lines in order, its name, rotation, and what happens when
// the file cannot be written; and the line kinds against lines written out by hand.
#include "LoggingFiles.h"

#include "logging/PlaybackLines.h"

#include <csignal>
#include <sys/resource.h>

namespace vz::test {
namespace {

// What the recording's own test below does not write: other names, units and channels.
TEST(ScreenDataLinesTest, LinesAsWrittenByHand) {
    const std::uint8_t reply[] = {0};
    ChannelBlock block = kAnalogBlock;
    block[16] = 99; // beyond the used bytes: never written
    const std::pair<std::string, std::string> cases[] = {
        {ScreenDataFileName("07-04-2005", "14:35:10"), "I5070414.35I"},
        {ScreenDataFileName("12-31-2009", "23:59:59", 3), "I9123123C.59I"},
        {ScreenDataFileName("01-01-2010", "00:00:00", kLastFileSequence), "I0010100Z.00I"},
        {ChannelLine(Channel::Left, ChannelBlock{}), "L:  0  0  0  0  0  0  0  0  0  0  0  0  0  0  0  0 "},
        {ChannelLine(Channel::Right, block), "R:  1  1  1  50  20  236  3  0  2  165  1  10  0  1  0  120 "},
        {TemperatureDepthLine(5.5f, 123.456f, " Mtr"), "T: 5.50   Depth= 123.46 Mtr"},
        {TemperatureDepthLine(99.9f, 7.0f, " Fa"), "T: 99.90   Depth= 7. Fa"},
        {GpsLine("Not Valid", "Not Valid", 0.0f), "GPS: Not Valid  Not Valid   0"},
        {GpsLine("- - - - -", "- - - - -", 0.5f), "GPS: - - - - -  - - - - -   .5"},
        {DataRecordLine("23:00:00", reply, 0), "23:00:00  "},
        // The extra trailer bytes of playback follow the firmware named in the first header.
        {std::to_string(TrailerExtraBytesFromHeader("3.16  9  ***")), "3"},
        {std::to_string(TrailerExtraBytesFromHeader("3.16  08 ")), "0"},
        {std::to_string(TrailerExtraBytesFromHeader("*************")), "0"},
        {std::to_string(TrailerExtraBytesFromHeader("")), "3"},
    };
    for (const auto& [got, want] : cases) EXPECT_EQ(got, want);
}

class RecordingTest : public LoggingTest {
protected:
    void SetUp() override {
        LoggingTest::SetUp();
        s.IfbFirmwareVersion = 10;
    }
    void at(int minute, int second) { clock.set({2026, 12, 6, 9, minute, second}); }
    // Record Now, Record Automatically and Playback as the menu shows them: checked (x), usable
    // (+) or greyed (-).
    std::string menus() const {
        const auto item = [](bool checked, bool enabled) { return checked ? 'x' : enabled ? '+' : '-'; };
        return {item(s.RecordNowChecked, s.RecordNowEnabled), item(s.RecordAutoChecked, s.RecordAutoEnabled),
                item(false, s.PlaybackEnabled)};
    }

    FakeClock clock;
};

// Starting again before the stopped file's last record came finishes that file; the new one, in
// the same minute, gets a name of its own.
TEST_F(RecordingTest, ManualRecordingWritesEveryLineAndStartingAgainFinishesTheStoppedFile) {
    mnuOptionsSaveScreenDataNow_Click();
    EXPECT_TRUE(s.LogFileOpen && s.RecordPings && s.LogFullBlockRequest);
    EXPECT_EQ(menus(), "x--");
    EXPECT_GE(ui.menuRefreshes, 1);

    // One ping: what the ping cycle writes, then the acquisition tick's record.
    s.WaterTemperature = 68.0f;
    s.TempCalibration = 0.25f;
    s.DisplayDepth = 12.5f;
    s.LatCaption = "Lat: 49  16.4500 N";
    s.LongCaption = "Lon: 123  11.1200 W";
    s.GpsSpeed = 2.37f;
    s.LogGpsRequest = true;
    WriteTemperatureAndGpsLines();
    EXPECT_FALSE(s.LogGpsRequest);
    s.FullChannelBlock = kAnalogBlock;
    WriteChannelLine(Channel::Full);
    LoadReply(s, {0, 255, 17});
    RecordReply();
    WriteTemperatureAndGpsLines(); // no GPS line without a request

    mnuOptionsSaveScreenDataNow_Click();
    EXPECT_TRUE(!s.LogFileOpen && s.CloseLogRequest && s.RecordPings); // until the next record
    EXPECT_EQ(menus(), "+++");
    at(5, 30);
    mnuOptionsSaveScreenDataAutomatically_Click(); // before that record
    EXPECT_TRUE(!s.CloseLogRequest && s.RecordPings);
    EXPECT_EQ(s.ScreenDataFile, "I6120609B.05I");
    LoadReply(s, {6, 7});
    RecordReply();

    EXPECT_EQ(readFile(dataPath("I6120609.05I")),
              lines({kHeader10, kOpened, "T: 68.25   Depth= 12.5 Ft",
                     "GPS: Lat: 49  16.4500 N  Lon: 123  11.1200 W   2.37", " ",
                     "F:  1  1  1  50  20  236  3  0  2  165  1  10  0  1  0  120 ",
                     "09:05:01  0 255 17 ", "T: 68.25   Depth= 12.5 Ft", "Closed at: 09:05:30"}));
    EXPECT_EQ(readFile(dataPath("I6120609B.05I")),
              lines({kHeader10, " Opened at: I6120609B.05I12-06-2026       09:05:30",
                     "09:05:30  6 7 "}));
    EXPECT_EQ(recordings(), (std::vector<std::string>{"I6120609.05I", "I6120609B.05I"}));
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(RecordingTest, AutomaticRecordingStartsANewFileEveryAutoSaveMinutes) {
    s.AutoSaveMinutes = 2;
    mnuOptionsSaveScreenDataAutomatically_Click();
    EXPECT_EQ(menus(), "-x-");
    ASSERT_TRUE(timers().tmrAutoLogFile.enabled());
    EXPECT_EQ(timers().tmrAutoLogFile.interval(), 60000);
    LoadReply(s, {9, 9});
    RecordReply();
    s.LogFullBlockRequest = false; // the first ping took it

    at(6, 1);
    timers().tmrAutoLogFile.fire();
    EXPECT_EQ(s.ScreenDataFile, "I6120609.05I");
    at(7, 1);
    timers().tmrAutoLogFile.fire();
    EXPECT_EQ(s.ScreenDataFile, "I6120609.07I");
    EXPECT_TRUE(s.LogFullBlockRequest && s.RecordPings);
    // The rotated file ends with its last record, without a closing line.
    EXPECT_TRUE(readFile(dataPath("I6120609.05I")).ends_with("\r\n09:05:01  9 9 \r\n"));

    mnuOptionsSaveScreenDataAutomatically_Click();
    EXPECT_FALSE(timers().tmrAutoLogFile.enabled());
    EXPECT_EQ(menus(), "+++");
    RecordReply();
    EXPECT_TRUE(readFile(dataPath("I6120609.07I")).ends_with("\r\nClosed at: 09:07:01\r\n"));
    EXPECT_FALSE(s.RecordPings || s.CloseLogRequest);
    EXPECT_EQ(recordings(), (std::vector<std::string>{"I6120609.05I", "I6120609.07I"}));
}

// A file that cannot be made, or a write that fails: reported once, recording stopped and shown
// as stopped, and the lines written before kept.
TEST_F(RecordingTest, AFileThatCannotBeWrittenIsReportedAndRecordingStops) {
    // The data folder is taken by a plain file: neither the folder nor the file can be made.
    QDir(QString::fromStdString(dataFolder())).removeRecursively();
    writeFile(dataFolder(), "in the way");
    dialogs.answerMessage(AnswerOk).answerMessage(AnswerOk);
    mnuOptionsSaveScreenDataAutomatically_Click();
    QFile::remove(QString::fromStdString(dataFolder()));
    QDir().mkpath(QString::fromStdString(dataFolder()));
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_NE(dialogs.shown()[0].text.find("Recording has stopped."), std::string::npos);
    EXPECT_FALSE(s.LogFileOpen || s.RecordPings || timers().tmrAutoLogFile.enabled());
    EXPECT_EQ(menus(), "+++");

    mnuOptionsSaveScreenDataNow_Click();
    LoadReply(s, {1, 2, 3});
    RecordReply();
    const std::string before = readFile(dataPath("I6120609.05I"));
    // The disk takes only a few more bytes.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = before.size() + 10;
    setrlimit(RLIMIT_FSIZE, &small);
    LoadReply(s, Bytes(500, 200));
    RecordReply();
    setrlimit(RLIMIT_FSIZE, &old);
    ASSERT_EQ(dialogs.shown().size(), 2u);
    EXPECT_NE(dialogs.shown()[1].text.find(dataPath("I6120609.05I")), std::string::npos) << dialogs.shown()[1].text;
    EXPECT_FALSE(s.RecordPings || s.LogFileOpen || s.RecordNowChecked);
    EXPECT_EQ(readFile(dataPath("I6120609.05I")).substr(0, before.size()), before);
    RecordReply(); // nothing more is tried
    EXPECT_EQ(dialogs.beeps(), 2);
}

TEST_F(RecordingTest, AutoSaveMinutesAreAskedForRoundedAndKeptWithin1To120) {
    const std::pair<const char*, int> cases[] = {{"", 10},      {"30", 30},          {"7.5", 8},  {"0", 1},
                                                 {"500", 120}, {"12 minutes", 12}, {"abc", 1}};
    for (const auto& [answer, minutes] : cases) {
        dialogs.answerInput(answer);
        mnuOptionsSetAutoSaveMinutes_Click();
        EXPECT_EQ(s.AutoSaveMinutes, minutes) << answer;
    }
    EXPECT_TRUE(dialogs.shown()[2].text.starts_with("Time between AutoSave Logfiles currently =  30 Minutes"));
    EXPECT_EQ(dialogs.shown()[2].defaultAnswer, "30");
    EXPECT_EQ(s.SettingsChanged, 1);
}

} // namespace
} // namespace vz::test
