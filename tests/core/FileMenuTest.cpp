#include "core/FileMenu.h"

#include "SettingsFileTestSupport.h"
#include "core/Defaults.h"
#include "core/SettingsFile.h"
#include "core/Shutdown.h"
#include "core/Timers.h"
#include "core/Ui.h"
#include "support/Fixture.h"
#include "support/ScriptedDialogs.h"

#include <QDir>
#include <QFile>

namespace vz::test {
namespace {

// Records when the windows were closed and the program told to end, counted in dialogs shown.
class ExitUi : public Ui {
public:
    explicit ExitUi(const ScriptedDialogs& d) : dialogs_(d) { setUi(this); }
    ~ExitUi() override { setUi(nullptr); }
    void closeAllWindows() override { dialogsWhenClosed = static_cast<int>(dialogs_.shown().size()); }
    void quit() override { ++quits; }
    int dialogsWhenClosed = -1;
    int quits = 0;

private:
    const ScriptedDialogs& dialogs_;
};

class FileMenu : public Fixture {
protected:
    void SetUp() override {
        Fixture::SetUp();
        LoadFactorySettingsWithPorts();
    }
    void LoadFactorySettingsWithPorts() {
        LoadDefaultsIntoRam();
        s.IfbPort = 3;
        s.GpsPort = 5;
        s.NmeaPort = 0;
    }
    static std::string FilePath(const char* name) { return dataFolder() + "/" + name; }
    static std::string Bytes(const std::string& path) {
        QFile file(QString::fromStdString(path));
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
    }
    static void WriteBytes(const std::string& path, const std::string& bytes) {
        QFile file(QString::fromStdString(path));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
    // Line `number` of a settings file, without its CR LF.
    static std::string Line(const std::string& bytes, std::size_t number) {
        const auto lines = SplitLines(bytes);
        if (number > lines.size()) return "<no line>";
        std::string line = lines[number - 1];
        if (!line.empty() && line.back() == '\r') line.pop_back();
        return line;
    }
    void ExpectOnlyPingRequestsRunning() {
        EXPECT_TRUE(timers().tmrMainTimer1.enabled());
        EXPECT_FALSE(timers().tmrMainTimer2.enabled());
    }
    void RunPingCycle() {
        timers().tmrMainTimer1.setEnabled(true);
        timers().tmrMainTimer2.setEnabled(true);
    }
};

TEST_F(FileMenu, NewLoadsTheFactorySettingsAndOffersToSaveFirst) {
    s.ChartSpeed = 3;
    s.ShallowAlarmValue = 12.0f;
    s.KeelOffset = 2.5f;
    s.DepthDamping = 9;
    s.XmitTempLimit = 100;
    s.WaterTemperature = 60.0f;
    RunPingCycle();
    {
        ScriptedDialogs d;
        d.answerMessage(AnswerNo);
        mnuFileNew_Click();
        ASSERT_EQ(d.shown().size(), 1u);
        EXPECT_EQ(d.shown()[0].title, "New setup");
        EXPECT_EQ(d.shown()[0].text, "New default setup.  Save existing setup data first?");
        EXPECT_EQ(d.beeps(), 1);
    }
    EXPECT_EQ(s.MsgResponse, AnswerNo);
    EXPECT_EQ(s.ChartSpeed, 8);
    EXPECT_EQ(s.ShallowAlarmValue, 12.0f);
    EXPECT_EQ(s.KeelOffset, 2.5f);
    EXPECT_EQ(s.DepthDamping, 9);
    EXPECT_EQ(s.XmitTempLimit, 100);
    EXPECT_EQ(s.IfbPort, 3);
    EXPECT_EQ(s.GpsPort, 5);
    EXPECT_EQ(s.SettingsChanged, 1);
    EXPECT_EQ(s.WaterTemperature, 99.9f);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(SettingsPath())));
    ExpectOnlyPingRequestsRunning();

