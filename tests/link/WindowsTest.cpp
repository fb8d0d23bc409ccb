// The diagnostics window and the search window.
#include "link/frmCheckPorts.h"
#include "link/frmDebug.h"
#include "support/Fixture.h"
#include "support/ScriptedDialogs.h"

#include <QLineEdit>
#include <QPushButton>

namespace vz::test {
namespace {

class LinkWindowsTest : public Fixture {
protected:
    ScriptedDialogs dialogs;
};

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
    EXPECT_EQ(s.MinPingValue, 255);
    EXPECT_EQ(s.MaxInBuffer, 0);
    EXPECT_EQ(s.CommRetryCount, 0);
    EXPECT_EQ(s.PingWaitTicks, 0);
    EXPECT_EQ(dialogs.beeps(), 1);
    w.refreshFromState();
    EXPECT_EQ(boxText("txtDebugCommErrors"), "0");
    w.hide();
}

TEST_F(LinkWindowsTest, SearchWindowShowsItsTextGrowsItsDotsAndItsButtonEntersPlayback) {
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
    dialogs.answerMessage(AnswerNo).answerFile("C:\\TEMPIFB\\I6120921.05I");
    w.findChild<QPushButton*>("cmdCheckPortsPlaybackMode")->click();
    EXPECT_TRUE(s.PlaybackMode);
    EXPECT_EQ(dialogs.unusedAnswers(), 0u);
    w.closeSearch();
}

} // namespace
} // namespace vz::test
