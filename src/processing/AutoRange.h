#pragma once
// Automatic depth range and offset: in Auto mode the echogram's window follows the bottom.
#include "core/Channel.h"

namespace vz {

// The depth at the foot of a channel's window (offset plus range), in the current depth units.
int WindowFoot(Channel channel);

// The channel whose replies the bottom tracker searches: Full, or in Split screen the half whose
// window reaches deeper (Left when both reach equally deep). It drives the shared depth and both
// halves' windows.
Channel DrivingChannel();

// Steps the depth range and offset of the channels that the tracked bottom drives, for a bottom
// `bottomDepth` below the transducer in the current depth units: the Full channel in Full
// screen, the Right and then the Left channel together in Split screen (the Right channel's
// window decides). Does nothing in Manual mode. Each step is the panel's own step operation;
// with LeaveScales the stepped channel's new depth scale is left on the moving echogram. After
// any step the echo history starts over: entries that a wider window brings back into the reply
// would otherwise still hold echoes from long ago.
void AutoRangeAndOffset(float bottomDepth);

// For a column that holds no bottom: in Auto mode the same channels step towards deeper water,
// the range by one step (with Range and Offset the offset too), once per searched reply until a
// bottom is found; from there AutoRangeAndOffset moves the window as usual.
// The reply's samples always reach from the surface to the window's foot, so no bottom means
// none above the foot either. Does nothing in Manual mode or at the deepest window.
void HuntForBottom();

} // namespace vz
