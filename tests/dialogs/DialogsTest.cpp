// The main menus: the option choices and switches, the value dialogs behind their items, Edit
// Copy, Help and About; the speed of sound and the temperature calibration.
#include "app/MainMenus.h"
#include "dialogs/SpeedOfSound.h"
#include "dialogs/TemperatureCalibration.h"
#include "dialogs/ValueDialog.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmCalibrateTemperature.h"
#include "dialogs/frmHelp.h"
#include "dialogs/frmSpeedOfSound.h"
#include "display/Surfaces.h"
#include "support/Fixture.h"
#include "support/ScriptedDialogs.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

#include <memory>
#include <tuple>

namespace vz::test {
namespace {

class OptionsMenu : public Fixture {
  protected:
    void SetUp() override {
        Fixture::SetUp();
        s.SoundSpeed = 0.0024755f;
        bar = std::make_unique<QMenuBar>();
        BuildMainMenus(bar.get());
    }
    void TearDown() override {
        frmSpeedOfSound::instance().hide();
        frmCalibrateTemperature::hideWindow();
        Fixture::TearDown();
    }
    static QString speedLabel() {
        return frmSpeedOfSound::instance().findChild<QLabel*>("lblCalSpeedSound")->text();
    }
    static void click(QWidget& w, const char* name) { w.findChild<QPushButton*>(name)->click(); }
    QAction* action(const char* name) {
        auto* a = bar->findChild<QAction*>(name);
        EXPECT_NE(a, nullptr) << name;
        return a;
    }
    // The checked items of the Options menu, without the "mnuOptions" or "mnuOpt" of their names.
    std::vector<std::string> checked() {
        std::vector<std::string> names;
        for (QAction* a : bar->findChildren<QAction*>()) {
            const QString name = a->objectName();
            if (a->isChecked() && name.startsWith("mnuOpt"))
                names.push_back(name.mid(name.startsWith("mnuOptions") ? 10 : 6).toStdString());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    std::unique_ptr<QMenuBar> bar;
};

using Entries = std::vector<std::string>;
template <auto Field> double Read(const State& s) { return s.*Field; }

TEST_F(OptionsMenu, ChoicesChangeTheSettingsAndTheMenuFollowsFromTheStartUpCheckMarks) {
    EXPECT_EQ(checked(), (Entries{"AutoRangeOnly", "BackgroundColorLightBlue", "DeepOnOff",
                                  "DepthUnitsFeet", "DragAlarmOnOff", "FishAlarmSearch1",
                                  "FishOnOff", "ShallowOnOff", "TempUnitsDegF"}));
    // The depths found so far are kept, converted: a range gate keeps tracking at the same depth.
    s.BottomDepth = s.RangeGateDepth = 30.0f;
    s.DisplayDepth = 33.0f;
    action("mnuOptionsDepthUnitsFathoms")->trigger();
    EXPECT_EQ(std::tuple(s.DepthUnits, s.SettingsChanged, s.SendSettings), std::tuple(2, 1, 1));
    EXPECT_FLOAT_EQ(s.BottomDepth, 5.0f);
    EXPECT_FLOAT_EQ(s.RangeGateDepth, 5.0f);
    EXPECT_FLOAT_EQ(s.DisplayDepth, 5.5f);

    // Choosing the temperature units, even again, starts the read-out afresh.
    s.WaterTemperature = 55.0f;
    s.SendSettings = 0;
    action("mnuOptionsTempUnitsDegC")->trigger();
    EXPECT_EQ(std::tuple(s.TempUnitsC, s.WaterTemperature, s.SendSettings),
              std::tuple(1, 99.9f, 0));
    action("mnuOptionsTempUnitsDegF")->trigger();
    s.WaterTemperature = 12.0f;
    action("mnuOptionsTempUnitsDegF")->trigger();
    EXPECT_EQ(std::tuple(s.TempUnitsC, s.WaterTemperature), std::tuple(0, 99.9f));

    action("mnuOptionsBackgroundColorDarkGreen")->trigger();
    EXPECT_EQ(s.BackgroundColor, (Rgb{0, 128, 0}));
    action("mnuOptionsAutoRangeAndOffset")->trigger();
    EXPECT_EQ(s.AutoRangeOnly, 0);
    action("mnuOptFishAlarmSearch3")->trigger();
    EXPECT_EQ(s.FishAlarmSearch, 3);
    // Exactly one item of each group is checked.
    EXPECT_EQ(checked(), (Entries{"AutoRangeAndOffset", "BackgroundColorDarkGreen", "DeepOnOff",
                                  "DepthUnitsFathoms", "DragAlarmOnOff", "FishAlarmSearch3",
                                  "FishOnOff", "ShallowOnOff", "TempUnitsDegF"}));

    QAction* leaveScales = action("mnuOptLeaveScales");
    leaveScales->trigger();
    EXPECT_EQ(std::tuple(s.LeaveScales, leaveScales->isChecked()), std::tuple(1, true));
    s.LeaveScales = 7; // any non-zero value counts as on
    leaveScales->trigger();
    EXPECT_EQ(std::tuple(s.LeaveScales, leaveScales->isChecked()), std::tuple(0, false));
}

TEST_F(OptionsMenu, AlarmSwitchesKeepTheirCheckMarkAndShowTheStateInTheCaption) {
    const std::pair<const char*, std::uint8_t State::*> switches[] = {
        {"mnuOptionsShallowOnOff", &State::ShallowAlarmOn},
        {"mnuOptionsDeepOnOff", &State::DeepAlarmOn},
        {"mnuOptionsFishOnOff", &State::FishAlarmOn},
        {"mnuOptionsDragAlarmOnOff", &State::DragAlarmOn},
    };
    for (const auto& [name, flag] : switches) {
        SCOPED_TRACE(name);
        s.SettingsChanged = 0;
        action(name)->trigger();
        EXPECT_EQ(std::tuple(s.*flag, action(name)->text(), s.SettingsChanged),
                  std::tuple(1, "On", 1));
        action(name)->trigger();
        EXPECT_EQ(std::tuple(s.*flag, action(name)->text(), action(name)->isChecked()),
                  std::tuple(0, "Off", true));
    }
    // A file may hold any value: only 1 counts as on, and the switch then turns it on.
    s.FishAlarmOn = 2;
    RefreshMainMenus();
    EXPECT_EQ(action("mnuOptionsFishOnOff")->text(), "Off");
    action("mnuOptionsFishOnOff")->trigger();
    EXPECT_EQ(s.FishAlarmOn, 1);
}

TEST_F(OptionsMenu, RecordingPlaybackAndPortItemsShowTheirStateFromTheRecord) {
    s.RecordNowChecked = s.NmeaOutputActive = true;
    s.RecordAutoEnabled = s.PlaybackEnabled = false;
    RefreshMainMenus();
    EXPECT_EQ(std::tuple(action("mnuOptionsSaveScreenDataNow")->isChecked(),
                         action("mnuOptionsSaveScreenDataAutomatically")->isEnabled(),
                         action("mnuOptionsPlaybackScreenData")->isEnabled(),
                         action("mnuOptionsNmeaSerialOutput")->isChecked()),
              std::tuple(true, false, false, true));

    s.NmeaMenuEnabled = s.RecordMenuEnabled = false;
    s.PlaybackChecked = true;
    const char* const fileItems[] = {"mnuFileNew", "mnuFileOpen", "mnuFileSave", "mnuFileSaveAs"};
    for (bool playing : {true, false}) {
        ShowMenusForPlayback(playing);
        for (const char* name : fileItems)
            EXPECT_NE(action(name)->isEnabled(), playing) << name;
    }
    EXPECT_EQ(std::tuple(action("mnuOptionsNmeaSerialOutput")->isEnabled(),
                         action("mnuOptionsNmeaSerialOutput")->isChecked(),
                         action("mnuOptionsSaveScreenData")->isEnabled(),
                         action("mnuOptionsPlaybackScreenData")->isChecked(),
                         action("mnuFileExit")->isEnabled()),
              std::tuple(false, false, false, true, true));
}

TEST_F(OptionsMenu, EditCopyPutsTheEchogramPictureOnTheClipboard) {
    PictVisible().fillRect(10, 20, 30, 40, Rgb{255, 0, 0});
    action("mnuEditCopy")->trigger();
    const QImage copied = QGuiApplication::clipboard()->image();
    ASSERT_EQ(copied.size(), QSize(1000, 600));
    EXPECT_EQ(copied.pixelColor(15, 25), QColor(255, 0, 0));
    EXPECT_EQ(copied.pixelColor(15, 125), PictVisible().image().pixelColor(15, 125));
    // The copy stays as it was when the picture changes on.
    PictVisible().fillRect(10, 20, 30, 40, Rgb{0, 255, 0});
    EXPECT_EQ(QGuiApplication::clipboard()->image().pixelColor(15, 25), QColor(255, 0, 0));
}

TEST(LeadingNumber, ReadsTheNumberAtTheStartOfTheAnswer) {
    const std::pair<const char*, double> answers[] = {
        {"304.8", 304.8}, {"  -3.5 ft", -3.5}, {"+.5", 0.5}, {"12abc", 12.0}, {"1.5e2", 150.0},
        {"2e", 2.0},      {"7.", 7.0},         {"abc", 0.0}, {"-", 0.0},      {".", 0.0},
        {"", 0.0},
        {"1e999", 0.0}, // no number fits: as if none was given
    };
    for (const auto& [answer, number] : answers)
        EXPECT_DOUBLE_EQ(LeadingNumber(answer), number) << answer;
}

// Every answer but the last is refused: it beeps and asks again; Cancel ("") keeps the old
// value. Alarm depths are shown and entered in the display units and compared in feet with the
// other end of their band. No item takes what its 32-bit field cannot hold (1e39, -1e39, inf,
// nan): each item's first case begins with one of them.
TEST_F(OptionsMenu, EachValueItemsDialogKeepsOnlyAValueWithinItsLimits) {
    struct Case {
        std::int16_t units;
        std::vector<const char*> answers;
        double expected;
        const char* shown; // the value the first dialog offers
    };
    const struct {
        const char* item;
        double (*read)(const State&);
        std::vector<Case> cases;
    } items[] = {
        {"mnuOptionsDeepAlarmValue", Read<&State::DeepAlarmValue>,
         {{1, {"1e39", "304.8"}, 304.8 * 3.280839, "304.8"},
          // Deep must be deeper than the shallow alarm's 20 ft: equal is not deeper.
          {0, {"10", ""}, 1000, "1000.0"},
          {0, {"20", "20.1"}, 20.1, "1000.0"}}},
        {"mnuOptionsShallowAlarmValue", Read<&State::ShallowAlarmValue>,
         {{0, {"-1e39", "500"}, 500, "20.0"}}},
        // Fish band 15..90 ft (2.5..15 fa), drag band 20..80 ft (3.33..13.33 fa).
        {"mnuOptionsFishAlarmShallow", Read<&State::FishAlarmShallow>,
         {{2, {"inf", "15", "14.9"}, 14.9 * 6, "2.5"}}},
        {"mnuOptionsFishAlarmDeep", Read<&State::FishAlarmDeep>,
         {{2, {"nan", "2.5", "2.6"}, 2.6 * 6, "15.0"}}},
        {"mnuOptionsDragAlarmShallow", Read<&State::DragAlarmShallow>,
         {{2, {"1e39", "13.5", "13.3"}, 13.3 * 6, "3.3"}}},
        {"mnuOptionsDragAlarmDeep", Read<&State::DragAlarmDeep>,
         {{2, {"-inf", "3", "3.4"}, 3.4 * 6, "13.3"}}},
        // The keel offset stays within 20 ft, 6.096 m or 3.333 fa either way.
        {"mnuOptiondsDepthKeelOffset", Read<&State::KeelOffset>,
         {{0, {"nan", "20.1", "-20.1", "20"}, 20, "0.0"},
          {2, {"inf", "3.334", "-3.333"}, -19.998, "0.0"},
          {1, {"6.1", "6.096"}, 6.096 * 3.280839, "0.0"}}},
        // Damping is rounded half to even before its check of 1 to 10.
        {"mnuOptDepthDamping", Read<&State::DepthDamping>,
         {{0, {"1e39", "0.4", "abc", "10.5"}, 10, "4"}, {0, {"0.5", "1.5"}, 2, "4"}}},
        // The fish threshold is stored the other way round: 11 - the answer.
        {"mnuOptionsFishAlarmThreshold", Read<&State::FishAlarmThreshold>,
         {{0, {"inf", "11", "0.9", "7"}, 4, "7"}, {0, {"10"}, 1, "7"}, {0, {"1"}, 10, "7"}}},
    };
    for (const auto& item : items) {
        for (const Case& c : item.cases) {
            SCOPED_TRACE(testing::Message() << item.item << " answers ending " << c.answers.back()
                                            << ", units " << c.units);
            ResetState();
            s.DepthUnits = c.units;
            ScriptedDialogs d;
            for (const char* answer : c.answers)
                d.answerInput(answer);
            action(item.item)->trigger();
            ASSERT_EQ(d.shown().size(), c.answers.size());
            EXPECT_EQ(d.shown()[0].defaultAnswer, c.shown);
            EXPECT_EQ(d.beeps(), static_cast<int>(c.answers.size()) - 1);
            EXPECT_FLOAT_EQ(static_cast<float>(item.read(s)), static_cast<float>(c.expected));
            EXPECT_EQ(s.SettingsChanged, *c.answers.back() ? 1 : 0);
        }
    }
}

QString aboutBox(const char* name) {
    return frmAbout::instance().findChild<QLineEdit*>(name)->text();
}

TEST_F(OptionsMenu, HelpShowsItsHintsAndStaysOverTheMainWindowsClicks) {
    frmHelp& w = frmHelp::instance();
    frmHelp::mnuAboutHelp_Click();
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(w.findChild<QLabel*>("lblHelp")->text().startsWith("a) Right click"));
    HideMenuPopups();
    EXPECT_TRUE(w.isVisible());
    w.close();
}

TEST_F(OptionsMenu, AboutReadsTheBoxValuesWhenItIsLoaded) {
    frmAbout::mnuHelpAbout_Click();
    frmAbout& w = frmAbout::instance();
    // Before any box was found: the start-up values.
    EXPECT_EQ(aboutBox("txtPcSoftwareVer"), "3.16");
    EXPECT_EQ(aboutBox("txtIfbFirmwareVer"), " 0");
    EXPECT_EQ(aboutBox("txtAboutSN"), " 0");

    // Hidden by a click on the main window, it stays loaded and keeps what it showed.
    s.IfbFirmwareVersion = 10;
    s.IfbSerialNumber = 1'203'004'056.0;
    HideMenuPopups();
    EXPECT_FALSE(w.isVisible());
    frmAbout::mnuHelpAbout_Click();
    EXPECT_EQ(aboutBox("txtIfbFirmwareVer"), " 0");

    // Closed, it reads the values again on its next showing.
    w.close();
    frmAbout::mnuHelpAbout_Click();
    EXPECT_EQ(aboutBox("txtIfbFirmwareVer"), " 10");
    EXPECT_EQ(aboutBox("txtAboutSN"), " 1203004056");
    w.close();
}

using Calibration = OptionsMenu;

// Answers outside the limits of the units are asked again, without a beep, until one fits.
TEST_F(Calibration, AnEnteredSpeedMustLieWithinTheLimitsOfTheUnits) {
    const struct {
        std::int16_t units;
        std::vector<const char*> answers;
        const char* prompt;
        double feetPerSecond;
    } cases[] = {
        {0, {"4450", "5440", "4450.5"}, "Enter a value between  4450.5 and  5439.5", 4450.5},
        {0, {"5439.5"}, "Enter a value between  4450.5 and  5439.5", 5439.5},
        {1, {"1356.85", "1500"}, "Enter a value between  1356.86 and  1658.38", 1500 * 3.2808399},
        {2, {"906.6", "741.75"}, "Enter a value between  741.75 and  906.58", 741.75 * 6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answers.back());
        s.DepthUnits = c.units;
        ScriptedDialogs d;
        for (const char* answer : c.answers)
            d.answerInput(answer);
        EXPECT_TRUE(SpecifySoundSpeed());
        ASSERT_EQ(d.shown().size(), c.answers.size());
        EXPECT_EQ(d.shown()[0].text, c.prompt);
        EXPECT_EQ(d.beeps(), 0);
        EXPECT_FLOAT_EQ(s.SoundSpeed, static_cast<float>(c.feetPerSecond / 2'000'000.0));
    }
    const float kept = s.SoundSpeed;
    for (const char* answer : {"", "0", "fast"}) {
        ScriptedDialogs none;
        none.answerInput(answer);
        EXPECT_FALSE(SpecifySoundSpeed()) << answer;
        EXPECT_EQ(s.SoundSpeed, kept) << answer;
    }
}

// Each button sets the speed, shows it and marks the settings changed, so that exit offers to
// keep it.
TEST_F(Calibration, SpeedWindowStopsTheEchogramUntilItIsClosed) {
    timers().tmrMainTimer1.setEnabled(true);
    timers().tmrMainTimer2.setEnabled(true);
    s.DepthUnits = 1;
    frmSpeedOfSound::open();
    frmSpeedOfSound& w = frmSpeedOfSound::instance();
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(timers().tmrMainTimer1.enabled() || timers().tmrMainTimer2.enabled());
    EXPECT_EQ(speedLabel(), " 1509.06 Mtr./Sec");
    const std::pair<const char*, float> buttons[] = {
        {"cmdSpeedOfSoundFresh", kFreshWaterSoundSpeed},
        {"cmdSpeedOfSoundSalt", kSaltWaterSoundSpeed},
        {"cmdSpeedOfSoundSpecify", 1500 * 3.2808399f / 2e6f}};
    for (const auto& [name, speed] : buttons) {
        s.SettingsChanged = 0;
        ScriptedDialogs d;
        d.answerInput("1500");
        click(w, name);
        EXPECT_FLOAT_EQ(s.SoundSpeed, speed) << name;
        EXPECT_EQ(speedLabel().toStdString(), SpeedOfSoundLabel()) << name;
        EXPECT_EQ(s.SettingsChanged, 1) << name;
    }
    w.close();
    EXPECT_TRUE(timers().tmrMainTimer1.enabled());
    EXPECT_FALSE(timers().tmrMainTimer2.enabled()); // the ping cycle starts it
    // Opened again, it loads again.
    s.DepthUnits = 2;
    s.SoundSpeed = kSaltWaterSoundSpeed;
    frmSpeedOfSound::open();
    EXPECT_EQ(speedLabel(), " 824.17 Fa./Sec"); // 0.0024725 x 333333.2
    w.close();
    s.DepthUnits = 0;
    EXPECT_EQ(SpeedOfSoundLabel(), " 4945 Ft./Sec");
}

TEST_F(Calibration, TemperatureCorrectionStepsByATenthWithinTenDegrees) {
    for (int i = 0; i < 101; ++i)
        StepTempCalibration(true);
    EXPECT_EQ(s.TempCalibration, 10.0f);
    EXPECT_EQ(s.SettingsChanged, 1);
    s.TempCalibration = -9.95f;
    StepTempCalibration(false);
    EXPECT_EQ(s.TempCalibration, -10.0f);
    StepTempCalibration(true);
    EXPECT_FLOAT_EQ(s.TempCalibration, -9.9f);

    s.TempCalibration = 0.0f;
    s.ShowWaterTemp = 0;
    frmCalibrateTemperature::open();
    frmCalibrateTemperature& w = frmCalibrateTemperature::instance();
    EXPECT_EQ(s.ShowWaterTemp, 1); // the read-out is on while calibrating
    click(w, "cmdCalTemperatureDown");
    EXPECT_FLOAT_EQ(s.TempCalibration, -0.1f);
    click(w, "cmdCalTemperatureUp");
    EXPECT_FLOAT_EQ(s.TempCalibration, 0.0f);
    frmCalibrateTemperature::hideWindow();
    EXPECT_FALSE(w.isVisible());
}

} // namespace
} // namespace vz::test
