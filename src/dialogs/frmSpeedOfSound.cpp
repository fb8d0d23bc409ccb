#include "dialogs/frmSpeedOfSound.h"

#include "core/State.h"
#include "core/Timers.h"
#include "dialogs/SpeedOfSound.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vz {

frmSpeedOfSound& frmSpeedOfSound::instance() {
    static frmSpeedOfSound* window = new frmSpeedOfSound;
    return *window;
}

void frmSpeedOfSound::open() {
    frmSpeedOfSound& w = instance();
    if (!w.loaded_) w.Form_Load();
    w.show();
    w.raise();
    w.activateWindow();
}

frmSpeedOfSound::frmSpeedOfSound() {
    setObjectName("frmSpeedOfSound");
    setWindowTitle("Calibrate Speed Of Sound");
    setWindowFlag(Qt::Tool);
    auto* layout = new QVBoxLayout(this);
    lblCalSpeedSound = new QLabel("Speed Of Sound", this);
    lblCalSpeedSound->setObjectName("lblCalSpeedSound");
    lblCalSpeedSound->setAlignment(Qt::AlignCenter);
    lblCalSpeedSound->setFrameShape(QFrame::Panel);
    lblCalSpeedSound->setFrameShadow(QFrame::Sunken);
    lblCalSpeedSound->setMinimumWidth(180);
    layout->addWidget(lblCalSpeedSound);

    auto* buttons = new QHBoxLayout;
    auto addButton = [&](const char* name, const char* caption, auto onClick) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(name);
        connect(button, &QPushButton::clicked, this, onClick);
        buttons->addWidget(button);
    };
    addButton("cmdSpeedOfSoundFresh", "Fresh Water", [this] {
        SetSoundSpeed(kFreshWaterSoundSpeed);
        showSpeed();
    });
    addButton("cmdSpeedOfSoundSalt", "Salt Water", [this] {
        SetSoundSpeed(kSaltWaterSoundSpeed);
        showSpeed();
    });
    addButton("cmdSpeedOfSoundSpecify", "Specify", [this] {
        if (SpecifySoundSpeed()) showSpeed();
    });
    layout->addLayout(buttons);
}

void frmSpeedOfSound::Form_Load() {
    // The echogram stops while the speed is being chosen.
    timers().tmrMainTimer1.setEnabled(false);
    timers().tmrMainTimer2.setEnabled(false);
    showSpeed();
    loaded_ = true;
}

void frmSpeedOfSound::showSpeed() { lblCalSpeedSound->setText(QString::fromStdString(SpeedOfSoundLabel())); }

void frmSpeedOfSound::closeEvent(QCloseEvent* event) {
    loaded_ = false;
    timers().tmrMainTimer1.setEnabled(true);
    event->accept();
}

} // namespace vz
