#include "app/MainMenus.h"
#include "dialogs/OptionsChoices.h"

#include "support/Fixture.h"
#include "support/ScriptedDialogs.h"

#include "display/Surfaces.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMenuBar>

#include <memory>
#include <tuple>

namespace vz::test {
namespace {

class OptionsMenu : public Fixture {
  protected:
    void SetUp() override {
        Fixture::SetUp();
        bar = std::make_unique<QMenuBar>();
        BuildMainMenus(bar.get());
    }
    QAction* action(const char* name) {
        auto* a = bar->findChild<QAction*>(name);
        EXPECT_NE(a, nullptr) << name;
        return a;
    }
    std::vector<std::string> checked() {
        std::vector<std::string> names;
        for (QAction* a : bar->findChildren<QAction*>()) {
            if (a->isChecked() && a->objectName().startsWith("mnuOpt"))
                names.push_back(a->objectName().toStdString());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    std::unique_ptr<QMenuBar> bar;
};

using Entries = std::vector<std::string>;

TEST_F(OptionsMenu, TheFirstCheckMarksShowTheStartUpSettings) {
    EXPECT_EQ(checked(), (Entries{"mnuOptFishAlarmSearch1", "mnuOptionsAutoRangeOnly",
                                  "mnuOptionsBackgroundColorLightBlue", "mnuOptionsDeepOnOff",
                                  "mnuOptionsDepthUnitsFeet", "mnuOptionsDragAlarmOnOff",
                                  "mnuOptionsFishOnOff", "mnuOptionsShallowOnOff",
                                  "mnuOptionsTempUnitsDegF"}));
}

TEST_F(OptionsMenu, ChoicesChangeTheSettingsAndTheMenuFollows) {
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
    EXPECT_EQ(checked(), (Entries{"mnuOptFishAlarmSearch3", "mnuOptionsAutoRangeAndOffset",
                                  "mnuOptionsBackgroundColorDarkGreen", "mnuOptionsDeepOnOff",
                                  "mnuOptionsDepthUnitsFathoms", "mnuOptionsDragAlarmOnOff",
                                  "mnuOptionsFishOnOff", "mnuOptionsShallowOnOff",
                                  "mnuOptionsTempUnitsDegF"}));

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

// Each value item opens its own dialog, and none takes what its 32-bit field cannot hold: each
// such answer beeps and asks again.
TEST_F(OptionsMenu, ValueItemsOpenTheirDialogsWhichRefuseValuesBeyondAFloat) {
    const std::pair<const char*, const char*> items[] = {
        {"mnuOptionsShallowAlarmValue", "Shallow Alarm"},
        {"mnuOptionsDeepAlarmValue", "Deep Alarm"},
        {"mnuOptionsFishAlarmShallow", "Shallow Fish Alarm"},
        {"mnuOptionsFishAlarmDeep", "Deep Fish Alarm"},
        {"mnuOptionsDragAlarmShallow", "Anchor Drag Shallow Alarm"},
        {"mnuOptionsDragAlarmDeep", "Anchor Drag Deep Alarm"},
        {"mnuOptiondsDepthKeelOffset", "Enter Keel Offset:"},
        {"mnuOptDepthDamping", "Depth Filter Damping Level"},
        {"mnuOptionsFishAlarmThreshold", "Fish Alarm Detection Threshold"},
    };
    for (const auto& [name, title] : items) {
        SCOPED_TRACE(name);
        const State before = s;
        ScriptedDialogs d;
        d.answerInput("1e39").answerInput("-1e39").answerInput("inf").answerInput("nan");
        d.answerInput("");
        action(name)->trigger();
        ASSERT_EQ(d.shown().size(), 5u);
        EXPECT_EQ(d.shown()[0].title, title);
        EXPECT_EQ(d.beeps(), 4);
        EXPECT_EQ(s.SettingsChanged, 0);
        EXPECT_EQ(s.ShallowAlarmValue, before.ShallowAlarmValue);
        EXPECT_EQ(s.DragAlarmDeep, before.DragAlarmDeep);
        EXPECT_EQ(s.KeelOffset, before.KeelOffset);
    }
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

} // namespace
} // namespace vz::test
