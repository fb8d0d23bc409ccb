#include "app/MainMenus.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmHelp.h"

#include "support/Fixture.h"

#include <QLabel>
#include <QLineEdit>

namespace vz::test {
namespace {

using HelpAbout = Fixture;

QString aboutBox(const char* name) {
    return frmAbout::instance().findChild<QLineEdit*>(name)->text();
}

TEST_F(HelpAbout, HelpShowsItsHintsAndStaysOverTheMainWindowsClicks) {
    frmHelp& w = frmHelp::instance();
    frmHelp::mnuAboutHelp_Click();
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(w.findChild<QLabel*>("lblHelp")->text().startsWith("a) Right click"));
    HideMenuPopups();
    EXPECT_TRUE(w.isVisible());
    w.close();
}

TEST_F(HelpAbout, AboutReadsTheBoxValuesWhenItIsLoaded) {
    frmAbout::mnuHelpAbout_Click();
    frmAbout& w = frmAbout::instance();
    // Before any box was found: the start-up values.
    EXPECT_EQ(aboutBox("txtPcSoftwareVer"), "3.16");
    EXPECT_EQ(aboutBox("txtIfbFirmwareVer"), " 0");
    EXPECT_EQ(aboutBox("txtAboutSN"), " 0");

    // Hidden by a click on the main window, it stays loaded and keeps what it showed.
    s.IfbFirmwareVersion = 10;
    s.IfbSerialNumber = 1'203'004'056.0;
    HideMenuPopups();
    EXPECT_FALSE(w.isVisible());
    frmAbout::mnuHelpAbout_Click();
    EXPECT_EQ(aboutBox("txtIfbFirmwareVer"), " 0");

    // Closed, it reads the values again on its next showing.
    w.close();
    frmAbout::mnuHelpAbout_Click();
    EXPECT_EQ(aboutBox("txtIfbFirmwareVer"), " 10");
    EXPECT_EQ(aboutBox("txtAboutSN"), " 1203004056");
    w.close();
}

} // namespace
} // namespace vz::test