    s.ChartSpeed = 2;
    ScriptedDialogs d;
    d.answerMessage(AnswerYes);
    mnuFileNew_Click();
    EXPECT_EQ(Line(ReadSettingsBytes(), 10), " 2 "); // saved before the factory values came
    EXPECT_EQ(s.ChartSpeed, 8);
    EXPECT_EQ(s.SettingsChanged, 1);
}

TEST_F(FileMenu, OpenCancelledChangesNothing) {
    s.ChartSpeed = 3;
    RunPingCycle();
    ScriptedDialogs d;
    d.answerFile("");
    mnuFileOpen_Click();
    ASSERT_EQ(d.shown().size(), 1u);
    EXPECT_EQ(d.shown()[0].kind, "open");
    EXPECT_EQ(d.shown()[0].title, "Read Settings from File:");
    EXPECT_EQ(d.shown()[0].text, "Files (*.*)| *.*");
    EXPECT_EQ(s.ChartSpeed, 3);
    EXPECT_EQ(s.SettingsChanged, 0);
    EXPECT_EQ(s.SettingsFilePath, "C:\\TempIFB\\VOSKVALS.DAT");
    ExpectOnlyPingRequestsRunning();
}

TEST_F(FileMenu, OpenReadsAChosenSettingsFileAndConnectsWithIt) {
    const std::string other = FilePath("boat.dat");
    s.SettingsFilePath = other;
    s.ChartSpeed = 5;
    s.DepthDamping = 7;
    ASSERT_TRUE(WriteSettingsFile());
    const std::string written = Bytes(other);

    ResetState();
    LoadFactorySettingsWithPorts();
    s.PlaybackMode = true; // no box to connect to
    ScriptedDialogs d;
    d.answerFile(other);
    mnuFileOpen_Click();
    EXPECT_EQ(d.shown().size(), 1u);
    EXPECT_EQ(s.ChartSpeed, 5);
    EXPECT_EQ(s.DepthDamping, 7);
    EXPECT_EQ(s.SettingsFilePath, other);
    EXPECT_EQ(s.SettingsChanged, 1);
    EXPECT_EQ(s.WaterTemperature, 99.9f);
    EXPECT_EQ(Bytes(other), written);
    ExpectOnlyPingRequestsRunning();
}

TEST_F(FileMenu, OpenRefusesAFileThatIsNoSettingsFileAndLeavesItAlone) {
    const std::string recording = FilePath("I5070414.35I");
    const std::string text = "3.16  8  ***************************************\r\n"
                             " Opened at: I5070414.35I07-04-2005  14:35:10\r\n"
                             "09:05:01  0 255 17 \r\n";
    WriteBytes(recording, text);
    // A settings file cut short is refused as well.
    const std::string cut = FilePath("cut.dat");
    WriteBytes(cut, JoinCrLf(FactoryLines(), 40));

    s.ChartSpeed = 3;
    for (const std::string& chosen : {recording, cut}) {
        RunPingCycle();
        ScriptedDialogs d;
        d.answerFile(chosen).answerMessage(AnswerOk);
        mnuFileOpen_Click();
        ASSERT_EQ(d.shown().size(), 2u) << chosen; // no port prompts
        EXPECT_EQ(d.shown()[1].kind, "message");
        EXPECT_NE(d.shown()[1].text.find(chosen + " is not a settings file."), std::string::npos);
        EXPECT_EQ(s.ChartSpeed, 3);
        EXPECT_EQ(s.IfbPort, 3);
        EXPECT_EQ(s.SettingsChanged, 0);
        EXPECT_EQ(s.SettingsFilePath, "C:\\TempIFB\\VOSKVALS.DAT");
        ExpectOnlyPingRequestsRunning();
    }
    EXPECT_EQ(Bytes(recording), text);
    EXPECT_EQ(Bytes(cut), JoinCrLf(FactoryLines(), 40));
    EXPECT_EQ(QDir(QString::fromStdString(dataFolder())).entryList(QDir::Files).size(), 2);
}

TEST_F(FileMenu, SaveAsWritesTheChosenFileButExitSavesToTheDefaultOne) {
    const std::string other = FilePath("lake.dat");
    RunPingCycle();
    {
        ScriptedDialogs d;
        d.answerFile("");
        mnuFileSaveAs_Click();
        EXPECT_EQ(d.shown()[0].kind, "save");
        EXPECT_EQ(d.shown()[0].title, "Save Settings to File: ");
        EXPECT_FALSE(QFile::exists(QString::fromStdString(other)));
        ExpectOnlyPingRequestsRunning();
    }
    s.ChartSpeed = 4;
    s.SettingsChanged = 1;
    {
        ScriptedDialogs d;
        d.answerFile(other);
        mnuFileSaveAs_Click();
    }
    EXPECT_EQ(Line(Bytes(other), 10), " 4 ");
    EXPECT_EQ(s.SettingsFilePath, other);
    EXPECT_EQ(s.SettingsChanged, 0);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(FilePath("VOSKVALS.DAT"))));

    s.ChartSpeed = 6;
    s.SettingsChanged = 1;
    ScriptedDialogs d;
    d.answerMessage(AnswerYes);
    ExitUi exitUi(d);
    ExitProgram();
    ASSERT_EQ(d.shown().size(), 1u);
    EXPECT_EQ(d.shown()[0].title, "Quit Program");
    EXPECT_EQ(d.shown()[0].text, "Save setup data to default setup file before exiting program?");
    EXPECT_EQ(Line(Bytes(FilePath("VOSKVALS.DAT")), 10), " 6 ");
    EXPECT_EQ(Line(Bytes(other), 10), " 4 ");
    EXPECT_TRUE(s.ProgramEnding);
    EXPECT_EQ(exitUi.quits, 1);
}

