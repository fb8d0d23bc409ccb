#pragma once
// Display tests: the record reset with its start-up tables, every surface painted in a canvas
// colour no drawing uses, a colour table of sixteen distinct colours, and a window side that
// records what the display asked of the windows.
#include "core/StartupTables.h"
#include "core/Ui.h"
#include "display/Surfaces.h"
#include "support/Fixture.h"

#include <ostream>
#include <vector>

namespace vz::test {

constexpr Rgb kCanvas{1, 2, 3};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kRed{255, 0, 0};

class DisplayUi : public Ui {
public:
    void pictureChanged() override { ++picturesChanged; }
    void showColorBar(bool visible) override { colorBarShown.push_back(visible); }
    int picturesChanged = 0;
    std::vector<bool> colorBarShown;
};

class DisplayFixture : public Fixture {
protected:
    void SetUp() override {
        Fixture::SetUp();
        BuildStartupTables();
        for (Surface* surface : {&PictVisible(), &pictHiddenA(), &pictHiddenB(), &pictFullColorScale()})
            surface->fill(kCanvas);
        for (int level = 0; level < 16; ++level)
            s.ColorTable[level] = Rgb{static_cast<std::uint8_t>(10 + 15 * level), 77,
                                      static_cast<std::uint8_t>(240 - 13 * level)};
        setUi(&windows);
    }
    void TearDown() override {
        setUi(nullptr);
        Fixture::TearDown();
    }

    // True when every pixel of the rectangle (corners included) has `colour`.
    static bool allPixels(const Surface& surface, int x1, int y1, int x2, int y2, Rgb colour) {
        for (int y = y1; y <= y2; ++y)
            for (int x = x1; x <= x2; ++x)
                if (surface.pixel(x, y) != colour) return false;
        return true;
    }
    // True when the two surfaces agree in the rectangle.
    static bool samePixels(const Surface& a, const Surface& b, int x1, int y1, int x2, int y2) {
        for (int y = y1; y <= y2; ++y)
            for (int x = x1; x <= x2; ++x)
                if (a.pixel(x, y) != b.pixel(x, y)) return false;
        return true;
    }

    DisplayUi windows;
};

} // namespace vz::test

namespace vz {
inline std::ostream& operator<<(std::ostream& os, Rgb c) {
    return os << "(" << int(c.r) << "," << int(c.g) << "," << int(c.b) << ")";
}
} // namespace vz
