#pragma once
// The port window: a prompt, the options COM1..COM16 and None, the serial devices present, and
// an Accept button.
#include "platform/SerialDevices.h"

#include <QWidget>

#include <string>
#include <vector>

class QButtonGroup;
class QLabel;
class QListWidget;

namespace vz {

class frmComms : public QWidget {
    Q_OBJECT
public:
    // Shows the window (not modal) with this caption and prompt, None selected and option
    // `disabledOption` (0..15, or -1) unavailable, and waits, keeping the program alive, until the
    // user accepts. Returns 1..16, or 0 for None. Choosing one of `devices` selects a COM number
    // for it; accepted with a COM number, the device's stable name goes into ports.conf under it.
    static int choose(const std::string& caption, const std::string& prompt, int disabledOption,
                      const std::vector<SerialDevice>& devices);
    static void hideWindow();

private:
    frmComms();
    static frmComms& instance();
    void deviceChosen(int row);

    QLabel* lblComms;
    QButtonGroup* optComm;
    QListWidget* lstDevices;
    std::vector<SerialDevice> devices_;
    int disabledOption_ = -1;
    bool accepted_ = false;
};

} // namespace vz
