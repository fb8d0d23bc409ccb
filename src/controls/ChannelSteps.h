#pragma once
// The Depth Range and Depth Offset steps of a channel panel, as plain functions: the panel's
// buttons, their auto-repeat and the automatic range all run these.
#include "core/Channel.h"

namespace vz {

// The range index bounds the panel buttons reach, and the offset index bounds.
constexpr int kDepthRangeFirst = 1;
constexpr int kDepthRangeLast = 9;
constexpr int kDepthOffsetFirst = 1;
constexpr int kDepthOffsetLast = 11;

// Moves the channel's DepthRange index one step up (direction > 0) or down (direction <= 0),
// clamped against the bound on that side only, shows it on the channel's panel and raises
// SettingsChanged and SendSettings, also when the bound kept the index where it was.
void StepDepthRange(Channel channel, int direction);
// The same for the channel's DepthOffset index.
void StepDepthOffset(Channel channel, int direction);

} // namespace vz
