#include "app/MainMenus.h"

#include "app/frmChart.h"
#include "core/FileMenu.h"
#include "core/Shutdown.h"
#include "core/State.h"
#include "dialogs/OptionsChoices.h"
#include "dialogs/OptionsValueDialogs.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmCalibrateTemperature.h"
#include "dialogs/frmHelp.h"
#include "dialogs/frmSpeedOfSound.h"
#include "display/ColorScales.h"
#include "display/Surfaces.h"
#include "link/Ports.h"
#include "logging/RecordingMenu.h"
#include "nav/NavNetworkMenu.h"
#include "nav/NmeaMenu.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include <functional>

namespace vz {

namespace {

// Cleared when the bar goes (tests build several): refreshing then does nothing.
QPointer<QMenuBar> menuBar;

struct ViewItem {
    const char* name;
    const char* caption;
    std::int16_t State::*setting;
};
constexpr ViewItem kViewItems[] = {
    {"mnuColorBarsOnOff", "Color Bars", &State::ShowColorBars},
    {"mnuWhiteLineOnOff", "White Line", &State::ShowWhiteLine},
    {"mnuViewGrayLine", "Gray Line", &State::ShowGrayLine},
    {"mnuDepth", "Depth", &State::ShowDepth},
    {"mnuWaterTemperature", "Water Temperature", &State::ShowWaterTemp},
    {"mnuGpsSpeed", "GPS Speed Over Ground", &State::ShowGpsSpeed},
    {"mnuViewRangeGate", "Range Gate", &State::ShowRangeGate},
};

struct AlarmSwitch {
    const char* name;
    Alarm alarm;
};
constexpr AlarmSwitch kAlarmSwitches[] = {
    {"mnuOptionsShallowOnOff", Alarm::Shallow},
    {"mnuOptionsDeepOnOff", Alarm::Deep},
    {"mnuOptionsFishOnOff", Alarm::Fish},
    {"mnuOptionsDragAlarmOnOff", Alarm::Drag},
};

struct BackgroundItem {
    const char* name;
    const char* caption;
    Rgb colour;
};
constexpr BackgroundItem kBackgroundItems[] = {
    {"mnuOptionsBackgroundColorLightBlue", "Light Blue", kLightBlueBackground},
    {"mnuOptionsBackgroundColorDarkBlue", "Dark Blue", kDarkBlueBackground},
    {"mnuOptionsBackgroundColorDarkGreen", "Dark Green", kDarkGreenBackground},
    {"mnuOptionsBackgroundColorBlack", "Black", kBlackBackground},
};

const char* const kDepthUnitItems[] = {"mnuOptionsDepthUnitsFeet", "mnuOptionsDepthUnitsMeters",
                                       "mnuOptionsDepthUnitsFathoms"};
const char* const kFishSearchItems[] = {"mnuOptFishAlarmSearch1", "mnuOptFishAlarmSearch2",
                                        "mnuOptFishAlarmSearch3", "mnuOptFishAlarmSearch4"};
const char* const kFileSettingsItems[] = {"mnuFileNew", "mnuFileOpen", "mnuFileSave", "mnuFileSaveAs"};

QAction* item(const char* name) { return menuBar ? menuBar->findChild<QAction*>(name) : nullptr; }

void setChecked(const char* name, bool checked) {
    if (QAction* a = item(name)) a->setChecked(checked);
}
void setEnabled(const char* name, bool enabled) {
    if (QAction* a = item(name)) a->setEnabled(enabled);
}

QMenu* addMenu(QWidget* parent, const char* caption, const char* name) {
    QMenu* menu = nullptr;
    if (auto* bar = qobject_cast<QMenuBar*>(parent)) menu = bar->addMenu(caption);
    else menu = static_cast<QMenu*>(parent)->addMenu(caption);
    menu->setObjectName(name);
    // The submenu's own entry, for availability.
    menu->menuAction()->setObjectName(name);
    return menu;
}

// A menu item whose click runs `onClick`; the menu then shows the settings as they are now, so
// that check marks and captions never keep a state of their own.
QAction* addItem(QMenu* menu, const char* caption, const char* name, std::function<void()> onClick,
                 bool checkable = false) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    action->setCheckable(checkable);
    QObject::connect(action, &QAction::triggered, action, [onClick = std::move(onClick)] {
        onClick();
        RefreshMainMenus();
    });
    return action;
}

void buildFileMenu(QMenuBar* bar) {
    QMenu* mnuFile = addMenu(bar, "&File", "mnuFile");
    addItem(mnuFile, "&New", "mnuFileNew", mnuFileNew_Click);
    addItem(mnuFile, "&Open Settings", "mnuFileOpen", mnuFileOpen_Click);
    addItem(mnuFile, "&Save Settings ", "mnuFileSave", mnuFileSave_Click);
    addItem(mnuFile, "Save Settings &As...", "mnuFileSaveAs", mnuFileSaveAs_Click);
    mnuFile->addSeparator();
    addItem(mnuFile, "E&xit", "mnuFileExit", ExitProgram);
}

void buildEditMenu(QMenuBar* bar) {
    QMenu* mnuEdit = addMenu(bar, "&Edit", "mnuEdit");
    QAction* copy = addItem(mnuEdit, "&Copy", "mnuEditCopy", [] {
        QGuiApplication::clipboard()->setImage(PictVisible().image().copy());
    });
    copy->setShortcut(QKeySequence::Copy);
}

void buildDepthMenu(QMenu* options) {
    QMenu* depth = addMenu(options, "Depth ", "mnuOptionsDepthUnits");
    const char* const captions[] = {"Feet", "Meters", "Fathoms"};
    for (std::int16_t units = 0; units < 3; ++units) {
        addItem(depth, captions[units], kDepthUnitItems[units],
                [units] { mnuOptionsDepthUnits_Click(units); }, true);
    }
    depth->addSeparator();
    addItem(depth, "Speed Of Sound", "mnuOptiondsDepthSpeedOfSound", frmSpeedOfSound::open);
    depth->addSeparator();
    addItem(depth, "Keel Offset", "mnuOptiondsDepthKeelOffset", mnuOptiondsDepthKeelOffset_Click);
    depth->addSeparator();
    addItem(depth, "Damping", "mnuOptDepthDamping", mnuOptDepthDamping_Click);
}

QAction* addAlarmSwitch(QMenu* menu, Alarm alarm) {
    QAction* a = addItem(menu, "Off", kAlarmSwitches[static_cast<int>(alarm)].name,
                         [alarm] { mnuOptionsAlarmOnOff_Click(alarm); }, true);
    menu->addSeparator();
    return a;
}

QAction* addAlarmDepth(QMenu* menu, const char* caption, const char* name, AlarmDepth which) {
    return addItem(menu, caption, name, [which] { mnuOptionsAlarmDepth_Click(which); });
}

void buildAlarmsMenu(QMenu* options) {
    QMenu* alarms = addMenu(options, "Alarms", "mnuOptionsDepthAlarmS");

    QMenu* shallow = addMenu(alarms, "Shallow", "mnuOptionsDepthAlarmShallow");
    addAlarmSwitch(shallow, Alarm::Shallow);
    addAlarmDepth(shallow, "Set Value", "mnuOptionsShallowAlarmValue", AlarmDepth::Shallow);

    QMenu* deep = addMenu(alarms, "Deep", "mnuOptionsDepthAlarmDeep");
    addAlarmSwitch(deep, Alarm::Deep);
    addAlarmDepth(deep, "Set Value", "mnuOptionsDeepAlarmValue", AlarmDepth::Deep);

    QMenu* fish = addMenu(alarms, "Fish", "mnuOptionsDepthAlarmFish");
    addAlarmSwitch(fish, Alarm::Fish);
    const char* const searchCaptions[] = {
        "Search between Shallow and Deep Range", "Search between Surface and Deep Range",
        "Search between Shallow Range and Bottom ", "Search between Surface and Bottom"};
    for (std::uint8_t zone = 1; zone <= 4; ++zone) {
        addItem(fish, searchCaptions[zone - 1], kFishSearchItems[zone - 1],
                [zone] { mnuOptFishAlarmSearch_Click(zone); }, true);
    }
    fish->addSeparator();
    addAlarmDepth(fish, "View/Set Shallow Fish Alarm Range ", "mnuOptionsFishAlarmShallow", AlarmDepth::FishShallow);
    addAlarmDepth(fish, "View/Set Deep Fish Alarm Range", "mnuOptionsFishAlarmDeep", AlarmDepth::FishDeep);
    fish->addSeparator();
    addItem(fish, "View/Set Fish Detection Threshold", "mnuOptionsFishAlarmThreshold",
            mnuOptionsFishAlarmThreshold_Click);

    QMenu* drag = addMenu(alarms, "Anchor Drag", "mnuOptionsDepthAlarmAnchorDrag");
    addAlarmSwitch(drag, Alarm::Drag);
    addAlarmDepth(drag, "Set Shallow Drag Alarm Value", "mnuOptionsDragAlarmShallow", AlarmDepth::DragShallow);
    addAlarmDepth(drag, "Set Deep Drag Alarm Value", "mnuOptionsDragAlarmDeep", AlarmDepth::DragDeep);
    alarms->addSeparator();
}

void buildTemperatureMenu(QMenu* options) {
    QMenu* temperature = addMenu(options, "Temperature", "mnuOptionsTemperatureUnits");
    addItem(temperature, "Degrees F", "mnuOptionsTempUnitsDegF", [] { mnuOptionsTempUnits_Click(0); }, true);
    addItem(temperature, "Degrees C", "mnuOptionsTempUnitsDegC", [] { mnuOptionsTempUnits_Click(1); }, true);
    temperature->addSeparator();
    addItem(temperature, "Calibrate", "mnuTemperatureCalibrate", frmCalibrateTemperature::open);
}

void buildOptionsMenu(QMenuBar* bar) {
    QMenu* options = addMenu(bar, "&Options", "mnuOptions");
    buildDepthMenu(options);
    buildAlarmsMenu(options);
    buildTemperatureMenu(options);

    QMenu* background = addMenu(options, "Background Color", "mnuOptionsBackgroundColor");
    for (const BackgroundItem& b : kBackgroundItems) {
        const Rgb colour = b.colour;
        addItem(background, b.caption, b.name, [colour] { mnuOptionsBackgroundColor_Click(colour); }, true);
    }
    options->addSeparator();

    QMenu* autoSettings = addMenu(options, "Auto Settings", "mnuOptionsAutoSettings");
    addItem(autoSettings, "Auto Range Only", "mnuOptionsAutoRangeOnly", [] { mnuOptionsAutoRange_Click(true); }, true);
    addItem(autoSettings, "Auto Offset and Auto Range", "mnuOptionsAutoRangeAndOffset",
            [] { mnuOptionsAutoRange_Click(false); }, true);
    autoSettings->addSeparator();
    addItem(autoSettings, "Copy Depth Scales to Moving Display", "mnuOptLeaveScales", mnuOptLeaveScales_Click, true);
    options->addSeparator();

    addItem(options, "Serial Data Out ON/OFF", "mnuOptionsNmeaSerialOutput", mnuOptionsNmeaSerialOutput_Click, true);
    addItem(options, "NMEA Data Out over UDP...", "mnuOptionsNmeaUdp", [] { mnuOptionsNetLink_Click(NetLink::NmeaUdp); },
            true);
    addItem(options, "NMEA Data Out over TCP...", "mnuOptionsNmeaTcp", [] { mnuOptionsNetLink_Click(NetLink::NmeaTcp); },
            true);
    options->addSeparator();

    QMenu* record = addMenu(options, "Record Screen Data to Logfile", "mnuOptionsSaveScreenData");
    addItem(record, "Toggle ON/OFF Manually", "mnuOptionsSaveScreenDataNow", mnuOptionsSaveScreenDataNow_Click, true);
    addItem(record, "Automatically", "mnuOptionsSaveScreenDataAutomatically",
            mnuOptionsSaveScreenDataAutomatically_Click, true);
    addItem(options, "View/Set AutoSave Minutes", "mnuOptionsSetAutoSaveMinutes", mnuOptionsSetAutoSaveMinutes_Click);
    options->addSeparator();
    addItem(options, "Playback Screen Data From File", "mnuOptionsPlaybackScreenData",
            mnuOptionsPlaybackScreenData_Click, true);
    options->addSeparator();

    QMenu* ports = addMenu(options, "Communications Ports", "mnuOptionsComPorts");
    addItem(ports, "Set/Reset Communications Ports", "mnuOptionsSetCommPorts", ResetCommunicationsPorts);
    addItem(ports, "GPS from gpsd...", "mnuOptionsGpsd", [] { mnuOptionsNetLink_Click(NetLink::Gpsd); }, true);
}

void buildViewMenu(QMenuBar* bar) {
    QMenu* mnuView = addMenu(bar, "&View", "mnuView");
    for (const ViewItem& v : kViewItems) {
        const auto setting = v.setting;
        addItem(mnuView, v.caption, v.name, [setting] {
            State& s = state();
            s.*setting = s.*setting != 0 ? 0 : 1;
            s.SettingsChanged = 1;
            if (setting == &State::ShowColorBars) CheckColorScales();
        }, true);
    }
    mnuView->addSeparator();
    addItem(mnuView, "Chart", "mnuViewChart", frmChart::toggle, true);
}

void buildHelpMenu(QMenuBar* bar) {
    QMenu* mnuHelp = addMenu(bar, "&Help", "mnuHelp");
    addItem(mnuHelp, "Help Text", "mnuAboutHelp", frmHelp::mnuAboutHelp_Click);
    mnuHelp->addSeparator()->setObjectName("mnuHelpSepBar1");
    addItem(mnuHelp, "About", "mnuHelpAbout", frmAbout::mnuHelpAbout_Click);
}

void refreshOptionsMenu() {
    const State& s = state();
    for (int units = 0; units < 3; ++units) setChecked(kDepthUnitItems[units], s.DepthUnits == units);
    // The alarm switches always carry their check mark; the caption tells the state.
    for (const AlarmSwitch& a : kAlarmSwitches) {
        if (QAction* action = item(a.name)) {
            action->setChecked(true);
            action->setText(AlarmOnFlag(a.alarm) == 1 ? "On" : "Off");
        }
    }
    for (int zone = 1; zone <= 4; ++zone) setChecked(kFishSearchItems[zone - 1], s.FishAlarmSearch == zone);
    setChecked("mnuOptionsTempUnitsDegF", s.TempUnitsC != 1);
    setChecked("mnuOptionsTempUnitsDegC", s.TempUnitsC == 1);
    for (const BackgroundItem& b : kBackgroundItems) setChecked(b.name, s.BackgroundColor == b.colour);
    setChecked("mnuOptionsAutoRangeOnly", s.AutoRangeOnly == 1);
    setChecked("mnuOptionsAutoRangeAndOffset", s.AutoRangeOnly != 1);
    setChecked("mnuOptLeaveScales", s.LeaveScales != 0);

    setChecked("mnuOptionsNmeaSerialOutput", s.NmeaMenuEnabled && s.NmeaOutputActive);
    setEnabled("mnuOptionsNmeaSerialOutput", s.NmeaMenuEnabled);
    setChecked("mnuOptionsNmeaUdp", s.NmeaUdpOutput.on);
    setChecked("mnuOptionsNmeaTcp", s.NmeaTcpOutput.on);
    setChecked("mnuOptionsGpsd", s.GpsdSource.on);
    setChecked("mnuOptionsSaveScreenDataNow", s.RecordNowChecked);
    setEnabled("mnuOptionsSaveScreenDataNow", s.RecordNowEnabled);
    setChecked("mnuOptionsSaveScreenDataAutomatically", s.RecordAutoChecked);
    setEnabled("mnuOptionsSaveScreenDataAutomatically", s.RecordAutoEnabled);
    setEnabled("mnuOptionsSaveScreenData", s.RecordMenuEnabled);
    setChecked("mnuOptionsPlaybackScreenData", s.PlaybackChecked);
    setEnabled("mnuOptionsPlaybackScreenData", s.PlaybackEnabled);
}

} // namespace

void BuildMainMenus(QMenuBar* bar) {
    menuBar = bar;
    buildFileMenu(bar);
    buildEditMenu(bar);
    buildOptionsMenu(bar);
    buildViewMenu(bar);
    buildHelpMenu(bar);
    RefreshMainMenus();
}

void RefreshMainMenus() {
    const State& s = state();
    for (const ViewItem& v : kViewItems) setChecked(v.name, s.*(v.setting) != 0);
    setChecked("mnuViewChart", frmChart::isOpen());
    refreshOptionsMenu();
}

void ShowMenusForPlayback(bool playback) {
    for (const char* name : kFileSettingsItems) setEnabled(name, !playback);
    RefreshMainMenus();
}

void HideMenuPopups() {
    frmCalibrateTemperature::hideWindow();
    frmAbout::hideWindow();
}

} // namespace vz
