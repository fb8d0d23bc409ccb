#include "app/MainMenus.h"

#include "core/Shutdown.h"
#include "core/State.h"
#include "display/ColorScales.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace vz {

namespace {

QMenuBar* menuBar = nullptr;

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

QAction* item(const char* name) { return menuBar ? menuBar->findChild<QAction*>(name) : nullptr; }

void buildFileMenu(QMenuBar* bar) {
    QMenu* mnuFile = bar->addMenu("&File");
    mnuFile->setObjectName("mnuFile");
    const char* captions[] = {"&New", "&Open Settings", "&Save Settings ", "Save Settings &As..."};
    const char* names[] = {"mnuFileNew", "mnuFileOpen", "mnuFileSave", "mnuFileSaveAs"};
    for (int i = 0; i < 4; ++i) {
        QAction* a = mnuFile->addAction(captions[i]);
        a->setObjectName(names[i]);
        a->setEnabled(false);
    }
    mnuFile->addSeparator();
    mnuFile->addAction("E&xit", [] { ExitProgram(); })->setObjectName("mnuFileExit");
}

void buildViewMenu(QMenuBar* bar) {
    QMenu* mnuView = bar->addMenu("&View");
    mnuView->setObjectName("mnuView");
    for (const ViewItem& v : kViewItems) {
        QAction* action = mnuView->addAction(v.caption);
        action->setObjectName(v.name);
        action->setCheckable(true);
        const auto setting = v.setting;
        QObject::connect(action, &QAction::triggered, action, [setting, action] {
            State& s = state();
            s.*setting = s.*setting != 0 ? 0 : 1;
            action->setChecked(s.*setting != 0);
            s.SettingsChanged = 1;
            if (setting == &State::ShowColorBars) CheckColorScales();
        });
    }
}

} // namespace

void BuildMainMenus(QMenuBar* bar) {
    menuBar = bar;
    buildFileMenu(bar);
    bar->addMenu("&Edit")->setEnabled(false);
    bar->addMenu("&Options")->setEnabled(false);
    buildViewMenu(bar);
    bar->addMenu("&Help")->setEnabled(false);
    RefreshMainMenus();
}

void RefreshMainMenus() {
    const State& s = state();
    for (const ViewItem& v : kViewItems) {
        if (QAction* a = item(v.name)) a->setChecked(s.*(v.setting) != 0);
    }
}

void ShowMenusForPlayback(bool playback) {
    for (const char* name : {"mnuFileNew", "mnuFileOpen", "mnuFileSave", "mnuFileSaveAs"}) {
        if (QAction* a = item(name)) a->setEnabled(!playback);
    }
}

} // namespace vz
