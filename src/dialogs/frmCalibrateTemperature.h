#pragma once
// "Calibrate Temperature": steps the water temperature correction while the user watches the
// temperature read-out of the main window, which is switched on while the window is active.
#include <QWidget>

namespace vz {

class frmCalibrateTemperature : public QWidget {
    Q_OBJECT
public:
    static frmCalibrateTemperature& instance();
    static void open();
    // One of the pop-ups that hide when the main window is clicked or activated.
    static void hideWindow();

protected:
    void changeEvent(QEvent* event) override;

private:
    frmCalibrateTemperature();
    void Form_Activate();
};

} // namespace vz
