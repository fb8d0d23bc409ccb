#pragma once
// A window side for recording and playback tests: counts what the windows were asked to show.
// Installs itself for its lifetime.
#include "core/Ui.h"

#include <string>
#include <vector>

namespace vz::test {

class LoggingUi : public Ui {
public:
    LoggingUi() { setUi(this); }
    ~LoggingUi() override { setUi(nullptr); }

    void refreshMenus() override { ++menuRefreshes; }
    void showPosition() override { ++positionsShown; }
    void showPlaybackControls(bool playing) override { playbackControls.push_back(playing); }
    void showStatus(const StatusLabels& labels) override { statuses.push_back(labels); }

    int menuRefreshes = 0;
    int positionsShown = 0;
    std::vector<bool> playbackControls;
    std::vector<StatusLabels> statuses;
};

} // namespace vz::test
