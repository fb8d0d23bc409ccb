#pragma once
// Link tests on in-memory ports: the three ports are fakes, the box port is open and wired to
// the receive path, dialogs are scripted and the window side records what it was asked to show.
#include "FakeBox.h"
#include "RecordingUi.h"
#include "link/ReceivePath.h"
#include "support/FakeSerialPort.h"
#include "support/Fixture.h"
#include "support/ScriptedDialogs.h"

namespace vz::test {

class LinkFixture : public Fixture {
protected:
    void SetUp() override {
        Fixture::SetUp();
        setSerialPorts(&port, &gpsPort, &nmeaPort);
        port.onReceive(BoxReceiveEvent);
        port.onFailure(BoxPortFailure);
        port.open(3, "115200,n,8,1", {});
    }
    void TearDown() override {
        EXPECT_EQ(dialogs.unusedAnswers(), 0u);
        Fixture::TearDown();
    }

    FakeSerialPort port, gpsPort, nmeaPort;
    ScriptedDialogs dialogs;
    RecordingUi ui;
};

} // namespace vz::test
