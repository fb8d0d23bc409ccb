#include "app/frmChart.h"

#include "app/MainMenus.h"
#include "core/State.h"
#include "logging/Playback.h"
#include "platform/Paths.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QSettings>
#include <QWheelEvent>

#include <cmath>

namespace vz {

namespace {

constexpr int kTrackRedrawMs = 500;
constexpr double kClickRadius = 8;
constexpr double kDragThreshold = 4;
frmChart* chartWindow = nullptr;

// Whether the chart is open lives beside the settings, so that the settings file keeps the
// format other programs read.
QString ChartIniPath() { return QString::fromStdString(dataFolder() + "/chart.ini"); }

void RememberOpen(bool open) {
    QSettings ini(ChartIniPath(), QSettings::IniFormat);
    ini.setValue("chart/open", open);
}

} // namespace

frmChart& frmChart::instance() {
    if (!chartWindow) chartWindow = new frmChart; // lives until the program ends
    return *chartWindow;
}

bool frmChart::isOpen() { return chartWindow && chartWindow->isVisible(); }

void frmChart::toggle() {
    frmChart& w = instance();
    if (w.isVisible()) {
        w.hide();
    } else {
        w.show();
        w.raise();
    }
    RememberOpen(w.isVisible());
    RefreshMainMenus();
}

void frmChart::restore() {
    if (QSettings(ChartIniPath(), QSettings::IniFormat).value("chart/open", false).toBool()) {
        instance().show();
        RefreshMainMenus();
    }
}

frmChart::frmChart() : QWidget(nullptr, Qt::Window) {
    setObjectName("frmChart");
    setWindowTitle("Chart");
    setToolTip("Wheel: zoom. Drag: move. Double-click: the whole track. In playback, click the track to jump there.");
    resize(520, 520);
    timer_.setExclusive(true);
    timer_.onTick([this] { refresh(); });
    sinceDrawn_.start();
}

const ChartTrack& frmChart::track() const {
    return state().PlaybackMode ? PlaybackChartTrack() : SessionTrack();
}

std::optional<std::size_t> frmChart::boatPoint() const {
    const ChartTrack& t = track();
    if (t.empty()) return std::nullopt;
    if (!state().PlaybackMode) return t.points().size() - 1;
    // After a jump the record played last is the one before the point: show where play goes on.
    return t.pointAtRecord(CurrentPlaybackPosition().record + 1);
}

QPointF frmChart::pixelOfPoint(std::size_t index) const {
    const ChartTrack& t = track();
    const ChartPoint& p = t.points().at(index);
    return ChartPixel(view_, t.projection(), p.latitude, p.longitude);
}

bool frmChart::jumpToPointAt(QPointF pixel) {
    if (!state().PlaybackMode) return false;
    const ChartTrack& t = track();
    const auto index = ChartPointNear(t, view_, pixel, kClickRadius);
    if (!index || !SeekPlayback(t.points()[*index].record)) return false;
    refresh();
    return true;
}

void frmChart::refresh() {
    const State& s = state();
    const ChartTrack& t = track();
    const bool trackChanged = &t != drawnTrack_ || t.revision() != drawnRevision_;
    const std::optional<std::size_t> boat = boatPoint();
    const bool otherChanged = viewChanged_ || boat != drawnBoat_ || s.ColorTable != drawnColours_ ||
                              s.DepthUnits != drawnUnits_ || &t != drawnTrack_;
    // A growing track is drawn again at most twice a second; what the user did, at once.
    if (!otherChanged && (!trackChanged || sinceDrawn_.elapsed() < kTrackRedrawMs)) return;
    view_.width = std::max(width(), 1);
    view_.height = std::max(height(), 1);
    if (following_) view_ = FitChart(t, view_.width, view_.height);
    if (picture_.size() != QSize(view_.width, view_.height)) picture_ = QImage(view_.width, view_.height, QImage::Format_RGB32);
    DrawChart(picture_, t, view_, boat, s.ColorTable, s.DepthUnits);
    drawnTrack_ = &t;
    drawnRevision_ = t.revision();
    drawnBoat_ = boat;
    drawnColours_ = s.ColorTable;
    drawnUnits_ = s.DepthUnits;
    viewChanged_ = false;
    sinceDrawn_.restart();
    update();
}

void frmChart::changeView(const ChartView& view) {
    view_ = view;
    following_ = false;
    viewChanged_ = true;
}

void frmChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
}

void frmChart::resizeEvent(QResizeEvent*) {
    view_.width = std::max(width(), 1);
    view_.height = std::max(height(), 1);
    viewChanged_ = true;
}

void frmChart::wheelEvent(QWheelEvent* event) {
    const double steps = event->angleDelta().y() / 120.0;
    if (steps != 0) changeView(ZoomChart(view_, track().projection(), event->position(), std::pow(1.25, steps)));
    event->accept();
}

void frmChart::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    pressedAt_ = draggedTo_ = event->position();
    dragging_ = false;
}

void frmChart::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton)) return;
    const QPointF delta = event->position() - draggedTo_;
    if (!dragging_ && (event->position() - pressedAt_).manhattanLength() < kDragThreshold) return;
    dragging_ = true;
    draggedTo_ = event->position();
    changeView(PanChart(view_, track().projection(), delta));
}

void frmChart::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (!dragging_) jumpToPointAt(event->position());
    dragging_ = false;
}

void frmChart::mouseDoubleClickEvent(QMouseEvent*) {
    following_ = true;
    viewChanged_ = true;
}

void frmChart::showEvent(QShowEvent* event) {
    viewChanged_ = true;
    timer_.setEnabled(true);
    refresh();
    QWidget::showEvent(event);
}

void frmChart::hideEvent(QHideEvent* event) {
    timer_.setEnabled(false);
    QWidget::hideEvent(event);
}

void frmChart::closeEvent(QCloseEvent* event) {
    // Closed by the user: not open at the next start either.
    if (!state().ProgramEnding) RememberOpen(false);
    event->accept();
    hide();
    RefreshMainMenus();
}

} // namespace vz
