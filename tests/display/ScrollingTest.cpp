// Presenting and scrolling, the depth scale, the split divider and clearing.
#include "DisplayFixture.h"

#include "display/Scrolling.h"

#include <QCoreApplication>

#include <array>
#include <vector>

namespace vz::test {
namespace {

constexpr Rgb kEcho{33, 44, 55};

class Scrolling : public DisplayFixture {
  protected:
    static Surface copyOf(const Surface& from) {
        Surface r(from.width(), from.height(), kCanvas);
        r.copyRect(from, 0, 0, from.width(), from.height(), 0, 0);
        return r;
    }
};

TEST_F(Scrolling, ScrollGivesTheResultOfThePlainCopiesOnEveryPixel) {
    // Different colours everywhere, outside the picture area too.
    std::uint32_t seed = 7;
    for (Surface* surface : {&PictVisible(), &pictHiddenA(), &pictHiddenB()})
        for (int y = 0; y < surface->height(); ++y)
            for (int x = 0; x < surface->width(); ++x) {
                seed = seed * 1664525u + 1013904223u;
                surface->setPixel(x, y, Rgb::fromLong(seed >> 8));
            }
    Surface v = copyOf(PictVisible()), a = copyOf(pictHiddenA()), b = copyOf(pictHiddenB());
    for (int round = 1; round <= 2; ++round) { // twice, so the surfaces have exchanged their memory
        // The visible, echogram and compose surfaces each time events may run: before, once the
        // frame is shown, and once the compose surface restarted and the echogram moved.
        std::vector<std::array<Surface, 3>> stages;
        stages.push_back({copyOf(v), copyOf(a), copyOf(b)});
        v.copyRect(b, 0, 0, 1000, 600, 0, 0);
        stages.push_back({copyOf(v), copyOf(a), copyOf(b)});
        b.copyRect(a, 0, 0, 1000, 600, 0, 0);
        a.copyRect(b, 1, 0, 1000, 600, 0, 0);
        stages.push_back({copyOf(v), copyOf(a), copyOf(b)});
        std::size_t call = 0;
        ScrollAndPresent([&] {
            ASSERT_LT(call, stages.size());
            const auto& e = stages[call++];
            EXPECT_TRUE(PictVisible().image() == e[0].image() &&
                        pictHiddenA().image() == e[1].image() &&
                        pictHiddenB().image() == e[2].image())
                << "round " << round << ", events " << call;
        });
        EXPECT_EQ(call, 3u);
        EXPECT_EQ(windows.picturesChanged, round);
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
        expectAreas(pictHiddenA(), {{0, 0, 998, 600, s.BackgroundColor, "cleared"}});
    }
}

TEST_F(Scrolling, ScrollingProcessesPendingEvents) {
    int ran = 0;
    QMetaObject::invokeMethod(QCoreApplication::instance(), [&] { ++ran; }, Qt::QueuedConnection);
    ScrollAndPresent();
    EXPECT_EQ(ran, 1);
}

TEST_F(Scrolling, DepthScaleLabelsAreShortestFormsPaddedByTheirLengthOnEitherSurface) {
    // One character gets five blanks, two get three, three get one, four none, five are not printed.
    const struct { int range, offset; const char* texts; } cases[] = {
        {30, 0, "3     |6     |9     |12   |15   |18   |21   |24   |27   |"},
        {15, 0, "1.5 |3     |4.5 |6     |7.5 |9     |10.5|12   |13.5|"},
        {5000, 3000, "3500|4000|4500|5000|5500|6000|6500|7000|7500|"},
        {10000, 5000, "6000|7000|8000|9000||||||"},
    };
    for (const auto& c : cases) {
        std::string texts;
        for (const DepthScaleMark& m : DepthScaleMarks(600, c.range, c.offset)) texts += m.text + "|";
        EXPECT_EQ(texts, c.texts);
    }
    EXPECT_EQ(DepthScaleMarks(600, 3, 0)[2].text, "0.9 "); // single precision sums still read as decimals
    // Where the marks go and how the overlay draws them: the overlay tests.
    DrawDepthScaleOnEchogram(430, 30, 0);
    expectAreas(pictHiddenA(), {{430, 540, 440, 540, kWhite, "on the echogram"}});
}

TEST_F(Scrolling, SplitDividerIsDrawnOnlyInSplitScreen) {
    DrawSplitDividerIfSplit();
    expectAreas(pictHiddenB(), {{490, 0, 520, 600, kCanvas, "full screen: no divider"}});
    s.SplitScreen = 1;
    DrawSplitDividerIfSplit();
    const Rgb grey = pictHiddenB().pixel(505, 300);
    EXPECT_TRUE(grey.r == grey.g && grey.g == grey.b && grey != kCanvas) << grey;
    expectAreas(pictHiddenB(), {{496, 0, 496, 600, kWhite, "edge"}, {497, 0, 513, 600, grey, "bar"},
                                {514, 0, 515, 600, kBlack, "shadow"}, {516, 0, 516, 600, kCanvas, "beside"}});
}

TEST_F(Scrolling, ClearServesOnlyTheFirstPendingRequest) {
    s.BackgroundColor = Rgb{0, 0, 128};
    const struct {
        int full, left, right, x1, x2, rightAfter; // pending before; cleared columns
    } steps[] = {{1, 0, 1, 0, 1000, 1}, {0, 0, 1, 500, 1000, 0}, {0, 1, 1, 0, 500, 1}};
    for (const auto& step : steps) {
        pictHiddenA().fill(kEcho);
        s.ClearFullPending = static_cast<std::uint8_t>(step.full);
        s.ClearLeftPending = static_cast<std::uint8_t>(step.left);
        s.ClearRightPending = static_cast<std::uint8_t>(step.right);
        ClearEchogram();
        expectAreas(pictHiddenA(), {{step.x1, 0, step.x2, 600, s.BackgroundColor, "cleared"},
                                    {0, 0, step.x1 - 1, 600, kEcho, "left of it"},
                                    {step.x2 + 1, 0, 1000, 600, kEcho, "right of it"}});
        EXPECT_EQ(s.ClearFullPending + s.ClearLeftPending, 0);
        EXPECT_EQ(s.ClearRightPending, step.rightAfter);
    }
    expectAreas(pictHiddenB(), {{0, 0, 1000, 600, kCanvas, "only the echogram is cleared"}});
}

} // namespace
} // namespace vz::test
