#include "app/MainMenus.h"
#include "dialogs/OptionsChoices.h"

#include "support/Fixture.h"
#include "support/ScriptedDialogs.h"

#include "display/Surfaces.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMenu>
#include <QMenuBar>

#include <memory>

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
    QMenu* menu(const char* name) { return bar->findChild<QMenu*>(name); }
    // Captions and names of a menu's entries in order; "-" for a separator.
    std::vector<std::string> entries(const char* menuName) {
        std::vector<std::string> out;
        QMenu* m = menu(menuName);
        if (!m) return {"<missing " + std::string(menuName) + ">"};
        for (QAction* a : m->actions()) {
            out.push_back(a->isSeparator() ? "-" : a->text().toStdString() + "|" + a->objectName().toStdString());
        }
        return out;
    }
    std::vector<std::string> checked() {
        std::vector<std::string> names;
        for (QAction* a : bar->findChildren<QAction*>()) {
            if (a->isChecked() && a->objectName().startsWith("mnuOpt")) names.push_back(a->objectName().toStdString());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    std::unique_ptr<QMenuBar> bar;
};

using Entries = std::vector<std::string>;

TEST_F(OptionsMenu, TheTreeHasItsCaptionsNamesAndFirstCheckMarks) {
    std::vector<std::string> top;
    for (QAction* a : bar->actions()) top.push_back(a->text().toStdString());
    EXPECT_EQ(top, (Entries{"&File", "&Edit", "&Options", "&View", "&Help"}));

    EXPECT_EQ(entries("mnuOptions"),
              (Entries{"Depth |mnuOptionsDepthUnits", "Alarms|mnuOptionsDepthAlarmS",
                       "Temperature|mnuOptionsTemperatureUnits",
                       "Background Color|mnuOptionsBackgroundColor", "-",
                       "Auto Settings|mnuOptionsAutoSettings", "-",
                       "Serial Data Out ON/OFF|mnuOptionsNmeaSerialOutput",
                       "NMEA Data Out over UDP...|mnuOptionsNmeaUdp",
                       "NMEA Data Out over TCP...|mnuOptionsNmeaTcp", "-",
                       "Record Screen Data to Logfile|mnuOptionsSaveScreenData",
                       "View/Set AutoSave Minutes|mnuOptionsSetAutoSaveMinutes", "-",
                       "Playback Screen Data From File|mnuOptionsPlaybackScreenData", "-",
                       "Communications Ports|mnuOptionsComPorts"}));
    EXPECT_EQ(entries("mnuOptionsDepthUnits"),
              (Entries{"Feet|mnuOptionsDepthUnitsFeet", "Meters|mnuOptionsDepthUnitsMeters",
                       "Fathoms|mnuOptionsDepthUnitsFathoms", "-",
                       "Speed Of Sound|mnuOptiondsDepthSpeedOfSound", "-",
                       "Keel Offset|mnuOptiondsDepthKeelOffset", "-", "Damping|mnuOptDepthDamping"}));
    EXPECT_EQ(entries("mnuOptionsDepthAlarmS"),
              (Entries{"Shallow|mnuOptionsDepthAlarmShallow", "Deep|mnuOptionsDepthAlarmDeep",
                       "Fish|mnuOptionsDepthAlarmFish", "Anchor Drag|mnuOptionsDepthAlarmAnchorDrag", "-"}));
    EXPECT_EQ(entries("mnuOptionsDepthAlarmShallow"),
              (Entries{"Off|mnuOptionsShallowOnOff", "-", "Set Value|mnuOptionsShallowAlarmValue"}));
    EXPECT_EQ(entries("mnuOptionsDepthAlarmDeep"),
              (Entries{"Off|mnuOptionsDeepOnOff", "-", "Set Value|mnuOptionsDeepAlarmValue"}));
    EXPECT_EQ(entries("mnuOptionsDepthAlarmFish"),
              (Entries{"Off|mnuOptionsFishOnOff", "-",
                       "Search between Shallow and Deep Range|mnuOptFishAlarmSearch1",
                       "Search between Surface and Deep Range|mnuOptFishAlarmSearch2",
                       "Search between Shallow Range and Bottom |mnuOptFishAlarmSearch3",
                       "Search between Surface and Bottom|mnuOptFishAlarmSearch4", "-",
                       "View/Set Shallow Fish Alarm Range |mnuOptionsFishAlarmShallow",
                       "View/Set Deep Fish Alarm Range|mnuOptionsFishAlarmDeep", "-",
                       "View/Set Fish Detection Threshold|mnuOptionsFishAlarmThreshold"}));
    EXPECT_EQ(entries("mnuOptionsDepthAlarmAnchorDrag"),
              (Entries{"Off|mnuOptionsDragAlarmOnOff", "-",
                       "Set Shallow Drag Alarm Value|mnuOptionsDragAlarmShallow",
                       "Set Deep Drag Alarm Value|mnuOptionsDragAlarmDeep"}));
    EXPECT_EQ(entries("mnuOptionsTemperatureUnits"),
              (Entries{"Degrees F|mnuOptionsTempUnitsDegF", "Degrees C|mnuOptionsTempUnitsDegC", "-",
                       "Calibrate|mnuTemperatureCalibrate"}));
    EXPECT_EQ(entries("mnuOptionsBackgroundColor"),
              (Entries{"Light Blue|mnuOptionsBackgroundColorLightBlue", "Dark Blue|mnuOptionsBackgroundColorDarkBlue",
                       "Dark Green|mnuOptionsBackgroundColorDarkGreen", "Black|mnuOptionsBackgroundColorBlack"}));
    EXPECT_EQ(entries("mnuOptionsAutoSettings"),
              (Entries{"Auto Range Only|mnuOptionsAutoRangeOnly",
                       "Auto Offset and Auto Range|mnuOptionsAutoRangeAndOffset", "-",
                       "Copy Depth Scales to Moving Display|mnuOptLeaveScales"}));
    EXPECT_EQ(entries("mnuOptionsSaveScreenData"),
              (Entries{"Toggle ON/OFF Manually|mnuOptionsSaveScreenDataNow",
                       "Automatically|mnuOptionsSaveScreenDataAutomatically"}));
    EXPECT_EQ(entries("mnuOptionsComPorts"),
              (Entries{"Set/Reset Communications Ports|mnuOptionsSetCommPorts",
                       "GPS from gpsd...|mnuOptionsGpsd"}));
    EXPECT_EQ(entries("mnuHelp"), (Entries{"Help Text|mnuAboutHelp", "-", "About|mnuHelpAbout"}));
    EXPECT_EQ(entries("mnuEdit"), (Entries{"&Copy|mnuEditCopy"}));
    EXPECT_EQ(action("mnuEditCopy")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_C));
    EXPECT_EQ(entries("mnuFile"),
              (Entries{"&New|mnuFileNew", "&Open Settings|mnuFileOpen", "&Save Settings |mnuFileSave",
                       "Save Settings &As...|mnuFileSaveAs", "-", "E&xit|mnuFileExit"}));

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
    EXPECT_EQ(s.DepthUnits, 2);
    EXPECT_FLOAT_EQ(s.BottomDepth, 5.0f);
    EXPECT_FLOAT_EQ(s.RangeGateDepth, 5.0f);
    EXPECT_FLOAT_EQ(s.DisplayDepth, 5.5f);
    EXPECT_EQ(s.SettingsChanged, 1);
    EXPECT_EQ(s.SendSettings, 1);
    EXPECT_FALSE(action("mnuOptionsDepthUnitsFeet")->isChecked());
    EXPECT_TRUE(action("mnuOptionsDepthUnitsFathoms")->isChecked());

    s.WaterTemperature = 55.0f;
    s.SendSettings = 0;
    action("mnuOptionsTempUnitsDegC")->trigger();
    EXPECT_EQ(s.TempUnitsC, 1);
    EXPECT_EQ(s.WaterTemperature, 99.9f);
    EXPECT_EQ(s.SendSettings, 0);
    EXPECT_TRUE(action("mnuOptionsTempUnitsDegC")->isChecked());
    EXPECT_FALSE(action("mnuOptionsTempUnitsDegF")->isChecked());
    s.WaterTemperature = 12.0f;
    action("mnuOptionsTempUnitsDegF")->trigger(); // choosing the units again still starts afresh
    action("mnuOptionsTempUnitsDegF")->trigger();
    EXPECT_EQ(s.TempUnitsC, 0);
    EXPECT_EQ(s.WaterTemperature, 99.9f);
    EXPECT_TRUE(action("mnuOptionsTempUnitsDegF")->isChecked());

    const std::pair<const char*, Rgb> colours[] = {
        {"mnuOptionsBackgroundColorDarkBlue", {0, 0, 128}},
        {"mnuOptionsBackgroundColorDarkGreen", {0, 128, 0}},
        {"mnuOptionsBackgroundColorBlack", {0, 0, 0}},
        {"mnuOptionsBackgroundColorLightBlue", {0, 0, 255}},
    };
    for (const auto& [name, colour] : colours) {
        action(name)->trigger();
        EXPECT_EQ(s.BackgroundColor, colour) << name;
        EXPECT_EQ(checked().size(), 9u) << name; // exactly one background checked
        EXPECT_TRUE(action(name)->isChecked()) << name;
    }

    action("mnuOptionsAutoRangeAndOffset")->trigger();
    EXPECT_EQ(s.AutoRangeOnly, 0);
    EXPECT_TRUE(action("mnuOptionsAutoRangeAndOffset")->isChecked());
    EXPECT_FALSE(action("mnuOptionsAutoRangeOnly")->isChecked());

    action("mnuOptLeaveScales")->trigger();
    EXPECT_EQ(s.LeaveScales, 1);
    EXPECT_TRUE(action("mnuOptLeaveScales")->isChecked());
    s.LeaveScales = 7; // any non-zero value counts as on
    action("mnuOptLeaveScales")->trigger();
    EXPECT_EQ(s.LeaveScales, 0);
    EXPECT_FALSE(action("mnuOptLeaveScales")->isChecked());

    action("mnuOptFishAlarmSearch3")->trigger();
    EXPECT_EQ(s.FishAlarmSearch, 3);
    for (int zone = 1; zone <= 4; ++zone) {
        const std::string name = "mnuOptFishAlarmSearch" + std::to_string(zone);
        EXPECT_EQ(action(name.c_str())->isChecked(), zone == 3) << name;
    }
}

