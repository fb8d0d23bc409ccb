#include "app/frmMain.h"

#include "app/EchogramView.h"
#include "app/MainMenus.h"
#include "controls/SetupProperties.h"
#include "core/Shutdown.h"
#include "core/State.h"
#include "core/Timers.h"
#include "display/ColorScales.h"
#include "display/Scrolling.h"
#include "display/Surfaces.h"
#include "display/frmColorScale.h"
#include "link/frmCheckPorts.h"
#include "link/frmDebug.h"
#include "processing/AcquisitionTick.h"
#include "processing/PingCycle.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vz {

namespace {

QButtonGroup* makeOptionGroup(QGroupBox* frame, const char* name, const char* item0, const char* item1) {
    auto* group = new QButtonGroup(frame);
    group->setObjectName(name);
    auto* layout = new QVBoxLayout(frame);
    int index = 0;
    for (const char* caption : {item0, item1}) {
        auto* option = new QRadioButton(caption, frame);
        group->addButton(option, index++);
        layout->addWidget(option);
    }
    group->button(0)->setChecked(true);
    return group;
}

QString valueText(const char* text, int value) { return QString("%1 %2").arg(text).arg(value); }

} // namespace

frmMain::frmMain() {
    setObjectName("frmMain");
    setWindowTitle("Vodazuzovi");
    BuildMainMenus(menuBar());

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    auto* top = new QHBoxLayout;
    PictVisibleView = new EchogramView(PictVisible(), central);
    PictVisibleView->setObjectName("PictVisible");
    top->addWidget(PictVisibleView, 1);
    pictFullColorScaleView = new QLabel(central);
    pictFullColorScaleView->setObjectName("pictFullColorScale");
    pictFullColorScaleView->setAlignment(Qt::AlignTop);
    pictFullColorScaleView->setToolTip("Echo strength colours, strong at the top. Right-click to choose a colour scale.");
    pictFullColorScaleView->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(pictFullColorScaleView, &QWidget::customContextMenuRequested, this, [] { frmColorScale::open(); });
    top->addWidget(pictFullColorScaleView, 0, Qt::AlignTop);
    layout->addLayout(top, 1);
    layout->addWidget(buildControls());
    layout->addWidget(buildStatusLine());
    setCentralWidget(central);

    wireTimers();
    setUi(this);
    applySettingsToControls();
}

frmMain::~frmMain() { setUi(nullptr); }

frmMain::ValueRow frmMain::makeValueRow(const char* downName, const char* labelName, const char* upName) {
    ValueRow row{new QPushButton("<"), new QLabel, new QPushButton(">")};
    row.down->setObjectName(downName);
    row.label->setObjectName(labelName);
    row.up->setObjectName(upName);
    for (QPushButton* b : {row.down, row.up}) b->setFixedWidth(28);
    row.label->setMinimumWidth(120);
    row.label->setAlignment(Qt::AlignCenter);
    return row;
}

