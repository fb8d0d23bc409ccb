#include "display/ChartDrawing.h"

#include "core/DepthUnits.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vz {

namespace {

constexpr double kMinimumFitMetres = 50;
constexpr double kFitMargin = 1.15;
const QColor kNoDepthColour(160, 160, 160);
constexpr double kMergePixels = 1.5;

QColor ToQColor(Rgb c) { return QColor(c.r, c.g, c.b); }

// The view's mapping from degrees to pixels, worked out once for a whole track.
class PixelMap {
public:
    PixelMap(const ChartView& view, const LocalProjection& projection) {
        const Metres unitEast = projection.toMetres(projection.originLatitude, projection.originLongitude + 1);
        const Metres unitNorth = projection.toMetres(projection.originLatitude + 1, projection.originLongitude);
        const Metres centre = projection.toMetres(view.centreLatitude, view.centreLongitude);
        xPerDegree_ = unitEast.east / view.metresPerPixel;
        yPerDegree_ = -unitNorth.north / view.metresPerPixel;
        x0_ = view.width / 2.0 - centre.east / view.metresPerPixel - projection.originLongitude * xPerDegree_;
        y0_ = view.height / 2.0 + centre.north / view.metresPerPixel - projection.originLatitude * yPerDegree_;
    }
    QPointF operator()(double latitude, double longitude) const {
        return {x0_ + longitude * xPerDegree_, y0_ + latitude * yPerDegree_};
    }

private:
    double xPerDegree_, yPerDegree_, x0_, y0_;
};

// Black or white, whichever stands out on the background.
QColor InkOn(Rgb background) {
    return background.r * 299 + background.g * 587 + background.b * 114 > 128000 ? Qt::black : Qt::white;
}

// The colour level of a point; 0 for a point without depth.
int LevelOf(const ChartPoint& p, const ChartTrack& track, const std::vector<int>& levels) {
    if (!p.depthFeet) return 0;
    const int count = static_cast<int>(levels.size());
    return levels[static_cast<std::size_t>(DepthColourIndex(*p.depthFeet, *track.shallowest(), *track.deepest(), count))];
}

// The track as runs of one colour, each drawn as one polyline; points closer than a pixel and a
// half to the last one drawn are passed over, so a long track costs no more than the pixels it
// covers. Not smoothed: smoothing a wide pen costs several times the drawing.
void DrawTrack(QPainter& painter, const ChartTrack& track, const ChartView& view, const std::array<Rgb, 16>& colours,
               const std::vector<int>& levels) {
    const PixelMap toPixel(view, track.projection());
    QPen pen;
    pen.setWidth(1);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    QPolygonF run;
    int runLevel = 0;
    QPointF last;
    bool haveLast = false;
    const auto flush = [&] {
        if (run.size() == 1) run << run.front();
        if (!run.isEmpty()) {
            pen.setColor(runLevel == 0 ? kNoDepthColour : ToQColor(colours[static_cast<std::size_t>(runLevel)]));
            painter.setPen(pen);
            painter.drawPolyline(run);
            // A wide pen costs several times as much as a thin line with a dot at every point.
            for (const QPointF& at : run) painter.fillRect(QRectF(at.x() - 1.5, at.y() - 1.5, 3, 3), pen.color());
        }
        run.clear();
    };
    for (const ChartPoint& p : track.points()) {
        const QPointF at = toPixel(p.latitude, p.longitude);
        const int level = LevelOf(p, track, levels);
        const bool sameColour = haveLast && level == runLevel;
        if (sameColour && std::abs(at.x() - last.x()) < kMergePixels && std::abs(at.y() - last.y()) < kMergePixels) continue;
        if (!sameColour) {
            flush();
            if (haveLast) run << last; // the stretch starts where the last one ended
            runLevel = level;
        }
        run << at;
        last = at;
        haveLast = true;
    }
    flush();
}

void DrawBoat(QPainter& painter, QPointF at) {
    painter.setPen(QPen(Qt::black, 2));
    painter.setBrush(Qt::white);
    painter.drawEllipse(at, 6, 6);
    painter.setBrush(Qt::NoBrush);
}

void DrawScaleBar(QPainter& painter, const ChartView& view, const QColor& ink) {
    const ScaleBar bar = ChartScaleBar(view.metresPerPixel, std::max(40, view.width / 4));
    const double pixels = bar.metres / view.metresPerPixel;
    const double x = 12, y = view.height - 14;
    painter.setPen(QPen(ink, 2));
    painter.drawLine(QPointF(x, y), QPointF(x + pixels, y));
    painter.drawLine(QPointF(x, y - 5), QPointF(x, y + 3));
    painter.drawLine(QPointF(x + pixels, y - 5), QPointF(x + pixels, y + 3));
    painter.drawText(QPointF(x, y - 8), QString::fromStdString(bar.caption));
}

void DrawNorth(QPainter& painter, const ChartView& view, const QColor& ink) {
    const double x = view.width - 24, top = 12;
    QPolygonF arrow;
    arrow << QPointF(x, top) << QPointF(x + 8, top + 24) << QPointF(x, top + 18) << QPointF(x - 8, top + 24);
    painter.setPen(QPen(ink, 1));
    painter.setBrush(ink);
    painter.drawPolygon(arrow);
    painter.setBrush(Qt::NoBrush);
    painter.drawText(QRectF(x - 10, top + 26, 20, 16), Qt::AlignCenter, "N");
}

// The colours from shallow to deep with the two depths, top left.
void DrawDepthKey(QPainter& painter, const ChartTrack& track, const std::array<Rgb, 16>& colours,
                  const std::vector<int>& levels, int depthUnits, const QColor& ink) {
    if (!track.shallowest()) return;
    const double perUnit = FeetPerDepthUnit(depthUnits);
    const char* unit = depthUnits == 1 ? "m" : depthUnits == 2 ? "fa" : "ft";
    char shallow[32], deep[32];
    std::snprintf(shallow, sizeof shallow, "%.1f %s", *track.shallowest() / perUnit, unit);
    std::snprintf(deep, sizeof deep, "%.1f %s", *track.deepest() / perUnit, unit);
    const int x = 12, y = 10, box = 8;
    painter.setPen(ink);
    painter.drawText(QPointF(x, y + 10), shallow);
    for (std::size_t i = 0; i < levels.size(); ++i)
        painter.fillRect(x + static_cast<int>(i) * box, y + 14, box, 10, ToQColor(colours[static_cast<std::size_t>(levels[i])]));
    painter.drawText(QPointF(x, y + 38), deep);
}

} // namespace

