#include "core/FileMenu.h"

#include "SettingsFileTestSupport.h"
#include "core/Defaults.h"
#include "core/Shutdown.h"
#include "core/Timers.h"
#include "core/Ui.h"
#include "support/Fixture.h"

#include <QDir>
#include <QFileInfo>

#include <tuple>

namespace vz::test {
namespace {

// Records when the windows were closed and the program told to end, counted in dialogs shown.
class ExitUi : public Ui {
  public:
    ExitUi() { setUi(this); }
    ~ExitUi() override { setUi(nullptr); }
    void closeAllWindows() override {
        const auto& scripted = dynamic_cast<const ScriptedDialogs&>(dialogs());
        dialogsWhenClosed = static_cast<int>(scripted.shown().size());
    }
    void quit() override { ++quits; }
    int dialogsWhenClosed = -1;
    int quits = 0;
};

class FileMenu : public Fixture {
  protected:
    void SetUp() override {
        Fixture::SetUp();
        LoadDefaultsIntoRam();
        s.IfbPort = 3;
        s.GpsPort = 5;
        s.NmeaPort = 0;
    }
    // The factory file with the given ChartSpeed line, as the ports 3, 5 and None write it.
    static std::string FactoryAt(const char* chartSpeed) {
        return lines(FactoryWith({{9, chartSpeed}}));
    }
    void ExpectOnlyPingRequestsRunning() {
        EXPECT_EQ(std::pair(timers().tmrMainTimer1.enabled(), timers().tmrMainTimer2.enabled()),
                  std::pair(true, false));
    }
    void RunPingCycle() {
        timers().tmrMainTimer1.setEnabled(true);
        timers().tmrMainTimer2.setEnabled(true);
    }
};

// Every line away from its factory value: read, then written again into a folder the user
// removed. File > New then keeps only what is no factory setting, and offers to save first.
TEST_F(FileMenu, EveryValueReadIsWrittenBackAndNewLoadsTheFactorySettings) {
    WriteSettingsBytes(lines(kChangedLines));
    ScriptedDialogs d;
    d.answerMessage(AnswerNo).answerMessage(AnswerYes);
    ReadSettingsFile();
    EXPECT_TRUE(d.shown().empty());
    // Some fields by name: the lines fill the fields they belong to.
    EXPECT_EQ(std::tuple(s.IfbPort, s.NmeaPort, s.XmitTempLimit), std::tuple(16, 7, 255));
    EXPECT_EQ(s.BackgroundColor, (Rgb{1, 2, 3}));
    EXPECT_EQ(s.Full, (ChannelSettings{1, 0, 3, 9, 11, 7, 32767, -32768, 60, 15, 2, 3}));
    EXPECT_EQ(std::tuple(s.Left.DepthOffset, s.Right.Param13), std::tuple(13, 6));
    EXPECT_EQ(s.UserColors[1], Rgb::fromLong(1001));
    ASSERT_TRUE(QDir(QString::fromStdString(dataFolder())).removeRecursively());
    s.SettingsChanged = 1;
    ASSERT_TRUE(WriteSettingsFile());
    EXPECT_EQ(s.SettingsChanged, 0);
    EXPECT_EQ(ReadSettingsBytes(), lines(kChangedLines));

    s.WaterTemperature = 60.0f;
    RunPingCycle();
    mnuFileNew_Click();
    EXPECT_EQ(std::tuple(d.shown().size(), d.beeps(), s.SettingsChanged), std::tuple(1u, 1, 1));
    EXPECT_EQ(ReadSettingsBytes(), lines(kChangedLines)); // not saved
    EXPECT_EQ(s.WaterTemperature, 99.9f);
    ExpectOnlyPingRequestsRunning();
    // Ports, a calibrated sound speed and temperature, the user's own colours, keel offset,
    // alarms, damping and the transmitter limit are no factory settings.
    std::vector<std::string> expected = kFactoryLines;
    for (std::size_t line : {2, 3, 4, 22, 60, 61, 63, 64, 65, 66, 67, 68, 69, 70, 71, 72, 73, 74,
                             75, 76, 77, 82})
        expected[line] = kChangedLines[line];
    ASSERT_TRUE(WriteSettingsFile());
    EXPECT_EQ(ReadSettingsBytes(), lines(expected));

    s.ChartSpeed = 2;
    mnuFileNew_Click();
    expected[9] = " 2 ";
    EXPECT_EQ(ReadSettingsBytes(), lines(expected)); // saved before the factory values came
    EXPECT_EQ(s.ChartSpeed, 8);
}

// A recording chosen by mistake must not be read as a settings file and then overwritten with
// factory values; nor a settings file cut short.
TEST_F(FileMenu, OpenCancelledOrOfNoSettingsFileChangesNothing) {
    const std::string recording = dataPath("I5070414.35I");
    const std::string text = "3.16  8  ***************************************\r\n"
                             " Opened at: I5070414.35I07-04-2005  14:35:10\r\n"
                             "09:05:01  0 255 17 \r\n";
    writeFile(recording, text);
    const std::string cut = dataPath("cut.dat");
    writeFile(cut, lines(kFactoryLines, 40));
    s.ChartSpeed = 3;
    for (const std::string& chosen : {std::string(), recording, cut}) {
        SCOPED_TRACE(chosen);
        RunPingCycle();
        ScriptedDialogs d;
        d.answerFile(chosen).answerMessage(AnswerOk);
        mnuFileOpen_Click();
        ASSERT_EQ(d.shown().size(), chosen.empty() ? 1u : 2u); // no port prompts
        EXPECT_EQ(d.shown()[0].kind, "open");
        EXPECT_NE(d.shown().back().text.find(chosen), std::string::npos);
        EXPECT_EQ(std::tuple(s.ChartSpeed, s.SettingsChanged, s.SettingsFilePath),
                  std::tuple(3, 0, kDefaultSettingsFile));
        ExpectOnlyPingRequestsRunning();
    }
    EXPECT_EQ(readFile(recording), text);
    EXPECT_EQ(readFile(cut), lines(kFactoryLines, 40));
    EXPECT_EQ(QDir(QString::fromStdString(dataFolder())).entryList(QDir::Files).size(), 2);
}

// Save As writes the chosen file and reads from it later; Save and Exit write the default one.
TEST_F(FileMenu, SaveAsOpenSaveAndExitEachWriteTheirFile) {
    const std::string other = dataPath("lake.dat"), standard = dataPath("VOSKVALS.DAT");
    RunPingCycle();
    ScriptedDialogs d;
    d.answerFile("").answerFile(other);
    mnuFileSaveAs_Click(); // cancelled
    EXPECT_FALSE(exists(other));
    ExpectOnlyPingRequestsRunning();
    s.ChartSpeed = 4;
    s.SettingsChanged = 1;
    mnuFileSaveAs_Click();
    EXPECT_EQ(readFile(other), FactoryAt(" 4 "));
    EXPECT_EQ(std::tuple(s.SettingsFilePath, s.SettingsChanged), std::tuple(other, 0));
    EXPECT_FALSE(exists(standard));

    s.ChartSpeed = 7;
    RunPingCycle();
    mnuFileSave_Click();
    EXPECT_EQ(s.SettingsFilePath, kDefaultSettingsFile);
    EXPECT_EQ(readFile(standard), FactoryAt(" 7 "));
    ExpectOnlyPingRequestsRunning();

    s.PlaybackMode = true; // no box to connect to
    d.answerFile(other);
    mnuFileOpen_Click();
    EXPECT_EQ(std::tuple(s.ChartSpeed, s.SettingsFilePath, s.SettingsChanged),
              std::tuple(4, other, 1));
    EXPECT_EQ(s.WaterTemperature, 99.9f);
    ExpectOnlyPingRequestsRunning();

    s.ChartSpeed = 6;
    d.answerMessage(AnswerYes);
    ExitUi exitUi;
    ExitProgram();
    EXPECT_EQ(d.shown().size(), 4u); // two saves, an open, the question
    EXPECT_EQ(readFile(standard), FactoryAt(" 6 "));
    EXPECT_EQ(readFile(other), FactoryAt(" 4 "));
    EXPECT_EQ(std::tuple(s.ProgramEnding, exitUi.quits), std::tuple(true, 1));
}

// Exit asks only about unsaved changes, and only once; a save that fails is reported while the
// windows are still open.
TEST_F(FileMenu, ExitAsksOnlyAboutUnsavedChangesAndReportsAFailedSave) {
    const struct {
        int changed, answer;
        bool blocked; // a folder where the file should be: no one can replace it
        std::size_t dialogs;
    } cases[] = {{0, AnswerNo, false, 0}, {1, AnswerNo, false, 1}, {1, AnswerYes, true, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dialogs);
        ResetState();
        s.SettingsChanged = c.changed;
        ASSERT_TRUE(!c.blocked || QDir().mkpath(QString::fromStdString(SettingsPath())));
        RunPingCycle();
        ScriptedDialogs d;
        d.answerMessage(c.answer).answerMessage(AnswerOk);
        ExitUi exitUi;
        ExitProgram();
        ExitProgram(); // a second request while ending asks nothing more
        EXPECT_EQ(std::tuple(d.shown().size(), exitUi.dialogsWhenClosed, exitUi.quits, d.beeps()),
                  std::tuple(c.dialogs, static_cast<int>(c.dialogs), 1, c.changed));
        EXPECT_FALSE(timers().tmrMainTimer1.enabled());
        EXPECT_FALSE(QFileInfo(QString::fromStdString(SettingsPath())).isFile());
        EXPECT_TRUE(!c.blocked || d.shown().back().text.find("not saved") != std::string::npos);
    }
}

} // namespace
} // namespace vz::test
