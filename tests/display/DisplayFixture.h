#pragma once
// Display tests: the record reset with its start-up tables, every surface painted in a canvas
// colour no drawing uses, a colour table of sixteen distinct colours, and a window side that
// records what the display asked of the windows.
#include "core/StartupTables.h"
#include "core/Ui.h"
#include "display/Surfaces.h"
#include "support/Fixture.h"

#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

namespace vz {
inline std::ostream& operator<<(std::ostream& os, Rgb c) {
    return os << "(" << int(c.r) << "," << int(c.g) << "," << int(c.b) << ")";
}
} // namespace vz

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

// A rectangle (corners included) that should be all one colour, and why.
struct Area { int x1, y1, x2, y2; Rgb colour; const char* why; };

// A piece of text: printed at the current position when y < 0.
struct Piece { std::string text; int size; double y; bool lineBreak = true; };

// Names the first wrong pixel of each area.
inline void expectAreas(const Surface& surface, std::initializer_list<Area> areas) {
    for (const Area& a : areas)
        for (int y = a.y1, wrong = 0; y <= a.y2 && !wrong; ++y)
            for (int x = a.x1; x <= a.x2 && !wrong; ++x)
                if ((wrong = surface.pixel(x, y) != a.colour))
                    ADD_FAILURE() << a.why << ": (" << x << "," << y << ") holds " << surface.pixel(x, y)
                                  << ", not " << a.colour;
}
inline bool samePixels(const Surface& a, const Surface& b, int x1, int y1, int x2, int y2) {
    for (int y = y1; y <= y2; ++y)
        for (int x = x1; x <= x2; ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) return false;
    return true;
}
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

    // Whether rows y1 .. y2, columns x1 .. x2 of the compose surface show exactly the pieces
    // printed from (x, first piece's y) in white on a blank surface.
    static bool shows(double x, const std::vector<Piece>& pieces, int x1, int y1, int x2, int y2) {
        Surface r(1001, 601, kCanvas);
        r.setTextColor(kWhite);
        r.CurrentX = x;
        for (const Piece& p : pieces) {
            if (p.y >= 0) r.CurrentY = p.y;
            r.setFontSize(p.size);
            r.print(p.text, p.lineBreak);
        }
        return samePixels(pictHiddenB(), r, x1, y1, x2, y2);
    }

    DisplayUi windows;
};

} // namespace vz::test
