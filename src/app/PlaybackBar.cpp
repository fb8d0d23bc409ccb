#include "app/PlaybackBar.h"

#include "core/State.h"
#include "logging/Playback.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>

namespace vz {

PlaybackBar::PlaybackBar(QWidget* parent) : QWidget(parent) {
    setObjectName("PlaybackBar");
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    lblPlaybackPosition = new QLabel(this);
    lblPlaybackPosition->setObjectName("lblPlaybackPosition");
    lblPlaybackPosition->setMinimumWidth(lblPlaybackPosition->fontMetrics().horizontalAdvance("0000-00-00  00:00:00  record 000000 of 000000"));
    sldPlayback = new QSlider(Qt::Horizontal, this);
    sldPlayback->setObjectName("sldPlayback");
    sldPlayback->setToolTip("Drag to jump to another moment of the recording.");
    layout->addWidget(lblPlaybackPosition);
    layout->addWidget(sldPlayback, 1);
    connect(sldPlayback, &QSlider::sliderReleased, this, [this] {
        SeekPlayback(sldPlayback->value());
        refresh();
    });
    connect(sldPlayback, &QSlider::actionTriggered, this, [this](int action) {
        // Clicks and keys on the slider jump at once; a drag jumps when released.
        if (action != QAbstractSlider::SliderMove) {
            SeekPlayback(sldPlayback->sliderPosition());
            refresh();
        }
    });
    hide();
}

void PlaybackBar::refresh() {
    if (!state().PlaybackMode) {
        hide();
        return;
    }
    const PlaybackPosition p = CurrentPlaybackPosition();
    show();
    lblPlaybackPosition->setText(QString("%1  %2  record %3 of %4")
                                     .arg(QString::fromStdString(p.date), QString::fromStdString(p.time))
                                     .arg(p.record + 1)
                                     .arg(p.records));
    if (!sldPlayback->isSliderDown()) {
        sldPlayback->setRange(0, static_cast<int>(std::max<std::int64_t>(p.records - 1, 0)));
        sldPlayback->setValue(static_cast<int>(std::max<std::int64_t>(p.record, 0)));
    }
}

} // namespace vz
