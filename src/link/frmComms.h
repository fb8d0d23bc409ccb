#pragma once
// The port window: a prompt, the options COM1..COM16 and None, and an Accept button.
#include <QWidget>

#include <string>

class QButtonGroup;
class QLabel;

namespace vz {

class frmComms : public QWidget {
    Q_OBJECT
public:
    // Shows the window (not modal) with this caption and prompt, None selected and option
    // `disabledOption` (0..15, or -1) unavailable, and waits, keeping the program alive, until the
    // user accepts. Returns 1..16, or 0 for None.
    static int choose(const std::string& caption, const std::string& prompt, int disabledOption);
    static void hideWindow();

private:
    frmComms();
    static frmComms& instance();

    QLabel* lblComms;
    QButtonGroup* optComm;
    bool accepted_ = false;
};

} // namespace vz