TEST_F(FileMenu, SaveWritesTheDefaultFileAgain) {
    s.SettingsFilePath = FilePath("lake.dat");
    s.ChartSpeed = 7;
    s.SettingsChanged = 1;
    RunPingCycle();
    ScriptedDialogs d;
    mnuFileSave_Click();
    EXPECT_TRUE(d.shown().empty());
    EXPECT_EQ(s.SettingsFilePath, "C:\\TempIFB\\VOSKVALS.DAT");
    EXPECT_EQ(Line(Bytes(FilePath("VOSKVALS.DAT")), 10), " 7 ");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(FilePath("lake.dat"))));
    EXPECT_EQ(s.SettingsChanged, 0);
    ExpectOnlyPingRequestsRunning();
}

TEST_F(FileMenu, ExitAsksOnlyAboutUnsavedChanges) {
    {
        ScriptedDialogs d;
        ExitUi exitUi(d);
        RunPingCycle();
        ExitProgram();
        EXPECT_TRUE(d.shown().empty());
        EXPECT_EQ(d.beeps(), 0);
        EXPECT_EQ(exitUi.dialogsWhenClosed, 0);
        EXPECT_EQ(exitUi.quits, 1);
        EXPECT_FALSE(timers().tmrMainTimer1.enabled());
        EXPECT_FALSE(QFile::exists(QString::fromStdString(SettingsPath())));
    }
    ResetState();
    s.SettingsChanged = 1;
    ScriptedDialogs d;
    d.answerMessage(AnswerNo);
    ExitUi exitUi(d);
    ExitProgram();
    EXPECT_EQ(d.beeps(), 1);
    EXPECT_EQ(s.MsgResponse, AnswerNo);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(SettingsPath())));
    EXPECT_TRUE(s.ProgramEnding);
    ExitProgram(); // a second request while ending asks nothing more
    EXPECT_EQ(d.shown().size(), 1u);
    EXPECT_EQ(exitUi.quits, 1);
}

TEST_F(FileMenu, ASettingsFileThatCannotBeWrittenAtExitIsReportedBeforeTheEnd) {
    // A folder where the settings file should be: it cannot be replaced, whoever runs the test.
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(FilePath("VOSKVALS.DAT"))));
    s.SettingsChanged = 1;
    ScriptedDialogs d;
    d.answerMessage(AnswerYes).answerMessage(AnswerOk);
    ExitUi exitUi(d);
    ExitProgram();
    ASSERT_EQ(d.shown().size(), 2u);
    EXPECT_EQ(d.shown()[1].title, "Settings File");
    EXPECT_NE(d.shown()[1].text.find("not saved"), std::string::npos);
    EXPECT_EQ(exitUi.dialogsWhenClosed, 2); // reported while the windows were still open
    EXPECT_EQ(exitUi.quits, 1);
    EXPECT_TRUE(s.ProgramEnding);
}

TEST_F(FileMenu, ADamagedSettingsFileIsKeptBesideTheNewOne) {
    const std::string damaged = JoinCrLf(FactoryLines(), 40);
    const auto readAnsweringPorts = [] {
        ScriptedDialogs d;
        d.answerPort(3).answerPort(5).answerPort(0);
        ReadSettingsFile();
        EXPECT_EQ(d.shown().size(), 3u);
    };
    WriteSettingsBytes(damaged);
    readAnsweringPorts();
    EXPECT_EQ(Bytes(SettingsPath() + ".bad"), damaged);
    EXPECT_EQ(SplitLines(ReadSettingsBytes()).size(), 83u);

    // A later damage never replaces the copy kept earlier.
    WriteSettingsBytes("Nothing like a settings file\r\n");
    readAnsweringPorts();
    EXPECT_EQ(Bytes(SettingsPath() + ".bad"), damaged);
    EXPECT_EQ(Bytes(SettingsPath() + ".bad.1"), "Nothing like a settings file\r\n");
    WriteSettingsBytes("x");
    readAnsweringPorts();
    EXPECT_EQ(Bytes(SettingsPath() + ".bad.2"), "x");

    // Nothing to keep: a missing file, an empty one, and the port reset's "Deleted".
    const QDir folder(QString::fromStdString(dataFolder()));
    for (const char* bytes : {"", "Deleted\r\n"}) {
        WriteSettingsBytes(bytes);
        readAnsweringPorts();
    }
    QFile::remove(QString::fromStdString(SettingsPath()));
    readAnsweringPorts();
    EXPECT_EQ(folder.entryList(QDir::Files).size(), 4);
}

} // namespace
} // namespace vz::test
