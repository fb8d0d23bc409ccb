#include "link/frmCheckPorts.h"
#include "link/frmDebug.h"
#include "support/Fixture.h"
#include "support/ScriptedDialogs.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace vz::test {
namespace {

class LinkWindowsTest : public Fixture {
protected:
    ScriptedDialogs dialogs;
};

QString boxText(const char* name) {
    auto* box = frmDebug::instance().findChild<QLineEdit*>(name);
    return box ? box->text() : QString("<missing %1>").arg(name);
}

QString labelOf(const char* name) {
    auto* box = frmDebug::instance().findChild<QLineEdit*>(name);
    for (auto* label : frmDebug::instance().findChildren<QLabel*>()) {
        if (label->buddy() == box) return label->text();
    }
    return {};
}

TEST_F(LinkWindowsTest, DiagnosticsWindowShowsEveryValueBesideItsLabel) {
    frmDebug& w = frmDebug::instance();
    EXPECT_EQ(w.windowTitle(), "Debug");
    EXPECT_FALSE(w.isVisible());
    const std::pair<const char*, const char*> boxes[] = {
        {"txtDebugIfbSerNo", "IFB Serial No."},
        {"txtDebugDataOffset", "Data Offset"},
        {"txtDebugDataMultiplier", "Data Multiplier"},
        {"txtDebugPktLength", "Ping Packet Length"},
        {"txtMaxPingValue", "Maximum Ping Value"},
        {"txtMinPingValue", "Minimum Ping Value"},
        {"txtDebugCommErrors", "No. Of COMM Errors"},
        {"txtDebugMaxInBuffer", "Com:  Buffer Depth"},
        {"txtDebugNoOfEntries", "No. of Timer2 Entries"},
        {"txtDebugByteLength", "Depth Per Byte:"},
    };
    for (const auto& [name, label] : boxes) EXPECT_EQ(labelOf(name), label) << name;

    s.IfbSerialNumber = 1'203'004'056.0;
    s.DataOffset = 12;
    s.DataMultiplier = 1.5f;
    s.PacketLength = 623;
    s.MaxPingValue = 240;
    s.MinPingValue = 3;
    s.CommRetryCount = 17;
    s.MaxInBuffer = 512;
    s.PingWaitTicks = 31;
    s.DepthPerSample = 0.15f;
    // Values that changed while the window was hidden are there once it is shown.
    w.refreshFromState();
    EXPECT_NE(boxText("txtDebugIfbSerNo"), "1203004056");
    w.show();
    EXPECT_EQ(boxText("txtDebugIfbSerNo"), "1203004056");
    EXPECT_EQ(boxText("txtDebugDataOffset"), "12");
    EXPECT_EQ(boxText("txtDebugDataMultiplier"), "1.5");
    EXPECT_EQ(boxText("txtDebugPktLength"), "623");
    EXPECT_EQ(boxText("txtMaxPingValue"), "240");
    EXPECT_EQ(boxText("txtMinPingValue"), "3");
    EXPECT_EQ(boxText("txtDebugCommErrors"), "17");
    EXPECT_EQ(boxText("txtDebugNoOfEntries"), "31");
    EXPECT_EQ(boxText("txtDebugByteLength"), "0.15");
    EXPECT_EQ(boxText("txtDebugMaxInBuffer"), "512");
    s.MaxInBuffer = 600;
    EXPECT_EQ(boxText("txtDebugMaxInBuffer"), "512"); // written by the receive event only
    w.showMaxInBuffer();
    EXPECT_EQ(boxText("txtDebugMaxInBuffer"), "600");

    w.setCommsIndicator(false);
    EXPECT_EQ(w.commsIndicatorColor(), QColor(255, 0, 0));
    w.setCommsIndicator(true);
    EXPECT_EQ(w.commsIndicatorColor(), QColor(0, 255, 0));
    w.hide();
}

TEST_F(LinkWindowsTest, ResetValuesStartsTheCountersAgainAndTheBoxesFollowLater) {
    frmDebug& w = frmDebug::instance();
    w.show();
    s.MinPingValue = 3;
    s.MaxPingValue = 240;
    s.MaxInBuffer = 512;
    s.CommRetryCount = 17;
    s.PingWaitTicks = 31;
    w.refreshFromState();
    auto* reset = w.findChild<QPushButton*>("cmdDebugReset");
    ASSERT_NE(reset, nullptr);
    EXPECT_EQ(reset->text(), "Reset Values");
    reset->click();
    EXPECT_EQ(s.MinPingValue, 255);
    EXPECT_EQ(s.MaxPingValue, 0);
    EXPECT_EQ(s.MaxInBuffer, 0);
    EXPECT_EQ(s.CommRetryCount, 0);
    EXPECT_EQ(s.PingWaitTicks, 0);
    EXPECT_EQ(dialogs.beeps(), 1);
    EXPECT_EQ(boxText("txtDebugCommErrors"), "17");
    w.refreshFromState();
    EXPECT_EQ(boxText("txtDebugCommErrors"), "0");
    EXPECT_EQ(boxText("txtMinPingValue"), "255");
    w.hide();
}

TEST_F(LinkWindowsTest, SearchWindowShowsItsTextAndGrowsItsDots) {
    frmCheckPorts& w = frmCheckPorts::instance();
    w.showSearch("Searching for Interface Box on COM:3.   Please wait.");
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.windowTitle(), "Vodazuzovi");
    EXPECT_EQ(w.searchText(), "Searching for Interface Box on COM:3.   Please wait.");
    EXPECT_EQ(w.progressText(), "");
    w.tickAnimation();
    w.tickAnimation();
    EXPECT_EQ(w.progressText(), " . .");
    w.closeSearch();
    EXPECT_FALSE(w.isVisible());
    w.showSearch("again");
    EXPECT_EQ(w.progressText(), "");
    w.closeSearch();
}

TEST_F(LinkWindowsTest, SearchWindowButtonEntersPlayback) {
    frmCheckPorts& w = frmCheckPorts::instance();
    auto* button = w.findChild<QPushButton*>("cmdCheckPortsPlaybackMode");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), "Enter Playback Mode");
    dialogs.answerMessage(AnswerNo).answerFile("C:\\TEMPIFB\\I6120921.05I");
    button->click();
    EXPECT_TRUE(s.PlaybackMode);
    EXPECT_EQ(dialogs.unusedAnswers(), 0u);
}

} // namespace
} // namespace vz::test
