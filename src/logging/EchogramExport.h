#pragma once
// Echogram images of recordings, without a window: each record is played as the live program
// plays it (ExportRecording), its column drawn by DrawEchoColumn and taken onto the pages.
#include "display/EchogramPages.h"

#include <functional>

namespace vz {

// As PrepareTrackExport, with the colour table of the factory colour scale and the white line
// (the tracked bottom) on.
void PrepareEchogramExport();

// For ExportRecording's `decoded`: draws the reply's column and puts it on `pages`.
std::function<void()> EchogramColumnTaker(EchogramPages& pages);

} // namespace vz
