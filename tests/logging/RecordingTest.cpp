// Recording from the menu: the file's lines in order, its name, rotation, and what happens when
// the file cannot be written.
#include "LoggingFiles.h"
#include "LoggingUi.h"

#include "core/Timers.h"
#include "logging/Recording.h"
#include "logging/RecordingMenu.h"
#include "support/FakeClock.h"
#include "support/Fixture.h"
#include "support/ScriptedDialogs.h"

#include <csignal>
#include <sys/resource.h>

namespace vz::test {
namespace {

class RecordingTest : public Fixture {
protected:
    void SetUp() override {
        Fixture::SetUp();
        clock.set({2026, 12, 6, 9, 5, 1});
        s.IfbFirmwareVersion = 10;
    }
    void TearDown() override {
        CloseRecordingFile(false);
        EXPECT_EQ(dialogs.unusedAnswers(), 0u);
        Fixture::TearDown();
    }
    // A reply of the bytes given, as the receive path leaves it.
    void reply(std::initializer_list<std::uint8_t> bytes) {
        int i = 1;
        for (std::uint8_t b : bytes) s.RxBuffer[static_cast<std::size_t>(i++)] = b;
        s.PacketLength = static_cast<int>(bytes.size());
    }

    FakeClock clock;
    ScriptedDialogs dialogs;
    LoggingUi ui;
};

const std::string kHeader1 = "3.16  10  ***************************************\r\n";

TEST_F(RecordingTest, ManualRecordingWritesEveryLineAndClosesAfterTheNextRecord) {
    mnuOptionsSaveScreenDataNow_Click();
    EXPECT_TRUE(s.LogFileOpen);
    EXPECT_TRUE(s.RecordPings);
    EXPECT_EQ(s.ScreenDataFile, "I6120609.05I");
    EXPECT_TRUE(s.RecordNowChecked);
    EXPECT_FALSE(s.RecordAutoEnabled);
    EXPECT_FALSE(s.PlaybackEnabled);
    EXPECT_FALSE(timers().tmrAutoLogFile.enabled());
    EXPECT_GE(ui.menuRefreshes, 1);
    // Every new file asks for the Full settings at its first ping.
    EXPECT_TRUE(s.LogFullBlockRequest);

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
    s.FullChannelBlock = {1, 1, 1, 50, 20, 236, 3, 0, 2, 165, 1, 10, 0, 1, 0, 120};
    WriteChannelLine(Channel::Full);
    reply({0, 255, 17});
    RecordReply();
    WriteTemperatureAndGpsLines(); // no GPS line without a request

    mnuOptionsSaveScreenDataNow_Click();
    EXPECT_FALSE(s.LogFileOpen);
    EXPECT_TRUE(s.CloseLogRequest);
    EXPECT_TRUE(s.RecordPings); // until the next record
    EXPECT_FALSE(s.RecordNowChecked);
    EXPECT_TRUE(s.RecordAutoEnabled);
    EXPECT_TRUE(s.PlaybackEnabled);

    clock.set({2026, 12, 6, 9, 6, 30});
    reply({6, 7});
    RecordReply();
    EXPECT_FALSE(s.RecordPings);
    EXPECT_FALSE(s.CloseLogRequest);
    EXPECT_EQ(RecordingFilePath(), "");

    EXPECT_EQ(readFile(dataPath("I6120609.05I")),
              kHeader1 +
                  " Opened at: I6120609.05I12-06-2026        09:05:01\r\n"
                  "T: 68.25   Depth= 12.5 Ft\r\n"
                  "GPS: Lat: 49  16.4500 N  Lon: 123  11.1200 W   2.37\r\n"
                  " \r\n"
                  "F:  1  1  1  50  20  236  3  0  2  165  1  10  0  1  0  120 \r\n"
                  "09:05:01  0 255 17 \r\n"
                  "T: 68.25   Depth= 12.5 Ft\r\n"
                  "09:06:30  6 7 \r\n"
                  "Closed at: 09:06:30\r\n");
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(RecordingTest, TwoRecordingsInOneMinuteGetTheirOwnNames) {
    mnuOptionsSaveScreenDataNow_Click();
    reply({1, 2, 3});
    RecordReply();
    mnuOptionsSaveScreenDataNow_Click();
    RecordReply();
    const std::string first = readFile(dataPath("I6120609.05I"));

    mnuOptionsSaveScreenDataAutomatically_Click();
    EXPECT_EQ(s.ScreenDataFile, "I6120609B.05I");
    RecordReply();
    EXPECT_EQ(readFile(dataPath("I6120609.05I")), first);
    EXPECT_EQ(readFile(dataPath("I6120609B.05I")),
              kHeader1 + " Opened at: I6120609B.05I12-06-2026       09:05:01\r\n09:05:01  1 2 3 \r\n");
    EXPECT_EQ(recordings(), (std::vector<std::string>{"I6120609.05I", "I6120609B.05I"}));
}

TEST_F(RecordingTest, StartingAgainBeforeTheLastRecordCameFinishesTheStoppedFile) {
    mnuOptionsSaveScreenDataNow_Click();
    mnuOptionsSaveScreenDataNow_Click(); // no reply arrives: the file waits for its closing line
    EXPECT_TRUE(s.CloseLogRequest);
    clock.set({2026, 12, 6, 9, 7, 0});
    mnuOptionsSaveScreenDataNow_Click();
    EXPECT_FALSE(s.CloseLogRequest);
    EXPECT_TRUE(s.RecordPings);
    EXPECT_EQ(s.ScreenDataFile, "I6120609.07I");
    const std::string stopped = readFile(dataPath("I6120609.05I"));
    EXPECT_TRUE(stopped.ends_with("\r\nClosed at: 09:07:00\r\n")) << stopped;
}

TEST_F(RecordingTest, AutomaticRecordingStartsANewFileEveryAutoSaveMinutes) {
    s.AutoSaveMinutes = 2;
    mnuOptionsSaveScreenDataAutomatically_Click();
    EXPECT_TRUE(s.RecordAutoChecked);
    EXPECT_FALSE(s.RecordNowEnabled);
    EXPECT_FALSE(s.PlaybackEnabled);
    ASSERT_TRUE(timers().tmrAutoLogFile.enabled());
    EXPECT_EQ(timers().tmrAutoLogFile.interval(), 60000);
    reply({9, 9});
    RecordReply();
    s.LogFullBlockRequest = false; // the first ping took it

    clock.set({2026, 12, 6, 9, 6, 1});
    timers().tmrAutoLogFile.fire();
    EXPECT_EQ(s.ScreenDataFile, "I6120609.05I");
    clock.set({2026, 12, 6, 9, 7, 1});
    timers().tmrAutoLogFile.fire();
    EXPECT_EQ(s.ScreenDataFile, "I6120609.07I");
    EXPECT_TRUE(s.LogFullBlockRequest);
    EXPECT_TRUE(s.RecordPings);
    EXPECT_TRUE(s.RecordAutoChecked);
    // The rotated file ends with its last record, without a closing line.
    const std::string rotated = readFile(dataPath("I6120609.05I"));
    EXPECT_TRUE(rotated.ends_with("\r\n09:05:01  9 9 \r\n")) << rotated;

    s.AutoSaveMinutes = 1;
    for (int minute = 8; minute <= 10; ++minute) {
        clock.set({2026, 12, 6, 9, minute, 1});
        timers().tmrAutoLogFile.fire();
        RecordReply();
    }
    EXPECT_EQ(recordings(), (std::vector<std::string>{"I6120609.05I", "I6120609.07I", "I6120609.08I",
                                                      "I6120609.09I", "I6120609.10I"}));

    mnuOptionsSaveScreenDataAutomatically_Click();
    EXPECT_FALSE(timers().tmrAutoLogFile.enabled());
    EXPECT_TRUE(s.RecordNowEnabled);
    RecordReply();
    const std::string last = readFile(dataPath("I6120609.10I"));
    EXPECT_TRUE(last.ends_with("\r\nClosed at: 09:10:01\r\n")) << last;
    EXPECT_EQ(readFile(dataPath("I6120609.09I")).find("Closed"), std::string::npos);
}

TEST_F(RecordingTest, AFileThatCannotBeCreatedIsReportedAndNothingShowsAsRecording) {
    // The data folder is taken by a plain file: neither the folder nor the file can be made.
    QDir(QString::fromStdString(dataFolder())).removeRecursively();
    writeFile(dataFolder(), "in the way");
    dialogs.answerMessage(AnswerOk);
    mnuOptionsSaveScreenDataAutomatically_Click();
    QFile::remove(QString::fromStdString(dataFolder()));
    QDir().mkpath(QString::fromStdString(dataFolder()));

    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].title, "Record Screen Data to Logfile");
    EXPECT_NE(dialogs.shown()[0].text.find("Recording has stopped."), std::string::npos);
    EXPECT_EQ(dialogs.beeps(), 1);
    EXPECT_FALSE(s.LogFileOpen);
    EXPECT_FALSE(s.RecordPings);
    EXPECT_FALSE(s.RecordAutoChecked);
    EXPECT_TRUE(s.RecordNowEnabled);
    EXPECT_TRUE(s.PlaybackEnabled);
    EXPECT_FALSE(timers().tmrAutoLogFile.enabled());
}

TEST_F(RecordingTest, AFailedWriteIsReportedAndTheLinesBeforeItStay) {
    mnuOptionsSaveScreenDataNow_Click();
    reply({1, 2, 3});
    RecordReply();
    const std::string before = readFile(dataPath("I6120609.05I"));

    // The disk takes only a few more bytes.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = before.size() + 10;
    setrlimit(RLIMIT_FSIZE, &small);
    dialogs.answerMessage(AnswerOk);
    std::vector<std::uint8_t> bytes(500, 200);
    std::copy(bytes.begin(), bytes.end(), s.RxBuffer.begin() + 1);
    s.PacketLength = 500;
    RecordReply();
    setrlimit(RLIMIT_FSIZE, &old);

    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_NE(dialogs.shown()[0].text.find(dataPath("I6120609.05I")), std::string::npos) << dialogs.shown()[0].text;
    EXPECT_FALSE(s.RecordPings);
    EXPECT_FALSE(s.LogFileOpen);
    EXPECT_FALSE(s.RecordNowChecked);
    EXPECT_EQ(readFile(dataPath("I6120609.05I")).substr(0, before.size()), before);
    RecordReply(); // nothing more is tried
    EXPECT_EQ(dialogs.shown().size(), 1u);
}

TEST_F(RecordingTest, AutoSaveMinutesAreAskedForRoundedAndKeptWithin1To120) {
    const struct {
        const char* answer;
        int minutes;
    } cases[] = {{"", 10}, {"30", 30}, {"7.5", 8}, {"0", 1}, {"500", 120}, {"12 minutes", 12}, {"abc", 1}};
    for (const auto& c : cases) dialogs.answerInput(c.answer);
    for (const auto& c : cases) {
        mnuOptionsSetAutoSaveMinutes_Click();
        EXPECT_EQ(s.AutoSaveMinutes, c.minutes) << c.answer;
    }
    EXPECT_EQ(dialogs.shown()[0].title, "View/Set AutoSave Minutes");
    EXPECT_EQ(dialogs.shown()[0].text,
              "Time between AutoSave Logfiles currently =  10 Minutes\r\n\r\n"
              "Enter number of minutes between saves to Logfile (1-120)");
    EXPECT_EQ(dialogs.shown()[0].defaultAnswer, "10");
    EXPECT_EQ(dialogs.shown()[2].text.substr(0, 50), "Time between AutoSave Logfiles currently =  30 Min");
    EXPECT_EQ(s.SettingsChanged, 1);
}

} // namespace
} // namespace vz::test
