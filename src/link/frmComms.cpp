#include "link/frmComms.h"

#include "platform/Events.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
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
    auto* cmdCommsAccept = new QPushButton("Accept", this);
    cmdCommsAccept->setDefault(true);
    layout->addWidget(cmdCommsAccept, 0, Qt::AlignRight);
    connect(cmdCommsAccept, &QPushButton::clicked, this, [this] { accepted_ = true; });
}

frmComms& frmComms::instance() {
    static frmComms* window = new frmComms; // lives until the program ends
    return *window;
}

int frmComms::choose(const std::string& caption, const std::string& prompt, int disabledOption) {
    frmComms& w = instance();
    w.setWindowTitle(QString::fromStdString(caption));
    w.lblComms->setText(QString::fromStdString(prompt));
    for (QAbstractButton* b : w.optComm->buttons()) b->setEnabled(true);
    if (disabledOption >= 0 && disabledOption < kNoneOption) {
        w.optComm->button(disabledOption)->setEnabled(false);
    }
    w.optComm->button(kNoneOption)->setChecked(true);
    w.accepted_ = false;
    w.show();
    w.raise();
    w.activateWindow();
    while (!w.accepted_) {
        // Closing the window counts as choosing what is selected.
        if (!w.isVisible()) break;
        WaitForEvents(1.0);
    }
    const int chosen = w.optComm->checkedId();
    return chosen < 0 || chosen == kNoneOption ? 0 : chosen + 1;
}

void frmComms::hideWindow() { instance().hide(); }

} // namespace vz
