#include "core/SettingsFile.h"

#include "SettingsFileTestSupport.h"
#include "core/Defaults.h"
#include "support/Fixture.h"
#include "support/ScriptedDialogs.h"

#include <QDir>

#include <csignal>
#include <sys/resource.h>

namespace vz::test {
namespace {

using SettingsFileWrite = Fixture;

// Every field of the file away from its factory and start-up value.
void ChangeEverySetting(State& s) {
    s.IfbPort = 16;
    s.GpsPort = 0;
    s.NmeaPort = 7;
    s.SoundSpeed = 0.00244f;
    s.SplitScreen = 1;
    s.AutoMode = 1;
    s.ClutterFilter = 3;
    s.NoiseFilter = 2;
    s.ChartSpeed = 5;
    s.XmitPower = -20;
    s.ShowColorBars = 0;
    s.ShowDepth = 0;
    s.ShowGpsSpeed = 1;
    s.DepthUnits = 2;
    s.ShowWaterTemp = 0;
    s.TempUnitsC = 1;
    s.ShowWhiteLine = 1;
    s.ShowRangeGate = 1;
    s.ShowGrayLine = 1;
    s.BackgroundColor = {1, 2, 3};
    s.ColorScale = 4;
    s.TempCalibration = -2.75f;
    s.AScopeThreshold = 9;
    s.Full = {1, 0, 3, 9, 11, 7, 32767, -32768, 60, 15, 2, 3};
    s.Left = {0, 1, 2, 1, 13, 1, 100, 50, 61, 0, -1, 4};
    s.Right = {1, 1, 1, 11, 1, 2, 99, 51, 62, 1, 5, 6};
    for (std::size_t i = 0; i < s.UserColors.size(); ++i)
        s.UserColors[i] = Rgb::fromLong(1000 * i + 1);
    s.NmeaOutputOn = 1;
    s.KeelOffset = 3.5f;
    s.ShallowAlarmValue = 12.25f;
    s.ShallowAlarmOn = 1;
    s.DeepAlarmValue = 1.5e7f;
    s.DeepAlarmOn = 1;
    s.FishAlarmShallow = 0.125f;
    s.FishAlarmDeep = 2500.0f;
    s.FishAlarmOn = 1;
    s.DragAlarmShallow = 1.5e-6f;
    s.DragAlarmDeep = 81.0f;
    s.DragAlarmOn = 1;
    s.FishAlarmThreshold = 10;
    s.SoundOn = 1;
    s.FishAlarmSearch = 4;
    s.DepthDamping = 10;
    s.DisplayThreshold = 255;
    s.AutoRangeOnly = 0;
    s.LeaveScales = 1;
    s.AutoSaveMinutes = 120;
    s.XmitTempLimit = 255;
}

TEST_F(SettingsFileWrite, WriteThenReadRestoresEveryField) {
    LoadDefaultsIntoRam();
    s.IfbPort = s.GpsPort = s.NmeaPort = 0;
    ChangeEverySetting(s);
    s.SettingsChanged = 1;
    ASSERT_TRUE(WriteSettingsFile());
    EXPECT_EQ(s.SettingsChanged, 0);
    const std::string written = ReadSettingsBytes();

    ResetState();
    ScriptedDialogs d;
    ReadSettingsFile();
    EXPECT_TRUE(d.shown().empty());
    EXPECT_EQ(s.IfbPort, 16);
    EXPECT_EQ(s.SoundSpeed, 0.00244f);
    EXPECT_EQ(s.XmitPower, -20);
    EXPECT_EQ(s.BackgroundColor, (Rgb{1, 2, 3}));
    EXPECT_EQ(s.ColorScale, 4);
    EXPECT_EQ(s.Full, (ChannelSettings{1, 0, 3, 9, 11, 7, 32767, -32768, 60, 15, 2, 3}));
    EXPECT_EQ(s.Left, (ChannelSettings{0, 1, 2, 1, 13, 1, 100, 50, 61, 0, -1, 4}));
    EXPECT_EQ(s.Right, (ChannelSettings{1, 1, 1, 11, 1, 2, 99, 51, 62, 1, 5, 6}));
    EXPECT_EQ(s.UserColors[0], Rgb{});
    for (std::size_t i = 1; i < s.UserColors.size(); ++i)
        EXPECT_EQ(s.UserColors[i], Rgb::fromLong(1000 * i + 1));
    EXPECT_EQ(s.DeepAlarmValue, 1.5e7f);
    EXPECT_EQ(s.DragAlarmShallow, 1.5e-6f);
    EXPECT_EQ(s.DisplayThreshold, 255);
    EXPECT_EQ(s.XmitTempLimit, 255);
    // Every other field as well: writing again gives the same file.
    ASSERT_TRUE(WriteSettingsFile());
    EXPECT_EQ(ReadSettingsBytes(), written);
}

TEST_F(SettingsFileWrite, TheMissingFolderIsCreated) {
    ASSERT_TRUE(QDir(QString::fromStdString(dataFolder())).removeRecursively());
    LoadDefaultsIntoRam();
    s.IfbPort = s.GpsPort = s.NmeaPort = 0;
    ASSERT_TRUE(WriteSettingsFile());
    EXPECT_EQ(SplitLines(ReadSettingsBytes()).size(), 83u);
}

TEST_F(SettingsFileWrite, AFileThatCannotBeWrittenIsReportedAndStaysUnsaved) {
    // A regular file where the settings folder should be: neither the folder nor the file can be
    // made, whoever runs the test.
    QFile blocker(QString::fromStdString(dataFolder() + "/blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    s.SettingsFilePath = "C:\\TempIFB\\blocker\\VOSKVALS.DAT";
    LoadDefaultsIntoRam();
    s.IfbPort = s.GpsPort = s.NmeaPort = 0;
    s.SettingsChanged = 1;

    ScriptedDialogs d;
    d.answerMessage(AnswerOk);
    EXPECT_FALSE(WriteSettingsFile());

    ASSERT_EQ(d.shown().size(), 1u);
    EXPECT_EQ(d.shown()[0].kind, "message");
    EXPECT_EQ(d.shown()[0].title, "Settings File");
    EXPECT_NE(d.shown()[0].text.find(dataFolder() + "/blocker/VOSKVALS.DAT"), std::string::npos);
    EXPECT_EQ(s.SettingsChanged, 1);
}

TEST_F(SettingsFileWrite, FirstRunWithAnUnwritableFileReportsItAndGoesOn) {
    QFile blocker(QString::fromStdString(dataFolder() + "/blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    s.SettingsFilePath = "C:\\TempIFB\\blocker\\VOSKVALS.DAT";

    ScriptedDialogs d;
    d.answerPort(1).answerPort(0).answerPort(0).answerMessage(AnswerOk);
    ReadSettingsFile();

    ASSERT_EQ(d.shown().size(), 4u);
    EXPECT_EQ(d.shown()[3].title, "Settings File");
    EXPECT_EQ(s.IfbPort, 1);
    EXPECT_EQ(s.ChartSpeed, 8);
    EXPECT_EQ(s.SettingsChanged, 1); // the chosen ports are still to be saved
}

// The user closes the program at the port prompt `at` (0..2).
class QuittingDialogs : public ScriptedDialogs {
  public:
    explicit QuittingDialogs(int at) : at_(at) {}
    int choosePort(const std::string& caption, const std::string& prompt, int disabled) override {
        if (asked_++ == at_) state().ProgramEnding = true;
        return ScriptedDialogs::choosePort(caption, prompt, disabled);
    }

  private:
    int at_, asked_ = 0;
};

TEST_F(SettingsFileWrite, QuittingAtAFirstRunPromptAsksNoMoreAndWritesNothing) {
    for (int at : {0, 1, 2}) {
        SCOPED_TRACE(at);
        s.ProgramEnding = false;
        QuittingDialogs d(at);
        d.answerPort(1).answerPort(0).answerPort(0);
        ReadSettingsFile();
        EXPECT_EQ(d.shown().size(), static_cast<std::size_t>(at + 1));
        EXPECT_FALSE(QFile::exists(QString::fromStdString(mapPath(s.SettingsFilePath))));
    }
}

// Lets no file of this process grow beyond `bytes` while it lives: a write that runs out of room
// half-way, as on a full disk. Root is bound by this limit too.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, oldHandler_);
    }

  private:
    rlimit saved_{};
    void (*oldHandler_)(int) = nullptr;
};

TEST_F(SettingsFileWrite, AFailedWriteLeavesTheOldFileWhole) {
    LoadDefaultsIntoRam();
    s.IfbPort = s.GpsPort = s.NmeaPort = 0;
    s.IfbPort = 3;
    ASSERT_TRUE(WriteSettingsFile());
    const std::string before = ReadSettingsBytes();
    ASSERT_GT(before.size(), 400u);

    ChangeEverySetting(s);
    s.SettingsChanged = 1;
    ScriptedDialogs d;
    d.answerMessage(AnswerOk);
    bool written = true;
    {
        FileSizeLimit limit(100);
        written = WriteSettingsFile();
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(d.shown().size(), 1u);
    EXPECT_EQ(ReadSettingsBytes(), before);
    EXPECT_EQ(s.SettingsChanged, 1);
    // No temporary file is left beside it.
    EXPECT_EQ(QDir(QString::fromStdString(dataFolder())).entryList(QDir::Files).size(), 1);
}

} // namespace
} // namespace vz::test
