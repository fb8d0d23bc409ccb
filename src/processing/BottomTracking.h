#pragma once

namespace vz {

// Blanks the strong echoes near the surface of the decoded column: from the first sample down,
// every sample at or above 255 - 25 x ClutterFilter is set to 0, until more than
// 2 x ClutterFilter + 4 consecutive samples below that threshold have been passed.
void ApplyClutterFilter();

// Finds the bottom in the decoded reply. In Split screen only the replies of the half with the
// deeper window are searched (Left when both reach equally deep).
void TrackBottom();

// The whole-column detector, or the range-gate tracker when ShowRangeGate is 1.
void DetectBottom();

// Whole-column detection: folds the reply into EchoHistory (damped by DepthDamping) and looks
// for the bottom among the entries below the surface band that stand out as a bottom echo does
// (FindBottomCandidates), in runs at least 2 ft long (a fish's echo is shorter): the ten-sample
// stretch of them with the largest depth-weighted history is the bottom echo and its leading edge
// the bottom; when that echo is a repeat of a shallower one (the bottom's echo returned again at
// two or three times its depth), the shallower one is the bottom. Sets BottomDepth and DisplayDepth (display units, DisplayDepth with the keel
// offset), RangeGateDepth and BottomFound, then makes the automatic range and offset steps.
// A column without such an echo has no bottom: BottomFound is cleared, the depths stay as they
// were and Auto steps the window deeper (HuntForBottom).
// A reply with fewer than 21 samples is no detection: the depths, the steps and the history
// stay as they were.
void DetectBottomAndAutoRange();

// Range-gate tracking: looks for the bottom's leading edge only inside a gate of RangeGateWidth
// around the last depth, and sets BottomDepth, RangeGateDepth, the gate's new width and
// DisplayDepth (the measured depth plus the keel offset), all in display units. Never reads
// beyond the reply's samples; a gate that finds nothing widens by a fifth (up to a limit far
// beyond any window). Makes no automatic range steps.
void TrackBottomInGate();

// Sets EchoHistory entries 1..count to 0 (count is limited to the buffer).
void ClearHistoryBuffer(int count);

} // namespace vz
