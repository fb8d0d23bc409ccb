// The chart's flat projection and its pixels: known offsets on the ground, both hemispheres.
#include "display/ChartDrawing.h"
#include "nav/ChartTrack.h"

#include <gtest/gtest.h>

namespace vz::test {
namespace {

TEST(ChartProjection, KnownPositionsLandAtTheirDistancesAndPixels) {
    // A degree of latitude is 111,195 m on the mean sphere; a degree of longitude that times the
    // cosine of the latitude (0.65249 at 49.27 N, 0.83001 at 33.9 S).
    struct Case {
        double originLat, originLon, lat, lon, east, north;
    };
    const Case cases[] = {
        {49.27, -123.18, 49.27, -123.18, 0, 0},
        {49.27, -123.18, 49.28, -123.18, 0, 1111.95},
        {49.27, -123.18, 49.27, -123.17, 725.54, 0},
        {49.27, -123.18, 49.26, -123.20, -1451.09, -1111.95},
        {-33.9, 151.2, -33.9, 151.21, 922.93, 0},
        {-33.9, 151.2, -33.91, 151.19, -922.93, -1111.95},
        {0.0, 179.995, 0.0, 180.005, 1111.95, 0}, // no wrap within a chart: longitudes as given
    };
    for (const Case& c : cases) {
        const LocalProjection p{c.originLat, c.originLon};
        const Metres m = p.toMetres(c.lat, c.lon);
        EXPECT_NEAR(m.east, c.east, 0.05) << c.lat << " " << c.lon;
        EXPECT_NEAR(m.north, c.north, 0.05) << c.lat << " " << c.lon;
        const ChartPoint back = p.toDegrees(m);
        EXPECT_NEAR(back.latitude, c.lat, 1e-9);
        EXPECT_NEAR(back.longitude, c.lon, 1e-9);

        // A 400 x 300 picture centred on the origin at 10 m a pixel: east is right, north up.
        const ChartView view{c.originLat, c.originLon, 10.0, 400, 300};
        const QPointF pixel = ChartPixel(view, p, c.lat, c.lon);
        EXPECT_NEAR(pixel.x(), 200 + c.east / 10, 0.01);
        EXPECT_NEAR(pixel.y(), 150 - c.north / 10, 0.01);
        const ChartPoint under = ChartPositionAt(view, p, pixel);
        EXPECT_NEAR(under.latitude, c.lat, 1e-9);
        EXPECT_NEAR(under.longitude, c.lon, 1e-9);
    }
}

TEST(ChartProjection, ZoomKeepsThePositionUnderThePointerAndFitShowsTheWholeTrack) {
    ChartTrack track;
    for (const auto& [lat, lon] : {std::pair{49.27, -123.18}, {49.275, -123.17}, {49.265, -123.16}}) {
        track.append({lat, lon, 20.0f, -1});
    }
    const LocalProjection p = track.projection();
    const ChartView fit = FitChart(track, 300, 200);
    for (const ChartPoint& point : track.points()) {
        const QPointF at = ChartPixel(fit, p, point.latitude, point.longitude);
        EXPECT_GT(at.x(), 0);
        EXPECT_LT(at.x(), 300);
        EXPECT_GT(at.y(), 0);
        EXPECT_LT(at.y(), 200);
    }
    for (const double factor : {2.0, 0.5, 1.25}) {
        const QPointF anchor(70, 160);
        const ChartPoint before = ChartPositionAt(fit, p, anchor);
        const ChartView zoomed = ZoomChart(fit, p, anchor, factor);
        EXPECT_NEAR(zoomed.metresPerPixel, fit.metresPerPixel / factor, 1e-9);
        const QPointF after = ChartPixel(zoomed, p, before.latitude, before.longitude);
        EXPECT_NEAR(after.x(), anchor.x(), 1e-6);
        EXPECT_NEAR(after.y(), anchor.y(), 1e-6);
    }
}

} // namespace
} // namespace vz::test
