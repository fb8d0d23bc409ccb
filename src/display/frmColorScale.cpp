#include "display/frmColorScale.h"

#include "core/State.h"
#include "display/ColorScales.h"
#include "display/UserColorEdit.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vz {

namespace {
constexpr const char* kSchemeCaptions[5] = {"16 Colors (default)", "8 Colors (Blue to Red)",
                                            "3 Colors (Grn, Yel, Red)", "2 Colors (Yellow - Red)",
                                            "User Defined "};
constexpr int kTwipsPerPixel = 15;
} // namespace

frmColorScale::frmColorScale() : preview_(25, 320, Rgb{0, 0, 0}) {
    setWindowFlag(Qt::Tool);
    setWindowTitle("Color Bars");
    auto* layout = new QHBoxLayout(this);

    auto* fraColorScale = new QGroupBox("Color Schemes", this);
    auto* schemes = new QVBoxLayout(fraColorScale);
    optFraColorScale = new QButtonGroup(this);
    for (int i = 0; i < 5; ++i) {
        auto* option = new QRadioButton(kSchemeCaptions[i], fraColorScale);
        optFraColorScale->addButton(option, i);
        schemes->addWidget(option);
    }
    optFraColorScale->button(0)->setChecked(true);
    auto* cmdDefineUserColorBar = new QPushButton("Edit User Defined Color Bars", fraColorScale);
    auto* cmdUserColorBarDone = new QPushButton("Finished", fraColorScale);
    schemes->addStretch();
    schemes->addWidget(cmdDefineUserColorBar);
    schemes->addWidget(cmdUserColorBarDone);
    layout->addWidget(fraColorScale);

    auto* userColumn = new QVBoxLayout;
    userColumn->addWidget(new QLabel("User Defined", this));
    // The pointer moves beside the preview bar, so both sit in a plain area without a layout.
    barArea = new QWidget(this);
    barArea->setFixedSize(preview_.width() + 30, preview_.height());
    pictUserColorBars = new QLabel(barArea);
    pictUserColorBars->setGeometry(0, 0, preview_.width(), preview_.height());
    lblUserColorPointer = new QLabel("<", barArea);
    lblUserColorPointer->hide();
    userColumn->addWidget(barArea);
    userColumn->addStretch();
    layout->addLayout(userColumn);

    connect(optFraColorScale, &QButtonGroup::idClicked, this, [this](int i) { optFraColorScale_Click(i); });
    connect(cmdDefineUserColorBar, &QPushButton::clicked, this, [this] { cmdDefineUserColorBar_Click(); });
    connect(cmdUserColorBarDone, &QPushButton::clicked, this, [this] { cmdUserColorBarDone_Click(); });

    state().UserColorPointerTop = kUserColorPointerStart;
    drawUserColorPreview();
}

frmColorScale& frmColorScale::instance() {
    static frmColorScale* window = new frmColorScale; // lives until the program ends
    return *window;
}

void frmColorScale::open() {
    frmColorScale& w = instance();
    w.show();
    w.raise();
    state().UserColorPointerTop = kUserColorPointerStart;
}

void frmColorScale::hideWindow() {
    if (isOpen()) instance().hide();
}

bool frmColorScale::isOpen() { return instance().isVisible(); }

void frmColorScale::showEvent(QShowEvent* event) {
    // The selected option always follows the active scale.
    if (QAbstractButton* option = optFraColorScale->button(state().ColorScale)) option->setChecked(true);
    QWidget::showEvent(event);
}

void frmColorScale::optFraColorScale_Click(int index) {
    State& s = state();
    s.ColorScale = static_cast<std::uint8_t>(index);
    SetupColorBar();
    hide();
    s.SettingsChanged = 1;
}

void frmColorScale::cmdDefineUserColorBar_Click() {
    movePointer();
    lblUserColorPointer->show();
    if (!EditNextUserColor(dialogColour_)) return;
    movePointer();
    drawUserColorPreview();
}

void frmColorScale::cmdUserColorBarDone_Click() {
    State& s = state();
    s.UserColors[16] = Rgb::fromLong(1);
    CheckColorScales();
    hide();
    s.SettingsChanged = 1;
}

void frmColorScale::drawUserColorPreview() {
    DrawColorBar(preview_, state().UserColors.data());
    pictUserColorBars->setPixmap(QPixmap::fromImage(preview_.image().copy()));
}

void frmColorScale::movePointer() {
    lblUserColorPointer->move(preview_.width() + 4, state().UserColorPointerTop / kTwipsPerPixel);
}

} // namespace vz
