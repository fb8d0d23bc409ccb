#include "SettingsFileTestSupport.h"
#include "core/Defaults.h"
#include "core/Timers.h"
#include "support/Fixture.h"

#include <QDir>
#include <QFile>

#include <csignal>
#include <tuple>
#include <sys/resource.h>

namespace vz::test {
namespace {

using SettingsFile = Fixture;

std::string Number(int value) { return " " + std::to_string(value) + " "; }

// The user closes the program at the port prompt `at` (0..2; never when -1).
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

// Without a file the first-run prompts ask for the three ports; the later two do not offer the
// box's port (COM3 is option 2), and the factory file with the answers is written. Where it cannot
// be written (a regular file where the folder should be, whoever runs the test) the failure is
// reported and the settings stay to be saved. Closing the program at a prompt asks no more and
// writes nothing.
TEST_F(SettingsFile, WithoutAFileThePromptsRunAndTheFactoryFileIsWritten) {
    const struct {
        int ifb, gps, nmea, disabledLater;
        bool blocked = false;
        int quitAt = -1;
    } answers[] = {{3, 5, 0, 2},           {0, 1, 2, -1},          {1, 0, 0, 0, true},
                   {1, 0, 0, 0, false, 0}, {1, 0, 0, 0, false, 1}, {1, 0, 0, 0, false, 2}};
    for (const auto& a : answers) {
        SCOPED_TRACE(testing::Message() << a.ifb << " blocked " << a.blocked << " at " << a.quitAt);
        ResetState();
        QFile::remove(QString::fromStdString(SettingsPath()));
        if (a.blocked) {
            writeFile(dataPath("blocker"), "");
            s.SettingsFilePath = "C:\\TempIFB\\blocker\\VOSKVALS.DAT";
        }
        QuittingDialogs d(a.quitAt);
        d.answerPort(a.ifb).answerPort(a.gps).answerPort(a.nmea).answerMessage(AnswerOk);
        ReadSettingsFile();
        const std::size_t prompts = a.quitAt < 0 ? 3 : a.quitAt + 1;
        ASSERT_EQ(d.shown().size(), prompts + a.blocked);
        for (std::size_t i = 0; i < prompts; ++i) {
            EXPECT_EQ(d.shown()[i].kind, "port");
            EXPECT_EQ(d.shown()[i].disabledOption, i == 0 ? -1 : a.disabledLater);
        }
        EXPECT_EQ(s.DepthRangeTable[0][4], 100); // the start-up tables were built on the way
        if (a.quitAt >= 0) {
            EXPECT_FALSE(exists(SettingsPath()));
            continue;
        }
        if (a.blocked) {
            const std::string& message = d.shown().back().text;
            EXPECT_NE(message.find(dataPath("blocker") + "/VOSKVALS.DAT"), std::string::npos);
            // The factory values in use, still to be saved.
            EXPECT_EQ(std::tuple(s.IfbPort, s.ChartSpeed, s.SettingsChanged), std::tuple(1, 8, 1));
            continue;
        }
        const auto file =
            FactoryWith({{2, Number(a.ifb)}, {3, Number(a.gps)}, {61, Number(a.nmea)}});
        EXPECT_EQ(ReadSettingsBytes(), lines(file));
        EXPECT_EQ(s.SettingsChanged, 0); // the new file holds everything
    }
}

constexpr const char* kDamaged = nullptr;

// One line of a file written by hand (line feeds alone): a value in any number notation is taken
// as read and written back in the program's own form. A value the field cannot mean makes the
// file as damaged as a missing line: the prompts run and a sound file replaces it.
TEST_F(SettingsFile, EachValueIsTakenAsReadOrMakesTheFileDamaged) {
    const char* colours = " 1  2  3  4  5  6  7  8  9  10  11  12  13  14  15  65536 ";
    const struct {
        std::size_t line;
        const char* text;
        const char* written = kDamaged;
    } cases[] = {
        {4, "2.4755E-3", " .0024755 "}, // SoundSpeed
        {9, "\t+7 ", " 7 "},             // ChartSpeed
        {10, "2.5", " 2 "},              // XmitPower: halves go to the even neighbour
        {11, "0.5", " 0 "},              // ShowColorBars
        {60, colours, colours},
        // Damaged:
        {0, "Deleted"},                                      // what a port reset leaves
        {9, " abc "}, {9, ""}, {9, " 1e "}, {9, " 40000 "},  // no number, beyond 16 bits
        {2, " 300 "}, {2, "-1 "}, {2, " 18 "}, {61, " 18 "}, // not a byte, no such COM port
        {14, " 3 "},                                         // no such depth units
        {27, " 21 "}, {27, " 15 "}, {27, " 0 "}, {39, " 12 "}, // beyond the filled range table
        {28, " 14 "},                                        // beyond the filled offset table
        {9, " 0 "}, {9, " 20 "},                             // chart speeds are 1 to 8
        {7, " 9 "},                                          // clutter filter levels 0 to 8
        {21, " 5 "},                                         // no such colour scale
        {23, " 256 "}, {78, " 300 "},                        // thresholds compare with bytes
        {77, " 0 "},                                         // damping levels are 1 to 10
        {33, " 16 "},                                        // no such DSP gain
        {64, " 1E+39 "}, {63, " nan "},                      // not a float
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "line " << c.line + 1 << ": " << c.text);
        ResetState();
        s.SettingsChanged = 1;
        timers().tmrMainTimer1.setEnabled(true);
        timers().tmrMainTimer2.setEnabled(true);
        std::string text;
        for (const std::string& line : FactoryWith({{c.line, c.text}}))
            text += line + (c.written ? "\n" : "\r\n");
        WriteSettingsBytes(text);
        const std::size_t prompts = ReadAnsweringPorts().size();
        EXPECT_FALSE(timers().tmrMainTimer1.enabled() || timers().tmrMainTimer2.enabled());
        if (c.written == kDamaged) {
            EXPECT_EQ(prompts, 3u);
            EXPECT_EQ(ReadSettingsBytes(), lines(kFactoryLines));
            continue;
        }
        // Reading is not saving.
        EXPECT_EQ(std::tuple(prompts, s.SettingsChanged), std::tuple(0u, 1));
        ASSERT_TRUE(WriteSettingsFile());
        EXPECT_EQ(ReadSettingsBytes(), lines(FactoryWith({{c.line, c.written}})));
    }
}

// A file cut short: the prompts run, what was read is kept, and the damaged file is kept beside
// the new one. IfbPort is asked again, ChartSpeed is a factory setting, TempCalibration is not.
TEST_F(SettingsFile, AFileCutShortRunsThePromptsAndKeepsWhatWasRead) {
    const std::string cut = lines(FactoryWith({{2, " 9 "}, {9, " 3 "}, {22, " 1.5 "}}), 40);
    WriteSettingsBytes(cut);
    s.ShallowAlarmValue = 33.0f; // beyond the cut: the value in use stays
    s.KeelOffset = 2.0f;

    EXPECT_EQ(ReadAnsweringPorts().size(), 3u);
    // The ports as answered, ChartSpeed and KeelOffset factory values.
    EXPECT_EQ(ReadSettingsBytes(), lines(FactoryWith({{22, " 1.5 "}, {64, " 33 "}})));
    EXPECT_EQ(readFile(SettingsPath() + ".bad"), cut);

    // A later damage never replaces the copy kept earlier; an empty file or the port reset's
    // "Deleted" leave nothing to keep.
    for (const char* bytes : {"Nothing like a settings file\r\n", "x", "", "Deleted\r\n"}) {
        WriteSettingsBytes(bytes);
        EXPECT_EQ(ReadAnsweringPorts().size(), 3u);
    }
    EXPECT_EQ(readFile(SettingsPath() + ".bad"), cut);
    EXPECT_EQ(readFile(SettingsPath() + ".bad.1"), "Nothing like a settings file\r\n");
    EXPECT_EQ(readFile(SettingsPath() + ".bad.2"), "x");
    EXPECT_EQ(QDir(QString::fromStdString(dataFolder())).entryList(QDir::Files).size(), 4);
}

TEST_F(SettingsFile, OlderFilesEndEarlierAndGetTheLaterValuesGiven) {
    const struct {
        const char* title;
        std::size_t lineCount;
        int autoSaveMinutes, xmitTempLimit;
    } files[] = {
        {"Tarvik Vosk Fish Finder 3.01", 81, 10, 120}, // no version: 0
        {"Tarvik Vosk Fish Finder Ver:3.07 - notice", 81, 10, 120},
        {"Tarvik Vosk Fish Finder Ver:3.10 - notice", 82, 25, 120},
        {"Tarvik Vosk Fish Finder Ver: 3.16", 83, 25, 110},
    };
    for (const auto& file : files) {
        SCOPED_TRACE(file.title);
        ResetState();
        s.AutoSaveMinutes = 60;
        s.XmitTempLimit = 90;
        const auto content = FactoryWith({{1, file.title}, {81, " 25 "}, {82, " 110 "}});
        WriteSettingsBytes(lines(content, file.lineCount));
        EXPECT_TRUE(ReadAnsweringPorts().empty());
        EXPECT_EQ(std::tuple(s.AutoSaveMinutes, s.XmitTempLimit),
                  std::tuple(file.autoSaveMinutes, file.xmitTempLimit));
    }
}

TEST_F(SettingsFile, AFailedWriteLeavesTheOldFileWhole) {
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
