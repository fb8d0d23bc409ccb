#include "LinkFixture.h"
#include "core/SettingsFile.h"
#include "link/Ports.h"
#include "platform/Clock.h"
#include "platform/Paths.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

namespace vz::test {
namespace {

const std::string kIfbPrompt12 =
    "Error encountered while trying to open COM12.\r\nPlease check data and power connections "
    "and/or\r\nenter a different COM port number(1-16).\r\n\r\nEnter '0' to go into Playback "
    "mode.\r\n\r\nClick Cancel to quit program.";

class PortsTest : public LinkFixture {
protected:
    void SetUp() override {
        LinkFixture::SetUp();
        port.close();
        opensBefore = port.openCount();
    }
    int opens() const { return port.openCount() - opensBefore; }
    int opensBefore = 0;
    // Playback asks whether to save the settings, then for the file to play.
    void answerPlaybackQuestions() {
        dialogs.answerMessage(AnswerNo).answerFile("C:\\TEMPIFB\\I6120921.05I");
    }
};

TEST_F(PortsTest, BoxPortOpensAt115200WithItsBufferAndRtsOffThenSettles) {
    s.IfbPort = 4;
    const double start = clock().monotonicSeconds();
    OpenIfbPort();
    EXPECT_GE(clock().monotonicSeconds() - start, 0.95);
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(port.openedCom(), 4);
    EXPECT_EQ(port.openedSettings(), "115200,n,8,1");
    EXPECT_EQ(port.openedOptions().inputBufferBytes, 4096);
    EXPECT_FALSE(port.openedOptions().rtsOn);
    EXPECT_EQ(s.SendSettings, 1);
    // The receive path is wired to the port it opened.
    port.feedReceived({6, 1, 2});
    EXPECT_EQ(s.RxCount, 3);
}

TEST_F(PortsTest, BoxPortErrorAsksAgainUntilAUsablePortNumber) {
    s.IfbPort = 12;
    port.openOnlyOn(4);
    dialogs.answerInput("17").answerInput("4.5 or so");
    OpenIfbPort();
    ASSERT_EQ(dialogs.shown().size(), 2u);
    for (const ShownDialog& d : dialogs.shown()) {
        EXPECT_EQ(d.kind, "input");
        EXPECT_EQ(d.title, "Communications Error");
        EXPECT_EQ(d.text, kIfbPrompt12);
        EXPECT_EQ(d.defaultAnswer, "0");
    }
    EXPECT_EQ(s.IfbPort, 4); // 4.5 rounds to the even neighbour
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(opens(), 2);
}

TEST_F(PortsTest, BoxPortErrorAnsweredZeroEntersPlayback) {
    s.IfbPort = 0; // None chosen at the first run
    port.setOpenResult(false);
    dialogs.answerInput("0");
    answerPlaybackQuestions();
    OpenIfbPort();
    EXPECT_EQ(dialogs.shown().front().text.substr(0, 47),
              "Error encountered while trying to open COM0.\r\nP");
    EXPECT_EQ(s.IfbPort, 0);
    EXPECT_TRUE(s.PlaybackMode);
    EXPECT_EQ(opens(), 0);

    OpenIfbPort(); // nothing to do in playback
    EXPECT_EQ(opens(), 0);
}

TEST_F(PortsTest, BoxPortErrorCancelledEndsTheProgram) {
    s.IfbPort = 2;
    port.setOpenResult(false);
    dialogs.answerInput("");
    OpenIfbPort();
    EXPECT_TRUE(s.ProgramEnding);
    EXPECT_EQ(opens(), 1);
    EXPECT_EQ(s.SendSettings, 0);
}

TEST_F(PortsTest, BoxPortLostWhileSettlingCountsAsAnOpenError) {
    s.IfbPort = 3;
    QTimer::singleShot(200, [this] { port.vanish(); });
    dialogs.answerInput("3");
    OpenIfbPort();
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].text.substr(0, 46), "Error encountered while trying to open COM3.\r\n");
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(opens(), 2);
    // The reopened port starts without the errors of the lost one.
    EXPECT_FALSE(s.IfbPortLost);
    EXPECT_EQ(s.CommErrorCount, 0);
}

