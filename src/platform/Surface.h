#pragma once
// A picture surface in pixels (origin top left, y down) on a QImage of fixed format RGB32.
// Pixels, lines and rectangles are written straight into the image memory, so drawing an echo
// column costs no allocation and no painter set-up; QPainter is used only for text.
// Lines and rectangles include both end points. Everything outside the surface is clipped.
#include "core/Color.h"

#include <QFont>
#include <QImage>

#include <cstdint>
#include <string_view>

namespace vz {

class Surface {
public:
    Surface(int width, int height, Rgb background);

    int width() const { return image_.width(); }
    int height() const { return image_.height(); }
    // For the window that shows the surface: draw it directly, keep no copy (a held copy would
    // make every later write duplicate the whole image).
    const QImage& image() const { return image_; }

    Rgb pixel(int x, int y) const; // black outside the surface
    void setPixel(int x, int y, Rgb colour);
    void fill(Rgb colour);
    // Filled rectangle with corners (x1, y1) and (x2, y2), both included.
    void fillRect(int x1, int y1, int x2, int y2, Rgb colour);

    // Pen width of the lines: 1 or 2 pixels; the second pixel lies right of (vertical) or below
    // (horizontal) the first.
    void setLineWidth(int width) { lineWidth_ = width == 2 ? 2 : 1; }
    void line(int x1, int y1, int x2, int y2, Rgb colour);

    // Text output at (CurrentX, CurrentY), the top left of the text, in the text colour and
    // font size. Without a line break CurrentX moves to the end of the text; with one, CurrentX
    // returns to 0 and CurrentY moves down one text line.
    double CurrentX = 0;
    double CurrentY = 0;
    void setFontSize(int points);
    void setTextColor(Rgb colour) { textColour_ = colour; }
    Rgb textColor() const { return textColour_; }
    void print(std::string_view text, bool lineBreak = true);

    // Copies the w x h rectangle at (srcX, srcY) of `source` to (dstX, dstY) of this surface,
    // pixel for pixel (a plain source copy). `source` may be this surface.
    void copyRect(const Surface& source, int srcX, int srcY, int w, int h, int dstX, int dstY);

private:
    std::uint32_t* row(int y) { return reinterpret_cast<std::uint32_t*>(image_.scanLine(y)); }
    const std::uint32_t* row(int y) const {
        return reinterpret_cast<const std::uint32_t*>(image_.constScanLine(y));
    }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width() && y < height(); }
    void hline(int x1, int x2, int y, std::uint32_t value);
    void vline(int x, int y1, int y2, std::uint32_t value);
    void plot(int x, int y, std::uint32_t value);

    QImage image_;
    int lineWidth_ = 1;
    QFont font_;
    double ascent_ = 0;
    double lineHeight_ = 0;
    Rgb textColour_{0, 0, 0};
};

} // namespace vz
