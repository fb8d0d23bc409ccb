#include "AppTestSupport.h"

#include "app/EchogramView.h"
#include "display/Surfaces.h"

#include <vector>

namespace vz::test {
namespace {

class EchogramViewTest : public AppFixture {
protected:
    struct Event {
        int button, x, y;
        bool operator==(const Event&) const = default;
    };
    void SetUp() override {
        AppFixture::SetUp();
        QObject::connect(&view, &EchogramView::pressed, [this](int b, int x, int y) { presses.push_back({b, x, y}); });
        QObject::connect(&view, &EchogramView::pointerMoved, [this](int x, int y) { moves.push_back({0, x, y}); });
    }
    EchogramView view{PictVisible()};
    std::vector<Event> presses, moves;
};

TEST_F(EchogramViewTest, PositionsArriveInSurfacePixelsAtAnySize) {
    view.setFixedSize(1000, 600);
    SendMouse(&view, QEvent::MouseButtonPress, {910.5, 300.5}, Qt::RightButton);
    SendMouse(&view, QEvent::MouseMove, {911.2, 0.0});
    EXPECT_EQ(presses, (std::vector<Event>{{2, 910, 300}}));
    EXPECT_EQ(moves, (std::vector<Event>{{0, 911, 0}}));

    // Twice the size: two screen pixels per surface pixel.
    view.setFixedSize(2000, 1200);
    SendMouse(&view, QEvent::MouseButtonPress, {1821.0, 601.0}, Qt::LeftButton);
    SendMouse(&view, QEvent::MouseButtonPress, {1822.0, 601.0}, Qt::LeftButton);
    EXPECT_EQ(presses.back(), (Event{1, 911, 300}));
    EXPECT_EQ(presses[1], (Event{1, 910, 300}));

    // Wider than the picture's proportions: 1.5 times, centred with a band on each side.
    view.setFixedSize(1700, 900);
    presses.clear();
    SendMouse(&view, QEvent::MouseButtonPress, {100 + 910.5 * 1.5, 300.5 * 1.5}, Qt::MiddleButton);
    EXPECT_EQ(presses, (std::vector<Event>{{4, 910, 300}}));
}

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
