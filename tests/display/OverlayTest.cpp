// The read-outs of a frame: depth scales and frequency labels, divider, depth, water
// temperature and speed. Texts are checked against the same texts printed on a blank surface.
#include "DisplayFixture.h"

#include "display/Overlay.h"

#include <string>
#include <vector>

namespace vz::test {
namespace {

class Overlay : public DisplayFixture {
protected:
    void SetUp() override {
        DisplayFixture::SetUp();
        s.Full.DepthRange = s.Left.DepthRange = s.Right.DepthRange = 2;    // 30 ft
        s.Full.DepthOffset = s.Left.DepthOffset = s.Right.DepthOffset = 1; // 0 ft
        s.ShowDepth = 0;
        s.ShowWaterTemp = 0;
        s.ShowGpsSpeed = 0;
    }
    struct Piece {
        std::string text;
        int size;
        double y; // CurrentY before the piece; < 0 keeps the position
        bool lineBreak;
    };
    // The pieces printed from (x, first piece's y) in white on a blank surface.
    static Surface reference(double x, const std::vector<Piece>& pieces) {
        Surface r(1001, 601, kCanvas);
        r.setTextColor(kWhite);
        r.CurrentX = x;
        for (const Piece& p : pieces) {
            if (p.y >= 0) r.CurrentY = p.y;
            r.setFontSize(p.size);
            r.print(p.text, p.lineBreak);
        }
        return r;
    }
    // Whether the compose surface shows exactly `expected` in the rows y1..y2 left of x 400.
    bool shows(const Surface& expected, int y1, int y2) const {
        return samePixels(pictHiddenB(), expected, 0, y1, 399, y2);
    }
};

TEST_F(Overlay, FullScreenScaleFollowsTheAScopeAndLabelsTheFrequency) {
    DrawOverlay();
    const Surface& b = pictHiddenB();
    EXPECT_TRUE(allPixels(b, 980, 60, 990, 60, kWhite)); // ScaleX = 1000 - 20
    EXPECT_TRUE(shows(reference(20, {{"200kHz", 16, 100, true}}), 95, 140));

    pictHiddenB().fill(kCanvas);
    s.Full.Ascope = 1;
    s.Full.Frequency = 1;
    DrawOverlay();
    EXPECT_TRUE(allPixels(b, 930, 60, 940, 60, kWhite)); // 50 pixels further left
    EXPECT_EQ(b.pixel(985, 60), kCanvas);
    EXPECT_TRUE(shows(reference(20, {{"50kHz", 16, 100, true}}), 95, 140));
    EXPECT_TRUE(allPixels(b, 496, 0, 515, 600, kCanvas)); // no divider
}

TEST_F(Overlay, SplitScreenDrawsTheDividerAndBothScales) {
    s.SplitScreen = 1;
    s.Left.Ascope = 1;
    s.Left.Frequency = 0;
    s.Right.Frequency = 1;
    DrawOverlay();
    const Surface& b = pictHiddenB();
    EXPECT_TRUE(allPixels(b, 496, 0, 496, 600, kWhite));
    EXPECT_TRUE(allPixels(b, 514, 0, 515, 600, kBlack));
    EXPECT_TRUE(allPixels(b, 980, 120, 990, 120, kWhite)); // Right, no A-scope
    EXPECT_TRUE(allPixels(b, 430, 120, 440, 120, kWhite)); // Left, A-scope on
    // Left of the Left channel's scale labels, which begin at 430 - 40.
    EXPECT_TRUE(samePixels(b, reference(20, {{"200kHz", 16, 100, true}}), 0, 95, 300, 140));
    const Surface right = reference(535, {{"50kHz", 16, 100, true}});
    EXPECT_TRUE(samePixels(b, right, 520, 95, 700, 140));
}

TEST_F(Overlay, DepthPatternDependsOnTheTrackedDepth) {
    s.ShowDepth = 1;
    s.DisplayDepth = 7.25f;
    s.DepthUnitsText = " Mtr";
    s.BottomDepth = 50.0f;
    DrawOverlay();
    EXPECT_TRUE(shows(reference(18, {{"--.- Mtr", 26, 510, true}}), 505, 600))
        << "no bottom found yet";

    s.BottomFound = true;
    pictHiddenB().fill(kCanvas);
    DrawOverlay();
    EXPECT_TRUE(shows(reference(18, {{"7.3 Mtr", 26, 510, true}}), 505, 600));

    pictHiddenB().fill(kCanvas);
    s.BottomDepth = 50.1f;
    DrawOverlay();
    EXPECT_TRUE(shows(reference(18, {{"7 Mtr", 26, 510, true}}), 505, 600));
}

TEST_F(Overlay, WaterTemperatureInCelsiusWithARaisedDegreeSign) {
    s.ShowWaterTemp = 1;
    s.WaterTemperature = 50.0f;
    s.TempCalibration = 0.0f;
    s.TempUnitsC = 1;
    s.TempUnitsText = "C";
    DrawOverlay();
    EXPECT_FLOAT_EQ(s.DisplayTemperature, 10.0f);
    EXPECT_TRUE(shows(reference(8, {{"  10.00", 14, 545, false}, {"   o", 10, 540, false}, {"C", 14, 545, true}}),
                      530, 600));

    pictHiddenB().fill(kCanvas);
    s.TempUnitsC = 0;
    s.TempUnitsText = "F";
    s.TempCalibration = 1.5f;
    DrawOverlay();
    EXPECT_FLOAT_EQ(s.DisplayTemperature, 51.5f);
    EXPECT_TRUE(shows(reference(8, {{"  51.50", 14, 545, false}, {"   o", 10, 540, false}, {"F", 14, 545, true}}),
                      530, 600));
}

TEST_F(Overlay, SpeedNeedsAGpsPortOrPlayback) {
    s.ShowGpsSpeed = 1;
    s.GpsSpeed = 5.25f;
    s.GpsPort = 0;
    DrawOverlay();
    EXPECT_TRUE(shows(reference(8, {{"   - - - ", 14, 570, false}, {"  Kts", 14, -1, true}}), 560, 600));

    for (int source = 0; source < 2; ++source) {
        pictHiddenB().fill(kCanvas);
        s.GpsPort = source == 0 ? 2 : 0;
        s.PlaybackMode = source == 1;
        DrawOverlay();
        EXPECT_TRUE(shows(reference(8, {{"  5.3", 14, 570, false}, {"  Kts", 14, -1, true}}), 560, 600)) << source;
    }
}

TEST_F(Overlay, SwitchedOffReadOutsAreNotDrawn) {
    s.DisplayDepth = 12.0f;
    s.WaterTemperature = 60.0f;
    DrawOverlay();
    EXPECT_TRUE(allPixels(pictHiddenB(), 0, 480, 400, 600, kCanvas));
}

} // namespace
} // namespace vz::test
