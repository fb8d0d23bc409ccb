#pragma once
// The user's way of starting the range gate: a right click on the A-scope strip of the channel
// that drives the depth, at the row of the bottom.
#include "core/Channel.h"

namespace trackacc {

// Right-clicks the driving channel's A-scope at the row of `bottomFt` (below the transducer) in
// its current window; false when that window has no usable range to place a row in.
bool ClickGateAt(double bottomFt, int depthUnits);

} // namespace trackacc
