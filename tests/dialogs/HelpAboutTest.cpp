#include "app/MainMenus.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmHelp.h"

#include "support/Fixture.h"

#include <QLabel>
#include <QLineEdit>

namespace vz::test {
namespace {

using HelpAbout = Fixture;

QString aboutBox(const char* name) { return frmAbout::instance().findChild<QLineEdit*>(name)->text(); }

TEST_F(HelpAbout, HelpShowsTheFiveHints) {
    frmHelp& w = frmHelp::instance();
    auto* label = w.findChild<QLabel*>("lblHelp");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), "Help Menu:");
    frmHelp::mnuAboutHelp_Click();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.windowTitle(), "Help");
    EXPECT_EQ(label->text().toStdString(),
              "a) Right click on the Full, Left, Right screen or Colorbars to change values.\r\n\r\n"
              "b) Left click another item/area to exit.\r\n\r\n"
              "c) Right click on bottom return in Ascope area to set/reset Range Gate.\r\n\r\n"
              "d) Use 'View' menu to remove range gate.\r\n\r\n"
              "e) Data files saved to disk are automatically labeled 'IYMDDHH.mmI' where Y=Year, M=month,\r\n"
              "     DD=day, HH=hour, mm=minute when date was created.");
    // The main window's clicks do not hide it.
    HideMenuPopups();
    EXPECT_TRUE(w.isVisible());
    w.close();
}

TEST_F(HelpAbout, AboutReadsTheBoxValuesWhenItIsLoaded) {
    frmAbout::mnuHelpAbout_Click();
    frmAbout& w = frmAbout::instance();
    EXPECT_EQ(w.windowTitle(), "About Tarvik Marvek Vodazuzovi ");
    // Before any box was found: the start-up values.
    EXPECT_EQ(aboutBox("txtPcSoftwareVer"), "3.16");
    EXPECT_EQ(aboutBox("txtIfbFirmwareVer"), " 0");
    EXPECT_EQ(aboutBox("txtAboutSN"), " 0");
    for (const auto& [name, caption] : {std::pair{"lblPcSoftWareVer", "PC Software Ver."},
                                        std::pair{"lblIfbFirmwareVer", "Interface Box Firmware"},
                                        std::pair{"lblAboutVer", "Interface Box SN#"}}) {
        EXPECT_EQ(w.findChild<QLabel*>(name)->text(), caption);
    }
    EXPECT_FALSE(w.findChild<QLabel*>("lblMnuAbout")->text().isEmpty());

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
