#pragma once
// A channel settings panel: frmFull ("Full Screen Settings"), frmLeft or frmRight, the same
// window for each channel with the channel's name in every control name. It shows the stored
// settings and hands every event to the channel's operations.
#include "controls/PanelOptions.h"
#include "controls/PanelRows.h"
#include "core/Channel.h"

#include <QWidget>

#include <array>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;

namespace vz {

class frmChannelPanel : public QWidget {
    Q_OBJECT
public:
    // The channel's panel, created hidden on first use; it lives until the program ends.
    static frmChannelPanel& panel(Channel channel);
    // Hides whichever panels exist.
    static void hideAll();

    Channel channel() const { return channel_; }
    // The chosen option items and all value texts from the channel's settings.
    void showSettings();
    // The Manual Settings rows of the channel's processing type.
    void showProcessingTypeRows();
    // Auto mode hides the Manual Settings and makes the depth buttons unavailable.
    void showManualAutoMode(bool autoMode);
    // While recorded data plays, only the A-scope switch and the depth buttons are usable.
    void showPlayback(bool playback);

protected:
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    explicit frmChannelPanel(Channel channel);
    QString name(const char* prefix, const char* part) const;
    QWidget* makeRow(PanelRow row);
    QGroupBox* makeCopyFrame(const char* caption, const char* part, CopyDirection direction);
    QGroupBox* makeOptionFrame(const char* frameName, const char* caption, QButtonGroup*& group,
                               std::initializer_list<const char*> items, void (*handler)(Channel, int));

    struct Row {
        QWidget* widget = nullptr;
        QLabel* label = nullptr;
        QPushButton* down = nullptr;
        QPushButton* up = nullptr;
    };
    Channel channel_;
    std::array<Row, std::size(kPanelRows)> rows_{};
    QGroupBox *fraExport = nullptr, *fraImport = nullptr, *fraAscope = nullptr, *fraFrequency = nullptr,
              *fraProcessingType = nullptr, *fraManualSettings = nullptr;
    QButtonGroup *optAscope = nullptr, *optFrequency = nullptr, *optProcessingType = nullptr;
    QLabel* lblVarying = nullptr;
};

} // namespace vz
