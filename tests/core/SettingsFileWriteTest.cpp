#include "SettingsFileTestSupport.h"
#include "core/Defaults.h"
#include "support/Fixture.h"

#include <QDir>

#include <csignal>
#include <tuple>
#include <sys/resource.h>

namespace vz::test {
namespace {

using SettingsFileWrite = Fixture;

// Every line away from its factory value: read, then written again into a folder the user removed.
TEST_F(SettingsFileWrite, EveryValueReadIsWrittenBackAsItWas) {
    WriteSettingsBytes(lines(kChangedLines));
    ScriptedDialogs d;
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
}

TEST_F(SettingsFileWrite, AFailedWriteLeavesTheOldFileWhole) {
    WriteSettingsBytes(lines(kFactoryLines));
    LoadDefaultsIntoRam();
    s.ChartSpeed = 3;
    s.SettingsChanged = 1;
    ScriptedDialogs d;
    d.answerMessage(AnswerOk);
    // No file of this process may grow beyond 100 bytes: the write runs out of room half-way, as
    // on a full disk. Root is bound by this limit too.
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const rlimit small{100, old.rlim_max};
    setrlimit(RLIMIT_FSIZE, &small);
    const bool written = WriteSettingsFile();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, handler);
    EXPECT_EQ(std::tuple(written, d.shown().size(), s.SettingsChanged), std::tuple(false, 1u, 1));
    EXPECT_EQ(ReadSettingsBytes(), lines(kFactoryLines));
    // No temporary file is left beside it.
    EXPECT_EQ(QDir(QString::fromStdString(dataFolder())).entryList(QDir::Files).size(), 1);
}

} // namespace
} // namespace vz::test
