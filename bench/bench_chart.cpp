// The chart beside the echogram: drawing a one-hour track (what one repaint of the chart window
// costs; the window draws at most twice a second while the track grows), and what the ping loop
// pays to add the position to the track.
#include "core/State.h"
#include "display/ChartDrawing.h"
#include "display/ColorScales.h"
#include "nav/ChartTrack.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <numbers>

namespace vz {
namespace {

// An hour of survey lines across a bay, 2 m/s, a fix every `secondsPerFix`, the depth rising
// and falling along the way.
ChartTrack HourTrack(double secondsPerFix) {
    ChartTrack track;
    const LocalProjection p{49.27, -123.18};
    for (double t = 0; t < 3600; t += secondsPerFix) {
        const double along = std::fmod(t * 2.0, 800.0), line = std::floor(t * 2.0 / 800.0);
        const double east = (static_cast<int>(line) % 2 == 0 ? along : 800 - along) - 400;
        const double north = line * 25 - 200 + 5 * std::sin(t / 30);
        const ChartPoint at = p.toDegrees({east, north});
        const float depth = static_cast<float>(30 + 20 * std::sin(east / 150) + 10 * std::cos(north / 90));
        track.append({at.latitude, at.longitude, depth, static_cast<std::int64_t>(t * 10)});
    }
    return track;
}

void BM_DrawChartHour(benchmark::State& st) {
    const ChartTrack track = st.range(0) > 0 ? HourTrack(1.0 / static_cast<double>(st.range(0))) : ChartTrack();
    const std::array<Rgb, 16> colours = ColorTableFor(0, Rgb{0, 0, 64}, state().UserColors);
    QImage image(520, 520, QImage::Format_RGB32);
    const ChartView view = FitChart(track, image.width(), image.height());
    for (auto _ : st) {
        DrawChart(image, track, view, track.points().size() - 1, colours, 0);
        benchmark::DoNotOptimize(image.constBits());
    }
    st.counters["points"] = static_cast<double>(track.points().size());
}
// No track (the picture's fixed cost: background, scale bar, north), one fix a second (the GPS's
// rate), and ten a second (a point at every ping).
BENCHMARK(BM_DrawChartHour)->Arg(0)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

// The whole hour zoomed in four times about its centre: most of it is outside the picture.
void BM_DrawChartHourZoomed(benchmark::State& st) {
    const ChartTrack track = HourTrack(1.0);
    const std::array<Rgb, 16> colours = ColorTableFor(0, Rgb{0, 0, 64}, state().UserColors);
    QImage image(520, 520, QImage::Format_RGB32);
    const ChartView view = ZoomChart(FitChart(track, 520, 520), track.projection(), QPointF(260, 260), 4.0);
    for (auto _ : st) {
        DrawChart(image, track, view, track.points().size() - 1, colours, 0);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_DrawChartHourZoomed)->Unit(benchmark::kMillisecond);

// What the acquisition tick pays per reply: the shown position (new each second) joins the
// session's track.
void BM_NoteSessionPosition(benchmark::State& st) {
    State& s = state();
    s.BottomDepth = s.DisplayDepth = 42.5f;
    long ping = 0;
    char lon[40];
    for (auto _ : st) {
        if (ping++ % 10 == 0) {
            std::snprintf(lon, sizeof lon, "Lon: 123  %07.4f W", 11.12 + static_cast<double>(ping) * 1e-6);
            s.LatCaption = "Lat: 49  16.4500 N";
            s.LongCaption = lon;
        }
        NoteSessionPosition();
    }
    SessionTrack().clear();
}
BENCHMARK(BM_NoteSessionPosition);

} // namespace
} // namespace vz
