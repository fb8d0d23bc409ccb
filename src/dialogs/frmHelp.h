#pragma once
// "Help": the usage hints, in a window that stays until the user closes it.
#include <QWidget>

class QLabel;

namespace vz {

class frmHelp : public QWidget {
    Q_OBJECT
public:
    static frmHelp& instance();
    // The Help menu's "Help Text": shows the window, then writes the hints into it.
    static void mnuAboutHelp_Click();

private:
    frmHelp();
    QLabel* lblHelp;
};

} // namespace vz
