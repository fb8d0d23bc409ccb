// The drawing surface keeps every write inside itself; the pixel-exact drawing is checked by the
// echogram, scale and alarm tests that use it.
#include "DisplayFixture.h"

namespace vz::test {
namespace {

TEST(Surface, WritesOutsideTheSurfaceAreClippedAndLinesIncludeBothEnds) {
    const Rgb ink{9, 99, 199};
    Surface s(20, 20, kCanvas);
    for (const auto& [x, y] : {std::pair{20, 4}, {-1, 0}, {0, 20}}) s.setPixel(x, y, kRed);
    s.fillRect(-5, -5, 40, 0, ink);
    s.line(3, 2, 7, 2, kRed);
    s.setLineWidth(2);
    s.line(10, 15, 10, 5, kRed); // drawn upwards, two pixels wide
    s.setLineWidth(1);
    s.line(0, 19, 25, 19, ink);
    int red = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) red += s.pixel(x, y) == kRed;
    EXPECT_EQ(red, 5 + 2 * 11);
    expectAreas(s, {{0, 0, 19, 0, ink, "clipped fill"}, {19, 1, 19, 1, kCanvas, "below the fill"},
                    {0, 19, 19, 19, ink, "clipped line"}});
    Surface to(8, 8, kBlack);
    to.copyRect(s, 2, 0, 40, 40, 1, 1); // clipped to what fits
    expectAreas(to, {{0, 0, 0, 0, kBlack, "outside the copy"}, {2, 3, 2, 3, kRed, "(3, 2) of the source"},
                     {1, 1, 1, 1, ink, "(2, 0) of the source"}});
}

} // namespace
} // namespace vz::test
