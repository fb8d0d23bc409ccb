// Presenting and scrolling, the depth scale, the split divider and clearing.
#include "DisplayFixture.h"

#include "display/Scrolling.h"

#include <QCoreApplication>

#include <vector>

namespace vz::test {
namespace {

constexpr Rgb kEcho{33, 44, 55};
constexpr Rgb kOverlay{66, 77, 88};

class Scrolling : public DisplayFixture {};

TEST_F(Scrolling, EchogramMovesOnePixelLeftAndTheComposedFrameIsShown) {
    pictHiddenA().setPixel(500, 200, kEcho);
    pictHiddenA().setPixel(0, 100, kEcho);
    pictHiddenB().setPixel(300, 100, kOverlay);

    // What each surface holds each time events may run.
    struct Seen {
        Rgb visibleOverlay, composeOverlay, composeEcho, echoAt500, echoAt499;
    };
    std::vector<Seen> seen;
    ScrollAndPresent([&] {
        seen.push_back({PictVisible().pixel(300, 100), pictHiddenB().pixel(300, 100), pictHiddenB().pixel(500, 200),
                        pictHiddenA().pixel(500, 200), pictHiddenA().pixel(499, 200)});
    });
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].visibleOverlay, kCanvas); // before the first copy
    EXPECT_EQ(seen[1].visibleOverlay, kOverlay); // the compose surface is on screen
    EXPECT_EQ(seen[1].composeOverlay, kOverlay);
    EXPECT_EQ(seen[1].echoAt499, kCanvas);
    EXPECT_EQ(seen[2].composeOverlay, kCanvas); // compose restarted from the echogram
    EXPECT_EQ(seen[2].composeEcho, kEcho);
    EXPECT_EQ(seen[2].echoAt499, kEcho); // and the echogram moved
    EXPECT_EQ(windows.picturesChanged, 1);

    EXPECT_EQ(pictHiddenA().pixel(499, 200), kEcho);
    EXPECT_EQ(pictHiddenA().pixel(500, 200), kCanvas);
    EXPECT_EQ(pictHiddenA().pixel(0, 100), kCanvas); // column 0 is lost
    EXPECT_EQ(PictVisible().pixel(500, 200), kCanvas); // the echo reaches the screen next time

    ScrollAndPresent([] {});
    EXPECT_EQ(PictVisible().pixel(300, 100), kCanvas); // the overlay lasted one frame
    // The compose surface took the echogram before it moved: the echo shows where it was drawn.
    EXPECT_EQ(PictVisible().pixel(500, 200), kEcho);
    EXPECT_EQ(pictHiddenA().pixel(498, 200), kEcho);
    EXPECT_EQ(windows.picturesChanged, 2);
}

TEST_F(Scrolling, ScrollGivesTheResultOfThePlainCopiesOnEveryPixel) {
    // Different colours everywhere, outside the picture area too.
    std::uint32_t seed = 7;
    auto scribble = [&](Surface& surface) {
        for (int y = 0; y < surface.height(); ++y)
            for (int x = 0; x < surface.width(); ++x) {
                seed = seed * 1664525u + 1013904223u;
                surface.setPixel(x, y, Rgb::fromLong(seed >> 8));
            }
    };
    Surface expectedVisible(1000, 600, kCanvas), expectedA(1001, 601, kCanvas), expectedB(1001, 601, kCanvas);
    scribble(expectedVisible);
    scribble(expectedA);
    scribble(expectedB);
    PictVisible().copyRect(expectedVisible, 0, 0, 1000, 600, 0, 0);
    pictHiddenA().copyRect(expectedA, 0, 0, 1001, 601, 0, 0);
    pictHiddenB().copyRect(expectedB, 0, 0, 1001, 601, 0, 0);
    // Show the frame, restart the compose surface, move the echogram.
    expectedVisible.copyRect(expectedB, 0, 0, 1000, 600, 0, 0);
    expectedB.copyRect(expectedA, 0, 0, 1000, 600, 0, 0);
    expectedA.copyRect(expectedB, 1, 0, 1000, 600, 0, 0);

    for (int round = 0; round < 2; ++round) { // twice, so the surfaces have exchanged their memory
        ScrollAndPresent([] {});
        EXPECT_TRUE(samePixels(PictVisible(), expectedVisible, 0, 0, 999, 599));
        EXPECT_TRUE(samePixels(pictHiddenA(), expectedA, 0, 0, 1000, 600));
        EXPECT_TRUE(samePixels(pictHiddenB(), expectedB, 0, 0, 1000, 600));
        expectedVisible.copyRect(expectedB, 0, 0, 1000, 600, 0, 0);
        expectedB.copyRect(expectedA, 0, 0, 1000, 600, 0, 0);
        expectedA.copyRect(expectedB, 1, 0, 1000, 600, 0, 0);
    }
}

TEST_F(Scrolling, ClearClickedWhileTheScrollRunsEventsIsNotUndone) {
    for (int clickedAt = 1; clickedAt <= 3; ++clickedAt) {
        pictHiddenA().fill(kEcho);
        pictHiddenB().fill(kEcho);
        int calls = 0;
        ScrollAndPresent([&] {
            if (++calls != clickedAt) return;
            s.ClearFullPending = 1; // the Clear button
            ClearEchogram();
        });
        // Column 999 takes the compose surface's last column, which no copy renews.
        EXPECT_TRUE(allPixels(pictHiddenA(), 0, 0, 998, 600, s.BackgroundColor)) << clickedAt;
    }
}

