#pragma once
// A picture surface in pixels (origin top left, y down) on a QImage of fixed format RGB32.
// Pixels, lines, rectangles and text are written straight into the image memory, so drawing a
// frame costs no allocation and no painter set-up: QPainter only renders each character of each
// font size once, into a shared cache of glyph shapes (plain, not anti-aliased, pixels).
// Lines and rectangles include both end points. Everything outside the surface is clipped.
#include "core/Color.h"

#include <QImage>

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vz {

struct FontFace;

class Surface {
public:
    Surface(int width, int height, Rgb background);
    // Moving hands the pixel memory over; copying would share it, so it is not allowed.
    Surface(Surface&&) = default;
    Surface& operator=(Surface&&) = default;
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }
    // For the window that shows the surface: draw it directly and keep no copy. The surface
    // writes into its pixel memory in place, so a copy would change along with it.
    const QImage& image() const { return image_; }

    Rgb pixel(int x, int y) const; // black outside the surface
    void setPixel(int x, int y, Rgb colour) { plot(x, y, packed(colour)); }
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

    // Exchanges the pixels of two surfaces of the same size (nothing is copied); each keeps its
    // pen, font and text position.
    void swapPixels(Surface& other);

private:
    static constexpr std::uint32_t packed(Rgb c) {
        return 0xFF000000u | (std::uint32_t{c.r} << 16) | (std::uint32_t{c.g} << 8) | c.b;
    }
    std::uint32_t* row(int y) { return pixels_ + static_cast<std::ptrdiff_t>(y) * stride_; }
    const std::uint32_t* row(int y) const { return pixels_ + static_cast<std::ptrdiff_t>(y) * stride_; }
    bool inside(int x, int y) const {
        return static_cast<unsigned>(x) < static_cast<unsigned>(width_) &&
               static_cast<unsigned>(y) < static_cast<unsigned>(height_);
    }
    void plot(int x, int y, std::uint32_t value) {
        if (inside(x, y)) row(y)[x] = value;
    }
    void hline(int x1, int x2, int y, std::uint32_t value);
    void vline(int x, int y1, int y2, std::uint32_t value);

    QImage image_;
    // The image's pixel memory, taken once: the image is never shared, so it never moves.
    std::uint32_t* pixels_;
    std::ptrdiff_t stride_; // pixels per row
    int width_, height_;
    int lineWidth_ = 1;
    int fontSize_ = 8;
    FontFace* face_ = nullptr; // of fontSize_, looked up when text is first printed
    Rgb textColour_{0, 0, 0};
};

} // namespace vz
