#pragma once
// Controls tests: the record with its start-up tables and factory settings, and a window side
// that records what the controls asked the windows to show.
#include "core/Defaults.h"
#include "core/StartupTables.h"
#include "core/Ui.h"
#include "support/Fixture.h"

#include <string>
#include <tuple>
#include <vector>

namespace vz::test {

class ControlsUi : public Ui {
public:
    void setXmitPowerLabel(const std::string& text) override { xmitPowerLabels.push_back(text); }
    void showChannelSettings(Channel c) override { channelSettingsShown.push_back(c); }
    void showProcessingTypeRows(Channel c) override { processingRowsShown.push_back(c); }
    void showManualAutoMode(bool autoMode) override { manualAutoShown.push_back(autoMode); }
    void setScreenFrameEnabled(bool enabled) override { screenFrameEnabled.push_back(enabled); }
    void applySettingsToControls() override { ++controlsApplied; }

    std::vector<std::string> xmitPowerLabels;
    std::vector<Channel> channelSettingsShown, processingRowsShown;
    std::vector<bool> manualAutoShown, screenFrameEnabled;
    int controlsApplied = 0;
};

class ControlsFixture : public Fixture {
protected:
    void SetUp() override {
        Fixture::SetUp();
        BuildStartupTables();
        LoadDefaultsIntoRam();
        setUi(&windows);
    }
    void TearDown() override {
        setUi(nullptr);
        Fixture::TearDown();
    }
    ControlsUi windows;
};

} // namespace vz::test
