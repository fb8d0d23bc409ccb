#include "display/ColorScales.h"

#include "core/State.h"
#include "core/Ui.h"
#include "display/Surfaces.h"

#include <cmath>

namespace vz {

namespace {

// Where a level of a scale takes its colour from.
struct LevelSource {
    enum Kind { Background, Palette, User } kind;
    int index; // palette code or user colour entry
};
constexpr LevelSource bg{LevelSource::Background, 0};
constexpr LevelSource P(int code) { return {LevelSource::Palette, code}; }
constexpr LevelSource U(int entry) { return {LevelSource::User, entry}; }

constexpr LevelSource kScales[5][16] = {
    // "16 Colors (default)"
    {bg, bg, bg, bg, P(0), P(1), P(3), P(5), P(4), P(6), P(2), P(10), P(14), P(11), P(13), P(12)},
    // "8 Colors (Blue to Red)"
    {bg, bg, bg, bg, bg, bg, P(11), P(11), P(11), P(1), P(2), P(10), P(14), P(4), P(13), P(12)},
    // "3 Colors (Grn, Yel, Red)"
    {bg, bg, bg, bg, bg, bg, P(10), P(10), P(10), P(14), P(14), P(14), P(12), P(12), P(12), P(12)},
    // "2 Colors (Yellow - Red)"
    {bg, bg, bg, bg, bg, bg, P(14), P(14), P(14), P(14), P(12), P(12), P(12), P(12), P(12), P(12)},
    // "User Defined "
    {bg, U(1), U(2), U(3), U(4), U(5), U(6), U(7), U(8), U(9), U(10), U(11), U(12), U(13), U(14), U(15)},
};

constexpr int kBarRows = 319;
constexpr int kBarRowsPerLevel = 21;

} // namespace

std::array<Rgb, 16> ColorTableFor(int scale, Rgb background, const std::array<Rgb, 17>& userColors) {
    if (scale < 0 || scale > 4) scale = 0;
    std::array<Rgb, 16> table{};
    for (int level = 0; level < 16; ++level) {
        const LevelSource source = kScales[scale][level];
        switch (source.kind) {
        case LevelSource::Background: table[level] = background; break;
        case LevelSource::Palette: table[level] = kPalette[source.index]; break;
        case LevelSource::User: table[level] = userColors[source.index]; break;
        }
    }
    return table;
}

void SetupColorBar() {
    State& s = state();
    s.ColorTable = ColorTableFor(s.ColorScale, s.BackgroundColor, s.UserColors);
    CheckColorScales();
}

int ColorBarLevel(int row) {
    return static_cast<int>(std::lrint(static_cast<double>(kBarRows - row) / kBarRowsPerLevel));
}

void DrawColorBar(Surface& bar, const Rgb* levelColours) {
    for (int i = 1; i <= kBarRows; ++i) bar.line(1, i, 24, i, levelColours[ColorBarLevel(i)]);
}

void CheckColorScales() {
    State& s = state();
    if (s.ShowColorBars != 1) {
        ui().showColorBar(false);
        return;
    }
    DrawColorBar(pictFullColorScale(), s.ColorTable.data());
    ui().showColorBar(true);
}

} // namespace vz
