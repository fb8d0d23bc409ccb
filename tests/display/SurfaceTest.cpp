// The drawing surface: pixels, lines, rectangles, text position and block copies.
#include "DisplayFixture.h"

namespace vz::test {
namespace {

constexpr Rgb kInk{9, 99, 199};

TEST(Surface, PixelsAreClippedToTheSurface) {
    Surface s(10, 5, kCanvas);
    s.setPixel(9, 4, kInk);
    s.setPixel(10, 4, kRed); // outside: ignored
    s.setPixel(-1, 0, kRed);
    s.setPixel(0, 5, kRed);
    EXPECT_EQ(s.pixel(9, 4), kInk);
    EXPECT_EQ(s.pixel(0, 0), kCanvas);
    EXPECT_EQ(s.pixel(0, 4), kCanvas);
    EXPECT_EQ(s.image().format(), QImage::Format_RGB32);
}

TEST(Surface, LinesIncludeBothEndsAndWidthTwoAddsTheNextPixel) {
    Surface s(20, 20, kCanvas);
    s.line(3, 2, 7, 2, kInk);
    EXPECT_EQ(s.pixel(2, 2), kCanvas);
    EXPECT_EQ(s.pixel(3, 2), kInk);
    EXPECT_EQ(s.pixel(7, 2), kInk);
    EXPECT_EQ(s.pixel(8, 2), kCanvas);
    EXPECT_EQ(s.pixel(5, 3), kCanvas);

    s.setLineWidth(2);
    s.line(10, 15, 10, 5, kRed); // drawn upwards
    for (int y = 5; y <= 15; ++y) {
        EXPECT_EQ(s.pixel(10, y), kRed);
        EXPECT_EQ(s.pixel(11, y), kRed);
    }
    EXPECT_EQ(s.pixel(9, 10), kCanvas);
    EXPECT_EQ(s.pixel(12, 10), kCanvas);
    EXPECT_EQ(s.pixel(10, 4), kCanvas);
    EXPECT_EQ(s.pixel(10, 16), kCanvas);

    s.setLineWidth(1);
    s.line(0, 19, 25, 19, kInk); // clipped at the right edge
    EXPECT_EQ(s.pixel(19, 19), kInk);
}

TEST(Surface, SlopedLinesRunFromEndToEnd) {
    Surface s(20, 20, kCanvas);
    s.line(0, 0, 6, 3, kInk);
    int inked = 0;
    for (int x = 0; x <= 6; ++x) {
        int inColumn = 0;
        for (int y = 0; y < 20; ++y) inColumn += s.pixel(x, y) == kInk;
        EXPECT_EQ(inColumn, 1) << "column " << x; // a shallow line has one pixel per column
        inked += inColumn;
    }
    EXPECT_EQ(inked, 7);
    EXPECT_EQ(s.pixel(0, 0), kInk);
    EXPECT_EQ(s.pixel(6, 3), kInk);
    EXPECT_TRUE(s.pixel(3, 1) == kInk || s.pixel(3, 2) == kInk);
}

TEST(Surface, FilledRectanglesIncludeTheirCornersInEitherOrder) {
    Surface s(20, 20, kCanvas);
    s.fillRect(8, 9, 2, 3, kInk);
    EXPECT_EQ(s.pixel(2, 3), kInk);
    EXPECT_EQ(s.pixel(8, 9), kInk);
    EXPECT_EQ(s.pixel(1, 3), kCanvas);
    EXPECT_EQ(s.pixel(9, 9), kCanvas);
    EXPECT_EQ(s.pixel(8, 10), kCanvas);
    s.fillRect(-5, -5, 40, 0, kRed);
    EXPECT_EQ(s.pixel(0, 0), kRed);
    EXPECT_EQ(s.pixel(19, 0), kRed);
    EXPECT_EQ(s.pixel(19, 1), kCanvas);
}

TEST(Surface, CopyRectCopiesBetweenAndWithinSurfacesWithClipping) {
    Surface from(10, 10, kCanvas), to(8, 8, kBlack);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) from.setPixel(x, y, Rgb{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 7});
    to.copyRect(from, 2, 3, 20, 20, 1, 1); // clipped to what fits
    EXPECT_EQ(to.pixel(0, 0), kBlack);
    EXPECT_EQ(to.pixel(1, 1), (Rgb{2, 3, 7}));
    EXPECT_EQ(to.pixel(7, 7), (Rgb{8, 9, 7}));
    EXPECT_EQ(to.pixel(1, 0), kBlack);

    // Within one surface: one pixel to the left, then one row down.
    from.copyRect(from, 1, 0, 9, 10, 0, 0);
    EXPECT_EQ(from.pixel(0, 4), (Rgb{1, 4, 7}));
    EXPECT_EQ(from.pixel(8, 4), (Rgb{9, 4, 7}));
    EXPECT_EQ(from.pixel(9, 4), (Rgb{9, 4, 7})); // the last column is not a copy target
    from.copyRect(from, 0, 0, 10, 9, 0, 1);
    EXPECT_EQ(from.pixel(0, 9), (Rgb{1, 8, 7}));
    EXPECT_EQ(from.pixel(0, 1), (Rgb{1, 0, 7}));
}

TEST(Surface, PrintDrawsTextAndMovesTheCurrentPosition) {
    Surface s(200, 100, kCanvas);
    s.setTextColor(kWhite);
    s.setFontSize(14);
    s.CurrentX = 10;
    s.CurrentY = 20;
    s.print("88", false);
    const double afterFirst = s.CurrentX;
    EXPECT_GT(afterFirst, 10);
    EXPECT_EQ(s.CurrentY, 20);
    int white = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x)
            if (s.pixel(x, y) == kWhite) {
                ++white;
                EXPECT_GE(x, 10);
                EXPECT_LT(x, afterFirst + 1);
                EXPECT_GE(y, 20);
            }
    EXPECT_GT(white, 10);

    s.print("8");
    EXPECT_EQ(s.CurrentX, 0);
    EXPECT_GT(s.CurrentY, 30); // one line of a 14 point font further down
    const double lineHeight = s.CurrentY - 20;
    s.setFontSize(26);
    s.print("");
    EXPECT_GT(s.CurrentY - 20 - lineHeight, lineHeight); // a bigger font, a taller line
}

} // namespace
} // namespace vz::test