QWidget* frmMain::buildControls() {
    auto* panel = new QWidget;
    auto* layout = new QHBoxLayout(panel);
    auto* values = new QGridLayout;
    chartSpeed = makeValueRow("cmdChartSpeedDown", "lblChartSpeed", "cmdChartSpeedUp");
    clutterFilter = makeValueRow("cmdClutterFilterDown", "lblClutterFilter", "cmdClutterFilterUp");
    noiseFilter = makeValueRow("cmdNoiseFilterDown", "lblNoiseFilter", "cmdNoiseFilterUp");
    xmitPwr = makeValueRow("cmdXmitPwrDown", "lblXmitPwr", "cmdXmitPwrUp");
    screenThreshold = makeValueRow("cmdDisplayThresholdDown", "lblScreenThreshold", "cmdDisplayThresholdUp");
    ascopeThreshold = makeValueRow("cmdAscopeThresholdDown", "lblAscopeThreshold", "cmdAscopeThresholdUp");
    const ValueRow rows[] = {chartSpeed, clutterFilter, noiseFilter, xmitPwr, screenThreshold, ascopeThreshold};
    for (int i = 0; i < 6; ++i) {
        const int r = i % 3, c = (i / 3) * 3;
        values->addWidget(rows[i].down, r, c);
        values->addWidget(rows[i].label, r, c + 1);
        values->addWidget(rows[i].up, r, c + 2);
    }
    layout->addLayout(values);

    fraModeAutoManual = new QGroupBox("Mode");
    fraModeAutoManual->setObjectName("fraModeAutoManual");
    optModeAutoManual = makeOptionGroup(fraModeAutoManual, "optModeAutoManual", "Manual", "Auto");
    fraScreenFullSplit = new QGroupBox("Screen");
    fraScreenFullSplit->setObjectName("fraScreenFullSplit");
    optScreenFullSplit = makeOptionGroup(fraScreenFullSplit, "optScreenFullSplit", "Full", "Split");
    fraSoundOnOff = new QGroupBox("Sound");
    fraSoundOnOff->setObjectName("fraSoundOnOff");
    optSoundOnOff = makeOptionGroup(fraSoundOnOff, "optSoundOnOff", "On", "Off");
    for (QGroupBox* frame : {fraModeAutoManual, fraScreenFullSplit, fraSoundOnOff}) layout->addWidget(frame);

    auto* buttons = new QVBoxLayout;
    cmdPause = new QPushButton("Pause");
    cmdPause->setObjectName("cmdPause");
    cmdClear = new QPushButton("Clear");
    cmdClear->setObjectName("cmdClear");
    connect(cmdPause, &QPushButton::clicked, this, [this] { cmdPause_Click(); });
    connect(cmdClear, &QPushButton::clicked, this, [] {
        state().ClearFullPending = 1;
        ClearEchogram();
    });
    buttons->addWidget(cmdPause);
    buttons->addWidget(cmdClear);
    layout->addLayout(buttons);
    layout->addStretch(1);
    return panel;
}

QWidget* frmMain::buildStatusLine() {
    auto* line = new QWidget;
    auto* layout = new QHBoxLayout(line);
    layout->setContentsMargins(0, 0, 0, 0);
    auto make = [&](QLabel*& label, const char* name, int minWidth) {
        label = new QLabel(line);
        label->setObjectName(name);
        label->setMinimumWidth(minWidth);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        layout->addWidget(label);
    };
    make(lblDate, "lblDate", 90);
    make(lblTime, "lblTime", 70);
    make(lblMode, "lblMode", 200);
    make(lblLat, "lblLat", 150);
    make(lblLong, "lblLong", 160);
    make(lblCursorDepth, "lblCursorDepth", 90);
    lblMode->setAutoFillBackground(true);
    layout->addStretch(1);
    return line;
}

void frmMain::wireTimers() {
    Timers& t = timers();
    t.tmrMainTimer1.onTick([] { PingCycle(); });
    t.tmrMainTimer2.onTick([] { AcquisitionTick(); });
    t.tmr5Sec.onTick([] { ClearCommErrors(); });
    t.tmr5Sec.setEnabled(true);
    t.tmrMainMouse.onTick([] {
        // Code 9: the Interface Box search is still showing its progress.
        if (state().HeldMainButton == 9) frmCheckPorts::instance().tickAnimation();
    });
    auto* showDebug = new QAction(this);
    showDebug->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_D));
    connect(showDebug, &QAction::triggered, this, [] {
        state().DiagnosticsOn = true;
        frmDebug::instance().show();
    });
    addAction(showDebug);
}