TEST_F(Scrolling, ScrollingProcessesPendingEvents) {
    int ran = 0;
    QMetaObject::invokeMethod(QCoreApplication::instance(), [&] { ++ran; }, Qt::QueuedConnection);
    ScrollAndPresent();
    EXPECT_EQ(ran, 1);
}

TEST_F(Scrolling, DepthScaleLabelsAreShortestFormsPaddedByTheirLength) {
    auto texts = [](int range, int offset) {
        std::vector<std::string> t;
        for (const DepthScaleMark& m : DepthScaleMarks(600, range, offset)) t.push_back(m.text);
        return t;
    };
    // One character gets five blanks, two get three, three get one, four none.
    EXPECT_EQ(texts(30, 0), (std::vector<std::string>{"3     ", "6     ", "9     ", "12   ", "15   ",
                                                      "18   ", "21   ", "24   ", "27   "}));
    EXPECT_EQ(texts(15, 0), (std::vector<std::string>{"1.5 ", "3     ", "4.5 ", "6     ", "7.5 ", "9     ",
                                                      "10.5", "12   ", "13.5"}));
    EXPECT_EQ(texts(5000, 3000), (std::vector<std::string>{"3500", "4000", "4500", "5000", "5500", "6000",
                                                           "6500", "7000", "7500"}));
    EXPECT_EQ(texts(3, 0)[2], "0.9 "); // single precision sums still read as decimals
    EXPECT_EQ(texts(10000, 5000)[4], "");  // 10000: too long to print
    const auto marks = DepthScaleMarks(600, 30, 0);
    for (int k = 0; k < 9; ++k) EXPECT_EQ(marks[k].y, 60 * (k + 1));
}

TEST_F(Scrolling, DepthScaleDrawsTicksAndLabelsOnTheChosenSurface) {
    DrawDepthScale(930, 30, 0);
    const Surface& b = pictHiddenB();
    for (int k = 1; k <= 9; ++k) {
        EXPECT_TRUE(allPixels(b, 930, 60 * k, 940, 60 * k, kWhite)) << k;
        EXPECT_EQ(b.pixel(941, 60 * k), kCanvas);
    }
    bool labelled = false; // "3" left of the first tick
    for (int y = 51; y < 75; ++y)
        for (int x = 890; x < 930; ++x) labelled = labelled || b.pixel(x, y) == kWhite;
    EXPECT_TRUE(labelled);
    EXPECT_TRUE(allPixels(pictHiddenA(), 0, 0, 1000, 600, kCanvas));

    DrawDepthScaleOnEchogram(430, 30, 0);
    EXPECT_TRUE(allPixels(pictHiddenA(), 430, 540, 440, 540, kWhite));
}

TEST_F(Scrolling, SplitDividerIsDrawnOnlyInSplitScreen) {
    DrawSplitDividerIfSplit();
    EXPECT_TRUE(allPixels(pictHiddenB(), 490, 0, 520, 600, kCanvas));

    s.SplitScreen = 1;
    DrawSplitDividerIfSplit();
    const Surface& b = pictHiddenB();
    EXPECT_TRUE(allPixels(b, 496, 0, 496, 600, kWhite));
    const Rgb grey = b.pixel(505, 300);
    EXPECT_EQ(grey.r, grey.g);
    EXPECT_EQ(grey.g, grey.b);
    EXPECT_TRUE(allPixels(b, 497, 0, 513, 600, grey));
    EXPECT_TRUE(allPixels(b, 514, 0, 515, 600, kBlack));
    EXPECT_EQ(b.pixel(516, 300), kCanvas);
}

TEST_F(Scrolling, ClearServesOnlyTheFirstPendingRequest) {
    s.BackgroundColor = Rgb{0, 0, 128};
    auto mark = [] {
        pictHiddenA().fill(kEcho);
    };
    mark();
    s.ClearFullPending = 1;
    s.ClearRightPending = 1;
    ClearEchogram();
    EXPECT_TRUE(allPixels(pictHiddenA(), 0, 0, 1000, 600, s.BackgroundColor));
    EXPECT_EQ(s.ClearFullPending, 0);
    EXPECT_EQ(s.ClearRightPending, 1);

    mark();
    ClearEchogram();
    EXPECT_TRUE(allPixels(pictHiddenA(), 500, 0, 1000, 600, s.BackgroundColor));
    EXPECT_TRUE(allPixels(pictHiddenA(), 0, 0, 499, 600, kEcho));
    EXPECT_EQ(s.ClearRightPending, 0);

    mark();
    s.ClearLeftPending = 1;
    s.ClearRightPending = 1;
    ClearEchogram();
    EXPECT_TRUE(allPixels(pictHiddenA(), 0, 0, 500, 600, s.BackgroundColor));
    EXPECT_TRUE(allPixels(pictHiddenA(), 501, 0, 1000, 600, kEcho));
    EXPECT_EQ(s.ClearLeftPending, 0);
    EXPECT_EQ(s.ClearRightPending, 1);
    EXPECT_TRUE(allPixels(pictHiddenB(), 0, 0, 1000, 600, kCanvas)); // only the echogram is cleared
}

} // namespace
} // namespace vz::test
