#include "app/frmMain.h"

#include "app/EchogramView.h"
#include "app/MainMenus.h"
#include "app/PictureRow.h"
#include "app/PlaybackBar.h"
#include "controls/MainOptions.h"
#include "controls/MainSteps.h"
#include "controls/PanelButtons.h"
#include "controls/SetupProperties.h"
#include "controls/WidgetStepButton.h"
#include "controls/XmitTempLimit.h"
#include "controls/frmChannelPanel.h"
#include "core/Shutdown.h"
#include "core/State.h"
#include "core/Timers.h"
#include "display/Pointer.h"
#include "display/Scrolling.h"
#include "display/Surfaces.h"
#include "display/frmColorScale.h"
#include "link/frmCheckPorts.h"
#include "link/frmDebug.h"
#include "nav/GpsInput.h"
#include "nav/NmeaOutput.h"
#include "processing/AcquisitionTick.h"
#include "processing/PingCycle.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace vz {

namespace {

QButtonGroup* makeOptionGroup(QGroupBox* frame, const char* name, const char* item0, const char* item1,
                              void (*handler)(int)) {
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
    // Only a user's choice runs the handler; applying the settings selects silently.
    QObject::connect(group, &QButtonGroup::idClicked, frame, handler);
    return group;
}

int ShiftState(Qt::KeyboardModifiers modifiers) {
    return (modifiers & Qt::ShiftModifier ? kShiftKey : 0) | (modifiers & Qt::ControlModifier ? kCtrlKey : 0) |
           (modifiers & Qt::AltModifier ? kAltKey : 0);
}

} // namespace

frmMain::frmMain() {
    setObjectName("frmMain");
    setWindowTitle("Vodazuzovi");
    BuildMainMenus(menuBar());

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    PictVisibleView = new EchogramView(PictVisible(), central);
    PictVisibleView->setObjectName("PictVisible");
    PictVisibleView->setToolTip("Right-click: channel settings, or the range gate in the A-scope strip. "
                                "Left-click: close the settings.");
    connect(PictVisibleView, &EchogramView::pressed, this, &frmMain::pictureMouseDown);
    connect(PictVisibleView, &EchogramView::pointerMoved, this, &frmMain::pictureMouseMove);
    pictFullColorScaleView = new QLabel(central);
    pictFullColorScaleView->setObjectName("pictFullColorScale");
    pictFullColorScaleView->setToolTip("Echo strength colours, strong at the top. Right-click to choose a colour scale.");
    pictFullColorScaleView->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(pictFullColorScaleView, &QWidget::customContextMenuRequested, this, [] { frmColorScale::open(); });
    const Surface& bar = pictFullColorScale();
    pictureRow = new PictureRow(PictVisibleView, pictFullColorScaleView, QSize(bar.width(), bar.height()), central);
    layout->addWidget(pictureRow, 1);
    playbackBar = new PlaybackBar(central);
    layout->addWidget(playbackBar);
    controlsPanel = buildControls();
    layout->addWidget(controlsPanel);
    statusLine = buildStatusLine();
    layout->addWidget(statusLine);
    setCentralWidget(central);
    setTabOrder();
    // The size at which every control has its own size and the picture one screen pixel per
    // picture pixel: the controls grow in proportion beyond it.
    naturalSize = sizeHint();
    naturalPointSize = controlsPanel->font().pointSizeF();
    for (QWidget* w : controlsPanel->findChildren<QWidget*>()) naturalWidths.push_back({w, w->minimumWidth(), w->maximumWidth()});
    for (QWidget* w : statusLine->findChildren<QWidget*>()) naturalWidths.push_back({w, w->minimumWidth(), w->maximumWidth()});
    // The controls start under the picture's left edge; the playback bar spans the picture and
    // its colour bar.
    connect(pictureRow, &PictureRow::placed, this, [this, margins = std::vector<int>{
                                                        controlsPanel->layout()->contentsMargins().left(),
                                                        statusLine->layout()->contentsMargins().left()}](int left, int right) {
        const QWidget* rows[] = {controlsPanel, statusLine};
        for (int i = 0; i < 2; ++i) {
            const QMargins m = rows[i]->layout()->contentsMargins();
            if (m.left() != margins[i] + left)
                rows[i]->layout()->setContentsMargins(margins[i] + left, m.top(), m.right(), m.bottom());
        }
        const QMargins m = playbackBar->layout()->contentsMargins();
        const int rightGap = std::max(0, pictureRow->width() - right);
        if (m.left() != left || m.right() != rightGap)
            playbackBar->layout()->setContentsMargins(left, m.top(), rightGap, m.bottom());
    });
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        resize(naturalSize.boundedTo(screen->availableSize()));

    wireTimers();
    setUi(this);
    applySettingsToControls();
    showPosition();
}

frmMain::~frmMain() { setUi(nullptr); }