void frmMain::applySettingsToControls() {
    const State& s = state();
    chartSpeed.label->setText(valueText("Chart Speed", s.ChartSpeed));
    clutterFilter.label->setText(valueText("Clutter Filter", s.ClutterFilter));
    noiseFilter.label->setText(valueText("Noise Filter", s.NoiseFilter));
    screenThreshold.label->setText(valueText("Display Thr.", s.DisplayThreshold));
    ascopeThreshold.label->setText(valueText("AScope Thr.", s.AScopeThreshold));
    xmitPwr.label->setText(QString::fromStdString(XmitPowerLabel(s.XmitPowerWatts)));
    optModeAutoManual->button(s.AutoMode == 1 ? 1 : 0)->setChecked(true);
    optScreenFullSplit->button(s.SplitScreen == 1 ? 1 : 0)->setChecked(true);
    optSoundOnOff->button(s.SoundOn == 1 ? 0 : 1)->setChecked(true);
    RefreshMainMenus();
    fraScreenFullSplit->setEnabled(s.AutoMode != 1);
}

void frmMain::cmdPause_Click() {
    State& s = state();
    if (!s.Paused) {
        timers().tmrMainTimer1.setEnabled(false);
        s.Paused = true;
        cmdPause->setText("Run");
        showStatus({lblDate->text().toStdString(), lblTime->text().toStdString(), "  Mode: Paused",
                    ModeBackground::Yellow});
    } else {
        timers().tmrMainTimer1.setEnabled(true);
        s.Paused = false;
        cmdPause->setText("Pause");
    }
}

void frmMain::setXmitPowerLabel(const std::string& text) { xmitPwr.label->setText(QString::fromStdString(text)); }

void frmMain::showPlaybackControls(bool playback) {
    ShowMenusForPlayback(playback);
    xmitPwr.down->setEnabled(!playback);
    xmitPwr.up->setEnabled(!playback);
    fraScreenFullSplit->setEnabled(!playback);
    fraModeAutoManual->setEnabled(!playback);
    if (playback) {
        lblLat->setText("- - - - -");
        lblLong->setText("- - - - -");
    }
}

bool frmMain::colorScaleVisible() { return frmColorScale::isOpen(); }

void frmMain::pictureChanged() { PictVisibleView->update(); }

void frmMain::showColorBar(bool visible) {
    pictFullColorScaleView->setVisible(visible);
    if (visible) pictFullColorScaleView->setPixmap(QPixmap::fromImage(pictFullColorScale().image()));
}

void frmMain::showStatus(const StatusLabels& labels) {
    lblDate->setText(QString::fromStdString(labels.date));
    lblTime->setText(QString::fromStdString(labels.time));
    lblMode->setText(QString::fromStdString(labels.mode));
    QPalette p = lblMode->palette();
    switch (labels.modeBackground) {
    case ModeBackground::SystemLight: p = QApplication::palette(lblMode); break;
    case ModeBackground::Green: p.setColor(QPalette::Window, QColor(0, 255, 0)); break;
    case ModeBackground::Red: p.setColor(QPalette::Window, QColor(255, 0, 0)); break;
    case ModeBackground::Yellow: p.setColor(QPalette::Window, QColor(255, 255, 0)); break;
    }
    lblMode->setPalette(p);
}

void frmMain::showSearchWindow(const std::string& text) { frmCheckPorts::instance().showSearch(text); }
void frmMain::closeSearchWindow() { frmCheckPorts::instance().closeSearch(); }
void frmMain::loadDiagnostics() { frmDebug::instance(); }
void frmMain::refreshDiagnostics() { frmDebug::instance().refreshFromState(); }
void frmMain::showPingWaitTicks() { frmDebug::instance().showPingWaitTicks(); }
void frmMain::showMaxInBuffer() { frmDebug::instance().showMaxInBuffer(); }
void frmMain::setCommsIndicator(bool ok) { frmDebug::instance().setCommsIndicator(ok); }

void frmMain::quit() { QCoreApplication::exit(0); }

void frmMain::closeAllWindows() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w != this) w->hide();
    }
    hide();
}

void frmMain::closeEvent(QCloseEvent* event) {
    // Closing the window ends the program the same way as File > Exit.
    ExitProgram();
    event->accept();
}

} // namespace vz
