#include "app/EchogramView.h"

#include "controls/WidgetStepButton.h"
#include "platform/Surface.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace vz {

EchogramView::EchogramView(const Surface& surface, QWidget* parent)
    : QWidget(parent), surface_(surface) {
    setMinimumSize(500, 300);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

QSize EchogramView::sizeHint() const { return {surface_.width(), surface_.height()}; }

QRect EchogramView::target() const {
    // Keep the picture's proportions; at its own size it is drawn pixel for pixel.
    const QSize picture(surface_.width(), surface_.height());
    const QSize fitted = picture.scaled(size(), Qt::KeepAspectRatio);
    return QRect(QPoint((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted);
}

QPointF EchogramView::toSurface(QPointF widgetPos) const {
    const QRect t = target();
    if (t.width() <= 0 || t.height() <= 0) return {};
    return {(widgetPos.x() - t.x()) * surface_.width() / t.width(),
            (widgetPos.y() - t.y()) * surface_.height() / t.height()};
}

QPoint EchogramView::surfacePixel(QPointF widgetPos) const {
    const QPointF p = toSurface(widgetPos);
    return {static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y()))};
}

void EchogramView::mousePressEvent(QMouseEvent* event) {
    const QPoint p = surfacePixel(event->position());
    emit pressed(MouseButtonCode(event->button()), p.x(), p.y());
    event->accept();
}

void EchogramView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = surfacePixel(event->position());
    emit pointerMoved(p.x(), p.y());
}

void EchogramView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect t = target();
    // Only the margins beside the picture: filling under it too would double the work of a
    // large window at every ping.
    const QRegion margins = QRegion(rect()).subtracted(t);
    for (const QRect& r : margins) p.fillRect(r, palette().window());
    // One surface pixel on one screen pixel: copied as it is. At twice the size or more each
    // pixel becomes a block, which keeps text and one-pixel lines sharp and costs far less than
    // smoothing; in between, smoothing hides the uneven widths.
    const double scale = t.width() * devicePixelRatioF() / std::max(1, surface_.width());
    if (t.size() == QSize(surface_.width(), surface_.height()) && devicePixelRatioF() == 1.0) {
        p.drawImage(t.topLeft(), surface_.image());
    } else {
        p.setRenderHint(QPainter::SmoothPixmapTransform, scale < 2.0);
        p.drawImage(t, surface_.image());
    }
}

} // namespace vz
