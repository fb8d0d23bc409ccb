#include "link/frmComms.h"

#include "core/State.h"
#include "link/PortsByName.h"
#include "platform/Events.h"
#include "platform/Paths.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vz {

namespace {
constexpr int kNoneOption = 16;
}

frmComms::frmComms() {
    setWindowFlag(Qt::Dialog);
    auto* layout = new QVBoxLayout(this);
    lblComms = new QLabel(this);
    lblComms->setWordWrap(true);
    layout->addWidget(lblComms);
    auto* grid = new QGridLayout;
    optComm = new QButtonGroup(this);
    for (int i = 0; i <= kNoneOption; ++i) {
        auto* option = new QRadioButton(i < kNoneOption ? QString("COM%1").arg(i + 1) : QString("None"), this);
        optComm->addButton(option, i);
        grid->addWidget(option, i / 4, i % 4);
    }
    layout->addLayout(grid);
    layout->addWidget(new QLabel("Serial devices present (one chosen here is kept under the COM number "
                                 "selected above, and found again by its name after a replug):",
                                 this));
    lstDevices = new QListWidget(this);
    lstDevices->setObjectName("lstDevices");
    layout->addWidget(lstDevices);
    connect(lstDevices, &QListWidget::currentRowChanged, this, [this](int row) { deviceChosen(row); });
    auto* cmdCommsAccept = new QPushButton("Accept", this);
    cmdCommsAccept->setObjectName("cmdCommsAccept");
    cmdCommsAccept->setDefault(true);
    layout->addWidget(cmdCommsAccept, 0, Qt::AlignRight);
    connect(cmdCommsAccept, &QPushButton::clicked, this, [this] { accepted_ = true; });
}

frmComms& frmComms::instance() {
    static frmComms* window = new frmComms; // lives until the program ends
    return *window;
}

void frmComms::deviceChosen(int row) {
    if (row < 0 || row >= static_cast<int>(devices_.size())) return;
    const int com = ComNumberForDevice(devices_[static_cast<std::size_t>(row)].stableName, disabledOption_);
    if (com != 0) optComm->button(com - 1)->setChecked(true);
}

int frmComms::choose(const std::string& caption, const std::string& prompt, int disabledOption,
                     const std::vector<SerialDevice>& devices) {
    frmComms& w = instance();
    w.setWindowTitle(QString::fromStdString(caption));
    w.lblComms->setText(QString::fromStdString(prompt));
    for (QAbstractButton* b : w.optComm->buttons()) b->setEnabled(true);
    if (disabledOption >= 0 && disabledOption < kNoneOption) {
        w.optComm->button(disabledOption)->setEnabled(false);
    }
    w.optComm->button(kNoneOption)->setChecked(true);
    w.disabledOption_ = disabledOption;
    w.devices_.clear();
    w.lstDevices->clear();
    w.devices_ = devices;
    for (const SerialDevice& d : devices) {
        auto* entry = new QListWidgetItem(QString::fromStdString(SerialDeviceLabel(d)), w.lstDevices);
        entry->setToolTip(QString::fromStdString(d.stableName));
    }
    w.accepted_ = false;
    w.show();
    w.raise();
    w.activateWindow();
    while (!w.accepted_) {
        // Closing the window counts as choosing what is selected.
        if (!w.isVisible()) break;
        // The program ending meanwhile (a scripted end) chooses nothing.
        if (state().ProgramEnding) {
            w.hide();
            return 0;
        }
        WaitForEvents(1.0);
    }
    const int chosen = w.optComm->checkedId();
    const int row = w.lstDevices->currentRow();
    if (chosen >= 0 && chosen < kNoneOption && row >= 0) {
        setComDevicePath(chosen + 1, w.devices_[static_cast<std::size_t>(row)].stableName);
    }
    return chosen < 0 || chosen == kNoneOption ? 0 : chosen + 1;
}

void frmComms::hideWindow() { instance().hide(); }

} // namespace vz
