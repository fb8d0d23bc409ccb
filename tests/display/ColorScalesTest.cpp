// Colour scales: the colour table of each scale and the colour bar; editing the user scale is
// checked through its window.
#include "DisplayFixture.h"

#include "display/ColorScales.h"

namespace vz::test {
namespace {

constexpr Rgb kLightBlue{0, 0, 255};
constexpr Rgb kDarkGreen{0, 128, 0};

class ColorScales : public DisplayFixture {};

TEST_F(ColorScales, EachScaleMapsLevelsToItsPaletteColours) {
    const int palettes[4][16] = { // palette codes, -1 for the background
        {-1, -1, -1, -1, 0, 1, 3, 5, 4, 6, 2, 10, 14, 11, 13, 12},
        {-1, -1, -1, -1, -1, -1, 11, 11, 11, 1, 2, 10, 14, 4, 13, 12},
        {-1, -1, -1, -1, -1, -1, 10, 10, 10, 14, 14, 14, 12, 12, 12, 12},
        {-1, -1, -1, -1, -1, -1, 14, 14, 14, 14, 12, 12, 12, 12, 12, 12},
    };
    std::array<Rgb, 17> user{};
    for (int i = 0; i < 17; ++i) user[i] = Rgb{static_cast<std::uint8_t>(i), 50, 60};
    for (int scale = 0; scale <= 4; ++scale) {
        const auto table = ColorTableFor(scale, kLightBlue, user);
        for (int level = 0; level < 16; ++level) {
            // The user scale: entry 0 of the user colours is never used.
            const int code = scale < 4 ? palettes[scale][level] : -1;
            const Rgb expected = scale == 4 ? (level == 0 ? kLightBlue : user[level])
                                 : code < 0 ? kLightBlue : kPalette[code];
            EXPECT_EQ(table[level], expected) << "scale " << scale << " level " << level;
        }
    }
}

TEST_F(ColorScales, SetupColorBarFollowsTheBackgroundAndDrawsRowsStrongestAtTheTop) {
    s.ShowColorBars = 1;
    s.BackgroundColor = kDarkGreen;
    SetupColorBar();
    EXPECT_EQ(s.ColorTable[0], kDarkGreen);
    EXPECT_EQ(windows.colorBarShown, (std::vector<bool>{true}));
    const Surface& bar = pictFullColorScale();
    for (const auto& [row, level] : {std::pair{1, 15}, {15, 14}, {214, 5}, {308, 1}, {319, 0}})
        expectAreas(bar, {{1, row, 24, row, s.ColorTable[level], "a bar row"}});
    expectAreas(bar, {{0, 0, 0, 319, kCanvas, "the border is left alone"}, {1, 0, 24, 0, kCanvas, "border"}});

    s.ShowColorBars = 0;
    SetupColorBar();
    EXPECT_EQ(windows.colorBarShown.back(), false);
}

} // namespace
} // namespace vz::test
