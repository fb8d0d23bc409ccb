#include "display/EchoColumn.h"

#include "core/State.h"
#include "display/ChannelView.h"
#include "display/DepthMapping.h"
#include "display/Surfaces.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace vz {

namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kRed{255, 0, 0};

// Echo level of a sample: sample / 16 rounded with halves to even, at most 15.
constexpr std::array<std::uint8_t, 256> kLevelOfSample = [] {
    std::array<std::uint8_t, 256> levels{};
    for (int v = 0; v < 256; ++v) {
        int q = v / 16;
        const int r = v % 16;
        if (r > 8 || (r == 8 && q % 2 == 1)) ++q;
        levels[v] = static_cast<std::uint8_t>(std::min(q, 15));
    }
    return levels;
}();

// Half width of the A-scope bar of a level: 1.4 x level rounded (never a half, so rounding the
// ends around the integer axis gives the same pixels).
constexpr std::array<int, 16> kBarHalfWidth = [] {
    std::array<int, 16> half{};
    for (int level = 0; level < 16; ++level) half[level] = static_cast<int>(1.4 * level + 0.5);
    return half;
}();

// The lines of the range-gate marker, drawn in this order. A row line runs from L to L + 8 at
// T + g x G + d; a column line runs at L + column from row T to row T + G.
struct GateLine {
    bool isColumn;
    int column; // column lines
    int g, d;   // row lines
    Rgb colour;
};
constexpr GateLine kGateLines[] = {
    {false, 0, 0, 1, kBlack},  {false, 0, 1, -1, kBlack}, {false, 0, 0, 0, kWhite},
    {true, 3, 0, 0, kWhite},   {true, 4, 0, 0, kWhite},   {true, 5, 0, 0, kWhite},
    {true, 2, 0, 0, kBlack},   {true, 6, 0, 0, kBlack},   {false, 0, 0, -2, kBlack},
    {false, 0, 0, -1, kWhite}, {false, 0, 0, 0, kWhite},  {false, 0, 1, 0, kWhite},
    {false, 0, 1, 1, kWhite},  {false, 0, 1, 2, kBlack},
};

void DrawRangeGate(const ChannelView& v) {
    State& s = state();
    if (v.rangeDepth <= 0) return;
    const int g = RoundToInt(std::nearbyint(s.RangeGateWidth * 100.0) / v.rangeDepth * 6.0);
    s.RangeGatePixels = g;
    const double top = DepthRow(s.BottomDepth, v) - g / 2.0;
    const int left = v.channel == Channel::Left ? 468 : 968;
    Surface& b = pictHiddenB();
    for (const GateLine& l : kGateLines) {
        if (l.isColumn) {
            b.line(left + l.column, RoundToInt(top), left + l.column, RoundToInt(top + g), l.colour);
        } else {
            const int y = RoundToInt(top + l.g * g + l.d);
            b.line(left, y, left + 8, y, l.colour);
        }
    }
}

} // namespace

void DrawEchoColumn() {
    State& s = state();
    Surface& a = pictHiddenA();
    Surface& b = pictHiddenB();
    const int w = PictVisible().width(), h = PictVisible().height();
    const ChannelView v = ViewOf(CurrentChannel());
    const int e = v.rightEdge;
    const int ascope = v.ascope;
    const std::array<Rgb, 16>& colours = s.ColorTable;

    if (v.channel == Channel::Right) a.line(w / 2, 0, w / 2, h, s.BackgroundColor);
    if (ascope) {
        b.setLineWidth(2);
        b.line(e - 53, 0, e - 53, h, kWhite);
        b.setLineWidth(1);
        b.line(e - 28, 0, e - 28, h, kWhite);
    }

    const int x = e - 6 - 50 * ascope;
    const ColumnMapping map = MappingFor(v);
    int startRow = 0;
    if (v.offsetIndex == 1) {
        startRow = std::clamp(map.surfacePixels, 0, h + 1);
        if (s.ClutterFilter == 0) {
            for (int y = 0; y <= std::min(map.surfacePixels, h); ++y) {
                a.setPixel(x, y, kRed);
                if (ascope) b.line(e - 49, y, e - 7, y, kRed);
            }
        }
    }

    // Only the received samples are read: entries 2 .. N-1 of the reply.
    const int sampleCount = s.PacketLength - 10 - s.TrailerExtraBytes;
    const double lastSample = std::min(sampleCount - 1, kRxBufferLast);
    LevelHistory& history = s.levelHistory(v.channel);
    const bool keepHistory = s.FishAlarmOn == 1 || s.NoiseFilter >= 1;
    for (int y = startRow; y <= h; ++y) {
        const double index = map.sampleIndex(y);
        const int level = map.usable && index >= 2 && index <= lastSample
                              ? kLevelOfSample[s.RxBuffer[static_cast<std::size_t>(index)]]
                              : 0;
        a.setPixel(x, y, level <= s.DisplayThreshold ? colours[0] : colours[level]);
        if (keepHistory) {
            history[1][y + 1] = history[2][y + 1];
            history[2][y + 1] = history[3][y + 1];
            history[3][y + 1] = static_cast<std::int16_t>(level);
        }
        if (ascope && level > s.AScopeThreshold)
            b.line(e - 28 - kBarHalfWidth[level], y, e - 28 + kBarHalfWidth[level], y, colours[level]);
    }

    if (s.NoiseFilter > 0) {
        const int minimum = 12 * s.NoiseFilter;
        for (int y = startRow; y <= h; ++y) {
            int sum = 0;
            for (int c = 1; c <= 3; ++c) sum += history[c][y] + 2 * history[c][y + 1] + history[c][y + 2];
            if (sum < minimum) a.setPixel(x, y, colours[0]);
        }
    }

    if (s.ShowWhiteLine == 1 && s.BottomFound && v.rangeDepth > 0) {
        const double y = DepthRow(s.BottomDepth, v);
        a.setPixel(x, RoundToInt(y - 1), kWhite);
        a.setPixel(x, RoundToInt(y), kWhite);
    }

    if (ascope && s.ShowRangeGate == 1) DrawRangeGate(v);
}

} // namespace vz
