// Connecting to the box: the handshake, a box that falls silent, playback chosen meanwhile, a
// test ping unanswered, connecting again while recording; the diagnostics and search windows.
#include "LinkFixture.h"
#include "support/DataFiles.h"
#include "core/Defaults.h"
#include "core/SettingsFile.h"
#include "link/BoxProtocol.h"
#include "link/Connection.h"
#include "link/Ports.h"
#include "link/frmCheckPorts.h"
#include "link/frmDebug.h"
#include "logging/Recording.h"
#include "logging/RecordingMenu.h"
#include "processing/PingCycle.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <tuple>

namespace vz::test {
namespace {

class ConnectionTest : public LinkFixture {
protected:
    void SetUp() override {
        LinkFixture::SetUp();
        s.IfbPort = 3;
        s.ChartSpeed = 6;
    }
    void expectPingCycleStarted() {
        EXPECT_TRUE(timers().tmrMainTimer1.enabled());
        EXPECT_EQ(timers().tmrMainTimer1.interval(), 410 - 50 * 6);
        EXPECT_EQ(s.RxCount, 0);
        EXPECT_EQ(s.SendSettings, 0);
        EXPECT_EQ(s.WaterTemperature, kNoWaterTemperature);
    }
    // The start-up reads this file: box on COM3, no GPS, no NMEA output.
    void writeSettingsForCom3() {
        LoadDefaultsIntoRam();
        s.GpsPort = s.NmeaPort = 0;
        ASSERT_TRUE(WriteSettingsFile());
    }
};

TEST_F(ConnectionTest, HandshakeSerialNumberAndTestPingFollowTheFirmwareVersion) {
    for (const auto& [firmware, extraBytes] : {std::pair<std::uint8_t, int>{9, 0}, {10, 3}}) {
        SCOPED_TRACE(int{firmware});
        FakeBox box(port);
        box.firmware = firmware;
        box.serial = {255, 99, 250, 7};
        s.SettingsChanged = 1;
        s.FullLevelHistory[2][300] = 7;
        s.EchoHistory[123] = 9;
        s.MinPingValue = 3;
        ConnectInterfaceBox();

        EXPECT_EQ(box.frames(), (std::vector<Bytes>{Query(0), Query(65), Write(0, 0), Write(0, 252),
                                                    Write(1, 1), Write(2, 1), Write(6, 3),
                                                    Write(3, 5), Write(8, 0), Write(9, 10),
                                                    Write(0, 1)}));
        EXPECT_EQ(s.TrailerExtraBytes, extraBytes);
        EXPECT_EQ(s.PacketLength, 20 + extraBytes);
        EXPECT_EQ(s.IfbSerialNumber, 2'560'150'007.0); // from reply bytes two to five
        EXPECT_FLOAT_EQ(s.DepthPerSample, 0.0024755f * 50);
        // The settings sent, the histories and the counters start afresh.
        EXPECT_EQ(std::tuple(s.SettingsChanged, s.FullLevelHistory[2][300], s.EchoHistory[123],
                             s.MinPingValue, s.CommRetryCount),
                  std::tuple(0, 0, 0, 255, 0));
        expectPingCycleStarted();
    }
    EXPECT_EQ(ui.diagnosticsLoaded, 2);
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(ConnectionTest, PlaybackChosenInTheSearchWindowPlaysAtOnceWithTheRecordingsTrailer) {
    // A recording made with firmware 8: replies without trailer extra bytes.
    writeFile(mapPath("C:\\TEMPIFB\\I6120921.05I"),
              "3.16  08  ***\r\n Opened at: I6120921.05I12-09-2026       21:05:01\r\n");
    FakeBox box(port);
    box.silent = true;
    answerPlaybackQuestions();
    // The search window's button, pressed while the contact loop waits for a box that does not
    // answer, through the real event loop; no error prompt may follow (the scripted dialogs
    // refuse one).
    QTimer::singleShot(150, [] {
        frmCheckPorts::instance().findChild<QPushButton*>("cmdCheckPortsPlaybackMode")->click();
    });
    ConnectInterfaceBox();
    const std::size_t framesWhenPlaying = box.frames().size();
    WaitSeconds(0.3);

    EXPECT_TRUE(s.PlaybackMode);
    EXPECT_EQ(s.TrailerExtraBytes, 0);
    EXPECT_EQ(box.frames().size(), framesWhenPlaying);
    EXPECT_LT(framesWhenPlaying, 12u); // the contact attempts stopped with the press
    expectPingCycleStarted();
}

TEST_F(ConnectionTest, SilentBoxIsAskedThreeTimesAndCancelEndsTheProgram) {
    FakeBox box(port);
    box.silent = true;
    dialogs.answerInput("");
    ConnectInterfaceBox();
    EXPECT_TRUE(dialogs.shown()[0].text.starts_with("Error encountered trying to communicate with Interface Box on COM3."));
    // Three attempts of two queries and four frames of the first write.
    EXPECT_EQ(box.framesOf(4), 6);
    EXPECT_EQ(box.framesOf(5), 12);
    EXPECT_TRUE(s.ProgramEnding);
    EXPECT_FALSE(timers().tmrMainTimer1.enabled());
}

TEST_F(ConnectionTest, UnansweredTestPingStartsTheProgramOverWithoutNestingDeeper) {
    writeSettingsForCom3();
    FakeBox box(port);
    box.pingsToIgnore = 2;
    dialogs.answerMessage(AnswerOk).answerMessage(AnswerOk);
    ConnectInterfaceBox();

    ASSERT_EQ(dialogs.shown().size(), 2u);
    for (const ShownDialog& d : dialogs.shown()) EXPECT_EQ(d.title, "Communications Error");
    // Two start-ups, the second from the same depth as the first.
    ASSERT_EQ(ui.searchFrames.size(), 2u);
    EXPECT_EQ(ui.searchTexts[1], "Searching for Interface Box on COM:3.   Please wait.");
    EXPECT_EQ(ui.searchFrames[0], ui.searchFrames[1]);
    EXPECT_EQ(s.PacketLength, 23);
    EXPECT_TRUE(timers().tmrMainTimer1.enabled());
}

// Connecting again while recording (here by Set/Reset Communications Ports) leaves the recording
// on, in the same file; a box of another firmware gets a file of its own, since a file's header
// tells how its replies end. The next "Toggle" stops, with the closing line.
TEST_F(ConnectionTest, ConnectingAgainWhileRecordingGoesOnRecording) {
    writeSettingsForCom3();
    const auto ping = [this](std::uint8_t value) {
        PingCycle();
        timers().tmrMainTimer2.setEnabled(false);
        LoadReply(s, {6, value});
        RecordReply();
    };
    using Case = std::pair<bool, std::uint8_t>; // recording automatically, the firmware after
    for (const auto& [automatic, firmwareAfter] : {Case{true, 10}, Case{false, 8}}) {
        SCOPED_TRACE(testing::Message() << automatic << int{firmwareAfter});
        for (const std::string& name : recordings())
            QFile::remove(QString::fromStdString(dataPath(name)));
        FakeBox box(port);
        ConnectInterfaceBox();
        const auto toggle = automatic ? mnuOptionsSaveScreenDataAutomatically_Click
                                      : mnuOptionsSaveScreenDataNow_Click;
        toggle();
        ping(1);

        box.firmware = firmwareAfter;
        dialogs.answerPort(3).answerPort(0).answerPort(0);
        ResetCommunicationsPorts();
        EXPECT_EQ(s.SettingsChanged, 1);
        EXPECT_TRUE(automatic ? s.RecordAutoChecked : s.RecordNowChecked);
        EXPECT_EQ(timers().tmrAutoLogFile.enabled(), automatic);
        ping(2);
        toggle();
        ping(3); // the last record, then the closing line

        const std::vector<std::string> files = recordings();
        ASSERT_EQ(files.size(), firmwareAfter == 10 ? 1u : 2u);
        qsizetype temperatures = 0;
        for (std::size_t i = 0; i < files.size(); ++i) {
            const QString text = QString::fromStdString(readFile(dataPath(files[i])));
            const int firmware = i + 1 == files.size() ? firmwareAfter : 10;
            SCOPED_TRACE(text.toStdString());
            EXPECT_TRUE(text.startsWith(QString("3.16  %1  ****").arg(firmware)));
            EXPECT_EQ(text.count("Opened at: "), 1);
            EXPECT_EQ(text.lastIndexOf("\r\nClosed at: "), text.size() - 23);
            temperatures += text.count("\r\nT: ");
        }
        // Every ping recorded wrote its temperature line, but the one after the stop.
        EXPECT_EQ(temperatures, 2);
    }
}

using LinkWindowsTest = LinkFixture;

QString boxText(const char* name) { return frmDebug::instance().findChild<QLineEdit*>(name)->text(); }

TEST_F(LinkWindowsTest, DiagnosticsWindowShowsTheValuesOnceShownAndResetStartsTheCountersAgain) {
    frmDebug& w = frmDebug::instance();
    s.IfbSerialNumber = 1'203'004'056.0;
    s.DataMultiplier = 1.5f;
    s.PacketLength = 623;
    s.MinPingValue = 3;
    s.CommRetryCount = 17;
    s.MaxInBuffer = 512;
    s.PingWaitTicks = 31;
    s.DepthPerSample = 0.15f;
    // Values that changed while the window was hidden are there once it is shown.
    w.refreshFromState();
    w.show();
    const std::pair<const char*, const char*> shown[] = {
        {"txtDebugIfbSerNo", "1203004056"}, {"txtDebugDataMultiplier", "1.5"}, {"txtDebugPktLength", "623"},
        {"txtMinPingValue", "3"}, {"txtDebugCommErrors", "17"}, {"txtDebugNoOfEntries", "31"},
        {"txtDebugByteLength", "0.15"}, {"txtDebugMaxInBuffer", "512"}};
    for (const auto& [name, text] : shown) EXPECT_EQ(boxText(name), text) << name;
    s.MaxInBuffer = 600;
    w.refreshFromState();
    EXPECT_EQ(boxText("txtDebugMaxInBuffer"), "512"); // written by the receive event only
    w.showMaxInBuffer();
    EXPECT_EQ(boxText("txtDebugMaxInBuffer"), "600");
    w.setCommsIndicator(false);
    EXPECT_EQ(w.commsIndicatorColor(), QColor(255, 0, 0));

    w.findChild<QPushButton*>("cmdDebugReset")->click();
    EXPECT_EQ(std::tuple(s.MinPingValue, s.MaxInBuffer, s.CommRetryCount, s.PingWaitTicks),
              std::tuple(255, 0, 0, 0));
    EXPECT_EQ(dialogs.beeps(), 1);
    w.refreshFromState();
    EXPECT_EQ(boxText("txtDebugCommErrors"), "0");
    w.hide();
}

TEST_F(LinkWindowsTest, SearchWindowShowsItsTextAndGrowsItsDotsFromNoneEachTime) {
    frmCheckPorts& w = frmCheckPorts::instance();
    w.showSearch("Searching");
    EXPECT_EQ(w.searchText(), "Searching");
    w.tickAnimation();
    w.tickAnimation();
    EXPECT_EQ(w.progressText(), " . .");
    w.closeSearch();
    EXPECT_FALSE(w.isVisible());
    w.showSearch("again");
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.progressText(), "");
    w.closeSearch();
}

} // namespace
} // namespace vz::test
