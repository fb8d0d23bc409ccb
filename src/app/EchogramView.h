#pragma once
// The on-screen echogram: paints the visible surface pixel for pixel at scale 1, and scaled
// smoothly when the window is larger. Pointer positions are handed on in surface pixels, so the
// depth under the pointer and the click zones are the same at any size.
#include <QWidget>

namespace vz {

class Surface;

class EchogramView : public QWidget {
    Q_OBJECT
public:
    EchogramView(const Surface& surface, QWidget* parent = nullptr);
    QSize sizeHint() const override;
    // Maps a widget position to the surface's pixel coordinates.
    QPointF toSurface(QPointF widgetPos) const;
    // The surface pixel under a widget position.
    QPoint surfacePixel(QPointF widgetPos) const;

signals:
    // A mouse button (1 left, 2 right, 4 middle) pressed at surface pixel (x, y).
    void pressed(int mouseButton, int x, int y);
    void pointerMoved(int x, int y);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QRect target() const;
    const Surface& surface_;
};

} // namespace vz
