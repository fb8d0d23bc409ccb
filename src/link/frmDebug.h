#pragma once
// The diagnostics window: the state of the link and of the last ping, a link indicator (green
// while replies arrive in time, red after a communication error) and a Reset Values button.
// Created hidden on first use; the acquisition tick and the receive event fill its boxes while
// it is shown, and showing it fills them from the state.
#include <QWidget>

class QFrame;
class QLineEdit;

namespace vz {

class frmDebug : public QWidget {
    Q_OBJECT
public:
    static frmDebug& instance();

    // Every box the acquisition tick writes, from the state.
    void refreshFromState();
    void showPingWaitTicks();
    void showMaxInBuffer();
    void setCommsIndicator(bool ok);
    QColor commsIndicatorColor() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    frmDebug();
    QLineEdit* addBox(const char* name, const char* label);

    QLineEdit *txtDebugIfbSerNo, *txtDebugDataOffset, *txtDebugDataMultiplier, *txtDebugPktLength,
        *txtMaxPingValue, *txtMinPingValue, *txtDebugCommErrors, *txtDebugMaxInBuffer,
        *txtDebugNoOfEntries, *txtDebugByteLength;
    QFrame* shpDebugCommsGreen;
};

} // namespace vz
