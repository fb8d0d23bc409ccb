// Colour scales: the colour table of each scale, the colour bar and editing the user scale.
#include "DisplayFixture.h"

#include "display/ColorScales.h"
#include "display/UserColorEdit.h"
#include "support/ScriptedDialogs.h"

namespace vz::test {
namespace {

constexpr Rgb kLightBlue{0, 0, 255};
constexpr Rgb kDarkGreen{0, 128, 0};

class ColorScales : public DisplayFixture {};

TEST_F(ColorScales, EachScaleMapsLevelsToItsPaletteColours) {
    struct Case {
        int scale;
        int levels[16]; // palette codes, -1 for the background
    };
    const Case cases[] = {
        {0, {-1, -1, -1, -1, 0, 1, 3, 5, 4, 6, 2, 10, 14, 11, 13, 12}},
        {1, {-1, -1, -1, -1, -1, -1, 11, 11, 11, 1, 2, 10, 14, 4, 13, 12}},
        {2, {-1, -1, -1, -1, -1, -1, 10, 10, 10, 14, 14, 14, 12, 12, 12, 12}},
        {3, {-1, -1, -1, -1, -1, -1, 14, 14, 14, 14, 12, 12, 12, 12, 12, 12}},
    };
    std::array<Rgb, 17> user{};
    for (const Case& c : cases) {
        const auto table = ColorTableFor(c.scale, kLightBlue, user);
        for (int level = 0; level < 16; ++level) {
            const Rgb expected = c.levels[level] < 0 ? kLightBlue : kPalette[c.levels[level]];
            EXPECT_EQ(table[level], expected) << "scale " << c.scale << " level " << level;
        }
    }
    // Named colours of the scales, as the user sees them.
    const auto defaults = ColorTableFor(0, kLightBlue, user);
    EXPECT_EQ(defaults[3], kLightBlue);
    EXPECT_EQ(defaults[4], kBlack);
    EXPECT_EQ(defaults[15], kRed);
    const auto twoColours = ColorTableFor(3, kLightBlue, user);
    EXPECT_EQ(twoColours[9], (Rgb{255, 255, 0}));
    EXPECT_EQ(twoColours[10], kRed);

    for (int i = 0; i < 17; ++i) user[i] = Rgb{static_cast<std::uint8_t>(i), 50, 60};
    const auto users = ColorTableFor(4, kLightBlue, user);
    EXPECT_EQ(users[0], kLightBlue); // entry 0 of the user colours is never used
    for (int level = 1; level < 16; ++level) EXPECT_EQ(users[level], user[level]);
}

TEST_F(ColorScales, SetupColorBarFollowsTheBackgroundAndRedrawsTheBar) {
    s.ColorScale = 0;
    s.BackgroundColor = kLightBlue;
    SetupColorBar();
    EXPECT_EQ(s.ColorTable[0], kLightBlue);
    EXPECT_EQ(pictFullColorScale().pixel(1, 319), kLightBlue);

    s.BackgroundColor = kDarkGreen;
    SetupColorBar();
    for (int level = 0; level < 4; ++level) EXPECT_EQ(s.ColorTable[level], kDarkGreen);
    EXPECT_EQ(s.ColorTable[4], kBlack);
    EXPECT_EQ(pictFullColorScale().pixel(12, 319), kDarkGreen);
    EXPECT_EQ(windows.colorBarShown, (std::vector<bool>{true, true}));
}

TEST_F(ColorScales, BarRowsShowTheirLevelsStrongestAtTheTop) {
    s.ShowColorBars = 1;
    CheckColorScales();
    const Surface& bar = pictFullColorScale();
    EXPECT_EQ(bar.width(), 25);
    EXPECT_EQ(bar.height(), 320);
    for (int x = 1; x <= 24; ++x) {
        EXPECT_EQ(bar.pixel(x, 1), s.ColorTable[15]);
        EXPECT_EQ(bar.pixel(x, 214), s.ColorTable[5]);
        EXPECT_EQ(bar.pixel(x, 319), s.ColorTable[0]);
    }
    EXPECT_EQ(bar.pixel(1, 15), s.ColorTable[14]);
    EXPECT_EQ(bar.pixel(1, 308), s.ColorTable[1]);
    EXPECT_EQ(bar.pixel(0, 100), kCanvas); // the border is left alone
    EXPECT_EQ(bar.pixel(1, 0), kCanvas);
    EXPECT_EQ(ColorBarLevel(1), 15);
    EXPECT_EQ(ColorBarLevel(214), 5);
    EXPECT_EQ(ColorBarLevel(319), 0);
}

// Records the colour each colour dialog starts from.
class ColourDialogs : public ScriptedDialogs {
public:
    std::optional<Rgb> chooseColor(Rgb initial) override {
        initials.push_back(initial);
        return ScriptedDialogs::chooseColor(initial);
    }
    std::vector<Rgb> initials;
};

TEST_F(ColorScales, EditsFillTheUserScaleFromTheTopAndStopAtEntryOne) {
    ColourDialogs dialogs;
    const Rgb marker{1, 0, 0};
    s.UserColors.fill(kCanvas);
    s.UserColors[16] = marker;
    s.UserColorPointerTop = kUserColorPointerStart;
    auto colour = [](int edit) { return Rgb{static_cast<std::uint8_t>(edit), 200, 100}; };
    Rgb dialogColour{};
    for (int edit = 1; edit <= 17; ++edit) {
        dialogs.answerColor(colour(edit));
        ASSERT_TRUE(EditNextUserColor(dialogColour));
    }
    for (int edit = 1; edit <= 14; ++edit) EXPECT_EQ(s.UserColors[16 - edit], colour(edit)) << edit;
    EXPECT_EQ(s.UserColors[1], colour(17)); // the 16th and 17th edits overwrite entry 1
    EXPECT_EQ(s.UserColors[0], kCanvas);
    EXPECT_EQ(s.UserColors[16], marker);
    EXPECT_EQ(s.UserColorPointerTop, 105 + 15 * 287);
    // The dialog starts from the colour chosen last.
    EXPECT_EQ(dialogs.initials.front(), Rgb{});
    EXPECT_EQ(dialogs.initials.back(), colour(16));

}

TEST_F(ColorScales, CancelledColourDialogChangesNothing) {
    ScriptedDialogs dialogs;
    s.UserColors.fill(kCanvas);
    s.UserColorPointerTop = 105 + 3 * 287;
    Rgb dialogColour{7, 7, 7};
    dialogs.answerColor(std::nullopt);
    EXPECT_FALSE(EditNextUserColor(dialogColour));
    EXPECT_EQ(s.UserColorPointerTop, 105 + 3 * 287);
    for (const Rgb& c : s.UserColors) EXPECT_EQ(c, kCanvas);
    EXPECT_EQ(dialogColour, (Rgb{7, 7, 7}));
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].kind, "color");

    dialogs.answerColor(kRed); // the next edit goes where the cancelled one would have
    EXPECT_TRUE(EditNextUserColor(dialogColour));
    EXPECT_EQ(s.UserColors[12], kRed);
}

} // namespace
} // namespace vz::test