TEST_F(PortsTest, GpsPortErrorRefusesTheBoxPortAndAcceptsNone) {
    s.IfbPort = 5;
    s.GpsPort = 7;
    gpsPort.openOnlyOn(8);
    dialogs.answerInput("5").answerInput("8");
    OpenGpsPort();
    ASSERT_EQ(dialogs.shown().size(), 2u);
    EXPECT_EQ(dialogs.shown()[0].title, "GPS Communications Error");
    EXPECT_EQ(dialogs.shown()[0].text,
              "Error encountered while trying to open COM7.\r\nPlease check data and power "
              "connections and/or\r\nenter a different COM port number(1-16) or '0' for none.");
    EXPECT_EQ(dialogs.shown()[0].defaultAnswer, "");
    EXPECT_EQ(dialogs.beeps(), 1);
    EXPECT_EQ(s.GpsPort, 8);
    EXPECT_EQ(gpsPort.openedSettings(), "4800,n,8,1");
    EXPECT_EQ(gpsPort.openedOptions().inputBufferBytes, 16384);
    EXPECT_EQ(gpsPort.openedOptions().outputBufferBytes, 1024);
    EXPECT_TRUE(gpsPort.isOpen());

    gpsPort.setOpenResult(false);
    dialogs.answerInput("");
    OpenGpsPort(); // Cancel: no GPS
    EXPECT_EQ(s.GpsPort, 0);
    EXPECT_FALSE(gpsPort.isOpen());
}

TEST_F(PortsTest, NmeaOutputSharesTheGpsPortAndRefusesTakenPorts) {
    s.IfbPort = 1;
    s.GpsPort = 2;
    s.NmeaPort = 2;
    OpenNmeaPort();
    EXPECT_EQ(nmeaPort.openCount(), 0);

    s.NmeaPort = 9;
    nmeaPort.setOpenResult(false);
    dialogs.answerInput("2").answerInput("1").answerInput("0");
    OpenNmeaPort();
    EXPECT_EQ(dialogs.shown().size(), 3u);
    EXPECT_EQ(dialogs.shown()[0].title, "NMEA Data Output Error");
    EXPECT_EQ(dialogs.shown()[0].text, "Error encountered while trying to open COM9.\r\nPlease "
                                       "enter a different COM port number(1-16) or '0' for none.");
    EXPECT_EQ(dialogs.beeps(), 2);
    EXPECT_EQ(s.NmeaPort, 0);

    s.NmeaPort = 10;
    nmeaPort.setOpenResult(true);
    OpenNmeaPort();
    EXPECT_EQ(nmeaPort.openedSettings(), "4800,n,8,1");
    EXPECT_EQ(nmeaPort.openedOptions().inputBufferBytes, 512);
    EXPECT_EQ(nmeaPort.openedOptions().outputBufferBytes, 1024);
}

TEST_F(PortsTest, ResetCommunicationsPortsAsksForAllPortsAgainAndWritesANewFile) {
    s.IfbPort = 3;
    s.GpsPort = 0;
    s.NmeaPort = 0;
    s.ChartSpeed = 2;
    ASSERT_TRUE(WriteSettingsFile());
    timers().tmrGpsTimer.setEnabled(true);

    // The start-up finds no valid file, asks for the three ports, then cannot open the box port
    // (None) and is sent into playback.
    dialogs.answerPort(0).answerPort(0).answerPort(0);
    dialogs.answerInput("0");
    answerPlaybackQuestions();
    ResetCommunicationsPorts();

    int portPrompts = 0;
    for (const ShownDialog& d : dialogs.shown()) portPrompts += d.kind == "port";
    EXPECT_EQ(portPrompts, 3);
    EXPECT_EQ(s.SettingsChanged, 1);
    EXPECT_EQ(s.ChartSpeed, 8); // factory value again
    QFile file(QString::fromStdString(mapPath(s.SettingsFilePath)));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readLine().startsWith("Marvek"));
}

TEST_F(PortsTest, BoxPromptSaysWhenTheMissingAdapterComesBackWhileItWaits) {
    struct Case {
        bool presentAtFirst, pluggedInWhileWaiting, said;
    };
    const Case cases[] = {{false, true, true}, {false, false, false}, {true, true, false}};
    for (const Case& c : cases) {
        QTemporaryDir dir;
        const QString adapter = dir.filePath("usb-Maker_Box_7-if00-port0");
        const auto plugIn = [&] { QFile(adapter).open(QIODevice::WriteOnly); };
        ASSERT_TRUE(setComDevicePath(6, adapter.toStdString()));
        if (c.presentAtFirst) plugIn();
        s.IfbPort = 6;
        dialogs.setWhileWaiting([&] { if (c.pluggedInWhileWaiting) plugIn(); });
        dialogs.answerInput("6");
        AskForBoxPort("Lost the box.", "");
        const std::string& text = dialogs.shown().back().text;
        EXPECT_EQ(text.find("The adapter of COM6 (" + adapter.toStdString() + ") is back: enter 6") !=
                      std::string::npos,
                  c.said)
            << text;
        EXPECT_EQ(s.IfbPort, 6);
    }
}

} // namespace
} // namespace vz::test
