#pragma once
// Shared by the recording and playback tests: files of the data folder, screen-data files built
// from replies, a window side that keeps what the windows were asked to show, and the fixture.
#include "support/DataFiles.h"
#include "support/ExportTool.h"
#include "support/ReplyBuilder.h"
#include "controls/MainOptions.h"
#include "core/Defaults.h"
#include "core/SettingsFile.h"
#include "core/StartupTables.h"
#include "core/Ui.h"
#include "display/Surfaces.h"
#include "logging/Playback.h"
#include "logging/Recording.h"
#include "logging/RecordingMenu.h"
#include "logging/ScreenDataLines.h"
#include "logging/TrackExport.h"
#include "processing/AcquisitionTick.h"
#include "processing/PingCycle.h"
#include "support/FakeClock.h"
#include "support/FakeSerialPort.h"
#include "support/Fixture.h"
#include "support/ScriptedDialogs.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>

#include <cstdio>
#include <functional>

namespace vz::test {

using Bytes = std::vector<std::uint8_t>;
inline const std::string kHeader8 = "3.16  8  ***************************************";
inline const std::string kHeader10 = "3.16  10  ***************************************";
inline const std::string kOpened = " Opened at: I6120609.05I12-06-2026        09:05:01";
inline const ChannelBlock kAnalogBlock{1, 1, 1, 50, 20, 236, 3, 0, 2, 165, 1, 10, 0, 1, 0, 120};

// A reply as the box sends it: entries 2..samples+1 of `level(entry)`.
inline Bytes replyBytes(int samples, const std::function<std::uint8_t(int)>& level, int interval = 60) {
    PingReply r;
    for (int entry = 2; entry <= samples + 1; ++entry) r.samples.push_back(level(entry));
    r.interval = static_cast<std::uint16_t>(interval);
    return r.bytes();
}
inline Bytes replyBytes(int samples, std::uint8_t level) {
    return replyBytes(samples, [level](int) { return level; });
}

inline std::string record(const std::string& time, const Bytes& bytes) {
    return DataRecordLine(time, bytes.data(), static_cast<int>(bytes.size()));
}

// Installs itself for its lifetime.
class LoggingUi : public Ui {
public:
    LoggingUi() { setUi(this); }
    ~LoggingUi() override { setUi(nullptr); }
    void refreshMenus() override { ++menuRefreshes; }
    void showPosition() override { ++positionsShown; }
    void showPlaybackControls(bool playing) override { playbackControls.push_back(playing); }
    void showStatus(const StatusLabels& labels) override { statuses.push_back(labels); }

    int menuRefreshes = 0, positionsShown = 0;
    std::vector<bool> playbackControls;
    std::vector<StatusLabels> statuses;
};

// Start-up tables and factory settings, ports of the test's own (playback still clears the box's
// input), no answer left over at the end, and no recording left open for the next test.
class LoggingTest : public Fixture {
protected:
    void SetUp() override {
        Fixture::SetUp();
        BuildStartupTables();
        LoadDefaultsIntoRam();
        setSerialPorts(&box, &gps, &nmea);
    }
    void TearDown() override {
        CloseRecordingFile(false);
        box.close();
        EXPECT_EQ(dialogs.unusedAnswers(), 0u);
        Fixture::TearDown();
    }
    // Enters playback of `path`, chosen in the file dialog without saving the settings.
    void choose(const std::string& path) {
        dialogs.answerMessage(AnswerNo).answerFile(path);
        EnterPlaybackMode();
    }

    FakeSerialPort box, gps, nmea;
    ScriptedDialogs dialogs;
    LoggingUi ui;
};

} // namespace vz::test
