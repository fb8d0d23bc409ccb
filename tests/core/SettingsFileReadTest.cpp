#include "SettingsFileTestSupport.h"
#include "core/Timers.h"
#include "support/Fixture.h"

#include <tuple>

namespace vz::test {
namespace {

using SettingsFileRead = Fixture;

TEST_F(SettingsFileRead, WithoutAFileThePromptsRunAndTheFactoryFileIsWritten) {
    timers().tmrMainTimer1.setEnabled(true);
    timers().tmrMainTimer2.setEnabled(true);
    const std::vector<ShownDialog> shown = ReadAnsweringPorts();
    ASSERT_EQ(shown.size(), 3u);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        EXPECT_EQ(shown[i].kind, "port");
        EXPECT_EQ(shown[i].disabledOption, i == 0 ? -1 : 2); // COM3 is the box's
    }
    EXPECT_EQ(ReadSettingsBytes(), lines(kFactoryLines));
    EXPECT_FALSE(timers().tmrMainTimer1.enabled());
    EXPECT_FALSE(timers().tmrMainTimer2.enabled());
    EXPECT_EQ(s.SettingsChanged, 0); // the new file holds everything
    // The start-up tables were built on the way.
    EXPECT_GT(s.TempTable[15], 0);
    EXPECT_EQ(s.DepthRangeTable[0][4], 100);
}

TEST_F(SettingsFileRead, WithoutABoxPortEveryPortIsOffered) {
    ScriptedDialogs d;
    d.answerPort(0).answerPort(1).answerPort(2);
    ReadSettingsFile();
    ASSERT_EQ(d.shown().size(), 3u);
    EXPECT_EQ(std::tuple(d.shown()[1].disabledOption, d.shown()[2].disabledOption),
              std::tuple(-1, -1));
    EXPECT_EQ(std::tuple(s.IfbPort, s.GpsPort, s.NmeaPort), std::tuple(0, 1, 2));
}

// A file written by hand: any number notation, line feeds alone. Each value is taken as read and
// written back in the program's own form.
TEST_F(SettingsFileRead, AHandWrittenFileLoadsWithoutQuestions) {
    std::vector<std::string> file = kFactoryLines, written = kFactoryLines;
    file[4] = "2.4755E-3"; // SoundSpeed
    file[9] = "\t+7 ";     // ChartSpeed
    file[10] = "2.5";      // XmitPower: halves go to the even neighbour
    file[11] = "0.5";      // ShowColorBars
    file[60] = written[60] = " 1  2  3  4  5  6  7  8  9  10  11  12  13  14  15  65536 ";
    written[9] = " 7 ";
    written[10] = " 2 ";
    written[11] = " 0 ";
    std::string text;
    for (const std::string& line : file)
        text += line + "\n";
    WriteSettingsBytes(text);
    s.SettingsChanged = 1;
    timers().tmrMainTimer1.setEnabled(true);

    ScriptedDialogs d;
    ReadSettingsFile();
    EXPECT_TRUE(d.shown().empty());
    EXPECT_FALSE(timers().tmrMainTimer1.enabled());
    EXPECT_EQ(s.SettingsChanged, 1); // reading is not saving
    EXPECT_EQ(s.UserColors[0], Rgb{}); // not stored in the file
    EXPECT_EQ(s.UserColors[16], (Rgb{0, 0, 1}));
    ASSERT_TRUE(WriteSettingsFile());
    EXPECT_EQ(ReadSettingsBytes(), lines(written));
}

// A value a field cannot mean makes the file as damaged as a missing line: the prompts run and a
// sound file replaces it.
TEST_F(SettingsFileRead, AnUnreadableOrOutOfRangeValueRunsThePrompts) {
    const struct {
        std::size_t line;
        const char* text;
    } damaged[] = {
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
    for (const auto& damage : damaged) {
        SCOPED_TRACE(testing::Message() << "line " << damage.line + 1 << ": " << damage.text);
        ResetState();
        std::vector<std::string> file = kFactoryLines;
        file[damage.line] = damage.text;
        WriteSettingsBytes(lines(file));
        EXPECT_EQ(ReadAnsweringPorts().size(), 3u);
        EXPECT_EQ(ReadSettingsBytes(), lines(kFactoryLines));
    }
}

TEST_F(SettingsFileRead, AFileCutShortRunsThePromptsAndKeepsWhatWasRead) {
    std::vector<std::string> file = kFactoryLines;
    file[2] = " 9 ";    // IfbPort: asked again
    file[9] = " 3 ";    // ChartSpeed: a factory setting
    file[22] = " 1.5 "; // TempCalibration: not a factory setting
    WriteSettingsBytes(lines(file, 40));
    s.ShallowAlarmValue = 33.0f; // beyond the cut: the value in use stays
    s.KeelOffset = 2.0f;

    EXPECT_EQ(ReadAnsweringPorts().size(), 3u);
    EXPECT_EQ(std::tuple(s.IfbPort, s.ChartSpeed), std::tuple(3, 8));
    EXPECT_EQ(std::tuple(s.ShallowAlarmValue, s.KeelOffset), std::tuple(33.0f, 0.0f));
    const std::string written = ReadSettingsBytes();
    EXPECT_EQ(LineOf(written, 23), " 1.5 ");
    EXPECT_EQ(LineOf(written, 83), " 120 ");
}

TEST_F(SettingsFileRead, OlderFilesEndEarlierAndGetTheLaterValuesGiven) {
    const struct {
        const char* title;
        std::size_t lineCount;
        std::int16_t autoSaveMinutes;
        std::uint8_t xmitTempLimit;
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
        std::vector<std::string> content = kFactoryLines;
        content[1] = file.title;
        content[81] = " 25 ";
        content[82] = " 110 ";
        WriteSettingsBytes(lines(content, file.lineCount));
        ScriptedDialogs d;
        ReadSettingsFile();
        EXPECT_TRUE(d.shown().empty());
        EXPECT_EQ(std::tuple(s.AutoSaveMinutes, s.XmitTempLimit),
                  std::tuple(file.autoSaveMinutes, file.xmitTempLimit));
    }
}

} // namespace
} // namespace vz::test