TEST_F(OptionsMenu, AlarmSwitchesKeepTheirCheckMarkAndShowTheStateInTheCaption) {
    const std::pair<const char*, std::uint8_t State::*> switches[] = {
        {"mnuOptionsShallowOnOff", &State::ShallowAlarmOn},
        {"mnuOptionsDeepOnOff", &State::DeepAlarmOn},
        {"mnuOptionsFishOnOff", &State::FishAlarmOn},
        {"mnuOptionsDragAlarmOnOff", &State::DragAlarmOn},
    };
    for (const auto& [name, flag] : switches) {
        s.SettingsChanged = 0;
        action(name)->trigger();
        EXPECT_EQ(s.*flag, 1) << name;
        EXPECT_EQ(action(name)->text(), "On") << name;
        EXPECT_TRUE(action(name)->isChecked()) << name;
        EXPECT_EQ(s.SettingsChanged, 1) << name;
        action(name)->trigger();
        EXPECT_EQ(s.*flag, 0) << name;
        EXPECT_EQ(action(name)->text(), "Off") << name;
        EXPECT_TRUE(action(name)->isChecked()) << name;
    }
    // A file may hold any value: only 1 counts as on, and the switch then turns it on.
    s.FishAlarmOn = 2;
    RefreshMainMenus();
    EXPECT_EQ(action("mnuOptionsFishOnOff")->text(), "Off");
    action("mnuOptionsFishOnOff")->trigger();
    EXPECT_EQ(s.FishAlarmOn, 1);
}

