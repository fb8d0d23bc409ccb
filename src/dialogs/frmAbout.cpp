#include "dialogs/frmAbout.h"

#include "core/State.h"
#include "dialogs/HelpAbout.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace vz {

namespace {
frmAbout* theWindow = nullptr;
} // namespace

frmAbout& frmAbout::instance() {
    if (!theWindow) theWindow = new frmAbout;
    return *theWindow;
}

void frmAbout::mnuHelpAbout_Click() {
    frmAbout& w = instance();
    if (!w.loaded_) w.Form_Load();
    w.show();
    w.raise();
}

void frmAbout::hideWindow() {
    if (theWindow) theWindow->hide();
}

frmAbout::frmAbout() {
    setObjectName("frmAbout");
    setWindowTitle("About Tarvik Marvek Vodazuzovi ");
    setWindowFlag(Qt::Tool);
    auto* grid = new QGridLayout(this);
    auto addRow = [&](const char* labelName, const char* caption, const char* boxName) {
        const int row = grid->rowCount();
        auto* label = new QLabel(caption, this);
        label->setObjectName(labelName);
        auto* box = new QLineEdit(this);
        box->setObjectName(boxName);
        box->setReadOnly(true);
        label->setBuddy(box);
        grid->addWidget(label, row, 0);
        grid->addWidget(box, row, 1);
        return box;
    };
    txtPcSoftwareVer = addRow("lblPcSoftWareVer", "PC Software Ver.", "txtPcSoftwareVer");
    txtIfbFirmwareVer = addRow("lblIfbFirmwareVer", "Interface Box Firmware", "txtIfbFirmwareVer");
    txtAboutSN = addRow("lblAboutVer", "Interface Box SN#", "txtAboutSN");
    auto* lblMnuAbout = new QLabel("Display and control program of the dual-frequency sonar fish finder.", this);
    lblMnuAbout->setObjectName("lblMnuAbout");
    grid->addWidget(lblMnuAbout, grid->rowCount(), 0, 1, 2);
}

void frmAbout::Form_Load() {
    const State& s = state();
    txtPcSoftwareVer->setText(QString::fromStdString(s.VersionString));
    txtIfbFirmwareVer->setText(QString::fromStdString(AboutNumber(s.IfbFirmwareVersion)));
    txtAboutSN->setText(QString::fromStdString(AboutNumber(s.IfbSerialNumber)));
    loaded_ = true;
}

void frmAbout::closeEvent(QCloseEvent* event) {
    loaded_ = false;
    event->accept();
}

} // namespace vz
