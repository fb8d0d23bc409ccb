#pragma once
// The main window: the echogram with its colour bar, the six stepped values, the Mode, Screen and
// Sound groups, Pause and Clear, the status labels and the menu bar. It is thin: it shows the
// global state and hands every event to the operations that own it.
#include "core/Ui.h"

#include <QMainWindow>


class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;

namespace vz {

class EchogramView;
class frmCheckPorts;
class frmColorScale;
class frmDebug;

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
    void showPlaybackControls(bool playback) override;
    bool colorScaleVisible() override;
    void pictureChanged() override;
    void showColorBar(bool visible) override;
    void showStatus(const StatusLabels& labels) override;
    void showSearchWindow(const std::string& text) override;
    void closeSearchWindow() override;
    void loadDiagnostics() override;
    void refreshDiagnostics() override;
    void showPingWaitTicks() override;
    void showMaxInBuffer() override;
    void setCommsIndicator(bool ok) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct ValueRow {
        QPushButton* down;
        QLabel* label;
        QPushButton* up;
    };
    ValueRow makeValueRow(const char* downName, const char* labelName, const char* upName);
    QWidget* buildControls();
    QWidget* buildStatusLine();
    void wireTimers();
    void cmdPause_Click();

    EchogramView* PictVisibleView = nullptr;
    QLabel* pictFullColorScaleView = nullptr;
    ValueRow chartSpeed{}, clutterFilter{}, noiseFilter{}, xmitPwr{}, screenThreshold{}, ascopeThreshold{};
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
