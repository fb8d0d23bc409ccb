#include "platform/Surface.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QString>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace vz {

namespace {
constexpr std::uint32_t packed(Rgb c) {
    return 0xFF000000u | (std::uint32_t{c.r} << 16) | (std::uint32_t{c.g} << 8) | c.b;
}
} // namespace

Surface::Surface(int width, int height, Rgb background)
    : image_(width, height, QImage::Format_RGB32) {
    fill(background);
    setFontSize(8);
}

Rgb Surface::pixel(int x, int y) const {
    if (!inside(x, y)) return Rgb{};
    const std::uint32_t v = row(y)[x];
    return Rgb{static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8),
               static_cast<std::uint8_t>(v)};
}

void Surface::plot(int x, int y, std::uint32_t value) {
    if (inside(x, y)) row(y)[x] = value;
}

void Surface::setPixel(int x, int y, Rgb colour) { plot(x, y, packed(colour)); }

void Surface::fill(Rgb colour) { fillRect(0, 0, width() - 1, height() - 1, colour); }

void Surface::hline(int x1, int x2, int y, std::uint32_t value) {
    if (x1 > x2) std::swap(x1, x2);
    if (y < 0 || y >= height()) return;
    x1 = std::max(x1, 0);
    x2 = std::min(x2, width() - 1);
    if (x1 > x2) return;
    std::uint32_t* r = row(y);
    std::fill(r + x1, r + x2 + 1, value);
}

void Surface::vline(int x, int y1, int y2, std::uint32_t value) {
    if (y1 > y2) std::swap(y1, y2);
    if (x < 0 || x >= width()) return;
    y1 = std::max(y1, 0);
    y2 = std::min(y2, height() - 1);
    if (y1 > y2) return;
    uchar* bits = image_.bits();
    const qsizetype stride = image_.bytesPerLine();
    for (int y = y1; y <= y2; ++y) reinterpret_cast<std::uint32_t*>(bits + y * stride)[x] = value;
}

void Surface::fillRect(int x1, int y1, int x2, int y2, Rgb colour) {
    if (y1 > y2) std::swap(y1, y2);
    y1 = std::max(y1, 0);
    y2 = std::min(y2, height() - 1);
    const std::uint32_t value = packed(colour);
    for (int y = y1; y <= y2; ++y) hline(x1, x2, y, value);
}

void Surface::line(int x1, int y1, int x2, int y2, Rgb colour) {
    const std::uint32_t value = packed(colour);
    if (y1 == y2) {
        for (int k = 0; k < lineWidth_; ++k) hline(x1, x2, y1 + k, value);
        return;
    }
    if (x1 == x2) {
        for (int k = 0; k < lineWidth_; ++k) vline(x1 + k, y1, y2, value);
        return;
    }
    // Bresenham; a wide pen adds the pixel across the main direction of the line.
    const int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
    const bool steep = -dy > dx;
    int err = dx + dy;
    int x = x1, y = y1;
    for (;;) {
        plot(x, y, value);
        if (lineWidth_ == 2) plot(steep ? x + 1 : x, steep ? y : y + 1, value);
        if (x == x2 && y == y2) break;
        const int e2 = 2 * err;
        if (e2 >= dy) { err += dy; x += sx; }
        if (e2 <= dx) { err += dx; y += sy; }
    }
}

void Surface::setFontSize(int points) {
    font_.setPointSize(points);
    const QFontMetricsF metrics(font_, &image_);
    ascent_ = metrics.ascent();
    lineHeight_ = metrics.height();
}

void Surface::print(std::string_view text, bool lineBreak) {
    const QString s = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    double advance = 0;
    if (!s.isEmpty()) {
        QPainter painter(&image_);
        painter.setFont(font_);
        painter.setPen(QColor(textColour_.r, textColour_.g, textColour_.b));
        painter.drawText(QPointF(CurrentX, CurrentY + ascent_), s);
        advance = painter.fontMetrics().horizontalAdvance(s);
    }
    if (lineBreak) {
        CurrentX = 0;
        CurrentY += lineHeight_;
    } else {
        CurrentX += advance;
    }
}

void Surface::copyRect(const Surface& source, int srcX, int srcY, int w, int h, int dstX, int dstY) {
    // Clip the rectangle against both surfaces.
    if (srcX < 0) { w += srcX; dstX -= srcX; srcX = 0; }
    if (srcY < 0) { h += srcY; dstY -= srcY; srcY = 0; }
    if (dstX < 0) { w += dstX; srcX -= dstX; dstX = 0; }
    if (dstY < 0) { h += dstY; srcY -= dstY; dstY = 0; }
    w = std::min({w, source.width() - srcX, width() - dstX});
    h = std::min({h, source.height() - srcY, height() - dstY});
    if (w <= 0 || h <= 0) return;

    const std::size_t bytes = static_cast<std::size_t>(w) * sizeof(std::uint32_t);
    uchar* dst = image_.bits();
    const uchar* src = &source == this ? dst : source.image_.constBits();
    const qsizetype dstStride = image_.bytesPerLine(), srcStride = source.image_.bytesPerLine();
    auto copyRow = [&](int i) {
        std::memmove(dst + (dstY + i) * dstStride + dstX * 4, src + (srcY + i) * srcStride + srcX * 4,
                     bytes);
    };
    // Within one surface, rows moving down are copied bottom first so none is overwritten early.
    if (&source == this && dstY > srcY) {
        for (int i = h - 1; i >= 0; --i) copyRow(i);
    } else {
        for (int i = 0; i < h; ++i) copyRow(i);
    }
}

} // namespace vz
