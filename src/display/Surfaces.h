#pragma once
// The echogram's picture surfaces, created on first use in the background colour and kept for
// the whole run: the visible picture, the echogram history (A) and the compose surface (B),
// and the colour bar beside the echogram.
#include "platform/Surface.h"

namespace vz {

Surface& PictVisible();        // 1000 x 600, what the user sees
Surface& pictHiddenA();        // 1001 x 601, the echogram history
Surface& pictHiddenB();        // 1001 x 601, the compose surface
Surface& pictFullColorScale(); // 25 x 320, the colour bar

// Gives the visible picture and both hidden surfaces the current BackgroundColor (clearing them).
void PaintSurfacesBackground();

} // namespace vz
