#include "display/EchogramPages.h"

#include "core/State.h"
#include "display/ChannelView.h"
#include "display/Scrolling.h"
#include "display/Surfaces.h"

namespace vz {

namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kFoot{0, 0, 0};
constexpr int kTimeEvery = 150; // columns between times along the foot
constexpr int kWindowUnset = -1;

int BandHeight() { return PictVisible().height() + 1; }

// A window as one number, to tell a change.
int WindowKey(const ChannelView& v) { return v.rangeDepth * 65536 + v.offsetDepth * 4 + v.frequency; }

} // namespace

EchogramPages::EchogramPages(int pageWidth, PageDone done) : pageWidth_(std::max(pageWidth, 1)), done_(std::move(done)) {
    lastWindow_.fill(kWindowUnset);
}

int EchogramPages::bandTop(int band) { return band * (BandHeight() + kBandGap); }

void EchogramPages::takeColumn(const std::string& time) {
    const Channel channel = CurrentChannel();
    const bool split = channel != Channel::Full;
    if (columns_ > 0 && split != split_) flush();
    split_ = split;
    // As the live echogram scrolls: before each Full ping, and before the Right ping of a pair.
    if (channel != Channel::Left || columns_ == 0) {
        if (columns_ == pageWidth_) flush();
        ++columns_;
        times_.push_back(time);
    }
    const int column = columns_ - 1;
    const int band = channel == Channel::Right ? 1 : 0;
    std::unique_ptr<Surface>& surface = bands_[static_cast<std::size_t>(band)];
    if (!surface) surface = std::make_unique<Surface>(pageWidth_, BandHeight(), state().BackgroundColor);
    const ChannelView v = ViewOf(channel);
    surface->copyRect(pictHiddenA(), v.rightEdge - 6 - 50 * v.ascope, 0, 1, BandHeight(), column, 0);
    if (WindowKey(v) != lastWindow_[static_cast<std::size_t>(band)]) {
        lastWindow_[static_cast<std::size_t>(band)] = WindowKey(v);
        windows_.push_back({column, band, v.rangeDepth, v.offsetDepth, v.frequency});
    }
}

void EchogramPages::finish() { flush(); }

void EchogramPages::flush() {
    if (columns_ == 0) return;
    // The scales are drawn last, over the columns, as on the live echogram.
    for (const Window& w : windows_) {
        Surface& band = *bands_[static_cast<std::size_t>(w.band)];
        DrawDepthScaleOn(band, w.column + 42, w.range, w.offset);
        band.CurrentX = w.column + 4;
        band.CurrentY = 4;
        band.setFontSize(12);
        band.setTextColor(kWhite);
        band.print(w.frequency != 0 ? "50kHz" : "200kHz");
    }
    const int bands = split_ ? 2 : 1;
    Surface page(columns_, bandTop(bands) - kBandGap + kFootHeight, kFoot);
    for (int b = 0; b < bands; ++b) {
        if (const auto& band = bands_[static_cast<std::size_t>(b)]) page.copyRect(*band, 0, 0, columns_, BandHeight(), 0, bandTop(b));
    }
    const int foot = page.height() - kFootHeight;
    for (int c = 0; c < columns_; c += kTimeEvery) {
        page.line(c, foot, c, foot + 4, kWhite);
        page.CurrentX = c + 2;
        page.CurrentY = foot + 2;
        page.setFontSize(10);
        page.setTextColor(kWhite);
        page.print(times_[static_cast<std::size_t>(c)]);
    }
    kept_ = done_(page.image(), ++pages_) && kept_;
    for (auto& band : bands_) band.reset();
    columns_ = 0;
    times_.clear();
    windows_.clear();
    lastWindow_.fill(kWindowUnset);
}

} // namespace vz
