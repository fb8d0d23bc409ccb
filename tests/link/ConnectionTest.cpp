#include "LinkFixture.h"
#include "core/Defaults.h"
#include "core/SettingsFile.h"
#include "core/StartupTables.h"
#include "link/BoxProtocol.h"
#include "link/Connection.h"
#include "platform/Clock.h"
#include "platform/Paths.h"

#include <QFile>
#include <QTimer>

namespace vz::test {
namespace {

using Bytes = FakeSerialPort::Bytes;

Bytes Write(std::uint8_t reg, std::uint8_t value) {
    return {0xFF, 0x01, reg, value, static_cast<std::uint8_t>(0xFE ^ reg ^ value)};
}
Bytes Query(std::uint8_t reg) { return {0xFF, 0x02, reg, static_cast<std::uint8_t>(0xFD ^ reg)}; }

const std::string kContactPrompt3 =
    "Error encountered trying to communicate with Interface Box on COM3.\r\n\r\nPlease check data "
    "and power connections and/or\r\nenter a different COM port number(1-16).\r\n\r\nEnter '0' to go "
    "into Playback mode.\r\n\r\nClick CANCEL to Quit";

class ConnectionTest : public LinkFixture {
protected:
    void SetUp() override {
        LinkFixture::SetUp();
        BuildStartupTables();
        s.IfbPort = 3;
        s.SoundSpeed = 0.0024755f;
        s.ChartSpeed = 6;
    }
    void answerPlaybackQuestions() {
        dialogs.answerMessage(AnswerNo).answerFile("C:\\TEMPIFB\\I6120921.05I");
    }
    void expectPingCycleStarted() {
        EXPECT_TRUE(timers().tmrMainTimer1.enabled());
        EXPECT_EQ(timers().tmrMainTimer1.interval(), 410 - 50 * 6);
        EXPECT_EQ(s.RxCount, 0);
        EXPECT_EQ(s.SendSettings, 0);
        EXPECT_EQ(s.WaterTemperature, kNoWaterTemperature);
        EXPECT_TRUE(s.LeftSideNow);
    }
};

TEST_F(ConnectionTest, HandshakeSerialNumberAndTestPingFollowTheFirmwareVersion) {
    struct Case {
        std::uint8_t firmware;
        int extraBytes;
        int packetLength;
    };
    for (const Case c : {Case{9, 0, 20}, Case{10, 3, 23}}) {
        SCOPED_TRACE(int{c.firmware});
        FakeBox box(port);
        box.firmware = c.firmware;
        box.serial = {1, 2, 3, 4};
        s.SettingsChanged = 1;
        s.MaxInBuffer = 99;
        s.FullLevelHistory[2][300] = 7;
        ConnectInterfaceBox();

        EXPECT_EQ(box.frames(), (std::vector<Bytes>{Query(0), Query(65), Write(0, 0), Write(0, 252),
                                                    Write(1, 1), Write(2, 1), Write(6, 3),
                                                    Write(3, 5), Write(8, 0), Write(9, 10),
                                                    Write(0, 1)}));
        EXPECT_EQ(s.IfbFirmwareVersion, c.firmware);
        EXPECT_EQ(s.TrailerExtraBytes, c.extraBytes);
        EXPECT_EQ(s.PacketLength, c.packetLength);
        EXPECT_EQ(s.PingProcessing, 1);
        EXPECT_EQ(s.IfbSerialNumber, 10'203'004.0);
        EXPECT_FLOAT_EQ(s.DepthPerSample, 0.0024755f * 50);
        EXPECT_EQ(s.SettingsChanged, 0);
        EXPECT_EQ(s.MaxInBuffer, 0);
        EXPECT_EQ(s.FullLevelHistory[2][300], 0);
        EXPECT_EQ(s.CommRetryCount, 0);
        expectPingCycleStarted();
    }
    EXPECT_EQ(ui.diagnosticsLoaded, 2);
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(ConnectionTest, SilentBoxAsksForAnotherPortAfterThreeAttemptsAndZeroPlaysBack) {
    FakeBox box(port);
    box.answersOnlyOnCom = 99;
    dialogs.answerInput("0");
    answerPlaybackQuestions();
    ConnectInterfaceBox();

    ASSERT_GE(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].title, "Communications Error");
    EXPECT_EQ(dialogs.shown()[0].text, kContactPrompt3);
    EXPECT_EQ(dialogs.shown()[0].defaultAnswer, "0");
    EXPECT_EQ(box.queryFrames(), 6);
    EXPECT_EQ(box.writeFrames(), 12); // four frames for each handshake command
    EXPECT_EQ(s.CommRetryCount, 12);
    EXPECT_EQ(s.IfbPort, 0);
    EXPECT_TRUE(s.PlaybackMode);
    expectPingCycleStarted();
}

TEST_F(ConnectionTest, PlaybackChosenInTheSearchWindowPlaysAtOnceWithTheRecordingsTrailer) {
    // A recording made with firmware 8: replies without trailer extra bytes.
    QFile recording(QString::fromStdString(mapPath("C:\\TEMPIFB\\I6120921.05I")));
    ASSERT_TRUE(recording.open(QIODevice::WriteOnly));
    recording.write("3.16  08  ***************************************\r\n"
                    " Opened at: I6120921.05I12-09-2026       21:05:01\r\n");
    recording.close();
    FakeBox box(port);
    box.answersOnlyOnCom = 99;
    answerPlaybackQuestions();
    // Pressed while the contact loop waits for a box that does not answer, through the real
    // event loop; no error prompt may follow (the scripted dialogs refuse one).
    QTimer::singleShot(150, [] { cmdCheckPortsPlaybackMode_Click(); });
    ConnectInterfaceBox();
    const std::size_t framesWhenPlaying = box.frames().size();
    WaitSeconds(0.3);

    EXPECT_TRUE(s.PlaybackMode);
    EXPECT_EQ(s.TrailerExtraBytes, 0);
    EXPECT_EQ(box.frames().size(), framesWhenPlaying);
    EXPECT_LT(framesWhenPlaying, 12u); // the contact attempts stopped with the press
    expectPingCycleStarted();
}

TEST_F(ConnectionTest, SilentBoxAnsweredWithCancelEndsTheProgram) {
    port.respondWith(nullptr);
    dialogs.answerInput("");
    ConnectInterfaceBox();
    EXPECT_TRUE(s.ProgramEnding);
    EXPECT_FALSE(timers().tmrMainTimer1.enabled());
}

TEST_F(ConnectionTest, LostPortNeverHoldsTheConnectionUp) {
    FakeBox box(port);
    port.vanish();
    dialogs.answerInput("0");
    answerPlaybackQuestions();
    const double start = clock().monotonicSeconds();
    ConnectInterfaceBox();
    EXPECT_LT(clock().monotonicSeconds() - start, 0.5);
    EXPECT_TRUE(box.frames().empty());
    EXPECT_TRUE(s.PlaybackMode);
}

TEST_F(ConnectionTest, PlaybackSkipsTheBoxAndStartsThePingCycle) {
    FakeBox box(port);
    s.PlaybackMode = true;
    s.SampleInterval = 40;
    s.EchoHistory[123] = 9;
    s.RxCount = 77;
    s.DiagnosticsOn = true;
    s.MinPingValue = 3;
    ConnectInterfaceBox();
    EXPECT_TRUE(box.frames().empty());
    EXPECT_FLOAT_EQ(s.DepthPerSample, 0.0024755f * 40);
    EXPECT_EQ(s.EchoHistory[123], 0);
    EXPECT_FALSE(s.DiagnosticsOn);
    EXPECT_EQ(s.MinPingValue, 255);
    EXPECT_TRUE(s.LogFullBlockRequest);
    expectPingCycleStarted();
}

TEST_F(ConnectionTest, SearchShowsTheWindowStartsTheDotsAndOpensThePort) {
    port.close();
    s.IfbPort = 11;
    SearchForInterfaceBox();
    ASSERT_EQ(ui.searchTexts.size(), 1u);
    EXPECT_EQ(ui.searchTexts[0], "Searching for Interface Box on COM:11.   Please wait.");
    EXPECT_EQ(s.HeldMainButton, 9);
    EXPECT_EQ(timers().tmrMainMouse.interval(), 500);
    EXPECT_TRUE(timers().tmrMainMouse.enabled());
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(port.openedCom(), 11);
}

TEST_F(ConnectionTest, UnansweredTestPingStartsTheProgramOverWithoutNestingDeeper) {
    // The start-up reads this file: box on COM3, no GPS, no NMEA output.
    LoadDefaultsIntoRam();
    s.GpsPort = 0;
    s.NmeaPort = 0;
    ASSERT_TRUE(WriteSettingsFile());
    FakeBox box(port);
    box.pingsToIgnore = 2;
    const std::string message = "Error communicating with Interface Box.  Please check COM port, "
                                "\r\nconnections and cycle power On/Off then click OK.";
    dialogs.answerMessage(AnswerOk).answerMessage(AnswerOk);
    ConnectInterfaceBox();

    ASSERT_EQ(dialogs.shown().size(), 2u);
    for (const ShownDialog& d : dialogs.shown()) {
        EXPECT_EQ(d.kind, "message");
        EXPECT_EQ(d.title, "Communications Error");
        EXPECT_EQ(d.text, message);
    }
    // Two start-ups, the second from the same depth as the first.
    ASSERT_EQ(ui.searchFrames.size(), 2u);
    EXPECT_EQ(ui.searchFrames[0], ui.searchFrames[1]);
    EXPECT_EQ(s.PacketLength, 23);
    EXPECT_TRUE(timers().tmrMainTimer1.enabled());
    EXPECT_FALSE(s.PlaybackMode);
}

} // namespace
} // namespace vz::test
