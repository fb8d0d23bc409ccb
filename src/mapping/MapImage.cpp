#include "mapping/MapImage.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace vz {

namespace {

constexpr int kMapWidth = 1000, kMapHeight = 760; // the largest map area, in pixels
constexpr int kMargin = 40, kLegendWidth = 110, kTitleHeight = 30;

QColor DepthColour(double share) {
    static const QColor stops[] = {{232, 246, 196}, {140, 212, 214}, {62, 150, 202}, {32, 82, 162}, {14, 28, 88}};
    const double x = std::clamp(share, 0.0, 1.0) * 4;
    const int i = std::min(static_cast<int>(x), 3);
    const double f = x - i;
    auto mix = [f](int a, int b) { return static_cast<int>(std::lround(a + f * (b - a))); };
    return {mix(stops[i].red(), stops[i + 1].red()), mix(stops[i].green(), stops[i + 1].green()),
            mix(stops[i].blue(), stops[i + 1].blue())};
}

// A round length near `metres`: 1, 2 or 5 times a power of ten.
double RoundLength(double metres) {
    const double power = std::pow(10.0, std::floor(std::log10(metres)));
    for (double step : {5.0, 2.0, 1.0})
        if (step * power <= metres) return step * power;
    return power;
}

} // namespace

QImage DrawDepthMap(const DepthGrid& grid, const std::vector<ContourLine>& contours, const QString& units,
                    const QString& title) {
    const GridGeometry& g = grid.geometry;
    float lowest = INFINITY, highest = -INFINITY;
    for (float d : grid.depth)
        if (!DepthGrid::isEmpty(d)) {
            lowest = std::min(lowest, d);
            highest = std::max(highest, d);
        }
    if (!(lowest <= highest)) lowest = highest = 0;
    const double span = std::max(static_cast<double>(highest - lowest), 1e-6);

    QImage cells(std::max(g.columns, 1), std::max(g.rows, 1), QImage::Format_RGB32);
    cells.fill(Qt::white);
    for (int row = 0; row < g.rows; ++row)
        for (int column = 0; column < g.columns; ++column)
            if (const float d = grid.at(column, row); !DepthGrid::isEmpty(d))
                cells.setPixel(column, row, DepthColour((d - lowest) / span).rgb());

    const double scale = std::min(static_cast<double>(kMapWidth) / cells.width(),
                                  static_cast<double>(kMapHeight) / cells.height()); // pixels per cell
    const QRectF map(kMargin, kMargin + kTitleHeight, cells.width() * scale, cells.height() * scale);
    QImage image(static_cast<int>(map.right()) + kLegendWidth + kMargin, static_cast<int>(map.bottom()) + 2 * kMargin,
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform, scale < 1);
    p.drawImage(map, cells);

    // Contours, from the plane to pixels.
    auto toPixel = [&](double east, double north) {
        return QPointF(map.left() + (east - g.west) / g.cell * scale, map.top() + (g.north - north) / g.cell * scale);
    };
    p.setPen(QPen(QColor(40, 40, 40, 170), 1.0));
    for (const ContourLine& line : contours) {
        QPainterPath path;
        for (std::size_t i = 0; i < line.points.size(); ++i) {
            const QPointF q = toPixel(line.points[i].first, line.points[i].second);
            i == 0 ? path.moveTo(q) : path.lineTo(q);
        }
        p.drawPath(path);
    }
    p.setPen(Qt::black);
    p.setBrush(Qt::NoBrush);
    p.drawRect(map);
    QFont font = p.font();
    font.setPixelSize(13);
    p.setFont(font);
    p.drawText(QRectF(kMargin, kMargin / 2.0, map.width(), kTitleHeight), Qt::AlignLeft | Qt::AlignVCenter, title);

    // Legend: shallow at the top.
    const QRectF bar(map.right() + 24, map.top(), 22, std::min(map.height(), 320.0));
    for (int y = 0; y < static_cast<int>(bar.height()); ++y) {
        p.setPen(DepthColour(y / bar.height()));
        p.drawLine(QPointF(bar.left(), bar.top() + y), QPointF(bar.right(), bar.top() + y));
    }
    p.setPen(Qt::black);
    p.drawRect(bar);
    p.drawText(QPointF(bar.left(), bar.top() - 8), "Depth (" + units + ")");
    for (int k = 0; k <= 4; ++k) {
        const double y = bar.top() + bar.height() * k / 4;
        p.drawLine(QPointF(bar.right(), y), QPointF(bar.right() + 4, y));
        p.drawText(QPointF(bar.right() + 7, y + 5), QString::number(lowest + span * k / 4, 'f', 1));
    }

    // Scale bar about a quarter of the map wide, and north up.
    const double metresPerPixel = g.cell / scale;
    const double length = RoundLength(map.width() / 4 * metresPerPixel);
    const double pixels = length / metresPerPixel;
    const QPointF start(map.left(), map.bottom() + 22);
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(start, start + QPointF(pixels, 0));
    for (double x : {0.0, pixels}) p.drawLine(start + QPointF(x, -5), start + QPointF(x, 5));
    p.setPen(Qt::black);
    p.drawText(start + QPointF(pixels + 8, 5), QString::number(length, 'g', 6) + " m");
    const QPointF tip(bar.center().x(), bar.bottom() + 50);
    QPainterPath arrow;
    arrow.moveTo(tip);
    arrow.lineTo(tip + QPointF(-8, 26));
    arrow.lineTo(tip + QPointF(0, 19));
    arrow.lineTo(tip + QPointF(8, 26));
    arrow.closeSubpath();
    p.setBrush(Qt::black);
    p.drawPath(arrow);
    p.drawText(QRectF(tip.x() - 10, tip.y() + 28, 20, 18), Qt::AlignCenter, "N");
    return image;
}

} // namespace vz
