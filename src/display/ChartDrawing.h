#pragma once
// Drawing the chart of a track, and the geometry the chart window needs for it: where a point
// lands in the picture, zooming about a point, panning, which point lies under the pointer.
// Plain data in, pixels out; the window only keeps a view and shows the picture.
#include "core/Color.h"
#include "nav/ChartTrack.h"

#include <QImage>
#include <QPointF>

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace vz {

// What the picture shows: the position at its centre and the ground length of one pixel.
struct ChartView {
    double centreLatitude = 0, centreLongitude = 0;
    double metresPerPixel = 1;
    int width = 1, height = 1;
};

// The pixel where a position lands, in the projection of `projection`.
QPointF ChartPixel(const ChartView& view, const LocalProjection& projection, double latitude, double longitude);
// The position under a pixel.
ChartPoint ChartPositionAt(const ChartView& view, const LocalProjection& projection, QPointF pixel);

// The whole track with a margin (at least 50 m across); a track of one place is centred on it.
ChartView FitChart(const ChartTrack& track, int width, int height);
// Zoomed by `factor` (above 1 closer in) keeping the position under `anchor` where it is.
ChartView ZoomChart(const ChartView& view, const LocalProjection& projection, QPointF anchor, double factor);
// Moved with the pointer by `delta` pixels.
ChartView PanChart(const ChartView& view, const LocalProjection& projection, QPointF delta);

// The point nearest to `pixel` within `radius` pixels, if any.
std::optional<std::size_t> ChartPointNear(const ChartTrack& track, const ChartView& view, QPointF pixel, double radius);

// The length of the scale bar: the longest 1, 2 or 5 times a power of ten metres that fits in
// `maxPixels`, and its caption ("200 m", "1 km").
struct ScaleBar {
    double metres;
    std::string caption;
};
ScaleBar ChartScaleBar(double metresPerPixel, int maxPixels);

// The echo levels whose colours stand out from the background (entry 0), weakest first: the
// chart's depth colours. All of 1 to 15 when none does.
std::vector<int> VisibleLevels(const std::array<Rgb, 16>& colours);
// Which of `count` colours (0 shallowest) a depth between the track's extremes takes.
int DepthColourIndex(float depthFeet, float shallowest, float deepest, int count);

// Draws the track on `image` (its size is the view's): each stretch in the colour of its depth
// from `colours` (entry 0 is the background), the boat at point `boat`, a scale bar, north and
// the depth range in `depthUnits`.
void DrawChart(QImage& image, const ChartTrack& track, const ChartView& view, std::optional<std::size_t> boat,
               const std::array<Rgb, 16>& colours, int depthUnits);

} // namespace vz
