#pragma once
// The main window: the echogram with its colour bar, the six stepped values, the Mode, Screen and
// Sound groups, Pause and Clear, the status labels and the menu bar. It is thin: it shows the
// global state and hands every event to the operations that own it.
#include "core/Ui.h"

#include <QMainWindow>

#include <vector>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;

namespace vz {

class EchogramView;
class PictureRow;
class PlaybackBar;

class frmMain : public QMainWindow, public Ui {
    Q_OBJECT
public:
    frmMain();
    ~frmMain() override;

    // Ui
    void quit() override;
    void closeAllWindows() override;
    void applySettingsToControls() override;
    void setXmitPowerLabel(const std::string& text) override;
    void showSteppedValues() override;
    void showChannelSettings(Channel channel) override;
    void showProcessingTypeRows(Channel channel) override;
    void showManualAutoMode(bool autoMode) override;
    void setScreenFrameEnabled(bool enabled) override;
    void showPlaybackControls(bool playback) override;
    bool colorScaleVisible() override;
    void pictureChanged() override;
    void showColorBar(bool visible) override;
    void showStatus(const StatusLabels& labels) override;
    void refreshMenus() override;
    void showPosition() override;
    void showSearchWindow(const std::string& text) override;
    void closeSearchWindow() override;
    void loadDiagnostics() override;
    void refreshDiagnostics() override;
    void showPingWaitTicks() override;
    void showMaxInBuffer() override;
    void setCommsIndicator(bool ok) override;

    // Hides the pop-up windows (the three channel panels, colour scale, temperature calibration
    // and about): using the main window again closes them.
    void hidePopupWindows();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct ValueRow {
        QPushButton* down;
        QLabel* label;
        QPushButton* up;
    };
    ValueRow makeValueRow(int rowIndex);
    QWidget* buildControls();
    QWidget* buildStatusLine();
    void setTabOrder();
    void wireTimers();
    void cmdPause_Click();
    void pictureMouseDown(int mouseButton, int x, int y);
    void pictureMouseMove(int x, int y);
    // Grows the window, where the screen allows, until the picture has its own size again.
    void holdPictureSize();

    EchogramView* PictVisibleView = nullptr;
    PlaybackBar* playbackBar = nullptr;
    PictureRow* pictureRow = nullptr;
    QWidget* controlsPanel = nullptr;
    QWidget* statusLine = nullptr;
    struct NaturalWidth {
        QWidget* widget;
        int minimum, maximum;
    };
    std::vector<NaturalWidth> naturalWidths; // of the controls, grown with a large window
    QSize naturalSize;
    double naturalPointSize = 0;
    double controlsScale = 1.0;
    QLabel* pictFullColorScaleView = nullptr;
    ValueRow valueRows[6]{}; // chart speed, clutter filter, noise filter, transmit power, thresholds
    QGroupBox* fraModeAutoManual = nullptr;
    QGroupBox* fraScreenFullSplit = nullptr;
    QGroupBox* fraSoundOnOff = nullptr;
    QButtonGroup* optModeAutoManual = nullptr;
    QButtonGroup* optScreenFullSplit = nullptr;
    QButtonGroup* optSoundOnOff = nullptr;
    QPushButton* cmdPause = nullptr;
    QPushButton* cmdClear = nullptr;
    QLabel *lblDate = nullptr, *lblTime = nullptr, *lblMode = nullptr;
    QLabel *lblLat = nullptr, *lblLong = nullptr, *lblCursorDepth = nullptr;
};

} // namespace vz