QPointF ChartPixel(const ChartView& view, const LocalProjection& projection, double latitude, double longitude) {
    return PixelMap(view, projection)(latitude, longitude);
}

ChartPoint ChartPositionAt(const ChartView& view, const LocalProjection& projection, QPointF pixel) {
    const Metres c = projection.toMetres(view.centreLatitude, view.centreLongitude);
    return projection.toDegrees({c.east + (pixel.x() - view.width / 2.0) * view.metresPerPixel,
                                 c.north - (pixel.y() - view.height / 2.0) * view.metresPerPixel});
}

ChartView FitChart(const ChartTrack& track, int width, int height) {
    ChartView view;
    view.width = std::max(width, 1);
    view.height = std::max(height, 1);
    if (track.empty()) return view;
    const LocalProjection projection = track.projection();
    double east = 0, north = 0;
    for (const ChartPoint& p : track.points()) {
        const Metres m = projection.toMetres(p.latitude, p.longitude);
        east = std::max(east, std::abs(m.east));
        north = std::max(north, std::abs(m.north));
    }
    view.centreLatitude = projection.originLatitude;
    view.centreLongitude = projection.originLongitude;
    const double across = std::max({2 * east / view.width, 2 * north / view.height,
                                    kMinimumFitMetres / std::min(view.width, view.height)});
    view.metresPerPixel = across * kFitMargin;
    return view;
}

