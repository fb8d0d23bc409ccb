#include "controls/frmChannelPanel.h"

#include "controls/PanelButtons.h"
#include "controls/WidgetStepButton.h"
#include "core/State.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>


namespace vz {

namespace {

// Created on first use; they live until the program ends.
std::array<frmChannelPanel*, 3>& panels() {
    static std::array<frmChannelPanel*, 3> all{};
    return all;
}

// The two channels a panel exports to and imports from, in the order of its buttons.
std::array<Channel, 2> OtherChannels(Channel channel) {
    switch (channel) {
    case Channel::Left: return {Channel::Full, Channel::Right};
    case Channel::Right: return {Channel::Full, Channel::Left};
    default: return {Channel::Right, Channel::Left};
    }
}

} // namespace

frmChannelPanel& frmChannelPanel::panel(Channel channel) {
    frmChannelPanel*& p = panels()[static_cast<int>(channel)];
    if (!p) p = new frmChannelPanel(channel);
    return *p;
}

void frmChannelPanel::hideAll() {
    for (frmChannelPanel* p : panels()) {
        if (p) p->hide();
    }
}

QString frmChannelPanel::name(const char* prefix, const char* part) const {
    return QString("%1%2%3").arg(prefix, channelName(channel_), part);
}

frmChannelPanel::frmChannelPanel(Channel channel) : channel_(channel) {
    setObjectName(name("frm", ""));
    setWindowTitle(QString("%1 Screen Settings").arg(channelName(channel)));
    auto* layout = new QVBoxLayout(this);
    // The window follows the rows shown: it shrinks when Auto mode hides the Manual Settings.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    layout->addWidget(makeRow(PanelRow::DepthRange));
    layout->addWidget(makeRow(PanelRow::DepthOffset));

    auto* copies = new QHBoxLayout;
    fraExport = makeCopyFrame("Export Data To", "Export", CopyDirection::Export);
    fraImport = makeCopyFrame("Import Data From", "Import", CopyDirection::Import);
    copies->addWidget(fraExport);
    copies->addWidget(fraImport);
    layout->addLayout(copies);

    auto* switches = new QHBoxLayout;
    fraAscope = makeOptionFrame("Ascope", "A-Scope", optAscope, {"Off", "On"}, optAscope_Click);
    fraFrequency = makeOptionFrame("Frequency", "Frequency", optFrequency, {"200 kHz", "50 kHz"}, optFrequency_Click);
    switches->addWidget(fraAscope);
    switches->addWidget(fraFrequency);
    layout->addLayout(switches);
    fraProcessingType = makeOptionFrame("ProcessingType", "Signal Processing Type", optProcessingType,
                                        {"Analog Fixed Gain", "Analog Time-Varying Gain",
                                         "Digital Processor Type 1", "Digital Processor Type 2"},
                                        optProcessingType_Click);
    layout->addWidget(fraProcessingType);

    fraManualSettings = new QGroupBox("Manual Settings", this);
    fraManualSettings->setObjectName(name("fra", "ManualSettings"));
    auto* manual = new QVBoxLayout(fraManualSettings);
    // The DSP gain row stands alone for the digital types, at the top of the frame.
    manual->addWidget(makeRow(PanelRow::DspGain));
    manual->addWidget(makeRow(PanelRow::PulseWidth));
    manual->addWidget(makeRow(PanelRow::AnalogGain));
    lblVarying = new QLabel("Time Varying Gain", fraManualSettings);
    lblVarying->setObjectName(name("lbl", "Varying"));
    lblVarying->setAlignment(Qt::AlignCenter);
    manual->addWidget(lblVarying);
    manual->addWidget(makeRow(PanelRow::StartGain));
    manual->addWidget(makeRow(PanelRow::GainRate));
    layout->addWidget(fraManualSettings);

    showSettings();
    showProcessingTypeRows();
}

QWidget* frmChannelPanel::makeRow(PanelRow row) {
    Row& r = rows_[static_cast<int>(row)];
    const char* part = RowInfo(row).name;
    r.widget = new QWidget(this);
    auto* layout = new QHBoxLayout(r.widget);
    layout->setContentsMargins(0, 0, 0, 0);
    auto button = [&](int direction) {
        const int code = PanelButtonCode(row, direction);
        const Channel c = channel_;
        return MakeStepButton(name("cmd", part) + (direction > 0 ? "Up" : "Down"), direction,
                              {[c, code](int mouseButton) { PanelButton_MouseDown(c, code, mouseButton); },
                               [c, code] { PanelButton_MouseUp(c, code); },
                               [c, code] { PanelButton_Click(c, code); },
                               [c] { ReleaseHeldPanelButton(c); }},
                              r.widget);
    };
    r.down = button(-1);
    r.label = new QLabel(r.widget);
    r.label->setObjectName(name("lbl", part));
    r.label->setAlignment(Qt::AlignCenter);
    r.label->setMinimumWidth(r.label->fontMetrics().horizontalAdvance("Fixed Analog Gain = 0000"));
    r.up = button(+1);
    layout->addWidget(r.down);
    layout->addWidget(r.label, 1);
    layout->addWidget(r.up);
    return r.widget;
}

QGroupBox* frmChannelPanel::makeCopyFrame(const char* caption, const char* part, CopyDirection direction) {
    auto* frame = new QGroupBox(caption, this);
    frame->setObjectName(name("fra", part));
    auto* layout = new QVBoxLayout(frame);
    for (Channel other : OtherChannels(channel_)) {
        auto* button = new QPushButton(QString("%1 Screen Settings").arg(channelName(other)), frame);
        button->setObjectName(name("cmd", part) + channelName(other));
        const Channel c = channel_;
        connect(button, &QPushButton::clicked, this, [c, other, direction] { CopyChannelSettings(c, other, direction); });
        layout->addWidget(button);
    }
    return frame;
}

QGroupBox* frmChannelPanel::makeOptionFrame(const char* frameName, const char* caption, QButtonGroup*& group,
                                            std::initializer_list<const char*> items,
                                            void (*handler)(Channel, int)) {
    auto* frame = new QGroupBox(caption, this);
    frame->setObjectName(name("fra", frameName));
    group = new QButtonGroup(frame);
    group->setObjectName(name("opt", frameName));
    auto* layout = new QVBoxLayout(frame);
    int index = 0;
    for (const char* item : items) {
        auto* option = new QRadioButton(item, frame);
        group->addButton(option, index++);
        layout->addWidget(option);
    }
    // Only a user's choice runs the handler; the refresh from the settings selects silently.
    const Channel c = channel_;
    connect(group, &QButtonGroup::idClicked, this, [c, handler](int id) { handler(c, id); });
    return frame;
}

void frmChannelPanel::showSettings() {
    const ChannelSettings& c = state().channel(channel_);
    optAscope->button(NearestItem(c.Ascope, 2))->setChecked(true);
    optFrequency->button(NearestItem(c.Frequency, 2))->setChecked(true);
    optProcessingType->button(NearestItem(c.ProcessingType, 4))->setChecked(true);
    for (PanelRow row : kPanelRows)
        rows_[static_cast<int>(row)].label->setText(QString::fromStdString(PanelRowText(channel_, row)));
}

void frmChannelPanel::showProcessingTypeRows() {
    const int type = NearestItem(state().channel(channel_).ProcessingType, 4);
    auto show = [&](PanelRow row, bool visible) { rows_[static_cast<int>(row)].widget->setVisible(visible); };
    show(PanelRow::PulseWidth, type <= 1);
    show(PanelRow::AnalogGain, type == 0);
    show(PanelRow::StartGain, type == 1);
    show(PanelRow::GainRate, type == 1);
    lblVarying->setVisible(type == 1);
    show(PanelRow::DspGain, type >= 2);
}

void frmChannelPanel::showManualAutoMode(bool autoMode) {
    fraManualSettings->setVisible(!autoMode);
    for (PanelRow row : {PanelRow::DepthRange, PanelRow::DepthOffset}) {
        rows_[static_cast<int>(row)].down->setEnabled(!autoMode);
        rows_[static_cast<int>(row)].up->setEnabled(!autoMode);
    }
}

void frmChannelPanel::showPlayback(bool playback) {
    for (QGroupBox* frame : {fraExport, fraImport, fraManualSettings, fraProcessingType, fraFrequency})
        frame->setEnabled(!playback);
}

void frmChannelPanel::hideEvent(QHideEvent* event) {
    ReleaseHeldPanelButton(channel_);
    QWidget::hideEvent(event);
}

void frmChannelPanel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) ReleaseHeldPanelButton(channel_);
    QWidget::changeEvent(event);
}

} // namespace vz
