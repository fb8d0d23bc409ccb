#pragma once
// "About": the program's version, and the Interface Box's firmware version and serial number as
// they were when the window was loaded.
#include <QWidget>

class QLineEdit;

namespace vz {

class frmAbout : public QWidget {
    Q_OBJECT
public:
    static frmAbout& instance();
    // The Help menu's "About": shows the window, loading it when it is not loaded yet.
    static void mnuHelpAbout_Click();
    // One of the pop-ups that hide when the main window is clicked or activated; hiding does not
    // unload it.
    static void hideWindow();

protected:
    // Closing the window unloads it: the next showing reads the values again.
    void closeEvent(QCloseEvent* event) override;

private:
    frmAbout();
    void Form_Load();

    QLineEdit *txtPcSoftwareVer, *txtIfbFirmwareVer, *txtAboutSN;
    bool loaded_ = false;
};

} // namespace vz
