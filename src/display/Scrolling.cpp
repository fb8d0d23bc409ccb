#include "display/Scrolling.h"

#include "core/State.h"
#include "core/Ui.h"
#include "display/DepthMapping.h"
#include "display/Surfaces.h"

#include <QCoreApplication>

#include <cstdio>

namespace vz {

namespace {
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kScrollBarGrey{200, 200, 200};

// Lets queued window, timer and serial events run. Unlike the waiting loops' ProcessEvents it
// does not pause when nothing is pending: the scroll does not wait for anything.
void DrainEvents() { QCoreApplication::processEvents(); }

// The label as the shortest decimal text of a single value, followed by blanks (fewer for
// longer texts); texts of five or more characters are not printed.
// The compose surface restarts from the echogram (B takes A's w x h picture area) and the
// echogram moves one pixel left (A takes B's picture area from x 1 on), so column w - 1 of A
// takes column w of B. Both are done in one pass: the surfaces exchange their pixels, so that B
// already holds the echogram, and A is rebuilt from it one pixel to the left. What lies outside
// the picture area (column w, row h: the hidden surfaces are one pixel wider and taller) is then
// put back where each surface had it.
void RestartComposeAndShiftEchogram(Surface& a, Surface& b, int w, int h) {
    a.swapPixels(b);
    for (int y = 0; y < h; ++y) {
        const Rgb composeEdge = a.pixel(w, y);
        const Rgb echogramEdge = b.pixel(w, y);
        a.copyRect(b, 1, y, w - 1, 1, 0, y);
        a.setPixel(w - 1, y, composeEdge);
        a.setPixel(w, y, echogramEdge);
        b.setPixel(w, y, composeEdge);
    }
    static Surface* spareRow = new Surface(a.width(), 1, Rgb{}); // never destroyed, like the surfaces
    for (int y = h; y < a.height(); ++y) {
        spareRow->copyRect(a, 0, y, a.width(), 1, 0, 0);
        a.copyRect(b, 0, y, a.width(), 1, 0, y);
        b.copyRect(*spareRow, 0, 0, a.width(), 1, 0, y);
    }
}

std::string DepthScaleText(float label) {
    char text[32];
    std::snprintf(text, sizeof text, "%.7g", static_cast<double>(label));
    std::string s = text;
    switch (s.size()) {
    case 1: return s + "     ";
    case 2: return s + "   ";
    case 3: return s + " ";
    case 4: return s;
    default: return "";
    }
}
} // namespace

void ScrollAndPresent() { ScrollAndPresent(DrainEvents); }

void ScrollAndPresent(const std::function<void()>& betweenCopies) {
    Surface& visible = PictVisible();
    Surface& a = pictHiddenA();
    Surface& b = pictHiddenB();
    const int w = visible.width(), h = visible.height();
    betweenCopies();
    visible.copyRect(b, 0, 0, w, h, 0, 0);
    betweenCopies();
    visible.setPixel(1, 600, state().ColorTable[0]);
    // No event runs between these two steps: a clear drawn in between would be copied over.
    RestartComposeAndShiftEchogram(a, b, w, h);
    betweenCopies();
    ui().pictureChanged();
}

std::array<DepthScaleMark, 9> DepthScaleMarks(int height, int scaleRange, int scaleOffset) {
    const float step = static_cast<float>(height) / 10.0f;
    const float depthStep = static_cast<float>(scaleRange) / 10.0f;
    float label = static_cast<float>(scaleOffset);
    int y = 0;
    std::array<DepthScaleMark, 9> marks;
    for (DepthScaleMark& mark : marks) {
        label += depthStep;
        y = RoundToInt(y + step);
        mark = DepthScaleMark{y, DepthScaleText(label)};
    }
    return marks;
}

void DrawDepthScaleOn(Surface& target, int scaleX, int scaleRange, int scaleOffset) {
    for (const DepthScaleMark& mark : DepthScaleMarks(PictVisible().height(), scaleRange, scaleOffset)) {
        target.line(scaleX, mark.y, scaleX + 10, mark.y, kWhite);
        target.CurrentX = scaleX - 40;
        target.CurrentY = mark.y - 9;
        target.setTextColor(kWhite);
        target.setFontSize(14);
        if (!mark.text.empty()) target.print(mark.text);
    }
}

void DrawDepthScale(int scaleX, int scaleRange, int scaleOffset) {
    DrawDepthScaleOn(pictHiddenB(), scaleX, scaleRange, scaleOffset);
}

void DrawDepthScaleOnEchogram(int scaleX, int scaleRange, int scaleOffset) {
    DrawDepthScaleOn(pictHiddenA(), scaleX, scaleRange, scaleOffset);
}

void DrawSplitDivider() {
    Surface& b = pictHiddenB();
    b.fillRect(497, 0, 513, 600, kScrollBarGrey);
    b.fillRect(514, 0, 515, 600, kBlack);
    b.line(496, 0, 496, 600, kWhite);
}

void DrawSplitDividerIfSplit() {
    if (state().SplitScreen == 1) DrawSplitDivider();
}

void ClearEchogram() {
    State& s = state();
    Surface& a = pictHiddenA();
    const int w = PictVisible().width(), h = PictVisible().height();
    if (s.ClearFullPending == 1) {
        a.fillRect(0, 0, w, h, s.BackgroundColor);
        s.ClearFullPending = 0;
    } else if (s.ClearLeftPending == 1) {
        a.fillRect(0, 0, w / 2, h, s.BackgroundColor);
        s.ClearLeftPending = 0;
    } else if (s.ClearRightPending == 1) {
        a.fillRect(w / 2, 0, w, h, s.BackgroundColor);
        s.ClearRightPending = 0;
    }
}

} // namespace vz
