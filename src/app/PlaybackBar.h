#pragma once
// Under the echogram while a recording plays: its date, the time of the current record, the
// position in the file, and a slider that jumps forward or back.
#include <QWidget>

class QLabel;
class QSlider;

namespace vz {

class PlaybackBar : public QWidget {
    Q_OBJECT
public:
    explicit PlaybackBar(QWidget* parent = nullptr);
    // Follows the playback: hidden while live, else the current record's place.
    void refresh();

private:
    QLabel* lblPlaybackPosition;
    QSlider* sldPlayback;
};

} // namespace vz
