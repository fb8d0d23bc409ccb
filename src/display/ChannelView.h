#pragma once
// Where a channel sits on the echogram and which depth window it shows.
#include "core/Channel.h"

namespace vz {

struct ChannelView {
    Channel channel;
    int rightEdge;   // E: right edge of the channel's area (W, or W/2 for Left)
    int ascope;      // 1 when the A-scope strip is shown, else 0
    int rangeDepth;  // depth span shown, in display units (0 when the range index is unusable)
    int offsetDepth; // depth at the top row, in display units
    int offsetIndex; // the channel's offset step; 1 is the zero offset
    int frequency;   // 0 = 200 kHz, 1 = 50 kHz
};

// The channel the current ping belongs to: Full, or Left/Right by LeftSideNow in Split screen.
Channel CurrentChannel();
ChannelView ViewOf(Channel channel);

} // namespace vz
