#pragma once
// "Calibrate Speed Of Sound": fresh and salt water presets and a free entry. The echogram stands
// still while the window is open; closing it starts the ping cycle again.
#include <QWidget>

class QLabel;

namespace vz {

class frmSpeedOfSound : public QWidget {
    Q_OBJECT
public:
    static frmSpeedOfSound& instance();
    // Shows the window, loading it (the ping cycle stops) unless it is open already.
    static void open();

protected:
    // Closing the window unloads it.
    void closeEvent(QCloseEvent* event) override;

private:
    frmSpeedOfSound();
    void Form_Load();
    void showSpeed();

    QLabel* lblCalSpeedSound;
    bool loaded_ = false;
};

} // namespace vz
