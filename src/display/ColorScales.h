#pragma once
// The five colour scales: the active colour per echo level (ColorTable) and the colour bar
// beside the echogram.
#include "core/Color.h"
#include "platform/Surface.h"

#include <array>

namespace vz {

// Colour table of scale `scale` (0..4; other values give scale 0) for this background and these
// user colours. Entry 0 is always the background.
std::array<Rgb, 16> ColorTableFor(int scale, Rgb background, const std::array<Rgb, 17>& userColors);

// Rebuilds ColorTable from ColorScale, BackgroundColor and UserColors, then redraws the bar.
void SetupColorBar();

// Shows and redraws the colour bar, or hides it when ShowColorBars is not 1.
void CheckColorScales();

// The echo level shown by bar row `row`: strongest at the top, 21 rows per level.
int ColorBarLevel(int row);
// Draws the 25 x 320 bar of these 16 level colours on `bar`.
void DrawColorBar(Surface& bar, const Rgb* levelColours);

} // namespace vz
