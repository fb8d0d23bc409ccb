#pragma once
// The on-screen echogram: paints the visible surface pixel for pixel at scale 1, and scaled
// smoothly when the window is larger.
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

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QRect target() const;
    const Surface& surface_;
};

} // namespace vz
