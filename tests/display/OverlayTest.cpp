// The read-outs of a frame: depth scales and frequency labels, divider, depth, water
// temperature and speed. Texts are checked against the same texts printed on a blank surface.
#include "DisplayFixture.h"

#include "display/Overlay.h"

#include <functional>

namespace vz::test {
namespace {

class Overlay : public DisplayFixture {
  protected:
    void SetUp() override {
        DisplayFixture::SetUp();
        for (Channel c : kChannels) {
            s.channel(c).DepthRange = 2;  // 30 ft
            s.channel(c).DepthOffset = 1; // 0 ft
        }
        s.ShowDepth = s.ShowWaterTemp = s.ShowGpsSpeed = 0;
    }
};

TEST_F(Overlay, ScalesFollowTheAScopeAndLabelTheFrequency) {
    const Surface& b = pictHiddenB();
    DrawOverlay();
    expectAreas(b, {{980, 60, 990, 60, kWhite, "ScaleX = 1000 - 20"}, {496, 0, 515, 600, kCanvas, "no divider"}});

    pictHiddenB().fill(kCanvas);
    s.Full.Ascope = 1;
    s.Full.Frequency = 1;
    DrawOverlay();
    for (int k = 1; k <= 9; ++k) // 50 pixels further left
        expectAreas(b, {{930, 60 * k, 940, 60 * k, kWhite, "tick"},
                        {941, 60 * k, 941, 60 * k, kCanvas, "end"},
                        {985, 60 * k, 985, 60 * k, kCanvas, "moved"}});
    // The first label, 40 pixels left of its tick and 9 above it.
    EXPECT_TRUE(shows(890, {{"3     ", 14, 51}}, 880, 45, 929, 80));
    expectAreas(pictHiddenA(), {{0, 0, 1000, 600, kCanvas, "only on the compose surface"}});
    EXPECT_TRUE(shows(20, {{"50kHz", 16, 100}}, 0, 95, 399, 140));

    pictHiddenB().fill(kCanvas);
    s.SplitScreen = 1;
    s.Left.Ascope = 1;
    s.Left.Frequency = 0;
    s.Right.Frequency = 1;
    DrawOverlay();
    expectAreas(b, {{496, 0, 496, 600, kWhite, "divider"}, {980, 120, 990, 120, kWhite, "Right, no A-scope"},
                    {430, 120, 440, 120, kWhite, "Left, A-scope on"}});
    // Left of the Left channel's scale labels, which begin at 430 - 40.
    EXPECT_TRUE(shows(20, {{"200kHz", 16, 100}}, 0, 95, 300, 140));
    EXPECT_TRUE(shows(535, {{"50kHz", 16, 100}}, 520, 95, 700, 140));
}

TEST_F(Overlay, DepthTemperatureAndSpeedReadOuts) {
    auto temperature = [](const char* value, const char* units) {
        return std::vector<Piece>{{value, 14, 545, false}, {"   o", 10, 540, false}, {units, 14, 545}};
    };
    auto speed = [](const char* value) { return std::vector<Piece>{{value, 14, 570, false}, {"  Kts", 14, -1}}; };
    // Each step's settings come on top of the step before; no pieces: nothing is drawn.
    const struct { std::function<void()> set; double x; std::vector<Piece> pieces; int y1; const char* what; } steps[] = {
        {[&] { s.DisplayDepth = 12.0f, s.WaterTemperature = 60.0f; }, 0, {}, 480, "all switched off"},
        {[&] { s.ShowDepth = 1, s.DisplayDepth = 7.25f, s.DepthUnitsText = " Mtr", s.BottomDepth = 50.0f; },
         18, {{"--.- Mtr", 26, 510}}, 505, "no bottom found yet"},
        {[&] { s.BottomFound = true; }, 18, {{"7.3 Mtr", 26, 510}}, 505, "below 50 ft: one decimal"},
        {[&] { s.BottomDepth = 50.1f; }, 18, {{"7 Mtr", 26, 510}}, 505, "beyond 50 ft: whole units"},
        {[&] { s.ShowDepth = 0, s.ShowWaterTemp = 1, s.WaterTemperature = 50.0f, s.TempUnitsC = 1,
               s.TempUnitsText = "C"; },
         8, temperature("  10.00", "C"), 530, "Celsius, with a raised degree sign"},
        {[&] { s.TempUnitsC = 0, s.TempUnitsText = "F", s.TempCalibration = 1.5f; }, 8,
         temperature("  51.50", "F"), 530, "Fahrenheit, calibrated"},
        {[&] { s.ShowWaterTemp = 0, s.ShowGpsSpeed = 1, s.GpsSpeed = 5.25f, s.GpsPort = 0; }, 8,
         speed("   - - - "), 560, "no GPS port"},
        {[&] { s.GpsPort = 2; }, 8, speed("  5.3"), 560, "a GPS port"},
        {[&] { s.GpsPort = 0, s.PlaybackMode = true; }, 8, speed("  5.3"), 560, "playback"},
    };
    for (const auto& step : steps) {
        pictHiddenB().fill(kCanvas);
        step.set();
        DrawOverlay();
        EXPECT_TRUE(shows(step.x, step.pieces, 0, step.y1, 399, 600)) << step.what;
    }
}

} // namespace
} // namespace vz::test
