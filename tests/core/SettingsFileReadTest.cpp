#include "core/SettingsFile.h"

#include "SettingsFileTestSupport.h"
#include "core/Timers.h"
#include "support/Fixture.h"
#include "support/ScriptedDialogs.h"

namespace vz::test {
namespace {

const char* const kBoxCaption = "Interface Box Communications Port";
const char* const kBoxPrompt =
    "1) Please select a COM port for the interface box.  Select 'None' to enter DEMO mode.";
const char* const kGpsCaption = "GPS Communication Port";
const char* const kGpsPrompt = "2) Please select a COM port for GPS.  Select 'None' for no GPS.";
const char* const kNmeaCaption = "NMEA Serial Data Output Port";
const char* const kNmeaPrompt =
    "3) Please select a COM port for NMEA data.  Select 'None' for no NMEA output.";

using SettingsFileRead = Fixture;

// Answers the three port prompts with 3, 5 and None and reads the settings file.
void ReadAnsweringPorts(ScriptedDialogs& d) {
    d.answerPort(3).answerPort(5).answerPort(0);
    ReadSettingsFile();
}

void ExpectPortPromptsShown(const ScriptedDialogs& d) {
    ASSERT_EQ(d.shown().size(), 3u);
    const auto& box = d.shown()[0];
    const auto& gps = d.shown()[1];
    const auto& nmea = d.shown()[2];
    EXPECT_EQ(box.kind, "port");
    EXPECT_EQ(box.title, kBoxCaption);
    EXPECT_EQ(box.text, kBoxPrompt);
    EXPECT_EQ(box.disabledOption, -1);
    EXPECT_EQ(gps.title, kGpsCaption);
    EXPECT_EQ(gps.text, kGpsPrompt);
    EXPECT_EQ(gps.disabledOption, 2); // COM3 is the box's
    EXPECT_EQ(nmea.title, kNmeaCaption);
    EXPECT_EQ(nmea.text, kNmeaPrompt);
    EXPECT_EQ(nmea.disabledOption, 2);
    EXPECT_EQ(d.beeps(), 3);
}

TEST_F(SettingsFileRead, WithoutAFileThePromptsRunAndTheFactoryFileIsWritten) {
    ASSERT_EQ(FactoryLines().size(), 83u);
    timers().tmrMainTimer1.setEnabled(true);
    timers().tmrMainTimer2.setEnabled(true);
    ScriptedDialogs d;
    ReadAnsweringPorts(d);

    ExpectPortPromptsShown(d);
    EXPECT_EQ(ReadSettingsBytes(), JoinCrLf(FactoryLines()));
    EXPECT_FALSE(timers().tmrMainTimer1.enabled());
    EXPECT_FALSE(timers().tmrMainTimer2.enabled());
    EXPECT_EQ(s.SettingsChanged, 0); // the new file holds everything
    EXPECT_EQ(s.IfbPort, 3);
    EXPECT_EQ(s.GpsPort, 5);
    EXPECT_EQ(s.NmeaPort, 0);
    // The alarm values are the start-up ones, the rest the factory settings.
    EXPECT_EQ(s.ShallowAlarmValue, 20.0f);
    EXPECT_EQ(s.DeepAlarmValue, 1000.0f);
    EXPECT_EQ(s.FishAlarmShallow, 15.0f);
    EXPECT_EQ(s.FishAlarmDeep, 90.0f);
    EXPECT_EQ(s.DragAlarmShallow, 20.0f);
    EXPECT_EQ(s.DragAlarmDeep, 80.0f);
    EXPECT_EQ(s.FishAlarmThreshold, 4);
    EXPECT_EQ(s.FishAlarmSearch, 1);
    EXPECT_EQ(s.DepthDamping, 4);
    EXPECT_EQ(s.SoundSpeed, 0.0024755f);
    EXPECT_EQ(s.ChartSpeed, 8);
    EXPECT_EQ(s.Right.Frequency, 1);
    // The start-up tables were built on the way.
    EXPECT_GT(s.TempTable[15], 0);
    EXPECT_EQ(s.DepthRangeTable[0][4], 100);
}

TEST_F(SettingsFileRead, ChoosingNoBoxPortDisablesNoOption) {
    ScriptedDialogs d;
    d.answerPort(0).answerPort(1).answerPort(2);
    ReadSettingsFile();
    ASSERT_EQ(d.shown().size(), 3u);
    EXPECT_EQ(d.shown()[1].disabledOption, -1);
    EXPECT_EQ(d.shown()[2].disabledOption, -1);
    EXPECT_EQ(s.IfbPort, 0);
    EXPECT_EQ(s.GpsPort, 1);
    EXPECT_EQ(s.NmeaPort, 2);
}

TEST_F(SettingsFileRead, AValidFileLoadsWithoutQuestions) {
    std::vector<std::string> lines = FactoryLines();
    lines[2] = " 12 ";   // IfbPort
    lines[9] = " 3 ";    // ChartSpeed
    lines[10] = "-20 ";  // XmitPower
    lines[22] = "-1.5 "; // TempCalibration
    lines[27] = " 9 ";   // FullDepthRange
    lines[60] = " 1  2  3  4  5  6  7  8  9  10  11  12  13  14  15  65536 ";
    lines[63] = " 3.5 ";     // KeelOffset
    lines[66] = " 1.5E+07 "; // DeepAlarmValue
    lines[81] = " 25 ";      // AutoSaveMinutes
    lines[82] = " 110 ";     // XmitTempLimit
    WriteSettingsBytes(JoinCrLf(lines));
    s.SettingsChanged = 1;
    timers().tmrMainTimer1.setEnabled(true);

    ScriptedDialogs d;
    ReadSettingsFile();

    EXPECT_TRUE(d.shown().empty());
    EXPECT_FALSE(timers().tmrMainTimer1.enabled());
    EXPECT_EQ(s.SettingsChanged, 1); // reading is not saving
    EXPECT_EQ(s.IfbPort, 12);
    EXPECT_EQ(s.GpsPort, 5);
    EXPECT_EQ(s.ChartSpeed, 3);
    EXPECT_EQ(s.XmitPower, -20);
    EXPECT_EQ(s.TempCalibration, -1.5f);
    EXPECT_EQ(s.Full.DepthRange, 9);
    EXPECT_EQ(s.UserColors[0], Rgb{}); // not stored in the file
    EXPECT_EQ(s.UserColors[1], (Rgb{1, 0, 0}));
    EXPECT_EQ(s.UserColors[15], (Rgb{15, 0, 0}));
    EXPECT_EQ(s.UserColors[16], (Rgb{0, 0, 1}));
    EXPECT_EQ(s.KeelOffset, 3.5f);
    EXPECT_EQ(s.DeepAlarmValue, 1.5e7f);
    EXPECT_EQ(s.AutoSaveMinutes, 25);
    EXPECT_EQ(s.XmitTempLimit, 110);
    EXPECT_EQ(s.SettingsHeader.substr(0, 6), "Marvek");
}

TEST_F(SettingsFileRead, ValuesMayBeWrittenInAnyNumberNotation) {
    std::vector<std::string> lines = FactoryLines();
    lines[4] = "2.4755E-3"; // SoundSpeed
    lines[9] = "\t+7 ";     // ChartSpeed
    lines[10] = "2.5";      // XmitPower: halves go to the even neighbour
    lines[11] = "0.5";      // ShowColorBars
    lines[22] = "-.25";     // TempCalibration
    lines[64] = "  2e1  ";  // ShallowAlarmValue
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n"; // line feeds alone
    WriteSettingsBytes(text);

    ScriptedDialogs d;
    ReadSettingsFile();

    EXPECT_TRUE(d.shown().empty());
    EXPECT_EQ(s.SoundSpeed, 0.0024755f);
    EXPECT_EQ(s.ChartSpeed, 7);
    EXPECT_EQ(s.XmitPower, 2);
    EXPECT_EQ(s.ShowColorBars, 0);
    EXPECT_EQ(s.TempCalibration, -0.25f);
    EXPECT_EQ(s.ShallowAlarmValue, 20.0f);
}

TEST_F(SettingsFileRead, AWrongFirstLineRunsThePromptsAndKeepsTheAlarmValues) {
    WriteSettingsBytes("Deleted\r\n");
    s.ShallowAlarmValue = 33.0f;
    s.KeelOffset = 2.0f;
    ScriptedDialogs d;
    ReadAnsweringPorts(d);

    ExpectPortPromptsShown(d);
    EXPECT_EQ(s.ShallowAlarmValue, 33.0f);
    EXPECT_EQ(s.KeelOffset, 0.0f);
    EXPECT_EQ(SplitLines(ReadSettingsBytes()).size(), 83u);
}

TEST_F(SettingsFileRead, AFileCutShortRunsThePromptsAndKeepsWhatWasRead) {
    std::vector<std::string> lines = FactoryLines();
    lines[2] = " 9 ";    // IfbPort: asked again
    lines[9] = " 3 ";    // ChartSpeed: a factory setting
    lines[22] = " 1.5 "; // TempCalibration: not a factory setting
    WriteSettingsBytes(JoinCrLf(lines, 40));

    ScriptedDialogs d;
    ReadAnsweringPorts(d);

    ExpectPortPromptsShown(d);
    EXPECT_EQ(s.IfbPort, 3);
    EXPECT_EQ(s.ChartSpeed, 8);
    EXPECT_EQ(s.TempCalibration, 1.5f);
    const std::vector<std::string> written = SplitLines(ReadSettingsBytes());
    ASSERT_EQ(written.size(), 83u);
    EXPECT_EQ(written[22], " 1.5 \r");
    EXPECT_EQ(written[82], " 120 \r");
}

TEST_F(SettingsFileRead, AnUnreadableOrOutOfRangeValueRunsThePrompts) {
    const struct {
        std::size_t line;
        const char* text;
    } damaged[] = {
        {9, " abc "},    // not a number
        {9, ""},         // nothing where a number belongs
        {9, " 1e "},     // exponent without digits
        {9, " 40000 "},  // beyond a 16-bit integer
        {2, " 300 "},    // beyond a byte
        {2, " 18 "},     // no such COM port
        {61, " 18 "},
        {2, "-1 "},      // below a byte
        {14, " 3 "},     // no such depth units
        {27, " 21 "},    // no such depth range step
        {27, " 15 "},    // a step beyond the filled range table
        {27, " 0 "},
        {39, " 12 "},    // the Left channel's range
        {28, " 14 "},    // beyond the filled offset table
        {9, " 0 "},      // chart speeds are 1 to 8
        {9, " 20 "},
        {7, " 9 "},      // clutter filter levels are 0 to 8
        {21, " 5 "},     // no such colour scale
        {23, " 256 "},   // thresholds compare with byte samples
        {78, " 300 "},
        {77, " 0 "},     // damping levels are 1 to 10
        {33, " 16 "},    // no such DSP gain
        {64, " 1E+39 "}, // beyond a float
        {63, " nan "},
    };
    for (const auto& damage : damaged) {
        SCOPED_TRACE(std::string("line ") + std::to_string(damage.line + 1) + ": \"" + damage.text +
                     "\"");
        ResetState();
        std::vector<std::string> lines = FactoryLines();
        lines[damage.line] = damage.text;
        WriteSettingsBytes(JoinCrLf(lines));
        ScriptedDialogs d;
        ReadAnsweringPorts(d);
        EXPECT_EQ(d.shown().size(), 3u);
        EXPECT_EQ(ReadSettingsBytes(), JoinCrLf(FactoryLines())); // replaced by a sound file
    }
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
        std::vector<std::string> lines = FactoryLines();
        lines[1] = file.title;
        lines[81] = " 25 ";
        lines[82] = " 110 ";
        WriteSettingsBytes(JoinCrLf(lines, file.lineCount));
        ScriptedDialogs d;
        ReadSettingsFile();
        EXPECT_TRUE(d.shown().empty());
        EXPECT_EQ(s.AutoSaveMinutes, file.autoSaveMinutes);
        EXPECT_EQ(s.XmitTempLimit, file.xmitTempLimit);
    }
}

} // namespace
} // namespace vz::test
