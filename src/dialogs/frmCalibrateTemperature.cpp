#include "dialogs/frmCalibrateTemperature.h"

#include "core/State.h"
#include "core/Ui.h"
#include "dialogs/TemperatureCalibration.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace vz {

namespace {
frmCalibrateTemperature* theWindow = nullptr;
} // namespace

frmCalibrateTemperature& frmCalibrateTemperature::instance() {
    if (!theWindow) theWindow = new frmCalibrateTemperature;
    return *theWindow;
}

void frmCalibrateTemperature::open() {
    frmCalibrateTemperature& w = instance();
    w.show();
    w.raise();
    w.activateWindow();
    // Activation does not always arrive (another theWindow may keep the focus): act as if it had.
    w.Form_Activate();
}

void frmCalibrateTemperature::hideWindow() {
    if (theWindow) theWindow->hide();
}

frmCalibrateTemperature::frmCalibrateTemperature() {
    setObjectName("frmCalibrateTemperature");
    setWindowTitle("Calibrate Temperature");
    setWindowFlag(Qt::Tool);
    auto* layout = new QHBoxLayout(this);
    auto addButton = [&](const char* name, const char* caption, bool up) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(name);
        button->setFixedWidth(36);
        // Holding the button steps on, as the main theWindow's stepping buttons do.
        button->setAutoRepeat(true);
        button->setAutoRepeatInterval(150);
        connect(button, &QPushButton::clicked, this, [up] { StepTempCalibration(up); });
        return button;
    };
    auto* cmdCalTemperatureDown = addButton("cmdCalTemperatureDown", "<", false);
    auto* lblCalTemperature = new QLabel("Temperature ", this);
    lblCalTemperature->setObjectName("lblCalTemperature");
    lblCalTemperature->setAlignment(Qt::AlignCenter);
    lblCalTemperature->setMinimumWidth(110);
    auto* cmdCalTemperatureUp = addButton("cmdCalTemperatureUp", ">", true);
    layout->addWidget(cmdCalTemperatureDown);
    layout->addWidget(lblCalTemperature);
    layout->addWidget(cmdCalTemperatureUp);
}

void frmCalibrateTemperature::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) Form_Activate();
    QWidget::changeEvent(event);
}

void frmCalibrateTemperature::Form_Activate() {
    state().ShowWaterTemp = 1;
    ui().applySettingsToControls(); // checks the View menu's "Water Temperature"
}

} // namespace vz
