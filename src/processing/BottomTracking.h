#pragma once

namespace vz {

// Blanks the strong echoes near the surface of the decoded column: from the first sample down,
// every sample at or above 255 - 25 x ClutterFilter is set to 0, until more than
// 2 x ClutterFilter + 4 consecutive samples below that threshold have been passed.
void ApplyClutterFilter();

// Finds the bottom in the decoded column and, in Auto mode, steps range and offset.
void TrackBottom();

// Sets EchoHistory entries 1..count to 0 (count is limited to the buffer).
void ClearHistoryBuffer(int count);

} // namespace vz