TEST_F(OptionsMenu, RecordingPlaybackAndPortItemsShowTheirStateFromTheRecord) {
    s.RecordNowChecked = true;
    s.RecordAutoEnabled = false;
    s.PlaybackEnabled = false;
    s.NmeaOutputActive = true;
    RefreshMainMenus();
    EXPECT_TRUE(action("mnuOptionsSaveScreenDataNow")->isChecked());
    EXPECT_FALSE(action("mnuOptionsSaveScreenDataAutomatically")->isEnabled());
    EXPECT_FALSE(action("mnuOptionsPlaybackScreenData")->isEnabled());
    EXPECT_TRUE(action("mnuOptionsNmeaSerialOutput")->isChecked());

    s.NmeaMenuEnabled = false;
    s.RecordMenuEnabled = false;
    s.PlaybackChecked = true;
    ShowMenusForPlayback(true);
    EXPECT_FALSE(action("mnuOptionsNmeaSerialOutput")->isEnabled());
    EXPECT_FALSE(action("mnuOptionsNmeaSerialOutput")->isChecked());
    EXPECT_FALSE(action("mnuOptionsSaveScreenData")->isEnabled());
    EXPECT_TRUE(action("mnuOptionsPlaybackScreenData")->isChecked());
    for (const char* name : {"mnuFileNew", "mnuFileOpen", "mnuFileSave", "mnuFileSaveAs"}) {
        EXPECT_FALSE(action(name)->isEnabled()) << name;
    }
    EXPECT_TRUE(action("mnuFileExit")->isEnabled());
    ShowMenusForPlayback(false);
    for (const char* name : {"mnuFileNew", "mnuFileOpen", "mnuFileSave", "mnuFileSaveAs"}) {
        EXPECT_TRUE(action(name)->isEnabled()) << name;
    }
}

TEST_F(OptionsMenu, ValueItemsOpenTheirDialogs) {
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
    ScriptedDialogs d;
    for (std::size_t i = 0; i < std::size(items); ++i) d.answerInput("");
    for (const auto& [name, title] : items) action(name)->trigger();
    ASSERT_EQ(d.shown().size(), std::size(items));
    for (std::size_t i = 0; i < std::size(items); ++i) EXPECT_EQ(d.shown()[i].title, items[i].second);
    EXPECT_EQ(s.SettingsChanged, 0);
}

TEST_F(OptionsMenu, EditCopyPutsTheEchogramPictureOnTheClipboard) {
    PictVisible().fillRect(10, 20, 30, 40, Rgb{255, 0, 0});
    action("mnuEditCopy")->trigger();
    const QImage copied = QGuiApplication::clipboard()->image();
    ASSERT_EQ(copied.size(), QSize(1000, 600));
    EXPECT_EQ(copied.pixelColor(15, 25), QColor(255, 0, 0));
    EXPECT_EQ(copied.pixelColor(15, 25 + 100), PictVisible().image().pixelColor(15, 125));
    // The copy stays as it was when the picture changes on.
    PictVisible().fillRect(10, 20, 30, 40, Rgb{0, 255, 0});
    EXPECT_EQ(QGuiApplication::clipboard()->image().pixelColor(15, 25), QColor(255, 0, 0));
}

} // namespace
} // namespace vz::test
