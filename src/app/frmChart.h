#pragma once
// The chart window (View > Chart): the track of this session, or of the recording being played,
// coloured by depth, with the boat, a scale bar and north. The wheel zooms about the pointer, a
// drag pans, a double click shows the whole track again; in playback a click on the track jumps
// there. The picture is drawn by its own timer, held while the ping loop runs and at most twice a
// second for a growing track, so the chart never slows a ping; painting only shows the picture.
#include "display/ChartDrawing.h"
#include "platform/Timer.h"

#include <QElapsedTimer>
#include <QImage>
#include <QWidget>

#include <array>
#include <optional>

namespace vz {

class frmChart : public QWidget {
    Q_OBJECT
public:
    // View > Chart: shows the window or closes it, and remembers which for the next start.
    static void toggle();
    static bool isOpen();
    // At start: opens the window when it was open when the program last ran.
    static void restore();
    static frmChart& instance();

    // The track shown: the recording's in playback, else the session's.
    const ChartTrack& track() const;
    // Where point `index` of the track is drawn, in the window's pixels.
    QPointF pixelOfPoint(std::size_t index) const;
    // A click at `pixel`: in playback, the point under it becomes the next one played. False
    // when not playing or no point is near.
    bool jumpToPointAt(QPointF pixel);
    // The timer's work, also for tests: draws the picture again when the track, the boat or the
    // view changed.
    void refresh();
    const QImage& picture() const { return picture_; }
    // The point drawn as the boat.
    std::optional<std::size_t> boat() const { return drawnBoat_; }

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    frmChart();
    std::optional<std::size_t> boatPoint() const;
    void changeView(const ChartView& view);

    Timer timer_{100};
    QImage picture_;
    ChartView view_;
    bool following_ = true; // the view fits the whole track until the user zooms or pans
    bool viewChanged_ = true;
    const ChartTrack* drawnTrack_ = nullptr;
    std::uint64_t drawnRevision_ = 0;
    std::optional<std::size_t> drawnBoat_;
    std::array<Rgb, 16> drawnColours_{};
    std::int16_t drawnUnits_ = -1;
    QElapsedTimer sinceDrawn_;
    QPointF pressedAt_, draggedTo_;
    bool dragging_ = false;
};

} // namespace vz