ChartView ZoomChart(const ChartView& view, const LocalProjection& projection, QPointF anchor, double factor) {
    const ChartPoint under = ChartPositionAt(view, projection, anchor);
    ChartView zoomed = view;
    zoomed.metresPerPixel = std::clamp(view.metresPerPixel / factor, 0.01, 100000.0);
    // Where the anchored position would land now, moved back under the anchor.
    const QPointF landed = ChartPixel(zoomed, projection, under.latitude, under.longitude);
    return PanChart(zoomed, projection, anchor - landed);
}

ChartView PanChart(const ChartView& view, const LocalProjection& projection, QPointF delta) {
    const ChartPoint centre =
        ChartPositionAt(view, projection, QPointF(view.width / 2.0, view.height / 2.0) - delta);
    ChartView moved = view;
    moved.centreLatitude = centre.latitude;
    moved.centreLongitude = centre.longitude;
    return moved;
}

std::optional<std::size_t> ChartPointNear(const ChartTrack& track, const ChartView& view, QPointF pixel, double radius) {
    const PixelMap toPixel(view, track.projection());
    std::optional<std::size_t> nearest;
    double best = radius * radius;
    for (std::size_t i = 0; i < track.points().size(); ++i) {
        const ChartPoint& p = track.points()[i];
        const QPointF d = toPixel(p.latitude, p.longitude) - pixel;
        const double distance = d.x() * d.x() + d.y() * d.y();
        if (distance <= best) {
            best = distance;
            nearest = i;
        }
    }
    return nearest;
}

ScaleBar ChartScaleBar(double metresPerPixel, int maxPixels) {
    const double most = metresPerPixel * maxPixels;
    double metres = std::pow(10.0, std::floor(std::log10(most)));
    for (const double step : {5.0, 2.0}) {
        if (metres * step <= most) {
            metres *= step;
            break;
        }
    }
    char caption[32];
    if (metres >= 1000) std::snprintf(caption, sizeof caption, "%g km", metres / 1000);
    else std::snprintf(caption, sizeof caption, "%g m", metres);
    return {metres, caption};
}

std::vector<int> VisibleLevels(const std::array<Rgb, 16>& colours) {
    std::vector<int> levels;
    for (int level = 1; level <= 15; ++level) {
        if (colours[static_cast<std::size_t>(level)] != colours[0]) levels.push_back(level);
    }
    if (levels.empty()) {
        for (int level = 1; level <= 15; ++level) levels.push_back(level);
    }
    return levels;
}

int DepthColourIndex(float depthFeet, float shallowest, float deepest, int count) {
    if (!(deepest > shallowest)) return count / 2;
    const double share = std::clamp((depthFeet - shallowest) / static_cast<double>(deepest - shallowest), 0.0, 1.0);
    return static_cast<int>(std::lround(share * (count - 1)));
}

void DrawChart(QImage& image, const ChartTrack& track, const ChartView& view, std::optional<std::size_t> boat,
               const std::array<Rgb, 16>& colours, int depthUnits) {
    image.fill(ToQColor(colours[0]));
    QPainter painter(&image);
    const QColor ink = InkOn(colours[0]);
    const std::vector<int> levels = VisibleLevels(colours);
    DrawTrack(painter, track, view, colours, levels);
    painter.setRenderHint(QPainter::Antialiasing, true);
    if (boat && *boat < track.points().size()) {
        const ChartPoint& p = track.points()[*boat];
        DrawBoat(painter, ChartPixel(view, track.projection(), p.latitude, p.longitude));
    }
    DrawScaleBar(painter, view, ink);
    DrawNorth(painter, view, ink);
    DrawDepthKey(painter, track, colours, levels, depthUnits, ink);
}

} // namespace vz
