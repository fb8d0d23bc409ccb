#pragma once
// Link tests on in-memory ports: the three ports are fakes, the box port is open and wired to
// the receive path, dialogs are scripted and the window side records what it was asked to show.
#include "FakeBox.h"
#include "core/StartupTables.h"
#include "core/Ui.h"
#include "link/ReceivePath.h"
#include "support/FakeSerialPort.h"
#include "support/Fixture.h"
#include "support/ScriptedDialogs.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vz::test {

// A window side that records what the link asked the windows to show; installs itself.
class RecordingUi : public Ui {
public:
    RecordingUi() { setUi(this); }
    ~RecordingUi() override { setUi(nullptr); }

    void showSearchWindow(const std::string& text) override {
        searchTexts.push_back(text);
        // Where in the call stack the search started: repeated start-ups must not nest deeper.
        searchFrames.push_back(reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0)));
    }
    void closeSearchWindow() override {}
    void loadDiagnostics() override { ++diagnosticsLoaded; }
    void showMaxInBuffer() override { ++maxInBufferShown; }
    void setCommsIndicator(bool ok) override { indicator.push_back(ok); }

    std::vector<std::string> searchTexts;
    std::vector<std::uintptr_t> searchFrames;
    int diagnosticsLoaded = 0;
    int maxInBufferShown = 0;
    std::vector<bool> indicator;
};

class LinkFixture : public Fixture {
protected:
    void SetUp() override {
        Fixture::SetUp();
        BuildStartupTables();
        s.SoundSpeed = 0.0024755f;
        setSerialPorts(&port, &gpsPort, &nmeaPort);
        port.onReceive(BoxReceiveEvent);
        port.onFailure(BoxPortFailure);
        port.open(3, "115200,n,8,1", {});
    }
    void TearDown() override {
        EXPECT_EQ(dialogs.unusedAnswers(), 0u);
        Fixture::TearDown();
    }
    // Playback asks whether to save the settings, then for the file to play.
    void answerPlaybackQuestions() { dialogs.answerMessage(AnswerNo).answerFile("C:\\TEMPIFB\\I6120921.05I"); }

    FakeSerialPort port, gpsPort, nmeaPort;
    ScriptedDialogs dialogs;
    RecordingUi ui;
};

} // namespace vz::test
