#include "platform/Surface.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QString>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace vz {

namespace {

// One horizontal run of a glyph's pixels, relative to the pen position on the baseline.
struct GlyphRun {
    int dy, x1, x2;
};
struct Glyph {
    bool rendered = false;
    double advance = 0;
    std::vector<GlyphRun> runs;
};
} // namespace

// The characters of one font size, each rendered once, when first printed.
struct FontFace {
    QFont font;
    double ascent = 0, lineHeight = 0;
    std::array<Glyph, 256> glyphs;

    // Never destroyed: fonts must not outlive the application object.
    static FontFace& ofSize(int points) {
        static auto* faces = new std::map<int, std::unique_ptr<FontFace>>;
        std::unique_ptr<FontFace>& face = (*faces)[points];
        if (!face) face = std::make_unique<FontFace>(points);
        return *face;
    }

    explicit FontFace(int points) {
        font.setPointSize(points);
        font.setStyleStrategy(QFont::NoAntialias);
        const QImage reference(1, 1, QImage::Format_RGB32); // the resolution every surface has
        const QFontMetricsF metrics(font, &reference);
        ascent = metrics.ascent();
        lineHeight = metrics.height();
    }

    const Glyph& glyph(char c) {
        Glyph& g = glyphs[static_cast<unsigned char>(c)];
        if (!g.rendered) render(c, g);
        return g;
    }

private:
    void render(char c, Glyph& g) const {
        const QString text(QChar::fromLatin1(c));
        // Room on every side for bearings and accents.
        const int margin = static_cast<int>(lineHeight) + 4;
        QImage scratch(3 * margin, 3 * margin, QImage::Format_ARGB32_Premultiplied);
        scratch.fill(Qt::transparent);
        {
            QPainter painter(&scratch);
            painter.setFont(font);
            painter.setPen(Qt::white);
            painter.drawText(QPoint(margin, 2 * margin), text);
        }
        for (int y = 0; y < scratch.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
            for (int x = 0; x < scratch.width(); ++x) {
                if (qAlpha(line[x]) < 128) continue;
                const int start = x;
                while (x + 1 < scratch.width() && qAlpha(line[x + 1]) >= 128) ++x;
                g.runs.push_back({y - 2 * margin, start - margin, x - margin});
            }
        }
        g.advance = QFontMetricsF(font, &scratch).horizontalAdvance(text);
        g.rendered = true;
    }
};

Surface::Surface(int width, int height, Rgb background)
    : image_(width, height, QImage::Format_RGB32),
      pixels_(reinterpret_cast<std::uint32_t*>(image_.bits())),
      stride_(image_.bytesPerLine() / static_cast<qsizetype>(sizeof(std::uint32_t))),
      width_(width),
      height_(height) {
    fill(background);
}

Rgb Surface::pixel(int x, int y) const {
    if (!inside(x, y)) return Rgb{};
    const std::uint32_t v = row(y)[x];
    return Rgb{static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8),
               static_cast<std::uint8_t>(v)};
}

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
    for (int y = y1; y <= y2; ++y) row(y)[x] = value;
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
    fontSize_ = points;
    face_ = nullptr;
}

void Surface::print(std::string_view text, bool lineBreak) {
    if (!face_) face_ = &FontFace::ofSize(fontSize_);
    const std::uint32_t value = packed(textColour_);
    const int baseline = static_cast<int>(std::lrint(CurrentY + face_->ascent));
    double penX = CurrentX;
    for (char c : text) {
        const Glyph& glyph = face_->glyph(c);
        const int x = static_cast<int>(std::lrint(penX));
        for (const GlyphRun& run : glyph.runs) hline(x + run.x1, x + run.x2, baseline + run.dy, value);
        penX += glyph.advance;
    }
    if (lineBreak) {
        CurrentX = 0;
        CurrentY += face_->lineHeight;
    } else {
        CurrentX = penX;
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
    auto copyRow = [&](int i) { std::memmove(row(dstY + i) + dstX, source.row(srcY + i) + srcX, bytes); };
    // Within one surface, rows moving down are copied bottom first so none is overwritten early.
    if (&source == this && dstY > srcY) {
        for (int i = h - 1; i >= 0; --i) copyRow(i);
    } else {
        for (int i = 0; i < h; ++i) copyRow(i);
    }
}

void Surface::swapPixels(Surface& other) {
    if (other.width_ != width_ || other.height_ != height_) return;
    image_.swap(other.image_);
    std::swap(pixels_, other.pixels_);
    std::swap(stride_, other.stride_);
}

} // namespace vz
