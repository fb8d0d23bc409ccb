#pragma once
// Presenting the composed frame, scrolling the echogram one pixel, the depth scales, the
// split-screen divider and clearing the echogram.
#include "platform/Surface.h"

#include <array>
#include <functional>
#include <string>

namespace vz {

// Shows the frame composed on pictHiddenB, restarts it from the plain echogram and moves the
// echogram one pixel to the left; pending events run before, after showing the frame and at the
// end. Then tells the window that the visible picture changed.
void ScrollAndPresent();
// The same, running `betweenCopies` where the events would run.
void ScrollAndPresent(const std::function<void()>& betweenCopies);

// One tick mark of a depth scale: its row and its label text (with trailing blanks; empty when the label is too
// long to print).
struct DepthScaleMark {
    int y;
    std::string text;
};
// The nine marks of a scale over a picture of `height` rows showing `scaleOffset` to
// `scaleOffset` + `scaleRange`.
std::array<DepthScaleMark, 9> DepthScaleMarks(int height, int scaleRange, int scaleOffset);

// Draws a depth scale with its tick marks at `scaleX` on `target`.
void DrawDepthScaleOn(Surface& target, int scaleX, int scaleRange, int scaleOffset);
// ... on the compose surface (this frame only).
void DrawDepthScale(int scaleX, int scaleRange, int scaleOffset);
// ... on the echogram, so that it moves away with the echo columns.
void DrawDepthScaleOnEchogram(int scaleX, int scaleRange, int scaleOffset);

// The bar between the Left and Right halves, on the compose surface.
void DrawSplitDivider();
void DrawSplitDividerIfSplit();

// Serves the first pending clear request (Full, else Left, else Right) on the echogram.
void ClearEchogram();

} // namespace vz
