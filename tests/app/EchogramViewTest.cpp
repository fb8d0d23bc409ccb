#include "AppTestSupport.h"

#include "app/EchogramView.h"
#include "display/Surfaces.h"

namespace vz::test {
namespace {

class EchogramViewTest : public AppFixture {
protected:
    EchogramView view{PictVisible()};
};

TEST_F(EchogramViewTest, AtItsOwnSizeThePictureIsCopiedPixelForPixel) {
    Surface& picture = PictVisible();
    for (int x = 0; x < picture.width(); ++x)
        for (int y = 0; y < 40; ++y) picture.setPixel(x, y, (x + y) % 2 ? Rgb{255, 255, 255} : Rgb{0, 0, 0});
    view.setFixedSize(1000, 600);
    const QImage shown = view.grab().toImage();
    ASSERT_EQ(shown.size(), QSize(1000, 600));
    for (int x : {0, 1, 2, 499, 998, 999})
        for (int y : {0, 1, 39}) EXPECT_EQ(shown.pixel(x, y), picture.image().pixel(x, y)) << x << "," << y;

    // A little larger it is smoothed: the one-pixel checkerboard becomes grey. From twice the
    // size each pixel becomes a block and stays black or white.
    for (const auto& [size, smoothed] : {std::pair{QSize(1500, 900), true}, std::pair{QSize(3000, 1800), false}}) {
        view.setFixedSize(size);
        const int red = view.grab().toImage().pixelColor(size.width() / 2 + 1, size.height() * 30 / 600 + 1).red();
        const bool grey = red > 40 && red < 215;
        EXPECT_EQ(grey, smoothed) << size.width() << " wide: red " << red;
    }
}

} // namespace
} // namespace vz::test