frmMain::ValueRow frmMain::makeValueRow(int rowIndex) {
    const MainRowInfo& info = RowInfo(kMainRows[rowIndex]);
    auto button = [&](int direction) {
        const int code = MainButtonCode(kMainRows[rowIndex], direction);
        return MakeStepButton(QString("cmd%1%2").arg(info.buttonName, direction > 0 ? "Up" : "Down"), direction,
                              {[code](int mouseButton) { MainButton_MouseDown(code, mouseButton); },
                               [code] { MainButton_MouseUp(code); }, [code] { MainButton_Click(code); },
                               [] { ReleaseHeldMainButton(); }});
    };
    ValueRow row{button(-1), new QLabel, button(+1)};
    row.label->setObjectName(info.labelName);
    row.label->setMinimumWidth(row.label->fontMetrics().horizontalAdvance("Xmit Pwr 2560.00W"));
    row.label->setAlignment(Qt::AlignCenter);
    return row;
}

QWidget* frmMain::buildControls() {
    auto* panel = new QWidget;
    auto* layout = new QHBoxLayout(panel);
    auto* values = new QGridLayout;
    for (int i = 0; i < 6; ++i) {
        valueRows[i] = makeValueRow(i);
        const int r = i % 3, c = (i / 3) * 3;
        values->addWidget(valueRows[i].down, r, c);
        values->addWidget(valueRows[i].label, r, c + 1);
        values->addWidget(valueRows[i].up, r, c + 2);
    }
    layout->addLayout(values);

    fraModeAutoManual = new QGroupBox("Mode");
    fraModeAutoManual->setObjectName("fraModeAutoManual");
    optModeAutoManual = makeOptionGroup(fraModeAutoManual, "optModeAutoManual", "Manual", "Auto", optModeAutoManual_Click);
    fraScreenFullSplit = new QGroupBox("Screen");
    fraScreenFullSplit->setObjectName("fraScreenFullSplit");
    optScreenFullSplit = makeOptionGroup(fraScreenFullSplit, "optScreenFullSplit", "Full", "Split", optScreenFullSplit_Click);
    fraSoundOnOff = new QGroupBox("Sound");
    fraSoundOnOff->setObjectName("fraSoundOnOff");
    optSoundOnOff = makeOptionGroup(fraSoundOnOff, "optSoundOnOff", "On", "Off", optSoundOnOff_Click);
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
    make(lblCursorDepth, "lblCursorDepth", 110);
    lblMode->setAutoFillBackground(true);
    layout->addStretch(1);
    return line;
}

void frmMain::setTabOrder() {
    // Down the first column of value rows, then the second, then the option groups and buttons.
    QList<QWidget*> chain;
    for (const ValueRow& row : valueRows) chain << row.down << row.up;
    for (QButtonGroup* group : {optModeAutoManual, optScreenFullSplit, optSoundOnOff})
        chain << group->button(0) << group->button(1);
    chain << cmdPause << cmdClear;
    for (int i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
}

void frmMain::wireTimers() {
    Timers& t = timers();
    t.tmrMainTimer1.onTick([] { PingCycle(); });
    t.tmrMainTimer2.onTick([] { AcquisitionTick(); });
    t.tmrMainTimer2.onHeldTick([] { AcquisitionTickHeld(); });
    t.tmr5Sec.onTick([] { ClearCommErrors(); });
    t.tmr5Sec.setEnabled(true);
    t.tmrGpsTimer.onTick([] { ParseGpsSentence(); });
    t.tmrNmeaTimer.onTick([] { SendNmeaSentences(); });
    InstallGpsReceiver();
    t.tmrMainMouse.onTick([] {
        // Code 9: the Interface Box search is still showing its progress.
        if (state().HeldMainButton == kSearchAnimationCode) frmCheckPorts::instance().tickAnimation();
        else tmrMainMouse_Timer();
    });
    for (Channel c : kChannels) PanelMouseTimer(c).onTick([c] { tmrPanelMouse_Timer(c); });
}

void frmMain::applySettingsToControls() {
    const State& s = state();
    showSteppedValues();
    valueRows[static_cast<int>(MainRow::XmitPower)].label->setText(QString::fromStdString(XmitPowerLabel(s.XmitPowerWatts)));
    optModeAutoManual->button(s.AutoMode == 1 ? 1 : 0)->setChecked(true);
    optScreenFullSplit->button(s.SplitScreen == 1 ? 1 : 0)->setChecked(true);
    optSoundOnOff->button(s.SoundOn == 1 ? 0 : 1)->setChecked(true);
    RefreshMainMenus();
}

void frmMain::showSteppedValues() {
    for (int i = 0; i < 6; ++i) {
        if (kMainRows[i] != MainRow::XmitPower)
            valueRows[i].label->setText(QString::fromStdString(MainRowText(kMainRows[i])));
    }
}

void frmMain::setXmitPowerLabel(const std::string& text) {
    valueRows[static_cast<int>(MainRow::XmitPower)].label->setText(QString::fromStdString(text));
}

void frmMain::showChannelSettings(Channel channel) { frmChannelPanel::panel(channel).showSettings(); }
void frmMain::showProcessingTypeRows(Channel channel) { frmChannelPanel::panel(channel).showProcessingTypeRows(); }
void frmMain::showManualAutoMode(bool autoMode) {
    for (Channel c : kChannels) frmChannelPanel::panel(c).showManualAutoMode(autoMode);
}
void frmMain::setScreenFrameEnabled(bool enabled) { fraScreenFullSplit->setEnabled(enabled); }

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

void frmMain::pictureMouseDown(int mouseButton, int x, int y) {
    const PressResult result = PictVisible_MouseDown(mouseButton, x, y);
    RefreshMainMenus(); // the Range Gate check mark
    if (result.action == PressAction::OpenPanel) {
        frmChannelPanel& panel = frmChannelPanel::panel(result.channel);
        panel.show();
        panel.raise();
        panel.activateWindow();
    } else if (result.action == PressAction::HidePanels) {
        frmChannelPanel::hideAll();
    }
}

void frmMain::pictureMouseMove(int x, int y) {
    lblCursorDepth->setText(QString::fromStdString(CursorDepthText(x, y)));
}

void frmMain::hidePopupWindows() {
    frmChannelPanel::hideAll();
    frmColorScale::hideWindow();
    HideMenuPopups();
}

void frmMain::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange) {
        if (isActiveWindow()) hidePopupWindows();
        else ReleaseHeldMainButton();
    }
    QMainWindow::changeEvent(event);
}

