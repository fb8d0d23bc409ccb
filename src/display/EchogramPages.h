#pragma once
// A whole recording's echogram as pages for reports: every ping's column exactly as the live
// echogram drew it (taken from the echogram surface right after DrawEchoColumn), one column per
// ping (per Left and Right pair in Split screen, one band each), with the depth scale wherever
// the depth window changes and the times along the foot.
#include "core/Channel.h"
#include "platform/Surface.h"

#include <QImage>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vz {

class EchogramPages {
public:
    // Hands on each finished page with its number (from 1); false stops: the page could not be kept.
    using PageDone = std::function<bool(const QImage& page, int number)>;
    EchogramPages(int pageWidth, PageDone done);

    // Takes the column DrawEchoColumn has just drawn for the current channel, at `time` (the
    // record's hh:mm:ss).
    void takeColumn(const std::string& time);
    // Hands on the page in hand, however few columns it holds.
    void finish();
    int pages() const { return pages_; }
    // Whether every page handed on was kept.
    bool allKept() const { return kept_; }

    static constexpr int kFootHeight = 18;
    static constexpr int kBandGap = 4;
    // Where band `band` of a page starts (0 Full or Left, 1 Right).
    static int bandTop(int band);

private:
    struct Window {
        int column, band, range, offset, frequency;
    };
    void flush();

    int pageWidth_;
    PageDone done_;
    std::array<std::unique_ptr<Surface>, 2> bands_; // Full or Left, and Right
    bool split_ = false;
    int columns_ = 0;
    int pages_ = 0;
    bool kept_ = true;
    std::vector<std::string> times_;
    std::vector<Window> windows_; // each band's depth window where it first shows or changes
    std::array<int, 2> lastWindow_{};
};

} // namespace vz