void frmMain::focusInEvent(QFocusEvent* event) {
    hidePopupWindows();
    QMainWindow::focusInEvent(event);
}

void frmMain::mousePressEvent(QMouseEvent* event) {
    hidePopupWindows();
    QMainWindow::mousePressEvent(event);
}

void frmMain::mouseDoubleClickEvent(QMouseEvent* event) {
    hidePopupWindows();
    QMainWindow::mouseDoubleClickEvent(event);
}

void frmMain::keyPressEvent(QKeyEvent* event) {
    switch (KeyCommandFor(event->key(), ShiftState(event->modifiers()))) {
    case KeyCommand::Diagnostics:
        state().DiagnosticsOn = true;
        frmDebug::instance().show();
        break;
    case KeyCommand::XmitTempLimit: AskXmitTempLimit(); break;
    case KeyCommand::None: QMainWindow::keyPressEvent(event); break;
    }
}

void frmMain::showPlaybackControls(bool playback) {
    ShowMenusForPlayback(playback);
    const ValueRow& xmitPwr = valueRows[static_cast<int>(MainRow::XmitPower)];
    xmitPwr.down->setEnabled(!playback);
    xmitPwr.up->setEnabled(!playback);
    fraScreenFullSplit->setEnabled(!playback);
    fraModeAutoManual->setEnabled(!playback);
    for (Channel c : kChannels) frmChannelPanel::panel(c).showPlayback(playback);
}

bool frmMain::colorScaleVisible() { return frmColorScale::isOpen(); }

void frmMain::pictureChanged() { PictVisibleView->update(); }

void frmMain::showColorBar(bool visible) {
    pictFullColorScaleView->setVisible(visible);
    if (visible) pictFullColorScaleView->setPixmap(QPixmap::fromImage(pictFullColorScale().image()));
    pictureRow->place();
}

void frmMain::holdPictureSize() {
    if (isMaximized() || isFullScreen()) return;
    centralWidget()->layout()->activate();
    QSize wanted = sizeHint().expandedTo(size());
    if (const QScreen* screen = this->screen()) wanted = wanted.boundedTo(screen->availableSize());
    if (wanted != size()) resize(wanted);
}

void frmMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    // Quarter steps of the window's growth beyond its natural size: the controls keep their
    // share of a large window, and a step never feeds back into the size it came from.
    const double growth = std::min(static_cast<double>(width()) / std::max(1, naturalSize.width()),
                                   static_cast<double>(height()) / std::max(1, naturalSize.height()));
    const double scale = growth < 1.25 ? 1.0 : std::min(std::floor(growth * 4.0) / 4.0, 4.0);
    if (scale == controlsScale || naturalPointSize <= 0) return;
    controlsScale = scale;
    for (QWidget* w : {static_cast<QWidget*>(controlsPanel), statusLine, static_cast<QWidget*>(playbackBar)}) {
        QFont f = w->font();
        f.setPointSizeF(naturalPointSize * scale);
        w->setFont(f);
    }
    for (const NaturalWidth& n : naturalWidths) {
        const int width = static_cast<int>(std::lround(n.minimum * scale));
        if (n.minimum == n.maximum) n.widget->setFixedWidth(width);
        else n.widget->setMinimumWidth(width);
    }
}

void frmMain::showStatus(const StatusLabels& labels) {
    const bool barShown = playbackBar->isVisibleTo(this);
    playbackBar->refresh();
    // The bar takes its height from the window, not from the picture.
    if (!barShown && playbackBar->isVisibleTo(this)) holdPictureSize();
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
    // Every tick refreshes the status; an equal palette would still repaint the label.
    if (p != lblMode->palette()) lblMode->setPalette(p);
}

void frmMain::refreshMenus() { RefreshMainMenus(); }

void frmMain::showPosition() {
    lblLat->setText(QString::fromStdString(state().LatCaption));
    lblLong->setText(QString::fromStdString(state().LongCaption));
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
